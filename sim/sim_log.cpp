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

QString timestamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

} // namespace sim::log
