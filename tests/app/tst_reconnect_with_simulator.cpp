// A connection the simulator drops, with the client's automatic reconnection
// on short waits: it logs in again by itself and the device bar keeps one
// item per device and its selection; a refused login, "İptal" or switching
// it off ends the attempts; the title stops saying "Bağlı" while down.
#include "bar_items.h"
#include "log_in.h"
#include "client_windows.h"
#include "demo_data.h"
#include "group_bar.h"
#include "handlers.h"
#include "login_memory.h"
#include "secret_store.h"
#include "request_scheduler.h"
#include "sim_server.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TstReconnectWithSimulator : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dropOfTheConnection_data();
    void dropOfTheConnection();
    void attemptsEnd_data();
    void attemptsEnd();

private:
    QStringList captions() const;
    GroupBarItem *itemOf(quint32 serial) const;
    void clickItem(quint32 serial);
    QString title() const { return m_w->ana.windowTitle(); }
    QString outgoing() const { return m_w->ana.findChild<QLabel *>("LblGiden")->text(); }

    std::unique_ptr<sim::SimServer> m_sim;
    std::unique_ptr<ClientWindows> m_w;
    int m_devices = 0;
};

namespace {
const sim::DemoUser &demoUser()
{
    for (const sim::DemoUser &u : sim::demoUsers())
        if (u.name == QLatin1String("demo"))
            return u;
    return sim::demoUsers().first();
}

quint32 firstOfModel(const QString &model)
{
    for (quint32 serial : demoUser().serials)
        for (const sim::DeviceInfo &d : sim::demoDevices())
            if (d.serial == serial && d.model == model && d.online)
                return serial;
    return 0;
}
} // namespace

void TstReconnectWithSimulator::init()
{
    programState() = ProgramState{};
    m_sim = std::make_unique<sim::SimServer>();
    QVERIFY(m_sim->listen(QHostAddress::LocalHost, 0));
    m_w = std::make_unique<ClientWindows>();
    m_w->reconnect.setWaits(40, 160);
    m_devices = int(demoUser().serials.size());
    logIn(m_w->giris, m_sim->port(), demoUser().name, demoUser().password);
    QVERIFY(QTest::qWaitFor([&] { return captions().size() == m_devices; }, 5000));
    QVERIFY(title().contains(QStringLiteral("Bağlı")));
}

void TstReconnectWithSimulator::cleanup()
{
    m_w.reset();
    m_sim.reset();
}

QStringList TstReconnectWithSimulator::captions() const
{
    QStringList all;
    for (const GroupBarGroup *g : m_w->ana.context().deviceBar->groups())
        for (const GroupBarItem *it : g->items())
            all << g->caption() + u'/' + it->caption();
    return all;
}

GroupBarItem *TstReconnectWithSimulator::itemOf(quint32 serial) const
{
    return support::barItem(*m_w->ana.context().deviceBar, serial);
}

void TstReconnectWithSimulator::clickItem(quint32 serial)
{
    QVERIFY(support::clickBarItem(*m_w->ana.context().deviceBar, serial));
}

void TstReconnectWithSimulator::dropOfTheConnection_data()
{
    QTest::addColumn<bool>("automatic");
    QTest::newRow("automatic reconnection") << true;
    QTest::newRow("switched off: a device click logs in again") << false;
}

