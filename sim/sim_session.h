#pragma once
// One client connection: cuts the incoming bytes into requests and runs each
// through the keyword table.
#include "sim_request.h"

#include <QObject>
#include <QPointer>

class QTcpSocket;

namespace sim {

class SimServer;
struct DemoUser;

class SimSession : public QObject {
    Q_OBJECT
public:
    // Takes the socket over; the session deletes itself once it disconnects.
    SimSession(QTcpSocket *socket, SimServer *server);
    ~SimSession() override;

    SimServer &server() const { return *m_server; }
    // The logged-in user, null before a successful login.
    const DemoUser *user() const { return m_user; }
    void setUser(const DemoUser *user) { m_user = user; }

    // One message, one socket write.
    void send(const QByteArray &message);
    // Close after what was already written; later input is ignored.
    void close();
    bool isClosing() const { return m_closing; }

    void log(const QString &line) const;

    // Runs one complete request (without its terminator).
    void handleRequest(const QByteArray &request);

signals:
    void finished();

private:
    void onReadyRead();

    QPointer<QTcpSocket> m_socket;
    SimServer *m_server;
    RequestFramer m_framer;
    const DemoUser *m_user = nullptr;
    bool m_closing = false;
    QString m_peer;
};

} // namespace sim
