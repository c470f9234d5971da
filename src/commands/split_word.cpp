#include "split_word.h"

namespace commands {

SplitWord splitWord(qint32 v)
{
    // C++ division truncates toward zero, so % keeps the sign of v and the
    // difference is an exact multiple of 256 (no overflow: |low| < 256 and
    // low has the sign of v).
    const qint32 low = v % 256;
    const qint32 high = (v - low) / 256;
    return {QByteArray::number(high), QByteArray::number(low)};
}

qint32 twosComplement16(qint32 v)
{
    return v < 0 ? v + 65536 : v;
}

} // namespace commands
