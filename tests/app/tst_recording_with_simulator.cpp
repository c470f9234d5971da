// The automatic refresh and the history recorder against the bundled
// simulator in this process: the refresh asks the active device again
// through the scheduler without touching the user's routing, the page or
// the store; register answers become rows holding what the displays show;
// energy answers and meter readouts become rows; tarnek-history exports
// what a refreshing client recorded.
#include "bar_items.h"
#include "log_in.h"
#include "auto_refresh.h"
#include "client_events.h"
#include "client_settings.h"
#include "client_windows.h"
#include "communication_log_model.h"
#include "group_bar.h"
#include "history_reader.h"
#include "history_wiring.h"
#include "led_display.h"
#include "register_map.h"
#include "register_store.h"
#include "request_scheduler.h"
#include "sim_server.h"
#include "wire.h"

#include <QAbstractButton>
#include <QAction>
#include <QProcess>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

const QString kPeriodKey = QStringLiteral("refresh/periodSeconds");

struct Session {
    sim::SimServer server;
    ClientWindows w;
    ClientRecording *recording = nullptr;

    bool start(const QString &historyFile = QString())
    {
        programState() = ProgramState{};
        if (!historyFile.isEmpty())
            recording = startRecording(w.ana, historyFile);
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        logIn(w.giris, server.port());
        // The compensation watch's sweep is not these tests' concern.
        w.takip->watch().stop();
        w.ana.scheduler().setIdleMs(20);
        return QTest::qWaitFor([&] { return item(12001) != nullptr; }, 5000);
    }
    GroupBarItem *item(int serial)
    {
        return support::barItem(*w.ana.context().deviceBar, serial);
    }
    void select(int serial) { w.ana.context().selectDevice(item(serial)); }
    fleet::AutoRefresh *refresh() { return w.ana.findChild<fleet::AutoRefresh *>(QStringLiteral("AutoRefresh")); }
    QAction *action() { return w.ana.findChild<QAction *>(QStringLiteral("OtomatikYenile1")); }
    QWidget *widget(const QString &name) { return w.ana.widgets().get<QWidget>(name); }
    QString text(const QString &name)
    {
        QWidget *x = widget(name);
        return x ? x->property("text").toString() : QString();
    }
};

// A number as a display writes it (decimal point or comma, a unit after
// it), and the step of its last digit; nothing when it is no number.
std::optional<std::pair<double, double>> shownNumber(QString text)
{
    text = text.trimmed();
    qsizetype end = 0;
    while (end < text.size() && (text[end].isDigit() || text[end] == u'.' || text[end] == u',' || text[end] == u'-'))
        ++end;
    text = text.left(end).replace(u',', u'.');
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || text.isEmpty())
        return std::nullopt;
    const qsizetype point = text.indexOf(u'.');
    const int decimals = point < 0 ? 0 : int(text.size() - point - 1);
    return std::pair{v, std::pow(10.0, -decimals)};
}

std::vector<history::Point> rows(history::HistoryReader &reader, const QString &serial, const QString &quantity)
{
    return reader.series(serial, quantity, 1, std::numeric_limits<qint64>::max() / 2, history::Step::Raw);
}

} // namespace

class TstRecordingWithSimulator : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void autoRefreshAsksAgain_data();
    void autoRefreshAsksAgain();
    void registerAnswersAreRecordedAsShown_data();
    void registerAnswersAreRecordedAsShown();
    void energyAndMeterAnswersAreRecorded();
    void refreshingClientExports();
    void databaseFaultsAreToldOnce();

private:
    QTemporaryDir m_dir;
};

void TstRecordingWithSimulator::initTestCase()
{
    QVERIFY(m_dir.isValid());
    client_settings::useFile(m_dir.filePath(QStringLiteral("settings.ini")));
}

void TstRecordingWithSimulator::cleanupTestCase()
{
    client_settings::useFile(QString());
}

void TstRecordingWithSimulator::init()
{
    client_settings::store().remove(kPeriodKey);
}

