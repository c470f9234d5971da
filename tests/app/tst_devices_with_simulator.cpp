// From login to a device's registers, against the bundled simulator in this
// process: the device bar lists every device of the user in its group with
// its kind's picture, a click asks for the device's registers and the answer
// lands in row 1 of the register store.
#include "bar_items.h"
#include "log_in.h"
#include "client_windows.h"
#include "demo_data.h"
#include "group_bar.h"
#include "register_store.h"
#include "sim_device.h"
#include "sim_server.h"
#include "payload_decoder.h"
#include "site_clock.h"
#include "wire.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpSocket>
#include <QTest>

#include <cmath>

class TstDevicesWithSimulator : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void barListsTheUsersDevices();
    void clickFetchesRegisters();
    void overcurrentRelayClick();
    void clickWhileDisconnectedLogsInAgain();

private:
    void logIn();
    int itemCount() const;
    GroupBarItem *itemOf(quint32 serial) const;
    void clickItem(quint32 serial);
    const sim::DeviceInfo *firstOnLine(const QString &model) const;

    std::unique_ptr<sim::SimServer> m_sim;
    std::unique_ptr<ClientWindows> m_w;
    QList<QByteArray> m_sent;
};

namespace {
const sim::DemoUser &demoUser()
{
    for (const sim::DemoUser &u : sim::demoUsers())
        if (u.name == QLatin1String("demo"))
            return u;
    return sim::demoUsers().first();
}

const sim::DeviceInfo &info(quint32 serial)
{
    for (const sim::DeviceInfo &d : sim::demoDevices())
        if (d.serial == serial)
            return d;
    qFatal("serial %u is not in the demo site", serial);
}

// The group caption the client shows: letters a to z upper-cased, bytewise.
QString caption(const QString &group)
{
    QByteArray b = wire::encode(group);
    for (char &c : b)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return wire::decode(b);
}
} // namespace

void TstDevicesWithSimulator::init()
{
    programState() = ProgramState{};
    m_sim = std::make_unique<sim::SimServer>();
    useFixedSiteClock(*m_sim);
    QVERIFY(m_sim->listen(QHostAddress::LocalHost, 0));
    m_w = std::make_unique<ClientWindows>();
    m_sent.clear();
    ClientContext &ctx = m_w->ana.context();
    const auto send = ctx.send;
    ctx.send = [this, send](const QByteArray &request) {
        m_sent << request;
        send(request);
    };
    logIn();
}

void TstDevicesWithSimulator::cleanup()
{
    m_w.reset();
    m_sim.reset();
}

void TstDevicesWithSimulator::logIn()
{
    ::logIn(m_w->giris, m_sim->port(), demoUser().name, demoUser().password);
    QVERIFY(m_w->ana.state().connected);
    QVERIFY(QTest::qWaitFor([&] { return itemCount() == demoUser().serials.size(); }, 5000));
}

int TstDevicesWithSimulator::itemCount() const
{
    int n = 0;
    for (const GroupBarGroup *g : m_w->ana.context().deviceBar->groups())
        n += g->itemCount();
    return n;
}

GroupBarItem *TstDevicesWithSimulator::itemOf(quint32 serial) const
{
    return support::barItem(*m_w->ana.context().deviceBar, serial);
}

void TstDevicesWithSimulator::clickItem(quint32 serial)
{
    QVERIFY(support::clickBarItem(*m_w->ana.context().deviceBar, serial));
}

const sim::DeviceInfo *TstDevicesWithSimulator::firstOnLine(const QString &model) const
{
    for (quint32 serial : demoUser().serials)
        if (info(serial).model == model && info(serial).online)
            return &info(serial);
    return nullptr;
}

void TstDevicesWithSimulator::barListsTheUsersDevices()
{
    // Groups in order of first appearance; in each, the last listed on top.
    QList<QPair<QString, QStringList>> expected;
    QHash<QString, int> kinds;
    for (quint32 serial : demoUser().serials) {
        const sim::DeviceInfo &d = info(serial);
        const QString item = d.name + QStringLiteral(" No: ") + QString::number(serial);
        kinds.insert(item, int(sim::kindOfModel(d.model)));
        auto it = std::find_if(expected.begin(), expected.end(), [&](const auto &g) { return g.first == caption(d.group); });
        if (it == expected.end())
            expected.append({caption(d.group), {item}});
        else
            it->second.prepend(item);
    }
    const GroupBar *bar = m_w->ana.context().deviceBar;
    QCOMPARE(bar->groupCount(), int(expected.size()));
    for (int i = 0; i < bar->groupCount(); ++i) {
        const GroupBarGroup *g = bar->group(i);
        QCOMPARE(g->caption(), expected[i].first);
        QStringList captions;
        for (const GroupBarItem *it : g->items()) {
            captions << it->caption();
            QCOMPARE(it->imageIndex(), kinds.value(it->caption(), -2));
        }
        QCOMPARE(captions, expected[i].second);
    }
    // Every serial has its slot, in listing order, after the user name.
    const ConnectionState &state = m_w->ana.state();
    QCOMPARE(state.deviceCount, int(demoUser().serials.size()) + 1);
    QCOMPARE(state.serialAt(0), wire::encode(demoUser().name));
    for (int i = 0; i < demoUser().serials.size(); ++i)
        QCOMPARE(state.serialAt(i + 1), QByteArray::number(demoUser().serials[i]));
}

