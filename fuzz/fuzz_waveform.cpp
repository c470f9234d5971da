// Arbitrary waveform answers on the real main window: the first byte chooses
// the phase (the pending request "harmonikb", "harmoniki" or "harmoniku"), the
// rest is what follows "enerjial" and its three bytes. The answer is sampled,
// plotted into the phase's picture and analysed, as the client does.
#include "fuzz_client.h"
#include "pending.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const QByteArray phases[] = {pending::harmonikb, pending::harmoniki, pending::harmoniku};
    fuzzclient::Client &c = fuzzclient::freshClient();
    c.w().ana.state().pendingRequest = phases[data[0] % 3];
    const QByteArray answer = QByteArray("enerjial\x01\x01\x01", 11)
        + QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    c.walk(answer);
    c.settle();
    c.checkBounds();
    return 0;
}
