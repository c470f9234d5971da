// The register store: addressing (rows run on into the next row, nothing
// outside the tables is read or written), the partial reset of a selection.
#include "register_store.h"

#include <QTest>

#include <limits>

class TstRegisterStore : public QObject {
    Q_OBJECT
private slots:
    void freshStoreHoldsNothing();
    void initialiseEmptiesWhatWasStored_data();
    void initialiseEmptiesWhatWasStored();
    void continuationIntoNextRow();
    void addresses_data();
    void addresses();
    void rawCells_data();
    void rawCells();
    void reset_data();
    void reset();
};

namespace {
// The first address that holds something, or an empty text.
QString holding(const RegisterStore &s)
{
    for (int row = 1; row <= RegisterStore::kRows; ++row)
        for (int reg = 0; reg < RegisterStore::kRowWidth; ++reg)
            if (s.read(row, reg) != -1.0)
                return QStringLiteral("row %1 register %2").arg(row).arg(reg);
    for (int row = 1; row <= RegisterStore::kRows; ++row)
        for (int cell = 0; cell < RegisterStore::kRawRowWidth; ++cell)
            if (s.readRaw(row, cell) != -1)
                return QStringLiteral("raw row %1 cell %2").arg(row).arg(cell);
    return {};
}
} // namespace

void TstRegisterStore::freshStoreHoldsNothing()
{
    RegisterStore s;
    QCOMPARE(holding(s), QString());
    for (int reg = 256; reg <= 401; ++reg)
        QCOMPARE(s.read(1, reg), -1.0);
    QCOMPARE(s.targetRow, 0);
    QCOMPARE(s.startRegister, 0);
}

// Whatever was stored, and however often the store was emptied before.
void TstRegisterStore::initialiseEmptiesWhatWasStored_data()
{
    QTest::addColumn<QList<int>>("cells"); // stored as row 1 register n, value and raw bytes
    QTest::addColumn<int>("emptiedBefore");
    const int last = RegisterStore::kCells - 1;
    QTest::newRow("the first and the last cell") << QList<int>{0, last} << 0;
    QTest::newRow("one cell in the middle") << QList<int>{31999} << 0;
    QTest::newRow("far apart, the later first") << QList<int>{60000, 3} << 1;
    QTest::newRow("after two empty rounds") << QList<int>{last} << 2;
    QTest::newRow("nothing") << QList<int>{} << 1;
}

void TstRegisterStore::initialiseEmptiesWhatWasStored()
{
    QFETCH(QList<int>, cells);
    QFETCH(int, emptiedBefore);
    RegisterStore s;
    for (int i = 0; i < emptiedBefore; ++i)
        s.initialise();
    for (int cell : cells) {
        QVERIFY(s.write(1, cell, 5.0));
        QVERIFY(s.storeRaw(1, cell, 6, 7));
    }
    s.targetRow = 3;
    s.startRegister = 40;
    s.initialise();
    QCOMPARE(holding(s), QString());
    QCOMPARE(s.targetRow, 0);
    QCOMPARE(s.startRegister, 0);
}

void TstRegisterStore::continuationIntoNextRow()
{
    RegisterStore s;
    QVERIFY(s.write(1, 300, 12.5));
    QCOMPARE(s.read(2, 44), 12.5);
    QVERIFY(s.write(2, 44, 7.0));
    QCOMPARE(s.read(1, 300), 7.0);
    // The raw table follows the same rule.
    QVERIFY(s.storeRaw(1, 300, 3, 4));
    QCOMPARE(s.readRaw(2, 4 * 44), 3);
    QCOMPARE(s.readRaw(2, 4 * 44 + 1), 4);
    QCOMPARE(s.readRaw(1, 4 * 300), 3);
    QCOMPARE(s.readRaw(2, 4 * 44 + 2), -1); // spare parts stay untouched
    QCOMPARE(s.readRaw(2, 4 * 44 + 3), -1);
    // Neighbours are untouched.
    QCOMPARE(s.read(2, 43), -1.0);
    QCOMPARE(s.read(2, 45), -1.0);
}

// A write to (row, register) and what it may change: inside the table the
// cell takes the value and the address reads it back; outside nothing at all
// changes and the address reads -1.
void TstRegisterStore::addresses_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("reg");
    QTest::addColumn<bool>("inside");

    QTest::newRow("first cell") << 1 << 0 << true;
    QTest::newRow("last cell, row 250 register 255") << 250 << 255 << true;
    QTest::newRow("row 250 register 256 lies past the end") << 250 << 256 << false;
    QTest::newRow("row 1 register 63999 is the last cell") << 1 << 63999 << true;
    QTest::newRow("row 1 register 64000") << 1 << 64000 << false;
    QTest::newRow("row 0 register 300 is not row 1 register 44") << 0 << 300 << false;
    QTest::newRow("row 0 register 0") << 0 << 0 << false;
    QTest::newRow("row 251") << 251 << 0 << false;
    QTest::newRow("negative row") << -1 << 512 << false;
    QTest::newRow("negative register") << 2 << -1 << false;
    QTest::newRow("largest row") << std::numeric_limits<int>::max() << 0 << false;
    QTest::newRow("smallest row") << std::numeric_limits<int>::min() << std::numeric_limits<int>::max() << false;
    QTest::newRow("largest register") << 1 << std::numeric_limits<int>::max() << false;
}

