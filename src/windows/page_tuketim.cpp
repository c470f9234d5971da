// Page 1 "Analizör-Tüketim Değerleri": energy counters of the analyser, the
// reactive-to-active ratios, the meter values kept before a reset and the
// energy ratio between two dates.
//
//   [Enerji Değerlerini İste]                               Seri No [Edit111]
//   kwh | kVArLh | kVArCh                (rows R, S, T and the total Σ)
//   total ratios | Reset Öncesi Sayaç Değerleri
//   two-date ratio: dates, request, both readings, ratios with their band
#include "main_pages.h"
#include "page_kit.h"

#include "led_display.h"
#include "page_tables.h"
#include "shadow_button.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kLedHeight = 30;

QString u8(const char *s) { return QString::fromUtf8(s); }

struct ConsumptionPage {
    Q_DECLARE_TR_FUNCTIONS(ConsumptionPage)
};

LedDisplay *valueLed(QWidget *parent, const char *name)
{
    auto *l = kit::led(parent, QString::fromLatin1(name));
    l->setFixedHeight(kLedHeight);
    l->setMinimumWidth(90);
    l->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return l;
}

QLabel *headerLabel(QWidget *parent, const char *text)
{
    QLabel *l = kit::caption(parent, ConsumptionPage::tr(text));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    return l;
}

// Caption above its field, as the date pickers and the serial box are laid out.
QVBoxLayout *captioned(QWidget *parent, const char *caption, QWidget *field)
{
    auto *v = new QVBoxLayout;
    v->setSpacing(1);
    v->addWidget(kit::caption(parent, ConsumptionPage::tr(caption)));
    v->addWidget(field);
    return v;
}

// One energy counter group: phases R, S, T and the total Σ, with the unit.
QGroupBox *energyGroup(QWidget *p, const char *title, const char *const names[4], const char *unit)
{
    static const char *const rows[] = {"R", "S", "T", "Σ"};
    QGroupBox *g = kit::group(p, QString(), u8(title));
    auto *grid = new QGridLayout(g);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(4);
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(kit::caption(g, u8(rows[i])), i, 0);
        grid->addWidget(valueLed(g, names[i]), i, 1);
        grid->addWidget(kit::caption(g, u8(unit)), i, 2);
    }
    grid->setColumnStretch(1, 1);
    return g;
}

QHBoxLayout *countersRow(QWidget *p)
{
    static const char *const kwh[] = {"kWh_R", "kwh_S", "kwh_T", "Ewh"};
    static const char *const ind[] = {"kVArLh_R", "kVArLh_S", "kVArLh_T", "Elh"};
    static const char *const cap[] = {"kVArCh_R", "kVArCh_S", "kVArCh_T", "ECh"};
    auto *h = new QHBoxLayout;
    h->setSpacing(6);
    h->addWidget(energyGroup(p, "        kwh ", kwh, "kWh"));
    h->addWidget(energyGroup(p, "    kVArLh         ", ind, "kVArh"));
    h->addWidget(energyGroup(p, "     kVArCh         ", cap, "kVArh"));
    return h;
}

QGroupBox *totalRatios(QWidget *p)
{
    QGroupBox *g = kit::group(p, QString(), ConsumptionPage::tr("Toplam Oranlar"));
    auto *grid = new QGridLayout(g);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(2);
    const struct {
        const char *caption;
        const char *led;
    } ratios[] = {{QT_TRANSLATE_NOOP("ConsumptionPage", "İndüktif / Aktif Oran"), "Toplamindoran"},
                  {QT_TRANSLATE_NOOP("ConsumptionPage", "Kapasitif / Aktif Oran"), "Toplamkaporan"}};
    int r = 0;
    for (const auto &ratio : ratios) {
        grid->addWidget(kit::caption(g, ConsumptionPage::tr(ratio.caption)), r++, 0, 1, 2);
        grid->addWidget(valueLed(g, ratio.led), r, 0);
        grid->addWidget(kit::caption(g, QStringLiteral("%")), r++, 1);
    }
    grid->setColumnStretch(0, 1);
    return g;
}

QGroupBox *beforeReset(QWidget *p)
{
    QGroupBox *g = kit::group(p, QString(), ConsumptionPage::tr("Reset Öncesi Sayaç Değerleri "));
    auto *grid = new QGridLayout(g);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(4);
    const struct {
        const char *caption;
        const char *led;
        const char *unit;
    } rows[] = {{QT_TRANSLATE_NOOP("ConsumptionPage", "Aktif"), "SayacAktif", "kWh"},
               {QT_TRANSLATE_NOOP("ConsumptionPage", "İndüktif"), "Sayacind", "kVArh"},
               {QT_TRANSLATE_NOOP("ConsumptionPage", "Kapasitif"), "SayacKap", "kVArh"}};
    int r = 0;
    for (const auto &row : rows) {
        grid->addWidget(kit::caption(g, ConsumptionPage::tr(row.caption)), r, 0);
        grid->addWidget(valueLed(g, row.led), r, 1);
        grid->addWidget(kit::caption(g, u8(row.unit)), r++, 2);
    }
    grid->setColumnStretch(1, 1);
    return g;
}

// A band label ("NORMAL", "KRİTİK", "ALARM", "CEZA"): the band colours are
// bright, so the label sits on a dark field.
QLabel *bandLabel(QWidget *parent, const char *name)
{
    QLabel *l = kit::label(parent, QString::fromLatin1(name), ConsumptionPage::tr("DURUM"));
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    l->setFont(f);
    l->setMinimumSize(90, kLedHeight);
    return l;
}

