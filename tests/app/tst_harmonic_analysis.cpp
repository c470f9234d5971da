// The Fourier sum over 64 samples, the bar heights and the chart drawing.
#include "harmonic_analysis.h"

#include <QImage>
#include <QtTest>

#include <cmath>

using harmonics::Magnitudes;
using harmonics::Quantity;

namespace {

using Samples = std::array<double, harmonics::kSamples>;

struct Component {
    int harmonic;
    double amplitude;
    double phaseDeg;
};

// Σ A·sin(h·θ + φ) at the 64 sample angles, with the true π.
Samples wave(const QList<Component> &components, double offset = 0)
{
    Samples s{};
    for (int i = 0; i < harmonics::kSamples; ++i) {
        double v = offset;
        for (const Component &c : components)
            v += c.amplitude * std::sin(c.harmonic * 2 * M_PI * i / 64.0 + c.phaseDeg * M_PI / 180.0);
        s[size_t(i)] = v;
    }
    return s;
}

const QRgb kYellow = qRgb(0xFF, 0xFF, 0x00);
const QRgb kBlack = qRgb(0, 0, 0);

int countColour(const QImage &img, const QRect &area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += img.pixel(x, y) == colour;
    return n;
}

// Pixels that are neither black nor yellow: the text.
int countText(const QImage &img, const QRect &area, int red, int green)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += qRed(p) == red && qGreen(p) == green && qBlue(p) == 0;
        }
    }
    return n;
}

Magnitudes withFundamentalAndThird(double h1, double h3)
{
    Magnitudes m{};
    m[0] = h1;
    m[2] = h3;
    return m;
}

} // namespace

Q_DECLARE_METATYPE(QList<Component>)

class TstHarmonicAnalysis : public QObject {
    Q_OBJECT
private slots:
    void magnitudes_data();
    void magnitudes();
    void singleImpulseGivesFlatSpectrum();
    void barHeight_data();
    void barHeight();
    void thirdBarOnThePixels();
    void tags_data();
    void tags();
    void zeroFundamentalDrawsNoBars();
    void textsUseTheSeparator();
};

// Waves with known content: each listed harmonic comes back close to its
// amplitude (π is taken as 3.1415, which leaks a little), all others small.
void TstHarmonicAnalysis::magnitudes_data()
{
    QTest::addColumn<QList<Component>>("components");
    QTest::addColumn<double>("offset");
    QTest::addColumn<double>("tolerance");

    QTest::newRow("pure sine") << QList<Component>{{1, 100, 0}} << 0.0 << 0.05;
    QTest::newRow("pure cosine") << QList<Component>{{1, 100, 90}} << 0.0 << 0.05;
    QTest::newRow("sine with odd harmonics")
        << QList<Component>{{1, 80, 0}, {3, 24, 30}, {5, 12, 200}, {7, 6, 90}} << 0.0 << 0.05;
    QTest::newRow("high harmonics") << QList<Component>{{1, 50, 10}, {29, 5, 0}, {31, 4, 45}} << 0.0 << 0.1;
    QTest::newRow("constant") << QList<Component>{} << 50.0 << 0.05;
    QTest::newRow("nothing at all") << QList<Component>{} << 0.0 << 0.0;
}

void TstHarmonicAnalysis::magnitudes()
{
    QFETCH(QList<Component>, components);
    QFETCH(double, offset);
    QFETCH(double, tolerance);
    const Samples s = wave(components, offset);
    const Magnitudes m = harmonics::analyse(s);
    for (int h = 1; h <= harmonics::kHarmonics; ++h) {
        double expected = 0;
        for (const Component &c : components) {
            if (c.harmonic == h)
                expected = c.amplitude;
        }
        QVERIFY2(std::abs(m[size_t(h - 1)] - expected) <= tolerance,
                 qPrintable(QStringLiteral("H%1 = %2, expected %3").arg(h).arg(m[size_t(h - 1)]).arg(expected)));
    }
    // π taken as 3.1415 shows: a pure wave's fundamental is off by about
    // 1.5e-5 of its amplitude, and a constant leaks into every harmonic.
    if (components.size() == 1)
        QVERIFY(std::abs(m[0] - components[0].amplitude) > 1e-3);
    if (components.isEmpty() && offset != 0)
        QVERIFY(m[0] > 1e-4 && m[30] > 1e-4);
}

// One sample of 1 at angle 0: re = 0 and im = 1 for every harmonic, so each
// magnitude is 1/32 (half the sample count).
void TstHarmonicAnalysis::singleImpulseGivesFlatSpectrum()
{
    Samples s{};
    s[0] = 1;
    for (double m : harmonics::analyse(s))
        QCOMPARE(m, 1.0 / 32);
}

