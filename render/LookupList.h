#pragma once

// The lookup list's closing without a pick: Esc, a press outside the list, the keyboard
// going elsewhere, and anything that repaints, scrolls or moves the current cell while it
// is open (so a pick can only ever go to the cell the list opened on). The list itself
// opens and picks in edit/Lookup.h.

#include "grid/GridRecord.h"

namespace tabula::render {

// Hides the open list and forgets it (LookupForm is null at once, so a closing that
// arrives meanwhile does nothing); the cells take the keyboard if the list had it.
// Returns whether a list was open.
bool PutLookupListAway(GridRecord& grid);
// Closes the open list, storing nothing and raising nothing; the current cell gets its
// focus rectangle back.
void CloseLookupList(GridRecord& grid);

}  // namespace tabula::render
