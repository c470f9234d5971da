#pragma once
// The energy summary of a device ("cihazenerji"): a text of 10-character
// fields "$", type, eight data characters. Type "1" is a whole number with
// leading zeros, type "0" five integer and three decimal digits; any other
// type yields no field. Field 43 names, in its first five characters, the row
// of the register store that receives fields 0, 1, 2, ... as registers 0, 1,
// 2, ...; fields 30 to 41 are stored divided by 3600.
#include <QByteArrayView>
#include <QChar>

class RegisterStore;

namespace energy {

enum class SummaryResult {
    Stored,        // the row received its registers
    Ignored,       // not a summary, a broken field header or fewer than 45 fields
    RowOutside,    // the row is not one of 1 to 250: nothing stored
};

// Throws SilentAbort when the row or a field is not a number; the fields
// stored before a bad one keep their new values.
SummaryResult decodeEnergySummary(QByteArrayView payload, RegisterStore &store, QChar decimalSeparator);

} // namespace energy
