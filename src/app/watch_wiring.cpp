#include "watch_wiring.h"

#include "client_events.h"
#include "client_settings.h"
#include "device_selection.h"
#include "frm_ana.h"
#include "frm_takip.h"
#include "group_bar.h"
#include "request_scheduler.h"
#include "server_connection.h"
#include "wire.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QToolButton>

WatchWiring::WatchWiring(TFrmAna &ana)
    : QObject(&ana), m_ana(ana), m_watch(new fleet::CompensationWatch(ana.registry(), ana.scheduler(), this)),
      m_alarms(new fleet::AlarmLog(this))
{
    setObjectName(QStringLiteral("WatchWiring"));
    const QSettings &settings = client_settings::store();
    if (const int minutes = client_settings::watchIntervalMinutes(settings))
        m_watch->setIntervalMinutes(minutes);
    m_alarms->setAlarmOnCritical(client_settings::watchAlarmOnCritical(settings));

    connect(&ana.events(), &fleet::ClientEvents::energyRange, m_watch, &fleet::CompensationWatch::takeAnswer);
    connect(&ana.events(), &fleet::ClientEvents::deviceOffline, m_watch, &fleet::CompensationWatch::takeOffline);
    // Connected after the main window's own: the scheduler is up by then.
    connect(&ana.connection(), &ServerConnection::loggedIn, m_watch, &fleet::CompensationWatch::start);
    connect(m_watch, &fleet::CompensationWatch::bandsRead, this, &WatchWiring::bandsRead);
    connect(m_alarms, &fleet::AlarmLog::raised, this, [this](int i) { announce(m_alarms->at(i)); });
    connect(m_alarms, &fleet::AlarmLog::unacknowledgedChanged, this, &WatchWiring::countChanged);

    if (auto *cihaz = ana.menuBar()->findChild<QMenu *>(QStringLiteral("Cihaz1"))) {
        QAction *open = cihaz->addAction(tr("Kompanzasyon Takibi"));
        open->setObjectName(QStringLiteral("KompanzasyonTakibi1"));
        connect(open, &QAction::triggered, this, [this] { this->open(WatchSortFilterModel::Filter::All); });
    }
    if (QMenu *tray = ana.trayMenu()) {
        const struct {
            const char *name;
            WatchSortFilterModel::Filter filter;
        } items[] = {{"KritikListele1", WatchSortFilterModel::Filter::CriticalAndUp},
                     {"CezaListele1", WatchSortFilterModel::Filter::Penalty}};
        for (const auto &item : items)
            if (auto *action = tray->findChild<QAction *>(QLatin1String(item.name))) {
                const auto filter = item.filter;
                connect(action, &QAction::triggered, this, [this, filter] { open(filter); });
            }
    }
    if (ana.trayIcon())
        m_trayTip = ana.trayIcon()->toolTip();

    // The strip's alarm line, beside the message line; a click opens the
    // window.
    if (auto *strip = ana.findChild<QWidget *>(QStringLiteral("Panel21")))
        if (auto *row = qobject_cast<QHBoxLayout *>(strip->layout())) {
            m_strip = new QToolButton(strip);
            m_strip->setObjectName(QStringLiteral("LblAlarm"));
            m_strip->setAutoRaise(true);
            m_strip->setToolButtonStyle(Qt::ToolButtonTextOnly);
            m_strip->setStyleSheet(QStringLiteral("QToolButton { background: #C00000; color: white; font-weight: bold;"
                                                  " border: none; padding: 0 6px; }"));
            m_strip->setFixedHeight(strip->height() > 0 ? strip->height() : 21);
            m_strip->hide();
            row->insertWidget(1, m_strip);
            connect(m_strip, &QToolButton::clicked, this, [this] { open(WatchSortFilterModel::Filter::All); });
        }
    // The menu action and the alarm line are found by name like the rest.
    ana.widgets().index(&ana);
}

WatchWiring::~WatchWiring()
{
    delete m_window;
}

TFrmTakip *WatchWiring::window()
{
    if (!m_window) {
        m_window = new TFrmTakip(*m_watch, *m_alarms);
        connect(m_window, &TFrmTakip::deviceActivated, this, &WatchWiring::selectDevice);
        connect(m_window, &TFrmTakip::intervalChanged, this, [](int minutes) {
            client_settings::setWatchIntervalMinutes(client_settings::store(), minutes);
        });
        connect(m_window, &TFrmTakip::alarmOnCriticalChanged, this, [](bool on) {
            client_settings::setWatchAlarmOnCritical(client_settings::store(), on);
        });
    }
    return m_window;
}

void WatchWiring::open(WatchSortFilterModel::Filter filter)
{
    TFrmTakip *w = window();
    w->setFilter(filter);
    w->show();
    w->raise();
    w->activateWindow();
}

bool WatchWiring::selectDevice(const QByteArray &serial)
{
    const GroupBar *bar = m_ana.context().deviceBar;
    if (!bar)
        return false;
    const QString wanted = wire::decode(serial);
    for (GroupBarGroup *g : bar->groups())
        for (GroupBarItem *item : g->items())
            if (!item->isDiscarded() && commands::serialSlice(item->caption()).trimmed() == wanted) {
                // Brought back from the tray; a main window never shown
                // yet would first run its login.
                if (m_ana.firstShowDone())
                    m_ana.restoreFromTray();
                item->click();
                return true;
            }
    return false;
}

void WatchWiring::bandsRead(int index, const fleet::WatchEntry &entry)
{
    const fleet::DeviceEntry &d = m_watch->registry().at(index);
    const QDateTime at = m_watch->now();
    m_alarms->observe(d.serial, d.name, energy::Reactive::Inductive, entry.inductiveBand, entry.ratios.inductive, at);
    m_alarms->observe(d.serial, d.name, energy::Reactive::Capacitive, entry.capacitiveBand, entry.ratios.capacitive,
                      at);
}

void WatchWiring::announce(const fleet::AlarmRecord &r)
{
    const QString text = tr("%1 (%2): %3 oran %4, %5 %")
                             .arg(wire::decode(r.name), wire::decode(r.serial), fleet::ratioName(r.ratio),
                                  energy::bandText(r.band), WatchTableModel::ratioText(r.value));
    QSystemTrayIcon *tray = m_ana.trayIcon();
    if (tray && tray->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()) {
        tray->showMessage(tr("Kompanzasyon Alarmı"), text, QSystemTrayIcon::Warning, 10000);
        return;
    }
    if (m_strip) {
        m_strip->setProperty("lastAlarm", text);
        countChanged(m_alarms->unacknowledged());
    }
}

void WatchWiring::countChanged(int unacknowledged)
{
    if (QSystemTrayIcon *tray = m_ana.trayIcon())
        tray->setToolTip(unacknowledged > 0 ? tr("%1\n%2 onaylanmamış alarm").arg(m_trayTip).arg(unacknowledged)
                                            : m_trayTip);
    if (!m_strip)
        return;
    const QString last = m_strip->property("lastAlarm").toString();
    if (unacknowledged <= 0 || last.isEmpty()) {
        m_strip->hide();
        return;
    }
    m_strip->setText(tr("ALARM: %1 (%2 onaylanmamış)").arg(last).arg(unacknowledged));
    m_strip->setToolTip(tr("Kompanzasyon Takibi penceresini açar"));
    m_strip->show();
}
