#include "input/Mouse.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "edit/Editor.h"
#include "grid/Block.h"
#include "grid/GridRecord.h"
#include "input/CheckMark.h"
#include "platform/text/Utf8.h"
#include "platform/window/Windows.h"
#include "render/CellButtons.h"
#include "render/CellPainter.h"
#include "render/Layout.h"
#include "render/Overlays.h"
#include "render/Redraw.h"
#include "render/SizeWrites.h"

namespace tabula::input {

namespace {

// Boundaries closer than this (strictly) to the pointer catch it.
constexpr float kBoundaryTolerance = 2.0f;
constexpr int32_t kFitMargin = 5;
constexpr int32_t kSizerThickness = 2;

// A float coordinate as a pixel: rounded half to even, clamped far beyond any surface,
// not-a-number as 0.
int32_t ToPixel(float v) {
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::nearbyint(std::clamp(v, -1.0e6f, 1.0e6f)));
}

int16_t ToInteger16(int64_t v) {
    return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}

// Repaints a header cell (row 0 or column 0) where a full paint puts it, if it is shown.
void RepaintHeaderCell(GridRecord& grid, int32_t row, int32_t col) {
    const GridState& s = grid.state;
    if ((row == 0 && !s.ColHeader) || (col == 0 && !s.RowHeader)) return;
    if ((row > 0 && row < s.TopRow) || (col > 0 && col < s.LeftCol)) return;
    const render::CellPlace place = render::CellPosition(grid, row, col);
    if (place.outOfView) return;
    // The layout places the header row and column at the first shown data row and column.
    const int32_t x = col == 0 ? 1 : place.x;
    const int32_t y = row == 0 ? 1 : place.y;
    render::PaintCell(grid, row, col, x, y, s.ColWidth[col], s.RowHeight[row]);
}

void SetPressed(GridRecord& grid, int32_t row, int32_t col, bool pressed) {
    grid.state.Cells.SetValue(row, col, pressed ? -1 : 0);
    RepaintHeaderCell(grid, row, col);
}

// The headers of the old block lose their pressed look: the corner, the column headers
// Col1..Col2 and the row headers Row1..Row2 (upward only, as the corners are stored).
void ClearPressedHeaders(GridRecord& grid) {
    GridState& s = grid.state;
    const auto clear = [&](int32_t row, int32_t col) {
        if (s.Cells.Value(row, col) != 0) SetPressed(grid, row, col, false);
    };
    clear(0, 0);
    for (int32_t c = s.Col1; c <= s.Col2; ++c)
        clear(0, c);
    for (int32_t r = s.Row1; r <= s.Row2; ++r)
        clear(r, 0);
}

// The square between the two bars, which lie over picGrid.
bool InBarCorner(GridRecord& grid, float x, float y) {
    return grid.parts.scrVertical.Visible() && grid.parts.scrHorizontal.Visible() &&
           x > grid.parts.scrVertical.Left() && y > grid.parts.scrHorizontal.Top();
}

void StartColumnResize(GridRecord& grid, float x) {
    grid.parts.picSizer.Move(ToPixel(x), 0, kSizerThickness, grid.parts.control.ScaleHeight());
    grid.parts.picSizer.SetVisible(true);
    grid.parts.picSizer.ZOrder(0);
    grid.state.SizingColumn = true;
}

void StartRowResize(GridRecord& grid, float y) {
    grid.parts.picSizer.Move(0, ToPixel(y), grid.parts.control.ScaleWidth(), kSizerThickness);
    grid.parts.picSizer.SetVisible(true);
    grid.parts.picSizer.ZOrder(0);
    grid.state.SizingRow = true;
}

// A press on a header cell (row or column 0). A plain click applies the header rules of
// the selection mode; a Shift-click selects nothing. Either way the current cell goes to
// the block's anchor.
void PressHeader(GridRecord& grid, int32_t row, int32_t col, int16_t shift) {
    GridState& s = grid.state;
    const bool shiftClick = (shift & vbShiftMask) && s.AllowSelection;
    // A Shift-click leaves the block and its look alone: only the focus moves.
    if (!shiftClick && BlockSelected(grid.state)) render::ToggleSelection(grid);
    render::DrawFocusCell(grid);
    if (!shiftClick && s.AllowSelection) {
        const int16_t mode = s.SelectionMode;
        if (mode == SelectionByCol && row == 0 && col >= 1) {
            ShapeBlock(s, BlockShape::Column, row, col);
            SetPressed(grid, 0, col, true);
        } else if ((mode == SelectionByRow || mode == SelectionByRowHeader) && row >= 1 &&
                   col == 0) {
            ShapeBlock(s, BlockShape::Row, row, col);
            SetPressed(grid, row, 0, true);
        } else if (mode == SelectionFree && row == 0 && col == 0) {
            // Everything there is: a table without rows or columns has no cell 1.
            s.Row1 = std::min(1, s.Rows);
            s.Col1 = std::min(1, s.Cols);
            s.Row2 = s.Rows;
            s.Col2 = s.Cols;
            for (int32_t c = 1; c <= s.Cols; ++c)
                SetPressed(grid, 0, c, true);
            for (int32_t r = 1; r <= s.Rows; ++r)
                SetPressed(grid, r, 0, true);
            SetPressed(grid, 0, 0, true);
            s.RowsSelected = s.ColsSelected = true;
        }
    }
    if (!shiftClick) render::ToggleSelection(grid);
    if (s.Col1 > 0) s.Col = s.Col1;
    if (s.Row1 > 0) s.Row = s.Row1;
    render::DrawFocusCell(grid);
}

// A press on data cell (row, col). Returns whether it was a Shift-click that moved the
// block's extent (the current cell stays).
bool PressCell(GridRecord& grid, int32_t row, int32_t col, int16_t shift) {
    GridState& s = grid.state;
    // A cell cut off by the right or bottom edge scrolls one step into view instead of
    // starting a drag selection.
    const render::CellPlace place = render::CellPosition(grid, row, col);
    const bool pastRight = place.x + s.ColWidth[col] > grid.parts.scrVertical.Left();
    const bool pastBottom = place.y + s.RowHeight[row] > grid.parts.scrHorizontal.Top();
    ScrollBar& across = grid.parts.scrHorizontal;
    if (pastRight && across.Visible() && across.Value() < across.Max()) {
        s.MouseButtonDown = false;
        across.SetValue(across.Value() + 1);
    }
    ScrollBar& down = grid.parts.scrVertical;
    if (pastBottom && down.Visible() && down.Value() < down.Max()) {
        s.MouseButtonDown = false;
        down.SetValue(down.Value() + 1);
    }

    if ((shift & vbShiftMask) && s.AllowSelection) {
        render::ToggleSelection(grid);
        ExtendBlock(s, row, col);
        render::ToggleSelection(grid);
        return true;
    }

    if (BlockSelected(s)) render::ToggleSelection(grid);
    // A whole row or column in those modes, else the cell alone.
    const BlockShape shape = ModeShape(s);
    const bool whole = shape == BlockShape::Row || shape == BlockShape::Column;
    ShapeBlock(s, whole ? shape : BlockShape::Cell, row, col);
    render::ToggleSelection(grid);

    if (row == s.Row && col == s.Col) return false;
    if (s.Editing)
        edit::CommitEditForClick(grid);
    else
        render::DrawFocusCell(grid);
    s.Row = row;
    s.Col = col;
    render::DrawFocusCell(grid);
    return false;
}

// What every press ends with, except one in the square between the bars.
void FinishPress(GridRecord& grid, int32_t row, int32_t col, bool extended, int32_t lastRow,
                 int32_t lastCol) {
    GridState& s = grid.state;
    // A press that did not move the current cell (a header, the cell under the box's
    // margin) still ends the edit, stored: the box never hides with the edit left open.
    edit::CommitEdit(grid);
    render::HideEditBox(grid);
    render::PlaceCellButtons(grid);

    // A Shift-click that stretched the block toggles nothing: the cell it hit is not the
    // current one.
    if (!extended && row >= 1 && col >= 1 && s.ColMask[s.Col] == checkmark)
        CheckMarkHit(grid, true, edit::MoveEvent::ByCaller);

    if (s.Row != lastRow || s.Col != lastCol) grid.events.RowColChange(lastRow, lastCol);
}

// Shows the sizing pointer over a column boundary in the header row, or over a row
// boundary in the header column, while user resizing is allowed.
void HoverBoundary(GridRecord& grid, float x, float y) {
    GridState& s = grid.state;
    const auto find = [](const std::vector<int32_t>& boundaries, float pos, size_t skip) {
        for (size_t i = skip; i < boundaries.size(); ++i) {
            if (std::fabs(static_cast<float>(boundaries[i]) - pos) < kBoundaryTolerance)
                return static_cast<int32_t>(i + 1);
        }
        return int32_t{-1};
    };
    int16_t pointer = grid.parts.control.MousePointer();
    if (s.ColHeader && s.MouseRow == 0) {
        s.HoverColBoundary = s.AllowUserResizing ? find(s.ColBoundaries, x, 0) : -1;
        if (s.HoverColBoundary != -1) pointer = vbSizeWE;
    } else if (s.RowHeader && s.MouseCol == 0) {
        // Without a header row the first boundary is the top edge of the first row: no
        // row lies above it to resize.
        s.HoverRowBoundary =
            s.AllowUserResizing ? find(s.RowBoundaries, y, s.ColHeader ? 0 : 1) : -1;
        if (s.HoverRowBoundary != -1) pointer = vbSizeNS;
    }
    grid.parts.picGrid.SetMousePointer(pointer);
}

// A drag selection in SelectionFree: the extent follows the pointer over the data cells;
// outside them (or over a header) the grid scrolls one step per move.
void DragSelection(GridRecord& grid, float x, float y, int32_t w, int32_t h) {
    GridState& s = grid.state;
    ScrollBar& down = grid.parts.scrVertical;
    ScrollBar& across = grid.parts.scrHorizontal;
    bool stepped = false;
    bool changed = false;
    if (y < 0 || s.MouseRow == 0) {
        if (down.Value() >= 2) {
            down.SetValue(down.Value() - 1);
            stepped = true;
        }
        changed = true;
    }
    if (x < 0 || s.MouseCol == 0) {
        if (across.Value() >= 2) {
            across.SetValue(across.Value() - 1);
            stepped = true;
        }
        changed = true;
    }
    if (x > w && across.Value() < across.Max()) {
        across.SetValue(across.Value() + 1);
        stepped = changed = true;
    }
    if (y > h && down.Value() < down.Max()) {
        down.SetValue(down.Value() + 1);
        stepped = changed = true;
    }
    if (s.MouseRow >= 1 && s.MouseCol >= 1 && (s.MouseRow != s.Row2 || s.MouseCol != s.Col2)) {
        render::ToggleSelection(grid);
        s.Row2 = s.MouseRow;
        s.Col2 = s.MouseCol;
        render::ToggleSelection(grid);
        changed = true;
    }
    if (changed) grid.parts.picGrid.Refresh();
    // Putting the cursor where it is makes the platform send one more move, so scrolling
    // goes on while the mouse is still. Only a move that scrolled asks for another: at
    // the bars' ends the moves stop, and the message queue runs dry.
    if (stepped) {
        Point at;
        if (GetCursorPos(&at)) SetCursorPos(at.x, at.y);
    }
}

}  // namespace

