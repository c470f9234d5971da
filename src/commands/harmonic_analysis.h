#pragma once
// The client's own harmonic analysis of one period of a waveform sampled 64
// times: the magnitudes of harmonics 1 to 31 by a discrete Fourier sum, their
// texts, and the bar chart that shows them.
#include <QChar>
#include <QString>

#include <array>
#include <span>

class QImage;

namespace harmonics {

constexpr int kSamples = 64;
constexpr int kHarmonics = 31;

using Magnitudes = std::array<double, kHarmonics>; // entry h − 1 holds harmonic h
using Texts = std::array<QString, kHarmonics>;

enum class Quantity { Voltage, Current };

// M_h = √(re² + im²) / 32 with re = Σ sin θ·x[i], im = Σ cos θ·x[i] and
// θ = i × 5.625° × h, the degrees turned into radians with π taken as 3.1415
// (as the devices' own tables do), so a pure wave leaks slightly into the
// other harmonics.
Magnitudes analyse(std::span<const double, kSamples> samples);

// Each magnitude in the general number format.
Texts texts(const Magnitudes &m, QChar decimalSeparator);

// The bar height of harmonic h in pixels: M_h × H1 / 4 rounded to the
// nearest integer, ties to even (not a percentage of the fundamental).
// Negative, non-finite or huge values are held within 0..limit.
int barHeight(double magnitude, double fundamental, int limit);

// The chart of one quantity of phase 1, 2 or 3: black ground, one yellow bar
// per harmonic at x = 7c + 5 … 7c + 10 rising from the bottom edge, the
// fundamental in red at the top left ("V1 için H1: 230.00") and, for phases
// 2 and 3, a green tag ("V2", "I3") at the top right.
void drawChart(QImage &image, const Magnitudes &m, int phase, Quantity quantity, QChar decimalSeparator);

} // namespace harmonics
