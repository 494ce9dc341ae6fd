#pragma once

// The mouse on picGrid: hit testing, moving the current cell and the block, check-mark
// toggling, scrolling while a drag selection is held outside the cells, resizing columns
// and rows by their header boundaries with the sizing bar picSizer, and fitting a column
// to its longest text by double-clicking its boundary.
//
// Call flow, as picGrid's events arrive:
//   press     MouseDown (left button only)      then the grid's MouseDown event, unless
//                                               the press started a resize
//   move      MouseMove                         then the tool tip, then the MouseMove event
//   release   MouseUp                           then the MouseUp event
//   click     the Click event alone
//   double    the DblClick event                then DblClick
//
// A press runs: header looks of the old block cleared -> hit test -> header rules or cell
// move (the block and the focus rectangle erased before and drawn after each change) ->
// common end (edit box, lookup, check-mark toggle) -> RowColChange.
//
// Coordinates are picGrid's pixels; any float a host passes (far outside, not a number)
// is accepted and never reaches a pixel conversion unchecked.

#include <cstdint>

namespace tabula {
class Tabula;
}

namespace tabula::input {

// The row under y (the column under x): 0 for the header, -1 for none. Each row owns its
// pixels from its top through the grid line below it (ends inclusive); with ShowGrid False
// a shared edge pixel goes to the upper row (left column).
int32_t RowAtY(Tabula& grid, float y);
int32_t ColAtX(Tabula& grid, float x);

// The handlers behind the grid's public MouseDown, MouseMove, MouseUp and DblClick.
void MouseDown(Tabula& grid, int16_t button, int16_t shift, float x, float y);
void MouseMove(Tabula& grid, int16_t button, int16_t shift, float x, float y);
void MouseUp(Tabula& grid, int16_t button, int16_t shift, float x, float y);
void DblClick(Tabula& grid);

// picGrid's events: the handlers and the grid's events in their order (see above).
void SurfaceMouseDown(Tabula& grid, int16_t button, int16_t shift, float x, float y);
void SurfaceMouseMove(Tabula& grid, int16_t button, int16_t shift, float x, float y);
void SurfaceMouseUp(Tabula& grid, int16_t button, int16_t shift, float x, float y);
void SurfaceClick(Tabula& grid);
void SurfaceDblClick(Tabula& grid);

}  // namespace tabula::input
