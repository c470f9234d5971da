// Page 2 "Aşırı Akım Rölesi": the overcurrent relay's clock, serial, phase and
// total currents, relay outputs and protection settings. Everything sits on
// Panel8, which device selection shows only for the overcurrent relay.
#include "main_pages.h"
#include "page_kit.h"

#include "lamp_button.h"
#include "led_display.h"
#include "needle_meter.h"
#include "shadow_button.h"
#include "spinner.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString s(const char *utf8) { return QString::fromUtf8(utf8); }

struct OvercurrentPage {
    Q_DECLARE_TR_FUNCTIONS(OvercurrentPage)
};

LedDisplay *bigLed(QWidget *parent, const QString &name, int minWidth, int height)
{
    LedDisplay *led = kit::led(parent, name);
    led->setFixedHeight(height);
    led->setMinimumWidth(minWidth);
    return led;
}

// Panel9: the relay's clock, date and serial.
QFrame *buildClockPanel(QWidget *parent)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("Panel9"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 6, 8, 6);
    row->setSpacing(6);
    row->addWidget(kit::caption(panel, OvercurrentPage::tr("Saat:")));
    row->addWidget(bigLed(panel, QStringLiteral("Saat"), 100, 30), 1);
    row->addSpacing(10);
    row->addWidget(kit::caption(panel, OvercurrentPage::tr("Tarih:")));
    row->addWidget(bigLed(panel, QStringLiteral("Trh"), 120, 30), 1);
    row->addSpacing(10);
    row->addWidget(kit::caption(panel, OvercurrentPage::tr("Seri No:")));
    row->addWidget(bigLed(panel, QStringLiteral("Sno"), 100, 30), 1);
    row->addWidget(bigLed(panel, QStringLiteral("Serino"), 100, 30), 1);
    return panel;
}

// One current gauge: the needle meter over its numeric display.
QFrame *buildGauge(QWidget *parent, const char *meter, const char *title, const char *display)
{
    auto *box = new QFrame(parent);
    box->setFrameShape(QFrame::StyledPanel);
    auto *col = new QVBoxLayout(box);
    col->setContentsMargins(6, 6, 6, 6);
    col->setSpacing(4);
    auto *m = new NeedleMeter(s(meter), box);
    m->setRange(0, 100);
    m->setScaleLabels({QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("40"), QStringLiteral("60"),
                       QStringLiteral("80"), QStringLiteral("100")});
    m->setTitle(s(title));
    m->setFixedHeight(124);
    col->addWidget(m);
    col->addWidget(bigLed(box, s(display), 80, 36));
    return box;
}

QGroupBox *buildRelays(QWidget *parent)
{
    auto *box = kit::group(parent, QString(), OvercurrentPage::tr("Röleler"));
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(10, 6, 10, 6);
    row->setSpacing(14);
    for (int i = 1; i <= 3; ++i)
        row->addWidget(kit::lamp(box, QStringLiteral("role%1").arg(i), OvercurrentPage::tr("Röle %1").arg(i)));
    row->addSpacing(20);
    row->addWidget(kit::shadowButton(box, QStringLiteral("VrShadowButton1"), OvercurrentPage::tr("Röleleri Çek")));
    row->addWidget(kit::shadowButton(box, QStringLiteral("VrShadowButton2"), OvercurrentPage::tr("Değerleri Oku")));
    row->addWidget(
        kit::shadowButton(box, QStringLiteral("VrShadowButton3"), OvercurrentPage::tr("Sabit Değerleri Yaz")));
    row->addStretch(1);
    return box;
}

struct Setting {
    const char *caption;
    const char *edit;
    const char *spinner;
};

