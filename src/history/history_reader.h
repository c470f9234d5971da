#pragma once
// Reading the history: the devices and quantities kept, a series at a step
// (raw rows, one-minute aggregates, hours and local days made from them),
// a series reduced to a chart's columns, the database's size. For the trend
// window, the exports and tarnek-history. A reader belongs to the thread
// that opened it.
#include "decimation.h"
#include "history_database.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace history {

enum class Step { Raw, Minute, Hour, Day };
// "raw", "1m", "1h", "1d".
std::optional<Step> parseStep(QStringView text);
QString stepName(Step step);

struct SeriesInfo {
    QString serial;
    QString quantity;
    qint64 first = 0; // UTC ms of the oldest and newest row or aggregate
    qint64 last = 0;
};

// The first and the last value of a series in a range: raw rows where they
// are kept, the minutes' lowest and highest value where only those are.
struct Edges {
    qint64 firstT = 0;
    double first = 0;
    qint64 lastT = 0;
    double last = 0;
};

// Points of one series in time order, read as they are asked for.
class PointCursor {
public:
    virtual ~PointCursor() = default;
    virtual bool next(Point &p) = 0;
};

class HistoryReader {
public:
    HistoryReader();
    ~HistoryReader();

    // A missing SQLite file is not made here; an older schema is brought up
    // to date.
    bool open(const Location &location, QString *error = nullptr);
    QString errorText() const { return m_db.error().text; }
    HistoryDatabase &database() { return m_db; }

    QList<SeriesInfo> seriesList();
    std::optional<qint64> seriesId(const QString &serial, const QString &quantity);

    // Hours are UTC hours; days are local days, each point at its local
    // midnight. Aggregated steps hold finished minutes only.
    std::unique_ptr<PointCursor> cursor(qint64 seriesId, qint64 from, qint64 to, Step step);
    std::vector<Point> series(const QString &serial, const QString &quantity, qint64 from, qint64 to, Step step);

    // The series in [from, to) in `columns` columns (decimation.h): from the
    // minutes where a column spans a minute or more and where raw rows are
    // no longer kept, from raw rows elsewhere.
    std::vector<Column> decimated(const QString &serial, const QString &quantity, qint64 from, qint64 to,
                                  int columns);

    std::optional<Edges> edges(qint64 seriesId, qint64 from, qint64 to);

    qint64 databaseSize() { return m_db.size(); }

private:
    std::optional<qint64> scalar(const QString &sql, qint64 seriesId, qint64 from, qint64 to);
    void append(std::vector<Point> &out, qint64 seriesId, qint64 from, qint64 to, Step step);

    HistoryDatabase m_db;
};

} // namespace history