void TstHarmonicAnalysis::barHeight_data()
{
    QTest::addColumn<double>("magnitude");
    QTest::addColumn<double>("fundamental");
    QTest::addColumn<int>("height");
    QTest::newRow("2 x 10 / 4") << 2.0 << 10.0 << 5;
    QTest::newRow("half rounds to even, down") << 1.0 << 10.0 << 2;  // 2.5
    QTest::newRow("half rounds to even, up") << 1.4 << 10.0 << 4;    // 3.5
    QTest::newRow("just below a half") << 0.99 << 10.0 << 2;         // 2.475
    QTest::newRow("zero fundamental") << 7.0 << 0.0 << 0;
    QTest::newRow("fundamental bar") << 20.0 << 20.0 << 100;
    QTest::newRow("taller than the chart") << 100.0 << 100.0 << 171;
    QTest::newRow("negative") << -4.0 << 10.0 << 0;
    QTest::newRow("not a number") << std::nan("") << 10.0 << 0;
    QTest::newRow("infinite") << HUGE_VAL << 10.0 << 171;
}

void TstHarmonicAnalysis::barHeight()
{
    QFETCH(double, magnitude);
    QFETCH(double, fundamental);
    QFETCH(int, height);
    QCOMPARE(harmonics::barHeight(magnitude, fundamental, 171), height);
}

// H1 = 10 and M3 = 2: the third bar covers x 19 to 24, 5 pixels high.
void TstHarmonicAnalysis::thirdBarOnThePixels()
{
    QImage img(254, 171, QImage::Format_RGB32);
    img.fill(Qt::white);
    harmonics::drawChart(img, withFundamentalAndThird(10, 2), 1, Quantity::Voltage, QLatin1Char('.'));
    for (int x = 19; x <= 24; ++x) {
        for (int y = 166; y <= 170; ++y)
            QCOMPARE(img.pixel(x, y), kYellow);
        QCOMPARE(img.pixel(x, 165), kBlack);
    }
    for (int y = 150; y < 171; ++y) {
        QCOMPARE(img.pixel(18, y), kBlack);
        QCOMPARE(img.pixel(25, y), kBlack);
    }
    // The fundamental's bar: 10 x 10 / 4 = 25 pixels at x 5 to 10.
    QCOMPARE(countColour(img, QRect(5, 146, 6, 25), kYellow), 6 * 25);
    QCOMPARE(img.pixel(5, 145), kBlack);
    // The second harmonic is 0: no bar at x 12 to 17.
    QCOMPARE(countColour(img, QRect(12, 100, 6, 71), kYellow), 0);
}

// The red heading on every chart; the green tag on phases 2 and 3 only.
void TstHarmonicAnalysis::tags_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("tagged");
    QTest::newRow("phase 1") << 1 << false;
    QTest::newRow("phase 2") << 2 << true;
    QTest::newRow("phase 3") << 3 << true;
}

void TstHarmonicAnalysis::tags()
{
    QFETCH(int, phase);
    QFETCH(bool, tagged);
    for (Quantity q : {Quantity::Voltage, Quantity::Current}) {
        QImage img(254, 171, QImage::Format_RGB32);
        harmonics::drawChart(img, withFundamentalAndThird(3, 1), phase, q, QLatin1Char(','));
        const QRect heading(20, 10, 200, 16);
        const QRect tag(204, 2, 50, 16);
        QVERIFY(countText(img, heading, 0xFF, 0x00) > 20);
        QCOMPARE(countText(img, tag, 0x00, 0xFF) > 10, tagged);
        // Nothing above the tag's line and nothing left of the heading.
        QCOMPARE(countText(img, QRect(0, 0, 19, 171), 0xFF, 0x00), 0);
    }
    // The tag tells the quantity apart: V and I differ in their pixels.
    QImage v(254, 171, QImage::Format_RGB32), i(254, 171, QImage::Format_RGB32);
    harmonics::drawChart(v, withFundamentalAndThird(3, 1), phase, Quantity::Voltage, QLatin1Char(','));
    harmonics::drawChart(i, withFundamentalAndThird(3, 1), phase, Quantity::Current, QLatin1Char(','));
    QVERIFY(v != i);
}

void TstHarmonicAnalysis::zeroFundamentalDrawsNoBars()
{
    QImage img(254, 171, QImage::Format_RGB32);
    Magnitudes m{};
    m.fill(9);
    m[0] = 0;
    harmonics::drawChart(img, m, 2, Quantity::Current, QLatin1Char('.'));
    QCOMPARE(countColour(img, QRect(0, 40, 254, 131), kYellow), 0);
}

void TstHarmonicAnalysis::textsUseTheSeparator()
{
    Magnitudes m{};
    m[0] = 230.5;
    m[2] = 1.0 / 32;
    m[4] = 12;
    const harmonics::Texts t = harmonics::texts(m, QLatin1Char(','));
    QCOMPARE(t[0], QStringLiteral("230,5"));
    QCOMPARE(t[1], QStringLiteral("0"));
    QCOMPARE(t[2], QStringLiteral("0,03125"));
    QCOMPARE(t[4], QStringLiteral("12"));
}

QTEST_MAIN(TstHarmonicAnalysis)
#include "tst_harmonic_analysis.moc"
