#include "dispatcher.h"

namespace {

// The no-progress memory while a read is walked: the working text as it stood
// at the end of the last pass that changed it. It shares the working text's
// buffer, so taking it costs nothing; it becomes a plain copy only when the
// walk ends.
struct Remainder {
    bool fromThisRead = false;
    QByteArray previous; // as the previous read left it, until the first store
    QByteArray buf;      // shared with the working text
    qsizetype pos = 0;
    quint64 revision = 0;
    quint64 generation = ~quint64(0);

    QByteArrayView view() const
    {
        return fromThisRead ? QByteArrayView(buf).sliced(pos) : QByteArrayView(previous);
    }

    bool equals(const WorkingText &t) const
    {
        if (fromThisRead && t.revision() == revision)
            return true; // nothing has changed since it was stored
        return t.size() == view().size() && t.view() == view();
    }

    void store(const WorkingText &t)
    {
        if (!fromThisRead || t.generation() != generation) {
            buf = t.buffer();
            generation = t.generation();
            fromThisRead = true;
        }
        pos = t.offset();
        revision = t.revision();
    }

    QByteArray take() const { return view().toByteArray(); }
};

} // namespace

const std::array<QByteArray, Dispatcher::kTestCount> &Dispatcher::keywords()
{
    static const std::array<QByteArray, kTestCount> k = {
        QByteArray("pong"),          QByteArray("yenimesaj"), QByteArray("akimdegerleri"),
        QByteArray("reaktifenerji"), QByteArray("tedassycal"), QByteArray("mesajvar"),
        QByteArray("Hattayok"),      QByteArray("haklar"),     QByteArray("sayacal"),
        QByteArray("Sycdegerleri"),  QByteArray("enerjial"),   QByteArray("input"),
        QByteArray("cihazenerji"),   QByteArray("degerler"),   QByteArray("cihazlar"),
    };
    return k;
}

Dispatcher::Dispatcher() : m_firstTwo(std::make_unique<std::array<bool, 65536>>())
{
    for (int i = 0; i < kTestCount; ++i) {
        const QByteArray &k = keywords()[size_t(i)];
        m_firstByte[uchar(k.at(0))] = true;
        (*m_firstTwo)[size_t(uchar(k.at(0))) << 8 | uchar(k.at(1))] = true;
        m_startingWith[uchar(k.at(0))].push_back(quint8(i));
    }
}

bool Dispatcher::setHandler(const QByteArray &keyword, Handler handler)
{
    const auto &k = keywords();
    for (int i = 0; i < kTestCount; ++i) {
        if (k[i] == keyword) {
            m_handlers[i] = std::move(handler);
            return true;
        }
    }
    return false;
}

qsizetype Dispatcher::quietRun(QByteArrayView text, qsizetype limit) const
{
    const auto &k = keywords();
    const uchar *p = reinterpret_cast<const uchar *>(text.data());
    // A keyword can start only where its first two bytes are: one look in
    // the table passes over nearly every place.
    for (qsizetype j = 0; j < limit; ++j) {
        if (!(*m_firstTwo)[size_t(p[j]) << 8 | p[j + 1]])
            continue;
        const QByteArrayView here = text.sliced(j);
        for (const quint8 i : m_startingWith[p[j]])
            if (here.startsWith(k[i]))
                return j;
    }
    return limit;
}

void Dispatcher::walk(const QByteArray &read, QByteArray &lastRemainder)
{
    const auto &k = keywords();
    WorkingText text(read);
    Remainder memory;
    memory.previous = lastRemainder;
    m_passes = 0;
    m_matches = 0;

    struct Keep { // hand the memory back however the walk ends
        Remainder &m;
        QByteArray &out;
        ~Keep() { out = m.take(); }
    } keep{memory, lastRemainder};

    do {
        ++m_passes;
        for (int i = 0; i < kTestCount; ++i) {
            // No keyword starts with this byte: no later test of the pass can
            // match either, since only a handler changes the text.
            if (text.isEmpty() || !m_firstByte[uchar(text.at(0))])
                break;
            if (k[i].at(0) != text.at(0) || !text.startsWith(k[i]))
                continue;
            ++m_matches;
            if (m_handlers[i])
                m_handlers[i](text);
        }
        if (!memory.equals(text)) {
            memory.store(text);
            continue;
        }
        text.skip(1);
        // Each following byte at which no keyword starts would cost a pass
        // that stores the memory and one that drops the byte, while more than
        // one byte is left: they go at once, with the memory and the pass
        // count as those passes would leave them.
        const qsizetype quiet = quietRun(text.view(), text.size() - 1);
        if (quiet > 0) {
            text.skip(quiet - 1);
            memory.store(text);
            text.skip(1);
            m_passes += 2 * quiet;
        }
    } while (text.size() > 1);
}
