#include "sim_server.h"

#include "demo_data.h"
#include "sim_field_outputs.h"
#include "sim_log.h"
#include "sim_session.h"

#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>

namespace sim {

SimServer::SimServer(QObject *parent) : SimServer(demoSite(), parent) {}

SimServer::SimServer(Site site, QObject *parent) : SimServer(std::move(site), WallClock(), parent) {}

SimServer::SimServer(Site site, WallClock wallClock, QObject *parent)
    : QObject(parent), m_tcp(new QTcpServer(this)), m_site(std::move(site)), m_wallClock(std::move(wallClock))
{
    setObjectName(QStringLiteral("simServer"));
    m_tcp->setObjectName(QStringLiteral("simListener"));
    m_clock.start();
    const qint64 wall = wallNow();
    for (const DeviceInfo &info : m_site.devices)
        m_devices.emplace(info.serial, makeDevice(info, wall));
    if (m_site.timing.answerDelayGiven)
        setAnswerDelay(m_site.timing.answerDelayMinMs, m_site.timing.answerDelayMaxMs);
    m_noticeMs = m_site.timing.messageNoticeAfterMs;
    setFaults(m_site.faults);
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

void SimServer::setWallClock(WallClock clock)
{
    m_wallClock = std::move(clock);
    const qint64 wall = wallNow();
    m_devices.clear();
    for (const DeviceInfo &info : m_site.devices)
        m_devices.emplace(info.serial, makeDevice(info, wall));
    setFaults(m_faults); // the devices' on-line state
}

void SimServer::restartUsedDevices()
{
    const qint64 wall = wallNow();
    for (quint32 serial : std::as_const(m_used)) {
        const auto it = m_devices.find(serial);
        if (it == m_devices.end())
            continue;
        const DeviceInfo info = it->second->info();
        it->second = makeDevice(*m_site.findDevice(serial), wall);
        it->second->setOnline(info.online);
    }
    m_used.clear();
    delete findChild<FieldOutputs *>(QString(), Qt::FindDirectChildrenOnly);
}

SimServer::WallClock SimServer::clockFrom(qint64 startMs)
{
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    return [startMs, since] { return startMs + since->elapsed(); };
}

SimDevice *SimServer::device(quint32 serial) const
{
    const auto it = m_devices.find(serial);
    return it == m_devices.end() ? nullptr : it->second.get();
}

void SimServer::setAnswerDelay(int minMs, int maxMs)
{
    m_delayMin = qMax(0, minMs);
    m_delayMax = qMax(m_delayMin, maxMs);
}

int SimServer::drawAnswerDelay() const
{
    if (m_delayMax <= m_delayMin)
        return m_delayMin;
    return int(QRandomGenerator::global()->bounded(m_delayMin, m_delayMax + 1));
}

void SimServer::setFaults(const FaultPlan &plan)
{
    m_faults = plan;
    // A device named by the fault is off line until the fault is lifted; the
    // others are as the site describes them.
    for (const DeviceInfo &info : m_site.devices) {
        if (SimDevice *d = device(info.serial))
            d->setOnline(info.online && !plan.offline.contains(info.serial));
    }
}

void SimServer::log(const QString &line) const
{
    if (m_logger)
        m_logger(log::timestamp() + QStringLiteral("  ") + line);
}

void SimServer::logTraffic(const QString &line) const
{
    if (!m_quiet)
        log(line);
}

void SimServer::onNewConnection()
{
    while (QTcpSocket *socket = m_tcp->nextPendingConnection()) {
        if (m_sessions >= m_maxSessions) {
            log(QStringLiteral("refused a connection from %1: already %2 sessions")
                    .arg(socket->peerAddress().toString())
                    .arg(m_sessions));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto *session = new SimSession(socket, this, m_nextSessionId++);
        ++m_sessions;
        connect(session, &SimSession::finished, this, [this] {
            --m_sessions;
            emit sessionFinished();
        });
        emit sessionStarted();
    }
}

} // namespace sim
