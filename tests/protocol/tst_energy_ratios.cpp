// The reactive-to-active ratios and their bands, and the meter readout's
// accumulated text with the values of its six codes.
#include "energy_ratios.h"
#include "meter_readout.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using energy::Band;
using energy::MeterReadout;
using energy::Reactive;

Q_DECLARE_METATYPE(energy::Band)
Q_DECLARE_METATYPE(energy::Reactive)

class TstEnergyRatios : public QObject {
    Q_OBJECT
private slots:
    void rangeRatios_data();
    void rangeRatios();
    void bands_data();
    void bands();
    void bandTextsAndColours();

    void readoutValues_data();
    void readoutValues();
    void readoutInPieces_data();
    void readoutInPieces();
    void codeSplitBetweenPieces();
    void firstOccurrenceWins();
    void boundKeepsNewestText();
    void resetRebuildsIndex();
};

void TstEnergyRatios::rangeRatios_data()
{
    QTest::addColumn<QList<double>>("values"); // A1 A2 L1 L2 C1 C2
    QTest::addColumn<double>("inductive");
    QTest::addColumn<double>("capacitive");
    QTest::newRow("typical") << QList<double>{1000, 1100, 50, 66, 0, 12} << 16.0 << 12.0;
    QTest::newRow("A2 equal to A1") << QList<double>{1000, 1000, 50, 66, 0, 12} << 0.0 << 0.0;
    QTest::newRow("A2 below A1") << QList<double>{1100, 1000, 50, 66, 0, 12} << 0.0 << 0.0;
    QTest::newRow("reactive fell: negative ratio") << QList<double>{0, 200, 50, 40, 10, 0} << -5.0 << -5.0;
    QTest::newRow("fractions") << QList<double>{0.5, 2.5, 0.25, 0.58, 0, 0.19} << 16.5 << 9.5;
}

void TstEnergyRatios::rangeRatios()
{
    QFETCH(QList<double>, values);
    QFETCH(double, inductive);
    QFETCH(double, capacitive);
    const energy::Ratios r = energy::rangeRatios(values[0], values[1], values[2], values[3], values[4], values[5]);
    QVERIFY2(std::fabs(r.inductive - inductive) < 1e-9, qPrintable(QString::number(r.inductive, 'g', 17)));
    QVERIFY2(std::fabs(r.capacitive - capacitive) < 1e-9, qPrintable(QString::number(r.capacitive, 'g', 17)));
}

void TstEnergyRatios::bands_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<Reactive>("kind");
    QTest::addColumn<Band>("band");
    const Reactive ind = Reactive::Inductive, cap = Reactive::Capacitive;
    QTest::newRow("ind 16 KRİTİK") << 16.0 << ind << Band::Critical;
    QTest::newRow("ind 16.5 rounds to 16") << 16.5 << ind << Band::Critical;
    QTest::newRow("ind 17.5 rounds to 18") << 17.5 << ind << Band::Alarm;
    QTest::newRow("ind 14.5 rounds to 14") << 14.5 << ind << Band::Normal;
    QTest::newRow("ind 14.51 rounds to 15") << 14.51 << ind << Band::Critical;
    QTest::newRow("ind 19.5 rounds to 20") << 19.5 << ind << Band::Penalty;
    QTest::newRow("ind 19.49") << 19.49 << ind << Band::Alarm;
    QTest::newRow("ind 20") << 20.0 << ind << Band::Penalty;
    QTest::newRow("ind huge") << 1e300 << ind << Band::Penalty;
    QTest::newRow("ind 0") << 0.0 << ind << Band::Normal;
    QTest::newRow("ind negative is NORMAL") << -25.0 << ind << Band::Normal;
    QTest::newRow("cap 9.5 rounds to 10") << 9.5 << cap << Band::Critical;
    QTest::newRow("cap 10.5 rounds to 10") << 10.5 << cap << Band::Critical;
    QTest::newRow("cap 11.5 rounds to 12") << 11.5 << cap << Band::Alarm;
    QTest::newRow("cap 12") << 12.0 << cap << Band::Alarm;
    QTest::newRow("cap 14.5 rounds to 14") << 14.5 << cap << Band::Alarm;
    QTest::newRow("cap 15") << 15.0 << cap << Band::Penalty;
    QTest::newRow("ind 15 is KRİTİK") << 15.0 << ind << Band::Critical;
    QTest::newRow("cap 8.5 rounds to 8") << 8.5 << cap << Band::Normal;
    QTest::newRow("cap negative") << -12.0 << cap << Band::Normal;
    QTest::newRow("not a number is NORMAL") << std::nan("") << cap << Band::Normal;
}

