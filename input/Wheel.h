#pragma once

// The mouse wheel on the cells. Wheel turns go to the window with the keyboard, picGrid,
// and on to the control's window, which the grid hooks while picGrid has the keyboard. The
// hook finds its grid through a property of the hooked window, so each grid's hook is its
// own. A notch up or down moves one row; more notches at once, or less than half a notch,
// page.

#include <cstdint>

#include "grid/GridRecord.h"

namespace tabula::input {

// Rotation in notches (positive away from the user): 1 is Up, -1 is Down, above 1 PageUp
// and below -1 (or 0) PageDown, as released keys. Errors inside are ignored.
void MouseWheel(GridRecord& grid, int32_t rotation);

// Puts the wheel procedure on the grid's own window, and takes it off again (also when
// the grid goes away). The procedure always passes the message on.
void HookPicGrid(GridRecord& grid);
void UnhookPicGrid(GridRecord& grid);

}  // namespace tabula::input
