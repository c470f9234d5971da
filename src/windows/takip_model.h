#pragma once
// The compensation watch as a table: one row per listed device with its
// group, name, serial, the two ratios and their bands, the time of the last
// answer and the device's state; and the alarm list. The sort and filter
// model orders the worst band first until a column is chosen.
#include "alarm_log.h"
#include "compensation_watch.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QSortFilterProxyModel>

class QIODevice;

class WatchTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Group, Device, Serial, InductiveRatio, CapacitiveRatio, InductiveBand, CapacitiveBand, LastRead, State, ColumnCount };

    explicit WatchTableModel(const fleet::CompensationWatch &watch, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const fleet::CompensationWatch &watch() const { return m_watch; }
    // The texts of the row's group, name and serial as the table shows them.
    const QString &groupText(int row) const { return m_rows.at(row).group; }
    const QString &nameText(int row) const { return m_rows.at(row).name; }
    const QString &serialText(int row) const { return m_rows.at(row).serial; }

    static QString ratioText(double ratio);

private:
    struct Row {
        QString group, name, serial;
    };
    void added(int index);
    void changed(int index);
    void fill(int index);

    const fleet::CompensationWatch &m_watch;
    QVector<Row> m_rows;
};

class WatchSortFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    enum class Filter { All, CriticalAndUp, AlarmAndUp, Penalty };

    explicit WatchSortFilterModel(WatchTableModel *source, QObject *parent = nullptr);

    void setFilter(Filter f);
    Filter filter() const { return m_filter; }
    // Worst band first (the default); a column chosen by the user ends it.
    void setWorstFirst(bool on);
    bool worstFirst() const { return m_worstFirst; }

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    WatchTableModel *m_source;
    Filter m_filter = Filter::All;
    bool m_worstFirst = true;
    QCollator m_collator;
};

class AlarmTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Device, Ratio, Band, Value, Acknowledged, ColumnCount };

    explicit AlarmTableModel(const fleet::AlarmLog &log, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Newest first: the log's record of a row.
    int recordOf(int row) const { return m_log.count() - 1 - row; }

private:
    const fleet::AlarmLog &m_log;
};

// The band cells' colours: the band table's colour behind a text that reads
// on it.
QColor bandBackground(energy::Band b);
QColor bandForeground(energy::Band b);

// The rows of the view as CSV (header first), the ratios as numbers with
// two decimals. False when the device refused the bytes.
bool writeWatchCsv(const QAbstractItemModel &view, QIODevice &out);
