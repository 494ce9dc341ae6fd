#include "edit/Editor.h"

#include <string>

#include "edit/Lookup.h"
#include "grid/CellQueries.h"
#include "grid/ColumnLists.h"
#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"
#include "render/CellButtons.h"
#include "render/CellPainter.h"
#include "render/EditEndings.h"
#include "render/Layout.h"
#include "render/Overlays.h"
#include "render/Redraw.h"
#include "render/Scrolling.h"
#include "render/SizeWrites.h"

namespace tabula::edit {

namespace {

constexpr int16_t kBackspace = 8;
constexpr int16_t kEnter = 13;
constexpr int16_t kDelete = 127;

// A character the box can show: no control character and no half of a surrogate pair
// (units above 0x7FFF arrive as negative keys).
bool Typeable(int16_t key) {
    const auto unit = static_cast<uint16_t>(key);
    return unit >= 32 && unit != kDelete && (unit < 0xD800 || unit > 0xDFFF);
}

// The first half of a character beyond 16 bits.
bool HighSurrogate(int16_t key) {
    const auto unit = static_cast<uint16_t>(key);
    return unit >= 0xD800 && unit < 0xDC00;
}

// Besides characters (and the first half of one), Backspace and Enter open the box
// (adding nothing); other control keys, Esc and a key a handler vetoed to 0 open nothing.
bool StartsEdit(int16_t key) {
    return Typeable(key) || HighSurrogate(key) || key == kBackspace || key == kEnter;
}

// The caller keeps the focus and the block's look off while the cell moves: a scroll
// repaints with both drawn, so both come off again.
void ScrollOverlaysOff(GridRecord& grid, ScrollBar& bar, int32_t value) {
    if (render::MoveBarFocusOff(grid, bar, value)) render::ToggleSelection(grid);
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

void StartEdit(GridRecord& grid, ColumnMasks& masks, int16_t keyAscii, bool fromButton) {
    GridState& s = grid.state;
    if (s.EditEnding || s.Rows < 1 || s.Cols < 1) return;
    // A double click starts with no key (0), which is no vetoed key.
    if (keyAscii != 0 && !StartsEdit(keyAscii)) return;
    bool cancel = false;
    grid.events.BeforeEdit(s.Row, s.Col, cancel);
    if (cancel) return;
    if (CellLocked(s, s.Row, s.Col)) return;
    if (s.Editing) return;
    render::DrawFocusCell(grid);
    AddRowForEdit(grid);
    s.Editing = true;
    // A lookup column opens its list instead, unless typing goes to the box.
    if (ColHasLookup(s, s.Col) && (fromButton || !s.LookupAllowEdit)) {
        s.Editing = false;
        OpenLookupList(grid, keyAscii);
        return;
    }
    TextBox& box = render::EditBox(grid);
    box.SetFont(s.FontEdit->Descriptor());
    box.SetBackColor(0xFFFFFF);
    box.SetForeColor(0);
    box.SetVisible(true);
    const int16_t limit = s.ColEditWidth[s.Col];
    box.SetMaxLength(limit >= 0 ? limit : 0);
    box.SetText(s.Cells.Text(s.Row, s.Col));
    box.SetSelStart(box.TextLength());
    const int16_t key = ApplyColumnMask(grid, masks, keyAscii);
    if (Typeable(key)) {
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
    // The first half of a character beyond 16 bits waits in the box for the second.
    if (HighSurrogate(key)) box.StartCharacter(static_cast<char16_t>(key));
}

bool EditKeyDown(GridRecord& grid, int16_t keyCode) {
    if (!grid.state.Editing) return false;
    switch (keyCode) {
        case VK_RETURN:
            EndEdit(grid, Ending::Enter);
            return true;
        case VK_ESCAPE:
            EndEdit(grid, Ending::Escape);
            return true;
        case VK_UP:
            EndEdit(grid, Ending::Up);
            return true;
        case VK_DOWN:
            EndEdit(grid, Ending::Down);
            return true;
        default:
            return false;
    }
}

int16_t EditKeyPress(GridRecord& grid, ColumnMasks& masks, int16_t keyAscii) {
    // The character of a key that ended the edit (Enter, Esc) arrives after the ending.
    if (!grid.state.Editing) return 0;
    int16_t key = ApplyColumnMask(grid, masks, keyAscii);
    grid.events.KeyPress(key);
    return key;
}

void EndEdit(GridRecord& grid, Ending ending) {
    GridState& s = grid.state;
    if (!s.Editing || s.EditEnding) return;
    s.EditEnding = true;
    const bool stores = ending != Ending::Escape;
    if (stores) render::StoreEdit(grid);
    s.Editing = false;
    render::ToggleSelection(grid);
    render::PutEditBoxAway(grid);
    render::PaintCurrentCellPlain(grid);
    render::DrawFocusCell(grid);
    render::ToggleSelection(grid);
    const std::string value(s.Cells.Text(s.Row, s.Col));
    const HWND focusBefore = GetFocus();
    if (stores && ending != Ending::ControlLostFocus) grid.events.AfterEdit(s.Row, s.Col, value);
    // A handler that moved the keyboard keeps it there, and the arrow is then dropped: it
    // goes to the cells only.
    const bool keyboardToCells =
        ending == Ending::Enter || ending == Ending::Up || ending == Ending::Down;
    if (keyboardToCells && GetFocus() == focusBefore) FocusSurface(grid);
    if ((ending == Ending::Up || ending == Ending::Down) && GetFocus() == grid.parts.picGrid.hWnd())
        grid.KeySender.SendKeys(ending == Ending::Up ? "{UP}" : "{DOWN}");
    if (ending == Ending::Enter && s.AutoMove) MoveOnAfterEdit(grid);
    if (ending == Ending::ControlLostFocus) grid.events.AfterEdit(s.Row, s.Col, value);
    s.EditEnding = false;
}

void CommitEditForClick(GridRecord& grid) {
    GridState& s = grid.state;
    if (!s.Editing || s.EditEnding) return;
    s.EditEnding = true;
    render::StoreEdit(grid);
    // AfterEdit only for a box that showed, raised while Editing is still set.
    const bool shown = render::EditBox(grid).Visible();
    render::PutEditBoxAway(grid);
    if (shown) grid.events.AfterEdit(s.Row, s.Col, std::string(s.Cells.Text(s.Row, s.Col)));
    s.Editing = false;
    render::ToggleSelection(grid);
    render::PaintCurrentCellPlain(grid);
    render::ToggleSelection(grid);
    s.EditEnding = false;
}

void MoveOnAfterEdit(GridRecord& grid) {
    render::DrawFocusCell(grid);
    render::ToggleSelection(grid);
    MoveToNextEditableCell(grid);
    render::DrawFocusCell(grid);
    render::ToggleSelection(grid);
}

void MoveToNextEditableCell(GridRecord& grid, MoveEvent event) {
    GridState& s = grid.state;
    const int32_t lastRow = s.Row, lastCol = s.Col;
    // Found first, so that from the last editable cell nothing moves or scrolls.
    int32_t row = s.Row, col = s.Col;
    do {
        if (++col > s.Cols) {
            col = 1;
            if (++row > s.Rows) return;
        }
    } while (!CellEditable(s, row, col));
    s.Row = row;
    s.Col = col;
    if (row != lastRow) ScrollOverlaysOff(grid, grid.parts.scrHorizontal, col);
    if (row < s.TopRow || render::CellPosition(grid, row, col).outOfView)
        ScrollOverlaysOff(grid, grid.parts.scrVertical, row);
    // A row or column only partly shown comes wholly into view.
    if (render::ScrollDownIfCut(grid)) render::ToggleSelection(grid);
    if (render::ScrollRightIfCut(grid)) render::ToggleSelection(grid);
    render::PlaceCellButtons(grid);
    if (event == MoveEvent::Raise) grid.events.RowColChange(lastRow, lastCol);
}

}  // namespace tabula::edit
