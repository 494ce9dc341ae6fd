#include "render/Scrolling.h"

#include <algorithm>
#include <cstdlib>

#include "grid/Block.h"
#include "grid/Checks.h"
#include "platform/gdi/Drawing.h"
#include "render/CellButtons.h"
#include "render/CellPainter.h"
#include "render/EditEndings.h"
#include "render/Layout.h"
#include "render/Overlays.h"
#include "render/Redraw.h"

namespace tabula::render {

namespace {

enum class Bar { Vertical, Horizontal };

void BarChanged(GridRecord& grid, Bar bar) {
    // A hidden vertical bar scrolls nothing, yet the box is hidden below: the edit ends
    // here in any case.
    EndEditBeforeRepaint(grid, AfterEnding::Scroll);
    if (bar == Bar::Horizontal)
        ScrollColumns(grid);
    else if (grid.parts.scrVertical.Visible())
        ScrollRows(grid);
    // The edit box does not travel with the cells.
    HideEditBox(grid);
    PlaceCellButtons(grid);
    grid.events.Scroll();
}

// The end of a one-step scroll: the block is reshaped to a row or column mode and shown
// again over the repaint.
void ReshapeAfterStep(GridRecord& grid) {
    GridState& s = grid.state;
    // The repaint drew the selection already: it is taken off before it is drawn once more,
    // so a block of any mode stays shown (not toggled off).
    ToggleSelection(grid);
    const BlockShape shape = ModeShape(s);
    if (shape == BlockShape::Row || shape == BlockShape::Column) ShapeBlock(s, shape, s.Row, s.Col);
    ToggleSelection(grid);
    grid.parts.picGrid.Refresh();
}

// After a one-step shift: walks from `from`, passing over the rows (columns) the shift kept
// on the surface (those starting before the extent less the shift, their size and
// `margin`), and paints the rest up to the edge. Returns where the painted part ends.
template <class Paint>
int32_t PaintExposed(const Axis& axis, int32_t from, int32_t shift, int32_t margin, Paint paint) {
    bool painting = false;
    int32_t end = axis.DataStart();
    axis.Walk(from, end, axis.line, [&](int32_t i, int32_t begin, int32_t next) {
        if (!painting && begin < axis.extent - shift - axis.sizes[i] - margin) {
            end = next;
            return true;
        }
        painting = true;
        end = begin;
        if (begin > axis.extent) return false;
        paint(i, begin);
        end = next;
        return true;
    });
    return end;
}

// Where the part of a one-step shift that must be painted starts: the first row (column)
// from `from` that the shift did not keep whole, or the edge.
int32_t ExposedStart(const Axis& axis, int32_t from, int32_t shift, int32_t margin) {
    int32_t start = axis.extent;
    PaintExposed(axis, from, shift, margin,
                 [&](int32_t, int32_t begin) { start = std::min(start, begin); });
    return start;
}

// The paint after a one-step shift: the cells in `strip` and everything else a full paint
// draws, which costs little and lands on the pixels it had. Dotted grid lines take their
// dots from where they start, so with them every cell is painted again.
void PaintStrip(GridRecord& grid, const Rect& strip, PaintHeader header) {
    if (grid.state.GridSolid || !grid.state.ShowGrid) {
        // Besides the strip: the last pixel row and column, which the shift leaves where
        // they are, and what lies under the bars.
        const PictureBox& surface = grid.parts.picGrid;
        const int32_t w = surface.ScaleWidth(), h = surface.ScaleHeight();
        const ScrollBar& vertical = grid.parts.scrVertical;
        const ScrollBar& horizontal = grid.parts.scrHorizontal;
        // The bands under the bars, with a margin for the surface's border.
        const int32_t right = w - 3 - (vertical.Visible() ? vertical.Width() : 0);
        const int32_t bottom = h - 3 - (horizontal.Visible() ? horizontal.Height() : 0);
        grid.paintOnly = {strip, Rect{0, bottom, w, h}, Rect{right, 0, w, h}};
    }
    PaintGrid(grid, header);
    grid.paintOnly.clear();
}

// One step further on `bar` when the current cell, at `position` with `size`, does not fit
// in `room` pixels.
bool StepIfCut(GridRecord& grid, ScrollBar& bar, int32_t position, int32_t size, int32_t room) {
    return room - size < position && bar.Value() < bar.Max() &&
           MoveBarFocusOff(grid, bar, bar.Value() + 1);
}

}  // namespace

bool MoveBarFocusOff(GridRecord& grid, ScrollBar& bar, int32_t value) {
    const int16_t before = bar.Value();
    bar.SetValue(static_cast<int16_t>(value));
    if (bar.Value() == before) return false;
    const bool repainted = &bar == &grid.parts.scrHorizontal || bar.Visible();
    if (repainted) DrawFocusCell(grid);
    return repainted;
}

bool ScrollDownIfCut(GridRecord& grid) {
    const GridState& s = grid.state;
    const ScrollBar& across = grid.parts.scrHorizontal;
    const int32_t room =
        grid.parts.picGrid.ScaleHeight() - (across.Visible() ? across.Height() : 0);
    return StepIfCut(grid, grid.parts.scrVertical, CellPosition(grid, s.Row, s.Col).y,
                     s.RowHeight[s.Row], room);
}

bool ScrollRightIfCut(GridRecord& grid) {
    const GridState& s = grid.state;
    const ScrollBar& down = grid.parts.scrVertical;
    const int32_t room = grid.parts.picGrid.ScaleWidth() - (down.Visible() ? down.Width() : 0);
    return StepIfCut(grid, grid.parts.scrHorizontal, CellPosition(grid, s.Row, s.Col).x,
                     s.ColWidth[s.Col], room);
}

void VerticalBarChanged(GridRecord& grid) {
    BarChanged(grid, Bar::Vertical);
}

void HorizontalBarChanged(GridRecord& grid) {
    BarChanged(grid, Bar::Horizontal);
}

void ScrollRows(GridRecord& grid) {
    GridState& s = grid.state;
    EndEditBeforeRepaint(grid, AfterEnding::Scroll);
    // The scroll moves the picture as it stands: a pending redraw is painted first.
    PaintPending(grid);
    const int32_t v = grid.parts.scrVertical.Value();
    const int16_t d = CheckedInteger(int64_t{s.TopRow} - v);
    if (std::abs(d) != 1) {
        s.TopRow = v;
        PaintGrid(grid, PaintHeader::No);
    } else {
        // Both overlays come off: the focus rectangle would move with the pixels.
        ToggleSelection(grid);
        DrawFocusCell(grid);
        const int32_t oldTop = s.TopRow;
        s.TopRow = v;
        const int32_t y0 = s.ColHeader ? s.RowHeight[0] + 2 : 1;
        const int32_t shift = (d == 1 ? s.RowHeight[s.TopRow] : s.RowHeight[oldTop]) + 1;
        const Rect area{1, y0, grid.parts.picGrid.ScaleWidth() - 1,
                        grid.parts.picGrid.ScaleHeight() - 1};
        ScrollDC(grid.parts.picGrid.hDC(), 0, shift * d, &area, &area, nullptr);
        // The rows that came in: the new top row, or those from the first one the shift
        // did not keep whole down to the bottom.
        // Past the last row the background comes in too, up from where the content ends.
        LayOut(grid);
        const int32_t top =
            d == 1 ? y0
                   : std::min(ExposedStart(RowAxis(grid), s.TopRow, shift, 2), s.ContentBottom);
        const int32_t bottom = d == 1 ? y0 + shift : area.bottom;
        PaintStrip(grid, Rect{0, top, area.right, bottom}, PaintHeader::No);
        ReshapeAfterStep(grid);
    }
}

void ScrollColumns(GridRecord& grid) {
    GridState& s = grid.state;
    EndEditBeforeRepaint(grid, AfterEnding::Scroll);
    // The scroll moves the picture as it stands: a pending redraw is painted first.
    PaintPending(grid);
    const int32_t v = grid.parts.scrHorizontal.Value();
    const int16_t d = CheckedInteger(int64_t{s.LeftCol} - v);
    if (std::abs(d) != 1) {
        s.LeftCol = v;
        PaintGrid(grid, PaintHeader::Yes);
    } else {
        ToggleSelection(grid);
        DrawFocusCell(grid);
        const int32_t oldLeft = s.LeftCol;
        s.LeftCol = v;
        const int32_t x0 = s.RowHeader ? s.ColWidth[0] + 2 : 1;
        const int32_t shift = (d == 1 ? s.ColWidth[s.LeftCol] : s.ColWidth[oldLeft]) + 1;
        const Rect area{x0, 1, grid.parts.picGrid.ScaleWidth() - 1,
                        grid.parts.picGrid.ScaleHeight() - 1};
        ScrollDC(grid.parts.picGrid.hDC(), shift * d, 0, &area, &area, nullptr);
        SetColumnPainterPage(grid);
        LayOut(grid);
        const int32_t left =
            d == 1 ? x0
                   : std::min(ExposedStart(ColumnAxis(grid), s.LeftCol, shift, 0), s.ContentRight);
        const int32_t right = d == 1 ? x0 + shift : area.right;
        PaintStrip(grid, Rect{left, 0, right, area.bottom}, PaintHeader::Yes);
        ReshapeAfterStep(grid);
    }
}

void PaintExposedRows(GridRecord& grid, int32_t fromRow, int32_t shift) {
    const Axis rows = RowAxis(grid);
    PictureBox& surface = grid.parts.picGrid;
    const int32_t y = PaintExposed(rows, fromRow, shift, 2,
                                   [&](int32_t r, int32_t at) { PaintRow(grid, r, at); });
    // The PaintGrid that follows paints this area in BackColorBkg.
    if (y < rows.extent)
        FillArea(grid, 0, y, surface.ScaleWidth(), rows.extent - y, surface.BackColor());
}

void PaintExposedColumns(GridRecord& grid, int32_t fromCol, int32_t shift) {
    const Axis cols = ColumnAxis(grid);
    PictureBox& surface = grid.parts.picGrid;
    const int32_t x = PaintExposed(cols, fromCol, shift, 0, [&](int32_t c, int32_t at) {
        PaintColumn(grid, c, at, PaintHeader::Yes);
    });
    if (x < cols.extent)
        FillArea(grid, x, 0, cols.extent - x, surface.ScaleHeight(), surface.BackColor());
}

}  // namespace tabula::render
