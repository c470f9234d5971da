// The simulated measuring devices: their register images hold consistent
// physics in the units the client's register map expects, counters only
// grow, the compensation relay holds cos φ near 1 while respecting the
// settings others write, the harmonic table agrees with the waveform
// content, and no answer carries the bytes 199, 239 in a row.
#include "modbus.h"
#include "payload_decoder.h"
#include "register_store.h"
#include "sim_compensation_relay.h"
#include "sim_overcurrent_relay.h"
#include "sim_physics.h"

#include <QTest>

#include <cmath>

using namespace sim;

namespace {

qint64 at(int hour, int minute = 0, int day = 2)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute)).toMSecsSinceEpoch();
}

DeviceInfo infoFor(const char *model, quint32 serial, QVariantMap setup = {})
{
    DeviceInfo i;
    i.group = QStringLiteral("g");
    i.model = QLatin1String(model);
    i.name = QStringLiteral("n");
    i.serial = serial;
    i.setup = std::move(setup);
    return i;
}

// A device of that model started at t (the factory starts them now).
std::unique_ptr<SimDevice> deviceAt(const QString &model, quint32 serial, qint64 t)
{
    const DeviceInfo i = infoFor(model.toLatin1().constData(), serial);
    if (model == QLatin1String("Rkt90wz"))
        return std::make_unique<CompensationRelayDevice>(i, t);
    return std::make_unique<AnalyserDevice>(i, t);
}

double s16(quint16 v) { return double(qint16(v)); }
double counter(const SimDevice &d, int last)
{
    return double(d.reg(last - 2)) * 65536.0 * 65536.0 + double(d.reg(last - 1)) * 65536.0 + d.reg(last);
}

// Per phase as the client shows it: V, A, kW, kVAr, kVA, cos φ.
struct Shown {
    double v, a, kw, kvar, kva, cos;
};
Shown shown(const SimDevice &d, int p, double cosUnity)
{
    const double ct = d.reg(0);
    return {d.reg(2 + p) / 10.0,         d.reg(5 + p) / 1000.0 * ct,      d.reg(8 + p) / 1000.0 * ct,
            s16(d.reg(11 + p)) / 1000.0 * ct, d.reg(14 + p) / 1000.0 * ct, s16(d.reg(17 + p)) / cosUnity};
}

// What the client reads back from an answer of `count` registers from `first`.
QList<double> throughTheWire(const SimDevice &d, int first, int count)
{
    const QByteArray frame = modbus::readResponse(d.registers(first, count));
    RegisterStore store;
    store.targetRow = 1;
    store.startRegister = first;
    payload::decode(modbus::payloadText(frame), store);
    QList<double> values;
    for (int n = first; n < first + count; ++n)
        values.append(store.read(1, n));
    return values;
}

} // namespace

class TstSimPhysics : public QObject {
    Q_OBJECT
private slots:
    void phasesAreConsistent_data();
    void phasesAreConsistent();
    void countersOnlyGrow_data();
    void countersOnlyGrow();
    void relayHoldsCosNearOne_data();
    void relayHoldsCosNearOne();
    void relayKeepsItsInputs();
    void relayManualModeAndStepSwitch();
    void stepFlagsFollowPowers();
    void harmonicTableMatchesWaves_data();
    void harmonicTableMatchesWaves();
    void escapePairsAvoided_data();
    void escapePairsAvoided();
    void answersSurviveTheWire_data();
    void answersSurviveTheWire();
    void overcurrentRelay();
    void setupIsApplied();
};

void TstSimPhysics::phasesAreConsistent_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("hour");
    for (const char *model : {"QRN410", "Rkt90wz"})
        for (int hour : {3, 10, 19})
            QTest::addRow("%s %02d:00", model, hour) << QString::fromLatin1(model) << hour;
}

