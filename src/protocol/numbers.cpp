#include "numbers.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>

namespace numbers {

namespace {

char16_t unit(char c) { return char16_t(uchar(c)); }
char16_t unit(QChar c) { return c.unicode(); }

template <class View> std::optional<qint32> parseIntImpl(View text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (unit(text[i]) == u'-' || unit(text[i]) == u'+')) {
        negative = unit(text[i]) == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const int c = int(unit(text[i]));
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

} // namespace

std::optional<qint32> parseInt(QByteArrayView text)
{
    return parseIntImpl(text);
}

std::optional<qint32> parseInt(QStringView text)
{
    return parseIntImpl(text);
}

std::optional<double> parseDecimal(QStringView text, QChar decimalSeparator)
{
    text = text.trimmed();
    QByteArray c; // the number in the C locale's form, ASCII only
    c.reserve(text.size());
    bool digits = false, separator = false, exponent = false, expDigits = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isDigit() && ch.unicode() < 128) {
            (exponent ? expDigits : digits) = true;
            c += char(ch.unicode());
        } else if ((ch == u'-' || ch == u'+')
                   && (i == 0 || (exponent && (text[i - 1] == u'e' || text[i - 1] == u'E')))) {
            c += char(ch.unicode());
        } else if (ch == decimalSeparator && !separator && !exponent) {
            separator = true;
            c += '.';
        } else if ((ch == u'e' || ch == u'E') && digits && !exponent) {
            exponent = true;
            c += 'e';
        } else {
            return std::nullopt;
        }
    }
    if (!digits || (exponent && !expDigits))
        return std::nullopt;
    // Correctly rounded, as the C locale's conversion; a value beyond the
    // range of a double (either way) is no number.
    const char *begin = c.constData();
    const char *end = begin + c.size();
    if (*begin == '+')
        ++begin;
    double v = 0;
    const std::from_chars_result r = std::from_chars(begin, end, v);
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString formatPattern(double value, QStringView pattern, QChar decimalSeparator)
{
    const qsizetype point = pattern.indexOf(u'.');
    const QStringView intPart = point < 0 ? pattern : pattern.first(point);
    const QStringView fracPart = point < 0 ? QStringView() : pattern.sliced(point + 1);
    const int minInt = int(intPart.count(u'0'));
    const int decimals = int(fracPart.size());
    const int required = int(fracPart.count(u'0'));

    if (!std::isfinite(value))
        return QString::number(value);
    // Qt writes exact binary values and rounds their halves away from zero.
    QString digits = QString::number(std::fabs(value), 'f', decimals);
    QString whole = decimals > 0 ? digits.first(digits.size() - decimals - 1) : digits;
    QString frac = decimals > 0 ? digits.last(decimals) : QString();
    // Optional decimals ("#") are dropped while they are zero.
    while (frac.size() > required && frac.endsWith(u'0'))
        frac.chop(1);
    if (whole == QLatin1String("0") && minInt == 0)
        whole.clear();
    while (whole.size() < minInt)
        whole.prepend(u'0');
    bool zero = true;
    for (QChar ch : whole + frac)
        if (ch != u'0')
            zero = false;
    QString out;
    if (value < 0 && !zero)
        out += u'-';
    out += whole;
    if (!frac.isEmpty()) {
        out += decimalSeparator;
        out += frac;
    }
    return out;
}

QString formatGeneral(double value, QChar decimalSeparator)
{
    if (value == 0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return QString::number(value);
    QString s = QString::number(value, 'g', 15);
    const qsizetype e = s.indexOf(u'e');
    if (e >= 0) {
        // 1.5e-07 is written 1.5E-7.
        QString mantissa = s.first(e);
        QString exp = s.sliced(e + 1);
        const bool negative = exp.startsWith(u'-');
        if (exp.startsWith(u'-') || exp.startsWith(u'+'))
            exp.remove(0, 1);
        while (exp.size() > 1 && exp.startsWith(u'0'))
            exp.remove(0, 1);
        s = mantissa + u'E' + (negative ? QStringLiteral("-") : QString()) + exp;
    }
    s.replace(u'.', decimalSeparator);
    return s;
}

} // namespace numbers
