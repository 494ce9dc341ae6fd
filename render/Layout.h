#pragma once

// Where cells lie on picGrid: the one walk over rows and over columns that every position,
// hit test, resize boundary, page size and scroll-bar need comes from, and the layout step
// that runs before painting. Painters only paint at the positions the walk gives.
//
// Layout rule: pixel row 0 and column 0 belong to no cell. The header row takes
// y = 1 .. RowHeight(0) and the header column x = 1 .. ColWidth(0); data rows follow from
// TopRow and data columns from LeftCol, each followed by GridLineWidth pixels of grid
// line. Rows above TopRow and columns left of LeftCol are not shown at all.

#include <cassert>
#include <cstdint>
#include <vector>

#include "grid/GridRecord.h"

namespace tabula::render {

// One axis of the table on picGrid: rows down or columns across.
struct Axis {
    const std::vector<int16_t>& sizes;  // RowHeight or ColWidth, header at index 0
    bool header;                        // ColHeader for rows, RowHeader for columns
    int32_t first;                      // TopRow or LeftCol
    int32_t last;                       // Rows or Cols
    int32_t line;                       // GridLineWidth
    int32_t extent;                     // picGrid's height or width

    // Where the first shown data row (column) starts.
    int32_t DataStart() const { return header ? sizes[0] + line + 1 : 1; }

    // The walk: indexes `from`..last, the first starting at `start`, each taking its size
    // and `step` pixels after it. `visit(index, begin, end)` sees where each one begins and
    // where the next would; the walk goes on while it returns true.
    template <class Visit>
    void Walk(int32_t from, int32_t start, int32_t step, Visit visit) const {
        assert(from >= 0 && size_t(last) < sizes.size() && "the walk stays inside the sizes");
        int32_t begin = start;
        for (int32_t i = from; i <= last; ++i) {
            const int32_t end = begin + sizes[i] + step;
            if (!visit(i, begin, end)) return;
            begin = end;
        }
    }
    // The walk of the shown data rows (columns) with their grid lines.
    template <class Visit>
    void WalkShown(Visit visit) const {
        Walk(first, DataStart(), line, visit);
    }
};

Axis RowAxis(const GridRecord& grid);
Axis ColumnAxis(const GridRecord& grid);

struct CellPlace {
    int32_t x = 0;
    int32_t y = 0;
    // The cell's top-left pixel lies past the surface's last row or column.
    bool outOfView = false;
};

// The one place for cell geometry. A row above TopRow (a column left of LeftCol), the
// header row and column included, takes the position of the first shown data row
// (column) and counts as in view: callers that must tell them apart compare themselves.
// Past the edge the walk stops: the position is then that of the first row (column)
// past it.
CellPlace CellPosition(const GridRecord& grid, int32_t row, int32_t col);
// Whether a data cell shows: at or after TopRow and LeftCol, and not past the edges.
bool DataCellShown(const GridRecord& grid, int32_t row, int32_t col);

// The row under y (the column under x): 0 for the header, -1 for none. Each row owns its
// pixels from its top through the grid line below it (ends inclusive); with ShowGrid False
// a shared edge pixel goes to the upper row (left column). The header owns its cell and
// the line under it.
int32_t RowAtY(const GridRecord& grid, float y);
int32_t ColAtX(const GridRecord& grid, float x);

// The layout step, run before painting: GridLineWidth from ShowGrid, the content's extent
// and the scroll bars' need, the page sizes with the bars' LargeChange, and the resize
// boundaries.
//
// Page sizes: PageRows is the rows a page holds, one fewer than the whole rows that fit,
// so paging keeps a row in view. It is fixed by the first layout whose rows reach the
// bottom and never changes afterwards, not even when the control grows; until then it is
// the rows from TopRow to the last, so paging a short grid reaches its last row. PageCols
// is fixed likewise by the first layout whose columns pass the right edge.
void LayOut(GridRecord& grid);

// The vertical bar's LargeChange as the column painter reports it after a sideways step:
// the rows from TopRow up to the first one that ends past the bottom.
void SetColumnPainterPage(GridRecord& grid);

// Shows or hides the bars from VScrollNeeded and HScrollNeeded, sized to picGrid.
void ShowScrollBars(GridRecord& grid);

// Sets ColWidth(1..Cols) to an even share of picGrid's width (less the header column and
// the vertical bar's width), then redraws. Cols must be at least 1.
void AutoSizeColumns(GridRecord& grid);

}  // namespace tabula::render
