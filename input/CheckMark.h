#pragma once

// Check-mark cells: a click or a space flips the current cell between "1" and "0".

#include "edit/Editor.h"
#include "grid/GridRecord.h"

namespace tabula::input {

// Flips the current cell's text between "1" and "0" when `flip` is set, unless its column
// forbids editing and the cell is read-only (either alone does not lock it); repaints the
// cell under its overlays and, unless locked, raises AfterEdit and gives the cells the
// keyboard.
// With AutoMove the next editable cell becomes current; RowColChange as `event` says.
void CheckMarkHit(GridRecord& grid, bool flip, edit::MoveEvent event);

}  // namespace tabula::input
