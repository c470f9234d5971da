#pragma once
// What the simulated switching devices keep between requests: the industrial
// modem's three relay outputs and water-meter index, the overcurrent relay's
// pulled relays, the meter modem's readout in progress. Held by the server, so every session sees the same state.
#include <QObject>

#include <array>
#include <map>

namespace sim {

class SimServer;

struct ModemOutputs {
    std::array<bool, 3> relays{true, false, false};
    qint64 waterLitres = 1'284'350; // 1 284,35 m3
};

struct OvercurrentOutputs {
    quint8 relayMask = 0; // 0x10, 0x20, 0x40: relays 1 to 3 pulled
    int constantWrites = 0;
};

class FieldOutputs : public QObject {
    Q_OBJECT
public:
    // The server's outputs, created with it on first use and gone with it.
    static FieldOutputs &of(SimServer &server);

    ModemOutputs &modem(quint32 serial) { return m_modems[serial]; }
    OvercurrentOutputs &overcurrent(quint32 serial) { return m_relays[serial]; }
    // Until when (server clock, ms) a meter modem is busy sending a readout.
    qint64 &meterBusyUntil(quint32 serial) { return m_meterBusy[serial]; }

private:
    explicit FieldOutputs(QObject *parent) : QObject(parent) {}
    std::map<quint32, ModemOutputs> m_modems;
    std::map<quint32, OvercurrentOutputs> m_relays;
    std::map<quint32, qint64> m_meterBusy;
};

} // namespace sim
