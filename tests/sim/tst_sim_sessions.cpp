// The simulator over real sockets: stored messages, answer delays, each
// fault, requests that get no answer, the log, and clients that cannot
// disturb each other.
#include "sim_handlers.h"
#include "sim_request.h"
#include "sim_server.h"
#include "sim_session.h"
#include "site_generator.h"
#include "wire.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace sim;

namespace {

const QByteArray kEnd = QByteArrayLiteral("\xF4\xF4\xF4");
const QByteArray kPing = "ping" + kEnd;
const QByteArray kPong = "pong\x01" + kEnd;
const QByteArray kNotice = "yenimesaj\x01" + kEnd;

QByteArray login(const QByteArray &user, const QByteArray &password)
{
    return "kulsifre\x01" + user + '\x01' + password + '\x02' + kEnd;
}

QByteArray messagesRequest(const QByteArray &user)
{
    return "yenimesajiste\x01" + user + '\x01' + kEnd;
}

QByteArray mesajvar(const QByteArray &title, const QByteArray &text)
{
    return "mesajvar\x01" + title + '\x01' + text + '\x01' + kEnd;
}

// The demo user's stored messages as they travel (code page 1254).
QByteArray demoMessages()
{
    return mesajvar("Planl\xFD Bak\xFDm Duyurusu",
                    "Merkez sunucuda 15 Aral\xFDk Pazar g\xFCn\xFC 09:00 ile 13:00 aras\xFDnda planl\xFD bak\xFDm "
                    "yap\xFDlacakt\xFDr. Bu s\xFCrede cihazlar\xFDn\xFDz\xFDn de\xF0" "erleri al\xFDnamayabilir.")
        + mesajvar("Fatura D\xF6nemi Hat\xFDrlatmas\xFD",
                   "Fatura d\xF6neminiz ay\xFDn 25'inde kapan\xFDyor. D\xF6nem sonundan \xF6nce saya\xE7 "
                   "okumalar\xFDn\xFDz\xFD ve reaktif oranlar\xFDn\xFDz\xFD kontrol etmenizi \xF6neririz.")
        + mesajvar("Reaktif Ceza Uyar\xFDs\xFD",
                   "\xDEube Ofis analiz\xF6r\xFCnde (12008) end\xFCktif reaktif oran %20 s\xFDn\xFDr\xFDn\xFD a\xFEt\xFD. "
                   "Kompanzasyon panonuzu kontrol ettirmezseniz reaktif enerji cezas\xFD uygulanabilir.");
}

// A client that collects everything it receives, read by read.
class Client {
public:
    explicit Client(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            const QByteArray got = socket.readAll();
            reads.append(got);
            all += got;
        });
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(3000);
    }
    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    // Waits until `size` bytes arrived (or 5 s passed).
    bool waitFor(qsizetype size)
    {
        return QTest::qWaitFor([&] { return all.size() >= size; }, 5000);
    }
    // Waits a little longer to see that nothing more comes.
    QByteArray settle(int ms = 150)
    {
        QTest::qWait(ms);
        return all;
    }
    void clear()
    {
        all.clear();
        reads.clear();
    }
    bool connected() const { return socket.state() == QAbstractSocket::ConnectedState; }

    QTcpSocket socket;
    QByteArray all;
    QByteArrayList reads;
};

} // namespace

class TstSimSessions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void storedMessages_data();
    void storedMessages();
    void messageNotice_data();
    void messageNotice();
    void answerDelay_data();
    void answerDelay();
    void splitFault();
    void joinFault();
    void dropFault();
    void lateFault();
    void offlineDevices_data();
    void offlineDevices();
    void unansweredRequests_data();
    void unansweredRequests();
    void logLines_data();
    void logLines();
    void junkFromOneClientLeavesAnotherAlone_data();
    void junkFromOneClientLeavesAnotherAlone();
    void clientThatDoesNotReadIsClosed();
    void tenThousandDevicesLeaveOtherSessionsTheirTurn();

private:
    SimSession *onlySession() const;
    // Logs in and waits for the device list to arrive; clears what arrived.
    void loggedIn(Client &client, const QByteArray &user, const QByteArray &password, int devices);

    std::unique_ptr<SimServer> m_server;
    QStringList m_log;
};

