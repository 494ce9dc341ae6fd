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

}  // namespace tabula::render
