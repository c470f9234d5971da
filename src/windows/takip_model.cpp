#include "takip_model.h"

#include "csv_writer.h"
#include "device_kind.h"
#include "wire.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QLocale>

#include <cmath>
#include <iterator>
#include <tuple>

using fleet::WatchEntry;
using fleet::WatchState;

namespace {

const char *const kWatchHeaders[] = {
    QT_TRANSLATE_NOOP("WatchTableModel", "Grup"),
    QT_TRANSLATE_NOOP("WatchTableModel", "Cihaz"),
    QT_TRANSLATE_NOOP("WatchTableModel", "Seri No"),
    QT_TRANSLATE_NOOP("WatchTableModel", "İnd. Oran %"),
    QT_TRANSLATE_NOOP("WatchTableModel", "Kap. Oran %"),
    QT_TRANSLATE_NOOP("WatchTableModel", "İnd. Durum"),
    QT_TRANSLATE_NOOP("WatchTableModel", "Kap. Durum"),
    QT_TRANSLATE_NOOP("WatchTableModel", "Son Okuma"),
    QT_TRANSLATE_NOOP("WatchTableModel", "Durum"),
};
static_assert(std::size(kWatchHeaders) == WatchTableModel::ColumnCount);

const char *const kAlarmHeaders[] = {
    QT_TRANSLATE_NOOP("AlarmTableModel", "Zaman"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Cihaz"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Oran"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Durum"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Oran %"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Onay"),
};
static_assert(std::size(kAlarmHeaders) == AlarmTableModel::ColumnCount);

// The group as the device bar shows it: ASCII letters upper-cased.
QString groupCaption(QByteArray group)
{
    for (char &c : group)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return wire::decode(group);
}

QString timeText(const QDateTime &t)
{
    return t.isValid() ? QLocale().toString(t, QLocale::ShortFormat) : QString();
}

// How bad a row is for ordering: unknown below NORMAL.
int rank(const WatchEntry &e, energy::Band b)
{
    return e.known ? int(b) : -1;
}

} // namespace

QColor bandBackground(energy::Band b)
{
    return QColor::fromRgb(QRgb(energy::bandColour(b)));
}

QColor bandForeground(energy::Band b)
{
    return b == energy::Band::Penalty ? QColor(Qt::white) : QColor(Qt::black);
}

// ---------------------------------------------------------------------------

WatchTableModel::WatchTableModel(const fleet::CompensationWatch &watch, QObject *parent)
    : QAbstractTableModel(parent), m_watch(watch)
{
    m_rows.resize(watch.count());
    for (int i = 0; i < watch.count(); ++i)
        fill(i);
    connect(&watch, &fleet::CompensationWatch::entryAdded, this, &WatchTableModel::added);
    connect(&watch, &fleet::CompensationWatch::entryChanged, this, &WatchTableModel::changed);
}

void WatchTableModel::fill(int index)
{
    if (index >= m_watch.registry().count())
        return;
    const fleet::DeviceEntry &d = m_watch.registry().at(index);
    m_rows[index] = {groupCaption(d.group), wire::decode(d.name), wire::decode(d.serial)};
}

void WatchTableModel::added(int index)
{
    if (index != m_rows.size()) {
        // Not the next row: the registry and the table went apart.
        beginResetModel();
        m_rows.resize(m_watch.count());
        for (int i = 0; i < m_rows.size(); ++i)
            fill(i);
        endResetModel();
        return;
    }
    beginInsertRows({}, index, index);
    m_rows.append(Row{});
    fill(index);
    endInsertRows();
}

void WatchTableModel::changed(int index)
{
    if (index < 0 || index >= m_rows.size())
        return;
    fill(index);
    emit dataChanged(this->index(index, 0), this->index(index, ColumnCount - 1));
}

int WatchTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int WatchTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString WatchTableModel::ratioText(double ratio)
{
    return QLocale().toString(ratio, 'f', 2);
}

QVariant WatchTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.row() >= m_watch.count())
        return {};
    const Row &row = m_rows.at(index.row());
    const WatchEntry &e = m_watch.at(index.row());
    const int column = index.column();
    const bool bandColumn = column == InductiveBand || column == CapacitiveBand;
    const energy::Band band = column == InductiveBand ? e.inductiveBand : e.capacitiveBand;
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Group:
            return row.group;
        case Device:
            return row.name;
        case Serial:
            return row.serial;
        case InductiveRatio:
            return e.known ? ratioText(e.ratios.inductive) : QString();
        case CapacitiveRatio:
            return e.known ? ratioText(e.ratios.capacitive) : QString();
        case InductiveBand:
        case CapacitiveBand:
            return e.known ? energy::bandText(band) : QString();
        case LastRead:
            return timeText(e.answeredAt);
        case State:
            return fleet::stateText(e.state);
        }
        break;
    case Qt::BackgroundRole:
        if (bandColumn && e.known)
            return bandBackground(band);
        break;
    case Qt::ForegroundRole:
        if (bandColumn && e.known)
            return bandForeground(band);
        break;
    case Qt::TextAlignmentRole:
        if (column == InductiveRatio || column == CapacitiveRatio)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (bandColumn)
            return int(Qt::AlignCenter);
        break;
    case Qt::ToolTipRole:
        if (column == State && e.state == WatchState::NoCounters
            && index.row() < m_watch.registry().count())
            return fleet::kindName(m_watch.registry().at(index.row()).kind);
        break;
    default:
        break;
    }
    return {};
}

