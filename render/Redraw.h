#pragma once

// The full repaint and its painters.
//
// Call flow of a redraw:
//   Refresh
//     picGrid.Cls, current cell moved onto the data, GridLineWidth from ShowGrid
//     PaintGrid(full)
//       PaintRow(0)                  header row (full paints only)
//       PaintRow(TopRow ..)          until the surface's bottom or the last row
//       VScrollNeeded, HScrollNeeded
//       background right of and below the cells, in BackColorBkg
//       DrawGridLines                interior lines, DrawBlockFrame, scroll-bar corner
//       ToggleSelection (block, then anchor), DrawFocusCell(current cell)
//       BuildResizeBoundaries
//     ShowScrollBars
//     ApplySelectionMode             the block reshaped to the selection mode
//
// The painters never show the image: the selection and focus drawing at the end of a full
// paint does (picGrid.Refresh).

#include <cstdint>

#include "platform/gdi/Color.h"
#include "platform/gdi/DeviceContext.h"

namespace tabula {
class Tabula;
}

namespace tabula::render {

enum class PaintHeader { No, Yes };

void Refresh(Tabula& grid);
// Full: the header row too (scrolling repaints the data rows alone).
void PaintGrid(Tabula& grid, PaintHeader header);
void PaintRow(Tabula& grid, int32_t row, int32_t y);
void PaintColumn(Tabula& grid, int32_t col, int32_t x, PaintHeader header = PaintHeader::No);
// Interior grid lines of the visible data area, the block frame, then the corner square.
void DrawGridLines(Tabula& grid);
// The frame around rows r1..r2 by columns c1..c2.
void DrawBlockFrame(Tabula& grid, int32_t r1, int32_t c1, int32_t r2, int32_t c2);
// The frame around the visible data area (TopRow, LeftCol to Rows, Cols).
void DrawBlockFrame(Tabula& grid);
// From (x1, y1) up to (x2, y2), end excluded, in the colour; picGrid's ForeColor keeps it.
void DrawLine(Tabula& grid, int32_t x1, int32_t y1, int32_t x2, int32_t y2, OLE_COLOR color);
// The control's border on its own surface, for BorderStyle.
void PaintBorder(Tabula& grid);

}  // namespace tabula::render
