#pragma once
// "Kompanzasyon Takibi": the compensation watch's table of every listed
// device, its filter, a sweep on demand, the sweep's progress, the export to
// CSV and the alarm list with its acknowledgement. The window shows what the
// watch and the alarm log hold; it asks nothing itself.
#include "takip_model.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

class TFrmTakip : public QWidget {
    Q_OBJECT
public:
    TFrmTakip(fleet::CompensationWatch &watch, fleet::AlarmLog &alarms, QWidget *parent = nullptr);

    void setFilter(WatchSortFilterModel::Filter f);
    WatchTableModel *tableModel() const { return m_model; }
    WatchSortFilterModel *viewModel() const { return m_view; }
    QTableView *table() const { return m_table; }
    QTableView *alarmTable() const { return m_alarmTable; }

    // The table as it shows (filter and order) into a CSV file; false and
    // the standard error box when it cannot be written.
    bool exportCsv(const QString &path);
    // The title: "Kompanzasyon Takibi", and the unacknowledged alarms.
    static QString titleFor(int unacknowledged);

signals:
    // A row was double-clicked: select that device in the main window.
    void deviceActivated(const QByteArray &serial);
    void intervalChanged(int minutes);
    void alarmOnCriticalChanged(bool on);

private:
    void updateProgress();
    void updateTitle();
    void acknowledge();

    fleet::CompensationWatch &m_watch;
    fleet::AlarmLog &m_alarms;
    WatchTableModel *m_model;
    WatchSortFilterModel *m_view;
    AlarmTableModel *m_alarmModel;
    QComboBox *m_filter = nullptr;
    QSpinBox *m_interval = nullptr;
    QLabel *m_progress = nullptr;
    QTableView *m_table = nullptr;
    QTableView *m_alarmTable = nullptr;
    QCheckBox *m_onCritical = nullptr;
};
