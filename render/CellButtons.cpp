#include "render/CellButtons.h"

#include "grid/ColumnLists.h"
#include "render/Layout.h"

namespace tabula::render {

namespace {

// picGrid's place in the control.
constexpr int32_t kSurfaceOffset = 2;

}  // namespace

void PlaceCellButtons(GridRecord& grid) {
    const GridState& s = grid.state;
    const bool onData = s.Row > 0 && s.Col > 0 && s.Row <= s.Rows && s.Col <= s.Cols &&
                        s.LeftCol <= s.Col && s.TopRow <= s.Row;
    const CellPlace place = onData ? CellPosition(grid, s.Row, s.Col) : CellPlace{};
    // The cells' area: picGrid less the bars that lie over it.
    const ScrollBar& down = grid.parts.scrVertical;
    const ScrollBar& across = grid.parts.scrHorizontal;
    const int32_t right = grid.parts.picGrid.ScaleWidth() - (down.Visible() ? down.Width() : 0);
    const int32_t bottom =
        grid.parts.picGrid.ScaleHeight() - (across.Visible() ? across.Height() : 0);

    const auto put = [&](CommandButton& button, bool columnHasIt) {
        const int32_t width = button.Width();
        const int32_t x = onData ? place.x + s.ColWidth[s.Col] - width - 1 : 0;
        const int32_t y = onData ? place.y + 1 : 0;
        const int32_t height = onData ? s.RowHeight[s.Row] - 2 : 0;
        const bool inView = onData && !place.outOfView && x >= 0 && y >= 0 && height > 0 &&
                            x + width <= right && y + height <= bottom;
        if (!columnHasIt || !inView) {
            button.SetVisible(false);
            return;
        }
        button.Move(x + kSurfaceOffset, y + kSurfaceOffset, width, height);
        button.SetVisible(true);
        button.ZOrder(0);
    };
    put(grid.parts.cmdLookup, ColHasLookup(s, s.Col));
    put(grid.parts.cmdButton, ColHasButton(s, s.Col));
}

}  // namespace tabula::render
