// The client against a central server that misbehaves, over a real socket on
// 127.0.0.1: it closes in the middle of a message, refuses the connection,
// splits a message over two reads, sends 10 MiB of junk or endless fields.
// The client keeps running, keeps its stores within their bounds, and its
// event loop keeps running a 100 ms timer no more than 250 ms late.
#include "fault_fixture.h"

#include "server_connection.h"

#include <QEventLoop>
#include <QTabWidget>
#include <QTcpSocket>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

using namespace faultkit;

class TstServerFaults : public QObject, FaultFixture {
    Q_OBJECT
private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }
    void closesInTheMiddleOfAMessage_data();
    void closesInTheMiddleOfAMessage();
    void refusesTheConnection();
    void silentLossIsWatched();
    void messageSplitOverTwoReads_data();
    void messageSplitOverTwoReads();
    void tenMebibytesOfJunk_data();
    void tenMebibytesOfJunk();
    void hugeFields_data();
    void hugeFields();
};

void TstServerFaults::closesInTheMiddleOfAMessage_data()
{
    QTest::addColumn<QByteArray>("pending");
    QTest::addColumn<QByteArray>("cut");

    const QByteArray entry = device("depo", "QRN410", "Pano 1", "1234");
    QTest::newRow("device list entry") << QByteArray() << entry.first(entry.indexOf("Pano") + 2);
    QTest::newRow("stored message") << QByteArray() << QByteArray("mesajvar\x01"
                                                                  "Bak\xFDm\x01Sunucu bak");
    QTest::newRow("register answer") << pending::anideger << registerAnswer(125, 250).first(300);
    QTest::newRow("register answer in its byte count") << pending::anideger << QByteArray("enerjial\x01\x01\x01"
                                                                                        "1$3$2");
    QTest::newRow("energy between dates") << QByteArray() << QByteArray("reaktifenerji\x01"
                                                                        "12001\x01"
                                                                        "01.01.2024\x01"
                                                                        "08.01");
    QTest::newRow("water-meter index") << pending::susayaci << QByteArray("enerjial\x01\x01\x01suendeks12");
    QTest::newRow("keyword only") << QByteArray() << QByteArray("cihazen");
}

void TstServerFaults::closesInTheMiddleOfAMessage()
{
    QFETCH(QByteArray, pending);
    QFETCH(QByteArray, cut);
    logIn();
    m_w->ana.state().pendingRequest = pending;
    m_server->write(cut);
    m_server->closeConnection();
    QVERIFY(waitForMessage(kDisconnected));
    QVERIFY(!m_w->ana.state().connected);
    QCOMPARE(m_bytesRead, qint64(cut.size()));

    // The client is still usable: it logs in again and handles what comes.
    m_server->clearReceived();
    logIn();
    QCOMPARE(m_server->connections(), 2);
    m_server->write(kPong);
    QVERIFY(waitForMessage(QStringLiteral("Pong")));
}

void TstServerFaults::refusesTheConnection()
{
    // A port on which nobody listens any more.
    TestCentralServer gone;
    QVERIFY(gone.listen());
    const quint16 port = gone.port();
    gone.stopListening();

    pressConnect(*m_w, port);
    QVERIFY(QTest::qWaitFor([&] { return message() == QStringLiteral("Bağlantı Hatası. Bağlantınızı kontrol edin."); },
                            5000));
    QVERIFY(!m_w->ana.state().connected);
    QVERIFY(QTest::qWaitFor([&] {
        return m_w->giris.findChild<QPushButton *>(QStringLiteral("suiButton1"))->isEnabled();
    }, 5000));
    QCOMPARE(m_w->giris.statusText(), QStringLiteral("   Bağlantı Yok"));

    // The next attempt, to a server that listens, succeeds.
    logIn();
    m_server->write(kPong);
    QVERIFY(waitForMessage(QStringLiteral("Pong")));
}

