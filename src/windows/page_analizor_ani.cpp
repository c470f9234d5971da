// Page 0 "Analizör-Ani Değerler": the analyser's instantaneous values. All of
// it sits in Panel7, which device selection hides for the overcurrent relay.
//
//   row field (Edit1, Label17)                     [hidden diagnostics]
//   Gerilim | Akım | Aktif Güçler | Reaktif Güçler | Görünen Güçler
//   ΣR | On Süreleri | Off Süreleri | İnd./Aktif oranı | Kap./Aktif oranı
//   cos φ meter and Cos φ1..3, frequency, temperature | CT directions
//   capacitor steps C1..C18 in two rows of nine (lamp + learnt check)
#include "main_pages.h"
#include "page_kit.h"

#include "arrow_indicator.h"
#include "lamp_button.h"
#include "led_display.h"
#include "needle_meter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kLedHeight = 24;
constexpr int kSteps = 18;
constexpr int kStepsPerRow = 9;

// One row of a measurement group: row caption, display name, unit label name
// (empty: an unnamed unit caption) and unit text (empty: no unit column).
struct Row {
    const char *caption;
    const char *led;
    const char *unitName;
    const char *unit;
};

QString u8(const char *s) { return QString::fromUtf8(s); }

struct AnalyserPage {
    Q_DECLARE_TR_FUNCTIONS(AnalyserPage)
};

LedDisplay *valueLed(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = kit::led(parent, name, text);
    l->setFixedHeight(kLedHeight);
    l->setMinimumWidth(56);
    l->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return l;
}

