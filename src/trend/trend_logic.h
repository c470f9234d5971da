#pragma once
// The trend window's plain logic: the ranges it offers, a series' lowest,
// average and highest value, the value under the crosshair, and the shown
// data as a table for the CSV export.
#include "decimation.h"
#include "export_table.h"

#include <QList>
#include <QLocale>
#include <QPen>
#include <QPointF>
#include <QString>

#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace trend {

// The entries of the range box, in its order.
enum class Range { LastHour, LastDay, LastWeek, LastMonth, Custom };
inline constexpr int kRangeCount = 5;
// The range box's texts (translated).
QStringList rangeTexts();
// [now − length, now) of a preset; Custom has none and gives [now, now).
std::pair<qint64, qint64> presetSpan(Range range, qint64 now);

struct Stats {
    double min = 0;
    double avg = 0; // weighted by the points each column holds
    double max = 0;
    qint64 n = 0;
};
// Nothing for no columns.
std::optional<Stats> statsOf(std::span<const history::Column> columns);

// One series as the chart shows it: its columns over the shown range.
struct ShownSeries {
    QString serial;
    QString quantity;
    QString label; // translated
    QString unit;
    std::vector<history::Column> columns;
};

// "12001 cos φ toplam" and the unit in brackets when it has one.
QString seriesTitle(const ShownSeries &s);
// The legend's entry: title, then lowest, average and highest value.
QString legendText(const ShownSeries &s, const QLocale &locale = QLocale());
// A value as the legend and the crosshair write it: four significant
// digits at most, the locale's decimal sign.
QString valueText(double v, const QLocale &locale = QLocale());

// The point of the line nearest to x (the line in x order); nothing for an
// empty line.
std::optional<QPointF> nearestPoint(std::span<const QPointF> line, double x);

// Time, then the lowest, average and highest value of each series, one row
// per column start; a series with nothing in a column leaves its fields
// empty. Times are local ISO 8601 with milliseconds: the column's start, or
// the time of the row when the column holds one row (a zoom that fine).
exports::Table trendTable(const QList<ShownSeries> &shown);

// The pen of the i-th line (from 0): twelve colours that stay apart on the
// white plot, then the same colours dashed, then dotted, so that no two of
// the first 36 lines look alike.
QPen linePen(int i);

} // namespace trend