void TstSimPhysics::phasesAreConsistent()
{
    QFETCH(QString, model);
    QFETCH(int, hour);
    const bool relay = model == QLatin1String("Rkt90wz");
    const auto d = deviceAt(model, 12001, at(hour) - 60000);
    d->advance(at(hour));
    const double unity = relay ? 1000 : 100;
    const double ct = d->reg(0);
    double kw = 0, kva = 0;
    for (int p = 0; p < 3; ++p) {
        const Shown s = shown(*d, p, unity);
        QVERIFY2(s.v > 215 && s.v < 245, qPrintable(QString::number(s.v)));
        QVERIFY(s.a > 0 && s.a < ct * 5 * 1.2);
        // S from V and I, and S² = P² + Q², within what whole registers allow.
        const double step = ct / 1000;
        QVERIFY2(std::fabs(s.kva - s.v * s.a / 1000) <= 0.01 * s.kva + 2 * step, qPrintable(QString::number(s.kva)));
        QVERIFY(std::fabs(std::hypot(s.kw, s.kvar) - s.kva) <= 2 * step);
        const double cos = s.kvar < 0 ? -s.kw / s.kva : s.kw / s.kva;
        QVERIFY2(std::fabs(cos - s.cos) <= 1.5 / unity + 2 * step / s.kva, qPrintable(QString::number(cos)));
        kw += s.kw;
        kva += s.kva;
    }
    QVERIFY(std::fabs(d->reg(25) / 1000.0 * ct - kw) <= 4 * ct / 1000);
    QVERIFY(std::fabs(d->reg(29) / 1000.0 * ct - kva) <= 4 * ct / 1000);
    const double temperature = d->reg(relay ? 31 : 48);
    QVERIFY(temperature >= 20 && temperature <= 45);
    if (relay)
        QVERIFY(std::fabs(d->reg(30) / 10.0 - 50) <= 0.1);
}

void TstSimPhysics::countersOnlyGrow_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<int>>("counters"); // last register of each
    QTest::newRow("analyser") << "QRN410" << QList<int>{64, 67, 70, 80, 82, 85, 88};
    QTest::newRow("relay") << "Rkt90wz" << QList<int>{92, 95, 98, 104, 107, 110, 113, 116, 119, 122, 125, 128};
}

void TstSimPhysics::countersOnlyGrow()
{
    QFETCH(QString, model);
    QFETCH(QList<int>, counters);
    qint64 t = at(8);
    const auto d = deviceAt(model, 12002, t);
    d->advance(t);
    QList<double> before;
    for (int c : counters)
        before.append(counter(*d, c));
    const double activeBefore = counter(*d, counters.first());
    for (int i = 0; i < 40; ++i) {
        t += 97 * 1000;
        d->advance(t);
        for (int k = 0; k < counters.size(); ++k) {
            const double now = counter(*d, counters[k]);
            QVERIFY2(now >= before[k], qPrintable(QStringLiteral("register %1").arg(counters[k])));
            before[k] = now;
        }
    }
    // An hour of a working morning adds active energy.
    QVERIFY(counter(*d, counters.first()) > activeBefore);
}

void TstSimPhysics::relayHoldsCosNearOne_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("tanTarget");
    QTest::newRow("night") << 2 << 0;
    QTest::newRow("morning ramp") << 7 << 0;
    QTest::newRow("peak") << 11 << 0;
    QTest::newRow("slightly inductive target") << 11 << 20;
}

void TstSimPhysics::relayHoldsCosNearOne()
{
    QFETCH(int, hour);
    QFETCH(int, tanTarget);
    CompensationRelayDevice d(infoFor("Rkt90wz", 12002), at(hour));
    d.setReg(129, quint16(tanTarget));
    qint64 t = at(hour);
    int stepsIn = 0;
    for (int minute = 0; minute < 15; ++minute) {
        t += 60 * 1000;
        d.advance(t);
    }
    for (int n = 1; n <= 18; ++n)
        stepsIn += d.stepOn(n) ? 1 : 0;
    QVERIFY(stepsIn > 0);
    const double cos = s16(d.reg(20)) / 1000;
    const double expected = 1 / std::sqrt(1 + tanTarget * tanTarget / 10000.0);
    QVERIFY2(cos > 0 ? std::fabs(cos - expected) < 0.03 : cos < -0.97, qPrintable(QString::number(cos)));
    // The lamps and the reactive sums follow the bank.
    double bank = 0;
    for (int n = 1; n <= 18; ++n)
        if (d.stepOn(n))
            bank += d.stepKvar(n, 0) + d.stepKvar(n, 1) + d.stepKvar(n, 2);
    QVERIFY(std::fabs(d.reg(27) / 1000.0 - bank) < 0.01);
    QVERIFY(std::fabs(s16(d.reg(28)) / 1000.0 - (d.reg(26) - d.reg(27)) / 1000.0) < 0.01);
}

