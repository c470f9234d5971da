#include "history_writer.h"

#include <QDateTime>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <optional>

namespace history {

namespace {
constexpr qsizetype kChunkRows = 5000; // rows per transaction when catching up
constexpr int kRowsPerStatement = 250;
constexpr qint64 kGraceMs = 2000;      // a minute is finished this long after its end
constexpr qint64 kDayMs = 86'400'000;

qint64 minuteOf(qint64 t)
{
    return t - ((t % kMinuteMs) + kMinuteMs) % kMinuteMs;
}
} // namespace

HistoryWriter::HistoryWriter(WriterOptions options, QObject *parent)
    : QObject(parent), m_options(std::move(options)), m_retry(this), m_retention(this)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(m_options.retryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] { writePending(); });
    m_retention.setInterval(m_options.retentionEveryMs);
    connect(&m_retention, &QTimer::timeout, this, &HistoryWriter::applyRetention);
}

HistoryWriter::~HistoryWriter() = default;

qint64 HistoryWriter::now() const
{
    return m_options.clock ? m_options.clock() : QDateTime::currentMSecsSinceEpoch();
}

void HistoryWriter::start()
{
    m_retention.start();
    writePending();
}

void HistoryWriter::take(const QList<SeriesName> &names, std::vector<Row> rows)
{
    for (const SeriesName &n : names)
        m_names.push_back(n);
    m_ids.resize(m_names.size(), -1);
    m_pending.insert(m_pending.end(), rows.begin(), rows.end());
    if (qsizetype(m_pending.size()) > m_options.maxPendingRows) {
        const qsizetype excess = qsizetype(m_pending.size()) - m_options.maxPendingRows;
        m_pending.erase(m_pending.begin(), m_pending.begin() + excess);
        m_dropped += excess;
        if (!m_toldOverflow) {
            m_toldOverflow = true;
            emit statusMessage(tr("Bellekte bekleyen geçmiş %1 satır sınırını aştı; en eski kayıtlar bırakılıyor.")
                                   .arg(m_options.maxPendingRows));
        }
    }
    // While failing, the retry timer decides when to try again.
    if (m_fault == Fault::None && !m_retry.isActive())
        writePending();
}

void HistoryWriter::finish()
{
    m_retention.stop();
    m_retry.stop();
    if (m_fault == Fault::None || m_fault == Fault::Busy)
        writeSome(true);
    if (!m_pending.empty())
        qWarning("history: %zu rows could not be written", m_pending.size());
    m_db.close();
}

