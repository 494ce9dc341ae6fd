#pragma once

// The selected block's shape: one rule for every gesture that reshapes it (the selection
// mode after a move, a click on a cell or a header, a Shift-click, a one-step scroll).
// Pure functions of the state record: drawing the block's look is render's work.

#include <cstdint>

#include "grid/GridState.h"

namespace tabula {

enum class BlockShape {
    Keep,    // the block stays as it is
    Cell,    // the cell alone
    Row,     // the whole row: columns 0..Cols
    Column,  // the whole column: rows 0..Rows
};

// The shape the selection mode gives the block around the current cell: Row in
// SelectionByRow, Column in SelectionByCol, Cell in SelectionByRowHeader, Keep in
// SelectionFree or without AllowSelection.
BlockShape ModeShape(const GridState& s);

// Sets the corners to the shape around (row, col). Row and Column blocks also mark the
// block as whole rows or columns; Keep changes nothing.
void ShapeBlock(GridState& s, BlockShape shape, int32_t row, int32_t col);

// Moves the extent corner to (row, col): to the row's end in SelectionByRow and the
// column's end in SelectionByCol, as a Shift-click stretches the block.
void ExtendBlock(GridState& s, int32_t row, int32_t col);

// Whether the block covers more than one cell.
inline bool BlockSelected(const GridState& s) {
    return s.Row1 != s.Row2 || s.Col1 != s.Col2;
}

}  // namespace tabula
