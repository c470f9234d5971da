// The simulator's waveform samples, industrial modem and overcurrent relay,
// over a real connection: the bytes each request is answered with and the
// state the devices keep between requests.
#include "modbus.h"
#include "sim_device.h"
#include "sim_server.h"
#include "sim_waveform.h"
#include "wire.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace sim;

namespace {

const QByteArray kEnd = QByteArrayLiteral("\xF4\xF4\xF4");
const QByteArray kEnvelope = QByteArrayLiteral("enerjial\x01\x01\x01");

QByteArray request(const QByteArray &keyword, const QList<QByteArray> &fields)
{
    return wire::buildRequest(keyword, fields);
}

// The byte values of a "$"-ended text, read as the client reads it.
QList<int> bytesOf(QByteArray text)
{
    text.replace("$199$239", "$3");
    QList<int> out;
    for (const QByteArray &t : text.split('$')) {
        if (!t.isEmpty())
            out.append(t.toInt());
    }
    return out;
}

struct Client {
    QTcpSocket socket;
    QByteArray received;

    bool open(quint16 port)
    {
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(3000))
            return false;
        send(wire::loginRequest("demo", "1234"));
        // The device list ends with the industrial modem.
        return waitFor([this] { return received.contains("XYZ100"); });
    }
    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    template <class F> bool waitFor(F done, int ms = 3000)
    {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < ms) {
            QTest::qWait(5);
            received += socket.readAll();
        }
        return done();
    }
    // What arrives for one request, and nothing for a while after it.
    QByteArray exchange(const QByteArray &bytes, int quietMs = 150)
    {
        QTest::qWait(20);
        received += socket.readAll();
        received.clear();
        send(bytes);
        QElapsedTimer t;
        t.start();
        qint64 last = 0;
        while (t.elapsed() - last < quietMs && t.elapsed() < 3000) {
            QTest::qWait(5);
            const QByteArray more = socket.readAll();
            if (!more.isEmpty()) {
                received += more;
                last = t.elapsed();
            }
        }
        return received;
    }
};

} // namespace

class TstSimOutputs : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void samplesUseTheByteRange_data();
    void samplesUseTheByteRange();
    void escapePairIsAvoided();
    void waveformAnswers_data();
    void waveformAnswers();
    void modemRelays();
    void waterMeterIndex_data();
    void waterMeterIndex();
    void modemStateIsSharedBySessions();
    void overcurrentRelay();
    void requestsTheDevicesDoNotUnderstand_data();
    void requestsTheDevicesDoNotUnderstand();

private:
    std::unique_ptr<SimServer> m_server;
    std::unique_ptr<Client> m_client;
    QStringList m_log;
};

void TstSimOutputs::init()
{
    m_log.clear();
    m_server = std::make_unique<SimServer>();
    m_server->setLogger([this](const QString &line) { m_log.append(line); });
    QVERIFY(m_server->listen(QHostAddress::LocalHost, 0));
    m_client = std::make_unique<Client>();
    QVERIFY(m_client->open(m_server->port()));
}

void TstSimOutputs::cleanup()
{
    m_client.reset();
    m_server.reset();
}

void TstSimOutputs::samplesUseTheByteRange_data()
{
    QTest::addColumn<double>("rms");
    QTest::addColumn<int>("peak");
    QTest::newRow("voltage") << 230.0 << kWavePeakCounts;
    QTest::newRow("small current") << 0.2 << kWavePeakCounts;
    QTest::newRow("no current") << 0.0 << 0;
}

// Whatever the RMS value, the largest sample is the agreed peak; a waveform
// without RMS is flat.
void TstSimOutputs::samplesUseTheByteRange()
{
    QFETCH(double, rms);
    QFETCH(int, peak);
    PhaseWave w;
    w.voltageRms = rms;
    w.currentRms = rms;
    w.currentPercent = {100, 30, 0, 10};
    const PhaseSamples s = samplePhase(w);
    int vPeak = 0, iPeak = 0;
    for (int i = 0; i < kWaveSamples; ++i) {
        vPeak = qMax(vPeak, qAbs(int(s.voltage[size_t(i)])));
        iPeak = qMax(iPeak, qAbs(int(s.current[size_t(i)])));
    }
    QCOMPARE(vPeak, peak);
    QCOMPARE(iPeak, peak);
    if (peak) {
        // A pure sine: sample 16 is the crest, sample 48 the trough.
        QCOMPARE(int(s.voltage[16]), peak);
        QCOMPARE(int(s.voltage[48]), -peak);
    }
}

