#include "sim_device.h"

#include "sim_request.h"

namespace sim {

namespace {

class AnalyserDevice final : public SimDevice {
public:
    using SimDevice::SimDevice;
    DeviceKind kind() const override { return DeviceKind::Analyser; }
};

class CompensationRelayDevice final : public SimDevice {
public:
    using SimDevice::SimDevice;
    DeviceKind kind() const override { return DeviceKind::CompensationRelay; }
};

class OvercurrentRelayDevice final : public SimDevice {
public:
    using SimDevice::SimDevice;
    DeviceKind kind() const override { return DeviceKind::OvercurrentRelay; }
};

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

std::optional<QByteArray> SimDevice::answer(const SimRequest &)
{
    return std::nullopt;
}

std::unique_ptr<SimDevice> makeDevice(const DeviceInfo &info)
{
    switch (kindOfModel(info.model)) {
    case DeviceKind::Analyser:
        return std::make_unique<AnalyserDevice>(info);
    case DeviceKind::CompensationRelay:
        return std::make_unique<CompensationRelayDevice>(info);
    case DeviceKind::OvercurrentRelay:
        return std::make_unique<OvercurrentRelayDevice>(info);
    case DeviceKind::MeterModem:
        return std::make_unique<MeterModemDevice>(info);
    case DeviceKind::Unknown:
        break;
    }
    return std::make_unique<UnknownDevice>(info);
}

} // namespace sim
