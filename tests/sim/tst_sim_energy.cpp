// The simulated energy records, meter readouts and energy messages: the
// bands the demo devices land in, the dates clients send, the readout as a
// meter writes it, and the answers over a real connection read with the
// client's own rules.
#include "energy_ratios.h"
#include "demo_data.h"
#include "energy_summary.h"
#include "iec_readout.h"
#include "meter_readout.h"
#include "register_store.h"
#include "sim_device.h"
#include "sim_energy.h"
#include "sim_server.h"
#include "wire.h"
#include "working_text.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTest>

#include <cmath>
#include <memory>

using namespace sim;
using energy::Band;

Q_DECLARE_METATYPE(energy::Band)

namespace {

DeviceInfo device(quint32 serial, const QString &model = QStringLiteral("QRN410"), QVariantMap setup = {})
{
    DeviceInfo d;
    d.group = QStringLiteral("depo");
    d.model = model;
    d.name = QStringLiteral("Cihaz");
    d.serial = serial;
    d.setup = setup;
    return d;
}

qint64 at(int y, int m, int d, int hour = 0)
{
    return startOfDay(QDate(y, m, d)) + qint64(hour) * 3600000;
}

// The nine fields of a two-date answer, read as the client reads them.
QList<QByteArray> rangeFields(const QByteArray &message, qsizetype skip, QByteArray *left = nullptr)
{
    WorkingText t(message);
    t.skip(skip);
    QList<QByteArray> f;
    for (int i = 0; i < 9; ++i)
        f.append(t.nextField());
    t.skip(1);
    if (left)
        *left = t.rest();
    return f;
}

} // namespace

class TstSimEnergy : public QObject {
    Q_OBJECT
private slots:
    void demoBands_data();
    void demoBands();
    void countersGrowWithLoad();
    void profileFromSetup();
    void clientDates_data();
    void clientDates();
    void rangeAnswer();
    void meterValues_data();
    void meterValues();
    void readoutAsMeterWrites_data();
    void readoutAsMeterWrites();
    void piecesCoverReadout();
    void summaryDecodesInClient();
    void beforeReset();
    void overTheConnection();
};

// Between any two dates a day or more apart, each demo device's ratios stay
// in its band.
void TstSimEnergy::demoBands_data()
{
    QTest::addColumn<quint32>("serial");
    QTest::addColumn<Band>("inductive");
    QTest::addColumn<Band>("capacitive");
    QTest::newRow("12001 NORMAL") << 12001u << Band::Normal << Band::Normal;
    QTest::newRow("12002 KRİTİK") << 12002u << Band::Critical << Band::Normal;
    QTest::newRow("12004 ALARM") << 12004u << Band::Alarm << Band::Normal;
    QTest::newRow("12005 ALARM capacitive") << 12005u << Band::Normal << Band::Alarm;
    QTest::newRow("12008 CEZA") << 12008u << Band::Penalty << Band::Penalty;
    QTest::newRow("12007 NORMAL meter") << 12007u << Band::Normal << Band::Normal;
    QTest::newRow("another device") << 55555u << Band::Normal << Band::Normal;
}

void TstSimEnergy::demoBands()
{
    QFETCH(quint32, serial);
    QFETCH(Band, inductive);
    QFETCH(Band, capacitive);
    const DeviceInfo d = device(serial);
    const qint64 now = at(2026, 12, 9, 14);
    const struct {
        QByteArray first, last;
    } ranges[] = {
        {"08.03.2025", "15.03.2025"}, {"09.12.2026", "09.12.2026"}, {"01.01.2026", "30.06.2026"},
        {"", ""},                     {"13.12.2026", "14.12.2026"}, {"05.12.2026", "06.12.2026"},
        {"3/1/26", "3/2/26"},
    };
    for (const auto &r : ranges) {
        const EnergyRange range = energyBetween(d, r.first, r.last, now);
        const QList<QByteArray> f = rangeFields(energyRangeMessage("reaktifenerji", "1", range), 14);
        QList<double> v;
        for (int i = 3; i < 9; ++i)
            v.append(f[i].toDouble());
        const energy::Ratios ratios = energy::rangeRatios(v[0], v[1], v[2], v[3], v[4], v[5]);
        const QString what = QStringLiteral("%1..%2: %3 %4 (%5)")
                                 .arg(QString::fromLatin1(r.first), QString::fromLatin1(r.last))
                                 .arg(ratios.inductive)
                                 .arg(ratios.capacitive)
                                 .arg(QString::fromLatin1(f.mid(3).join(' ')));
        if (r.first == "13.12.2026") { // in the future: nothing grew
            QCOMPARE(v[0], v[1]);
            continue;
        }
        QVERIFY2(v[1] > v[0], qPrintable(what));
        QVERIFY2(energy::band(ratios.inductive, energy::Reactive::Inductive) == inductive, qPrintable(what));
        QVERIFY2(energy::band(ratios.capacitive, energy::Reactive::Capacitive) == capacitive, qPrintable(what));
    }
}