// A server that vanishes without a word is given up by the kernel within
// minutes (the connection then drops and is taken up as any drop is).
void TstServerFaults::silentLossIsWatched()
{
#ifndef Q_OS_LINUX
    QSKIP("the probes' timing is set on Linux only");
#else
    logIn();
    auto *socket = m_w->ana.findChild<QTcpSocket *>(QStringLiteral("Clientsoket"));
    QVERIFY(socket);
    const auto fd = int(socket->socketDescriptor());
    const auto option = [fd](int level, int name) {
        int value = -1;
        socklen_t size = sizeof value;
        return ::getsockopt(fd, level, name, &value, &size) == 0 ? value : -1;
    };
    QCOMPARE(option(SOL_SOCKET, SO_KEEPALIVE), 1);
    QCOMPARE(option(IPPROTO_TCP, TCP_KEEPIDLE), ServerConnection::kKeepAliveIdleS);
    QCOMPARE(option(IPPROTO_TCP, TCP_KEEPINTVL), ServerConnection::kKeepAliveIntervalS);
    QCOMPARE(option(IPPROTO_TCP, TCP_KEEPCNT), ServerConnection::kKeepAliveProbes);
    QCOMPARE(option(IPPROTO_TCP, TCP_USER_TIMEOUT), int(ServerConnection::kUnacknowledgedMs));
#endif
}

// ---------------------------------------------------------------------------

void TstServerFaults::messageSplitOverTwoReads_data()
{
    QTest::addColumn<QByteArray>("pending");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QString>("shown");    // LblMesaj after both parts
    QTest::addColumn<QString>("item");     // the device item made, if any
    QTest::addColumn<int>("register0");    // row 1 register 0 after both parts

    // Each part is walked on its own: the first from what it holds (missing
    // fields empty), the second as fresh text.
    QTest::newRow("keyword split") << QByteArray() << QByteArray("po") << QByteArray("ng\x01") << QStringLiteral("   ")
                                   << QString() << -1;
    QTest::newRow("device entry split in its name")
        << QByteArray() << QByteArray("cihazlar\x01"
                                      "depo\x01QRN410\x01Pano")
        << QByteArray(" 1\x01"
                      "1234\x01\xF4")
        << QStringLiteral("Cihaz listesi alınıyor. ") << QStringLiteral(" No: ") << -1;
    QTest::newRow("device entry split before its end")
        << QByteArray() << QByteArray("cihazlar\x01"
                                      "depo\x01QRN410\x01Pano 1\x01"
                                      "1234\x01")
        << QByteArray("\xF4pong\x01", 6) << QStringLiteral("Pong") << QStringLiteral("Pano 1 No: 1234") << -1;
    QTest::newRow("register answer split in its data")
        << pending::anideger << QByteArray("enerjial\x01\x01\x01"
                                           "1$3$4$0$10$")
        << QByteArray("1$44$12$34$") << QStringLiteral("12001 Seri Nolu Cihazın ölçüm değerleri alınıyor. ")
        << QString() << 10;
    QTest::newRow("stored message split in its text")
        << QByteArray() << QByteArray("mesajvar\x01"
                                      "Duyuru\x01Yar")
        << QByteArray("\xFDn bak\xFDm var\x01\xF4") << QStringLiteral("Yeni mesajlarınız alınıyor...  Mesaj No: 1")
        << QString() << -1;
}

void TstServerFaults::messageSplitOverTwoReads()
{
    QFETCH(QByteArray, pending);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(QString, shown);
    QFETCH(QString, item);
    QFETCH(int, register0);
    logIn();
    m_w->ana.state().pendingRequest = pending;
    const int lines = m_w->haberlesme.lineCount();
    m_server->write(first);
    // The second part goes out once the first has been read on its own.
    QVERIFY(QTest::qWaitFor([&] { return m_w->haberlesme.lineCount() > lines; }, 5000));
    m_server->write(second);
    QVERIFY(QTest::qWaitFor([&] { return m_bytesRead == first.size() + second.size(); }, 5000));
    QCOMPARE(m_w->haberlesme.lineCount(), lines + 2);
    QCOMPARE(message(), shown);
    if (!item.isEmpty()) {
        QCOMPARE(m_w->ana.context().deviceBar->groupCount(), 1);
        QCOMPARE(m_w->ana.context().deviceBar->group(0)->item(0)->caption(), item);
    }
    QCOMPARE(m_w->vd1kal.store().read(1, 0), double(register0));

    // Whatever the split left behind, the next whole message is handled.
    m_server->write(QByteArray("Hattayok\x01"
                               "12010\x01\xF4"));
    QVERIFY(waitForMessage(QStringLiteral("12010 Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...")));
}

// ---------------------------------------------------------------------------

void TstServerFaults::tenMebibytesOfJunk_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("random bytes") << QByteArray("random");
    QTest::newRow("letters") << QByteArray("xyzXYZqwQW");
    QTest::newRow("field ends") << QByteArray("\x01\xF4", 2);
    QTest::newRow("keyword beginnings") << QByteArray("ponyenimesaakimdegercihazlaenerjiaSycdegersayacaHattayo");
    QTest::newRow("payload text") << QByteArray("199$239$3$");
    QTest::newRow("register answers") << QByteArray("enerjial\x01\x01\x01" "1$3$200$7$");
}

