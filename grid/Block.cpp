#include "grid/Block.h"

#include <cassert>

namespace tabula {

BlockShape ModeShape(const GridState& s) {
    if (!s.AllowSelection) return BlockShape::Keep;
    switch (s.SelectionMode) {
        case SelectionByRow:
            return BlockShape::Row;
        case SelectionByCol:
            return BlockShape::Column;
        case SelectionByRowHeader:
            return BlockShape::Cell;
        default:
            return BlockShape::Keep;
    }
}

void ShapeBlock(GridState& s, BlockShape shape, int32_t row, int32_t col) {
    assert(row >= 0 && row <= s.Rows && col >= 0 && col <= s.Cols &&
           "the block is shaped around a cell of the table");
    switch (shape) {
        case BlockShape::Keep:
            return;
        case BlockShape::Cell:
            s.Row1 = s.Row2 = row;
            s.Col1 = s.Col2 = col;
            return;
        case BlockShape::Row:
            s.Row1 = s.Row2 = row;
            s.Col1 = 0;
            s.Col2 = s.Cols;
            s.RowsSelected = true;
            return;
        case BlockShape::Column:
            s.Row1 = 0;
            s.Row2 = s.Rows;
            s.Col1 = s.Col2 = col;
            s.ColsSelected = true;
            return;
    }
}

void ExtendBlock(GridState& s, int32_t row, int32_t col) {
    s.Row2 = row;
    s.Col2 = col;
    if (s.SelectionMode == SelectionByRow) s.Col2 = s.Cols;
    if (s.SelectionMode == SelectionByCol) s.Row2 = s.Rows;
}

}  // namespace tabula
