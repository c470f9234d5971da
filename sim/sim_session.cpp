#include "sim_session.h"

#include "sim_handlers.h"
#include "sim_log.h"
#include "sim_server.h"
#include "site.h"

#include <QTcpSocket>
#include <QTimer>

namespace sim {

namespace {
// What Qt buffers from the socket before the session reads it.
constexpr qint64 kReadBuffer = 256 * 1024;
// How long a closing connection may take to deliver what was written.
constexpr int kCloseGraceMs = 5000;
} // namespace

SimSession::SimSession(QTcpSocket *socket, SimServer *server, int id)
    : QObject(server), m_socket(socket), m_server(server), m_pumpTimer(new QTimer(this)), m_id(id)
{
    setObjectName(QStringLiteral("simSession"));
    socket->setParent(this);
    socket->setReadBufferSize(kReadBuffer);
    m_pumpTimer->setSingleShot(true);
    connect(m_pumpTimer, &QTimer::timeout, this, &SimSession::pump);
    m_peer = QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
    connect(socket, &QTcpSocket::readyRead, this, &SimSession::onReadyRead);
    connect(socket, &QTcpSocket::bytesWritten, this, [this] {
        if (m_awaitingWrites && m_socket && m_socket->bytesToWrite() <= kWriteHighWater) {
            m_awaitingWrites = false;
            pump();
        }
    });
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        log(QStringLiteral("disconnected after %1 requests").arg(m_requests));
        m_pumpTimer->stop();
        emit finished();
        deleteLater();
    });
    log(QStringLiteral("connected from %1").arg(m_peer));
}

SimSession::SimSession(Sink sink, SimServer *server, int id)
    : QObject(server), m_sink(std::move(sink)), m_server(server), m_pumpTimer(new QTimer(this)), m_id(id)
{
    setObjectName(QStringLiteral("simSession"));
    m_pumpTimer->setSingleShot(true);
    connect(m_pumpTimer, &QTimer::timeout, this, &SimSession::pump);
    m_peer = QStringLiteral("in-process");
}

SimSession::~SimSession() = default;

bool SimSession::isOpen() const
{
    return !m_socket.isNull() || m_sink;
}

qint64 SimSession::unread() const
{
    return m_socket ? m_socket->bytesToWrite() : 0;
}

void SimSession::setUser(const SiteUser *user)
{
    m_user = user;
    m_messagesSent = 0;
    ++m_logins;
}

QString SimSession::label() const
{
    QString s = QLatin1Char('#') + QString::number(m_id);
    if (m_user)
        s += QLatin1Char(' ') + m_user->name;
    return s;
}

void SimSession::log(const QString &line) const
{
    m_server->log(label() + QStringLiteral("  ") + line);
}

void SimSession::send(const QByteArray &message)
{
    if (!isOpen() || m_closing)
        return;
    if (m_outbox.pendingBytes() + unread() + message.size() > kMaxBacklog) {
        log(QStringLiteral("the client does not read its answers (%1 bytes waiting): connection closed")
                .arg(m_outbox.pendingBytes() + unread()));
        m_closing = true;
        m_outbox.clear();
        if (m_socket)
            m_socket->abort();
        return;
    }
    const qint64 now = m_server->now();
    if (m_answering.active) {
        m_outbox.push(message, m_answering.due, m_answering.keyword, m_answering.arrived);
        return; // pumped once the request is handled
    }
    m_outbox.push(message, now, QByteArray(), now);
    pump();
}

void SimSession::sendProduced(Outbox::Producer produce)
{
    if (!isOpen() || m_closing)
        return;
    const qint64 now = m_server->now();
    if (m_answering.active) {
        m_outbox.pushProducer(std::move(produce), m_answering.due, m_answering.keyword, m_answering.arrived);
        return;
    }
    m_outbox.pushProducer(std::move(produce), now, QByteArray(), now);
    pump();
}

void SimSession::close()
{
    m_closing = true;
    m_outbox.clear();
    m_pumpTimer->stop();
    if (!m_socket)
        return;
    m_socket->disconnectFromHost();
    // A client that reads nothing would keep a graceful close waiting forever.
    QTimer::singleShot(kCloseGraceMs, this, [this] {
        if (m_socket && m_socket->state() != QAbstractSocket::UnconnectedState)
            m_socket->abort();
    });
}

void SimSession::pump()
{
    if (!isOpen() || m_closing)
        return;
    if (unread() > kWriteHighWater) {
        m_pumpTimer->stop();
        m_awaitingWrites = true;
        return;
    }
    const qint64 next = m_outbox.pump(m_server->now(), m_server->faults(),
                                      [this](const Outbox::Write &w) { write(w); }, kWriteBudget);
    if (m_closing) // the writes above may have failed
        return;
    if (next >= 0)
        m_pumpTimer->start(int(qBound(qint64(0), next - m_server->now(), qint64(24 * 3600 * 1000))));
    else
        m_pumpTimer->stop();
    if (m_draining && m_outbox.isEmpty()) {
        log(QStringLiteral("closing the connection after %1 requests, as the drop fault says").arg(m_requests));
        close();
    }
}

void SimSession::write(const Outbox::Write &w)
{
    if (m_sink) {
        m_sink(w.bytes);
    } else if (m_socket) {
        m_socket->write(w.bytes);
        m_socket->flush();
    } else {
        return;
    }
    if (!m_server->logsTraffic())
        return;
    QString line = QStringLiteral("-> ") + log::bytes(w.bytes);
    if (!w.note.isEmpty())
        line += QStringLiteral("  [%1]").arg(w.note);
    line += QStringLiteral("  +%1 ms").arg(m_server->now() - w.requestedAt);
    m_server->logTraffic(label() + QStringLiteral("  ") + line);
}

void SimSession::onReadyRead()
{
    if (!m_socket)
        return;
    receive(m_socket->readAll());
}

void SimSession::receive(const QByteArray &bytes)
{
    if (m_closing || m_draining)
        return;
    const RequestFramer::Result result = m_framer.feed(bytes);
    for (const QByteArray &request : result.requests) {
        if (m_closing || m_draining)
            return;
        handleRequest(request);
    }
    if (result.dropped > 0)
        log(QStringLiteral("dropped %1 bytes of input without a request end (more than %2 bytes waiting)")
                .arg(result.dropped)
                .arg(RequestFramer::kMaxPending));
}

void SimSession::handleRequest(const QByteArray &request)
{
    if (m_closing || m_draining)
        return;
    ++m_requests;
    const SimRequest parsed = parseRequest(request);
    if (m_server->logsTraffic())
        m_server->logTraffic(label() + QStringLiteral("  <- ") + log::request(request));

    const FaultPlan &faults = m_server->faults();
    const qint64 now = m_server->now();
    qint64 delay = m_server->drawAnswerDelay();
    if (faults.lateMs > 0 && faults.late.matches(parsed.keyword))
        delay += faults.lateMs;
    m_answering = {true, parsed.keyword, now, now + delay};

    if (const KeywordHandler *entry = findHandler(parsed.keyword))
        entry->handle(*this, parsed);
    else
        log(QStringLiteral("no answer to an unknown request \"%1\" (%2 bytes)")
                .arg(log::bytes(parsed.keyword, 40))
                .arg(request.size()));
    m_answering.active = false;

    if (faults.dropAfter > 0 && m_requests >= faults.dropAfter && !m_closing) {
        m_draining = true;
        log(QStringLiteral("request %1 of %2 before the drop: no more requests are read").arg(m_requests).arg(faults.dropAfter));
    }
    pump();
}

} // namespace sim
