#pragma once
// One period of a phase's voltage and current as a device samples it for the
// harmonic request: 64 signed byte samples of each, built from the phase's
// waveform content (RMS values and odd harmonics with their angles).
#include "sim_device.h"

#include <QByteArray>

#include <array>

namespace sim {

constexpr int kWaveSamples = 64;
// The largest sample of each waveform. The client draws phase 1 at
// sample + 128 and the others at sample + 110 on pictures 200 rows high, so
// ±70 keeps every phase on its picture while using most of a signed byte.
constexpr int kWavePeakCounts = 70;

struct PhaseSamples {
    std::array<qint8, kWaveSamples> voltage{};
    std::array<qint8, kWaveSamples> current{};
};

// Samples i = 0 … 63 at i × 360°/64: Σ A_h · sin(h·θ + φ_h) over the odd
// harmonics, A_h the fundamental's amplitude times the percentage, scaled so
// that the largest sample is ±kWavePeakCounts. A waveform without RMS or
// without content is all zeros.
PhaseSamples samplePhase(const PhaseWave &wave);

// The device's answer: a function-3 register frame (station, 3, byte count
// 128, the voltage then the current samples as two's complement bytes, CRC),
// written as "$"-ended decimal text. The rare sample pair 199, 239 is nudged
// by one count, as the relay's text would read it back as the escape of a 3.
QByteArray waveformPayload(PhaseSamples samples);

} // namespace sim
