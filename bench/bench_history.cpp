// The history's figures: the cost of recording a live relay at one answer a
// second (processor time of the whole process, writer thread included, per
// answer: at one answer a second that is the share of a core), bytes of
// database per device and day, a week of one-second data for one quantity
// drawn on ~1,000 pixel columns against fetching every point, and
// tarnek-history exporting a million rows.
//   HISTORY_BENCH_PG=postgresql://user@host:port/emptydb  also on PostgreSQL
//   HISTORY_BENCH_DIR=/some/folder  keeps the filled databases there for the
//                                   next run (a temporary folder otherwise)
#include "history_reader.h"
#include "recorder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>

using namespace history;

namespace {

const qint64 kStart = QDateTime(QDate(2026, 3, 2), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
constexpr qint64 kWeekRows = 604'800;
constexpr qint64 kExportRows = 1'000'000;
const QString kSerial = QStringLiteral("12001");

QDir folder()
{
    static QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/bench-history-XXXXXX"));
    const QString kept = qEnvironmentVariable("HISTORY_BENCH_DIR");
    if (!kept.isEmpty())
        QDir().mkpath(kept);
    return QDir(kept.isEmpty() ? temporary.path() : kept);
}

Location sqlite(const char *name)
{
    return *parseLocation(folder().filePath(QLatin1String(name)));
}

// A relay's answer of 125 registers that moves a little every second.
void relayAnswer(std::vector<double> &registers, qint64 second)
{
    registers.assign(402, -1.0);
    for (int r = 1; r <= 124; ++r)
        registers[size_t(r)] = double((r * 131 + second * (r % 7 + 1)) % 4000);
    registers[0] = 40;
    registers[20] = double(950 + second % 40);
}

// Bytes the database takes once its journal is folded in.
qint64 settledSize(const Location &l)
{
    HistoryDatabase db;
    if (!db.open(l))
        return -1;
    if (l.backend == Backend::SQLite)
        db.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return db.size();
}

void recordAnswers(benchmark::State &state, const Location &location)
{
    auto now = std::make_shared<std::atomic<qint64>>(kStart);
    RecorderOptions o;
    o.location = location;
    o.flushMs = 3'600'000; // one flush per answer, below
    o.clock = [now] { return now->load(); };
    const qint64 empty = [&] {
        Recorder first(o);
        first.sync();
        return settledSize(location);
    }();
    qint64 answers = 0;
    {
        Recorder rec(o);
        std::vector<double> registers;
        for (auto _ : state) {
            *now += 1000;
            relayAnswer(registers, answers++);
            rec.recordRegisters(kSerial, 2, registers, {0, 124});
            rec.sync(); // the second's batch, written
        }
        if (rec.committedRows() == 0)
            state.SkipWithError("nothing written");
        state.counters["values_per_answer"] = double(rec.committedRows()) / double(answers);
    }
    // One answer a second for a day, from what this run's answers took.
    state.counters["bytes_per_device_day"] = double(settledSize(location) - empty) * 86400.0 / double(answers);
}

void BM_RecordRelayAnswer_SQLite(benchmark::State &state)
{
    QFile::remove(folder().filePath("record.sqlite"));
    recordAnswers(state, sqlite("record.sqlite"));
}
// An hour of answers: minutes finish and get their aggregates meanwhile.
BENCHMARK(BM_RecordRelayAnswer_SQLite)->Iterations(3600)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

void BM_RecordRelayAnswer_PostgreSQL(benchmark::State &state)
{
    const auto l = parseLocation(qEnvironmentVariable("HISTORY_BENCH_PG"));
    if (!l || l->backend != Backend::PostgreSQL) {
        state.SkipWithError("HISTORY_BENCH_PG not set");
        for (auto _ : state) {
        }
        return;
    }
    recordAnswers(state, *l);
}
BENCHMARK(BM_RecordRelayAnswer_PostgreSQL)->Iterations(3600)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

// One quantity at one value a second from kStart on, written through the
// recorder (each row is part of its minute's aggregate too).
const Location &filled(const char *name, const QString &quantity, qint64 rows)
{
    static std::map<QString, Location> made;
    const QString key = QLatin1String(name);
    if (const auto it = made.find(key); it != made.end())
        return it->second;
    RecorderOptions o;
    o.location = sqlite(name);
    if (QFile::exists(o.location.file)) // kept from an earlier run
        return made.emplace(key, o.location).first->second;
    o.flushMs = 3'600'000;
    o.clock = [rows] { return kStart + rows * 1000 + 3'600'000; };
    o.maxPendingRows = rows + 1;
    QElapsedTimer timer;
    timer.start();
    {
        Recorder rec(o);
        for (qint64 i = 0; i < rows; ++i)
            rec.record(kSerial, quantity, kStart + i * 1000, 0.92 + 0.05 * std::sin(double(i) / 900.0) + (i % 13) * 1e-3);
        rec.sync();
    }
    std::fprintf(stderr, "filled %lld rows of %s in %.1f s\n", static_cast<long long>(rows), name,
                 double(timer.elapsed()) / 1000);
    return made.emplace(key, o.location).first->second;
}

void BM_WeekDecimatedTo1000Columns(benchmark::State &state)
{
    HistoryReader reader;
    if (!reader.open(filled("week.sqlite", QStringLiteral("cos_total"), kWeekRows)))
        state.SkipWithError("no database");
    size_t columns = 0;
    for (auto _ : state) {
        const auto c = reader.decimated(kSerial, QStringLiteral("cos_total"), kStart, kStart + kWeekRows * 1000, 1000);
        columns = c.size();
        benchmark::DoNotOptimize(c.data());
    }
    state.counters["columns"] = double(columns);
}
BENCHMARK(BM_WeekDecimatedTo1000Columns)->Unit(benchmark::kMillisecond);

void BM_WeekEveryPoint(benchmark::State &state)
{
    HistoryReader reader;
    if (!reader.open(filled("week.sqlite", QStringLiteral("cos_total"), kWeekRows)))
        state.SkipWithError("no database");
    size_t points = 0;
    for (auto _ : state) {
        const auto p = reader.series(kSerial, QStringLiteral("cos_total"), kStart, kStart + kWeekRows * 1000, Step::Raw);
        points = p.size();
        const auto c = decimate(p, kStart, kStart + kWeekRows * 1000, 1000);
        benchmark::DoNotOptimize(c.data());
    }
    state.counters["points"] = double(points);
}
BENCHMARK(BM_WeekEveryPoint)->Unit(benchmark::kMillisecond);

void BM_DecimateWeekInMemory(benchmark::State &state)
{
    std::vector<Point> points;
    for (qint64 i = 0; i < kWeekRows; ++i) {
        const double v = std::sin(double(i) / 900.0);
        points.push_back({kStart + i * 1000, v, v, v, 1});
    }
    for (auto _ : state) {
        const auto c = decimate(points, kStart, kStart + kWeekRows * 1000, 1000);
        benchmark::DoNotOptimize(c.data());
    }
}
BENCHMARK(BM_DecimateWeekInMemory)->Unit(benchmark::kMillisecond);

void BM_ExportMillionRows(benchmark::State &state)
{
    const Location &l = filled("export.sqlite", QStringLiteral("V1"), kExportRows);
    const QString to = QDateTime::fromMSecsSinceEpoch(kStart + kExportRows * 1000, Qt::UTC).toString(Qt::ISODate);
    const QStringList args{"--history", l.file, "export", "--serial", kSerial, "--quantity", "V1", "--from",
                           "2026-03-02T00:00:00Z", "--to", to, "--csv", folder().filePath("export.csv")};
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(TARNEK_HISTORY), args);
        if (!p.waitForFinished(120'000) || p.exitCode() != 0)
            state.SkipWithError(p.readAllStandardError().constData());
    }
    QFile out(folder().filePath("export.csv"));
    state.counters["csv_bytes"] = double(out.size());
}
BENCHMARK(BM_ExportMillionRows)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
