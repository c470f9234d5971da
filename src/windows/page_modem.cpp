// Page 9 "Endüstriyel Modem": the three relay outputs of an industrial modem,
// the water-meter index read through it, and its level and temperature inputs.
#include "main_pages.h"
#include "page_kit.h"

#include "led_display.h"
#include "shadow_button.h"
#include "spin_edit.h"
#include "tank_gauge.h"
#include "thermometer.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace {

struct ModemPage {
    Q_DECLARE_TR_FUNCTIONS(ModemPage)
};

QGroupBox *buildRelays(QWidget *page)
{
    QGroupBox *box = kit::group(page, QString(), ModemPage::tr("Röle Çek/Bırak"));
    auto *lay = new QVBoxLayout(box);
    lay->setSpacing(8);
    auto *query = new QHBoxLayout;
    query->addWidget(kit::shadowButton(box, QStringLiteral("VrShadowButton21"), ModemPage::tr("Röleleri Sorgula")));
    query->addStretch(1);
    lay->addLayout(query);

    auto *outputs = new QHBoxLayout;
    outputs->setSpacing(10);
    for (int n = 1; n <= 3; ++n) {
        // Output n is pulled by button 13 + 2n and released by 14 + 2n.
        QGroupBox *relay = kit::group(box, QString(), ModemPage::tr("Röle%1").arg(n));
        auto *grid = new QGridLayout(relay);
        grid->setSpacing(6);
        grid->addWidget(kit::shadowButton(relay, QStringLiteral("VrShadowButton%1").arg(13 + 2 * n),
                                          ModemPage::tr("Çek")),
                        0, 0);
        grid->addWidget(kit::shadowButton(relay, QStringLiteral("VrShadowButton%1").arg(14 + 2 * n),
                                          ModemPage::tr("Bırak")),
                        0, 1);
        grid->addWidget(kit::caption(relay, ModemPage::tr("Durum")), 1, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(kit::statusPlate(relay, QStringLiteral("lblrole%1drm").arg(n), QStringLiteral("1"), QSize(70, 26), 1.25), 1, 1);
        outputs->addWidget(relay, 1);
    }
    lay->addLayout(outputs);
    return box;
}

QGroupBox *buildIndex(QWidget *page)
{
    QGroupBox *box = kit::group(page, QString(), ModemPage::tr("Sayaç Endeks Oku"));
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);

    LedDisplay *index = kit::led(box, QStringLiteral("displaysuendeks"));
    index->setMinimumSize(180, 36);
    grid->addWidget(index, 0, 0);
    QLabel *unit = kit::caption(box, QStringLiteral("m3"));
    QFont f = unit->font();
    f.setBold(true);
    unit->setFont(f);
    grid->addWidget(unit, 0, 1);
    grid->addWidget(kit::shadowButton(box, QStringLiteral("btnsuendeks"), ModemPage::tr("Endeks İste")), 1, 0);

    SpinEdit *write = kit::spin(box, QStringLiteral("edtendeksyaz"), 0, 5000, 0.01, 2, 1);
    write->setRangeEnforced(true);
    write->setMinimumHeight(26);
    grid->addWidget(write, 2, 0);
    grid->addWidget(kit::shadowButton(box, QStringLiteral("VrShadowButton22"), ModemPage::tr("Endeks Yaz")), 3, 0);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(4, 1);
    return box;
}

QGroupBox *buildStates(QWidget *page)
{
    QGroupBox *box = kit::group(page, QString(), ModemPage::tr("Durumlar"));
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    auto *tank = new TankGauge(QStringLiteral("VrTank1"), box);
    tank->setMinimumSize(90, 170);
    auto *thermo = new Thermometer(QStringLiteral("vrThermoMeter1"), box);
    thermo->setMinimumSize(44, 170);
    grid->addWidget(tank, 0, 0, Qt::AlignHCenter);
    grid->addWidget(thermo, 0, 1, Qt::AlignHCenter);
    grid->addWidget(kit::shadowButton(box, QStringLiteral("VrShadowButton10"), ModemPage::tr("Sıvı Seviyesi")), 1, 0);
    grid->addWidget(kit::shadowButton(box, QStringLiteral("VrShadowButton14"), ModemPage::tr("Sıcaklık Durumu")), 1,
                    1);
    grid->setRowStretch(0, 1);
    return box;
}

} // namespace

void pages::buildModem(QWidget *page)
{
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(8);
    outer->addWidget(buildRelays(page));
    auto *lower = new QHBoxLayout;
    lower->setSpacing(8);
    lower->addWidget(buildIndex(page), 1);
    lower->addWidget(buildStates(page), 1);
    outer->addLayout(lower, 1);
}
