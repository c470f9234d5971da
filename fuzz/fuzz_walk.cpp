// Arbitrary reads for the dispatcher walk, with handlers that consume the way
// the client's message handlers do (fixed skips, fields, sub-fields, the
// rest), two reads at a time so the no-progress memory is carried over. Each
// walk is checked against the plain reading of the same bytes: the tests in
// their order, pass after pass, on a plain byte array, a pass that changed
// nothing dropping the first byte. Both must run the same handlers on the
// same texts, make as many passes and leave the same memory.
#include "dispatcher.h"

#include <QHash>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// The working text's operations, plainly: the text is the bytes of `buf`
// from `pos` on; taking from the front moves `pos`, anything else makes a
// new array.
class PlainText {
public:
    explicit PlainText(QByteArray b) : buf(std::move(b)) {}
    QByteArrayView view() const { return QByteArrayView(buf).sliced(pos); }
    qsizetype size() const { return buf.size() - pos; }
    void skip(qsizetype n)
    {
        if (n > 0)
            pos += qMin(n, size());
    }
    QByteArray nextField(char separator = '\x01')
    {
        const qsizetype at = view().indexOf(separator);
        if (at < 0)
            return {};
        const QByteArray field = view().first(at).toByteArray();
        skip(at + 1);
        return field;
    }
    QByteArray peekField(char separator = '\x01') const
    {
        const qsizetype at = view().indexOf(separator);
        return at < 0 ? QByteArray() : view().first(at).toByteArray();
    }
    void clear() { skip(size()); }
    QByteArray takeByte()
    {
        const QByteArray b = view().first(qMin<qsizetype>(1, size())).toByteArray();
        skip(1);
        return b;
    }
    bool removeFirst(QByteArrayView needle, qsizetype extra)
    {
        QByteArray text = view().toByteArray();
        const qsizetype at = text.indexOf(needle);
        if (at < 0)
            return false;
        text.remove(at, qMin(needle.size() + extra, text.size() - at));
        set(text);
        return true;
    }
    void replaceAll(QByteArrayView before, QByteArrayView after)
    {
        QByteArray text = view().toByteArray();
        text.replace(before, after);
        set(text);
    }
    void set(QByteArray text)
    {
        buf = std::move(text);
        pos = 0;
    }

    QByteArray buf;
    qsizetype pos = 0;
};

// What a handler saw: its test and the text it was given.
struct Call {
    int test;
    qsizetype size;
    size_t hash;
    bool operator==(const Call &) const = default;
};
std::vector<Call> calls;

template <class Text> void record(int test, const Text &t)
{
    calls.push_back({test, t.view().size(), qHash(t.view())});
}

// The handlers, one per keyword, for either kind of text.
template <class Text> void handle(int test, Text &t)
{
    record(test, t);
    switch (test) {
    case 0: t.skip(5); break;                                    // pong
    case 1: t.skip(10); break;                                   // yenimesaj
    case 5:                                                      // mesajvar
        t.skip(9);
        t.nextField();
        t.peekField();
        t.nextField();
        t.skip(1);
        break;
    case 8:                                                      // sayacal
        t.skip(10);
        t.removeFirst("sayacal", 3);
        break;
    case 10:                                                     // enerjial
        t.skip(11);
        t.replaceAll("$199$239", "$3");
        for (int i = 0; i < 3; ++i)
            t.nextField('#');
        t.takeByte();
        t.clear();
        break;
    case 14:                                                     // cihazlar
        t.skip(9);
        for (int i = 0; i < 4; ++i)
            t.nextField();
        t.skip(1);
        break;
    default: break;                                              // recognised only
    }
}

Dispatcher &dispatcher()
{
    static Dispatcher d = [] {
        Dispatcher x;
        for (int i = 0; i < Dispatcher::kTestCount; ++i)
            x.setHandler(Dispatcher::keywords()[size_t(i)], [i](WorkingText &t) { handle(i, t); });
        return x;
    }();
    return d;
}

// The walk as its description reads. The memory is a view of the text as a
// pass left it (sharing its bytes, so that keeping it copies nothing).
qint64 plainWalk(const QByteArray &read, QByteArray &last)
{
    PlainText text(read);
    QByteArray memoryBytes = last;
    QByteArrayView memory = memoryBytes;
    const auto same = [&] {
        const QByteArrayView now = text.view();
        return now.size() == memory.size() && (now.data() == memory.data() || now == memory);
    };
    qint64 passes = 0;
    do {
        ++passes;
        for (int i = 0; i < Dispatcher::kTestCount; ++i) {
            const QByteArray &keyword = Dispatcher::keywords()[size_t(i)];
            if (text.size() > 0 && text.view().front() == keyword.front() && text.view().startsWith(keyword))
                handle(i, text);
        }
        if (!same()) {
            memoryBytes = text.buf;
            memory = text.view();
            continue;
        }
        text.skip(1);
    } while (text.size() > 1);
    last = memory.toByteArray();
    return passes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cut = all.isEmpty() ? 0 : qsizetype(uchar(all.at(0))) % (all.size() + 1);
    QByteArray last, plainLast;
    for (const QByteArray &read : {all.left(cut), all.mid(cut)}) {
        calls.clear();
        dispatcher().walk(read, last);
        const qint64 passes = dispatcher().lastPassCount();
        const std::vector<Call> walked = std::move(calls);
        calls.clear();
        const qint64 plainPasses = plainWalk(read, plainLast);
        if (walked != calls || passes != plainPasses || last != plainLast
            || dispatcher().lastMatchCount() != qint64(calls.size()))
            abort();
    }
    return 0;
}