// A sample byte 199 followed by 239 would come back as one byte 3.
void TstSimOutputs::escapePairIsAvoided()
{
    PhaseSamples s;
    s.voltage[10] = qint8(199 - 256);
    s.voltage[11] = qint8(239 - 256);
    s.current[63] = qint8(199 - 256);
    const QByteArray text = waveformPayload(s);
    const QList<int> bytes = bytesOf(text);
    QCOMPARE(bytes.size(), 3 + 128 + 2);
    QCOMPARE(bytes.mid(0, 3), (QList<int>{1, 3, 128}));
    QCOMPARE(bytes[3 + 10], 199);
    QVERIFY(qAbs(bytes[3 + 11] - 239) == 1);
    QByteArray frame;
    for (int b : bytes)
        frame.append(char(b));
    QCOMPARE(modbus::crc16(frame), quint16(0)); // CRC over data and CRC is 0
}

void TstSimOutputs::waveformAnswers_data()
{
    QTest::addColumn<QByteArray>("keyword");
    QTest::addColumn<quint32>("serial");
    QTest::addColumn<int>("phase");
    QTest::newRow("analyser phase 1") << QByteArray("harmonikbir") << 12001u << 1;
    QTest::newRow("analyser phase 2") << QByteArray("harmonikiki") << 12001u << 2;
    QTest::newRow("relay phase 3") << QByteArray("harmonikuc") << 12002u << 3;
}

// One write: the envelope, the frame's text and nothing after it; the samples
// are those of the device's waveform content.
void TstSimOutputs::waveformAnswers()
{
    QFETCH(QByteArray, keyword);
    QFETCH(quint32, serial);
    QFETCH(int, phase);
    const QByteArray answer = m_client->exchange(request(keyword, {QByteArray::number(serial)}));
    QVERIFY(answer.startsWith(kEnvelope));
    QVERIFY(answer.endsWith('$'));
    const QList<int> bytes = bytesOf(answer.mid(kEnvelope.size()));
    QCOMPARE(bytes.size(), 3 + 128 + 2);
    const PhaseWave &wave = m_server->device(serial)->waves()[size_t(phase - 1)];
    const PhaseSamples expected = samplePhase(wave);
    for (int i = 0; i < 64; ++i) {
        QCOMPARE(qint8(bytes[3 + i]), expected.voltage[size_t(i)]);
        QCOMPARE(qint8(bytes[3 + 64 + i]), expected.current[size_t(i)]);
    }
    // The current of a loaded site is not a sine: its fifth harmonic shows.
    QVERIFY(wave.currentRms > 0);
    QVERIFY(wave.currentPercent[2] > 5);
}

void TstSimOutputs::modemRelays()
{
    const auto modem = [this](const QByteArray &command) {
        return m_client->exchange(request("modemkomut", {"12006", command}));
    };
    QCOMPARE(modem("rolesorgula"), kEnvelope + "R\xF6le11#R\xF6le20#R\xF6le30#");
    QCOMPARE(modem("output11"), kEnvelope + "output1#1");
    QCOMPARE(modem("output00"), kEnvelope + "output0#0");
    QCOMPARE(modem("output21"), kEnvelope + "output2#1");
    QCOMPARE(modem("rolesorgula"), kEnvelope + "R\xF6le10#R\xF6le21#R\xF6le31#");
    QVERIFY(m_log.join('\n').contains("modem output 2 pulled"));
}

// The index is written in litres and read back in litres.
void TstSimOutputs::waterMeterIndex_data()
{
    QTest::addColumn<QByteArray>("write");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("index");
    const QByteArray written = kEnvelope + "Yeni endeks de\xF0" "eri yazildi";
    QTest::newRow("1500 litres") << QByteArray("ellesuendeksyaz1500#") << written << QByteArray("1500");
    QTest::newRow("zero") << QByteArray("ellesuendeksyaz0#") << written << QByteArray("0");
    QTest::newRow("5 000 000") << QByteArray("ellesuendeksyaz5000000#") << written << QByteArray("5000000");
    QTest::newRow("nine digits") << QByteArray("ellesuendeksyaz999999999#") << written << QByteArray("999999999");
    // Beyond what the modem holds (and what the client reads back as a number).
    QTest::newRow("ten digits: refused") << QByteArray("ellesuendeksyaz2147483648#") << QByteArray()
                                         << QByteArray("1284350");
    QTest::newRow("without #: refused") << QByteArray("ellesuendeksyaz1500") << QByteArray()
                                        << QByteArray("1284350");
    QTest::newRow("a fraction: refused") << QByteArray("ellesuendeksyaz12,5#") << QByteArray()
                                         << QByteArray("1284350");
    QTest::newRow("no digits: refused") << QByteArray("ellesuendeksyaz#") << QByteArray() << QByteArray("1284350");
}

