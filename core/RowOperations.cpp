// Row and content operations: AddItem, RemoveItem, Clear, Reset, AutoSetup and the two
// queries FindCellTag and RowEmpty. Row counts change through SetRowCount and the cell
// store's row shifts; the per-row arrays (heights, bookmarks) belong to the row index and
// only grow or shrink at their end.
//
// Order of work, which the events and the picture make visible:
//   AddItem     BeforeAddRow (Cancel stops it) -> bar Max, SetRowCount, Rows + 1
//               -> shift rows down after AfterRow -> colours -> fields
//               -> Row = Rows -> Refresh if AutoRedraw -> one step down when the last row
//               is cut off -> hide the cell buttons -> AfterAddRow(row filled)
//   RemoveItem  check the row -> BeforeDeleteRow (Cancel stops it) -> shift rows up
//               -> bar Max, SetRowCount, Rows - 1, current row and block lowered
//               -> Refresh if AutoRedraw -> hide the cell buttons -> AfterDeleteRow
//   Clear       hide the buttons -> Rows write 1 -> row 1 blank -> cell 1,1 -> Refresh
//   Reset       hide the buttons -> bars to the start -> new store, arrays released
//               -> Cols write 5, Rows write 1 -> cell 1,1, top left -> Refresh
//   AutoSetup   check the counts -> AutoRedraw off -> data rows dropped -> Rows, Cols,
//               RowHeader, ColHeader writes -> format string -> AutoRedraw back, Refresh
//
// Nothing here traps errors: a step that fails ends the call with the steps before it in
// effect. Arguments are checked before the first step wherever a late failure would lose
// the application's data.

#include <algorithm>

#include "core/Tabula.h"
#include "grid/CellQueries.h"
#include "grid/Checks.h"
#include "grid/ColumnFormat.h"
#include "grid/ColumnLists.h"
#include "platform/text/Blanks.h"
#include "platform/text/CaseFold.h"
#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "render/Layout.h"
#include "render/SizeWrites.h"

