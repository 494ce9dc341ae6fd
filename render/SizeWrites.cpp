#include "render/SizeWrites.h"

#include <algorithm>

#include "grid/Checks.h"
#include "render/Redraw.h"

namespace tabula::render {

void WriteColWidth(GridRecord& grid, int32_t col, int32_t width) {
    GridState& s = grid.state;
    // A negative width has no meaning for layout; the user's own resizing stops at 0 too.
    const int16_t stored = std::max<int16_t>(CheckedInteger(width), 0);
    if (col == -1) {
        for (int32_t c = 0; c <= s.Cols; ++c)
            s.ColWidth[c] = stored;
    } else {
        CheckIndex(s.ColWidth.size(), col);
        s.ColWidth[col] = stored;
    }
    RedrawIfAuto(grid);
}

void WriteRowHeight(GridRecord& grid, int32_t row, int32_t height) {
    GridState& s = grid.state;
    const int16_t stored = std::max<int16_t>(CheckedInteger(height), 0);
    CheckIndex(s.RowHeight.size(), row);
    s.RowHeight[row] = stored;
    RedrawIfAuto(grid);
}

void WriteRows(GridRecord& grid, int32_t rows) {
    if (rows < 0) RaiseError(kErrSubscriptOutOfRange);
    // The scroll bar holds the count as a 16-bit number, and the cell store refuses a table
    // too large for memory: both are checked before the bar changes, so nothing does.
    CheckedInteger(rows);
    if (!clsCellArray::Fits(rows, grid.state.Cells.Cols())) RaiseError(kErrOutOfMemory);
    StoreRowCount(grid, rows);
    RedrawIfAuto(grid);
}

void StoreRowCount(GridRecord& grid, int32_t rows) {
    GridState& s = grid.state;
    grid.parts.scrVertical.SetMax(static_cast<int16_t>(rows));
    SetRowCount(s, rows);
    s.Rows = rows;
    s.Row = std::min(s.Row, rows);
    s.Row1 = std::min(s.Row1, rows);
    s.Row2 = std::min(s.Row2, rows);
}

}  // namespace tabula::render
