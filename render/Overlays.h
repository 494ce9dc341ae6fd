#pragma once

// The selected block and the focus rectangle, drawn over painted cells by exclusive-or:
// drawing twice restores the picture, so every caller erases before it changes the
// selection or the current cell and draws again afterwards.

#include <cstdint>

namespace tabula {
class Tabula;
}

namespace tabula::render {

// Inverts the block between the corner cells (either order), clipped to the shown rows and
// columns, then repaints the corner square between the bars and shows the image.
void InvertBlock(Tabula& grid, int32_t r1, int32_t c1, int32_t r2, int32_t c2);
// The selection's block: Row1, Col1 to Row2, Col2.
void InvertBlock(Tabula& grid);
// The selection's look: the block inverted, then its anchor inverted back to normal.
// Called once to show the selection and once more to take it off.
void ToggleSelection(Tabula& grid);
// Hides the edit box when it shows, keeping the block's look in the row and column modes.
void HideEditBox(Tabula& grid);
// Paints the current cell again and puts back what a full paint draws over it: the
// block's look and the focus rectangle.
void RepaintCurrentCell(Tabula& grid);

// Toggles the dotted focus rectangle of the cell and keeps the edit box over it, then
// shows the image.
void DrawFocusCell(Tabula& grid, int32_t row, int32_t col);
// The current cell.
void DrawFocusCell(Tabula& grid);

}  // namespace tabula::render
