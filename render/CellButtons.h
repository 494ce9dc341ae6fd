#pragma once

// The in-cell buttons at the right edge of the current cell: cmdLookup in a lookup column,
// cmdButton in a button column (at the same spot when a column has both). They are
// children of the control, where picGrid lies at (2, 2), and sit inside the cell with a
// pixel to spare at the top, the bottom and the right.

#include "grid/GridRecord.h"

namespace tabula::render {

// The width the buttons have when the grid is made; their height follows the row.
constexpr int32_t kCellButtonWidth = 17;

// Shows each button at the current cell when its column has that kind, else hides it. A
// button whose place is not wholly in view (scrolled off, cut at an edge, under a scroll
// bar) is hidden too.
void PlaceCellButtons(GridRecord& grid);

}  // namespace tabula::render
