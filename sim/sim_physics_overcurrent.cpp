// The overcurrent relay: phase currents of a transformer feeder and the
// earth current left over by their imbalance, with the relay's clock.
#include "sim_overcurrent_relay.h"

#include <cmath>
#include <complex>
#include <cstring>

namespace sim {

using namespace physics;

OvercurrentRelayDevice::OvercurrentRelayDevice(DeviceInfo info, qint64 nowMs) : SimDevice(std::move(info))
{
    const double ct = qMax(1.0, std::round(setupNumber(this->info(), "ct", 80)));
    m_feeder.seed = double(this->info().serial % 1000) / 7.0;
    m_feeder.ratedAmps = ct * kSecondaryAmps;
    m_feeder.load = qBound(0.05, setupNumber(this->info(), "load", 0.5), 1.0);
    m_feeder.tanBase = 0.3;
    update(nowMs);
}

void OvercurrentRelayDevice::advance(qint64 nowMs)
{
    update(nowMs);
}

void OvercurrentRelayDevice::update(qint64 nowMs)
{
    m_clock = QDateTime::fromMSecsSinceEpoch(nowMs - nowMs % 1000);
    const ThreePhase phases = m_feeder.at(nowMs);
    // The earth current is what the three phase currents, 120° apart, do
    // not cancel.
    std::complex<double> residual;
    for (int p = 0; p < 3; ++p) {
        const double amps = std::round(phases[size_t(p)].amps * 4) / 4;
        m_currents[size_t(p)] = float(amps);
        residual += std::polar(amps, -2.0943951023931953 * p);
    }
    m_currents[3] = float(std::round(std::abs(residual) * 4) / 4);
    for (int p = 0; p < 3; ++p) {
        PhaseWave &w = waves()[size_t(p)];
        w.voltageRms = phases[size_t(p)].volts;
        w.currentRms = m_currents[size_t(p)];
    }
    const std::array<quint8, 24> bytes = answerBytes();
    for (int r = 0; r < 12; ++r)
        setReg(r, quint16(bytes[size_t(2 * r)] << 8 | bytes[size_t(2 * r + 1)]));
}

std::array<quint8, 24> OvercurrentRelayDevice::answerBytes() const
{
    std::array<quint8, 24> b{};
    const QTime t = m_clock.time();
    const QDate d = m_clock.date();
    b[0] = quint8(t.second());
    b[1] = quint8(t.minute());
    b[2] = quint8(t.hour());
    b[3] = quint8(d.day());
    b[6] = quint8(d.month());
    b[7] = quint8(d.year() % 100);
    for (int i = 0; i < 4; ++i) {
        quint32 word;
        const float f = m_currents[size_t(i)];
        std::memcpy(&word, &f, sizeof word);
        for (int k = 0; k < 4; ++k)
            b[size_t(8 + 4 * i + k)] = quint8(word >> (24 - 8 * k));
    }
    return b;
}

} // namespace sim