void TstServerFaults::tenMebibytesOfJunk()
{
    QFETCH(QByteArray, kind);
    constexpr qsizetype kSize = 10 * 1024 * 1024;
    logIn();
    m_w->ana.state().pendingRequest = pending::anideger;
    const QByteArray bytes = junk(kind, kSize);
    // Over the socket, in as many reads as the socket makes of it …
    m_server->write(bytes);
    QVERIFY(QTest::qWaitFor([&] { return m_bytesRead == kSize; }, 60000));
    // … and as one read of its own.
    QTimer::singleShot(0, &m_w->ana, [&] { m_w->ana.handleRead(bytes); });
    QTest::qWait(50);
    m_server->write(kPong);
    QVERIFY(waitForMessage(QStringLiteral("Pong")));
    QVERIFY(m_w->ana.state().connected);
    QVERIFY(m_w->haberlesme.model()->charCount() <= CommunicationLogModel::kMaxChars);
}

void TstServerFaults::hugeFields_data()
{
    QTest::addColumn<QByteArray>("pending");
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<int>("page"); // the page showing meanwhile
    // Every message whose fields end up on the screen, each field 800 KiB
    // (a read holds at most what the socket takes in, 8 MiB).
    const QByteArray f(800 * 1024, '7');
    const auto message = [](const char *keyword, const QList<QByteArray> &fields) {
        return wire::buildRequest(keyword, fields);
    };
    QTest::newRow("off-line notice") << QByteArray() << message("Hattayok", {f}) << 0;
    QTest::newRow("overcurrent relay values") << QByteArray() << message("akimdegerleri", {f, f, f, f, f, f, f}) << 2;
    QTest::newRow("meter values before reset") << QByteArray() << message("Sycdegerleri", {f, f, f}) << 1;
    QTest::newRow("energy between dates") << QByteArray()
                                          << message("reaktifenerji", {f, f, f, f, f, f, f, f, f}) << 1;
    QTest::newRow("meter energy between dates") << QByteArray()
                                                << message("tedassycal", {f, f, f, f, f, f, f, f, f}) << 6;
    QTest::newRow("device list entry") << QByteArray() << message("cihazlar", {f, f, f, f}) << 0;
    QTest::newRow("stored message") << QByteArray() << message("mesajvar", {f, f}) << 0;
    QTest::newRow("energy summary") << QByteArray() << message("cihazenerji", {f, f, '$' + f}) << 0;
    QTest::newRow("meter readout piece") << QByteArray() << QByteArray("sayacal\x01\x01\x01") + f << 6;
    QTest::newRow("relay states") << pending::outputdrm << kAnswer + f + '#' + f + '#' + f + '#' << 9;
    QTest::newRow("water-meter index") << pending::susayaci << kAnswer + "suendeks" + f << 9;
    QTest::newRow("write acknowledgement") << pending::tanfi << kAnswer + "1$6$64$" + f << 8;
    QTest::newRow("index written") << pending::endeksyaz << kAnswer + f << 9;
    QTest::newRow("waveform") << pending::harmonikb << kAnswer + "1$3$" + f + '$' << 3;
}

void TstServerFaults::hugeFields()
{
    QFETCH(QByteArray, pending);
    QFETCH(QByteArray, read);
    QFETCH(int, page);
    logIn();
    auto *pages = m_w->ana.findChild<QTabWidget *>(QStringLiteral("suiPageControl1"));
    pages->setTabVisible(page, true);
    pages->widget(page)->setEnabled(true);
    pages->setCurrentIndex(page);
    if (auto *panel = m_w->ana.findChild<QWidget *>(QStringLiteral("Panel8")))
        panel->setVisible(page == 2); // the overcurrent relay's panel
    if (auto *panel = m_w->ana.findChild<QWidget *>(QStringLiteral("Panel7")))
        panel->setVisible(page != 2);
    m_w->ana.state().pendingRequest = pending;
    // As one read, whatever the socket would make of it.
    QTimer::singleShot(0, &m_w->ana, [&] { m_w->ana.handleRead(read); });
    QTest::qWait(300);
    m_server->write(kPong);
    QVERIFY(waitForMessage(QStringLiteral("Pong")));
    QVERIFY(m_w->ana.state().connected);
}

// ---------------------------------------------------------------------------

QTEST_MAIN(TstServerFaults)
#include "tst_server_faults.moc"
