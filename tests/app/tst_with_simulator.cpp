// The client against the bundled simulator, in one process: the login the
// user makes after ./run.sh.
#include "log_in.h"
#include "client_windows.h"
#include "sim_server.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TstWithSimulator : public QObject {
    Q_OBJECT
private slots:
    void loginListsDevicesAndKeepsAlive();
    void wrongPasswordEndsInDisconnect();
};

namespace {
void login(ClientWindows &w, quint16 port, const QString &password)
{
    logIn(w.giris, port, QStringLiteral("demo"), password);
}
} // namespace

void TstWithSimulator::loginListsDevicesAndKeepsAlive()
{
    sim::SimServer sim;
    QVERIFY(sim.listen(QHostAddress::LocalHost, 0));
    ClientWindows w;
    w.ana.findChild<QTimer *>("TimerPing")->setInterval(50);
    login(w, sim.port(), "1234");
    QVERIFY(w.ana.state().connected);
    // The device list arrives and is logged read by read.
    QVERIFY(QTest::qWaitFor([&] {
        QString all;
        for (int i = 0; i < w.haberlesme.lineCount(); ++i)
            all += w.haberlesme.line(i);
        return all.count(QStringLiteral("cihazlar")) >= 6;
    }, 5000));
    // The keep-alive is answered.
    auto *line = w.ana.findChild<QLabel *>("LblMesaj");
    QVERIFY(QTest::qWaitFor([&] { return line->text() == QLatin1String("Pong"); }, 5000));
    QCOMPARE(w.giris.statusText(), QStringLiteral("Bağlantı Kuruldu"));
}

void TstWithSimulator::wrongPasswordEndsInDisconnect()
{
    sim::SimServer sim;
    QVERIFY(sim.listen(QHostAddress::LocalHost, 0));
    ClientWindows w;
    login(w, sim.port(), "yanlis");
    QVERIFY(QTest::qWaitFor([&] { return !w.ana.state().connected; }, 5000));
    QCOMPARE(w.ana.findChild<QLabel *>("LblMesaj")->text(),
             QStringLiteral("demo kullanıcısının ana bilgisayarla bağlantısı kesildi"));
}

QTEST_MAIN(TstWithSimulator)
#include "tst_with_simulator.moc"
