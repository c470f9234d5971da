// Simulated devices on the live display: a device's register image, sent
// the way the server sends it and decoded the way the client decodes it,
// shows on every display of pages 0, 1, 4 and 5 what the register map makes
// of it.
#include "log_in.h"
#include "display_fixture.h"
#include "sim_expectations.h"

#include "arrow_indicator.h"
#include "lamp_button.h"
#include "modbus.h"
#include "payload_decoder.h"
#include "pending.h"
#include "wire.h"
#include "demo_data.h"
#include "group_bar.h"
#include "register_store.h"
#include "shadow_button.h"
#include "sim_compensation_relay.h"
#include "sim_physics.h"
#include "sim_server.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

qint64 at(int hour, int minute)
{
    return QDateTime(QDate(2026, 6, 15), QTime(hour, minute)).toMSecsSinceEpoch();
}

std::unique_ptr<sim::SimDevice> device(const char *model, quint32 serial, qint64 t)
{
    sim::DeviceInfo i;
    i.model = QLatin1String(model);
    i.serial = serial;
    i.name = QStringLiteral("n");
    if (i.model == QLatin1String("Rkt90wz"))
        return std::make_unique<sim::CompensationRelayDevice>(i, t);
    return std::make_unique<sim::AnalyserDevice>(i, t);
}

// The server's answer to a read of `count` registers from `first`, into the
// client's store as the register payload handler puts it there.
void deliver(DisplayFixture &f, const sim::SimDevice &d, int first, int count)
{
    const QByteArray text = sim::modbus::payloadText(sim::modbus::readResponse(d.registers(first, count)));
    f.store().targetRow = 1;
    f.store().startRegister = first;
    payload::decode(text, f.store());
}

void compareAll(const DisplayFixture &f, const Registers &regs, bool relay, QChar sep)
{
    for (const Expected &e : expectedTexts(regs, relay, sep))
        QVERIFY2(f.text(e.name) == e.text,
                 qPrintable(QStringLiteral("%1 shows %2, expected %3").arg(e.name, f.text(e.name), e.text)));
    for (const ExpectedState &e : expectedStates(regs, relay)) {
        const bool on = shownOn(f.object(e.name));
        QVERIFY2(on == e.on, qPrintable(e.name));
    }
}

void compareAll(const DisplayFixture &f, const sim::SimDevice &d, QChar sep)
{
    compareAll(f, imageOf(d), d.kind() == sim::DeviceKind::CompensationRelay, sep);
}

} // namespace

class TstLiveDisplaySim : public QObject {
    Q_OBJECT
private slots:
    void imageThroughTheCodec_data();
    void imageThroughTheCodec();
    void followsTheDeviceOverTime();
    void throughTheServer_data();
    void throughTheServer();
};

void TstLiveDisplaySim::imageThroughTheCodec_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("hour");
    for (const char *model : {"QRN410", "Rkt90wz"})
        for (QChar sep : {QChar(u'.'), QChar(u',')})
            for (int hour : {4, 11})
                QTest::addRow("%s '%c' %02d:00", model, char(sep.unicode()), hour)
                    << QString::fromLatin1(model) << (QLatin1String(model) == QLatin1String("Rkt90wz") ? 2 : 0)
                    << sep << hour;
}

void TstLiveDisplaySim::imageThroughTheCodec()
{
    QFETCH(QString, model);
    QFETCH(int, kind);
    QFETCH(QChar, separator);
    QFETCH(int, hour);
    DisplayFixture f;
    programState().deviceKind = kind;
    programState().decimalSeparator = separator;
    const auto d = device(model.toLatin1().constData(), 12002, at(hour, 0));
    d->advance(at(hour, 7));
    // The instantaneous values, the energy counters, the steps and the
    // harmonic table, as four answers.
    deliver(f, *d, 0, 125);
    deliver(f, *d, 90, 125);
    deliver(f, *d, 157, 75);
    deliver(f, *d, 300, 102);
    f.tick();
    compareAll(f, *d, separator);
}

