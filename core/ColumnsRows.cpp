// Per-column and per-row properties: ColWidth, ColAlign, ColAllowEdit, ColMask,
// ColEditWidth, RowHeight, RowBookmark. Indexes are checked against the arrays, which
// never shrink below columns (rows) 0 and 1.

#include "core/Tabula.h"
#include "grid/Checks.h"
#include "render/SizeWrites.h"

namespace tabula {

int32_t Tabula::ColWidth(int32_t col) const {
    CheckIndex(s_.ColWidth.size(), col);
    return s_.ColWidth[col];
}

void Tabula::SetColWidth(int32_t col, int32_t width) {
    render::WriteColWidth(g_, col, width);
}

int32_t Tabula::ColAlign(int32_t col) const {
    CheckIndex(s_.ColAlign.size(), col);
    return s_.ColAlign[col];
}

void Tabula::SetColAlign(int32_t col, int32_t align) {
    if (align != LeftAlign && align != CenterAlign && align != RightAlign) return;
    CheckIndex(s_.ColAlign.size(), col);
    s_.ColAlign[col] = align;
    RedrawIfAuto();
}

bool Tabula::ColAllowEdit(int32_t col) const {
    CheckIndex(s_.ColAllowEdit.size(), col);
    return s_.ColAllowEdit[col];
}

void Tabula::SetColAllowEdit(int32_t col, bool on) {
    CheckIndex(s_.ColAllowEdit.size(), col);
    s_.ColAllowEdit[col] = on;
    for (int32_t r = 1; r <= s_.Rows; ++r)
        s_.Cells.SetReadOnly(r, col, !on);
    Announce("ColAllowEdit");
}

int32_t Tabula::ColMask(int32_t col) const {
    CheckIndex(s_.ColMask.size(), col);
    return s_.ColMask[col];
}

void Tabula::SetColMask(int32_t col, int32_t mask) {
    EndEditFirst();
    const int16_t stored = CheckedInteger(mask);
    CheckIndex(s_.ColMask.size(), col);
    s_.ColMask[col] = stored;
    if (stored == checkmark) {
        for (int32_t r = 1; r <= s_.Rows; ++r)
            s_.Cells.SetText(r, col, "0");
    }
    Refresh();
}

int16_t Tabula::ColEditWidth(int32_t col) const {
    CheckIndex(s_.ColEditWidth.size(), col);
    return s_.ColEditWidth[col];
}

void Tabula::SetColEditWidth(int32_t col, int16_t width) {
    // -1, no limit, is given only to new columns.
    if (col < 0 || col > s_.Cols || width < 0) return;
    s_.ColEditWidth[col] = width;
    Refresh();
}

int32_t Tabula::RowHeight(int32_t row) const {
    CheckIndex(s_.RowHeight.size(), row);
    return s_.RowHeight[row];
}

void Tabula::SetRowHeight(int32_t row, int32_t height) {
    render::WriteRowHeight(g_, row, height);
}

Variant Tabula::RowBookmark(int32_t row) const {
    CheckIndex(s_.RowBookmark.size(), row);
    return s_.RowBookmark[row];
}

void Tabula::SetRowBookmark(int32_t row, const Variant& bookmark) {
    CheckIndex(s_.RowBookmark.size(), row);
    s_.RowBookmark[row] = bookmark;
}

}  // namespace tabula