void MouseDown(GridRecord& grid, int16_t, int16_t shift, float x, float y) {
    GridState& s = grid.state;
    const int32_t lastRow = s.Row, lastCol = s.Col;
    s.MouseButtonDown = true;
    int32_t row = -1, col = -1;
    bool extended = false;
    const int16_t pointer = grid.parts.picGrid.MousePointer();
    if (pointer == vbSizeWE) {
        StartColumnResize(grid, x);
    } else if (pointer == vbSizeNS) {
        StartRowResize(grid, y);
    } else {
        ClearPressedHeaders(grid);
        if (InBarCorner(grid, x, y)) {
            // Nothing else happens, and no drag selection starts from here.
            s.MouseButtonDown = false;
            return;
        }
        row = render::RowAtY(grid, y);
        col = render::ColAtX(grid, x);
        s.HeaderClicked = row < 1 || col < 1;
        if (row >= 0 && col >= 0 && (row == 0 || col == 0))
            PressHeader(grid, row, col, shift);
        else if (row >= 1 && col >= 1)
            extended = PressCell(grid, row, col, shift);
    }
    FinishPress(grid, row, col, extended, lastRow, lastCol);
}

void MouseMove(GridRecord& grid, int16_t, int16_t, float x, float y) {
    GridState& s = grid.state;
    s.MouseRow = render::RowAtY(grid, y);
    s.MouseCol = render::ColAtX(grid, x);
    const int16_t w = ToInteger16(grid.parts.picGrid.ScaleWidth());
    const int16_t h = ToInteger16(grid.parts.picGrid.ScaleHeight());

    // The sizing bar follows in its one axis; past the cell area it stays where it was.
    if (s.SizingColumn) {
        const int32_t limit =
            grid.parts.scrVertical.Visible() ? grid.parts.scrVertical.Left() - 1 : w;
        if (x <= limit) grid.parts.picSizer.Move(ToPixel(x), grid.parts.picSizer.Top());
        return;
    }
    if (s.SizingRow) {
        const int32_t limit =
            grid.parts.scrHorizontal.Visible() ? grid.parts.scrHorizontal.Top() - 1 : h;
        if (y <= limit) grid.parts.picSizer.Move(grid.parts.picSizer.Left(), ToPixel(y));
        return;
    }

    if (!s.MouseButtonDown || !s.AllowSelection || s.SelectionMode != SelectionFree) {
        HoverBoundary(grid, x, y);
        return;
    }
    // A block of whole rows or columns keeps its shape until the release.
    if (s.RowsSelected || s.ColsSelected) return;
    DragSelection(grid, x, y, w, h);
}

