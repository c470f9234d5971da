#pragma once
// The incoming messages: one small handler per keyword of the dispatcher, and
// the branches of "enerjial", the envelope of a device's answer, chosen by
// pendingRequest. Every handler takes its message from the front of the
// working text.
#include "client_context.h"

#include <QByteArray>
#include <span>

class Dispatcher;
class WorkingText;

namespace handlers {

using Handler = void (*)(WorkingText &text, ClientContext &ctx);

// Installs every handler into the dispatcher's keyword table.
void install(Dispatcher &dispatcher, ClientContext &ctx);

// Connection messages.
void pong(WorkingText &text, ClientContext &ctx);
void yenimesaj(WorkingText &text, ClientContext &ctx);
void mesajvar(WorkingText &text, ClientContext &ctx);
void hattayok(WorkingText &text, ClientContext &ctx);
void cihazlar(WorkingText &text, ClientContext &ctx);

// A login again in the same run keeps the device bar as it is, selection and
// all: each device the server lists again takes back its own item (same
// group, same caption) instead of getting a second one; a device listed
// twice in one list still gets two items. Items not listed again stay.
// A login from scratch, which empties the bar, ends the waiting.
void awaitRelisting(GroupBar &bar);
void forgetRelisting(GroupBar &bar);
int awaitingRelisting(const GroupBar &bar); // items not listed again yet

// Device data.
void akimdegerleri(WorkingText &text, ClientContext &ctx);

// Energy and meter messages.
void reaktifenerji(WorkingText &text, ClientContext &ctx);
void tedassycal(WorkingText &text, ClientContext &ctx);
void sayacal(WorkingText &text, ClientContext &ctx);
void sycdegerleri(WorkingText &text, ClientContext &ctx);
void cihazenerji(WorkingText &text, ClientContext &ctx);

// "enerjial": the branch whose pendingRequest equals the client's; when none
// does, the message has no effect.
void enerjial(WorkingText &text, ClientContext &ctx);

struct EnerjialBranch {
    QByteArray pendingRequest;
    int skip;        // bytes removed before the branch runs ("enerjial" and 3)
    Handler handle;  // sees the text after the skipped bytes
};
std::span<const EnerjialBranch> enerjialBranches();

// The branches, by the answer they read.
void waterMeterIndex(WorkingText &text, ClientContext &ctx);  // "susayaci"
void writeAcknowledgement(WorkingText &text, ClientContext &ctx); // setting writes
void indexWritten(WorkingText &text, ClientContext &ctx);     // "endeksyaz"
void singleRelayState(WorkingText &text, ClientContext &ctx); // "tekliroledrm"
void relayStates(WorkingText &text, ClientContext &ctx);      // "outputdrm"
void registerPayload(WorkingText &text, ClientContext &ctx);  // register reads
void waveform(WorkingText &text, ClientContext &ctx);         // "harmonikb/i/u"

} // namespace handlers
