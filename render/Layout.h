#pragma once

// Where cells lie on picGrid, which are in view, and the other sizes the painters, the
// scroll bars and user resizing work from.
//
// Layout rule: pixel row 0 and column 0 belong to no cell. The header row takes
// y = 1 .. RowHeight(0) and the header column x = 1 .. ColWidth(0); data rows follow from
// TopRow and data columns from LeftCol, each followed by GridLineWidth pixels of grid
// line. Rows above TopRow and columns left of LeftCol are not shown at all.

#include <cstdint>

namespace tabula {
class Tabula;
}

namespace tabula::render {

struct CellPlace {
    int32_t x = 0;
    int32_t y = 0;
    // The cell's top-left pixel lies past the surface's last row or column.
    bool outOfView = false;
};

// The one place for cell geometry. A row above TopRow (a column left of LeftCol), the
// header row and column included, takes the position of the first shown data row
// (column) and counts as in view: callers that must tell them apart compare themselves.
// Sets GridLineWidth from ShowGrid; the start offsets use the value in force on entry.
CellPlace CellPosition(Tabula& grid, int32_t row, int32_t col);

// Shows or hides the bars from VScrollNeeded and HScrollNeeded, sized to picGrid.
void ShowScrollBars(Tabula& grid);

// Sets ColWidth(1..Cols) to an even share of picGrid's width (less the header column and
// the vertical bar's width), then redraws. Cols must be at least 1.
void AutoSizeColumns(Tabula& grid);

// Rebuilds ColBoundaries and RowBoundaries for user resizing; only while
// AllowUserResizing is set (otherwise the lists keep what they had).
void BuildResizeBoundaries(Tabula& grid);

}  // namespace tabula::render