void TstSimPhysics::relayKeepsItsInputs()
{
    CompensationRelayDevice d(infoFor("Rkt90wz", 12005), at(10));
    const QList<QPair<int, quint16>> written = {
        {0, 60},   {129, 65526}, {132, 25}, {133, 12},  {134, 30},  {135, 40}, {136, 3},
        {137, 1},  {138, 1},     {154, 1},  {157, 0},   {161, 800}, {162, 0},  {163, 65036},
        {229, 77}, {230, 0},     {231, 5000}};
    const double ampsBefore = d.reg(5) / 1000.0 * d.reg(0);
    for (const auto &w : written)
        d.setReg(w.first, w.second);
    for (int i = 1; i <= 30; ++i)
        d.advance(at(10) + i * 20000);
    for (const auto &w : written)
        QCOMPARE(d.reg(w.first), w.second);
    // A new CT ratio changes what the relay reports on its secondary side,
    // not the primary current the client shows.
    QVERIFY(std::fabs(d.reg(5) / 1000.0 * 60 - ampsBefore) < 0.1 * ampsBefore);
    // Step powers are taken as written: 65036 is 500 in magnitude.
    QCOMPARE(d.stepKvar(1, 2), 500 * 60 / 10000.0);
}

void TstSimPhysics::relayManualModeAndStepSwitch()
{
    CompensationRelayDevice d(infoFor("Rkt90wz", 12002), at(11));
    d.setReg(157, 1); // manual
    const quint16 lamps = d.reg(45);
    // A step switch from outside toggles its bit; nothing switches it back.
    d.setReg(45, quint16(lamps ^ (1u << 2)));
    for (int i = 1; i <= 20; ++i)
        d.advance(at(11) + i * 30000);
    QCOMPARE(d.reg(45), quint16(lamps ^ (1u << 2)));
    QCOMPARE(d.stepOn(3), !(lamps & (1u << 2)));
    // Back to automatic with every step out: the control switches them in.
    d.setReg(157, 0);
    d.setReg(44, 0);
    d.setReg(45, 0);
    for (int i = 21; i <= 60; ++i)
        d.advance(at(11) + i * 30000);
    QVERIFY(d.reg(45) != 0);
    QVERIFY2(std::abs(s16(d.reg(20))) > 970, qPrintable(QStringLiteral("cos %1 steps %2 %3").arg(s16(d.reg(20))).arg(d.reg(45), 0, 2).arg(d.reg(44))));
}

void TstSimPhysics::stepFlagsFollowPowers()
{
    CompensationRelayDevice d(infoFor("Rkt90wz", 12002), at(9));
    d.setReg(177, 100); // step 5: R only
    d.setReg(178, 0);
    d.setReg(179, 0);
    d.setReg(229, 0); // step 18 stays empty
    d.advance(at(9) + 1000);
    QCOMPARE(d.reg(176), quint16(1));
    QCOMPARE(d.reg(172), quint16(7));
    QCOMPARE(d.reg(228), quint16(0));
    QCOMPARE(d.reg(224), quint16(1)); // step 17 has phase R only
    // G.Ö.: every step with power is learnt; 17 in bit 0 of r46, 18 not.
    QCOMPARE(d.reg(47), quint16(0xFFFF));
    QCOMPARE(d.reg(46), quint16(1));
}

void TstSimPhysics::harmonicTableMatchesWaves_data()
{
    QTest::addColumn<QString>("model");
    QTest::newRow("analyser") << "QRN410";
    QTest::newRow("relay") << "Rkt90wz";
}

