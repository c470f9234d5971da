#include "sim_physics.h"

#include "sim_energy.h"

#include <QDateTime>
#include <QTime>

#include <cmath>
#include <limits>

namespace sim::physics {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

double wobble(double seconds, double seed)
{
    // Three incommensurate sines: smooth, never periodic in practice.
    const double a = std::sin(seconds / 7.3 + seed * 1.7);
    const double b = std::sin(seconds / 31.1 + seed * 2.9);
    const double c = std::sin(seconds / 173.0 + seed * 0.61);
    return (a * 0.3 + b * 0.4 + c * 0.3);
}

double dailyProfile(qint64 nowMs)
{
    // Share of the peak load hour by hour: night, morning ramp, working day
    // with a lunch dip, evening.
    static constexpr double kHours[25] = {0.30, 0.28, 0.27, 0.27, 0.28, 0.32, 0.45, 0.65, 0.85,
                                          0.92, 0.95, 0.93, 0.80, 0.90, 0.94, 0.92, 0.85, 0.72,
                                          0.60, 0.52, 0.45, 0.40, 0.35, 0.32, 0.30};
    // The local offset changes at most on the hour; finding it is the slow
    // part, so it is looked up once an hour of model time.
    static thread_local qint64 offsetHour = std::numeric_limits<qint64>::min();
    static thread_local qint64 offsetMs = 0;
    if (nowMs / 3600000 != offsetHour) {
        offsetHour = nowMs / 3600000;
        offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(nowMs).offsetFromUtc()) * 1000;
    }
    qint64 ofDay = (nowMs + offsetMs) % 86400000;
    if (ofDay < 0)
        ofDay += 86400000;
    const double hour = ofDay / 3600000.0;
    const int h = qBound(0, int(hour), 23);
    const double f = hour - h;
    return kHours[h] * (1 - f) + kHours[h + 1] * f;
}

double Phase::cosPhi() const
{
    if (kva <= 0)
        return 1;
    const double c = qBound(0.0, kw / kva, 1.0);
    return kvar < 0 ? -c : c;
}

void completePhase(Phase &p)
{
    p.kva = std::hypot(p.kw, p.kvar);
    p.amps = p.volts > 0 ? p.kva * 1000 / p.volts : 0;
}

ThreePhase Feeder::at(qint64 nowMs) const
{
    static constexpr double kImbalance[3] = {1.00, 0.93, 1.06};
    static constexpr double kVoltOffset[3] = {0.8, -0.5, 0.3};
    const double t = nowMs / 1000.0;
    const double profile = dailyProfile(nowMs);
    ThreePhase phases;
    for (int p = 0; p < 3; ++p) {
        Phase &ph = phases[size_t(p)];
        const double share = load * profile * kImbalance[p] * (1 + 0.04 * wobble(t, seed + p));
        ph.volts = kNominalVolts + kVoltOffset[p] + 2.5 * wobble(t / 5, seed * 3 + p) - 4 * share;
        const double amps = ratedAmps * share;
        // The load is most inductive while it works; at night a fixed
        // capacitor may outweigh it.
        const double tan = tanBase * (0.5 + profile) - tanCapacitive * 2.5 * (1 - profile)
            + 0.03 * wobble(t / 3, seed * 5 + p);
        const double kva = ph.volts * amps / 1000;
        ph.kw = kva / std::sqrt(1 + tan * tan);
        ph.kvar = ph.kw * tan;
        completePhase(ph);
    }
    return phases;
}

double Feeder::frequency(qint64 nowMs) const
{
    const double t = nowMs / 1000.0;
    return 50 + 0.03 * wobble(t, seed * 7) + 0.02 * wobble(t / 0.3, seed * 11);
}

double Feeder::temperature(qint64 nowMs) const
{
    return 27 + 9 * dailyProfile(nowMs) + 1.5 * wobble(nowMs / 60000.0, seed * 13);
}

int Energy::percent(double reactive, double active)
{
    return active > 0 ? int(std::lround(reactive / active * 100)) : 0;
}

double setupNumber(const DeviceInfo &info, const char *key, double fallback)
{
    bool ok = false;
    const double v = info.setup.value(QLatin1String(key)).toDouble(&ok);
    return ok && std::isfinite(v) ? v : fallback;
}

