#include "input/Selection.h"

#include "core/Tabula.h"
#include "render/Overlays.h"

namespace tabula::input {

namespace {

enum class Shape { Row, Column, Cell };

void Reshape(Tabula& grid, Shape shape) {
    GridState& s = grid.State();
    // The whole look goes and comes back, anchor included: erasing the block alone would
    // leave the old anchor inverted wherever the block moves away from it.
    render::ToggleSelection(grid);
    if (shape == Shape::Row) {
        s.Col1 = 0;
        s.Col2 = s.Cols;
        s.Row1 = s.Row2 = s.Row;
        s.RowsSelected = true;
    } else if (shape == Shape::Column) {
        s.Col1 = s.Col2 = s.Col;
        s.Row1 = 0;
        s.Row2 = s.Rows;
        s.ColsSelected = true;
    } else {
        s.Row1 = s.Row2 = s.Row;
        s.Col1 = s.Col2 = s.Col;
        s.RowsSelected = true;
    }
    render::ToggleSelection(grid);
}

}  // namespace

void ApplySelectionMode(Tabula& grid) {
    const GridState& s = grid.State();
    if (!s.AllowSelection) return;
    switch (s.SelectionMode) {
        case SelectionByRow:
            return Reshape(grid, Shape::Row);
        case SelectionByCol:
            return Reshape(grid, Shape::Column);
        case SelectionByRowHeader:
            return Reshape(grid, Shape::Cell);
        default:
            return;
    }
}

void SelectRowBlock(Tabula& grid) {
    Reshape(grid, Shape::Row);
}

void SelectColumnBlock(Tabula& grid) {
    Reshape(grid, Shape::Column);
}

}  // namespace tabula::input
