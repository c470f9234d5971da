#pragma once
// Times as people and scripts write them: ISO 8601, local time unless the
// text carries a zone.
#include <QByteArray>
#include <QString>

#include <limits>
#include <optional>

namespace history {

// "2026-12-01T00:00:00", "2026-12-01T00:00:00.250", "2026-12-01 00:00",
// "2026-12-01" (midnight), each with an optional "Z" or "+03:00"; UTC ms.
std::optional<qint64> parseTime(const QString &text);
// "YYYY-MM": the local month's first and the next month's first midnight.
std::optional<std::pair<qint64, qint64>> parseMonth(const QString &text);

// Local time in ISO 8601 with its offset, "2026-12-01T03:00:00+03:00",
// milliseconds when asked ("…T03:00:00.250+03:00"). Quick for long
// exports: the zone is asked once an hour of the data, not once a row.
class TimeFormatter {
public:
    QByteArray format(qint64 utcMs, bool milliseconds);

private:
    qint64 m_hour = std::numeric_limits<qint64>::min();
    int m_offset = 0; // seconds east of UTC
    qint64 m_day = std::numeric_limits<qint64>::min();
    char m_date[11] = {}; // "YYYY-MM-DDT" of m_day
};

} // namespace history
