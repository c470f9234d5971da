// The overcurrent relay's commands and the industrial modem's relays and water-meter index.
#include "commands.h"

namespace commands {

void installRelays(ClientContext &) {}

} // namespace commands
