// The compensation relay's setting writes and the capacitor step commands.
#include "sim_handlers.h"

namespace sim {

std::span<const KeywordHandler> settingHandlers()
{
    return {};
}

} // namespace sim
