#include <array>
#include <utility>
#include <vector>

#include "render/Overlays.h"
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

// The overlays drawn over the cells: the inverted block, the focus rectangle, the edit box.
class OverlayTest : public GridTest {
protected:
    OverlayTest() { grid_.SetRows(6); }
    COLORREF Centre(int32_t row, int32_t col) const {
        return Pixel(CellX(col) + 32, CellY(row) + 7);
    }
};

TEST_F(OverlayTest, ABlockGivenBackwardsCoversTheSameCells) {
    const PixelImage before = grid_.picGrid.Picture();
    render::InvertBlock(grid_.Record(), 2, 2, 4, 3);
    const PixelImage forwards = grid_.picGrid.Picture();
    EXPECT_NE(forwards, before);
    // A second inversion restores the picture; backwards in both directions or in one the
    // block covers the same cells.
    render::InvertBlock(grid_.Record(), 2, 2, 4, 3);
    ASSERT_EQ(grid_.picGrid.Picture(), before);
    for (auto [r1, c1, r2, c2] : {std::array{4, 3, 2, 2}, {4, 2, 2, 3}, {2, 3, 4, 2}}) {
        render::InvertBlock(grid_.Record(), r1, c1, r2, c2);
        EXPECT_EQ(grid_.picGrid.Picture(), forwards) << r1 << "," << c1 << " " << r2 << "," << c2;
        render::InvertBlock(grid_.Record(), r1, c1, r2, c2);
    }
}

TEST_F(OverlayTest, BlocksAboveTheTopRowDrawNothingAndStraddlingOnesStartAtTheTop) {
    grid_.SetRows(40);
    grid_.State().TopRow = 5;
    grid_.Refresh();
    const PixelImage before = grid_.picGrid.Picture();
    render::InvertBlock(grid_.Record(), 1, 1, 3, 2);
    EXPECT_EQ(grid_.picGrid.Picture(), before);
    // Rows 2 to 6: shown from row 5, the first data row on screen.
    render::InvertBlock(grid_.Record(), 2, 1, 6, 1);
    EXPECT_EQ(Centre(1, 1), kBlack);
    EXPECT_EQ(Centre(2, 1), kBlack);
    EXPECT_EQ(Centre(3, 1), kWhite);
}

TEST_F(OverlayTest, TheFocusRectangleTogglesAndSkipsRowsAboveTheTop) {
    const PixelImage before = grid_.picGrid.Picture();
    render::DrawFocusCell(grid_.Record(), 3, 2);
    const PixelImage focused = grid_.picGrid.Picture();
    EXPECT_NE(focused, before);
    EXPECT_NE(focused.Pixel(CellX(2), CellY(3)), kWhite);
    EXPECT_EQ(focused.Pixel(CellX(2) + 32, CellY(3) + 7), kWhite);
    render::DrawFocusCell(grid_.Record(), 3, 2);
    EXPECT_EQ(grid_.picGrid.Picture(), before);
    grid_.State().TopRow = 2;
    grid_.Refresh();
    const PixelImage scrolled = grid_.picGrid.Picture();
    render::DrawFocusCell(grid_.Record(), 1, 2);
    EXPECT_EQ(grid_.picGrid.Picture(), scrolled);
}

TEST_F(OverlayTest, TheEditBoxFollowsTheFocusAndIsNeverNarrowerThanZero) {
    grid_.SetColWidth(2, 2);
    render::DrawFocusCell(grid_.Record(), 2, 3);
    // Column 3 now starts at 34 + 65 + 3 = 102.
    EXPECT_EQ(grid_.txtSingle.Left(), 105);
    EXPECT_EQ(grid_.txtSingle.Top(), CellY(2) + 2);
    EXPECT_EQ(grid_.txtSingle.Width(), 61);
    render::DrawFocusCell(grid_.Record(), 2, 2);
    EXPECT_EQ(grid_.txtSingle.Width(), 0);
    EXPECT_EQ(grid_.txtSingle.Height(), 15);
    // A row of height 0: the edit box and a button placed over the cell (its height the
    // row's less 2) are empty rather than negative, and the grid still paints.
    grid_.SetRowHeight(2, 0);
    render::DrawFocusCell(grid_.Record(), 2, 3);
    EXPECT_EQ(grid_.txtSingle.Height(), 0);
    grid_.cmdButton.Move(grid_.txtSingle.Left(), grid_.txtSingle.Top(), 16, grid_.RowHeight(2) - 2);
    EXPECT_EQ(grid_.cmdButton.Height(), 0);
    grid_.Refresh();
    EXPECT_EQ(grid_.CellTop(3, 1), CellY(2) + 1);
}

TEST_F(OverlayTest, WithoutRowsNothingIsInverted) {
    grid_.SetRows(0);
    const PixelImage before = grid_.picGrid.Picture();
    render::InvertBlock(grid_.Record(), 0, 1, 0, 3);
    render::DrawFocusCell(grid_.Record(), 0, 1);
    EXPECT_EQ(grid_.picGrid.Picture(), before);
}

TEST_F(OverlayTest, AnInversionLeavesTheCornerBetweenTheBarsGrey) {
    grid_.SetRows(100);
    grid_.SetCols(20);
    render::InvertBlock(grid_.Record(), 1, 1, 100, 20);
    EXPECT_EQ(Pixel(394, 294), kGrey);
    EXPECT_EQ(Pixel(375, 275), kGrey);
    EXPECT_EQ(Pixel(370, 270), kBlack);
}

}  // namespace
}  // namespace tabula::test
