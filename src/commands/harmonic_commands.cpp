// The harmonic requests and the per-phase harmonic analysis.
#include "commands.h"

#include "client_state.h"
#include "command_kit.h"
#include "harmonic_analysis.h"
#include "image_area.h"
#include "named_widgets.h"
#include "pending.h"
#include "register_store.h"
#include "spin_edit.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>

#include <array>
#include <cmath>
#include <memory>

namespace commands {

namespace {

constexpr int kPhases = 3;

// One request per phase; the device's own harmonic table has a fourth.
struct HarmonicRequest {
    const char *button;
    QByteArray keyword;
    const QByteArray &pendingRequest;
    const char *outgoing;
    bool fromRegister300; // the answer fills registers 300 onward
};

const HarmonicRequest kRequests[] = {
    {"VrShadowButton5", "harmonikbir", pending::harmonikb,
     QT_TRANSLATE_NOOP("HarmonicCommands", "Faz1 harmonik değerleri istendi.Lütfen bekleyin..."), false},
    {"VrShadowButton6", "harmonikiki", pending::harmoniki,
     QT_TRANSLATE_NOOP("HarmonicCommands", "Faz2 harmonik değerleri istendi.Lütfen bekleyin..."), false},
    {"VrShadowButton7", "harmonikuc", pending::harmoniku,
     QT_TRANSLATE_NOOP("HarmonicCommands", "Faz3 harmonik değerleri istendi.Lütfen bekleyin..."), false},
    {"VrShadowButton4", "harmonikzorv", pending::harmonikzorv,
     QT_TRANSLATE_NOOP("HarmonicCommands", "harmonikzorv durumları istendi.Lütfen bekleyin..."), true},
};

// Page 3: the chart, value box and selector of each quantity of a phase, and
// the hidden button that carries the phase's analysis.
struct QuantityNames {
    const char *chart;
    const char *value;
    const char *selector;
};
struct PhaseNames {
    QuantityNames voltage;
    QuantityNames current;
    const char *analysis;
};

const PhaseNames kPhaseNames[kPhases] = {
    {{"Image4", "EditH22", "SpinEdit2"}, {"Image5", "EditH2", "SpinEdit1"}, "Button2"},
    {{"Image6", "EditH11", "SpinEdit3"}, {"Image7", "EditH12", "SpinEdit4"}, "Button3"},
    {{"Image8", "EditH31", "SpinEdit5"}, {"Image9", "EditH32", "SpinEdit6"}, "Button4"},
};

struct QuantityView {
    ImageArea *chart = nullptr;
    QLineEdit *value = nullptr;
    SpinEdit *selector = nullptr;
    harmonics::Texts texts;   // entry h − 1: harmonic h
};

struct PhaseView {
    std::array<QuantityView, 2> quantities; // voltage, current
    bool analysed = false;                  // the texts exist from the first analysis on
};

struct HarmonicPage {
    std::array<PhaseView, kPhases> phases;
};

QuantityView viewOf(const NamedWidgets &w, const QuantityNames &names)
{
    QuantityView v;
    v.chart = w.get<ImageArea>(QString::fromLatin1(names.chart));
    v.value = w.get<QLineEdit>(QString::fromLatin1(names.value));
    v.selector = w.get<SpinEdit>(QString::fromLatin1(names.selector));
    return v;
}

// Button2Click … Button4Click: voltage from harmonicSamplesA, current from
// harmonicSamplesB, whatever the last waveform answers left there.
void analysePhase(const ClientContext &ctx, HarmonicPage &page, int phase)
{
    if (phase < 1 || phase > kPhases || !ctx.prog)
        return;
    const ProgramState &prog = *ctx.prog;
    PhaseView &view = page.phases[size_t(phase - 1)];
    const std::array<const std::array<double, 66> *, 2> samples{&prog.harmonicSamplesA, &prog.harmonicSamplesB};
    const std::array<harmonics::Quantity, 2> kinds{harmonics::Quantity::Voltage, harmonics::Quantity::Current};
    for (size_t q = 0; q < 2; ++q) {
        const harmonics::Magnitudes m =
            harmonics::analyse(std::span<const double, harmonics::kSamples>(samples[q]->data(), harmonics::kSamples));
        QuantityView &qv = view.quantities[q];
        qv.texts = harmonics::texts(m, prog.decimalSeparator);
        if (qv.chart) {
            harmonics::drawChart(qv.chart->canvas(), m, phase, kinds[q], prog.decimalSeparator);
            qv.chart->setValues(QList<double>(m.begin(), m.end()));
            qv.chart->update();
        }
        if (qv.value)
            qv.value->setText(qv.texts[0]);
    }
    view.analysed = true;
}

// SpinEdit1Change … SpinEdit6Change. A selector typed beyond 1..31 (or with a
// fraction) names no harmonic and leaves the value box as it is.
void showSelected(const PhaseView &phase, const QuantityView &qv)
{
    if (!phase.analysed || !qv.selector || !qv.value)
        return;
    const double selected = qv.selector->value();
    if (selected != std::floor(selected) || selected < 1 || selected > harmonics::kHarmonics)
        return;
    qv.value->setText(qv.texts[size_t(selected) - 1]);
}

} // namespace

void installHarmonics(ClientContext &ctx)
{
    if (!ctx.mainWidgets)
        return;
    const NamedWidgets &w = *ctx.mainWidgets;
    const ClientContext *c = &ctx;

    for (const HarmonicRequest &r : kRequests) {
        auto *button = w.get<QAbstractButton>(QString::fromLatin1(r.button));
        if (!button)
            continue;
        QObject::connect(button, &QAbstractButton::clicked, button, [c, &r] {
            if (c->conn)
                c->conn->pendingRequest = r.pendingRequest;
            if (r.fromRegister300 && c->store)
                c->store->startRegister = 300;
            c->sendRequest(requestForSerial(*c, r.keyword));
            c->setOutgoing(QCoreApplication::translate("HarmonicCommands", r.outgoing));
            c->setMessage(QString());
        });
    }

    auto page = std::make_shared<HarmonicPage>();
    for (int p = 0; p < kPhases; ++p) {
        const PhaseNames &names = kPhaseNames[p];
        PhaseView &view = page->phases[size_t(p)];
        view.quantities[0] = viewOf(w, names.voltage);
        view.quantities[1] = viewOf(w, names.current);
        for (size_t q = 0; q < 2; ++q) {
            if (SpinEdit *sel = view.quantities[q].selector) {
                QObject::connect(sel, &SpinEdit::valueChanged, sel, [page, p, q] {
                    const PhaseView &v = page->phases[size_t(p)];
                    showSelected(v, v.quantities[q]);
                });
            }
        }
        if (auto *hidden = w.get<QAbstractButton>(QString::fromLatin1(names.analysis)))
            QObject::connect(hidden, &QAbstractButton::clicked, hidden, [c, page, p] { analysePhase(*c, *page, p + 1); });
    }
    ctx.analyseHarmonics = [c, page](int phase) { analysePhase(*c, *page, phase); };
}

} // namespace commands