void TstSimEnergy::countersGrowWithLoad()
{
    const DeviceInfo full = device(12001);
    const DeviceInfo half = device(12001, QStringLiteral("QRN410"), {{QStringLiteral("load"), 0.5}});
    const qint64 from = startOfDay(QDate(2023, 2, 1));
    // Before the records begin the counters hold their starting values.
    QCOMPARE(energyAt(full, from - 86400000).active, 125000.0);
    QCOMPARE(energyAt(full, from).active, 125000.0);
    double last = 0;
    for (qint64 t = at(2026, 1, 5); t < at(2026, 1, 12); t += 3600000) {
        const EnergyCounters c = energyAt(full, t);
        QVERIFY(c.active > last);
        last = c.active;
        const TariffCounters tr = tariffsAt(full, t);
        QVERIFY(std::fabs(tr.t1 + tr.t2 + tr.t3 - c.active) < 1e-6 * c.active);
    }
    // A week at full load is the rated power for 168 hours.
    const double week = energyAt(full, at(2026, 1, 12)).active - energyAt(full, at(2026, 1, 5)).active;
    QVERIFY(std::fabs(week - 180.0 * 168) < 1e-6);
    const double halfWeek = energyAt(half, at(2026, 1, 12)).active - energyAt(half, at(2026, 1, 5)).active;
    QVERIFY(std::fabs(halfWeek - week / 2) < 1e-6);
    // A weekday draws more than a Sunday.
    const auto day = [&](int d) { return energyAt(full, at(2026, 1, d + 1)).active - energyAt(full, at(2026, 1, d)).active; };
    QVERIFY(day(5) > 2 * day(11));
}

void TstSimEnergy::profileFromSetup()
{
    EnergyProfile p = energyProfile(device(12001, QStringLiteral("QRN410"), {{QStringLiteral("energy"), QStringLiteral("CEZA")}}));
    QCOMPARE(energy::band(p.inductivePercent, energy::Reactive::Inductive), Band::Penalty);
    p = energyProfile(device(12001, QStringLiteral("QRN410"), {{QStringLiteral("energy"), QStringLiteral("kritik")}}));
    QCOMPARE(energy::band(p.inductivePercent, energy::Reactive::Inductive), Band::Critical);
    p = energyProfile(device(1, QStringLiteral("PMT830"),
                             {{QStringLiteral("energy"),
                               QVariantMap{{QStringLiteral("inductive"), 17.0}, {QStringLiteral("meterWidth"), 11},
                                           {QStringLiteral("from"), QStringLiteral("2025-05-01")},
                                           {QStringLiteral("ratedKw"), QStringLiteral("nonsense")}}}}));
    QCOMPARE(p.inductivePercent, 17.0);
    QCOMPARE(p.meterWidth, 11);
    QCOMPARE(p.recordsFrom, QDate(2025, 5, 1));
    QCOMPARE(p.ratedKw, 30.0);
    // A meter's width is its setting "digits", whatever its serial.
    QCOMPARE(energyProfile(*demoSite().findDevice(12007)).meterWidth, 8);
    QCOMPARE(energyProfile(*demoSite().findDevice(12004)).meterWidth, 9);
    QCOMPARE(energyProfile(*demoSite().findDevice(12009)).meterWidth, 10);
    const QVariantMap nine{{QStringLiteral("settings"), QVariantMap{{QStringLiteral("digits"), 9}}}};
    QCOMPARE(energyProfile(device(21010, QStringLiteral("PMT830"), nine)).meterWidth, 9);
    QCOMPARE(meterReading(device(21010, QStringLiteral("PMT830"), nine), at(2026, 1, 5), false).width, 9);
    QCOMPARE(energyProfile(device(21010, QStringLiteral("PMT830"))).meterWidth, 10);
}

