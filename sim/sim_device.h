#pragma once
// The simulated field devices behind the server. Each device keeps a register
// image in the client's register numbering (0 to 401), which its physics
// moves over time and the setting writes change; the request handlers of the
// server read and write it.
#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <array>
#include <memory>
#include <span>

namespace sim {

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
    bool online = true;
    // The starting state of the device's physics and settings, as a site file
    // gives it: "load" (share of rated load, 0..1), "ct" (current-transformer
    // ratio), "settings" (named settings of the device), "energy" (how its
    // reactive energy compares with its active energy). Absent keys take the
    // kind's defaults.
    QVariantMap setup;
};

// The waveform content of one phase: RMS values and the odd harmonics 1, 3,
// …, 31 as a percentage of the fundamental, with their phase angles. The
// harmonic table (registers 300 to 401) and the sampled waveforms both come
// from it, so they agree.
struct PhaseWave {
    double voltageRms = 230.0;
    double currentRms = 0.0;
    std::array<double, 16> voltagePercent{100.0};
    std::array<double, 16> currentPercent{100.0};
    std::array<double, 16> voltageAngleDeg{};
    std::array<double, 16> currentAngleDeg{};
};

class SimDevice {
public:
    static constexpr int kRegisters = 402;

    explicit SimDevice(DeviceInfo info);
    virtual ~SimDevice() = default;
    SimDevice(const SimDevice &) = delete;
    SimDevice &operator=(const SimDevice &) = delete;

    const DeviceInfo &info() const { return m_info; }
    virtual DeviceKind kind() const = 0;

    bool online() const { return m_info.online; }
    void setOnline(bool on) { m_info.online = on; }

    // The register image; numbers outside 0..401 read 0 and are not written.
    quint16 reg(int n) const;
    void setReg(int n, quint16 value);
    // count registers from first on, clipped to the image.
    std::span<const quint16> registers(int first, int count) const;

    std::array<PhaseWave, 3> &waves() { return m_waves; }
    const std::array<PhaseWave, 3> &waves() const { return m_waves; }

    // Moves the device's physics on to the given time (milliseconds since the
    // epoch); called before every answer.
    virtual void advance(qint64 nowMs) { Q_UNUSED(nowMs); }

private:
    DeviceInfo m_info;
    std::array<quint16, kRegisters> m_regs{};
    std::array<PhaseWave, 3> m_waves{};
};

// The device class for the model in info, starting from its state at nowMs
// (milliseconds since the epoch).
std::unique_ptr<SimDevice> makeDevice(const DeviceInfo &info, qint64 nowMs);
std::unique_ptr<SimDevice> makeDevice(const DeviceInfo &info); // at this moment

} // namespace sim
