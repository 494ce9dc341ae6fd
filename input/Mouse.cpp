#include "input/Mouse.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/Tabula.h"
#include "input/CheckMark.h"
#include "platform/text/Utf8.h"
#include "platform/window/Windows.h"
#include "render/CellPainter.h"
#include "render/Layout.h"
#include "render/Overlays.h"
#include "render/Redraw.h"

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

int16_t ToInteger16(int32_t v) {
    return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX));
}

// One axis of the hit test. The header (when shown) owns 1 .. size + 1, its cell and the
// grid line under it; the data rows (columns) follow from `first`, each owning y .. y + h.
int32_t IndexAt(float pos, bool header, const std::vector<int16_t>& sizes, int32_t first,
                int32_t count, int32_t lineWidth) {
    int64_t at = 1;
    if (header) {
        if (pos > 0 && pos <= sizes[0] + 1) return 0;
        at = sizes[0] + lineWidth + 1;
    }
    for (int32_t i = first; i <= count; ++i) {
        if (pos < at) break;
        const int32_t size = sizes[i];
        if (pos <= at + size) return i;
        at += size + lineWidth;
    }
    return -1;
}

void FocusSurface(Tabula& grid) {
    if (grid.picGrid.Visible()) grid.picGrid.SetFocus();
}

// Repaints a header cell (row 0 or column 0) where a full paint puts it, if it is shown.
void RepaintHeaderCell(Tabula& grid, int32_t row, int32_t col) {
    const GridState& s = grid.State();
    if ((row == 0 && !s.ColHeader) || (col == 0 && !s.RowHeader)) return;
    if ((row > 0 && row < s.TopRow) || (col > 0 && col < s.LeftCol)) return;
    const render::CellPlace place = render::CellPosition(grid, row, col);
    if (place.outOfView) return;
    // The layout places the header row and column at the first shown data row and column.
    const int32_t x = col == 0 ? 1 : place.x;
    const int32_t y = row == 0 ? 1 : place.y;
    render::PaintCell(grid, row, col, x, y, s.ColWidth[col], s.RowHeight[row]);
}

void SetPressed(Tabula& grid, int32_t row, int32_t col, bool pressed) {
    grid.State().Cells.SetValue(row, col, pressed ? -1 : 0);
    RepaintHeaderCell(grid, row, col);
}

