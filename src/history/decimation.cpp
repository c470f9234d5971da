#include "decimation.h"

namespace history {

std::vector<Column> decimate(std::span<const Point> points, qint64 from, qint64 to, int columns)
{
    std::vector<Column> out;
    if (to <= from || columns <= 0)
        return out;
    const qint64 span = to - from;
    // The column of t: (t - from) × columns / span without overflow for any
    // span and up to 2^31 columns (128-bit product).
    const auto columnOf = [&](qint64 t) {
        return qint64((__int128(t - from) * columns) / span);
    };
    const auto startOf = [&](qint64 c) { return from + qint64((__int128(c) * span + columns - 1) / columns); };
    qint64 current = -1;
    double weighted = 0;
    for (const Point &p : points) {
        if (p.t < from || p.t >= to)
            continue;
        const qint64 c = columnOf(p.t);
        if (c != current) {
            if (!out.empty())
                out.back().avg = out.back().n ? weighted / double(out.back().n) : out.back().avg;
            out.push_back({startOf(c), p.t, p.t, p.min, p.max, p.avg, 0});
            current = c;
            weighted = 0;
        }
        Column &col = out.back();
        if (p.min < col.min) {
            col.min = p.min;
            col.tMin = p.t;
        }
        if (p.max > col.max) {
            col.max = p.max;
            col.tMax = p.t;
        }
        const qint64 n = p.n > 0 ? p.n : 1;
        weighted += p.avg * double(n);
        col.n += n;
    }
    if (!out.empty() && out.back().n)
        out.back().avg = weighted / double(out.back().n);
    return out;
}

QList<QPointF> polyline(std::span<const Column> columns)
{
    QList<QPointF> line;
    line.reserve(qsizetype(columns.size()) * 2);
    for (const Column &c : columns) {
        if (c.tMin == c.tMax && c.min == c.max) {
            line.append(QPointF(double(c.tMin), c.min));
        } else if (c.tMin <= c.tMax) {
            line.append(QPointF(double(c.tMin), c.min));
            line.append(QPointF(double(c.tMax), c.max));
        } else {
            line.append(QPointF(double(c.tMax), c.max));
            line.append(QPointF(double(c.tMin), c.min));
        }
    }
    return line;
}

} // namespace history
