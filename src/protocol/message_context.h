#pragma once
#include <QString>
#include <QtGlobal>

class QLabel;
class NamedWidgets;
struct ConnectionState;
struct ProgramState;

// What the login window offers the message handlers.
class LoginLink {
public:
    virtual ~LoginLink() = default;
    virtual void setProgress(quint16 value) = 0;
    virtual void setStatusText(const QString &text) = 0;
};

// Everything a message handler may read or write, filled by the main window.
struct MessageContext {
    ConnectionState *conn = nullptr;
    ProgramState *prog = nullptr;
    QLabel *messageLine = nullptr;      // LblMesaj
    LoginLink *login = nullptr;         // the login window
    NamedWidgets *mainWidgets = nullptr; // main window components by name
};
