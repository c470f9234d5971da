#include "register_store.h"

#include <algorithm>

RegisterStore::RegisterStore()
    : m_values(new double[kCells]), m_raw(new qint32[kRawCells])
{
    initialise();
}

void RegisterStore::initialise()
{
    if (m_dirtyFrom <= m_dirtyTo) {
        std::fill(m_values.get() + m_dirtyFrom, m_values.get() + m_dirtyTo + 1, -1.0);
        std::fill(m_raw.get() + m_dirtyFrom * kRawPerRegister, m_raw.get() + (m_dirtyTo + 1) * kRawPerRegister, -1);
    }
    m_dirtyFrom = kCells;
    m_dirtyTo = -1;
    targetRow = 0;
    startRegister = 0;
}

// A row outside 1..250 is outside the table whatever the register: row 0
// register 300 is not row 1 register 44. Register numbers count upward from
// 0 of the row and run on into the rows below it, up to the table's end.
qint64 RegisterStore::cellOf(int row, int reg)
{
    if (row < 1 || row > kRows || reg < 0)
        return -1;
    const qint64 cell = (qint64(row) - 1) * kRowWidth + reg;
    return cell < kCells ? cell : -1;
}

qint64 RegisterStore::rawCellOf(int row, int cell)
{
    if (row < 1 || row > kRows || cell < 0)
        return -1;
    const qint64 at = (qint64(row) - 1) * kRawRowWidth + cell;
    return at < kRawCells ? at : -1;
}

int RegisterStore::lastRegister(int row)
{
    if (row < 1 || row > kRows)
        return -1;
    return (kRows - row + 1) * kRowWidth - 1;
}

double RegisterStore::read(int row, int reg) const
{
    const qint64 cell = cellOf(row, reg);
    return cell < 0 ? -1.0 : m_values[cell];
}

bool RegisterStore::write(int row, int reg, double value)
{
    const qint64 cell = cellOf(row, reg);
    if (cell < 0)
        return false;
    touched(cell);
    m_values[cell] = value;
    return true;
}

bool RegisterStore::storeRaw(int row, int reg, int high, int low)
{
    const qint64 cell = cellOf(row, reg);
    if (cell < 0)
        return false;
    touched(cell);
    m_raw[cell * kRawPerRegister] = high;
    m_raw[cell * kRawPerRegister + 1] = low;
    return true;
}

int RegisterStore::readRaw(int row, int cell) const
{
    const qint64 at = rawCellOf(row, cell);
    return at < 0 ? -1 : m_raw[at];
}

void RegisterStore::reset(int row, int first, int last)
{
    // The registers of a row are consecutive cells; only the part of the
    // range that lies inside the table is touched.
    if (row < 1 || row > kRows)
        return;
    const qint64 base = (qint64(row) - 1) * kRowWidth;
    const qint64 from = base + std::max(first, 0);
    const qint64 to = base + std::min(last, lastRegister(row));
    for (qint64 cell = from; cell <= to; ++cell) {
        m_values[cell] = -1.0;
        std::fill_n(m_raw.get() + cell * kRawPerRegister, kRawPerRegister, -1);
    }
}