void TstSimEnergy::clientDates_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QDate>("date");
    const QDate d(2024, 3, 8);
    QTest::newRow("day.month.year") << QByteArray("08.03.2024") << d;
    QTest::newRow("Turkish short") << QByteArray("8.03.2024") << d;
    QTest::newRow("two-digit year") << QByteArray("08.03.24") << d;
    QTest::newRow("US") << QByteArray("3/8/24") << d;
    QTest::newRow("UK") << QByteArray("08/03/2024") << d;
    QTest::newRow("ISO") << QByteArray("2024-03-08") << d;
    QTest::newRow("Japanese") << QByteArray("2024/03/08") << d;
    QTest::newRow("Hungarian") << QByteArray("2024. 03. 08.") << d;
    QTest::newRow("C locale") << QByteArray("8 Mar 2024") << d;
    QTest::newRow("blanks around") << QByteArray(" 08.03.2024 ") << d;
    QTest::newRow("empty") << QByteArray() << QDate();
    QTest::newRow("not a date") << QByteArray("yar\xFDn") << QDate();
    QTest::newRow("31 February") << QByteArray("31.02.2024") << QDate();
}

void TstSimEnergy::clientDates()
{
    QFETCH(QByteArray, text);
    QFETCH(QDate, date);
    const std::optional<QDate> got = parseClientDate(text);
    QCOMPARE(got.value_or(QDate()), date);
}

// Dates go back as they came; empty ones name the current billing period.
void TstSimEnergy::rangeAnswer()
{
    const DeviceInfo d = device(12004, QStringLiteral("PMT830"));
    const qint64 now = at(2026, 12, 9, 14);
    QByteArray left;
    QList<QByteArray> f = rangeFields(energyRangeMessage("tedassycal", "12004", energyBetween(d, "8 Mar 2024", "3/15/24", now)), 11, &left);
    QCOMPARE(f.mid(0, 3), (QList<QByteArray>{"12004", "8 Mar 2024", "3/15/24"}));
    QCOMPARE(left, QByteArray("\xF4\xF4"));
    for (int i = 3; i < 9; ++i)
        QVERIFY2(!f[i].isEmpty() && f[i].toLongLong() >= 0 && !f[i].contains('.'), f[i].constData());
    f = rangeFields(energyRangeMessage("tedassycal", "12004", energyBetween(d, "", "", now)), 11);
    QCOMPARE(f[1], QByteArray("01.12.2026"));
    QCOMPARE(f[2], QByteArray("09.12.2026"));
    QCOMPARE(f[3].toLongLong(), std::llround(energyAt(d, billingPeriodStart(now)).active));
    QCOMPARE(f[4].toLongLong(), std::llround(energyAt(d, now).active));
    // A first date after the last one gives the counters as they were.
    f = rangeFields(energyRangeMessage("tedassycal", "12004", energyBetween(d, "15.03.2025", "08.03.2025", now)), 11);
    QVERIFY(f[3].toLongLong() > f[4].toLongLong());
}

void TstSimEnergy::meterValues_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("8") << 70.677 << 8 << QByteArray("0070.677");
    QTest::newRow("9") << 12345.6789 << 9 << QByteArray("12345.678");
    QTest::newRow("10") << 70.6779 << 10 << QByteArray("000070.677");
    QTest::newRow("never rounds up") << 9999.9999 << 8 << QByteArray("9999.999");
    QTest::newRow("rolls over") << 10001.5 << 8 << QByteArray("0001.500");
    QTest::newRow("zero") << 0.0 << 9 << QByteArray("00000.000");
    QTest::newRow("negative") << -3.0 << 8 << QByteArray("0000.000");
    QTest::newRow("not a number") << std::nan("") << 8 << QByteArray("0000.000");
}

void TstSimEnergy::meterValues()
{
    QFETCH(double, value);
    QFETCH(int, width);
    QFETCH(QByteArray, text);
    QCOMPARE(meterValue(value, width), text);
}

// The three demo meters write 8, 9 and 10 characters before the unit; the
// client finds every value whole, and the totals' ratios land in the band.
void TstSimEnergy::readoutAsMeterWrites_data()
{
    QTest::addColumn<quint32>("serial");
    QTest::addColumn<bool>("utility");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<Band>("band");
    QTest::newRow("12007") << 12007u << false << 8 << QByteArray("*MWh)") << Band::Normal;
    QTest::newRow("12004") << 12004u << false << 9 << QByteArray("*kWh)") << Band::Alarm;
    QTest::newRow("12009 utility") << 12009u << true << 10 << QByteArray("*kWh)") << Band::Penalty;
}

