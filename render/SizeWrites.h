#pragma once

// The column width and row height writes, shared by the public members and the user's
// resizing with the mouse: check, store, redraw by the content rule (only while
// AutoRedraw is set). Neither is announced to the container.

#include <cstdint>

#include "grid/GridRecord.h"

namespace tabula::render {

// Col -1 sets every column 0..Cols. Widths beyond 16 bits raise 6 and an index outside the
// arrays 9, before anything changes; negative widths become 0.
void WriteColWidth(GridRecord& grid, int32_t col, int32_t width);
// Heights beyond 16 bits raise 6 and an index outside the arrays 9; negative ones become 0.
void WriteRowHeight(GridRecord& grid, int32_t row, int32_t height);

}  // namespace tabula::render
