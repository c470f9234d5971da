// The client against a central server that sends much: an answer of 65,535
// registers, a flood while a read is being handled, an answer for a device
// the user has left, a thousand messages a second for a minute. The client
// keeps running, keeps its stores within their bounds, and its event loop
// keeps running a 100 ms timer no more than 250 ms late.
#include "fault_fixture.h"

#include <QEventLoop>

#include <functional>

using namespace faultkit;

class TstServerLoad : public QObject, FaultFixture {
    Q_OBJECT
private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }
    void registerAnswerOf65535Registers();
    void clientHeldUpInARead();
    void answerAfterAnotherDeviceWasSelected_data();
    void answerAfterAnotherDeviceWasSelected();
    void thousandMessagesASecondForAMinute();
    void storesFilledToTheirBounds();

private:
    // Filling a store by hand holds the loop: the probe starts again after.
    void primed(const std::function<void()> &fill);
};

void TstServerLoad::primed(const std::function<void()> &fill)
{
    m_probe.stop();
    const qint64 worst = m_probe.worst();
    QVERIFY2(worst <= 250, qPrintable(QStringLiteral("%1 ms late").arg(worst)));
    fill();
    m_probe.start();
}

void TstServerLoad::registerAnswerOf65535Registers()
{
    logIn();
    m_server->write(device("depo", "QRN410", "Pano 1", "12001"));
    QVERIFY(QTest::qWaitFor([&] { return itemOf(QStringLiteral("12001")) != nullptr; }, 5000));
    m_server->clearReceived();
    click(QStringLiteral("12001"));
    QVERIFY(m_server->waitForRequest("enertum\x01"
                                     "12001\x01"));
    const QByteArray answer = registerAnswer(65535, 2 * 65535, 1);
    RegisterStore &store = m_w->vd1kal.store();

    // Over the socket the answer may come in several reads; each read is
    // walked on its own and the first one carries the byte count.
    m_bytesRead = 0;
    m_server->write(answer);
    QVERIFY(QTest::qWaitFor([&] { return m_bytesRead == answer.size(); }, 20000));
    QCOMPARE(store.read(1, 0), 1.0);
    QVERIFY(store.startRegister > 0 && store.startRegister <= 65535);

    // As one read: every register as far as the table reaches (row 250
    // register 255 is register 63,999 of row 1); the rest went nowhere.
    store.startRegister = 0;
    store.reset(250, 0, 255);
    QTimer::singleShot(0, &m_w->ana, [&] { m_w->ana.handleRead(answer); });
    QVERIFY(QTest::qWaitFor([&] { return store.startRegister == 65535; }, 20000));
    QCOMPARE(m_w->ana.findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("12001 Nolu Cihaz Verileri"));
    QCOMPARE(store.read(1, 0), 1.0);
    QCOMPARE(store.read(1, 401), double(valueOf(401, 1)));
    QCOMPARE(store.read(250, 255), double(valueOf(63999, 1)));
    QVERIFY(m_w->ana.state().connected);
    m_server->write(kPong);
    QVERIFY(waitForMessage(QStringLiteral("Pong")));
}

void TstServerLoad::clientHeldUpInARead()
{
    // Something inside the handling of a read keeps the client (a nested
    // event loop, as a dialog has) while the server goes on sending: the
    // socket takes in no more than its bound meanwhile, and everything is
    // read afterwards, no read larger than the bound.
    logIn();
    QTcpSocket *socket = m_w->ana.connection().Clientsoket();
    const QByteArray flood = junk("random", 24 * 1024 * 1024);
    qint64 mostWaiting = 0;
    qint64 largestRead = 0;
    bool held = false;
    QObject::connect(&m_w->ana.connection(), &ServerConnection::bytesRead, &m_w->ana, [&](const QByteArray &b) {
        largestRead = qMax(largestRead, qint64(b.size()));
        if (held)
            return;
        held = true;
        QEventLoop loop;
        QTimer sample;
        QObject::connect(&sample, &QTimer::timeout, [&] { mostWaiting = qMax(mostWaiting, socket->bytesAvailable()); });
        sample.start(20);
        QTimer::singleShot(0, &loop, [&] { m_server->write(flood); });
        QTimer::singleShot(1500, &loop, &QEventLoop::quit);
        loop.exec();
    });
    m_server->write(kPong);
    QVERIFY(QTest::qWaitFor([&] { return m_bytesRead == kPong.size() + flood.size(); }, 60000));
    qInfo("most waiting in the socket: %lld bytes, largest read: %lld bytes", mostWaiting, largestRead);
    QVERIFY(mostWaiting > 0);
    QVERIFY(mostWaiting <= ServerConnection::kReadBufferBytes);
    QVERIFY(largestRead <= ServerConnection::kReadBufferBytes);
    m_server->write(kPong);
    QVERIFY(waitForMessage(QStringLiteral("Pong")));
}

