// Figures of the grid's model: memory per cell of a large grid, empty and filled with
// short texts, the time to grow it, and the cost of shifting rows in the cell store.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "bench/Figures.h"
#include "core/Tabula.h"
#include "grid/CellArray.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"

namespace tabula::bench {

namespace {

constexpr int32_t kRows = 30000;
constexpr int32_t kCols = 50;

void Fill(clsCellArray& cells) {
    cells.SetCols(kCols - 1);
    cells.SetRows(kRows - 1);
    for (int32_t r = 0; r < kRows; ++r) {
        for (int32_t c = 0; c < kCols; ++c)
            cells.SetText(r, c, "Item 12345");
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

// A grid control on a headless form, as an application has it.
struct GridOnForm {
    HeadlessHost host;
    Form form{Rect{0, 0, 640, 480}};
    Tabula grid{form.hWnd(), Rect{0, 0, 640, 480}};
    GridOnForm() { grid.InitNew(); }
};

// Everything the grid holds for its cells, rows and columns.
size_t GridFootprint(const GridState& s) {
    size_t bytes = s.Cells.MemoryFootprint();
    bytes += s.ColWidth.capacity() * sizeof(int16_t) + s.ColAlign.capacity() * sizeof(int32_t) +
             s.ColAllowEdit.capacity() / 8 + s.ColMask.capacity() * sizeof(int16_t) +
             s.ColEditWidth.capacity() * sizeof(int16_t);
    bytes += s.RowHeight.capacity() * sizeof(int16_t) + s.RowBookmark.capacity() * sizeof(Variant);
    return bytes;
}

// Bytes per cell of a grid with kRows data rows and kCols data columns (header row and
// column included in the count of cells).
double GridBytesPerCell(bool withTexts) {
    GridOnForm g;
    g.grid.SetAutoRedraw(false);
    g.grid.SetCols(kCols);
    g.grid.SetRows(kRows);
    if (withTexts) {
        for (int32_t r = 1; r <= kRows; ++r) {
            for (int32_t c = 1; c <= kCols; ++c)
                g.grid.SetTextMatrix(r, c, "Item 12345");
        }
    }
    const double cells = double(kRows + 1) * double(kCols + 1);
    return double(GridFootprint(g.grid.State())) / cells;
}

// The best of three growths of a new instance from 1 row to kRows rows of kCols columns.
double GrowMilliseconds() {
    GridOnForm g;
    g.grid.SetAutoRedraw(false);
    g.grid.SetCols(kCols);
    double best = std::numeric_limits<double>::max();
    for (int round = 0; round < 3; ++round) {
        g.grid.SetRows(1);
        const auto start = std::chrono::steady_clock::now();
        g.grid.SetRows(kRows);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
        Consume(&g.grid);
    }
    return best;
}

// Filling a new 5-column grid with 10,000 rows by AddItem, drawing once at the end, as an
// application loading data does.
double AddItemMilliseconds() {
    double best = std::numeric_limits<double>::max();
    for (int round = 0; round < 3; ++round) {
        GridOnForm g;
        g.grid.SetAutoRedraw(false);
        g.grid.SetRows(0);
        const auto start = std::chrono::steady_clock::now();
        for (int32_t r = 0; r < 10000; ++r)
            g.grid.AddItem("Item 12345\tLisbon\t12.50\t1\tnotes");
        g.grid.SetAutoRedraw(true);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
        Consume(&g.grid);
    }
    return best;
}

// Growing a new instance to kRows x kCols and setting every data cell's text from the
// application's own table of texts ("r00001c01", made with snprintf beforehand, as the
// peers are measured filling from a std::vector<std::string>); the best of three.
double FillMilliseconds(bool autoRedraw) {
    std::vector<std::string> texts;
    texts.reserve(size_t(kRows) * kCols);
    char text[16];
    for (int32_t r = 1; r <= kRows; ++r) {
        for (int32_t c = 1; c <= kCols; ++c) {
            std::snprintf(text, sizeof text, "r%05dc%02d", int(r), int(c));
            texts.emplace_back(text);
        }
    }
    double best = std::numeric_limits<double>::max();
    for (int round = 0; round < 3; ++round) {
        GridOnForm g;
        g.grid.SetAutoRedraw(autoRedraw);
        const auto start = std::chrono::steady_clock::now();
        g.grid.SetCols(kCols);
        g.grid.SetRows(kRows);
        const std::string* next = texts.data();
        for (int32_t r = 1; r <= kRows; ++r) {
            for (int32_t c = 1; c <= kCols; ++c)
                g.grid.SetTextMatrix(r, c, *next++);
        }
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
        Consume(&g.grid);
    }
    return best;
}

}  // namespace

void AddCoreFigures(std::vector<Figure>& figures) {
    figures.push_back({"cell_store_bytes_per_cell_30000x50", "bytes", BytesPerCell});
    figures.push_back({"cell_store_insert_row_30000x50_ms", "ms", InsertRowMilliseconds});
    figures.push_back(
        {"grid_bytes_per_cell_30000x50_empty", "bytes", [] { return GridBytesPerCell(false); }});
    figures.push_back({"grid_bytes_per_cell_30000x50_short_texts", "bytes",
                       [] { return GridBytesPerCell(true); }});
    figures.push_back({"grid_grow_to_30000x50_ms", "ms", GrowMilliseconds});
    figures.push_back({"additem_10000_rows_ms", "ms", AddItemMilliseconds});
    figures.push_back({"fill_30000x50_ms", "ms", [] { return FillMilliseconds(false); }});
    figures.push_back({"fill_30000x50_autoredraw_ms", "ms", [] { return FillMilliseconds(true); }});
}

}  // namespace tabula::bench
