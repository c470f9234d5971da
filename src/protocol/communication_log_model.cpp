#include "communication_log_model.h"

int CommunicationLogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant CommunicationLogModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(m_lines.size()))
        return {};
    return m_lines[size_t(index.row())];
}

QString CommunicationLogModel::line(int row) const
{
    return row >= 0 && row < int(m_lines.size()) ? m_lines[size_t(row)] : QString();
}

void CommunicationLogModel::append(QString line)
{
    const qsizetype size = line.size();
    // Room first, so the view never holds more than the bounds.
    int drop = 0;
    qsizetype chars = m_chars;
    while (drop < int(m_lines.size())
           && (int(m_lines.size()) - drop + 1 > kMaxLines || chars + size > kMaxChars)) {
        chars -= m_lines[size_t(drop)].size();
        ++drop;
    }
    if (drop > 0)
        dropOldest(qMin(int(m_lines.size()), qMax(drop, kDropBatch)));
    const int row = int(m_lines.size());
    beginInsertRows(QModelIndex(), row, row);
    m_chars += size;
    m_lines.push_back(std::move(line));
    endInsertRows();
}

void CommunicationLogModel::clear()
{
    beginResetModel();
    m_lines.clear();
    m_chars = 0;
    m_dropped = 0;
    endResetModel();
}

void CommunicationLogModel::dropOldest(int count)
{
    if (count <= 0)
        return;
    beginRemoveRows(QModelIndex(), 0, count - 1);
    for (int i = 0; i < count; ++i) {
        m_chars -= m_lines.front().size();
        m_lines.pop_front();
    }
    m_dropped += count;
    endRemoveRows();
}
