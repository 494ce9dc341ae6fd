#include "edit/Lookup.h"

#include <algorithm>
#include <string>
#include <vector>

#include "edit/Editor.h"
#include "grid/ColumnFormat.h"
#include "grid/ColumnLists.h"
#include "platform/text/CaseFold.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"
#include "render/CellButtons.h"
#include "render/LookupList.h"
#include "render/Overlays.h"
#include "render/Redraw.h"

namespace tabula::edit {

namespace {

// A column narrower than this still gets a list one can read and scroll.
constexpr int32_t kMinListWidth = 3 * render::kCellButtonWidth;

void PickLookupValue(GridRecord& grid) {
    GridState& s = grid.state;
    const PopupList* list = grid.LookupForm;
    if (!list) return;
    const int32_t index = list->ListIndex();
    const std::string value = list->List(index);
    s.Editing = false;
    render::PutLookupListAway(grid);
    // The focus rectangle the opening took off comes back: from here on the picture is
    // whole, as any redraw leaves it, whatever the handlers do.
    render::DrawFocusCell(grid);
    if (index >= 0) {
        const std::string text = s.UseItemData ? LookupItemData(s, s.Col, value).ToText() : value;
        s.Cells.SetText(s.Row, s.Col, FormatForColumn(s, text, s.Col));
        render::RedrawIfAuto(grid);
    }
    render::RepaintCurrentCell(grid);
    grid.events.AfterEdit(s.Row, s.Col, std::string(s.Cells.Text(s.Row, s.Col)));
    if (s.AutoMove) MoveOnAfterEdit(grid);
}

// The value to highlight: the first equal to the cell's text ignoring case (else the
// first), or the first starting with a typed key.
int32_t InitialChoice(const std::vector<std::string>& values, std::string_view text,
                      int16_t keyAscii) {
    if (values.empty()) return -1;
    if (keyAscii != ' ') {
        const int32_t typed = FindItemStartingWith(values, -1, static_cast<char16_t>(keyAscii));
        if (typed >= 0) return typed;
    }
    const auto equal = std::find_if(values.begin(), values.end(), [&](const std::string& v) {
        return EqualsIgnoringCase(v, text);
    });
    return equal == values.end() ? 0 : static_cast<int32_t>(equal - values.begin());
}

// Enter picks, Esc cancels; other keys move the list's highlight as in any list.
void LookupListKeyDown(GridRecord& grid, int16_t& keyCode) {
    if (keyCode == VK_RETURN) {
        keyCode = 0;
        PickLookupValue(grid);
    } else if (keyCode == VK_ESCAPE) {
        keyCode = 0;
        render::CloseLookupList(grid);
    }
}

// A release of the left button on the list picks what it highlights.
void LookupListMouseUp(GridRecord& grid, int16_t button) {
    if (button == vbLeftButton) PickLookupValue(grid);
}

// The list's window on the grid's form, made once and again only when the grid moved to
// another form or the form destroyed it.
PopupList& ListWindow(GridRecord& grid) {
    const HWND form = GetAncestorTopLevel(grid.parts.control.hWnd());
    std::unique_ptr<PopupList>& list = grid.lookupList;
    if (list && IsWindow(list->hWnd()) && GetParent(list->hWnd()) == form) return *list;
    list = std::make_unique<PopupList>(form, Rect{});
    list->KeyDown = [&grid](int16_t& keyCode, int16_t) { LookupListKeyDown(grid, keyCode); };
    list->MouseUp = [&grid](int16_t button, int16_t, float, float) {
        LookupListMouseUp(grid, button);
    };
    list->Dismissed = [&grid] { render::CloseLookupList(grid); };
    return *list;
}

// The column's values in the order they were added, into the list; returns their count.
int32_t FillLookupList(PopupList& list, const GridState& s, int32_t col, int16_t keyAscii) {
    std::vector<std::string> values;
    for (const clsLookup& entry : s.LookupList) {
        if (entry.Column == col) values.push_back(entry.Value);
    }
    const int32_t choice = InitialChoice(values, s.Cells.Text(s.Row, s.Col), keyAscii);
    const auto count = static_cast<int32_t>(values.size());
    list.SetItems(std::move(values));
    list.SetListIndex(choice);
    return count;
}

// Where the list goes, in screen pixels: its right edge on the cell's, its top on the
// button's bottom, or its bottom on the cell's top when the form has no room below; with
// room on neither side, on the roomier one with fewer rows. Never off the form sideways.
Rect ListPlace(const Rect& button, const Rect& form, int32_t width, int32_t rows,
               int32_t itemHeight) {
    const int32_t border = 2;
    const auto heightFor = [&](int32_t n) { return n * itemHeight + border; };
    const int32_t below = form.bottom - button.bottom;
    const int32_t above = button.top - 1 - form.top;
    const bool down = heightFor(rows) <= below || below >= above;
    const int32_t room = down ? below : above;
    rows = std::clamp((room - border) / std::max(itemHeight, 1), 1, rows);
    const int32_t height = heightFor(rows);
    const int32_t top = down ? button.bottom : button.top - 1 - height;
    int32_t left = std::min(button.right + 1, form.right) - width;
    left = std::max(left, form.left);
    return MakeRectFromSize(left, top, width, height);
}

}  // namespace

void OpenLookupList(GridRecord& grid, int16_t keyAscii) {
    GridState& s = grid.state;
    CommandButton& button = grid.parts.cmdLookup;
    // Values added since the last placement have no button yet: typing still opens them.
    render::PlaceCellButtons(grid);
    if (!button.Visible()) {
        // The caller took the focus rectangle off for the edit.
        render::DrawFocusCell(grid);
        return;
    }
    PopupList& list = ListWindow(grid);
    if (s.Font) list.SetFont(s.Font->Descriptor());
    const int32_t count = FillLookupList(list, s, s.Col, keyAscii);

    Rect buttonRect, formRect;
    GetWindowRect(button.hWnd(), &buttonRect);
    const HWND form = GetParent(list.hWnd());
    GetClientRect(form, &formRect);
    const Point origin = ClientToScreen(form, Point{0, 0});
    formRect = MakeRectFromSize(origin.x, origin.y, formRect.right, formRect.bottom);
    const int32_t rows = std::max<int32_t>(1, std::min<int32_t>(s.ListBoxRows, count));
    const int32_t width = std::max<int32_t>(s.ColWidth[s.Col], kMinListWidth);
    const Rect place = ListPlace(buttonRect, formRect, width, rows, list.ItemHeight());
    const Point at = ScreenToClient(form, Point{place.left, place.top});
    list.Move(at.x, at.y, place.right - place.left, place.bottom - place.top);
    // Placed, the list scrolls its highlight into view.
    list.SetListIndex(list.ListIndex());
    grid.LookupForm = &list;
    list.Popup();
}

}  // namespace tabula::edit
