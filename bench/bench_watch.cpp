// The compensation watch at scale:
//  - WatchAnswer: the client's own time for one watch answer (the read
//    walked as the socket hands it over, the routing, the watch, the alarm
//    log and the open window's table), 1,000 devices listed; target < 1 ms;
//  - SweepOf1000: a whole sweep of 1,000 devices against the simulator
//    (`central_sim --generate 1000 --delay 0` where that simulator is built,
//    else the same made-up site served in this process), its wall time
//    against 1,000 times the round trip of one energy request;
//  - TableSortFilter: the table's order and filter over 10,000 rows; target
//    < 50 ms;
//  - ResidentWith10000: the client's resident memory with 10,000 devices
//    listed, watched, answered and shown in the window.
#include "client_events.h"
#include "client_windows.h"
#include "energy_request.h"
#include "frm_takip.h"
#include "log_in.h"
#include "sim_server.h"
#include "site.h"
#include "wire.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using Source = energy::RangeAnswer::Source;

const char *const kModels[] = {"Rkt90wz", "QRN410", "PMT830", "Rkt90wz", "LBE620"};

QByteArray deviceMessage(int i)
{
    return wire::buildRequest("cihazlar", {"GRUP " + QByteArray::number(i / 20), kModels[i % 5],
                                           "Cihaz " + QByteArray::number(i), QByteArray::number(100000 + i)});
}

QByteArray answerFor(const QByteArray &request, int percent)
{
    // keyword 0x01 serial 0x01 first 0x01 last 0x01 F4 F4 F4
    const QList<QByteArray> f = request.chopped(3).split('\x01');
    const QByteArray keyword = f[0] == "sycreaktfener" ? "tedassycal" : "reaktifenerji";
    return wire::buildRequest(keyword, {f[1], f[2], f[3], "1000", "1100", "0", QByteArray::number(percent % 30), "0",
                                        QByteArray::number(percent % 17)});
}

double residentMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// A client with `devices` listed and the watch started, its requests
// caught instead of sent.
struct Client {
    ClientWindows w;
    QList<QByteArray> sent;

    explicit Client(int devices)
    {
        programState() = ProgramState{};
        w.ana.state().connected = true;
        w.ana.scheduler().setTransport([this](const QByteArray &r) { sent << r; });
        w.ana.scheduler().setIdleMs(0);
        w.ana.scheduler().setConnected(true);
        QByteArray remainder;
        for (int i = 0; i < devices; ++i)
            w.ana.dispatcher().walk(deviceMessage(i), remainder);
        w.takip->watch().start();
    }
};

void WatchAnswer(benchmark::State &state)
{
    Client c(1000);
    c.w.takip->window()->show();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!c.w.ana.scheduler().inFlight()) {
            if (!c.w.takip->watch().isSweeping())
                c.w.takip->watch().sweepNow();
            QCoreApplication::processEvents();
        }
        const QByteArray answer = answerFor(c.w.ana.scheduler().inFlightRequest(), n++);
        state.ResumeTiming();
        c.w.ana.handleRead(answer);
    }
    state.counters["alarms"] = c.w.takip->alarms().count();
}
BENCHMARK(WatchAnswer)->Unit(benchmark::kMicrosecond)->Iterations(3000);

sim::Site madeUpSite(int devices)
{
    sim::Site site;
    QList<quint32> serials;
    for (int i = 0; i < devices; ++i) {
        sim::DeviceInfo d;
        d.group = QStringLiteral("Grup %1").arg(i / 20);
        d.model = QLatin1String(kModels[i % 5]);
        d.name = QStringLiteral("Cihaz %1").arg(i);
        d.serial = quint32(100000 + i);
        d.online = i % 50 != 7;
        site.devices << d;
        serials << d.serial;
    }
    site.users = {{QStringLiteral("demo"), QStringLiteral("1234"), serials, {}}};
    return site;
}

