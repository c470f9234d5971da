#pragma once
// The register map of the analyser view as data: for each register number
// 0 to 401, which device kinds its rule serves, what it does, where it
// writes, how the value is converted and how it is written. Numbered
// families (the 18 capacitor steps, the harmonic table) are rows with a
// count and a stride whose target names carry the number.
#include <QString>
#include <QStringList>

#include <vector>

namespace display {

// The device kinds a rule serves: the compensation relay (kind 2) has its own
// variant of many registers.
enum class Variant : quint8 { All, RelayOnly, Others };
constexpr int kRelayKind = 2;
inline bool serves(Variant v, int kind)
{
    return v == Variant::All || (v == Variant::RelayOnly) == (kind == kRelayKind);
}

enum class Reading : quint8 { Plain, Signed, Magnitude, Counter };
// Where the CT multiplier enters: "v / 1000 × CT" or "counter × CT / 3600000".
enum class CtUse : quint8 { None, AfterDivide, BeforeDivide };

struct Conversion {
    Reading reading = Reading::Plain;
    double divisor = 1;
    CtUse ct = CtUse::None;
    double factor = 1;
};
// The displayed number: v and, for a counter, the two registers before it.
double convert(const Conversion &c, double v, double before1, double before2, qint32 ct);

enum class Action : quint8 {
    Text,              // the converted value, formatted, into every target
    CtRatio,           // sets the CT multiplier of the pass, then as Text
    CosTotal,          // Text into CosE, then the needle (a: unity)
    CounterInductive,  // Text into the counter display, then the inductive ratio
    CounterCapacitive, // Text into the counter display, then the capacitive ratio
    Directions,        // learnt check boxes from bit a.., arrows from bit b..
    LampsSplit,        // steps 1-16 from r(n+1), 17-18 from bits 0-1 of v
    ChecksSplit,       // the same for the G.Ö. check boxes
    LampsDirect,       // steps 1..a from bits of v
    ChecksDirect,
    TanPhi,            // lbltanfi
    Status,            // 1: "Pasif", 0: "Aktif"
    StatusPair,        // 1: first "Aktif" and second "Pasif", 0: the reverse
    Alarms,            // al1..al8 from bits 0..7
    StepFlags,         // phase check boxes of step a
    StepTotals,        // the totals of the 18 steps, after register 231
};

// One rule, for one register.
struct RegisterRule {
    int reg = 0;
    Variant variant = Variant::All;
    Action action = Action::Text;
    Conversion conv;
    QString pattern; // empty: general formatting
    QString suffix;
    QStringList targets;
    int a = 0;
    int b = 0;
};

// Every rule, in ascending register order (rules of one register in the
// order they run).
const std::vector<RegisterRule> &registerMap();

constexpr int kFirstRegister = 0;
constexpr int kLastRegister = 401;
constexpr int kSteps = 18;

} // namespace display
