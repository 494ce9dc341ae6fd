#pragma once

// Scrolling by whole rows and columns. The bars hold the position: every scroll, by the
// bars, the keyboard, the wheel or the TopRow and LeftCol writes, ends in a bar's change,
// which brings TopRow (LeftCol) to the bar's value, repaints and raises Scroll.
//
// Call flow of a bar's change (the selection's look: on = drawn):
//   VerticalBarChanged / HorizontalBarChanged
//     ScrollRows / ScrollColumns (rows only while the vertical bar shows)
//       EndEditBeforeRepaint: an edit in progress stored (render/EditEndings.h)
//       PaintPending: a redraw waiting to be painted is painted on the old position
//       a jump: TopRow = value, PaintGrid                             look on
//       one step:
//         ToggleSelection, DrawFocusCell                     look and focus off
//         TopRow = value, ScrollDC moves the drawn pixels by one row
//         [columns: the column painter's page size for the vertical bar]
//         PaintStrip: PaintGrid painting only the cells of the strip that came in (the
//           top row, or the rows from the first one not kept whole to the bottom); lines,
//           background, frame and corner are drawn whole, on the pixels they had
//                                                            look and focus on
//         ToggleSelection, the block reshaped to a row or column mode,
//         ToggleSelection                                              look on
//     HideEditBox, the lookup button hidden, Scroll raised
//
// Both paths end in the picture of a full paint.

#include <cstdint>

#include "grid/GridRecord.h"

namespace tabula::render {

// The bars' change events: scroll (the vertical bar only while it is shown), take the edit
// box away, hide the lookup button, then raise Scroll.
void VerticalBarChanged(GridRecord& grid);
void HorizontalBarChanged(GridRecord& grid);

// Bring TopRow (LeftCol) to the bar's value and repaint.
void ScrollRows(GridRecord& grid);
void ScrollColumns(GridRecord& grid);

// Moves the bar while the focus rectangle is off: a repaint that followed drew it, so it
// is taken off again. Returns whether the grid was repainted (the block's look is then on).
bool MoveBarFocusOff(GridRecord& grid, ScrollBar& bar, int32_t value);
// One row further down (one column further right) when the current cell does not fit
// above the bottom (left of the edge) clear of the other bar; the focus rectangle is off
// before and after. Returns whether the grid was repainted.
bool ScrollDownIfCut(GridRecord& grid);
bool ScrollRightIfCut(GridRecord& grid);

// After a one-step shift of `shift` pixels: paint the rows (columns) from the first one
// that the shift uncovered to the bottom (right) of the surface.
void PaintExposedRows(GridRecord& grid, int32_t fromRow, int32_t shift);
void PaintExposedColumns(GridRecord& grid, int32_t fromCol, int32_t shift);

}  // namespace tabula::render
