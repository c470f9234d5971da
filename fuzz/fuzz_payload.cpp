// Arbitrary register payloads for the decoder: the first four bytes choose
// the target row and start register (rows outside 1..250 and registers far
// past the row included), the rest is the payload text.
#include "payload_decoder.h"
#include "register_store.h"
#include "silent_abort.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static RegisterStore store;
    if (size < 4)
        return 0;
    store.initialise();
    store.targetRow = int(int8_t(data[0])) + 2;                        // -126 .. 129
    store.startRegister = int(int16_t(data[1] << 8 | data[2])) * (data[3] % 4 + 1); // far on both sides
    const int row = store.targetRow;
    const int start = store.startRegister;
    const QByteArray text(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));
    try {
        payload::decode(text, store);
    } catch (const SilentAbort &) {
    }
    // The start register only moves forward, and a row outside the table
    // receives nothing anywhere.
    if (store.startRegister < start || store.targetRow != row)
        abort();
    if ((row < 1 || row > RegisterStore::kRows)
        && (store.read(1, 0) != -1.0 || store.read(125, 128) != -1.0 || store.read(250, 255) != -1.0))
        abort();
    return 0;
}