QVariant WatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QCoreApplication::translate("WatchTableModel", kWatchHeaders[section]);
}

// ---------------------------------------------------------------------------

WatchSortFilterModel::WatchSortFilterModel(WatchTableModel *source, QObject *parent)
    : QSortFilterProxyModel(parent), m_source(source)
{
    setObjectName(QStringLiteral("WatchSortFilterModel"));
    m_collator.setNumericMode(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    setSourceModel(source);
    setDynamicSortFilter(true);
}

void WatchSortFilterModel::setFilter(Filter f)
{
    if (f == m_filter)
        return;
    m_filter = f;
    invalidateFilter();
}

void WatchSortFilterModel::setWorstFirst(bool on)
{
    if (on == m_worstFirst)
        return;
    m_worstFirst = on;
    invalidate();
}

bool WatchSortFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_filter == Filter::All)
        return true;
    if (sourceRow >= m_source->watch().count())
        return false;
    const WatchEntry &e = m_source->watch().at(sourceRow);
    static constexpr energy::Band kLeast[] = {energy::Band::Normal, energy::Band::Critical, energy::Band::Alarm,
                                              energy::Band::Penalty};
    return e.known && e.worst() >= kLeast[int(m_filter)];
}

bool WatchSortFilterModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const fleet::CompensationWatch &w = m_source->watch();
    const int l = left.row(), r = right.row();
    if (l >= w.count() || r >= w.count())
        return l < r;
    const WatchEntry &a = w.at(l);
    const WatchEntry &b = w.at(r);
    const auto ratio = [](const WatchEntry &e, bool inductive) {
        return e.known ? (inductive ? e.ratios.inductive : e.ratios.capacitive) : -HUGE_VAL;
    };
    const auto serialNumber = [&](int row) { return m_source->serialText(row).toLongLong(); };
    if (m_worstFirst) {
        const auto key = [&](const WatchEntry &e) {
            const bool inductiveWorse = e.inductiveBand >= e.capacitiveBand;
            return std::make_tuple(rank(e, e.worst()),
                                   rank(e, inductiveWorse ? e.capacitiveBand : e.inductiveBand),
                                   qMax(ratio(e, true), ratio(e, false)));
        };
        const auto ka = key(a), kb = key(b);
        if (ka != kb)
            return ka < kb;
        // Equals in the order of their serials, the lowest on top.
        return serialNumber(l) > serialNumber(r);
    }
    switch (left.column()) {
    case WatchTableModel::Group:
        return m_collator.compare(m_source->groupText(l), m_source->groupText(r)) < 0;
    case WatchTableModel::Device:
        return m_collator.compare(m_source->nameText(l), m_source->nameText(r)) < 0;
    case WatchTableModel::Serial:
        return m_collator.compare(m_source->serialText(l), m_source->serialText(r)) < 0;
    case WatchTableModel::InductiveRatio:
        return ratio(a, true) < ratio(b, true);
    case WatchTableModel::CapacitiveRatio:
        return ratio(a, false) < ratio(b, false);
    case WatchTableModel::InductiveBand:
        return std::make_tuple(rank(a, a.inductiveBand), rank(a, a.capacitiveBand), ratio(a, true))
            < std::make_tuple(rank(b, b.inductiveBand), rank(b, b.capacitiveBand), ratio(b, true));
    case WatchTableModel::CapacitiveBand:
        return std::make_tuple(rank(a, a.capacitiveBand), rank(a, a.inductiveBand), ratio(a, false))
            < std::make_tuple(rank(b, b.capacitiveBand), rank(b, b.inductiveBand), ratio(b, false));
    case WatchTableModel::LastRead:
        return a.answeredAt < b.answeredAt;
    case WatchTableModel::State:
        return int(a.state) < int(b.state);
    default:
        return l < r;
    }
}