void TstSimSessions::init()
{
    m_log.clear();
    m_server = std::make_unique<SimServer>();
    m_server->setLogger([this](const QString &line) { m_log.append(line); });
    QVERIFY(m_server->listen(QHostAddress::LocalHost, 0));
}

void TstSimSessions::cleanup()
{
    m_server.reset();
}

SimSession *TstSimSessions::onlySession() const
{
    const auto sessions = m_server->findChildren<SimSession *>();
    return sessions.size() == 1 ? sessions.first() : nullptr;
}

void TstSimSessions::loggedIn(Client &client, const QByteArray &user, const QByteArray &password, int devices)
{
    client.send(login(user, password));
    QVERIFY(QTest::qWaitFor([&] { return client.all.count("cihazlar") == devices; }, 5000));
    QVERIFY(client.all.endsWith(kEnd));
    client.clear();
}

void TstSimSessions::storedMessages_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArrayList>("requests");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("logged");

    QTest::newRow("every stored message") << QByteArray("demo") << QByteArray("1234")
                                          << QByteArrayList{messagesRequest("demo")} << demoMessages() << "";
    QTest::newRow("once per connection") << QByteArray("demo") << QByteArray("1234")
                                         << QByteArrayList{messagesRequest("demo"), messagesRequest("demo")}
                                         << demoMessages() << "no new messages";
    QTest::newRow("another user's name") << QByteArray("demo") << QByteArray("1234")
                                         << QByteArrayList{messagesRequest("i\xFEletme")} << QByteArray()
                                         << "not the logged-in user";
    QTest::newRow("user without messages") << QByteArray("i\xFEletme") << QByteArray("5678")
                                           << QByteArrayList{messagesRequest("i\xFEletme")} << QByteArray()
                                           << "no new messages";
    QTest::newRow("before login") << QByteArray() << QByteArray() << QByteArrayList{messagesRequest("demo")}
                                  << QByteArray() << "before login";
}

void TstSimSessions::storedMessages()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);
    QFETCH(QByteArrayList, requests);
    QFETCH(QByteArray, answer);
    QFETCH(QString, logged);

    Client client(m_server->port());
    if (!user.isEmpty())
        loggedIn(client, user, password, user == "demo" ? 10 : 3);
    for (const QByteArray &r : requests)
        client.send(r);
    client.waitFor(answer.size());
    QCOMPARE(client.settle(), answer);
    if (!logged.isEmpty())
        QVERIFY2(!m_log.filter(logged).isEmpty(), qPrintable(m_log.join('\n')));
    QVERIFY(client.connected());
}

void TstSimSessions::messageNotice_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<bool>("askFirst");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("logins");
    QTest::newRow("after login") << QByteArray("demo") << QByteArray("1234") << false << kNotice << 1;
    QTest::newRow("not once the messages were asked for")
        << QByteArray("demo") << QByteArray("1234") << true << demoMessages() << 1;
    QTest::newRow("not without stored messages") << QByteArray("i\xFEletme") << QByteArray("5678") << false
                                                 << QByteArray() << 1;
    // Each login starts the wait again; the notice comes once.
    QTest::newRow("once after five logins in a row") << QByteArray("demo") << QByteArray("1234") << false
                                                     << kNotice << 5;
}

void TstSimSessions::messageNotice()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);
    QFETCH(bool, askFirst);
    QFETCH(QByteArray, expected);
    QFETCH(int, logins);

    m_server->setMessageNoticeDelay(400);
    Client client(m_server->port());
    for (int i = 0; i < logins; ++i)
        loggedIn(client, user, password, user == "demo" ? 10 : 3);
    // One waiting notice per session, however often it logged in.
    for (const SimSession *session : m_server->findChildren<SimSession *>())
        QVERIFY(session->findChildren<QTimer *>(QStringLiteral("messageNotice")).size() <= 1);
    if (askFirst)
        client.send(messagesRequest(user));
    else
        QCOMPARE(client.settle(100), QByteArray()); // not before its time
    client.waitFor(expected.size());
    QCOMPARE(client.settle(600), expected);
}

