#pragma once

// The mouse wheel on the cells. Wheel turns go to the window with the keyboard, picGrid,
// and on to the control's window, which the grid hooks while picGrid has the keyboard:
// one grid of the thread at a time. A notch up or down moves one row; more notches at
// once, or less than half a notch, page.

#include <cstdint>

namespace tabula {
class Tabula;
}

namespace tabula::input {

// Rotation in notches (positive away from the user): 1 is Up, -1 is Down, above 1 PageUp
// and below -1 (or 0) PageDown, as released keys. Errors inside are ignored.
void MouseWheel(Tabula& grid, int32_t rotation);

// Puts the wheel procedure on the grid's window (taking it off another grid first) and
// takes it off again. The procedure always passes the message on.
void HookPicGrid(Tabula& grid);
void UnhookPicGrid();
// Takes the procedure off when this grid has it (the grid is going away).
void UnhookPicGrid(const Tabula& grid);

}  // namespace tabula::input
