#include "history_reader.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <map>

namespace history {

namespace {

constexpr qint64 kHourMs = 3'600'000;

class QueryCursor : public PointCursor {
public:
    QueryCursor(QSqlQuery query, bool raw) : m_query(std::move(query)), m_raw(raw) {}
    bool next(Point &p) override
    {
        if (!m_query.next())
            return false;
        p.t = m_query.value(0).toLongLong();
        if (m_raw) {
            p.min = p.avg = p.max = m_query.value(1).toDouble();
            p.n = 1;
        } else {
            p.min = m_query.value(1).toDouble();
            p.avg = m_query.value(2).toDouble();
            p.max = m_query.value(3).toDouble();
            p.n = m_query.value(4).toLongLong();
        }
        return true;
    }

private:
    QSqlQuery m_query;
    bool m_raw;
};

class VectorCursor : public PointCursor {
public:
    explicit VectorCursor(std::vector<Point> points) : m_points(std::move(points)) {}
    bool next(Point &p) override
    {
        if (m_at >= m_points.size())
            return false;
        p = m_points[m_at++];
        return true;
    }

private:
    std::vector<Point> m_points;
    size_t m_at = 0;
};

class EmptyCursor : public PointCursor {
public:
    bool next(Point &) override { return false; }
};

// Hours merged into local days.
std::vector<Point> days(PointCursor &hours)
{
    std::vector<Point> out;
    qint64 dayStart = 0, dayEnd = 0;
    double weighted = 0;
    Point h;
    while (hours.next(h)) {
        if (out.empty() || h.t >= dayEnd || h.t < dayStart) {
            if (!out.empty() && out.back().n)
                out.back().avg = weighted / double(out.back().n);
            const QDate date = QDateTime::fromMSecsSinceEpoch(h.t).date();
            dayStart = QDateTime(date, QTime(0, 0)).toMSecsSinceEpoch();
            dayEnd = QDateTime(date.addDays(1), QTime(0, 0)).toMSecsSinceEpoch();
            out.push_back({dayStart, h.min, 0, h.max, 0});
            weighted = 0;
        }
        Point &d = out.back();
        d.min = std::min(d.min, h.min);
        d.max = std::max(d.max, h.max);
        d.n += h.n;
        weighted += h.avg * double(h.n);
    }
    if (!out.empty() && out.back().n)
        out.back().avg = weighted / double(out.back().n);
    return out;
}

} // namespace

std::optional<Step> parseStep(QStringView text)
{
    if (text == u"raw")
        return Step::Raw;
    if (text == u"1m")
        return Step::Minute;
    if (text == u"1h")
        return Step::Hour;
    if (text == u"1d")
        return Step::Day;
    return std::nullopt;
}

QString stepName(Step step)
{
    switch (step) {
    case Step::Raw:
        return QStringLiteral("raw");
    case Step::Minute:
        return QStringLiteral("1m");
    case Step::Hour:
        return QStringLiteral("1h");
    case Step::Day:
        return QStringLiteral("1d");
    }
    return {};
}

HistoryReader::HistoryReader() = default;
HistoryReader::~HistoryReader() = default;

bool HistoryReader::open(const Location &location, QString *error)
{
    OpenOptions options;
    options.create = false;
    const bool ok = m_db.open(location, options);
    if (!ok && error)
        *error = m_db.error().text;
    return ok;
}

QList<SeriesInfo> HistoryReader::seriesList()
{
    QList<SeriesInfo> out;
    QSqlQuery q(m_db.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
            "SELECT serial, quantity, (SELECT MIN(t) FROM samples WHERE series_id = s.id), "
            "(SELECT MAX(t) FROM samples WHERE series_id = s.id), (SELECT MIN(t) FROM minutes WHERE series_id = s.id), "
            "(SELECT MAX(t) FROM minutes WHERE series_id = s.id) FROM series s ORDER BY serial, quantity"))) {
        m_db.failed(q.lastError());
        return out;
    }
    while (q.next()) {
        std::optional<qint64> first, last;
        const auto take = [&](int column, std::optional<qint64> &into, bool lowest) {
            if (q.value(column).isNull())
                return;
            const qint64 t = q.value(column).toLongLong();
            into = !into ? t : lowest ? std::min(*into, t) : std::max(*into, t);
        };
        take(2, first, true);
        take(4, first, true);
        take(3, last, false);
        take(5, last, false);
        if (first)
            out.append({q.value(0).toString(), q.value(1).toString(), *first, *last});
    }
    return out;
}

std::optional<qint64> HistoryReader::seriesId(const QString &serial, const QString &quantity)
{
    QSqlQuery q(m_db.db());
    q.prepare(QStringLiteral("SELECT id FROM series WHERE serial = ? AND quantity = ?"));
    q.addBindValue(serial);
    q.addBindValue(quantity);
    if (!m_db.exec(q) || !q.next())
        return std::nullopt;
    return q.value(0).toLongLong();
}

