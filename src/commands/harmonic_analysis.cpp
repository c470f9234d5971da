#include "harmonic_analysis.h"

#include "numbers.h"

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace harmonics {

namespace {

constexpr double kStepDegrees = 5.625; // 360 / 64
constexpr double kPi = 3.1415;         // the value the devices' firmware uses
constexpr int kBarPitch = 7;
constexpr int kBarLeft = 5;
constexpr int kBarWidth = 6; // x = 7c + 5 to 7c + 10, both included

QFont chartFont()
{
    QFont f;
    f.setPixelSize(12);
    f.setBold(true);
    // Plain pixels in the chart's own colours, as a raster chart draws them.
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// Text placed by its top-left corner.
void textAt(QPainter &p, int x, int y, const QString &text)
{
    p.drawText(QPointF(x, y + p.fontMetrics().ascent()), text);
}

} // namespace

Magnitudes analyse(std::span<const double, kSamples> x)
{
    Magnitudes m{};
    for (int h = 1; h <= kHarmonics; ++h) {
        double re = 0.0;
        double im = 0.0;
        for (int i = 0; i < kSamples; ++i) {
            const double theta = i * kStepDegrees * h * kPi / 180.0;
            const double s = std::sin(theta) * x[size_t(i)];
            const double c = std::cos(theta) * x[size_t(i)];
            re += s;
            im += c;
        }
        m[size_t(h - 1)] = std::sqrt(re * re + im * im) / 32.0;
    }
    return m;
}

Texts texts(const Magnitudes &m, QChar decimalSeparator)
{
    Texts t;
    for (size_t i = 0; i < m.size(); ++i)
        t[i] = numbers::formatGeneral(m[i], decimalSeparator);
    return t;
}

int barHeight(double magnitude, double fundamental, int limit)
{
    const double raw = magnitude * fundamental / 4.0;
    if (!(raw > 0.0))
        return 0;
    if (raw >= limit)
        return limit;
    // Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
    double whole = std::floor(raw);
    const double fraction = raw - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return int(whole);
}

void drawChart(QImage &image, const Magnitudes &m, int phase, Quantity quantity, QChar decimalSeparator)
{
    image.fill(Qt::black);
    const int width = image.width();
    const int height = image.height();
    const double fundamental = m[0];
    const QColor yellow(0xFF, 0xFF, 0x00);

    QPainter p(&image);
    for (int c = 0; c < kHarmonics; ++c) {
        const int bar = barHeight(m[size_t(c)], fundamental, height);
        if (bar > 0)
            p.fillRect(QRect(kBarPitch * c + kBarLeft, height - bar, kBarWidth, bar), yellow);
    }

    p.setFont(chartFont());
    const QChar letter = quantity == Quantity::Voltage ? QLatin1Char('V') : QLatin1Char('I');
    p.setPen(QColor(0xFF, 0x00, 0x00));
    textAt(p, 20, 10,
           QCoreApplication::translate("HarmonicChart", "%1 için H1: %2")
               .arg(letter + QString::number(phase), numbers::formatPattern(fundamental, u"000.00", decimalSeparator)));
    if (phase == 2 || phase == 3) {
        p.setPen(QColor(0x00, 0xFF, 0x00));
        textAt(p, width - 50, 2, letter + QString::number(phase));
    }
}

} // namespace harmonics