void TstRecordingWithSimulator::autoRefreshAsksAgain_data()
{
    QTest::addColumn<int>("serial");
    QTest::addColumn<bool>("readSteps"); // the user reads the capacitor states too
    QTest::addColumn<QList<QByteArray>>("round");
    const auto req = [](const char *keyword, QList<QByteArray> fields) { return wire::buildRequest(keyword, fields); };
    QTest::newRow("analyser") << 12001 << false << QList<QByteArray>{req("enertum", {"12001"})};
    QTest::newRow("relay, with its capacitor states")
        << 12002 << true << QList<QByteArray>{req("enertum", {"12002"}), req("kondasatordurum", {"12002"})};
    QTest::newRow("meter modem") << 12004 << false << QList<QByteArray>{req("sycreaktfener", {"12004", "", ""})};
}

void TstRecordingWithSimulator::autoRefreshAsksAgain()
{
    QFETCH(int, serial);
    QFETCH(bool, readSteps);
    QFETCH(QList<QByteArray>, round);
    Session s;
    QVERIFY(s.start());
    QVERIFY(s.action() && s.refresh());
    QVERIFY(s.action()->isCheckable() && !s.action()->isChecked());
    QCOMPARE(s.refresh()->periodSeconds(), fleet::AutoRefresh::kDefaultPeriodS);
    // The period is remembered.
    auto *spin = s.w.ana.findChild<QSpinBox *>(QStringLiteral("spnYenilemeAraligi"));
    spin->setValue(1);
    QCOMPARE(s.refresh()->periodSeconds(), 1);
    QCOMPARE(client_settings::store().value(kPeriodKey).toInt(), 1);

    QSignalSpy user(&s.w.ana.events(), &fleet::ClientEvents::registersStored);
    QSignalSpy energy(&s.w.ana.events(), &fleet::ClientEvents::energyRange);
    s.select(serial);
    const bool meter = serial == 12004;
    QVERIFY(QTest::qWaitFor([&] { return meter ? energy.size() == 1 : user.size() == 1; }, 5000));
    if (readSteps) {
        qobject_cast<QAbstractButton *>(s.widget(QStringLiteral("BitBtn2")))->click();
        QVERIFY(QTest::qWaitFor([&] { return user.size() == 2; }, 5000));
    }
    ConnectionState &state = s.w.ana.state();
    RegisterStore &store = s.w.vd1kal.store();
    const QByteArray pending = state.pendingRequest;
    const int start = store.startRegister;
    store.write(1, 250, 4242); // no answer fills it; a reset would
    auto *pages = s.w.ana.findChild<QTabWidget *>(QStringLiteral("suiPageControl1"));
    const int page = pages->currentIndex();
    const QString outgoing = s.text(QStringLiteral("LblGiden"));
    if (meter)
        qobject_cast<LedDisplay *>(s.widget(QStringLiteral("RzLEDak1")))->setText(QString());

    QSignalSpy sent(&s.w.ana.scheduler(), &fleet::RequestScheduler::backgroundSent);
    user.clear();
    energy.clear();
    s.action()->trigger();
    QVERIFY(s.refresh()->isEnabled());
    // Two rounds, each asking what the selection and the user asked.
    QVERIFY(QTest::qWaitFor([&] { return sent.size() >= 2 * round.size(); }, 8000));
    for (qsizetype i = 0; i < 2 * round.size(); ++i)
        QCOMPARE(sent.at(i).at(0).toByteArray(), round.at(i % round.size()));
    QVERIFY(QTest::qWaitFor([&] { return (meter ? energy.size() : user.size()) >= 2 * round.size(); }, 5000));
    for (const auto &answer : meter ? energy : user)
        QCOMPARE(answer.last().toBool(), true); // answered the background
    QCOMPARE(state.pendingRequest, pending);
    QCOMPARE(store.startRegister, start);
    QCOMPARE(store.read(1, 250), 4242.0);
    QCOMPARE(pages->currentIndex(), page);
    QCOMPARE(s.text(QStringLiteral("LblGiden")), outgoing);
    if (meter) // shown as the user's own answer would be
        QVERIFY(!s.text(QStringLiteral("RzLEDak1")).isEmpty());

    s.action()->trigger();
    QVERIFY(!s.refresh()->isEnabled());
    QCOMPARE(s.w.ana.scheduler().queued(fleet::AutoRefresh::tag()), 0);
    QCOMPARE(s.refresh()->refreshNow(), 0);
}