void MouseUp(GridRecord& grid, int16_t, int16_t, float, float) {
    GridState& s = grid.state;
    s.MouseButtonDown = s.RowsSelected = s.ColsSelected = false;
    grid.parts.picSizer.SetVisible(false);

    // The boundary is the one hovered when the resize began; the new size runs from the
    // boundary before it to where the bar was let go, and never below 0.
    if (s.SizingColumn) {
        s.SizingColumn = false;
        const int32_t i = s.HoverColBoundary;
        // A boundary no longer listed (or a resize begun without one) resizes nothing.
        if (i >= 1 && i <= static_cast<int32_t>(s.ColBoundaries.size())) {
            const int32_t left = grid.parts.picSizer.Left();
            const int32_t width = i < 2 ? left : left - s.ColBoundaries[i - 2];
            const int32_t column =
                i == 1 && s.RowHeader ? 0 : s.LeftCol + i - (s.RowHeader ? 2 : 1);
            if (column <= s.Cols) render::WriteColWidth(grid, column, std::max(width, 0));
            render::PlaceCellButtons(grid);
        }
    }
    if (s.SizingRow) {
        s.SizingRow = false;
        const int32_t i = s.HoverRowBoundary;
        if (i >= 1 && i <= static_cast<int32_t>(s.RowBoundaries.size())) {
            const int32_t top = grid.parts.picSizer.Top();
            const int32_t height = i < 2 ? top : top - s.RowBoundaries[i - 2];
            const int32_t row = i == 1 ? 0 : s.TopRow + i - 2;
            if (row <= s.Rows) render::WriteRowHeight(grid, row, std::max(height, 0));
        }
    }
}

