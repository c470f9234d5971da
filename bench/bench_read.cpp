// One socket read as the client handles it: the line in the communication
// log, the lamp flicker and the walk with every message handler installed.
// A read of 1 MiB must be logged and walked in well under 100 ms.
#include "client_windows.h"
#include "group_bar.h"
#include "bench_inputs.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

QByteArray junk(qsizetype size)
{
    QByteArray b(size, 'x');
    for (qsizetype i = 0; i < size; i += 7)
        b[i] = char('A' + i % 26);
    return b;
}

// Back-to-back copies of one message, up to size bytes.
QByteArray repeated(const QByteArray &one, qsizetype size)
{
    QByteArray b;
    b.reserve(size);
    while (b.size() + one.size() <= size)
        b += one;
    return b;
}

// Small messages of every kind the server sends unasked, back to back.
QByteArray mixed(qsizetype size)
{
    const QByteArray one = QByteArray("pong\x01yenimesaj\x01\xF4Hattayok\x01" "12010\x01\xF4"
                                      "akimdegerleri\x01" "1,5\x01" "2,5\x01" "3,5\x01" "4,5\x01 12003\x01"
                                      "01.01.2024\x01" "12:00:00\x01\xF4"
                                      "Sycdegerleri\x01" "1\x01" "2\x01" "3\x01\xF4"
                                      "reaktifenerji\x01" "12001\x01" "01.01.2024\x01" "08.01.2024\x01"
                                      "1000\x01" "1100\x01" "50\x01" "66\x01" "0\x01" "12\x01\xF4"
                                      "haklar\x01\xF4input\x01\xF4" "degerler\x01\xF4");
    return repeated(one, size);
}

ClientWindows *g_client = nullptr;
ClientWindows &client()
{
    return *g_client;
}

void handleRead(benchmark::State &state, const QByteArray &read)
{
    ClientWindows &w = client();
    for (auto _ : state)
        w.ana.handleRead(read);
    state.SetBytesProcessed(state.iterations() * read.size());
}

void BM_ReadJunk(benchmark::State &state)
{
    handleRead(state, junk(state.range(0)));
}
void BM_ReadPongs(benchmark::State &state)
{
    handleRead(state, bench::pongs(state.range(0)));
}

void BM_ReadMixed(benchmark::State &state)
{
    handleRead(state, mixed(state.range(0)));
}
// Device list entries: the first 10,000 fill the bar (emptied before each
// read, as a login does), the rest are past the bound.
void BM_ReadDevices(benchmark::State &state)
{
    const QByteArray read = repeated(QByteArray("cihazlar\x01" "depo\x01QRN410\x01Pano\x01" "12001\x01\xF4"),
                                     state.range(0));
    ClientWindows &w = client();
    for (auto _ : state) {
        state.PauseTiming();
        w.ana.context().deviceBar->clearAllItems();
        w.ana.state().deviceSerials.resize(1);
        w.ana.state().deviceCount = 1;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
        w.ana.handleRead(read);
    }
    state.SetBytesProcessed(state.iterations() * read.size());
}
// Meter readout pieces, as a meter sends them, all in one read.
void BM_ReadMeterPieces(benchmark::State &state)
{
    handleRead(state, repeated(QByteArray("sayacal\x01\x01\x01" "1.8.0(12345.678*kWh)\r\n"), state.range(0)));
}

BENCHMARK(BM_ReadMixed)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_ReadDevices)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BM_ReadMeterPieces)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_ReadJunk)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_ReadPongs)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ClientWindows windows;
    g_client = &windows;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
