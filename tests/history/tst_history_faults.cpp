// The recorder when things go wrong: killed while recording, a full disk, a
// read-only file, a corrupt file, the server away at start and going away
// mid-run. Recording goes on, each trouble is said once, the rows wait in
// memory (up to the bound) and are written when the database is back, and
// nothing written before is lost.
#include "history_reader.h"
#include "history_test_kit.h"
#include "recorder.h"

#include <QDateTime>
#include <QScopeGuard>
#include <QSignalSpy>

#include <csignal>
#include <unistd.h>

using namespace history;

namespace {

const qint64 kT0 = QDateTime(QDate(2026, 3, 10), QTime(10, 0), Qt::UTC).toMSecsSinceEpoch();
const QString kSerial = QStringLiteral("12001");

qint64 count(HistoryDatabase &db, const QString &sql)
{
    QSqlQuery q(db.db());
    if (!q.exec(sql) || !q.next()) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return -1;
    }
    return q.value(0).toLongLong();
}

// A small tmpfs of the test's own: full and read-only on demand.
struct Tmpfs {
    QString path;
    bool mounted = false;
    bool run(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral("mount"), args);
        return p.waitForFinished(10'000) && p.exitCode() == 0;
    }
    bool mount(const QString &at, const QString &options)
    {
        path = at;
        QDir().mkpath(at);
        mounted = geteuid() == 0 && run({"-t", "tmpfs", "-o", options, "tmpfs", at});
        return mounted;
    }
    bool remount(const QString &options) { return run({"-o", "remount," + options, path}); }
    ~Tmpfs()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), path});
    }
};

QString messages(const QSignalSpy &spy)
{
    QStringList all;
    for (const auto &args : spy)
        all.append(args[0].toString());
    return all.join(u" | ");
}

} // namespace

class TstHistoryFaults : public QObject {
    Q_OBJECT
private slots:
    void killedWhileRecording_data() { kit::addBackends(); }
    void killedWhileRecording();
    void diskFull();
    void readOnlyFile();
    void corruptFile();
    void serverAwayAtStartAndMidRun();

private:
    std::unique_ptr<Recorder> recorder(const Location &l, qsizetype bound = 1'000'000)
    {
        RecorderOptions o;
        o.location = l;
        o.flushMs = 3'600'000;
        o.retryMs = 50;
        o.maxPendingRows = bound;
        o.clock = [] { return kT0 + 3'600'000; };
        return std::make_unique<Recorder>(o);
    }
    void recordRows(Recorder &rec, int first, int n)
    {
        for (int i = first; i < first + n; ++i)
            rec.record(kSerial, QStringLiteral("V1"), kT0 + qint64(i) * 1000, i);
    }
    QTemporaryDir m_dir;
};

