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

#include "edit/ColumnMask.h"
#include "grid/GridRecord.h"

namespace tabula::input {

// The handlers behind the grid's public MouseDown, MouseMove, MouseUp and DblClick.
// Hit tests come from the layout (render::RowAtY, render::ColAtX).
void MouseDown(GridRecord& grid, int16_t button, int16_t shift, float x, float y);
void MouseMove(GridRecord& grid, int16_t button, int16_t shift, float x, float y);
void MouseUp(GridRecord& grid, int16_t button, int16_t shift, float x, float y);
void DblClick(GridRecord& grid, edit::ColumnMasks& masks);

// picGrid's events: the handlers and the grid's events in their order (see above).
void SurfaceMouseDown(GridRecord& grid, int16_t button, int16_t shift, float x, float y);
void SurfaceMouseMove(GridRecord& grid, int16_t button, int16_t shift, float x, float y);
void SurfaceMouseUp(GridRecord& grid, int16_t button, int16_t shift, float x, float y);
void SurfaceClick(GridRecord& grid);
void SurfaceDblClick(GridRecord& grid, edit::ColumnMasks& masks);

}  // namespace tabula::input
