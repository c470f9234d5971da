#include "trend_logic.h"

#include "time_text.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <map>

namespace trend {

namespace {
// The trend window's texts made here, in the window's translation context.
struct TrendWindow {
    Q_DECLARE_TR_FUNCTIONS(TrendWindow)
};
constexpr qint64 kHourMs = 3'600'000;
} // namespace

QStringList rangeTexts()
{
    return {TrendWindow::tr("Son 1 saat"), TrendWindow::tr("Son 24 saat"), TrendWindow::tr("Son 7 gün"),
            TrendWindow::tr("Son 30 gün"), TrendWindow::tr("Özel...")};
}

std::pair<qint64, qint64> presetSpan(Range range, qint64 now)
{
    qint64 length = 0;
    switch (range) {
    case Range::LastHour:
        length = kHourMs;
        break;
    case Range::LastDay:
        length = 24 * kHourMs;
        break;
    case Range::LastWeek:
        length = 7 * 24 * kHourMs;
        break;
    case Range::LastMonth:
        length = 30 * 24 * kHourMs;
        break;
    case Range::Custom:
        break;
    }
    return {now - length, now};
}

std::optional<Stats> statsOf(std::span<const history::Column> columns)
{
    if (columns.empty())
        return std::nullopt;
    Stats s{columns.front().min, 0, columns.front().max, 0};
    double weighted = 0;
    for (const history::Column &c : columns) {
        s.min = std::min(s.min, c.min);
        s.max = std::max(s.max, c.max);
        weighted += c.avg * double(c.n);
        s.n += c.n;
    }
    s.avg = s.n ? weighted / double(s.n) : s.min;
    return s;
}

QString seriesTitle(const ShownSeries &s)
{
    QString t = s.serial + QLatin1Char(' ') + s.label;
    if (!s.unit.isEmpty())
        t += QStringLiteral(" (%1)").arg(s.unit);
    return t;
}

QString valueText(double v, const QLocale &locale)
{
    if (!std::isfinite(v))
        return QString();
    // Four significant digits, but never an exponent for the values shown.
    const double a = std::abs(v);
    const int whole = a >= 1 ? int(std::floor(std::log10(a))) + 1 : 1;
    const int decimals = std::clamp(4 - whole, 0, 4);
    return locale.toString(v, 'f', decimals);
}

QString legendText(const ShownSeries &s, const QLocale &locale)
{
    const auto st = statsOf(s.columns);
    if (!st)
        return TrendWindow::tr("%1 — kayıt yok").arg(seriesTitle(s));
    return TrendWindow::tr("%1 — en küçük %2 · ortalama %3 · en büyük %4")
        .arg(seriesTitle(s), valueText(st->min, locale), valueText(st->avg, locale), valueText(st->max, locale));
}

std::optional<QPointF> nearestPoint(std::span<const QPointF> line, double x)
{
    if (line.empty())
        return std::nullopt;
    const auto it = std::lower_bound(line.begin(), line.end(), x, [](const QPointF &p, double v) { return p.x() < v; });
    if (it == line.begin())
        return *it;
    if (it == line.end())
        return line.back();
    const auto before = it - 1;
    return (x - before->x() <= it->x() - x) ? *before : *it;
}

exports::Table trendTable(const QList<ShownSeries> &shown)
{
    exports::Table t;
    t.header.append(TrendWindow::tr("Zaman"));
    for (const ShownSeries &s : shown) {
        const QString title = seriesTitle(s);
        t.header.append(TrendWindow::tr("%1 en küçük").arg(title));
        t.header.append(TrendWindow::tr("%1 ortalama").arg(title));
        t.header.append(TrendWindow::tr("%1 en büyük").arg(title));
    }
    // Columns of the same range and width start at the same times, so the
    // series meet row by row.
    std::map<qint64, std::vector<const history::Column *>> rows;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (const history::Column &c : shown[i].columns) {
            auto &row = rows[c.t];
            row.resize(size_t(shown.size()), nullptr);
            row[size_t(i)] = &c;
        }
    }
    history::TimeFormatter time;
    for (const auto &[start, columns] : rows) {
        // A row of single rows at one time is written at that time.
        std::optional<qint64> at;
        bool single = true;
        for (const history::Column *c : columns) {
            if (!c)
                continue;
            if (c->n != 1 || (at && *at != c->tMin))
                single = false;
            at = c->tMin;
        }
        exports::Row r;
        r.append(exports::Cell(QString::fromLatin1(time.format(single && at ? *at : start, true))));
        for (const history::Column *c : columns) {
            if (c)
                r << exports::Cell(c->min) << exports::Cell(c->avg) << exports::Cell(c->max);
            else
                r << exports::Cell() << exports::Cell() << exports::Cell();
        }
        t.rows.append(r);
    }
    return t;
}

QPen linePen(int i)
{
    static constexpr QRgb kColours[] = {0x1f5fbf, 0xd62a28, 0x2a9a3a, 0xef7f00, 0x8a4fc2, 0x8c5a3c,
                                        0xd9479f, 0x0f9fb5, 0x5a5a5a, 0xa8a000, 0x263c8a, 0x9e3a3a};
    constexpr int n = int(std::size(kColours));
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
    i = std::max(i, 0);
    QPen pen(QColor(kColours[i % n]), 1.5);
    pen.setStyle(kStyles[(i / n) % int(std::size(kStyles))]);
    return pen;
}

} // namespace trend