// ---------------------------------------------------------------------------

AlarmTableModel::AlarmTableModel(const fleet::AlarmLog &log, QObject *parent) : QAbstractTableModel(parent), m_log(log)
{
    connect(&log, &fleet::AlarmLog::raised, this, [this] {
        // Newest first: a new record is the top row.
        beginInsertRows({}, 0, 0);
        endInsertRows();
    });
    connect(&log, &fleet::AlarmLog::firstDropped, this, [this] {
        // The oldest record is the bottom row (the log counts it no more).
        beginResetModel();
        endResetModel();
    });
    connect(&log, &fleet::AlarmLog::changed, this, [this](int record) {
        const int row = m_log.count() - 1 - record;
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    });
}

int AlarmTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_log.count();
}

int AlarmTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AlarmTableModel::data(const QModelIndex &index, int role) const
{
    const int i = recordOf(index.row());
    if (!index.isValid() || i < 0 || i >= m_log.count())
        return {};
    const fleet::AlarmRecord &r = m_log.at(i);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Time:
            return timeText(r.time);
        case Device:
            return QCoreApplication::translate("AlarmTableModel", "%1 (%2)")
                .arg(wire::decode(r.name), wire::decode(r.serial));
        case Ratio:
            return fleet::ratioName(r.ratio);
        case Band:
            return energy::bandText(r.band);
        case Value:
            return WatchTableModel::ratioText(r.value);
        case Acknowledged:
            return r.acknowledged
                ? QCoreApplication::translate("AlarmTableModel", "Onaylandı %1").arg(timeText(r.acknowledgedAt))
                : QString();
        }
        break;
    case Qt::BackgroundRole:
        if (index.column() == Band)
            return bandBackground(r.band);
        break;
    case Qt::ForegroundRole:
        if (index.column() == Band)
            return bandForeground(r.band);
        break;
    case Qt::FontRole:
        if (!r.acknowledged) {
            QFont f;
            f.setBold(true);
            return f;
        }
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == Value)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() == Band)
            return int(Qt::AlignCenter);
        break;
    default:
        break;
    }
    return {};
}

QVariant AlarmTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QCoreApplication::translate("AlarmTableModel", kAlarmHeaders[section]);
}

// ---------------------------------------------------------------------------

bool writeWatchCsv(const QAbstractItemModel &view, QIODevice &out)
{
    csv::Writer w(out);
    const int columns = view.columnCount();
    for (int c = 0; c < columns; ++c)
        w.text(view.headerData(c, Qt::Horizontal).toString());
    w.endRow();
    const QLocale locale;
    for (int r = 0; r < view.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const QString text = view.index(r, c).data().toString();
            if ((c == WatchTableModel::InductiveRatio || c == WatchTableModel::CapacitiveRatio) && !text.isEmpty()) {
                bool ok = false;
                const double v = locale.toDouble(text, &ok);
                if (ok) {
                    w.number(v, 2);
                    continue;
                }
            }
            w.text(text);
        }
        w.endRow();
    }
    w.flush();
    return w.ok();
}
