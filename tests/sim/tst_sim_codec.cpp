// The simulator's encoders: Modbus frames, the "$" text the server relays them
// in, and that the client's own decoder reads back what the simulator wrote.
#include "modbus.h"
#include "payload_decoder.h"
#include "register_store.h"
#include "sim_log.h"

#include <QTest>

#include <vector>

using namespace sim;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(quint8(v)));
    return out;
}

} // namespace

class TstSimCodec : public QObject {
    Q_OBJECT
private slots:
    void crc_data();
    void crc();
    void frames_data();
    void frames();
    void readResponseLimit();
    void payloadText_data();
    void payloadText();
    void clientReadsWhatTheSimulatorWrites_data();
    void clientReadsWhatTheSimulatorWrites();
    void enerjialEnvelope();
    void logShortening_data();
    void logShortening();
    void logHidesPasswords_data();
    void logHidesPasswords();
};

void TstSimCodec::crc_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("crc");
    // The standard check value of the Modbus CRC.
    QTest::newRow("check string") << QByteArray("123456789") << 0x4B37;
    QTest::newRow("empty keeps the start value") << QByteArray() << 0xFFFF;
    // Read of 1 register at 0 from station 1: the frame every Modbus manual shows (84 0A on the wire).
    QTest::newRow("read request") << bytes({0x01, 0x03, 0x00, 0x00, 0x00, 0x01}) << 0x0A84;
    // A frame followed by its own CRC (low byte first) leaves a remainder of 0.
    QTest::newRow("frame with its CRC") << bytes({0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x84, 0x0A}) << 0x0000;
}

void TstSimCodec::crc()
{
    QFETCH(QByteArray, input);
    QFETCH(int, crc);
    QCOMPARE(int(modbus::crc16(input)), crc);
}

void TstSimCodec::frames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("body"); // without the CRC

    const std::vector<quint16> regs{0x000A, 0x012C, 0xFFFF};
    QTest::newRow("read response") << modbus::readResponse(regs)
                                   << bytes({1, 3, 6, 0x00, 0x0A, 0x01, 0x2C, 0xFF, 0xFF});
    QTest::newRow("read response, other station") << modbus::readResponse(std::vector<quint16>{7}, 9)
                                                  << bytes({9, 3, 2, 0, 7});
    QTest::newRow("read response, no registers") << modbus::readResponse({}) << bytes({1, 3, 0});
    QTest::newRow("write single echo") << modbus::writeSingleEcho(0x4002, 0x1234)
                                       << bytes({1, 6, 0x40, 0x02, 0x12, 0x34});
    QTest::newRow("write multiple echo") << modbus::writeMultipleEcho(0x4010, 3)
                                         << bytes({1, 16, 0x40, 0x10, 0x00, 0x03});
    QTest::newRow("exception") << modbus::exceptionReply(6, 3) << bytes({1, 0x86, 3});
}

void TstSimCodec::frames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, body);
    QCOMPARE(frame.chopped(2), body);
    const quint16 crc = modbus::crc16(body);
    QCOMPARE(quint8(frame.at(frame.size() - 2)), quint8(crc & 0xFF)); // low byte first
    QCOMPARE(quint8(frame.at(frame.size() - 1)), quint8(crc >> 8));
    QCOMPARE(modbus::crc16(frame), quint16(0));
}

void TstSimCodec::readResponseLimit()
{
    // 130 registers would need a byte count of 260, which wraps to 4.
    std::vector<quint16> regs(130);
    for (size_t i = 0; i < regs.size(); ++i)
        regs[i] = quint16(i);
    const QByteArray frame = modbus::readResponse(regs);
    QCOMPARE(quint8(frame.at(2)), quint8(2 * modbus::kMaxReadRegisters));
    QCOMPARE(frame.size(), 3 + 2 * modbus::kMaxReadRegisters + 2);
    QCOMPARE(modbus::crc16(frame), quint16(0));
}

void TstSimCodec::payloadText_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("plain bytes") << bytes({1, 6, 64, 0, 255, 10}) << QByteArray("1$6$64$0$255$10$");
    // Every byte 3 after the station goes as 199$239: function code, byte count and data alike.
    QTest::newRow("function code 3") << bytes({1, 3, 2, 0, 7}) << QByteArray("1$199$239$2$0$7$");
    QTest::newRow("data bytes 3") << bytes({1, 16, 3, 3, 0}) << QByteArray("1$16$199$239$199$239$0$");
    QTest::newRow("station 3 stays") << bytes({3, 6}) << QByteArray("3$6$");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    // The write echoes the client checks by their first bytes.
    QTest::newRow("single write echo prefix") << modbus::writeSingleEcho(0x4000, 5).left(3)
                                              << QByteArray("1$6$64$");
    QTest::newRow("multiple write echo prefix") << modbus::writeMultipleEcho(0x4000, 2).left(3)
                                                << QByteArray("1$16$64$");
}

