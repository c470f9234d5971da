#pragma once
// A whole number sent to a device as two decimal texts: the high part, then
// the low part of its 16-bit word.
#include <QByteArray>
#include <QtGlobal>

namespace commands {

struct SplitWord {
    QByteArray high;
    QByteArray low;
};

// low := v mod 256 with the sign of v (truncating, so -5 gives low -5, high 0),
// high := (v - low) / 256; both as decimal integers, "-" where negative.
SplitWord splitWord(qint32 v);

// The 16-bit two's complement of a negative value (v + 65536); other values
// unchanged. The tan phi setting travels this way (-10 as 255, 246).
qint32 twosComplement16(qint32 v);

} // namespace commands
