#include <gtest/gtest.h>

#include <array>

#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using test::RaisedError;

TEST_F(GridTest, ColWidthMinusOneSetsEveryColumnTheHeaderIncluded) {
    grid_.SetColWidth(-1, 80);
    for (int32_t c = 0; c <= 5; ++c)
        EXPECT_EQ(grid_.ColWidth(c), 80) << c;
    grid_.SetColWidth(2, 10);
    EXPECT_EQ(grid_.ColWidth(2), 10);
    EXPECT_EQ(grid_.ColWidth(3), 80);
}

TEST_F(GridTest, WidthsAndHeightsBeyondSixteenBitsFailAndNegativeOnesBecomeZero) {
    const int64_t redraws = grid_.RedrawCount();
    EXPECT_EQ(RaisedError([&] { grid_.SetColWidth(1, 40000); }), 6);
    EXPECT_EQ(RaisedError([&] { grid_.SetColWidth(-1, -40000); }), 6);
    EXPECT_EQ(RaisedError([&] { grid_.SetRowHeight(1, 32768); }), 6);
    EXPECT_EQ(RaisedError([&] { grid_.SetColWidth(-2, 10); }), 9);
    EXPECT_EQ(RaisedError([&] { grid_.SetColWidth(6, 10); }), 9);
    EXPECT_EQ(RaisedError([&] { grid_.SetRowHeight(2, 10); }), 9);
    EXPECT_EQ(RaisedError([&] { (void)grid_.RowHeight(-1); }), 9);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    EXPECT_EQ(grid_.ColWidth(1), 64);
    EXPECT_EQ(grid_.RowHeight(1), 15);
    grid_.SetColWidth(1, -5);
    grid_.SetRowHeight(0, -32768);
    EXPECT_EQ(grid_.ColWidth(1), 0);
    EXPECT_EQ(grid_.RowHeight(0), 0);
    grid_.SetRowHeight(1, 32767);
    EXPECT_EQ(grid_.RowHeight(1), 32767);
}

TEST_F(GridTest, AnAlignmentOutsideTheEnumIsIgnoredWithoutErrorOrRedraw) {
    grid_.SetColAlign(2, RightAlign);
    const int64_t redraws = grid_.RedrawCount();
    for (int32_t bad : {3, 5, -1, INT32_MAX}) {
        grid_.SetColAlign(2, bad);
        grid_.SetColAlign(99, bad);  // ignored before the column is looked at
    }
    EXPECT_EQ(grid_.ColAlign(2), RightAlign);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    EXPECT_EQ(RaisedError([&] { grid_.SetColAlign(99, CenterAlign); }), 9);
}

TEST_F(GridTest, ColAllowEditMakesTheColumnsDataCellsReadOnlyNowAndInNewRows) {
    grid_.SetRows(3);
    grid_.SetColAllowEdit(2, false);
    for (int32_t r = 1; r <= 3; ++r)
        EXPECT_TRUE(grid_.CellReadOnly(r, 2)) << r;
    EXPECT_FALSE(grid_.CellReadOnly(0, 2));  // the header is no data cell
    EXPECT_FALSE(grid_.CellReadOnly(1, 3));
    grid_.SetRows(5);
    EXPECT_TRUE(grid_.CellReadOnly(5, 2));
    grid_.SetColAllowEdit(2, true);
    EXPECT_FALSE(grid_.CellReadOnly(4, 2));
}

TEST_F(GridTest, ACheckMarkMaskFillsTheColumnNowAndInNewRows) {
    grid_.SetRows(3);
    grid_.SetTextMatrix(2, 3, "text");
    grid_.SetTextMatrix(0, 3, "Done?");
    grid_.SetColMask(3, checkmark);
    for (int32_t r = 1; r <= 3; ++r)
        EXPECT_EQ(grid_.TextMatrix(r, 3), "0") << r;
    EXPECT_EQ(grid_.TextMatrix(0, 3), "Done?");
    grid_.SetRows(4);
    EXPECT_EQ(grid_.TextMatrix(4, 3), "0");
    EXPECT_EQ(RaisedError([&] { grid_.SetColMask(3, 70000); }), 6);
    EXPECT_EQ(grid_.ColMask(3), checkmark);
    grid_.SetColMask(3, -300);  // any 16-bit value is kept
    EXPECT_EQ(grid_.ColMask(3), -300);
}