void SweepOf1000(benchmark::State &state)
{
    constexpr int kDevices = 1000;
    // The simulator in a process of its own where it can make the site up.
    std::unique_ptr<QProcess> process;
    std::unique_ptr<sim::SimServer> local;
    quint16 port = 0;
    const QString simulator = QStringLiteral(CENTRAL_SIM);
    process = std::make_unique<QProcess>();
    port = 17000 + quint16(QCoreApplication::applicationPid() % 500);
    process->start(simulator, {QStringLiteral("--generate"), QString::number(kDevices), QStringLiteral("--delay"),
                               QStringLiteral("0"), QStringLiteral("--port"), QString::number(port),
                               QStringLiteral("-q")});
    const bool external = process->waitForStarted(3000) && !process->waitForFinished(1500);
    if (!external) {
        process.reset();
        local = std::make_unique<sim::SimServer>(madeUpSite(kDevices));
        local->setAnswerDelay(0, 0);
        local->listen(QHostAddress::LocalHost, 0);
        port = local->port();
    }
    for (auto _ : state) {
        ClientWindows w;
        w.ana.scheduler().setIdleMs(0);
        logIn(w.giris, port);
        fleet::CompensationWatch &watch = w.takip->watch();
        if (!QTest::qWaitFor([&] { return w.ana.registry().count() == kDevices; }, 60000)) {
            state.SkipWithError("the device list did not come");
            break;
        }
        // One round trip, alone: the first device asked by the user.
        QElapsedTimer rtt;
        const QByteArray serial = w.ana.registry().at(0).serial;
        if (!QTest::qWaitFor([&] { return watch.sweepsDone() > 0; }, 120000)) {
            state.SkipWithError("the first sweep did not end");
            break;
        }
        bool back = false;
        auto c = QObject::connect(&w.ana.events(), &fleet::ClientEvents::energyRange, [&] { back = true; });
        rtt.start();
        w.ana.scheduler().sendUser(energy::rangeRequest(Source::Device, serial, "01.12.2026", "02.12.2026"));
        if (!QTest::qWaitFor([&] { return back; }, 5000)) {
            QObject::disconnect(c);
            state.SkipWithError("the user's request was not answered");
            break;
        }
        const double roundTripMs = rtt.nsecsElapsed() / 1e6;
        QObject::disconnect(c);

        QElapsedTimer wall;
        wall.start();
        // The event loop's lateness while the sweep runs: a 100 ms timer's
        // worst delay beyond its interval.
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(100);
        qint64 lastTick = 0, worstLate = 0;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = wall.elapsed();
            worstLate = qMax(worstLate, now - lastTick - 100);
            lastTick = now;
        });
        tick.start();
        w.ana.scheduler().setIdleMs(0);
        watch.sweepNow();
        if (!QTest::qWaitFor([&] { return !watch.isSweeping(); }, 120000)) {
            state.SkipWithError("the sweep did not end");
            break;
        }
        tick.stop();
        state.counters["worst_lateness_ms"] = double(worstLate);
        const double wallMs = wall.nsecsElapsed() / 1e6;
        state.counters["wall_ms"] = wallMs;
        state.counters["round_trip_ms"] = roundTripMs;
        state.counters["wall_per_round_trips"] = wallMs / (kDevices * roundTripMs);
        state.counters["external_sim"] = external ? 1 : 0;
    }
    if (process) {
        process->kill();
        process->waitForFinished();
    }
}
BENCHMARK(SweepOf1000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// 10,000 devices answered in every band, as the watch holds them.
struct Large {
    std::unique_ptr<Client> c;
    double before = 0;
    Large()
    {
        before = residentMb();
        c = std::make_unique<Client>(10000);
        fleet::CompensationWatch &watch = c->w.takip->watch();
        std::mt19937 random(7);
        const fleet::BillingPeriod p = watch.period();
        for (int i = 0; i < watch.count(); ++i) {
            const fleet::DeviceEntry &d = c->w.ana.registry().at(i);
            if (!fleet::hasEnergyCounters(d.kind))
                continue;
            const Source s = fleet::readsThroughMeter(d.kind) ? Source::Meter : Source::Device;
            c->w.ana.handleRead(answerFor(energy::rangeRequest(s, d.serial, energy::wireDate(p.first),
                                                               energy::wireDate(p.last)),
                                          int(random() % 40)));
        }
        c->w.takip->window()->show();
        QCoreApplication::processEvents();
    }
};

// Made once, and taken down with the application (not after it, as a
// static would be).
Large &large()
{
    static Large *l = [] {
        auto *made = new Large;
        qAddPostRoutine([] { delete l; });
        return made;
    }();
    return *l;
}

// One order over the 10,000 rows: worst first (the window's own), by name,
// by the inductive ratio.
void TableSort(benchmark::State &state)
{
    WatchSortFilterModel *view = large().c->w.takip->window()->viewModel();
    view->setFilter(WatchSortFilterModel::Filter::All);
    const int column = int(state.range(0));
    bool flip = false;
    for (auto _ : state) {
        view->setWorstFirst(column < 0);
        view->sort(qMax(0, column), flip ? Qt::AscendingOrder : Qt::DescendingOrder);
        flip = !flip;
        benchmark::DoNotOptimize(view->index(0, 0));
    }
    state.counters["rows"] = view->rowCount();
}
BENCHMARK(TableSort)->Arg(-1)->Arg(WatchTableModel::Device)->Arg(WatchTableModel::InductiveRatio)
    ->Unit(benchmark::kMillisecond)->Iterations(6);

// One filter over the 10,000 rows, kept in the worst-first order.
void TableFilter(benchmark::State &state)
{
    WatchSortFilterModel *view = large().c->w.takip->window()->viewModel();
    view->setWorstFirst(true);
    view->sort(0, Qt::DescendingOrder);
    const auto filter = WatchSortFilterModel::Filter(state.range(0));
    for (auto _ : state) {
        view->setFilter(filter);
        benchmark::DoNotOptimize(view->rowCount());
        state.PauseTiming();
        state.counters["rows"] = view->rowCount();
        view->setFilter(WatchSortFilterModel::Filter::All);
        state.ResumeTiming();
    }
}
BENCHMARK(TableFilter)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(6);

void ResidentWith10000(benchmark::State &state)
{
    Large &l = large();
    for (auto _ : state)
        benchmark::DoNotOptimize(l.c->w.takip->watch().count());
    state.counters["rss_mb"] = residentMb();
    state.counters["rss_before_mb"] = l.before;
    state.counters["devices"] = l.c->w.takip->watch().count();
}
BENCHMARK(ResidentWith10000)->Iterations(1);

} // namespace