void TstSimPhysics::harmonicTableMatchesWaves()
{
    QFETCH(QString, model);
    const auto d = deviceAt(model, 12008, at(14));
    d->advance(at(14) + 1000);
    const double ct = d->reg(0);
    for (int p = 0; p < 3; ++p) {
        const PhaseWave &w = d->waves()[size_t(p)];
        QVERIFY(std::fabs(w.voltageRms - d->reg(2 + p) / 10.0) <= 0.051);
        QVERIFY(std::fabs(w.currentRms - d->reg(5 + p) / 1000.0 * ct) <= ct / 1000);
        double v2 = 0, i2 = 0;
        for (size_t k = 1; k < 16; ++k) {
            v2 += w.voltagePercent[k] * w.voltagePercent[k];
            i2 += w.currentPercent[k] * w.currentPercent[k];
        }
        const double vFund = w.voltageRms / std::sqrt(1 + v2 / 10000);
        const double iFund = w.currentRms / ct / std::sqrt(1 + i2 / 10000);
        QVERIFY(std::fabs(d->reg(300 + 16 * p) / 10.0 - vFund) <= 0.051);
        QVERIFY(std::fabs(d->reg(348 + 16 * p) / 1000.0 - iFund) <= 0.0006);
        for (int k = 1; k < 16; ++k) {
            QVERIFY(std::fabs(d->reg(300 + 16 * p + k) / 10.0 - vFund * w.voltagePercent[size_t(k)] / 100) <= 0.051);
            QVERIFY(std::fabs(d->reg(348 + 16 * p + k) / 1000.0 - iFund * w.currentPercent[size_t(k)] / 100) <= 0.0006);
        }
        // A non-linear load: the 5th and 7th stand out of the current.
        QVERIFY(w.currentPercent[2] > 5 && w.currentPercent[3] > 3);
        QVERIFY(std::fabs(d->reg(396 + p) / 10.0 - std::sqrt(v2)) <= 0.051);
        QVERIFY(std::fabs(d->reg(399 + p) / 1000.0 - std::sqrt(i2)) <= 0.0006);
        QVERIFY(d->reg(396 + p) / 10.0 < 8);
    }
}

void TstSimPhysics::escapePairsAvoided_data()
{
    QTest::addColumn<QList<int>>("registers"); // 0..3 as set
    QTest::addColumn<QList<int>>("inputs");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("inside one register") << QList<int>{0xC7EF, 5, 6, 7} << QList<int>{} << QList<int>{0xC7F0, 5, 6, 7};
    QTest::newRow("across two registers") << QList<int>{0x12C7, 0xEF01, 0, 0} << QList<int>{}
                                          << QList<int>{0x12C8, 0xEF01, 0, 0};
    QTest::newRow("first is an input") << QList<int>{0x12C7, 0xEF01, 0, 0} << QList<int>{0}
                                       << QList<int>{0x12C7, 0xF001, 0, 0};
    QTest::newRow("both inputs stay") << QList<int>{0x12C7, 0xEF01, 0, 0} << QList<int>{0, 1}
                                      << QList<int>{0x12C7, 0xEF01, 0, 0};
    QTest::newRow("input inside one register stays") << QList<int>{0, 0xC7EF, 0, 0} << QList<int>{1}
                                                     << QList<int>{0, 0xC7EF, 0, 0};
    QTest::newRow("reversed order is harmless") << QList<int>{0xEFC7, 0, 0, 0} << QList<int>{}
                                                << QList<int>{0xEFC7, 0, 0, 0};
}

void TstSimPhysics::escapePairsAvoided()
{
    QFETCH(QList<int>, registers);
    QFETCH(QList<int>, inputs);
    QFETCH(QList<int>, expected);
    OvercurrentRelayDevice d(infoFor("LBE620", 12003), at(1));
    for (int n = 0; n < SimDevice::kRegisters; ++n)
        d.setReg(n, 0);
    for (int n = 0; n < registers.size(); ++n)
        d.setReg(n, quint16(registers[n]));
    physics::InputRegisters in;
    for (int n : inputs)
        in.set(size_t(n));
    physics::avoidEscapePairs(d, in);
    for (int n = 0; n < expected.size(); ++n)
        QCOMPARE(int(d.reg(n)), expected[n]);
}

