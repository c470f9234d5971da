// The acknowledgement of setting writes: a device's echo, checked by the
// request the client last sent, and the modem's sentence after an index write.
#include "client_state.h"
#include "dispatcher.h"
#include "handlers.h"
#include "pending.h"
#include "wire.h"
#include "working_text.h"

#include <QLabel>
#include <QTest>

namespace {

const QByteArray kEnvelope = QByteArrayLiteral("enerjial\x01\x01\x01");
const QString kBefore = QStringLiteral("önceki mesaj");

QString notice(int serial, const char *text)
{
    return QString::number(serial) + QString::fromUtf8(text);
}

struct Fixture {
    ConnectionState conn;
    ProgramState prog;
    QLabel line;
    ClientContext ctx;
    Dispatcher dispatcher;
    QByteArray last;

    Fixture(const QByteArray &pendingRequest, int activeSerial)
    {
        conn.pendingRequest = pendingRequest;
        prog.activeSerial = activeSerial;
        line.setText(kBefore);
        ctx.conn = &conn;
        ctx.prog = &prog;
        ctx.messageLine = &line;
        handlers::install(dispatcher, ctx);
    }
    void walk(const QByteArray &read) { dispatcher.walk(read, last); }
};

} // namespace

class TstWriteAck : public QObject {
    Q_OBJECT
private slots:
    void acknowledgement_data();
    void acknowledgement();
    void echoConsumesTheRestOfTheRead();
    void indexSentenceLeavesTheRestToTheWalk();
};

// Each row: pendingRequest, what follows "enerjial" and its three bytes in
// one read, and what LblMesaj shows afterwards (activeSerial 12002).
void TstWriteAck::acknowledgement_data()
{
    QTest::addColumn<QByteArray>("pendingRequest");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("message");

    const char *ct = " Seri Nolu Cihaza akım trafosu değeri yazıldı. ";
    const char *tanfi = " Seri Nolu Cihaza TanFi değeri yazıldı. ";
    const QString unchanged = kBefore;

    QTest::newRow("CT echo") << pending::akimtrafosu << QByteArray("1$6$16$0$1$44$13$7$") << notice(12002, ct);
    QTest::newRow("TanFi echo") << pending::tanfi << QByteArray("1$6$64$0$255$246$1$2$") << notice(12002, tanfi);
    QTest::newRow("TanFi echo while the CT was written")
        << pending::akimtrafosu << QByteArray("1$6$64$0$255$246$1$2$") << unchanged;
    QTest::newRow("inductive limit")
        << pending::induktifceza << QByteArray("1$6$64$3$0$15$9$9$")
        << notice(12002, " Seri Nolu Cihaza indüktif ceza sınır değeri yazıldı. ");
    QTest::newRow("capacitive limit")
        << pending::kapasitifceza << QByteArray("1$6$64$4$0$10$9$9$")
        << notice(12002, " Seri Nolu Cihaza kapasitif ceza sınır değeri yazıldı. ");
    QTest::newRow("switching times, function 16")
        << pending::almacikarma << QByteArray("1$16$64$5$0$199$239$9$9$")
        << notice(12002, " Seri Nolu Cihaza alma-çıkma değerleri yazıldı. ");
    QTest::newRow("switching times need function 16")
        << pending::almacikarma << QByteArray("1$6$64$5$0$10$9$9$") << unchanged;
    QTest::newRow("mode") << pending::otomanuel << QByteArray("1$6$48$0$0$1$9$9$")
                          << notice(12002, " Seri Nolu Cihaza oto-manuel ayarı yazıldı. ");
    QTest::newRow("mode needs its address") << pending::otomanuel << QByteArray("1$6$64$0$0$1$9$9$")
                                            << unchanged;
    QTest::newRow("fast mode at any address")
        << pending::hizlimod << QByteArray("1$6$64$25$0$1$9$9$")
        << notice(12002, " Seri Nolu Cihaza hızlı mod ayarı yazıldı. ");
    QTest::newRow("fast mode needs a single-register write")
        << pending::hizlimod << QByteArray("1$16$64$25$0$1$9$9$") << unchanged;
    QTest::newRow("exception reply") << pending::tanfi << QByteArray("1$134$199$239$2$97$") << unchanged;
    QTest::newRow("other station") << pending::akimtrafosu << QByteArray("2$6$16$0$1$44$") << unchanged;
    QTest::newRow("echo shorter than its prefix") << pending::akimtrafosu << QByteArray("1$6$1") << unchanged;
    QTest::newRow("nothing after the envelope") << pending::tanfi << QByteArray() << unchanged;
    QTest::newRow("address byte 160 begins like 16")
        << pending::akimtrafosu << QByteArray("1$6$160$0$0$1$") << notice(12002, ct);

    const QByteArray sentence = wire::encode(QStringLiteral("Yeni endeks değeri yazildi"));
    const QString indexNotice = notice(12002, " Seri Nolu Cihaza endeks değeri yazıldı. ");
    QTest::newRow("index sentence") << pending::endeksyaz << sentence << indexNotice;
    QTest::newRow("index sentence and a terminator byte")
        << pending::endeksyaz << sentence + '\xF4' << unchanged;
    QTest::newRow("index sentence in UTF-8") << pending::endeksyaz
                                             << QStringLiteral("Yeni endeks değeri yazildi").toUtf8() << unchanged;
    QTest::newRow("index sentence with a dotless i")
        << pending::endeksyaz << wire::encode(QStringLiteral("Yeni endeks değeri yazıldı")) << unchanged;
    QTest::newRow("index sentence while a setting is pending")
        << pending::tanfi << sentence << unchanged;
    QTest::newRow("CT echo while the index is pending")
        << pending::endeksyaz << QByteArray("1$6$16$0$1$44$") << unchanged;
}

void TstWriteAck::acknowledgement()
{
    QFETCH(QByteArray, pendingRequest);
    QFETCH(QByteArray, answer);
    QFETCH(QString, message);

    // The notice names the active device, whatever serial the answer carries.
    Fixture f(pendingRequest, 12002);
    f.walk(kEnvelope + answer);
    QCOMPARE(f.line.text(), message);
    QCOMPARE(f.conn.pendingRequest, pendingRequest);
}

void TstWriteAck::echoConsumesTheRestOfTheRead()
{
    Fixture f(pending::tanfi, 12001);
    // A keep-alive answer behind the echo in the same read is taken with it.
    f.walk(kEnvelope + "1$6$64$0$0$5$1$2$pong\x01");
    QCOMPARE(f.line.text(), notice(12001, " Seri Nolu Cihaza TanFi değeri yazıldı. "));
    QCOMPARE(f.dispatcher.lastMatchCount(), qint64(1));

    // Refused or accepted, the branch empties the working text.
    for (const QByteArray &answer : {QByteArray("1$6$64$0$0$5$"), QByteArray("1$134$2$")}) {
        WorkingText text(answer);
        handlers::writeAcknowledgement(text, f.ctx);
        QVERIFY(text.isEmpty());
    }
}

void TstWriteAck::indexSentenceLeavesTheRestToTheWalk()
{
    Fixture f(pending::endeksyaz, 12006);
    const QByteArray sentence = wire::encode(QStringLiteral("Yeni endeks değeri yazildi"));
    WorkingText text(sentence);
    handlers::indexWritten(text, f.ctx);
    QCOMPARE(text.rest(), sentence);
    QCOMPARE(f.line.text(), notice(12006, " Seri Nolu Cihaza endeks değeri yazıldı. "));
}

QTEST_MAIN(TstWriteAck)
#include "tst_write_ack.moc"
