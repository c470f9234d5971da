// Page 3 "Harmonikler": one panel per phase with the request button, the
// sampled waveform, and the voltage and current spectra with their selectors.
#include "main_pages.h"
#include "page_kit.h"

#include "image_area.h"
#include "page_tables.h"
#include "shadow_button.h"
#include "spin_edit.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct WaveformPage {
    Q_DECLARE_TR_FUNCTIONS(WaveformPage)
};

// The waveform plot draws samples −128…127 around y = 110 (phase 1: 128);
// 200 rows keep the usual amplitudes on the picture and the page in its area.
constexpr QSize kWaveSize{254, 200};
constexpr QSize kChartSize{254, 171};

struct PhasePanel {
    const char *request;       // request button
    const char *requestText;
    const char *wave;          // waveform picture
    const char *voltageChart;
    const char *voltageSpin;   // harmonic selector
    const char *voltageValue;  // value box
    const char *currentChart;
    const char *currentSpin;
    const char *currentValue;
    const char *analysis;      // hidden button that carries the phase's analysis
};

const PhasePanel kPanels[] = {
    {"VrShadowButton5", QT_TRANSLATE_NOOP("WaveformPage", "Faz1 Harmonik İste"),
     "Image1", "Image4", "SpinEdit2", "EditH22", "Image5", "SpinEdit1", "EditH2", "Button2"},
    {"VrShadowButton6", QT_TRANSLATE_NOOP("WaveformPage", "Faz2 Harmonik İste"),
     "Image2", "Image6", "SpinEdit3", "EditH11", "Image7", "SpinEdit4", "EditH12", "Button3"},
    {"VrShadowButton7", QT_TRANSLATE_NOOP("WaveformPage", "Faz3 Harmonik İste"),
     "Image3", "Image8", "SpinEdit5", "EditH31", "Image9", "SpinEdit6", "EditH32", "Button4"},
};

QString s(const char *utf8) { return QString::fromUtf8(utf8); }

ImageArea *blackImage(QWidget *parent, const char *name, QSize size)
{
    auto *img = new ImageArea(s(name), size, parent);
    img->canvas().fill(Qt::black);
    img->update();
    return img;
}

// "Gerilim H" [selector] [value]: picks one odd harmonic of the chart below.
QHBoxLayout *selectorRow(QWidget *parent, const QString &caption, const char *spin, const char *value)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    QLabel *cap = kit::caption(parent, caption);
    // Both rows share the width of the longer caption so the selectors line up.
    cap->setMinimumWidth(cap->fontMetrics().horizontalAdvance(WaveformPage::tr("Gerilim H")) + 4);
    row->addWidget(cap);
    SpinEdit *sel = kit::spin(parent, s(spin), 1, 31, 2, 0, 1);
    sel->setFixedWidth(56);
    row->addWidget(sel);
    QLineEdit *box = kit::edit(parent, s(value));
    box->setReadOnly(true);
    row->addWidget(box, 1);
    return row;
}

QFrame *buildPhase(QWidget *page, const PhasePanel &ph)
{
    auto *panel = new QFrame(page);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *col = new QVBoxLayout(panel);
    col->setContentsMargins(6, 4, 6, 4);
    col->setSpacing(4);

    col->addWidget(kit::shadowButton(panel, s(ph.request), WaveformPage::tr(ph.requestText)));
    col->addWidget(blackImage(panel, ph.wave, kWaveSize), 0, Qt::AlignHCenter);
    col->addLayout(selectorRow(panel, WaveformPage::tr("Gerilim H"), ph.voltageSpin, ph.voltageValue));
    col->addWidget(blackImage(panel, ph.voltageChart, kChartSize), 0, Qt::AlignHCenter);
    col->addLayout(selectorRow(panel, WaveformPage::tr("Akım H"), ph.currentSpin, ph.currentValue));
    col->addWidget(blackImage(panel, ph.currentChart, kChartSize), 0, Qt::AlignHCenter);
    QPushButton *hidden = kit::button(panel, s(ph.analysis), QStringLiteral("Button2"));
    hidden->hide();
    col->addWidget(hidden);
    col->addStretch(1);
    return panel;
}

} // namespace

void pages::buildHarmonikDalga(QWidget *page)
{
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(6);
    for (const PhasePanel &ph : kPanels)
        row->addWidget(buildPhase(page, ph));
    row->addStretch(1);
    // The three phases' spectra as numbers: the panels fill the page, so
    // the export is in the page's context menu (a right click on it).
    exports::exportAction(page, QStringLiteral("btnHarmonikDalgaDisaAktar"), WaveformPage::tr("harmonik_analizi.csv"),
                          [page] { return exports::spectrumTable(page); });
}
