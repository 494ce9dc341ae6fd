#include "input/Keyboard.h"

#include <algorithm>

#include "edit/Editor.h"
#include "grid/Block.h"
#include "grid/CellQueries.h"
#include "grid/GridRecord.h"
#include "input/CheckMark.h"
#include "platform/window/VirtualKeys.h"
#include "render/CellButtons.h"
#include "render/Layout.h"
#include "render/Overlays.h"
#include "render/Redraw.h"
#include "render/Scrolling.h"

namespace tabula::input {

namespace {

constexpr int16_t kTabAscii = 9;
constexpr int16_t kSpaceAscii = 32;
// The asynchronous Shift state has its top bit set while Shift is held.
constexpr int16_t kShiftHeld = -32767;

// The block follows the move when the selection mode gives it this shape.
void FollowMode(GridRecord& grid, BlockShape shape) {
    if (ModeShape(grid.state) == shape) render::ReshapeBlock(grid, shape);
}

void MoveBar(GridRecord& grid, ScrollBar& bar, int32_t value) {
    render::MoveBarFocusOff(grid, bar, value);
}

void StepBack(GridRecord& grid, ScrollBar& bar) {
    if (bar.Value() >= 2) MoveBar(grid, bar, bar.Value() - 1);
}

// The previous row's last column; the horizontal bar goes to its end.
void WrapToPreviousRow(GridRecord& grid) {
    GridState& s = grid.state;
    s.Row -= 1;
    s.Col = s.Cols;
    if (grid.parts.scrHorizontal.Visible())
        MoveBar(grid, grid.parts.scrHorizontal, grid.parts.scrHorizontal.Max());
    if (s.Row < s.TopRow) StepBack(grid, grid.parts.scrVertical);
}

// The next row's first column; the horizontal bar goes back to its start.
void WrapToNextRow(GridRecord& grid) {
    GridState& s = grid.state;
    s.Row += 1;
    s.Col = 1;
    if (grid.parts.scrHorizontal.Visible()) MoveBar(grid, grid.parts.scrHorizontal, 1);
    render::ScrollDownIfCut(grid);
}

void MoveLeft(GridRecord& grid, int32_t lastRow, int32_t lastCol) {
    GridState& s = grid.state;
    if (s.Col < 1) return;
    render::DrawFocusCell(grid);
    s.Col -= 1;
    if (s.Col < 1) {
        if (s.Row < 2)
            s.Col = lastCol;  // the first row does not wrap
        else
            WrapToPreviousRow(grid);
    }
    while (!CellEditable(s, s.Row, s.Col)) {
        s.Col -= 1;
        if (s.Col < s.LeftCol) StepBack(grid, grid.parts.scrHorizontal);
        if (s.Col >= 1) continue;
        if (s.Row - 1 < 1) {
            s.Row = lastRow;
            s.Col = lastCol;
            break;
        }
        WrapToPreviousRow(grid);
    }
    if (s.Col < s.LeftCol) StepBack(grid, grid.parts.scrHorizontal);
    render::DrawFocusCell(grid);
    FollowMode(grid, BlockShape::Column);
}

void MoveRight(GridRecord& grid, int32_t lastRow, int32_t lastCol) {
    GridState& s = grid.state;
    if (s.Col > s.Cols) return;
    render::DrawFocusCell(grid);
    s.Col += 1;
    if (s.Col > s.Cols) {
        if (s.Row >= s.Rows)
            s.Col = lastCol;  // the last row does not wrap
        else
            WrapToNextRow(grid);
    }
    while (!CellEditable(s, s.Row, s.Col)) {
        s.Col += 1;
        if (s.Col <= s.Cols) continue;
        if (s.Row + 1 > s.Rows) {
            s.Row = lastRow;
            s.Col = lastCol;
            break;
        }
        WrapToNextRow(grid);
    }
    render::ScrollRightIfCut(grid);
    render::DrawFocusCell(grid);
    FollowMode(grid, BlockShape::Column);
    FollowMode(grid, BlockShape::Row);
}

void MoveUp(GridRecord& grid) {
    GridState& s = grid.state;
    if (s.Row < 2) return;
    render::DrawFocusCell(grid);
    s.Row -= 1;
    if (s.Row < s.TopRow) StepBack(grid, grid.parts.scrVertical);
    render::DrawFocusCell(grid);
    FollowMode(grid, BlockShape::Row);
}

void MoveDown(GridRecord& grid) {
    GridState& s = grid.state;
    if (s.Row >= s.Rows) return;
    render::DrawFocusCell(grid);
    s.Row += 1;
    render::ScrollDownIfCut(grid);
    render::DrawFocusCell(grid);
    FollowMode(grid, BlockShape::Row);
}

}  // namespace

void NavigateKeyDown(GridRecord& grid, int16_t keyCode, int16_t shift) {
    GridState& s = grid.state;
    const int32_t lastRow = s.Row, lastCol = s.Col;
    const bool tab = keyCode == VK_TAB && s.UseTABKey;
    const bool arrowOrTab = keyCode == VK_LEFT || keyCode == VK_UP || keyCode == VK_RIGHT ||
                            keyCode == VK_DOWN || keyCode == VK_TAB;
    // The method is public: a move while the box is open stores the edit first.
    if (arrowOrTab) edit::CommitEdit(grid);
    // Without data rows or columns there is no cell to move to.
    const bool cells = s.Rows >= 1 && s.Cols >= 1;
    if (cells && (keyCode == VK_LEFT || (tab && shift <= kShiftHeld)))
        MoveLeft(grid, lastRow, lastCol);
    else if (cells && (keyCode == VK_RIGHT || (tab && shift == 0)))
        MoveRight(grid, lastRow, lastCol);
    else if (cells && keyCode == VK_UP)
        MoveUp(grid);
    else if (cells && keyCode == VK_DOWN)
        MoveDown(grid);
    if (arrowOrTab) {
        render::HideEditBox(grid);
        render::PlaceCellButtons(grid);
    }
    grid.parts.picGrid.Refresh();
    if (s.Row != lastRow || s.Col != lastCol) grid.events.RowColChange(lastRow, lastCol);
}

void NavigateKeyUp(GridRecord& grid, int16_t keyCode) {
    GridState& s = grid.state;
    // The repaint below draws over the picture of the old current row.
    render::PaintPending(grid);
    switch (keyCode) {
        case VK_HOME:
            s.Row = 1;
            break;
        case VK_END:
            s.Row = s.Rows;
            break;
        case VK_PRIOR:
            if (s.PageRows > 0) s.Row -= s.PageRows;
            if (s.Row < 1) s.Row = 1;
            break;
        case VK_NEXT:
            if (s.PageRows > 0) s.Row += s.PageRows;
            if (s.Row > s.Rows || s.Row < 1) s.Row = s.Rows;
            break;
        default:
            return;
    }
    // Without data rows the current row stays on the header: no key makes a row up.
    s.Row = std::min(s.Row, s.Rows);
    // The full repaint draws the focus at the new row; the bar then makes it the top row.
    render::PaintGrid(grid, render::PaintHeader::Yes);
    grid.parts.scrVertical.SetValue(static_cast<int16_t>(std::min(s.Row, int32_t{INT16_MAX})));
    render::PlaceCellButtons(grid);
    render::ApplySelectionMode(grid);
}

void KeyReleased(GridRecord& grid, int16_t keyCode, int16_t shift) {
    const GridState& s = grid.state;
    const int32_t lastRow = s.Row, lastCol = s.Col;
    NavigateKeyUp(grid, keyCode);
    grid.events.KeyUp(keyCode, shift);
    if (s.Row != lastRow || s.Col != lastCol) grid.events.RowColChange(lastRow, lastCol);
}

void CharacterTyped(GridRecord& grid, edit::ColumnMasks& masks, int16_t keyAscii) {
    GridState& s = grid.state;
    if (s.Rows < 1 || s.Cols < 1) return;
    if (s.ColMask[s.Col] != checkmark) {
        // A key a handler vetoed to 0 starts nothing.
        if (keyAscii != kTabAscii && keyAscii != 0) edit::StartEdit(grid, masks, keyAscii, false);
        return;
    }
    CheckMarkHit(grid, keyAscii == kSpaceAscii, edit::MoveEvent::Raise);
}

}  // namespace tabula::input
