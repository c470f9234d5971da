#include "auto_refresh_menu.h"

#include "auto_refresh.h"
#include "client_settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QSettings>
#include <QSpinBox>
#include <QWidgetAction>

namespace {
constexpr char kPeriodKey[] = "refresh/periodSeconds";
} // namespace

fleet::AutoRefresh *addAutoRefreshMenu(QMenu *menu, fleet::RequestScheduler &scheduler, fleet::ClientEvents &events,
                                       QWidget *window)
{
    auto *refresh = new fleet::AutoRefresh(scheduler, events, window);
    QSettings &settings = client_settings::store();
    refresh->setPeriodSeconds(settings.value(QLatin1String(kPeriodKey), fleet::AutoRefresh::kDefaultPeriodS).toInt());

    QAction *on = menu->addAction(QCoreApplication::translate("AutoRefreshMenu", "Otomatik Yenile"));
    on->setObjectName(QStringLiteral("OtomatikYenile1"));
    on->setCheckable(true);
    QObject::connect(on, &QAction::toggled, refresh, &fleet::AutoRefresh::setEnabled);
    QObject::connect(refresh, &fleet::AutoRefresh::enabledChanged, on, &QAction::setChecked);

    QMenu *period = menu->addMenu(QCoreApplication::translate("AutoRefreshMenu", "Yenileme Aralığı"));
    period->setObjectName(QStringLiteral("YenilemeAraligi1"));
    auto *spin = new QSpinBox(period);
    spin->setObjectName(QStringLiteral("spnYenilemeAraligi"));
    spin->setAccessibleName(QCoreApplication::translate("AutoRefreshMenu", "Yenileme aralığı (saniye)"));
    spin->setRange(fleet::AutoRefresh::kMinPeriodS, fleet::AutoRefresh::kMaxPeriodS);
    spin->setSuffix(QCoreApplication::translate("AutoRefreshMenu", " sn"));
    spin->setValue(refresh->periodSeconds());
    auto *holder = new QWidgetAction(period);
    holder->setDefaultWidget(spin);
    period->addAction(holder);
    QObject::connect(spin, &QSpinBox::valueChanged, refresh, &fleet::AutoRefresh::setPeriodSeconds);
    QObject::connect(refresh, &fleet::AutoRefresh::periodChanged, spin, [spin](int seconds) {
        spin->setValue(seconds);
        client_settings::store().setValue(QLatin1String(kPeriodKey), seconds);
    });
    return refresh;
}
