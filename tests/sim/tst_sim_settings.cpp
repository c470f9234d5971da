// The simulated compensation relay taking setting writes and step commands:
// the answer it sends, the registers it keeps, and that the client accepts
// its echoes. The writes the client pairs no answer with are carried out,
// their replies kept off the line.
#include "client_state.h"
#include "dispatcher.h"
#include "handlers.h"
#include "modbus.h"
#include "pending.h"
#include "sim_device.h"
#include "sim_log.h"
#include "sim_server.h"
#include "wire.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace sim;

namespace {

constexpr quint32 kRelay = 12002;
constexpr quint32 kAnalyser = 12001;
constexpr quint32 kMeter = 12004;

QByteArray request(const QByteArray &keyword, quint32 serial, const QList<QByteArray> &fields)
{
    QList<QByteArray> all{QByteArray::number(serial)};
    all += fields;
    return wire::buildRequest(keyword, all);
}

QByteArray relayed(const QByteArray &frame)
{
    return modbus::enerjialMessage(modbus::payloadText(frame));
}

using Registers = QList<QPair<int, int>>;

} // namespace

class TstSimSettings : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void write_data();
    void write();
    void refusedWriteKeepsTheOldValue();
    void stepSwitchToggles();
    void offlineAndForeignDevices();

private:
    QByteArray exchange(const QByteArray &bytes);
    SimDevice &device(quint32 serial) { return *m_server->device(serial); }
    // Whether the server logged this device reply as not relayed.
    bool keptOffTheLine(const QByteArray &frame) const;

    std::unique_ptr<SimServer> m_server;
    QStringList m_log;
    std::unique_ptr<QTcpSocket> m_socket;
};

void TstSimSettings::init()
{
    m_server = std::make_unique<SimServer>();
    m_log.clear();
    m_server->setLogger([this](const QString &line) { m_log << line; });
    QVERIFY(m_server->listen(QHostAddress::LocalHost, 0));
    m_socket = std::make_unique<QTcpSocket>();
    m_socket->connectToHost(QHostAddress::LocalHost, m_server->port());
    QVERIFY(m_socket->waitForConnected(3000));
    const QByteArray list = exchange("kulsifre\x01" "demo\x01" "1234\x02\xF4\xF4\xF4");
    QVERIFY(list.startsWith("cihazlar"));
}

void TstSimSettings::cleanup()
{
    m_socket.reset();
    m_server.reset();
}

// Everything the server answers to one request: the first bytes, then until
// the line stays quiet for a moment.
QByteArray TstSimSettings::exchange(const QByteArray &bytes)
{
    m_socket->readAll();
    m_socket->write(bytes);
    m_socket->flush();
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    qint64 lastArrival = 0;
    while (timer.elapsed() < 3000) {
        QTest::qWait(5);
        const QByteArray part = m_socket->readAll();
        if (!part.isEmpty()) {
            got += part;
            lastArrival = timer.elapsed();
        } else if (!got.isEmpty() && timer.elapsed() - lastArrival > 80) {
            break;
        } else if (got.isEmpty() && timer.elapsed() > 400) {
            break;
        }
    }
    return got;
}

bool TstSimSettings::keptOffTheLine(const QByteArray &frame) const
{
    const QString reply = log::bytes(modbus::payloadText(frame));
    for (const QString &line : m_log)
        if (line.contains(reply) && line.contains(QLatin1String("not relayed")))
            return true;
    return false;
}

