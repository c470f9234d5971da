#include "commands.h"

namespace commands {

void install(ClientContext &ctx)
{
    installSelection(ctx);
    installSettings(ctx);
    installSteps(ctx);
    installMeter(ctx);
    installRelays(ctx);
    installHarmonics(ctx);
}

} // namespace commands