void TstRecordingWithSimulator::registerAnswersAreRecordedAsShown_data()
{
    QTest::addColumn<int>("serial");
    QTest::addColumn<int>("kind");
    QTest::newRow("analyser") << 12001 << 0;
    QTest::newRow("compensation relay") << 12002 << 2;
}

void TstRecordingWithSimulator::registerAnswersAreRecordedAsShown()
{
    QFETCH(int, serial);
    QFETCH(int, kind);
    const QString file = m_dir.filePath(QStringLiteral("shown-%1.sqlite").arg(serial));
    Session s;
    QVERIFY(s.start(file));
    QVERIFY(s.recording);
    QSignalSpy stored(&s.w.ana.events(), &fleet::ClientEvents::registersStored);
    s.select(serial);
    QVERIFY(stored.wait(5000));
    // The next display tick shows the answer.
    QSignalSpy tick(s.w.ana.findChild<QTimer *>(QStringLiteral("Timer1")), &QTimer::timeout);
    QVERIFY(tick.wait(3000));
    s.recording->recorder().sync();

    history::HistoryReader reader;
    QVERIFY(reader.open(s.recording->recorder().location()));
    const QString device = QString::number(serial);
    int compared = 0;
    QStringList seen;
    for (const display::RegisterRule &r : display::registerMap()) {
        if (!display::serves(r.variant, kind) || r.targets.isEmpty())
            continue;
        const QString key = history::quantityForTarget(r.targets.first()).key;
        if (seen.contains(key))
            continue;
        seen << key;
        const std::vector<history::Point> kept = rows(reader, device, key);
        const auto shown = shownNumber(s.text(r.targets.first()));
        if (kept.empty() || !shown)
            continue;
        QCOMPARE(kept.size(), size_t(1)); // one answer, one row
        QVERIFY2(std::fabs(kept.front().avg - shown->first) <= shown->second / 2 + 1e-9,
                 qPrintable(QStringLiteral("%1: kept %2, shown %3")
                                .arg(key)
                                .arg(kept.front().avg)
                                .arg(s.text(r.targets.first()))));
        ++compared;
    }
    QVERIFY2(compared >= 20, qPrintable(QString::number(compared)));
}

void TstRecordingWithSimulator::energyAndMeterAnswersAreRecorded()
{
    const QString file = m_dir.filePath(QStringLiteral("energy.sqlite"));
    Session s;
    QVERIFY(s.start(file));
    QSignalSpy energy(&s.w.ana.events(), &fleet::ClientEvents::energyRange);
    s.select(12004); // the energy of the billing period
    QVERIFY(QTest::qWaitFor([&] { return energy.size() == 1; }, 5000));
    // What the page shows of it; a meter reading empties it.
    const std::pair<const char *, const char *> ranges[] = {
        {"ratio_ind", "RzLEDsycinoran"}, {"ratio_cap", "RzLEDsyckaporan"}, {"counter_A", "RzLEDak2"}};
    QHash<QString, double> shown;
    for (const auto &[key, display] : ranges) {
        const auto v = shownNumber(s.text(QLatin1String(display)));
        QVERIFY2(v, display);
        shown.insert(QLatin1String(key), v->first);
    }
    // The meter's readout, piece by piece.
    qobject_cast<QAbstractButton *>(s.widget(QStringLiteral("VrShadowButton11")))->click();
    QVERIFY(QTest::qWaitFor([&] { return !s.text(QStringLiteral("RzLEDkapdurum")).isEmpty(); }, 8000));
    QVERIFY(QTest::qWaitFor([&] { return s.text(QStringLiteral("RzsycT3")) != QLatin1String("00000000"); }, 8000));
    s.recording->recorder().sync();

    history::HistoryReader reader;
    QVERIFY(reader.open(s.recording->recorder().location()));
    const QString meter = QStringLiteral("12004");
    const std::vector<history::Point> active = rows(reader, meter, QStringLiteral("counter_A"));
    QCOMPARE(active.size(), size_t(2)); // at both dates
    QVERIFY(active[0].t < active[1].t);
    for (const auto &[key, display] : ranges) {
        const std::vector<history::Point> kept = rows(reader, meter, QLatin1String(key));
        QVERIFY(!kept.empty());
        QVERIFY2(std::fabs(kept.back().avg - shown.value(QLatin1String(key))) <= 0.005 + 1e-9, key);
    }
    QCOMPARE(rows(reader, meter, QStringLiteral("band_ind")).size(), size_t(1));
    // Each total and tariff once, as the page shows it.
    const std::pair<const char *, const char *> codes[] = {{"meter_A", "Rzsycakttop"}, {"meter_L", "Rzsycindtop"},
                                                          {"meter_C", "Rzsyckaptop"}, {"meter_T1", "RzsycT1"},
                                                          {"meter_T2", "RzsycT2"},    {"meter_T3", "RzsycT3"}};
    for (const auto &[key, display] : codes) {
        const std::vector<history::Point> kept = rows(reader, meter, QLatin1String(key));
        const auto v = shownNumber(s.text(QLatin1String(display)));
        QVERIFY2(kept.size() == 1 && v, key);
        QCOMPARE(kept[0].avg, v->first);
    }
}

