// One tick of the live display over registers 0 to 401 on the real main
// window (offscreen): with every value changing from one tick to the next,
// and with nothing changed. Targets: median under 2 ms changing, under
// 0.3 ms unchanged.
#include "client_state.h"
#include "frm_ana.h"
#include "tvd1kal.h"
#include "refresh_cycle.h"
#include "sim_compensation_relay.h"
#include "sim_physics.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <array>

namespace {

using Image = std::array<double, 402>;

Image imageOf(const sim::SimDevice &d, double offset)
{
    Image img{};
    for (int n = 0; n < 402; ++n)
        img[size_t(n)] = d.reg(n) + (n == 0 ? 0 : offset);
    return img;
}

// The main window with its store, shown, without the login window.
struct Scene {
    TFrmAna ana;
    TVD1KAL store;
    std::unique_ptr<RefreshCycle> cycle;
    Image a{}, b{};

    explicit Scene(int kind)
    {
        ana.attach({}, nullptr, &store, nullptr);
        ana.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        ana.show();
        QApplication::processEvents();
        programState().deviceKind = kind;
        programState().decimalSeparator = QLatin1Char(',');
        sim::DeviceInfo info;
        info.model = kind == 2 ? QStringLiteral("Rkt90wz") : QStringLiteral("QRN410");
        info.serial = 12002;
        const qint64 t = QDateTime(QDate(2026, 6, 15), QTime(11, 0)).toMSecsSinceEpoch();
        std::unique_ptr<sim::SimDevice> d;
        if (kind == 2)
            d = std::make_unique<sim::CompensationRelayDevice>(info, t);
        else
            d = std::make_unique<sim::AnalyserDevice>(info, t);
        a = imageOf(*d, 0);
        d->advance(t + 60000);
        // One more on every register: every text of the second image differs.
        b = imageOf(*d, 1);
        cycle = std::make_unique<RefreshCycle>(ana.context());
        load(a);
        cycle->Timer1Timer();
    }
    void load(const Image &img)
    {
        RegisterStore &s = store.store();
        for (int n = 0; n < 402; ++n)
            s.write(1, n, img[size_t(n)]);
    }
};

void tickChanging(benchmark::State &state)
{
    Scene scene(int(state.range(0)));
    bool flip = false;
    for (auto _ : state) {
        scene.load(flip ? scene.a : scene.b);
        flip = !flip;
        scene.cycle->Timer1Timer();
    }
}

void tickUnchanged(benchmark::State &state)
{
    Scene scene(int(state.range(0)));
    for (auto _ : state)
        scene.cycle->Timer1Timer();
}

// The tick and the repaint it causes, with the page in front.
void tickAndPaint(benchmark::State &state)
{
    Scene scene(int(state.range(0)));
    bool flip = false;
    for (auto _ : state) {
        scene.load(flip ? scene.a : scene.b);
        flip = !flip;
        scene.cycle->Timer1Timer();
        QApplication::processEvents();
    }
}

} // namespace

BENCHMARK(tickChanging)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(tickUnchanged)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(tickAndPaint)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
