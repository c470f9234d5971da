#pragma once
// One client connection: cuts the incoming bytes into requests, runs each
// through the keyword table and sends every answer through one outbox, where
// the answer delay, the faults and the log apply to all of them alike.
#include "outbox.h"
#include "sim_request.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QTcpSocket;
class QTimer;

namespace sim {

class SimServer;
struct SiteUser;

class SimSession : public QObject {
    Q_OBJECT
public:
    // Answers waiting beyond this many bytes mean the client does not read
    // them; the connection is closed rather than letting them pile up.
    static constexpr qsizetype kMaxBacklog = 1024 * 1024;
    // At most this much is written in one turn of the event loop, so that a
    // long answer (thousands of devices at login) leaves the other sessions
    // their turns; and nothing more is written while the socket still holds
    // this much that the client has not taken.
    static constexpr qsizetype kWriteBudget = 64 * 1024;
    static constexpr qsizetype kWriteHighWater = 256 * 1024;

    // Takes the socket over; the session deletes itself once it disconnects.
    SimSession(QTcpSocket *socket, SimServer *server, int id = 0);
    // A session without a socket, driven in-process: its input comes through
    // receive(), every write it makes goes to `sink`.
    using Sink = std::function<void(const QByteArray &bytes)>;
    SimSession(Sink sink, SimServer *server, int id = 0);
    ~SimSession() override;

    SimServer &server() const { return *m_server; }
    int id() const { return m_id; }
    // The logged-in user, null before a successful login.
    const SiteUser *user() const { return m_user; }
    // Logs the user in (again): the count of logins grows, the user's stored
    // messages count as not yet sent.
    void setUser(const SiteUser *user);
    int logins() const { return m_logins; }
    int messagesSent() const { return m_messagesSent; }
    void setMessagesSent(int n) { m_messagesSent = n; }

    // One message, one socket write (unless a fault says otherwise). During
    // a request it waits for that request's answer delay; otherwise it goes
    // out at once (after what is already waiting).
    void send(const QByteArray &message);
    // Messages made when their turn comes (see Outbox::Producer), in the
    // place and with the delay a send() here would have.
    void sendProduced(Outbox::Producer produce);
    // Close after what was already written; later input is ignored.
    void close();
    bool isClosing() const { return m_closing; }

    // An event of this session, in the log with the time and the session.
    void log(const QString &line) const;

    // Bytes as the connection delivers them: cut into requests, each run.
    void receive(const QByteArray &bytes);
    // Runs one complete request (without its terminator).
    void handleRequest(const QByteArray &request);
    // Bytes of answers not yet written.
    qsizetype pendingBytes() const { return m_outbox.pendingBytes(); }

signals:
    void finished();

private:
    void onReadyRead();
    void pump();
    bool isOpen() const;
    qint64 unread() const; // written, not yet taken by the client
    void write(const Outbox::Write &w);
    QString label() const;

    QPointer<QTcpSocket> m_socket;
    Sink m_sink;
    SimServer *m_server;
    RequestFramer m_framer;
    Outbox m_outbox;
    QTimer *m_pumpTimer;
    const SiteUser *m_user = nullptr;
    QString m_peer;
    int m_id;
    int m_logins = 0;
    int m_messagesSent = 0;
    int m_requests = 0;
    bool m_closing = false;
    bool m_draining = false; // the drop fault: no more requests, close once the answers are out
    bool m_awaitingWrites = false; // the socket holds kWriteHighWater: go on once it takes more

    // The request being handled: its answers share its delay.
    struct Answering {
        bool active = false;
        QByteArray keyword;
        qint64 arrived = 0;
        qint64 due = 0;
    } m_answering;
};

} // namespace sim