void TstRecordingWithSimulator::refreshingClientExports()
{
    const QString file = m_dir.filePath(QStringLiteral("export.sqlite"));
    const QString from = QDateTime::currentDateTimeUtc().addSecs(-60).toString(Qt::ISODate);
    {
        Session s;
        QVERIFY(s.start(file));
        s.refresh()->setPeriodSeconds(1);
        QSignalSpy stored(&s.w.ana.events(), &fleet::ClientEvents::registersStored);
        s.select(12002);
        s.action()->trigger();
        QVERIFY(QTest::qWaitFor([&] { return stored.size() >= 4; }, 10000));
    } // the client ends: what it holds is written
    QProcess cli;
    cli.start(qEnvironmentVariable("TARNEK_HISTORY"),
              {"--history", file, "export", "--serial", "12002", "--quantity", "V1", "--quantity", "cos_total",
               "--from", from, "--to", QDateTime::currentDateTimeUtc().addSecs(60).toString(Qt::ISODate), "--csv",
               "-"});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    const QList<QByteArray> lines = cli.readAllStandardOutput().trimmed().split('\n');
    // A header, then a line per answer.
    QVERIFY2(lines.size() >= 5, lines.join('\n').constData());
    QVERIFY(lines.first().contains("V1") && lines.first().contains("cos_total"));
    QSet<QByteArray> times;
    for (qsizetype i = 1; i < lines.size(); ++i)
        times.insert(lines[i].split(lines[i].contains(';') ? ';' : ',').first());
    QCOMPARE(times.size(), lines.size() - 1);
}

void TstRecordingWithSimulator::databaseFaultsAreToldOnce()
{
    Session s;
    // A location that names no database: said at once, nothing recorded.
    QVERIFY(!startRecording(s.w.ana, QStringLiteral("postgresql://u@127.0.0.1:1")));
    QVERIFY(s.text(QStringLiteral("LblMesaj")).startsWith(QStringLiteral("Geçmiş kaydedilmiyor: ")));
    // A file that cannot be made (its folder is a file): said once, while
    // the client goes on monitoring.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    s.recording = startRecording(s.w.ana, blocker.fileName() + QStringLiteral("/history.sqlite"));
    QSignalSpy told(&s.recording->recorder(), &history::Recorder::statusMessage);
    QVERIFY(s.start());
    QSignalSpy stored(&s.w.ana.events(), &fleet::ClientEvents::registersStored);
    s.refresh()->setPeriodSeconds(1);
    s.select(12002);
    s.action()->trigger();
    QVERIFY(QTest::qWaitFor([&] { return stored.size() >= 3; }, 10000));
    s.recording->recorder().sync();
    QCOMPARE(told.size(), 1);
    const QString message = told.first().first().toString();
    const CommunicationLogModel *log = s.w.haberlesme.model();
    int notes = 0;
    for (int row = 0; row < log->rowCount(); ++row)
        notes += log->line(row).contains(message);
    QCOMPARE(notes, 1);
}

QTEST_MAIN(TstRecordingWithSimulator)
#include "tst_recording_with_simulator.moc"
