#include "recorder.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cmath>

namespace history {

Recorder::Recorder(RecorderOptions options, QObject *parent) : QObject(parent), m_options(std::move(options))
{
    WriterOptions w;
    w.location = m_options.location;
    w.retryMs = m_options.retryMs;
    w.rawRetentionDays = m_options.rawRetentionDays;
    w.aggregateRetentionDays = m_options.aggregateRetentionDays;
    w.maxPendingRows = m_options.maxPendingRows;
    w.clock = m_options.clock;
    w.sqlitePragmas = m_options.sqlitePragmas;
    m_writer = new HistoryWriter(std::move(w));
    m_writer->moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("history-writer"));
    connect(m_writer, &HistoryWriter::statusMessage, this, &Recorder::statusMessage);
    connect(m_writer, &HistoryWriter::healthChanged, this, [this](bool healthy) {
        m_healthy = healthy;
        emit healthChanged(healthy);
    });
    connect(m_writer, &HistoryWriter::committed, this, [this](qint64 rows, qint64 lastT) {
        m_committed = rows;
        emit committed(rows, lastT);
    });
    m_thread.start();
    QMetaObject::invokeMethod(m_writer, &HistoryWriter::start, Qt::QueuedConnection);
    m_flush.setInterval(m_options.flushMs);
    connect(&m_flush, &QTimer::timeout, this, &Recorder::flush);
    m_flush.start();
}

Recorder::~Recorder()
{
    m_flush.stop();
    flush();
    HistoryWriter *writer = m_writer;
    m_writer = nullptr;
    // The writer and its connection end in their own thread.
    QMetaObject::invokeMethod(
        writer,
        [writer] {
            writer->finish();
            delete writer;
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

qint64 Recorder::now() const
{
    return m_options.clock ? m_options.clock() : QDateTime::currentMSecsSinceEpoch();
}

qint32 Recorder::keyOf(const QString &serial, const QString &quantity)
{
    QHash<QString, qint32> &quantities = m_keys[serial];
    const auto it = quantities.constFind(quantity);
    if (it != quantities.cend())
        return it.value();
    const qint32 key = m_nextKey++;
    quantities.insert(quantity, key);
    m_newNames.append({serial, quantity});
    return key;
}

void Recorder::record(const QString &serial, const QString &quantity, qint64 t, double value)
{
    if (serial.isEmpty() || quantity.isEmpty() || t <= 0 || !std::isfinite(value))
        return;
    m_batch.push_back({keyOf(serial, quantity), t, value});
}

void Recorder::recordRegisters(const QString &serial, int kind, std::span<const double> registers,
                               RegisterRange range)
{
    m_values.clear();
    registerValues(registers, kind, range, m_values);
    const qint64 t = now();
    for (const QuantityValue &v : m_values)
        record(serial, v.key, t, v.value);
}

void Recorder::recordEnergy(const QString &serial, const EnergyPeriod &period)
{
    for (const TimedValue &v : energyValues(period))
        record(serial, v.key, v.t, v.value);
}

void Recorder::recordMeterReadout(const QString &serial, const std::array<std::optional<double>, 6> &values)
{
    const qint64 t = now();
    for (const QuantityValue &v : meterValues(values))
        record(serial, v.key, t, v.value);
}

void Recorder::flush()
{
    if (!m_writer)
        return;
    // Even an empty batch goes: the writer then finishes minutes that
    // ended since.
    QMetaObject::invokeMethod(m_writer, [w = m_writer, names = std::exchange(m_newNames, {}),
                                         rows = std::exchange(m_batch, {})]() mutable { w->take(names, std::move(rows)); },
                              Qt::QueuedConnection);
}

void Recorder::sync()
{
    flush();
    if (!m_writer)
        return;
    // A long batch goes a chunk at a time: wait until the last is in, or
    // the writer has given up for now.
    bool more = true;
    while (more)
        QMetaObject::invokeMethod(
            m_writer, [w = m_writer, &more] { more = w->pendingRows() > 0 && w->healthy(); },
            Qt::BlockingQueuedConnection);
    // What the writer said meanwhile reaches this object's signals now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void Recorder::setRawRetentionDays(int days)
{
    if (m_writer)
        QMetaObject::invokeMethod(m_writer, [w = m_writer, days] { w->setRawRetentionDays(days); },
                                  Qt::QueuedConnection);
}

} // namespace history
