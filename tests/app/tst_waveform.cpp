// The waveform answer of one phase: samples into the two stores, the plot on
// the phase's picture, the guard on bad tokens, and the analysis that follows.
#include "feature_pages.h"

#include "harmonic_analysis.h"
#include "image_area.h"
#include "pending.h"
#include "spin_edit.h"

#include <QtTest>

#include <cmath>

namespace {

const QRgb kYellow = qRgb(0xFF, 0xFF, 0x00);
const QRgb kGreen = qRgb(0x00, 0xFF, 0x00);
const QRgb kBlue = qRgb(0x00, 0x00, 0x40);
const QRgb kRed = qRgb(0x40, 0x00, 0x00);

// The rows of column x that carry the colour.
QList<int> rowsOf(const QImage &img, int x, QRgb colour)
{
    QList<int> rows;
    for (int y = 0; y < img.height(); ++y) {
        if (img.pixel(x, y) == colour)
            rows.append(y);
    }
    return rows;
}

QList<int> constant(int value, int count)
{
    return QList<int>(count, value);
}

const QByteArray &pendingOf(int phase)
{
    return phase == 1 ? pending::harmonikb : phase == 2 ? pending::harmoniki : pending::harmoniku;
}

} // namespace

class TstWaveform : public QObject {
    Q_OBJECT
private slots:
    void sampleBytesAreSigned_data();
    void sampleBytesAreSigned();
    void phaseOnePlotsEighteenPixelsLower();
    void currentPartIsGreenFromTheNextLine();
    void backgroundHalves();
    void answersGoToTheirPhase_data();
    void answersGoToTheirPhase();
    void shortAnswersLeaveTheCurrentStore_data();
    void shortAnswersLeaveTheCurrentStore();
    void badTokensEndTheSampling_data();
    void badTokensEndTheSampling();
    void samplesBeyondTheStoresAreIgnored();
    void escapedThreeIsReadBack();
};

// Every sample of a phase-2 answer carries the same byte; the store holds it
// as a signed value and the line runs at that value + 110.
void TstWaveform::sampleBytesAreSigned_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("stored");
    QTest::newRow("200 is -56") << 200 << -56;
    QTest::newRow("127 stays") << 127 << 127;
    QTest::newRow("128 is -128") << 128 << -128;
    QTest::newRow("255 is -1") << 255 << -1;
    QTest::newRow("0 stays") << 0 << 0;
    QTest::newRow("a negative token is taken as it is") << -5 << -5;
    QTest::newRow("beyond a byte, only the sign rule") << 300 << 44;
}

void TstWaveform::sampleBytesAreSigned()
{
    QFETCH(int, byte);
    QFETCH(int, stored);
    FeaturePages f;
    f.prog.activeSerial = 12001;
    f.conn.pendingRequest = pending::harmoniki;
    f.deliver(enerjial(waveformText(constant(byte, 130))));

    QCOMPARE(f.prog.harmonicSamplesA[0], double(stored));
    QCOMPARE(f.prog.harmonicSamplesA[63], double(stored));
    QCOMPARE(f.prog.harmonicSamplesB[0], double(stored));
    QCOMPARE(f.prog.harmonicSamplesB[65], double(stored));
    const int y = stored + 110;
    if (y >= 1 && y < 199) {
        const QImage &img = f.get<ImageArea>("Image2")->image();
        const QList<int> rows = rowsOf(img, 51, kYellow);
        QVERIFY2(rows.contains(y), qPrintable(QStringLiteral("rows %1").arg(QString::number(rows.value(0)))));
        QVERIFY(rows.size() <= 2);
    }
    QCOMPARE(f.LblMesaj->text(), QStringLiteral("12001 Seri Nolu Cihazın harmonik değerleri alınıyor. "));
    QCOMPARE(f.Label2->text(), QStringLiteral("12001 nolu cihaz harmonik verileri"));
}

// Phase 1 draws its points at n + 128, except the first, which every phase
// places at n + 110: for a constant wave its first point stands 18 pixels
// above the rest of its line, and the line 18 pixels below phase 2's.
void TstWaveform::phaseOnePlotsEighteenPixelsLower()
{
    FeaturePages f;
    const int value = 20;
    f.conn.pendingRequest = pending::harmonikb;
    f.deliver(enerjial(waveformText(constant(value, 130))));
    f.conn.pendingRequest = pending::harmoniki;
    f.deliver(enerjial(waveformText(constant(value, 130))));
    const QImage &one = f.get<ImageArea>("Image1")->image();
    const QImage &two = f.get<ImageArea>("Image2")->image();

    const QList<int> lineOne = rowsOf(one, 61, kYellow);
    const QList<int> lineTwo = rowsOf(two, 61, kYellow);
    QVERIFY(!lineOne.isEmpty());
    QCOMPARE(lineOne.first() - lineTwo.first(), 18);
    QVERIFY(lineOne.contains(value + 128));
    QVERIFY(lineTwo.contains(value + 110));
    // The first point: phase 1 starts at the height phase 2 keeps.
    QVERIFY(rowsOf(one, 0, kYellow).contains(value + 110));
    QVERIFY(!rowsOf(one, 0, kYellow).contains(value + 128));
    QCOMPARE(rowsOf(two, 0, kYellow), rowsOf(two, 61, kYellow));
}