void TstEnergyRatios::bands()
{
    QFETCH(double, ratio);
    QFETCH(Reactive, kind);
    QFETCH(Band, band);
    QCOMPARE(energy::band(ratio, kind), band);
}

void TstEnergyRatios::bandTextsAndColours()
{
    QCOMPARE(energy::bandText(Band::Normal), QStringLiteral("NORMAL"));
    QCOMPARE(energy::bandText(Band::Critical), QStringLiteral("KRİTİK"));
    QCOMPARE(energy::bandText(Band::Alarm), QStringLiteral("ALARM"));
    QCOMPARE(energy::bandText(Band::Penalty), QStringLiteral("CEZA"));
    QCOMPARE(energy::bandColour(Band::Normal), 0x00FF00u);
    QCOMPARE(energy::bandColour(Band::Critical), 0xFFFF00u);
    QCOMPARE(energy::bandColour(Band::Alarm), 0xFF00FFu);
    QCOMPARE(energy::bandColour(Band::Penalty), 0xFF0000u);
}

// Readouts as meters write them; each column the value its display gets
// (empty: the code has not arrived).
void TstEnergyRatios::readoutValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("values"); // 1.8.0 5.8.0 8.8.0 1.8.1 1.8.2 1.8.3
    QTest::newRow("8 characters")
        << QStringLiteral("1.8.0(0070.677*MWh)\n5.8.0(0006.112*Mvarh)\n8.8.0(0001.060*Mvarh)\n"
                          "1.8.1(0040.001*MWh)\n1.8.2(0020.500*MWh)\n1.8.3(0010.176*MWh)\n")
        << QStringList{"0070.677", "0006.112", "0001.060", "0040.001", "0020.500", "0010.176"};
    QTest::newRow("9 characters")
        << QStringLiteral("1.8.0(12345.678*kWh)\n5.8.0(02222.222*kvarh)\n8.8.0(00308.641*kvarh)\n")
        << QStringList{"12345.678", "02222.222", "00308.641", "", "", ""};
    QTest::newRow("10 characters")
        << QStringLiteral("1.8.0(000070.677*kWh)\n1.8.1(0000.125*kWh)\n")
        << QStringList{"000070.677", "", "", "0000.125", "", ""};
    QTest::newRow("value without unit ends at the bracket")
        << QStringLiteral("1.8.0(1234)\n") << QStringList{"1234", "", "", "", "", ""};
    QTest::newRow("value not ended yet runs to the end")
        << QStringLiteral("1.8.0(00007") << QStringList{"00007", "", "", "", "", ""};
    QTest::newRow("code at the very end: empty value")
        << QStringLiteral("1.8.0(") << QStringList{"", "", "", "", "", ""};
    QTest::newRow("a value never ended is cut at 16")
        << QStringLiteral("1.8.0(01234567890123456789") << QStringList{"0123456789012345", "", "", "", "", ""};
    QTest::newRow("a broken line ends at its line end")
        << QStringLiteral("1.8.0(0012.5\n5.8.0(0001.0*kvarh)") << QStringList{"0012.5", "0001.0", "", "", "", ""};
    QTest::newRow("history values are other codes")
        << QStringLiteral("1.8.0*1(0000.001*kWh)\n1.8.0(0000.002*kWh)")
        << QStringList{"0000.002", "", "", "", "", ""};
}

void TstEnergyRatios::readoutValues()
{
    QFETCH(QString, text);
    QFETCH(QStringList, values);
    MeterReadout r;
    r.append(text);
    for (int i = 0; i < MeterReadout::kCodes; ++i) {
        const std::optional<QString> v = r.value(i);
        const bool expected = !values[i].isEmpty() || text.endsWith(MeterReadout::codes()[size_t(i)]);
        QCOMPARE(v.has_value(), expected);
        if (v)
            QCOMPARE(*v, values[i]);
        QCOMPARE(MeterReadout::valueIn(text, MeterReadout::codes()[size_t(i)]), v);
    }
}