// Each row: the request, the device's reply, the registers the device then
// holds, and pendingRequest of the client whose acknowledgement must accept
// the echo. Empty: the request leaves the client's pending answer as it was,
// so the reply is not relayed - the client would take it for whatever it
// still waits for (register values, say).
void TstSimSettings::write_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<Registers>("registers");
    QTest::addColumn<QByteArray>("pendingRequest");

    QTest::newRow("CT 300") << request("zorvctyaz", kRelay, {"1", "44"}) << modbus::writeSingleEcho(0x1000, 300)
                            << Registers{{0, 300}} << pending::akimtrafosu;
    QTest::newRow("CT 2000") << request("zorvctyaz", kRelay, {"7", "208"})
                             << modbus::writeSingleEcho(0x1000, 2000) << Registers{{0, 2000}} << pending::akimtrafosu;
    QTest::newRow("CT 0") << request("zorvctyaz", kRelay, {"0", "0"}) << modbus::writeSingleEcho(0x1000, 0)
                          << Registers{{0, 0}} << pending::akimtrafosu;
    QTest::newRow("analyser CT") << request("zorvctyaz", kAnalyser, {"0", "50"})
                                 << modbus::writeSingleEcho(0x1000, 50) << Registers{{0, 50}} << pending::akimtrafosu;
    QTest::newRow("tan phi -10") << request("zorvtanfiyaz", kRelay, {"255", "246"})
                                 << modbus::writeSingleEcho(0x4000, 65526) << Registers{{129, 65526}} << pending::tanfi;
    QTest::newRow("tan phi 75") << request("zorvtanfiyaz", kRelay, {"0", "75"})
                                << modbus::writeSingleEcho(0x4000, 75) << Registers{{129, 75}} << pending::tanfi;
    QTest::newRow("tan phi -75") << request("zorvtanfiyaz", kRelay, {"255", "181"})
                                 << modbus::writeSingleEcho(0x4000, 65461) << Registers{{129, 65461}} << pending::tanfi;
    QTest::newRow("inductive limit") << request("zorvindcezasiniryaz", kRelay, {"0", "20"})
                                     << modbus::writeSingleEcho(0x4003, 20) << Registers{{132, 20}}
                                     << pending::induktifceza;
    QTest::newRow("capacitive limit") << request("zorvkapcezasiniryaz", kRelay, {"0", "50"})
                                      << modbus::writeSingleEcho(0x4004, 50) << Registers{{133, 50}}
                                      << pending::kapasitifceza;
    QTest::newRow("switching times") << request("zorvalmacikarmayaz", kRelay, {"0", "30", "0", "60", "0", "3"})
                                     << modbus::writeMultipleEcho(0x4005, 3)
                                     << Registers{{134, 30}, {135, 60}, {136, 3}} << pending::almacikarma;
    QTest::newRow("learning off, direction on")
        << request("zorvkonogryonyaz", kRelay, {"0", "1", "0", "0", "0", "0"}) << modbus::writeMultipleEcho(0x4008, 3)
        << Registers{{137, 1}, {138, 0}} << QByteArray();
    QTest::newRow("manual") << request("zorvotomanuelyaz", kRelay, {"1"}) << modbus::writeSingleEcho(0x3000, 1)
                            << Registers{{157, 1}} << pending::otomanuel;
    QTest::newRow("automatic") << request("zorvotomanuelyaz", kRelay, {"0"}) << modbus::writeSingleEcho(0x3000, 0)
                               << Registers{{157, 0}} << pending::otomanuel;
    QTest::newRow("fast mode on") << request("zorvhizlimod", kRelay, {"1"}) << modbus::writeSingleEcho(0x4019, 1)
                                  << Registers{{154, 1}} << pending::hizlimod;
    QTest::newRow("step 3 with 300, 0, 5000")
        << request("Kondandegeryaz", kRelay, {"1", "44", "0", "0", "19", "136", "0", "3"})
        << modbus::writeMultipleEcho(0x5009, 3) << Registers{{169, 300}, {170, 0}, {171, 5000}} << QByteArray();
    QTest::newRow("step 18") << request("Kondandegeryaz", kRelay, {"0", "1", "0", "2", "0", "3", "0", "18"})
                             << modbus::writeMultipleEcho(0x5045, 3) << Registers{{229, 1}, {230, 2}, {231, 3}}
                             << QByteArray();

    // Refused: the exception reply of the write's function, code 3 (value),
    // 2 (no such step) or 1 (not a setting of that device).
    const QByteArray refusedOne = modbus::exceptionReply(6, 3);
    const QByteArray refusedMany = modbus::exceptionReply(16, 3);
    QTest::newRow("CT 2001") << request("zorvctyaz", kRelay, {"7", "209"}) << refusedOne << Registers{}
                             << pending::akimtrafosu;
    QTest::newRow("CT typed -5") << request("zorvctyaz", kRelay, {"0", "-5"}) << refusedOne << Registers{}
                                 << pending::akimtrafosu;
    QTest::newRow("CT without its low field") << request("zorvctyaz", kRelay, {"1"}) << refusedOne << Registers{}
                                              << pending::akimtrafosu;
    QTest::newRow("CT as letters") << request("zorvctyaz", kRelay, {"a", "b"}) << refusedOne << Registers{}
                                   << pending::akimtrafosu;
    QTest::newRow("tan phi 76") << request("zorvtanfiyaz", kRelay, {"0", "76"}) << refusedOne << Registers{}
                                << pending::tanfi;
    QTest::newRow("tan phi -76") << request("zorvtanfiyaz", kRelay, {"255", "180"}) << refusedOne << Registers{}
                                 << pending::tanfi;
    QTest::newRow("inductive limit 4") << request("zorvindcezasiniryaz", kRelay, {"0", "4"}) << refusedOne
                                       << Registers{} << pending::induktifceza;
    QTest::newRow("capacitive limit 51") << request("zorvkapcezasiniryaz", kRelay, {"0", "51"}) << refusedOne
                                         << Registers{} << pending::kapasitifceza;
    QTest::newRow("minimum switching time 11")
        << request("zorvalmacikarmayaz", kRelay, {"0", "10", "0", "10", "0", "11"}) << refusedMany << Registers{}
        << pending::almacikarma;
    QTest::newRow("maximum switch-in time 9")
        << request("zorvalmacikarmayaz", kRelay, {"0", "9", "0", "10", "0", "2"}) << refusedMany << Registers{}
        << pending::almacikarma;
    QTest::newRow("learning flag 2") << request("zorvkonogryonyaz", kRelay, {"0", "2", "0", "0", "0", "0"})
                                     << refusedMany << Registers{} << QByteArray();
    QTest::newRow("mode 2") << request("zorvotomanuelyaz", kRelay, {"2"}) << refusedOne << Registers{}
                            << pending::otomanuel;
    QTest::newRow("fast mode without a flag") << request("zorvhizlimod", kRelay, {""}) << refusedOne << Registers{}
                                              << pending::hizlimod;
    QTest::newRow("step power 5001")
        << request("Kondandegeryaz", kRelay, {"0", "1", "19", "137", "0", "1", "0", "4"}) << refusedMany
        << Registers{} << QByteArray();
    QTest::newRow("step 19") << request("Kondandegeryaz", kRelay, {"0", "1", "0", "1", "0", "1", "0", "19"})
                             << modbus::exceptionReply(16, 2) << Registers{} << QByteArray();
    QTest::newRow("analyser tan phi") << request("zorvtanfiyaz", kAnalyser, {"0", "5"})
                                      << modbus::exceptionReply(6, 1) << Registers{} << pending::tanfi;
    QTest::newRow("meter modem CT") << request("zorvctyaz", kMeter, {"0", "5"}) << modbus::exceptionReply(6, 1)
                                    << Registers{} << pending::akimtrafosu;
}

