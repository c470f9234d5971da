#include "server_connection.h"

#include "client_state.h"
#include "wire.h"

#include <QScopedValueRollback>
#include <QTcpSocket>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {

// A server that goes without closing the connection (its power lost, a
// router between forgetting the connection) would otherwise be noticed only
// by TCP's own timeouts: two hours of quiet, or a quarter of an hour of
// unanswered sending. Probes after a minute of quiet and a bound on
// unacknowledged data make it a dropped connection within about two
// minutes, which the automatic reconnection then takes up. The server sees
// nothing of this: the probes carry no data.
void noticeSilentLoss(QTcpSocket *socket)
{
    socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
#ifdef Q_OS_LINUX
    const auto fd = int(socket->socketDescriptor());
    if (fd < 0)
        return;
    const int idle = ServerConnection::kKeepAliveIdleS;
    const int interval = ServerConnection::kKeepAliveIntervalS;
    const int probes = ServerConnection::kKeepAliveProbes;
    const unsigned unacknowledged = ServerConnection::kUnacknowledgedMs;
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
    ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &unacknowledged, sizeof unacknowledged);
#endif
}

} // namespace

ServerConnection::ServerConnection(ConnectionState &state, QObject *parent)
    : QObject(parent), m_state(state), m_socket(new QTcpSocket(this))
{
    setObjectName(QStringLiteral("ServerConnection"));
    m_socket->setObjectName(QStringLiteral("Clientsoket"));
    m_socket->setReadBufferSize(kReadBufferBytes);
    connect(m_socket, &QTcpSocket::connected, this, [this] { noticeSilentLoss(m_socket); });
    connect(m_socket, &QTcpSocket::connected, this, &ServerConnection::connected);
    connect(m_socket, &QTcpSocket::readyRead, this, &ServerConnection::readAvailable);
    connect(m_socket, &QTcpSocket::disconnected, this, &ServerConnection::disconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &ServerConnection::failed);
}

void ServerConnection::readAvailable()
{
    // While a read is handled, the socket announces nothing new; what comes
    // meanwhile (a handler that waits inside an event loop of its own) is
    // the next read, taken once this one is done.
    if (m_reading)
        return;
    {
        const QScopedValueRollback<bool> reading(m_reading, true);
        const QByteArray bytes = m_socket->readAll();
        if (!bytes.isEmpty())
            emit bytesRead(bytes);
    }
    // Bytes that came while the read was handled would otherwise wait for
    // the next arrival, or for ever once they fill the socket's buffer.
    if (m_socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &ServerConnection::readAvailable, Qt::QueuedConnection);
}

ServerConnection::~ServerConnection()
{
    silence();
}

void ServerConnection::silence()
{
    disconnect(m_socket, nullptr, this, nullptr);
    m_socket->abort();
}

bool ServerConnection::isUp() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

void ServerConnection::open()
{
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    m_socket->connectToHost(m_host, m_port);
}

void ServerConnection::abandon()
{
    const auto s = m_socket->state();
    if (s == QAbstractSocket::HostLookupState || s == QAbstractSocket::ConnectingState)
        m_socket->abort();
}

void ServerConnection::send(const QByteArray &request)
{
    if (!isUp())
        return;
    m_socket->write(request);
}

void ServerConnection::logIn(const QByteArray &user, const QByteArray &password)
{
    m_user = user;
    m_password = password;
    emit aboutToLogIn();
    send(wire::loginRequest(user, password));
    emit loggedIn(user);
    m_state.connected = true;
}

bool ServerConnection::logInAgain()
{
    if (m_user.isEmpty())
        return false;
    const QScopedValueRollback<bool> again(m_again, true);
    emit aboutToLogInAgain();
    send(wire::loginRequest(m_user, m_password));
    emit loggedIn(m_user);
    m_state.connected = true;
    return true;
}
