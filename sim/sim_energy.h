#pragma once
// The energy records of the simulated devices: active, inductive and
// capacitive energy counters that grow hour by hour with the device's load
// over a working week (busy weekday hours, quiet nights and weekends), from
// the day the device's records begin. Every device has them; the profile of
// a device says how large its load is and how its reactive energy compares
// with its active energy, so that the ratios between any two dates fall in
// the device's band.
//
// Times are milliseconds since the epoch; the site runs on the machine's
// local time as it was when the simulator started (a fixed offset, no
// daylight-saving jumps inside the records).
#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

namespace sim {

class SimDevice;
struct DeviceInfo;

struct EnergyProfile {
    double ratedKw = 30.0;          // mean active power over a week at full load
    double inductivePercent = 7.0;  // inductive energy per active energy
    double capacitivePercent = 2.0; // capacitive energy per active energy
    QDate recordsFrom{2024, 1, 1};  // the counters start on this day
    double startKwh = 0;            // active counter on that day
    // Meter-reading modems: how the meter writes its values.
    int meterWidth = 10;            // characters before the unit, 3 decimals included
    bool meterInMega = false;       // MWh and Mvarh instead of kWh and kvarh
    QString meterNumber;            // the meter's own serial (0.0.0)
};

// The profile of a device: its setup "energy" when given, otherwise the demo
// site's profile for its serial, otherwise the default. setup "energy" is a
// band name ("NORMAL", "KRİTİK", "ALARM", "CEZA") or a map with any of the
// keys "band", "ratedKw", "inductive", "capacitive", "from" (yyyy-MM-dd),
// "startKwh", "meterWidth", "meterInMega", "meterNumber" (a site file gives
// only "inductive" and "capacitive"). A meter modem's width is its setting
// "digits" unless "energy" names one. setup "load" (0..1) scales the power.
EnergyProfile energyProfile(const DeviceInfo &info);

struct EnergyCounters {
    double active = 0;     // kWh
    double inductive = 0;  // kVArh
    double capacitive = 0; // kVArh
};

// The counters at a moment; before the records begin they hold their
// starting values.
EnergyCounters energyAt(const DeviceInfo &info, qint64 ms);

// The active energy by tariff: T1 day (06–17), T2 peak (17–22), T3 night
// (22–06). They add up to the active counter.
struct TariffCounters {
    double t1 = 0, t2 = 0, t3 = 0;
};
TariffCounters tariffsAt(const DeviceInfo &info, qint64 ms);

// Site time.
qint64 siteOffsetMs();
qint64 startOfDay(const QDate &day);           // 00:00 of the day, site time
QDate siteDate(qint64 ms);
// 00:00 of the first day of the month that holds ms: the meters' last
// billing reset and the start of the current billing period.
qint64 billingPeriodStart(qint64 ms);

// A date as a client sends it: the short date format of its regional
// settings, whatever they are ("15.03.2024", "15.03.24", "3/15/24",
// "2024-03-15", "15 Mar 2024" …). Nothing for an empty or unreadable text.
std::optional<QDate> parseClientDate(QByteArrayView text);

// The two counters of a date range: at the start of the first day and at
// the end of the last day, neither later than now. An empty or unreadable
// first date means the start of the current billing period, an empty or
// unreadable last date means now.
struct EnergyRange {
    EnergyCounters first, last;
    QByteArray firstDate, lastDate; // as the client sent them; filled in when empty
};
EnergyRange energyBetween(const DeviceInfo &info, QByteArrayView firstDate, QByteArrayView lastDate, qint64 nowMs);

// Messages of the energy records.
// keyword 0x01 serial 0x01 date 0x01 date 0x01 A1 0x01 A2 0x01 L1 0x01 L2 0x01
// C1 0x01 C2 0x01 F4 F4 F4, the counters in whole kWh and kVArh (a whole
// number reads the same under every client locale).
QByteArray energyRangeMessage(QByteArrayView keyword, QByteArrayView serial, const EnergyRange &range);
// "Sycdegerleri" 0x01 active 0x01 inductive 0x01 capacitive 0x01 F4 F4 F4:
// the counters before the last reset (the start of the billing period).
QByteArray beforeResetMessage(const SimDevice &device, qint64 nowMs);
// "cihazenerji" 0x01 serial 0x01 group 0x01 summary 0x01 F4 F4 F4. The
// summary is 99 fields "$1" + eight digits: the device's registers 0 to 98,
// with the energy counters from the records (registers 62 to 70, or 90 to 98
// for the compensation relay, kWh × 3,600,000 over three registers), fields
// 30 to 41 multiplied by 3600 (the client divides them again) and field 43
// naming the register row (1 to 250) that the client stores it in.
QByteArray energySummaryMessage(const SimDevice &device, int row, qint64 nowMs);

} // namespace sim
