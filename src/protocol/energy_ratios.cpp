#include "energy_ratios.h"

#include <QCoreApplication>

#include <cmath>

namespace energy {

Ratios rangeRatios(double a1, double a2, double l1, double l2, double c1, double c2)
{
    const double active = a2 - a1;
    if (!(active > 0))
        return {};
    return {(l2 - l1) / active * 100.0, (c2 - c1) / active * 100.0};
}

double roundedRatio(double ratio)
{
    // The default floating-point rounding mode rounds halves to even.
    return std::nearbyint(ratio);
}

Band band(double ratio, Reactive kind)
{
    // Thresholds of the rounded ratio: lowest KRİTİK, ALARM and CEZA values.
    struct Limits {
        double critical, alarm, penalty;
    };
    static constexpr Limits kInductive{15, 17, 20};
    static constexpr Limits kCapacitive{10, 12, 15};
    const Limits &l = kind == Reactive::Inductive ? kInductive : kCapacitive;
    const double r = roundedRatio(ratio);
    if (std::isnan(r) || r < l.critical)
        return Band::Normal;
    if (r < l.alarm)
        return Band::Critical;
    if (r < l.penalty)
        return Band::Alarm;
    return Band::Penalty;
}

QString bandText(Band b)
{
    switch (b) {
    case Band::Normal:
        return QCoreApplication::translate("EnergyBands", "NORMAL");
    case Band::Critical:
        return QCoreApplication::translate("EnergyBands", "KRİTİK");
    case Band::Alarm:
        return QCoreApplication::translate("EnergyBands", "ALARM");
    case Band::Penalty:
        return QCoreApplication::translate("EnergyBands", "CEZA");
    }
    return QString();
}

quint32 bandColour(Band b)
{
    switch (b) {
    case Band::Normal:
        return 0x00FF00;
    case Band::Critical:
        return 0xFFFF00;
    case Band::Alarm:
        return 0xFF00FF;
    case Band::Penalty:
        return 0xFF0000;
    }
    return 0;
}

} // namespace energy
