#pragma once

// The conversions and index checks every public member applies before it changes
// anything: 16-bit fields overflow with error 6, indexes outside an array or the cell
// table fail with error 9.

#include <cstdint>

#include "grid/GridState.h"
#include "platform/runtime/Error.h"

namespace tabula {

// `value` as a 16-bit field; error 6 outside -32768..32767.
inline int16_t CheckedInteger(int64_t value) {
    if (value < INT16_MIN || value > INT16_MAX) RaiseError(kErrOverflow);
    return static_cast<int16_t>(value);
}

// Error 9 unless 0 <= index < size.
inline void CheckIndex(size_t size, int32_t index) {
    if (index < 0 || size_t(index) >= size) RaiseError(kErrSubscriptOutOfRange);
}

// Error 9 unless the cell lies in 0..Rows by 0..Cols. The store is one column wider than
// Cols when Cols is 0; that spare column is not a cell of the grid.
inline void CheckCell(const GridState& s, int32_t row, int32_t col) {
    if (row < 0 || col < 0 || row > s.Rows || col > s.Cols) RaiseError(kErrSubscriptOutOfRange);
}

}  // namespace tabula
