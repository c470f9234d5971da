// Answers that carry what a device measured or holds: the overcurrent
// relay's currents, the register payloads and the industrial modem's relay
// states.
#include "handlers.h"

#include "working_text.h"

namespace handlers {

void akimdegerleri(WorkingText &, ClientContext &) {}
void registerPayload(WorkingText &, ClientContext &) {}
void relayStates(WorkingText &, ClientContext &) {}
void singleRelayState(WorkingText &, ClientContext &) {}

} // namespace handlers