void TstWaveform::currentPartIsGreenFromTheNextLine()
{
    FeaturePages f;
    f.conn.pendingRequest = pending::harmoniku;
    f.deliver(enerjial(waveformText(constant(0, 130))));
    const QImage &img = f.get<ImageArea>("Image3")->image();
    // The line to point 64 (x 126 to 128) is yellow, the one to 65 green;
    // had the colour changed a line early, x 126 would be green too.
    QVERIFY(rowsOf(img, 125, kYellow).contains(110));
    QVERIFY(rowsOf(img, 126, kYellow).contains(110));
    QVERIFY(rowsOf(img, 129, kGreen).contains(110));
    QVERIFY(rowsOf(img, 200, kGreen).contains(110));
    QVERIFY(rowsOf(img, 129, kYellow).isEmpty());
}

void TstWaveform::backgroundHalves()
{
    FeaturePages f;
    f.conn.pendingRequest = pending::harmoniki;
    f.deliver(enerjial(waveformText(constant(0, 130))));
    const QImage &img = f.get<ImageArea>("Image2")->image();
    QCOMPARE(img.width(), 254);
    QCOMPARE(img.pixel(0, 5), kBlue);
    QCOMPARE(img.pixel(126, img.height() - 1), kBlue);
    QCOMPARE(img.pixel(127, 5), kRed);
    QCOMPARE(img.pixel(253, img.height() - 1), kRed);
}

// The pending request chooses the picture and the phase analysed: the phase's
// value boxes get the fundamental, the other phases' stay empty.
void TstWaveform::answersGoToTheirPhase_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("voltageBox");
    QTest::addColumn<QString>("currentBox");
    QTest::newRow("phase 1") << 1 << "Image1" << "EditH22" << "EditH2";
    QTest::newRow("phase 2") << 2 << "Image2" << "EditH11" << "EditH12";
    QTest::newRow("phase 3") << 3 << "Image3" << "EditH31" << "EditH32";
}

void TstWaveform::answersGoToTheirPhase()
{
    QFETCH(int, phase);
    QFETCH(QString, picture);
    QFETCH(QString, voltageBox);
    QFETCH(QString, currentBox);
    FeaturePages f;
    f.conn.pendingRequest = pendingOf(phase);
    // Voltage 40·sin, current 20·sin: the fundamentals are close to 40 and 20.
    QList<int> samples;
    for (int k = 0; k < 128; ++k)
        samples.append(int(std::lround((k < 64 ? 40 : 20) * std::sin(2 * M_PI * (k % 64) / 64))) & 0xFF);
    f.deliver(enerjial(waveformText(samples)));

    for (const char *name : {"Image1", "Image2", "Image3"}) {
        const QImage &img = f.get<ImageArea>(QString::fromLatin1(name))->image();
        QCOMPARE(img.pixel(10, 2) == kBlue, picture == QLatin1String(name));
    }
    for (const char *name : {"EditH22", "EditH2", "EditH11", "EditH12", "EditH31", "EditH32"}) {
        const QString text = f.get<QLineEdit>(QString::fromLatin1(name))->text();
        if (name == voltageBox)
            QVERIFY2(std::abs(text.toDouble() - 40) < 0.5, qPrintable(text));
        else if (name == currentBox)
            QVERIFY2(std::abs(text.toDouble() - 20) < 0.5, qPrintable(text));
        else
            QVERIFY2(text.isEmpty(), name);
    }
    QCOMPARE(f.conn.pendingRequest, pendingOf(phase)); // the answer does not end the wait
}

// 64 samples or fewer reach only the voltage store: the current store keeps
// the previous answer's values and the current chart is drawn from them.
void TstWaveform::shortAnswersLeaveTheCurrentStore_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("64 samples") << 64;
    QTest::newRow("10 samples") << 10;
    QTest::newRow("no samples") << 0;
}

