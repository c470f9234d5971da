#include "sim_waveform.h"

#include "modbus.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr int kOdd = 16; // harmonics 1, 3, … 31

std::array<double, kWaveSamples> synthesise(double rms, const std::array<double, kOdd> &percent,
                                            const std::array<double, kOdd> &angleDeg)
{
    std::array<double, kWaveSamples> x{};
    double sumSquares = 0;
    for (double p : percent)
        sumSquares += (p / 100) * (p / 100);
    if (!(rms > 0) || !(sumSquares > 0))
        return x;
    // The fundamental's amplitude that gives the waveform this RMS value.
    const double fundamental = rms * M_SQRT2 / std::sqrt(sumSquares);
    for (int i = 0; i < kWaveSamples; ++i) {
        const double theta = 2 * M_PI * i / kWaveSamples;
        double v = 0;
        for (int k = 0; k < kOdd; ++k) {
            if (percent[size_t(k)] != 0)
                v += fundamental * percent[size_t(k)] / 100
                    * std::sin((2 * k + 1) * theta + qDegreesToRadians(angleDeg[size_t(k)]));
        }
        x[size_t(i)] = v;
    }
    return x;
}

std::array<qint8, kWaveSamples> quantise(const std::array<double, kWaveSamples> &x)
{
    std::array<qint8, kWaveSamples> out{};
    double peak = 0;
    for (double v : x)
        peak = std::max(peak, std::abs(v));
    if (!(peak > 0) || !std::isfinite(peak))
        return out;
    const double scale = kWavePeakCounts / peak;
    for (size_t i = 0; i < x.size(); ++i)
        out[i] = qint8(std::clamp(std::lround(x[i] * scale), -127L, 127L));
    return out;
}

QByteArray frameOf(const PhaseSamples &s)
{
    std::array<quint16, kWaveSamples> regs{};
    for (int k = 0; k < kWaveSamples; ++k) {
        const int first = 2 * k;
        const int second = 2 * k + 1;
        const auto byteAt = [&s](int n) {
            return quint8(n < kWaveSamples ? s.voltage[size_t(n)] : s.current[size_t(n - kWaveSamples)]);
        };
        regs[size_t(k)] = quint16(byteAt(first) << 8 | byteAt(second));
    }
    return modbus::readResponse(regs);
}

qint8 &sampleAt(PhaseSamples &s, qsizetype frameIndex)
{
    const qsizetype n = frameIndex - 3; // station, function, byte count
    if (n < 0 || n >= 2 * kWaveSamples)
        return s.current[kWaveSamples - 1]; // a CRC byte: change the last sample
    return n < kWaveSamples ? s.voltage[size_t(n)] : s.current[size_t(n - kWaveSamples)];
}

} // namespace

PhaseSamples samplePhase(const PhaseWave &wave)
{
    PhaseSamples s;
    s.voltage = quantise(synthesise(wave.voltageRms, wave.voltagePercent, wave.voltageAngleDeg));
    s.current = quantise(synthesise(wave.currentRms, wave.currentPercent, wave.currentAngleDeg));
    return s;
}

QByteArray waveformPayload(PhaseSamples samples)
{
    QByteArray frame = frameOf(samples);
    // The client reads "$199$239" as "$3"; move such a pair off by one count.
    for (int attempt = 0; attempt < 16; ++attempt) {
        qsizetype pair = -1;
        for (qsizetype i = 1; i + 1 < frame.size() && pair < 0; ++i) {
            if (quint8(frame[i]) == 199 && quint8(frame[i + 1]) == 239)
                pair = i + 1;
        }
        if (pair < 0)
            break;
        qint8 &sample = sampleAt(samples, pair);
        sample = qint8(sample > -127 ? sample - 1 : sample + 1);
        frame = frameOf(samples);
    }
    return modbus::payloadText(frame);
}

} // namespace sim
