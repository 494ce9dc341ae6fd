#pragma once

// The mouse wheel on the cells. Wheel turns go to the window with the keyboard, picGrid,
// and on to the control's window, which the grid subscribes to (through the subclassing
// service) while picGrid has the keyboard; each grid's subscription is its own and ends
// with the grid. A notch up or down moves one row; more notches at once, or less than
// half a notch, page.

#include <cstdint>

#include "grid/GridRecord.h"

namespace tabula::input {

// Rotation in notches (positive away from the user): 1 is Up, -1 is Down, above 1 PageUp
// and below -1 (or 0) PageDown, as released keys. Errors inside are ignored.
void MouseWheel(GridRecord& grid, int32_t rotation);

// Subscribes the grid to its own window's wheel messages, and ends the subscription.
// The window's own procedure still gets every message.
void HookPicGrid(GridRecord& grid);
void UnhookPicGrid(GridRecord& grid);

}  // namespace tabula::input
