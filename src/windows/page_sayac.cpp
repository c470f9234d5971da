// Page 6 "Sayaç Okuma": reading an electricity meter through a meter-reading
// modem, its index registers, the reactive ratios between two dates and the
// raw readout text.
#include "main_pages.h"
#include "page_kit.h"

#include "led_display.h"
#include "page_tables.h"
#include "shadow_button.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

struct MeterReadingPage {
    Q_DECLARE_TR_FUNCTIONS(MeterReadingPage)
};

constexpr int kLedHeight = 26;
const QString kResetIndex = QStringLiteral("00000000");

LedDisplay *meterLed(QWidget *parent, const QString &name, const QString &text = QStringLiteral("000"))
{
    LedDisplay *led = kit::led(parent, name, text);
    led->setMinimumHeight(kLedHeight);
    led->setMinimumWidth(118);
    return led;
}

// A caption written beside or above a display, never cut by its neighbours.
QLabel *rowCaption(QWidget *parent, const QString &text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    QLabel *l = kit::caption(parent, text);
    l->setAlignment(align);
    return l;
}

// Index registers of the meter, one captioned display per OBIS code. Meters
// write 8 to 11 characters before the unit, so the displays get the width
// of their half of the page.
struct IndexRow {
    const char *name;
    const char *caption;
};

