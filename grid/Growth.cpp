// Growth and shrinking of the per-row and per-column data together with the cell store.

#include <algorithm>

#include "grid/GridState.h"
#include "platform/runtime/Error.h"

namespace tabula {

SharedGridColors& SharedGridColors::ForThisThread() {
    thread_local SharedGridColors colors;
    return colors;
}

namespace {

constexpr int16_t kDefaultColWidth = 64;
constexpr int16_t kHeaderColWidth = 32;
constexpr int16_t kDefaultRowHeight = 15;

void ResizeColumnArrays(GridState& s, int32_t last) {
    const size_t size = size_t(last) + 1;
    s.ColWidth.resize(size);
    s.ColAlign.resize(size);
    s.ColAllowEdit.resize(size);
    s.ColMask.resize(size);
    s.ColEditWidth.resize(size);
}

void ResizeRowArrays(GridState& s, int32_t last) {
    s.RowHeight.resize(size_t(last) + 1);
    s.RowBookmark.resize(size_t(last) + 1);
}

void ColumnDefaults(GridState& s, int32_t c) {
    s.ColWidth[c] = c == 0 ? kHeaderColWidth : kDefaultColWidth;
    s.ColAlign[c] = LeftAlign;
    s.ColAllowEdit[c] = true;
    s.ColMask[c] = NoMask;
    s.ColEditWidth[c] = -1;
}

// The defaults every new cell of a header row or column, or of the data area, gets.
void ClassifyCell(GridState& s, int32_t r, int32_t c) {
    if (r >= 1 && c >= 1) {
        s.Cells.SetStyle(r, c, clsCellArray::kDataCell);
    } else if (r == 0) {
        s.Cells.SetTextAlignVertical(0, c, 1);
        s.Cells.SetStyle(0, c, clsCellArray::kFixedCell);
    } else {
        s.Cells.SetTextAlignVertical(r, 0, 1);
        s.Cells.SetStyle(r, 0, clsCellArray::kFixedCell);
        s.Cells.SetValue(r, 0, 0);
    }
}

}  // namespace

void SetColumnCount(GridState& s, int32_t n) {
    // Resize the store first: it is the only step that can fail, and then nothing changed.
    // Without columns the store keeps a spare column 1, made afresh: a column dropped and
    // brought back holds new cells, never the old ones.
    if (n == 0) s.Cells.SetCols(0);
    s.Cells.SetCols(n == 0 ? 1 : n);
    const int32_t oldCols = s.Cols;
    const int32_t rows = s.Rows;
    // The arrays never shrink below columns 0 and 1; without columns, column 1 holds the
    // defaults, so nothing reads a stale mask or width limit for it.
    ResizeColumnArrays(s, std::max(n, 1));
    if (rows == 0) ResizeRowArrays(s, 1);
    if (n == 0) ColumnDefaults(s, 1);
    const int32_t first = oldCols == 0 ? 0 : oldCols + 1;
    for (int32_t c = first; c <= n; ++c) {
        ColumnDefaults(s, c);
        for (int32_t r = 0; r <= rows; ++r) {
            // Every existing row's height returns to the default, not only the new cells'.
            s.RowHeight[r] = kDefaultRowHeight;
            ClassifyCell(s, r, c);
        }
    }
}

void SetRowCount(GridState& s, int32_t n) {
    s.Cells.SetRows(n);
    const int32_t oldRows = s.Rows;
    const int32_t cols = s.Cols;
    if (cols == 0) ResizeColumnArrays(s, 1);
    // As for columns: never shorter than 0..1, row 1 holding the defaults without rows.
    ResizeRowArrays(s, std::max(n, 1));
    if (n == 0) {
        s.RowHeight[1] = kDefaultRowHeight;
        s.RowBookmark[1] = {};
    }
    const int32_t first = oldRows == 0 ? 0 : oldRows + 1;
    for (int32_t r = first; r <= n; ++r) {
        s.RowHeight[r] = kDefaultRowHeight;
        // New data rows are all made alike: after the first, each copies the one before.
        if (r >= 2 && r > first) {
            s.Cells.CopyRow(r - 1, r);
            continue;
        }
        for (int32_t c = 0; c <= cols; ++c) {
            ClassifyCell(s, r, c);
            if (r >= 1 && c >= 1) {
                if (s.ColMask[c] == checkmark) s.Cells.SetText(r, c, "0");
                s.Cells.SetReadOnly(r, c, !s.ColAllowEdit[c]);
            }
        }
    }
}

}  // namespace tabula
