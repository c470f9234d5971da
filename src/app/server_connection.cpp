#include "server_connection.h"

#include "client_state.h"
#include "wire.h"

#include <QScopedValueRollback>
#include <QTcpSocket>

ServerConnection::ServerConnection(ConnectionState &state, QObject *parent)
    : QObject(parent), m_state(state), m_socket(new QTcpSocket(this))
{
    setObjectName(QStringLiteral("ServerConnection"));
    m_socket->setObjectName(QStringLiteral("Clientsoket"));
    m_socket->setReadBufferSize(kReadBufferBytes);
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