void TstHistoryFaults::killedWhileRecording()
{
    QFETCH(Backend, backend);
    const auto loc = kit::freshLocation(backend, m_dir);
    QVERIFY(loc);
    QProcess helper;
    helper.start(qEnvironmentVariable("HISTORY_HELPER"), {kit::locationText(*loc), QString::number(kT0)});
    QVERIFY(helper.waitForStarted());
    qint64 committed = 0;
    int commits = 0;
    QByteArray out;
    while (commits < 5 && helper.waitForReadyRead(10'000)) {
        out += helper.readAllStandardOutput();
        while (out.contains('\n')) {
            const QByteArray line = out.left(out.indexOf('\n'));
            out.remove(0, line.size() + 1);
            if (line.startsWith("committed ")) {
                committed = line.mid(10).toLongLong();
                ++commits;
            }
        }
    }
    QVERIFY2(commits == 5, helper.readAllStandardError().constData());
    ::kill(pid_t(helper.processId()), SIGKILL);
    QVERIFY(helper.waitForFinished());
    QCOMPARE(helper.exitStatus(), QProcess::CrashExit);

    {
        HistoryReader reader;
        QVERIFY2(reader.open(*loc), qPrintable(reader.errorText()));
        if (backend == Backend::SQLite)
            QCOMPARE(count(reader.database(), "SELECT count(*) FROM pragma_integrity_check WHERE "
                                              "integrity_check <> 'ok'"),
                     0);
        QVERIFY(count(reader.database(), "SELECT count(*) FROM samples") >= committed);
    }
    // The next run makes the minutes the killed one left unfinished.
    {
        auto rec = recorder(*loc);
        rec->sync();
    }
    HistoryReader reader;
    QVERIFY(reader.open(*loc));
    const qint64 raw = count(reader.database(), "SELECT count(*) FROM samples");
    QCOMPARE(count(reader.database(), "SELECT SUM(n) FROM minutes"), raw);
    QCOMPARE(count(reader.database(), "SELECT count(*) FROM minutes"),
             count(reader.database(), "SELECT count(*) FROM (SELECT DISTINCT series_id, t / 60000 FROM samples) m"));
}

void TstHistoryFaults::diskFull()
{
    Tmpfs fs;
    if (!fs.mount(m_dir.filePath("full"), "size=1m"))
        QSKIP("a tmpfs of its own needs root and mount");
    const auto loc = parseLocation(fs.path + "/h.sqlite");
    auto rec = recorder(*loc);
    QSignalSpy told(rec.get(), &Recorder::statusMessage);
    recordRows(*rec, 0, 100);
    rec->sync();
    QCOMPARE(rec->committedRows(), 100);

    QFile filler(fs.path + "/filler");
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(16 * 1024, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();
    recordRows(*rec, 100, 20'000);
    rec->sync();
    QVERIFY(!rec->healthy());
    QCOMPARE(told.size(), 1);
    QVERIFY2(messages(told).contains("disk dolu"), qPrintable(messages(told)));

    QVERIFY(QFile::remove(fs.path + "/filler"));
    QTRY_VERIFY_WITH_TIMEOUT(rec->healthy(), 10'000);
    QCOMPARE(told.size(), 2);
    QCOMPARE(rec->committedRows(), 20'100);
    rec.reset();
    HistoryReader reader;
    QVERIFY(reader.open(*loc));
    QCOMPARE(reader.series(kSerial, "V1", 0, kT0 * 2, Step::Raw).size(), size_t(20'100));
}

void TstHistoryFaults::readOnlyFile()
{
    Tmpfs fs;
    if (!fs.mount(m_dir.filePath("ro"), "size=4m"))
        QSKIP("a tmpfs of its own needs root and mount");
    const auto loc = parseLocation(fs.path + "/h.sqlite");
    {
        auto rec = recorder(*loc);
        recordRows(*rec, 0, 10);
    }
    QVERIFY(fs.remount("ro"));
    auto rec = recorder(*loc);
    QSignalSpy told(rec.get(), &Recorder::statusMessage);
    recordRows(*rec, 10, 10);
    rec->sync();
    QTRY_COMPARE_WITH_TIMEOUT(told.size(), 1, 5000);
    QVERIFY2(messages(told).contains("salt okunur"), qPrintable(messages(told)));
    QVERIFY(!rec->healthy());
    QVERIFY(fs.remount("rw"));
    QTRY_VERIFY_WITH_TIMEOUT(rec->healthy(), 10'000);
    rec.reset();
    HistoryReader reader;
    QVERIFY(reader.open(*loc));
    QCOMPARE(reader.series(kSerial, "V1", 0, kT0 * 2, Step::Raw).size(), size_t(20));
}

void TstHistoryFaults::corruptFile()
{
    const QString file = m_dir.filePath("corrupt.sqlite");
    QByteArray garbage = "no database here\n";
    garbage += QByteArray(8192, '\x5a');
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    }
    auto rec = recorder(*parseLocation(file));
    QSignalSpy told(rec.get(), &Recorder::statusMessage);
    recordRows(*rec, 0, 10);
    rec->sync();
    QVERIFY(rec->healthy());
    QCOMPARE(told.size(), 1);
    QVERIFY2(messages(told).contains("kenara"), qPrintable(messages(told)));
    // Moved aside as it was, never deleted.
    const QStringList aside = QDir(m_dir.path()).entryList({"corrupt.sqlite.bozuk-*"});
    QCOMPARE(aside.size(), 1);
    QFile moved(m_dir.filePath(aside.first()));
    QVERIFY(moved.open(QIODevice::ReadOnly));
    QCOMPARE(moved.readAll(), garbage);
    rec.reset();
    HistoryReader reader;
    QVERIFY(reader.open(*parseLocation(file)));
    QCOMPARE(reader.series(kSerial, "V1", 0, kT0 * 2, Step::Raw).size(), size_t(10));
}

void TstHistoryFaults::serverAwayAtStartAndMidRun()
{
    const auto loc = kit::freshLocation(Backend::PostgreSQL, m_dir);
    QVERIFY(loc);
    auto resume = qScopeGuard([] { kit::server("resume"); });
    QVERIFY(kit::server("pause"));
    // Away at start: 1,200 rows against a bound of 1,000.
    auto rec = recorder(*loc, 1000);
    QSignalSpy told(rec.get(), &Recorder::statusMessage);
    recordRows(*rec, 0, 1200);
    rec->sync();
    QVERIFY(!rec->healthy());
    QCOMPARE(told.size(), 2);
    QVERIFY2(messages(told).contains("ulaşılamıyor") && messages(told).contains("1000 satır sınırını"),
             qPrintable(messages(told)));
    QVERIFY(kit::server("resume"));
    QTRY_VERIFY_WITH_TIMEOUT(rec->healthy(), 20'000);
    QCOMPARE(told.size(), 3);
    {
        HistoryReader reader;
        QVERIFY(reader.open(*loc));
        const auto rows = reader.series(kSerial, "V1", 0, kT0 * 2, Step::Raw);
        QCOMPARE(rows.size(), size_t(1000));
        QCOMPARE(rows.front().avg, 200.0); // the oldest went first
    }
    // Going away mid-run.
    recordRows(*rec, 1200, 10);
    rec->sync();
    QCOMPARE(rec->committedRows(), 1010);
    QVERIFY(kit::server("pause"));
    recordRows(*rec, 1210, 10);
    rec->sync();
    QTRY_VERIFY_WITH_TIMEOUT(!rec->healthy(), 10'000);
    QVERIFY(kit::server("resume"));
    QTRY_VERIFY_WITH_TIMEOUT(rec->healthy(), 20'000);
    QCOMPARE(told.size(), 5);
    HistoryReader reader;
    QVERIFY(reader.open(*loc));
    QCOMPARE(reader.series(kSerial, "V1", 0, kT0 * 2, Step::Raw).size(), size_t(1020));
}

QTEST_GUILESS_MAIN(TstHistoryFaults)
#include "tst_history_faults.moc"
