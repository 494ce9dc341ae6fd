#pragma once

// The selected block and the focus rectangle, drawn over painted cells by exclusive-or:
// drawing twice restores the picture, so every caller erases before it changes the
// selection or the current cell and draws again afterwards.
//
// Call flow of a reshape (ApplySelectionMode, ReshapeBlock):
//   ToggleSelection       look off: block inverted back, then its anchor
//   ShapeBlock            the corners take the new shape (grid/Block.h)
//   ToggleSelection       look on
// DrawFocusCell toggles the focus rectangle alone: called once to take it off and once to
// put it back, around every move of the current cell.

#include <cstdint>

#include "grid/Block.h"
#include "grid/GridRecord.h"

namespace tabula::render {

// Whether the block's look is drawn in the row and column modes' way around the edit box:
// inverted off and on again whenever the box shows or hides.
bool SelectionShown(const GridState& s);
// Inverts the block between the corner cells (either order), clipped to the shown rows and
// columns, then repaints the corner square between the bars and shows the image.
void InvertBlock(GridRecord& grid, int32_t r1, int32_t c1, int32_t r2, int32_t c2);
// The selection's block: Row1, Col1 to Row2, Col2.
void InvertBlock(GridRecord& grid);
// The selection's look: the block inverted, then its anchor inverted back to normal.
// Called once to show the selection and once more to take it off.
void ToggleSelection(GridRecord& grid);
// Reshapes the block around the current cell as the selection mode says (nothing in
// SelectionFree or without AllowSelection), its look taken off and put back whole.
void ApplySelectionMode(GridRecord& grid);
// The same reshaping of the state alone, for a redraw whose painting is pending.
void ShapeBlockForMode(GridRecord& grid);
// The block becomes the shape around the current cell, its look moved with it.
void ReshapeBlock(GridRecord& grid, BlockShape shape);
// Hides the edit box when it shows, keeping the block's look in the row and column modes.
void HideEditBox(GridRecord& grid);
// Paints the current cell again and puts back what a full paint draws over it: the
// block's look and the focus rectangle.
void RepaintCurrentCell(GridRecord& grid);
// The same without the overlays: the cell and the grid lines, for callers that have taken
// the overlays off themselves.
void PaintCurrentCellPlain(GridRecord& grid);

// Toggles the dotted focus rectangle of the cell and keeps the edit box over it, then
// shows the image.
void DrawFocusCell(GridRecord& grid, int32_t row, int32_t col);
// The current cell.
void DrawFocusCell(GridRecord& grid);

}  // namespace tabula::render
