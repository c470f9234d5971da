#pragma once
// What the message handlers read from the server, as typed values for
// whoever listens (the pages, the compensation watch, the history). The
// handlers emit; nothing here touches a widget.
#include "energy_range.h"
#include "meter_readout.h"

#include <QByteArray>
#include <QObject>

namespace fleet {

class ClientEvents : public QObject {
    Q_OBJECT
public:
    explicit ClientEvents(QObject *parent = nullptr) : QObject(parent)
    {
        setObjectName(QStringLiteral("ClientEvents"));
    }

signals:
    // The user made a device the active one: its serial as the selection's
    // request carried it (empty when the selection stopped before asking),
    // and its kind (the picture of its device-bar item).
    void deviceSelected(const QByteArray &serial, int kind);
    // Every energy-between-dates answer. background: it answered a
    // background request and was shown nowhere.
    void energyRange(const energy::RangeAnswer &answer, bool background);
    // The server said the device is not on line.
    void deviceOffline(const QByteArray &serial, bool background);
    // A register answer of the active device stored in row 1: registers
    // first .. first + count - 1. `request` is the pending-request value that
    // routed it ("anideger", "tuketim", ...).
    void registersStored(int serial, const QByteArray &request, int first, int count, bool background);
    // The readout of the meter in the serial box grew; the values of its six
    // codes as far as they have come.
    void meterReadout(const QByteArray &serial, const energy::MeterReadout &readout);
};

} // namespace fleet
