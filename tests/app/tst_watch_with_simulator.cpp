// The compensation watch against the bundled simulator in one process: the
// first sweep of the demo site, the pages and the routing it leaves alone,
// the user's request in the middle of a sweep, and an alarm from its rise to
// its acknowledgement.
#include "log_in.h"
#include "client_windows.h"
#include "energy_request.h"
#include "frm_takip.h"
#include "led_display.h"
#include "pending.h"
#include "request_scheduler.h"
#include "sim_server.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using fleet::WatchState;
using energy::Band;

namespace {

struct Session {
    sim::SimServer server;
    ClientWindows w;

    fleet::CompensationWatch &watch() { return w.takip->watch(); }
    fleet::AlarmLog &alarms() { return w.takip->alarms(); }
    bool start(int idleMs, int delayMs = 0)
    {
        server.setAnswerDelay(delayMs, delayMs);
        w.ana.scheduler().setIdleMs(idleMs);
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        logIn(w.giris, server.port());
        return w.ana.state().connected && QTest::qWaitFor([&] { return w.ana.registry().count() == 10; }, 5000);
    }
    bool sweepDone() { return QTest::qWaitFor([&] { return watch().sweepsDone() > 0; }, 15000); }
    template <class T> T *get(const char *name) { return w.ana.widgets().get<T>(QLatin1String(name)); }
    QString led(const char *name) { return get<LedDisplay>(name)->text(); }
    QString label(const char *name) { return get<QLabel>(name)->text(); }
    // The table's texts of the device, as the window shows them.
    QStringList row(const QByteArray &serial)
    {
        const QAbstractItemModel *m = w.takip->window()->viewModel();
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, WatchTableModel::Serial).data().toByteArray() == serial) {
                QStringList texts;
                for (int c = 0; c < m->columnCount(); ++c)
                    texts << m->index(r, c).data().toString();
                return texts;
            }
        return {};
    }
};

} // namespace

class TstWatchWithSimulator : public QObject {
    Q_OBJECT
private slots:
    void firstSweepOfTheDemoSite_data();
    void firstSweepOfTheDemoSite();
    void watchAnswersLeaveThePagesAlone();
    void userRequestDuringASweep();
    void bandRiseAlarmsOnceUntilAcknowledged();
};

void TstWatchWithSimulator::firstSweepOfTheDemoSite_data()
{
    QTest::addColumn<QByteArray>("serial");
    QTest::addColumn<QString>("inductive");
    QTest::addColumn<QString>("capacitive");
    QTest::addColumn<int>("state");
    const int answered = int(WatchState::Answered);
    QTest::newRow("12001 analyser") << QByteArray("12001") << "NORMAL" << "NORMAL" << answered;
    QTest::newRow("12002 relay") << QByteArray("12002") << "KRİTİK" << "NORMAL" << answered;
    QTest::newRow("12003 overcurrent relay") << QByteArray("12003") << "" << "" << int(WatchState::NoCounters);
    QTest::newRow("12007 meter") << QByteArray("12007") << "NORMAL" << "NORMAL" << answered;
    QTest::newRow("12004 meter") << QByteArray("12004") << "ALARM" << "NORMAL" << answered;
    QTest::newRow("12005 relay") << QByteArray("12005") << "NORMAL" << "ALARM" << answered;
    QTest::newRow("12006 industrial modem") << QByteArray("12006") << "" << "" << int(WatchState::NoCounters);
    QTest::newRow("12008 analyser") << QByteArray("12008") << "CEZA" << "CEZA" << answered;
    QTest::newRow("12009 meter") << QByteArray("12009") << "CEZA" << "CEZA" << answered;
    QTest::newRow("12010 off line") << QByteArray("12010") << "" << "" << int(WatchState::Offline);
}

