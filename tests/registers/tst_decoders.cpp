// The register payload decoder, the bit text and binary32 conversions, and
// the energy summary decoder.
#include "energy_summary.h"
#include "payload_decoder.h"
#include "register_store.h"
#include "silent_abort.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>

using Cells = QList<QPair<int, double>>;       // register of the target row -> value
using RawPairs = QList<QPair<int, QPair<int, int>>>; // register -> (high, low)

class TstDecoders : public QObject {
    Q_OBJECT
private slots:
    void payload_data();
    void payload();
    void hugeByteCountStaysInsideTheTable();
    void startRegisterDoesNotOverflow();
    void bitText_data();
    void bitText();
    void binary32_data();
    void binary32();
    void binary32MatchesTheDigitAlgorithm();
    void energySummary_data();
    void energySummary();
    void energySummaryStopsAtTheBadField();
};

// ---- payload ---------------------------------------------------------------

void TstDecoders::payload_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("start");
    QTest::addColumn<Cells>("stored");        // every register of the whole table that changed
    QTest::addColumn<RawPairs>("raw");
    QTest::addColumn<int>("startAfter");
    QTest::addColumn<bool>("aborts");

    QTest::newRow("two registers from 90, trailing CRC ignored")
        << QByteArray("1$3$4$0$10$1$44$12$34$") << 1 << 90 << Cells{{90, 10}, {91, 300}}
        << RawPairs{{90, {0, 10}}, {91, {1, 44}}} << 92 << false;
    QTest::newRow("escaped function code 3")
        << QByteArray("1$199$239$2$0$7$") << 1 << 0 << Cells{{0, 7}} << RawPairs{{0, {0, 7}}} << 1 << false;
    QTest::newRow("data bytes 199 239 become one byte 3 and shift the rest")
        << QByteArray("1$3$4$199$239$5$6$") << 1 << 0 << Cells{{0, 3 * 256 + 5}, {1, 6 * 256 + 5}}
        << RawPairs{{0, {3, 5}}, {1, {6, 5}}} << 2 << false;
    QTest::newRow("truncated: no $ after 44")
        << QByteArray("1$3$4$0$10$1$44") << 1 << 90 << Cells{{90, 10}} << RawPairs{{90, {0, 10}}} << 91
        << true;
    QTest::newRow("byte count 5 stores two registers")
        << QByteArray("1$3$5$0$1$0$2$9$") << 1 << 10 << Cells{{10, 1}, {11, 2}} << RawPairs{} << 12 << false;
    QTest::newRow("byte count larger than the data repeats the last bytes")
        << QByteArray("1$3$8$0$1$0$2$") << 1 << 0 << Cells{{0, 1}, {1, 2}, {2, 2}, {3, 2}}
        << RawPairs{{3, {0, 2}}} << 4 << false;
    QTest::newRow("high byte read, low byte missing keeps the previous low")
        << QByteArray("1$3$4$1$2$3$") << 1 << 0 << Cells{{0, 258}, {1, 3 * 256 + 2}} << RawPairs{{1, {3, 2}}}
        << 2 << false;
    QTest::newRow("no data at all stores zeros") << QByteArray("1$3$4$") << 1 << 0 << Cells{{0, 0}, {1, 0}}
                                                 << RawPairs{{0, {0, 0}}} << 2 << false;
    QTest::newRow("byte count 0") << QByteArray("1$3$0$5$5$") << 1 << 0 << Cells{} << RawPairs{} << 0 << false;
    QTest::newRow("byte count 1") << QByteArray("1$3$1$5$5$") << 1 << 0 << Cells{} << RawPairs{} << 0 << false;
    QTest::newRow("negative byte count") << QByteArray("1$3$-4$5$5$") << 1 << 0 << Cells{} << RawPairs{} << 0
                                         << false;
    QTest::newRow("no $ at all fails at the function code")
        << QByteArray("abc") << 1 << 0 << Cells{} << RawPairs{} << 0 << true;
    QTest::newRow("empty text") << QByteArray() << 1 << 0 << Cells{} << RawPairs{} << 0 << true;
    QTest::newRow("function code not a number")
        << QByteArray("1$x$4$0$1$") << 1 << 0 << Cells{} << RawPairs{} << 0 << true;
    QTest::newRow("byte count not a number")
        << QByteArray("1$3$ 4$0$1$") << 1 << 0 << Cells{} << RawPairs{} << 0 << true;
    QTest::newRow("letters in a data byte stop after the earlier registers")
        << QByteArray("1$3$6$0$1$0$x$0$3$") << 1 << 0 << Cells{{0, 1}} << RawPairs{} << 1 << true;
    QTest::newRow("out-of-range bytes enter the sum unchanged")
        << QByteArray("1$3$2$300$-5$") << 1 << 0 << Cells{{0, 300 * 256 - 5}} << RawPairs{{0, {300, -5}}} << 1
        << false;
    {
        Cells nines;
        for (int reg = 300; reg <= 350; ++reg)
            nines.append({reg, 9});
        QTest::newRow("51 registers from 300 run into row 2 and leave the start at 351")
            << QByteArray("1$3$102$") + QByteArray("0$9$").repeated(51) << 1 << 300 << nines
            << RawPairs{{300, {0, 9}}, {350, {0, 9}}} << 351 << false;
    }
    QTest::newRow("initial target row 0 stores nothing")
        << QByteArray("1$3$4$0$10$1$44$") << 0 << 300 << Cells{} << RawPairs{} << 302 << false;
    QTest::newRow("row 251 stores nothing") << QByteArray("1$3$2$0$10$") << 251 << 0 << Cells{} << RawPairs{}
                                            << 1 << false;
    QTest::newRow("the last cell, and nothing past it")
        << QByteArray("1$3$8$0$1$0$2$0$3$0$4$") << 250 << 254 << Cells{{254, 1}, {255, 2}}
        << RawPairs{{255, {0, 2}}} << 258 << false;
    QTest::newRow("negative start register stores from 0 on only")
        << QByteArray("1$3$6$0$1$0$2$0$3$") << 2 << -2 << Cells{{0, 3}} << RawPairs{{0, {0, 3}}} << 1 << false;
}

