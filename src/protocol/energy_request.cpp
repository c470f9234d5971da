#include "energy_request.h"

#include "wire.h"

#include <QLocale>

namespace energy {

QByteArray wireDate(const QDate &date)
{
    return wire::encode(QLocale().toString(date, QLocale::ShortFormat));
}

QByteArray rangeKeyword(RangeAnswer::Source source)
{
    return source == RangeAnswer::Source::Meter ? QByteArrayLiteral("sycreaktfener") : QByteArrayLiteral("reaktifener");
}

QByteArray rangeRequest(RangeAnswer::Source source, const QByteArray &serial, const QByteArray &firstDate,
                        const QByteArray &lastDate)
{
    return wire::buildRequest(rangeKeyword(source), {serial, firstDate, lastDate});
}

} // namespace energy
