// Energy figures between two dates, meter readouts, meter values before a
// reset, device energy summaries and the water-meter index.
#include "handlers.h"

#include "working_text.h"

namespace handlers {

void reaktifenerji(WorkingText &, ClientContext &) {}
void tedassycal(WorkingText &, ClientContext &) {}
void sayacal(WorkingText &, ClientContext &) {}
void sycdegerleri(WorkingText &, ClientContext &) {}
void cihazenerji(WorkingText &, ClientContext &) {}
void waterMeterIndex(WorkingText &, ClientContext &) {}

} // namespace handlers
