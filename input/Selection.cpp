#include "input/Selection.h"

#include "core/Tabula.h"
#include "render/Overlays.h"

namespace tabula::input {

void ApplySelectionMode(Tabula& grid) {
    GridState& s = grid.State();
    if (!s.AllowSelection) return;
    const int16_t mode = s.SelectionMode;
    if (mode != SelectionByRow && mode != SelectionByCol && mode != SelectionByRowHeader) return;
    // The whole look goes and comes back, anchor included: erasing the block alone would
    // leave the old anchor inverted wherever the block moves away from it.
    render::ToggleSelection(grid);
    if (mode == SelectionByRow) {
        s.Col1 = 0;
        s.Col2 = s.Cols;
        s.Row1 = s.Row2 = s.Row;
        s.RowsSelected = true;
    } else if (mode == SelectionByCol) {
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

}  // namespace tabula::input
