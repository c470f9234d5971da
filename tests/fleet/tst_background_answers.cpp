// Answers to background requests reach their listeners only: the pages, the
// message line and pendingRequest stay as the user's own requests left them.
#include "client_events.h"
#include "client_fixture.h"
#include "device_registry.h"
#include "led_display.h"
#include "pending.h"
#include "register_store.h"
#include "request_scheduler.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace fleet;
using Source = energy::RangeAnswer::Source;

namespace {

QByteArray energyAnswer(const QByteArray &keyword, const QByteArray &serial)
{
    const QByteArray head = keyword + '\x01';
    QByteArray m = head;
    for (const QByteArray f : {serial, QByteArray("01.12.2026"), QByteArray("10.12.2026"), QByteArray("1000"),
                               QByteArray("1100"), QByteArray("50"), QByteArray("66"), QByteArray("0"),
                               QByteArray("12")})
        m += f + '\x01';
    return m + "\xF4\xF4\xF4";
}

BackgroundRequest job(Expectation e)
{
    BackgroundRequest r;
    r.bytes = "x";
    r.expect = std::move(e);
    r.tag = QStringLiteral("watch");
    return r;
}

Expectation range(Source source, const QByteArray &serial)
{
    Expectation e;
    e.kind = Expectation::Kind::EnergyRange;
    e.source = source;
    e.serial = serial;
    e.firstDate = "01.12.2026";
    e.lastDate = "10.12.2026";
    return e;
}

} // namespace

class TstBackgroundAnswers : public QObject {
    Q_OBJECT
private slots:
    void energyAnswers_data();
    void energyAnswers();
    void offlineNotice();
    void deviceAnswerInItsOwnRegisters();
};

void TstBackgroundAnswers::energyAnswers_data()
{
    QTest::addColumn<QByteArray>("keyword");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("ratioDisplay");
    QTest::newRow("device, asked in the background") << QByteArray("reaktifenerji") << true << "indoran";
    QTest::newRow("device, unasked") << QByteArray("reaktifenerji") << false << "indoran";
    QTest::newRow("meter, asked in the background") << QByteArray("tedassycal") << true << "RzLEDsycinoran";
    QTest::newRow("meter, unasked") << QByteArray("tedassycal") << false << "RzLEDsycinoran";
}

void TstBackgroundAnswers::energyAnswers()
{
    QFETCH(QByteArray, keyword);
    QFETCH(bool, asked);
    QFETCH(QString, ratioDisplay);
    ClientFixture f;
    RequestScheduler &s = f.w->ana.scheduler();
    s.setIdleMs(0);
    s.setConnected(true);
    const Source source = keyword == "reaktifenerji" ? Source::Device : Source::Meter;
    if (asked) {
        s.enqueue(job(range(source, "12002")));
        QTRY_VERIFY(s.inFlight());
    }
    QSignalSpy spy(&f.w->ana.events(), &ClientEvents::energyRange);
    f.conn().pendingRequest = pending::sabitler;
    f.ctx().setMessage(QStringLiteral("önce"));
    QVERIFY(f.read(energyAnswer(keyword, "12002")));

    QCOMPARE(spy.size(), 1);
    const auto answer = spy.first().at(0).value<energy::RangeAnswer>();
    QCOMPARE(spy.first().at(1).toBool(), asked);
    QCOMPARE(answer.serial, QByteArray("12002"));
    QVERIFY(answer.complete());
    QCOMPARE(answer.ratios.inductive, 16.0);
    QCOMPARE(answer.inductiveBand, energy::Band::Critical);
    QCOMPARE(answer.capacitiveBand, energy::Band::Alarm);
    QCOMPARE(f.conn().pendingRequest, pending::sabitler);
    const QString shown = f.get<LedDisplay>(qPrintable(ratioDisplay))->text();
    const QString message = f.get<QLabel>("LblMesaj")->text();
    if (asked) {
        QVERIFY(!s.inFlight());
        QCOMPARE(message, QStringLiteral("önce"));
        QVERIFY2(!shown.contains(QLatin1String("16")), qPrintable(shown));
    } else {
        QVERIFY(message.startsWith(QStringLiteral("12002 Cihazının ")));
        QCOMPARE(shown, QStringLiteral("16.00"));
    }
}

void TstBackgroundAnswers::offlineNotice()
{
    ClientFixture f;
    RequestScheduler &s = f.w->ana.scheduler();
    s.setIdleMs(0);
    s.setConnected(true);
    f.read(ClientFixture::device("depo", "Rkt90wz", "Atölye", "12010"));
    s.enqueue(job(range(Source::Device, "12010")));
    QTRY_VERIFY(s.inFlight());
    QSignalSpy spy(&f.w->ana.events(), &ClientEvents::deviceOffline);
    f.ctx().setMessage(QStringLiteral("önce"));
    QVERIFY(f.read(QByteArray("Hattayok\x01" "12010\x01\xF4")));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().at(1).toBool(), true);
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("önce"));
    QVERIFY(!f.w->ana.registry().find("12010")->online);
    // Unasked, the user is told as always.
    QVERIFY(f.read(QByteArray("Hattayok\x01" "12010\x01\xF4")));
    QVERIFY2(f.get<QLabel>("LblMesaj")->text().startsWith(QStringLiteral("12010 Seri Nolu cihaz hatta değil.")),
             qPrintable(f.get<QLabel>("LblMesaj")->text()));
}

void TstBackgroundAnswers::deviceAnswerInItsOwnRegisters()
{
    ClientFixture f;
    RequestScheduler &s = f.w->ana.scheduler();
    s.setIdleMs(0);
    s.setConnected(true);
    Expectation e;
    e.kind = Expectation::Kind::Enerjial;
    e.serial = "12002";
    e.branch = pending::anideger;
    e.startRegister = 0;
    s.enqueue(job(e));
    QTRY_VERIFY(s.inFlight());
    f.conn().pendingRequest = pending::tuketim;
    f.store().startRegister = 90;
    QSignalSpy spy(&f.w->ana.events(), &ClientEvents::registersStored);
    // Two registers, 0x0102 and 0x0304.
    QVERIFY(f.read(QByteArray("enerjial\x01\x01\x01" "1$3$4$1$2$3$4$0$0$")));
    QCOMPARE(f.store().read(1, 0), 258.0);
    QCOMPARE(f.store().read(1, 1), 772.0);
    QCOMPARE(f.store().read(1, 90), -1.0);
    QCOMPARE(f.store().startRegister, 90);
    QCOMPARE(f.conn().pendingRequest, pending::tuketim);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().at(2).toInt(), 0);
    QCOMPARE(spy.first().at(3).toInt(), 2);
    QCOMPARE(spy.first().at(4).toBool(), true);
}

QTEST_MAIN(TstBackgroundAnswers)
#include "tst_background_answers.moc"
