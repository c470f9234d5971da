// The shared number rules: whole numbers from wire text, decimal numbers as
// the user and the displays write them, pattern and general formatting with
// the locale separator.
#include "numbers.h"

#include <QTest>

#include <cmath>
#include <limits>

class TstNumbers : public QObject {
    Q_OBJECT
private slots:
    void parseInt_data();
    void parseInt();
    void parseDecimal_data();
    void parseDecimal();
    void formatPattern_data();
    void formatPattern();
    void formatGeneral_data();
    void formatGeneral();
    void generalRoundTrips_data();
    void generalRoundTrips();
};

void TstNumbers::parseInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("minus one") << "-1" << true << -1;
    QTest::newRow("plus sign") << "+5" << true << 5;
    QTest::newRow("leading zeros") << "0007" << true << 7;
    QTest::newRow("largest") << "2147483647" << true << std::numeric_limits<int>::max();
    QTest::newRow("smallest") << "-2147483648" << true << std::numeric_limits<int>::min();
    QTest::newRow("one past largest") << "2147483648" << false << 0;
    QTest::newRow("one past smallest") << "-2147483649" << false << 0;
    QTest::newRow("very long") << "99999999999999999999999" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("trailing letter") << "12a" << false << 0;
    QTest::newRow("blank inside") << "1 2" << false << 0;
    QTest::newRow("leading blank") << " 1" << false << 0;
    QTest::newRow("decimal") << "1.0" << false << 0;
    QTest::newRow("arabic-indic digit") << QString::fromUtf8("\u0661") << false << 0;
}

void TstNumbers::parseInt()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    const auto fromString = numbers::parseInt(QStringView(text));
    const QByteArray bytes = text.toUtf8();
    const auto fromBytes = numbers::parseInt(QByteArrayView(bytes));
    QCOMPARE(fromString.has_value(), ok);
    QCOMPARE(fromBytes.has_value(), ok);
    if (ok) {
        QCOMPARE(*fromString, value);
        QCOMPARE(*fromBytes, value);
    }
}

void TstNumbers::parseDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    const QChar comma(u','), point(u'.');
    QTest::newRow("comma") << "1,5" << comma << true << 1.5;
    QTest::newRow("point in comma locale") << "1.5" << comma << false << 0.0;
    QTest::newRow("point") << "1.5" << point << true << 1.5;
    QTest::newRow("comma in point locale") << "1,5" << point << false << 0.0;
    QTest::newRow("blanks around") << " -0,25 " << comma << true << -0.25;
    QTest::newRow("exponent") << "1,5E3" << comma << true << 1500.0;
    QTest::newRow("negative exponent") << "25e-1" << point << true << 2.5;
    QTest::newRow("counter caption") << "-1193.065" << point << true << -1193.065;
    QTest::newRow("initial caption") << "000" << point << true << 0.0;
    QTest::newRow("no integer digits") << ",5" << comma << true << 0.5;
    QTest::newRow("no decimals") << "7," << comma << true << 7.0;
    QTest::newRow("empty") << "" << comma << false << 0.0;
    QTest::newRow("separator only") << "," << comma << false << 0.0;
    QTest::newRow("two separators") << "1,2,3" << comma << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << point << false << 0.0;
    QTest::newRow("percent suffix") << "12.00%" << point << false << 0.0;
    QTest::newRow("thousands blank") << "1 000" << point << false << 0.0;
    QTest::newRow("sign in the middle") << "1-2" << point << false << 0.0;
    QTest::newRow("infinity") << "inf" << point << false << 0.0;
    QTest::newRow("not a number") << "nan" << point << false << 0.0;
    QTest::newRow("overflow") << "1e400" << point << false << 0.0;
    QTest::newRow("hexadecimal") << "0x10" << point << false << 0.0;
    QTest::newRow("status word") << "Aktif" << point << false << 0.0;
}

void TstNumbers::parseDecimal()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto parsed = numbers::parseDecimal(text, separator);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(*parsed, value);
}