void TstSimSettings::write()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, frame);
    QFETCH(Registers, registers);
    QFETCH(QByteArray, pendingRequest);

    const quint32 serial = request.split('\x01').value(1).toUInt(); // field 0
    SimDevice &dev = device(serial);
    // Values other than the ones written, so that a write shows.
    for (int n : {0, 129, 132, 133, 134, 135, 136, 137, 138, 154, 157, 169, 170, 171, 229, 230, 231})
        dev.setReg(n, 9);
    std::array<quint16, SimDevice::kRegisters> before{};
    for (int n = 0; n < SimDevice::kRegisters; ++n)
        before[size_t(n)] = dev.reg(n);

    const QByteArray answer = exchange(request);
    if (pendingRequest.isEmpty()) {
        QCOMPARE(answer, QByteArray());
        QVERIFY(keptOffTheLine(frame));
    } else {
        QCOMPARE(answer, relayed(frame));
    }
    for (const auto &[reg, value] : registers)
        QCOMPARE(int(dev.reg(reg)), value);
    if (registers.isEmpty()) {
        for (int n : {0, 129, 132, 133, 134, 135, 136, 137, 138, 154, 157, 44, 45, 172, 173, 174, 175})
            QCOMPARE(dev.reg(n), before[size_t(n)]);
    }

    // The client reads the relayed answer as its acknowledgement.
    if (pendingRequest.isEmpty())
        return;
    ConnectionState conn;
    conn.pendingRequest = pendingRequest;
    ProgramState prog;
    prog.activeSerial = int(serial);
    QLabel line;
    ClientContext ctx;
    ctx.conn = &conn;
    ctx.prog = &prog;
    ctx.messageLine = &line;
    Dispatcher dispatcher;
    handlers::install(dispatcher, ctx);
    QByteArray last;
    dispatcher.walk(answer, last);
    const bool accepted = !registers.isEmpty();
    QCOMPARE(line.text().startsWith(QString::number(serial) + QStringLiteral(" Seri Nolu Cihaza ")), accepted);
}

