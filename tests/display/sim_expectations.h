#pragma once
// What the live display must show for the registers of a simulated device,
// worked out display by display with plain arithmetic. Registers that did
// not arrive are -1.
#include "arrow_indicator.h"
#include "display_rules.h"
#include "lamp_button.h"
#include "numbers.h"
#include "sim_device.h"

#include <QCheckBox>
#include <QList>
#include <QString>

#include <array>

using Registers = std::array<double, sim::SimDevice::kRegisters>;

// The device's image as it stands.
inline Registers imageOf(const sim::SimDevice &d)
{
    Registers r{};
    for (int n = 0; n < sim::SimDevice::kRegisters; ++n)
        r[size_t(n)] = d.reg(n);
    return r;
}

// Whether a bit-driven widget shows "on": a lit lamp, a ticked box, an
// arrow pointing right.
inline bool shownOn(const QObject *o)
{
    if (auto *lamp = qobject_cast<const LampButton *>(o))
        return lamp->isLit();
    if (auto *box = qobject_cast<const QCheckBox *>(o))
        return box->isChecked();
    if (auto *arrow = qobject_cast<const ArrowIndicator *>(o))
        return arrow->direction() == ArrowIndicator::Right;
    return false;
}

struct Expected {
    QString name;
    QString text;
};

inline QList<Expected> expectedTexts(const Registers &regs, bool relay, QChar sep)
{
    const double ct = display::ctMultiplier(regs[0]);
    const auto r = [&](int n) { return regs[size_t(n)]; };
    const auto s16 = [&](int n) { return display::signedReading(regs[size_t(n)]); };
    const auto counter = [&](int last) { return r(last - 2) * 65536.0 * 65536.0 + r(last - 1) * 65536.0 + r(last); };
    const auto fmt = [&](double v, const char *pattern) { return numbers::formatPattern(v, QString::fromLatin1(pattern), sep); };
    const auto gen = [&](double v) { return numbers::formatGeneral(v, sep); };
    const char *const phases[3] = {"R", "S", "T"};
    const char *const kw[3] = {"kW1", "Kw2", "kW3"};

    QList<Expected> e;
    const auto add = [&](const QString &name, const QString &text) { e.append({name, text}); };
    add(QStringLiteral("ATOran"), gen(ct));
    add(QStringLiteral("LBLCT"), gen(ct));
    const double cosUnity = relay ? 1000 : 100;
    for (int p = 0; p < 3; ++p) {
        const QString n = QString::number(p + 1);
        add(QStringLiteral("V") + n, fmt(r(2 + p) / 10, "000.0"));
        add(QStringLiteral("akm") + n, fmt(r(5 + p) / 1000 * ct, "000.0"));
        add(QLatin1String(kw[p]), fmt(r(8 + p) / 1000 * ct, "000.00"));
        add(QStringLiteral("kr") + n, fmt(s16(11 + p) / 1000 * ct, "000.00"));
        add(QStringLiteral("KVA") + n, fmt(r(14 + p) / 1000 * ct, "000.00"));
        add(QStringLiteral("Cos") + n, fmt(s16(17 + p) / cosUnity, "0.000"));
    }
    add(QStringLiteral("CosE"), fmt(s16(20) / cosUnity, "0.000"));
    add(QStringLiteral("toplamaktif"), fmt(r(25) / 1000 * ct, "00000.00"));
    add(QStringLiteral("ER"), fmt(r(26) / 1000, "000.0"));
    add(QStringLiteral("ERL"), fmt(r(27) / 1000, "000.0"));
    add(QStringLiteral("ERC"), fmt(s16(28) / 1000, "000.0"));
    add(QStringLiteral("toplamgorunen"), fmt(r(29) / 1000 * ct, "00000.00"));

    static const char *const ratios[8] = {"inboluak_r", "kapboluak_r", "inboluak_s", "kapboluak_s",
                                          "inboluak_t", "kapboluak_t", "inboluak_top", "kapboluak_top"};
    const int ratioBase = relay ? 62 : 30;
    for (int i = 0; i < 8; ++i)
        add(QLatin1String(ratios[i]), fmt(r(ratioBase + i), "00.00") + u'%');
    add(QStringLiteral("sicaklik"), fmt(r(relay ? 31 : 48), "00.0") + QStringLiteral("°"));

    QString ewh, elh, ech;
    if (relay) {
        add(QStringLiteral("Fr"), fmt(r(30) / 10, "00.0"));
        static const char *const times[8] = {"onsurre_r", "offsure_r", "onsurre_s", "offsure_s",
                                             "onsurre_t", "offsure_t", "onsurre_top", "offsure_top"};
        for (int i = 0; i < 8; ++i)
            add(QLatin1String(times[i]), gen(r(82 + i) * 0.2));
        ewh = fmt(counter(92) * ct / 3600000, "0.000");
        elh = fmt(counter(95) * ct / 3600000, "0.000");
        ech = fmt(counter(98) * ct / 3600000, "0.000");
        static const char *const perPhase[9] = {"kWh_R",    "kwh_S",    "kwh_T",    "kVArLh_R", "kVArLh_S",
                                                "kVArLh_T", "kVArCh_R", "kVArCh_S", "kVArCh_T"};
        for (int i = 0; i < 9; ++i)
            add(QLatin1String(perPhase[i]), fmt(counter(104 + 3 * i) * ct / 3600000, "0.000"));
    } else {
        static const char *const onOff[6] = {"onsurre_r", "offsure_r", "onsurre_s",
                                             "offsure_s", "onsurre_t", "offsure_t"};
        for (int i = 0; i < 6; ++i)
            add(QLatin1String(onOff[i]), gen(r(52 + i)));
        ewh = fmt(counter(64) / 3600000, "0.000");
        elh = fmt(counter(67) / 3600000, "0.000");
        ech = fmt(counter(70) / 3600000, "0.000");
        add(QStringLiteral("kwh_S"), fmt(counter(80) / 3600000, "0.000"));
        add(QStringLiteral("kVArLh_R"), fmt(counter(82) / 3600000, "0.000"));
        add(QStringLiteral("kVArLh_S"), fmt(counter(85) / 3600000, "0.000"));
        add(QStringLiteral("kVArLh_T"), fmt(counter(88) / 3600000, "0.000"));
    }
    add(QStringLiteral("Ewh"), ewh);
    add(QStringLiteral("Elh"), elh);
    add(QStringLiteral("ECh"), ech);
    add(QStringLiteral("Toplamindoran"), display::inductiveRatioText(elh, ewh, sep));
    add(QStringLiteral("Toplamkaporan"), display::capacitiveRatioText(ech, ewh, sep));

    if (r(129) != -1) // a label without a value keeps its text
        add(QStringLiteral("lbltanfi"), fmt(r(129) > 32768 ? r(129) - 65536 : r(129), "0"));
    static const char *const readBack[5] = {"lblindcezasinir", "lblkapcezasinir", "LBLmaxalmasure",
                                            "LBLmaxcikmasure", "LBLminalmacikmasure"};
    for (int i = 0; i < 5; ++i)
        add(QLatin1String(readBack[i]), fmt(r(132 + i), "0"));
    // The steps: per phase power, then the sum of the rounded captions.
    for (int n = 1; n <= 18; ++n) {
        double total = 0;
        for (int p = 0; p < 3; ++p) {
            const double v = r(160 + 4 * (n - 1) + 1 + p);
            const QString text = fmt((v < 32768 ? v : 65536 - v) * ct / 10000, "0.00");
            add(QStringLiteral("C%1_%2").arg(n).arg(QLatin1String(phases[p])), text);
            total += numbers::parseDecimal(text, sep).value_or(0);
        }
        add(QStringLiteral("C%1_H").arg(n), fmt(total, "0.00"));
    }
    // The harmonic table: voltage in tenths, current in thousandths.
    for (int p = 0; p < 3; ++p) {
        const int v = 300 + 16 * p, i = 348 + 16 * p;
        add(QStringLiteral("h_vb_%1").arg(p + 1), gen(r(v) / 10));
        add(QStringLiteral("h_ib_%1").arg(p + 1), gen(r(i) / 1000));
        for (int k = 1; k <= 15; ++k) {
            add(QStringLiteral("h_v%1_%2").arg(p + 1).arg(2 * k + 1), gen(r(v + k) / 10));
            add(QStringLiteral("h_i%1_%2").arg(p + 1).arg(2 * k + 1), gen(r(i + k) / 1000));
        }
        add(QStringLiteral("thdv%1").arg(p + 1), gen(r(396 + p) / 10));
        add(QStringLiteral("thdc%1").arg(p + 1), gen(r(399 + p) / 1000));
    }
    return e;
}

