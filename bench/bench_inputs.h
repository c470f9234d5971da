#pragma once
// Reads the benchmarks share.
#include <QByteArray>

namespace bench {

// Keep-alive answers back to back, up to size bytes: the busiest a read of
// whole short messages gets.
inline QByteArray pongs(qsizetype size)
{
    const QByteArray one("pong\x01", 5);
    QByteArray b;
    b.reserve(size);
    while (b.size() + one.size() <= size)
        b += one;
    return b;
}

} // namespace bench