void TstSimPhysics::answersSurviveTheWire_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::newRow("analyser instantaneous") << "QRN410" << 0 << 125;
    QTest::newRow("relay instantaneous") << "Rkt90wz" << 0 << 125;
    QTest::newRow("relay energy") << "Rkt90wz" << 90 << 39;
    QTest::newRow("relay steps") << "Rkt90wz" << 157 << 75;
    QTest::newRow("harmonics") << "QRN410" << 300 << 102;
}

void TstSimPhysics::answersSurviveTheWire()
{
    QFETCH(QString, model);
    QFETCH(int, first);
    QFETCH(int, count);
    const auto d = deviceAt(model, 12001, at(0));
    for (int minute = 0; minute < 24 * 60; minute += 37) {
        d->advance(at(0) + qint64(minute) * 60000);
        const QList<double> read = throughTheWire(*d, first, count);
        for (int n = first; n < first + count; ++n)
            QCOMPARE(read[n - first], double(d->reg(n)));
    }
}

void TstSimPhysics::overcurrentRelay()
{
    OvercurrentRelayDevice d(infoFor("LBE620", 12003), at(10));
    const qint64 t = at(10, 31) + 17500;
    d.advance(t);
    QCOMPARE(d.clock(), QDateTime(QDate(2026, 3, 2), QTime(10, 31, 17)));
    const auto bytes = d.answerBytes();
    const std::array<quint8, 8> clock = {17, 31, 10, 2, 0, 0, 3, 26};
    for (size_t i = 0; i < 8; ++i)
        QCOMPARE(bytes[i], clock[i]);
    for (int r = 0; r < 12; ++r)
        QCOMPARE(d.reg(r), quint16(bytes[size_t(2 * r)] << 8 | bytes[size_t(2 * r + 1)]));
    const auto currents = d.currents();
    for (int i = 0; i < 4; ++i) {
        const int b = 8 + 4 * i;
        QCOMPARE(payload::binary32(bytes[size_t(b)], bytes[size_t(b + 1)], bytes[size_t(b + 2)], bytes[size_t(b + 3)]),
                 double(currents[size_t(i)]));
        QCOMPARE(currents[size_t(i)] * 4, std::round(currents[size_t(i)] * 4));
    }
    for (int p = 0; p < 3; ++p)
        QVERIFY(currents[size_t(p)] > 50 && currents[size_t(p)] < 480);
    QVERIFY(currents[3] < 0.2 * currents[0]);
    // The currents move with time.
    d.advance(t + 3600 * 1000);
    QVERIFY(d.currents() != currents);
}

void TstSimPhysics::setupIsApplied()
{
    const QVariantMap settings{{QStringLiteral("Tanfi"), -10}, {QStringLiteral("minalmacikmasure"), 6},
                               {QStringLiteral("manuel"), 1}};
    CompensationRelayDevice relay(
        infoFor("Rkt90wz", 12005, {{QStringLiteral("ct"), 60}, {QStringLiteral("settings"), settings}}), at(12));
    QCOMPARE(relay.reg(0), quint16(60));
    QCOMPARE(relay.reg(129), quint16(65526));
    QCOMPARE(relay.reg(136), quint16(6));
    QCOMPARE(relay.reg(157), quint16(1));
    QCOMPARE(relay.reg(132), quint16(20)); // default

    AnalyserDevice light(infoFor("QRN410", 12001, {{QStringLiteral("load"), 0.2}}), at(12));
    AnalyserDevice heavy(infoFor("QRN410", 12001, {{QStringLiteral("load"), 0.8}}), at(12));
    QVERIFY(heavy.reg(5) > 3 * light.reg(5));
    AnalyserDevice defaults(infoFor("QRN410", 12001, {{QStringLiteral("ct"), QStringLiteral("x")}}), at(12));
    QCOMPARE(defaults.reg(0), quint16(50));
}

QTEST_APPLESS_MAIN(TstSimPhysics)
#include "tst_sim_physics.moc"
