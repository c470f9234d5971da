// The compensation watch on a fixed clock: the billing period, what it asks
// of which kind, the states its answers leave; the alarm log's edges.
#include "alarm_log.h"
#include "compensation_watch.h"
#include "energy_request.h"
#include "request_scheduler.h"

#include <QSignalSpy>
#include <QTest>

using namespace fleet;
using energy::Band;
using Source = energy::RangeAnswer::Source;

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 30));

struct Site {
    DeviceRegistry registry;
    RequestScheduler scheduler;
    CompensationWatch watch{registry, scheduler};
    QList<QByteArray> sent;

    Site()
    {
        watch.setClock([] { return kNow; });
        scheduler.setIdleMs(0);
        scheduler.setConnected(true);
        scheduler.setTransport([this](const QByteArray &r) { sent << r; });
        registry.add("Merkez", "QRN410", "Analizör", "12001");
        registry.add("Merkez", "Rkt90wz", "Röle", "12002");
        registry.add("Merkez", "LBE620", "Aşırı Akım", "12003");
        registry.add("depo", "PMT830", "Sayaç", "12004");
        registry.add("depo", "XYZ100", "Pompa", "12006");
    }
    // An answer as the handlers give it: claimed first, then emitted.
    void answer(const QByteArray &serial, Source source, double inductive, double capacitive,
                const QByteArray &first = energy::wireDate(QDate(2026, 12, 1)),
                const QByteArray &last = energy::wireDate(QDate(2026, 12, 10)))
    {
        const bool background = scheduler.claimEnergyRange(source, serial, first, last).has_value();
        std::array<QByteArray, 9> f{serial, first, last, "1000", "1100", "0",
                                    QByteArray::number(inductive), "0", QByteArray::number(capacitive)};
        watch.takeAnswer(energy::readRangeAnswer(source, f, QLatin1Char('.')), background);
    }
};

} // namespace

class TstCompensationWatch : public QObject {
    Q_OBJECT
private slots:
    void billingPeriod_data();
    void billingPeriod();
    void sweepAsksEachKindAndKeepsItsOutcome();
    void userAnswersCountForTheirPeriodOnly();
    void relistedWithAnotherModel();
    void alarmEdges_data();
    void alarmEdges();
};

void TstCompensationWatch::billingPeriod_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDate>("first");
    QTest::newRow("mid month") << kNow << QDate(2026, 12, 1);
    QTest::newRow("first day, under a day") << QDateTime(QDate(2026, 12, 1), QTime(23, 59)) << QDate(2026, 11, 1);
    QTest::newRow("a day exactly") << QDateTime(QDate(2026, 12, 2), QTime(0, 0)) << QDate(2026, 12, 1);
    QTest::newRow("new year's midnight") << QDateTime(QDate(2027, 1, 1), QTime(0, 0)) << QDate(2026, 12, 1);
}

void TstCompensationWatch::billingPeriod()
{
    QFETCH(QDateTime, now);
    QFETCH(QDate, first);
    const BillingPeriod p = CompensationWatch::periodAt(now);
    QCOMPARE(p.first, first);
    QCOMPARE(p.last, now.date());
}

void TstCompensationWatch::sweepAsksEachKindAndKeepsItsOutcome()
{
    Site s;
    s.scheduler.setAnswerMs(50);
    QSignalSpy finished(&s.watch, &CompensationWatch::sweepFinished);
    s.watch.start();
    QCOMPARE(s.watch.at(2).state, WatchState::NoCounters);
    QCOMPARE(s.watch.at(4).state, WatchState::NoCounters);
    QCOMPARE(s.watch.sweepTotal(), 3);
    const QByteArray d1 = energy::wireDate(QDate(2026, 12, 1)), d2 = energy::wireDate(QDate(2026, 12, 10));

    QTRY_COMPARE(s.sent.size(), 1);
    QCOMPARE(s.sent.last(), energy::rangeRequest(Source::Device, "12001", d1, d2));
    QCOMPARE(s.watch.at(0).state, WatchState::Asked);
    s.answer("12001", Source::Device, 16, 3);
    QCOMPARE(s.watch.at(0).state, WatchState::Answered);
    QCOMPARE(s.watch.at(0).inductiveBand, Band::Critical);
    QCOMPARE(s.watch.at(0).answeredAt, kNow);

    QTRY_COMPARE(s.sent.size(), 2);
    QCOMPARE(s.sent.last(), energy::rangeRequest(Source::Device, "12002", d1, d2));
    // Nothing comes: given up after the answer time.
    QTRY_COMPARE(s.watch.at(1).state, WatchState::NoAnswer);

    QTRY_COMPARE(s.sent.size(), 3);
    QCOMPARE(s.sent.last(), energy::rangeRequest(Source::Meter, "12004", d1, d2));
    QVERIFY(s.scheduler.claimOffline("12004").has_value());
    QCOMPARE(s.watch.at(3).state, WatchState::Offline);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(s.watch.sweepDone(), 3);
    QVERIFY(!s.watch.isSweeping());

    // A device listed later is asked on its own.
    s.registry.add("depo", "Rkt90wz", "Yeni", "12011");
    QVERIFY(s.watch.isSweeping());
    QTRY_COMPARE(s.sent.size(), 4);
    QVERIFY(s.sent.last().startsWith("reaktifener\x01" "12011\x01"));
}

