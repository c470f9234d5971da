#pragma once
// The requests of the compensation relay's settings and capacitor steps,
// built from plain values: keyword 0x01 serial 0x01 fields… F4 F4 F4. The
// click handlers read the widgets and hand the values over; nothing here
// touches a widget.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace commands::requests {

// "zorvctyaz": high, low of the transformer ratio.
QByteArray currentTransformer(const QByteArray &serial, qint32 ratio);
// "zorvtanfiyaz": high, low of tan phi, a negative value as its 16-bit two's
// complement.
QByteArray tanPhi(const QByteArray &serial, qint32 value);
// "zorvindcezasiniryaz" / "zorvkapcezasiniryaz": high, low of the limit.
QByteArray inductiveLimit(const QByteArray &serial, qint32 limit);
QByteArray capacitiveLimit(const QByteArray &serial, qint32 limit);
// "zorvalmacikarmayaz": high, low of each of the three switching times.
QByteArray switchingTimes(const QByteArray &serial, qint32 maxIn, qint32 maxOut, qint32 minInOut);
// "zorvkonogryonyaz": 0, learning flag, 0, direction flag, 0, 0. A flag is 0
// when the function is enabled ("Devreye Al") and 1 when it is not.
QByteArray learningAndDirection(const QByteArray &serial, bool learningEnabled, bool directionEnabled);
// "zorvotomanuelyaz": 1 for manual switching, 0 for automatic.
QByteArray switchingMode(const QByteArray &serial, bool manual);
// "zorvhizlimod": 1 when fast mode is enabled, 0 when it is not.
QByteArray fastMode(const QByteArray &serial, bool enabled);
// "zorvsabitiste": the constants, no further fields.
QByteArray readConstants(const QByteArray &serial);

// "kondasatordurum": the powers and states of every step.
QByteArray readSteps(const QByteArray &serial);
// "Kondandegeryaz": high, low of R, S and T, "0", the step number.
QByteArray writeStep(const QByteArray &serial, int step, qint32 r, qint32 s, qint32 t);
// "zorvdevreyealcikart": the step number.
QByteArray switchStep(const QByteArray &serial, int step);

// The outgoing-line text of a step switch.
QString switchStepStatus(int step);

} // namespace commands::requests
