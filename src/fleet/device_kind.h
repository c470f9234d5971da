#pragma once
// The kinds of device the client knows, from the model identifier the device
// list gives. The device bar shows the kind as the item's picture (its image
// index), and device selection switches the pages on it.
#include <QByteArrayView>
#include <QString>

namespace fleet {

enum class DeviceKind : qint8 {
    Other = -1,           // a model the client does not list
    Analyser = 0,         // "QRN410" power analyser family
    CompensationRelay = 2,// "Rkt90wz" 18-step compensation relay
    OvercurrentRelay = 3, // "LBE620"
    MeterModem = 4,       // "PMT830" meter-reading modem
};

// Exact and case-sensitive; anything else is Other.
DeviceKind kindOfModel(QByteArrayView model);
// The device bar's picture of the kind (-1: none).
constexpr int imageIndex(DeviceKind k) { return int(k); }
DeviceKind kindOfImageIndex(int index);

// Whether the device keeps energy counters that the watch can ask for, and
// which request asks for them.
bool hasEnergyCounters(DeviceKind k);
bool readsThroughMeter(DeviceKind k); // a meter modem: "sycreaktfener"

// The kind for a person ("Kompanzasyon Rölesi", ...).
QString kindName(DeviceKind k);

} // namespace fleet
