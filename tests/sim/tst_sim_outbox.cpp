// The session's outbox on a made-up clock: order, delays, the quiet time
// after a device answer, and the split and join faults.
#include "outbox.h"

#include <QTest>

using namespace sim;

namespace {

struct Written {
    qint64 at;
    QByteArray bytes;
    QString note;
};

// Runs the outbox the way the session's timer does, until nothing waits or
// the clock passes `until`.
QList<Written> run(Outbox &box, const FaultPlan &faults, qint64 from, qint64 until = 100000)
{
    QList<Written> out;
    qint64 now = from;
    while (now <= until) {
        const qint64 next = box.pump(now, faults, [&](const Outbox::Write &w) {
            out.append({now, w.bytes, w.note});
        });
        if (next < 0)
            break;
        if (next <= now) { // asked to be called again at once: would spin
            out.append({now, "<spinning>", {}});
            break;
        }
        now = next;
    }
    return out;
}

struct Push {
    QByteArray bytes;
    qint64 due;
    QByteArray keyword;
};

} // namespace

Q_DECLARE_METATYPE(FaultPlan)
Q_DECLARE_METATYPE(Push)

class TstSimOutbox : public QObject {
    Q_OBJECT
private slots:
    void writes_data();
    void writes();
    void bytesAreCounted();
    void producedInTurns_data();
    void producedInTurns();
};

void TstSimOutbox::writes_data()
{
    QTest::addColumn<QList<Push>>("pushes");
    QTest::addColumn<FaultPlan>("faults");
    QTest::addColumn<QList<qint64>>("times");
    QTest::addColumn<QByteArrayList>("writes");

    const QByteArray pong = "pong\x01\xF4\xF4\xF4";
    const QByteArray enerjial = "enerjial\x01\x01\x01" "1$199$239$2$0$7$";
    const int gap = Outbox::kDefaultEnerjialGapMs;
    FaultPlan none;

    QTest::newRow("due at once") << QList<Push>{{pong, 0, "ping"}} << none << QList<qint64>{0}
                                 << QByteArrayList{pong};
    QTest::newRow("waits for its delay") << QList<Push>{{pong, 120, "ping"}} << none << QList<qint64>{120}
                                         << QByteArrayList{pong};
    QTest::newRow("a shorter later delay does not overtake")
        << QList<Push>{{"a", 150, "x"}, {"b", 60, "y"}} << none << QList<qint64>{150, 150}
        << QByteArrayList{"a", "b"};
    QTest::newRow("quiet time after a device answer")
        << QList<Push>{{enerjial, 0, "enertum"}, {pong, 0, "ping"}} << none << QList<qint64>{0, gap}
        << QByteArrayList{enerjial, pong};
    QTest::newRow("two device answers apart")
        << QList<Push>{{enerjial, 0, "enertum"}, {enerjial, 5, "enertum"}} << none << QList<qint64>{0, gap}
        << QByteArrayList{enerjial, enerjial};
    QTest::newRow("nothing to wait for before a device answer")
        << QList<Push>{{pong, 0, "ping"}, {enerjial, 0, "enertum"}} << none << QList<qint64>{0, 0}
        << QByteArrayList{pong, enerjial};

    FaultPlan split;
    split.split = KeywordFilter::all();
    split.splitPauseMs = 100;
    QTest::newRow("split in two") << QList<Push>{{pong, 0, "ping"}} << split << QList<qint64>{0, 100}
                                  << QByteArrayList{pong.left(4), pong.mid(4)};
    QTest::newRow("split keeps what follows behind the second part")
        << QList<Push>{{"abcd", 0, "x"}, {"ef", 10, "y"}} << split << QList<qint64>{0, 100, 100, 200}
        << QByteArrayList{"ab", "cd", "e", "f"};
    QTest::newRow("split device answer, quiet after its second part")
        << QList<Push>{{enerjial, 0, "enertum"}, {pong, 0, "ping"}} << split
        << QList<qint64>{0, 100, 100 + gap, 200 + gap}
        << QByteArrayList{enerjial.left(enerjial.size() / 2), enerjial.mid(enerjial.size() / 2), pong.left(4),
                          pong.mid(4)};
    QTest::newRow("a single byte is not split") << QList<Push>{{"z", 0, "x"}} << split << QList<qint64>{0}
                                                << QByteArrayList{"z"};

    FaultPlan splitSome = split;
    splitSome.split = KeywordFilter::only({"enertum"});
    QTest::newRow("split only the named requests' answers")
        << QList<Push>{{pong, 0, "ping"}, {"abcd", 0, "enertum"}} << splitSome << QList<qint64>{0, 0, 100}
        << QByteArrayList{pong, "ab", "cd"};
    QTest::newRow("a message outside a request is not named")
        << QList<Push>{{"abcd", 0, ""}} << splitSome << QList<qint64>{0} << QByteArrayList{"abcd"};

    FaultPlan join;
    join.join = KeywordFilter::all();
    join.joinHoldMs = 1000;
    QTest::newRow("two answers in one write")
        << QList<Push>{{"a", 0, "x"}, {"b", 300, "y"}} << join << QList<qint64>{300} << QByteArrayList{"ab"};
    QTest::newRow("pairs") << QList<Push>{{"a", 0, "x"}, {"b", 0, "x"}, {"c", 0, "x"}, {"d", 0, "x"}} << join
                           << QList<qint64>{0, 0} << QByteArrayList{"ab", "cd"};
    QTest::newRow("alone after the hold") << QList<Push>{{"a", 0, "x"}} << join << QList<qint64>{1000}
                                          << QByteArrayList{"a"};
    QTest::newRow("a device answer joined with what follows")
        << QList<Push>{{enerjial, 0, "enertum"}, {pong, 20, "ping"}} << join << QList<qint64>{20}
        << QByteArrayList{enerjial + pong};

    FaultPlan joinSome = join;
    joinSome.join = KeywordFilter::only({"enertum"});
    QTest::newRow("a named answer takes the next one, whatever it answers")
        << QList<Push>{{"a", 0, "ping"}, {"b", 0, "enertum"}, {"c", 50, "ping"}, {"d", 60, "ping"}} << joinSome
        << QList<qint64>{0, 50, 60} << QByteArrayList{"a", "bc", "d"};
}

