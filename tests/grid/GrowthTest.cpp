#include <gtest/gtest.h>

#include "grid/GridState.h"
#include "tests/platform/RaisedError.h"

namespace tabula {
namespace {

using test::RaisedError;

// The shape a new instance gets: 5 columns, then 1 row, each stored by the caller.
GridState NewInstanceShape() {
    GridState s;
    SetColumnCount(s, 5);
    s.Cols = 5;
    SetRowCount(s, 1);
    s.Rows = 1;
    return s;
}

TEST(Growth, ANewInstanceHasFiveColumnsAndOneRow) {
    GridState s = NewInstanceShape();
    EXPECT_EQ(s.Cells.Rows(), 1);
    EXPECT_EQ(s.Cells.Cols(), 5);
    EXPECT_EQ(s.ColWidth[0], 32);
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(s.ColWidth[c], 64);
    for (int r = 0; r <= 1; ++r)
        EXPECT_EQ(s.RowHeight[r], 15);
    for (int c = 0; c <= 5; ++c) {
        EXPECT_EQ(s.Cells.Style(0, c), 1);
        EXPECT_EQ(s.Cells.TextAlignVertical(0, c), 1);
    }
    EXPECT_EQ(s.Cells.Style(1, 0), 1);
    EXPECT_EQ(s.Cells.TextAlignVertical(1, 0), 1);
    for (int c = 1; c <= 5; ++c) {
        EXPECT_EQ(s.Cells.Style(1, c), 2);
        EXPECT_FALSE(s.Cells.ReadOnly(1, c));
        EXPECT_EQ(s.ColEditWidth[c], -1);
        EXPECT_TRUE(s.ColAllowEdit[c]);
    }
}

TEST(Growth, NewColumnsResetEveryRowHeight) {
    GridState s = NewInstanceShape();
    s.RowHeight[1] = 40;
    SetColumnCount(s, 7);
    s.Cols = 7;
    EXPECT_EQ(s.RowHeight[1], 15);
    EXPECT_EQ(s.Cells.Style(1, 7), 2);
    // Shrinking adds nothing and keeps heights.
    s.RowHeight[1] = 40;
    SetColumnCount(s, 3);
    s.Cols = 3;
    EXPECT_EQ(s.RowHeight[1], 40);
    EXPECT_EQ(s.ColWidth.size(), 4u);
}

TEST(Growth, NewRowsFollowTheColumnMasksAndEditability) {
    GridState s = NewInstanceShape();
    s.ColMask[3] = checkmark;
    s.ColAllowEdit[2] = false;
    SetRowCount(s, 4);
    s.Rows = 4;
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(s.Cells.Text(r, 3), "0");
        EXPECT_TRUE(s.Cells.ReadOnly(r, 2));
        EXPECT_FALSE(s.Cells.ReadOnly(r, 1));
        EXPECT_EQ(s.Cells.Value(r, 0), 0);
    }
    EXPECT_EQ(s.Cells.Text(1, 3), "");  // existing rows untouched
}

TEST(Growth, FromNoRowsRowZeroIsInitialisedAgain) {
    GridState s = NewInstanceShape();
    SetRowCount(s, 0);
    s.Rows = 0;
    s.RowHeight[0] = 30;
    SetRowCount(s, 2);
    s.Rows = 2;
    EXPECT_EQ(s.RowHeight[0], 15);
    EXPECT_EQ(s.RowHeight.size(), 3u);
}

TEST(Growth, NoColumnsLeavesTheStoreAndArraysOneColumnWide) {
    GridState s = NewInstanceShape();
    s.ColEditWidth[1] = 0;
    s.ColMask[1] = checkmark;
    SetColumnCount(s, 0);
    s.Cols = 0;
    EXPECT_EQ(s.Cells.Cols(), 1);
    EXPECT_EQ(s.ColWidth.size(), 2u);
    // Column 1 is back to its defaults: no width limit that would cut texts to "".
    EXPECT_EQ(s.ColEditWidth[1], -1);
    EXPECT_EQ(s.ColMask[1], NoMask);
    SetRowCount(s, 3);  // a grid without columns keeps arrays 0..1
    s.Rows = 3;
    EXPECT_EQ(s.ColWidth.size(), 2u);
    EXPECT_EQ(s.RowHeight.size(), 4u);
}

TEST(Growth, NegativeCountsFailWithNothingChanged) {
    GridState s = NewInstanceShape();
    EXPECT_EQ(RaisedError([&] { SetRowCount(s, -1); }), 9);
    EXPECT_EQ(RaisedError([&] { SetColumnCount(s, -3); }), 9);
    EXPECT_EQ(s.Cells.Rows(), 1);
    EXPECT_EQ(s.Cells.Cols(), 5);
    EXPECT_EQ(s.RowHeight.size(), 2u);
    EXPECT_EQ(s.ColWidth.size(), 6u);
}

TEST(Growth, DataColoursAreSharedByTheThread) {
    SharedGridColors& colors = SharedGridColors::ForThisThread();
    const OLE_COLOR saved = colors.backColor;
    colors.backColor = 0x123456;
    EXPECT_EQ(SharedGridColors::ForThisThread().backColor, 0x123456u);
    colors.backColor = saved;
}

}  // namespace
}  // namespace tabula