void TstRegisterStore::addresses()
{
    QFETCH(int, row);
    QFETCH(int, reg);
    QFETCH(bool, inside);
    RegisterStore s;
    QCOMPARE(s.write(row, reg, 42.0), inside);
    QCOMPARE(s.storeRaw(row, reg, 9, 8), inside);
    QCOMPARE(s.read(row, reg), inside ? 42.0 : -1.0);
    // Count every changed cell: exactly one when inside, none outside.
    int changed = 0, rawChanged = 0;
    for (int r = 1; r <= RegisterStore::kRows; ++r) {
        for (int n = 0; n < RegisterStore::kRowWidth; ++n)
            changed += s.read(r, n) != -1.0;
        for (int c = 0; c < RegisterStore::kRawRowWidth; ++c)
            rawChanged += s.readRaw(r, c) != -1;
    }
    QCOMPARE(changed, inside ? 1 : 0);
    QCOMPARE(rawChanged, inside ? 2 : 0);
}

void TstRegisterStore::rawCells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("inside");

    QTest::newRow("row 1 cell 0") << 1 << 0 << true;
    QTest::newRow("row 250 cell 1023") << 250 << 1023 << true;
    QTest::newRow("row 250 cell 1024") << 250 << 1024 << false;
    QTest::newRow("row 1 cell 1024 is row 2 cell 0") << 1 << 1024 << true;
    QTest::newRow("row 0") << 0 << 1024 << false;
    QTest::newRow("negative cell") << 2 << -1 << false;
    QTest::newRow("row 251") << 251 << 0 << false;
}

void TstRegisterStore::rawCells()
{
    QFETCH(int, row);
    QFETCH(int, cell);
    QFETCH(bool, inside);
    RegisterStore s;
    // Every register's high byte is its cell number's low byte plus one, so
    // each part-0 cell reads something other than -1.
    for (int r = 1; r <= RegisterStore::kRows; ++r)
        for (int n = 0; n < RegisterStore::kRowWidth; ++n)
            s.storeRaw(r, n, (n & 0xFF) + 1, 0);
    const int v = s.readRaw(row, cell);
    if (!inside) {
        QCOMPARE(v, -1);
    } else if (cell % 4 == 0) {
        QCOMPARE(v, ((cell / 4) & 0xFF) + 1);
    }
}

void TstRegisterStore::reset_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("cleared"); // cells back to -1
    QTest::addColumn<int>("firstCleared"); // cell number of the first one, -1 for none

    QTest::newRow("selection: row 1, registers 0..255") << 1 << 0 << 255 << 256 << 0;
    QTest::newRow("row 2, 10..19") << 2 << 10 << 19 << 10 << 266;
    QTest::newRow("range past the end is clipped") << 250 << 200 << 1000 << 56 << 63944;
    QTest::newRow("row 0 touches nothing") << 0 << 256 << 300 << 0 << -1;
    QTest::newRow("row 251 touches nothing") << 251 << 0 << 10 << 0 << -1;
    QTest::newRow("negative first starts at register 0") << 3 << -5 << 1 << 2 << 512;
    QTest::newRow("first after last") << 1 << 10 << 5 << 0 << -1;
}

void TstRegisterStore::reset()
{
    QFETCH(int, row);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, cleared);
    QFETCH(int, firstCleared);
    RegisterStore s;
    for (int r = 1; r <= RegisterStore::kRows; ++r)
        for (int n = 0; n < RegisterStore::kRowWidth; ++n) {
            s.write(r, n, 1.0);
            s.storeRaw(r, n, 1, 1);
        }
    s.reset(row, first, last);
    int count = 0, firstCell = -1;
    for (int cell = 0; cell < RegisterStore::kCells; ++cell) {
        const int r = cell / 256 + 1, n = cell % 256;
        if (s.read(r, n) == -1.0) {
            if (firstCell < 0)
                firstCell = cell;
            ++count;
            // The raw cells of a cleared register are cleared too.
            QCOMPARE(s.readRaw(r, 4 * n), -1);
            QCOMPARE(s.readRaw(r, 4 * n + 1), -1);
        } else {
            QCOMPARE(s.readRaw(r, 4 * n), 1);
        }
    }
    QCOMPARE(count, cleared);
    QCOMPARE(firstCell, firstCleared);
}

QTEST_GUILESS_MAIN(TstRegisterStore)
#include "tst_register_store.moc"
