#include "render/Overlays.h"

#include <algorithm>

#include "grid/GridRecord.h"
#include "platform/gdi/Drawing.h"
#include "render/CellPainter.h"
#include "render/Layout.h"
#include "render/Redraw.h"

namespace tabula::render {

namespace {

// One direction of a block: from the corner given first to the one given second, in
// either order. A block that does not start at the first shown row (column) also takes
// the grid line before it and one pixel more.
struct Extent {
    int32_t low;
    int32_t high;
};

Extent BlockExtent(int32_t pos1, int32_t size1, int32_t index1, int32_t pos2, int32_t size2,
                   int32_t index2, int32_t firstShown) {
    if (index2 < index1) {
        Extent e{pos2, pos1 + size1};
        if (index2 > firstShown) e.low -= 2;
        return e;
    }
    Extent e{pos1, pos2 + size2};
    if (index1 > firstShown) e.low -= 2;
    return e;
}

}  // namespace

bool SelectionShown(const GridState& s) {
    return s.AllowSelection && s.SelectionMode >= SelectionByRow;
}

void InvertBlock(GridRecord& grid, int32_t r1, int32_t c1, int32_t r2, int32_t c2) {
    const GridState& s = grid.state;
    if (s.Rows < 1 || s.Cols < 1) return;
    if ((r1 < s.TopRow && r2 < s.TopRow) || (c1 < s.LeftCol && c2 < s.LeftCol)) return;
    const CellPlace p1 = CellPosition(grid, r1, c1);
    const CellPlace p2 = CellPosition(grid, r2, c2);
    const Extent across =
        BlockExtent(p1.x, s.ColWidth[c1], c1, p2.x, s.ColWidth[c2], c2, s.LeftCol);
    const Extent down = BlockExtent(p1.y, s.RowHeight[r1], r1, p2.y, s.RowHeight[r2], r2, s.TopRow);
    // With grid lines the block also takes the line after it and one pixel more.
    const int32_t grow = s.ShowGrid ? 2 : 0;
    InvertRect(grid.parts.picGrid.hDC(),
               Rect{across.low, down.low, across.high + grow, down.high + grow});

    // An inversion never leaves the corner square between the bars inverted.
    PaintScrollCorner(grid);
    grid.parts.picGrid.Refresh();
}

void InvertBlock(GridRecord& grid) {
    const GridState& s = grid.state;
    InvertBlock(grid, s.Row1, s.Col1, s.Row2, s.Col2);
}

void ToggleSelection(GridRecord& grid) {
    const GridState& s = grid.state;
    InvertBlock(grid, s.Row1, s.Col1, s.Row2, s.Col2);
    InvertBlock(grid, s.Row1, s.Col1, s.Row1, s.Col1);
}

void ApplySelectionMode(GridRecord& grid) {
    if (ModeShape(grid.state) == BlockShape::Keep) return;
    // The whole look goes and comes back, as ReshapeBlock does.
    ToggleSelection(grid);
    ShapeBlockForMode(grid);
    ToggleSelection(grid);
}

void ShapeBlockForMode(GridRecord& grid) {
    GridState& s = grid.state;
    const BlockShape shape = ModeShape(s);
    if (shape == BlockShape::Keep) return;
    ShapeBlock(s, shape, s.Row, s.Col);
    // A block shrunk to the current cell counts as whole rows until the next release, as a
    // click on its row header would.
    if (shape == BlockShape::Cell) s.RowsSelected = true;
}

void ReshapeBlock(GridRecord& grid, BlockShape shape) {
    GridState& s = grid.state;
    // The whole look goes and comes back, anchor included: erasing the block alone would
    // leave the old anchor inverted wherever the block moves away from it.
    ToggleSelection(grid);
    ShapeBlock(s, shape, s.Row, s.Col);
    ToggleSelection(grid);
}

void HideEditBox(GridRecord& grid) {
    GridState& s = grid.state;
    if (!s.Editor || !s.Editor->Visible()) return;
    // The block is taken off while the box hides, then put back.
    if (SelectionShown(s)) InvertBlock(grid);
    s.Editor->SetVisible(false);
    if (SelectionShown(s)) InvertBlock(grid);
}

void RepaintCurrentCell(GridRecord& grid) {
    // The overlays come off in the reverse order of a full paint and go back in its order.
    DrawFocusCell(grid);
    ToggleSelection(grid);
    PaintCurrentCellPlain(grid);
    ToggleSelection(grid);
    DrawFocusCell(grid);
}

void PaintCurrentCellPlain(GridRecord& grid) {
    const GridState& s = grid.state;
    // A cell above or left of the view would be placed over the first shown one.
    if (!DataCellShown(grid, s.Row, s.Col)) return;
    const CellPlace place = CellPosition(grid, s.Row, s.Col);
    PaintCell(grid, s.Row, s.Col, place.x, place.y, s.ColWidth[s.Col], s.RowHeight[s.Row]);
    // A check box reaches into the grid line under its cell: the lines go back over it.
    DrawGridLines(grid);
}

void DrawFocusCell(GridRecord& grid, int32_t row, int32_t col) {
    GridState& s = grid.state;
    if (s.Rows < 1 || s.Cols < 1) return;
    if (DataCellShown(grid, row, col)) {
        const CellPlace place = CellPosition(grid, row, col);
        const int32_t w = s.ColWidth[col];
        const int32_t h = s.RowHeight[row];
        DrawFocusRect(grid.parts.picGrid.hDC(), MakeRect(place.x, place.y, w, h));
        // The edit box lies over the cell in the control's coordinates (picGrid sits
        // at 2, 2): one pixel right of the cell's left edge, level with its top.
        if (TextBox* editor = s.Editor) {
            editor->Move(place.x + 3, place.y + 2, std::max(w - 3, 0), h);
            if (s.Editing) {
                editor->SetVisible(true);
                const int16_t limit = s.ColEditWidth[col];
                editor->SetMaxLength(limit >= 0 ? limit : 0);
                if (s.SelectText) {
                    editor->SetSelStart(0);
                    editor->SetSelLength(editor->TextLength());
                }
            } else if (editor->Visible()) {
                HideEditBox(grid);
                editor->ZOrder(1);
            }
        }
    }
    grid.parts.picGrid.Refresh();
}

void DrawFocusCell(GridRecord& grid) {
    const GridState& s = grid.state;
    DrawFocusCell(grid, s.Row, s.Col);
}

}  // namespace tabula::render
