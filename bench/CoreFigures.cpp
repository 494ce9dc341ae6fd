// Figures of the grid's model: memory per cell of a large grid of short texts, and the
// cost of shifting rows.

#include <chrono>

#include "bench/Figures.h"
#include "core/CellArray.h"

namespace tabula::bench {

namespace {

constexpr int32_t kRows = 30000;
constexpr int32_t kCols = 50;

void Fill(clsCellArray& cells) {
    cells.SetCols(kCols - 1);
    cells.SetRows(kRows - 1);
    for (int32_t r = 0; r < kRows; ++r) {
        for (int32_t c = 0; c < kCols; ++c) cells.SetText(r, c, "Item 12345");
    }
}

double BytesPerCell() {
    clsCellArray cells;
    Fill(cells);
    return double(cells.MemoryFootprint()) / (double(kRows) * kCols);
}

double InsertRowMilliseconds() {
    clsCellArray cells;
    Fill(cells);
    return BestMilliseconds(3, 3, [&] {
        cells.SetRows(cells.Rows() + 1);
        cells.InsertRowAfter(1);
        Consume(&cells);
    });
}

}  // namespace

void AddCoreFigures(std::vector<Figure>& figures) {
    figures.push_back({"cell_store_bytes_per_cell_30000x50", "bytes", BytesPerCell});
    figures.push_back({"cell_store_insert_row_30000x50_ms", "ms", InsertRowMilliseconds});
}

}  // namespace tabula::bench
