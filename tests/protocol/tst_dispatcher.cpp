#include "dispatcher.h"
#include "handlers.h"
#include "silent_abort.h"

#include <QLabel>
#include <QTest>


class TstDispatcher : public QObject {
    Q_OBJECT
private slots:
    void walk_data();
    void walk();
    void lastRemainderCarriedAcrossReads();
    void splitMessage();
    void failureEndsTheRead();
    void keywordOrder();
    void unrecognisedTextIsLinear();
    void pongHandler();
};

// Each row: one read walked from an empty memory; which handlers ran, how
// many passes the walk made and what the memory holds afterwards.
void TstDispatcher::walk_data()
{
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QStringList>("handled");
    QTest::addColumn<qint64>("passes");
    QTest::addColumn<QByteArray>("lastRemainder");

    QTest::newRow("pong and its terminator")
        << QByteArray("pong\x01\xF4\xF4\xF4") << QStringList{"pong"} << qint64(4) << QByteArray("\xF4\xF4");
    QTest::newRow("two messages in test order")
        << QByteArray("pong\x01yenimesaj\x01") << QStringList{"pong", "yenimesaj"} << qint64(1)
        << QByteArray();
    QTest::newRow("two messages against test order")
        << QByteArray("yenimesaj\x01pong\x01") << QStringList{"yenimesaj", "pong"} << qint64(2)
        << QByteArray();
    QTest::newRow("two stray bytes before pong")
        << QByteArray("xypong\x01") << QStringList{"pong"} << qint64(5) << QByteArray();
    QTest::newRow("empty read gets one pass") << QByteArray() << QStringList{} << qint64(1) << QByteArray();
    QTest::newRow("one byte gets one pass") << QByteArray("p") << QStringList{} << qint64(1)
                                            << QByteArray("p");
    QTest::newRow("recognised-only keyword is walked over")
        << QByteArray("haklar") << QStringList{} << qint64(10) << QByteArray("ar");
    QTest::newRow("keyword inside unknown text is found at the front")
        << QByteArray("zzzpong\x01") << QStringList{"pong"} << qint64(7) << QByteArray();
    QTest::newRow("final byte is never examined alone")
        << QByteArray("xyp") << QStringList{} << qint64(4) << QByteArray("yp");
    QTest::newRow("keyword without its field end still matches")
        << QByteArray("xpong") << QStringList{"pong"} << qint64(3) << QByteArray();
}

void TstDispatcher::walk()
{
    QFETCH(QByteArray, read);
    QFETCH(QStringList, handled);
    QFETCH(qint64, passes);
    QFETCH(QByteArray, lastRemainder);

    Dispatcher d;
    QStringList seen;
    d.setHandler("pong", [&](WorkingText &t) { seen << "pong"; t.skip(5); });
    d.setHandler("yenimesaj", [&](WorkingText &t) { seen << "yenimesaj"; t.skip(10); });
    QByteArray last;
    d.walk(read, last);
    QCOMPARE(seen, handled);
    QCOMPARE(d.lastPassCount(), passes);
    QCOMPARE(last, lastRemainder);
}

void TstDispatcher::lastRemainderCarriedAcrossReads()
{
    Dispatcher d;
    QByteArray last;
    d.walk("ab", last);
    QCOMPARE(last, QByteArray("ab"));
    QCOMPARE(d.lastPassCount(), qint64(2));
    // The same text again: after the first pass it equals the memory, so its
    // first byte goes at once.
    d.walk("ab", last);
    QCOMPARE(d.lastPassCount(), qint64(1));
    QCOMPARE(last, QByteArray("ab"));
    // A different read is walked as fresh text.
    d.walk("cd", last);
    QCOMPARE(d.lastPassCount(), qint64(2));
    QCOMPARE(last, QByteArray("cd"));
}

void TstDispatcher::splitMessage()
{
    Dispatcher d;
    QList<QByteArray> fields;
    d.setHandler("cihazlar", [&](WorkingText &t) {
        t.skip(9);
        for (int i = 0; i < 4; ++i)
            fields << t.nextField();
        t.skip(1);
    });
    QByteArray last;
    d.walk(QByteArray("cihazlar\x01" "depo\x01QRN"), last);
    // Handled from its first part alone: the missing fields come out empty.
    QCOMPARE(fields, (QList<QByteArray>{"depo", "", "", ""}));
    d.walk(QByteArray("410\x01Pano 1\x01" "1234\x01\xF4"), last);
    QCOMPARE(fields.size(), 4); // the second part is no message of its own
}

void TstDispatcher::failureEndsTheRead()
{
    Dispatcher d;
    QStringList seen;
    d.setHandler("pong", [&](WorkingText &t) { seen << "pong"; t.skip(5); });
    d.setHandler("Hattayok", [](WorkingText &) { throw SilentAbort(); });
    QByteArray last = "old";
    QVERIFY_THROWS_EXCEPTION(SilentAbort, d.walk(QByteArray("xHattayok\x01pong\x01"), last));
    QVERIFY(seen.isEmpty()); // nothing after the failure is handled
    QCOMPARE(last, QByteArray("xHattayok\x01pong\x01")); // as the last changing pass left it
}

void TstDispatcher::keywordOrder()
{
    const auto &k = Dispatcher::keywords();
    const QList<QByteArray> expected{"pong",     "yenimesaj", "akimdegerleri", "reaktifenerji", "tedassycal",
                                     "mesajvar", "Hattayok",  "haklar",        "sayacal",       "Sycdegerleri",
                                     "enerjial", "input",     "cihazenerji",   "degerler",      "cihazlar"};
    QCOMPARE(QList<QByteArray>(k.begin(), k.end()), expected);
    Dispatcher d;
    QVERIFY(!d.setHandler("PONG", {})); // compared case-sensitively
}

void TstDispatcher::unrecognisedTextIsLinear()
{
    // Every unrecognised byte costs exactly two passes.
    const qsizetype n = 256 * 1024;
    QByteArray read(n, 'x');
    Dispatcher d;
    QByteArray last;
    d.walk(read, last);
    QCOMPARE(d.lastPassCount(), qint64(2 * (n - 1)));
    QCOMPARE(last, QByteArray("xx"));
}

namespace {
struct FakeLogin : LoginLink {
    quint16 progress = 0;
    QString status;
    void setProgress(quint16 v) override { progress = v; }
    void setStatusText(const QString &t) override { status = t; }
};
} // namespace

void TstDispatcher::pongHandler()
{
    QLabel line;
    FakeLogin login;
    ClientContext ctx;
    ctx.messageLine = &line;
    ctx.login = &login;
    Dispatcher d;
    handlers::install(d, ctx);
    QByteArray last;
    d.walk(QByteArray("pong\x01\xF4\xF4\xF4"), last);
    QCOMPARE(line.text(), QStringLiteral("Pong"));
    QCOMPARE(login.progress, quint16(100));
    QCOMPARE(login.status, QStringLiteral("Bağlantı Kuruldu"));
    QCOMPARE(d.lastMatchCount(), qint64(1));
}

QTEST_MAIN(TstDispatcher)
#include "tst_dispatcher.moc"
