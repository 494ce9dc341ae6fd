// Figures of the grid's drawing: a full redraw of a screen-sized grid, the same with 300
// times the rows (painting costs what is visible, not what is stored), and AutoSizeColumns.

#include <algorithm>
#include <functional>

#include "bench/Figures.h"
#include "core/Tabula.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"

namespace tabula::bench {

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
// More than fit on the screen: 1080 / 16 rows and 1920 / 66 columns.
constexpr int32_t kFilledRows = 100;
constexpr int32_t kCols = 40;

// A 1920 x 1080 grid of `rows` rows and more columns than fit; the first 100 rows (more
// than fit) hold 10 characters in every cell. Times `body` on it.
double OnScreenGrid(int32_t rows, const std::function<void(Tabula&)>& body) {
    HeadlessHost host(kWidth, kHeight);
    Form form(Rect{0, 0, kWidth, kHeight});
    Tabula grid(form.hWnd(), Rect{0, 0, kWidth, kHeight});
    grid.InitNew();
    grid.SetAutoRedraw(false);
    grid.SetCols(kCols);
    grid.SetRows(rows);
    for (int32_t r = 0; r <= std::min(rows, kFilledRows); ++r) {
        for (int32_t c = 0; c <= grid.Cols(); ++c)
            grid.SetTextMatrix(r, c, "Item 12345");
    }
    grid.SetAutoRedraw(true);
    return BestMilliseconds(3, 3, [&] {
        body(grid);
        Consume(&grid);
    });
}

// One Refresh clears and repaints every visible cell, the grid lines, the overlays and
// the background.
double RefreshMilliseconds(int32_t rows) {
    return OnScreenGrid(rows, [](Tabula& grid) { grid.Refresh(); });
}

// One row down and back up through the vertical bar, as its arrows do: each step moves the
// drawn pixels, paints the row that comes in and repaints the data area.
double ScrollOneRowMilliseconds() {
    return OnScreenGrid(kFilledRows, [](Tabula& grid) {
        grid.scrVertical.SetValue(static_cast<int16_t>(grid.scrVertical.Value() == 1 ? 2 : 1));
    });
}

// Spreads the width over the columns, then redraws.
double AutoSizeColumnsMilliseconds() {
    return OnScreenGrid(kFilledRows, [](Tabula& grid) { grid.AutoSizeColumns(); });
}

}  // namespace

void AddRenderFigures(std::vector<Figure>& figures) {
    figures.push_back({"refresh_1080p_ms", "ms", [] { return RefreshMilliseconds(100); }});
    figures.push_back(
        {"refresh_1080p_30000_rows_ms", "ms", [] { return RefreshMilliseconds(30000); }});
    figures.push_back({"autosize_columns_1080p_ms", "ms", AutoSizeColumnsMilliseconds});
    figures.push_back({"scroll_one_row_1080p_ms", "ms", ScrollOneRowMilliseconds});
}

}  // namespace tabula::bench
