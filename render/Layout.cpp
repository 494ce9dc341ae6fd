#include "render/Layout.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime/Error.h"
#include "render/Redraw.h"

namespace tabula::render {

namespace {

int16_t ToLargeChange(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

// Whether the bar stays: the content reaches the edge, or the grid is scrolled and the
// user must be able to scroll back.
bool ScrollNeeded(int32_t& contentEnd, int32_t size, int32_t firstShown) {
    if (contentEnd >= size - 1) {
        contentEnd = size - 1;
        return true;
    }
    return firstShown >= 2;
}

// The start of `index` on one axis; `past` when it lies past the surface's edge.
int32_t AxisPosition(const Axis& axis, int32_t index, bool& past) {
    int32_t at = axis.DataStart();
    if (index < axis.first) return at;
    axis.WalkShown([&](int32_t i, int32_t begin, int32_t) {
        at = begin;
        if (begin > axis.extent - 1) {
            past = true;
            return false;
        }
        return i < index;
    });
    return at;
}

int32_t IndexAt(const Axis& axis, float pos) {
    if (axis.header && pos > 0 && pos <= axis.sizes[0] + 1) return 0;
    int32_t found = -1;
    axis.WalkShown([&](int32_t i, int32_t begin, int32_t) {
        if (pos < begin) return false;
        if (pos <= begin + axis.sizes[i]) {
            found = i;
            return false;
        }
        return true;
    });
    return found;
}

// Down: the content's bottom, the page size and the vertical bar's need.
void LayOutRows(GridRecord& grid) {
    GridState& s = grid.state;
    const Axis rows = RowAxis(grid);
    s.ContentBottom = s.ColHeader ? s.RowHeight[0] + 1 : 0;
    rows.WalkShown([&](int32_t r, int32_t, int32_t end) {
        const bool cut = end > rows.extent - 1;
        if (!cut && r < s.Rows) return true;
        s.ContentBottom = end - 1;
        if (!s.PageRowsFixed) {
            s.PageRows = cut ? r - s.TopRow - 1 : s.Rows - s.TopRow;
            s.PageRowsFixed = cut && s.PageRows > 0;
            if (s.PageRowsFixed) grid.parts.scrVertical.SetLargeChange(ToLargeChange(s.PageRows));
        }
        return false;
    });
    s.VScrollNeeded = ScrollNeeded(s.ContentBottom, rows.extent, s.TopRow);
}

// Across: the content's right edge, the page size and the horizontal bar's need.
void LayOutColumns(GridRecord& grid) {
    GridState& s = grid.state;
    const Axis cols = ColumnAxis(grid);
    int32_t right = cols.DataStart();
    cols.WalkShown([&](int32_t c, int32_t, int32_t end) {
        right = end;
        if (end <= cols.extent - 1) return true;
        if (s.PageCols == 0) s.PageCols = c - s.LeftCol;
        grid.parts.scrHorizontal.SetLargeChange(s.PageCols > 0 ? ToLargeChange(s.PageCols) : 1);
        return false;
    });
    s.ContentRight = std::min(right - 1, cols.extent - 1);
    s.HScrollNeeded = ScrollNeeded(s.ContentRight, cols.extent, s.LeftCol);
}

// The header boundaries and the boundaries after each shown column and row, in steps of
// the size and one pixel whatever the grid lines, up to the control's own size. Only
// while AllowUserResizing is set; otherwise the lists keep what they had.
void BuildResizeBoundaries(GridRecord& grid) {
    GridState& s = grid.state;
    if (!s.AllowUserResizing) return;
    constexpr int32_t kStep = 1;
    const int32_t wc = grid.parts.control.ScaleWidth();
    const int32_t hc = grid.parts.control.ScaleHeight();
    const auto collect = [](const Axis& axis, int32_t start, int32_t limit,
                            std::vector<int32_t>& out) {
        axis.Walk(axis.first, start, kStep, [&](int32_t, int32_t, int32_t end) {
            if (end > limit) return false;
            out.push_back(end);
            return true;
        });
    };
    s.ColBoundaries.clear();
    int32_t x = 0;
    if (s.RowHeader) {
        x = s.ColWidth[0];
        s.ColBoundaries.push_back(x);
    }
    collect(ColumnAxis(grid), x, wc, s.ColBoundaries);
    s.RowBoundaries.clear();
    const int32_t y = s.ColHeader ? s.RowHeight[0] + 1 : 0;
    s.RowBoundaries.push_back(y);
    collect(RowAxis(grid), y, hc, s.RowBoundaries);
}

}  // namespace

Axis RowAxis(const GridRecord& grid) {
    const GridState& s = grid.state;
    return Axis{s.RowHeight, s.ColHeader,     s.TopRow,
                s.Rows,      s.GridLineWidth, grid.parts.picGrid.ScaleHeight()};
}

Axis ColumnAxis(const GridRecord& grid) {
    const GridState& s = grid.state;
    return Axis{s.ColWidth, s.RowHeader,     s.LeftCol,
                s.Cols,     s.GridLineWidth, grid.parts.picGrid.ScaleWidth()};
}

CellPlace CellPosition(const GridRecord& grid, int32_t row, int32_t col) {
    CellPlace place;
    bool pastBottom = false, pastRight = false;
    place.y = AxisPosition(RowAxis(grid), row, pastBottom);
    place.x = AxisPosition(ColumnAxis(grid), col, pastRight);
    place.outOfView = pastBottom || pastRight;
    return place;
}

bool DataCellShown(const GridRecord& grid, int32_t row, int32_t col) {
    const GridState& s = grid.state;
    return row >= s.TopRow && col >= s.LeftCol && !CellPosition(grid, row, col).outOfView;
}

int32_t RowAtY(const GridRecord& grid, float y) {
    return IndexAt(RowAxis(grid), y);
}

int32_t ColAtX(const GridRecord& grid, float x) {
    return IndexAt(ColumnAxis(grid), x);
}

void LayOut(GridRecord& grid) {
    grid.state.GridLineWidth = grid.state.ShowGrid ? 1 : 0;
    LayOutRows(grid);
    LayOutColumns(grid);
    BuildResizeBoundaries(grid);
}

void SetColumnPainterPage(GridRecord& grid) {
    const Axis rows = RowAxis(grid);
    rows.WalkShown([&](int32_t r, int32_t, int32_t end) {
        if (end <= rows.extent) return true;
        grid.parts.scrVertical.SetLargeChange(ToLargeChange(r - grid.state.TopRow));
        return false;
    });
}

void ShowScrollBars(GridRecord& grid) {
    const GridState& s = grid.state;
    const int32_t w = grid.parts.picGrid.ScaleWidth();
    const int32_t h = grid.parts.picGrid.ScaleHeight();
    ScrollBar& vertical = grid.parts.scrVertical;
    ScrollBar& horizontal = grid.parts.scrHorizontal;
    if (s.VScrollNeeded) {
        vertical.Move(vertical.Left(), vertical.Top(), vertical.Width(),
                      s.HScrollNeeded ? h - horizontal.Height() : h);
        vertical.SetVisible(true);
    } else {
        vertical.SetVisible(false);
    }
    if (s.HScrollNeeded) {
        horizontal.Move(horizontal.Left(), horizontal.Top(),
                        s.VScrollNeeded ? w - vertical.Width() : w, horizontal.Height());
        horizontal.SetVisible(true);
    } else {
        horizontal.SetVisible(false);
    }
}

void AutoSizeColumns(GridRecord& grid) {
    GridState& s = grid.state;
    const double barWidth = grid.parts.scrVertical.Width();
    const double surfaceWidth = grid.parts.picGrid.ScaleWidth();
    const double room =
        s.RowHeader ? surfaceWidth - s.ColWidth[0] - barWidth : surfaceWidth - barWidth;
    // Halves go to the even neighbour (the default rounding mode).
    const double share = std::nearbyint(room / s.Cols);
    if (share > INT16_MAX || share < INT16_MIN) RaiseError(kErrOverflow);
    // A surface narrower than the header column and the bar gives no room: widths are
    // never negative, as a ColWidth write would store them.
    const int16_t width = share < 0 ? int16_t{0} : static_cast<int16_t>(share);
    for (int32_t c = 1; c <= s.Cols; ++c)
        s.ColWidth[c] = width;
    Refresh(grid);
}

}  // namespace tabula::render