void TstSimSessions::answerDelay_data()
{
    QTest::addColumn<int>("least");
    QTest::addColumn<int>("most");
    QTest::newRow("at once") << 0 << 0;
    QTest::newRow("fixed") << 300 << 300;
    QTest::newRow("range") << 250 << 400;
}

void TstSimSessions::answerDelay()
{
    QFETCH(int, least);
    QFETCH(int, most);
    m_server->setAnswerDelay(least, most);
    Client client(m_server->port());
    client.send(kPing + kPing);
    if (least > 0)
        QCOMPARE(client.settle(least / 2), QByteArray());
    QVERIFY(client.waitFor(2 * kPong.size()));
    QCOMPARE(client.settle(50), kPong + kPong);
    // The log tells how long each answer took.
    const QStringList answers = m_log.filter(QStringLiteral("-> pong"));
    QCOMPARE(answers.size(), 2);
    for (const QString &line : answers) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\+(\\d+) ms$")).match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        QVERIFY2(m.captured(1).toInt() >= least, qPrintable(line));
    }
}

void TstSimSessions::splitFault()
{
    FaultPlan plan;
    plan.split = KeywordFilter::only({"ping"});
    plan.splitPauseMs = 300;
    m_server->setFaults(plan);
    Client client(m_server->port());
    client.send(kPing);
    QVERIFY(client.waitFor(1));
    QCOMPARE(client.settle(100), kPong.left(4)); // the first half, and for a while nothing more
    QVERIFY(client.waitFor(kPong.size()));
    QCOMPARE(client.settle(50), kPong);
    QCOMPARE(client.reads, (QByteArrayList{kPong.left(4), kPong.mid(4)}));
    QCOMPARE(m_log.filter(QStringLiteral("part 1 of 2")).size(), 1);

    // Other requests' answers stay whole.
    client.clear();
    client.send(messagesRequest("demo") + login("demo", "1234"));
    QVERIFY(QTest::qWaitFor([&] { return client.all.count("cihazlar") == 10; }, 5000));
    QCOMPARE(m_log.filter(QStringLiteral("part 1 of 2")).size(), 1);
}

void TstSimSessions::joinFault()
{
    FaultPlan plan;
    plan.join = KeywordFilter::all();
    plan.joinHoldMs = 3000;
    m_server->setFaults(plan);
    Client client(m_server->port());
    client.send(kPing);
    QCOMPARE(client.settle(200), QByteArray()); // held for the next answer
    client.send(kPing);
    QVERIFY(client.waitFor(2 * kPong.size()));
    QCOMPARE(client.settle(50), kPong + kPong);
    QCOMPARE(client.reads, QByteArrayList{kPong + kPong});
    QCOMPARE(m_log.filter(QStringLiteral("2 answers joined")).size(), 1);

    // Lifting the fault sends answers on their own again.
    m_server->setFaults({});
    client.clear();
    client.send(kPing);
    QVERIFY(client.waitFor(kPong.size()));
    QCOMPARE(client.settle(50), kPong);
}

void TstSimSessions::dropFault()
{
    FaultPlan plan;
    plan.dropAfter = 3;
    m_server->setFaults(plan);
    Client client(m_server->port());
    client.send(login("demo", "1234") + kPing + kPing + kPing + kPing);
    QVERIFY(QTest::qWaitFor([&] { return !client.connected(); }, 5000));
    // The login and two pings were answered, the fourth request was not read.
    QCOMPARE(client.all.count("cihazlar"), 10);
    QCOMPARE(client.all.count(kPong), 2);
    QVERIFY(client.all.endsWith(kPong));
    QTRY_COMPARE(m_server->sessionCount(), 0);
    QVERIFY(!m_log.filter(QStringLiteral("as the drop fault says")).isEmpty());

    // Each connection counts its own requests.
    Client next(m_server->port());
    next.send(kPing);
    QVERIFY(next.waitFor(kPong.size()));
    QVERIFY(next.connected());
}