// One readout cut at every size: after each piece the index agrees with a
// search over the whole text.
void TstEnergyRatios::readoutInPieces_data()
{
    QTest::addColumn<int>("pieceSize");
    for (int size : {1, 2, 3, 5, 7, 13, 40, 1000})
        QTest::addRow("pieces of %d", size) << size;
}

void TstEnergyRatios::readoutInPieces()
{
    QFETCH(int, pieceSize);
    const QString readout = QStringLiteral(
        "/DMS5ET3F-4T\n0.0.0(71200400)\n0.9.1(10:11:12)\n0.9.2(26-12-09)\n1.8.0(12345.678*kWh)\n"
        "1.8.1(06000.000*kWh)\n1.8.2(04000.000*kWh)\n1.8.3(02345.678*kWh)\n5.8.0(02222.222*kvarh)\n"
        "8.8.0(00308.641*kvarh)\n1.8.0*1(11000.000*kWh)\n!\n");
    MeterReadout r;
    for (qsizetype at = 0; at < readout.size(); at += pieceSize) {
        r.append(QStringView(readout).sliced(at, qMin<qsizetype>(pieceSize, readout.size() - at)));
        QCOMPARE(r.text(), readout.left(at + pieceSize));
        for (int i = 0; i < MeterReadout::kCodes; ++i)
            QCOMPARE(r.value(i), MeterReadout::valueIn(r.text(), MeterReadout::codes()[size_t(i)]));
    }
    QCOMPARE(r.value(0), QStringLiteral("12345.678"));
    QCOMPARE(r.value(2), QStringLiteral("00308.641"));
    QCOMPARE(r.value(5), QStringLiteral("02345.678"));
}

void TstEnergyRatios::codeSplitBetweenPieces()
{
    MeterReadout r;
    r.append(u"x\n8.8");
    QVERIFY(!r.value(2));
    r.append(u".0");
    QVERIFY(!r.value(2));
    r.append(u"(00012");
    QCOMPARE(r.value(2), QStringLiteral("00012"));
    r.append(u"3.456*kvarh)");
    QCOMPARE(r.value(2), QStringLiteral("000123.456"));
}

void TstEnergyRatios::firstOccurrenceWins()
{
    MeterReadout r;
    r.append(u"1.8.0(0001.000*kWh)\n");
    r.append(u"1.8.0(0002.000*kWh)\n");
    QCOMPARE(r.value(0), QStringLiteral("0001.000"));
}

// A readout that never ends: the text stays bounded, keeps at least the
// newest kKeep characters, and codes in the kept part are still found.
void TstEnergyRatios::boundKeepsNewestText()
{
    MeterReadout r;
    r.append(u"1.8.0(0001.000*kWh)\n");
    const QString filler(1000, u'x');
    qsizetype total = 20;
    qsizetype cuts = 0;
    for (int i = 0; i < 1200; ++i) {
        cuts += r.append(filler);
        total += filler.size();
        QVERIFY(r.size() <= MeterReadout::kLimit);
        QVERIFY(r.size() >= qMin(total, MeterReadout::kKeep));
        QCOMPARE(r.size() + cuts, total);
    }
    QVERIFY(cuts > 0);
    // The first code was cut away with the oldest text.
    QVERIFY(!r.value(0));
    r.append(u"5.8.0(0003.000*kvarh)");
    QCOMPARE(r.value(1), QStringLiteral("0003.000"));
    // A code inside the kept part is found again after a cut.
    for (int i = 0; i < 600; ++i)
        r.append(filler);
    QVERIFY(r.text().contains(QLatin1String("5.8.0(")) == r.value(1).has_value());
}

void TstEnergyRatios::resetRebuildsIndex()
{
    MeterReadout r;
    r.append(u"1.8.0(0001.000*kWh)");
    r.reset(QStringLiteral("8.8.0(0009.000*kvarh)"));
    QVERIFY(!r.value(0));
    QCOMPARE(r.value(2), QStringLiteral("0009.000"));
    r.clear();
    QVERIFY(!r.value(2));
    QVERIFY(r.text().isEmpty());
}

QTEST_GUILESS_MAIN(TstEnergyRatios)
#include "tst_energy_ratios.moc"
