#pragma once
// What the history tests share: a database of either back end, fresh for
// each case (an SQLite file in a temporary folder, or a database of its own
// on the test server that CTest starts with pg_server.sh), and a fixed
// clock.
#include "history_location.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <optional>

Q_DECLARE_METATYPE(history::Backend)

namespace kit {

inline void addBackends()
{
    QTest::addColumn<history::Backend>("backend");
    QTest::newRow("sqlite") << history::Backend::SQLite;
    QTest::newRow("postgresql") << history::Backend::PostgreSQL;
}

// The test server's folder and port (pg_server.sh start).
inline QString serverDir()
{
    return qEnvironmentVariable("HISTORY_PG_DIR");
}
inline int serverPort()
{
    QFile f(serverDir() + QStringLiteral("/port"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toInt() : 0;
}

// pause | resume: the server goes away and comes back on its port.
inline bool server(const char *command)
{
    QProcess p;
    p.start(qEnvironmentVariable("HISTORY_PG_SCRIPT"), {QLatin1String(command), serverDir()});
    return p.waitForFinished(60'000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A new empty database: a file in dir, or a database on the test server.
inline std::optional<history::Location> freshLocation(history::Backend backend, const QTemporaryDir &dir)
{
    static std::atomic<int> counter{0};
    const int n = counter.fetch_add(1);
    if (backend == history::Backend::SQLite)
        return history::parseLocation(dir.filePath(QStringLiteral("h%1.sqlite").arg(n)));
    const int port = serverPort();
    if (!port) {
        qWarning("no test server: HISTORY_PG_DIR=%s", qPrintable(serverDir()));
        return std::nullopt;
    }
    const QString name = QStringLiteral("h_%1_%2").arg(QCoreApplication::applicationPid()).arg(n);
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
        admin.setHostName(QStringLiteral("127.0.0.1"));
        admin.setPort(port);
        admin.setUserName(QStringLiteral("postgres"));
        admin.setDatabaseName(QStringLiteral("postgres"));
        if (!admin.open()) {
            qWarning("test server: %s", qPrintable(admin.lastError().text()));
            return std::nullopt;
        }
        QSqlQuery q(admin);
        if (!q.exec(QStringLiteral("CREATE DATABASE ") + name))
            qWarning("test server: %s", qPrintable(q.lastError().text()));
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    return history::parseLocation(QStringLiteral("postgresql://postgres@127.0.0.1:%1/%2").arg(port).arg(name));
}

// The argument tarnek-history and the helper take for the location.
inline QString locationText(const history::Location &l)
{
    if (l.backend == history::Backend::SQLite)
        return l.file;
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(l.user, l.host).arg(l.port).arg(l.database);
}

// A clock the test moves by hand.
struct Clock {
    std::shared_ptr<std::atomic<qint64>> now = std::make_shared<std::atomic<qint64>>(0);
    std::function<qint64()> function() const
    {
        return [n = now] { return n->load(); };
    }
    void set(qint64 t) { *now = t; }
    qint64 get() const { return *now; }
};

} // namespace kit
