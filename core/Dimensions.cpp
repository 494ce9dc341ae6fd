// Dimensions and headers: Rows, Cols, ColHeader, RowHeader.

#include <algorithm>

#include "core/Tabula.h"
#include "grid/Checks.h"

namespace tabula {

void Tabula::SetRows(int32_t rows) {
    if (rows < 0) RaiseError(kErrSubscriptOutOfRange);
    // The scroll bar holds the count as a 16-bit number, and the cell store refuses a table
    // too large for memory: both are checked before the bar changes, so nothing does.
    CheckedInteger(rows);
    if (!clsCellArray::Fits(rows, s_.Cells.Cols())) RaiseError(kErrOutOfMemory);
    StoreRowCount(rows);
    RedrawIfAuto();
}

// The bar's range, the per-row arrays and the count, with the current row and the block
// lowered into the new range. The count has been checked.
void Tabula::StoreRowCount(int32_t rows) {
    scrVertical.SetMax(static_cast<int16_t>(rows));
    SetRowCount(s_, rows);
    s_.Rows = rows;
    s_.Row = std::min(s_.Row, rows);
    s_.Row1 = std::min(s_.Row1, rows);
    s_.Row2 = std::min(s_.Row2, rows);
}

void Tabula::SetCols(int32_t cols) {
    if (cols < 0) RaiseError(kErrSubscriptOutOfRange);
    const int16_t max = CheckedInteger(cols);
    if (!clsCellArray::Fits(s_.Cells.Rows(), std::max(cols, 1))) RaiseError(kErrOutOfMemory);
    scrHorizontal.SetMax(max);
    SetColumnCount(s_, cols);
    s_.Cols = cols;
    s_.Col = std::min(s_.Col, cols);
    s_.Col1 = std::min(s_.Col1, cols);
    s_.Col2 = std::min(s_.Col2, cols);
    RedrawIfAuto();
}

void Tabula::SetColHeader(bool on) {
    s_.ColHeader = on;
    RedrawIfAuto();
    Announce("ColHeader");
}

void Tabula::SetRowHeader(bool on) {
    s_.RowHeader = on;
    RedrawIfAuto();
    Announce("RowHeader");
}

}  // namespace tabula
