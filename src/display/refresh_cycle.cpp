#include "refresh_cycle.h"

#include "arrow_indicator.h"
#include "client_state.h"
#include "display_rules.h"
#include "lamp_button.h"
#include "named_widgets.h"
#include "needle_meter.h"
#include "numbers.h"
#include "payload_decoder.h"
#include "register_map.h"
#include "register_store.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>

using namespace display;

namespace {
const QString kRowOne = QStringLiteral("1");
constexpr const char *kPhaseSuffixes[3] = {"r", "s", "t"};
} // namespace

// A rule with its widgets, and the text it wrote last so that an unchanged
// value costs a comparison and no formatting.
struct RefreshCycle::Step {
    const RegisterRule *rule = nullptr;
    std::array<TextSink, 2> sinks{};
    bool cached = false;
    double lastValue = 0;
    QChar lastSeparator;
    QString lastText;
};

RefreshCycle::RefreshCycle(ClientContext &ctx) : m_ctx(ctx)
{
    resolve();
}

RefreshCycle::~RefreshCycle() = default;

template <class T> T *RefreshCycle::widget(const QString &name)
{
    T *w = m_ctx.mainWidgets ? m_ctx.mainWidgets->get<T>(name) : nullptr;
    if (!w)
        m_missing.append(name);
    return w;
}

display::TextSink RefreshCycle::sink(const QString &name)
{
    TextSink s = m_ctx.mainWidgets ? TextSink::find(*m_ctx.mainWidgets, name) : TextSink();
    if (s.isNull())
        m_missing.append(name);
    return s;
}

void RefreshCycle::resolve()
{
    m_panel7 = widget<QWidget>(QStringLiteral("Panel7"));
    m_pages = widget<QTabWidget>(QStringLiteral("suiPageControl1"));
    m_edit1 = widget<QLineEdit>(QStringLiteral("Edit1"));
    m_label17 = sink(QStringLiteral("Label17"));
    m_ewh = sink(QStringLiteral("Ewh"));
    m_needle = widget<NeedleMeter>(QStringLiteral("VrMeter2"));
    for (int n = 1; n <= kSteps; ++n) {
        m_lamps[n - 1] = widget<LampButton>(QStringLiteral("durum%1").arg(n));
        m_learntSteps[n - 1] = widget<QCheckBox>(QStringLiteral("c%1chk").arg(n));
        for (int p = 0; p < 3; ++p) {
            const QString phase = QLatin1String(kPhaseSuffixes[p]);
            m_phaseFlags[n - 1][p] = widget<QCheckBox>(QStringLiteral("c%1_%2_etkin").arg(n).arg(phase));
            m_stepDisplays[n - 1][p] = sink(QStringLiteral("c%1_%2").arg(n).arg(phase));
        }
        m_stepDisplays[n - 1][3] = sink(QStringLiteral("c%1_h").arg(n));
    }
    for (int p = 0; p < 3; ++p) {
        const QString phase = QLatin1String(kPhaseSuffixes[p]);
        m_learnt[p] = widget<QCheckBox>(QStringLiteral("ogrenildi_") + phase);
        m_arrows[p] = widget<ArrowIndicator>(QStringLiteral("yon_") + phase);
    }
    for (int n = 1; n <= 8; ++n)
        m_alarms[n - 1] = widget<QCheckBox>(QStringLiteral("al%1").arg(n));
    m_saat = sink(QStringLiteral("Saat"));
    m_trh = sink(QStringLiteral("Trh"));
    static const char *const currents[4] = {"akim1", "akim2", "akim3", "akimt"};
    for (int i = 0; i < 4; ++i)
        m_currents[i] = sink(QLatin1String(currents[i]));

    const std::vector<RegisterRule> &map = registerMap();
    m_steps.resize(map.size());
    for (size_t i = 0; i < map.size(); ++i) {
        Step &s = m_steps[i];
        s.rule = &map[i];
        for (int t = 0; t < int(s.sinks.size()) && t < s.rule->targets.size(); ++t)
            s.sinks[size_t(t)] = sink(s.rule->targets.at(t));
    }
    m_missing.removeDuplicates();
}

void RefreshCycle::forget()
{
    for (Step &step : m_steps) {
        step.cached = false;
        step.lastText.clear();
    }
    m_totals = {};
    m_ratios = {};
    m_ct = 0;
}

