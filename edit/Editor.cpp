#include "edit/Editor.h"

#include <string>

#include "grid/ColumnFormat.h"
#include "grid/RowQueries.h"
#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"
#include "render/CellPainter.h"
#include "render/Layout.h"
#include "render/Overlays.h"
#include "render/Redraw.h"
#include "render/Scrolling.h"
#include "render/SizeWrites.h"

namespace tabula::edit {

namespace {

constexpr int16_t kEnter = 13;
constexpr int16_t kEscape = 27;

TextBox& Box(GridRecord& grid) {
    return grid.state.Editor ? *grid.state.Editor : grid.parts.txtSingle;
}

bool Editable(const GridState& s, int32_t row, int32_t col) {
    return s.ColAllowEdit[col] && !s.Cells.ReadOnly(row, col);
}

bool SelectionShown(const GridState& s) {
    return s.AllowSelection && s.SelectionMode >= SelectionByRow;
}

// The veto and the store: the box's text, formatted for the column, unless BeforeEdit
// cancels.
void VetoAndStore(GridRecord& grid) {
    GridState& s = grid.state;
    s.EditCancel = false;
    grid.events.BeforeEdit(s.Row, s.Col, s.EditCancel);
    if (!s.EditCancel) s.Cells.SetText(s.Row, s.Col, FormatForColumn(s, Box(grid).Text(), s.Col));
}

// The cell painted again where the box was, with the grid lines its check box may cover.
void RepaintCell(GridRecord& grid) {
    const GridState& s = grid.state;
    const render::CellPlace place = render::CellPosition(grid, s.Row, s.Col);
    if (!place.outOfView) {
        render::PaintCell(grid, s.Row, s.Col, place.x, place.y, s.ColWidth[s.Col],
                          s.RowHeight[s.Row]);
        render::DrawGridLines(grid);
    }
}

// A new last row when the edit starts in an empty one, unless BeforeAddRow cancels.
void AddRowForEdit(GridRecord& grid) {
    GridState& s = grid.state;
    if (!s.AutoNewRow || s.Row != s.Rows || !RowEmpty(s, s.Row)) return;
    bool cancel = false;
    grid.events.BeforeAddRow(cancel);
    if (cancel) return;
    render::WriteRows(grid, s.Rows + 1);
    grid.events.AfterAddRow(s.Rows);
}

}  // namespace

void StartEdit(GridRecord& grid, ColumnMasks& masks, int16_t keyAscii, bool) {
    GridState& s = grid.state;
    if (s.EditEnding || s.Rows < 1 || s.Cols < 1) return;
    bool cancel = false;
    grid.events.BeforeEdit(s.Row, s.Col, cancel);
    if (cancel) return;
    if (s.Cells.ReadOnly(s.Row, s.Col) && !s.ColAllowEdit[s.Col]) return;
    if (s.Editing) return;
    render::DrawFocusCell(grid);
    AddRowForEdit(grid);
    s.Editing = true;
    // Lookup columns open their list here when they join.
    TextBox& box = Box(grid);
    box.SetFont(s.FontEdit->Descriptor());
    box.SetBackColor(0xFFFFFF);
    box.SetForeColor(0);
    box.SetVisible(true);
    const int16_t limit = s.ColEditWidth[s.Col];
    box.SetMaxLength(limit >= 0 ? limit : 0);
    box.SetText(s.Cells.Text(s.Row, s.Col));
    box.SetSelStart(box.TextLength());
    const int16_t key = ApplyColumnMask(grid, masks, keyAscii);
    // Only a character that can be typed goes in: no control character reaches a cell.
    if (key > kEnter && key != kEscape && key != 127) {
        std::string typed;
        AppendUtf8(static_cast<char32_t>(key), typed);
        box.SetText(s.SelectText ? typed : box.Text() + typed);
        box.SetSelStart(box.TextLength());
    } else if (s.SelectText) {
        box.SetSelStart(0);
        box.SetSelLength(box.TextLength());
    }
    box.ZOrder(0);
    box.SetFocus();
}

void EditKeyDown(GridRecord& grid, int16_t keyCode) {
    if (!grid.state.Editing) return;
    switch (keyCode) {
        case VK_RETURN:
            return EndEdit(grid, Ending::Enter);
        case VK_ESCAPE:
            return EndEdit(grid, Ending::Escape);
        case VK_UP:
            return EndEdit(grid, Ending::Up);
        case VK_DOWN:
            return EndEdit(grid, Ending::Down);
        default:
            return;
    }
}

int16_t EditKeyPress(GridRecord& grid, ColumnMasks& masks, int16_t keyAscii) {
    int16_t key = ApplyColumnMask(grid, masks, keyAscii);
    grid.events.KeyPress(key);
    return key;
}

void EndEdit(GridRecord& grid, Ending ending) {
    GridState& s = grid.state;
    if (!s.Editing || s.EditEnding) return;
    s.EditEnding = true;
    const bool stores = ending != Ending::Escape;
    if (stores) VetoAndStore(grid);
    s.Editing = false;
    if (SelectionShown(s)) render::InvertBlock(grid);
    TextBox& box = Box(grid);
    box.SetVisible(false);
    box.ZOrder(1);
    RepaintCell(grid);
    const std::string value = s.Cells.Text(s.Row, s.Col);
    if (stores && ending != Ending::ControlLostFocus) grid.events.AfterEdit(s.Row, s.Col, value);
    const bool keyboardToCells =
        ending == Ending::Enter || ending == Ending::Up || ending == Ending::Down;
    if (keyboardToCells) FocusSurface(grid);
    // The arrow goes to the cells only: a handler that moved the keyboard keeps it.
    if ((ending == Ending::Up || ending == Ending::Down) && GetFocus() == grid.parts.picGrid.hWnd())
        grid.KeySender.SendKeys(ending == Ending::Up ? "{UP}" : "{DOWN}");
    if (ending == Ending::Enter && s.AutoMove) MoveToNextEditableCell(grid);
    render::DrawFocusCell(grid);
    if (SelectionShown(s)) render::InvertBlock(grid);
    if (ending == Ending::ControlLostFocus) grid.events.AfterEdit(s.Row, s.Col, value);
    s.EditEnding = false;
}

void CommitEditForClick(GridRecord& grid) {
    GridState& s = grid.state;
    if (!s.Editing || s.EditEnding) return;
    s.EditEnding = true;
    VetoAndStore(grid);
    TextBox& box = Box(grid);
    if (box.Visible()) {
        box.SetVisible(false);
        grid.events.AfterEdit(s.Row, s.Col, s.Cells.Text(s.Row, s.Col));
    }
    box.ZOrder(1);
    s.Editing = false;
    if (SelectionShown(s)) render::InvertBlock(grid);
    RepaintCell(grid);
    if (SelectionShown(s)) render::InvertBlock(grid);
    s.EditEnding = false;
}

void MoveToNextEditableCell(GridRecord& grid) {
    GridState& s = grid.state;
    const int32_t lastRow = s.Row, lastCol = s.Col;
    // Found first, so that from the last editable cell nothing moves or scrolls.
    int32_t row = s.Row, col = s.Col;
    do {
        if (++col > s.Cols) {
            col = 1;
            if (++row > s.Rows) return;
        }
    } while (!Editable(s, row, col));
    s.Row = row;
    s.Col = col;
    ScrollBar& across = grid.parts.scrHorizontal;
    ScrollBar& down = grid.parts.scrVertical;
    if (row != lastRow) render::MoveBarFocusOff(grid, across, col);
    if (row < s.TopRow || render::CellPosition(grid, row, col).outOfView)
        render::MoveBarFocusOff(grid, down, row);
    const int32_t bar = down.Visible() ? down.Width() : 0;
    const int32_t x = render::CellPosition(grid, row, col).x;
    if (x > grid.parts.picGrid.ScaleWidth() - bar - s.ColWidth[col] &&
        across.Value() < across.Max())
        render::MoveBarFocusOff(grid, across, across.Value() + 1);
    grid.events.RowColChange(lastRow, lastCol);
}

}  // namespace tabula::edit
