#pragma once

// The steps every ending of an edit shares, and the ending that a redraw or a scroll runs
// before it repaints. The editor's own endings (edit/Editor.h) are built from the same
// steps.
//
// Call flow of EndEditBeforeRepaint (the selection's look: on = drawn):
//   CloseLookupList: an open lookup list closes, storing nothing (render/LookupList.h)
//   guard on; StoreEdit: BeforeEdit, then the store unless vetoed
//   Editing = False; ToggleSelection                   look off
//   PutEditBoxAway: hidden, to the back, the cells take the keyboard
//   the cell, the block frame and the focus            scrolls only
//   ToggleSelection                                    look on
//   AfterEdit with the cell's text, vetoed or not; the cells take the keyboard

#include "grid/GridRecord.h"

namespace tabula::render {

// The edit box in use, chosen by WordWrap.
TextBox& EditBox(GridRecord& grid);
// BeforeEdit with EditCancel, then, unless cancelled, the box's text formatted for the
// column stored into the current cell.
void StoreEdit(GridRecord& grid);
// Hides the box and sends it to the back; when it had the keyboard, the cells take it, so
// no key ever goes to a hidden box.
void PutEditBoxAway(GridRecord& grid);

enum class AfterEnding { Redraw, Scroll };
// Ends an edit in progress, stored unless vetoed, before a full redraw or a scroll; an
// open lookup list closes.
// Nothing happens without an edit or while another ending runs.
void EndEditBeforeRepaint(GridRecord& grid, AfterEnding next);

}  // namespace tabula::render
