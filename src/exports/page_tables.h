#pragma once
// What each page or window shows, as a table for the CSV export. Each reads
// the components of its page by their names (the values as their displays
// show them), so the file holds exactly what the user sees. Pure: no dialog,
// no file.
#include "export_table.h"

class QAbstractItemModel;
class QObject;

namespace exports {

// The property of page 3's spectrum charts holding the magnitudes of
// harmonics 1 to 31 they draw (empty before the phase's first analysis).
inline constexpr char kSpectrumProperty[] = "values";

// Page 1: serial, energy counters per phase and total, total ratios, the
// counters before a reset, the two dates' readings, ratios and bands.
// Columns: group, quantity, value, unit.
Table energyTable(const QObject *page);
// Page 3: harmonics 1 to 31 of voltage and current of the three phases, as
// the client's analysis computed them (empty where a phase has none yet).
Table spectrumTable(const QObject *page);
// Page 5: the device's harmonic table, fundamental, odd orders 3 to 31 and
// total distortion, voltage and current per phase.
Table harmonicTable(const QObject *page);
// Page 6: the meter's totals and tariffs, the two dates' readings, ratios
// and bands, serial and time, and the readout's lines. Columns as page 1.
Table meterTable(const QObject *page);
// The communication log: time and text of each line.
Table logTable(const QAbstractItemModel &log);

} // namespace exports