Energy recordedEnergy(const DeviceInfo &info, qint64 nowMs)
{
    // Fixed shares of the phases, a little different for each quantity so
    // that the per-phase ratios are not all the same.
    static constexpr double kActive[3] = {0.34, 0.31, 0.35};
    static constexpr double kInductive[3] = {0.335, 0.315, 0.35};
    static constexpr double kCapacitive[3] = {0.36, 0.30, 0.34};
    const EnergyCounters c = energyAt(info, nowMs);
    Energy e;
    for (size_t p = 0; p < 3; ++p) {
        e.active[p] = c.active * 3.6e6 * kActive[p];
        e.inductive[p] = c.inductive * 3.6e6 * kInductive[p];
        e.capacitive[p] = c.capacitive * 3.6e6 * kCapacitive[p];
    }
    return e;
}

std::array<double, 2> energyRatios(const DeviceInfo &info)
{
    const EnergyProfile p = energyProfile(info);
    return {p.inductivePercent / 100, p.capacitivePercent / 100};
}

quint16 unsignedWord(double v)
{
    if (!std::isfinite(v))
        return 0;
    return quint16(qBound(0.0, std::round(v), 65535.0));
}

quint16 signedWord(double v)
{
    if (!std::isfinite(v))
        return 0;
    return quint16(qint16(qBound(-32768.0, std::round(v), 32767.0)));
}

void setCounter(SimDevice &d, int first, double value)
{
    const quint64 c = value <= 0 ? 0 : quint64(qMin(value, 281474976710655.0));
    d.setReg(first, quint16(c >> 32));
    d.setReg(first + 1, quint16(c >> 16));
    d.setReg(first + 2, quint16(c));
}

PowerSums writePowerRegisters(SimDevice &d, const ThreePhase &phases, double ct, double cosScale)
{
    PowerSums sum;
    for (int p = 0; p < 3; ++p) {
        const Phase &ph = phases[size_t(p)];
        d.setReg(2 + p, unsignedWord(ph.volts * 10));
        d.setReg(5 + p, unsignedWord(ph.amps / ct * 1000));
        d.setReg(8 + p, unsignedWord(ph.kw * 1000 / ct));
        d.setReg(11 + p, signedWord(ph.kvar * 1000 / ct));
        d.setReg(14 + p, unsignedWord(ph.kva * 1000 / ct));
        d.setReg(17 + p, signedWord(ph.cosPhi() * cosScale));
        sum.kw += ph.kw;
        sum.kvar += ph.kvar;
        sum.kva += ph.kva;
    }
    Phase total;
    total.kw = sum.kw;
    total.kvar = sum.kvar;
    completePhase(total);
    sum.cosPhi = total.cosPhi();
    d.setReg(20, signedWord(sum.cosPhi * cosScale));
    d.setReg(25, unsignedWord(sum.kw * 1000 / ct));
    d.setReg(28, signedWord(sum.kvar * 1000));
    d.setReg(29, unsignedWord(sum.kva * 1000 / ct));
    return sum;
}

void writeEnergyRatios(SimDevice &d, int first, const Energy &energy)
{
    for (size_t p = 0; p < 3; ++p) {
        d.setReg(first + 2 * int(p), quint16(Energy::percent(energy.inductive[p], energy.active[p])));
        d.setReg(first + 1 + 2 * int(p), quint16(Energy::percent(energy.capacitive[p], energy.active[p])));
    }
    const double active = Energy::total(energy.active);
    d.setReg(first + 6, quint16(Energy::percent(Energy::total(energy.inductive), active)));
    d.setReg(first + 7, quint16(Energy::percent(Energy::total(energy.capacitive), active)));
}