QGroupBox *dateRange(QWidget *p)
{
    QGroupBox *g = kit::group(p, QString(), ConsumptionPage::tr("İki Tarih Arası Oranlar"));
    auto *v = new QVBoxLayout(g);
    v->setContentsMargins(8, 6, 8, 8);
    v->setSpacing(8);

    // Dates and the request. The main window sets the range to the last week
    // when it is shown; the same range is the starting value here.
    auto *top = new QHBoxLayout;
    top->setSpacing(10);
    QDateEdit *first = kit::datePicker(g, QStringLiteral("DateTimePicker1"));
    QDateEdit *last = kit::datePicker(g, QStringLiteral("DateTimePicker2"));
    first->setDate(QDate::currentDate().addDays(-7));
    last->setDate(QDate::currentDate());
    first->setMinimumWidth(110);
    last->setMinimumWidth(110);
    top->addLayout(captioned(g, QT_TRANSLATE_NOOP("ConsumptionPage", "İlk Tarih"), first));
    top->addLayout(captioned(g, QT_TRANSLATE_NOOP("ConsumptionPage", "Son Tarih"), last));
    ShadowButton *ask =
        kit::shadowButton(g, QStringLiteral("VrShadowButton9"), ConsumptionPage::tr("İki Tarih Arası Oranları Hesapla"));
    top->addWidget(ask, 0, Qt::AlignBottom);
    top->addStretch(1);
    QLineEdit *arrival = kit::edit(g, QStringLiteral("Edit4"));
    arrival->setReadOnly(true);
    arrival->setFixedWidth(90);
    top->addLayout(captioned(g, QT_TRANSLATE_NOOP("ConsumptionPage", "Alınma Saati"), arrival));
    v->addLayout(top);

    // The two readings, one row per date.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->addWidget(headerLabel(g, QT_TRANSLATE_NOOP("ConsumptionPage", "Tarih")), 0, 0);
    grid->addWidget(headerLabel(g, QT_TRANSLATE_NOOP("ConsumptionPage", "Aktif (kWh)")), 0, 1);
    grid->addWidget(headerLabel(g, QT_TRANSLATE_NOOP("ConsumptionPage", "İndüktif (kVArh)")), 0, 2);
    grid->addWidget(headerLabel(g, QT_TRANSLATE_NOOP("ConsumptionPage", "Kapasitif (kVArh)")), 0, 3);
    const struct {
        const char *date;
        const char *leds[3];
    } readings[] = {{"Edit222", {"ak1", "in1", "kap1"}}, {"Edit333", {"ak2", "in2", "kap2"}}};
    int r = 1;
    for (const auto &reading : readings) {
        QLineEdit *date = kit::edit(g, QString::fromLatin1(reading.date));
        date->setReadOnly(true);
        date->setFixedWidth(100);
        grid->addWidget(date, r, 0);
        for (int c = 0; c < 3; ++c)
            grid->addWidget(valueLed(g, reading.leds[c]), r, c + 1);
        ++r;
    }
    for (int c = 1; c <= 3; ++c)
        grid->setColumnStretch(c, 1);
    v->addLayout(grid);

    // The ratios of the range and their bands.
    auto *ratios = new QGridLayout;
    ratios->setHorizontalSpacing(6);
    ratios->setVerticalSpacing(2);
    const struct {
        const char *caption;
        const char *led;
        const char *band;
    } bands[] = {{QT_TRANSLATE_NOOP("ConsumptionPage", "İndüktif / Aktif Oran (%)"), "indoran", "inddurum"},
                 {QT_TRANSLATE_NOOP("ConsumptionPage", "Kapasitif / Aktif Oran (%)"), "kaporan", "Kapdurum"}};
    for (int i = 0; i < 2; ++i) {
        const int c = i * 3;
        ratios->addWidget(kit::caption(g, ConsumptionPage::tr(bands[i].caption)), 0, c, 1, 2);
        ratios->addWidget(valueLed(g, bands[i].led), 1, c);
        ratios->addWidget(bandLabel(g, bands[i].band), 1, c + 1);
        ratios->setColumnStretch(c, 1);
        if (i == 0)
            ratios->setColumnMinimumWidth(2, 24);
    }
    v->addLayout(ratios);
    return g;
}

} // namespace

void pages::buildTuketim(QWidget *page)
{
    auto *v = new QVBoxLayout(page);
    v->setContentsMargins(8, 6, 8, 8);
    v->setSpacing(8);

    auto *top = new QHBoxLayout;
    ShadowButton *ask =
        kit::shadowButton(page, QStringLiteral("VrShadowButton8"), ConsumptionPage::tr("Enerji Değerlerini İste"));
    ask->setMinimumWidth(200);
    top->addWidget(ask, 0, Qt::AlignBottom);
    top->addWidget(exports::exportButton(page, QStringLiteral("btnTuketimDisaAktar"),
                                         ConsumptionPage::tr("enerji_degerleri.csv"),
                                         [page] { return exports::energyTable(page); }),
                   0, Qt::AlignBottom);
    top->addStretch(1);
    // Target serial of every command; device selection fills it, the user
    // may type another one.
    QLineEdit *serial = kit::edit(page, QStringLiteral("Edit111"));
    serial->setFixedWidth(110);
    top->addLayout(captioned(page, QT_TRANSLATE_NOOP("ConsumptionPage", "Seri No"), serial));
    v->addLayout(top);

    v->addLayout(countersRow(page));

    auto *middle = new QHBoxLayout;
    middle->setSpacing(6);
    middle->addWidget(totalRatios(page), 1);
    middle->addWidget(beforeReset(page), 1);
    v->addLayout(middle);

    v->addWidget(dateRange(page));
    v->addStretch(1);
}
