#pragma once
// Everything the message handlers, the commands and the live display reach:
// the connection-wide and program-wide state, the register store, the main
// window's components and the few services of the frame. The main window
// fills it once; the subsystems never include each other's windows.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

class QLabel;
class QListWidget;
class QTextEdit;
class QWidget;
class GroupBar;
class GroupBarItem;
class ImageList;
class NamedWidgets;
class RegisterStore;
struct ConnectionState;
namespace fleet {
class ClientEvents;
class DeviceRegistry;
class RequestScheduler;
} // namespace fleet
struct ProgramState;

// What the login window offers the others.
class LoginLink {
public:
    virtual ~LoginLink() = default;
    virtual void setProgress(quint16 value) = 0;
    virtual void setStatusText(const QString &text) = 0;
};

struct ClientContext {
    ConnectionState *conn = nullptr;
    ProgramState *prog = nullptr;
    RegisterStore *store = nullptr;       // owned by TVD1KAL
    NamedWidgets *mainWidgets = nullptr;  // main window components by name
    QWidget *mainWindow = nullptr;        // parent of the error boxes

    QLabel *messageLine = nullptr;        // LblMesaj: what has just arrived
    QLabel *outgoingLine = nullptr;       // LblGiden: what was just asked for
    LoginLink *login = nullptr;
    GroupBar *deviceBar = nullptr;        // RzGroupBar1
    ImageList *deviceImages = nullptr;    // ImageList1
    QListWidget *messageList = nullptr;   // RzListBox1 of the messages window
    QTextEdit *messageText = nullptr;     // RichEdit1 of the messages window
    fleet::DeviceRegistry *registry = nullptr;   // the listed devices
    fleet::RequestScheduler *scheduler = nullptr; // background requests and answer routing
    fleet::ClientEvents *events = nullptr;       // typed results of the answers

    // While an "enerjial" branch runs: the pending-request value that chose
    // it (a background request brings its own), and whether it answers a
    // background request.
    QByteArray answerFor;
    bool backgroundAnswer = false;

    // Sends one request on the server connection; nothing while it is down.
    std::function<void(const QByteArray &request)> send;
    // The login window's connect sequence, run with the window hidden.
    std::function<void()> reconnect;
    // A line of the client's own in the communication log.
    std::function<void(const QString &line)> logNote;
    // The click action of every device item (device selection).
    std::function<void(GroupBarItem *item)> selectDevice;
    // The harmonic analysis of phase 1, 2 or 3 (Button2Click … Button4Click).
    std::function<void(int phase)> analyseHarmonics;
    // The application's standard error box (a conversion error, say).
    std::function<void(const QString &text)> showError;
    // A warning with the buttons Yes and No; true for Yes.
    std::function<bool(const QString &text)> confirm;
    // Runs `then` after the given milliseconds, the event loop going on
    // meanwhile (the window keeps painting and reading).
    std::function<void(int milliseconds, std::function<void()> then)> pause;

    void setMessage(const QString &text) const;   // LblMesaj
    void setOutgoing(const QString &text) const;  // LblGiden
    void sendRequest(const QByteArray &request) const { if (send) send(request); }
    void note(const QString &line) const { if (logNote) logNote(line); }
    void error(const QString &text) const { if (showError) showError(text); }
    void later(int milliseconds, std::function<void()> then) const
    {
        if (pause)
            pause(milliseconds, std::move(then));
        else if (then)
            then();
    }
};
