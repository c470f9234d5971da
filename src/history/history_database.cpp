#include "history_database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace history {

namespace {

// The texts of the database's errors, in one translation context.
struct Database {
    Q_DECLARE_TR_FUNCTIONS(history::Database)
};

// Any number: it only has to be the same for every client of one server.
constexpr qint64 kMigrationLock = 7'201'702;

constexpr char kAggregate[] =
    "INSERT INTO minutes (series_id, t, n, vmin, vavg, vmax) "
    "SELECT series_id, (t / 60000) * 60000, COUNT(*), MIN(value), AVG(value), MAX(value) "
    "FROM samples WHERE %1 GROUP BY series_id, t / 60000 "
    "ON CONFLICT (series_id, t) DO UPDATE SET n = excluded.n, vmin = excluded.vmin, "
    "vavg = excluded.vavg, vmax = excluded.vmax";

} // namespace

HistoryDatabase::HistoryDatabase()
{
    static std::atomic<int> counter{0};
    m_name = QStringLiteral("history-%1").arg(counter.fetch_add(1));
}

HistoryDatabase::~HistoryDatabase()
{
    close();
}

void HistoryDatabase::close()
{
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    m_open = false;
}

bool HistoryDatabase::open(const Location &location, const OpenOptions &options)
{
    close();
    m_location = location;
    m_error = {};
    if (location.backend == Backend::SQLite) {
        const QFileInfo info(location.file);
        if (!info.exists()) {
            if (!options.create) {
                m_error = {Fault::Other, Database::tr("Geçmiş veritabanı bulunamadı: %1").arg(location.display())};
                return false;
            }
            QDir().mkpath(info.absolutePath());
        }
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(location.file);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        m_db.setHostName(location.host);
        m_db.setPort(location.port);
        m_db.setUserName(location.user);
        m_db.setPassword(location.password);
        m_db.setDatabaseName(location.database);
        m_db.setConnectOptions(location.options);
    }
    if (!m_db.isValid()) {
        m_error = {Fault::Other, Database::tr("Veritabanı sürücüsü yüklenemedi (%1).").arg(m_db.driverName())};
        close();
        return false;
    }
    if (!m_db.open()) {
        m_error = classify(m_db.lastError());
        if (location.backend == Backend::PostgreSQL)
            m_error.fault = Fault::Unreachable;
        close();
        return false;
    }
    m_open = true;
    if (!setUp(options) || !migrate(options.migrateTo)) {
        const DbError e = m_error;
        close();
        m_error = e;
        return false;
    }
    return true;
}