// One row per setting: caption, value field, up/down spinner.
void addSettingRows(QWidget *parent, QGridLayout *grid, const Setting *rows, int count)
{
    for (int i = 0; i < count; ++i) {
        grid->addWidget(kit::caption(parent, OvercurrentPage::tr(rows[i].caption)), i, 0);
        QLineEdit *e = kit::edit(parent, s(rows[i].edit), QStringLiteral("0"));
        e->setMinimumWidth(60);
        grid->addWidget(e, i, 1);
        grid->addWidget(new Spinner(s(rows[i].spinner), parent), i, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(count, 1);
}

QTabWidget *buildProtectionTabs(QWidget *parent, const char *name, const QString &tabCaption, const Setting *rows)
{
    auto *tabs = new QTabWidget(parent);
    tabs->setObjectName(s(name));
    auto *sheet = new QWidget;
    auto *grid = new QGridLayout(sheet);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(10);
    addSettingRows(sheet, grid, rows, 3);
    tabs->addTab(sheet, tabCaption);
    return tabs;
}

// Earth-fault threshold: one value with a fine and a coarse spinner.
QGroupBox *buildEarthFault(QWidget *parent)
{
    auto *box = kit::group(parent, QString(), OvercurrentPage::tr("FAZ-TOPRAK"));
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    grid->addWidget(kit::caption(box, OvercurrentPage::tr("Kaçak akım (mA)")), 0, 0, 1, 3);
    QLineEdit *e = kit::edit(box, QStringLiteral("Edit87"), QStringLiteral("0"));
    e->setMinimumWidth(60);
    grid->addWidget(e, 1, 0, 2, 1);
    grid->addWidget(new Spinner(QStringLiteral("VrSpinner7"), box), 1, 1);
    grid->addWidget(kit::caption(box, s("±1")), 1, 2);
    grid->addWidget(new Spinner(QStringLiteral("VrSpinner8"), box), 2, 1);
    grid->addWidget(kit::caption(box, s("±10")), 2, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(3, 1);
    return box;
}

QWidget *buildSettings(QWidget *parent)
{
    static const Setting kPhase[] = {
        {QT_TRANSLATE_NOOP("OvercurrentPage", "Açma akımı (A)"), "Edit11", "VrSpinner1"},
        {QT_TRANSLATE_NOOP("OvercurrentPage", "Gecikme (sn)"), "Edit22", "VrSpinner2"},
        {QT_TRANSLATE_NOOP("OvercurrentPage", "Ani açma akımı (A)"), "Edit33", "VrSpinner3"},
    };
    static const Setting kEarth[] = {
        {QT_TRANSLATE_NOOP("OvercurrentPage", "Açma akımı (A)"), "Edit54", "VrSpinner4"},
        {QT_TRANSLATE_NOOP("OvercurrentPage", "Gecikme (sn)"), "Edit65", "VrSpinner5"},
        {QT_TRANSLATE_NOOP("OvercurrentPage", "Ani açma akımı (A)"), "Edit76", "VrSpinner6"},
    };
    auto *box = kit::group(parent, QString(), OvercurrentPage::tr("Koruma Ayarları"));
    auto *col = new QVBoxLayout(box);
    col->setContentsMargins(8, 6, 8, 6);
    col->setSpacing(6);

    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(buildProtectionTabs(box, "suiTabControl1", OvercurrentPage::tr("Faz Koruma"), kPhase), 3);
    row->addWidget(buildProtectionTabs(box, "suiTabControl2", OvercurrentPage::tr("Toprak Koruma"), kEarth), 3);
    row->addWidget(buildEarthFault(box), 2);
    col->addLayout(row, 1);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    // Shown while a settings transfer is under way; keeps its place when hidden.
    auto *busy = new QLabel(OvercurrentPage::tr("Lütfen Bekleyin...."), box);
    busy->setObjectName(QStringLiteral("Panel35"));
    busy->setFrameShape(QFrame::Panel);
    busy->setFrameShadow(QFrame::Raised);
    busy->setAlignment(Qt::AlignCenter);
    busy->setMinimumWidth(160);
    QFont f = busy->font();
    f.setBold(true);
    busy->setFont(f);
    QSizePolicy keep = busy->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    busy->setSizePolicy(keep);
    busy->hide();
    buttons->addWidget(busy);
    buttons->addStretch(1);
    buttons->addWidget(kit::button(box, QStringLiteral("suiButton1"), OvercurrentPage::tr("Gönder")));
    buttons->addWidget(kit::button(box, QStringLiteral("suiButton2"), OvercurrentPage::tr("Çıkış")));
    col->addLayout(buttons);
    return box;
}

} // namespace

void pages::buildAsiriAkim(QWidget *page)
{
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);

    auto *panel = new QFrame(page);
    panel->setObjectName(QStringLiteral("Panel8"));
    pageLayout->addWidget(panel);

    auto *col = new QVBoxLayout(panel);
    col->setContentsMargins(8, 8, 8, 8);
    col->setSpacing(8);
    col->addWidget(buildClockPanel(panel));

    auto *gauges = new QHBoxLayout;
    gauges->setSpacing(8);
    gauges->addWidget(buildGauge(panel, "VrMeter6", "I 1", "akim1"));
    gauges->addWidget(buildGauge(panel, "VrMeter4", "I 2", "akim2"));
    gauges->addWidget(buildGauge(panel, "VrMeter5", "I 3", "akim3"));
    gauges->addWidget(buildGauge(panel, "VrMeter3", "I t", "akimt"));
    col->addLayout(gauges);

    col->addWidget(buildRelays(panel));
    col->addWidget(buildSettings(panel));
    col->addStretch(1);

    // Shown by device selection for the overcurrent relay only.
    panel->hide();
}