void TstLiveDisplaySim::followsTheDeviceOverTime()
{
    // The relay switches steps as the morning load rises; every answer shows.
    DisplayFixture f;
    programState().deviceKind = 2;
    const auto d = device("Rkt90wz", 12005, at(5, 0));
    for (int minute = 1; minute <= 180; minute += 11) {
        d->advance(at(5, 0) + qint64(minute) * 60000);
        deliver(f, *d, 0, 125);
        deliver(f, *d, 90, 125);
        deliver(f, *d, 157, 75);
        deliver(f, *d, 300, 102);
        f.tick();
        compareAll(f, *d, u'.');
    }
}

void TstLiveDisplaySim::throughTheServer_data()
{
    QTest::addColumn<quint32>("serial");
    QTest::addColumn<QChar>("separator");
    for (quint32 serial : {12001u, 12002u})
        for (QChar sep : {QChar(u'.'), QChar(u',')})
            QTest::addRow("%u '%c'", serial, char(sep.unicode())) << serial << sep;
}

void TstLiveDisplaySim::throughTheServer()
{
    // The user logs in to the simulator, clicks the device and asks for its
    // consumption values; every answer shows on the next tick.
    QFETCH(quint32, serial);
    QFETCH(QChar, separator);
    sim::SimServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    DisplayFixture f;
    logIn(f.w->giris, server.port());
    GroupBarItem *item = nullptr;
    QVERIFY(QTest::qWaitFor([&] {
        for (GroupBarGroup *group : f.w->ana.context().deviceBar->groups())
            for (GroupBarItem *it : group->items())
                if (it->caption().endsWith(QStringLiteral(" No: %1").arg(serial)))
                    item = it;
        return item != nullptr;
    }, 5000));
    programState().decimalSeparator = separator;

    RegisterStore &store = f.store();
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(30, item->height() / 2));
    QVERIFY(QTest::qWaitFor([&] { return store.startRegister == 125; }, 5000));
    const sim::SimDevice *device = server.device(serial);
    const bool relay = device->kind() == sim::DeviceKind::CompensationRelay;
    QCOMPARE(programState().deviceKind, relay ? 2 : 0);
    // What has arrived: registers 0 to 124 as the device held them.
    Registers shown;
    shown.fill(-1);
    for (int n = 0; n < 125; ++n)
        shown[size_t(n)] = device->reg(n);
    f.tick();
    compareAll(f, shown, relay, separator);
    QCOMPARE(f.text("Label17"), QString::number(serial));

    // "Enerji Değerlerini İste": the counters from register 90, as they stand
    // a moment later.
    QTest::mouseClick(f.get<ShadowButton>("VrShadowButton8"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return store.startRegister == 129; }, 5000));
    for (int n = 90; n < 129; ++n)
        shown[size_t(n)] = device->reg(n);
    f.tick();
    compareAll(f, shown, relay, separator);

    // The capacitor states and the harmonic table, asked as the buttons of
    // pages 4 and 5 ask for them.
    ClientContext &ctx = f.w->ana.context();
    const struct {
        const QByteArray &pending;
        const char *keyword;
        int first, count;
    } reads[] = {{pending::kondasatordurum, "kondasatordurum", 157, 75}, {pending::harmonikzorv, "harmonikzorv", 300, 102}};
    for (const auto &read : reads) {
        ctx.conn->pendingRequest = read.pending;
        store.startRegister = read.first;
        ctx.sendRequest(wire::buildRequest(read.keyword, {QByteArray::number(serial)}));
        QVERIFY(QTest::qWaitFor([&] { return store.startRegister == read.first + read.count; }, 5000));
        for (int n = read.first; n < read.first + read.count; ++n)
            shown[size_t(n)] = device->reg(n);
        f.tick();
        compareAll(f, shown, relay, separator);
    }
}

QTEST_MAIN(TstLiveDisplaySim)
#include "tst_live_display_sim.moc"