namespace tabula {

namespace {

// The row text and its field number are counted in 16 bits, as the row data's format
// has always allowed: longer texts and more fields overflow.
constexpr int32_t kMaxRowDataLength = INT16_MAX;
constexpr char kFieldSeparator = '\t';

}  // namespace

void Tabula::AddItem(std::string_view rowData, std::optional<int32_t> backColor,
                     std::optional<int32_t> foreColor, std::optional<int32_t> afterRow) {
    EndEditFirst();
    bool cancel = false;
    g_.events.BeforeAddRow(cancel);
    if (cancel) return;

    // The bar holds the count in 16 bits and the store refuses a table too large for
    // memory: both fail here, before the row exists.
    const int32_t rows = s_.Rows + 1;
    const int16_t max = CheckedInteger(rows);
    if (!clsCellArray::Fits(rows, s_.Cells.Cols())) RaiseError(kErrOutOfMemory);
    scrVertical.SetMax(max);
    SetRowCount(s_, rows);
    s_.Rows = rows;

    // An AfterRow of the new last row (or past it) appends: inserting after the last row
    // would clear a row the table does not have.
    int32_t target = rows;
    if (afterRow && *afterRow >= 0 && *afterRow <= rows - 1) {
        s_.Cells.InsertRowAfter(*afterRow);
        target = *afterRow + 1;
    }

    // Column 0 is the header column: it is never coloured or filled.
    if (backColor) {
        for (int32_t c = 1; c <= s_.Cols; ++c)
            s_.Cells.SetBackColor(target, c, *backColor);
    }
    if (foreColor) {
        for (int32_t c = 1; c <= s_.Cols; ++c)
            s_.Cells.SetForeColor(target, c, *foreColor);
    }
    StoreRowFields(target, rowData);

    // The last row becomes current even when the new row went elsewhere; the move is
    // not announced.
    s_.Row = s_.Rows;
    RedrawIfAuto();
    ScrollLastRowIntoView();
    HideCellButtons();
    g_.events.AfterAddRow(target);
}

// Each tab ends a field, which goes to the next column (the first to column 1) as the
// TextMatrix write would store it; an empty field between tabs stores "". After the last
// tab only a non-empty rest is stored, so a trailing tab leaves the next column alone.
void Tabula::StoreRowFields(int32_t row, std::string_view rowData) {
    if (Utf8Length(rowData) > size_t(kMaxRowDataLength)) RaiseError(kErrOverflow);
    int32_t field = 0;
    const auto store = [&](std::string_view text) {
        if (field == INT16_MAX) RaiseError(kErrOverflow);
        ++field;
        CheckCell(s_, row, field);
        s_.Cells.SetText(row, field, FormatForColumn(s_, text, field));
    };
    // A tab byte never occurs inside a multi-byte character, so the walk can go by bytes.
    size_t start = 0;
    for (size_t i = 0; i < rowData.size(); ++i) {
        if (rowData[i] != kFieldSeparator) continue;
        store(rowData.substr(start, i - start));
        start = i + 1;
    }
    if (start < rowData.size()) store(rowData.substr(start));
}

// One row down when the new last row is cut off at the bottom, then the Down key's own
// navigation (which finds the current row already last and only tidies up). The step is
// taken only while the bar is shown: a hidden bar's change scrolls nothing and would
// leave its position apart from TopRow.
void Tabula::ScrollLastRowIntoView() {
    const int32_t y = render::CellPosition(g_, s_.Rows, s_.Col).y;
    const int32_t bar = scrHorizontal.Visible() ? scrHorizontal.Height() : 0;
    const bool cut = y > picGrid.ScaleHeight() - s_.RowHeight[s_.Row] - bar;
    if (cut && scrVertical.Visible() && scrVertical.Value() < scrVertical.Max()) {
        scrVertical.SetValue(static_cast<int16_t>(scrVertical.Value() + 1));
        KeyDown(VK_DOWN, 0);
    }
}

void Tabula::RemoveItem(int32_t row) {
    EndEditFirst();
    if (s_.Rows == 0) return;
    // Only data rows can go: row 0 would pull row 1 into the header row, and a row past
    // the end would take the last row with it.
    if (row < 1 || row > s_.Rows) RaiseError(kErrSubscriptOutOfRange);
    bool cancel = false;
    g_.events.BeforeDeleteRow(row, cancel);
    if (cancel) return;
    // The handler may have changed the table meanwhile.
    if (row > s_.Rows) RaiseError(kErrSubscriptOutOfRange);

    s_.Cells.Remove(row);
    render::StoreRowCount(g_, s_.Rows - 1);
    RedrawIfAuto();
    HideCellButtons();
    g_.events.AfterDeleteRow(row);
}

void Tabula::Clear() {
    EndEditFirst();
    HideCellButtons();
    SetRows(1);
    for (int32_t c = 1; c <= s_.Cols; ++c)
        s_.Cells.SetText(1, c, "");
    // A grid without columns keeps its current column at 0, as the Cols write leaves it.
    const int32_t col = std::min(1, s_.Cols);
    s_.Row = s_.Row1 = s_.Row2 = 1;
    s_.Col = s_.Col1 = s_.Col2 = col;
    Refresh();
}

void Tabula::Reset() {
    EndEditFirst();
    HideCellButtons();
    // Both bars go back to their start while the old table is still there to repaint: a
    // bar moved later would scroll a table that has no rows or columns yet.
    scrVertical.SetMax(0);
    scrHorizontal.SetMax(0);
    s_.Cells = clsCellArray();
    s_.ColWidth.clear();
    s_.ColAlign.clear();
    s_.ColAllowEdit.clear();
    s_.ColMask.clear();
    s_.ColEditWidth.clear();
    s_.RowHeight.clear();
    s_.RowBookmark.clear();
    s_.Cols = 0;
    s_.Rows = 0;
    SetRowCount(s_, 0);
    SetCols(5);
    SetRows(1);
    s_.LeftCol = s_.TopRow = 1;
    s_.Row = s_.Col = 1;
    s_.Row1 = s_.Col1 = s_.Row2 = s_.Col2 = 1;
    Refresh();
}

void Tabula::AutoSetup(int32_t rows, int32_t cols, bool rowHeader, bool colHeader,
                       std::string formatString) {
    EndEditFirst();
    // The data rows go before the new counts apply: counts that the Rows and Cols writes
    // would refuse are refused here, while the rows are still there.
    for (const int32_t count : {rows, cols}) {
        if (count < 0) RaiseError(kErrSubscriptOutOfRange);
        CheckedInteger(count);
    }
    if (!clsCellArray::Fits(rows, std::max(s_.Cells.Cols(), 1)) ||
        !clsCellArray::Fits(rows, std::max(cols, 1)))
        RaiseError(kErrOutOfMemory);

    const bool autoRedraw = s_.AutoRedraw;
    s_.AutoRedraw = false;
    try {
        HideCellButtons();
        scrVertical.SetMax(0);
        SetRowCount(s_, 0);
        s_.Rows = 0;
        SetRows(rows);
        SetCols(cols);
        SetRowHeader(rowHeader);
        SetColHeader(colHeader);
        s_.FormatString = std::move(formatString);
        ClearLookups(s_);
        ApplyFormatString();
    } catch (...) {
        // A format string that fails part way keeps the fields before it; the grid's own
        // redraw setting is never left switched off.
        s_.AutoRedraw = autoRedraw;
        Refresh();
        throw;
    }
    s_.AutoRedraw = autoRedraw;
    Refresh();
}

void Tabula::FindCellTag(std::string_view value, int32_t& row, int32_t& col) const {
    const std::string wanted = FoldCase(value);
    for (int32_t r = 0; r <= s_.Rows; ++r) {
        for (int32_t c = 0; c <= s_.Cols; ++c) {
            if (FoldCase(s_.Cells.Tag(r, c)) == wanted) {
                row = r;
                col = c;
                return;
            }
        }
    }
    row = -1;
    col = -1;
}

bool Tabula::RowEmpty(int32_t row) const {
    return tabula::RowEmpty(s_, row);
}

void Tabula::HideCellButtons() {
    cmdButton.SetVisible(false);
    cmdLookup.SetVisible(false);
}

}  // namespace tabula
