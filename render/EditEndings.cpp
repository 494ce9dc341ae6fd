#include "render/EditEndings.h"

#include "grid/ColumnFormat.h"
#include "render/CellPainter.h"
#include "render/Layout.h"
#include "render/LookupList.h"
#include "render/Overlays.h"
#include "render/Redraw.h"

namespace tabula::render {

TextBox& EditBox(GridRecord& grid) {
    return grid.state.Editor ? *grid.state.Editor : grid.parts.txtSingle;
}

void StoreEdit(GridRecord& grid) {
    GridState& s = grid.state;
    s.EditCancel = false;
    grid.events.BeforeEdit(s.Row, s.Col, s.EditCancel);
    // A handler may have reshaped the grid: the edited cell must still exist.
    if (!s.EditCancel && s.Row <= s.Rows && s.Col <= s.Cols)
        s.Cells.SetText(s.Row, s.Col, FormatForColumn(s, EditBox(grid).Text(), s.Col));
}

void PutEditBoxAway(GridRecord& grid) {
    TextBox& box = EditBox(grid);
    // The cells take the keyboard first: a box hiding with it would pass it to the
    // control's own window on the way.
    if (box.HasFocus()) FocusSurface(grid);
    box.SetVisible(false);
    box.ZOrder(1);
}

void EndEditBeforeRepaint(GridRecord& grid, AfterEnding next) {
    CloseLookupList(grid);
    GridState& s = grid.state;
    if (!s.Editing || s.EditEnding) return;
    s.EditEnding = true;
    StoreEdit(grid);
    s.Editing = false;
    ToggleSelection(grid);
    PutEditBoxAway(grid);
    if (next == AfterEnding::Scroll) {
        const CellPlace place = CellPosition(grid, s.Row, s.Col);
        if (DataCellShown(grid, s.Row, s.Col))
            PaintCell(grid, s.Row, s.Col, place.x, place.y, s.ColWidth[s.Col], s.RowHeight[s.Row]);
        DrawBlockFrame(grid);
        DrawFocusCell(grid);
    } else {
        FocusSurface(grid);
    }
    ToggleSelection(grid);
    grid.events.AfterEdit(s.Row, s.Col, std::string(s.Cells.Text(s.Row, s.Col)));
    FocusSurface(grid);
    s.EditEnding = false;
}

}  // namespace tabula::render
