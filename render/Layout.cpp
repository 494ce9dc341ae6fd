#include "render/Layout.h"

#include <cmath>

#include "core/Tabula.h"
#include "platform/runtime/Error.h"

namespace tabula::render {

CellPlace CellPosition(Tabula& grid, int32_t row, int32_t col) {
    GridState& s = grid.State();
    const int32_t w = grid.picGrid.ScaleWidth();
    const int32_t h = grid.picGrid.ScaleHeight();
    CellPlace place;
    place.y = s.ColHeader ? s.RowHeight[0] + s.GridLineWidth + 1 : 1;
    place.x = s.RowHeader ? s.ColWidth[0] + s.GridLineWidth + 1 : 1;
    s.GridLineWidth = s.ShowGrid ? 1 : 0;

    bool pastBottom = false;
    for (int32_t i = s.TopRow; i <= row; ++i) {
        if (place.y > h - 1) {
            pastBottom = true;
            break;
        }
        if (i < row) place.y += s.RowHeight[i] + s.GridLineWidth;
    }
    bool pastRight = false;
    for (int32_t c = s.LeftCol; c <= col; ++c) {
        if (place.x > w - 1) {
            pastRight = true;
            break;
        }
        if (c < col) place.x += s.ColWidth[c] + s.GridLineWidth;
    }
    place.outOfView = pastBottom || pastRight;
    return place;
}

void ShowScrollBars(Tabula& grid) {
    const GridState& s = grid.State();
    const int32_t w = grid.picGrid.ScaleWidth();
    const int32_t h = grid.picGrid.ScaleHeight();
    ScrollBar& vertical = grid.scrVertical;
    ScrollBar& horizontal = grid.scrHorizontal;
    if (s.VScrollNeeded) {
        vertical.Move(vertical.Left(), vertical.Top(), vertical.Width(),
                      s.HScrollNeeded ? h - horizontal.Height() : h);
        vertical.SetVisible(true);
    } else {
        vertical.SetVisible(false);
    }
    if (s.HScrollNeeded) {
        horizontal.Move(horizontal.Left(), horizontal.Top(),
                        s.VScrollNeeded ? w - vertical.Width() : w, horizontal.Height());
        horizontal.SetVisible(true);
    } else {
        horizontal.SetVisible(false);
    }
}

void AutoSizeColumns(Tabula& grid) {
    GridState& s = grid.State();
    const double barWidth = grid.scrVertical.Width();
    const double surfaceWidth = grid.picGrid.ScaleWidth();
    const double room =
        s.RowHeader ? surfaceWidth - s.ColWidth[0] - barWidth : surfaceWidth - barWidth;
    // Halves go to the even neighbour (the default rounding mode).
    const double share = std::nearbyint(room / s.Cols);
    if (share > INT16_MAX || share < INT16_MIN) RaiseError(kErrOverflow);
    // A surface narrower than the header column and the bar gives no room: widths are
    // never negative, as a ColWidth write would store them.
    const int16_t width = share < 0 ? int16_t{0} : static_cast<int16_t>(share);
    for (int32_t c = 1; c <= s.Cols; ++c)
        s.ColWidth[c] = width;
    grid.Refresh();
}

void BuildResizeBoundaries(Tabula& grid) {
    GridState& s = grid.State();
    if (!s.AllowUserResizing) return;
    s.ColBoundaries.clear();
    s.RowBoundaries.clear();
    const int32_t wc = grid.ScaleWidth();
    const int32_t hc = grid.ScaleHeight();

    int32_t x = 0;
    if (s.RowHeader) {
        x = s.ColWidth[0];
        s.ColBoundaries.push_back(x);
    }
    for (int32_t c = s.LeftCol; c <= s.Cols; ++c) {
        x += s.ColWidth[c] + 1;
        if (x > wc) break;
        s.ColBoundaries.push_back(x);
    }

    int32_t y = s.ColHeader ? s.RowHeight[0] + 1 : 0;
    s.RowBoundaries.push_back(y);
    for (int32_t r = s.TopRow; r <= s.Rows; ++r) {
        y += s.RowHeight[r] + 1;
        if (y > hc) break;
        s.RowBoundaries.push_back(y);
    }
}

}  // namespace tabula::render
