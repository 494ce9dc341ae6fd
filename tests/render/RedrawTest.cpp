#include <vector>

#include "render/Redraw.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

// Grid lines lie in the gaps: vertical ones at x = 98, 163, 228, 293 and 358 (the last
// being the frame's right edge), horizontal ones at y = 32, 48, 64 ...
class RedrawTest : public GridTest {
protected:
    RedrawTest() {
        grid_.SetRows(3);
        grid_.SetGridLineColor(kRed);
    }
    // How many pixels of the column x, rows top .. bottom - 1, have the colour.
    int32_t CountInColumn(int32_t x, int32_t top, int32_t bottom, COLORREF color) const {
        return (bottom - top) - CountOther(x, top, x + 1, bottom, color);
    }
};

TEST_F(RedrawTest, Without3DHeadersShownTheFrameDrawsAllFourEdges) {
    grid_.SetColHeader(false);
    grid_.SetRowHeader(false);
    EXPECT_EQ(Pixel(50, 1), kRed);
    EXPECT_EQ(Pixel(1, 20), kRed);
}

TEST_F(RedrawTest, WithoutGridLinesOnlyTheFrameIsDrawnAfterTheCells) {
    grid_.SetShowGrid(false);
    // Cells are now 64 apart: the last column ends at 33 + 4 * 64 + 64 = 353.
    EXPECT_EQ(CountInColumn(353, 16, 16 + 45, kRed), 45);
    // The bottom edge lies on the first pixel row after the rows: 16 + 3 * 15 = 61.
    for (int32_t x = 33; x < 354; ++x)
        EXPECT_EQ(Pixel(x, 61), kRed) << x;
    EXPECT_EQ(CountOther(CellX(1), 17, 353, 61, kRed), (353 - CellX(1)) * (61 - 17));
}

TEST_F(RedrawTest, TheBackgroundRightOfAndBelowTheCellsShowsBackColorBkg) {
    grid_.SetBackColorBkg(kGreen);
    // The rows end at y = 64 and the columns at x = 358 (the frame).
    EXPECT_EQ(Pixel(100, 65), kGreen);
    EXPECT_EQ(Pixel(100, 294), kGreen);
    EXPECT_EQ(Pixel(359, 10), kGreen);
    EXPECT_EQ(Pixel(394, 294), kGreen);
    // With a border the first pixel row and column keep the cleared colour.
    EXPECT_NE(Pixel(0, 100), kGreen);
    EXPECT_NE(Pixel(380, 0), kGreen);
    grid_.SetBorderStyle(NoBorder);
    grid_.Refresh();
    EXPECT_EQ(Pixel(0, 100), kGreen);
    EXPECT_EQ(Pixel(380, 0), kGreen);
    // Without rows: the header row, its bottom line and the background.
    grid_.SetRows(0);
    EXPECT_EQ(Pixel(100, 20), kGreen);
    EXPECT_EQ(CountOther(CellX(1), 16, 358, 17, kRed), 358 - CellX(1));
    // A redraw moves a current cell left on a header onto the data.
    grid_.SetRows(3);
    grid_.State().Row = 0;
    grid_.State().Col = 0;
    grid_.Refresh();
    EXPECT_EQ(grid_.Row(), 1);
    EXPECT_EQ(grid_.Col(), 1);
}

TEST_F(RedrawTest, ContentWritesWaitForRefreshWithoutAutoRedrawAppearanceWritesDoNot) {
    grid_.SetAutoRedraw(false);
    const PixelImage before = grid_.picGrid.Picture();
    grid_.SetCellBackColor(2, 2, int32_t(kBlue));
    grid_.SetTextMatrix(2, 3, "text");
    EXPECT_EQ(grid_.picGrid.Picture(), before);
    grid_.Refresh();
    EXPECT_EQ(Pixel(CellX(2) + 5, CellY(2) + 5), kBlue);
    grid_.SetCellBackColor(2, 2, int32_t(kGreen));
    grid_.SetBackColor(kWhite);
    EXPECT_EQ(Pixel(CellX(2) + 5, CellY(2) + 5), kGreen);
}

TEST_F(RedrawTest, AGridOf30000RowsPaintsOnlyTheRowsInView) {
    grid_.SetRows(30000);
    grid_.SetTextMatrix(30000, 1, "last");
    const GridState& s = grid_.State();
    // Rows end at y = 17 + 16 r: the walk stops after row 18, the first past the bottom.
    EXPECT_EQ(s.ContentBottom, 294);
    // Boundaries up to the control's height of 300: 16, 32, ... 288.
    EXPECT_EQ(s.RowBoundaries.size(), 18u);
}

TEST_F(RedrawTest, TheColumnPainterRepaintsOneColumnTopToBottom) {
    grid_.SetAutoRedraw(false);
    grid_.SetCellBackColor(2, 3, int32_t(kBlue));
    grid_.SetCellBackColor(2, 2, int32_t(kBlue));
    grid_.SetTextMatrix(0, 3, "Head");
    const PixelImage before = grid_.picGrid.Picture();
    render::PaintColumn(grid_.Record(), 3, CellX(3));
    EXPECT_EQ(Pixel(CellX(3) + 30, CellY(2) + 7), kBlue);
    EXPECT_EQ(Pixel(CellX(2) + 30, CellY(2) + 7), kWhite);
    // The header cell is left as it was.
    const PixelImage after = grid_.picGrid.Picture();
    for (int32_t x = CellX(3); x < CellX(3) + 64; ++x) {
        for (int32_t y = 0; y < 17; ++y)
            ASSERT_EQ(after.Pixel(x, y), before.Pixel(x, y));
    }
    EXPECT_FALSE(grid_.State().VScrollNeeded);
    EXPECT_EQ(grid_.State().ContentBottom, CellY(3) + 15);
    render::PaintColumn(grid_.Record(), 3, CellX(3), render::PaintHeader::Yes);
    EXPECT_GT(CountOther(CellX(3) + 2, 2, CellX(3) + 62, 15, kGrey), 0);
}

TEST_F(RedrawTest, EachBorderStyleDrawsItsOwnEdgesOnTheControl) {
    grid_.SetBackColorBkg(kGreen);
    std::vector<PixelImage> borders;
    for (int32_t style = NoBorder; style <= Bump; ++style) {
        grid_.SetBorderStyle(style);
        borders.push_back(grid_.Image());
    }
    EXPECT_EQ(borders[NoBorder].Pixel(0, 100), kGreen);
    EXPECT_EQ(borders[NoBorder].Pixel(1, 100), kGreen);
    // Single: a one-pixel frame of one colour.
    const COLORREF frame = borders[Single].Pixel(0, 0);
    EXPECT_NE(frame, kGrey);
    EXPECT_EQ(borders[Single].Pixel(0, 150), frame);
    EXPECT_EQ(borders[Single].Pixel(399, 150), frame);
    EXPECT_EQ(borders[Single].Pixel(200, 299), frame);
    EXPECT_EQ(borders[Single].Pixel(1, 150), kGrey);
    for (size_t a = 0; a < borders.size(); ++a) {
        for (size_t b = a + 1; b < borders.size(); ++b) {
            EXPECT_NE(borders[a], borders[b]) << a << " and " << b;
        }
    }
}

}  // namespace
}  // namespace tabula::test
