#include "sim_waveform.h"

#include "modbus.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr int kOdd = 16; // harmonics 1, 3, … 31

bool untouched(const PhaseWave &w)
{
    const PhaseWave fresh;
    return w.voltageRms == fresh.voltageRms && w.currentRms == fresh.currentRms
        && w.voltagePercent == fresh.voltagePercent && w.currentPercent == fresh.currentPercent
        && w.voltageAngleDeg == fresh.voltageAngleDeg && w.currentAngleDeg == fresh.currentAngleDeg;
}

// A site with a six-pulse drive and some lighting: the current carries the
// usual odd harmonics, a little more of the third on phase 3, and lags the
// voltage by about 30°.
PhaseWave typicalWave(const SimDevice &device, int phase)
{
    PhaseWave w;
    w.voltageRms = 229.0 + phase;
    const double load = device.info().setup.value(QStringLiteral("load"), 0.6).toDouble();
    w.currentRms = 80.0 * std::clamp(load, 0.0, 1.5);
    const double third[] = {21.0, 18.0, 26.0};
    w.voltagePercent = {100, 2.1, 3.2, 1.4, 0.6, 0.9, 0.4};
    w.currentPercent = {100, third[phase - 1], 11.5, 6.8, 2.9, 3.4, 1.8, 1.1, 0.7};
    w.voltageAngleDeg = {0, 15, 200, 95, 30, 60, 10};
    w.currentAngleDeg = {-30, 170, 45, 300, 120, 210, 80, 150, 20};
    return w;
}

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

PhaseWave effectiveWave(const SimDevice &device, int phase)
{
    phase = std::clamp(phase, 1, 3);
    const PhaseWave &own = device.waves()[size_t(phase - 1)];
    return untouched(own) ? typicalWave(device, phase) : own;
}

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