void TstWaveform::shortAnswersLeaveTheCurrentStore()
{
    QFETCH(int, count);
    FeaturePages f;
    f.conn.pendingRequest = pending::harmonikb;
    QList<int> first;
    for (int k = 0; k < 130; ++k)
        first.append(int(std::lround(30 * std::sin(2 * M_PI * k / 64))) & 0xFF);
    f.deliver(enerjial(waveformText(first)));
    const auto previousB = f.prog.harmonicSamplesB;
    const QString previousCurrent = f.get<QLineEdit>("EditH2")->text();

    f.deliver(enerjial(waveformText(constant(7, count))));
    QCOMPARE(f.prog.harmonicSamplesB, previousB);
    for (int k = 0; k < count; ++k)
        QCOMPARE(f.prog.harmonicSamplesA[size_t(k)], 7.0);
    if (count < 64)
        QCOMPARE(f.prog.harmonicSamplesA[size_t(count)], double(int(std::lround(30 * std::sin(2 * M_PI * count / 64)))));
    QCOMPARE(f.get<QLineEdit>("EditH2")->text(), previousCurrent);
    QCOMPARE(f.Label2->text(), QStringLiteral("12001 nolu cihaz harmonik verileri"));
}

// A token that is not a whole number ends the sampling; what was stored stays,
// and the header and the analysis still follow.
void TstWaveform::badTokensEndTheSampling_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("stored");   // samples stored before the fault
    QTest::newRow("letters in the third sample") << QByteArray("1$3$128$5$6$ab$8$9$") << 2;
    QTest::newRow("empty token") << QByteArray("1$3$128$5$$8$") << 1;
    QTest::newRow("bytes after the last $") << QByteArray("1$3$128$5$6$\xF4\xF4") << 2;
    QTest::newRow("no $ at all") << QByteArray("garbage") << 0;
    QTest::newRow("header only") << QByteArray("1$3$128$") << 0;
    QTest::newRow("blank inside a number") << QByteArray("1$3$128$5$1 2$") << 1;
    QTest::newRow("value beyond 32 bits") << QByteArray("1$3$128$5$99999999999$") << 1;
    QTest::newRow("largest 32-bit value is plotted far off") << QByteArray("1$3$128$2147483647$4$") << 2;
}

void TstWaveform::badTokensEndTheSampling()
{
    QFETCH(QByteArray, content);
    QFETCH(int, stored);
    FeaturePages f;
    f.prog.harmonicSamplesA.fill(-99);
    f.prog.harmonicSamplesB.fill(-99);
    f.conn.pendingRequest = pending::harmoniku;
    f.deliver(enerjial(content) + QByteArrayLiteral("pong\x01"));

    for (int k = 0; k < 66; ++k)
        QCOMPARE(f.prog.harmonicSamplesA[size_t(k)] != -99, k < stored);
    QCOMPARE(f.prog.harmonicSamplesB[0], -99.0);
    QCOMPARE(f.Label2->text(), QStringLiteral("12001 nolu cihaz harmonik verileri"));
    QVERIFY(!f.get<QLineEdit>("EditH31")->text().isEmpty());
    // The answer takes the rest of the read: a message behind it is not seen.
    QVERIFY(f.LblMesaj->text() != QLatin1String("Pong"));
}

void TstWaveform::samplesBeyondTheStoresAreIgnored()
{
    FeaturePages f;
    f.conn.pendingRequest = pending::harmoniki;
    QList<int> samples;
    for (int k = 0; k < 400; ++k)
        samples.append(k % 100);
    f.deliver(enerjial(waveformText(samples)));
    QCOMPARE(f.prog.harmonicSamplesA[63], 63.0);
    QCOMPARE(f.prog.harmonicSamplesB[0], 64.0);
    QCOMPARE(f.prog.harmonicSamplesB[35], 99.0);
    QCOMPARE(f.prog.harmonicSamplesB[65], 29.0);
    QCOMPARE(f.Label2->text(), QStringLiteral("12001 nolu cihaz harmonik verileri"));
}

// The server writes a byte 3 as "199$239"; read back, it is one sample 3
// and the samples after it keep their places.
void TstWaveform::escapedThreeIsReadBack()
{
    FeaturePages f;
    f.conn.pendingRequest = pending::harmonikb;
    f.deliver(enerjial("1$199$239$128$10$199$239$20$"));
    QCOMPARE(f.prog.harmonicSamplesA[0], 10.0);
    QCOMPARE(f.prog.harmonicSamplesA[1], 3.0);
    QCOMPARE(f.prog.harmonicSamplesA[2], 20.0);
}

QTEST_MAIN(TstWaveform)
#include "tst_waveform.moc"
