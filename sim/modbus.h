#pragma once
// What a field device puts on its serial line, and how the server relays it:
// Modbus RTU frames (station, function, data, CRC-16 low byte first) and the
// "$"-ended decimal text the client reads them from.
#include <QByteArray>
#include <QByteArrayView>

#include <span>

namespace sim::modbus {

constexpr quint8 kStation = 1;

// CRC-16 of Modbus (polynomial 0xA001 reflected, start 0xFFFF).
quint16 crc16(QByteArrayView bytes);
// The frame with its CRC appended, low byte first.
QByteArray withCrc(QByteArray frame);

// A read answer carries at most this many registers (its byte count is one
// byte; a device refuses longer reads).
constexpr int kMaxReadRegisters = 125;

// Function 3 answer: station, 3, byte count, two bytes per register. Only the
// first kMaxReadRegisters registers are taken.
QByteArray readResponse(std::span<const quint16> registers, quint8 station = kStation);
// Function 6 echo: station, 6, address, value.
QByteArray writeSingleEcho(quint16 address, quint16 value, quint8 station = kStation);
// Function 16 echo: station, 16, address, register count.
QByteArray writeMultipleEcho(quint16 address, quint16 count, quint8 station = kStation);
// Exception reply: station, function | 0x80, exception code (3: illegal value).
QByteArray exceptionReply(quint8 function, quint8 code, quint8 station = kStation);

// Every byte as its decimal value followed by "$". The server sends every
// byte 3 after the station address as "199$239" (the client reads
// "$199$239" back as "$3").
QByteArray payloadText(QByteArrayView frame);

// "enerjial", three bytes the client skips unread, then the device's answer
// to the end of the write.
QByteArray enerjialMessage(QByteArrayView content);

} // namespace sim::modbus