void TstDevicesWithSimulator::clickFetchesRegisters()
{
    const sim::DeviceInfo *analyser = firstOnLine(QStringLiteral("QRN410"));
    QVERIFY(analyser);
    const QByteArray serial = QByteArray::number(analyser->serial);
    RegisterStore &store = m_w->vd1kal.store();
    clickItem(analyser->serial);
    QCOMPARE(m_sent, QList<QByteArray>{"enertum\x01" + serial + "\x01\xF4\xF4\xF4"});

    auto *header = m_w->ana.findChild<QLabel *>("Label2");
    QVERIFY(QTest::qWaitFor([&] { return header->text() == serial + " Nolu Cihaz Verileri"; }, 5000));
    QCOMPARE(m_w->ana.findChild<QLabel *>("LblMesaj")->text(),
             QString::fromLatin1(serial) + QStringLiteral(" Seri Nolu Cihazın ölçüm değerleri alınıyor. "));
    // Row 1 from register 0 holds the device's registers 0..124.
    const sim::SimDevice *device = m_sim->device(analyser->serial);
    const std::span<const quint16> regs = device->registers(0, 125);
    QCOMPARE(int(regs.size()), 125);
    for (int i = 0; i < 125; ++i)
        QCOMPARE(store.read(1, i), double(regs[size_t(i)]));
    QCOMPARE(store.read(1, 125), -1.0);
    QCOMPARE(store.startRegister, 125);
    QCOMPARE(store.targetRow, 1);
}

void TstDevicesWithSimulator::overcurrentRelayClick()
{
    const sim::DeviceInfo *relay = firstOnLine(QStringLiteral("LBE620"));
    QVERIFY(relay);
    clickItem(relay->serial);
    auto *header = m_w->ana.findChild<QLabel *>("Label2");
    const QString serial = QString::number(relay->serial);
    QVERIFY(QTest::qWaitFor([&] { return header->text() == serial + QStringLiteral(" Nolu Cihaz Verileri"); }, 5000));
    // The relay's 24 bytes: its clock and four currents, where the view reads them.
    RegisterStore &store = m_w->vd1kal.store();
    const auto byte = [&](int k) { return store.readRaw(1, 4 * (k / 2) + k % 2); };
    // The relay's clock is the site's: the day the fixed clock says.
    QCOMPARE(byte(3), fixedSiteTime().date().day());
    QCOMPARE(byte(6), fixedSiteTime().date().month());
    QCOMPARE(byte(7), fixedSiteTime().date().year() % 100);
    QCOMPARE(byte(2), 12);
    const double i1 = payload::binary32(byte(8), byte(9), byte(10), byte(11));
    QVERIFY2(i1 > 0 && i1 < 5000, qPrintable(QString::number(i1)));
    QCOMPARE(store.read(1, 12), -1.0);
}

void TstDevicesWithSimulator::clickWhileDisconnectedLogsInAgain()
{
    const int devices = int(demoUser().serials.size());
    m_w->ana.connection().Clientsoket()->disconnectFromHost();
    QVERIFY(QTest::qWaitFor([&] { return !m_w->ana.state().connected; }, 5000));
    m_sent.clear();
    // The click runs the login again, which empties the bar from inside the
    // click; the devices are listed anew and appended to the serial slots.
    clickItem(demoUser().serials.first());
    QVERIFY(m_w->ana.state().connected);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QTest::qWaitFor([&] { return itemCount() == devices; }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return m_w->ana.state().deviceCount == 2 * devices + 1; }, 5000));
    QVERIFY(m_sent.isEmpty()); // no device request: the click only logged in
    for (int i = 0; i < devices; ++i)
        QCOMPARE(m_w->ana.state().serialAt(devices + 1 + i), QByteArray::number(demoUser().serials[i]));
    // And the new items work.
    const sim::DeviceInfo *analyser = firstOnLine(QStringLiteral("QRN410"));
    QVERIFY(analyser);
    clickItem(analyser->serial);
    QCOMPARE(m_sent.size(), 1);
}

QTEST_MAIN(TstDevicesWithSimulator)
#include "tst_devices_with_simulator.moc"
