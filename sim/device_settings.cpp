#include "device_settings.h"

#include <QVariantMap>

#include <cmath>

namespace sim {

namespace {

// The compensation relay: tan φ target (hundredths, signed), the penalty
// limits in percent, the longest switch-in and switch-out delays and the
// shortest time between two switchings in seconds, capacitor learning and
// direction fixing (0 on, 1 off), fast mode (1 on), manual switching (1
// manual, 0 automatic). The ranges are those the relay accepts from the
// client's writes.
constexpr DeviceSetting kRelay[] = {
    {"Tanfi", -75, 75, 0, 129},
    {"indcezasinir", 5, 50, 20, 132},
    {"kapcezasinir", 5, 50, 15, 133},
    {"maxalmasure", 10, 60, 20, 134},
    {"maxcikmasure", 10, 60, 20, 135},
    {"minalmacikmasure", 2, 10, 4, 136},
    {"konogrenme", 0, 1, 0, 137},
    {"yonsabit", 0, 1, 0, 138},
    {"hizlimod", 0, 1, 0, 154},
    {"manuel", 0, 1, 0, 157},
};

// The meter-reading modem's meter: characters of each readout value before
// its unit, the point and three decimals included.
constexpr DeviceSetting kMeter[] = {
    {"digits", 6, 16, 10, -1},
};

} // namespace

std::span<const DeviceSetting> deviceSettings(DeviceKind kind)
{
    switch (kind) {
    case DeviceKind::CompensationRelay:
        return kRelay;
    case DeviceKind::MeterModem:
        return kMeter;
    default:
        return {};
    }
}

const DeviceSetting *findDeviceSetting(DeviceKind kind, QStringView key)
{
    for (const DeviceSetting &s : deviceSettings(kind)) {
        if (key == QLatin1String(s.key))
            return &s;
    }
    return nullptr;
}

QStringList deviceSettingKeys(DeviceKind kind)
{
    QStringList keys;
    for (const DeviceSetting &s : deviceSettings(kind))
        keys.append(QLatin1String(s.key));
    return keys;
}

int deviceSetting(const DeviceInfo &info, const char *key, int fallback)
{
    const QVariantMap settings = info.setup.value(QStringLiteral("settings")).toMap();
    bool ok = false;
    const double v = settings.value(QLatin1String(key)).toDouble(&ok);
    return ok && std::isfinite(v) ? int(std::lround(qBound(-1e9, v, 1e9))) : fallback;
}

int deviceSetting(const DeviceInfo &info, const DeviceSetting &setting)
{
    return qBound(setting.min, deviceSetting(info, setting.key, setting.fallback), setting.max);
}

} // namespace sim