void TstDecoders::payload()
{
    QFETCH(QByteArray, text);
    QFETCH(int, row);
    QFETCH(int, start);
    QFETCH(Cells, stored);
    QFETCH(RawPairs, raw);
    QFETCH(int, startAfter);
    QFETCH(bool, aborts);

    RegisterStore s;
    s.targetRow = row;
    s.startRegister = start;
    bool aborted = false;
    try {
        payload::decode(text, s);
    } catch (const SilentAbort &) {
        aborted = true;
    }
    QCOMPARE(aborted, aborts);
    QCOMPARE(s.startRegister, startAfter);
    QCOMPARE(s.targetRow, row);

    for (const auto &[reg, hl] : raw) {
        QCOMPARE(s.readRaw(row, 4 * reg), hl.first);
        QCOMPARE(s.readRaw(row, 4 * reg + 1), hl.second);
        QCOMPARE(s.readRaw(row, 4 * reg + 2), -1);
        QCOMPARE(s.readRaw(row, 4 * reg + 3), -1);
    }
    // Exactly the listed cells changed, nothing else in the whole table.
    int changed = 0;
    for (int r = 1; r <= RegisterStore::kRows; ++r)
        for (int n = 0; n < RegisterStore::kRowWidth; ++n)
            changed += s.read(r, n) != -1.0;
    QCOMPARE(changed, int(stored.size()));
    for (const auto &[reg, value] : stored)
        QCOMPARE(s.read(row, reg), value);
}

void TstDecoders::hugeByteCountStaysInsideTheTable()
{
    // Two billion announced, two bytes sent: every register to the end of
    // the table repeats them, nothing beyond it is written, and the start
    // register moves past them all.
    RegisterStore s;
    s.targetRow = 249;
    s.startRegister = 10;
    payload::decode(QByteArrayLiteral("1$3$2000000000$1$2$"), s);
    QCOMPARE(s.startRegister, 10 + 1000000000);
    QCOMPARE(s.read(249, 9), -1.0);
    QCOMPARE(s.read(249, 10), 258.0);
    QCOMPARE(s.read(250, 255), 258.0);
    QCOMPARE(s.readRaw(250, 1020), 1);
    QCOMPARE(s.readRaw(250, 1021), 2);
    QCOMPARE(s.read(248, 255), -1.0);
}

void TstDecoders::startRegisterDoesNotOverflow()
{
    RegisterStore s;
    s.targetRow = 1;
    s.startRegister = std::numeric_limits<int>::max() - 1;
    payload::decode(QByteArrayLiteral("1$3$8$0$1$0$2$"), s);
    QCOMPARE(s.startRegister, std::numeric_limits<int>::max());
    s.startRegister = std::numeric_limits<int>::max() - 1;
    payload::decode(QByteArrayLiteral("1$3$8$0$1$0$2$0$3$0$4$"), s);
    QCOMPARE(s.startRegister, std::numeric_limits<int>::max());
}

// ---- bit text and binary32 ---------------------------------------------------

void TstDecoders::bitText_data()
{
    QTest::addColumn<quint64>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << quint64(0) << QStringLiteral("00000000");
    QTest::newRow("5") << quint64(5) << QStringLiteral("00000101");
    QTest::newRow("255") << quint64(255) << QStringLiteral("11111111");
    QTest::newRow("256 has nine digits") << quint64(256) << QStringLiteral("100000000");
    QTest::newRow("128") << quint64(128) << QStringLiteral("10000000");
}

