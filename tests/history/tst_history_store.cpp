// The recorder and the reader on a real database of each back end: rows in,
// the one-minute aggregates made as minutes finish (and again when a late
// row reaches one), hours and days from them, retention, the step from
// schema 1 to 2, and a database from a later version left alone.
#include "history_reader.h"
#include "history_test_kit.h"
#include "recorder.h"

#include <QDateTime>
#include <QSignalSpy>

#include <cmath>

using namespace history;

namespace {
const qint64 kT0 = QDateTime(QDate(2026, 3, 10), QTime(10, 0), Qt::UTC).toMSecsSinceEpoch();
constexpr qint64 kDay = 86'400'000;
const QString kSerial = QStringLiteral("12001");
} // namespace

class TstHistoryStore : public QObject {
    Q_OBJECT
private slots:
    void aggregatesAsMinutesFinish_data() { kit::addBackends(); }
    void aggregatesAsMinutesFinish();
    void registersEnergyAndMeter_data() { kit::addBackends(); }
    void registersEnergyAndMeter();
    void retention_data() { kit::addBackends(); }
    void retention();
    void migrationAndLaterSchema_data() { kit::addBackends(); }
    void migrationAndLaterSchema();

private:
    std::unique_ptr<Recorder> recorder(const Location &l)
    {
        RecorderOptions o;
        o.location = l;
        o.flushMs = 3'600'000; // the test flushes
        o.retryMs = 50;
        o.clock = m_clock.function();
        return std::make_unique<Recorder>(o);
    }
    kit::Clock m_clock;
    QTemporaryDir m_dir;
};

