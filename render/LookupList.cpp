#include "render/LookupList.h"

#include "render/Overlays.h"

namespace tabula::render {

bool PutLookupListAway(GridRecord& grid) {
    PopupList* list = grid.LookupForm;
    if (!list) return false;
    grid.LookupForm = nullptr;
    // The cells take the keyboard before the list hides, as for the edit box.
    if (list->HasFocus()) FocusSurface(grid);
    list->Close();
    list->SetItems({});
    return true;
}

void CloseLookupList(GridRecord& grid) {
    if (!PutLookupListAway(grid)) return;
    grid.state.Editing = false;
    // The opening took the focus rectangle off; the cell itself never changed.
    DrawFocusCell(grid);
}

}  // namespace tabula::render
