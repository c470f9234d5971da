#include "device_kind.h"

#include <QCoreApplication>

namespace fleet {

DeviceKind kindOfModel(QByteArrayView model)
{
    static const struct {
        const char *model;
        DeviceKind kind;
    } kModels[] = {
        {"QRN410", DeviceKind::Analyser},
        {"Rkt90wz", DeviceKind::CompensationRelay},
        {"LBE620", DeviceKind::OvercurrentRelay},
        {"PMT830", DeviceKind::MeterModem},
    };
    for (const auto &m : kModels)
        if (model == QByteArrayView(m.model))
            return m.kind;
    return DeviceKind::Other;
}

DeviceKind kindOfImageIndex(int index)
{
    switch (index) {
    case 0:
        return DeviceKind::Analyser;
    case 2:
        return DeviceKind::CompensationRelay;
    case 3:
        return DeviceKind::OvercurrentRelay;
    case 4:
        return DeviceKind::MeterModem;
    default:
        return DeviceKind::Other;
    }
}

bool hasEnergyCounters(DeviceKind k)
{
    return k == DeviceKind::Analyser || k == DeviceKind::CompensationRelay || k == DeviceKind::MeterModem;
}

bool readsThroughMeter(DeviceKind k)
{
    return k == DeviceKind::MeterModem;
}

QString kindName(DeviceKind k)
{
    switch (k) {
    case DeviceKind::Analyser:
        return QCoreApplication::translate("fleet", "Analizör");
    case DeviceKind::CompensationRelay:
        return QCoreApplication::translate("fleet", "Kompanzasyon Rölesi");
    case DeviceKind::OvercurrentRelay:
        return QCoreApplication::translate("fleet", "Aşırı Akım Rölesi");
    case DeviceKind::MeterModem:
        return QCoreApplication::translate("fleet", "Sayaç Modemi");
    case DeviceKind::Other:
        break;
    }
    return QCoreApplication::translate("fleet", "Endüstriyel Modem");
}

} // namespace fleet
