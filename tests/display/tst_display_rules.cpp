// The live display's conversion and text rules on their own: readings of a
// register value, bits, the CT multiplier, the needle, the energy ratios
// read back from captions, tan φ and the overcurrent relay's clock.
#include "display_rules.h"
#include "register_map.h"

#include <QSet>
#include <QTest>

#include <cmath>

using namespace display;

class TstDisplayRules : public QObject {
    Q_OBJECT
private slots:
    void signedReading_data();
    void signedReading();
    void magnitudeReading_data();
    void magnitudeReading();
    void bits_data();
    void bits();
    void ctMultiplier_data();
    void ctMultiplier();
    void conversions_data();
    void conversions();
    void needle_data();
    void needle();
    void ratios_data();
    void ratios();
    void tanPhi_data();
    void tanPhi();
    void relayClock_data();
    void relayClock();
    void mapCoversEveryRuledRegister();
};

void TstDisplayRules::signedReading_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<double>("reading");
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("largest positive") << 32767.0 << 32767.0;
    QTest::newRow("smallest negative") << 32768.0 << -32768.0;
    QTest::newRow("minus one word") << 65535.0 << -1.0;
    QTest::newRow("no value") << -1.0 << -1.0;
    QTest::newRow("minus five hundred") << 65036.0 << -500.0;
    QTest::newRow("past 16 bits") << 65536.0 << 0.0;
    QTest::newRow("wraps twice") << 131071.0 << -1.0;
    QTest::newRow("large negative") << -65537.0 << -1.0;
    QTest::newRow("half to even down") << 2.5 << 2.0;
    QTest::newRow("half to even up") << 1.5 << 2.0;
    QTest::newRow("far beyond 64 bits") << 1e20 << 0.0;
}

void TstDisplayRules::signedReading()
{
    QFETCH(double, v);
    QFETCH(double, reading);
    QCOMPARE(display::signedReading(v), reading);
}

void TstDisplayRules::magnitudeReading_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<double>("reading");
    QTest::newRow("lower half") << 500.0 << 500.0;
    QTest::newRow("upper half") << 65036.0 << 500.0;
    QTest::newRow("half itself") << 32768.0 << 32768.0;
    QTest::newRow("one past half") << 32769.0 << 32767.0;
    QTest::newRow("top") << 65535.0 << 1.0;
    QTest::newRow("no value") << -1.0 << -1.0;
}

void TstDisplayRules::magnitudeReading()
{
    QFETCH(double, v);
    QFETCH(double, reading);
    QCOMPARE(display::magnitudeReading(v), reading);
}

void TstDisplayRules::bits_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("set");
    QTest::newRow("-1 bit 0") << -1.0 << 0 << true;
    QTest::newRow("-1 bit 15") << -1.0 << 15 << true;
    QTest::newRow("-1 bit 63") << -1.0 << 63 << true;
    QTest::newRow("5 bit 0") << 5.0 << 0 << true;
    QTest::newRow("5 bit 1") << 5.0 << 1 << false;
    QTest::newRow("5 bit 2") << 5.0 << 2 << true;
    QTest::newRow("top bit of a word") << 32768.0 << 15 << true;
    QTest::newRow("beyond a word") << 65535.0 << 16 << false;
    QTest::newRow("rounded half to even") << 2.5 << 1 << true;
    QTest::newRow("rounded up") << 3.5 << 2 << true;
    QTest::newRow("-2 bit 0") << -2.0 << 0 << false;
    QTest::newRow("-2 bit 1") << -2.0 << 1 << true;
    QTest::newRow("huge value bit 20") << 1e20 << 20 << true;
    QTest::newRow("huge value bit 19") << 1e20 << 19 << false;
    QTest::newRow("bit 64 does not exist") << -1.0 << 64 << false;
}

void TstDisplayRules::bits()
{
    QFETCH(double, v);
    QFETCH(int, k);
    QFETCH(bool, set);
    QCOMPARE(bitOf(v, k), set);
}

