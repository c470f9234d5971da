#pragma once
// Series points and their reduction to the columns of a chart: a month of
// one-second data draws as fast as an hour when each pixel column gets its
// lowest and highest value only.
#include <QList>
#include <QPointF>

#include <span>
#include <vector>

namespace history {

// One point of a series: a raw row (min = avg = max, n = 1) or an
// aggregate of n rows starting at t.
struct Point {
    qint64 t = 0;
    double min = 0;
    double avg = 0;
    double max = 0;
    qint64 n = 1;
};

struct Column {
    qint64 t = 0;    // where the column starts
    qint64 tMin = 0; // when the lowest and the highest value came
    qint64 tMax = 0;
    double min = 0;
    double max = 0;
    double avg = 0;  // weighted by the points' n
    qint64 n = 0;
};

// The points of [from, to) in `columns` equal columns, empty columns left
// out; points must come in time order. Nothing for an empty range or no
// columns.
std::vector<Column> decimate(std::span<const Point> points, qint64 from, qint64 to, int columns);

// The columns as a line: each column's lowest and highest value in the
// order they came (one point where they are the same), x in ms.
QList<QPointF> polyline(std::span<const Column> columns);

} // namespace history
