#pragma once
// The physics behind the simulated measuring devices: a three-phase feeder
// whose load follows the time of day, energy counters that only grow, the
// harmonic content of voltage and current, and the helpers that write them
// into a register image in the client's numbering.
//
// Units of the register image (what the client's register map expects):
//   voltages V × 10; currents, powers and the energy counters of the
//   compensation relay on the secondary side of the current transformer
//   (primary / CT: mA, W, VAr, VA, W·s), so that "× CT" shows the primary
//   value; the analyser's energy counters in primary W·s; cos φ × 100
//   (analyser) or × 1000 (relay), negative when capacitive; signed values in
//   two's complement.
#include "sim_device.h"

#include <array>
#include <bitset>

namespace sim::physics {

constexpr double kNominalVolts = 230.0;
constexpr double kSecondaryAmps = 5.0; // rated secondary current of a CT

// Smooth pseudo-noise in [-1, 1], different for every seed.
double wobble(double seconds, double seed);
// Share of the daily peak load at this local time of day, 0.25 .. 0.95.
double dailyProfile(qint64 nowMs);

// One phase at one instant, primary side. Reactive power is positive when
// inductive.
struct Phase {
    double volts = kNominalVolts;
    double amps = 0;
    double kw = 0;
    double kvar = 0;
    double kva = 0;
    // cos φ with the sign of the reactive power (1 when there is none).
    double cosPhi() const;
};
using ThreePhase = std::array<Phase, 3>;

// Fills amps, kva and cos from volts, kw and kvar.
void completePhase(Phase &p);

// The load of a feeder: rated current (CT ratio × 5 A), its share of that at
// the daily peak, and how its tan φ moves (base inductive ratio, a capacitive
// share at light load).
struct Feeder {
    double ratedAmps = 250;
    double load = 0.6;
    double tanBase = 0.14;
    double tanCapacitive = 0.02;
    double seed = 1;
    ThreePhase at(qint64 nowMs) const;
    double frequency(qint64 nowMs) const;
    double temperature(qint64 nowMs) const;
};

// Energy per phase in W·s, primary side: active, inductive and capacitive
// reactive. The totals are the device's energy records, the same counters
// the energy answers of the server use, so they only grow; the phases share
// them in fixed parts.
struct Energy {
    std::array<double, 3> active{}, inductive{}, capacitive{};
    static double total(const std::array<double, 3> &e) { return e[0] + e[1] + e[2]; }
    // Reactive / active in whole percent, 0 without active energy.
    static int percent(double reactive, double active);
};
Energy recordedEnergy(const DeviceInfo &info, qint64 nowMs);
// The device's reactive-to-active energy ratios from its energy profile, as
// fractions: inductive, capacitive.
std::array<double, 2> energyRatios(const DeviceInfo &info);

// Starting state from the site description.
double setupNumber(const DeviceInfo &info, const char *key, double fallback);

// Register words.
quint16 unsignedWord(double v);  // rounded, clamped to 0..65535
quint16 signedWord(double v);    // rounded, clamped to -32768..32767, two's complement
// A 48-bit counter in three registers from `first` on, most significant first.
void setCounter(SimDevice &d, int first, double value);

// Registers 2 to 20, 25, 28 and 29, laid out alike in analysers and relays:
// per phase V, A, kW, kVAr, kVA and cos φ, then cos φ, kW, kVAr and kVA of
// all three. Currents and powers on the secondary side of the CT (kVAr Σ as
// it stands), cos φ × cosScale. Returns the primary sums of kW, kVAr and kVA
// and the cos φ of all three.
struct PowerSums {
    double kw = 0, kvar = 0, kva = 0;
    double cosPhi = 1;
};
PowerSums writePowerRegisters(SimDevice &d, const ThreePhase &phases, double ct, double cosScale);
// The reactive-to-active energy ratios in whole percent from `first` on:
// inductive then capacitive of R, S and T, then of the total.
void writeEnergyRatios(SimDevice &d, int first, const Energy &energy);

// The waveform content of the three phases for the given phases' RMS values
// and cos φ; `distortion` scales the current harmonics (non-linear load).
void fillWaves(std::array<PhaseWave, 3> &waves, const ThreePhase &phases, double distortion, qint64 nowMs,
               double seed);
// Registers 300 to 401 from the waveform content; currents on the secondary
// side of the CT.
void writeHarmonicTable(SimDevice &d, const std::array<PhaseWave, 3> &waves, double ct);

// The server sends the byte 3 as "199$239", so a register byte 199 directly
// before a byte 239 would read back as 3: such values are moved up by one
// (or the high byte by one) in a register that is not an input.
using InputRegisters = std::bitset<SimDevice::kRegisters>;
void avoidEscapePairs(SimDevice &d, const InputRegisters &inputs);

// Advances a model in steps of at most one second (coarser after a long
// pause); the step function gets the time at the end of each step and its
// length in seconds.
class ModelClock {
public:
    explicit ModelClock(qint64 startMs) : m_last(startMs) {}
    qint64 last() const { return m_last; }
    template <class Step> void runTo(qint64 nowMs, Step step)
    {
        if (nowMs <= m_last) {
            step(nowMs, 0.0);
            return;
        }
        const qint64 span = nowMs - m_last;
        const qint64 stride = span <= 3600000 ? 1000 : span / 3600;
        qint64 t = m_last;
        while (t < nowMs) {
            const qint64 next = qMin(nowMs, t + stride);
            step(next, double(next - t) / 1000.0);
            t = next;
        }
        m_last = nowMs;
    }

private:
    qint64 m_last;
};

} // namespace sim::physics

namespace sim {

// Power analyser (QRN410): measures a feeder and shows its energy counters.
class AnalyserDevice final : public SimDevice {
public:
    explicit AnalyserDevice(DeviceInfo info, qint64 nowMs);
    DeviceKind kind() const override { return DeviceKind::Analyser; }
    void advance(qint64 nowMs) override;

private:
    void write(qint64 nowMs);

    physics::Feeder m_feeder;
};

} // namespace sim
