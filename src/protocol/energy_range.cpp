#include "energy_range.h"

#include "numbers.h"
#include "wire.h"

namespace energy {

RangeAnswer readRangeAnswer(RangeAnswer::Source source, const std::array<QByteArray, 9> &fields,
                            QChar decimalSeparator)
{
    RangeAnswer a;
    a.source = source;
    a.serial = fields[0];
    a.firstDate = fields[1];
    a.lastDate = fields[2];
    a.arrivedUtc = QDateTime::currentDateTimeUtc();
    for (size_t i = 0; i < 6; ++i) {
        a.fields[i] = fields[3 + i];
        const std::optional<double> v = numbers::parseDecimal(wire::decode(a.fields[i]), decimalSeparator);
        if (!v)
            return a;
        a.values[i] = *v;
        a.parsedCount = int(i) + 1;
    }
    // The ratios are worked out from the values as shown, two decimals each.
    std::array<double, 6> shown{};
    for (size_t i = 0; i < 6; ++i) {
        const QString text = numbers::formatPattern(a.values[i], u"##.00", decimalSeparator);
        const std::optional<double> back = numbers::parseDecimal(text, decimalSeparator);
        if (!back)
            return a;
        shown[i] = *back;
    }
    a.ratiosKnown = true;
    a.ratios = rangeRatios(shown[0], shown[1], shown[2], shown[3], shown[4], shown[5]);
    a.inductiveBand = band(a.ratios.inductive, Reactive::Inductive);
    a.capacitiveBand = band(a.ratios.capacitive, Reactive::Capacitive);
    return a;
}

} // namespace energy