void TstSimSettings::refusedWriteKeepsTheOldValue()
{
    // The first of three switching times is good, the last is not: none is kept.
    SimDevice &dev = device(kRelay);
    dev.setReg(134, 20);
    dev.setReg(135, 20);
    dev.setReg(136, 5);
    exchange(request("zorvalmacikarmayaz", kRelay, {"0", "40", "0", "40", "0", "1"}));
    QCOMPARE(dev.reg(134), quint16(20));
    QCOMPARE(dev.reg(135), quint16(20));
    QCOMPARE(dev.reg(136), quint16(5));
}

void TstSimSettings::stepSwitchToggles()
{
    SimDevice &dev = device(kRelay);
    struct Case {
        int step, lampRegister;
        quint16 bit;
    };
    for (const Case &c : {Case{1, 45, 0x0001}, Case{16, 45, 0x8000}, Case{17, 44, 0x0001}, Case{18, 44, 0x0002}}) {
        const int flags = 160 + 4 * (c.step - 1);
        dev.setReg(44, 0);
        dev.setReg(45, 0);
        dev.setReg(flags, 0);
        const QByteArray on = exchange(request("zorvdevreyealcikart", kRelay, {QByteArray::number(c.step)}));
        QCOMPARE(on, QByteArray());
        QVERIFY(keptOffTheLine(modbus::writeSingleEcho(quint16(0x5000 + flags - 160), 7)));
        QCOMPARE(dev.reg(c.lampRegister), c.bit);
        QCOMPARE(dev.reg(flags), quint16(7));
        // Only its own bit: the other lamps stay as they were.
        dev.setReg(c.lampRegister, quint16(dev.reg(c.lampRegister) | 0x0100));
        exchange(request("zorvdevreyealcikart", kRelay, {QByteArray::number(c.step)}));
        QCOMPARE(dev.reg(c.lampRegister), quint16(0x0100));
        QCOMPARE(dev.reg(flags), quint16(0));
    }
    for (const QByteArray step : {QByteArray("0"), QByteArray("x")}) {
        m_log.clear();
        QCOMPARE(exchange(request("zorvdevreyealcikart", kRelay, {step})), QByteArray());
        QVERIFY(keptOffTheLine(modbus::exceptionReply(6, 2)));
    }
}

void TstSimSettings::offlineAndForeignDevices()
{
    SimDevice &dev = device(12005);
    dev.setReg(0, 40);
    dev.setOnline(false);
    QCOMPARE(exchange(request("zorvctyaz", 12005, {"1", "44"})), QByteArray("Hattayok\x01" "12005\x01\xF4\xF4\xF4"));
    QCOMPARE(dev.reg(0), quint16(40));
    // A serial that is none of the user's devices gets no answer.
    QCOMPARE(exchange(request("zorvctyaz", 99999, {"1", "44"})), QByteArray());
}

QTEST_MAIN(TstSimSettings)
#include "tst_sim_settings.moc"