void fillIndexGroup(QGroupBox *box, std::initializer_list<IndexRow> rows)
{
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    int r = 0;
    for (const IndexRow &row : rows) {
        grid->addWidget(rowCaption(box, MeterReadingPage::tr(row.caption)), r, 0);
        LedDisplay *led = meterLed(box, QString::fromLatin1(row.name), kResetIndex);
        led->setMinimumWidth(200);
        grid->addWidget(led, r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);
}

void buildIndexGroups(QWidget *page, QHBoxLayout *row)
{
    QGroupBox *totals = kit::group(page, QString(), MeterReadingPage::tr("    Sayaç Endeks Değerleri   "));
    fillIndexGroup(totals, {{"Rzsycakttop", QT_TRANSLATE_NOOP("MeterReadingPage", "Aktif Toplam (1.8.0)")},
                            {"Rzsycindtop", QT_TRANSLATE_NOOP("MeterReadingPage", "İndüktif Toplam (5.8.0)")},
                            {"Rzsyckaptop", QT_TRANSLATE_NOOP("MeterReadingPage", "Kapasitif Toplam (8.8.0)")}});
    // The ratios of the meter's own totals are kept but not shown.
    auto *grid = static_cast<QGridLayout *>(totals->layout());
    for (const char *name : {"RzLEDinddurum", "RzLEDkapdurum"}) {
        LedDisplay *hidden = meterLed(totals, QString::fromLatin1(name));
        hidden->hide();
        grid->addWidget(hidden, grid->rowCount(), 1);
    }
    row->addWidget(totals, 1);

    QGroupBox *tariffs = kit::group(page, QString(), MeterReadingPage::tr("Aktif Değerler"));
    fillIndexGroup(tariffs, {{"RzsycT1", "T1 (1.8.1)"}, {"RzsycT2", "T2 (1.8.2)"}, {"RzsycT3", "T3 (1.8.3)"}});
    row->addWidget(tariffs, 1);
}

// Energy at two dates, the ratios between them and their bands.
QGroupBox *buildRatioGroup(QWidget *page)
{
    QGroupBox *box = kit::group(page, QString(), QString());
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    grid->addWidget(rowCaption(box, MeterReadingPage::tr("İlk Tarih")), 0, 0);
    grid->addWidget(rowCaption(box, MeterReadingPage::tr("Son Tarih")), 0, 1);
    QDateEdit *first = kit::datePicker(box, QStringLiteral("dtsycilktarih"));
    QDateEdit *last = kit::datePicker(box, QStringLiteral("dtsycsontarih"));
    first->setMinimumHeight(kLedHeight);
    last->setMinimumHeight(kLedHeight);
    grid->addWidget(first, 1, 0);
    grid->addWidget(last, 1, 1);
    ShadowButton *compute =
        kit::shadowButton(box, QStringLiteral("VrShadowButton12"), MeterReadingPage::tr("Tarih Arası Oranları Hesapla"));
    grid->addWidget(compute, 1, 2, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);

    const Qt::Alignment head = Qt::AlignHCenter | Qt::AlignBottom;
    grid->addWidget(rowCaption(box, MeterReadingPage::tr("Tarih"), head), 2, 0);
    grid->addWidget(rowCaption(box, MeterReadingPage::tr("Aktif (kWh)"), head), 2, 1);
    grid->addWidget(rowCaption(box, MeterReadingPage::tr("İndüktif (kVArh)"), head), 2, 2);
    grid->addWidget(rowCaption(box, MeterReadingPage::tr("Kapasitif (kVArh)"), head), 2, 3);
    for (int n = 1; n <= 2; ++n) {
        const int r = 2 + n;
        QLineEdit *date = kit::edit(box, n == 1 ? QStringLiteral("Edit2") : QStringLiteral("Edit3"));
        date->setMinimumHeight(kLedHeight);
        grid->addWidget(date, r, 0);
        grid->addWidget(meterLed(box, QStringLiteral("RzLEDak%1").arg(n)), r, 1);
        grid->addWidget(meterLed(box, QStringLiteral("RzLEDin%1").arg(n)), r, 2);
        grid->addWidget(meterLed(box, QStringLiteral("RzLEDkap%1").arg(n)), r, 3);
    }

    grid->addWidget(rowCaption(box, MeterReadingPage::tr("İndüktif / Aktif (%)")), 5, 0, 1, 1);
    grid->addWidget(meterLed(box, QStringLiteral("RzLEDsycinoran")), 5, 1);
    grid->addWidget(
        kit::statusPlate(box, QStringLiteral("lblsycindurum"), MeterReadingPage::tr("DURUM"), QSize(0, kLedHeight)), 5, 2);
    grid->addWidget(rowCaption(box, MeterReadingPage::tr("Kapasitif / Aktif (%)")), 6, 0, 1, 1);
    grid->addWidget(meterLed(box, QStringLiteral("RzLEDsyckaporan")), 6, 1);
    grid->addWidget(
        kit::statusPlate(box, QStringLiteral("lblsyckapdurum"), MeterReadingPage::tr("DURUM"), QSize(0, kLedHeight)), 6, 2);

    grid->addWidget(rowCaption(box, MeterReadingPage::tr("Seri No")), 7, 0);
    grid->addWidget(kit::edit(box, QStringLiteral("Edit5")), 7, 1);
    grid->addWidget(rowCaption(box, MeterReadingPage::tr("Saat")), 7, 2, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(kit::edit(box, QStringLiteral("Edit6")), 7, 3);
    grid->setColumnStretch(0, 2);
    for (int c = 1; c < 4; ++c)
        grid->setColumnStretch(c, 3);
    return box;
}

} // namespace

void pages::buildSayac(QWidget *page)
{
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(8);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addWidget(kit::shadowButton(page, QStringLiteral("VrShadowButton11"), MeterReadingPage::tr("Sayaç Oku")));
    buttons->addWidget(
        kit::shadowButton(page, QStringLiteral("VrShadowButton13"), MeterReadingPage::tr("Tedaş Okuma")));
    buttons->addSpacing(16);
    // Header of the readout: which meter the values below belong to. The
    // header label Label2 sits on the first page, whose tab a meter hides, so
    // this page carries a copy of it.
    QLabel *header = kit::label(page, QStringLiteral("lblSayacBaslik"), MeterReadingPage::tr("Sayaç Değerleri"));
    QFont headerFont = header->font();
    headerFont.setBold(true);
    headerFont.setPointSizeF(headerFont.pointSizeF() * 1.4);
    header->setFont(headerFont);
    buttons->addWidget(header, 1);
    buttons->addWidget(exports::exportButton(page, QStringLiteral("btnSayacDisaAktar"),
                                             MeterReadingPage::tr("sayac_okuma.csv"),
                                             [page] { return exports::meterTable(page); }));
    outer->addLayout(buttons);

    auto *indexRow = new QHBoxLayout;
    indexRow->setSpacing(8);
    buildIndexGroups(page, indexRow);
    outer->addLayout(indexRow);
    outer->addWidget(buildRatioGroup(page));

    QGroupBox *readout = kit::group(page, QString(), MeterReadingPage::tr("Okunan Veriler"));
    auto *readoutLayout = new QVBoxLayout(readout);
    auto *memo = new QPlainTextEdit(readout);
    memo->setObjectName(QStringLiteral("Memo3"));
    memo->setReadOnly(true);
    // The readout only grows by what the meter sends; nothing to undo.
    memo->setUndoRedoEnabled(false);
    memo->setAccessibleName(MeterReadingPage::tr("Okunan Veriler"));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    readoutLayout->addWidget(memo);
    outer->addWidget(readout, 1);
}