void TstDisplayRules::ctMultiplier_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<int>("ct");
    QTest::newRow("whole") << 30.0 << 30;
    QTest::newRow("tie to even down") << 30.5 << 30;
    QTest::newRow("tie to even up") << 31.5 << 32;
    QTest::newRow("no value") << -1.0 << -1;
    QTest::newRow("saturates high") << 1e12 << std::numeric_limits<int>::max();
    QTest::newRow("saturates low") << -1e12 << std::numeric_limits<int>::min();
}

void TstDisplayRules::ctMultiplier()
{
    QFETCH(double, v);
    QFETCH(int, ct);
    QCOMPARE(display::ctMultiplier(v), ct);
}

void TstDisplayRules::conversions_data()
{
    // The operations in the order the register map names them.
    QTest::addColumn<int>("reading");
    QTest::addColumn<double>("divisor");
    QTest::addColumn<int>("ctUse");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("v");
    QTest::addColumn<int>("ct");
    QTest::addColumn<double>("value");
    const int plain = int(Reading::Plain), sign = int(Reading::Signed), mag = int(Reading::Magnitude),
              counter = int(Reading::Counter);
    const int none = int(CtUse::None), after = int(CtUse::AfterDivide), before = int(CtUse::BeforeDivide);
    QTest::newRow("power") << plain << 1000.0 << after << 1.0 << 65036.0 << 30 << 65036.0 / 1000 * 30;
    QTest::newRow("reactive") << sign << 1000.0 << after << 1.0 << 65036.0 << 30 << -15.0;
    QTest::newRow("step power") << mag << 10000.0 << before << 1.0 << 65036.0 << 30 << 1.5;
    QTest::newRow("switching time") << plain << 1.0 << none << 0.2 << 7.0 << 30 << 7.0 * 0.2;
    QTest::newRow("counter word with CT") << counter << 3600000.0 << before << 1.0 << 0.0 << 40
                                          << 65536.0 * 40 / 3600000;
    QTest::newRow("no value with no CT") << mag << 10000.0 << before << 1.0 << -1.0 << -1 << 0.0001;
}

void TstDisplayRules::conversions()
{
    QFETCH(int, reading);
    QFETCH(double, divisor);
    QFETCH(int, ctUse);
    QFETCH(double, factor);
    QFETCH(double, v);
    QFETCH(int, ct);
    QFETCH(double, value);
    const Conversion c{Reading(reading), divisor, CtUse(ctUse), factor};
    // A counter's two registers before it: 0 and 1 (the middle word).
    QCOMPARE(convert(c, v, 1, 0, ct), value);
}

void TstDisplayRules::needle_data()
{
    QTest::addColumn<double>("s");
    QTest::addColumn<int>("unity");
    QTest::addColumn<int>("position");
    QTest::newRow("capacitive 0.80") << -80.0 << 100 << -20;
    QTest::newRow("unity") << 100.0 << 100 << 0;
    QTest::newRow("inductive 0.30, beyond the scale") << 30.0 << 100 << 70;
    QTest::newRow("inductive 0.80") << 80.0 << 100 << 20;
    QTest::newRow("zero is inductive side") << 0.0 << 100 << 100;
    QTest::newRow("relay 0.950") << 950.0 << 1000 << 50;
    QTest::newRow("relay -0.950") << -950.0 << 1000 << -50;
}

void TstDisplayRules::needle()
{
    QFETCH(double, s);
    QFETCH(int, unity);
    QFETCH(int, position);
    QCOMPARE(needlePosition(s, unity), std::optional<int>(position));
}

void TstDisplayRules::ratios_data()
{
    QTest::addColumn<QString>("reactive");
    QTest::addColumn<QString>("active");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("inductive");
    QTest::addColumn<QString>("capacitive");
    const QChar point(u'.'), comma(u',');
    QTest::newRow("half") << "1.000" << "2.000" << point << "50.000" << "50.00";
    QTest::newRow("no values") << "-1193.065" << "-1193.065" << point << "100.000" << "100.00";
    QTest::newRow("comma captions") << "0,5" << "2,000" << comma << "25,000" << "25,00";
    QTest::newRow("negative is made positive for capacitive") << "-1" << "4" << point << "-25.000" << "25.00";
    QTest::newRow("active zero") << "1" << "0.000" << point << "0" << "0";
    QTest::newRow("both zero") << "0.000" << "0.000" << point << "0" << "0";
    QTest::newRow("initial caption") << "000" << "000" << point << "0" << "0";
    QTest::newRow("not a number") << "x" << "1" << point << "0" << "0";
    QTest::newRow("written with the other separator") << "1.5" << "3,0" << comma << "0" << "0";
}

