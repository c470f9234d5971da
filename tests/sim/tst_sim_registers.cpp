// The simulator's register reads: every device of the demo site answers each
// read with a genuine Modbus read response (right registers, right count,
// valid CRC), relayed as "enerjial" in a write of its own, and the client's
// decoder stores exactly the device's registers from it.
#include "demo_data.h"
#include "modbus.h"
#include "payload_decoder.h"
#include "register_store.h"
#include "sim_server.h"
#include "site_clock.h"
#include "wire.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTest>

#include <cmath>
#include <cstring>
#include <memory>

using namespace sim;

class TstSimRegisters : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void reads_data();
    void reads();
    void overcurrentRelayAnswer();
    void foreignSerialIsNotAnswered();

private:
    QByteArray request(const QByteArray &keyword, const QByteArray &serial);
    // Waits for one whole "enerjial" answer; its frame bytes, or nothing.
    bool awaitFrame(QByteArray &frame, QByteArray &raw);
    QByteArray awaitBytes(int ms);

    std::unique_ptr<SimServer> m_server;
    std::unique_ptr<QTcpSocket> m_socket;
    QByteArray m_pending;
};

namespace {
const DemoUser &demoUser()
{
    for (const DemoUser &u : demoUsers())
        if (u.name == QLatin1String("demo"))
            return u;
    return demoUsers().first();
}

const DeviceInfo *info(quint32 serial)
{
    for (const DeviceInfo &d : demoDevices())
        if (d.serial == serial)
            return &d;
    return nullptr;
}
} // namespace

void TstSimRegisters::init()
{
    m_server = std::make_unique<SimServer>();
    QVERIFY(m_server->listen(QHostAddress::LocalHost, 0));
    m_socket = std::make_unique<QTcpSocket>();
    m_socket->connectToHost(QHostAddress::LocalHost, m_server->port());
    QVERIFY(m_socket->waitForConnected(3000));
    const DemoUser &u = demoUser();
    m_socket->write(wire::loginRequest(wire::encode(u.name), wire::encode(u.password)));
    // The whole device list first, so that answers arrive on their own.
    QElapsedTimer t;
    t.start();
    while (m_pending.count("cihazlar") < u.serials.size() && t.elapsed() < 5000) {
        QTest::qWait(10);
        m_pending += m_socket->readAll();
    }
    QCOMPARE(m_pending.count("cihazlar"), u.serials.size());
    m_pending.clear();
}

void TstSimRegisters::cleanup()
{
    m_socket.reset();
    m_server.reset();
}

QByteArray TstSimRegisters::request(const QByteArray &keyword, const QByteArray &serial)
{
    return wire::buildRequest(keyword, {serial});
}

QByteArray TstSimRegisters::awaitBytes(int ms)
{
    QTest::qWait(ms);
    return m_socket->readAll();
}

bool TstSimRegisters::awaitFrame(QByteArray &frame, QByteArray &raw)
{
    QElapsedTimer t;
    t.start();
    raw.clear();
    while (t.elapsed() < 3000) {
        QTest::qWait(5);
        raw += m_socket->readAll();
        // The consumption answer follows the meter values before the last reset.
        const qsizetype at = raw.indexOf("enerjial");
        if (at < 0 || raw.size() < at + 11)
            continue;
        // As the client reads it: "$199$239" stands for "$3".
        QByteArray text = raw.mid(at + 11);
        text.replace("$199$239", "$3");
        if (!text.endsWith('$'))
            continue;
        QList<QByteArray> fields = text.split('$');
        fields.removeLast();
        frame.clear();
        for (const QByteArray &f : fields) {
            bool ok = false;
            const int v = f.toInt(&ok);
            if (!ok || v < 0 || v > 255)
                return false;
            frame.append(char(v));
        }
        if (frame.size() >= 3 && frame.size() == 3 + quint8(frame[2]) + 2)
            return true;
    }
    return false;
}

void TstSimRegisters::reads_data()
{
    QTest::addColumn<QByteArray>("keyword");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::newRow("enertum") << QByteArray("enertum") << 0 << 125;
    QTest::newRow("enerharcanan") << QByteArray("enerharcanan") << 90 << 39;
    QTest::newRow("zorvsabitiste") << QByteArray("zorvsabitiste") << 129 << 31;
    QTest::newRow("kondasatordurum") << QByteArray("kondasatordurum") << 157 << 75;
    QTest::newRow("harmonikzorv") << QByteArray("harmonikzorv") << 300 << 102;
}

