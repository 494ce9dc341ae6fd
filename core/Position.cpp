// Position and selection: the current cell, the block's corners, the scroll position and
// the cell under the mouse.

#include <algorithm>

#include "core/Tabula.h"
#include "grid/Block.h"
#include "grid/Checks.h"
#include "render/CellButtons.h"
#include "render/Layout.h"
#include "render/Overlays.h"
#include "render/Redraw.h"

namespace tabula {

// The current cell never goes below 0: the table has no row or column there.
void Tabula::SetRow(int32_t row) {
    EndEditFirst();
    const int32_t lastRow = s_.Row, lastCol = s_.Col;
    MoveFocusCell(std::clamp(row, 0, s_.Rows), s_.Col);
    // A row outside the page scrolls into view: the bar's change scrolls the grid. The
    // bar holds 16 bits, so a row past 32767 that needs scrolling fails here, stored.
    const int32_t top = scrVertical.Value();
    if (s_.Row < top || s_.Row > top + scrVertical.LargeChange())
        scrVertical.SetValue(CheckedInteger(s_.Row));
    render::PlaceCellButtons(g_);
    render::ApplySelectionMode(g_);
    FocusSurface(g_);
    if (s_.Row != lastRow || s_.Col != lastCol) g_.events.RowColChange(lastRow, lastCol);
}

// Unlike the row, the column neither scrolls nor reshapes the block.
void Tabula::SetCol(int32_t col) {
    EndEditFirst();
    const int32_t lastRow = s_.Row, lastCol = s_.Col;
    MoveFocusCell(s_.Row, std::clamp(col, 0, s_.Cols));
    render::PlaceCellButtons(g_);
    FocusSurface(g_);
    if (s_.Row != lastRow || s_.Col != lastCol) g_.events.RowColChange(lastRow, lastCol);
}

// The row given becomes the current row and, through the bar's change, the top row.
void Tabula::SetTopRow(int32_t row) {
    EndEditFirst();
    const int32_t lastRow = s_.Row, lastCol = s_.Col;
    MoveFocusCell(std::clamp(row, 0, s_.Rows), s_.Col);
    scrVertical.SetValue(CheckedInteger(s_.Row));
    render::PlaceCellButtons(g_);
    render::ApplySelectionMode(g_);
    FocusSurface(g_);
    if (s_.Row != lastRow || s_.Col != lastCol) g_.events.RowColChange(lastRow, lastCol);
}

// The column given becomes the first shown and the current column; no RowColChange.
// Below 1 it would index the header column as data, so it is kept at 1 or more.
void Tabula::SetLeftCol(int32_t col) {
    EndEditFirst();
    const int32_t v = std::max(std::min(col, int32_t{scrHorizontal.Max()}), 1);
    render::DrawFocusCell(g_);
    s_.LeftCol = v;
    s_.Col = std::min(v, s_.Cols);
    render::PaintGrid(g_, render::PaintHeader::Yes);
    scrHorizontal.SetValue(CheckedInteger(v));
    render::PlaceCellButtons(g_);
}

void Tabula::MoveFocusCell(int32_t row, int32_t col) {
    render::DrawFocusCell(g_);
    s_.Row = row;
    s_.Col = col;
    render::DrawFocusCell(g_);
}

// The corners index cells when the block is drawn and when the next press clears the
// pressed headers, so they are kept inside the table.
void Tabula::SetRow1(int32_t row) {
    s_.Row1 = std::clamp(row, 0, s_.Rows);
}

void Tabula::SetCol1(int32_t col) {
    s_.Col1 = std::clamp(col, 0, s_.Cols);
}

void Tabula::SetRow2(int32_t row) {
    s_.Row2 = std::clamp(row, 0, s_.Rows);
}

void Tabula::SetCol2(int32_t col) {
    s_.Col2 = std::clamp(col, 0, s_.Cols);
}

bool Tabula::BlockSelected() const {
    return tabula::BlockSelected(s_);
}

// Indexes outside the table give -1 rather than an error: callers probe positions freely.
int32_t Tabula::CellLeft(int32_t row, int32_t col) {
    if (row < 0 || row > s_.Rows || col < 0 || col > s_.Cols) return -1;
    const render::CellPlace place = render::CellPosition(g_, row, col);
    return place.outOfView ? -1 : place.x;
}

int32_t Tabula::CellTop(int32_t row, int32_t col) {
    if (row < 0 || row > s_.Rows || col < 0 || col > s_.Cols) return -1;
    const render::CellPlace place = render::CellPosition(g_, row, col);
    return place.outOfView ? -1 : place.y;
}

}  // namespace tabula
