#pragma once

// Keyboard navigation on the cells: the arrows and Tab move the current cell (Left and
// Right skip cells that cannot be edited and wrap between rows), Home, End, PageUp and
// PageDown jump on release, and characters toggle check marks or start an edit.
//
// A move keeps the focus rectangle off while it steps and scrolls, and draws it once at
// the end: every scroll repaints the data area with the focus drawn, and a step that
// scrolls takes that one off again, so exactly one rectangle is left whatever scrolled.

#include <cstdint>

#include "edit/ColumnMask.h"
#include "grid/GridRecord.h"

namespace tabula::input {

// Left, Up, Right, Down and Tab (only with UseTABKey; Shift held for backwards). Ends with
// picGrid shown and RowColChange when the current cell changed. Other keys only show it.
void NavigateKeyDown(GridRecord& grid, int16_t keyCode, int16_t shift);
// Home, End, PageUp and PageDown, once per release: the row changes (the column stays) and
// becomes the top row.
void NavigateKeyUp(GridRecord& grid, int16_t keyCode);
// A key let go on the cells: the navigation above, then the KeyUp event, then
// RowColChange when the current cell changed.
void KeyReleased(GridRecord& grid, int16_t keyCode, int16_t shift);
// A character typed on the cells: a space toggles a check mark; elsewhere it starts an
// edit.
void CharacterTyped(GridRecord& grid, edit::ColumnMasks& masks, int16_t keyAscii);

}  // namespace tabula::input
