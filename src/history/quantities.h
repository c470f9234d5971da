#pragma once
// What the history records: a quantity is a stable key ("V1", "I2",
// "P_total", "cos_total", "ratio_ind", "band_ind", "meter_T1", ...) with a
// label and a unit for people.
//
// The register quantities come from the register map itself: every numeric
// rule of the map (a value written as text, the CT ratio, cos φ, the energy
// counters with their ratios, tan φ) yields the value its display shows,
// converted as the display converts it (reading, divisor, CT multiplier),
// under a key derived from the rule's target name. The steps switched in
// are counted from the lamp rules. A register holding -1 has received
// nothing and yields nothing, and so does every rule that reads it.
#include "register_map.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace history {

struct QuantityInfo {
    QString key;
    QString label; // translated
    QString unit;
};

struct QuantityValue {
    QString key;
    double value = 0;
};

struct TimedValue {
    QString key;
    qint64 t = 0; // UTC, ms since 1970
    double value = 0;
};

// The quantity of a display target ("akm2" → "I2", "Akım L2", "A"). A name
// the table does not know keeps its own name as key and label.
QuantityInfo quantityForTarget(const QString &target);
// Label and unit of any key the history records; an unknown key is its own
// label.
QuantityInfo quantityInfo(const QString &key);

// The registers an answer brought: rules reading a register outside the
// range are left out, so an answer never records what an earlier one left
// in the row.
struct RegisterRange {
    int first = display::kFirstRegister;
    int last = display::kLastRegister;
};

// The values of a register row (registers[n] is register n; registers past
// the span's end count as nothing received) for a device of the given kind.
// Values are appended to `out`.
void registerValues(std::span<const double> registers, int kind, RegisterRange range,
                    std::vector<QuantityValue> &out);
std::vector<QuantityValue> registerValues(std::span<const double> registers, int kind,
                                          RegisterRange range = {});
// Every key registerValues can yield for the kind, in map order.
QStringList registerQuantityKeys(int kind);

// An energy-between-dates answer (or a watch result): the counters at both
// dates and the two ratios with their bands.
struct EnergyPeriod {
    qint64 from = 0; // UTC ms of the first date
    qint64 to = 0;   // UTC ms of the second date
    double a1 = 0, a2 = 0, l1 = 0, l2 = 0, c1 = 0, c2 = 0;
};
// counter_A, counter_L, counter_C at both dates; ratio_ind, ratio_cap,
// band_ind, band_cap (0 NORMAL … 3 CEZA) at the second date.
std::vector<TimedValue> energyValues(const EnergyPeriod &period);

// A meter readout's six values in the order of energy::MeterReadout::codes()
// (active, inductive and capacitive totals, tariffs 1 to 3): meter_A,
// meter_L, meter_C, meter_T1, meter_T2, meter_T3, for those present.
std::vector<QuantityValue> meterValues(const std::array<std::optional<double>, 6> &values);
// A readout value as the meter writes it ("001234.567"): digits with at
// most one point; nothing otherwise.
std::optional<double> readoutNumber(QStringView text);

// The counter families of the monthly report: the device's own counters
// read with its registers, the counters of energy-between-dates answers, a
// meter's readout totals. Each is {active, inductive, capacitive}.
const std::array<std::array<const char *, 3>, 3> &counterFamilies();

} // namespace history
