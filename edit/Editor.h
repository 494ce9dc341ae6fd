#pragma once

// The in-place editor of the current cell: starting an edit in the edit box over the cell,
// the keys that end it, and every way an edit ends, stored or discarded.
//
// Call flow of an ending (EndEdit), with the selection's look (on = drawn):
//   guard on; StoreEdit: BeforeEdit, then the box's text   paths that store
//     formatted for the column into the cell unless vetoed
//   Editing = False
//   ToggleSelection                                  look off (the cell is repainted)
//   PutEditBoxAway: hidden, to the back, the keyboard to the cells if the box had it
//   PaintCell, DrawGridLines
//   DrawFocusCell                                    the focus rectangle back
//   ToggleSelection                                  look on: handlers see (and may
//                                                    redraw or scroll) a whole picture
//   AfterEdit                                        paths that store
//   picGrid takes the keyboard                       Enter, Up, Down
//   "{UP}" or "{DOWN}" queued to the cells           Up, Down
//   MoveOnAfterEdit                                  Enter with AutoMove
//   AfterEdit                                        the control losing the keyboard
// Every ending does nothing without an edit or while another ending runs.

#include <cstdint>

#include "edit/ColumnMask.h"
#include "grid/GridRecord.h"

namespace tabula::edit {

enum class Ending {
    Enter,             // stored; AutoMove moves on
    Up,                // stored; the cells then move up
    Down,              // stored; the cells then move down
    Escape,            // discarded
    Tab,               // stored, the keyboard left where it is (CommitEdit)
    BoxLostFocus,      // stored
    ControlLostFocus,  // stored, AfterEdit last
};

// Starts an edit of the current cell with the key that started it (0 for none; Backspace
// and Enter open the box adding nothing, other control keys and Esc start nothing):
// BeforeEdit may veto it; a locked cell does not open; an empty last row grows the grid by one row
// first while AutoNewRow is set. The box opens over the cell with the cell's text and the
// key applied through the column's mask; a lookup column opens its list instead
// (edit/Lookup.h) when the drop-down button started it or LookupAllowEdit is off.
void StartEdit(GridRecord& grid, ColumnMasks& masks, int16_t keyAscii, bool fromButton);
// The edit box's keys: Enter, Esc, Up and Down end the edit and are used up (true);
// others go to the box.
bool EditKeyDown(GridRecord& grid, int16_t keyCode);
// A character typed into the box: the key to insert after the mask and KeyPress (0 once
// the edit has ended, as for the character of the Enter that ended it).
int16_t EditKeyPress(GridRecord& grid, ColumnMasks& masks, int16_t keyAscii);
void EndEdit(GridRecord& grid, Ending ending);
inline void CommitEdit(GridRecord& grid) {
    EndEdit(grid, Ending::Tab);
}
// A press on another cell ends the edit, stored; the mouse draws the new current cell.
void CommitEditForClick(GridRecord& grid);
// The next cell in reading order that can be edited becomes current, scrolled into view;
// from the last one nothing moves. The focus rectangle and the block's look are off before
// and after.
// RowColChange follows a move, unless the caller moved the cell as well and raises one
// for its whole operation.
enum class MoveEvent { Raise, ByCaller };
void MoveToNextEditableCell(GridRecord& grid, MoveEvent event = MoveEvent::Raise);
// The same for a caller whose picture shows the focus rectangle and the block's look:
// they come off for the move and back after it.
void MoveOnAfterEdit(GridRecord& grid);

}  // namespace tabula::edit