void TstNumbers::formatPattern_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    const QChar comma(u','), point(u'.');
    QTest::newRow("rounds up") << 230.46 << "000.0" << comma << "230,5";
    QTest::newRow("pads integer digits") << 5.2 << "000.0" << comma << "005,2";
    QTest::newRow("negative padded") << -0.1 << "000.0" << comma << "-000,1";
    QTest::newRow("negative padded point") << -0.1 << "000.0" << point << "-000.1";
    QTest::newRow("more integer digits than zeros") << 1951.08 << "000.00" << point << "1951.08";
    QTest::newRow("negative power") << -15.0 << "000.00" << comma << "-015,00";
    QTest::newRow("exact half up") << 0.125 << "0.00" << point << "0.13";
    QTest::newRow("exact half to whole") << 2.5 << "0" << point << "3";
    QTest::newRow("negative half away from zero") << -2.5 << "0" << point << "-3";
    QTest::newRow("binary value just below the half") << 1.005 << "0.00" << point << "1.00";
    QTest::newRow("tiny negative has no sign") << -0.0001 << "0.00" << point << "0.00";
    QTest::newRow("negative zero") << -0.0 << "0.000" << point << "0.000";
    QTest::newRow("counter of minus ones") << -4295032833.0 / 3600000 << "0.000" << point << "-1193.065";
    QTest::newRow("counter word") << 65536.0 / 3600000 << "0.000" << comma << "0,018";
    QTest::newRow("percent digits") << 12.0 << "00.00" << point << "12.00";
    QTest::newRow("five integer digits") << 30.0 << "00000.00" << point << "00030.00";
    QTest::newRow("whole pattern") << -10.0 << "0" << point << "-10";
    QTest::newRow("huge") << 1e20 << "0" << point << "100000000000000000000";
    QTest::newRow("optional digits") << 0.5 << "##.00" << point << ".50";
    QTest::newRow("optional decimals dropped") << 2.0 << "0.##" << comma << "2";
}

void TstNumbers::formatPattern()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(numbers::formatPattern(value, pattern, separator), text);
}

void TstNumbers::formatGeneral_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    const QChar comma(u','), point(u'.');
    QTest::newRow("whole") << 12.0 << point << "12";
    QTest::newRow("decimal comma") << 2.4 << comma << "2,4";
    QTest::newRow("minus one") << -1.0 << point << "-1";
    QTest::newRow("zero") << 0.0 << point << "0";
    QTest::newRow("negative zero") << -0.0 << point << "0";
    QTest::newRow("harmonic") << 2305.0 / 10 << comma << "230,5";
    QTest::newRow("harmonic upper half") << 65535.0 / 10 << point << "6553.5";
    QTest::newRow("thousandth") << 1.0 / 1000 << point << "0.001";
    QTest::newRow("fifteen digits") << 1.0 / 3 << point << "0.333333333333333";
    QTest::newRow("sum error hidden") << 0.1 + 0.2 << point << "0.3";
    QTest::newRow("largest fixed") << 1e14 << point << "100000000000000";
    QTest::newRow("exponent form") << 1e15 << point << "1E15";
    QTest::newRow("exponent rounded") << 123456789012345678.0 << comma << "1,23456789012346E17";
    QTest::newRow("small fixed") << 0.0001 << point << "0.0001";
    QTest::newRow("small exponent") << 0.00001 << point << "1E-5";
    QTest::newRow("negative small exponent") << -1.5e-7 << comma << "-1,5E-7";
    QTest::newRow("single precision value") << double(10.3f) << point << "10.3000001907349";
}

void TstNumbers::formatGeneral()
{
    QFETCH(double, value);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(numbers::formatGeneral(value, separator), text);
}

void TstNumbers::generalRoundTrips_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("voltage") << 230.5;
    QTest::newRow("negative") << -1193.065;
    QTest::newRow("exponent") << 1.5e-7;
    QTest::newRow("large") << 6.02e23;
}

void TstNumbers::generalRoundTrips()
{
    // What general formatting writes, a display reads back.
    QFETCH(double, value);
    for (const QChar sep : {QChar(u','), QChar(u'.')}) {
        const auto back = numbers::parseDecimal(numbers::formatGeneral(value, sep), sep);
        QVERIFY(back.has_value());
        QCOMPARE(*back, value);
    }
}

QTEST_APPLESS_MAIN(TstNumbers)
#include "tst_numbers.moc"