void TstSimOutputs::waterMeterIndex()
{
    QFETCH(QByteArray, write);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, index);
    QCOMPARE(m_client->exchange(request("modemkomut", {"12006", "suendeksver"})), kEnvelope + "suendeks1284350");
    QCOMPARE(m_client->exchange(request("modemkomut", {"12006", write})), answer);
    QCOMPARE(m_client->exchange(request("modemkomut", {"12006", "suendeksver"})), kEnvelope + "suendeks" + index);
}

void TstSimOutputs::modemStateIsSharedBySessions()
{
    m_client->exchange(request("modemkomut", {"12006", "output10"}));
    m_client->exchange(request("modemkomut", {"12006", "ellesuendeksyaz777#"}));
    Client other;
    QVERIFY(other.open(m_server->port()));
    QCOMPARE(other.exchange(request("modemkomut", {"12006", "rolesorgula"})),
             kEnvelope + "R\xF6le11#R\xF6le20#R\xF6le30#");
    QCOMPARE(other.exchange(request("modemkomut", {"12006", "suendeksver"})), kEnvelope + "suendeks777");
}

void TstSimOutputs::overcurrentRelay()
{
    // The serial as the Sno display carries it, with its leading blank.
    const QByteArray answer = m_client->exchange(request("AARdegerlerioku", {" 12003"}));
    QVERIFY2(answer.startsWith("akimdegerleri\x01"), answer.constData());
    const QList<QByteArray> fields = answer.mid(14).split('\x01');
    QCOMPARE(fields.size(), 8); // seven fields and the terminator
    QCOMPARE(fields.last(), kEnd);
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const double amps = fields[i].toDouble(&ok);
        QVERIFY2(ok && amps >= 0 && amps < 1000, fields[i].constData());
    }
    QCOMPARE(fields[4], QByteArray("12003"));
    QVERIFY(QDate::fromString(QString::fromLatin1(fields[5]), "dd.MM.yyyy").isValid());
    QVERIFY(QTime::fromString(QString::fromLatin1(fields[6]), "hh:mm:ss").isValid());

    QCOMPARE(m_client->exchange(request("roleaktif", {" 12003", QByteArray(1, '\x50')})), QByteArray());
    QVERIFY(m_log.join('\n').contains("relays pulled 1:1 2:0 3:1"));
    QCOMPARE(m_client->exchange(wire::buildRequest("sabitleriyaz")), QByteArray());
    QVERIFY(m_log.join('\n').contains("constants written to 1 overcurrent relay(s)"));
}

// Requests for the wrong device or with a command it does not know are logged
// and left unanswered.
void TstSimOutputs::requestsTheDevicesDoNotUnderstand_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("logged");
    QTest::newRow("waveform of a meter modem") << request("harmonikbir", {"12004"}) << "samples no waveforms";
    QTest::newRow("waveform of the overcurrent relay") << request("harmonikuc", {"12003"}) << "samples no waveforms";
    QTest::newRow("modem command to an analyser") << request("modemkomut", {"12001", "rolesorgula"})
                                                  << "not an industrial modem";
    QTest::newRow("unknown output") << request("modemkomut", {"12006", "output31"}) << "not understood";
    QTest::newRow("output without state") << request("modemkomut", {"12006", "output1"}) << "not understood";
    QTest::newRow("unknown sub-command") << request("modemkomut", {"12006", "reset"}) << "not understood";
    QTest::newRow("values of a modem") << request("AARdegerlerioku", {"12006"}) << "not an overcurrent relay";
    QTest::newRow("mask of two bytes") << request("roleaktif", {" 12003", "\x10\x20"}) << "not one byte";
    QTest::newRow("someone else's device") << request("harmonikbir", {"99999"}) << "not a device of demo";
}

void TstSimOutputs::requestsTheDevicesDoNotUnderstand()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, logged);
    QCOMPARE(m_client->exchange(bytes), QByteArray());
    QVERIFY2(m_log.join('\n').contains(logged), qPrintable(m_log.join('\n')));
}

QTEST_MAIN(TstSimOutputs)
#include "tst_sim_outputs.moc"
