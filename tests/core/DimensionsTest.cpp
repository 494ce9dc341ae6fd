#include <gtest/gtest.h>

#include <array>

#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using test::RaisedError;

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
}

}  // namespace
}  // namespace tabula
