// The word split and the requests of the relay settings and capacitor steps,
// byte for byte as they go on the wire.
#include "settings_requests.h"
#include "split_word.h"

#include <QTest>

#include <limits>

using namespace commands;

namespace {

// keyword 0x01 field 0x01 … F4 F4 F4, written out by hand.
QByteArray onWire(const QByteArray &keyword, const QList<QByteArray> &fields)
{
    QByteArray r = keyword + '\x01';
    for (const QByteArray &f : fields)
        r += f + '\x01';
    return r + "\xF4\xF4\xF4";
}

} // namespace

class TstSettingsRequests : public QObject {
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void twosComplement_data();
    void twosComplement();
    void requests_data();
    void requests();
    void switchStatus();
};

void TstSettingsRequests::split_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<QByteArray>("high");
    QTest::addColumn<QByteArray>("low");

    QTest::newRow("300") << 300 << QByteArray("1") << QByteArray("44");
    QTest::newRow("2000") << 2000 << QByteArray("7") << QByteArray("208");
    QTest::newRow("0") << 0 << QByteArray("0") << QByteArray("0");
    QTest::newRow("255") << 255 << QByteArray("0") << QByteArray("255");
    QTest::newRow("256") << 256 << QByteArray("1") << QByteArray("0");
    QTest::newRow("5000") << 5000 << QByteArray("19") << QByteArray("136");
    QTest::newRow("65535") << 65535 << QByteArray("255") << QByteArray("255");
    QTest::newRow("65526") << 65526 << QByteArray("255") << QByteArray("246");
    QTest::newRow("65536 carries past a byte") << 65536 << QByteArray("256") << QByteArray("0");
    // Truncating remainder: the low part keeps the sign of the value.
    QTest::newRow("-5") << -5 << QByteArray("0") << QByteArray("-5");
    QTest::newRow("-256") << -256 << QByteArray("-1") << QByteArray("0");
    QTest::newRow("-257") << -257 << QByteArray("-1") << QByteArray("-1");
    QTest::newRow("-300") << -300 << QByteArray("-1") << QByteArray("-44");
    QTest::newRow("largest") << std::numeric_limits<qint32>::max() << QByteArray("8388607") << QByteArray("255");
    QTest::newRow("smallest") << std::numeric_limits<qint32>::min() << QByteArray("-8388608") << QByteArray("0");
}

void TstSettingsRequests::split()
{
    QFETCH(qint32, value);
    QFETCH(QByteArray, high);
    QFETCH(QByteArray, low);
    const SplitWord parts = splitWord(value);
    QCOMPARE(parts.high, high);
    QCOMPARE(parts.low, low);
}

void TstSettingsRequests::twosComplement_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<qint32>("word");
    QTest::newRow("-1") << -1 << 65535;
    QTest::newRow("-10") << -10 << 65526;
    QTest::newRow("-75") << -75 << 65461;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("75") << 75 << 75;
    QTest::newRow("smallest does not overflow")
        << std::numeric_limits<qint32>::min() << std::numeric_limits<qint32>::min() + 65536;
}

void TstSettingsRequests::twosComplement()
{
    QFETCH(qint32, value);
    QFETCH(qint32, word);
    QCOMPARE(twosComplement16(value), word);
}

void TstSettingsRequests::requests_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray s = "12001";
    QTest::newRow("CT 300, the wire example")
        << requests::currentTransformer(s, 300)
        << QByteArray("zorvctyaz\x01" "12001\x01" "1\x01" "44\x01\xF4\xF4\xF4");
    QTest::newRow("CT 2000") << requests::currentTransformer(s, 2000) << onWire("zorvctyaz", {s, "7", "208"});
    QTest::newRow("CT 0") << requests::currentTransformer(s, 0) << onWire("zorvctyaz", {s, "0", "0"});
    QTest::newRow("CT -5 as typed") << requests::currentTransformer(s, -5) << onWire("zorvctyaz", {s, "0", "-5"});
    QTest::newRow("tan phi -1") << requests::tanPhi(s, -1) << onWire("zorvtanfiyaz", {s, "255", "255"});
    QTest::newRow("tan phi -10") << requests::tanPhi(s, -10) << onWire("zorvtanfiyaz", {s, "255", "246"});
    QTest::newRow("tan phi 75") << requests::tanPhi(s, 75) << onWire("zorvtanfiyaz", {s, "0", "75"});
    QTest::newRow("inductive limit") << requests::inductiveLimit(s, 15)
                                     << onWire("zorvindcezasiniryaz", {s, "0", "15"});
    QTest::newRow("capacitive limit") << requests::capacitiveLimit(s, 10)
                                      << onWire("zorvkapcezasiniryaz", {s, "0", "10"});
    QTest::newRow("switching times") << requests::switchingTimes(s, 10, 300, 2)
                                     << onWire("zorvalmacikarmayaz", {s, "0", "10", "1", "44", "0", "2"});
    QTest::newRow("learning and direction enabled")
        << requests::learningAndDirection(s, true, true)
        << onWire("zorvkonogryonyaz", {s, "0", "0", "0", "0", "0", "0"});
    QTest::newRow("learning disabled") << requests::learningAndDirection(s, false, true)
                                       << onWire("zorvkonogryonyaz", {s, "0", "1", "0", "0", "0", "0"});
    QTest::newRow("direction disabled") << requests::learningAndDirection(s, true, false)
                                        << onWire("zorvkonogryonyaz", {s, "0", "0", "0", "1", "0", "0"});
    QTest::newRow("manual") << requests::switchingMode(s, true) << onWire("zorvotomanuelyaz", {s, "1"});
    QTest::newRow("automatic") << requests::switchingMode(s, false) << onWire("zorvotomanuelyaz", {s, "0"});
    QTest::newRow("fast mode on") << requests::fastMode(s, true) << onWire("zorvhizlimod", {s, "1"});
    QTest::newRow("fast mode off") << requests::fastMode(s, false) << onWire("zorvhizlimod", {s, "0"});
    QTest::newRow("read constants") << requests::readConstants(s) << onWire("zorvsabitiste", {s});
    QTest::newRow("read steps") << requests::readSteps(s) << onWire("kondasatordurum", {s});
    QTest::newRow("step 3 with 300, 0, 5000")
        << requests::writeStep(s, 3, 300, 0, 5000)
        << onWire("Kondandegeryaz", {s, "1", "44", "0", "0", "19", "136", "0", "3"});
    QTest::newRow("step 18") << requests::writeStep(s, 18, 1, 1, 1)
                             << onWire("Kondandegeryaz", {s, "0", "1", "0", "1", "0", "1", "0", "18"});
    QTest::newRow("switch step 18") << requests::switchStep(s, 18) << onWire("zorvdevreyealcikart", {s, "18"});
    QTest::newRow("empty serial") << requests::switchStep(QByteArray(), 1)
                                  << QByteArray("zorvdevreyealcikart\x01\x01" "1\x01\xF4\xF4\xF4");
}

void TstSettingsRequests::requests()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void TstSettingsRequests::switchStatus()
{
    QCOMPARE(requests::switchStepStatus(18),
             QStringLiteral("18 nolu Kondansator devreye alınıyor/çıkartılıyor.Lütfen bekleyin..."));
    QCOMPARE(requests::switchStepStatus(1).left(8), QStringLiteral("1 nolu K"));
}

QTEST_MAIN(TstSettingsRequests)
#include "tst_settings_requests.moc"
