#pragma once
// One connection to the history database, SQLite or PostgreSQL, with the
// schema and its migrations. A connection belongs to the thread that opened
// it (as every Qt SQL connection does).
//
// The schema, the same on both back ends:
//   schema_version(version)             one row
//   series(id, serial, quantity)        one per device and quantity
//   samples(series_id, t, value)        raw rows, t in UTC ms
//   minutes(series_id, t, n, vmin, vavg, vmax)   one-minute aggregates
// Version 1 had no minutes; the step to version 2 makes them from the raw
// rows already kept.
#include "history_location.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlError;
class QSqlQuery;

namespace history {

inline constexpr int kSchemaVersion = 2;
inline constexpr qint64 kMinuteMs = 60'000;

// Why a statement failed, as far as the recorder cares.
enum class Fault {
    None,
    Unreachable, // the server cannot be reached or went away
    DiskFull,
    ReadOnly,
    Corrupt,     // not a database, or a damaged one (SQLite)
    TooNew,      // written by a later version of the schema
    Busy,        // another writer holds the file: try again
    Other,
};

struct DbError {
    Fault fault = Fault::None;
    QString text;
    explicit operator bool() const { return fault != Fault::None; }
};

struct OpenOptions {
    bool create = true;             // SQLite: make the file (and its folder) when missing
    int migrateTo = kSchemaVersion; // tests stop at an earlier version
    QStringList sqlitePragmas;      // extra "name=value" settings after the usual ones
};

class HistoryDatabase {
public:
    HistoryDatabase();
    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase &) = delete;
    HistoryDatabase &operator=(const HistoryDatabase &) = delete;

    // Opens, sets the connection up and brings the schema to the version.
    bool open(const Location &location, const OpenOptions &options = {});
    void close();
    bool isOpen() const { return m_open; }

    const DbError &error() const { return m_error; }
    QSqlDatabase &db() { return m_db; }
    Backend backend() const { return m_location.backend; }
    const Location &location() const { return m_location; }

    // The version the database holds now (0: none yet).
    int schemaVersion();

    // BEGIN (a write lock at once on SQLite), COMMIT, ROLLBACK.
    bool begin();
    bool commit();
    void rollback();
    // Runs a statement; false and error() set on failure.
    bool exec(const QString &sql);
    bool exec(QSqlQuery &query);
    // Notes a failure of the query (or of the connection when null).
    bool failed(const QSqlError &e);

    // Bytes the database takes: the SQLite file with its journal, or the
    // PostgreSQL database.
    qint64 size();

    // The one-minute aggregates of series id for the minutes from..to
    // (UTC ms, to exclusive), made again from the raw rows.
    bool aggregate(qint64 seriesId, qint64 from, qint64 to);

    DbError classify(const QSqlError &e) const;

private:
    bool setUp(const OpenOptions &options);
    bool writable() const;
    bool migrate(int target);
    bool migrateStep(int to);
    QString ddl(const char *sqlite, const char *postgres) const;

    QString m_name;
    QSqlDatabase m_db;
    Location m_location;
    DbError m_error;
    bool m_open = false;
};

} // namespace history
