#pragma once
// The one way out of a session: every message waits here until its answer
// delay has passed and leaves in the order it was sent. This is where the
// faults that touch the writes (split, join) are applied, and where an
// "enerjial" answer is kept alone: the client takes everything after
// "enerjial" to the end of its read as the device's answer, so nothing is
// written for a short while after one.
//
// Plain logic on a caller-given clock (milliseconds), so it is tested without
// sockets; the session drives it with a timer.
#include "faults.h"

#include <QByteArray>
#include <QString>

#include <QList>

#include <deque>
#include <functional>
#include <optional>

namespace sim {

class Outbox {
public:
    // Quiet time after an "enerjial" write before the next write.
    static constexpr int kDefaultEnerjialGapMs = 40;

    struct Write {
        QByteArray bytes;
        QString note;        // "part 1 of 2", "2 answers joined", …; empty for a plain write
        qint64 requestedAt;  // when the (first) request answered arrived
    };
    using Writer = std::function<void(const Write &)>;
    // Makes the next messages of a long answer (a login's device list) when
    // they are about to go out, at most `count` of them; none: it is done.
    // The messages are made in batches so that a list of thousands neither
    // sits in memory nor counts as waiting bytes before its turn.
    using Producer = std::function<QList<QByteArray>(int count)>;
    static constexpr int kProducerBatch = 64;

    explicit Outbox(int enerjialGapMs = kDefaultEnerjialGapMs) : m_gapMs(enerjialGapMs) {}

    // A message answering a request with this keyword (empty: not an answer),
    // to be written at `due` or later.
    void push(QByteArray message, qint64 due, QByteArray keyword, qint64 requestedAt);

    // Messages made by `produce` when their turn comes, each answering a
    // request with this keyword, all due at `due` or later.
    void pushProducer(Producer produce, qint64 due, QByteArray keyword, qint64 requestedAt);

    // Writes everything that may go out at `now`, applying the faults, and
    // returns when to call again (-1: nothing waits). With a budget, it
    // stops once that many bytes are written and returns `now` when more is
    // due: the caller lets other work run before it calls again.
    qint64 pump(qint64 now, const FaultPlan &faults, const Writer &write, qsizetype budget = -1);

    bool isEmpty() const { return m_items.empty() && !m_held; }
    // Bytes waiting (held ones included).
    qsizetype pendingBytes() const { return m_bytes; }
    void clear();

private:
    struct Item {
        QByteArray bytes;
        qint64 due = 0;
        QByteArray keyword;
        qint64 requestedAt = 0;
        bool secondPart = false; // the rest of a split message: no fault applies again
        bool enerjial = false;   // ends with a device answer: quiet time follows it
        Producer produce;        // set: makes the messages that take this item's place
    };

    // Replaces a producer item at the front with its next batch (and itself
    // behind them while it makes more).
    void expandFront();

    void writeOut(const Item &item, const QString &note, qint64 now, const Writer &write);

    std::deque<Item> m_items;
    std::optional<Item> m_held;
    qint64 m_heldUntil = 0;
    qint64 m_quietUntil = 0;
    qsizetype m_bytes = 0;
    int m_gapMs;
};

} // namespace sim
