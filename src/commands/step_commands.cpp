// The capacitor steps: reading all steps, writing one step's powers, switching one step.
#include "commands.h"

namespace commands {

void installSteps(ClientContext &) {}

} // namespace commands
