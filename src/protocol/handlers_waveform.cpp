// One phase's voltage and current waveform: stored, plotted, then analysed.
#include "handlers.h"

#include "working_text.h"

namespace handlers {

void waveform(WorkingText &, ClientContext &) {}

} // namespace handlers
