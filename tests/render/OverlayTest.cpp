#include <array>
#include <utility>

#include "render/Overlays.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

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