void TstSimOutbox::writes()
{
    QFETCH(QList<Push>, pushes);
    QFETCH(FaultPlan, faults);
    QFETCH(QList<qint64>, times);
    QFETCH(QByteArrayList, writes);

    Outbox box;
    for (const Push &p : pushes)
        box.push(p.bytes, p.due, p.keyword, 0);
    const QList<Written> got = run(box, faults, 0);
    QByteArrayList gotBytes;
    QList<qint64> gotTimes;
    for (const Written &w : got) {
        gotBytes.append(w.bytes);
        gotTimes.append(w.at);
    }
    QCOMPARE(gotBytes, writes);
    QCOMPARE(gotTimes, times);
    QVERIFY(box.isEmpty());
    QCOMPARE(box.pendingBytes(), 0);
}

void TstSimOutbox::bytesAreCounted()
{
    FaultPlan join;
    join.join = KeywordFilter::all();
    Outbox box;
    box.push("abc", 0, "x", 0);
    box.push("de", 500, "x", 0);
    QCOMPARE(box.pendingBytes(), 5);
    // The first is held for the join, the second not due yet: both still count.
    QCOMPARE(box.pump(0, join, [](const Outbox::Write &) { QFAIL("nothing is due"); }), 500);
    QCOMPARE(box.pendingBytes(), 5);
    box.clear();
    QVERIFY(box.isEmpty());
    QCOMPARE(box.pendingBytes(), 0);
}

void TstSimOutbox::producedInTurns_data()
{
    QTest::addColumn<qsizetype>("budget");
    QTest::newRow("no budget: all in one turn") << qsizetype(-1);
    QTest::newRow("one message a turn") << qsizetype(1);
    QTest::newRow("a hundred bytes a turn") << qsizetype(100);
}

// A list of hundreds made as it goes out, between two plain answers: the
// order stays, each turn writes about its budget, and only one batch at a
// time waits as bytes.
void TstSimOutbox::producedInTurns()
{
    QFETCH(qsizetype, budget);
    constexpr int kMessages = 200;
    const auto message = [](int i) { return QByteArray::number(1000000000 + i); }; // 10 bytes
    Outbox box;
    int made = 0;
    box.push("a", 0, "x", 0);
    box.pushProducer([&](int count) {
        QList<QByteArray> batch;
        for (; made < kMessages && batch.size() < count; ++made)
            batch.append(message(made));
        return batch;
    }, 0, "kulsifre", 0);
    box.push("z", 0, "y", 0);
    QCOMPARE(made, 0);
    QCOMPARE(box.pendingBytes(), 2);

    QByteArrayList expected{"a"};
    for (int i = 0; i < kMessages; ++i)
        expected.append(message(i));
    expected.append("z");
    QByteArrayList got;
    int turns = 0;
    for (qint64 next = 0; next >= 0 && turns <= kMessages + 2; ++turns) {
        qsizetype written = 0;
        next = box.pump(0, FaultPlan{}, [&](const Outbox::Write &w) {
            got.append(w.bytes);
            written += w.bytes.size();
        }, budget);
        QVERIFY(budget < 0 || written < budget + 10);
        QVERIFY(box.pendingBytes() <= Outbox::kProducerBatch * 10 + 1);
    }
    QCOMPARE(got, expected);
    QVERIFY(box.isEmpty());
    QCOMPARE(box.pendingBytes(), 0);
    if (budget < 0)
        QCOMPARE(turns, 1);
    else
        QVERIFY(turns >= (kMessages * 10 + 2) / (budget + 10));
}

QTEST_GUILESS_MAIN(TstSimOutbox)
#include "tst_sim_outbox.moc"
