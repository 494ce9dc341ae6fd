#include "input/Keyboard.h"

#include <algorithm>

#include "core/Tabula.h"
#include "input/CheckMark.h"
#include "input/Selection.h"
#include "platform/window/VirtualKeys.h"
#include "render/Layout.h"
#include "render/Overlays.h"
#include "render/Redraw.h"

namespace tabula::input {

namespace {

constexpr int16_t kSpaceAscii = 32;
// The asynchronous Shift state has its top bit set while Shift is held.
constexpr int16_t kShiftHeld = -32767;

bool Editable(const GridState& s, int32_t row, int32_t col) {
    return s.ColAllowEdit[col] && !s.Cells.ReadOnly(row, col);
}

// Moves the bar; a repaint that followed drew the focus rectangle, which is taken off again.
void MoveBar(Tabula& grid, ScrollBar& bar, int32_t value) {
    const int16_t before = bar.Value();
    bar.SetValue(static_cast<int16_t>(value));
    if (bar.Value() == before) return;
    const bool repainted = &bar == &grid.scrHorizontal || bar.Visible();
    if (repainted) render::DrawFocusCell(grid);
}

// One row further down when the current row does not fit above the bottom.
void ScrollDownIfCut(Tabula& grid) {
    GridState& s = grid.State();
    const int32_t y = render::CellPosition(grid, s.Row, s.Col).y;
    const int32_t bar = grid.scrHorizontal.Visible() ? grid.scrHorizontal.Height() : 0;
    const bool fits = grid.picGrid.ScaleHeight() - s.RowHeight[s.Row] - bar >= y;
    if (!fits && grid.scrVertical.Value() < grid.scrVertical.Max())
        MoveBar(grid, grid.scrVertical, grid.scrVertical.Value() + 1);
}

// One column further right when the current column does not fit left of the edge.
void ScrollRightIfCut(Tabula& grid) {
    GridState& s = grid.State();
    const int32_t x = render::CellPosition(grid, s.Row, s.Col).x;
    const int32_t bar = grid.scrVertical.Visible() ? grid.scrVertical.Width() : 0;
    const bool fits = grid.picGrid.ScaleWidth() - s.ColWidth[s.Col] - bar >= x;
    if (!fits && grid.scrHorizontal.Value() < grid.scrHorizontal.Max())
        MoveBar(grid, grid.scrHorizontal, grid.scrHorizontal.Value() + 1);
}

void StepBack(Tabula& grid, ScrollBar& bar) {
    if (bar.Value() >= 2) MoveBar(grid, bar, bar.Value() - 1);
}

// The previous row's last column; the horizontal bar goes to its end.
void WrapToPreviousRow(Tabula& grid) {
    GridState& s = grid.State();
    s.Row -= 1;
    s.Col = s.Cols;
    if (grid.scrHorizontal.Visible()) MoveBar(grid, grid.scrHorizontal, grid.scrHorizontal.Max());
    if (s.Row < s.TopRow) StepBack(grid, grid.scrVertical);
}

// The next row's first column; the horizontal bar goes back to its start.
void WrapToNextRow(Tabula& grid) {
    GridState& s = grid.State();
    s.Row += 1;
    s.Col = 1;
    if (grid.scrHorizontal.Visible()) MoveBar(grid, grid.scrHorizontal, 1);
    ScrollDownIfCut(grid);
}

void MoveLeft(Tabula& grid, int32_t lastRow, int32_t lastCol) {
    GridState& s = grid.State();
    if (s.Col < 1) return;
    render::DrawFocusCell(grid);
    s.Col -= 1;
    if (s.Col < 1) {
        if (s.Row < 2)
            s.Col = lastCol;  // the first row does not wrap
        else
            WrapToPreviousRow(grid);
    }
    while (!Editable(s, s.Row, s.Col)) {
        s.Col -= 1;
        if (s.Col < s.LeftCol) StepBack(grid, grid.scrHorizontal);
        if (s.Col >= 1) continue;
        if (s.Row - 1 < 1) {
            s.Row = lastRow;
            s.Col = lastCol;
            break;
        }
        WrapToPreviousRow(grid);
    }
    if (s.Col < s.LeftCol) StepBack(grid, grid.scrHorizontal);
    render::DrawFocusCell(grid);
    if (s.AllowSelection && s.SelectionMode == SelectionByCol) SelectColumnBlock(grid);
}

void MoveRight(Tabula& grid, int32_t lastRow, int32_t lastCol) {
    GridState& s = grid.State();
    if (s.Col > s.Cols) return;
    render::DrawFocusCell(grid);
    s.Col += 1;
    if (s.Col > s.Cols) {
        if (s.Row >= s.Rows)
            s.Col = lastCol;  // the last row does not wrap
        else
            WrapToNextRow(grid);
    }
    while (!Editable(s, s.Row, s.Col)) {
        s.Col += 1;
        if (s.Col <= s.Cols) continue;
        if (s.Row + 1 > s.Rows) {
            s.Row = lastRow;
            s.Col = lastCol;
            break;
        }
        WrapToNextRow(grid);
    }
    ScrollRightIfCut(grid);
    render::DrawFocusCell(grid);
    if (s.AllowSelection && s.SelectionMode == SelectionByCol) SelectColumnBlock(grid);
    if (s.AllowSelection && s.SelectionMode == SelectionByRow) SelectRowBlock(grid);
}

void MoveUp(Tabula& grid) {
    GridState& s = grid.State();
    if (s.Row < 2) return;
    render::DrawFocusCell(grid);
    s.Row -= 1;
    if (s.Row < s.TopRow) StepBack(grid, grid.scrVertical);
    render::DrawFocusCell(grid);
    if (s.AllowSelection && s.SelectionMode == SelectionByRow) SelectRowBlock(grid);
}

void MoveDown(Tabula& grid) {
    GridState& s = grid.State();
    if (s.Row >= s.Rows) return;
    render::DrawFocusCell(grid);
    s.Row += 1;
    ScrollDownIfCut(grid);
    render::DrawFocusCell(grid);
    if (s.AllowSelection && s.SelectionMode == SelectionByRow) SelectRowBlock(grid);
}

}  // namespace

void NavigateKeyDown(Tabula& grid, int16_t keyCode, int16_t shift) {
    GridState& s = grid.State();
    const int32_t lastRow = s.Row, lastCol = s.Col;
    const bool tab = keyCode == VK_TAB && s.UseTABKey;
    const bool arrowOrTab = keyCode == VK_LEFT || keyCode == VK_UP || keyCode == VK_RIGHT ||
                            keyCode == VK_DOWN || keyCode == VK_TAB;
    if (keyCode == VK_LEFT || (tab && shift <= kShiftHeld))
        MoveLeft(grid, lastRow, lastCol);
    else if (keyCode == VK_RIGHT || (tab && shift == 0))
        MoveRight(grid, lastRow, lastCol);
    else if (keyCode == VK_UP)
        MoveUp(grid);
    else if (keyCode == VK_DOWN)
        MoveDown(grid);
    if (arrowOrTab) {
        render::HideEditBox(grid);
        // Closing the lookup list and placing the cell's buttons join here with their
        // columns.
        grid.cmdLookup.SetVisible(false);
    }
    grid.picGrid.Refresh();
    if (s.Row != lastRow || s.Col != lastCol) grid.Events().RowColChange(lastRow, lastCol);
}

void NavigateKeyUp(Tabula& grid, int16_t keyCode) {
    GridState& s = grid.State();
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
    // The full repaint draws the focus at the new row; the bar then makes it the top row.
    render::PaintGrid(grid, render::PaintHeader::Yes);
    grid.scrVertical.SetValue(static_cast<int16_t>(std::min(s.Row, int32_t{INT16_MAX})));
    ApplySelectionMode(grid);
}

void KeyReleased(Tabula& grid, int16_t keyCode, int16_t shift) {
    const GridState& s = grid.State();
    const int32_t lastRow = s.Row, lastCol = s.Col;
    NavigateKeyUp(grid, keyCode);
    grid.Events().KeyUp(keyCode, shift);
    if (s.Row != lastRow || s.Col != lastCol) grid.Events().RowColChange(lastRow, lastCol);
}

void CharacterTyped(Tabula& grid, int16_t keyAscii) {
    GridState& s = grid.State();
    if (s.Rows < 1 || s.Cols < 1) return;
    if (s.ColMask[s.Col] != checkmark) {
        // Starting an edit with the character (any but Tab) joins here with the editor.
        return;
    }
    CheckMarkHit(grid, keyAscii == kSpaceAscii);
}

}  // namespace tabula::input
