#pragma once
// The named settings a site may give a device (a device's "settings" in a
// site file), by kind: the compensation relay's constants, as the client's
// settings page writes them and its read-back labels show them, and how many
// characters a meter writes for each value of its readout. Every setting is
// a whole number within the range the device itself accepts.
#include "sim_device.h"

#include <QStringList>
#include <QStringView>

#include <span>

namespace sim {

struct DeviceSetting {
    const char *key;
    int min;
    int max;
    int fallback;
    int reg; // where the device keeps it in its register image; -1: not a register
};

// The settings of a kind (none for the kinds that take none).
std::span<const DeviceSetting> deviceSettings(DeviceKind kind);
// The setting of that kind with this key (exact, case-sensitive), or null.
const DeviceSetting *findDeviceSetting(DeviceKind kind, QStringView key);
QStringList deviceSettingKeys(DeviceKind kind);

// The device's value of a setting: what its site gives, else the fallback.
int deviceSetting(const DeviceInfo &info, const DeviceSetting &setting);
int deviceSetting(const DeviceInfo &info, const char *key, int fallback);

} // namespace sim