std::unique_ptr<PointCursor> HistoryReader::cursor(qint64 seriesId, qint64 from, qint64 to, Step step)
{
    if (step == Step::Day) {
        // Local days start at a local midnight: hours from the day before
        // the range's first one and up to the end of its last one.
        const QDate first = QDateTime::fromMSecsSinceEpoch(from).date();
        const qint64 start = QDateTime(first, QTime(0, 0)).toMSecsSinceEpoch();
        auto hours = cursor(seriesId, start, to, Step::Hour);
        std::vector<Point> out = days(*hours);
        std::erase_if(out, [&](const Point &p) { return p.t < start || p.t >= to; });
        return std::make_unique<VectorCursor>(std::move(out));
    }
    QSqlQuery q(m_db.db());
    // Several cursors read side by side (an export of many quantities):
    // the PostgreSQL driver keeps one forward-only result per connection,
    // so there each result is fetched whole.
    q.setForwardOnly(m_db.backend() == Backend::SQLite);
    switch (step) {
    case Step::Raw:
        q.prepare(QStringLiteral("SELECT t, value FROM samples WHERE series_id = ? AND t >= ? AND t < ? ORDER BY t"));
        break;
    case Step::Minute:
        q.prepare(QStringLiteral("SELECT t, vmin, vavg, vmax, n FROM minutes WHERE series_id = ? AND t >= ? AND t < ? "
                                 "ORDER BY t"));
        break;
    default:
        q.prepare(QStringLiteral("SELECT (t / 3600000) * 3600000, MIN(vmin), SUM(vavg * n) / SUM(n), MAX(vmax), "
                                 "SUM(n) FROM minutes WHERE series_id = ? AND t >= ? AND t < ? "
                                 "GROUP BY t / 3600000 ORDER BY 1"));
        from = from - ((from % kHourMs) + kHourMs) % kHourMs;
        break;
    }
    q.addBindValue(seriesId);
    q.addBindValue(from);
    q.addBindValue(to);
    if (!m_db.exec(q))
        return std::make_unique<EmptyCursor>();
    return std::make_unique<QueryCursor>(std::move(q), step == Step::Raw);
}

void HistoryReader::append(std::vector<Point> &out, qint64 seriesId, qint64 from, qint64 to, Step step)
{
    if (to <= from)
        return;
    auto c = cursor(seriesId, from, to, step);
    Point p;
    while (c->next(p))
        out.push_back(p);
}

std::vector<Point> HistoryReader::series(const QString &serial, const QString &quantity, qint64 from, qint64 to,
                                         Step step)
{
    std::vector<Point> out;
    if (const auto id = seriesId(serial, quantity))
        append(out, *id, from, to, step);
    return out;
}

std::optional<qint64> HistoryReader::scalar(const QString &sql, qint64 seriesId, qint64 from, qint64 to)
{
    QSqlQuery q(m_db.db());
    q.prepare(sql);
    q.addBindValue(seriesId);
    q.addBindValue(from);
    q.addBindValue(to);
    if (!m_db.exec(q) || !q.next() || q.value(0).isNull())
        return std::nullopt;
    return q.value(0).toLongLong();
}

std::vector<Column> HistoryReader::decimated(const QString &serial, const QString &quantity, qint64 from, qint64 to,
                                             int columns)
{
    const auto id = seriesId(serial, quantity);
    if (!id || to <= from || columns <= 0)
        return {};
    std::vector<Point> points;
    if ((to - from) / columns >= kMinuteMs) {
        // Wide columns: the minutes, then the raw rows of the minutes not
        // yet made.
        const auto lastMinute =
            scalar(QStringLiteral("SELECT MAX(t) FROM minutes WHERE series_id = ? AND t >= ? AND t < ?"), *id, from, to);
        const qint64 tail = lastMinute ? *lastMinute + kMinuteMs : from;
        append(points, *id, from, tail, Step::Minute);
        append(points, *id, std::max(from, tail), to, Step::Raw);
    } else {
        // Narrow columns: raw rows, and the minutes where raw rows are gone.
        const auto firstRaw =
            scalar(QStringLiteral("SELECT MIN(t) FROM samples WHERE series_id = ? AND t >= ? AND t < ?"), *id, from, to);
        const qint64 rawFrom = firstRaw ? *firstRaw - *firstRaw % kMinuteMs : to;
        append(points, *id, from, std::min(rawFrom, to), Step::Minute);
        append(points, *id, std::max(from, rawFrom), to, Step::Raw);
    }
    return decimate(points, from, to, columns);
}

std::optional<Edges> HistoryReader::edges(qint64 seriesId, qint64 from, qint64 to)
{
    struct Found {
        qint64 t;
        double v;
    };
    const auto one = [&](const char *sql) -> std::optional<Found> {
        QSqlQuery q(m_db.db());
        q.prepare(QString::fromLatin1(sql));
        q.addBindValue(seriesId);
        q.addBindValue(from);
        q.addBindValue(to);
        if (!m_db.exec(q) || !q.next())
            return std::nullopt;
        return Found{q.value(0).toLongLong(), q.value(1).toDouble()};
    };
    const auto rawFirst = one("SELECT t, value FROM samples WHERE series_id = ? AND t >= ? AND t < ? ORDER BY t LIMIT 1");
    const auto rawLast =
        one("SELECT t, value FROM samples WHERE series_id = ? AND t >= ? AND t < ? ORDER BY t DESC LIMIT 1");
    const auto minFirst = one("SELECT t, vmin FROM minutes WHERE series_id = ? AND t >= ? AND t < ? ORDER BY t LIMIT 1");
    const auto minLast =
        one("SELECT t, vmax FROM minutes WHERE series_id = ? AND t >= ? AND t < ? ORDER BY t DESC LIMIT 1");
    // Raw rows win unless the minutes reach further out.
    const auto first = rawFirst && (!minFirst || rawFirst->t < minFirst->t + kMinuteMs) ? rawFirst : minFirst;
    const auto last = rawLast && (!minLast || rawLast->t >= minLast->t) ? rawLast : minLast;
    if (!first || !last)
        return std::nullopt;
    return Edges{first->t, first->v, last->t, last->v};
}

} // namespace history
