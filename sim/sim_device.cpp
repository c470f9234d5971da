#include "sim_device.h"

#include "sim_compensation_relay.h"
#include "sim_overcurrent_relay.h"
#include "sim_physics.h"

#include <QDateTime>

namespace sim {

namespace {

class MeterModemDevice final : public SimDevice {
public:
    using SimDevice::SimDevice;
    DeviceKind kind() const override { return DeviceKind::MeterModem; }
};

class UnknownDevice final : public SimDevice {
public:
    using SimDevice::SimDevice;
    DeviceKind kind() const override { return DeviceKind::Unknown; }
};

} // namespace

DeviceKind kindOfModel(const QString &model)
{
    // Exact and case-sensitive, as the client compares them.
    if (model == QLatin1String("QRN410"))
        return DeviceKind::Analyser;
    if (model == QLatin1String("Rkt90wz"))
        return DeviceKind::CompensationRelay;
    if (model == QLatin1String("LBE620"))
        return DeviceKind::OvercurrentRelay;
    if (model == QLatin1String("PMT830"))
        return DeviceKind::MeterModem;
    return DeviceKind::Unknown;
}

SimDevice::SimDevice(DeviceInfo info) : m_info(std::move(info)) {}

quint16 SimDevice::reg(int n) const
{
    return n >= 0 && n < kRegisters ? m_regs[size_t(n)] : 0;
}

void SimDevice::setReg(int n, quint16 value)
{
    if (n >= 0 && n < kRegisters)
        m_regs[size_t(n)] = value;
}

std::span<const quint16> SimDevice::registers(int first, int count) const
{
    if (first < 0 || first >= kRegisters || count <= 0)
        return {};
    return std::span<const quint16>(m_regs).subspan(size_t(first), size_t(qMin(count, kRegisters - first)));
}

std::unique_ptr<SimDevice> makeDevice(const DeviceInfo &info)
{
    return makeDevice(info, QDateTime::currentMSecsSinceEpoch());
}

std::unique_ptr<SimDevice> makeDevice(const DeviceInfo &info, qint64 now)
{
    switch (kindOfModel(info.model)) {
    case DeviceKind::Analyser:
        return std::make_unique<AnalyserDevice>(info, now);
    case DeviceKind::CompensationRelay:
        return std::make_unique<CompensationRelayDevice>(info, now);
    case DeviceKind::OvercurrentRelay:
        return std::make_unique<OvercurrentRelayDevice>(info, now);
    case DeviceKind::MeterModem:
        return std::make_unique<MeterModemDevice>(info);
    case DeviceKind::Unknown:
        break;
    }
    return std::make_unique<UnknownDevice>(info);
}

} // namespace sim
