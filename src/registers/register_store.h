#pragma once
#include <QtGlobal>

#include <memory>

// The register store: the latest register values of the devices, as numbers
// ready for display, and the two bytes of each register as they arrived.
//
// 250 rows of 256 registers. Register n of row r is cell (r - 1) * 256 + n; a
// register number of 256 or more continues into the next row, so register 300
// of row 1 is register 44 of row 2. The raw byte table keeps four cells per
// register (high byte, low byte, two spare) with the same continuation rule.
// -1 means nothing has been received. An address outside the tables (a row
// outside 1..250 included) reads -1 and is never written.
class RegisterStore {
public:
    static constexpr int kRows = 250;
    static constexpr int kRowWidth = 256;
    static constexpr int kCells = kRows * kRowWidth;    // 64,000
    static constexpr int kRawPerRegister = 4;
    static constexpr int kRawRowWidth = kRowWidth * kRawPerRegister; // 1,024
    static constexpr int kRawCells = kCells * kRawPerRegister;       // 256,000

    RegisterStore();
    RegisterStore(const RegisterStore &) = delete;
    RegisterStore &operator=(const RegisterStore &) = delete;

    // Every cell back to -1; both cursors to 0. Only the cells written since
    // the last time are touched, so it costs what was stored.
    void initialise();
    // Whether anything was written since the last initialise().
    bool written() const { return m_dirtyFrom <= m_dirtyTo; }

    double read(int row, int reg) const;
    // Returns false (and stores nothing) outside the table.
    bool write(int row, int reg, double value);
    // High byte into part 0, low byte into part 1 of the register.
    bool storeRaw(int row, int reg, int high, int low);
    // Cell number within the row: register k / 4, part k % 4.
    int readRaw(int row, int cell) const;
    // Registers first..last of the row back to -1, their raw cells too.
    void reset(int row, int first, int last);

    // Where the payload decoder stores next.
    int targetRow = 0;
    int startRegister = 0;

    // Cell numbers, or -1 outside the tables (a row outside 1..250, a
    // negative register or cell, or an address past the table's end).
    static qint64 cellOf(int row, int reg);
    static qint64 rawCellOf(int row, int cell);
    // The highest register number of the row that still lies in the table
    // (255 for row 250), or -1 for a row outside it.
    static int lastRegister(int row);

private:
    void touched(qint64 cell)
    {
        m_dirtyFrom = qMin(m_dirtyFrom, cell);
        m_dirtyTo = qMax(m_dirtyTo, cell);
    }

    std::unique_ptr<double[]> m_values;
    std::unique_ptr<qint32[]> m_raw;
    // The cells written since the last initialise() lie within these.
    qint64 m_dirtyFrom = 0;
    qint64 m_dirtyTo = kCells - 1;
};
