#include "payload_decoder.h"

#include "numbers.h"
#include "register_store.h"
#include "silent_abort.h"

#include <QByteArray>

#include <cstring>
#include <limits>

namespace payload {

namespace {

// Reads the fields of the rewritten text from the front.
struct Fields {
    QByteArray text;
    qsizetype pos = 0;

    bool atEnd() const { return pos >= text.size(); }

    // The characters before the next "$", removed with it; a field that is
    // not a whole number (or has no "$") ends the decoding.
    qint32 take()
    {
        const qsizetype end = text.indexOf('$', pos);
        const auto field = end < 0 ? QByteArrayView() : QByteArrayView(text).sliced(pos, end - pos);
        const std::optional<qint32> v = numbers::parseInt(field);
        if (!v)
            throw SilentAbort();
        pos = end + 1;
        return *v;
    }
};

} // namespace

void decode(QByteArrayView text, RegisterStore &store)
{
    Fields f;
    f.text = text.toByteArray();
    f.text.replace("$199$239", "$3");

    // The station address is skipped unread.
    const qsizetype first = f.text.indexOf('$');
    if (first >= 0)
        f.pos = first + 1;
    f.take();                       // function code: must be a number, unused
    const qint32 count = f.take();  // byte count
    const qint64 registers = count / 2;
    if (registers <= 0)
        return;

    qint32 high = 0, low = 0;
    for (qint64 pass = 0; pass < registers; ++pass) {
        if (f.atEnd()) {
            // The text is used up: the remaining registers all repeat the
            // last bytes. Only the part inside the table is written, and the
            // start register moves past them all (it stays within 32 bits).
            const double value = double(high) * 256.0 + double(low);
            const qint64 remaining = registers - pass;
            const qint64 from = store.startRegister;
            const qint64 to = from + remaining - 1;
            const qint64 lo = std::max<qint64>(from, 0);
            const qint64 hi = std::min<qint64>(to, RegisterStore::lastRegister(store.targetRow));
            for (qint64 reg = lo; reg <= hi; ++reg) {
                store.write(store.targetRow, int(reg), value);
                store.storeRaw(store.targetRow, int(reg), high, low);
            }
            store.startRegister = int(std::min<qint64>(from + remaining, std::numeric_limits<qint32>::max()));
            return;
        }
        high = f.take();
        if (!f.atEnd())
            low = f.take();
        store.write(store.targetRow, store.startRegister, double(high) * 256.0 + double(low));
        store.storeRaw(store.targetRow, store.startRegister, high, low);
        if (store.startRegister < std::numeric_limits<qint32>::max())
            ++store.startRegister;
    }
}

QString bitText(quint64 n)
{
    QString s = QString::number(n, 2);
    while (s.size() < 8)
        s.prepend(u'0');
    return s;
}

double binary32(int b0, int b1, int b2, int b3)
{
    const quint32 word = (quint32(b0 & 0xFF) << 24) | (quint32(b1 & 0xFF) << 16)
        | (quint32(b2 & 0xFF) << 8) | quint32(b3 & 0xFF);
    if (((word >> 23) & 0xFF) == 0xFF)
        return 0.0;
    float f;
    std::memcpy(&f, &word, sizeof f);
    const double d = f;
    return d == 0.0 ? 0.0 : d;
}

} // namespace payload
