#include "quantities.h"

#include "display_rules.h"
#include "energy_ratios.h"

#include <QCoreApplication>
#include <QHash>

#include <cmath>

using display::Action;
using display::RegisterRule;

namespace history {

namespace {

constexpr const char *kContext = "history::Quantities";

// Target names of the register map as quantities. In a pattern '#' stands
// for a number and '%' for a phase suffix (r, s, t or top); the key and the
// label take them as %1, %2 in order, a phase as L1, L2, L3 or total (Σ in
// the label). Names match without regard to case, as the displays do.
struct Entry {
    const char *pattern;
    const char *key;
    const char *label;
    const char *unit;
};

// clang-format off
constexpr Entry kTargets[] = {
    {"ATOran",              "ct_ratio",            QT_TRANSLATE_NOOP("history::Quantities", "Akım trafosu oranı"), ""},
    {"V#",                  "V%1",                 QT_TRANSLATE_NOOP("history::Quantities", "Gerilim L%1"), "V"},
    {"akm#",                "I%1",                 QT_TRANSLATE_NOOP("history::Quantities", "Akım L%1"), "A"},
    {"kW#",                 "P%1",                 QT_TRANSLATE_NOOP("history::Quantities", "Aktif güç L%1"), "kW"},
    {"kr#",                 "Q%1",                 QT_TRANSLATE_NOOP("history::Quantities", "Reaktif güç L%1"), "kVAr"},
    {"KVA#",                "S%1",                 QT_TRANSLATE_NOOP("history::Quantities", "Görünen güç L%1"), "kVA"},
    {"Cos#",                "cos%1",               QT_TRANSLATE_NOOP("history::Quantities", "cos φ L%1"), ""},
    {"CosE",                "cos_total",           QT_TRANSLATE_NOOP("history::Quantities", "cos φ toplam"), ""},
    {"toplamaktif",         "P_total",             QT_TRANSLATE_NOOP("history::Quantities", "Toplam aktif güç"), "kW"},
    {"toplamgorunen",       "S_total",             QT_TRANSLATE_NOOP("history::Quantities", "Toplam görünen güç"), "kVA"},
    {"ER",                  "Q_ind_total",         QT_TRANSLATE_NOOP("history::Quantities", "Toplam endüktif reaktif güç"), "kVAr"},
    {"ERL",                 "Q_cap_total",         QT_TRANSLATE_NOOP("history::Quantities", "Toplam kapasitif reaktif güç"), "kVAr"},
    {"ERC",                 "Q_delta",             QT_TRANSLATE_NOOP("history::Quantities", "Reaktif güç farkı"), "kVAr"},
    {"Fr",                  "f",                   QT_TRANSLATE_NOOP("history::Quantities", "Frekans"), "Hz"},
    {"sicaklik",            "temp",                QT_TRANSLATE_NOOP("history::Quantities", "Sıcaklık"), "°C"},
    {"inboluak_%",          "ratio_ind_%1",        QT_TRANSLATE_NOOP("history::Quantities", "Endüktif / aktif güç oranı %1"), "%"},
    {"kapboluak_%",         "ratio_cap_%1",        QT_TRANSLATE_NOOP("history::Quantities", "Kapasitif / aktif güç oranı %1"), "%"},
    {"onsurre_%",           "on_time_%1",          QT_TRANSLATE_NOOP("history::Quantities", "Devreye alma süresi %1"), "sn"},
    {"offsure_%",           "off_time_%1",         QT_TRANSLATE_NOOP("history::Quantities", "Devreden çıkarma süresi %1"), "sn"},
    {"Ewh",                 "E_active",            QT_TRANSLATE_NOOP("history::Quantities", "Aktif enerji"), "kWh"},
    {"Elh",                 "E_ind",               QT_TRANSLATE_NOOP("history::Quantities", "Endüktif reaktif enerji"), "kVArh"},
    {"ECh",                 "E_cap",               QT_TRANSLATE_NOOP("history::Quantities", "Kapasitif reaktif enerji"), "kVArh"},
    {"Toplamindoran",       "ratio_E_ind",         QT_TRANSLATE_NOOP("history::Quantities", "Endüktif / aktif enerji oranı"), "%"},
    {"Toplamkaporan",       "ratio_E_cap",         QT_TRANSLATE_NOOP("history::Quantities", "Kapasitif / aktif enerji oranı"), "%"},
    {"kWh_%",               "E_active_%1",         QT_TRANSLATE_NOOP("history::Quantities", "Aktif enerji %1"), "kWh"},
    {"kVArLh_%",            "E_ind_%1",            QT_TRANSLATE_NOOP("history::Quantities", "Endüktif reaktif enerji %1"), "kVArh"},
    {"kVArCh_%",            "E_cap_%1",            QT_TRANSLATE_NOOP("history::Quantities", "Kapasitif reaktif enerji %1"), "kVArh"},
    {"lbltanfi",            "set_tan_phi",         QT_TRANSLATE_NOOP("history::Quantities", "Ayar: tanjant φ"), ""},
    {"lblindcezasinir",     "set_limit_ind",       QT_TRANSLATE_NOOP("history::Quantities", "Ayar: endüktif ceza sınırı"), "%"},
    {"lblkapcezasinir",     "set_limit_cap",       QT_TRANSLATE_NOOP("history::Quantities", "Ayar: kapasitif ceza sınırı"), "%"},
    {"LBLmaxalmasure",      "set_max_on_time",     QT_TRANSLATE_NOOP("history::Quantities", "Ayar: en uzun kademe alma süresi"), "sn"},
    {"LBLmaxcikmasure",     "set_max_off_time",    QT_TRANSLATE_NOOP("history::Quantities", "Ayar: en uzun kademe çıkarma süresi"), "sn"},
    {"LBLminalmacikmasure", "set_min_switch_time", QT_TRANSLATE_NOOP("history::Quantities", "Ayar: en kısa alma çıkarma süresi"), "sn"},
    {"C#_%",                "step%1_%2",           QT_TRANSLATE_NOOP("history::Quantities", "Kademe %1 gücü %2"), "kVAr"},
    {"h_vb_#",              "H_V%1_1",             QT_TRANSLATE_NOOP("history::Quantities", "Gerilim temel bileşeni L%1"), "V"},
    {"h_ib_#",              "H_I%1_1",             QT_TRANSLATE_NOOP("history::Quantities", "Akım temel bileşeni L%1"), "A"},
    {"h_v#_#",              "H_V%1_%2",            QT_TRANSLATE_NOOP("history::Quantities", "Gerilim harmoniği L%1, %2. derece"), "V"},
    {"h_i#_#",              "H_I%1_%2",            QT_TRANSLATE_NOOP("history::Quantities", "Akım harmoniği L%1, %2. derece"), "A"},
    {"thdv#",               "THD_V%1",             QT_TRANSLATE_NOOP("history::Quantities", "Gerilim THD L%1"), "%"},
    {"thdc#",               "THD_I%1",             QT_TRANSLATE_NOOP("history::Quantities", "Akım THD L%1"), "%"},
};

// Keys that come from elsewhere than a display target.
constexpr Entry kOthers[] = {
    {nullptr, "steps_on",  QT_TRANSLATE_NOOP("history::Quantities", "Devredeki kademe sayısı"), ""},
    {nullptr, "counter_A", QT_TRANSLATE_NOOP("history::Quantities", "Aktif enerji sayacı (tarih arası)"), "kWh"},
    {nullptr, "counter_L", QT_TRANSLATE_NOOP("history::Quantities", "Endüktif enerji sayacı (tarih arası)"), "kVArh"},
    {nullptr, "counter_C", QT_TRANSLATE_NOOP("history::Quantities", "Kapasitif enerji sayacı (tarih arası)"), "kVArh"},
    {nullptr, "ratio_ind", QT_TRANSLATE_NOOP("history::Quantities", "Endüktif oran (tarih arası)"), "%"},
    {nullptr, "ratio_cap", QT_TRANSLATE_NOOP("history::Quantities", "Kapasitif oran (tarih arası)"), "%"},
    {nullptr, "band_ind",  QT_TRANSLATE_NOOP("history::Quantities", "Endüktif durum (0 NORMAL, 1 KRİTİK, 2 ALARM, 3 CEZA)"), ""},
    {nullptr, "band_cap",  QT_TRANSLATE_NOOP("history::Quantities", "Kapasitif durum (0 NORMAL, 1 KRİTİK, 2 ALARM, 3 CEZA)"), ""},
    {nullptr, "meter_A",   QT_TRANSLATE_NOOP("history::Quantities", "Sayaç aktif toplam (1.8.0)"), "kWh"},
    {nullptr, "meter_L",   QT_TRANSLATE_NOOP("history::Quantities", "Sayaç endüktif toplam (5.8.0)"), "kVArh"},
    {nullptr, "meter_C",   QT_TRANSLATE_NOOP("history::Quantities", "Sayaç kapasitif toplam (8.8.0)"), "kVArh"},
    {nullptr, "meter_T1",  QT_TRANSLATE_NOOP("history::Quantities", "Sayaç tarife 1 (1.8.1)"), "kWh"},
    {nullptr, "meter_T2",  QT_TRANSLATE_NOOP("history::Quantities", "Sayaç tarife 2 (1.8.2)"), "kWh"},
    {nullptr, "meter_T3",  QT_TRANSLATE_NOOP("history::Quantities", "Sayaç tarife 3 (1.8.3)"), "kWh"},
};
// clang-format on

struct Capture {
    QString key;
    QString label;
};

// Matches name against pattern; the captures in order.
bool match(QStringView name, const char *pattern, QList<Capture> &captures)
{
    captures.clear();
    qsizetype i = 0;
    for (const char *p = pattern; *p; ++p) {
        if (*p == '#') {
            const qsizetype start = i;
            while (i < name.size() && name[i].isDigit() && name[i].unicode() < 128)
                ++i;
            if (i == start)
                return false;
            const QString digits = name.mid(start, i - start).toString();
            captures.append({digits, digits});
        } else if (*p == '%') {
            const QString rest = name.mid(i).toString().toLower();
            static const char *const phases[] = {"r", "s", "t"};
            if (rest == QLatin1String("top")) {
                captures.append({QStringLiteral("total"), QStringLiteral("Σ")});
            } else if (rest.size() == 1 && (rest == u"r" || rest == u"s" || rest == u"t")) {
                int n = 0;
                while (rest != QLatin1String(phases[n]))
                    ++n;
                const QString phase = QStringLiteral("L%1").arg(n + 1);
                captures.append({phase, phase});
            } else {
                return false;
            }
            i = name.size();
        } else {
            if (i >= name.size() || name[i].toLower() != QChar(QLatin1Char(*p)).toLower())
                return false;
            ++i;
        }
    }
    return i == name.size();
}

QString fill(QString text, const QList<Capture> &captures, bool label)
{
    for (const Capture &c : captures)
        text = text.arg(label ? c.label : c.key);
    return text;
}

QString translated(const char *label)
{
    return QCoreApplication::translate(kContext, label);
}

bool numericAction(Action a)
{
    switch (a) {
    case Action::Text:
    case Action::CtRatio:
    case Action::CosTotal:
    case Action::CounterInductive:
    case Action::CounterCapacitive:
    case Action::TanPhi:
        return true;
    default:
        return false;
    }
}

bool lampAction(Action a)
{
    return a == Action::LampsSplit || a == Action::LampsDirect;
}

// A rule of the map with the keys it records, prepared once per variant.
struct Planned {
    const RegisterRule *rule;
    QString key;      // the first target's quantity, or steps_on
    QString ratioKey; // counters: the ratio of their second target
    int lowest;       // the registers the rule reads
    int highest;
};

std::vector<Planned> plan(bool relay)
{
    std::vector<Planned> out;
    const int kind = relay ? display::kRelayKind : 0;
    for (const RegisterRule &r : display::registerMap()) {
        if (!display::serves(r.variant, kind))
            continue;
        Planned p{&r, {}, {}, r.reg, r.reg};
        if (numericAction(r.action) && !r.targets.isEmpty()) {
            p.key = quantityForTarget(r.targets.first()).key;
            if (r.conv.reading == display::Reading::Counter)
                p.lowest = r.reg - 2;
            if ((r.action == Action::CounterInductive || r.action == Action::CounterCapacitive)
                && r.targets.size() > 1)
                p.ratioKey = quantityForTarget(r.targets.at(1)).key;
        } else if (lampAction(r.action)) {
            p.key = QStringLiteral("steps_on");
            if (r.action == Action::LampsSplit)
                p.highest = r.reg + 1;
        } else {
            continue;
        }
        out.push_back(std::move(p));
    }
    return out;
}

const std::vector<Planned> &planFor(int kind)
{
    static const std::vector<Planned> relay = plan(true);
    static const std::vector<Planned> others = plan(false);
    return kind == display::kRelayKind ? relay : others;
}

constexpr double kNothing = -1.0;

} // namespace

QuantityInfo quantityForTarget(const QString &target)
{
    QList<Capture> captures;
    for (const Entry &e : kTargets)
        if (match(target, e.pattern, captures))
            return {fill(QLatin1String(e.key), captures, false), fill(translated(e.label), captures, true),
                    QString::fromUtf8(e.unit)};
    return {target, target, QString()};
}

QuantityInfo quantityInfo(const QString &key)
{
    // Every key the map's targets give, with the entry and captures that
    // made it; translated when asked, so the language may change meanwhile.
    struct Known {
        const Entry *entry;
        QList<Capture> captures;
    };
    static const QHash<QString, Known> known = [] {
        QHash<QString, Known> h;
        QList<Capture> captures;
        for (const RegisterRule &r : display::registerMap())
            for (const QString &target : r.targets)
                for (const Entry &e : kTargets)
                    if (match(target, e.pattern, captures)) {
                        h.insert(fill(QLatin1String(e.key), captures, false), {&e, captures});
                        break;
                    }
        for (const Entry &e : kOthers)
            h.insert(QLatin1String(e.key), {&e, {}});
        return h;
    }();
    const auto it = known.constFind(key);
    if (it == known.cend())
        return {key, key, QString()};
    return {key, fill(translated(it->entry->label), it->captures, true), QString::fromUtf8(it->entry->unit)};
}

void registerValues(std::span<const double> registers, int kind, RegisterRange range,
                    std::vector<QuantityValue> &out)
{
    const auto reg = [&](int n) {
        return n >= 0 && size_t(n) < registers.size() ? registers[size_t(n)] : kNothing;
    };
    const bool ctKnown = reg(0) != kNothing;
    const qint32 ct = display::ctMultiplier(reg(0));
    std::optional<double> active; // the active counter, for the energy ratios
    for (const Planned &p : planFor(kind)) {
        const RegisterRule &r = *p.rule;
        if (p.lowest < range.first || p.highest > range.last)
            continue;
        bool received = true;
        for (int n = p.lowest; n <= p.highest && received; ++n)
            received = reg(n) != kNothing;
        if (!received || (r.conv.ct != display::CtUse::None && !ctKnown))
            continue;
        const double v = reg(r.reg);
        switch (r.action) {
        case Action::TanPhi:
            if (const auto t = display::tanPhiValue(v))
                out.push_back({p.key, *t});
            break;
        case Action::LampsSplit:
        case Action::LampsDirect: {
            const int steps = r.action == Action::LampsSplit ? display::kSteps : r.a;
            int on = 0;
            for (int n = 1; n <= steps; ++n) {
                const bool lit = r.action == Action::LampsDirect ? display::bitOf(v, n - 1)
                    : n <= 16                                    ? display::bitOf(reg(r.reg + 1), n - 1)
                                                                 : display::bitOf(v, n - 17);
                on += lit ? 1 : 0;
            }
            out.push_back({p.key, double(on)});
            break;
        }
        default: {
            const double value = display::convert(r.conv, v, reg(r.reg - 1), reg(r.reg - 2), ct);
            out.push_back({p.key, value});
            if (p.key == u"E_active")
                active = value;
            if (!p.ratioKey.isEmpty() && active) {
                // As the ratio displays: reactive / active × 100, 0 when
                // there is no active energy; the capacitive one unsigned.
                double ratio = *active == 0 ? 0 : value / *active * 100;
                if (r.action == Action::CounterCapacitive)
                    ratio = std::fabs(ratio);
                out.push_back({p.ratioKey, ratio});
            }
            break;
        }
        }
    }
}

std::vector<QuantityValue> registerValues(std::span<const double> registers, int kind, RegisterRange range)
{
    std::vector<QuantityValue> out;
    registerValues(registers, kind, range, out);
    return out;
}

QStringList registerQuantityKeys(int kind)
{
    QStringList keys;
    for (const Planned &p : planFor(kind)) {
        keys.append(p.key);
        if (!p.ratioKey.isEmpty())
            keys.append(p.ratioKey);
    }
    keys.removeDuplicates();
    return keys;
}

std::vector<TimedValue> energyValues(const EnergyPeriod &p)
{
    const energy::Ratios r = energy::rangeRatios(p.a1, p.a2, p.l1, p.l2, p.c1, p.c2);
    const auto band = [](double ratio, energy::Reactive kind) { return double(int(energy::band(ratio, kind))); };
    return {
        {QStringLiteral("counter_A"), p.from, p.a1},
        {QStringLiteral("counter_L"), p.from, p.l1},
        {QStringLiteral("counter_C"), p.from, p.c1},
        {QStringLiteral("counter_A"), p.to, p.a2},
        {QStringLiteral("counter_L"), p.to, p.l2},
        {QStringLiteral("counter_C"), p.to, p.c2},
        {QStringLiteral("ratio_ind"), p.to, r.inductive},
        {QStringLiteral("ratio_cap"), p.to, r.capacitive},
        {QStringLiteral("band_ind"), p.to, band(r.inductive, energy::Reactive::Inductive)},
        {QStringLiteral("band_cap"), p.to, band(r.capacitive, energy::Reactive::Capacitive)},
    };
}

std::vector<QuantityValue> meterValues(const std::array<std::optional<double>, 6> &values)
{
    static const char *const keys[6] = {"meter_A", "meter_L", "meter_C", "meter_T1", "meter_T2", "meter_T3"};
    std::vector<QuantityValue> out;
    for (int i = 0; i < 6; ++i)
        if (values[size_t(i)])
            out.push_back({QLatin1String(keys[i]), *values[size_t(i)]});
    return out;
}

std::optional<double> readoutNumber(QStringView text)
{
    text = text.trimmed();
    int points = 0;
    int digits = 0;
    for (QChar c : text) {
        if (c == u'.')
            ++points;
        else if (c >= u'0' && c <= u'9')
            ++digits;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

const std::array<std::array<const char *, 3>, 3> &counterFamilies()
{
    static const std::array<std::array<const char *, 3>, 3> families{{
        {"E_active", "E_ind", "E_cap"},
        {"counter_A", "counter_L", "counter_C"},
        {"meter_A", "meter_L", "meter_C"},
    }};
    return families;
}

} // namespace history
