#include "time_text.h"

#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace history {

std::optional<qint64> parseTime(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})(?:[T ](\d{2}):(\d{2})(?::(\d{2})(?:[.,](\d{1,3}))?)?)?(Z|[+-]\d{2}(?::?\d{2})?)?$)"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    QString fraction = m.captured(7);
    while (!fraction.isEmpty() && fraction.size() < 3)
        fraction += u'0';
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), fraction.toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const QString zone = m.captured(8);
    if (zone.isEmpty()) {
        const QDateTime local(date, time);
        return local.isValid() ? std::optional<qint64>(local.toMSecsSinceEpoch()) : std::nullopt;
    }
    int offset = 0;
    if (zone != u"Z") {
        const QString digits = QString(zone).remove(u':');
        const int hours = digits.mid(1, 2).toInt();
        const int minutes = digits.size() > 3 ? digits.mid(3, 2).toInt() : 0;
        if (hours > 14 || minutes > 59)
            return std::nullopt;
        offset = (hours * 3600 + minutes * 60) * (zone.startsWith(u'-') ? -1 : 1);
    }
    return QDateTime(date, time, Qt::OffsetFromUTC, offset).toMSecsSinceEpoch();
}

std::optional<std::pair<qint64, qint64>> parseMonth(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(R"(^(\d{4})-(\d{2})$)"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QDate first(m.captured(1).toInt(), m.captured(2).toInt(), 1);
    if (!first.isValid())
        return std::nullopt;
    return std::pair{QDateTime(first, QTime(0, 0)).toMSecsSinceEpoch(),
                     QDateTime(first.addMonths(1), QTime(0, 0)).toMSecsSinceEpoch()};
}

namespace {

char *digits(char *at, qint64 value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        at[i] = char('0' + value % 10);
        value /= 10;
    }
    return at + width;
}

} // namespace

QByteArray TimeFormatter::format(qint64 utcMs, bool milliseconds)
{
    constexpr qint64 kHour = 3'600'000;
    constexpr qint64 kDay = 86'400'000;
    const qint64 hour = utcMs >= 0 ? utcMs / kHour : (utcMs - kHour + 1) / kHour;
    int offset = m_offset;
    if (hour != m_hour) {
        // An hour whose offset changes inside it (a zone half an hour off
        // the hour) is asked row by row.
        offset = QDateTime::fromMSecsSinceEpoch(hour * kHour).offsetFromUtc();
        const bool steady = QDateTime::fromMSecsSinceEpoch(hour * kHour + kHour - 1).offsetFromUtc() == offset;
        m_hour = steady ? hour : std::numeric_limits<qint64>::min();
        m_offset = offset;
        if (!steady)
            offset = QDateTime::fromMSecsSinceEpoch(utcMs).offsetFromUtc();
    }
    const qint64 local = utcMs + qint64(offset) * 1000;
    const qint64 day = local >= 0 ? local / kDay : (local - kDay + 1) / kDay;
    const qint64 msOfDay = local - day * kDay;
    if (day != m_day) {
        m_day = day;
        // Days since 1970-01-01 to a civil date (proleptic Gregorian).
        const qint64 z = day + 719'468;
        const qint64 era = (z >= 0 ? z : z - 146'096) / 146'097;
        const qint64 doe = z - era * 146'097;
        const qint64 yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
        const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        const qint64 mp = (5 * doy + 2) / 153;
        const int dayOfMonth = int(doy - (153 * mp + 2) / 5 + 1);
        const int month = int(mp < 10 ? mp + 3 : mp - 9);
        const qint64 year = yoe + era * 400 + (month <= 2 ? 1 : 0);
        char *at = digits(m_date, std::clamp<qint64>(year, 0, 9999), 4);
        *at++ = '-';
        at = digits(at, month, 2);
        *at++ = '-';
        at = digits(at, dayOfMonth, 2);
        *at = 'T';
    }
    char text[40];
    std::memcpy(text, m_date, 11);
    const qint64 secs = msOfDay / 1000;
    char *at = digits(text + 11, secs / 3600, 2);
    *at++ = ':';
    at = digits(at, secs / 60 % 60, 2);
    *at++ = ':';
    at = digits(at, secs % 60, 2);
    if (milliseconds) {
        *at++ = '.';
        at = digits(at, msOfDay % 1000, 3);
    }
    const int minutes = std::abs(offset) / 60;
    *at++ = offset < 0 ? '-' : '+';
    at = digits(at, minutes / 60, 2);
    *at++ = ':';
    at = digits(at, minutes % 60, 2);
    return QByteArray(text, int(at - text));
}

} // namespace history
