// Background requests wait for a quiet moment, go one at a time, are given
// up when unanswered, and answers reach the one who asked.
#include "request_scheduler.h"
#include "wire.h"

#include <QSignalSpy>
#include <QTest>

using namespace fleet;
using Source = energy::RangeAnswer::Source;

namespace {

QByteArray rangeRequest(const char *keyword, const char *serial, const char *d1, const char *d2)
{
    return wire::buildRequest(keyword, {serial, d1, d2});
}

BackgroundRequest rangeJob(const char *serial, QList<Outcome> *outcomes, const QString &tag = QStringLiteral("watch"))
{
    BackgroundRequest r;
    r.bytes = rangeRequest("reaktifener", serial, "01.12.2026", "10.12.2026");
    r.expect.kind = Expectation::Kind::EnergyRange;
    r.expect.source = Source::Device;
    r.expect.serial = serial;
    r.expect.firstDate = "01.12.2026";
    r.expect.lastDate = "10.12.2026";
    r.tag = tag;
    r.label = QString::fromLatin1(serial);
    r.done = [outcomes](Outcome o) { outcomes->append(o); };
    return r;
}

struct Rig {
    RequestScheduler s;
    QList<QByteArray> sent;
    Rig(int idleMs = 100, int answerMs = 10000)
    {
        s.setTransport([this](const QByteArray &r) { sent << r; });
        s.setIdleMs(idleMs);
        s.setAnswerMs(answerMs);
        s.setConnected(true);
    }
};

} // namespace

class TstRequestScheduler : public QObject {
    Q_OBJECT
private slots:
    void userGoesAtOnceBackgroundWaitsForQuiet();
    void oneAtATimeAndGivenUp();
    void energyAnswerRouting_data();
    void energyAnswerRouting();
    void offlineNotice();
    void emptyDatesTakeTheServersPeriod();
    void deviceAnswerClaimedUnlessUserAskedSince();
    void connectionDownSendsAgainLater();
    void cancelByTag();
};

void TstRequestScheduler::userGoesAtOnceBackgroundWaitsForQuiet()
{
    Rig r(150);
    QList<Outcome> outcomes;
    r.s.sendUser("enertum\x01" "12001\x01\xF4\xF4\xF4");
    QCOMPARE(r.sent.size(), 1);
    QVERIFY(r.s.enqueue(rangeJob("12002", &outcomes)));
    QTest::qWait(50);
    QCOMPARE(r.sent.size(), 1); // the user was active a moment ago
    QTRY_COMPARE(r.sent.size(), 2);
    QCOMPARE(r.sent.last(), rangeRequest("reaktifener", "12002", "01.12.2026", "10.12.2026"));
    // A user request meanwhile goes out at once, before the background answer.
    r.s.sendUser("enertum\x01" "12003\x01\xF4\xF4\xF4");
    QCOMPARE(r.sent.size(), 3);
    QVERIFY(r.s.inFlight());
}

void TstRequestScheduler::oneAtATimeAndGivenUp()
{
    Rig r(0, 80);
    QList<Outcome> outcomes;
    QSignalSpy notes(&r.s, &RequestScheduler::note);
    for (const char *serial : {"1", "2", "3"})
        r.s.enqueue(rangeJob(serial, &outcomes));
    QTRY_COMPARE(r.sent.size(), 1);
    QTest::qWait(20);
    QCOMPARE(r.sent.size(), 1); // one in flight at a time
    QVERIFY(r.s.claimEnergyRange(Source::Device, "1", "01.12.2026", "10.12.2026"));
    QTRY_COMPARE(r.sent.size(), 2);
    // The second never answers: given up after the answer time and noted.
    QTRY_COMPARE(outcomes.size(), 2);
    QCOMPARE(outcomes, (QList<Outcome>{Outcome::Answered, Outcome::NoAnswer}));
    QCOMPARE(notes.size(), 1);
    QVERIFY(notes.first().first().toString().contains(QLatin1String("2")));
    QTRY_COMPARE(r.sent.size(), 3);
    // Its late answer is still the background's, not the user's.
    QVERIFY(r.s.claimEnergyRange(Source::Device, "2", "01.12.2026", "10.12.2026"));
}

void TstRequestScheduler::energyAnswerRouting_data()
{
    QTest::addColumn<QByteArray>("userRequest"); // sent before the answer (empty: none)
    QTest::addColumn<QByteArray>("serial");
    QTest::addColumn<int>("source");
    QTest::addColumn<QByteArray>("last");
    QTest::addColumn<bool>("background");
    const QByteArray same = rangeRequest("reaktifener", "12002", "01.12.2026", "10.12.2026");
    QTest::newRow("the background's") << QByteArray() << QByteArray("12002") << int(Source::Device)
                                      << QByteArray("10.12.2026") << true;
    QTest::newRow("other dates: unasked") << QByteArray() << QByteArray("12002") << int(Source::Device)
                                          << QByteArray("09.12.2026") << false;
    QTest::newRow("other serial") << QByteArray() << QByteArray("12005") << int(Source::Device)
                                  << QByteArray("10.12.2026") << false;
    QTest::newRow("meter answer for a device request") << QByteArray() << QByteArray("12002") << int(Source::Meter)
                                                       << QByteArray("10.12.2026") << false;
    QTest::newRow("the user asked the same: the user's first") << same << QByteArray("12002") << int(Source::Device)
                                                               << QByteArray("10.12.2026") << false;
}

