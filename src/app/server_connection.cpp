#include "server_connection.h"

#include "client_state.h"
#include "wire.h"

#include <QTcpSocket>

ServerConnection::ServerConnection(ConnectionState &state, QObject *parent)
    : QObject(parent), m_state(state), m_socket(new QTcpSocket(this))
{
    setObjectName(QStringLiteral("ServerConnection"));
    m_socket->setObjectName(QStringLiteral("Clientsoket"));
    connect(m_socket, &QTcpSocket::connected, this, &ServerConnection::connected);
    connect(m_socket, &QTcpSocket::readyRead, this, [this] { emit bytesRead(m_socket->readAll()); });
    connect(m_socket, &QTcpSocket::disconnected, this, &ServerConnection::disconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &ServerConnection::failed);
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
    emit aboutToLogIn();
    send(wire::loginRequest(user, password));
    emit loggedIn(user);
    m_state.connected = true;
}
