#include <string>

#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

// Cells of row 2 and below keep clear of the focus rectangle drawn on the current cell
// (1, 1).
class CellPaintTest : public GridTest {
protected:
    CellPaintTest() { grid_.SetRows(4); }
    // Ink in the cell's interior (its rectangle less one pixel all round).
    int32_t InkIn(int32_t row, int32_t col, COLORREF background) const {
        return CountOther(CellX(col) + 1, CellY(row) + 1, CellX(col) + 63, CellY(row) + 14,
                          background);
    }
};

TEST_F(CellPaintTest, FlatHeadersUseBackColorFixedAnd3DHeadersAreAlwaysGrey) {
    grid_.SetBackColorFixed(kBlue);
    EXPECT_EQ(Pixel(CellX(1) + 40, 8), kGrey);
    grid_.SetFixedStyle(Flat);
    EXPECT_EQ(Pixel(CellX(1) + 40, 8), kBlue);
    EXPECT_EQ(Pixel(10, CellY(2) + 5), kBlue);
}

TEST_F(CellPaintTest, APressedHeaderDiffersFromARaisedOneOnlyAtItsEdges) {
    const PixelImage raised = grid_.picGrid.Picture();
    grid_.State().Cells.SetValue(0, 2, -1);
    grid_.Refresh();
    const PixelImage pressed = grid_.picGrid.Picture();
    int32_t edgeChanges = 0;
    for (int32_t x = CellX(2); x <= CellX(2) + 64; ++x) {
        for (int32_t y = 1; y <= 16; ++y) {
            if (raised.Pixel(x, y) == pressed.Pixel(x, y)) continue;
            const bool edge = x <= CellX(2) + 1 || x >= CellX(2) + 63 || y <= 2 || y >= 15;
            EXPECT_TRUE(edge) << x << "," << y;
            ++edgeChanges;
        }
    }
    EXPECT_GT(edgeChanges, 0);
}

TEST_F(CellPaintTest, ACheckBoxIsCentredWithHalvesRoundedToEven) {
    grid_.SetColMask(2, checkmark);
    grid_.SetColWidth(1, 65);  // column 2 starts at x = 100
    grid_.SetTextMatrix(2, 2, "True");
    const auto boxLeft = [&](int16_t width) {
        grid_.SetColWidth(2, width);
        int32_t x = 100;
        while (x < 100 + width && Pixel(x, CellY(2) + 1) == kWhite)
            ++x;
        return x;
    };
    EXPECT_EQ(boxLeft(20), 103);  // 100 + 10 - 7, spanning 103 .. 117
    // The box's inner right edge is light grey, one pixel inside its outer white edge.
    EXPECT_NE(Pixel(116, CellY(2) + 2), kWhite);
    EXPECT_EQ(boxLeft(21), 104);  // 103.5 goes to the even 104
    EXPECT_EQ(boxLeft(23), 104);  // and 104.5 too
    // Only "1" is checked: "True" and "-1" leave the box empty.
    EXPECT_EQ(CountOther(107, CellY(2) + 5, 113, CellY(2) + 12, kWhite), 0);
    grid_.SetTextMatrix(2, 2, "-1");
    EXPECT_EQ(CountOther(107, CellY(2) + 5, 113, CellY(2) + 12, kWhite), 0);
    grid_.SetTextMatrix(2, 2, "1");
    EXPECT_GT(CountOther(107, CellY(2) + 5, 113, CellY(2) + 12, kWhite), 0);
}

TEST_F(CellPaintTest, WordWrapBreaksAtWordsAndCutsTheLastVisibleLine) {
    grid_.SetRowHeight(2, 30);
    const std::string text = "alpha beta gamma delta epsilon zeta eta theta";
    grid_.SetTextMatrix(2, 2, text);
    const auto secondLineInk = [&] {
        return CountOther(CellX(2), CellY(2) + 16, CellX(2) + 64, CellY(2) + 30, kWhite);
    };
    EXPECT_EQ(secondLineInk(), 0);
    grid_.SetWordWrap(true);
    EXPECT_GT(secondLineInk(), 0);
    // Words past the last visible line change nothing: that line is already cut.
    const PixelImage wrapped = grid_.picGrid.Picture();
    grid_.SetTextMatrix(2, 2, text + " iota kappa");
    EXPECT_EQ(grid_.picGrid.Picture(), wrapped);
    EXPECT_EQ(grid_.TextMatrix(2, 2), text + " iota kappa");
}

TEST_F(CellPaintTest, AnAmpersandIsDrawnAsItself) {
    grid_.SetTextMatrix(2, 2, "&&");
    grid_.SetTextMatrix(3, 2, "&");
    const int32_t two = InkIn(2, 2, kWhite);
    const int32_t one = InkIn(3, 2, kWhite);
    EXPECT_GT(one, 0);
    EXPECT_EQ(two, 2 * one);
}

TEST_F(CellPaintTest, ACellsBoldShowsOnlyWhileItHasAFontName) {
    grid_.SetTextMatrix(2, 2, "Weight");
    const int32_t plain = InkIn(2, 2, kWhite);
    grid_.SetCellFontBold(2, 2, true);
    EXPECT_EQ(InkIn(2, 2, kWhite), plain);
    grid_.SetCellFontName(2, 2, grid_.Font()->Descriptor().name);
    grid_.SetCellFontSize(2, 2, int16_t(grid_.Font()->Descriptor().size));
    EXPECT_GT(InkIn(2, 2, kWhite), plain);
}

TEST_F(CellPaintTest, AHeaderCellsOwnForeColourHasNoEffect) {
    grid_.SetTextMatrix(0, 2, "Title");
    const PixelImage before = grid_.picGrid.Picture();
    grid_.SetCellForeColor(0, 2, int32_t(kRed));
    EXPECT_EQ(grid_.picGrid.Picture(), before);
}

TEST_F(CellPaintTest, AFixedDataCellIsRaisedEvenInFlatStyle) {
    // The left edge of a raised header cell, as drawn in 3D style.
    const COLORREF raisedLeft = Pixel(CellX(2), 7);
    ASSERT_NE(raisedLeft, kGrey);
    grid_.SetFixedStyle(Flat);
    grid_.State().Cells.SetStyle(2, 2, 1);
    grid_.Refresh();
    EXPECT_EQ(Pixel(CellX(2) + 30, CellY(2) + 7), kGrey);
    EXPECT_EQ(Pixel(CellX(2), CellY(2) + 7), raisedLeft);
    // Its text takes the data cell's own colour, not the headers'.
    grid_.SetTextMatrix(2, 2, "raised");
    grid_.SetCellForeColor(2, 2, int32_t(kRed));
    EXPECT_LT(CountOther(CellX(2) + 1, CellY(2) + 1, CellX(2) + 63, CellY(2) + 14, kRed), 62 * 13);
}

}  // namespace
}  // namespace tabula::test