void TstDecoders::bitText()
{
    QFETCH(quint64, n);
    QFETCH(QString, text);
    QCOMPARE(payload::bitText(n), text);
}

void TstDecoders::binary32_data()
{
    QTest::addColumn<int>("b0");
    QTest::addColumn<int>("b1");
    QTest::addColumn<int>("b2");
    QTest::addColumn<int>("b3");
    QTest::addColumn<double>("value");
    QTest::newRow("10") << 0x41 << 0x20 << 0 << 0 << 10.0;
    QTest::newRow("-10") << 0xC1 << 0x20 << 0 << 0 << -10.0;
    QTest::newRow("smallest subnormal") << 0 << 0 << 0 << 1 << std::ldexp(1.0, -149);
    QTest::newRow("infinity gives 0") << 0x7F << 0x80 << 0 << 0 << 0.0;
    QTest::newRow("all ones gives 0") << 0xFF << 0xFF << 0xFF << 0xFF << 0.0;
    QTest::newRow("raw cells holding -1 give 0") << -1 << -1 << -1 << -1 << 0.0;
    QTest::newRow("1") << 0x3F << 0x80 << 0 << 0 << 1.0;
    QTest::newRow("48.6 as a float") << 0x42 << 0x42 << 0x66 << 0x66 << double(48.6f);
    QTest::newRow("smallest normal") << 0x00 << 0x80 << 0 << 0 << std::ldexp(1.0, -126);
    QTest::newRow("largest finite") << 0x7F << 0x7F << 0xFF << 0xFF << double(std::numeric_limits<float>::max());
    QTest::newRow("largest subnormal, negative") << 0x80 << 0x7F << 0xFF << 0xFF
                                                 << -std::ldexp(double(0x7FFFFF), -149);
    QTest::newRow("quiet NaN gives 0") << 0x7F << 0xC0 << 0 << 0 << 0.0;
}

void TstDecoders::binary32()
{
    QFETCH(int, b0);
    QFETCH(int, b1);
    QFETCH(int, b2);
    QFETCH(int, b3);
    QFETCH(double, value);
    QCOMPARE(payload::binary32(b0, b1, b2, b3), value);
}

namespace {
// The conversion as the digits describe it: sign, exponent field E, fraction
// digits up to the last "1"; 1 <= E <= 254 normal, E = 0 subnormal, E = 255 0.
double binary32ByDigits(int b0, int b1, int b2, int b3)
{
    const QString bits = payload::bitText(quint64(b0)) + payload::bitText(quint64(b1))
        + payload::bitText(quint64(b2)) + payload::bitText(quint64(b3));
    int e = 0;
    for (int i = 1; i <= 8; ++i)
        e = e * 2 + (bits[i] == u'1');
    const QString fraction = bits.mid(9, 23);
    const int k = int(fraction.lastIndexOf(u'1')) + 1;
    if (e == 255)
        return 0.0;
    double m = e == 0 ? 0.0 : 1.0;
    for (int i = 0; i < k; ++i)
        m = m * 2 + (fraction[i] == u'1');
    double r = e == 0 ? std::ldexp(m, -126 - k) : std::ldexp(m, e - 127 - k);
    if (bits[0] == u'1')
        r = -r;
    return r == 0 ? 0.0 : r;
}
} // namespace

void TstDecoders::binary32MatchesTheDigitAlgorithm()
{
    QRandomGenerator rng(20240601);
    for (int i = 0; i < 20000; ++i) {
        const quint32 w = i < 256 ? (quint32(i) << 23) | quint32(i) : rng.generate();
        const int b0 = int(w >> 24), b1 = int((w >> 16) & 0xFF), b2 = int((w >> 8) & 0xFF), b3 = int(w & 0xFF);
        const double expected = binary32ByDigits(b0, b1, b2, b3);
        const double got = payload::binary32(b0, b1, b2, b3);
        if (got != expected)
            QFAIL(qPrintable(QStringLiteral("word %1: %2 instead of %3").arg(w, 8, 16, QLatin1Char('0'))
                                 .arg(got, 0, 'g', 17).arg(expected, 0, 'g', 17)));
    }
}

// ---- energy summary -----------------------------------------------------------

namespace {
QByteArray field(char type, const QByteArray &data) { return "$" + QByteArray(1, type) + data; }

// count fields of type "1": field j holds j + 1, field 43 names the row.
QByteArray summary(int count, const QByteArray &rowField = "00007000")
{
    QByteArray out;
    for (int j = 0; j < count; ++j)
        out += field('1', j == 43 ? rowField : QByteArray::number(j + 1).rightJustified(8, '0'));
    return out;
}
} // namespace

