#include "time_text.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cstdio>

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

QByteArray TimeFormatter::format(qint64 utcMs, bool milliseconds)
{
    constexpr qint64 kHour = 3'600'000;
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
    qint64 days = local >= 0 ? local / 86'400'000 : (local - 86'399'999) / 86'400'000;
    const qint64 msOfDay = local - days * 86'400'000;
    // Days since 1970-01-01 to a civil date (proleptic Gregorian).
    days += 719'468;
    const qint64 era = (days >= 0 ? days : days - 146'096) / 146'097;
    const qint64 doe = days - era * 146'097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    const qint64 year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    const int secs = int(msOfDay / 1000);
    const int offsetMinutes = std::abs(offset) / 60;
    char buffer[48];
    int n = std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02dT%02d:%02d:%02d", static_cast<long long>(year),
                          month, day, secs / 3600, secs / 60 % 60, secs % 60);
    if (milliseconds)
        n += std::snprintf(buffer + n, sizeof buffer - size_t(n), ".%03d", int(msOfDay % 1000));
    n += std::snprintf(buffer + n, sizeof buffer - size_t(n), "%c%02d:%02d", offset < 0 ? '-' : '+',
                       offsetMinutes / 60, offsetMinutes % 60);
    return QByteArray(buffer, n);
}

} // namespace history