void DblClick(GridRecord& grid, edit::ColumnMasks& masks) {
    GridState& s = grid.state;
    // The cell under the mouse is the one of its last move: the table may have shrunk since.
    if (s.MouseRow > s.Rows || s.MouseCol > s.Cols) return;
    if (s.MouseRow > 0 && s.MouseCol > 0) {
        if (s.ColMask[s.MouseCol] != checkmark && !s.HeaderClicked)
            edit::StartEdit(grid, masks, 0, false);
        return;
    }
    // Right of the last column there is no column to fit.
    if (grid.parts.picGrid.MousePointer() != vbSizeWE || s.MouseCol < 0) return;
    const int32_t col = s.MouseCol;
    std::string longest;
    size_t longestLength = 0;
    for (int32_t r = 0; r <= s.Rows; ++r) {
        const std::string_view text = s.Cells.Text(r, col);
        const size_t length = Utf8Length(text);
        if (length > longestLength) {
            longest = text;
            longestLength = length;
        }
    }
    const int64_t width = int64_t{grid.parts.picGrid.TextWidth(longest)} + kFitMargin;
    // The column only grows; the store bypasses the ColWidth write and its redraw rule.
    if (width > s.ColWidth[col]) s.ColWidth[col] = ToInteger16(width);
    render::Refresh(grid);
}

void SurfaceMouseDown(GridRecord& grid, int16_t button, int16_t shift, float x, float y) {
    if (button == vbLeftButton) MouseDown(grid, button, shift, x, y);
    const GridState& s = grid.state;
    if (!s.SizingColumn && !s.SizingRow) grid.events.MouseDown(button, shift, x, y);
}

void SurfaceMouseMove(GridRecord& grid, int16_t button, int16_t shift, float x, float y) {
    MouseMove(grid, button, shift, x, y);
    // The tool tip the application gave the control shows over the cells.
    if (grid.parts.control.ToolTipText() != grid.parts.picGrid.ToolTipText())
        grid.parts.picGrid.SetToolTipText(grid.parts.control.ToolTipText());
    grid.events.MouseMove(button, shift, x, y);
}

void SurfaceMouseUp(GridRecord& grid, int16_t button, int16_t shift, float x, float y) {
    MouseUp(grid, button, shift, x, y);
    grid.events.MouseUp(button, shift, x, y);
}

void SurfaceClick(GridRecord& grid) {
    grid.events.Click();
}

void SurfaceDblClick(GridRecord& grid, edit::ColumnMasks& masks) {
    grid.events.DblClick();
    DblClick(grid, masks);
}

}  // namespace tabula::input
