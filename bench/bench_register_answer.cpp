// One socket read carrying a device's answer of 125 registers ("enertum",
// a full Modbus read): walked by the dispatcher, routed by the pending
// request, decoded and stored in row 1 of the register store.
#include "client_state.h"
#include "dispatcher.h"
#include "handlers.h"
#include "pending.h"
#include "register_store.h"

#include <benchmark/benchmark.h>

namespace {

// A read response of 125 registers as the server relays it: every byte as
// its decimal value and "$", the byte 3 after the station as "199$239".
QByteArray answerOf125Registers()
{
    QByteArray frame;
    frame.append(char(1));
    frame.append(char(3));
    frame.append(char(250));
    for (int r = 0; r < 125; ++r) {
        const quint16 v = quint16(2300 + 37 * r); // spread over both bytes, some of them 3
        frame.append(char(v >> 8));
        frame.append(char(v & 0xFF));
    }
    frame.append(char(0x5A));
    frame.append(char(0xA5));
    QByteArray text("enerjial\x01\x01\x01");
    for (qsizetype i = 0; i < frame.size(); ++i) {
        const quint8 b = quint8(frame[i]);
        text += (i > 0 && b == 3) ? QByteArray("199$239$") : QByteArray::number(b) + '$';
    }
    return text;
}

void BM_RegisterAnswer125(benchmark::State &state)
{
    const QByteArray read = answerOf125Registers();
    ConnectionState conn;
    ProgramState prog;
    RegisterStore store;
    ClientContext ctx; // no widgets: the notice and header go nowhere
    ctx.conn = &conn;
    ctx.prog = &prog;
    ctx.store = &store;
    conn.pendingRequest = pending::anideger;
    Dispatcher dispatcher;
    handlers::install(dispatcher, ctx);
    QByteArray last;
    for (auto _ : state) {
        store.startRegister = 0;
        last.clear();
        dispatcher.walk(read, last);
        benchmark::DoNotOptimize(store.read(1, 124));
    }
    if (store.read(1, 124) != 2300 + 37 * 124 || store.startRegister != 125)
        state.SkipWithError("the answer was not stored");
    state.SetBytesProcessed(int64_t(state.iterations()) * read.size());
    state.counters["bytes"] = double(read.size());
}

} // namespace

BENCHMARK(BM_RegisterAnswer125)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
