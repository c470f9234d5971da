#include "client_state.h"
#include "dispatcher.h"
#include "handlers.h"
#include "pending.h"
#include "register_store.h"
#include "request_scheduler.h"

#include <QScopedValueRollback>

#include <optional>

namespace handlers {

namespace {

struct Entry {
    const char *keyword;
    Handler handle; // null: recognised by name only, nothing consumed
};

// The dispatcher's tests, in their order.
const Entry kEntries[] = {
    {"pong", pong},
    {"yenimesaj", yenimesaj},
    {"akimdegerleri", akimdegerleri},
    {"reaktifenerji", reaktifenerji},
    {"tedassycal", tedassycal},
    {"mesajvar", mesajvar},
    {"Hattayok", hattayok},
    {"haklar", nullptr},
    {"sayacal", sayacal},
    {"Sycdegerleri", sycdegerleri},
    {"enerjial", enerjial},
    {"input", nullptr},
    {"cihazenerji", cihazenerji},
    {"degerler", nullptr},
    {"cihazlar", cihazlar},
};

} // namespace

void install(Dispatcher &dispatcher, ClientContext &ctx)
{
    ClientContext *c = &ctx;
    for (const Entry &e : kEntries) {
        if (!e.handle)
            continue;
        const Handler h = e.handle;
        dispatcher.setHandler(e.keyword, [h, c](WorkingText &t) { h(t, *c); });
    }
}

std::span<const EnerjialBranch> enerjialBranches()
{
    static const EnerjialBranch kBranches[] = {
        {pending::susayaci, 19, waterMeterIndex},
        {pending::akimtrafosu, 11, writeAcknowledgement},
        {pending::tanfi, 11, writeAcknowledgement},
        {pending::induktifceza, 11, writeAcknowledgement},
        {pending::kapasitifceza, 11, writeAcknowledgement},
        {pending::almacikarma, 11, writeAcknowledgement},
        {pending::otomanuel, 11, writeAcknowledgement},
        {pending::hizlimod, 11, writeAcknowledgement},
        {pending::endeksyaz, 11, indexWritten},
        {pending::tekliroledrm, 17, singleRelayState},
        {pending::outputdrm, 11, relayStates},
        {pending::anideger, 11, registerPayload},
        {pending::tuketim, 11, registerPayload},
        {pending::harmonikzorv, 11, registerPayload},
        {pending::sabitler, 11, registerPayload},
        {pending::kondasatordurum, 11, registerPayload},
        {pending::harmonikb, 11, waveform},
        {pending::harmoniki, 11, waveform},
        {pending::harmoniku, 11, waveform},
    };
    return kBranches;
}

void enerjial(WorkingText &text, ClientContext &ctx)
{
    if (!ctx.conn)
        return;
    // A device answer while a background request waits for one is that
    // request's; otherwise pendingRequest says what it answers.
    std::optional<fleet::Expectation> claim;
    if (ctx.scheduler)
        claim = ctx.scheduler->claimEnerjial();
    const QByteArray request = claim ? claim->branch : ctx.conn->pendingRequest;
    for (const EnerjialBranch &b : enerjialBranches()) {
        if (b.pendingRequest == request) {
            text.skip(b.skip);
            const QScopedValueRollback<QByteArray> routed(ctx.answerFor, request);
            const QScopedValueRollback<bool> quiet(ctx.backgroundAnswer, claim.has_value());
            std::optional<QScopedValueRollback<int>> first;
            if (claim && ctx.store) {
                first.emplace(ctx.store->startRegister);
                ctx.store->startRegister = claim->startRegister;
            }
            b.handle(text, ctx);
            return;
        }
    }
}

} // namespace handlers