TEST_F(GridTest, AnEditWidthIsStoredOnlyForAColumnOfTheGridAndNeverBelowZero) {
    const int64_t redraws = grid_.RedrawCount();
    grid_.SetColEditWidth(1, -1);
    grid_.SetColEditWidth(6, 3);
    grid_.SetColEditWidth(-1, 3);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    EXPECT_EQ(grid_.ColEditWidth(1), -1);
    // Without columns the arrays still hold column 1, but it is no column of the grid.
    grid_.SetCols(0);
    grid_.SetColEditWidth(1, 2);
    EXPECT_EQ(grid_.ColEditWidth(1), -1);
}

TEST_F(GridTest, RaisingColsPutsEveryRowHeightBackToDefault) {
    grid_.SetRowHeight(1, 40);
    grid_.SetRowHeight(0, 22);
    grid_.SetCols(7);
    EXPECT_EQ(grid_.RowHeight(1), 15);
    EXPECT_EQ(grid_.RowHeight(0), 15);
    grid_.SetRowHeight(1, 40);
    grid_.SetCols(3);  // shrinking adds no column and leaves the heights
    EXPECT_EQ(grid_.RowHeight(1), 40);
}

TEST_F(GridTest, RowBookmarksAreCopiesOfAnyValue) {
    grid_.SetRows(2);
    EXPECT_TRUE(grid_.RowBookmark(2).IsEmpty());
    grid_.SetRowBookmark(2, Variant("customer 17"));
    grid_.SetRowBookmark(0, Variant(int32_t{42}));
    auto font = std::make_shared<FontObject>();
    grid_.SetRowBookmark(1, Variant::FromObject(font));
    EXPECT_EQ(grid_.RowBookmark(2).ToText(), "customer 17");
    EXPECT_EQ(grid_.RowBookmark(0).ToLong(), 42);
    EXPECT_EQ(grid_.RowBookmark(1).ToObject(), font);
    EXPECT_EQ(RaisedError([&] { grid_.SetRowBookmark(3, Variant(1.5)); }), 9);
    // Bookmarks belong to the row index: shrinking drops them, growing gives Empty.
    grid_.SetRows(1);
    grid_.SetRows(2);
    EXPECT_TRUE(grid_.RowBookmark(2).IsEmpty());
}

TEST_F(GridTest, CountsTheGridCannotHoldFailWithNothingChanged) {
    grid_.SetRows(4);
    const int64_t redraws = grid_.RedrawCount();
    const struct {
        const char* what;
        int32_t rows, cols, error;
    } cases[] = {
        {"rows beyond the bar's 16 bits", 40000, 5, 6},
        {"negative rows", -1, 5, 9},
        {"most negative rows", INT32_MIN, 5, 9},
        {"cols beyond the bar's 16 bits", 4, 32768, 6},
        {"negative cols", 4, -3, 9},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RaisedError([&] {
                      if (c.rows != 4) grid_.SetRows(c.rows);
                      if (c.cols != 5) grid_.SetCols(c.cols);
                  }),
                  c.error)
            << c.what;
        EXPECT_EQ(grid_.Rows(), 4) << c.what;
        EXPECT_EQ(grid_.Cols(), 5) << c.what;
        EXPECT_EQ(grid_.State().Cells.Rows(), 4) << c.what;
        EXPECT_EQ(grid_.State().RowHeight.size(), 5u) << c.what;
        EXPECT_EQ(grid_.State().ColWidth.size(), 6u) << c.what;
        EXPECT_EQ(grid_.scrVertical.Max(), 4) << c.what;
        EXPECT_EQ(grid_.scrHorizontal.Max(), 5) << c.what;
    }
    EXPECT_EQ(grid_.RedrawCount(), redraws);
}

