#include "register_map.h"

#include "display_rules.h"

#include <algorithm>

namespace display {

double convert(const Conversion &c, double v, double before1, double before2, qint32 ct)
{
    double x = 0;
    switch (c.reading) {
    case Reading::Plain:
        x = plainReading(v);
        break;
    case Reading::Signed:
        x = signedReading(v);
        break;
    case Reading::Magnitude:
        x = magnitudeReading(v);
        break;
    case Reading::Counter:
        x = counterReading(before2, before1, v);
        break;
    }
    if (c.ct == CtUse::BeforeDivide)
        x *= ct;
    if (c.divisor != 1)
        x /= c.divisor;
    if (c.ct == CtUse::AfterDivide)
        x *= ct;
    if (c.factor != 1)
        x *= c.factor;
    return x;
}

namespace {

// One row of the table: `count` registers from `reg` on, `stride` apart.
// Target names: ',' separates the registers of the row, '|' the targets of
// one register; in a name '#' stands for the row index 1..count and '@' for
// the odd harmonic order 2 × index + 1.
struct Row {
    int reg;
    int count;
    int stride;
    Variant variant;
    Action action;
    const char *targets;
    Conversion conv;
    const char *pattern; // nullptr: general formatting
    const char *suffix;
    int a;
    int b;
};

constexpr Variant All = Variant::All;
constexpr Variant Relay = Variant::RelayOnly;
constexpr Variant Others = Variant::Others;

constexpr Conversion plain{};
constexpr Conversion div(double d) { return {Reading::Plain, d}; }
constexpr Conversion divCt(double d) { return {Reading::Plain, d, CtUse::AfterDivide}; }
constexpr Conversion signedDiv(double d) { return {Reading::Signed, d}; }
constexpr Conversion signedDivCt(double d) { return {Reading::Signed, d, CtUse::AfterDivide}; }
constexpr Conversion magnitudeDiv(double d) { return {Reading::Magnitude, d}; }
constexpr Conversion energy{Reading::Counter, 3600000};
constexpr Conversion energyCt{Reading::Counter, 3600000, CtUse::BeforeDivide};
constexpr Conversion stepPower{Reading::Magnitude, 10000, CtUse::BeforeDivide};
constexpr Conversion fifths{Reading::Plain, 1, CtUse::None, 0.2};

constexpr const char *kRatios =
    "inboluak_r,kapboluak_r,inboluak_s,kapboluak_s,inboluak_t,kapboluak_t,inboluak_top,kapboluak_top";

// clang-format off
constexpr Row kRows[] = {
    // reg count stride variant action             targets                           conversion          pattern      suffix  a   b
    {0,   1,  1, All,    Action::CtRatio,           "ATOran|LBLCT",                   plain,              nullptr,     "",     0,  0},
    {1,   1,  1, Relay,  Action::Directions,        nullptr,                          plain,              nullptr,     "",     10, 13},
    {2,   3,  1, All,    Action::Text,              "V#",                             div(10),            "000.0",     "",     0,  0},
    {5,   3,  1, All,    Action::Text,              "akm#",                           divCt(1000),        "000.0",     "",     0,  0},
    {8,   3,  1, All,    Action::Text,              "kW#",                            divCt(1000),        "000.00",    "",     0,  0},
    {11,  3,  1, All,    Action::Text,              "kr#",                            signedDivCt(1000),  "000.00",    "",     0,  0},
    {14,  3,  1, All,    Action::Text,              "KVA#",                           divCt(1000),        "000.00",    "",     0,  0},
    {17,  3,  1, Others, Action::Text,              "Cos#",                           signedDiv(100),     "0.000",     "",     0,  0},
    {17,  3,  1, Relay,  Action::Text,              "Cos#",                           signedDiv(1000),    "0.000",     "",     0,  0},
    {20,  1,  1, Others, Action::CosTotal,          "CosE",                           signedDiv(100),     "0.000",     "",     100, 0},
    {20,  1,  1, Relay,  Action::CosTotal,          "CosE",                           signedDiv(1000),    "0.000",     "",     1000, 0},
    {25,  1,  1, All,    Action::Text,              "toplamaktif",                    divCt(1000),        "00000.00",  "",     0,  0},
    {26,  1,  1, All,    Action::Text,              "ER",                             div(1000),          "000.0",     "",     0,  0},
    {27,  1,  1, All,    Action::Text,              "ERL",                            div(1000),          "000.0",     "",     0,  0},
    {28,  1,  1, All,    Action::Text,              "ERC",                            signedDiv(1000),    "000.0",     "",     0,  0},
    {29,  1,  1, All,    Action::Text,              "toplamgorunen",                  divCt(1000),        "00000.00",  "",     0,  0},
    {30,  8,  1, Others, Action::Text,              kRatios,                          plain,              "00.00",     "%",    0,  0},
    {30,  1,  1, Relay,  Action::Text,              "Fr",                             div(10),            "00.0",      "",     0,  0},
    {31,  1,  1, Relay,  Action::Text,              "sicaklik",                       plain,              "00.0",      "°",    0,  0},
    {44,  1,  1, Relay,  Action::LampsSplit,        nullptr,                          plain,              nullptr,     "",     0,  0},
    {46,  1,  1, Relay,  Action::ChecksSplit,       nullptr,                          plain,              nullptr,     "",     0,  0},
    {48,  1,  1, Others, Action::Text,              "sicaklik",                       plain,              "00.0",      "°",    0,  0},
    {49,  1,  1, Others, Action::Directions,        nullptr,                          plain,              nullptr,     "",     3,  0},
    {50,  1,  1, Others, Action::LampsDirect,       nullptr,                          plain,              nullptr,     "",     12, 0},
    {51,  1,  1, Others, Action::ChecksDirect,      nullptr,                          plain,              nullptr,     "",     12, 0},
    {52,  6,  1, Others, Action::Text,              "onsurre_r,offsure_r,onsurre_s,offsure_s,onsurre_t,offsure_t",
                                                                                      plain,              nullptr,     "",     0,  0},
    {62,  8,  1, Relay,  Action::Text,              kRatios,                          plain,              "00.00",     "%",    0,  0},
    {64,  1,  1, Others, Action::Text,              "Ewh",                            energy,             "0.000",     "",     0,  0},
    {67,  1,  1, Others, Action::CounterInductive,  "Elh|Toplamindoran",              energy,             "0.000",     "",     0,  0},
    {70,  1,  1, Others, Action::CounterCapacitive, "ECh|Toplamkaporan",              energy,             "0.000",     "",     0,  0},
    {80,  1,  1, Others, Action::Text,              "kwh_S",                          energy,             "0.000",     "",     0,  0},
    {82,  1,  1, Others, Action::Text,              "kVArLh_R",                       energy,             "0.000",     "",     0,  0},
    {82,  8,  1, Relay,  Action::Text,              "onsurre_r,offsure_r,onsurre_s,offsure_s,onsurre_t,offsure_t,onsurre_top,offsure_top",
                                                                                      fifths,             nullptr,     "",     0,  0},
    {85,  1,  1, Others, Action::Text,              "kVArLh_S",                       energy,             "0.000",     "",     0,  0},
    {88,  1,  1, Others, Action::Text,              "kVArLh_T",                       energy,             "0.000",     "",     0,  0},
    {92,  1,  1, Relay,  Action::Text,              "Ewh",                            energyCt,           "0.000",     "",     0,  0},
    {95,  1,  1, Relay,  Action::CounterInductive,  "Elh|Toplamindoran",              energyCt,           "0.000",     "",     0,  0},
    {98,  1,  1, Relay,  Action::CounterCapacitive, "ECh|Toplamkaporan",              energyCt,           "0.000",     "",     0,  0},
    {104, 9,  3, Relay,  Action::Text,              "kWh_R,kwh_S,kwh_T,kVArLh_R,kVArLh_S,kVArLh_T,kVArCh_R,kVArCh_S,kVArCh_T",
                                                                                      energyCt,           "0.000",     "",     0,  0},
    {129, 1,  1, All,    Action::TanPhi,            "lbltanfi",                       plain,              "0",         "",     0,  0},
    {132, 5,  1, All,    Action::Text,              "lblindcezasinir,lblkapcezasinir,LBLmaxalmasure,LBLmaxcikmasure,LBLminalmacikmasure",
                                                                                      plain,              "0",         "",     0,  0},
    {137, 1,  1, All,    Action::Status,            "konogrenmedurum",                plain,              nullptr,     "",     0,  0},
    {138, 1,  1, All,    Action::Status,            "yonsabitdurum",                  plain,              nullptr,     "",     0,  0},
    {154, 1,  1, All,    Action::StatusPair,        "lblhizlia|lblhizlip",            plain,              nullptr,     "",     0,  0},
    {157, 1,  1, All,    Action::StatusPair,        "lblmanuel|lblotomatik",          plain,              nullptr,     "",     0,  0},
    {159, 1,  1, All,    Action::Alarms,            nullptr,                          plain,              nullptr,     "",     0,  0},
    // The capacitor steps: flags at 160 + 4(n-1), then the powers R, S, T.
    {160, 18, 4, All,    Action::StepFlags,         nullptr,                          plain,              nullptr,     "",     0,  0},
    {161, 18, 4, All,    Action::Text,              "C#_R",                           stepPower,          "0.00",      "",     0,  0},
    {162, 18, 4, All,    Action::Text,              "C#_S",                           stepPower,          "0.00",      "",     0,  0},
    {163, 18, 4, All,    Action::Text,              "C#_T",                           stepPower,          "0.00",      "",     0,  0},
    {231, 1,  1, All,    Action::StepTotals,        nullptr,                          plain,              nullptr,     "",     0,  0},
    // The device's harmonic table: per phase the fundamental and the odd
    // orders 3..31, voltage then current; the distortions last.
    {300, 1,  1, All,    Action::Text,              "h_vb_1",                         div(10),            nullptr,     "",     0,  0},
    {301, 15, 1, All,    Action::Text,              "h_v1_@",                         magnitudeDiv(10),   nullptr,     "",     0,  0},
    {316, 1,  1, All,    Action::Text,              "h_vb_2",                         magnitudeDiv(10),   nullptr,     "",     0,  0},
    {317, 15, 1, All,    Action::Text,              "h_v2_@",                         magnitudeDiv(10),   nullptr,     "",     0,  0},
    {332, 1,  1, All,    Action::Text,              "h_vb_3",                         magnitudeDiv(10),   nullptr,     "",     0,  0},
    {333, 15, 1, All,    Action::Text,              "h_v3_@",                         magnitudeDiv(10),   nullptr,     "",     0,  0},
    {348, 1,  1, All,    Action::Text,              "h_ib_1",                         magnitudeDiv(1000), nullptr,     "",     0,  0},
    {349, 15, 1, All,    Action::Text,              "h_i1_@",                         magnitudeDiv(1000), nullptr,     "",     0,  0},
    {364, 1,  1, All,    Action::Text,              "h_ib_2",                         magnitudeDiv(1000), nullptr,     "",     0,  0},
    {365, 15, 1, All,    Action::Text,              "h_i2_@",                         magnitudeDiv(1000), nullptr,     "",     0,  0},
    {380, 1,  1, All,    Action::Text,              "h_ib_3",                         magnitudeDiv(1000), nullptr,     "",     0,  0},
    {381, 15, 1, All,    Action::Text,              "h_i3_@",                         magnitudeDiv(1000), nullptr,     "",     0,  0},
    {396, 3,  1, All,    Action::Text,              "thdv#",                          magnitudeDiv(10),   nullptr,     "",     0,  0},
    {399, 3,  1, All,    Action::Text,              "thdc#",                          magnitudeDiv(1000), nullptr,     "",     0,  0},
};
// clang-format on

QStringList targetsOf(const char *names, int index)
{
    if (!names)
        return {};
    const QStringList perRegister = QString::fromUtf8(names).split(u',');
    // A single name pattern serves every register of the row.
    QString mine = perRegister.size() == 1 ? perRegister.first() : perRegister.value(index - 1);
    mine.replace(u'#', QString::number(index));
    mine.replace(u'@', QString::number(2 * index + 1));
    return mine.split(u'|', Qt::SkipEmptyParts);
}

std::vector<RegisterRule> build()
{
    std::vector<RegisterRule> rules;
    for (const Row &row : kRows) {
        for (int i = 0; i < row.count; ++i) {
            RegisterRule r;
            r.reg = row.reg + i * row.stride;
            r.variant = row.variant;
            r.action = row.action;
            r.conv = row.conv;
            r.pattern = row.pattern ? QString::fromLatin1(row.pattern) : QString();
            r.suffix = QString::fromUtf8(row.suffix);
            r.targets = targetsOf(row.targets, i + 1);
            r.a = row.action == Action::StepFlags ? i + 1 : row.a;
            r.b = row.b;
            rules.push_back(std::move(r));
        }
    }
    // Ascending register order; rules of one register keep the table order.
    std::stable_sort(rules.begin(), rules.end(),
                     [](const RegisterRule &x, const RegisterRule &y) { return x.reg < y.reg; });
    return rules;
}

} // namespace

const std::vector<RegisterRule> &registerMap()
{
    static const std::vector<RegisterRule> rules = build();
    return rules;
}

} // namespace display
