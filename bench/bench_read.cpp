// One socket read as the client handles it: the line in the communication
// log, the lamp flicker and the walk with every message handler installed.
// A read of 1 MiB must be logged and walked in well under 100 ms.
#include "client_windows.h"

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

QByteArray pongs(qsizetype size)
{
    const QByteArray one("pong\x01", 5);
    QByteArray b;
    b.reserve(size);
    while (b.size() + one.size() <= size)
        b += one;
    return b;
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
    handleRead(state, pongs(state.range(0)));
}

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
