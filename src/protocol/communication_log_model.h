#pragma once
#include <QAbstractListModel>
#include <QString>

#include <deque>

// The lines of the communication log, bounded so that a client left running
// for weeks keeps its memory: at most kMaxLines lines and kMaxChars characters
// in all; the oldest lines go first, a thousand at a time.
class CommunicationLogModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 100000;
    static constexpr qsizetype kMaxChars = 16 * 1024 * 1024;
    static constexpr int kDropBatch = 1000;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    void append(QString line);
    QString line(int row) const;
    qsizetype charCount() const { return m_chars; }
    // Lines dropped from the front since the log began.
    qint64 droppedLines() const { return m_dropped; }
    // Empty, as when the log began.
    void clear();

private:
    void dropOldest(int count);
    std::deque<QString> m_lines;
    qsizetype m_chars = 0;
    qint64 m_dropped = 0;
};
