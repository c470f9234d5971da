// The power analyser's register image: instantaneous values per phase with
// the CT multiplier the client applies, cos φ in hundredths, the reactive
// sums, per-phase reactive-to-active energy ratios, temperature, the
// direction flags, and energy counters in primary W·s at 62 to 70 (totals)
// and 78 to 88 (per phase).
#include "sim_physics.h"

#include <cmath>

namespace sim {

using namespace physics;

namespace {

// Register 0 (the CT ratio) is the only input of the analyser.
InputRegisters analyserInputs()
{
    InputRegisters inputs;
    inputs.set(0);
    return inputs;
}

} // namespace

AnalyserDevice::AnalyserDevice(DeviceInfo info, qint64 nowMs) : SimDevice(std::move(info))
{
    const double ct = qMax(1.0, std::round(setupNumber(this->info(), "ct", 50)));
    setReg(0, unsignedWord(ct));
    m_feeder.seed = double(this->info().serial % 1000) / 7.0;
    m_feeder.ratedAmps = ct * kSecondaryAmps;
    m_feeder.load = qBound(0.05, setupNumber(this->info(), "load", 0.55), 1.0);
    // The load's tan φ follows the energy ratios of the device's records.
    const auto ratios = energyRatios(this->info());
    m_feeder.tanBase = ratios[0];
    m_feeder.tanCapacitive = ratios[1];
    write(nowMs);
}

void AnalyserDevice::advance(qint64 nowMs)
{
    write(nowMs);
}

void AnalyserDevice::write(qint64 nowMs)
{
    const ThreePhase phases = m_feeder.at(nowMs);
    const Energy energy = recordedEnergy(info(), nowMs);
    const double ct = qMax(1, int(reg(0)));
    writePowerRegisters(*this, phases, ct, 100);
    double inductive = 0, capacitive = 0;
    for (const Phase &ph : phases)
        (ph.kvar >= 0 ? inductive : capacitive) += std::fabs(ph.kvar);
    setReg(26, unsignedWord(inductive * 1000));
    setReg(27, unsignedWord(capacitive * 1000));

    // Reactive-to-active energy ratios, R, S, T and the total, inductive then
    // capacitive.
    writeEnergyRatios(*this, 30, energy);
    const double active = Energy::total(energy.active);

    setReg(48, unsignedWord(m_feeder.temperature(nowMs)));
    setReg(49, 0x3F); // directions learnt, every transformer the right way round
    for (int n = 50; n <= 57; ++n)
        setReg(n, 0);   // no capacitor steps behind an analyser

    setCounter(*this, 62, active);
    setCounter(*this, 65, Energy::total(energy.inductive));
    setCounter(*this, 68, Energy::total(energy.capacitive));
    // Per phase: kWh of S at 78..80 and inductive energy of R at 80..82
    // share register 80, which carries the high word of the latter (the
    // former then reads within 0.02 kWh); S and T inductive at 83..88.
    setCounter(*this, 78, energy.active[1]);
    setCounter(*this, 80, energy.inductive[0]);
    setCounter(*this, 83, energy.inductive[1]);
    setCounter(*this, 86, energy.inductive[2]);

    fillWaves(waves(), phases, 1.3 - 0.5 * dailyProfile(nowMs), nowMs, m_feeder.seed);
    writeHarmonicTable(*this, waves(), ct);
    avoidEscapePairs(*this, analyserInputs());
}

} // namespace sim
