#pragma once
#include "message_context.h"

class Dispatcher;
class WorkingText;

namespace handlers {
// Installs every message handler of the client into the keyword table.
void install(Dispatcher &dispatcher, MessageContext &context);

// Connection messages.
void pong(WorkingText &text, MessageContext &ctx);
}
