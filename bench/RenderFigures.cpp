// Figures of the grid's drawing: a full redraw of a screen-sized grid, the same with 300
// times the rows (painting costs what is visible, not what is stored), AutoSizeColumns,
// a one-row scroll, a key typed into the edit box with its commit, and a lookup list of
// 100,000 values opened by typing.

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "bench/Figures.h"
#include "core/Tabula.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"
#include "platform/window/VirtualKeys.h"

namespace tabula::bench {

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
// More than fit on the screen: 1080 / 16 rows and 1920 / 66 columns.
constexpr int32_t kFilledRows = 100;
constexpr int32_t kCols = 40;

// `rows` rows and more columns than fit; the first 100 rows (more than fit) hold 10
// characters in every cell.
void FillOnScreen(Tabula& grid, int32_t rows) {
    grid.SetAutoRedraw(false);
    grid.SetCols(kCols);
    grid.SetRows(rows);
    for (int32_t r = 0; r <= std::min(rows, kFilledRows); ++r) {
        for (int32_t c = 0; c <= grid.Cols(); ++c)
            grid.SetTextMatrix(r, c, "Item 12345");
    }
    grid.SetAutoRedraw(true);
}

// A 1920 x 1080 grid filled as above, on a form of its own on a desktop of its own.
struct ScreenGrid {
    explicit ScreenGrid(int32_t rows) {
        grid.InitNew();
        FillOnScreen(grid, rows);
    }
    HeadlessHost host{kWidth, kHeight};
    Form form{Rect{0, 0, kWidth, kHeight}};
    Tabula grid{form.hWnd(), Rect{0, 0, kWidth, kHeight}};
};

// Times `body` on a screen grid of `rows` rows, up to the picture someone sees: a redraw
// paints when the image is next looked at, as a host does for its next frame.
double OnScreenGrid(int32_t rows, const std::function<void(Tabula&)>& body) {
    ScreenGrid screen(rows);
    const auto step = [&] {
        body(screen.grid);
        Consume(&screen.grid.picGrid.Image());
    };
    // The first few hundred milliseconds of painting here run at about half speed (caches,
    // the processor's clock), so they are not timed.
    WarmUp(std::chrono::milliseconds(300), step);
    return BestMilliseconds(20, 5, step);
}

// The best time of `step` over `rounds` runs, each after `prepare` (not timed).
double BestOfSteps(int rounds, const std::function<void()>& prepare,
                   const std::function<void()>& step) {
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

// One Refresh clears and repaints every visible cell, the grid lines, the overlays and
// the background.
double RefreshMilliseconds(int32_t rows) {
    return OnScreenGrid(rows, [](Tabula& grid) { grid.Refresh(); });
}

// The cells a full repaint paints on the 1080p grid: headers included, the cut ones at the
// right and bottom edges too.
double VisibleCells() {
    ScreenGrid screen(kFilledRows);
    const GridState& s = screen.grid.State();
    const auto shown = [](const std::vector<int16_t>& sizes, int32_t first, int32_t last,
                          int32_t extent) {
        int32_t count = 1, at = sizes[0] + 1;
        for (int32_t i = first; i <= last && at < extent; ++i, ++count)
            at += sizes[i] + 1;
        return count;
    };
    return double(shown(s.RowHeight, s.TopRow, s.Rows, kHeight)) *
           shown(s.ColWidth, s.LeftCol, s.Cols, kWidth);
}

// One row down and back up through the vertical bar, as its arrows do: each step moves the
// drawn pixels, paints the row that comes in and repaints the data area.
double ScrollOneRowMilliseconds() {
    return OnScreenGrid(kFilledRows, [](Tabula& grid) {
        grid.scrVertical.SetValue(static_cast<int16_t>(grid.scrVertical.Value() == 1 ? 2 : 1));
    });
}

// One key typed into an open edit box and the commit with Enter, as a person types them
// on the headless host: the mask, the KeyPress event, the box's own editing, then the
// veto, the store, the repaint of the cell and AfterEdit. Opening the box is not timed.
double EditKeystrokeCommitMilliseconds() {
    ScreenGrid screen(kFilledRows);
    Tabula& grid = screen.grid;
    screen.form.Show();
    grid.SetRow(5);
    grid.SetCol(5);
    grid.picGrid.SetFocus();
    return BestOfSteps(
        20,
        [&] {
            grid.SetText("Item 12345");
            screen.host.Type("x");  // opens the box
        },
        [&] {
            screen.host.Type("y");
            screen.host.PressKey(VK_RETURN);
        });
}

// A key typed on a cell of a lookup column of 100,000 values, until the list shows under
// the cell with the first value starting with the key highlighted: the scan of the
// column's values, the list filled, placed and painted. Closing it with Esc is not timed.
double LookupOpenMilliseconds() {
    ScreenGrid screen(kFilledRows);
    Tabula& grid = screen.grid;
    // Another column's values are scanned past as well.
    for (int32_t i = 0; i < 100000; ++i) {
        grid.AddLookup(5, "Value " + std::to_string(i));
        grid.AddLookup(6, "Other " + std::to_string(i));
    }
    screen.form.Show();
    grid.SetRow(5);
    grid.SetCol(5);
    const double best = BestOfSteps(
        10,
        [&] {
            if (grid.LookupForm()) screen.host.PressKey(VK_ESCAPE);
            grid.picGrid.SetFocus();
        },
        [&] { screen.host.Type("v"); });
    return grid.LookupForm() ? best : -1;
}

// Spreads the width over the columns, then redraws.
double AutoSizeColumnsMilliseconds() {
    return OnScreenGrid(kFilledRows, [](Tabula& grid) { grid.AutoSizeColumns(); });
}

}  // namespace

void AddRenderFigures(std::vector<Figure>& figures) {
    figures.push_back({"refresh_1080p_ms", "ms", [] { return RefreshMilliseconds(100); }});
    figures.push_back({"visible_cells_1080p", "cells", VisibleCells});
    figures.push_back({"refresh_1080p_us_per_visible_cell", "us",
                       [] { return RefreshMilliseconds(100) * 1000 / VisibleCells(); }});
    figures.push_back(
        {"refresh_1080p_30000_rows_ms", "ms", [] { return RefreshMilliseconds(30000); }});
    figures.push_back({"autosize_columns_1080p_ms", "ms", AutoSizeColumnsMilliseconds});
    figures.push_back({"scroll_one_row_1080p_ms", "ms", ScrollOneRowMilliseconds});
    figures.push_back({"edit_keystroke_commit_1080p_ms", "ms", EditKeystrokeCommitMilliseconds});
    figures.push_back({"lookup_open_100000_ms", "ms", LookupOpenMilliseconds});
}

}  // namespace tabula::bench
