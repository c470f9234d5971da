// The trend chart's drawing: one week of one-second data for one quantity
// (604,800 rows) read from SQLite and drawn through a real chart view,
// reduced to the plot's pixel columns against every point, in the same run;
// and the trend window itself drawing the week. The ratio of the two is
// printed at the end.
//   HISTORY_BENCH_DIR=/some/folder  keeps the filled database for the next
//                                   run (a temporary folder otherwise)
#include "frm_trend.h"
#include "history_reader.h"
#include "recorder.h"
#include "trend_chart_view.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QElapsedTimer>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QValueAxis>
#include <benchmark/benchmark.h>

#include <cmath>

using namespace history;

namespace {

const qint64 kStart = QDateTime(QDate(2026, 3, 2), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
constexpr qint64 kWeekRows = 604'800;
const qint64 kEnd = kStart + kWeekRows * 1000;
const QString kSerial = QStringLiteral("12001");
const QString kQuantity = QStringLiteral("cos_total");
const QSize kViewSize(1000, 600);

double g_decimatedMs = 0, g_everyMs = 0;

const Location &week()
{
    static QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/bench-trend-XXXXXX"));
    static std::optional<Location> made;
    if (made)
        return *made;
    const QString kept = qEnvironmentVariable("HISTORY_BENCH_DIR");
    const QDir dir(kept.isEmpty() ? temporary.path() : kept);
    QDir().mkpath(dir.path());
    made = *parseLocation(dir.filePath(QStringLiteral("trend-week.sqlite")));
    if (QFile::exists(made->file))
        return *made;
    RecorderOptions o;
    o.location = *made;
    o.flushMs = 3'600'000;
    o.clock = [] { return kEnd + 3'600'000; };
    o.maxPendingRows = kWeekRows + 1;
    Recorder rec(o);
    for (qint64 i = 0; i < kWeekRows; ++i)
        rec.record(kSerial, kQuantity, kStart + i * 1000, 0.92 + 0.05 * std::sin(double(i) / 900.0) + (i % 13) * 1e-3);
    rec.sync();
    return *made;
}

// A chart view as the trend window has it: time below, values left.
struct Chart {
    QChart *chart = new QChart;
    QLineSeries *series = new QLineSeries;
    QChartView view{chart};
    Chart()
    {
        chart->legend()->hide();
        auto *x = new QDateTimeAxis;
        x->setRange(QDateTime::fromMSecsSinceEpoch(kStart), QDateTime::fromMSecsSinceEpoch(kEnd));
        auto *y = new QValueAxis;
        y->setRange(0.85, 1.0);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        view.resize(kViewSize);
        view.show();
        QCoreApplication::processEvents();
    }
    void draw(const QList<QPointF> &points)
    {
        series->replace(points);
        const QPixmap shot = view.grab(); // the scene painted, series included
        benchmark::DoNotOptimize(shot.cacheKey());
    }
};

void BM_TrendWeekDecimated(benchmark::State &state)
{
    HistoryReader reader;
    if (!reader.open(week()))
        state.SkipWithError("no database");
    Chart c;
    const int columns = int(c.chart->plotArea().width());
    qsizetype points = 0;
    QElapsedTimer t;
    t.start();
    for (auto _ : state) {
        const auto cols = reader.decimated(kSerial, kQuantity, kStart, kEnd, columns);
        const QList<QPointF> line = polyline(cols);
        points = line.size();
        c.draw(line);
    }
    g_decimatedMs = double(t.nsecsElapsed()) / 1e6 / double(state.iterations());
    state.counters["columns"] = columns;
    state.counters["points"] = double(points);
}
BENCHMARK(BM_TrendWeekDecimated)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TrendWeekEveryPoint(benchmark::State &state)
{
    HistoryReader reader;
    if (!reader.open(week()))
        state.SkipWithError("no database");
    Chart c;
    qsizetype points = 0;
    QElapsedTimer t;
    t.start();
    for (auto _ : state) {
        const auto rows = reader.series(kSerial, kQuantity, kStart, kEnd, Step::Raw);
        QList<QPointF> line;
        line.reserve(qsizetype(rows.size()));
        for (const Point &p : rows)
            line.append(QPointF(double(p.t), p.avg));
        points = line.size();
        c.draw(line);
    }
    g_everyMs = double(t.nsecsElapsed()) / 1e6 / double(state.iterations());
    state.counters["points"] = double(points);
}
BENCHMARK(BM_TrendWeekEveryPoint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The whole window: the week asked again at the plot's width and drawn.
void BM_TrendWindowWeek(benchmark::State &state)
{
    FrmTrend w(week());
    w.setClock([] { return kEnd; });
    w.resize(1100, 700);
    w.show();
    QCoreApplication::processEvents();
    w.reload();
    w.setChecked(kSerial, kQuantity);
    w.setCustomRange(kStart, kEnd);
    for (auto _ : state) {
        w.zoomTo(kStart, kEnd - 1);
        w.zoomTo(kStart, kEnd);
        const QPixmap shot = w.chartView()->grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
    state.counters["queries_per_iteration"] = 2;
}
BENCHMARK(BM_TrendWindowWeek)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_decimatedMs > 0 && g_everyMs > 0)
        std::printf("week drawn: decimated %.1f ms, every point %.1f ms, ratio %.0fx\n", g_decimatedMs, g_everyMs,
                    g_everyMs / g_decimatedMs);
    return 0;
}