void HistoryWriter::setRawRetentionDays(int days)
{
    m_options.rawRetentionDays = std::clamp(days, 1, 36'500);
    applyRetention();
}

bool HistoryWriter::ensureOpen()
{
    if (m_db.isOpen())
        return true;
    OpenOptions open;
    open.sqlitePragmas = m_options.sqlitePragmas;
    bool ok = m_db.open(m_options.location, open);
    if (!ok && m_db.error().fault == Fault::Corrupt && m_options.location.backend == Backend::SQLite) {
        moveAside();
        ok = m_db.open(m_options.location, open);
    }
    if (!ok) {
        fail(m_db.error());
        return false;
    }
    // A new file (or server) numbers its series anew.
    std::fill(m_ids.begin(), m_ids.end(), -1);
    m_dirty.clear();
    if (!catchUp()) {
        fail(m_db.error());
        return false;
    }
    applyRetention();
    return m_db.isOpen();
}

void HistoryWriter::writePending()
{
    writeSome(false);
}

void HistoryWriter::writeSome(bool all)
{
    if (m_writing)
        return;
    m_writing = true;
    const auto done = qScopeGuard([this] { m_writing = false; });
    if (!ensureOpen())
        return;
    do {
        const qsizetype n = std::min<qsizetype>(kChunkRows, qsizetype(m_pending.size()));
        std::vector<Row> chunk(m_pending.begin(), m_pending.begin() + n);
        if (!writeChunk(chunk)) {
            if (m_db.error().fault == Fault::Corrupt && m_options.location.backend == Backend::SQLite) {
                // Damage found while writing: a new file, and the rows go
                // there at once.
                moveAside();
                continueLater();
                return;
            }
            fail(m_db.error());
            return;
        }
        m_pending.erase(m_pending.begin(), m_pending.begin() + n);
        if (n > 0) {
            m_written += n;
            qint64 lastT = 0;
            for (const Row &r : chunk)
                lastT = std::max(lastT, r.t);
            emit committed(m_written, lastT);
        }
        if (m_fault != Fault::None) {
            m_fault = Fault::None;
            m_recovering = true;
        }
        // A long backlog goes a chunk at a time, letting new batches and
        // the end of the program in between.
        if (!all && !m_pending.empty()) {
            continueLater();
            return;
        }
    } while (!m_pending.empty());
    if (m_recovering) {
        m_recovering = false;
        emit statusMessage(tr("Geçmiş yeniden kaydediliyor; bellekte bekleyen kayıtlar yazıldı."));
        emit healthChanged(true);
    }
    m_toldOverflow = false;
}

void HistoryWriter::continueLater()
{
    QMetaObject::invokeMethod(this, &HistoryWriter::writePending, Qt::QueuedConnection);
}

bool HistoryWriter::writeChunk(std::vector<Row> &chunk)
{
    // One row per series and time: the last one taken wins.
    std::stable_sort(chunk.begin(), chunk.end(),
                     [](const Row &a, const Row &b) { return a.key != b.key ? a.key < b.key : a.t < b.t; });
    std::vector<Row> rows;
    rows.reserve(chunk.size());
    for (const Row &r : chunk) {
        if (!rows.empty() && rows.back().key == r.key && rows.back().t == r.t)
            rows.back() = r;
        else
            rows.push_back(r);
    }
    if (!resolveSeries(rows))
        return false;

    // The minutes this chunk touches join the ones waiting; the finished
    // ones are made in the same transaction.
    QHash<qint64, QSet<qint64>> dirty = m_dirty;
    for (const Row &r : rows)
        dirty[m_ids[size_t(r.key)]].insert(minuteOf(r.t));
    const qint64 cut = now() - kGraceMs;
    const bool anyFinished = std::any_of(dirty.cbegin(), dirty.cend(), [cut](const QSet<qint64> &minutes) {
        return std::any_of(minutes.cbegin(), minutes.cend(), [cut](qint64 m) { return m + kMinuteMs <= cut; });
    });
    if (rows.empty() && !anyFinished)
        return true;

    if (!m_db.begin())
        return false;
    bool ok = insertRows(rows);
    for (auto it = dirty.begin(); ok && it != dirty.end(); ++it) {
        QList<qint64> finished;
        for (qint64 m : std::as_const(it.value()))
            if (m + kMinuteMs <= cut)
                finished.append(m);
        std::sort(finished.begin(), finished.end());
        // Runs of neighbouring minutes in one statement.
        for (qsizetype i = 0; ok && i < finished.size();) {
            qsizetype j = i + 1;
            while (j < finished.size() && finished[j] == finished[j - 1] + kMinuteMs)
                ++j;
            ok = m_db.aggregate(it.key(), finished[i], finished[j - 1] + kMinuteMs);
            i = j;
        }
        for (qint64 m : std::as_const(finished))
            it.value().remove(m);
    }
    if (!ok || !m_db.commit()) {
        m_db.rollback(); // leaves the error as it was
        return false;
    }
    dirty.removeIf([](const auto &entry) { return entry.value().isEmpty(); });
    m_dirty = std::move(dirty);
    return true;
}

bool HistoryWriter::resolveSeries(const std::vector<Row> &rows)
{
    for (const Row &r : rows) {
        qint64 &id = m_ids[size_t(r.key)];
        if (id >= 0)
            continue;
        const SeriesName &name = m_names[size_t(r.key)];
        QSqlQuery insert(m_db.db());
        insert.prepare(QStringLiteral("INSERT INTO series (serial, quantity) VALUES (?, ?) "
                                      "ON CONFLICT (serial, quantity) DO NOTHING"));
        insert.addBindValue(name.serial);
        insert.addBindValue(name.quantity);
        if (!m_db.exec(insert))
            return false;
        QSqlQuery select(m_db.db());
        select.prepare(QStringLiteral("SELECT id FROM series WHERE serial = ? AND quantity = ?"));
        select.addBindValue(name.serial);
        select.addBindValue(name.quantity);
        if (!m_db.exec(select))
            return false;
        if (!select.next())
            return m_db.failed(select.lastError());
        id = select.value(0).toLongLong();
    }
    return true;
}

bool HistoryWriter::insertRows(const std::vector<Row> &rows)
{
    for (size_t from = 0; from < rows.size(); from += kRowsPerStatement) {
        const size_t n = std::min<size_t>(kRowsPerStatement, rows.size() - from);
        QString sql = QStringLiteral("INSERT INTO samples (series_id, t, value) VALUES ");
        sql.reserve(sql.size() + qsizetype(n) * 10 + 80);
        for (size_t i = 0; i < n; ++i)
            sql += i ? QLatin1String(",(?,?,?)") : QLatin1String("(?,?,?)");
        sql += QLatin1String(" ON CONFLICT (series_id, t) DO UPDATE SET value = excluded.value");
        QSqlQuery q(m_db.db());
        if (!q.prepare(sql))
            return m_db.failed(q.lastError());
        int p = 0;
        for (size_t i = from; i < from + n; ++i) {
            q.bindValue(p++, m_ids[size_t(rows[i].key)]);
            q.bindValue(p++, rows[i].t);
            q.bindValue(p++, rows[i].value);
        }
        if (!m_db.exec(q))
            return false;
    }
    return true;
}

bool HistoryWriter::catchUp()
{
    // Minutes the last run wrote raw rows for but did not live to finish:
    // every series from its newest aggregate on (that one made again).
    const qint64 cut = minuteOf(now() - kGraceMs);
    QSqlQuery ids(m_db.db());
    ids.setForwardOnly(true);
    if (!ids.exec(QStringLiteral("SELECT id, (SELECT MAX(t) FROM minutes WHERE series_id = series.id) FROM series")))
        return m_db.failed(ids.lastError());
    std::vector<std::pair<qint64, qint64>> from;
    while (ids.next())
        from.emplace_back(ids.value(0).toLongLong(), ids.value(1).isNull() ? 0 : ids.value(1).toLongLong());
    ids.finish();
    if (from.empty())
        return true;
    if (!m_db.begin())
        return false;
    for (const auto &[id, start] : from) {
        if (!m_db.aggregate(id, start, cut)) {
            m_db.rollback();
            return false;
        }
        // Minutes still open wait for their end in this run.
        QSqlQuery open(m_db.db());
        open.prepare(QStringLiteral("SELECT DISTINCT t / 60000 FROM samples WHERE series_id = ? AND t >= ?"));
        open.addBindValue(id);
        open.addBindValue(std::max(cut, start));
        if (!m_db.exec(open)) {
            m_db.rollback();
            return false;
        }
        while (open.next())
            m_dirty[id].insert(open.value(0).toLongLong() * kMinuteMs);
    }
    return m_db.commit() || (m_db.rollback(), false);
}

void HistoryWriter::applyRetention()
{
    if (!m_db.isOpen())
        return;
    const qint64 t = now();
    const qint64 rawCut = minuteOf(t - qint64(m_options.rawRetentionDays) * kDayMs);
    const qint64 aggregateCut = minuteOf(t - qint64(m_options.aggregateRetentionDays) * kDayMs);
    QSqlQuery ids(m_db.db());
    ids.setForwardOnly(true);
    if (!ids.exec(QStringLiteral("SELECT id, (SELECT MIN(t) FROM samples WHERE series_id = series.id), "
                                 "(SELECT MIN(t) FROM minutes WHERE series_id = series.id) FROM series"))) {
        fail(m_db.classify(ids.lastError()));
        return;
    }
    struct Oldest {
        qint64 id;
        std::optional<qint64> raw, minute;
    };
    std::vector<Oldest> oldest;
    const auto before = [&ids](int column, qint64 cut) -> std::optional<qint64> {
        const QVariant v = ids.value(column);
        if (v.isNull() || v.toLongLong() >= cut)
            return std::nullopt;
        return v.toLongLong();
    };
    while (ids.next()) {
        Oldest o{ids.value(0).toLongLong(), before(1, rawCut), before(2, aggregateCut)};
        if (o.raw || o.minute)
            oldest.push_back(o);
    }
    ids.finish();
    const auto remove = [this](const char *table, qint64 id, qint64 until) {
        QSqlQuery q(m_db.db());
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE series_id = ? AND t < ?").arg(QLatin1String(table)));
        q.addBindValue(id);
        q.addBindValue(until);
        if (m_db.exec(q))
            return true;
        fail(m_db.error());
        return false;
    };
    // A day of one series per statement keeps every transaction short.
    for (const Oldest &o : oldest) {
        for (qint64 until = o.raw.value_or(rawCut);;) {
            until = std::min(rawCut, until + kDayMs);
            if (o.raw && !remove("samples", o.id, until))
                return;
            if (!o.raw || until >= rawCut)
                break;
        }
        if (o.minute && !remove("minutes", o.id, aggregateCut))
            return;
    }
}

void HistoryWriter::fail(const DbError &given)
{
    DbError error = given;
    if (error.fault == Fault::None) // every failure has a kind; this one said none
        error = {Fault::Other, tr("bilinmeyen hata (%1)").arg(m_options.location.display())};
    if (error.fault == Fault::Busy) {
        // Another writer holds the file for long: quietly again later.
        m_retry.start();
        return;
    }
    if (error.fault != m_fault) {
        const QString bound = QString::number(m_options.maxPendingRows);
        QString text;
        switch (error.fault) {
        case Fault::Unreachable:
            text = tr("Geçmiş kaydedilemiyor, veritabanı sunucusuna ulaşılamıyor: %1. Kayıtlar bellekte tutuluyor "
                      "(en çok %2 satır) ve sunucu dönünce yazılacak.");
            break;
        case Fault::DiskFull:
            text = tr("Geçmiş kaydedilemiyor, disk dolu: %1. Kayıtlar bellekte tutuluyor (en çok %2 satır) ve "
                      "yer açılınca yazılacak.");
            break;
        case Fault::ReadOnly:
            text = tr("Geçmiş kaydedilemiyor, veritabanı salt okunur: %1. Kayıtlar bellekte tutuluyor (en çok %2 "
                      "satır) ve yazılabilir olunca yazılacak.");
            break;
        default:
            text = tr("Geçmiş kaydedilemiyor: %1. Kayıtlar bellekte tutuluyor (en çok %2 satır).");
            break;
        }
        emit statusMessage(text.arg(error.text, bound));
        if (m_fault == Fault::None)
            emit healthChanged(false);
    }
    m_fault = error.fault;
    m_recovering = false;
    // The next try opens anew: a server that went away, a file made
    // writable again, space freed.
    m_db.close();
    m_retry.start();
}

void HistoryWriter::moveAside()
{
    m_db.close();
    const QString file = m_options.location.file;
    const QString aside =
        file + QStringLiteral(".bozuk-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    bool moved = QFile::rename(file, aside);
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString part = file + QLatin1String(suffix);
        if (QFile::exists(part))
            moved = QFile::rename(part, aside + QLatin1String(suffix)) && moved;
    }
    if (moved)
        emit statusMessage(tr("Geçmiş veritabanı bozuk: %1 olarak kenara alındı ve yeni bir veritabanı başlatıldı.")
                               .arg(aside));
}

} // namespace history
