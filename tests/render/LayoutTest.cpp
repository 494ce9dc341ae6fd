#include <gtest/gtest.h>

#include <vector>

#include "platform/runtime/Dispatch.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

using LayoutTest = GridTest;
using Args = std::vector<Variant>;

TEST_F(LayoutTest, DefaultCellsLieAfterTheHeadersAndOneGridLine) {
    EXPECT_EQ(grid_.CellLeft(1, 1), 34);
    EXPECT_EQ(grid_.CellTop(1, 1), 17);
    EXPECT_EQ(grid_.CellLeft(1, 2), 99);
    EXPECT_EQ(grid_.CellLeft(0, 0), 34);  // header cells take the first data position
}

TEST_F(LayoutTest, WithoutGridLinesCellsMoveCloser) {
    grid_.SetShowGrid(false);
    EXPECT_EQ(grid_.CellLeft(1, 1), 33);
    EXPECT_EQ(grid_.CellTop(1, 1), 16);
    EXPECT_EQ(grid_.CellLeft(1, 2), 97);
}

TEST_F(LayoutTest, TheHeaderRowReportsTheFirstDataRowsTop) {
    EXPECT_EQ(grid_.CellTop(0, 1), 17);
    grid_.SetColHeader(false);
    EXPECT_EQ(grid_.CellTop(1, 1), 1);
}

TEST_F(LayoutTest, IndexesOutsideTheTableGiveMinusOne) {
    EXPECT_EQ(grid_.CellLeft(2, 1), -1);
    EXPECT_EQ(grid_.CellTop(1, 6), -1);
    EXPECT_EQ(grid_.CellLeft(-1, 1), -1);
    EXPECT_EQ(grid_.CellTop(1, -1), -1);
}

TEST_F(LayoutTest, ACellStartingOnTheLastPixelColumnIsInViewOneFurtherIsNot) {
    // picGrid is 395 wide: its last pixel column is 394.
    grid_.SetColWidth(1, 394 - 35);
    EXPECT_EQ(grid_.CellLeft(1, 2), 394);
    grid_.SetColWidth(1, 394 - 34);
    EXPECT_EQ(grid_.CellLeft(1, 2), -1);
    EXPECT_EQ(grid_.CellTop(1, 2), -1);
}

TEST_F(LayoutTest, ARowStartingOnTheLastPixelRowIsInViewOneFurtherIsNot) {
    // picGrid is 295 high: its last pixel row is 294; row 2 starts after row 1 and a line.
    grid_.SetRows(2);
    grid_.SetRowHeight(1, 294 - 18);
    EXPECT_EQ(grid_.CellTop(2, 1), 294);
    grid_.SetRowHeight(1, 294 - 17);
    EXPECT_EQ(grid_.CellTop(2, 1), -1);
    EXPECT_EQ(grid_.CellLeft(2, 1), -1);
}

TEST_F(LayoutTest, CellPositionsAreInTheAutomationTable) {
    Args args{Variant(int32_t{1}), Variant(int32_t{2})};
    EXPECT_EQ(Invoke(grid_.Members(), "CellLeft", kInvokeGet, args).ToLong(), 99);
    EXPECT_EQ(Invoke(grid_.Members(), "celltop", kInvokeGet, args).ToLong(), 17);
}

TEST_F(LayoutTest, TheVerticalBarShowsWhenRowsReachTheBottomOrTheGridIsScrolled) {
    grid_.SetRows(5);
    EXPECT_FALSE(grid_.VerticalScrollbar());
    EXPECT_FALSE(grid_.HorizontalScrollbar());
    grid_.SetRows(100);
    EXPECT_TRUE(grid_.VerticalScrollbar());
    EXPECT_EQ(grid_.scrVertical.Height(), 295);
    grid_.SetRows(5);
    grid_.State().TopRow = 2;
    grid_.Refresh();
    EXPECT_TRUE(grid_.VerticalScrollbar());
}

TEST_F(LayoutTest, BothBarsShareThePicturesSizeAndLeaveTheCornerGrey) {
    grid_.SetRows(100);
    grid_.SetCols(20);
    ASSERT_TRUE(grid_.VerticalScrollbar());
    ASSERT_TRUE(grid_.HorizontalScrollbar());
    EXPECT_EQ(grid_.scrVertical.Height(), 295 - grid_.scrHorizontal.Height());
    EXPECT_EQ(grid_.scrHorizontal.Width(), 395 - grid_.scrVertical.Width());
    EXPECT_EQ(Pixel(394, 294), kGrey);
    EXPECT_EQ(Pixel(375, 275), kGrey);
}

