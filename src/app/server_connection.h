#pragma once
// The one connection to the central server: the socket Clientsoket, its host
// and port, sending, its four events and the state of a connect sequence.
// The main window and the login window both use it; neither knows the other.
#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;
struct ConnectionState;

class ServerConnection : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kIdlePort = 17815; // the socket's port until a login sets it
    // What the socket takes in before its read event is handled: while the
    // client is held up (an error box open for hours, say) a server that goes
    // on sending is held back by the connection instead of filling memory.
    // It is also the most one read can hold.
    static constexpr qint64 kReadBufferBytes = 8 * 1024 * 1024;
    // A server gone silently counts as gone after a minute of quiet and six
    // unanswered probes ten seconds apart, or after two minutes of sent data
    // left unacknowledged.
    static constexpr int kKeepAliveIdleS = 60;
    static constexpr int kKeepAliveIntervalS = 10;
    static constexpr int kKeepAliveProbes = 6;
    static constexpr unsigned kUnacknowledgedMs = 120'000;

    ServerConnection(ConnectionState &state, QObject *parent = nullptr);
    ~ServerConnection() override;

    QTcpSocket *Clientsoket() const { return m_socket; }
    ConnectionState &state() const { return m_state; }

    QString host() const { return m_host; }
    void setHost(const QString &host) { m_host = host; }
    quint16 port() const { return m_port; }
    void setPort(quint16 port) { m_port = port; }

    bool isUp() const;
    // Opens the connection to host:port, dropping whatever was open.
    void open();
    // Drops an attempt that is still under way (not an open connection).
    void abandon();
    // Writes one request in one write; nothing while the connection is down.
    void send(const QByteArray &request);
    // The end of the connect sequence once the socket is up: the device bar
    // is emptied (aboutToLogIn), the login request sent, the title set
    // (loggedIn) and the connection marked as connected.
    void logIn(const QByteArray &user, const QByteArray &password);
    // The same login once more, after the connection came back: the user
    // name and password of this run's last login (kept in memory only, never
    // written anywhere). The device bar keeps its items (aboutToLogInAgain).
    // False when this run has not logged in yet.
    bool logInAgain();
    bool canLogInAgain() const { return !m_user.isEmpty(); }
    // While logInAgain() tells of its login: what is remembered of the user's
    // own logins stays as it was.
    bool loggingInAgain() const { return m_again; }

    // A connect sequence waiting for the socket, and whether it was given up
    // (a socket error or "İptal").
    bool waiting() const { return m_waiting; }
    void setWaiting(bool w) { m_waiting = w; }
    bool waitAbandoned() const { return m_waitAbandoned; }
    void setWaitAbandoned(bool a) { m_waitAbandoned = a; }

    // Stops all events (the windows that listen are going away).
    void silence();

signals:
    void connected();                         // ClientsoketConnect
    void bytesRead(const QByteArray &bytes);  // ClientsoketRead
    void disconnected();                      // ClientsoketDisconnect
    void failed();                            // ClientsoketError
    void aboutToLogIn();
    void aboutToLogInAgain();
    void loggedIn(const QByteArray &user);

private:
    // The read event: everything the socket holds, as one read.
    void readAvailable();

    ConnectionState &m_state;
    QTcpSocket *m_socket;
    QString m_host;
    quint16 m_port = kIdlePort;
    bool m_waiting = false;
    bool m_waitAbandoned = false;
    bool m_reading = false; // a read is being handled
    QByteArray m_user, m_password; // of the last login
    bool m_again = false;
};
