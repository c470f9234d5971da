#include "display_rules.h"

#include "numbers.h"

#include <QCoreApplication>

#include <cfenv>
#include <cmath>
#include <limits>

namespace display {

double roundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    // nearbyint follows the current rounding mode; the default one rounds
    // halves to even, and nothing in the program changes it.
    return std::nearbyint(v);
}

qint32 ctMultiplier(double v)
{
    const double r = roundHalfEven(v);
    if (std::isnan(r))
        return 0;
    if (r >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (r <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(r);
}

namespace {

// The rounded value modulo 2^bits, in [0, 2^bits): exact for every finite
// double, and equal to the low bits of its two's-complement form.
double lowBits(double v, int bits)
{
    const double r = roundHalfEven(v);
    if (!std::isfinite(r))
        return 0;
    const double modulus = std::ldexp(1.0, bits);
    double m = std::fmod(r, modulus);
    if (m < 0)
        m += modulus;
    return m;
}

} // namespace

double signedReading(double v)
{
    const double m = lowBits(v, 16);
    return m >= 32768 ? m - 65536 : m;
}

double magnitudeReading(double v)
{
    return v < 32768 ? v : 65536 - v;
}

double counterReading(double high, double middle, double low)
{
    return high * 65536 * 65536 + middle * 65536 + low;
}

bool bitOf(double v, int k)
{
    if (k < 0 || k > 63)
        return false;
    return lowBits(v, k + 1) >= std::ldexp(1.0, k);
}

QString patternText(double value, QStringView pattern, QChar separator)
{
    return numbers::formatPattern(value, pattern, separator);
}

QString generalText(double value, QChar separator)
{
    return numbers::formatGeneral(value, separator);
}

std::optional<double> readBack(QStringView caption, QChar separator)
{
    return numbers::parseDecimal(caption, separator);
}

namespace {

std::optional<double> ratio(QStringView reactive, QStringView active, QChar separator)
{
    const auto r = readBack(reactive, separator);
    const auto a = readBack(active, separator);
    if (!r || !a || *a == 0)
        return std::nullopt;
    const double q = *r / *a * 100;
    return std::isfinite(q) ? std::optional<double>(q) : std::nullopt;
}

} // namespace

QString inductiveRatioText(QStringView reactive, QStringView active, QChar separator)
{
    const auto q = ratio(reactive, active, separator);
    return q ? patternText(*q, u"0.000", separator) : QStringLiteral("0");
}

QString capacitiveRatioText(QStringView reactive, QStringView active, QChar separator)
{
    const auto q = ratio(reactive, active, separator);
    return q ? patternText(std::fabs(*q), u"0.00", separator) : QStringLiteral("0");
}

std::optional<int> needlePosition(double signedValue, int unity)
{
    if (!std::isfinite(signedValue))
        return std::nullopt;
    const double p = signedValue < 0 ? (-signedValue) - unity : unity - signedValue;
    const double r = roundHalfEven(p);
    if (r > std::numeric_limits<int>::max() || r < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(r);
}

std::optional<double> tanPhiValue(double v)
{
    if (v == -1)
        return std::nullopt;
    return v > 32768 ? v - 65536 : v;
}

Status statusText(bool active)
{
    return active ? Status{QCoreApplication::translate("Display", "Aktif"), kLime}
                  : Status{QCoreApplication::translate("Display", "Pasif"), kRed};
}

QString relayTimeText(double second, double minute, double hour, QChar separator)
{
    return generalText(hour, separator) + u':' + generalText(minute, separator) + u':'
        + generalText(second, separator);
}

QString relayDateText(double day, double month, double year, QChar separator)
{
    // The relay keeps two digits of the year; shown after "200" they would
    // make 2024 read 20024, so a two-digit year is written as 2000 + year.
    const QString y = year >= 0 && year <= 99 && year == std::floor(year)
        ? generalText(2000 + year, separator)
        : QStringLiteral("200") + generalText(year, separator);
    return generalText(day, separator) + u'.' + generalText(month, separator) + u'.' + y;
}

} // namespace display
