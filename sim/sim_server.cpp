#include "sim_server.h"

#include "demo_data.h"
#include "sim_session.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace sim {

SimServer::SimServer(QObject *parent) : QObject(parent), m_tcp(new QTcpServer(this))
{
    setObjectName(QStringLiteral("simServer"));
    m_tcp->setObjectName(QStringLiteral("simListener"));
    for (const DeviceInfo &info : demoDevices())
        m_devices.emplace(info.serial, makeDevice(info));
    connect(m_tcp, &QTcpServer::newConnection, this, &SimServer::onNewConnection);
}

SimServer::~SimServer()
{
    // Sessions go first, while the devices and the logger still exist.
    qDeleteAll(findChildren<SimSession *>(QString(), Qt::FindDirectChildrenOnly));
}

bool SimServer::listen(const QHostAddress &address, quint16 port)
{
    return m_tcp->listen(address, port);
}

QString SimServer::errorString() const
{
    return m_tcp->errorString();
}

QHostAddress SimServer::address() const
{
    return m_tcp->serverAddress();
}

quint16 SimServer::port() const
{
    return m_tcp->serverPort();
}

SimDevice *SimServer::device(quint32 serial) const
{
    const auto it = m_devices.find(serial);
    return it == m_devices.end() ? nullptr : it->second.get();
}

void SimServer::log(const QString &line) const
{
    if (m_logger)
        m_logger(line);
}

void SimServer::onNewConnection()
{
    while (QTcpSocket *socket = m_tcp->nextPendingConnection()) {
        auto *session = new SimSession(socket, this);
        ++m_sessions;
        connect(session, &SimSession::finished, this, [this] {
            --m_sessions;
            emit sessionFinished();
        });
        emit sessionStarted();
    }
}

} // namespace sim
