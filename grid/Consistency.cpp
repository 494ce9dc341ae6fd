#include "grid/Consistency.h"

#include <algorithm>

#include "platform/forms/TextBox.h"

namespace tabula {

namespace {

bool Within(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

// Arrays indexed 0..count, never shorter than 0..1.
bool SizedFor(size_t size, int32_t count) {
    return size == size_t(std::max(count, 1)) + 1;
}

}  // namespace

std::string ConsistencyFault(const GridState& s) {
    if (s.Rows < 0 || s.Cols < 0) return "negative dimensions";
    if (s.Cells.Rows() != s.Rows || s.Cells.Cols() != std::max(s.Cols, 1))
        return "the cell store's size differs from Rows and Cols";
    for (const size_t size : {s.ColWidth.size(), s.ColAlign.size(), s.ColAllowEdit.size(),
                              s.ColMask.size(), s.ColEditWidth.size()}) {
        if (!SizedFor(size, s.Cols)) return "a per-column array does not fit Cols";
    }
    for (const size_t size : {s.RowHeight.size(), s.RowBookmark.size()}) {
        if (!SizedFor(size, s.Rows)) return "a per-row array does not fit Rows";
    }
    if (!Within(s.Row, 0, s.Rows) || !Within(s.Col, 0, s.Cols))
        return "the current cell lies outside the table";
    if (!Within(s.Row1, 0, s.Rows) || !Within(s.Row2, 0, s.Rows) || !Within(s.Col1, 0, s.Cols) ||
        !Within(s.Col2, 0, s.Cols))
        return "a corner of the block lies outside the table";
    if (s.TopRow < 1 || s.LeftCol < 1) return "TopRow or LeftCol below 1";
    if (std::any_of(s.ColWidth.begin(), s.ColWidth.end(), [](int16_t w) { return w < 0; }) ||
        std::any_of(s.RowHeight.begin(), s.RowHeight.end(), [](int16_t h) { return h < 0; }))
        return "a negative width or height";
    if (!s.Font || !s.FontFixed || !s.FontEdit) return "a font is missing";
    if (s.Editor && s.Editor->Visible() != s.Editing)
        return s.Editing ? "an edit is open with its box hidden"
                         : "the edit box shows without an edit";
    if (s.EditEnding) return "an edit's ending did not finish";
    return {};
}

}  // namespace tabula
