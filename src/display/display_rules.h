#pragma once
// The conversion and text rules of the live display, free of widgets: how a
// register value becomes a number (plain, signed, magnitude, three-register
// counter, bit k, × CT) and how that number becomes the text of a display
// (pattern or general formatting with the locale decimal separator, the "%"
// and "°" suffixes, reading a display back, the status pair, the arrow).
//
// Register values are doubles: whole numbers 0 to 65535 from the payload
// decoder, -1 for "nothing received", any decimal number from an energy
// summary. Every rule is defined for every finite double; none of them can
// fail or overflow.
#include <QChar>
#include <QColor>
#include <QString>
#include <QStringView>

#include <optional>

namespace display {

// Colours of the live display.
inline constexpr QRgb kRed = 0xFF0000;
inline constexpr QRgb kLime = 0x00FF00;
inline constexpr QRgb kAqua = 0x00FFFF;

// v rounded to the nearest integer, halves to the even neighbour.
double roundHalfEven(double v);

// The CT multiplier of a pass: register 0 rounded to the nearest integer
// (ties to even), held in 32 bits; values beyond them saturate.
qint32 ctMultiplier(double v);

// The value as stored.
inline double plainReading(double v) { return v; }
// Low 16 bits of the rounded value as a two's-complement number: 0..32767
// stay, 32768..65535 become v - 65536, -1 stays -1.
double signedReading(double v);
// v below 32768, otherwise 65536 - v: the size of a value in the upper half.
double magnitudeReading(double v);
// high * 65536 * 65536 + middle * 65536 + low, unrounded.
double counterReading(double high, double middle, double low);
// Bit k (0 = least significant) of v rounded to an integer in two's
// complement; every bit of -1 is set.
bool bitOf(double v, int k);

// Pattern formatting ("000.0", "0.00", ...) with the locale separator.
QString patternText(double value, QStringView pattern, QChar separator);
// The shortest text with at most 15 significant digits.
QString generalText(double value, QChar separator);

// A display's caption read back as a number with the locale separator;
// nothing when it is not a number.
std::optional<double> readBack(QStringView caption, QChar separator);

// The energy ratios of the consumption page, computed from the captions of
// the counter displays: reactive / active × 100. Inductive: "0.000";
// capacitive: the absolute value in "0.00". "0" when either caption is not a
// number, or the active caption reads as 0.
QString inductiveRatioText(QStringView reactive, QStringView active, QChar separator);
QString capacitiveRatioText(QStringView reactive, QStringView active, QChar separator);

// Position of the cos φ needle for the signed reading s and the unity value
// (100 or 1000): (-s) - unity for a negative s, unity - s otherwise. Nothing
// when the value has no integer position.
std::optional<int> needlePosition(double signedValue, int unity);

// The tan φ read-back: nothing for -1 (the label keeps its text); values
// above 32768 are negative (v - 65536), 32768 itself stays.
std::optional<double> tanPhiValue(double v);

// Status pair: "Aktif" in lime, "Pasif" in red.
struct Status {
    QString text;
    QRgb colour;
};
Status statusText(bool active);

// Arrow rule: a set bit points right in lime, a clear bit left in red.
struct Arrow {
    bool right;
    QRgb colour;
};
inline Arrow arrowFor(bool bit) { return bit ? Arrow{true, kLime} : Arrow{false, kRed}; }

// The overcurrent relay's clock and date from its data bytes (each in
// general formatting): "hour:minute:second" and "day.month.year", the
// two-digit year 0..99 written as 2000 + year.
QString relayTimeText(double second, double minute, double hour, QChar separator);
QString relayDateText(double day, double month, double year, QChar separator);

} // namespace display
