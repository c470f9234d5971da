// Arbitrary energy summaries: the first byte chooses the decimal separator,
// the rest is the payload of a "cihazenerji" message.
#include "energy_summary.h"
#include "register_store.h"
#include "silent_abort.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static RegisterStore store;
    if (size < 1)
        return 0;
    store.initialise();
    const QChar separator = (data[0] & 1) ? QLatin1Char(',') : QLatin1Char('.');
    const QByteArrayView payload(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        const energy::SummaryResult r = energy::decodeEnergySummary(payload, store, separator);
        // Nothing is stored unless the summary was stored.
        if (r != energy::SummaryResult::Stored && (store.read(1, 0) != -1.0 || store.read(250, 0) != -1.0))
            abort();
    } catch (const SilentAbort &) {
    }
    return 0;
}