// The headers of the old block lose their pressed look: the corner, the column headers
// Col1..Col2 and the row headers Row1..Row2 (upward only, as the corners are stored).
void ClearPressedHeaders(Tabula& grid) {
    GridState& s = grid.State();
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
bool InBarCorner(Tabula& grid, float x, float y) {
    return grid.scrVertical.Visible() && grid.scrHorizontal.Visible() &&
           x > grid.scrVertical.Left() && y > grid.scrHorizontal.Top();
}

void StartColumnResize(Tabula& grid, float x) {
    grid.picSizer.Move(ToPixel(x), 0, kSizerThickness, grid.ScaleHeight());
    grid.picSizer.SetVisible(true);
    grid.picSizer.ZOrder(0);
    grid.State().SizingColumn = true;
}

void StartRowResize(Tabula& grid, float y) {
    grid.picSizer.Move(0, ToPixel(y), grid.ScaleWidth(), kSizerThickness);
    grid.picSizer.SetVisible(true);
    grid.picSizer.ZOrder(0);
    grid.State().SizingRow = true;
}

// A press on a header cell (row or column 0). A plain click applies the header rules of
// the selection mode; a Shift-click selects nothing. Either way the current cell goes to
// the block's anchor.
void PressHeader(Tabula& grid, int32_t row, int32_t col, int16_t shift) {
    GridState& s = grid.State();
    const bool shiftClick = (shift & vbShiftMask) && s.AllowSelection;
    // A Shift-click leaves the block and its look alone: only the focus moves.
    if (!shiftClick && grid.BlockSelected()) render::ToggleSelection(grid);
    render::DrawFocusCell(grid);
    if (!shiftClick && s.AllowSelection) {
        const int16_t mode = s.SelectionMode;
        if (mode == SelectionByCol && row == 0 && col >= 1) {
            s.Row1 = 0;
            s.Row2 = s.Rows;
            s.Col1 = s.Col2 = col;
            s.ColsSelected = true;
            SetPressed(grid, 0, col, true);
        } else if ((mode == SelectionByRow || mode == SelectionByRowHeader) && row >= 1 &&
                   col == 0) {
            s.Row1 = s.Row2 = row;
            s.Col1 = 0;
            s.Col2 = s.Cols;
            s.RowsSelected = true;
            SetPressed(grid, row, 0, true);
        } else if (mode == SelectionFree && row == 0 && col == 0) {
            s.Row1 = s.Col1 = 1;
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
bool PressCell(Tabula& grid, int32_t row, int32_t col, int16_t shift) {
    GridState& s = grid.State();
    // A cell cut off by the right or bottom edge scrolls one step into view instead of
    // starting a drag selection.
    const render::CellPlace place = render::CellPosition(grid, row, col);
    const bool pastRight = place.x + s.ColWidth[col] > grid.scrVertical.Left();
    const bool pastBottom = place.y + s.RowHeight[row] > grid.scrHorizontal.Top();
    ScrollBar& across = grid.scrHorizontal;
    if (pastRight && across.Visible() && across.Value() < across.Max()) {
        s.MouseButtonDown = false;
        across.SetValue(across.Value() + 1);
    }
    ScrollBar& down = grid.scrVertical;
    if (pastBottom && down.Visible() && down.Value() < down.Max()) {
        s.MouseButtonDown = false;
        down.SetValue(down.Value() + 1);
    }

    const int16_t mode = s.SelectionMode;
    if ((shift & vbShiftMask) && s.AllowSelection) {
        render::ToggleSelection(grid);
        s.Row2 = row;
        s.Col2 = col;
        if (mode == SelectionByRow) s.Col2 = s.Cols;
        if (mode == SelectionByCol) s.Row2 = s.Rows;
        render::ToggleSelection(grid);
        return true;
    }

    if (grid.BlockSelected()) render::ToggleSelection(grid);
    s.Row1 = s.Row2 = row;
    s.Col1 = s.Col2 = col;
    if (s.AllowSelection && mode == SelectionByRow) {
        s.Col1 = 0;
        s.Col2 = s.Cols;
        s.RowsSelected = true;
    } else if (s.AllowSelection && mode == SelectionByCol) {
        s.Row1 = 0;
        s.Row2 = s.Rows;
        s.ColsSelected = true;
    }
    render::ToggleSelection(grid);

    if (row == s.Row && col == s.Col) return false;
    if (s.Editing) {
        // Committing the edit in progress joins here with the editor.
    } else {
        render::DrawFocusCell(grid);
    }
    s.Row = row;
    s.Col = col;
    render::DrawFocusCell(grid);
    return false;
}

// What every press ends with, except one in the square between the bars.
void FinishPress(Tabula& grid, int32_t row, int32_t col, bool extended, int32_t lastRow,
                 int32_t lastCol) {
    GridState& s = grid.State();
    if (s.Editor && s.Editor->Visible()) {
        render::HideEditBox(grid);
        if (s.Editing) {
            grid.Events().AfterEdit(s.Row, s.Col, s.Cells.Text(s.Row, s.Col));
            FocusSurface(grid);
        }
    }
    // Closing the lookup list joins here with the lookup columns.
    grid.cmdLookup.SetVisible(false);
    // Placing the cell buttons joins here with the button columns.

    // A Shift-click that stretched the block toggles nothing: the cell it hit is not the
    // current one.
    if (!extended && row >= 1 && col >= 1 && s.ColMask[s.Col] == checkmark)
        CheckMarkHit(grid, true);

    if (s.Row != lastRow || s.Col != lastCol) grid.Events().RowColChange(lastRow, lastCol);
}

// Shows the sizing pointer over a column boundary in the header row, or over a row
// boundary in the header column, while user resizing is allowed.
void HoverBoundary(Tabula& grid, float x, float y) {
    GridState& s = grid.State();
    const auto find = [](const std::vector<int32_t>& boundaries, float pos, size_t skip) {
        for (size_t i = skip; i < boundaries.size(); ++i) {
            if (std::fabs(static_cast<float>(boundaries[i]) - pos) < kBoundaryTolerance)
                return static_cast<int32_t>(i + 1);
        }
        return int32_t{-1};
    };
    int16_t pointer = grid.MousePointer();
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
    grid.picGrid.SetMousePointer(pointer);
}

// A drag selection in SelectionFree: the extent follows the pointer over the data cells;
// outside them (or over a header) the grid scrolls one step per move.
void DragSelection(Tabula& grid, float x, float y, int32_t w, int32_t h) {
    GridState& s = grid.State();
    ScrollBar& down = grid.scrVertical;
    ScrollBar& across = grid.scrHorizontal;
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
    if (changed) grid.picGrid.Refresh();
    // Putting the cursor where it is makes the platform send one more move, so scrolling
    // goes on while the mouse is still. Only a move that scrolled asks for another: at
    // the bars' ends the moves stop, and the message queue runs dry.
    if (stepped) {
        Point at;
        if (GetCursorPos(&at)) SetCursorPos(at.x, at.y);
    }
}

}  // namespace

int32_t RowAtY(Tabula& grid, float y) {
    const GridState& s = grid.State();
    return IndexAt(y, s.ColHeader, s.RowHeight, s.TopRow, s.Rows, s.ShowGrid ? 1 : 0);
}

int32_t ColAtX(Tabula& grid, float x) {
    const GridState& s = grid.State();
    return IndexAt(x, s.RowHeader, s.ColWidth, s.LeftCol, s.Cols, s.ShowGrid ? 1 : 0);
}

void MouseDown(Tabula& grid, int16_t, int16_t shift, float x, float y) {
    GridState& s = grid.State();
    const int32_t lastRow = s.Row, lastCol = s.Col;
    s.MouseButtonDown = true;
    int32_t row = -1, col = -1;
    bool extended = false;
    const int16_t pointer = grid.picGrid.MousePointer();
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
        row = RowAtY(grid, y);
        col = ColAtX(grid, x);
        s.HeaderClicked = row < 1 || col < 1;
        if (row >= 0 && col >= 0 && (row == 0 || col == 0))
            PressHeader(grid, row, col, shift);
        else if (row >= 1 && col >= 1)
            extended = PressCell(grid, row, col, shift);
    }
    FinishPress(grid, row, col, extended, lastRow, lastCol);
}

void MouseMove(Tabula& grid, int16_t, int16_t, float x, float y) {
    GridState& s = grid.State();
    s.MouseRow = RowAtY(grid, y);
    s.MouseCol = ColAtX(grid, x);
    const int16_t w = ToInteger16(grid.picGrid.ScaleWidth());
    const int16_t h = ToInteger16(grid.picGrid.ScaleHeight());

    // The sizing bar follows in its one axis; past the cell area it stays where it was.
    if (s.SizingColumn) {
        const int32_t limit = grid.scrVertical.Visible() ? grid.scrVertical.Left() - 1 : w;
        if (x <= limit) grid.picSizer.Move(ToPixel(x), grid.picSizer.Top());
        return;
    }
    if (s.SizingRow) {
        const int32_t limit = grid.scrHorizontal.Visible() ? grid.scrHorizontal.Top() - 1 : h;
        if (y <= limit) grid.picSizer.Move(grid.picSizer.Left(), ToPixel(y));
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

void MouseUp(Tabula& grid, int16_t, int16_t, float, float) {
    GridState& s = grid.State();
    s.MouseButtonDown = s.RowsSelected = s.ColsSelected = false;
    grid.picSizer.SetVisible(false);

    // The boundary is the one hovered when the resize began; the new size runs from the
    // boundary before it to where the bar was let go, and never below 0.
    if (s.SizingColumn) {
        s.SizingColumn = false;
        const int32_t i = s.HoverColBoundary;
        // A boundary no longer listed (or a resize begun without one) resizes nothing.
        if (i >= 1 && i <= static_cast<int32_t>(s.ColBoundaries.size())) {
            const int32_t left = grid.picSizer.Left();
            const int32_t width = i < 2 ? left : left - s.ColBoundaries[i - 2];
            const int32_t column =
                i == 1 && s.RowHeader ? 0 : s.LeftCol + i - (s.RowHeader ? 2 : 1);
            if (column <= s.Cols) grid.SetColWidth(column, std::max(width, 0));
            // Placing the cell buttons joins here with the button columns.
        }
    }
    if (s.SizingRow) {
        s.SizingRow = false;
        const int32_t i = s.HoverRowBoundary;
        if (i >= 1 && i <= static_cast<int32_t>(s.RowBoundaries.size())) {
            const int32_t top = grid.picSizer.Top();
            const int32_t height = i < 2 ? top : top - s.RowBoundaries[i - 2];
            const int32_t row = i == 1 ? 0 : s.TopRow + i - 2;
            if (row <= s.Rows) grid.SetRowHeight(row, std::max(height, 0));
        }
    }
}

void DblClick(Tabula& grid) {
    GridState& s = grid.State();
    // The cell under the mouse is the one of its last move: the table may have shrunk since.
    if (s.MouseRow > s.Rows || s.MouseCol > s.Cols) return;
    if (s.MouseRow > 0 && s.MouseCol > 0) {
        if (s.ColMask[s.MouseCol] != checkmark && !s.HeaderClicked) {
            // Starting an edit of the current cell joins here with the editor.
        }
        return;
    }
    // Right of the last column there is no column to fit.
    if (grid.picGrid.MousePointer() != vbSizeWE || s.MouseCol < 0) return;
    const int32_t col = s.MouseCol;
    std::string longest;
    size_t longestLength = 0;
    for (int32_t r = 0; r <= s.Rows; ++r) {
        const std::string& text = s.Cells.Text(r, col);
        const size_t length = Utf8Length(text);
        if (length > longestLength) {
            longest = text;
            longestLength = length;
        }
    }
    const int32_t width = grid.picGrid.TextWidth(longest) + kFitMargin;
    // The column only grows; the store bypasses the ColWidth write and its redraw rule.
    if (width > s.ColWidth[col]) s.ColWidth[col] = ToInteger16(width);
    grid.Refresh();
}

void SurfaceMouseDown(Tabula& grid, int16_t button, int16_t shift, float x, float y) {
    if (button == vbLeftButton) grid.MouseDown(button, shift, x, y);
    const GridState& s = grid.State();
    if (!s.SizingColumn && !s.SizingRow) grid.Events().MouseDown(button, shift, x, y);
}

void SurfaceMouseMove(Tabula& grid, int16_t button, int16_t shift, float x, float y) {
    grid.MouseMove(button, shift, x, y);
    // The tool tip the application gave the control shows over the cells.
    if (grid.ToolTipText() != grid.picGrid.ToolTipText())
        grid.picGrid.SetToolTipText(grid.ToolTipText());
    grid.Events().MouseMove(button, shift, x, y);
}

void SurfaceMouseUp(Tabula& grid, int16_t button, int16_t shift, float x, float y) {
    grid.MouseUp(button, shift, x, y);
    grid.Events().MouseUp(button, shift, x, y);
}

void SurfaceClick(Tabula& grid) {
    grid.Events().Click();
}

void SurfaceDblClick(Tabula& grid) {
    grid.Events().DblClick();
    grid.DblClick();
}

}  // namespace tabula::input

namespace tabula {

void Tabula::MouseDown(int16_t button, int16_t shift, float x, float y) {
    input::MouseDown(*this, button, shift, x, y);
}

void Tabula::MouseMove(int16_t button, int16_t shift, float x, float y) {
    input::MouseMove(*this, button, shift, x, y);
}

void Tabula::MouseUp(int16_t button, int16_t shift, float x, float y) {
    input::MouseUp(*this, button, shift, x, y);
}

void Tabula::DblClick() {
    input::DblClick(*this);
}

}  // namespace tabula
