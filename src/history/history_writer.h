#pragma once
// The recorder's writing half, on a thread of its own with its own
// connection: a slow disk, a checkpoint or a server far away never holds up
// the window's event loop.
//
// Rows come in batches (one a second) and are written in one transaction
// per batch, with the one-minute aggregates of every minute that has
// finished: aggregates are made from the raw rows in the same transaction,
// so a killed program leaves rows and aggregates that agree, and a minute a
// later row reaches again is made again. At open, minutes the last run left
// unfinished are made from their raw rows. Raw rows older than the raw
// retention and aggregates older than theirs are removed at open and every
// hour, a day of one series at a time.
//
// When the database fails (unreachable, disk full, read only, a corrupt
// file) the rows stay in memory, at most maxPendingRows of them (the oldest
// go first beyond that), and are written when it works again; the first
// failure, the loss of old rows to the bound and the recovery are each said
// once through statusMessage. A corrupt SQLite file is moved aside (never
// deleted) and a new one started.
#include "history_database.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

namespace history {

struct WriterOptions {
    Location location;
    int retryMs = 5000;
    int rawRetentionDays = 30;
    int aggregateRetentionDays = 730;
    qsizetype maxPendingRows = 1'000'000; // 24 bytes each: about 23 MiB
    int retentionEveryMs = 3'600'000;
    std::function<qint64()> clock; // UTC ms; the system clock when empty
    QStringList sqlitePragmas;
};

// A raw row: key is the series' index in the names handed over so far.
struct Row {
    qint32 key = 0;
    qint64 t = 0;
    double value = 0;
};

struct SeriesName {
    QString serial;
    QString quantity;
};

class HistoryWriter : public QObject {
    Q_OBJECT
public:
    explicit HistoryWriter(WriterOptions options, QObject *parent = nullptr);
    ~HistoryWriter() override;

    // Opens the database (at start and whenever a retry is due).
    void start();
    // New series names (their keys follow the ones before) and rows.
    void take(const QList<SeriesName> &names, std::vector<Row> rows);
    // Writes what it can now, then closes.
    void finish();
    void setRawRetentionDays(int days);
    // Removes what retention says, now.
    void applyRetention();

    qsizetype pendingRows() const { return qsizetype(m_pending.size()); }
    bool healthy() const { return m_fault == Fault::None; }

signals:
    // A translated sentence for the status strip.
    void statusMessage(const QString &text);
    // False at a failure, true again once the rows kept meanwhile are in.
    void healthChanged(bool healthy);
    // Rows written so far in this run, and the time of the newest.
    void committed(qint64 rows, qint64 lastT);

private:
    qint64 now() const;
    bool ensureOpen();
    void writePending();
    void writeSome(bool all);
    void continueLater();
    bool writeChunk(std::vector<Row> &chunk);
    bool resolveSeries(const std::vector<Row> &chunk);
    bool insertRows(const std::vector<Row> &rows);
    bool catchUp();
    void fail(const DbError &error);
    void moveAside();

    WriterOptions m_options;
    HistoryDatabase m_db;
    std::vector<SeriesName> m_names;
    std::vector<qint64> m_ids; // series id per key, -1 until known
    std::deque<Row> m_pending;
    QHash<qint64, QSet<qint64>> m_dirty; // series id → minutes written but not yet aggregated
    QTimer m_retry;
    QTimer m_retention;
    Fault m_fault = Fault::None;
    bool m_toldOverflow = false;
    bool m_writing = false;
    bool m_recovering = false;
    qint64 m_written = 0;
    qint64 m_dropped = 0;
};

} // namespace history