bool RefreshCycle::panel7Visible() const
{
    // Panel7's own flag: hidden only when hidden on purpose, whatever its
    // page and window show.
    return !(m_panel7->isHidden() && m_panel7->testAttribute(Qt::WA_WState_ExplicitShowHide));
}

void RefreshCycle::Timer1Timer()
{
    if (!m_ctx.store || !m_ctx.prog || !m_panel7)
        return;
    if (panel7Visible())
        analyserView();
    else
        overcurrentView();
}

void RefreshCycle::analyserView()
{
    if (m_edit1 && m_pages && m_pages->currentIndex() <= 0 && m_edit1->text() != kRowOne)
        m_edit1->setText(kRowOne);
    m_label17.set(QString::number(m_ctx.prog->activeSerial));

    // A row that is not a whole number of the table shows nothing: the
    // displays keep their texts until the first page puts "1" back.
    const auto row = m_edit1 ? numbers::parseInt(QStringView(m_edit1->text()).trimmed()) : std::nullopt;
    if (!row || *row < kFirstRow || *row > kLastRow)
        return;

    const QChar separator = m_ctx.prog->decimalSeparator;
    m_ct = 0;
    for (Step &step : m_steps) {
        // The variant follows the kind at the moment the register is reached.
        if (!serves(step.rule->variant, m_ctx.prog->deviceKind))
            continue;
        apply(step, *row, m_ctx.store->read(*row, step.rule->reg), separator);
    }
}

void RefreshCycle::apply(Step &step, int row, double v, QChar separator)
{
    const RegisterRule &rule = *step.rule;
    const auto converted = [&] {
        const bool counter = rule.conv.reading == Reading::Counter;
        return convert(rule.conv, v, counter ? m_ctx.store->read(row, rule.reg - 1) : 0,
                       counter ? m_ctx.store->read(row, rule.reg - 2) : 0, m_ct);
    };
    switch (rule.action) {
    case Action::CtRatio:
        m_ct = ctMultiplier(v);
        writeText(step, converted(), separator);
        break;
    case Action::Text:
        writeText(step, converted(), separator);
        break;
    case Action::CosTotal:
        writeText(step, converted(), separator);
        // The needle's own guard: a value without a position leaves it.
        if (const auto position = needlePosition(signedReading(v), rule.a); position && m_needle)
            m_needle->setPosition(*position);
        break;
    case Action::CounterInductive:
    case Action::CounterCapacitive:
        writeText(step, converted(), separator);
        writeRatio(step, rule.action == Action::CounterInductive, separator);
        break;
    case Action::TanPhi:
        if (const auto value = tanPhiValue(v))
            writeText(step, *value, separator);
        break;
    case Action::Status:
        // 1 means "Pasif" here; any other value changes nothing.
        if (v == 1 || v == 0) {
            const Status s = statusText(v == 0);
            step.sinks[0].set(s.text);
            step.sinks[0].setColour(s.colour);
        }
        break;
    case Action::StatusPair:
        if (v == 1 || v == 0) {
            for (int i = 0; i < 2; ++i) {
                const Status s = statusText((i == 0) == (v == 1));
                step.sinks[size_t(i)].set(s.text);
                step.sinks[size_t(i)].setColour(s.colour);
            }
        }
        break;
    case Action::StepTotals:
        writeTotals(separator);
        break;
    default:
        writeBits(step, row, v);
        break;
    }
}

void RefreshCycle::writeText(Step &step, double value, QChar separator)
{
    if (!step.cached || value != step.lastValue || separator != step.lastSeparator) {
        const RegisterRule &rule = *step.rule;
        step.lastText = (rule.pattern.isEmpty() ? generalText(value, separator)
                                                : patternText(value, rule.pattern, separator))
            + rule.suffix;
        step.lastValue = value;
        step.lastSeparator = separator;
        step.cached = true;
    }
    step.sinks[0].set(step.lastText);
    // A second target (register 0) shows the same text; a counter's second
    // target is its ratio, written by writeRatio.
    if (step.rule->action == Action::CtRatio)
        step.sinks[1].set(step.lastText);
}