void TstDecoders::energySummary_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("result");          // energy::SummaryResult
    QTest::addColumn<int>("row");             // row that must have received, 0 for none
    QTest::addColumn<Cells>("expected");      // registers of that row
    QTest::addColumn<int>("storedCount");     // cells changed in the whole table

    using R = energy::SummaryResult;
    const Cells first45 = {{0, 1}, {29, 30}, {30, 31 / 3600.0}, {41, 42 / 3600.0}, {42, 43}, {43, 7000}, {44, 45}};
    QTest::newRow("45 fields fill registers 0..44 of the row named by field 43")
        << summary(45) << QChar(u'.') << int(R::Stored) << 7 << first45 << 45;
    QTest::newRow("44 fields store nothing") << summary(44) << QChar(u'.') << int(R::Ignored) << 0 << Cells{} << 0;
    QTest::newRow("no leading $") << summary(45).mid(1) << QChar(u'.') << int(R::Ignored) << 0 << Cells{} << 0;
    QTest::newRow("a $ without type at the end stores nothing")
        << summary(45) + "$" << QChar(u'.') << int(R::Ignored) << 0 << Cells{} << 0;
    {
        // Field 2 is a type-"0" field: 12.5 as five integer and three
        // decimal digits, whatever the separator.
        QByteArray p = summary(45);
        p.replace(20, 10, field('0', "00012500"));
        QTest::newRow("type 0 under a point") << p << QChar(u'.') << int(R::Stored) << 7
                                              << Cells{{1, 2}, {2, 12.5}, {3, 4}} << 45;
        QTest::newRow("type 0 under a comma") << p << QChar(u',') << int(R::Stored) << 7
                                              << Cells{{1, 2}, {2, 12.5}, {3, 4}} << 45;
    }
    {
        // An unlisted type yields no field: every later field moves down one.
        const QByteArray shifted = summary(45, "00009000").left(10) + field('7', "99999999")
            + summary(46, "00009000").mid(10);
        QTest::newRow("unlisted type shifts the later fields") << shifted << QChar(u'.') << int(R::Stored) << 9
                                                               << Cells{{0, 1}, {1, 2}, {43, 9000}, {45, 46}}
                                                               << 46;
    }
    QTest::newRow("row 0 stores nothing") << summary(45, "00000999") << QChar(u'.') << int(R::RowOutside) << 0
                                          << Cells{} << 0;
    QTest::newRow("row 251 stores nothing") << summary(45, "00251000") << QChar(u'.') << int(R::RowOutside) << 0
                                            << Cells{} << 0;
    QTest::newRow("row 250 is the last") << summary(45, "00250000") << QChar(u'.') << int(R::Stored) << 250
                                         << Cells{{0, 1}, {44, 45}} << 45;
    QTest::newRow("only 201 passes are made")
        << summary(210) << QChar(u'.') << int(R::Stored) << 7 << Cells{{200, 201}} << 201;
    QTest::newRow("short last field") << summary(45) + field('1', "12") << QChar(u'.') << int(R::Stored) << 7
                                      << Cells{{45, 12}} << 46;
}

void TstDecoders::energySummary()
{
    QFETCH(QByteArray, payload);
    QFETCH(QChar, separator);
    QFETCH(int, result);
    QFETCH(int, row);
    QFETCH(Cells, expected);
    QFETCH(int, storedCount);

    RegisterStore s;
    QCOMPARE(int(energy::decodeEnergySummary(payload, s, separator)), result);
    int changed = 0;
    for (int r = 1; r <= RegisterStore::kRows; ++r)
        for (int n = 0; n < RegisterStore::kRowWidth; ++n)
            changed += s.read(r, n) != -1.0;
    QCOMPARE(changed, storedCount);
    for (const auto &[reg, value] : expected)
        QCOMPARE(s.read(row, reg), value);
}

void TstDecoders::energySummaryStopsAtTheBadField()
{
    RegisterStore s;
    QByteArray p = summary(45);
    p.replace(50, 10, field('1', "12AB5678")); // field 5
    QVERIFY_THROWS_EXCEPTION(SilentAbort, energy::decodeEnergySummary(p, s, u'.'));
    QCOMPARE(s.read(7, 4), 5.0);
    QCOMPARE(s.read(7, 5), -1.0);

    RegisterStore t;
    QVERIFY_THROWS_EXCEPTION(SilentAbort, energy::decodeEnergySummary(summary(45, "0000A000"), t, u'.'));
    QCOMPARE(t.read(1, 0), -1.0);
}

QTEST_GUILESS_MAIN(TstDecoders)
#include "tst_decoders.moc"