void TstDisplayRules::ratios()
{
    QFETCH(QString, reactive);
    QFETCH(QString, active);
    QFETCH(QChar, separator);
    QFETCH(QString, inductive);
    QFETCH(QString, capacitive);
    QCOMPARE(inductiveRatioText(reactive, active, separator), inductive);
    QCOMPARE(capacitiveRatioText(reactive, active, separator), capacitive);
}

void TstDisplayRules::tanPhi_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<double>("value");
    QTest::newRow("negative ten") << 65526.0 << true << -10.0;
    QTest::newRow("half stays") << 32768.0 << true << 32768.0;
    QTest::newRow("one past half") << 32769.0 << true << -32767.0;
    QTest::newRow("positive") << 15.0 << true << 15.0;
    QTest::newRow("no value keeps the label") << -1.0 << false << 0.0;
}

void TstDisplayRules::tanPhi()
{
    QFETCH(double, v);
    QFETCH(bool, shown);
    QFETCH(double, value);
    const auto t = tanPhiValue(v);
    QCOMPARE(t.has_value(), shown);
    if (shown)
        QCOMPARE(*t, value);
}

void TstDisplayRules::relayClock_data()
{
    QTest::addColumn<QList<double>>("bytes"); // second, minute, hour, day, month, year
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("date");
    QTest::newRow("2009") << QList<double>{9, 5, 7, 5, 11, 9} << "7:5:9" << "5.11.2009";
    QTest::newRow("two-digit year") << QList<double>{0, 30, 23, 31, 12, 24} << "23:30:0" << "31.12.2024";
    QTest::newRow("nothing received") << QList<double>{-1, -1, -1, -1, -1, -1} << "-1:-1:-1" << "-1.-1.200-1";
    QTest::newRow("byte beyond a year") << QList<double>{1, 2, 3, 4, 5, 255} << "3:2:1" << "4.5.200255";
}

void TstDisplayRules::relayClock()
{
    QFETCH(QList<double>, bytes);
    QFETCH(QString, time);
    QFETCH(QString, date);
    QCOMPARE(relayTimeText(bytes[0], bytes[1], bytes[2], u'.'), time);
    QCOMPARE(relayDateText(bytes[3], bytes[4], bytes[5], u'.'), date);
}

void TstDisplayRules::mapCoversEveryRuledRegister()
{
    // Registers with a rule of their own; the rest are read by neighbours
    // or have none.
    QSet<int> expected;
    for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 25, 26, 27, 28, 29,
                  30, 31, 32, 33, 34, 35, 36, 37, 44, 46, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 62, 63, 64, 65,
                  66, 67, 68, 69, 70, 80, 82, 83, 84, 85, 86, 87, 88, 89, 92, 95, 98, 104, 107, 110, 113, 116, 119,
                  122, 125, 128, 129, 132, 133, 134, 135, 136, 137, 138, 154, 157, 159})
        expected.insert(n);
    for (int n = 160; n <= 231; ++n)
        expected.insert(n);
    for (int n = 300; n <= 401; ++n)
        expected.insert(n);
    QSet<int> found;
    int previous = -1;
    QSet<QString> harmonicTargets;
    for (const RegisterRule &r : registerMap()) {
        QVERIFY2(r.reg >= previous, "rules out of register order");
        previous = r.reg;
        found.insert(r.reg);
        if (r.reg >= 300)
            harmonicTargets.insert(r.targets.value(0).toLower());
    }
    QCOMPARE(found, expected);
    // One display per harmonic register, none written twice.
    QCOMPARE(harmonicTargets.size(), 102);
}

QTEST_APPLESS_MAIN(TstDisplayRules)
#include "tst_display_rules.moc"