TEST_F(LayoutTest, HidingTheBarsLeavesNoGreySquareBetweenThem) {
    grid_.SetRows(100);
    grid_.SetCols(20);
    ASSERT_EQ(Pixel(375, 275), kGrey);
    // One redraw hides both bars.
    grid_.SetAutoRedraw(false);
    grid_.SetCols(3);
    grid_.SetRows(3);
    grid_.Refresh();
    ASSERT_FALSE(grid_.VerticalScrollbar());
    ASSERT_FALSE(grid_.HorizontalScrollbar());
    EXPECT_NE(Pixel(375, 275), kGrey);  // the background below and right of the cells
    const PixelImage shown = grid_.picGrid.Picture();
    grid_.Refresh();
    EXPECT_EQ(grid_.picGrid.Picture(), shown);
}

TEST_F(LayoutTest, PageRowsKeepsItsFirstValueWhenTheGridGrowsTaller) {
    grid_.SetRows(100);
    const int32_t first = grid_.State().PageRows;
    EXPECT_GT(first, 0);
    EXPECT_EQ(grid_.scrVertical.LargeChange(), first);
    grid_.Move(10, 10, 400, 480);
    grid_.Refresh();
    EXPECT_EQ(grid_.State().PageRows, first);
}

TEST_F(LayoutTest, PageRowsFollowsAShortGridUntilItsRowsReachTheBottom) {
    // Filled one row at a time, as an application adding items does: while every row fits,
    // a page is the rows after the top one; the first rows to reach the bottom fix it
    // (rows end at y = 17 + 16 r; row 18 is the first past it).
    for (int32_t rows = 1; rows <= 40; ++rows) {
        grid_.SetRows(rows);
        EXPECT_EQ(grid_.State().PageRows, rows < 18 ? rows - 1 : 16) << rows << " rows";
    }
    EXPECT_EQ(grid_.scrVertical.LargeChange(), 16);
    grid_.Move(10, 10, 400, 150);
    EXPECT_EQ(grid_.State().PageRows, 16);
}

TEST_F(LayoutTest, ResizePlacesThePictureAndTheBarsInsideTheBorder) {
    grid_.Move(10, 10, 300, 200);
    EXPECT_EQ(grid_.picGrid.Left(), 2);
    EXPECT_EQ(grid_.picGrid.Width(), 295);
    EXPECT_EQ(grid_.picGrid.Height(), 195);
    EXPECT_EQ(grid_.scrVertical.Left(), 279);
    EXPECT_EQ(grid_.scrHorizontal.Top(), 179);
}

TEST_F(LayoutTest, AutoSizeColumnsSharesTheWidthRoundingHalvesToEven) {
    // picGrid 500 wide, header column 32, vertical bar 18.
    grid_.Move(10, 10, 505, 300);
    ASSERT_EQ(grid_.picGrid.ScaleWidth(), 500);
    ASSERT_EQ(grid_.scrVertical.Width(), 18);
    const struct {
        int32_t cols;
        int32_t width;
    } cases[] = {{3, 150}, {4, 112}, {5, 90}};
    for (const auto& c : cases) {
        grid_.SetCols(c.cols);
        grid_.AutoSizeColumns();
        for (int32_t col = 1; col <= c.cols; ++col)
            EXPECT_EQ(grid_.ColWidth(col), c.width);
        EXPECT_EQ(grid_.ColWidth(0), 32);
    }
}

TEST_F(LayoutTest, AutoSizeColumnsOnAGridWithoutColumnsRaisesElevenAndChangesNothing) {
    grid_.SetCols(0);
    const int64_t redraws = grid_.RedrawCount();
    EXPECT_EQ(RaisedError([&] { grid_.AutoSizeColumns(); }), 11);
    EXPECT_EQ(grid_.ColWidth(0), 32);
    EXPECT_EQ(grid_.ColWidth(1), 64);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
}

TEST_F(LayoutTest, AutoSizeColumnsOnASurfaceNarrowerThanTheHeaderGivesZeroWidths) {
    grid_.Move(10, 10, 40, 100);
    grid_.AutoSizeColumns();
    EXPECT_EQ(grid_.ColWidth(1), 0);
}

TEST_F(LayoutTest, ResizeBoundariesFollowTheVisibleColumnsAndRows) {
    grid_.SetRows(3);
    const GridState& s = grid_.State();
    EXPECT_EQ(s.ColBoundaries, (std::vector<int32_t>{32, 97, 162, 227, 292, 357}));
    EXPECT_EQ(s.RowBoundaries, (std::vector<int32_t>{16, 32, 48, 64}));
    grid_.SetAllowUserResizing(false);
    grid_.SetColWidth(1, 10);
    EXPECT_EQ(s.ColBoundaries[1], 97);  // kept while resizing is off
}

}  // namespace
}  // namespace tabula::test
