#include <gtest/gtest.h>

#include "grid/CellArray.h"
#include "tests/support/Raised.h"

namespace tabula {
namespace {

using test::RaisedError;

// "r2c3" for row 2, column 3. Built by appending: GCC 12 warns falsely about the
// equivalent chain of string concatenations.
std::string CellName(int32_t r, int32_t c) {
    std::string name = "r";
    name += std::to_string(r);
    name += 'c';
    name += std::to_string(c);
    return name;
}

// A store shaped the way the control shapes it: data cells style 2, header cells style 1.
clsCellArray MakeStore(int32_t rows, int32_t cols) {
    clsCellArray cells;
    cells.SetCols(cols);
    cells.SetRows(rows);
    for (int32_t r = 0; r <= rows; ++r) {
        for (int32_t c = 0; c <= cols; ++c) {
            cells.SetStyle(r, c, (r == 0 || c == 0) ? 1 : 2);
            cells.SetText(r, c, CellName(r, c));
        }
    }
    return cells;
}

// The grid removes rows 1 to Rows only; the store takes any row and leaves the last one
// for the caller to drop.
TEST(CellArray, RemoveShiftsRowsUpEvenIntoTheHeaderRowAndIgnoresRowsPastTheEnd) {
    clsCellArray header = MakeStore(2, 1);
    header.Remove(0);
    EXPECT_EQ(header.Text(0, 1), "r1c1");
    EXPECT_EQ(header.Text(2, 1), "r2c1");
    header.Remove(10);
    EXPECT_EQ(header.Text(1, 1), "r2c1");
    EXPECT_EQ(RaisedError([&] { header.Remove(-1); }), 9);
}

TEST(CellArray, InsertRowAfterShiftsDownAndClearsTheNewRowButWhatTheShiftCopied) {
    clsCellArray cells = MakeStore(3, 1);
    cells.SetTag(1, 1, "one");
    cells.SetValue(1, 1, -1);
    cells.SetTextAlignVertical(1, 1, 2);
    cells.SetBackColor(1, 1, 0xFF);
    cells.SetFontName(1, 1, "Arial");
    // After the last row there is no room: it fails before anything moves.
    EXPECT_EQ(RaisedError([&] { cells.InsertRowAfter(3); }), 9);
    cells.InsertRowAfter(-1);  // ignored
    cells.InsertRowAfter(7);   // ignored
    EXPECT_EQ(cells.Text(3, 1), "r3c1");
    cells.SetRows(4);
    cells.InsertRowAfter(1);
    EXPECT_EQ(cells.Text(3, 1), "r2c1");
    EXPECT_EQ(cells.Text(4, 1), "r3c1");
    // Row 2 is blank with reset fonts and colours, but keeps row 1's tag, style, vertical
    // alignment and value, copied into it by the shift.
    EXPECT_EQ(cells.Text(2, 1), "");
    EXPECT_EQ(cells.BackColor(2, 1), -1);
    EXPECT_EQ(cells.FontName(2, 1), "");
    EXPECT_EQ(cells.Tag(2, 1), "one");
    EXPECT_EQ(cells.Value(2, 1), -1);
    EXPECT_EQ(cells.TextAlignVertical(2, 1), 2);
    EXPECT_EQ(cells.Style(2, 1), 2);
    EXPECT_TRUE(cells.FontBold(2, 0));
}

TEST(CellArray, ResetLeavesTextStyleValueTagAndAlignment) {
    clsCellArray cells = MakeStore(1, 1);
    cells.SetFontName(1, 1, "Arial");
    cells.SetFontSize(1, 1, 14);
    cells.SetFontItalic(1, 1, true);
    cells.SetFontUnderline(1, 1, true);
    cells.SetFontStrikethru(1, 1, true);
    cells.SetForeColor(1, 1, 0x00FF00);
    cells.SetReadOnly(1, 1, true);
    cells.SetTag(1, 1, "keep");
    cells.SetValue(1, 1, 3);
    cells.SetTextAlignVertical(1, 1, 1);
    cells.ResetCell(1, 1);
    EXPECT_EQ(cells.FontName(1, 1), "");
    EXPECT_EQ(cells.FontSize(1, 1), 9);
    EXPECT_FALSE(cells.FontItalic(1, 1));
    EXPECT_FALSE(cells.FontUnderline(1, 1));
    EXPECT_FALSE(cells.FontStrikethru(1, 1));
    EXPECT_EQ(cells.ForeColor(1, 1), -1);
    EXPECT_FALSE(cells.ReadOnly(1, 1));
    EXPECT_EQ(cells.Text(1, 1), "r1c1");
    EXPECT_EQ(cells.Tag(1, 1), "keep");
    EXPECT_EQ(cells.Value(1, 1), 3);
    EXPECT_EQ(cells.TextAlignVertical(1, 1), 1);
    EXPECT_EQ(cells.Style(1, 1), 2);
}

TEST(CellArray, AGridOfShortTextsCostsUnder64BytesACell) {
    clsCellArray cells;
    cells.SetCols(49);
    cells.SetRows(2999);
    for (int32_t r = 0; r <= 2999; ++r) {
        for (int32_t c = 0; c <= 49; ++c)
            cells.SetText(r, c, "Item 12345");
    }
    cells.SetTag(5, 5, "a tag that is longer than the inline text room");
    const double perCell = double(cells.MemoryFootprint()) / (3000.0 * 50.0);
    EXPECT_LT(perCell, 64.0);
}

}  // namespace
}  // namespace tabula