void RefreshCycle::writeRatio(Step &step, bool inductive, QChar separator)
{
    // The ratio is taken from the captions as shown: the counter just
    // written and the active energy as it stands.
    RatioCache &cache = m_ratios[inductive ? 0 : 1];
    const QString reactive = step.sinks[0].text();
    const QString active = m_ewh.text();
    if (!cache.valid || reactive != cache.reactive || active != cache.active) {
        cache.text = inductive ? inductiveRatioText(reactive, active, separator)
                               : capacitiveRatioText(reactive, active, separator);
        cache.reactive = reactive;
        cache.active = active;
        cache.valid = true;
    }
    step.sinks[1].set(cache.text);
}

void RefreshCycle::writeBits(Step &step, int row, double v)
{
    const RegisterRule &rule = *step.rule;
    switch (rule.action) {
    case Action::Directions:
        for (int p = 0; p < 3; ++p)
            setChecked(m_learnt[p], bitOf(v, rule.a + p));
        for (int p = 0; p < 3; ++p) {
            const Arrow arrow = arrowFor(bitOf(v, rule.b + p));
            setArrow(m_arrows[p], arrow.right, arrow.colour);
        }
        break;
    case Action::LampsSplit:
    case Action::ChecksSplit: {
        // Steps 1 to 16 in the next register, 17 and 18 in this one.
        const double low = m_ctx.store->read(row, rule.reg + 1);
        for (int n = 1; n <= kSteps; ++n) {
            const bool on = n <= 16 ? bitOf(low, n - 1) : bitOf(v, n - 17);
            if (rule.action == Action::LampsSplit)
                setLit(m_lamps[n - 1], on);
            else
                setChecked(m_learntSteps[n - 1], on);
        }
        break;
    }
    case Action::LampsDirect:
        for (int n = 1; n <= rule.a; ++n)
            setLit(m_lamps[n - 1], bitOf(v, n - 1));
        break;
    case Action::ChecksDirect:
        for (int n = 1; n <= rule.a; ++n)
            setChecked(m_learntSteps[n - 1], bitOf(v, n - 1));
        break;
    case Action::Alarms:
        for (int n = 1; n <= 8; ++n) {
            const bool on = bitOf(v, n - 1);
            setChecked(m_alarms[n - 1], on);
            setFontColour(m_alarms[n - 1], on ? kRed : kAqua);
        }
        break;
    case Action::StepFlags:
        for (int p = 0; p < 3; ++p)
            setChecked(m_phaseFlags[rule.a - 1][p], bitOf(v, p));
        break;
    default:
        break;
    }
}

void RefreshCycle::writeTotals(QChar separator)
{
    // Each step's total is the sum of its three displays as they read now,
    // the rounded values of this pass.
    for (int n = 0; n < kSteps; ++n) {
        StepTotal &total = m_totals[n];
        bool same = !total.text.isEmpty();
        QString captions[3];
        for (int p = 0; p < 3; ++p) {
            captions[p] = m_stepDisplays[n][p].text();
            same = same && captions[p] == total.captions[p];
        }
        if (!same) {
            double sum = 0;
            bool numbers = true;
            for (int p = 0; p < 3 && numbers; ++p) {
                const auto value = readBack(captions[p], separator);
                numbers = value.has_value();
                sum += value.value_or(0);
            }
            // A caption that is no number (written by someone else) leaves
            // the total as it was.
            if (!numbers)
                continue;
            for (int p = 0; p < 3; ++p)
                total.captions[p] = captions[p];
            total.text = patternText(sum, u"0.00", separator);
        }
        m_stepDisplays[n][3].set(total.text);
    }
}

void RefreshCycle::overcurrentView()
{
    // Data byte k of the relay's answer: the high byte (raw cell 4n) or the
    // low byte (raw cell 4n + 1) of register n = k / 2 in row 1.
    const auto cell = [this](int k) { return m_ctx.store->readRaw(1, 4 * (k / 2) + (k % 2)); };
    const QChar separator = m_ctx.prog->decimalSeparator;
    m_saat.set(relayTimeText(cell(0), cell(1), cell(2), separator));
    m_trh.set(relayDateText(cell(3), cell(6), cell(7), separator));
    for (int i = 0; i < 4; ++i) {
        const int k = 8 + 4 * i;
        const double value = payload::binary32(cell(k) & 0xFF, cell(k + 1) & 0xFF, cell(k + 2) & 0xFF,
                                               cell(k + 3) & 0xFF);
        m_currents[size_t(i)].set(generalText(value, separator));
    }
}
