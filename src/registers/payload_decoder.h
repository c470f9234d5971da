#pragma once
// Register payloads: a device's Modbus RTU response written as decimal byte
// values, each followed by "$" ("1$3$4$0$10$1$44$12$34$"): station, function
// code, byte count N, then N / 2 registers of two bytes, high byte first;
// what follows them (normally the CRC) is ignored.
#include <QByteArrayView>
#include <QString>

class RegisterStore;

namespace payload {

// Decodes the payload into row store.targetRow from store.startRegister on,
// advancing startRegister by one per register. "$199$239" stands for "$3"
// (the server's escape of the byte 3). A field that is not a whole number
// throws SilentAbort; the registers stored before it stay. When the text runs
// out before N / 2 registers, every further register repeats the last high
// and low byte read (0 before any).
void decode(QByteArrayView text, RegisterStore &store);

// Base-2 digits of n, padded on the left with "0" to at least 8 digits.
QString bitText(quint64 n);

// The IEEE-754 single-precision value of the word b0 b1 b2 b3 (b0 most
// significant); infinities and not-a-number give 0, and so does -0.
double binary32(int b0, int b1, int b2, int b3);

} // namespace payload
