// The walk over one socket read must stay linear in the read's size.
#include "dispatcher.h"
#include "handlers.h"
#include "bench_inputs.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray unrecognised(qsizetype size)
{
    // Bytes that start no keyword: every one is dropped after two passes.
    QByteArray b(size, 'x');
    for (qsizetype i = 0; i < size; i += 7)
        b[i] = 'Z';
    return b;
}

void walkRead(benchmark::State &state, const QByteArray &read, bool withHandlers)
{
    Dispatcher dispatcher;
    ClientContext ctx; // no widgets: only the bytes are consumed
    if (withHandlers)
        handlers::install(dispatcher, ctx);
    QByteArray last;
    for (auto _ : state) {
        last.clear();
        dispatcher.walk(read, last);
        benchmark::DoNotOptimize(last);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * read.size());
    state.counters["passes"] = double(dispatcher.lastPassCount());
}

void BM_WalkUnrecognised(benchmark::State &state)
{
    walkRead(state, unrecognised(state.range(0)), true);
}

void BM_WalkPongs(benchmark::State &state)
{
    walkRead(state, bench::pongs(state.range(0)), true);
}

} // namespace

BENCHMARK(BM_WalkUnrecognised)->RangeMultiplier(4)->Range(64 << 10, 1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkPongs)->RangeMultiplier(4)->Range(64 << 10, 1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
