// Position and selection: the current cell, the block's corners, the scroll position and
// the cell under the mouse.

#include <algorithm>

#include "core/Tabula.h"
#include "render/Layout.h"

namespace tabula {

// The current cell never goes below 0: the table has no row or column there. The focus
// rectangle, scrolling the row into view, the in-cell buttons and the block's reshaping
// join these writes with the selection model.
void Tabula::SetRow(int32_t row) {
    const int32_t lastRow = s_.Row, lastCol = s_.Col;
    s_.Row = std::clamp(row, 0, s_.Rows);
    if (s_.Row != lastRow) events_.RowColChange(lastRow, lastCol);
}

void Tabula::SetCol(int32_t col) {
    const int32_t lastRow = s_.Row, lastCol = s_.Col;
    s_.Col = std::clamp(col, 0, s_.Cols);
    if (s_.Col != lastCol) events_.RowColChange(lastRow, lastCol);
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
    return s_.Row1 != s_.Row2 || s_.Col1 != s_.Col2;
}

// Indexes outside the table give -1 rather than an error: callers probe positions freely.
int32_t Tabula::CellLeft(int32_t row, int32_t col) {
    if (row < 0 || row > s_.Rows || col < 0 || col > s_.Cols) return -1;
    const render::CellPlace place = render::CellPosition(*this, row, col);
    return place.outOfView ? -1 : place.x;
}

int32_t Tabula::CellTop(int32_t row, int32_t col) {
    if (row < 0 || row > s_.Rows || col < 0 || col > s_.Cols) return -1;
    const render::CellPlace place = render::CellPosition(*this, row, col);
    return place.outOfView ? -1 : place.y;
}

}  // namespace tabula