void TstRequestScheduler::energyAnswerRouting()
{
    QFETCH(QByteArray, userRequest);
    QFETCH(QByteArray, serial);
    QFETCH(int, source);
    QFETCH(QByteArray, last);
    QFETCH(bool, background);
    Rig r(0);
    QList<Outcome> outcomes;
    r.s.enqueue(rangeJob("12002", &outcomes));
    QTRY_VERIFY(r.s.inFlight());
    if (!userRequest.isEmpty())
        r.s.sendUser(userRequest);
    QCOMPARE(r.s.claimEnergyRange(Source(source), serial, "01.12.2026", last).has_value(), background);
    QCOMPARE(r.s.inFlight(), !background);
    if (!userRequest.isEmpty()) // the second answer is the background's
        QVERIFY(r.s.claimEnergyRange(Source::Device, "12002", "01.12.2026", "10.12.2026"));
}

void TstRequestScheduler::offlineNotice()
{
    Rig r(0);
    QList<Outcome> outcomes;
    r.s.enqueue(rangeJob("12010", &outcomes));
    QTRY_VERIFY(r.s.inFlight());
    QVERIFY(!r.s.claimOffline("12001"));
    QVERIFY(r.s.claimOffline("12010"));
    QCOMPARE(outcomes, QList<Outcome>{Outcome::Offline});
    // The user asked about the same device: the user is told too.
    r.s.enqueue(rangeJob("12010", &outcomes));
    QTRY_VERIFY(r.s.inFlight());
    r.s.sendUser("enertum\x01" "12010\x01\xF4\xF4\xF4");
    QVERIFY(!r.s.claimOffline("12010"));
    QCOMPARE(outcomes.size(), 2);
}

void TstRequestScheduler::emptyDatesTakeTheServersPeriod()
{
    Rig r(0);
    BackgroundRequest b;
    b.bytes = rangeRequest("sycreaktfener", "12004", "", "");
    b.expect.source = Source::Meter;
    b.expect.serial = "12004";
    b.expect.show = true;
    r.s.enqueue(b);
    QTRY_VERIFY(r.s.inFlight());
    QVERIFY(!r.s.claimEnergyRange(Source::Meter, "12007", "01.12.2026", "10.12.2026"));
    const std::optional<Expectation> e = r.s.claimEnergyRange(Source::Meter, "12004", "01.12.2026", "10.12.2026");
    QVERIFY(e && e->show);
}

void TstRequestScheduler::deviceAnswerClaimedUnlessUserAskedSince()
{
    Rig r(0);
    QList<Outcome> outcomes;
    const auto refresh = [&] {
        BackgroundRequest b;
        b.bytes = "enertum\x01" "12002\x01\xF4\xF4\xF4";
        b.expect.kind = Expectation::Kind::Enerjial;
        b.expect.serial = "12002";
        b.expect.branch = "anideger";
        b.expect.startRegister = 0;
        b.tag = QStringLiteral("refresh");
        b.done = [&](Outcome o) { outcomes << o; };
        return b;
    };
    r.s.enqueue(refresh());
    QTRY_VERIFY(r.s.inFlight());
    const std::optional<Expectation> e = r.s.claimEnerjial();
    QVERIFY(e);
    QCOMPARE(e->branch, QByteArray("anideger"));
    QVERIFY(!r.s.claimEnerjial()); // nothing in flight any more

    r.s.enqueue(refresh());
    QTRY_VERIFY(r.s.inFlight());
    r.s.sendUser("enerharcanan\x01" "12002\x01\xF4\xF4\xF4");
    QVERIFY(!r.s.claimEnerjial()); // routed as the user's request says
    QCOMPARE(outcomes, (QList<Outcome>{Outcome::Answered, Outcome::Dropped}));
}

void TstRequestScheduler::connectionDownSendsAgainLater()
{
    Rig r(0);
    QList<Outcome> outcomes;
    r.s.enqueue(rangeJob("12002", &outcomes));
    QTRY_COMPARE(r.sent.size(), 1);
    r.s.setConnected(false);
    QVERIFY(!r.s.inFlight());
    QCOMPARE(r.s.queued(), 1);
    QTest::qWait(20);
    QCOMPARE(r.sent.size(), 1);
    r.s.setConnected(true);
    QTRY_COMPARE(r.sent.size(), 2);
    QCOMPARE(r.sent.at(0), r.sent.at(1));
    QVERIFY(outcomes.isEmpty());
}

void TstRequestScheduler::cancelByTag()
{
    Rig r(10000); // nothing goes out while the user is "active"
    r.s.noteUserActivity();
    QList<Outcome> outcomes;
    r.s.enqueue(rangeJob("1", &outcomes, QStringLiteral("watch")));
    r.s.enqueue(rangeJob("2", &outcomes, QStringLiteral("refresh")));
    r.s.enqueue(rangeJob("3", &outcomes, QStringLiteral("watch")));
    QCOMPARE(r.s.queued(QStringLiteral("watch")), 2);
    QCOMPARE(r.s.cancel(QStringLiteral("watch")), 2);
    QCOMPARE(r.s.queued(), 1);
    QCOMPARE(outcomes, (QList<Outcome>{Outcome::Dropped, Outcome::Dropped}));
}

QTEST_GUILESS_MAIN(TstRequestScheduler)
#include "tst_request_scheduler.moc"
