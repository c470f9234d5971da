// The compensation relay's physics and register image. The relay measures
// on the supply side of its capacitor bank, so every value it shows is the
// load minus the capacitors in circuit.
#include "sim_compensation_relay.h"

#include "device_settings.h"

#include <cmath>

namespace sim {

using namespace physics;

namespace {

// Step powers in register units (kVAr × 10000 / CT): with a CT of 40 the
// bank holds 0.5 to 5 kVAr per phase, and step 17 only on phase R.
constexpr quint16 kDefaultStepPower[CompensationRelayDevice::kSteps] = {
    125, 125, 250, 250, 375, 375, 500, 500, 625, 625, 750, 750, 1000, 1000, 1250, 1250, 125, 0};

int stepBase(int n) { return 160 + 4 * (n - 1); }

InputRegisters relayInputs()
{
    InputRegisters inputs;
    for (int n : {0, 129, 132, 133, 134, 135, 136, 137, 138, 154, 157})
        inputs.set(size_t(n));
    for (int n = 1; n <= CompensationRelayDevice::kSteps; ++n)
        for (int p = 1; p <= 3; ++p)
            inputs.set(size_t(stepBase(n) + p));
    return inputs;
}

double signedValue(quint16 v) { return double(qint16(v)); }

} // namespace

CompensationRelayDevice::CompensationRelayDevice(DeviceInfo info, qint64 nowMs)
    : SimDevice(std::move(info)), m_clock(nowMs)
{
    const DeviceInfo &i = this->info();
    const double ctRatio = qMax(1.0, std::round(setupNumber(i, "ct", 40)));
    // The target tan φ, unless the site names one, keeps the net reactive
    // ratio of the device's energy records (inductive less capacitive): an
    // over-compensating relay holds a capacitive target.
    const auto ratios = energyRatios(i);
    const double tanTarget = std::round((ratios[0] - ratios[1]) * 100);
    // The settings, once; from here on they belong to whoever writes them.
    setReg(0, unsignedWord(ctRatio));
    for (DeviceSetting s : deviceSettings(DeviceKind::CompensationRelay)) {
        if (s.reg == 129)
            s.fallback = int(qBound(double(s.min), tanTarget, double(s.max)));
        setReg(s.reg, signedWord(deviceSetting(i, s)));
    }
    for (int n = 1; n <= kSteps; ++n) {
        const quint16 power = kDefaultStepPower[n - 1];
        setReg(stepBase(n) + 1, power);
        setReg(stepBase(n) + 2, n == 17 ? 0 : power);
        setReg(stepBase(n) + 3, n == 17 ? 0 : power);
    }

    m_feeder.seed = double(i.serial % 1000) / 7.0;
    m_feeder.ratedAmps = ctRatio * kSecondaryAmps;
    m_feeder.load = qBound(0.05, setupNumber(i, "load", 0.6), 1.0);
    // The load itself, before the bank: cos φ about 0.8.
    m_feeder.tanBase = 0.6;
    m_feeder.tanCapacitive = 0;

    settle(nowMs);
    write(nowMs);
}

double CompensationRelayDevice::ct() const
{
    return qMax(1, int(reg(0)));
}

bool CompensationRelayDevice::stepOn(int n) const
{
    if (n < 1 || n > kSteps)
        return false;
    return n <= 16 ? (reg(45) >> (n - 1)) & 1 : (reg(44) >> (n - 17)) & 1;
}

void CompensationRelayDevice::setStep(int n, bool on)
{
    const int r = n <= 16 ? 45 : 44;
    const int bit = n <= 16 ? n - 1 : n - 17;
    const quint16 mask = quint16(1u << bit);
    setReg(r, on ? quint16(reg(r) | mask) : quint16(reg(r) & ~mask));
}

double CompensationRelayDevice::stepKvar(int n, int p) const
{
    const quint16 v = reg(stepBase(n) + 1 + p);
    const double magnitude = v < 32768 ? v : 65536 - v;
    return magnitude * ct() / 10000;
}

ThreePhase CompensationRelayDevice::net(const ThreePhase &load) const
{
    ThreePhase phases = load;
    for (int p = 0; p < 3; ++p) {
        double bank = 0;
        for (int n = 1; n <= kSteps; ++n)
            if (stepOn(n))
                bank += stepKvar(n, p);
        phases[size_t(p)].kvar -= bank;
        completePhase(phases[size_t(p)]);
    }
    return phases;
}

void CompensationRelayDevice::switchStep(int n, bool on)
{
    setStep(n, on);
    m_sinceSwitch = 0;
    std::array<double, 4> &since = on ? m_sinceIn : m_sinceOut;
    since[3] = 0;
    for (int p = 0; p < 3; ++p)
        if (stepKvar(n, p) > 0)
            since[size_t(p)] = 0;
}

void CompensationRelayDevice::control(const ThreePhase &phases, double seconds)
{
    m_sinceSwitch += seconds;
    for (size_t i = 0; i < 4; ++i) {
        m_sinceIn[i] += seconds;
        m_sinceOut[i] += seconds;
    }
    if (reg(157) == 1) // manual: only the user switches
        return;
    double kw = 0, kvar = 0, smallest = 0;
    for (const Phase &p : phases) {
        kw += p.kw;
        kvar += p.kvar;
    }
    std::array<double, kSteps + 1> power{};
    for (int n = 1; n <= kSteps; ++n) {
        power[size_t(n)] = stepKvar(n, 0) + stepKvar(n, 1) + stepKvar(n, 2);
        if (power[size_t(n)] > 0 && (smallest == 0 || power[size_t(n)] < smallest))
            smallest = power[size_t(n)];
    }
    if (smallest == 0)
        return;
    const double error = kvar - kw * signedValue(reg(129)) / 100; // kVAr still to compensate
    const double threshold = 0.6 * smallest;
    const bool fast = reg(154) == 1;
    const double gap = qMax(1, int(reg(136)));
    const bool in = error > threshold;
    const bool out = error < -threshold;
    m_pendingIn = in ? m_pendingIn + seconds : 0;
    m_pendingOut = out ? m_pendingOut + seconds : 0;
    if ((!in && !out) || m_sinceSwitch < gap)
        return;
    // The larger the error, the sooner the relay acts.
    const double longest = qMax(gap, double(reg(in ? 134 : 135)));
    const double delay = fast ? gap : qMax(gap, longest * qBound(0.1, smallest / std::fabs(error), 1.0));
    if ((in ? m_pendingIn : m_pendingOut) < delay)
        return;
    // The step whose power comes closest to the error, without overshooting
    // by more than the threshold when another choice exists.
    int best = 0;
    double bestMiss = 0;
    for (int n = 1; n <= kSteps; ++n) {
        if (power[size_t(n)] <= 0 || stepOn(n) == in)
            continue;
        const double miss = std::fabs(std::fabs(error) - power[size_t(n)]);
        const bool fits = power[size_t(n)] <= std::fabs(error) + threshold;
        const double score = fits ? miss : 1e9 + power[size_t(n)];
        if (best == 0 || score < bestMiss) {
            best = n;
            bestMiss = score;
        }
    }
    if (best != 0) {
        switchStep(best, in);
        m_pendingIn = m_pendingOut = 0;
    }
}

void CompensationRelayDevice::settle(qint64 nowMs)
{
    // The relay has been running before the server started: let the control
    // reach its steady state at this load.
    const ThreePhase load = m_feeder.at(nowMs);
    const auto sinceIn = m_sinceIn, sinceOut = m_sinceOut;
    for (int i = 0; i < 2 * kSteps; ++i) {
        m_sinceSwitch = 1e6;
        m_pendingIn = m_pendingOut = 1e6;
        control(net(load), 0);
    }
    m_pendingIn = m_pendingOut = 0;
    m_sinceIn = sinceIn;
    m_sinceOut = sinceOut;
}

void CompensationRelayDevice::advance(qint64 nowMs)
{
    m_clock.runTo(nowMs, [this](qint64 t, double seconds) {
        if (seconds <= 0)
            return;
        control(net(m_feeder.at(t)), seconds);
    });
    write(nowMs);
}

void CompensationRelayDevice::write(qint64 nowMs)
{
    const double ratio = ct();
    const ThreePhase load = m_feeder.at(nowMs);
    const ThreePhase phases = net(load);
    const Energy energy = recordedEnergy(info(), nowMs);
    const PowerSums total = writePowerRegisters(*this, phases, ratio, 1000);
    setReg(1, 0xFC00); // directions learnt, every transformer the right way round
    // The reactive sums: the load's demand, what the bank gives.
    double loadKvar = 0, bankKvar = 0;
    for (size_t p = 0; p < 3; ++p) {
        loadKvar += qMax(0.0, load[p].kvar);
        bankKvar += load[p].kvar - phases[p].kvar;
    }
    setReg(26, unsignedWord(loadKvar * 1000));
    setReg(27, unsignedWord(bankKvar * 1000));
    setReg(30, unsignedWord(m_feeder.frequency(nowMs) * 10));
    setReg(31, unsignedWord(m_feeder.temperature(nowMs)));

    quint16 learnt[2] = {0, 0}; // registers 46, 47
    for (int n = 1; n <= kSteps; ++n) {
        quint16 flags = 0;
        for (int p = 0; p < 3; ++p)
            if (stepKvar(n, p) > 0)
                flags |= quint16(1u << p);
        setReg(stepBase(n), flags);
        if (flags)
            learnt[n <= 16 ? 1 : 0] |= quint16(1u << (n <= 16 ? n - 1 : n - 17));
    }
    setReg(46, learnt[0]);
    setReg(47, learnt[1]);

    writeEnergyRatios(*this, 62, energy);
    const double active = Energy::total(energy.active);
    // Switching times in fifths of a second: on R, off R, … on Σ, off Σ.
    for (size_t i = 0; i < 4; ++i) {
        setReg(82 + 2 * int(i), unsignedWord(m_sinceIn[i] * 5));
        setReg(83 + 2 * int(i), unsignedWord(m_sinceOut[i] * 5));
    }
    // Energy on the secondary side: the client multiplies by the CT.
    setCounter(*this, 90, active / ratio);
    setCounter(*this, 93, Energy::total(energy.inductive) / ratio);
    setCounter(*this, 96, Energy::total(energy.capacitive) / ratio);
    for (int p = 0; p < 3; ++p) {
        setCounter(*this, 102 + 3 * p, energy.active[size_t(p)] / ratio);
        setCounter(*this, 111 + 3 * p, energy.inductive[size_t(p)] / ratio);
        setCounter(*this, 120 + 3 * p, energy.capacitive[size_t(p)] / ratio);
    }

    // Alarms, bit 0 to 7.
    bool allIn = true;
    for (int n = 1; n <= kSteps; ++n)
        if (stepKvar(n, 0) + stepKvar(n, 1) + stepKvar(n, 2) > 0)
            allIn = allIn && stepOn(n);
    quint16 alarms = 0;
    for (const Phase &ph : phases) {
        alarms |= ph.volts > 253 ? 0x01 : 0;
        alarms |= ph.volts < 207 ? 0x02 : 0;
        alarms |= ph.amps > 1.2 * m_feeder.ratedAmps ? 0x04 : 0;
        alarms |= ph.volts < 50 ? 0x40 : 0;
    }
    const double cos = total.cosPhi;
    alarms |= cos < 0 && cos > -0.95 ? 0x08 : 0;
    alarms |= cos > 0 && cos < 0.9 && allIn ? 0x10 : 0;
    alarms |= m_feeder.temperature(nowMs) > 55 ? 0x80 : 0;
    setReg(159, alarms);

    fillWaves(waves(), phases, 1.2 - 0.4 * dailyProfile(nowMs), nowMs, m_feeder.seed);
    writeHarmonicTable(*this, waves(), ratio);
    avoidEscapePairs(*this, relayInputs());
}

} // namespace sim