void TstHistoryStore::aggregatesAsMinutesFinish()
{
    QFETCH(Backend, backend);
    const auto loc = kit::freshLocation(backend, m_dir);
    QVERIFY(loc);
    m_clock.set(kT0);
    auto rec = recorder(*loc);
    // Three minutes at one value a second: value i at second i.
    for (int i = 0; i < 180; ++i) {
        m_clock.set(kT0 + i * 1000);
        rec->record(kSerial, QStringLiteral("V1"), kT0 + i * 1000, i);
        if (i % 60 == 59)
            rec->sync();
    }
    QVERIFY(rec->healthy());
    HistoryReader reader;
    QVERIFY2(reader.open(*loc), qPrintable(reader.errorText()));
    QCOMPARE(reader.series(kSerial, "V1", kT0, kT0 + kDay, Step::Raw).size(), size_t(180));
    // The third minute ends at 180 s: not finished at 179 s.
    auto minutes = reader.series(kSerial, "V1", kT0, kT0 + kDay, Step::Minute);
    QCOMPARE(minutes.size(), size_t(2));
    QCOMPARE(minutes[1].t, kT0 + 60'000);
    QCOMPARE(minutes[1].min, 60.0);
    QCOMPARE(minutes[1].avg, 89.5);
    QCOMPARE(minutes[1].max, 119.0);
    QCOMPARE(minutes[1].n, 60);

    // Its end passes with no new rows: the next (empty) batch makes it.
    m_clock.set(kT0 + 183'000);
    rec->sync();
    QCOMPARE(reader.series(kSerial, "V1", kT0, kT0 + kDay, Step::Minute).size(), size_t(3));
    // A late row makes its minute again.
    rec->record(kSerial, QStringLiteral("V1"), kT0 + 30'500, 1000);
    rec->sync();
    minutes = reader.series(kSerial, "V1", kT0, kT0 + kDay, Step::Minute);
    QCOMPARE(minutes[0].max, 1000.0);
    QCOMPARE(minutes[0].n, 61);

    const auto hours = reader.series(kSerial, "V1", kT0, kT0 + kDay, Step::Hour);
    QCOMPARE(hours.size(), size_t(1));
    QCOMPARE(hours[0].t, kT0);
    QCOMPARE(hours[0].n, 181);
    QVERIFY(std::fabs(hours[0].avg - (179.0 * 180 / 2 + 1000) / 181) < 1e-9);
    const auto days = reader.series(kSerial, "V1", kT0 - kDay, kT0 + kDay, Step::Day);
    QCOMPARE(days.size(), size_t(1));
    QCOMPARE(days[0].t, QDateTime(QDateTime::fromMSecsSinceEpoch(kT0).date(), QTime(0, 0)).toMSecsSinceEpoch());
    QCOMPARE(days[0].max, 1000.0);

    // Wide columns read the minutes, narrow ones the raw rows: both agree
    // with the pure reduction of the raw rows.
    const auto raw = reader.series(kSerial, "V1", kT0, kT0 + 180'000, Step::Raw);
    for (int columns : {3, 90}) {
        const auto fromDb = reader.decimated(kSerial, "V1", kT0, kT0 + 180'000, columns);
        const auto expected = decimate(raw, kT0, kT0 + 180'000, columns);
        QCOMPARE(fromDb.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(fromDb[i].min, expected[i].min);
            QCOMPARE(fromDb[i].max, expected[i].max);
            QCOMPARE(fromDb[i].n, expected[i].n);
        }
    }

    const auto list = reader.seriesList();
    QCOMPARE(list.size(), 1);
    QCOMPARE(list[0].first, kT0);
    QCOMPARE(list[0].last, kT0 + 179'000);
    QVERIFY(reader.databaseSize() > 0);
}

void TstHistoryStore::registersEnergyAndMeter()
{
    QFETCH(Backend, backend);
    const auto loc = kit::freshLocation(backend, m_dir);
    QVERIFY(loc);
    m_clock.set(kT0);
    auto rec = recorder(*loc);
    std::vector<double> regs(402, -1.0);
    regs[0] = 40;    // CT
    regs[2] = 2304;  // V1 230.4 V
    regs[5] = 2500;  // I1 2.5 A before the CT
    regs[20] = 977;  // cos φ of the relay, thousandths
    rec->recordRegisters(kSerial, 2, regs, {0, 124});
    EnergyPeriod period;
    period.from = kT0 - 10 * kDay;
    period.to = kT0;
    period.a1 = 1000, period.a2 = 1100, period.l1 = 50, period.l2 = 68, period.c1 = 0, period.c2 = 12;
    rec->recordEnergy(kSerial, period);
    rec->recordMeterReadout(QStringLiteral("7001"), {123.5, std::nullopt, 7.25, 100.0, 20.0, 3.5});
    rec->sync();

    HistoryReader reader;
    QVERIFY(reader.open(*loc));
    const auto value = [&](const QString &serial, const char *q, qint64 t) {
        const auto s = reader.series(serial, QLatin1String(q), t, t + 1, Step::Raw);
        return s.size() == 1 ? s[0].avg : qQNaN();
    };
    QCOMPARE(value(kSerial, "V1", kT0), 230.4);
    QCOMPARE(value(kSerial, "I1", kT0), 100.0);
    QCOMPARE(value(kSerial, "cos_total", kT0), 0.977);
    QCOMPARE(value(kSerial, "ct_ratio", kT0), 40.0);
    QCOMPARE(value(kSerial, "counter_A", period.from), 1000.0);
    QCOMPARE(value(kSerial, "counter_L", kT0), 68.0);
    QCOMPARE(value(kSerial, "ratio_ind", kT0), 18.0);
    QCOMPARE(value(kSerial, "band_ind", kT0), 2.0); // ALARM
    QCOMPARE(value(kSerial, "band_cap", kT0), 2.0);
    QCOMPARE(value("7001", "meter_A", kT0), 123.5);
    QCOMPARE(value("7001", "meter_T3", kT0), 3.5);
    QVERIFY(reader.seriesId("7001", "meter_L") == std::nullopt);
    // Rows of the same series and time replace each other.
    regs[2] = 2310;
    rec->recordRegisters(kSerial, 2, regs, {0, 124});
    rec->sync();
    QCOMPARE(value(kSerial, "V1", kT0), 231.0);
}

void TstHistoryStore::retention()
{
    QFETCH(Backend, backend);
    const auto loc = kit::freshLocation(backend, m_dir);
    QVERIFY(loc);
    const qint64 now = kT0;
    m_clock.set(now);
    auto rec = recorder(*loc);
    const QString q = QStringLiteral("I1");
    for (qint64 age : {800 * kDay, 40 * kDay, 31 * kDay, 29 * kDay, kDay})
        for (int s = 0; s < 3; ++s)
            rec->record(kSerial, q, now - age + s * 1000, double(age / kDay));
    rec->sync();
    HistoryReader reader;
    QVERIFY(reader.open(*loc));
    // Raw rows older than 30 days, aggregates older than two years: gone
    // once the writer looks (at open, then every hour, or when the days
    // change).
    rec->setRawRetentionDays(30);
    rec->sync();
    const auto raw = reader.series(kSerial, q, 0, now + 1, Step::Raw);
    const auto minutes = reader.series(kSerial, q, 0, now + 1, Step::Minute);
    QCOMPARE(raw.size(), size_t(6));
    QCOMPARE(raw.front().avg, 29.0);
    QCOMPARE(minutes.size(), size_t(4));
    QCOMPARE(minutes.front().avg, 40.0);
    QCOMPARE(minutes.front().n, 3);
    rec->setRawRetentionDays(7);
    rec->sync();
    QCOMPARE(reader.series(kSerial, q, 0, now + 1, Step::Raw).size(), size_t(3));
    QCOMPARE(reader.series(kSerial, q, 0, now + 1, Step::Minute).size(), size_t(4));
    // Where raw rows are gone, a chart still has the minutes.
    QCOMPARE(reader.decimated(kSerial, q, now - 32 * kDay, now, 1000).size(), size_t(3));
}

void TstHistoryStore::migrationAndLaterSchema()
{
    QFETCH(Backend, backend);
    const auto loc = kit::freshLocation(backend, m_dir);
    QVERIFY(loc);
    {
        HistoryDatabase v1;
        OpenOptions o;
        o.migrateTo = 1;
        QVERIFY2(v1.open(*loc, o), qPrintable(v1.error().text));
        QCOMPARE(v1.schemaVersion(), 1);
        QVERIFY(v1.exec(QStringLiteral("INSERT INTO series (serial, quantity) VALUES ('12001', 'V1')")));
        for (int i = 0; i < 120; ++i)
            QVERIFY(v1.exec(QStringLiteral("INSERT INTO samples (series_id, t, value) "
                                           "SELECT id, %1, %2 FROM series")
                                .arg(kT0 + i * 1000)
                                .arg(i)));
        QVERIFY(!v1.exec(QStringLiteral("SELECT * FROM minutes")));
    }
    HistoryReader reader;
    QVERIFY2(reader.open(*loc), qPrintable(reader.errorText()));
    QCOMPARE(reader.database().schemaVersion(), 2);
    const auto minutes = reader.series(kSerial, "V1", kT0, kT0 + kDay, Step::Minute);
    QCOMPARE(minutes.size(), size_t(2));
    QCOMPARE(minutes[0].avg, 29.5);
    QCOMPARE(minutes[1].max, 119.0);
    QCOMPARE(reader.series(kSerial, "V1", kT0, kT0 + kDay, Step::Raw).size(), size_t(120));

    // A later version's database: neither read nor written.
    QVERIFY(reader.database().exec(QStringLiteral("UPDATE schema_version SET version = 99")));
    HistoryReader later;
    QVERIFY(!later.open(*loc));
    QCOMPARE(later.database().error().fault, Fault::TooNew);
    auto rec = recorder(*loc);
    QSignalSpy told(rec.get(), &Recorder::statusMessage);
    rec->record(kSerial, QStringLiteral("V1"), kT0 + 500'000, 1);
    rec->sync();
    QCOMPARE(told.size(), 1);
    QVERIFY(told[0][0].toString().contains(QStringLiteral("yeni bir sürüm")));
    QVERIFY(!rec->healthy());
    QCOMPARE(reader.series(kSerial, "V1", kT0, kT0 + kDay, Step::Raw).size(), size_t(120));
}

QTEST_GUILESS_MAIN(TstHistoryStore)
#include "tst_history_store.moc"
