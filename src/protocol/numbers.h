#pragma once
// Number conversions shared by the handlers, the commands and the live
// display: whole numbers from wire text, decimal numbers read with the
// locale's decimal separator, and the two ways numbers are written for the
// user (pattern formatting such as "000.0" or "##.00", and general
// formatting with at most 15 significant digits).
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

namespace numbers {

// A signed decimal integer: an optional sign and at least one digit, nothing
// else, within 32 bits.
std::optional<qint32> parseInt(QByteArrayView text);
std::optional<qint32> parseInt(QStringView text);

// A decimal number as a user types it: optional blanks around it, an
// optional sign, digits with at most one decimal separator (the given one),
// an optional exponent ("1,5E3"). No thousands separators.
std::optional<double> parseDecimal(QStringView text, QChar decimalSeparator);

// Pattern formatting: each "0" before the point is a minimum integer digit,
// "#" an optional one; the characters after the point give the number of
// decimals ("0" always written, "#" only when not zero). The value is rounded
// to those decimals, halves away from zero. A negative value gets "-" unless
// it rounds to zero. "##.00" writes 0.5 as ".50".
QString formatPattern(double value, QStringView pattern, QChar decimalSeparator);

// General formatting: the shortest decimal text of the value with at most 15
// significant digits, no padding; very large or very small values in
// exponent form ("1,5E-7").
QString formatGeneral(double value, QChar decimalSeparator);

} // namespace numbers
