// Answers on the compensation watch's path: reads walked through the
// handlers into the scheduler's routing, the watch and its alarm log, for
// the devices of a small site (asked, unasked, without counters, unlisted).
// Every input starts from a fresh client state. A 0xFF byte ends a read;
// between reads the scheduler sends its next request. "@1" and "@2" stand
// for the first and the last date of the watch's billing period.
#include "alarm_log.h"
#include "client_context.h"
#include "client_events.h"
#include "client_state.h"
#include "compensation_watch.h"
#include "device_registry.h"
#include "dispatcher.h"
#include "energy_request.h"
#include "handlers.h"
#include "request_scheduler.h"
#include "silent_abort.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 30));

// What failed goes to the log before the abort, for the saved input.
void check(bool ok, int line)
{
    if (!ok) {
        fprintf(stderr, "fuzz_watch: the check at line %d failed\n", line);
        abort();
    }
}
#define CHECK(x) check((x), __LINE__)

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_watch";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app);

    programState() = ProgramState{};
    ConnectionState conn;
    fleet::DeviceRegistry registry;
    fleet::RequestScheduler scheduler;
    fleet::ClientEvents events;
    fleet::CompensationWatch watch(registry, scheduler);
    fleet::AlarmLog alarms;
    watch.setClock([] { return kNow; });
    scheduler.setIdleMs(0);
    scheduler.setConnected(true);
    QObject::connect(&events, &fleet::ClientEvents::energyRange, &watch, &fleet::CompensationWatch::takeAnswer);
    QObject::connect(&events, &fleet::ClientEvents::deviceOffline, &watch, &fleet::CompensationWatch::takeOffline);
    QObject::connect(&watch, &fleet::CompensationWatch::bandsRead, &alarms,
                     [&](int i, const fleet::WatchEntry &e) {
                         const fleet::DeviceEntry &d = registry.at(i);
                         alarms.observe(d.serial, d.name, energy::Reactive::Inductive, e.inductiveBand,
                                        e.ratios.inductive, kNow);
                         alarms.observe(d.serial, d.name, energy::Reactive::Capacitive, e.capacitiveBand,
                                        e.ratios.capacitive, kNow);
                     });
    Dispatcher dispatcher;
    ClientContext ctx;
    ctx.conn = &conn;
    ctx.prog = &programState();
    ctx.registry = &registry;
    ctx.scheduler = &scheduler;
    ctx.events = &events;
    handlers::install(dispatcher, ctx);

    const char *const models[] = {"QRN410", "Rkt90wz", "LBE620", "PMT830", "XYZ100", "Rkt90wz"};
    for (int i = 0; i < 6; ++i)
        registry.add("depo", models[i], "cihaz", QByteArray::number(12001 + i));
    watch.start();

    const fleet::BillingPeriod p = watch.period();
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    input.replace("@1", energy::wireDate(p.first));
    input.replace("@2", energy::wireDate(p.last));
    QByteArray remainder;
    for (const QByteArray &read : input.split('\xFF')) {
        QCoreApplication::processEvents(); // the scheduler's next request goes out
        try {
            dispatcher.walk(read, remainder);
        } catch (const SilentAbort &) {
        }
        // What the watch holds agrees with the registry and the bands' own
        // reading of the ratios; the sweep and the alarms count within bounds.
        CHECK(watch.count() == registry.count());
        CHECK(watch.sweepDone() >= 0 && watch.sweepDone() <= watch.sweepTotal());
        CHECK(watch.sweepTotal() <= registry.count() * 2);
        for (int i = 0; i < watch.count(); ++i) {
            const fleet::WatchEntry &e = watch.at(i);
            const bool counters = fleet::hasEnergyCounters(registry.at(i).kind);
            CHECK(counters || (e.state == fleet::WatchState::NoCounters && !e.known));
            if (e.known)
                CHECK(e.inductiveBand == energy::band(e.ratios.inductive, energy::Reactive::Inductive)
                      && e.capacitiveBand == energy::band(e.ratios.capacitive, energy::Reactive::Capacitive));
        }
        CHECK(alarms.count() <= fleet::AlarmLog::kMaxRecords && alarms.unacknowledged() <= alarms.count());
    }
    return 0;
}
