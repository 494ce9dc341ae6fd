#pragma once

// The full repaint and its painters.
//
// Call flow of a redraw (the selection's look and the focus rectangle: on = drawn):
//   Refresh                          what anyone can observe at once
//     EndEditBeforeRepaint: an edit in progress stored (render/EditEndings.h)
//     current cell moved onto the data
//     LayOut                         line width, extents, bars' need, page sizes,
//                                    resize boundaries (render/Layout.h)
//     ShowScrollBars
//     ShapeBlockForMode              the block reshaped to the selection mode
//     paint pending: picGrid's image is out of date (painted at once without AutoRedraw,
//     since then the writes that follow leave the picture as it is)
//   PaintPending                     when picGrid's image is next read, drawn on or shown
//     PaintGrid(full, clearing)
//       LayOut
//       ShownRows, ShownColumns      header row (full paints only), then TopRow (LeftCol)
//                                    .. until the surface's edge or the last row (column)
//       ClearAroundCells             in BackColor, what the cells will not cover: the
//                                    picture of a Cls first                 look off
//       PaintCell, row by row        every shown row by every shown column
//       background right of and below the cells, in BackColorBkg
//       DrawGridLines                interior lines, DrawBlockFrame, scroll-bar corner
//       ToggleSelection (block, then anchor), DrawFocusCell(current cell)   look on
//
// So a run of writes under AutoRedraw costs one paint, and the picture anyone sees is the
// one a full repaint of the present state gives. A step that changes the state and then
// draws on the old picture (a scroll moving pixels) paints what is pending first.
//
// The painters never show the image: the selection and focus drawing at the end of a full
// paint does (picGrid.Refresh).

#include <cstdint>
#include <vector>

#include "grid/GridRecord.h"
#include "platform/gdi/Color.h"

namespace tabula::render {

enum class PaintHeader { No, Yes };
// A full paint over a stale picture first clears what the cells will not cover; a scroll's
// paint keeps the pixels it moved.
enum class Clearing { No, AroundCells };

// One shown row (column): its index, first pixel and size.
struct ShownSpan {
    int32_t index;
    int32_t begin;
    int32_t size;
};
// The rows a paint walks: the header row when asked, then TopRow on to the surface's
// bottom or the last row.
std::vector<ShownSpan> ShownRows(const GridRecord& grid, PaintHeader header);
// The row header column, then LeftCol on to the surface's right edge.
std::vector<ShownSpan> ShownColumns(const GridRecord& grid);

void Refresh(GridRecord& grid);
// Paints what the last Refresh left pending; nothing when the picture is up to date.
void PaintPending(GridRecord& grid);
// The redraw rule of content and shape writes: Refresh only while AutoRedraw is set.
void RedrawIfAuto(GridRecord& grid);
// The same for writes to cells' contents and looks, which leave the layout and the bars
// as they are: the redraw skips laying out.
void RedrawCellsIfAuto(GridRecord& grid);
// Full: the header row too (scrolling repaints the data rows alone).
void PaintGrid(GridRecord& grid, PaintHeader header, Clearing clearing = Clearing::No);
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