void TstSimRegisters::reads()
{
    QFETCH(QByteArray, keyword);
    QFETCH(int, first);
    QFETCH(int, count);
    int answered = 0;
    for (quint32 serial : demoUser().serials) {
        const DeviceInfo *d = info(serial);
        QVERIFY(d);
        const QByteArray serialText = QByteArray::number(serial);
        m_socket->write(request(keyword, serialText));
        if (!d->online) {
            QCOMPARE(awaitBytes(200), QByteArray("Hattayok\x01") + serialText + "\x01\xF4\xF4\xF4");
            continue;
        }
        if (keyword == "enertum" && d->model == QLatin1String("LBE620")) {
            QByteArray frame, raw;
            QVERIFY(awaitFrame(frame, raw));
            QCOMPARE(int(quint8(frame[2])), 24);
            continue;
        }
        QByteArray frame, raw;
        QVERIFY2(awaitFrame(frame, raw), qPrintable(QStringLiteral("%1 for %2").arg(QString::fromLatin1(keyword)).arg(serial)));
        ++answered;
        QCOMPARE(int(quint8(frame[0])), 1);
        QCOMPARE(int(quint8(frame[1])), 3);
        QCOMPARE(int(quint8(frame[2])), 2 * count);
        const quint16 crc = modbus::crc16(QByteArrayView(frame).first(frame.size() - 2));
        QCOMPARE(quint8(frame[frame.size() - 2]), quint8(crc & 0xFF));
        QCOMPARE(quint8(frame[frame.size() - 1]), quint8(crc >> 8));
        // The device's own registers, and nothing else in the write.
        const SimDevice *device = m_server->device(serial);
        const std::span<const quint16> regs = device->registers(first, count);
        QCOMPARE(int(regs.size()), count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(quint16(quint8(frame[3 + 2 * i]) << 8 | quint8(frame[4 + 2 * i])), regs[size_t(i)]);
        QVERIFY(awaitBytes(20).isEmpty());
        // The client's decoder stores exactly those registers.
        RegisterStore store;
        store.targetRow = 1;
        store.startRegister = first;
        payload::decode(QByteArrayView(raw).sliced(11), store);
        QCOMPARE(store.startRegister, first + count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(store.read(1, first + i), double(regs[size_t(i)]));
    }
    QVERIFY(answered > 0);
}

void TstSimRegisters::overcurrentRelayAnswer()
{
    quint32 relay = 0;
    for (quint32 serial : demoUser().serials)
        if (info(serial)->model == QLatin1String("LBE620") && info(serial)->online)
            relay = serial;
    QVERIFY(relay);
    // Its requests carry the serial with a leading blank; its clock is the site's.
    useFixedSiteClock(*m_server);
    m_socket->write(request("enertum", " " + QByteArray::number(relay)));
    QByteArray frame, raw;
    QVERIFY(awaitFrame(frame, raw));
    QCOMPARE(int(quint8(frame[2])), 24);
    // As the client's view reads it: data byte k is raw cell 4 (k div 2) + (k mod 2).
    RegisterStore store;
    store.targetRow = 1;
    payload::decode(QByteArrayView(raw).sliced(11), store);
    const auto byte = [&](int k) { return store.readRaw(1, 4 * (k / 2) + k % 2); };
    const QDateTime sent(QDate(2000 + byte(7), byte(6), byte(3)), QTime(byte(2), byte(1), byte(0)));
    QVERIFY2(sent.isValid(), qPrintable(raw));
    QVERIFY2(sent >= fixedSiteTime() && sent <= fixedSiteTime().addSecs(10), qPrintable(sent.toString()));
    for (int i = 0; i < 4; ++i) {
        const double current = payload::binary32(byte(8 + 4 * i), byte(9 + 4 * i), byte(10 + 4 * i), byte(11 + 4 * i));
        QVERIFY2(std::isfinite(current) && current > 0 && current < 5000, qPrintable(QString::number(current)));
    }
}

void TstSimRegisters::foreignSerialIsNotAnswered()
{
    m_socket->write(request("enertum", "99999"));
    m_socket->write(request("harmonikzorv", "abc"));
    QVERIFY(awaitBytes(200).isEmpty());
}

QTEST_GUILESS_MAIN(TstSimRegisters)
#include "tst_sim_registers.moc"
