#pragma once

// The full repaint and its painters.
//
// Call flow of a redraw (the selection's look and the focus rectangle: on = drawn):
//   Refresh
//     EndEditBeforeRepaint: an edit in progress stored (render/EditEndings.h)
//     picGrid.Cls, current cell moved onto the data                     look off (cleared)
//     PaintGrid(full)
//       LayOut                       line width, extents, bars' need, page sizes,
//                                    resize boundaries (render/Layout.h)
//       PaintRow(0)                  header row (full paints only)
//       PaintRow(TopRow ..)          until the surface's bottom or the last row
//       background right of and below the cells, in BackColorBkg
//       DrawGridLines                interior lines, DrawBlockFrame, scroll-bar corner
//       ToggleSelection (block, then anchor), DrawFocusCell(current cell)   look on
//     ShowScrollBars
//     PaintGrid once more when the square between the bars went away     look on
//     ApplySelectionMode             off, the block reshaped to the mode, on
//
// The painters never show the image: the selection and focus drawing at the end of a full
// paint does (picGrid.Refresh).

#include <cstdint>

#include "grid/GridRecord.h"
#include "platform/gdi/Color.h"

namespace tabula::render {

enum class PaintHeader { No, Yes };

void Refresh(GridRecord& grid);
// The redraw rule of content and shape writes: Refresh only while AutoRedraw is set.
void RedrawIfAuto(GridRecord& grid);
// Full: the header row too (scrolling repaints the data rows alone).
void PaintGrid(GridRecord& grid, PaintHeader header);
void PaintRow(GridRecord& grid, int32_t row, int32_t y);
void PaintColumn(GridRecord& grid, int32_t col, int32_t x, PaintHeader header = PaintHeader::No);
// Interior grid lines of the visible data area, the block frame, then the corner square.
void DrawGridLines(GridRecord& grid);
// The frame around rows r1..r2 by columns c1..c2.
void DrawBlockFrame(GridRecord& grid, int32_t r1, int32_t c1, int32_t r2, int32_t c2);
// The frame around the visible data area (TopRow, LeftCol to Rows, Cols).
void DrawBlockFrame(GridRecord& grid);
// The light grey square between the two bars, which lie over picGrid, when both show or
// are needed.
void PaintScrollCorner(GridRecord& grid);
// From (x1, y1) up to (x2, y2), end excluded, in the colour; picGrid's ForeColor keeps it.
void DrawLine(GridRecord& grid, int32_t x1, int32_t y1, int32_t x2, int32_t y2, OLE_COLOR color);
// The control's border on its own surface, for BorderStyle.
void PaintBorder(GridRecord& grid);

}  // namespace tabula::render