// A titled group with one display per row: caption | display | unit.
QGroupBox *measurementGroup(QWidget *parent, const QString &title, const Row *rows, int count,
                            const QString &ledText)
{
    QGroupBox *g = kit::group(parent, QString(), title);
    auto *grid = new QGridLayout(g);
    grid->setContentsMargins(5, 4, 5, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    for (int i = 0; i < count; ++i) {
        const Row &r = rows[i];
        grid->addWidget(kit::caption(g, u8(r.caption)), i, 0);
        grid->addWidget(valueLed(g, u8(r.led), ledText), i, 1);
        if (*r.unit) {
            const QString unitText = AnalyserPage::tr(r.unit);
            QLabel *unit = *r.unitName ? kit::label(g, u8(r.unitName), unitText) : kit::caption(g, unitText);
            grid->addWidget(unit, i, 2);
        }
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(count, 1);
    return g;
}

// Panel7's title strip: the register row shown, the active serial, the
// header of the last register answer and the diagnostics that Ctrl+Q reveals.
QWidget *rowField(QWidget *parent)
{
    auto *w = new QWidget(parent);
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(2, 0, 2, 0);
    h->setSpacing(6);
    h->addWidget(kit::caption(w, AnalyserPage::tr("Satır:")));
    QLineEdit *row = kit::edit(w, QStringLiteral("Edit1"), QStringLiteral("1"));
    row->setFixedWidth(44);
    h->addWidget(row);
    h->addSpacing(8);
    h->addWidget(kit::caption(w, AnalyserPage::tr("Aktif Cihaz:")));
    QLabel *serial = kit::label(w, QStringLiteral("Label17"), QStringLiteral("12001"));
    serial->setMinimumWidth(70);
    QFont bold = serial->font();
    bold.setBold(true);
    serial->setFont(bold);
    h->addWidget(serial);
    h->addSpacing(12);
    // Header of the last register answer: the serial and what it carried.
    QLabel *header = kit::label(w, QStringLiteral("Label2"), QString());
    header->setFont(bold);
    header->setMinimumWidth(220);
    {
        QPalette p = header->palette();
        p.setColor(QPalette::WindowText, QColor(0x40, 0x00, 0x80));
        header->setPalette(p);
    }
    h->addWidget(header, 1);

    QPushButton *twice = kit::button(w, QStringLiteral("btnikikereiste"), AnalyserPage::tr("2 kere veri iste"));
    twice->hide();
    h->addWidget(twice);
    QLineEdit *delay = kit::edit(w, QStringLiteral("Edit7"), QStringLiteral("100"));
    delay->setFixedWidth(50);
    delay->hide();
    h->addWidget(delay);
    return w;
}

QHBoxLayout *powerRow(QWidget *p)
{
    static const Row volts[] = {{"R", "V1", "", "V"}, {"S", "V2", "", "V"}, {"T", "V3", "", "V"}};
    static const Row amps[] = {{"R", "akm1", "", "A"}, {"S", "akm2", "", "A"}, {"T", "akm3", "", "A"}};
    static const Row active[] = {{"R", "kW1", "lkW1", "kW"},
                                 {"S", "Kw2", "Lkw2", "kW"},
                                 {"T", "kW3", "Lkw3", "kW"},
                                 {"Σ", "toplamaktif", "", "kW"}};
    static const Row reactive[] = {
        {"R", "kr1", "lak1", "kVAr"}, {"S", "kr2", "lak2", "kVAr"}, {"T", "kr3", "lak3", "kVAr"}};
    static const Row apparent[] = {{"R", "KVA1", "", "kVA"},
                                   {"S", "KVA2", "", "kVA"},
                                   {"T", "KVA3", "", "kVA"},
                                   {"Σ", "toplamgorunen", "", "kVA"}};
    auto *h = new QHBoxLayout;
    h->setSpacing(5);
    h->addWidget(measurementGroup(p, AnalyserPage::tr("Gerilim "), volts, 3, QStringLiteral("000.0")), 9);
    h->addWidget(measurementGroup(p, AnalyserPage::tr("Akım "), amps, 3, QStringLiteral("000.00")), 9);
    h->addWidget(measurementGroup(p, AnalyserPage::tr("Aktif Güçler "), active, 4, QStringLiteral("000")), 11);
    h->addWidget(measurementGroup(p, AnalyserPage::tr("Reaktif Güçler "), reactive, 3, QStringLiteral("000")), 11);
    h->addWidget(measurementGroup(p, AnalyserPage::tr("Görünen Güçler "), apparent, 4, QStringLiteral("000")), 11);
    return h;
}

QHBoxLayout *ratioRow(QWidget *p)
{
    static const Row sums[] = {{"RL", "ER", "", "kVAr"}, {"RC", "ERL", "", "kVAr"}, {"ΔR", "ERC", "", "kVAr"}};
    static const Row on[] = {{"R", "onsurre_r", "", QT_TRANSLATE_NOOP("AnalyserPage", "sn")},
                             {"S", "onsurre_s", "", QT_TRANSLATE_NOOP("AnalyserPage", "sn")},
                             {"T", "onsurre_t", "", QT_TRANSLATE_NOOP("AnalyserPage", "sn")},
                             {"Σ", "onsurre_top", "", QT_TRANSLATE_NOOP("AnalyserPage", "sn")}};
    static const Row off[] = {{"R", "offsure_r", "", QT_TRANSLATE_NOOP("AnalyserPage", "sn")},
                              {"S", "offsure_s", "", QT_TRANSLATE_NOOP("AnalyserPage", "sn")},
                              {"T", "offsure_t", "", QT_TRANSLATE_NOOP("AnalyserPage", "sn")},
                              {"Σ", "offsure_top", "", QT_TRANSLATE_NOOP("AnalyserPage", "sn")}};
    // The ratio displays carry their own "%" suffix.
    static const Row ind[] = {{"R", "inboluak_r", "", ""},
                              {"S", "inboluak_s", "", ""},
                              {"T", "inboluak_t", "", ""},
                              {"Σ", "inboluak_top", "", ""}};
    static const Row kap[] = {{"R", "kapboluak_r", "", ""},
                              {"S", "kapboluak_s", "", ""},
                              {"T", "kapboluak_t", "", ""},
                              {"Σ", "kapboluak_top", "", ""}};
    const QString zero = QStringLiteral("000");
    auto *h = new QHBoxLayout;
    h->setSpacing(5);
    h->addWidget(measurementGroup(p, QStringLiteral("    R  "), sums, 3, zero), 8);
    h->addWidget(measurementGroup(p, AnalyserPage::tr("On Süreleri "), on, 4, zero), 8);
    h->addWidget(measurementGroup(p, AnalyserPage::tr("Off Süreleri "), off, 4, zero), 8);
    h->addWidget(measurementGroup(p, AnalyserPage::tr("İndüktif / Aktif Güç Oranı "), ind, 4, zero), 10);
    h->addWidget(measurementGroup(p, AnalyserPage::tr("Kapasitif / Aktif Güç Oranı "), kap, 4, zero), 10);
    return h;
}

// Power factor meter with the overall cos φ, per-phase cos φ, frequency and
// temperature.
QGroupBox *powerFactorBox(QWidget *p)
{
    QGroupBox *g = kit::group(p, QString(), QString());
    auto *h = new QHBoxLayout(g);
    h->setContentsMargins(6, 6, 6, 6);
    h->setSpacing(10);

    auto *meter = new NeedleMeter(QStringLiteral("VrMeter2"), g);
    meter->setRange(-50, 50);
    meter->setScaleLabels({QStringLiteral("-0,5"), QStringLiteral("-0,8"), QStringLiteral("1,0"),
                           QStringLiteral("+0,8"), QStringLiteral("+0,5")});
    meter->setLeftCaption(AnalyserPage::tr("KAPASİTİF"));
    meter->setRightCaption(AnalyserPage::tr("İNDÜKTİF"));
    meter->setPosition(0);
    meter->setMinimumSize(230, 130);
    meter->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    h->addWidget(meter, 3);

    auto *values = new QGridLayout;
    values->setHorizontalSpacing(6);
    values->setVerticalSpacing(4);
    QFont big = g->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 2);
    // The texts before the first values, with the locale's decimal separator.
    const auto valueLabel = [&](const char *name, const char *text) {
        QLabel *l = kit::label(g, QString::fromLatin1(name), u8(text).replace(u'.', QLocale().decimalPoint()));
        l->setFont(big);
        l->setMinimumWidth(64);
        return l;
    };
    int r = 0;
    values->addWidget(kit::caption(g, u8("Cos φ")), r, 0);
    values->addWidget(valueLabel("CosE", "0.000"), r++, 1);
    for (int n = 1; n <= 3; ++n) {
        values->addWidget(kit::caption(g, u8("Cos φ%1").arg(n)), r, 0);
        values->addWidget(valueLed(g, QStringLiteral("Cos%1").arg(n), QStringLiteral("000")), r++, 1);
    }
    values->addWidget(kit::caption(g, AnalyserPage::tr("Frekans:")), r, 0);
    values->addWidget(valueLabel("Fr", "00.0"), r++, 1);
    values->addWidget(kit::caption(g, AnalyserPage::tr("Sıcaklık:")), r, 0);
    values->addWidget(valueLabel("sicaklik", "00.0°"), r++, 1);
    values->setRowStretch(r, 1);
    values->setColumnStretch(1, 1);
    h->addLayout(values, 2);
    return g;
}

// Current-transformer directions: learnt flag and arrow per phase, and the
// CT ratio.
QGroupBox *ctBox(QWidget *p)
{
    QGroupBox *g = kit::group(p, QString(), AnalyserPage::tr("Akım Trafosu Yönleri"));
    auto *grid = new QGridLayout(g);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(5);
    grid->addWidget(kit::caption(g, AnalyserPage::tr("öğrenildi")), 0, 1, Qt::AlignHCenter);
    grid->addWidget(kit::caption(g, AnalyserPage::tr("yön")), 0, 2, Qt::AlignHCenter);
    static const char *const phases[] = {"r", "s", "t"};
    for (int i = 0; i < 3; ++i) {
        const QString suffix = QString::fromLatin1(phases[i]);
        grid->addWidget(kit::caption(g, suffix.toUpper()), i + 1, 0);
        QCheckBox *learnt = kit::readOnlyCheck(g, QStringLiteral("ogrenildi_") + suffix);
        grid->addWidget(learnt, i + 1, 1, Qt::AlignHCenter);
        auto *arrow = new ArrowIndicator(QStringLiteral("yon_") + suffix, g);
        arrow->setFixedSize(40, 20);
        grid->addWidget(arrow, i + 1, 2, Qt::AlignHCenter);
    }
    auto *ratio = new QHBoxLayout;
    ratio->setSpacing(6);
    ratio->addWidget(kit::caption(g, AnalyserPage::tr("Akım Trafosu Oranı:")));
    QLabel *at = kit::label(g, QStringLiteral("ATOran"), QStringLiteral("0"));
    QFont bold = at->font();
    bold.setBold(true);
    at->setFont(bold);
    ratio->addWidget(at, 1);
    grid->addLayout(ratio, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);
    return g;
}

// The eighteen capacitor steps: lamp ("Durum", a click switches the step) and
// the read-only learnt flag ("G.Ö.").
QGroupBox *stepsBox(QWidget *p)
{
    QGroupBox *g = kit::group(p, QString(), AnalyserPage::tr("Kondansatör Güç Öğrenme / Devrede"));
    auto *v = new QVBoxLayout(g);
    v->setContentsMargins(6, 4, 6, 4);
    v->setSpacing(4);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (int block = 0; block < kSteps / kStepsPerRow; ++block) {
        const int top = block * 2;
        grid->addWidget(kit::caption(g, AnalyserPage::tr("Durum")), top, 0);
        grid->addWidget(kit::caption(g, AnalyserPage::tr("G.Ö.")), top + 1, 0);
        for (int i = 0; i < kStepsPerRow; ++i) {
            const int n = block * kStepsPerRow + i + 1;
            LampButton *lamp = kit::lamp(g, QStringLiteral("durum%1").arg(n), QStringLiteral("C%1").arg(n));
            grid->addWidget(lamp, top, i + 1, Qt::AlignHCenter);
            QCheckBox *learnt = kit::readOnlyCheck(g, QStringLiteral("c%1chk").arg(n));
            grid->addWidget(learnt, top + 1, i + 1, Qt::AlignHCenter);
        }
    }
    for (int c = 1; c <= kStepsPerRow; ++c)
        grid->setColumnStretch(c, 1);
    v->addLayout(grid);

    QPushButton *all =
        kit::button(g, QStringLiteral("BitBtn3"), AnalyserPage::tr("Kondansatörleri Devreye Al-Çıkar"));
    all->hide();
    v->addWidget(all);
    return g;
}

} // namespace

void pages::buildAnalizorAni(QWidget *page)
{
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);

    auto *panel = new QFrame(page);
    panel->setObjectName(QStringLiteral("Panel7"));
    outer->addWidget(panel);

    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(6, 4, 6, 6);
    v->setSpacing(5);
    v->addWidget(rowField(panel));
    v->addLayout(powerRow(panel));
    v->addLayout(ratioRow(panel));

    auto *middle = new QHBoxLayout;
    middle->setSpacing(5);
    middle->addWidget(powerFactorBox(panel), 3);
    middle->addWidget(ctBox(panel), 1);
    v->addLayout(middle, 1);
    v->addWidget(stepsBox(panel));

    // Scratch memos of the original form; never shown.
    for (const char *name : {"Memo1", "Memo2"}) {
        auto *memo = new QPlainTextEdit(panel);
        memo->setObjectName(QString::fromLatin1(name));
        memo->hide();
        v->addWidget(memo);
    }
}