void TstCompensationWatch::userAnswersCountForTheirPeriodOnly()
{
    Site s;
    // The user's answer of another period changes nothing.
    s.answer("12002", Source::Device, 25, 0, energy::wireDate(QDate(2026, 12, 3)));
    QVERIFY(!s.watch.at(1).known);
    // The billing period as a server fills it in for empty dates.
    s.answer("12002", Source::Device, 25, 0, "01.12.2026", "10.12.2026");
    QVERIFY(s.watch.at(1).known);
    QCOMPARE(s.watch.at(1).inductiveBand, Band::Penalty);
    QCOMPARE(s.watch.at(1).state, WatchState::Answered);
    // A meter's answer for a device read directly, and an unlisted serial.
    s.answer("12001", Source::Meter, 25, 0);
    s.answer("99999", Source::Device, 25, 0);
    QVERIFY(!s.watch.at(0).known);
}

void TstCompensationWatch::relistedWithAnotherModel()
{
    Site s;
    s.answer("12002", Source::Device, 25, 0, "01.12.2026", "10.12.2026");
    QVERIFY(s.watch.at(1).known);
    // Listed again as an overcurrent relay: no counters, nothing held.
    s.registry.add("Merkez", "LBE620", "Röle", "12002");
    QCOMPARE(s.watch.at(1).state, WatchState::NoCounters);
    QVERIFY(!s.watch.at(1).known);
    // And back: it waits for the next sweep.
    s.registry.add("Merkez", "Rkt90wz", "Röle", "12002");
    QCOMPARE(s.watch.at(1).state, WatchState::Waiting);
}

void TstCompensationWatch::alarmEdges_data()
{
    QTest::addColumn<bool>("onCritical");
    QTest::addColumn<QList<int>>("bands");  // inductive bands read one after another
    QTest::addColumn<QList<int>>("raised"); // the bands that raised an alarm
    const auto N = int(Band::Normal), K = int(Band::Critical), A = int(Band::Alarm), C = int(Band::Penalty);
    QTest::newRow("first reading in CEZA") << false << QList<int>{C} << QList<int>{C};
    QTest::newRow("stays") << false << QList<int>{A, A, A} << QList<int>{A};
    QTest::newRow("rises further") << false << QList<int>{A, C, C} << QList<int>{A, C};
    QTest::newRow("falls and rises") << false << QList<int>{C, N, C, A, C} << QList<int>{C, C, C};
    QTest::newRow("KRİTİK unticked") << false << QList<int>{K, N, K} << QList<int>{};
    QTest::newRow("KRİTİK ticked") << true << QList<int>{K, N, K, A} << QList<int>{K, K, A};
}

void TstCompensationWatch::alarmEdges()
{
    QFETCH(bool, onCritical);
    QFETCH(QList<int>, bands);
    QFETCH(QList<int>, raised);
    AlarmLog log;
    log.setAlarmOnCritical(onCritical);
    for (int b : bands) {
        log.observe("12001", "Analizör", energy::Reactive::Inductive, Band(b), 20, kNow);
        // The other ratio of the same device, NORMAL throughout, raises nothing.
        log.observe("12001", "Analizör", energy::Reactive::Capacitive, Band::Normal, 1, kNow);
    }
    QCOMPARE(log.count(), raised.size());
    for (int i = 0; i < raised.size(); ++i)
        QCOMPARE(int(log.at(i).band), raised[i]);
    QCOMPARE(log.unacknowledged(), raised.size());
    log.acknowledgeAll(kNow.addSecs(60));
    QCOMPARE(log.unacknowledged(), 0);
    for (int i = 0; i < log.count(); ++i)
        QCOMPARE(log.at(i).acknowledgedAt, kNow.addSecs(60));
}

QTEST_MAIN(TstCompensationWatch)
#include "tst_compensation_watch.moc"