void TstWatchWithSimulator::firstSweepOfTheDemoSite()
{
    QFETCH(QByteArray, serial);
    QFETCH(QString, inductive);
    QFETCH(QString, capacitive);
    QFETCH(int, state);
    Session s;
    QVERIFY(s.start(0));
    QVERIFY(s.sweepDone());
    const QStringList row = s.row(serial);
    QCOMPARE(row.size(), int(WatchTableModel::ColumnCount));
    QCOMPARE(row[WatchTableModel::InductiveBand], inductive);
    QCOMPARE(row[WatchTableModel::CapacitiveBand], capacitive);
    QCOMPARE(row[WatchTableModel::State], fleet::stateText(WatchState(state)));
    TFrmTakip *window = s.w.takip->window();
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblTakipDurum"))->text(),
             QStringLiteral("Taranan: 8 / 8 cihaz (tarama bitti)"));
    // Worst first: the two CEZA devices; the CEZA filter keeps them only.
    const QAbstractItemModel *view = window->viewModel();
    QCOMPARE(view->index(0, WatchTableModel::InductiveBand).data().toString(), QStringLiteral("CEZA"));
    QCOMPARE(view->index(1, WatchTableModel::InductiveBand).data().toString(), QStringLiteral("CEZA"));
    QCOMPARE(view->index(0, WatchTableModel::InductiveBand).data(Qt::BackgroundRole).value<QColor>(),
             QColor(0xFF, 0x00, 0x00));
    window->findChild<QComboBox *>(QStringLiteral("cmbTakipFiltre"))->setCurrentIndex(3);
    QCOMPARE(view->rowCount(), 2);
}

void TstWatchWithSimulator::watchAnswersLeaveThePagesAlone()
{
    Session s;
    QVERIFY(s.start(1500));
    QVERIFY(!s.w.ana.scheduler().inFlight());
    s.w.ana.context().setMessage(QStringLiteral("önce"));
    s.w.ana.state().pendingRequest = pending::sabitler;
    const char *const displays[] = {"indoran", "kaporan", "ak1", "RzLEDsycinoran", "RzLEDak1"};
    QStringList before;
    for (const char *d : displays)
        before << s.led(d);
    const QString bands = s.label("inddurum") + s.label("lblsycindurum");
    const QString date = s.get<QLineEdit>("Edit222")->text();
    QVERIFY(s.sweepDone());
    QCOMPARE(s.label("LblMesaj"), QStringLiteral("önce"));
    QCOMPARE(s.w.ana.state().pendingRequest, pending::sabitler);
    for (int i = 0; i < int(std::size(displays)); ++i)
        QCOMPARE(s.led(displays[i]), before[i]);
    QCOMPARE(s.label("inddurum") + s.label("lblsycindurum"), bands);
    QCOMPARE(s.get<QLineEdit>("Edit222")->text(), date);
}

void TstWatchWithSimulator::userRequestDuringASweep()
{
    Session s;
    QVERIFY(s.start(2000, 150));
    QVERIFY(QTest::qWaitFor([&] { return s.watch().sweepDone() >= 2; }, 8000));
    QVERIFY(s.watch().isSweeping());
    QVERIFY(s.w.takip->selectDevice("12002"));
    const QDate last = QDate::currentDate().addDays(-1);
    s.get<QDateEdit>("DateTimePicker1")->setDate(last.addDays(-7));
    s.get<QDateEdit>("DateTimePicker2")->setDate(last);
    s.get<QAbstractButton>("VrShadowButton9")->click();
    // The answer is on page 1 while the sweep still waits for the user to
    // be quiet.
    QVERIFY(QTest::qWaitFor([&] { return s.label("inddurum") == QStringLiteral("KRİTİK"); }, 1800));
    QVERIFY(s.watch().isSweeping());
    QVERIFY(s.w.ana.scheduler().queued(fleet::CompensationWatch::kTag) > 0);
    const QString ratio = s.led("indoran");
    QVERIFY(s.sweepDone());
    QCOMPARE(s.led("indoran"), ratio);
    QCOMPARE(s.label("inddurum"), QStringLiteral("KRİTİK"));
    QVERIFY(s.label("LblMesaj").startsWith(QStringLiteral("12002 Cihazının ")));
}

