#pragma once

// One cell on picGrid: background, the raised or pressed face of fixed cells, check boxes,
// then the text in the cell's colours, font and alignment. Every drawing path paints cells
// only through PaintCell, handing it the rectangle the layout gives; the selection and
// the focus are drawn over the cells afterwards.

#include <cstdint>

#include "platform/gdi/Color.h"
#include "platform/gdi/DeviceContext.h"

#include "grid/GridRecord.h"

namespace tabula::render {

// Left x, top y, right x + w, bottom y + h (right and bottom exclusive).
Rect MakeRect(int32_t x, int32_t y, int32_t w, int32_t h);

// Fills MakeRect(x, y, w, h) on picGrid with a solid brush of the colour (system colours
// translated).
void FillArea(GridRecord& grid, int32_t x, int32_t y, int32_t w, int32_t h, OLE_COLOR color);

// Paints cell (row, col) into x, y, w, h. Leaves picGrid's ForeColor and font set to the
// cell's.
void PaintCell(GridRecord& grid, int32_t row, int32_t col, int32_t x, int32_t y, int32_t w,
               int32_t h);

// A light grey face with raised edges (pressed -1: sunken; any other value: the face
// alone).
void PaintFixedCell3D(GridRecord& grid, int32_t x, int32_t y, int32_t w, int32_t h,
                      int16_t pressed);

}  // namespace tabula::render