void TstSimSessions::lateFault()
{
    FaultPlan plan;
    plan.late = KeywordFilter::only({"ping"});
    plan.lateMs = 500;
    m_server->setFaults(plan);
    Client client(m_server->port());
    loggedIn(client, "demo", "1234", 10);
    client.send(kPing);
    QCOMPARE(client.settle(200), QByteArray());
    QVERIFY(client.waitFor(kPong.size()));
    QCOMPARE(client.settle(50), kPong);

    // Answers to other requests are not held back, and they still follow
    // the late one when asked for after it.
    client.clear();
    client.send(messagesRequest("demo"));
    QVERIFY(client.waitFor(demoMessages().size()));
    client.clear();
    client.send(kPing + login("demo", "1234"));
    QCOMPARE(client.settle(200), QByteArray());
    QVERIFY(QTest::qWaitFor([&] { return client.all.count("cihazlar") == 10; }, 5000));
    QVERIFY(client.all.startsWith(kPong));
}

void TstSimSessions::offlineDevices_data()
{
    QTest::addColumn<QByteArray>("serialField");
    QTest::addColumn<QList<quint32>>("faultOffline");
    QTest::addColumn<QByteArray>("answer");

    const QByteArray hattayok = "Hattayok\x01";
    QTest::newRow("off line in the site") << QByteArray("12010") << QList<quint32>{}
                                          << hattayok + "12010\x01" + kEnd;
    // The overcurrent relay's requests carry the serial after a blank.
    QTest::newRow("serial after a blank") << QByteArray(" 12010") << QList<quint32>{}
                                          << hattayok + "12010\x01" + kEnd;
    QTest::newRow("off line by the fault") << QByteArray("12001") << QList<quint32>{12001}
                                           << hattayok + "12001\x01" + kEnd;
    QTest::newRow("the fault leaves others alone") << QByteArray("12002") << QList<quint32>{12001} << QByteArray();
    QTest::newRow("the fault does not bring a device on line") << QByteArray("12010") << QList<quint32>{12001}
                                                                << hattayok + "12010\x01" + kEnd;
}

void TstSimSessions::offlineDevices()
{
    QFETCH(QByteArray, serialField);
    QFETCH(QList<quint32>, faultOffline);
    QFETCH(QByteArray, answer);

    FaultPlan plan;
    plan.offline = QSet<quint32>(faultOffline.begin(), faultOffline.end());
    m_server->setFaults(plan);
    Client client(m_server->port());
    loggedIn(client, "demo", "1234", 10);
    SimSession *session = onlySession();
    QVERIFY(session);
    const SimDevice *device = requestedDevice(*session, parseRequest("enertum\x01" + serialField + '\x01'));
    QCOMPARE(device == nullptr, !answer.isEmpty());
    client.waitFor(answer.size());
    QCOMPARE(client.settle(), answer);

    // Lifting the fault brings the device back; the site's own state stays.
    m_server->setFaults({});
    QVERIFY(m_server->device(12001)->online());
    QVERIFY(!m_server->device(12010)->online());
}

void TstSimSessions::unansweredRequests_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<bool>("deviceRequest");
    QTest::addColumn<QString>("logged");

    QTest::newRow("unknown keyword") << QByteArray("demo") << QByteArray("1234")
                                     << QByteArray("sunucuyukapat\x01" "12001\x01") << false
                                     << "unknown request \"sunucuyukapat\"";
    QTest::newRow("keyword in another case") << QByteArray("demo") << QByteArray("1234") << QByteArray("PING")
                                             << false << "unknown request \"PING\"";
    QTest::newRow("nothing but fields") << QByteArray("demo") << QByteArray("1234") << QByteArray("\x01\x01")
                                        << false << "unknown request \"\"";
    QTest::newRow("another user's device") << QByteArray("i\xFEletme") << QByteArray("5678")
                                           << QByteArray("enertum\x01" "12001\x01") << true
                                           << "not a device of i\u015Fletme";
    QTest::newRow("a serial of no device") << QByteArray("demo") << QByteArray("1234")
                                           << QByteArray("enertum\x01" "99999\x01") << true << "not a device of demo";
    QTest::newRow("a serial that is no number") << QByteArray("demo") << QByteArray("1234")
                                                << QByteArray("enertum\x01" "12a01\x01") << true
                                                << "not a device of demo";
    QTest::newRow("device request before login") << QByteArray() << QByteArray()
                                                 << QByteArray("enertum\x01" "12001\x01") << true << "before login";
}