bool HistoryDatabase::setUp(const OpenOptions &options)
{
    if (backend() == Backend::PostgreSQL)
        return exec(QStringLiteral("SET client_min_messages = warning"));
    // Reading the schema finds a file that is no database at all.
    if (!exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return false;
    // Write-ahead log: readers (tarnek-history, the trend window) never
    // wait for the recorder, and a commit survives the program being
    // killed. NORMAL synchronisation loses no commit to a killed program.
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
        return failed(q.lastError());
    const bool wal = q.next() && q.value(0).toString().compare(u"wal", Qt::CaseInsensitive) == 0;
    q.finish();
    if (!wal) {
        // A file that cannot take a journal of its own (a read-only
        // folder) still opens; its writes will say what is wrong.
        qInfo("history: %s stays without write-ahead log", qPrintable(m_location.display()));
    }
    QStringList pragmas{QStringLiteral("synchronous=NORMAL")};
    pragmas += options.sqlitePragmas;
    for (const QString &p : pragmas) {
        QSqlQuery pq(m_db);
        if (!pq.exec(QStringLiteral("PRAGMA ") + p))
            return failed(pq.lastError());
    }
    return true;
}

QString HistoryDatabase::ddl(const char *sqlite, const char *postgres) const
{
    return QString::fromLatin1(backend() == Backend::SQLite ? sqlite : postgres);
}

int HistoryDatabase::schemaVersion()
{
    QSqlQuery q(m_db);
    const QString exists = ddl("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'schema_version'",
                               "SELECT count(*) FROM pg_tables WHERE schemaname = current_schema() "
                               "AND tablename = 'schema_version'");
    if (!q.exec(exists) || !q.next()) {
        failed(q.lastError());
        return -1;
    }
    if (q.value(0).toInt() == 0)
        return 0;
    if (!q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !q.next()) {
        failed(q.lastError());
        return -1;
    }
    return q.value(0).toInt();
}

bool HistoryDatabase::migrate(int target)
{
    int version = schemaVersion();
    if (version < 0)
        return false;
    if (version > kSchemaVersion) {
        m_error = {Fault::TooNew, Database::tr("Geçmiş veritabanı bu programdan yeni bir sürümle yazılmış "
                                               "(şema %1, bu program %2); kayıt yapılmıyor.")
                                      .arg(version)
                                      .arg(kSchemaVersion)};
        return false;
    }
    if (version >= target)
        return true;
    if (!begin())
        return false;
    if (backend() == Backend::PostgreSQL
        && !exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kMigrationLock))) {
        rollback();
        return false;
    }
    // Another client may have moved it on meanwhile.
    version = schemaVersion();
    bool ok = version >= 0;
    for (int to = version + 1; ok && to <= target; ++to)
        ok = migrateStep(to);
    if (ok && version < target) {
        ok = version == 0 ? exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (%1)").arg(target))
                          : exec(QStringLiteral("UPDATE schema_version SET version = %1").arg(target));
    }
    if (!ok || !commit()) {
        rollback();
        return false;
    }
    return true;
}

