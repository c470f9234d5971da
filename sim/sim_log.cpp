#include "sim_log.h"

#include "wire.h"

#include <QDateTime>

namespace sim::log {

QString bytes(const QByteArray &wireBytes, qsizetype shown)
{
    if (wireBytes.size() <= shown)
        return wire::renderForLog(wireBytes);
    return wire::renderForLog(wireBytes.left(shown))
        + QStringLiteral(" … (%1 bytes)").arg(wireBytes.size());
}

QString request(const QByteArray &request, qsizetype shown)
{
    // "kulsifre" 0x01 user 0x01 password 0x02; a malformed one is masked just
    // the same from its second field on (or from its first, without a second).
    static const QByteArray login = QByteArrayLiteral("kulsifre") + wire::kFieldEnd;
    if (!request.startsWith(login))
        return bytes(request, shown);
    const qsizetype userEnd = request.indexOf(wire::kFieldEnd, login.size());
    QByteArray masked = request.left(userEnd < 0 ? login.size() : userEnd + 1) + "***";
    if (request.endsWith(wire::kCredentialsEnd))
        masked += wire::kCredentialsEnd;
    return bytes(masked, shown);
}

QString timestamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

} // namespace sim::log