void TstSimSessions::unansweredRequests()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, request);
    QFETCH(bool, deviceRequest);
    QFETCH(QString, logged);

    Client client(m_server->port());
    if (!user.isEmpty())
        loggedIn(client, user, password, user == "demo" ? 10 : 3);
    QVERIFY(QTest::qWaitFor([&] { return onlySession() != nullptr; }, 3000));
    if (deviceRequest)
        QVERIFY(!requestedDevice(*onlySession(), parseRequest(request)));
    else
        client.send(request + kEnd);
    client.send(kPing); // answered as usual afterwards
    QVERIFY(client.waitFor(kPong.size()));
    QCOMPARE(client.settle(), kPong);
    QVERIFY2(!m_log.filter(logged).isEmpty(), qPrintable(m_log.join('\n')));
    QVERIFY(!m_log.filter(QStringLiteral("no answer")).isEmpty());
}

void TstSimSessions::logLines_data()
{
    QTest::addColumn<bool>("quiet");
    QTest::newRow("every request and answer") << false;
    QTest::newRow("quiet") << true;
}

void TstSimSessions::logLines()
{
    QFETCH(bool, quiet);
    m_server->setQuiet(quiet);
    Client client(m_server->port());
    loggedIn(client, "demo", "1234", 10);
    client.send(kPing + messagesRequest("demo"));
    QVERIFY(client.waitFor(kPong.size() + demoMessages().size()));
    client.socket.disconnectFromHost();
    QTRY_COMPARE(m_server->sessionCount(), 0);

    const QRegularExpression stamp(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}  #1"));
    for (const QString &line : m_log)
        QVERIFY2(stamp.match(line).hasMatch(), qPrintable(line));
    // Events are always logged.
    QCOMPARE(m_log.filter(QStringLiteral("connected from 127.0.0.1")).size(), 1);
    QCOMPARE(m_log.filter(QStringLiteral("#1 demo  login \"demo\", 10 devices, 3 stored messages")).size(), 1);
    QCOMPARE(m_log.filter(QStringLiteral("disconnected after 3 requests")).size(), 1);
    // Requests and answers as the client's communication log shows bytes.
    const QStringList traffic = m_log.filter(QRegularExpression(QStringLiteral("  (<-|->) ")));
    if (quiet) {
        QVERIFY(traffic.isEmpty());
        return;
    }
    // The password never reaches the log.
    QCOMPARE(m_log.filter(QStringLiteral("#1  <- kulsifre<01>demo<01>***<02>")).size(), 1);
    QCOMPARE(m_log.filter(QStringLiteral("#1 demo  <- ping")).size(), 1);
    QCOMPARE(m_log.filter(QStringLiteral("#1 demo  -> pong<01>ôôô  +")).size(), 1);
    QCOMPARE(m_log.filter(QStringLiteral("-> cihazlar<01>Şube Ofis<01>QRN410<01>Ofis Analizörü<01>12008<01>ôôô"))
                 .size(),
             1);
    // A long answer is shortened and its size given.
    const QStringList messages = m_log.filter(QStringLiteral("-> mesajvar<01>Reaktif Ceza Uyarısı<01>"));
    QCOMPARE(messages.size(), 1);
    const QByteArray last = demoMessages().mid(demoMessages().lastIndexOf("mesajvar"));
    QVERIFY2(messages.first().contains(QStringLiteral(" … (%1 bytes)").arg(last.size())), qPrintable(messages.first()));
}

void TstSimSessions::junkFromOneClientLeavesAnotherAlone_data()
{
    QTest::addColumn<QByteArrayList>("junk");
    QRandomGenerator random(1254);
    QByteArray noise(300 * 1024, Qt::Uninitialized);
    for (char &c : noise) {
        const quint32 pick = random.bounded(12);
        c = pick == 0 ? '\xF4' : pick == 1 ? '\x01' : pick == 2 ? '\x02' : char(random.bounded(256));
    }
    QTest::newRow("random bytes with terminators") << QByteArrayList{noise};
    QTest::newRow("one huge request") << QByteArrayList{QByteArray(2 * 1024 * 1024, 'k') + kEnd};
    QTest::newRow("endless request without its end")
        << QByteArrayList{QByteArray(40 * 1024, 'a'), QByteArray(40 * 1024, 'b'), QByteArray(40 * 1024, 'c')};
    QTest::newRow("truncated requests") << QByteArrayList{"enertum\x01" "120", "\x01", "yenimesajis",
                                                          "ping\xF4\xF4"};
    QTest::newRow("bad logins by the thousand")
        << QByteArrayList{login("x", "y").repeated(3000)}; // the first closes the connection
}

