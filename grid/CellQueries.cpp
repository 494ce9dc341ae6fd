#include "grid/CellQueries.h"

#include "platform/runtime/Error.h"
#include "platform/text/Blanks.h"

namespace tabula {

bool RowEmpty(const GridState& s, int32_t row) {
    if (row < 0 || row > s.Rows) RaiseError(kErrSubscriptOutOfRange);
    for (int32_t c = 1; c <= s.Cols; ++c) {
        if (!TrimSpaces(s.Cells.Text(row, c)).empty() && s.ColMask[c] != checkmark) return false;
    }
    return true;
}

}  // namespace tabula