void TstServerLoad::answerAfterAnotherDeviceWasSelected_data()
{
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<QByteArray>("request"); // what the second click sends
    QTest::addColumn<int>("registers");       // the second device's answer
    QTest::newRow("another analyser") << QByteArray("QRN410") << QByteArray("enertum\x01"
                                                                            "12008\x01")
                                      << 125;
    QTest::newRow("an overcurrent relay") << QByteArray("LBE620") << QByteArray("enertum\x01"
                                                                                "12008\x01")
                                          << 12;
    QTest::newRow("a meter") << QByteArray("PMT830") << QByteArray("sycreaktfener\x01"
                                                                   "12008\x01\x01\x01")
                             << 0;
    QTest::newRow("an unlisted model") << QByteArray("XYZ100") << QByteArray("enertum\x01"
                                                                             "12008\x01")
                                       << 125;
}

void TstServerLoad::answerAfterAnotherDeviceWasSelected()
{
    QFETCH(QByteArray, model);
    QFETCH(QByteArray, request);
    QFETCH(int, registers);
    logIn();
    m_server->write(device("Merkez", "QRN410", "Pano", "12001") + device("Merkez", model, "Ikinci", "12008"));
    QVERIFY(QTest::qWaitFor([&] { return itemOf(QStringLiteral("12008")) != nullptr; }, 5000));
    click(QStringLiteral("12001"));
    QVERIFY(m_server->waitForRequest("enertum\x01"
                                     "12001\x01"));
    click(QStringLiteral("12008"));
    QVERIFY(m_server->waitForRequest(request));

    // The first device's answer comes only now, then the second's.
    const int lines = m_w->haberlesme.lineCount();
    m_server->write(registerAnswer(125, 250, 1000));
    QVERIFY(QTest::qWaitFor([&] { return m_w->haberlesme.lineCount() > lines; }, 5000));
    if (registers > 0) {
        m_server->write(registerAnswer(registers, 2 * registers, 5000));
        QVERIFY(QTest::qWaitFor([&] { return m_w->haberlesme.lineCount() > lines + 1; }, 5000));
    }
    // The answers carry no serial: each is stored where the register cursor
    // stands, inside row 1 and the rows after it.
    const RegisterStore &store = m_w->vd1kal.store();
    QCOMPARE(store.startRegister, 125 + registers);
    QCOMPARE(store.read(1, 0), 1000.0);
    if (registers > 0)
        QCOMPARE(store.read(1, 125), 5000.0);
    QVERIFY(m_w->ana.state().connected);
    m_server->write(kPong);
    QVERIFY(waitForMessage(QStringLiteral("Pong")));
}

// ---------------------------------------------------------------------------

void TstServerLoad::thousandMessagesASecondForAMinute()
{
    // Every kind the server sends unasked, each its own write, a thousand a
    // second for a minute, from a server on its own thread.
    const QList<QByteArray> kinds = {
        kPong,
        QByteArray("yenimesaj\x01\xF4"),
        QByteArray("Hattayok\x01"
                   "12010\x01\xF4"),
        QByteArray("akimdegerleri\x01"
                   "1,5\x01"
                   "2,5\x01"
                   "3,5\x01"
                   "4,5\x01 12003\x01"
                   "01.01.2024\x01"
                   "12:00:00\x01\xF4"),
        QByteArray("Sycdegerleri\x01"
                   "1\x01"
                   "2\x01"
                   "3\x01\xF4"),
        QByteArray("reaktifenerji\x01"
                   "12001\x01"
                   "01.01.2024\x01"
                   "08.01.2024\x01"
                   "1000\x01"
                   "1100\x01"
                   "50\x01"
                   "66\x01"
                   "0\x01"
                   "12\x01\xF4"),
        QByteArray("haklar\x01\xF4input\x01\xF4"
                   "degerler\x01\xF4"),
    };
    QList<QByteArray> cycle;
    for (int n = 0; n < 7000; ++n) {
        if (n % 100 == 7)
            cycle << device("saha", "QRN410", "Pano", QByteArray::number(20000 + n).constData());
        else if (n % 100 == 8)
            cycle << wire::buildRequest("mesajvar", {"Duyuru", QByteArray::number(n)});
        else
            cycle << kinds[n % kinds.size()];
    }
    FloodServer flood(cycle, QByteArray("Hattayok\x01SON\x01\xF4"), 1000, 60);
    pressConnect(*m_w, flood.port());
    QVERIFY(QTest::qWaitFor([&] { return m_w->ana.state().connected; }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return flood.finished(); }, 90000));
    QVERIFY(waitForMessage(QStringLiteral("SON Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin..."),
                           60000));
    qInfo("%d messages in %lld bytes", flood.sent(), m_bytesRead);
    QVERIFY(flood.sent() >= 60000);
    QVERIFY(m_w->ana.state().connected);
    QCOMPARE(m_w->ana.state().messageCount, 600);
    QCOMPARE(m_w->ana.state().deviceCount, 601);
}

