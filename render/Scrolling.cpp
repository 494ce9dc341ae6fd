#include "render/Scrolling.h"

#include <cstdlib>

#include "core/Checks.h"
#include "core/Tabula.h"
#include "platform/gdi/Drawing.h"
#include "render/CellPainter.h"
#include "render/Layout.h"
#include "render/Overlays.h"
#include "render/Redraw.h"

namespace tabula::render {

namespace {

enum class Axis { Rows, Columns };

void BarChanged(Tabula& grid, Axis axis) {
    if (axis == Axis::Columns)
        ScrollColumns(grid);
    else if (grid.scrVertical.Visible())
        ScrollRows(grid);
    // The edit box does not travel with the cells.
    HideEditBox(grid);
    grid.cmdLookup.SetVisible(false);
    grid.Events().Scroll();
}

// The end of a one-step scroll: the block is reshaped to a row or column mode and shown
// again over the repaint.
void ReshapeAfterStep(Tabula& grid) {
    GridState& s = grid.State();
    // The repaint drew the selection already: it is taken off before it is drawn once more,
    // so a block of any mode stays shown (not toggled off).
    ToggleSelection(grid);
    if (s.AllowSelection && s.SelectionMode == SelectionByRow) {
        s.Col1 = 0;
        s.Col2 = s.Cols;
        s.Row1 = s.Row2 = s.Row;
        s.RowsSelected = true;
    } else if (s.AllowSelection && s.SelectionMode == SelectionByCol) {
        s.Col1 = s.Col2 = s.Col;
        s.Row1 = 0;
        s.Row2 = s.Rows;
        s.ColsSelected = true;
    }
    ToggleSelection(grid);
    grid.picGrid.Refresh();
}

}  // namespace

void VerticalBarChanged(Tabula& grid) {
    BarChanged(grid, Axis::Rows);
}

void HorizontalBarChanged(Tabula& grid) {
    BarChanged(grid, Axis::Columns);
}

void ScrollRows(Tabula& grid) {
    GridState& s = grid.State();
    // Ending an edit in progress joins here with the editor.
    const int32_t v = grid.scrVertical.Value();
    const int16_t d = CheckedInteger(int64_t{s.TopRow} - v);
    if (std::abs(d) != 1) {
        s.TopRow = v;
        PaintGrid(grid, PaintHeader::No);
    } else {
        ToggleSelection(grid);
        const int32_t oldTop = s.TopRow;
        s.TopRow = v;
        const int32_t y0 = s.ColHeader ? s.RowHeight[0] + 2 : 1;
        const int32_t shift = (d == 1 ? s.RowHeight[s.TopRow] : s.RowHeight[oldTop]) + 1;
        const Rect area{1, y0, grid.picGrid.ScaleWidth() - 1, grid.picGrid.ScaleHeight() - 1};
        ScrollDC(grid.picGrid.hDC(), 0, shift * d, &area, &area, nullptr);
        if (d == 1)
            PaintRow(grid, s.TopRow, y0);
        else
            PaintExposedRows(grid, s.TopRow, shift);
        PaintGrid(grid, PaintHeader::No);
        ReshapeAfterStep(grid);
    }
    BuildResizeBoundaries(grid);
}

void ScrollColumns(Tabula& grid) {
    GridState& s = grid.State();
    // Ending an edit in progress joins here with the editor.
    const int32_t v = grid.scrHorizontal.Value();
    const int16_t d = CheckedInteger(int64_t{s.LeftCol} - v);
    if (std::abs(d) != 1) {
        s.LeftCol = v;
        PaintGrid(grid, PaintHeader::Yes);
    } else {
        ToggleSelection(grid);
        const int32_t oldLeft = s.LeftCol;
        s.LeftCol = v;
        const int32_t x0 = s.RowHeader ? s.ColWidth[0] + 2 : 1;
        const int32_t shift = (d == 1 ? s.ColWidth[s.LeftCol] : s.ColWidth[oldLeft]) + 1;
        const Rect area{x0, 1, grid.picGrid.ScaleWidth() - 1, grid.picGrid.ScaleHeight() - 1};
        ScrollDC(grid.picGrid.hDC(), shift * d, 0, &area, &area, nullptr);
        if (d == 1)
            PaintColumn(grid, s.LeftCol, x0, PaintHeader::Yes);
        else
            PaintExposedColumns(grid, s.LeftCol, shift);
        PaintGrid(grid, PaintHeader::Yes);
        ReshapeAfterStep(grid);
    }
    BuildResizeBoundaries(grid);
}

void PaintExposedRows(Tabula& grid, int32_t fromRow, int32_t shift) {
    GridState& s = grid.State();
    const int32_t w = grid.picGrid.ScaleWidth();
    const int32_t h = grid.picGrid.ScaleHeight();
    int32_t y = s.ColHeader ? s.RowHeight[0] + 1 + s.GridLineWidth : 1;
    // Rows that the shift kept on the surface are skipped.
    int32_t r = fromRow;
    while (r <= s.Rows && y < h - shift - s.RowHeight[r] - 2) {
        y += s.RowHeight[r] + s.GridLineWidth;
        ++r;
    }
    for (; r <= s.Rows && y <= h; ++r) {
        PaintRow(grid, r, y);
        y += s.RowHeight[r] + s.GridLineWidth;
    }
    s.ContentBottom = y - 1;
    if (y < h) FillArea(grid, 0, y, w, h - y, grid.picGrid.BackColor());
}

void PaintExposedColumns(Tabula& grid, int32_t fromCol, int32_t shift) {
    GridState& s = grid.State();
    const int32_t w = grid.picGrid.ScaleWidth();
    const int32_t h = grid.picGrid.ScaleHeight();
    int32_t x = s.RowHeader ? s.ColWidth[0] + 1 + s.GridLineWidth : 1;
    int32_t c = fromCol;
    while (c <= s.Cols && x < w - shift - s.ColWidth[c]) {
        x += s.ColWidth[c] + s.GridLineWidth;
        ++c;
    }
    for (; c <= s.Cols && x <= w; ++c) {
        PaintColumn(grid, c, x, PaintHeader::Yes);
        x += s.ColWidth[c] + s.GridLineWidth;
    }
    s.ContentRight = x - 1;
    if (x < w) FillArea(grid, x, 0, w - x, h, grid.picGrid.BackColor());
}

}  // namespace tabula::render