void TstSimEnergy::readoutAsMeterWrites()
{
    QFETCH(quint32, serial);
    QFETCH(bool, utility);
    QFETCH(int, width);
    QFETCH(QByteArray, unit);
    QFETCH(Band, band);
    const DeviceInfo d = *demoSite().findDevice(serial);
    const qint64 now = at(2026, 12, 9, 14) + 123456;
    const QByteArray readout = iecReadout(meterReading(d, now, utility));
    QVERIFY(readout.startsWith("/DMS5"));
    const qsizetype stx = readout.indexOf('\x02');
    QCOMPARE(readout.at(stx - 1), '\n');
    QVERIFY(readout.sliced(stx + 1).startsWith("0.0.0("));
    QCOMPARE(readout.right(5).left(4), QByteArray("!\r\n\x03"));
    char bcc = 0;
    for (char c : readout.sliced(stx + 1))
        bcc = char(bcc ^ c);
    QCOMPARE(bcc, '\0'); // the block check closes the XOR of STX+1 … ETX
    QVERIFY(readout.contains("0.9.1(14:02:03)\r\n"));
    QVERIFY(readout.contains("0.9.2(26-12-09)\r\n"));
    for (const char *code : {"1.8.0*1(", "5.8.0*1(", "8.8.0*1("})
        QVERIFY(readout.contains(code));
    QCOMPARE(readout.contains("1.8.0*2("), utility);
    QCOMPARE(readout.contains("1.6.0("), utility);

    const QString text = QString::fromLatin1(readout);
    for (const QString &code : energy::MeterReadout::codes()) {
        const std::optional<QString> v = energy::MeterReadout::valueIn(text, code);
        QVERIFY(v);
        QCOMPARE(v->size(), width);
        QCOMPARE(v->at(width - 4), u'.');
    }
    QVERIFY(readout.contains(unit));
    const double scale = unit.startsWith("*M") ? 1000.0 : 1.0;
    const double active = energy::MeterReadout::valueIn(text, u"1.8.0(")->toDouble();
    QVERIFY(std::fabs(active - energyAt(d, now).active / scale) < 0.0011);
    const double inductive = energy::MeterReadout::valueIn(text, u"5.8.0(")->toDouble();
    QCOMPARE(energy::band(inductive / active * 100, energy::Reactive::Inductive), band);
}

void TstSimEnergy::piecesCoverReadout()
{
    const QByteArray readout = iecReadout(meterReading(device(12004, QStringLiteral("PMT830")), at(2026, 12, 9, 9), true));
    const QList<QByteArray> pieces = readoutPieces(readout, 12004);
    QVERIFY(pieces.size() >= 5);
    QCOMPARE(pieces.join(), readout);
    for (int i = 0; i + 1 < pieces.size(); ++i)
        QVERIFY(pieces[i].size() >= 40 && pieces[i].size() <= 90);
    QCOMPARE(readoutPieces(readout, 12004), pieces);
    QVERIFY(readoutPieces(readout, 12009) != pieces);
    QCOMPARE(sayacalMessage("abc"), QByteArray("sayacal\x01\x01\x01" "abc"));
}

// The summary as the client decodes it: the row it names, the counters of
// the records, the registers of the device.
void TstSimEnergy::summaryDecodesInClient()
{
    const std::unique_ptr<SimDevice> dev = makeDevice(device(12001));
    dev->setReg(2, 2301);
    dev->setReg(36, 15);
    dev->setReg(98, 7);
    const qint64 now = at(2026, 12, 9, 14);
    const QByteArray m = energySummaryMessage(*dev, 5, now);
    WorkingText t(m);
    t.skip(12);
    QCOMPARE(t.nextField(), QByteArray("12001"));
    QCOMPARE(t.nextField(), QByteArray("depo"));
    const QByteArray data = t.nextField();
    t.skip(1);
    QCOMPARE(t.rest(), QByteArray("\xF4\xF4"));
    RegisterStore store;
    QCOMPARE(energy::decodeEnergySummary(data, store, QLatin1Char(',')), energy::SummaryResult::Stored);
    QCOMPARE(store.read(5, 2), 2301.0);
    QCOMPARE(store.read(5, 36), 15.0);
    QCOMPARE(store.read(5, 98), 7.0);
    QCOMPARE(store.read(5, 43), 5000.0);
    const double counter = store.read(5, 62) * 65536.0 * 65536.0 + store.read(5, 63) * 65536.0 + store.read(5, 64);
    QVERIFY(std::fabs(counter / 3600000.0 - energyAt(dev->info(), now).active) < 0.001);
    QCOMPARE(store.read(1, 2), -1.0);
}

