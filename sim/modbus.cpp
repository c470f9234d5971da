#include "modbus.h"

namespace sim::modbus {

quint16 crc16(QByteArrayView bytes)
{
    quint16 crc = 0xFFFF;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

QByteArray withCrc(QByteArray frame)
{
    const quint16 crc = crc16(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

QByteArray readResponse(std::span<const quint16> registers, quint8 station)
{
    // More would wrap the byte count and the client would read a few
    // registers of garbage instead.
    if (registers.size() > size_t(kMaxReadRegisters))
        registers = registers.first(size_t(kMaxReadRegisters));
    QByteArray f;
    f.reserve(int(3 + 2 * registers.size() + 2));
    f.append(char(station));
    f.append(char(3));
    f.append(char(quint8(2 * registers.size())));
    for (quint16 r : registers) {
        f.append(char(r >> 8));
        f.append(char(r & 0xFF));
    }
    return withCrc(f);
}

namespace {

// Station, function code and two 16-bit words, as both write echoes are.
QByteArray twoWordFrame(quint8 station, quint8 function, quint16 first, quint16 second)
{
    QByteArray f;
    f.append(char(station));
    f.append(char(function));
    f.append(char(first >> 8));
    f.append(char(first & 0xFF));
    f.append(char(second >> 8));
    f.append(char(second & 0xFF));
    return withCrc(f);
}

} // namespace

QByteArray writeSingleEcho(quint16 address, quint16 value, quint8 station)
{
    return twoWordFrame(station, 6, address, value);
}

QByteArray writeMultipleEcho(quint16 address, quint16 count, quint8 station)
{
    return twoWordFrame(station, 16, address, count);
}

QByteArray exceptionReply(quint8 function, quint8 code, quint8 station)
{
    QByteArray f;
    f.append(char(station));
    f.append(char(function | 0x80));
    f.append(char(code));
    return withCrc(f);
}

QByteArray payloadText(QByteArrayView frame)
{
    QByteArray out;
    out.reserve(frame.size() * 4);
    for (qsizetype i = 0; i < frame.size(); ++i) {
        const quint8 b = quint8(frame[i]);
        if (i > 0 && b == 3)
            out += "199$239$";
        else {
            out += QByteArray::number(b);
            out += '$';
        }
    }
    return out;
}

QByteArray enerjialMessage(QByteArrayView content)
{
    QByteArray m("enerjial\x01\x01\x01");
    m.append(content);
    return m;
}

} // namespace sim::modbus
