// A meter readout's piece must cost the same however long the readout has
// grown: finding the six codes looks only at the new text, and the memo is
// bounded. Run with QT_QPA_PLATFORM=offscreen.
#include "client_state.h"
#include "dispatcher.h"
#include "handlers.h"
#include "main_pages.h"
#include "meter_readout.h"
#include "named_widgets.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

namespace {

// A readout line as meters write it, 23 characters.
const QString kLine = QStringLiteral("1.8.2(04000.000*kWh)\r\n");

// The index alone: appending 64-character pieces to a readout that already
// holds state.range(0) characters.
void BM_ReadoutAppend(benchmark::State &state)
{
    energy::MeterReadout r;
    QString start;
    while (start.size() < state.range(0))
        start += kLine;
    r.append(start);
    const QString piece = (kLine + kLine + kLine).left(64);
    for (auto _ : state) {
        r.append(piece);
        benchmark::DoNotOptimize(r.value(0));
    }
    state.SetBytesProcessed(state.iterations() * piece.size());
}
BENCHMARK(BM_ReadoutAppend)->Arg(0)->Arg(64 << 10)->Arg(256 << 10)->Arg(500 << 10);

// For comparison: taking the memo's whole text and looking for the six codes
// in it, as a handler without the index would on every piece.
void BM_WholeMemoSearch(benchmark::State &state)
{
    QPlainTextEdit memo;
    QString fill;
    while (fill.size() < state.range(0))
        fill += QStringLiteral("0.0.0(71200400)\n");
    memo.setPlainText(fill);
    for (auto _ : state) {
        const QString text = memo.toPlainText();
        for (const QString &code : energy::MeterReadout::codes())
            benchmark::DoNotOptimize(text.indexOf(code));
    }
}
BENCHMARK(BM_WholeMemoSearch)->Arg(0)->Arg(64 << 10)->Arg(256 << 10)->Arg(500 << 10)->Unit(benchmark::kMicrosecond);

// The whole "sayacal" handling of one 64-byte piece, memo included, with the
// memo already holding state.range(0) characters.
void BM_SayacalPiece(benchmark::State &state)
{
    QWidget page;
    pages::buildSayac(&page);
    NamedWidgets widgets(&page);
    ConnectionState conn;
    ProgramState prog;
    ClientContext ctx;
    ctx.conn = &conn;
    ctx.prog = &prog;
    ctx.mainWidgets = &widgets;
    Dispatcher dispatcher;
    handlers::install(dispatcher, ctx);
    QByteArray last;
    QByteArray fill;
    while (fill.size() < state.range(0))
        fill += kLine.toLatin1();
    if (!fill.isEmpty())
        dispatcher.walk("sayacal\x01\x01\x01" + fill, last);
    const QByteArray piece = "sayacal\x01\x01\x01" + (kLine + kLine + kLine).toLatin1().left(64);
    for (auto _ : state)
        dispatcher.walk(piece, last);
    state.counters["memo"] = widgets.get<QPlainTextEdit>(QStringLiteral("Memo3"))->document()->characterCount();
}
BENCHMARK(BM_SayacalPiece)->Arg(0)->Arg(64 << 10)->Arg(256 << 10)->Arg(500 << 10)->Unit(benchmark::kMicrosecond);

} // namespace
