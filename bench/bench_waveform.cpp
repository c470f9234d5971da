// One phase's waveform answer end to end: the dispatcher's walk over the read,
// the sampling into the two stores, the plot, the analysis of voltage and
// current and both bar charts, on the real page 3 widgets.
//
// Run with --benchmark_repetitions=20 --benchmark_report_aggregates_only=true
// and read the median.
#include "client_context.h"
#include "client_state.h"
#include "commands.h"
#include "dispatcher.h"
#include "handlers.h"
#include "main_pages.h"
#include "named_widgets.h"
#include "pending.h"
#include "register_store.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QByteArray waveformRead()
{
    QByteArray t("enerjial\x01\x01\x01" "1$199$239$128$");
    for (int k = 0; k < 128; ++k) {
        const double theta = 2 * M_PI * (k % 64) / 64;
        const double v = k < 64 ? 68 * std::sin(theta) + 2 * std::sin(5 * theta)
                                : 50 * std::sin(theta - 0.5) + 12 * std::sin(3 * theta) + 6 * std::sin(5 * theta);
        t += QByteArray::number(int(std::lround(v)) & 0xFF) + '$';
    }
    return t + "18$52$";
}

struct Page {
    QWidget root;
    ConnectionState conn;
    ProgramState prog;
    RegisterStore store;
    NamedWidgets widgets;
    ClientContext ctx;
    Dispatcher dispatcher;

    Page()
    {
        auto *lay = new QVBoxLayout(&root);
        auto *page = new QWidget(&root);
        pages::buildHarmonikDalga(page);
        lay->addWidget(page);
        for (const char *name : {"LblMesaj", "Label2"}) {
            auto *l = new QLabel(&root);
            l->setObjectName(QString::fromLatin1(name));
        }
        (new QLineEdit(QStringLiteral("12001"), &root))->setObjectName(QStringLiteral("Edit111"));
        widgets.index(&root);
        ctx.conn = &conn;
        ctx.prog = &prog;
        ctx.store = &store;
        ctx.mainWidgets = &widgets;
        ctx.messageLine = widgets.get<QLabel>(QStringLiteral("LblMesaj"));
        handlers::install(dispatcher, ctx);
        commands::installHarmonics(ctx);
    }
};

void BM_WaveformAnswer(benchmark::State &state)
{
    Page page;
    const QByteArray read = waveformRead();
    for (auto _ : state) {
        page.conn.pendingRequest = pending::harmoniki;
        page.dispatcher.walk(read, page.prog.lastRemainder);
        benchmark::DoNotOptimize(page.prog.harmonicSamplesB[63]);
    }
    if (page.widgets.get<QLineEdit>(QStringLiteral("EditH11"))->text().isEmpty())
        state.SkipWithError("the analysis did not run");
}
BENCHMARK(BM_WaveformAnswer)->Unit(benchmark::kMicrosecond);

} // namespace