void TstWatchWithSimulator::bandRiseAlarmsOnceUntilAcknowledged()
{
    Session s;
    QVERIFY(s.start(0));
    QVERIFY(s.sweepDone());
    TFrmTakip *window = s.w.takip->window();
    // The first sweep: 12004 and 12005 in ALARM, both ratios of 12008 and
    // 12009 in CEZA.
    QCOMPARE(s.alarms().count(), 6);
    QCOMPARE(window->windowTitle(), QStringLiteral("Kompanzasyon Takibi - 6 onaylanmamış alarm"));
    QVERIFY(s.w.ana.trayIcon()->toolTip().endsWith(QStringLiteral("\n6 onaylanmamış alarm")));
    const bool tray = QSystemTrayIcon::isSystemTrayAvailable();
    QToolButton *strip = s.w.takip->alarmStrip();
    QCOMPARE(strip->isVisibleTo(&s.w.ana), !tray);
    window->findChild<QAbstractButton *>(QStringLiteral("btnAlarmOnayla"))->click();
    QCOMPARE(s.alarms().unacknowledged(), 0);
    QVERIFY(!strip->isVisibleTo(&s.w.ana));

    // Bands that stay raise nothing.
    s.watch().sweepNow();
    QVERIFY(QTest::qWaitFor([&] { return s.watch().sweepsDone() > 1; }, 15000));
    QCOMPARE(s.alarms().count(), 6);

    // 12001 rises to CEZA (an answer the user asked for over the billing
    // period): one alarm.
    const fleet::BillingPeriod p = s.watch().period();
    QByteArray answer = "reaktifenerji\x01" "12001\x01" + energy::wireDate(p.first) + '\x01' + energy::wireDate(p.last)
        + "\x01" "1000\x01" "1100\x01" "0\x01" "25\x01" "0\x01" "1\x01\xF4\xF4\xF4";
    s.w.ana.handleRead(answer);
    QCOMPARE(s.alarms().count(), 7);
    QCOMPARE(s.alarms().unacknowledged(), 1);
    QCOMPARE(s.alarms().at(6).serial, QByteArray("12001"));
    QCOMPARE(s.alarms().at(6).band, Band::Penalty);
    QCOMPARE(window->windowTitle(), QStringLiteral("Kompanzasyon Takibi - 1 onaylanmamış alarm"));
    QCOMPARE(strip->isVisibleTo(&s.w.ana), !tray);
    s.w.ana.handleRead(answer);
    QCOMPARE(s.alarms().count(), 7);
    // The newest alarm is the top row; acknowledged by its selection.
    QTableView *list = window->alarmTable();
    QCOMPARE(list->model()->index(0, AlarmTableModel::Device).data().toString(),
             QStringLiteral("Ana Pano Analizörü (12001)"));
    list->selectRow(0);
    window->findChild<QAbstractButton *>(QStringLiteral("btnAlarmOnayla"))->click();
    QCOMPARE(s.alarms().unacknowledged(), 0);
    QCOMPARE(window->windowTitle(), QStringLiteral("Kompanzasyon Takibi"));
    QVERIFY(list->model()->index(0, AlarmTableModel::Acknowledged).data().toString().startsWith(
        QStringLiteral("Onaylandı ")));

    // A double-click on a row selects its device as the device bar does.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTableView *table = window->table();
    int row = 0;
    while (row < table->model()->rowCount()
           && table->model()->index(row, WatchTableModel::Serial).data().toString() != QLatin1String("12001"))
        ++row;
    const QRect cell = table->visualRect(table->model()->index(row, 1));
    // A double-click as a mouse delivers it: the press before the second.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(s.get<QLineEdit>("Edit111")->text(), QStringLiteral("12001"));
    QCOMPARE(s.w.ana.state().pendingRequest, pending::anideger);

    // The table as CSV: a header and a row per device.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("takip.csv"));
    window->findChild<QComboBox *>(QStringLiteral("cmbTakipFiltre"))->setCurrentIndex(0);
    QVERIFY(window->exportCsv(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.first(), QByteArray("\xEF\xBB\xBFGrup,Cihaz,Seri No,İnd. Oran %,Kap. Oran %,İnd. Durum,Kap. Durum,"
                                       "Son Okuma,Durum\r"));
    QCOMPARE(lines.size(), 12); // ten devices and the empty remainder after the last CR LF
    QCOMPARE(std::count_if(lines.begin(), lines.end(),
                           [](const QByteArray &l) { return l.contains(",12001,25.00,1.00,CEZA,NORMAL,"); }),
             1);
}

QTEST_MAIN(TstWatchWithSimulator)
#include "tst_watch_with_simulator.moc"