void TstSimCodec::payloadText()
{
    QFETCH(QByteArray, frame);
    QTEST(modbus::payloadText(frame), "text");
}

void TstSimCodec::clientReadsWhatTheSimulatorWrites_data()
{
    QTest::addColumn<QList<int>>("registers");
    QTest::newRow("small values") << QList<int>{10, 300, 0, 1};
    QTest::newRow("bytes of 3 everywhere") << QList<int>{3, 0x0303, 0x0300, 768, 3};
    QTest::newRow("full range") << QList<int>{0xFFFF, 0x8000, 0x7FFF, 0x00FF};
    QTest::newRow("one register") << QList<int>{3};
    QList<int> many;
    for (int i = 0; i < 102; ++i)
        many.append((i * 2654435761u) & 0xFFFF);
    QTest::newRow("harmonic table size") << many;
}

void TstSimCodec::clientReadsWhatTheSimulatorWrites()
{
    QFETCH(QList<int>, registers);
    std::vector<quint16> regs;
    for (int r : registers)
        regs.push_back(quint16(r));
    // (A data byte 199 followed by 239 would read as one byte 3: none of
    // these values has that pair.)
    const QByteArray text = modbus::payloadText(modbus::readResponse(regs));

    RegisterStore store;
    store.targetRow = 1;
    store.startRegister = 129;
    payload::decode(text, store);
    QCOMPARE(store.startRegister, 129 + int(regs.size()));
    for (size_t i = 0; i < regs.size(); ++i) {
        QCOMPARE(store.read(1, 129 + int(i)), double(regs[i]));
        QCOMPARE(store.readRaw(1, 4 * (129 + int(i))), regs[i] >> 8);
        QCOMPARE(store.readRaw(1, 4 * (129 + int(i)) + 1), regs[i] & 0xFF);
    }
}

void TstSimCodec::enerjialEnvelope()
{
    const QByteArray m = modbus::enerjialMessage("1$6$64$");
    // The client skips 11 bytes ("enerjial" and three more) and takes the rest.
    QCOMPARE(m.size(), 11 + 7);
    QVERIFY(m.startsWith("enerjial"));
    QCOMPARE(m.mid(11), QByteArray("1$6$64$"));
    QVERIFY(!m.endsWith("\xF4\xF4\xF4"));
}

void TstSimCodec::logShortening_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("text");
    QTest::newRow("control bytes") << QByteArray("pong\x01\xF4\xF4\xF4") << 120 << QStringLiteral("pong<01>ôôô");
    QTest::newRow("Turkish letters") << QByteArray("\xDEube\x01") << 120 << QStringLiteral("Şube<01>");
    QTest::newRow("at the limit") << QByteArray("abcd") << 4 << QStringLiteral("abcd");
    QTest::newRow("shortened with the size") << QByteArray("abcdef") << 4 << QStringLiteral("abcd … (6 bytes)");
}

void TstSimCodec::logShortening()
{
    QFETCH(QByteArray, wire);
    QFETCH(int, shown);
    QTEST(log::bytes(wire, shown), "text");
}

void TstSimCodec::logHidesPasswords_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("text");
    QTest::newRow("login") << QByteArray("kulsifre\x01" "demo\x01" "1234\x02") << 120
                           << QStringLiteral("kulsifre<01>demo<01>***<02>");
    QTest::newRow("password in code page 1254") << QByteArray("kulsifre\x01" "\xFD\x01" "\xDE\xFEifre\x02") << 120
                                                << QStringLiteral("kulsifre<01>ı<01>***<02>");
    QTest::newRow("password ended by 0x01") << QByteArray("kulsifre\x01" "demo\x01" "1234\x01") << 120
                                            << QStringLiteral("kulsifre<01>demo<01>***");
    QTest::newRow("one field only") << QByteArray("kulsifre\x01" "1234\x02") << 120
                                    << QStringLiteral("kulsifre<01>***<02>");
    QTest::newRow("masked before shortening") << QByteArray("kulsifre\x01" "demo\x01" + QByteArray(200, '7') + '\x02')
                                              << 120 << QStringLiteral("kulsifre<01>demo<01>***<02>");
    QTest::newRow("bare keyword") << QByteArray("kulsifre") << 120 << QStringLiteral("kulsifre");
    QTest::newRow("other requests as they are") << QByteArray("yenimesajiste\x01" "demo\x01") << 120
                                                << QStringLiteral("yenimesajiste<01>demo<01>");
}

void TstSimCodec::logHidesPasswords()
{
    QFETCH(QByteArray, request);
    QFETCH(int, shown);
    QTEST(log::request(request, shown), "text");
}

QTEST_GUILESS_MAIN(TstSimCodec)
#include "tst_sim_codec.moc"
