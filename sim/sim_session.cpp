#include "sim_session.h"

#include "sim_handlers.h"
#include "sim_server.h"
#include "wire.h"

#include <QTcpSocket>

namespace sim {

namespace {
constexpr qsizetype kLoggedRequestBytes = 80;
}

SimSession::SimSession(QTcpSocket *socket, SimServer *server)
    : QObject(server), m_socket(socket), m_server(server)
{
    setObjectName(QStringLiteral("simSession"));
    socket->setParent(this);
    m_peer = QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
    connect(socket, &QTcpSocket::readyRead, this, &SimSession::onReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        log(QStringLiteral("disconnected"));
        emit finished();
        deleteLater();
    });
    log(QStringLiteral("connected"));
}

SimSession::~SimSession() = default;

void SimSession::send(const QByteArray &message)
{
    if (m_socket && !m_closing)
        m_socket->write(message);
}

void SimSession::close()
{
    m_closing = true;
    if (m_socket)
        m_socket->disconnectFromHost();
}

void SimSession::log(const QString &line) const
{
    m_server->log(m_peer + QStringLiteral(": ") + line);
}

void SimSession::onReadyRead()
{
    if (!m_socket)
        return;
    const QByteArray bytes = m_socket->readAll();
    if (m_closing)
        return;
    const RequestFramer::Result result = m_framer.feed(bytes);
    for (const QByteArray &request : result.requests) {
        if (m_closing)
            return;
        handleRequest(request);
    }
    if (result.dropped > 0)
        log(QStringLiteral("dropped %1 bytes without request end").arg(result.dropped));
}

void SimSession::handleRequest(const QByteArray &request)
{
    const SimRequest parsed = parseRequest(request);
    if (const KeywordHandler *entry = findHandler(parsed.keyword)) {
        entry->handle(*this, parsed);
        return;
    }
    QString shown = wire::renderForLog(request.left(kLoggedRequestBytes));
    if (request.size() > kLoggedRequestBytes)
        shown += QStringLiteral("…");
    log(QStringLiteral("ignored request (%1 bytes): %2").arg(request.size()).arg(shown));
}

} // namespace sim
