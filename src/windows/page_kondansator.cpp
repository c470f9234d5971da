// Page 4 "Kondansatör Durumları": per capacitor step the power read back on
// each phase and their total, the values to write and the step's "Yaz" button.
#include "main_pages.h"
#include "page_kit.h"

#include "led_display.h"
#include "spin_edit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

struct CapacitorPage {
    Q_DECLARE_TR_FUNCTIONS(CapacitorPage)
};

constexpr int kSteps = 18;
constexpr int kColumns = 4; // 4 × 5 cells: 18 steps and the read button

// The step captions keep the spacing the device screens have always used.
QString stepCaption(int n)
{
    if (n == 2)
        return QStringLiteral("C 2 ");
    if (n == 18)
        return QStringLiteral(" C18");
    return QStringLiteral(" C%1 ").arg(n);
}

QGroupBox *buildStep(QWidget *parent, int n)
{
    auto *box = kit::group(parent, QString(), stepCaption(n));
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 6, 3);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    struct Phase {
        const char *caption; // row caption and check box text
        const char *display; // C<n>_R …
        const char *write;   // C<n>_R_YAZ, C<n>_s_YAZ, C<n>_t_YAZ
        const char *enable;  // c<n>_r_etkin …
    };
    static const Phase kPhases[] = {
        {"R", "C%1_R", "C%1_R_YAZ", "c%1_r_etkin"},
        {"S", "C%1_S", "C%1_s_YAZ", "c%1_s_etkin"},
        {"T", "C%1_T", "C%1_t_YAZ", "c%1_t_etkin"},
    };
    int row = 0;
    for (const Phase &ph : kPhases) {
        QCheckBox *on = kit::readOnlyCheck(box, QString::fromLatin1(ph.enable).arg(n), QString::fromLatin1(ph.caption));
        grid->addWidget(on, row, 0);
        LedDisplay *led = kit::led(box, QString::fromLatin1(ph.display).arg(n));
        led->setMinimumWidth(64);
        grid->addWidget(led, row, 1);
        // Whole-number face: the step writer sends whole numbers, so the
        // initial "1" goes out as typed; a typed fraction is still accepted.
        SpinEdit *value = kit::spin(box, QString::fromLatin1(ph.write).arg(n), 0, 5000, 1, 0, 1);
        value->setFixedWidth(64);
        grid->addWidget(value, row, 2);
        ++row;
    }
    grid->addWidget(kit::caption(box, CapacitorPage::tr("Tpl")), row, 0);
    LedDisplay *total = kit::led(box, QStringLiteral("C%1_H").arg(n));
    total->setMinimumWidth(64);
    grid->addWidget(total, row, 1);
    QPushButton *write = kit::button(box, QStringLiteral("c%1yaz").arg(n), CapacitorPage::tr("Yaz"));
    write->setFixedWidth(64);
    grid->addWidget(write, row, 2);

    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row + 1, 1);
    return box;
}

} // namespace

void pages::buildKondansator(QWidget *page)
{
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(4);
    for (int n = 1; n <= kSteps; ++n)
        grid->addWidget(buildStep(page, n), (n - 1) / kColumns, (n - 1) % kColumns);
    for (int c = 0; c < kColumns; ++c)
        grid->setColumnStretch(c, 1);
    // The read button takes the two cells left free after C18.
    QPushButton *read =
        kit::button(page, QStringLiteral("BitBtn2"), CapacitorPage::tr("Kondansatör güç değerlerini oku"));
    read->setMinimumHeight(34);
    grid->addWidget(read, kSteps / kColumns, kSteps % kColumns, 1, kColumns - kSteps % kColumns, Qt::AlignCenter);
}
