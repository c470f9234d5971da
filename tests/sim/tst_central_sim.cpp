#include "demo_data.h"
#include "sim_device.h"
#include "sim_request.h"
#include "sim_server.h"
#include "wire.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace sim;

namespace {

const QByteArray kEnd = QByteArrayLiteral("\xF4\xF4\xF4");
const QByteArray kPong = QByteArrayLiteral("pong\x01\xF4\xF4\xF4");

QByteArray cihazlar(const QByteArray &group, const QByteArray &model, const QByteArray &name,
                    const QByteArray &serial)
{
    return "cihazlar\x01" + group + '\x01' + model + '\x01' + name + '\x01' + serial + '\x01' + kEnd;
}

QByteArray login(const QByteArray &user, const QByteArray &password)
{
    return "kulsifre\x01" + user + '\x01' + password + '\x02' + kEnd;
}

// What the server sends each user after a good login, written out byte for byte.
QByteArray demoDeviceList()
{
    return cihazlar("Merkez Fabrika", "QRN410", "Ana Pano Analiz\xF6r\xFC", "12001")
        + cihazlar("Merkez Fabrika", "Rkt90wz", "Kompanzasyon R\xF6lesi", "12002")
        + cihazlar("Merkez Fabrika", "LBE620", "Trafo A\xFE\xFDr\xFD Ak\xFDm R\xF6lesi", "12003")
        + cihazlar("Merkez Fabrika", "PMT830", "Ana Saya\xE7 Modemi", "12007")
        + cihazlar("depo", "PMT830", "Saya\xE7 Okuma Modemi", "12004")
        + cihazlar("depo", "Rkt90wz", "So\xF0uk Hava Deposu", "12005")
        + cihazlar("depo", "XYZ100", "Pompa Modemi", "12006")
        + cihazlar("\xDEube Ofis", "QRN410", "Ofis Analiz\xF6r\xFC", "12008")
        + cihazlar("\xDEube Ofis", "PMT830", "Ofis Sayac\xFD", "12009")
        + cihazlar("\xDEube Ofis", "Rkt90wz", "At\xF6lye Kompanzasyon", "12010");
}

QByteArray isletmeDeviceList()
{
    return cihazlar("depo", "PMT830", "Saya\xE7 Okuma Modemi", "12004")
        + cihazlar("depo", "Rkt90wz", "So\xF0uk Hava Deposu", "12005")
        + cihazlar("\xDEube Ofis", "PMT830", "Ofis Sayac\xFD", "12009");
}

// The energy summaries that follow a device list carry the time of day; the
// exchange is compared without them (their own tests check them).
QByteArray withoutEnergySummaries(QByteArray bytes)
{
    static const QByteArray head("cihazenerji\x01");
    for (qsizetype at; (at = bytes.indexOf(head)) >= 0;) {
        const qsizetype end = bytes.indexOf(kEnd, at);
        bytes.remove(at, (end < 0 ? bytes.size() : end + kEnd.size()) - at);
    }
    return bytes;
}

QList<QByteArray> eachByte(const QByteArray &bytes)
{
    QList<QByteArray> out;
    for (char c : bytes)
        out.append(QByteArray(1, c));
    return out;
}

} // namespace

class TstCentralSim : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void framer_data();
    void framer();
    void framerDropsOverlongInput();
    void parse_data();
    void parse();
    void demoData();
    void modelKinds_data();
    void modelKinds();

    void exchange_data();
    void exchange();
    void rejectedLogin_data();
    void rejectedLogin();
    void overlongGarbageThenPing();
    void randomGarbageThenPing();
    void severalClients();

private:
    std::unique_ptr<QTcpSocket> connectClient();
    // Writes each chunk separately, giving the server time to read it alone.
    void writeChunks(QTcpSocket &socket, const QList<QByteArray> &chunks);
    // Everything the server sends until `expected` bytes arrived, then a short
    // while longer so that extra bytes show up too.
    QByteArray readAnswer(QTcpSocket &socket, qsizetype expected);

    std::unique_ptr<SimServer> m_server;
    QStringList m_log;
};

void TstCentralSim::init()
{
    m_log.clear();
    m_server = std::make_unique<SimServer>();
    m_server->setLogger([this](const QString &line) { m_log.append(line); });
    QVERIFY2(m_server->listen(QHostAddress::LocalHost, 0), qPrintable(m_server->errorString()));
    QVERIFY(m_server->port() != 0);
}

void TstCentralSim::cleanup()
{
    m_server.reset();
}

std::unique_ptr<QTcpSocket> TstCentralSim::connectClient()
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, m_server->port());
    QElapsedTimer timer;
    timer.start();
    while (socket->state() != QAbstractSocket::ConnectedState && timer.elapsed() < 3000)
        QTest::qWait(5);
    return socket;
}

