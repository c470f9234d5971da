// Arbitrary socket reads through the main window's read handler, as the
// connection hands them over: each read is logged in the communication log
// and walked with every message handler. Two bytes lead the input:
//   0: the pending request, as for fuzz_handlers (every value the request
//      senders store, none, or junk);
//   1: how many reads the rest arrives in (1 to 4, cut evenly).
// Every input meets a fresh client; afterwards the log holds one line per
// read, in order, showing that read's bytes (notes between them), and every
// store is within its bound.
#include "frm_haberlesme.h"
#include "fuzz_client.h"
#include "handlers.h"
#include "pending.h"
#include "wire.h"

#include <cstdint>
#include <cstdlib>

namespace {

QList<QByteArray> pendingValues()
{
    QList<QByteArray> all;
    for (const handlers::EnerjialBranch &b : handlers::enerjialBranches())
        all << b.pendingRequest;
    all << pending::sayac;
    return all;
}

// The log line of a read, as a plain reading of what the log promises.
QString shown(const QByteArray &read)
{
    if (read.size() <= TFrmhaberlesme::kShownBytes)
        return wire::renderForLog(read);
    return wire::renderForLog(read.first(TFrmhaberlesme::kShownBytes))
        + QStringLiteral(" … (toplam %1 bayt)").arg(read.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    static const QList<QByteArray> values = pendingValues();
    fuzzclient::Client &c = fuzzclient::freshClient();
    const QByteArray all(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const size_t choice = data[0] % (size_t(values.size()) + 2);
    if (choice < size_t(values.size()))
        c.w().ana.state().pendingRequest = values[qsizetype(choice)];
    else if (choice == size_t(values.size()) + 1)
        c.w().ana.state().pendingRequest = all.left(data[0] % 13);

    const int count = 1 + data[1] % 4;
    QList<QByteArray> reads;
    for (int i = 0; i < count; ++i)
        reads << all.mid(all.size() * i / count, all.size() * (i + 1) / count - all.size() * i / count);
    for (const QByteArray &read : reads)
        c.w().ana.handleRead(read);
    c.settle();
    c.checkBounds();

    const TFrmhaberlesme &log = c.w().haberlesme;
    int next = 0;
    for (int i = 0; i < log.lineCount(); ++i) {
        const QString line = fuzzclient::Client::shownRead(log.line(i));
        if (next < reads.size() && line == shown(reads[next]))
            ++next;
        else if (!line.startsWith(QStringLiteral("## ")))
            abort(); // neither the next read nor a note of the client's
    }
    if (next != reads.size())
        abort();
    return 0;
}
