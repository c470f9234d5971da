#pragma once
// The 18-step compensation relay (Rkt90wz) of the simulator: a feeder with
// an inductive load, a capacitor bank of 18 steps and the automatic control
// that switches them to hold the target tan φ.
//
// What other parts of the server write and this model only reads, never
// overwrites (its inputs):
//   0 CT ratio, 129 tan φ target (signed, hundredths), 132/133 penalty
//   limits, 134/135 longest switch-in / switch-out delay (s), 136 shortest
//   time between two switchings (s), 137 learning, 138 direction fixing,
//   154 fast mode (1: on), 157 mode (1: manual, 0: automatic), and the step
//   powers 161 + 4(n-1), 162 + 4(n-1), 163 + 4(n-1) of step n on R, S, T
//   (kVAr × 10000 / CT, the magnitude reading).
// The step states live in the image: step n ≤ 16 is bit n-1 of register 45,
// steps 17 and 18 bits 0 and 1 of register 44. A step switch from outside
// toggles that bit; in automatic mode the control goes on from the new
// state, in manual mode nothing else switches.
#include "sim_physics.h"

namespace sim {

class CompensationRelayDevice final : public SimDevice {
public:
    static constexpr int kSteps = 18;

    explicit CompensationRelayDevice(DeviceInfo info, qint64 nowMs);
    DeviceKind kind() const override { return DeviceKind::CompensationRelay; }
    void advance(qint64 nowMs) override;

    // Step n (1..18) in circuit, as the image holds it.
    bool stepOn(int n) const;
    // Power of step n on phase p (0..2) in primary kVAr.
    double stepKvar(int n, int p) const;

private:
    double ct() const;
    void setStep(int n, bool on);
    physics::ThreePhase net(const physics::ThreePhase &load) const;
    void control(const physics::ThreePhase &netPhases, double seconds);
    void settle(qint64 nowMs);
    void switchStep(int n, bool on);
    void write(qint64 nowMs);

    physics::Feeder m_feeder;
    physics::ModelClock m_clock;
    double m_pendingIn = 0;
    double m_pendingOut = 0;
    double m_sinceSwitch = 1e6;
    // Seconds since a step went in / out, per phase R, S, T and in all.
    std::array<double, 4> m_sinceIn{600, 600, 600, 600};
    std::array<double, 4> m_sinceOut{900, 900, 900, 900};
};

} // namespace sim
