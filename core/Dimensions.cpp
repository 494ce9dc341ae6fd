// Dimensions and headers: Rows, Cols, ColHeader, RowHeader.

#include <algorithm>

#include "core/Tabula.h"
#include "grid/Checks.h"
#include "render/SizeWrites.h"

namespace tabula {

void Tabula::SetRows(int32_t rows) {
    EndEditFirst();
    render::WriteRows(g_, rows);
}

void Tabula::SetCols(int32_t cols) {
    EndEditFirst();
    if (cols < 0) RaiseError(kErrSubscriptOutOfRange);
    const int16_t max = CheckedInteger(cols);
    if (!clsCellArray::Fits(s_.Cells.Rows(), std::max(cols, 1))) RaiseError(kErrOutOfMemory);
    scrHorizontal.SetMax(max);
    SetColumnCount(s_, cols);
    s_.Cols = cols;
    s_.Col = std::min(s_.Col, cols);
    s_.Col1 = std::min(s_.Col1, cols);
    s_.Col2 = std::min(s_.Col2, cols);
    RedrawIfAuto();
}

void Tabula::SetColHeader(bool on) {
    s_.ColHeader = on;
    RedrawIfAuto();
    Announce("ColHeader");
}

void Tabula::SetRowHeader(bool on) {
    s_.RowHeader = on;
    RedrawIfAuto();
    Announce("RowHeader");
}

}  // namespace tabula
