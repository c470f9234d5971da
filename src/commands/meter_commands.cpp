// Meter readings, energy between two dates and the consumption request.
#include "commands.h"

namespace commands {

void installMeter(ClientContext &) {}

} // namespace commands
