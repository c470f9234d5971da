// The cost of recording the live device as the client does it: one socket
// read with a relay's answer of 125 registers walked by the dispatcher,
// stored in row 1, turned into the displayed values by the history wiring
// and written by the recorder in that second's transaction. Processor time
// of the whole process (writer thread included) per answer: at one answer a
// second, µs per answer / 10,000 is the percentage of a core. The same read
// without a recorder is the baseline.
#include "client_context.h"
#include "client_events.h"
#include "client_state.h"
#include "dispatcher.h"
#include "handlers.h"
#include "history_wiring.h"
#include "pending.h"
#include "register_store.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A read response of 125 registers as the server relays it, each value
// moved by `second` so that no two answers are alike.
QByteArray relayAnswer(int second)
{
    QByteArray frame;
    frame.append(char(1));
    frame.append(char(3));
    frame.append(char(250));
    for (int r = 0; r < 125; ++r) {
        quint16 v = quint16((r * 131 + second * (r % 7 + 1)) % 4000);
        if (r == 0)
            v = 40; // the CT ratio
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

void liveAnswers(benchmark::State &state, bool record)
{
    std::vector<QByteArray> reads;
    for (int s = 0; s < 60; ++s)
        reads.push_back(relayAnswer(s));
    ConnectionState conn;
    ProgramState prog;
    prog.deviceKind = 2;
    prog.activeSerial = 12002;
    RegisterStore store;
    fleet::ClientEvents events;
    ClientContext ctx;
    ctx.conn = &conn;
    ctx.prog = &prog;
    ctx.store = &store;
    ctx.events = &events;
    conn.pendingRequest = pending::anideger;
    Dispatcher dispatcher;
    handlers::install(dispatcher, ctx);

    QTemporaryDir dir;
    auto now = std::make_shared<std::atomic<qint64>>(QDateTime::currentMSecsSinceEpoch());
    std::unique_ptr<ClientRecording> recording;
    if (record) {
        history::RecorderOptions o;
        o.location = *history::parseLocation(dir.filePath(QStringLiteral("live.sqlite")));
        o.flushMs = 3'600'000; // one flush per answer, below
        o.clock = [now] { return now->load(); };
        recording = std::make_unique<ClientRecording>(std::make_unique<history::Recorder>(std::move(o)), ctx);
        recording->recorder().sync();
    }
    QByteArray last;
    size_t i = 0;
    for (auto _ : state) {
        *now += 1000;
        store.startRegister = 0;
        last.clear();
        dispatcher.walk(reads[i++ % reads.size()], last);
        if (recording)
            recording->recorder().sync(); // the second's batch, written
    }
    if (store.startRegister != 125)
        state.SkipWithError("the answer was not stored");
    if (recording) {
        if (recording->recorder().committedRows() == 0)
            state.SkipWithError("nothing recorded");
        state.counters["values_per_answer"] =
            double(recording->recorder().committedRows()) / double(state.iterations());
    }
}

void BM_LiveAnswer_NotRecorded(benchmark::State &state)
{
    liveAnswers(state, false);
}
BENCHMARK(BM_LiveAnswer_NotRecorded)->Iterations(3600)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

void BM_LiveAnswer_Recorded(benchmark::State &state)
{
    liveAnswers(state, true);
}
// An hour of answers: minutes finish and get their aggregates meanwhile.
BENCHMARK(BM_LiveAnswer_Recorded)->Iterations(3600)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
