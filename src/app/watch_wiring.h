#pragma once
// The compensation watch in the running client: the watch and its alarm log
// fed by the typed results of the main window's handlers, started by each
// login, its window opened from the "Cihaz" menu and the tray, its alarms
// told through the tray or, where there is none, the main window's top
// strip.
#include "takip_model.h"

#include <QObject>
#include <QPointer>

class QToolButton;
class TFrmAna;
class TFrmTakip;

class WatchWiring : public QObject {
    Q_OBJECT
public:
    explicit WatchWiring(TFrmAna &ana);
    ~WatchWiring() override;

    fleet::CompensationWatch &watch() { return *m_watch; }
    fleet::AlarmLog &alarms() { return *m_alarms; }
    // The window, made on first use.
    TFrmTakip *window();
    void open(WatchSortFilterModel::Filter filter);
    // The strip's alarm line (hidden while every alarm is acknowledged).
    QToolButton *alarmStrip() const { return m_strip; }
    // Selects the device in the main window as a click on its bar item does.
    bool selectDevice(const QByteArray &serial);

private:
    void bandsRead(int index, const fleet::WatchEntry &entry);
    void announce(const fleet::AlarmRecord &r);
    void countChanged(int unacknowledged);

    TFrmAna &m_ana;
    fleet::CompensationWatch *m_watch;
    fleet::AlarmLog *m_alarms;
    QPointer<TFrmTakip> m_window;
    QToolButton *m_strip = nullptr;
    QString m_trayTip;
};
