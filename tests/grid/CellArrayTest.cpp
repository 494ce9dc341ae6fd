#include <gtest/gtest.h>

#include "grid/CellArray.h"
#include "tests/platform/RaisedError.h"

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

TEST(CellArray, ANewStoreHoldsOnlyTheBoldCornerCell) {
    clsCellArray cells;
    EXPECT_EQ(cells.Rows(), 0);
    EXPECT_EQ(cells.Cols(), 0);
    EXPECT_TRUE(cells.FontBold(0, 0));
    EXPECT_EQ(cells.FontSize(0, 0), 9);
    EXPECT_EQ(cells.BackColor(0, 0), -1);
    EXPECT_EQ(cells.ForeColor(0, 0), -1);
    EXPECT_EQ(cells.Style(0, 0), 0);
    EXPECT_EQ(cells.Text(0, 0), "");
    EXPECT_EQ(RaisedError([&] { cells.Text(0, 1); }), 9);
}

TEST(CellArray, GrowthResetsNewCellsByKind) {
    clsCellArray cells;
    cells.SetCols(3);
    for (int32_t c = 0; c <= 3; ++c)
        EXPECT_TRUE(cells.FontBold(0, c)) << c;
    cells.SetRows(2);
    for (int32_t r = 1; r <= 2; ++r) {
        EXPECT_TRUE(cells.FontBold(r, 0));
        for (int32_t c = 1; c <= 3; ++c) {
            EXPECT_FALSE(cells.FontBold(r, c));
            EXPECT_EQ(cells.FontSize(r, c), 9);
            EXPECT_EQ(cells.BackColor(r, c), -1);
            EXPECT_FALSE(cells.ReadOnly(r, c));
        }
    }
}

TEST(CellArray, GuardedReadsAnswerAboveTheCountsButFailBelowZero) {
    clsCellArray cells = MakeStore(3, 2);
    cells.SetValue(3, 2, 7);
    cells.SetTag(3, 2, "tag");
    cells.SetReadOnly(3, 2, true);
    EXPECT_EQ(cells.Value(3, 2), 7);
    EXPECT_EQ(cells.Tag(3, 2), "tag");
    EXPECT_TRUE(cells.ReadOnly(3, 2));
    EXPECT_EQ(cells.Value(5, 1), 0);
    EXPECT_EQ(cells.Tag(1, 50), "");
    EXPECT_FALSE(cells.ReadOnly(50, 50));
    EXPECT_EQ(RaisedError([&] { cells.Value(-1, 0); }), 9);
    EXPECT_EQ(RaisedError([&] { cells.Tag(0, -1); }), 9);
    EXPECT_EQ(RaisedError([&] { cells.Text(5, 1); }), 9);
    EXPECT_EQ(RaisedError([&] { cells.SetText(-1, 1, "x"); }), 9);
    EXPECT_EQ(RaisedError([&] { cells.SetValue(4, 0, 1); }), 9);
}

TEST(CellArray, NegativeOrHugeResizeFailsAndChangesNothing) {
    clsCellArray cells = MakeStore(3, 2);
    EXPECT_EQ(RaisedError([&] { cells.SetRows(-1); }), 9);
    EXPECT_EQ(RaisedError([&] { cells.SetCols(-5); }), 9);
    EXPECT_EQ(RaisedError([&] { cells.SetRows(INT32_MAX); }), 7);
    EXPECT_EQ(RaisedError([&] { cells.SetCols(INT32_MAX); }), 7);
    // The limit counts records: 3 columns leave room for a third of the rows.
    const int32_t fits = int32_t(clsCellArray::kMaxCells / 3) - 1;
    EXPECT_EQ(RaisedError([&] { cells.SetRows(fits + 1); }), 7);
    EXPECT_EQ(cells.Rows(), 3);
    EXPECT_EQ(cells.Cols(), 2);
    EXPECT_EQ(cells.Text(3, 2), "r3c2");
}

TEST(CellArray, ShrinkingThenGrowingGivesResetRecords) {
    clsCellArray cells = MakeStore(3, 3);
    cells.SetFontName(3, 3, "Arial");
    cells.SetBackColor(3, 3, 255);
    cells.SetRows(2);
    cells.SetCols(2);
    cells.SetRows(3);
    cells.SetCols(3);
    EXPECT_EQ(cells.Text(3, 3), "");
    EXPECT_EQ(cells.FontName(3, 3), "");
    EXPECT_EQ(cells.BackColor(3, 3), -1);
    EXPECT_EQ(cells.Style(3, 3), 0);
    EXPECT_EQ(cells.Text(2, 2), "r2c2");  // kept
}

TEST(CellArray, RemoveShiftsRowsUpAndLeavesTheLastRowForTheCaller) {
    clsCellArray cells = MakeStore(4, 1);
    cells.SetTag(3, 1, "three");
    cells.SetFontName(4, 1, "Courier New");
    cells.Remove(2);
    EXPECT_EQ(cells.Text(1, 1), "r1c1");
    EXPECT_EQ(cells.Text(2, 1), "r3c1");
    EXPECT_EQ(cells.Tag(2, 1), "three");
    EXPECT_EQ(cells.Text(3, 1), "r4c1");
    EXPECT_EQ(cells.FontName(3, 1), "Courier New");
    EXPECT_EQ(cells.Text(4, 1), "r4c1");  // still there until Rows is lowered
    EXPECT_EQ(cells.FontName(4, 1), "Courier New");
    cells.SetRows(3);
    EXPECT_EQ(cells.Rows(), 3);

    // Row 0 shifts the data into the header row; out-of-range rows do nothing.
    clsCellArray header = MakeStore(2, 1);
    header.Remove(0);
    EXPECT_EQ(header.Text(0, 1), "r1c1");
    header.Remove(10);
    EXPECT_EQ(header.Text(1, 1), "r2c1");
    EXPECT_EQ(RaisedError([&] { header.Remove(-1); }), 9);
}

TEST(CellArray, InsertRowAfterShiftsDownAndClearsTheNewRow) {
    clsCellArray cells = MakeStore(3, 1);
    cells.SetTag(1, 1, "one");
    cells.SetValue(1, 1, -1);
    cells.SetTextAlignVertical(1, 1, 2);
    cells.SetBackColor(1, 1, 0xFF);
    cells.SetFontName(1, 1, "Arial");
    cells.SetRows(4);
    cells.InsertRowAfter(1);
    EXPECT_EQ(cells.Text(1, 1), "r1c1");
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

    // Inserting after row 0 takes the copy from the old row 1.
    clsCellArray top = MakeStore(2, 1);
    top.SetRows(3);
    top.InsertRowAfter(0);
    EXPECT_EQ(top.Text(1, 1), "");
    EXPECT_EQ(top.Text(2, 1), "r1c1");
    EXPECT_EQ(top.Text(3, 1), "r2c1");
}

TEST(CellArray, InsertingAfterTheLastRowFailsBeforeAnythingMoves) {
    clsCellArray cells = MakeStore(3, 1);
    EXPECT_EQ(RaisedError([&] { cells.InsertRowAfter(3); }), 9);
    for (int32_t r = 1; r <= 3; ++r)
        EXPECT_EQ(cells.Text(r, 1), CellName(r, 1));
    cells.InsertRowAfter(-1);  // ignored
    cells.InsertRowAfter(7);   // ignored
    EXPECT_EQ(cells.Text(2, 1), "r2c1");
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
