// Arbitrary meter readouts arriving as "sayacal" pieces on the real main
// window: the pieces go into the memo Memo3, the six meter indexes and the
// two ratios are taken from it. The first byte chooses whether the meter page
// is reset first, whether the pieces come one per read or all in one, and
// the three bytes each piece's keyword is followed by; the rest is cut into
// pieces at every 0xFF byte.
#include "fuzz_client.h"
#include "meter_page.h"
#include "meter_readout.h"
#include "named_widgets.h"

#include <QPlainTextEdit>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    fuzzclient::Client &c = fuzzclient::freshClient();
    ClientContext &ctx = c.ctx();
    const uint8_t flags = data[0];
    if (flags & 1)
        commands::resetMeterPage(ctx);
    const QByteArray header = (flags & 4) ? QByteArray("sayacal\x02\x03\x01", 10) : QByteArray("sayacal\x01\x01\x01", 10);

    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    QByteArray together;
    for (const QByteArray &piece : rest.split('\xFF')) {
        if (flags & 2)
            together += header + piece;
        else
            c.walk(header + piece);
    }
    if (flags & 2)
        c.walk(together);
    c.settle();
    c.checkBounds();

    // The memo stays within its bound, whatever came.
    auto *memo = ctx.mainWidgets->get<QPlainTextEdit>(QStringLiteral("Memo3"));
    if (!memo || memo->document()->characterCount() - 1 > energy::MeterReadout::kLimit)
        abort();
    return 0;
}
