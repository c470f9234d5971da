// Page 5 "Harmonikler": the device's own harmonic table. Two groups, voltage
// and current, each a grid of 17 rows (fundamental, odd orders 3 to 31, total
// distortion) by three phase columns of LED displays.
#include "main_pages.h"
#include "page_kit.h"

#include "led_display.h"
#include "page_tables.h"
#include "shadow_button.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct HarmonicTablePage {
    Q_DECLARE_TR_FUNCTIONS(HarmonicTablePage)
};

constexpr int kPhases = 3;
constexpr int kRows = 17; // BH, 3rd … 31th, Σ

// Harmonic order shown on row r (1 to 15): 3, 5, … 31.
int orderOfRow(int row) { return 2 * row + 1; }

// The captions of rows 1 to 15 as the device screens write them; each is
// its own text, so that every order gets its own ordinal suffix.
const char *const kOrderCaptions[kRows - 2] = {
    QT_TRANSLATE_NOOP("HarmonicTablePage", "3rd"),  QT_TRANSLATE_NOOP("HarmonicTablePage", "5th"),
    QT_TRANSLATE_NOOP("HarmonicTablePage", "7th"),  QT_TRANSLATE_NOOP("HarmonicTablePage", "9th"),
    QT_TRANSLATE_NOOP("HarmonicTablePage", "11th"), QT_TRANSLATE_NOOP("HarmonicTablePage", "13th"),
    QT_TRANSLATE_NOOP("HarmonicTablePage", "15th"), QT_TRANSLATE_NOOP("HarmonicTablePage", "17th"),
    QT_TRANSLATE_NOOP("HarmonicTablePage", "19th"), QT_TRANSLATE_NOOP("HarmonicTablePage", "21th"),
    QT_TRANSLATE_NOOP("HarmonicTablePage", "23th"), QT_TRANSLATE_NOOP("HarmonicTablePage", "25th"),
    QT_TRANSLATE_NOOP("HarmonicTablePage", "27th"), QT_TRANSLATE_NOOP("HarmonicTablePage", "29th"),
    QT_TRANSLATE_NOOP("HarmonicTablePage", "31th"),
};

QString rowCaption(int row)
{
    if (row == 0)
        return HarmonicTablePage::tr("BH");
    if (row == kRows - 1)
        return QStringLiteral("Σ");
    return HarmonicTablePage::tr(kOrderCaptions[row - 1]);
}

// Display name for row r, phase p (1 to 3). `q` is 'v' or 'i'; the distortion
// row uses the prefix `thd` ("thdv", "thdc").
QString displayName(QChar q, const QString &thd, int row, int phase)
{
    if (row == 0)
        return QStringLiteral("h_%1b_%2").arg(q).arg(phase);
    if (row == kRows - 1)
        return QStringLiteral("%1%2").arg(thd).arg(phase);
    return QStringLiteral("h_%1%2_%3").arg(q).arg(phase).arg(orderOfRow(row));
}

QGroupBox *buildGroup(QWidget *parent, const QString &title, QChar q, const QString &thd)
{
    auto *box = kit::group(parent, QString(), title);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);

    static const char *const kPhaseCaptions[kPhases] = {"R", "S", "T"};
    for (int p = 0; p < kPhases; ++p) {
        auto *head = kit::caption(box, QString::fromLatin1(kPhaseCaptions[p]));
        head->setAlignment(Qt::AlignCenter);
        QFont f = head->font();
        f.setBold(true);
        head->setFont(f);
        grid->addWidget(head, 0, p + 1);
        grid->setColumnStretch(p + 1, 1);
    }
    for (int r = 0; r < kRows; ++r) {
        auto *cap = kit::caption(box, rowCaption(r));
        cap->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(cap, r + 1, 0);
        for (int p = 0; p < kPhases; ++p) {
            LedDisplay *led = kit::led(box, displayName(q, thd, r, p + 1));
            led->setFixedHeight(27);
            led->setMinimumWidth(80);
            grid->addWidget(led, r + 1, p + 1);
        }
    }
    grid->setRowStretch(kRows + 1, 1);
    return box;
}

} // namespace

void pages::buildHarmonikTablo(QWidget *page)
{
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(8, 6, 8, 6);
    outer->setSpacing(6);

    auto *top = new QHBoxLayout;
    top->addWidget(kit::shadowButton(page, QStringLiteral("VrShadowButton4"),
                                     HarmonicTablePage::tr("Harmonik Değerlerini İste")));
    top->addStretch(1);
    top->addWidget(exports::exportButton(page, QStringLiteral("btnHarmonikTabloDisaAktar"),
                                         HarmonicTablePage::tr("harmonik_tablosu.csv"),
                                         [page] { return exports::harmonicTable(page); }),
                   0, Qt::AlignVCenter);
    outer->addLayout(top);

    auto *groups = new QHBoxLayout;
    groups->setSpacing(10);
    groups->addWidget(buildGroup(page, HarmonicTablePage::tr("Gerilim"), QLatin1Char('v'), QStringLiteral("thdv")));
    groups->addWidget(buildGroup(page, HarmonicTablePage::tr("Akım"), QLatin1Char('i'), QStringLiteral("thdc")));
    outer->addLayout(groups, 1);
}
