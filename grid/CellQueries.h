#pragma once

// Questions about cells and rows that several subsystems ask the record.

#include <cstdint>

#include "grid/GridState.h"

namespace tabula {

// Whether the row's data columns hold nothing but spaces (check marks do not count). A row
// outside 0..Rows raises 9.
bool RowEmpty(const GridState& s, int32_t row);
// Where moves to the next editable cell stop: the column allows editing and the cell is
// not read-only.
inline bool CellEditable(const GridState& s, int32_t row, int32_t col) {
    return s.ColAllowEdit[col] && !s.Cells.ReadOnly(row, col);
}
// What the user cannot change at all: a read-only cell in a column that forbids editing
// (either alone leaves it open to an edit or a check-mark toggle).
inline bool CellLocked(const GridState& s, int32_t row, int32_t col) {
    return !s.ColAllowEdit[col] && s.Cells.ReadOnly(row, col);
}

}  // namespace tabula
