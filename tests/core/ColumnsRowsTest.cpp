#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tabula
