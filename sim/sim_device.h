#pragma once
// The simulated field devices behind the server. Every device kind has its
// own class; device requests relayed by the server end up in answer().
#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace sim {

struct SimRequest;

// Kinds as the client tells them apart by the model identifier.
enum class DeviceKind {
    Unknown = -1,
    Analyser = 0,
    CompensationRelay = 2,
    OvercurrentRelay = 3,
    MeterModem = 4,
};

DeviceKind kindOfModel(const QString &model);

// One entry of the device list a user gets after logging in.
struct DeviceInfo {
    QString group;
    QString model;
    QString name;   // never contains ':' (the client takes the serial after it)
    quint32 serial = 0;
};

class SimDevice {
public:
    explicit SimDevice(DeviceInfo info) : m_info(std::move(info)) {}
    virtual ~SimDevice() = default;
    SimDevice(const SimDevice &) = delete;
    SimDevice &operator=(const SimDevice &) = delete;

    const DeviceInfo &info() const { return m_info; }
    virtual DeviceKind kind() const = 0;

    // The device's answer to a request addressed to it, as the bytes that the
    // server relays back; nothing when the device does not know the request.
    virtual std::optional<QByteArray> answer(const SimRequest &request);

private:
    DeviceInfo m_info;
};

// The device class for the model in info (unknown models get a device that
// answers nothing).
std::unique_ptr<SimDevice> makeDevice(const DeviceInfo &info);

} // namespace sim