void TstCentralSim::writeChunks(QTcpSocket &socket, const QList<QByteArray> &chunks)
{
    for (const QByteArray &chunk : chunks) {
        socket.write(chunk);
        socket.flush();
        QTest::qWait(chunks.size() > 1 ? 15 : 0);
    }
}

QByteArray TstCentralSim::readAnswer(QTcpSocket &socket, qsizetype expected)
{
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (got.size() < expected && timer.elapsed() < 3000) {
        QTest::qWait(5);
        got += socket.readAll();
    }
    QTest::qWait(60);
    got += socket.readAll();
    return got;
}

void TstCentralSim::framer_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("requests");
    QTest::addColumn<qsizetype>("pending");

    const QByteArray ping = "ping" + kEnd;
    const QByteArray log = login("demo", "1234");
    QTest::newRow("one request") << QList<QByteArray>{ping} << QList<QByteArray>{"ping"} << qsizetype(0);
    QTest::newRow("two in one read") << QList<QByteArray>{log + ping}
                                     << QList<QByteArray>{log.chopped(3), "ping"} << qsizetype(0);
    QTest::newRow("byte by byte") << eachByte(log + ping)
                                  << QList<QByteArray>{log.chopped(3), "ping"} << qsizetype(0);
    QTest::newRow("split after first F4") << QList<QByteArray>{"ping\xF4", "\xF4\xF4"}
                                          << QList<QByteArray>{"ping"} << qsizetype(0);
    QTest::newRow("split before last F4") << QList<QByteArray>{"ping\xF4\xF4", "\xF4"}
                                          << QList<QByteArray>{"ping"} << qsizetype(0);
    QTest::newRow("unterminated tail kept") << QList<QByteArray>{ping + "kulsif"}
                                            << QList<QByteArray>{"ping"} << qsizetype(6);
    QTest::newRow("fourth F4 starts the next request")
        << QList<QByteArray>{"ping\xF4\xF4\xF4\xF4"} << QList<QByteArray>{"ping"} << qsizetype(1);
    QTest::newRow("empty requests skipped") << QList<QByteArray>{kEnd + kEnd, ping, kEnd}
                                            << QList<QByteArray>{"ping"} << qsizetype(0);
    QTest::newRow("F4 pairs do not end a request") << QList<QByteArray>{"a\xF4\xF4" "b\xF4\xF4", "c" + kEnd}
                                                   << QList<QByteArray>{"a\xF4\xF4" "b\xF4\xF4" "c"}
                                                   << qsizetype(0);
}

void TstCentralSim::framer()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, requests);
    QFETCH(qsizetype, pending);

    RequestFramer framer;
    QList<QByteArray> got;
    for (const QByteArray &chunk : chunks) {
        const RequestFramer::Result result = framer.feed(chunk);
        QCOMPARE(result.dropped, 0);
        got += result.requests;
    }
    QCOMPARE(got, requests);
    QCOMPARE(framer.pending(), pending);
}

void TstCentralSim::framerDropsOverlongInput()
{
    RequestFramer framer;
    const QByteArray full(RequestFramer::kMaxPending, 'x');
    RequestFramer::Result result = framer.feed(full);
    QCOMPARE(result.dropped, 0); // at the limit it is still kept
    QCOMPARE(framer.pending(), RequestFramer::kMaxPending);

    result = framer.feed("y");
    QCOMPARE(result.dropped, RequestFramer::kMaxPending + 1);
    QCOMPARE(framer.pending(), 0);

    result = framer.feed("ping" + kEnd);
    QCOMPARE(result.requests, QList<QByteArray>{"ping"});

    // A long request that is terminated in the same read is handed out whole.
    framer.feed(QByteArray(60 * 1024, 'a'));
    result = framer.feed(QByteArray(10 * 1024, 'b') + kEnd);
    QCOMPARE(result.dropped, 0);
    QCOMPARE(result.requests.size(), 1);
    QCOMPARE(result.requests.first().size(), 70 * 1024);
}

void TstCentralSim::parse_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("keyword");
    QTest::addColumn<QList<QByteArray>>("fields");
    QTest::addColumn<QByteArray>("tail");

    QTest::newRow("bare keyword") << QByteArray("ping") << QByteArray("ping") << QList<QByteArray>{}
                                  << QByteArray();
    QTest::newRow("login") << login("demo", "1234").chopped(3) << QByteArray("kulsifre")
                           << QList<QByteArray>{"demo"} << QByteArray("1234\x02");
    QTest::newRow("empty fields") << QByteArray("enertum\x01\x01" "12001\x01") << QByteArray("enertum")
                                  << QList<QByteArray>{"", "12001"} << QByteArray();
    QTest::newRow("no keyword") << QByteArray("\x01" "abc") << QByteArray() << QList<QByteArray>{}
                                << QByteArray("abc");
    QTest::newRow("field bytes as they are") << QByteArray("modemkomut\x01\x02\xF4\x01") << QByteArray("modemkomut")
                                             << QList<QByteArray>{"\x02\xF4"} << QByteArray();
}

