#pragma once
// The live display: once a second the active device's registers are copied
// from the register store into the main window's displays.
//
// While Panel7 (page 0) is not hidden, each tick is a pass over registers 0
// to 401 of the row in Edit1, every register with its rule from the register
// map, in the variant of the active device kind. Otherwise the overcurrent
// relay's clock, date and currents are shown from the raw bytes of row 1.
//
// The widgets are found by name once, when the cycle is made; a widget is
// written only when what it shows changes.
#include "client_context.h"
#include "display_sinks.h"

#include <QChar>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class QCheckBox;
class QLineEdit;
class QTabWidget;
class ArrowIndicator;
class LampButton;
class NeedleMeter;

namespace display {
struct RegisterRule;
}

class RefreshCycle {
public:
    explicit RefreshCycle(ClientContext &ctx);
    ~RefreshCycle();
    RefreshCycle(const RefreshCycle &) = delete;
    RefreshCycle &operator=(const RefreshCycle &) = delete;

    // One tick of Timer1.
    void Timer1Timer();
    // Forgets the texts worked out so far (the next tick works every one out
    // again), as a new cycle has none; the widgets found stay.
    void forget();

    // Names of the register map's widgets that the main window lacks (none in
    // the real window); their rules then write nothing.
    QStringList missingWidgets() const { return m_missing; }

    // Rows of the register table the analyser view shows.
    static constexpr int kFirstRow = 1;
    static constexpr int kLastRow = 250;

private:
    struct Step;
    struct StepTotal {
        QString captions[3];
        QString text;
    };
    struct RatioCache {
        QString reactive, active, text;
        bool valid = false;
    };

    void resolve();
    display::TextSink sink(const QString &name);
    template <class T> T *widget(const QString &name);

    bool panel7Visible() const;
    void analyserView();
    void overcurrentView();
    void apply(Step &step, int row, double v, QChar separator);
    void writeText(Step &step, double value, QChar separator);
    void writeRatio(Step &step, bool inductive, QChar separator);
    void writeBits(Step &step, int row, double v);
    void writeTotals(QChar separator);

    ClientContext &m_ctx;
    std::vector<Step> m_steps;
    QStringList m_missing;
    qint32 m_ct = 0;

    QWidget *m_panel7 = nullptr;
    QTabWidget *m_pages = nullptr;
    QLineEdit *m_edit1 = nullptr;
    display::TextSink m_label17;
    display::TextSink m_ewh;
    NeedleMeter *m_needle = nullptr;
    std::array<LampButton *, 18> m_lamps{};
    std::array<QCheckBox *, 18> m_learntSteps{};  // c1chk … c18chk
    std::array<QCheckBox *, 3> m_learnt{};        // ogrenildi_r, _s, _t
    std::array<ArrowIndicator *, 3> m_arrows{};   // yon_r, _s, _t
    std::array<QCheckBox *, 8> m_alarms{};        // al1 … al8
    std::array<std::array<QCheckBox *, 3>, 18> m_phaseFlags{}; // c1_r_etkin …
    std::array<std::array<display::TextSink, 4>, 18> m_stepDisplays{};  // C1_R, _S, _T, _H
    std::array<StepTotal, 18> m_totals{};
    std::array<RatioCache, 2> m_ratios{};

    // The overcurrent relay's displays.
    display::TextSink m_saat, m_trh;
    std::array<display::TextSink, 4> m_currents{}; // akim1, akim2, akim3, akimt
};
