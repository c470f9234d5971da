// Arbitrary reads walked by the real main window's dispatcher with every
// message handler installed, on real widgets under the offscreen platform.
// Three bytes lead the input:
//   0: the pending request: every value the request senders store (so every
//      "enerjial" branch is reached), none, or junk taken from the input;
//   1: the kind of the active device: -1, 0 … 4, or any other small number;
//   2: where the rest is cut into two reads, in 255ths of its length (255:
//      the whole input is one read).
// Every input meets a fresh client; the stores' bounds are checked after it.
// The live display ticks when the input stored registers: over an empty
// store a tick writes the placeholders a new client's first tick writes
// (fuzz_read ticks after every input), and skipping it, with the reset that
// would undo it, keeps the target fast.
#include "fuzz_client.h"
#include "handlers.h"
#include "pending.h"

#include <cstdint>

namespace {

QList<QByteArray> pendingValues()
{
    QList<QByteArray> all;
    for (const handlers::EnerjialBranch &b : handlers::enerjialBranches())
        all << b.pendingRequest;
    all << pending::sayac; // no branch: "enerjial" is dropped
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    static const QList<QByteArray> values = pendingValues();
    fuzzclient::Client &c = fuzzclient::freshClient();
    QByteArray all(reinterpret_cast<const char *>(data + 3), qsizetype(size - 3));

    const size_t choice = data[0] % (size_t(values.size()) + 2);
    QByteArray pendingRequest;
    if (choice < size_t(values.size())) {
        pendingRequest = values[qsizetype(choice)];
    } else if (choice == size_t(values.size()) + 1) {
        // Junk: the first bytes of the input, which stay in the read too.
        pendingRequest = all.left(data[0] % 13);
    }
    c.w().ana.state().pendingRequest = pendingRequest;
    const int kinds[] = {-1, 0, 2, 3, 4, 1};
    programState().deviceKind = data[1] < 192 ? kinds[data[1] % 6] : int(int8_t(data[1]));

    const qsizetype cut = all.size() * data[2] / 255;
    c.walk(all.left(cut));
    c.walk(all.mid(cut));
    if (c.w().vd1kal.store().written())
        c.settle();
    c.checkBounds();
    return 0;
}
