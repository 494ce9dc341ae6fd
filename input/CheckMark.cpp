#include "input/CheckMark.h"

#include "edit/Editor.h"
#include "grid/CellQueries.h"
#include "grid/GridRecord.h"
#include "render/Overlays.h"

namespace tabula::input {

void CheckMarkHit(GridRecord& grid, bool flip, edit::MoveEvent event) {
    GridState& s = grid.state;
    const bool locked = CellLocked(s, s.Row, s.Col);
    if (flip && !locked)
        s.Cells.SetText(s.Row, s.Col, s.Cells.Text(s.Row, s.Col) == "1" ? "0" : "1");
    render::RepaintCurrentCell(grid);
    if (!locked) {
        grid.events.AfterEdit(s.Row, s.Col, std::string(s.Cells.Text(s.Row, s.Col)));
        FocusSurface(grid);
    }
    if (s.AutoMove) {
        render::DrawFocusCell(grid);
        render::ToggleSelection(grid);
        edit::MoveToNextEditableCell(grid, event);
        render::ToggleSelection(grid);
        render::DrawFocusCell(grid);
    }
}

}  // namespace tabula::input
