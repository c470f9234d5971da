// tarnek-history against a real database of each back end: list, export
// (raw and aggregated, under a C and a Turkish locale), the monthly report,
// the default file chosen as the client chooses it, wrong input, and the
// language of its texts and columns.
#include "history_location.h"
#include "history_test_kit.h"
#include "language_choice.h"
#include "recorder.h"

#include <QDateTime>

using namespace history;

namespace {

qint64 utc(int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute, second), Qt::UTC).toMSecsSinceEpoch();
}

struct Run {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run cli(const QStringList &args, const QString &locale = QStringLiteral("C.UTF-8"),
        const QString &dataHome = QString(), const QString &configHome = QString())
{
    // Settings of its own, so that the user's choices cannot change the output.
    static const QTemporaryDir noSettings;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.isEmpty() ? noSettings.path() : configHome);
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    if (!dataHome.isEmpty())
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("TARNEK_HISTORY"), args);
    if (!p.waitForFinished(60'000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

void fill(const Location &loc)
{
    RecorderOptions o;
    o.location = loc;
    o.flushMs = 3'600'000;
    o.clock = [] { return utc(4, 15); };
    Recorder rec(o);
    const QString relay = QStringLiteral("12001");
    rec.record(relay, QStringLiteral("V1"), utc(3, 10, 10), 230.5);
    rec.record(relay, QStringLiteral("V1"), utc(3, 10, 10, 0, 1), 231);
    rec.record(relay, QStringLiteral("I1"), utc(3, 10, 10, 0, 1), 2.5);
    rec.record(relay, QStringLiteral("V1"), utc(3, 10, 10, 1, 30), 229.25);
    // The device's counters over most of March; an energy answer's over a
    // shorter span, which the report passes over.
    for (const auto &[t, a, l, c] : {std::tuple{utc(3, 2), 1000.0, 100.0, 10.0},
                                     std::tuple{utc(3, 20), 1500.0, 180.0, 60.0}}) {
        rec.record(relay, QStringLiteral("E_active"), t, a);
        rec.record(relay, QStringLiteral("E_ind"), t, l);
        rec.record(relay, QStringLiteral("E_cap"), t, c);
    }
    EnergyPeriod period{utc(3, 5), utc(3, 6), 1100, 1110, 0, 5, 0, 0};
    rec.recordEnergy(relay, period);
    rec.record(QStringLiteral("7001"), QStringLiteral("meter_A"), utc(3, 1, 6), 5000);
    rec.record(QStringLiteral("7001"), QStringLiteral("meter_L"), utc(3, 1, 6), 700);
    rec.record(QStringLiteral("7001"), QStringLiteral("meter_C"), utc(3, 1, 6), 0);
    rec.record(QStringLiteral("7001"), QStringLiteral("meter_A"), utc(3, 31, 18), 6000);
    rec.record(QStringLiteral("7001"), QStringLiteral("meter_L"), utc(3, 31, 18), 900);
    rec.record(QStringLiteral("7001"), QStringLiteral("meter_C"), utc(3, 31, 18), 0);
    rec.sync();
}

QByteArray csv(const QByteArray &lines)
{
    return "\xEF\xBB\xBF" + QByteArray(lines).replace("\n", "\r\n");
}

} // namespace

class TstHistoryCli : public QObject {
    Q_OBJECT
private slots:
    void commands_data() { kit::addBackends(); }
    void commands();
    void defaultFileAndWrongInput();
    void language_data();
    void language();

private:
    QTemporaryDir m_dir;
};

void TstHistoryCli::commands()
{
    QFETCH(Backend, backend);
    const auto loc = kit::freshLocation(backend, m_dir);
    QVERIFY(loc);
    fill(*loc);
    const QStringList at{QStringLiteral("--history"), kit::locationText(*loc)};

    Run r = cli(at + QStringList{"list"});
    QVERIFY2(r.code == 0, r.err.constData());
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.value(0), QByteArray("\xEF\xBB\xBFSeri No,Büyüklük,Ad,Birim,İlk,Son\r"));
    QVERIFY(lines.contains("12001,V1,Gerilim L1,V,2026-03-10T10:00:00.000+00:00,2026-03-10T10:01:30.000+00:00\r"));
    QVERIFY(lines.contains("7001,meter_A,Sayaç aktif toplam (1.8.0),kWh,2026-03-01T06:00:00.000+00:00,"
                           "2026-03-31T18:00:00.000+00:00\r"));
    QCOMPARE(lines.size(), 1 + 12 + 3 + 1); // header, the relay, the meter, the end

    const QStringList exportRaw = at + QStringList{"export", "--serial", "12001", "--quantity", "V1", "--quantity",
                                                   "I1", "--from", "2026-03-10T10:00:00Z", "--to",
                                                   "2026-03-10T13:01:00+03:00", "--csv", "-"};
    r = cli(exportRaw);
    QVERIFY2(r.code == 0, r.err.constData());
    QCOMPARE(r.out, csv("Zaman,V1,I1\n"
                        "2026-03-10T10:00:00.000+00:00,230.5,\n"
                        "2026-03-10T10:00:01.000+00:00,231,2.5\n"));
    r = cli(exportRaw, QStringLiteral("tr_TR.UTF-8"));
    QCOMPARE(r.out, csv("Zaman;V1;I1\n"
                        "2026-03-10T10:00:00.000+00:00;230,5;\n"
                        "2026-03-10T10:00:01.000+00:00;231;2,5\n"));

    const QString file = m_dir.filePath(QStringLiteral("minutes.csv"));
    r = cli(at + QStringList{"export", "--serial", "12001", "--quantity", "V1", "--from", "2026-03-10", "--to",
                             "2026-03-11", "--step", "1m", "--csv", file});
    QVERIFY2(r.code == 0, r.err.constData());
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), csv("Zaman,V1_min,V1_avg,V1_max\n"
                                    "2026-03-10T10:00:00+00:00,230.5,230.75,231\n"
                                    "2026-03-10T10:01:00+00:00,229.25,229.25,229.25\n"));

    r = cli(at + QStringList{"report", "--month", "2026-03"});
    QVERIFY2(r.code == 0, r.err.constData());
    QCOMPARE(r.out, csv("Seri No,İlk okuma,Son okuma,Kaynak,Aktif enerji (kWh),İndüktif enerji (kVArh),"
                        "Kapasitif enerji (kVArh),İnd. Oran %,Kap. Oran %,İnd. Durum,Kap. Durum\n"
                        "12001,2026-03-02T00:00:00+00:00,2026-03-20T00:00:00+00:00,E_active,500.000,80.000,"
                        "50.000,16.00,10.00,KRİTİK,KRİTİK\n"
                        "7001,2026-03-01T06:00:00+00:00,2026-03-31T18:00:00+00:00,meter_A,1000.000,200.000,"
                        "0.000,20.00,0.00,CEZA,NORMAL\n"));
}

