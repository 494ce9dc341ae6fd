#pragma once

// The drop-down list of a lookup column: opening it under the current cell, and the keys
// and the click that pick from it or cancel it (closing without a pick is
// render/LookupList.h).
//
// Call flow of a pick (Enter, or a left click on the list):
//   Editing = False
//   PutLookupListAway            hidden, LookupForm null, the cells take the keyboard
//   DrawFocusCell                the focus rectangle the opening took off, back
//   the value (or its item data under UseItemData) stored as a Text write, redrawn
//                                while AutoRedraw is set; nothing with no item highlighted
//   RepaintCurrentCell           the cell with its new text, overlays and all
//   AfterEdit                    also when the value equals the old text
//   MoveOnAfterEdit              with AutoMove
// No BeforeEdit is raised for a pick.

#include <cstdint>

#include "grid/GridRecord.h"

namespace tabula::edit {

// The lookup path of StartEdit: the list of the current column's values opens under the
// cell (above it when the form has no room below), as wide as the column and at most
// ListBoxRows rows high (at least one), with the value equal to the cell's text
// highlighted, or the first value starting with the typed key. Nothing opens while the
// drop-down button is hidden.
void OpenLookupList(GridRecord& grid, int16_t keyAscii);

}  // namespace tabula::edit
