#include "outbox.h"

namespace sim {

namespace {

bool isEnerjial(const QByteArray &message)
{
    return message.startsWith("enerjial");
}

qint64 earliest(qint64 a, qint64 b)
{
    if (a < 0)
        return b;
    if (b < 0)
        return a;
    return qMin(a, b);
}

} // namespace

void Outbox::push(QByteArray message, qint64 due, QByteArray keyword, qint64 requestedAt)
{
    // Never ahead of what is already waiting: answers keep the order of
    // their requests even when a later one drew a shorter delay.
    if (!m_items.empty())
        due = qMax(due, m_items.back().due);
    m_bytes += message.size();
    const bool enerjial = isEnerjial(message);
    m_items.push_back({std::move(message), due, std::move(keyword), requestedAt, false, enerjial});
}

void Outbox::pushProducer(Producer produce, qint64 due, QByteArray keyword, qint64 requestedAt)
{
    if (!m_items.empty())
        due = qMax(due, m_items.back().due);
    Item item{QByteArray(), due, std::move(keyword), requestedAt, false, false};
    item.produce = std::move(produce);
    m_items.push_back(std::move(item));
}

void Outbox::expandFront()
{
    Item producer = std::move(m_items.front());
    m_items.pop_front();
    const QList<QByteArray> batch = producer.produce(kProducerBatch);
    const qint64 due = producer.due;
    const QByteArray keyword = producer.keyword;
    const qint64 requestedAt = producer.requestedAt;
    if (!batch.isEmpty())
        m_items.push_front(std::move(producer)); // more may follow
    for (qsizetype i = batch.size() - 1; i >= 0; --i) {
        m_bytes += batch[i].size();
        m_items.push_front({batch[i], due, keyword, requestedAt, false, isEnerjial(batch[i])});
    }
}

void Outbox::clear()
{
    m_items.clear();
    m_held.reset();
    m_bytes = 0;
}

void Outbox::writeOut(const Item &item, const QString &note, qint64 now, const Writer &write)
{
    write({item.bytes, note, item.requestedAt});
    if (item.enerjial)
        m_quietUntil = now + m_gapMs;
}

qint64 Outbox::pump(qint64 now, const FaultPlan &faults, const Writer &write, qsizetype budget)
{
    qsizetype written = 0;
    const Writer counted = [&](const Write &w) {
        written += w.bytes.size();
        write(w);
    };
    for (;;) {
        if (budget >= 0 && written >= budget)
            return isEmpty() ? -1 : now;
        if (now < m_quietUntil)
            return isEmpty() ? -1 : m_quietUntil;

        // A held answer that no other answer came to join goes out alone.
        if (m_held && now >= m_heldUntil && (m_items.empty() || m_items.front().due > now)) {
            Item held = std::move(*m_held);
            m_held.reset();
            m_bytes -= held.bytes.size();
            writeOut(held, QStringLiteral("held %1 ms, nothing to join").arg(faults.joinHoldMs), now, counted);
            continue;
        }
        if (m_items.empty())
            return m_held ? m_heldUntil : -1;
        if (m_items.front().due > now)
            return earliest(m_items.front().due, m_held ? m_heldUntil : -1);

        if (m_items.front().produce) {
            expandFront();
            continue;
        }
        Item item = std::move(m_items.front());
        m_items.pop_front();

        if (m_held) {
            // The answer that completes a join: both in one write.
            Item joined = std::move(*m_held);
            m_held.reset();
            m_bytes -= joined.bytes.size() + item.bytes.size();
            joined.bytes += item.bytes;
            joined.enerjial = joined.enerjial || item.enerjial;
            writeOut(joined, QStringLiteral("2 answers joined in one write"), now, counted);
            continue;
        }
        if (!item.secondPart && faults.join.matches(item.keyword)) {
            m_heldUntil = now + faults.joinHoldMs;
            m_held = std::move(item);
            continue;
        }
        if (!item.secondPart && item.bytes.size() >= 2 && faults.split.matches(item.keyword)) {
            const qsizetype half = item.bytes.size() / 2;
            Item rest{item.bytes.mid(half), now + faults.splitPauseMs, item.keyword, item.requestedAt, true,
                      item.enerjial};
            Item first{item.bytes.left(half), now, item.keyword, item.requestedAt, true, false};
            m_bytes -= first.bytes.size();
            writeOut(first, QStringLiteral("part 1 of 2, %1 of %2 bytes").arg(half).arg(item.bytes.size()), now, counted);
            m_items.push_front(std::move(rest));
            continue;
        }
        m_bytes -= item.bytes.size();
        writeOut(item, item.secondPart ? QStringLiteral("part 2 of 2") : QString(), now, counted);
    }
}

} // namespace sim