void TstHistoryCli::defaultFileAndWrongInput()
{
    // No --history: the file in the client's data folder.
    const QString home = m_dir.filePath(QStringLiteral("data"));
    const auto loc = parseLocation(home + u'/' + QString::fromUtf8(kClientOrganizationName) + u'/'
                                   + QString::fromUtf8(kClientApplicationName) + "/history.sqlite");
    fill(*loc);
    Run r = cli({"list"}, QStringLiteral("C.UTF-8"), home);
    QVERIFY2(r.code == 0, r.err.constData());
    QVERIFY(r.out.contains("12001,V1,"));

    const QStringList at{QStringLiteral("--history"), loc->file};
    QCOMPARE(cli(at + QStringList{"export", "--from", "2026-03-10", "--to", "2026-03-11"}).code, 1);
    QCOMPARE(cli(at + QStringList{"export", "--serial", "12001", "--from", "10.03.2026", "--to", "2026-03-11"}).code,
             1);
    QCOMPARE(cli(at + QStringList{"export", "--serial", "12001", "--quantity", "X9", "--from", "2026-03-10", "--to",
                                  "2026-03-11"})
                 .code,
             1);
    QCOMPARE(cli(at + QStringList{"report", "--month", "2026-13"}).code, 1);
    QCOMPARE(cli(at + QStringList{"remove"}).code, 1);
    QCOMPARE(cli({"--history", m_dir.filePath("none.sqlite"), "list"}).code, 2);
    QVERIFY(!QFile::exists(m_dir.filePath("none.sqlite")));
    QCOMPARE(cli(at + QStringList{"list", "--csv", "/dev/full"}).code, 3);
}

void TstHistoryCli::language_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("remembered"); // in the client's menu
    QTest::addColumn<QByteArray>("header");
    const QByteArray turkish = "Seri No,Büyüklük,Ad,Birim,İlk,Son";
    const QByteArray english = "Serial No.,Quantity,Name,Unit,First,Last";
    // A scheduled job's locale names no language: its columns stay as they were.
    QTest::newRow("C") << "C.UTF-8" << QStringList() << QString() << turkish;
    QTest::newRow("English system") << "en_US.UTF-8" << QStringList() << QString() << english;
    QTest::newRow("English system, --lang tr") << "en_US.UTF-8" << QStringList{"--lang", "tr"} << QString() << turkish;
    QTest::newRow("Turkish system, --lang en") << "tr_TR.UTF-8" << QStringList{"--lang=en"} << QString()
                                               << QByteArray(english).replace(',', ';');
    QTest::newRow("C, English in the client") << "C.UTF-8" << QStringList() << "en" << english;
    QTest::newRow("English in the client, --lang tr") << "C.UTF-8" << QStringList{"--lang", "tr"} << "en" << turkish;
}

void TstHistoryCli::language()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, options);
    QFETCH(QString, remembered);
    QFETCH(QByteArray, header);
    const QTemporaryDir config;
    if (!remembered.isEmpty()) {
        QSettings settings(config.filePath(QStringLiteral("%1/%2.conf")
                                               .arg(QString::fromUtf8(kClientOrganizationName),
                                                    QString::fromUtf8(kClientApplicationName))),
                           QSettings::IniFormat);
        language::rememberLanguage(settings, remembered);
    }
    const auto loc = kit::freshLocation(Backend::SQLite, m_dir);
    QVERIFY(loc);
    fill(*loc);
    const Run r = cli(options + QStringList{"--history", kit::locationText(*loc), "list"}, locale, {}, config.path());
    QVERIFY2(r.code == 0, r.err.constData());
    QCOMPARE(r.out.split('\n').value(0), "\xEF\xBB\xBF" + header + '\r');
}

QTEST_GUILESS_MAIN(TstHistoryCli)
#include "tst_history_cli.moc"