void TstSimSessions::junkFromOneClientLeavesAnotherAlone()
{
    QFETCH(QByteArrayList, junk);
    Client good(m_server->port());
    loggedIn(good, "demo", "1234", 10);
    Client bad(m_server->port());
    QTRY_COMPARE(m_server->sessionCount(), 2);

    for (const QByteArray &chunk : junk) {
        bad.send(chunk);
        good.send(kPing);
        QTest::qWait(20);
    }
    good.send(messagesRequest("demo"));
    const QByteArray expected = kPong.repeated(junk.size()) + demoMessages();
    QVERIFY(good.waitFor(expected.size()));
    QCOMPARE(good.settle(), expected);
    QVERIFY(good.connected());
    // The bad client's connection stays usable unless it was closed for a bad login.
    if (bad.connected()) {
        bad.clear();
        bad.send(QByteArray(1, '\0') + kEnd + kPing);
        QVERIFY(bad.waitFor(kPong.size()));
        QVERIFY(bad.settle().endsWith(kPong));
    }
}

void TstSimSessions::clientThatDoesNotReadIsClosed()
{
    // Answers pile up in the outbox while the delay holds them back.
    m_server->setAnswerDelay(60000, 60000);
    Client good(m_server->port());
    Client flood(m_server->port());
    QTRY_COMPARE(m_server->sessionCount(), 2);
    const qsizetype pings = SimSession::kMaxBacklog / kPong.size() + 1000;
    flood.send(kPing.repeated(pings));
    QVERIFY(QTest::qWaitFor([&] { return !flood.connected(); }, 10000));
    QVERIFY(!m_log.filter(QStringLiteral("does not read its answers")).isEmpty());
    QTRY_COMPARE(m_server->sessionCount(), 1);

    m_server->setAnswerDelay(0, 0);
    good.send(kPing);
    QVERIFY(good.waitFor(kPong.size()));
    QCOMPARE(good.settle(), kPong);
}

void TstSimSessions::tenThousandDevicesLeaveOtherSessionsTheirTurn()
{
    const int devices = kMaxDevicesPerUser;
    SimServer server(generatedSite(devices));
    QStringList log;
    server.setLogger([&log](const QString &line) { log.append(line); });
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    Client big(server.port());
    Client other(server.port());
    QTRY_COMPARE(server.sessionCount(), 2);
    big.send(login("demo", "1234"));
    other.send(kPing);
    // The whole list, in listing order, then the energy summaries (rows 3 to 250).
    QVERIFY(QTest::qWaitFor([&] { return big.all.count("cihazenerji") == 248; }, 30000));
    QVERIFY(other.waitFor(kPong.size()));
    QList<quint32> listed;
    bool summariesAfterTheList = true;
    for (const QByteArray &message : big.all.split('\xF4')) {
        if (message.startsWith("cihazlar\x01"))
            listed.append(message.split('\x01').value(4).toUInt());
        else if (message.startsWith("cihazenerji"))
            summariesAfterTheList = summariesAfterTheList && listed.size() == devices;
    }
    QCOMPARE(listed.size(), devices);
    QCOMPARE(listed, generatedSite(devices).users.first().serials);
    QVERIFY(summariesAfterTheList);
    // The other session's answer went out while the list was still going.
    qsizetype pong = -1, lastEntry = -1;
    for (qsizetype i = 0; i < log.size(); ++i) {
        if (pong < 0 && log[i].contains(QStringLiteral("#2  -> pong")))
            pong = i;
        if (log[i].contains(QStringLiteral("#1 demo  -> cihazlar")))
            lastEntry = i;
    }
    QVERIFY(pong >= 0 && lastEntry >= 0);
    QVERIFY2(pong < lastEntry, qPrintable(QStringLiteral("pong in line %1, the list's end in line %2").arg(pong).arg(lastEntry)));
}

QTEST_GUILESS_MAIN(TstSimSessions)
#include "tst_sim_sessions.moc"