// Lamps, boxes and arrows: name, expected state.
struct ExpectedState {
    QString name;
    bool on;
};

inline QList<ExpectedState> expectedStates(const Registers &regs, bool relay)
{
    QList<ExpectedState> e;
    const auto bit = [&](int reg, int k) { return display::bitOf(regs[size_t(reg)], k); };
    const char *const phases[3] = {"r", "s", "t"};
    for (int p = 0; p < 3; ++p) {
        e.append({QStringLiteral("ogrenildi_") + QLatin1String(phases[p]), relay ? bit(1, 10 + p) : bit(49, 3 + p)});
        e.append({QStringLiteral("yon_") + QLatin1String(phases[p]), relay ? bit(1, 13 + p) : bit(49, p)});
    }
    for (int n = 1; n <= (relay ? 18 : 12); ++n) {
        const bool lamp = relay ? (n <= 16 ? bit(45, n - 1) : bit(44, n - 17)) : bit(50, n - 1);
        const bool learnt = relay ? (n <= 16 ? bit(47, n - 1) : bit(46, n - 17)) : bit(51, n - 1);
        e.append({QStringLiteral("durum%1").arg(n), lamp});
        e.append({QStringLiteral("c%1chk").arg(n), learnt});
    }
    for (int n = 1; n <= 18; ++n)
        for (int p = 0; p < 3; ++p)
            e.append({QStringLiteral("c%1_%2_etkin").arg(n).arg(QLatin1String(phases[p])), bit(160 + 4 * (n - 1), p)});
    for (int n = 1; n <= 8; ++n)
        e.append({QStringLiteral("al%1").arg(n), bit(159, n - 1)});
    return e;
}
