// Arbitrary register payloads for the decoder: the first four bytes choose
// the target row and start register (rows outside 1..250 and registers far
// past the row included), the rest is the payload text. Each input starts
// from an empty store. Where the payload names at most kPlainRegisters
// registers, the decoding is checked against the plain reading of its
// description: the fields one by one, register after register.
#include "numbers.h"
#include "payload_decoder.h"
#include "register_store.h"
#include "silent_abort.h"

#include <QList>

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

constexpr qint64 kPlainRegisters = 4096;

struct PlainResult {
    bool aborted = false;
    qint64 registers = 0;
};

// "$199$239" stands for "$3"; the station is skipped up to the first "$";
// every field ends with "$" and is a whole number, or the decoding ends;
// function code, byte count N, then N / 2 registers of a high and a low byte,
// the last bytes repeated once the text is used up.
PlainResult plainDecode(QByteArray text, RegisterStore &store)
{
    PlainResult out;
    text.replace("$199$239", "$3");
    QList<QByteArray> fields = text.split('$');
    const QByteArray rest = fields.takeLast(); // after the last "$": never a field
    if (!fields.isEmpty())
        fields.removeFirst();                  // the station
    else
        fields.clear();
    qsizetype next = 0;
    const auto atEnd = [&] { return next == fields.size() && rest.isEmpty(); };
    const auto take = [&](qint32 &v) {
        const std::optional<qint32> n = next < fields.size() ? numbers::parseInt(fields[next]) : std::nullopt;
        if (!n)
            return false;
        v = *n;
        ++next;
        return true;
    };
    qint32 function = 0, count = 0;
    if (!take(function) || !take(count)) {
        out.aborted = true;
        return out;
    }
    out.registers = count / 2;
    if (out.registers > kPlainRegisters)
        return out;
    qint32 high = 0, low = 0;
    for (qint64 r = 0; r < out.registers; ++r) {
        if (!atEnd()) {
            if (!take(high)) {
                out.aborted = true;
                return out;
            }
            if (!atEnd() && !take(low)) {
                out.aborted = true;
                return out;
            }
        }
        store.write(store.targetRow, store.startRegister, double(high) * 256.0 + double(low));
        store.storeRaw(store.targetRow, store.startRegister, high, low);
        if (store.startRegister < std::numeric_limits<qint32>::max())
            ++store.startRegister;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static RegisterStore store, plain;
    if (size < 4)
        return 0;
    store.initialise();
    plain.initialise();
    const int row = int(int8_t(data[0])) + 2;                                          // -126 .. 129
    const int start = int(int16_t(data[1] << 8 | data[2])) * (data[3] % 4 + 1); // far on both sides
    store.targetRow = plain.targetRow = row;
    store.startRegister = plain.startRegister = start;
    const QByteArray text(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));
    bool aborted = false;
    try {
        payload::decode(text, store);
    } catch (const SilentAbort &) {
        aborted = true;
    }
    // The start register only moves forward, and a row outside the table
    // receives nothing anywhere.
    if (store.startRegister < start || store.targetRow != row)
        abort();
    if ((row < 1 || row > RegisterStore::kRows)
        && (store.read(1, 0) != -1.0 || store.read(125, 128) != -1.0 || store.read(250, 255) != -1.0))
        abort();

    const PlainResult want = plainDecode(text, plain);
    if (want.registers > kPlainRegisters && !want.aborted)
        return 0;
    if (aborted != want.aborted || store.startRegister != plain.startRegister)
        abort();
    // Every register either reading could have written, and one on each side.
    for (qint64 reg = qint64(start) - 1; reg <= qint64(plain.startRegister); ++reg) {
        const int r = int(qBound(qint64(std::numeric_limits<int>::min()), reg, qint64(std::numeric_limits<int>::max())));
        if (store.read(row, r) != plain.read(row, r) || store.readRaw(row, 4 * r) != plain.readRaw(row, 4 * r)
            || store.readRaw(row, 4 * r + 1) != plain.readRaw(row, 4 * r + 1))
            abort();
    }
    return 0;
}