void fillWaves(std::array<PhaseWave, 3> &waves, const ThreePhase &phases, double distortion, qint64 nowMs,
               double seed)
{
    // Odd orders 3, 5, … 31: a slightly distorted supply voltage, and the
    // current of rectifier loads (drives, lighting) with its 5th and 7th.
    static constexpr double kVoltage[15] = {1.1, 2.2, 1.2, 0.3, 0.7, 0.5, 0.15, 0.3,
                                            0.25, 0.1, 0.15, 0.12, 0.05, 0.08, 0.06};
    static constexpr double kCurrent[15] = {6.0, 15.0, 9.0, 1.5, 5.0, 3.5, 0.6, 1.8,
                                            1.4, 0.3, 0.9, 0.8, 0.2, 0.5, 0.4};
    const double t = nowMs / 1000.0;
    for (size_t p = 0; p < 3; ++p) {
        PhaseWave &w = waves[p];
        const Phase &ph = phases[p];
        w.voltageRms = ph.volts;
        w.currentRms = ph.amps;
        w.voltagePercent[0] = 100;
        w.currentPercent[0] = 100;
        w.voltageAngleDeg[0] = -120.0 * double(p);
        const double phi = std::acos(qBound(-1.0, std::fabs(ph.cosPhi()), 1.0)) * 180 / kPi;
        w.currentAngleDeg[0] = w.voltageAngleDeg[0] - (ph.kvar >= 0 ? phi : -phi);
        for (size_t k = 1; k < 16; ++k) {
            const double order = 2.0 * double(k) + 1;
            const double drift = 1 + 0.05 * wobble(t / 11, seed + double(p) * 3 + double(k));
            w.voltagePercent[k] = kVoltage[k - 1] * drift;
            w.currentPercent[k] = kCurrent[k - 1] * distortion * drift;
            w.voltageAngleDeg[k] = std::fmod(order * w.voltageAngleDeg[0] + 15.0 * double(k), 360.0);
            w.currentAngleDeg[k] = std::fmod(order * w.currentAngleDeg[0] + 180.0 + 7.0 * double(k), 360.0);
        }
    }
}

void writeHarmonicTable(SimDevice &d, const std::array<PhaseWave, 3> &waves, double ct)
{
    const double ratio = ct >= 1 ? ct : 1;
    for (int p = 0; p < 3; ++p) {
        const PhaseWave &w = waves[size_t(p)];
        double v2 = 0, i2 = 0;
        for (size_t k = 1; k < 16; ++k) {
            v2 += w.voltagePercent[k] * w.voltagePercent[k];
            i2 += w.currentPercent[k] * w.currentPercent[k];
        }
        // RMS = fundamental × sqrt(1 + Σ (h / 100)²).
        const double vFund = w.voltageRms / std::sqrt(1 + v2 / 10000);
        const double iFund = w.currentRms / ratio / std::sqrt(1 + i2 / 10000);
        const int vBase = 300 + 16 * p, iBase = 348 + 16 * p;
        d.setReg(vBase, unsignedWord(vFund * 10));
        d.setReg(iBase, unsignedWord(iFund * 1000));
        for (int k = 1; k < 16; ++k) {
            d.setReg(vBase + k, unsignedWord(vFund * w.voltagePercent[size_t(k)] / 100 * 10));
            d.setReg(iBase + k, unsignedWord(iFund * w.currentPercent[size_t(k)] / 100 * 1000));
        }
        // Distortion in percent of the fundamental.
        d.setReg(396 + p, unsignedWord(std::sqrt(v2) * 10));
        d.setReg(399 + p, unsignedWord(std::sqrt(i2) * 1000));
    }
}

void avoidEscapePairs(SimDevice &d, const InputRegisters &inputs)
{
    // Bytes in answer order: high byte of n, low byte of n, high of n + 1 …
    for (int n = 0; n < SimDevice::kRegisters; ++n) {
        const quint16 v = d.reg(n);
        if ((v >> 8) == 199 && (v & 0xFF) == 239 && !inputs.test(size_t(n)))
            d.setReg(n, quint16(v + 1));
        if (n + 1 < SimDevice::kRegisters && (d.reg(n) & 0xFF) == 199 && (d.reg(n + 1) >> 8) == 239) {
            if (!inputs.test(size_t(n)))
                d.setReg(n, quint16(d.reg(n) + 1));
            else if (!inputs.test(size_t(n + 1)))
                d.setReg(n + 1, quint16(d.reg(n + 1) + 0x100));
        }
    }
}

} // namespace sim::physics
