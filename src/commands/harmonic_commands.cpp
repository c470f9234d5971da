// The harmonic requests and the per-phase harmonic analysis.
#include "commands.h"

namespace commands {

void installHarmonics(ClientContext &) {}

} // namespace commands
