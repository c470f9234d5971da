// The CSV writer every export shares: quoting, numbers under both
// conventions, the bytes of a whole file, and a device that refuses bytes.
#include "csv_writer.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(csv::Format)

namespace {
const csv::Format kPlain{',', '.'};
const csv::Format kTurkish{';', ','};
} // namespace

class TstCsvWriter : public QObject {
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void numbers_data();
    void numbers();
    void formatFollowsLocale();
    void wholeFile();
    void refusedBytes();
};

void TstCsvWriter::fields_data()
{
    QTest::addColumn<csv::Format>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain") << kPlain << "Seri No" << QByteArray("Seri No");
    QTest::newRow("other separator needs nothing") << kPlain << "a;b" << QByteArray("a;b");
    QTest::newRow("separator") << kTurkish << "a;b" << QByteArray("\"a;b\"");
    QTest::newRow("quote doubled") << kPlain << "12\" ekran" << QByteArray("\"12\"\" ekran\"");
    QTest::newRow("line break") << kPlain << "iki\r\nsatır" << QByteArray("\"iki\r\nsatır\"");
    QTest::newRow("Turkish letters in UTF-8") << kTurkish << "İnd. Durum ğüşıöç" << QByteArray("İnd. Durum ğüşıöç");
    QTest::newRow("empty") << kPlain << "" << QByteArray();
}

void TstCsvWriter::fields()
{
    QFETCH(csv::Format, format);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(csv::fieldBytes(text, format), bytes);
}

void TstCsvWriter::numbers_data()
{
    QTest::addColumn<csv::Format>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("shortest") << kPlain << 230.4 << -1 << QByteArray("230.4");
    QTest::newRow("shortest, comma") << kTurkish << 0.1 + 0.2 << -1 << QByteArray("0,30000000000000004");
    QTest::newRow("whole") << kTurkish << 231.0 << -1 << QByteArray("231");
    QTest::newRow("fixed") << kTurkish << 16.125 << 2 << QByteArray("16,13");
    QTest::newRow("fixed large") << kPlain << 1234567.5 << 3 << QByteArray("1234567.500");
    QTest::newRow("minus zero") << kPlain << -0.0 << -1 << QByteArray("0");
    QTest::newRow("rounds to minus zero") << kTurkish << -0.001 << 2 << QByteArray("0,00");
    QTest::newRow("negative") << kTurkish << -2.5 << 1 << QByteArray("-2,5");
    QTest::newRow("not a number") << kPlain << std::numeric_limits<double>::quiet_NaN() << -1 << QByteArray();
    QTest::newRow("infinity") << kPlain << std::numeric_limits<double>::infinity() << 2 << QByteArray();
}

void TstCsvWriter::numbers()
{
    QFETCH(csv::Format, format);
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QByteArray, bytes);
    QCOMPARE(csv::numberBytes(value, format, decimals), bytes);
}

void TstCsvWriter::formatFollowsLocale()
{
    QCOMPARE(csv::Format::forLocale(QLocale(QLocale::Turkish, QLocale::Turkey)), kTurkish);
    QCOMPARE(csv::Format::forLocale(QLocale(QLocale::English, QLocale::UnitedStates)), kPlain);
    QCOMPARE(csv::Format::forLocale(QLocale::c()), kPlain);
}

void TstCsvWriter::wholeFile()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        csv::Writer w(buffer, kTurkish);
        w.row({"Zaman", "V1", "not; bir"});
        w.plain("2026-12-01T00:00:00+03:00");
        w.number(230.5);
        w.empty();
        w.endRow();
    }
    QCOMPARE(buffer.data(), QByteArray("\xEF\xBB\xBFZaman;V1;\"not; bir\"\r\n2026-12-01T00:00:00+03:00;230,5;\r\n"));
}

void TstCsvWriter::refusedBytes()
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        QSKIP("no /dev/full here");
    csv::Writer w(full, kPlain);
    w.row({"a", "b"});
    QVERIFY(!w.flush());
    QVERIFY(!w.ok());
}

QTEST_GUILESS_MAIN(TstCsvWriter)
#include "tst_csv_writer.moc"