void TstReconnectWithSimulator::dropOfTheConnection()
{
    QFETCH(bool, automatic);
    if (!automatic)
        m_w->ana.findChild<QAction *>("OtomatikYenidenBaglan1")->trigger();
    QCOMPARE(m_w->reconnect.isEnabled(), automatic);
    const quint32 analyser = firstOfModel(QStringLiteral("QRN410"));
    QVERIFY(analyser);
    const QStringList before = captions();
    const QPointer<GroupBarItem> item = itemOf(analyser);
    // What the login window holds meanwhile is neither sent nor remembered:
    // the login again is this run's.
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("ayarlar.ini")), QSettings::IniFormat);
    std::unique_ptr<LoginMemory> memory;
    if (automatic) {
        memory = std::make_unique<LoginMemory>(m_w->giris, m_w->ana.connection(), settings, nullptr);
        m_w->giris.userField()->setText(QStringLiteral("başkası"));
        m_w->giris.passwordField()->setText(QStringLiteral("yanlış"));
    }

    // The simulator closes the connection once the click's answer is out;
    // the next session is left alone.
    sim::FaultPlan drop;
    drop.dropAfter = 1;
    m_sim->setFaults(drop);
    connect(m_sim.get(), &sim::SimServer::sessionFinished, m_sim.get(), [this] { m_sim->setFaults({}); });
    QSignalSpy lost(m_w->ana.connection().Clientsoket(), &QAbstractSocket::disconnected);
    QSignalSpy titles(&m_w->ana, &QWidget::windowTitleChanged);
    clickItem(analyser);
    QVERIFY(lost.wait(5000));
    // The title says so while the connection is down (however short that is).
    const QString down = QStringLiteral("<<<<<<<demo Bağlantı kesildi.>>>>>>>>>");
    QVERIFY(QTest::qWaitFor([&] { return !titles.isEmpty() && titles.first().first().toString() == down; }, 2000));

    if (automatic) {
        QVERIFY(QTest::qWaitFor([&] { return m_w->reconnect.reconnections() == 1; }, 5000));
        QCOMPARE(m_w->giris.isVisible(), false); // shown while it tried, gone once connected
        QVERIFY(!settings.contains(QStringLiteral("login/user")));
    } else {
        QTest::qWait(300); // longer than any wait of the attempts
        QVERIFY(!m_w->ana.state().connected);
        QCOMPARE(m_w->ana.findChild<QLabel *>("LblMesaj")->text(),
                 QStringLiteral("demo kullanıcısının ana bilgisayarla bağlantısı kesildi"));
        clickItem(analyser); // the connect sequence, the bar emptied first
        QVERIFY(m_w->ana.state().connected);
    }
    QVERIFY(title().contains(QStringLiteral("Bağlı")));
    // Every device listed again, each once, in its place.
    QVERIFY(QTest::qWaitFor([&] { return m_w->ana.state().deviceCount == 2 * m_devices + 1; }, 5000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(captions(), before);
    QCOMPARE(handlers::awaitingRelisting(*m_w->ana.context().deviceBar), 0);
    // The automatic login keeps the very items (their selection and place
    // in the keyboard's order); the user's login from scratch makes new ones.
    QCOMPARE(item.data(), automatic ? itemOf(analyser) : nullptr);
    QVERIFY(m_w->ana.scheduler().isConnected());
}

void TstReconnectWithSimulator::attemptsEnd_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("why");
    QTest::newRow("the server refuses the login") << "refused" << int(ReconnectPolicy::Ended::Refused);
    QTest::newRow("İptal") << "cancel" << int(ReconnectPolicy::Ended::Cancelled);
    QTest::newRow("switched off") << "off" << int(ReconnectPolicy::Ended::Disabled);
}

void TstReconnectWithSimulator::attemptsEnd()
{
    QFETCH(QString, how);
    QFETCH(int, why);
    QSignalSpy attempts(&m_w->reconnect, &AutoReconnect::attemptStarted);
    QSignalSpy stopped(&m_w->reconnect, &AutoReconnect::stopped);
    const quint16 port = m_sim->port();
    m_sim.reset(); // the server goes: the connection drops, attempts are refused
    QVERIFY(QTest::qWaitFor([&] { return attempts.size() >= 2; }, 5000));
    QVERIFY(!title().contains(QStringLiteral("Bağlı")));
    QVERIFY(m_w->giris.isVisible());
    QVERIFY(outgoing().startsWith(QStringLiteral("Yeniden bağlanılıyor: ")));

    if (how == u"refused") {
        // Back, but with another password for the user.
        sim::Site site = sim::demoSite();
        for (sim::SiteUser &u : site.users)
            u.password = QStringLiteral("başka");
        m_sim = std::make_unique<sim::SimServer>(site);
        QVERIFY(m_sim->listen(QHostAddress::LocalHost, port));
    } else if (how == u"cancel") {
        QTest::mouseClick(m_w->giris.findChild<QPushButton *>("suiButton2"), Qt::LeftButton);
    } else {
        m_w->ana.findChild<QAction *>("OtomatikYenidenBaglan1")->trigger();
    }
    QVERIFY(QTest::qWaitFor([&] { return !stopped.isEmpty(); }, 5000));
    QCOMPARE(stopped.size(), 1);
    QCOMPARE(stopped.first().first().value<ReconnectPolicy::Ended>(), ReconnectPolicy::Ended(why));
    const qsizetype made = attempts.size();
    QTest::qWait(400); // more than two of the longest waits
    QCOMPARE(attempts.size(), made);
    QVERIFY(!m_w->reconnect.retrying());
    QVERIFY(!m_w->ana.state().connected);
    QVERIFY(!title().contains(QStringLiteral("Bağlı")));
    QCOMPARE(outgoing(), how == u"refused" ? QStringLiteral("Sunucu girişi kabul etmedi; yeniden bağlanılmayacak.")
                                           : QStringLiteral("Yeniden bağlanma durduruldu."));
    QVERIFY(m_w->giris.findChild<QPushButton *>("suiButton1")->isEnabled() || how == u"off");
    QCOMPARE(m_w->reconnect.reconnections(), 0);
}

QTEST_MAIN(TstReconnectWithSimulator)
#include "tst_reconnect_with_simulator.moc"
