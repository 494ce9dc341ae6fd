#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

using LayoutTest = GridTest;

TEST_F(LayoutTest, CellsLieAfterTheHeadersAndOneGridLineAndOutsideTheTableAtMinusOne) {
    const struct {
        const char* what;
        std::function<void()> setup;
        int32_t row, col, left, top;
    } cases[] = {
        {"the first cell", [] {}, 1, 1, 34, 17},
        {"the next column", [] {}, 1, 2, 99, 17},
        {"a header cell: the first data position", [] {}, 0, 0, 34, 17},
        {"a row past the end", [] {}, 2, 1, -1, -1},
        {"a column past the end", [] {}, 1, 6, -1, -1},
        {"a negative row", [] {}, -1, 1, -1, -1},
        {"a negative column", [] {}, 1, -1, -1, -1},
        // picGrid is 395 x 295: a cell starting on its last pixel column or row is in view.
        {"a column on the last pixel", [&] { grid_.SetColWidth(1, 394 - 35); }, 1, 2, 394, 17},
        {"a column one pixel further", [&] { grid_.SetColWidth(1, 394 - 34); }, 1, 2, -1, -1},
        {"a row on the last pixel",
         [&] {
             grid_.SetColWidth(1, 64);
             grid_.SetRows(2);
             grid_.SetRowHeight(1, 294 - 18);
         },
         2, 1, 34, 294},
        {"a row one pixel further", [&] { grid_.SetRowHeight(1, 294 - 17); }, 2, 1, -1, -1},
        {"without grid lines",
         [&] {
             grid_.SetRows(1);
             grid_.SetShowGrid(false);
         },
         1, 2, 97, 16},
        {"without the header row",
         [&] {
             grid_.SetShowGrid(true);
             grid_.SetColHeader(false);
         },
         1, 1, 34, 1},
    };
    for (const auto& c : cases) {
        c.setup();
        EXPECT_EQ(grid_.CellLeft(c.row, c.col), c.left) << c.what;
        EXPECT_EQ(grid_.CellTop(c.row, c.col), c.top) << c.what;
    }
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

TEST_F(LayoutTest, BothBarsShareThePicturesSizeAndLeaveTheCornerGreyUntilHidden) {
    grid_.SetRows(100);
    grid_.SetCols(20);
    ASSERT_TRUE(grid_.VerticalScrollbar());
    ASSERT_TRUE(grid_.HorizontalScrollbar());
    EXPECT_EQ(grid_.scrVertical.Height(), 295 - grid_.scrHorizontal.Height());
    EXPECT_EQ(grid_.scrHorizontal.Width(), 395 - grid_.scrVertical.Width());
    EXPECT_EQ(Pixel(394, 294), kGrey);
    EXPECT_EQ(Pixel(375, 275), kGrey);
    // One redraw hides both bars: no grey square is left between them.
    grid_.SetAutoRedraw(false);
    grid_.SetCols(3);
    grid_.SetRows(3);
    grid_.Refresh();
    ASSERT_FALSE(grid_.VerticalScrollbar());
    ASSERT_FALSE(grid_.HorizontalScrollbar());
    EXPECT_NE(Pixel(375, 275), kGrey);
    ExpectPictureOfAFullRepaint();
}

TEST_F(LayoutTest, PageRowsFollowsAShortGridUntilItsRowsReachTheBottomThenStays) {
    // Filled one row at a time, as an application adding items does: while every row fits,
    // a page is the rows after the top one; the first rows to reach the bottom fix it
    // (rows end at y = 17 + 16 r; row 18 is the first past it).
    for (int32_t rows = 1; rows <= 40; ++rows) {
        grid_.SetRows(rows);
        EXPECT_EQ(grid_.State().PageRows, rows < 18 ? rows - 1 : 16) << rows << " rows";
    }
    EXPECT_EQ(grid_.scrVertical.LargeChange(), 16);
    // Neither a shorter nor a taller grid changes it.
    for (int32_t height : {150, 480}) {
        grid_.Move(10, 10, 400, height);
        grid_.Refresh();
        EXPECT_EQ(grid_.State().PageRows, 16) << height;
    }
}

TEST_F(LayoutTest, AutoSizeColumnsSharesTheWidthRoundingHalvesToEven) {
    // picGrid 500 wide, header column 32, vertical bar 18.
    grid_.Move(10, 10, 505, 300);
    for (auto [cols, width] : {std::pair{3, 150}, {4, 112}, {5, 90}}) {
        grid_.SetCols(cols);
        grid_.AutoSizeColumns();
        for (int32_t col = 1; col <= cols; ++col)
            EXPECT_EQ(grid_.ColWidth(col), width);
        EXPECT_EQ(grid_.ColWidth(0), 32);
    }
    // A surface narrower than the header column gives zero widths.
    grid_.Move(10, 10, 40, 100);
    grid_.AutoSizeColumns();
    EXPECT_EQ(grid_.ColWidth(1), 0);
    // Without columns it raises 11 and changes nothing.
    grid_.SetCols(0);
    const int64_t redraws = grid_.RedrawCount();
    EXPECT_EQ(RaisedError([&] { grid_.AutoSizeColumns(); }), 11);
    EXPECT_EQ(grid_.ColWidth(0), 32);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
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
