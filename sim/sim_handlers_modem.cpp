// The industrial modem's relays and water-meter index, the overcurrent relay, and the per-phase waveforms.
#include "sim_handlers.h"

namespace sim {

std::span<const KeywordHandler> modemHandlers()
{
    return {};
}

} // namespace sim
