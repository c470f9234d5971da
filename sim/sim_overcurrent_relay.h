#pragma once
// The overcurrent relay (LBE620) of the simulator: a clock and four currents
// of a transformer feeder, I1, I2, I3 and the earth current It, moving with
// the load of the day.
//
// Its answer to a register read is 12 registers whose 24 data bytes are, in
// order: second, minute, hour, day, 0, 0, month, year (two digits), then I1,
// I2, I3 and It as IEEE binary32, most significant byte first. The image
// keeps them in registers 0 to 11 after every advance(), so registers(0, 12)
// is that answer; answerBytes() gives the same 24 bytes.
#include "sim_physics.h"

#include <QDateTime>

#include <array>

namespace sim {

class OvercurrentRelayDevice final : public SimDevice {
public:
    explicit OvercurrentRelayDevice(DeviceInfo info, qint64 nowMs);
    DeviceKind kind() const override { return DeviceKind::OvercurrentRelay; }
    void advance(qint64 nowMs) override;

    // The relay's clock (local time, whole seconds) at the last advance.
    QDateTime clock() const { return m_clock; }
    // I1, I2, I3 and It in amperes, multiples of 0.25 A (exact in binary32).
    std::array<float, 4> currents() const { return m_currents; }
    std::array<quint8, 24> answerBytes() const;

private:
    void update(qint64 nowMs);

    physics::Feeder m_feeder;
    QDateTime m_clock;
    std::array<float, 4> m_currents{};
};

// The overcurrent relay behind a device, or null for another kind.
inline OvercurrentRelayDevice *asOvercurrentRelay(SimDevice *d)
{
    return d && d->kind() == DeviceKind::OvercurrentRelay ? static_cast<OvercurrentRelayDevice *>(d) : nullptr;
}

} // namespace sim
