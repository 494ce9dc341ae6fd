#include "input/CheckMark.h"

#include "grid/GridRecord.h"
#include "render/Overlays.h"

namespace tabula::input {

void CheckMarkHit(GridRecord& grid, bool flip) {
    GridState& s = grid.state;
    const bool locked = !s.ColAllowEdit[s.Col] && s.Cells.ReadOnly(s.Row, s.Col);
    if (flip && !locked)
        s.Cells.SetText(s.Row, s.Col, s.Cells.Text(s.Row, s.Col) == "1" ? "0" : "1");
    render::RepaintCurrentCell(grid);
    if (!locked) {
        grid.events.AfterEdit(s.Row, s.Col, s.Cells.Text(s.Row, s.Col));
        FocusSurface(grid);
    }
    // With AutoMove, moving on to the next editable cell joins here with the editor.
}

}  // namespace tabula::input
