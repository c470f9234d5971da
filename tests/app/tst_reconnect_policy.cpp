// The waits between reconnection attempts and what ends the attempts, on a
// fixed random source and clock.
#include "reconnect_policy.h"

#include <QTest>

class TstReconnectPolicy : public QObject {
    Q_OBJECT
private slots:
    void waits_data();
    void waits();
    void events_data();
    void events();
    void countdown();
};

namespace {
using Phase = ReconnectPolicy::Phase;
using Ended = ReconnectPolicy::Ended;

// Runs a line of events: login, answer, lost, attempt, cancel, off, on.
// Returns the wait the last "lost" asked for.
int run(ReconnectPolicy &p, const QString &events)
{
    int wait = -2;
    for (const QString &e : events.split(u' ', Qt::SkipEmptyParts)) {
        if (e == u"login")
            p.loginSent();
        else if (e == u"answer")
            p.answerSeen();
        else if (e == u"lost")
            wait = p.connectionLost();
        else if (e == u"attempt")
            p.attemptStarted();
        else if (e == u"cancel")
            p.cancel();
        else
            p.setEnabled(e == u"on");
    }
    return wait;
}
} // namespace

void TstReconnectPolicy::waits_data()
{
    QTest::addColumn<double>("random");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("middle: no jitter") << 0.5 << QList<int>{2000, 4000, 8000, 16000, 32000, 60000, 60000};
    QTest::newRow("lowest: 10 % shorter") << 0.0 << QList<int>{1800, 3600, 7200, 14400, 28800, 54000, 54000};
    // Longer, but never past the most.
    QTest::newRow("highest: 10 % longer") << 1.0 << QList<int>{2200, 4400, 8800, 17600, 35200, 60000, 60000};
}

void TstReconnectPolicy::waits()
{
    QFETCH(double, random);
    QFETCH(QList<int>, expected);
    ReconnectPolicy p([random] { return random; }, [] { return qint64(0); });
    run(p, QStringLiteral("login answer"));
    QList<int> got;
    got << p.connectionLost();
    while (got.size() < expected.size()) {
        p.attemptStarted();
        got << p.connectionLost(); // the attempt failed
    }
    QCOMPARE(got, expected);
    QCOMPARE(p.attempt(), int(expected.size()));
    QCOMPARE(p.baseWait(40), ReconnectPolicy::kMaxWaitMs);
}

void TstReconnectPolicy::events_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("wait");
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("ended");
    QTest::addColumn<int>("attempt");
    QTest::addColumn<QString>("status");
    const int W = int(Phase::Waiting), I = int(Phase::Idle), L = int(Phase::LoggingIn), O = int(Phase::Online);
    const QString stopped = QStringLiteral("Yeniden bağlanma durduruldu.");
    const QString refused = QStringLiteral("Sunucu girişi kabul etmedi; yeniden bağlanılmayacak.");
    QTest::newRow("drop of an answered login") << "login answer lost" << 2000 << W << int(Ended::No) << 1
                                               << "Yeniden bağlanılıyor: 1. deneme, 2 sn";
    QTest::newRow("failed attempt") << "login answer lost attempt lost" << 4000 << W << int(Ended::No) << 2
                                    << "Yeniden bağlanılıyor: 2. deneme, 4 sn";
    QTest::newRow("first login closed unanswered") << "login lost" << -1 << I << int(Ended::Refused) << 0 << refused;
    QTest::newRow("login again closed unanswered")
        << "login answer lost attempt login lost" << -1 << I << int(Ended::Refused) << 1 << refused;
    QTest::newRow("answered again: count starts over")
        << "login answer lost attempt lost attempt login answer lost" << 2000 << W << int(Ended::No) << 1
        << "Yeniden bağlanılıyor: 1. deneme, 2 sn";
    QTest::newRow("cancel while waiting") << "login answer lost cancel" << 2000 << I << int(Ended::Cancelled) << 1
                                          << stopped;
    QTest::newRow("cancel while connecting")
        << "login answer lost attempt cancel" << 2000 << I << int(Ended::Cancelled) << 1 << stopped;
    QTest::newRow("cancel after the login again is out")
        << "login answer lost attempt login cancel" << 2000 << L << int(Ended::No) << 1
        << "Yeniden bağlanıldı; giriş yapılıyor...";
    QTest::newRow("switched off while waiting") << "login answer lost off" << 2000 << I << int(Ended::Disabled) << 1
                                                << stopped;
    QTest::newRow("off before the drop") << "off login answer lost" << -1 << I << int(Ended::Disabled) << 0 << stopped;
    QTest::newRow("on again") << "off login answer lost on login answer" << -1 << O << int(Ended::No) << 0 << "";
    QTest::newRow("user's own login while waiting") << "login answer lost login" << 2000 << L << int(Ended::No) << 0
                                                    << "";
}

void TstReconnectPolicy::events()
{
    QFETCH(QString, events);
    QFETCH(int, wait);
    QFETCH(int, phase);
    QFETCH(int, ended);
    QFETCH(int, attempt);
    QFETCH(QString, status);
    ReconnectPolicy p({}, [] { return qint64(1000); });
    QCOMPARE(run(p, events), wait);
    QCOMPARE(int(p.phase()), phase);
    QCOMPARE(int(p.ended()), ended);
    QCOMPARE(p.attempt(), attempt);
    QCOMPARE(p.statusText(), status);
    QCOMPARE(p.retrying(), phase == int(Phase::Waiting) || phase == int(Phase::Attempting)
                               || (phase == int(Phase::LoggingIn) && attempt > 0));
}

void TstReconnectPolicy::countdown()
{
    qint64 now = 5000;
    ReconnectPolicy p({}, [&now] { return now; });
    run(p, QStringLiteral("login answer lost attempt lost attempt lost"));
    QCOMPARE(p.statusText(), QStringLiteral("Yeniden bağlanılıyor: 3. deneme, 8 sn"));
    now += 1500;
    QCOMPARE(p.statusText(), QStringLiteral("Yeniden bağlanılıyor: 3. deneme, 7 sn"));
    now += 6499;
    QCOMPARE(p.secondsLeft(), 1);
    now += 1;
    QCOMPARE(p.secondsLeft(), 0);
    // A second report of the same drop keeps the time already waited.
    QCOMPARE(p.connectionLost(), 0);
    p.attemptStarted();
    QCOMPARE(p.statusText(), QStringLiteral("Yeniden bağlanılıyor: 3. deneme..."));
}

QTEST_GUILESS_MAIN(TstReconnectPolicy)
#include "tst_reconnect_policy.moc"
