// Figures of the grid's drawing: a full redraw of a screen-sized grid.

#include "bench/Figures.h"
#include "core/Tabula.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"

namespace tabula::bench {

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

// A 1920 x 1080 grid with more rows and columns than fit, every cell holding 10
// characters: one Refresh clears and repaints every visible cell, the grid lines, the
// overlays and the background.
double Refresh1080pMilliseconds() {
    HeadlessHost host(kWidth, kHeight);
    Form form(Rect{0, 0, kWidth, kHeight});
    Tabula grid(form.hWnd(), Rect{0, 0, kWidth, kHeight});
    grid.InitNew();
    grid.SetAutoRedraw(false);
    grid.SetCols(40);
    grid.SetRows(100);
    for (int32_t r = 0; r <= grid.Rows(); ++r) {
        for (int32_t c = 0; c <= grid.Cols(); ++c)
            grid.SetTextMatrix(r, c, "Item 12345");
    }
    grid.SetAutoRedraw(true);
    return BestMilliseconds(3, 3, [&] {
        grid.Refresh();
        Consume(&grid);
    });
}

}  // namespace

void AddRenderFigures(std::vector<Figure>& figures) {
    figures.push_back({"refresh_1080p_ms", "ms", Refresh1080pMilliseconds});
}

}  // namespace tabula::bench