TEST_F(GridTest, ATableTooLargeForMemoryFailsWithNothingChanged) {
    grid_.SetRows(32767);
    EXPECT_EQ(grid_.State().Cells.Rows(), 32767);
    EXPECT_EQ(RaisedError([&] { grid_.SetCols(600); }), 7);
    EXPECT_EQ(grid_.Cols(), 5);
    EXPECT_EQ(grid_.scrHorizontal.Max(), 5);
    EXPECT_EQ(grid_.State().ColWidth.size(), 6u);
    grid_.SetRows(0);
    grid_.SetCols(32767);
    EXPECT_EQ(RaisedError([&] { grid_.SetRows(600); }), 7);
    EXPECT_EQ(grid_.Rows(), 0);
    EXPECT_EQ(grid_.scrVertical.Max(), 0);
}

TEST_F(GridTest, ShrinkingLowersTheCurrentCellAndTheBlockOnlyWhereTheyExceed) {
    grid_.SetRows(10);
    grid_.SetCols(10);
    GridState& s = grid_.State();
    s.Row = 7, s.Row1 = 2, s.Row2 = 9;
    s.Col = 8, s.Col1 = 9, s.Col2 = 1;
    grid_.SetRows(3);
    grid_.SetCols(4);
    EXPECT_EQ((std::array{s.Row, s.Row1, s.Row2, s.Col, s.Col1, s.Col2}),
              (std::array{3, 2, 3, 4, 4, 1}));
    // Growing again leaves them where they are.
    grid_.SetRows(20);
    EXPECT_EQ(s.Row, 3);
}

TEST_F(GridTest, WithoutColumnsTheStoreKeepsOneColumnWhileColsReadsZero) {
    grid_.SetCols(0);
    EXPECT_EQ(grid_.Cols(), 0);
    EXPECT_EQ(grid_.State().Cells.Cols(), 1);
    EXPECT_EQ(grid_.State().ColWidth.size(), 2u);
    EXPECT_EQ(grid_.State().Col, 0);
    grid_.SetRows(0);
    grid_.SetRows(3);
    EXPECT_EQ(grid_.State().ColWidth.size(), 2u);
    EXPECT_EQ(grid_.State().RowHeight.size(), 4u);
    // The spare column is no cell; the header column is.
    EXPECT_EQ(RaisedError([&] { grid_.SetTextMatrix(1, 1, "x"); }), 9);
    EXPECT_EQ(RaisedError([&] { (void)grid_.CellFontBold(1, 1); }), 9);
    EXPECT_EQ(grid_.CellTag(1, 1), "");
    grid_.SetTextMatrix(1, 0, "row header");
    EXPECT_EQ(grid_.TextMatrix(1, 0), "row header");
    // Without rows the per-row arrays still hold rows 0 and 1.
    grid_.SetRows(0);
    EXPECT_EQ(grid_.State().RowHeight.size(), 2u);
    EXPECT_EQ(grid_.State().RowBookmark.size(), 2u);
}

TEST_F(GridTest, AColumnDroppedAndBroughtBackHoldsNewCells) {
    grid_.SetTextMatrix(1, 1, "old");
    grid_.SetCellTag(1, 1, "tag");
    grid_.SetCellBackColor(1, 1, 0x123456);
    grid_.SetCellFontBold(1, 1, true);
    grid_.SetCols(0);
    grid_.SetCols(3);
    EXPECT_EQ(grid_.TextMatrix(1, 1), "");
    EXPECT_EQ(grid_.CellTag(1, 1), "");
    EXPECT_EQ(grid_.CellBackColor(1, 1), -1);
    EXPECT_FALSE(grid_.CellFontBold(1, 1));
}

}  // namespace
}  // namespace tabula
