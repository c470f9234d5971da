#pragma once
// What an electricity meter sends when the meter-reading modem reads it: the
// readout of IEC 62056-21 (mode C) with OBIS codes — the identification line
// "/XXX5…", then STX, one data line per value "code(value*unit)", the end
// line "!", ETX and the block check character. The modem relays it to the
// server in pieces as it comes off the meter's port; each piece reaches the
// client as "sayacal", three bytes, then the piece.
#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

namespace sim {

struct DeviceInfo;

struct MeterRegisters {
    double active = 0, inductive = 0, capacitive = 0; // 1.8.0, 5.8.0, 8.8.0
    double t1 = 0, t2 = 0, t3 = 0;                    // 1.8.1 … 1.8.3
};

struct MeterReading {
    QString identification;  // after "/": manufacturer, baud rate character, type
    QString meterNumber;     // 0.0.0
    QDate date;              // 0.9.2
    QTime time;              // 0.9.1
    MeterRegisters now;
    // The registers at the last billing resets, newest first ("*1", "*2", …).
    QList<MeterRegisters> history;
    double maxDemand = -1;   // 1.6.0 and when it happened; negative: not read
    QDate maxDemandDate;
    QTime maxDemandTime;
    int width = 10;          // characters of each value before its unit
    bool mega = false;       // MWh, Mvarh and MW instead of kWh, kvarh and kW
};

// The reading of the device's meter at the moment, from its energy records.
// An ordinary reading carries the last billing reset's values; a utility
// reading also the one before it and the maximum demand of the period.
MeterReading meterReading(const DeviceInfo &info, qint64 nowMs, bool utility);

// A value as the meter writes it: `width` characters with three decimals and
// leading zeros; a register that has run past its digits starts again from
// zero, as the meter's own does.
QByteArray meterValue(double value, int width);

// The readout text, byte for byte.
QByteArray iecReadout(const MeterReading &reading);

// The readout cut into pieces of 40 to 90 bytes, the cuts falling anywhere
// (inside a value too); the same seed cuts the same way.
QList<QByteArray> readoutPieces(const QByteArray &readout, quint32 seed);

// "sayacal" 0x01 0x01 0x01 piece.
QByteArray sayacalMessage(QByteArrayView piece);

} // namespace sim