void TstCentralSim::parse()
{
    QFETCH(QByteArray, request);
    const SimRequest parsed = parseRequest(request);
    QTEST(parsed.keyword, "keyword");
    QTEST(parsed.fields, "fields");
    QTEST(parsed.tail, "tail");
}

void TstCentralSim::demoData()
{
    QSet<quint32> serials;
    QSet<QString> groups;
    QSet<DeviceKind> kinds;
    for (const DeviceInfo &info : demoDevices()) {
        QVERIFY2(!info.name.contains(u':'), qPrintable(info.name));
        QVERIFY2(!serials.contains(info.serial), "serial listed twice");
        serials.insert(info.serial);
        groups.insert(info.group);
        kinds.insert(kindOfModel(info.model));
        // The device list must survive the trip through code page 1254.
        QCOMPARE(wire::decode(wire::encode(info.name)), info.name);
        QCOMPARE(wire::decode(wire::encode(info.group)), info.group);
        QVERIFY(m_server->device(info.serial));
        QCOMPARE(m_server->device(info.serial)->kind(), kindOfModel(info.model));
    }
    QCOMPARE(kinds, (QSet<DeviceKind>{DeviceKind::Analyser, DeviceKind::CompensationRelay,
                                      DeviceKind::OvercurrentRelay, DeviceKind::MeterModem,
                                      DeviceKind::Unknown}));
    QVERIFY(groups.size() >= 2);
    for (const DemoUser &user : demoUsers()) {
        QVERIFY(!user.serials.isEmpty());
        for (quint32 serial : user.serials)
            QVERIFY(serials.contains(serial));
    }
    QVERIFY(!m_server->device(0));
}

void TstCentralSim::modelKinds_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<DeviceKind>("kind");
    QTest::newRow("analyser") << "QRN410" << DeviceKind::Analyser;
    QTest::newRow("compensation relay") << "Rkt90wz" << DeviceKind::CompensationRelay;
    QTest::newRow("overcurrent relay") << "LBE620" << DeviceKind::OvercurrentRelay;
    QTest::newRow("meter modem") << "PMT830" << DeviceKind::MeterModem;
    QTest::newRow("letter case counts") << "qrn410" << DeviceKind::Unknown;
    QTest::newRow("prefix only") << "QRN41" << DeviceKind::Unknown;
    QTest::newRow("empty") << "" << DeviceKind::Unknown;
}

void TstCentralSim::modelKinds()
{
    QFETCH(QString, model);
    QFETCH(DeviceKind, kind);
    QCOMPARE(kindOfModel(model), kind);
    const auto device = makeDevice({QStringLiteral("g"), model, QStringLiteral("n"), 1});
    QCOMPARE(device->kind(), kind);
}

void TstCentralSim::exchange_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QByteArray>("answer");

    const QByteArray ping = "ping" + kEnd;
    const QByteArray demo = login("demo", "1234");

    QTest::newRow("ping") << QList<QByteArray>{ping} << kPong;
    QTest::newRow("demo login") << QList<QByteArray>{demo} << demoDeviceList();
    QTest::newRow("login with Turkish user name")
        << QList<QByteArray>{login("i\xFEletme", "5678")} << isletmeDeviceList();
    QTest::newRow("login split in the user name")
        << QList<QByteArray>{"kulsifre\x01" "de", "mo\x01" "1234\x02\xF4\xF4\xF4"} << demoDeviceList();
    QTest::newRow("login split in the terminator")
        << QList<QByteArray>{demo.chopped(2), demo.right(2)} << demoDeviceList();
    QTest::newRow("login byte by byte") << eachByte(demo) << demoDeviceList();
    QTest::newRow("login and ping in one write") << QList<QByteArray>{demo + ping} << demoDeviceList() + kPong;
    QTest::newRow("two pings in one write") << QList<QByteArray>{ping + ping} << kPong + kPong;
    QTest::newRow("ping then login later") << QList<QByteArray>{ping, demo} << kPong + demoDeviceList();
    QTest::newRow("second login lists again") << QList<QByteArray>{demo, demo}
                                              << demoDeviceList() + demoDeviceList();
    QTest::newRow("binary garbage then ping")
        << QList<QByteArray>{QByteArray("\x00\xFF\x02junk\xF4\xF4\xF4", 10) + ping} << kPong;
    QTest::newRow("control bytes only then ping") << QList<QByteArray>{"\x01\x01\x02" + kEnd, ping} << kPong;
    QTest::newRow("terminators only then ping") << QList<QByteArray>{kEnd + kEnd, ping} << kPong;
    QTest::newRow("unknown device request then ping")
        << QList<QByteArray>{"enertum\x01" "12001\x01" + kEnd + ping} << kPong;
    QTest::newRow("keywords are case-sensitive") << QList<QByteArray>{"PING" + kEnd + ping} << kPong;
    QTest::newRow("keyword must match whole")
        << QList<QByteArray>{"kulsifrex\x01" "demo\x01" "x\x02" + kEnd, "pingx" + kEnd, ping} << kPong;
}

