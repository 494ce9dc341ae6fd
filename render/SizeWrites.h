#pragma once

// The writes of sizes and counts shared by the public members and the grid's own paths
// (the user's resizing with the mouse, the editor's new row): check, store, redraw by the
// content rule (only while AutoRedraw is set). None is announced to the container.

#include <cstdint>

#include "grid/GridRecord.h"

namespace tabula::render {

// Col -1 sets every column 0..Cols. Widths beyond 16 bits raise 6 and an index outside the
// arrays 9, before anything changes; negative widths become 0.
void WriteColWidth(GridRecord& grid, int32_t col, int32_t width);
// Heights beyond 16 bits raise 6 and an index outside the arrays 9; negative ones become 0.
void WriteRowHeight(GridRecord& grid, int32_t row, int32_t height);

// Rows: negative counts raise 9, counts above 32767 raise 6 (the scroll bar's range), and
// a table too large for memory 7, all before anything changes.
void WriteRows(GridRecord& grid, int32_t rows);
// The bar's range, the per-row arrays and the count, with the current row and the block
// lowered into the new range, for a count already checked; no redraw.
void StoreRowCount(GridRecord& grid, int32_t rows);

}  // namespace tabula::render