void TstSimEnergy::beforeReset()
{
    const std::unique_ptr<SimDevice> dev = makeDevice(device(12001));
    const qint64 now = at(2026, 12, 9, 14);
    WorkingText t(beforeResetMessage(*dev, now));
    QVERIFY(t.startsWith("Sycdegerleri"));
    t.skip(13);
    const EnergyCounters c = energyAt(dev->info(), at(2026, 12, 1));
    QCOMPARE(t.nextField().toLongLong(), std::llround(c.active));
    QCOMPARE(t.nextField().toLongLong(), std::llround(c.inductive));
    QCOMPARE(t.nextField().toLongLong(), std::llround(c.capacitive));
}

// Over a real connection: the date-range answers, a meter readout arriving
// piece by piece, and the requests that get no readout.
void TstSimEnergy::overTheConnection()
{
    SimServer server;
    QStringList log;
    server.setLogger([&log](const QString &l) { log.append(l); });
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, server.port());
    QVERIFY(s.waitForConnected(3000));
    QList<QByteArray> reads;
    const auto collect = [&](int ms) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            QTest::qWait(10);
            if (s.bytesAvailable())
                reads.append(s.readAll());
        }
    };
    s.write("kulsifre\x01" "demo\x01" "1234\x02\xF4\xF4\xF4");
    collect(300);
    reads.clear();

    s.write(wire::buildRequest("reaktifener", {"12002", "08.03.2024", "15.03.2024"}));
    collect(300);
    QCOMPARE(reads.size(), 1);
    QVERIFY(reads[0].startsWith("reaktifenerji\x01" "12002\x01" "08.03.2024\x01" "15.03.2024\x01"));
    reads.clear();

    s.write(wire::buildRequest("sycreaktfener", {"12004", "", ""}));
    collect(300);
    QCOMPARE(reads.size(), 1);
    QVERIFY(reads[0].startsWith("tedassycal\x01" "12004\x01"));
    reads.clear();

    // Asked twice in a row: the modem reads its meter once.
    s.write(wire::buildRequest("sayac", {"12004", "tdshyr", "kythyr"}));
    collect(50);
    s.write(wire::buildRequest("sayac", {"12004", "tdsEvt", "kytevt"}));
    collect(4000);
    QVERIFY(log.join('\n').contains(QLatin1String("still being read")));
    QVERIFY(reads.size() >= 5);
    QByteArray readout;
    for (const QByteArray &r : reads) {
        QVERIFY(r.startsWith("sayacal\x01\x01\x01"));
        QCOMPARE(r.count("sayacal"), 1); // each piece its own read
        readout += r.sliced(10);
    }
    QVERIFY(readout.startsWith("/DMS5"));
    QVERIFY(readout.contains("!\r\n\x03"));
    QCOMPARE(readout.count("/DMS5"), 1);
    QVERIFY(!readout.contains("*2("));
    reads.clear();
    // Once the readout is through, the meter can be read again.
    s.write(wire::buildRequest("sayac", {"12004", "tdsEvt", "kytevt"}));
    QVERIFY(QTest::qWaitFor([&] { reads.append(s.readAll()); return reads.join().contains("!\r\n\x03"); }, 8000));
    QVERIFY(reads.join().contains("*2("));
    reads.clear();

    // A device that reads no meter, and one off line.
    s.write(wire::buildRequest("sayac", {"12001", "tdshyr", "kythyr"}));
    server.device(12005)->setOnline(false);
    s.write(wire::buildRequest("sayac", {"12005", "tdshyr", "kythyr"}));
    collect(800);
    QCOMPARE(reads.join(), QByteArray("Hattayok\x01" "12005\x01\xF4\xF4\xF4"));
    QVERIFY(log.join('\n').contains(QLatin1String("reads no meter")));
}

QTEST_MAIN(TstSimEnergy)
#include "tst_sim_energy.moc"
