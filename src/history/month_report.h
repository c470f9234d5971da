#pragma once
// A month's energy per device, from the energy counters the history keeps:
// the device's own counters read with its registers, the counters of the
// energy-between-dates answers, a meter's readout totals. Of these the one
// that spans the longest part of the month is taken; the energy is its
// last value in the month less its first, and the ratios and bands follow
// the rules page 1 shows them by.
#include "energy_ratios.h"

#include <QString>

#include <vector>

namespace history {

class HistoryReader;

struct MonthRow {
    QString serial;
    QString source; // the quantity key of the active counter taken
    qint64 from = 0; // the first and last reading in the month
    qint64 to = 0;
    double active = 0;
    double inductive = 0;
    double capacitive = 0;
    energy::Ratios ratios;
    energy::Band inductiveBand = energy::Band::Normal;
    energy::Band capacitiveBand = energy::Band::Normal;
};

// Devices without two readings of one counter family in the month are left
// out.
std::vector<MonthRow> monthReport(HistoryReader &reader, qint64 monthStart, qint64 monthEnd);

} // namespace history
