#pragma once
// The recorder: what the client reads, kept with its time (UTC, ms) and the
// device's serial. Entry points take plain values; rows are gathered here
// and handed once a second to the writer thread (history_writer.h), which
// writes them in one transaction. Nothing here waits for the database.
#include "history_writer.h"
#include "quantities.h"

#include <QHash>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <span>

namespace history {

struct RecorderOptions {
    Location location;
    int flushMs = 1000;
    int retryMs = 5000;
    int rawRetentionDays = 30;
    int aggregateRetentionDays = 730;
    qsizetype maxPendingRows = 1'000'000;
    std::function<qint64()> clock; // UTC ms; the system clock when empty
    QStringList sqlitePragmas;
};

class Recorder : public QObject {
    Q_OBJECT
public:
    explicit Recorder(RecorderOptions options, QObject *parent = nullptr);
    ~Recorder() override; // writes what it holds (waits for the writer)

    // A register answer of the device: the row of the register store
    // (registers[n] = register n, -1 nothing received), the device kind,
    // and the registers this answer brought.
    void recordRegisters(const QString &serial, int kind, std::span<const double> registers,
                         RegisterRange range = {});
    // An energy-between-dates answer or a watch result.
    void recordEnergy(const QString &serial, const EnergyPeriod &period);
    // A meter readout's totals and tariffs (see meterValues).
    void recordMeterReadout(const QString &serial, const std::array<std::optional<double>, 6> &values);
    // Any one value; not-a-number, the infinities and t ≤ 0 are not kept.
    void record(const QString &serial, const QString &quantity, qint64 t, double value);

    // Hands the gathered rows to the writer now.
    void flush();
    // Flushes and waits until the writer has written them or failed; the
    // writer's signals of that time are emitted before it returns.
    void sync();
    void setRawRetentionDays(int days);

    qint64 now() const;
    const Location &location() const { return m_options.location; }
    // False from a failure's message until the recovery's.
    bool healthy() const { return m_healthy; }
    qint64 committedRows() const { return m_committed; }

signals:
    // One translated sentence per failure, lost rows and recovery, for the
    // status strip.
    void statusMessage(const QString &text);
    void healthChanged(bool healthy);
    // Rows written in this run so far and the newest one's time: a trend
    // window drawing live asks again.
    void committed(qint64 rows, qint64 lastT);

private:
    qint32 keyOf(const QString &serial, const QString &quantity);

    RecorderOptions m_options;
    QThread m_thread;
    HistoryWriter *m_writer = nullptr;
    QTimer m_flush;
    QHash<QString, QHash<QString, qint32>> m_keys; // serial → quantity → key
    qint32 m_nextKey = 0;
    QList<SeriesName> m_newNames;
    std::vector<Row> m_batch;
    std::vector<QuantityValue> m_values;
    bool m_healthy = true;
    qint64 m_committed = 0;
};

} // namespace history