bool HistoryDatabase::migrateStep(int to)
{
    switch (to) {
    case 1:
        return exec(QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"))
            && exec(ddl("CREATE TABLE series (id INTEGER PRIMARY KEY, serial TEXT NOT NULL, "
                        "quantity TEXT NOT NULL, UNIQUE (serial, quantity))",
                        "CREATE TABLE series (id BIGSERIAL PRIMARY KEY, serial TEXT NOT NULL, "
                        "quantity TEXT NOT NULL, UNIQUE (serial, quantity))"))
            && exec(ddl("CREATE TABLE samples (series_id BIGINT NOT NULL, t BIGINT NOT NULL, "
                        "value DOUBLE PRECISION NOT NULL, PRIMARY KEY (series_id, t)) WITHOUT ROWID",
                        "CREATE TABLE samples (series_id BIGINT NOT NULL, t BIGINT NOT NULL, "
                        "value DOUBLE PRECISION NOT NULL, PRIMARY KEY (series_id, t))"));
    case 2:
        // The one-minute aggregates, made from every raw row kept so far.
        return exec(ddl("CREATE TABLE minutes (series_id BIGINT NOT NULL, t BIGINT NOT NULL, "
                        "n INTEGER NOT NULL, vmin DOUBLE PRECISION NOT NULL, vavg DOUBLE PRECISION NOT NULL, "
                        "vmax DOUBLE PRECISION NOT NULL, PRIMARY KEY (series_id, t)) WITHOUT ROWID",
                        "CREATE TABLE minutes (series_id BIGINT NOT NULL, t BIGINT NOT NULL, "
                        "n INTEGER NOT NULL, vmin DOUBLE PRECISION NOT NULL, vavg DOUBLE PRECISION NOT NULL, "
                        "vmax DOUBLE PRECISION NOT NULL, PRIMARY KEY (series_id, t))"))
            && exec(QString::fromLatin1(kAggregate).arg(QLatin1String("t >= 0")));
    default:
        return false;
    }
}

bool HistoryDatabase::aggregate(qint64 seriesId, qint64 from, qint64 to)
{
    QSqlQuery q(m_db);
    q.prepare(QString::fromLatin1(kAggregate).arg(QLatin1String("series_id = ? AND t >= ? AND t < ?")));
    q.addBindValue(seriesId);
    q.addBindValue(from);
    q.addBindValue(to);
    return exec(q);
}

bool HistoryDatabase::begin()
{
    return exec(ddl("BEGIN IMMEDIATE", "BEGIN"));
}

bool HistoryDatabase::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

void HistoryDatabase::rollback()
{
    if (!m_db.isOpen())
        return;
    QSqlQuery q(m_db);
    q.exec(QStringLiteral("ROLLBACK")); // fails harmlessly when SQLite already rolled back
}

bool HistoryDatabase::exec(const QString &sql)
{
    QSqlQuery q(m_db);
    if (!q.exec(sql))
        return failed(q.lastError());
    return true;
}

bool HistoryDatabase::exec(QSqlQuery &query)
{
    if (!query.exec())
        return failed(query.lastError());
    return true;
}

bool HistoryDatabase::failed(const QSqlError &e)
{
    m_error = classify(e);
    return false;
}

DbError HistoryDatabase::classify(const QSqlError &e) const
{
    const QString what = e.text().trimmed();
    const QString code = e.nativeErrorCode();
    if (backend() == Backend::SQLite) {
        switch (code.toInt()) {
        case 13: // SQLITE_FULL
            return {Fault::DiskFull, Database::tr("Disk dolu: %1 (%2)").arg(m_location.display(), what)};
        case 8: // SQLITE_READONLY
            return {Fault::ReadOnly, Database::tr("Dosya salt okunur: %1 (%2)").arg(m_location.display(), what)};
        case 11: // SQLITE_CORRUPT
        case 26: // SQLITE_NOTADB
            return {Fault::Corrupt, Database::tr("Veritabanı bozuk: %1 (%2)").arg(m_location.display(), what)};
        case 14: // SQLITE_CANTOPEN: a file or folder that may not be written
        case 10: // SQLITE_IOERR
            if (!writable())
                return {Fault::ReadOnly, Database::tr("Dosya salt okunur: %1 (%2)").arg(m_location.display(), what)};
            return {Fault::Other, Database::tr("%1: %2").arg(m_location.display(), what)};
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            return {Fault::Busy, what};
        default:
            return {Fault::Other, Database::tr("%1: %2").arg(m_location.display(), what)};
        }
    }
    if (code == u"53100")
        return {Fault::DiskFull, Database::tr("Sunucunun diski dolu: %1 (%2)").arg(m_location.display(), what)};
    if (code == u"25006")
        return {Fault::ReadOnly, Database::tr("Sunucu salt okunur: %1 (%2)").arg(m_location.display(), what)};
    if (code.startsWith(u"40")) // serialization failure, deadlock: try again
        return {Fault::Busy, what};
    const bool lost = e.type() == QSqlError::ConnectionError || code.startsWith(u"08") || code.startsWith(u"57P")
        || !m_db.isOpen() || code.isEmpty();
    if (lost)
        return {Fault::Unreachable,
                Database::tr("Sunucuya ulaşılamıyor: %1 (%2)").arg(m_location.display(), what)};
    return {Fault::Other, Database::tr("%1: %2").arg(m_location.display(), what)};
}

bool HistoryDatabase::writable() const
{
    const QFileInfo file(m_location.file);
    return (!file.exists() || file.isWritable()) && QFileInfo(file.absolutePath()).isWritable();
}

qint64 HistoryDatabase::size()
{
    if (backend() == Backend::SQLite) {
        qint64 bytes = 0;
        for (const char *suffix : {"", "-wal"})
            bytes += QFileInfo(m_location.file + QLatin1String(suffix)).size();
        return bytes;
    }
    QSqlQuery q(m_db);
    if (q.exec(QStringLiteral("SELECT pg_database_size(current_database())")) && q.next())
        return q.value(0).toLongLong();
    failed(q.lastError());
    return -1;
}

} // namespace history
