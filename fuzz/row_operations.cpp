// Row operations on a small grid, one after another, the record checked after each, and
// the cell texts followed: rows and columns that appear start empty, a removed row's
// followers move up, Clear and Reset leave empty tables.
//
// Input: steps of an operation byte and its arguments:
//   0 AddItem     flags (bit 0: after a row, given next as a byte, -2..40), the row data
//                 up to a newline (tab-separated fields)
//   1 RemoveItem  a row byte, -2..Rows+1
//   2 Rows =      a count byte (see Count)
//   3 Cols =      a count byte
//   4 Clear       5 Reset
// Runtime errors are expected; the next step goes on from whatever the failed one left.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/FuzzGrid.h"
#include "fuzz/FuzzInput.h"
#include "platform/runtime/Error.h"

using namespace tabula;

namespace {

// The grid stays small: more rows than this and AddItem is skipped.
constexpr int32_t kMaxRows = 64;
// Texts are followed only in tables up to this many rows (Rows can be set far higher).
constexpr int32_t kFollowedRows = 256;

using Texts = std::vector<std::vector<std::string>>;

Texts TextsOf(const Tabula& grid) {
    Texts texts(grid.Rows() + 1);
    for (int32_t r = 0; r <= grid.Rows(); ++r) {
        for (int32_t c = 0; c <= grid.Cols(); ++c)
            texts[r].push_back(grid.TextMatrix(r, c));
    }
    return texts;
}

[[noreturn]] void Finding(const char* after, int32_t row, int32_t col, const std::string& text) {
    fuzz::Finding(std::string("after ") + after + " cell " + std::to_string(row) + ", " +
                  std::to_string(col) + " holds \"" + text + "\"");
}

// Cells of data rows and columns beyond the old table hold nothing.
void ExpectNewCellsEmpty(const Tabula& grid, const Texts& before, const char* after) {
    const int32_t oldRows = static_cast<int32_t>(before.size()) - 1;
    const int32_t oldCols = static_cast<int32_t>(before[0].size()) - 1;
    for (int32_t r = 0; r <= grid.Rows(); ++r) {
        for (int32_t c = 0; c <= grid.Cols(); ++c) {
            if ((r > oldRows && r >= 1) || (c > oldCols && c >= 1)) {
                const std::string text = grid.TextMatrix(r, c);
                if (!text.empty()) Finding(after, r, c, text);
            }
        }
    }
}

void ExpectDataEmpty(const Tabula& grid, const char* after) {
    for (int32_t r = 1; r <= grid.Rows(); ++r) {
        for (int32_t c = 1; c <= grid.Cols(); ++c) {
            const std::string text = grid.TextMatrix(r, c);
            if (!text.empty()) Finding(after, r, c, text);
        }
    }
}

// Counts: small ones mostly, a few past the limits (raising before anything changes) and
// a few larger ones; the largest table stays about 100 000 cells, so each input is fast.
int32_t Count(uint8_t b, bool rows) {
    const int32_t edges[] = {-1, INT32_MIN, 32768, INT32_MAX, rows ? 1000 : 100, 64};
    return b < 250 ? b % 41 : edges[b - 250];
}

void AddItem(Tabula& grid, fuzz::FuzzInput& in) {
    const uint8_t flags = in.Byte();
    std::optional<int32_t> afterRow;
    if (flags & 1) afterRow = in.Range(-2, 40);
    const std::string data(in.Until('\n'));
    if (grid.Rows() >= kMaxRows) return;
    const Texts before = TextsOf(grid);
    try {
        grid.AddItem(data, {}, {}, afterRow);
    } catch (const RuntimeError&) {
        return;  // a field past the last column: the row is added, its fields partly
    }
    // The new row holds the fields in its first columns and nothing after them.
    if (grid.Rows() != static_cast<int32_t>(before.size())) return;  // cancelled
    const int32_t oldRows = grid.Rows() - 1;
    const int32_t row =
        afterRow && *afterRow >= 0 && *afterRow <= oldRows ? *afterRow + 1 : grid.Rows();
    int32_t fields = 1;
    for (const char c : data)
        fields += c == '\t';
    for (int32_t c = fields + 1; c <= grid.Cols(); ++c) {
        const std::string text = grid.TextMatrix(row, c);
        if (!text.empty()) Finding("AddItem", row, c, text);
    }
}

void RemoveItem(Tabula& grid, fuzz::FuzzInput& in) {
    const int32_t row = in.Range(-2, grid.Rows() + 1);
    if (grid.Rows() > kFollowedRows) {
        grid.RemoveItem(row);
        return;
    }
    const Texts before = TextsOf(grid);
    try {
        grid.RemoveItem(row);
    } catch (const RuntimeError&) {
        return;
    }
    if (grid.Rows() != static_cast<int32_t>(before.size()) - 2) return;  // none or cancelled
    for (int32_t r = row; r <= grid.Rows(); ++r) {
        for (int32_t c = 0; c <= grid.Cols(); ++c) {
            const std::string text = grid.TextMatrix(r, c);
            if (text != before[r + 1][c]) Finding("RemoveItem", r, c, text);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    fuzz::FuzzGrid g;
    Tabula& grid = g.grid;
    while (!in.Empty()) {
        const uint8_t op = in.Byte() % 6;
        const char* name = "";
        try {
            switch (op) {
                case 0:
                    name = "AddItem";
                    AddItem(grid, in);
                    break;
                case 1:
                    name = "RemoveItem";
                    RemoveItem(grid, in);
                    break;
                case 2:
                case 3: {
                    name = op == 2 ? "Rows" : "Cols";
                    const int32_t count = Count(in.Byte(), op == 2);
                    const bool followed =
                        grid.Rows() <= kFollowedRows && (op == 3 || count <= kFollowedRows);
                    const Texts before = followed ? TextsOf(grid) : Texts{};
                    try {
                        op == 2 ? grid.SetRows(count) : grid.SetCols(count);
                    } catch (const RuntimeError&) {
                    }
                    if (followed && grid.Rows() <= kFollowedRows)
                        ExpectNewCellsEmpty(grid, before, name);
                    break;
                }
                case 4:
                    name = "Clear";
                    grid.Clear();
                    if (grid.Rows() <= kFollowedRows) ExpectDataEmpty(grid, name);
                    break;
                default:
                    name = "Reset";
                    grid.Reset();
                    if (grid.Rows() != 1 || grid.Cols() != 5)
                        fuzz::Finding("Reset left a table of another shape");
                    ExpectDataEmpty(grid, name);
                    break;
            }
        } catch (const RuntimeError&) {
        }
        fuzz::ExpectConsistent(grid, name);
    }
    return 0;
}