void TstCentralSim::exchange()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QByteArray, answer);

    const auto client = connectClient();
    QCOMPARE(client->state(), QAbstractSocket::ConnectedState);
    writeChunks(*client, chunks);
    QByteArray got = readAnswer(*client, answer.size());
    while (withoutEnergySummaries(got).size() < answer.size() && got.size() < 10 * answer.size() + 4096) {
        const QByteArray more = readAnswer(*client, 1);
        if (more.isEmpty())
            break;
        got += more;
    }
    QCOMPARE(withoutEnergySummaries(got), answer);
    QCOMPARE(client->state(), QAbstractSocket::ConnectedState);
}

void TstCentralSim::rejectedLogin_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("wrong password") << login("demo", "4321");
    QTest::newRow("password prefix") << login("demo", "123");
    QTest::newRow("empty password") << login("demo", " ");
    QTest::newRow("another user's password") << login("demo", "5678");
    QTest::newRow("unknown user") << login("misafir", "1234");
    QTest::newRow("user name case") << login("Demo", "1234");
    QTest::newRow("user name in UTF-8") << login("i\xC5\x9Fletme", "5678");
    QTest::newRow("password ended by 0x01") << QByteArray("kulsifre\x01" "demo\x01" "1234\x01" + kEnd);
    QTest::newRow("extra field") << QByteArray("kulsifre\x01" "demo\x01" "1234\x01" "x\x02" + kEnd);
    QTest::newRow("no fields") << QByteArray("kulsifre" + kEnd);
}

void TstCentralSim::rejectedLogin()
{
    QFETCH(QByteArray, request);
    const auto client = connectClient();
    QCOMPARE(client->state(), QAbstractSocket::ConnectedState);
    // Whatever follows a rejected login in the same write stays unanswered.
    client->write(request + "ping" + kEnd);
    QTRY_COMPARE(client->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(client->readAll(), QByteArray());
    QTRY_COMPARE(m_server->sessionCount(), 0);
}

void TstCentralSim::overlongGarbageThenPing()
{
    const auto client = connectClient();
    client->write(QByteArray(RequestFramer::kMaxPending + 5000, 'x'));
    QTRY_VERIFY(m_log.filter(QStringLiteral("dropped")).size() == 1);
    client->write("ping" + kEnd);
    QCOMPARE(readAnswer(*client, kPong.size()), kPong);
}

void TstCentralSim::randomGarbageThenPing()
{
    QRandomGenerator random(1254);
    QByteArray garbage(200 * 1024, Qt::Uninitialized);
    for (char &c : garbage) {
        // Plenty of terminators and field ends among the noise.
        const quint32 pick = random.bounded(16);
        c = pick == 0 ? '\xF4' : pick == 1 ? '\x01' : char(random.bounded(256));
    }
    const auto client = connectClient();
    client->write(garbage);
    // A byte other than F4 first, so the final terminator cannot pair with
    // F4 bytes left at the end of the noise.
    client->write(QByteArray(1, '\0') + kEnd + "ping" + kEnd);
    const QByteArray got = readAnswer(*client, kPong.size());
    QVERIFY(got.endsWith(kPong));
    QCOMPARE(client->state(), QAbstractSocket::ConnectedState);
}

void TstCentralSim::severalClients()
{
    const auto first = connectClient();
    const auto second = connectClient();
    QTRY_COMPARE(m_server->sessionCount(), 2);
    first->write(login("demo", "1234"));
    second->write(login("i\xFEletme", "5678"));
    second->write("ping" + kEnd);
    QVERIFY(withoutEnergySummaries(readAnswer(*first, demoDeviceList().size())).startsWith(demoDeviceList()));
    QByteArray got = readAnswer(*second, isletmeDeviceList().size() + kPong.size());
    if (!withoutEnergySummaries(got).endsWith(kPong))
        got += readAnswer(*second, kPong.size());
    QCOMPARE(withoutEnergySummaries(got), isletmeDeviceList() + kPong);

    first->disconnectFromHost();
    QTRY_COMPARE(m_server->sessionCount(), 1);
    second->write("ping" + kEnd);
    QCOMPARE(readAnswer(*second, kPong.size()), kPong);
}

QTEST_GUILESS_MAIN(TstCentralSim)
#include "tst_central_sim.moc"
