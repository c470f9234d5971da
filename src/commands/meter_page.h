#pragma once
#include "client_context.h"

namespace commands {

// The meter page's reset, steps first..last of:
//   1 the read data memo Memo3 is emptied;
//   2 the six meter index displays show "00000000";
//   3 the ratio displays RzLEDkapdurum and RzLEDinddurum are emptied;
//   4 the six date-range displays are emptied;
//   5 the band labels lblsycindurum and lblsyckapdurum are emptied;
//   6 the ratio displays RzLEDsycinoran and RzLEDsyckaporan are emptied.
void resetMeterPage(const ClientContext &ctx, int firstStep = 1, int lastStep = 6);

} // namespace commands
