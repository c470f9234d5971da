#pragma once
// One answer with the energy of a device between two dates, read once and
// handed to whoever needs it: the consumption and meter pages show it, the
// compensation watch keeps its ratios, the history records it.
#include "energy_ratios.h"

#include <QByteArray>
#include <QChar>
#include <QDateTime>

#include <array>
#include <optional>

namespace energy {

struct RangeAnswer {
    enum class Source : quint8 {
        Device, // "reaktifenerji": the device's own records
        Meter,  // "tedassycal": a meter read through its modem
    };
    Source source = Source::Device;
    QByteArray serial;
    QByteArray firstDate;
    QByteArray lastDate;
    // A1, A2, L1, L2, C1, C2 as the answer wrote them.
    std::array<QByteArray, 6> fields;
    // The values that parsed, in order: a value that does not parse ends the
    // reading there, so values[i] is set for i < parsedCount only.
    std::array<double, 6> values{};
    int parsedCount = 0;
    // Set when all six parsed and read back from their two-decimal text
    // (the ratios come from the values as the displays write them).
    bool ratiosKnown = false;
    Ratios ratios;
    Band inductiveBand = Band::Normal;
    Band capacitiveBand = Band::Normal;
    QDateTime arrivedUtc;

    bool complete() const { return ratiosKnown; }
};

// The nine fields of the answer (serial, first date, last date, A1, A2, L1,
// L2, C1, C2), numbers read with the given decimal separator.
RangeAnswer readRangeAnswer(RangeAnswer::Source source, const std::array<QByteArray, 9> &fields,
                            QChar decimalSeparator);

} // namespace energy
