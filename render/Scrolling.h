#pragma once

// Scrolling by whole rows and columns. The bars hold the position: every scroll, by the
// bars, the keyboard, the wheel or the TopRow and LeftCol writes, ends in a bar's change,
// which brings TopRow (LeftCol) to the bar's value, repaints and raises Scroll.
//
// One step moves the pixels already drawn and paints the strip that comes in; any other
// change repaints the rows (and, sideways, the header row too). Both end in a repaint of
// the data area, so the picture is always that of a full paint.

#include <cstdint>

namespace tabula {
class Tabula;
}

namespace tabula::render {

// The bars' change events: scroll (the vertical bar only while it is shown), take the edit
// box away, hide the lookup button, then raise Scroll.
void VerticalBarChanged(Tabula& grid);
void HorizontalBarChanged(Tabula& grid);

// Bring TopRow (LeftCol) to the bar's value and repaint.
void ScrollRows(Tabula& grid);
void ScrollColumns(Tabula& grid);

// After a one-step shift of `shift` pixels: paint the rows (columns) from the first one
// that the shift uncovered to the bottom (right) of the surface.
void PaintExposedRows(Tabula& grid, int32_t fromRow, int32_t shift);
void PaintExposedColumns(Tabula& grid, int32_t fromCol, int32_t shift);

}  // namespace tabula::render