// The serial slots, the stored messages, the log's lines and its characters
// each filled to their last place, over the socket where a read does it: the
// read that fills a store is taken whole, one more is refused or drops the
// oldest, and the log says what was refused.
void TstServerLoad::storesFilledToTheirBounds()
{
    logIn();
    ConnectionState &conn = m_w->ana.state();
    primed([&] {
        while (conn.deviceCount < ConnectionState::kMaxDevices)
            conn.addDevice("1");
        while (conn.messageCount < ConnectionState::kMaxMessages - 1)
            conn.addMessage("t", "m");
    });
    m_server->write(device("depo", "QRN410", "Son", "77777") + device("depo", "QRN410", "Fazla", "88888")
                    + wire::buildRequest("mesajvar", {"Son", "metin"})
                    + wire::buildRequest("mesajvar", {"Fazla", "metin"}) + kPong);
    QVERIFY(waitForMessage(QStringLiteral("Pong")));
    QCOMPARE(conn.deviceCount, ConnectionState::kMaxDevices + 1);
    QCOMPARE(conn.deviceSerials.size(), ConnectionState::kMaxDevices + 1);
    QCOMPARE(conn.serialAt(ConnectionState::kMaxDevices), QByteArray("77777"));
    QCOMPARE(conn.messageCount, ConnectionState::kMaxMessages);
    QCOMPARE(conn.messageTitles.size(), ConnectionState::kMaxMessages);
    QCOMPARE(conn.messageTitleAt(ConnectionState::kMaxMessages - 1), QByteArray("Son"));
    QVERIFY(itemOf(QStringLiteral("88888"))); // the bar lists it all the same
    const int lines = m_w->haberlesme.lineCount();
    QVERIFY(m_w->haberlesme.line(lines - 2).contains(QStringLiteral("88888")));
    QVERIFY(m_w->haberlesme.line(lines - 1).contains(QStringLiteral("\"Fazla\"")));

    CommunicationLogModel *log = m_w->haberlesme.model();
    primed([&] {
        log->clear();
        while (log->rowCount() < CommunicationLogModel::kMaxLines)
            log->append(QStringLiteral("x"));
    });
    QCOMPARE(log->droppedLines(), 0);
    m_server->write(QByteArray("Hattayok\x01SON\x01\xF4"));
    QVERIFY(waitForMessage(QStringLiteral("SON Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...")));
    QCOMPARE(log->rowCount(), CommunicationLogModel::kMaxLines - CommunicationLogModel::kDropBatch + 1);
    QCOMPARE(log->droppedLines(), qint64(CommunicationLogModel::kDropBatch));
    QVERIFY(log->line(log->rowCount() - 1).endsWith(QStringLiteral("Hattayok<01>SON<01>ô")));

    primed([&] {
        log->clear();
        log->append(QString(CommunicationLogModel::kMaxChars - 10, QLatin1Char('a')));
        log->append(QString(10, QLatin1Char('b')));
    });
    QCOMPARE(log->charCount(), CommunicationLogModel::kMaxChars);
    QCOMPARE(log->rowCount(), 2);
    m_server->write(kPong);
    QVERIFY(waitForMessage(QStringLiteral("Pong")));
    QCOMPARE(log->rowCount(), 1);
    QVERIFY(log->charCount() <= CommunicationLogModel::kMaxChars);
}

QTEST_MAIN(TstServerLoad)
#include "tst_server_load.moc"
