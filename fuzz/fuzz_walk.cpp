// Feeds arbitrary reads to the dispatcher walk, with handlers that consume the
// way the client's message handlers do (fixed skips, fields, sub-fields, the
// rest), two reads at a time so the no-progress memory is carried over.
#include "dispatcher.h"

#include <cstddef>
#include <cstdint>

namespace {
Dispatcher &dispatcher()
{
    static Dispatcher d = [] {
        Dispatcher x;
        x.setHandler("pong", [](WorkingText &t) { t.skip(5); });
        x.setHandler("yenimesaj", [](WorkingText &t) { t.skip(10); });
        x.setHandler("mesajvar", [](WorkingText &t) {
            t.skip(9);
            t.nextField();
            t.peekField();
            t.nextField();
            t.skip(1);
        });
        x.setHandler("sayacal", [](WorkingText &t) {
            t.skip(10);
            t.removeFirst("sayacal", 3);
        });
        x.setHandler("enerjial", [](WorkingText &t) {
            t.skip(11);
            t.replaceAll("$199$239", "$3");
            for (int i = 0; i < 3; ++i)
                t.nextField('#');
            t.takeByte();
            t.clear();
        });
        x.setHandler("cihazlar", [](WorkingText &t) {
            t.skip(9);
            for (int i = 0; i < 4; ++i)
                t.nextField();
            t.skip(1);
        });
        return x;
    }();
    return d;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cut = all.isEmpty() ? 0 : qsizetype(uchar(all.at(0))) % (all.size() + 1);
    QByteArray last;
    dispatcher().walk(all.left(cut), last);
    dispatcher().walk(all.mid(cut), last);
    return 0;
}
