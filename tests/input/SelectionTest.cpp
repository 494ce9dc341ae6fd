// The current cell and the selected block: what the Row and Col writes do to them, to the
// picture and to the application's events, in each selection mode.

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/PictureBox.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

// Six data rows: the current cell starts at (1, 1), the block on it.
class SelectionTest : public GridTest {
protected:
    SelectionTest() {
        grid_.SetRows(6);
        Record();
    }
};

TEST_F(SelectionTest, TheRowWriteMovesTheFocusAndReportsEachRealChangeOnce) {
    const PixelImage atFirstRow = grid_.picGrid.Picture();
    grid_.SetRow(3);
    EXPECT_EQ(grid_.Row(), 3);
    // The dotted rectangle (pixels whose x + y is even) left row 1 for row 3.
    EXPECT_EQ(Pixel(CellX(1) + 1, CellY(1)), kWhite);
    EXPECT_NE(Pixel(CellX(1) + 1, CellY(3)), kWhite);
    grid_.SetRow(6);
    grid_.SetRow(6);  // already there: no event
    grid_.SetCol(4);
    EXPECT_EQ(Record().Take(), (Log{"Scroll", "RowColChange 1 1", "Scroll", "RowColChange 3 1",
                                    "RowColChange 6 1"}));
    grid_.SetCol(1);
    grid_.SetRow(1);
    EXPECT_EQ(grid_.picGrid.Picture(), atFirstRow);
}

TEST_F(SelectionTest, ByRowTheRowWriteSelectsTheWholeRowEvenWithoutAMove) {
    grid_.SetAllowSelection(true);
    grid_.SetSelectionMode(SelectionByRow);
    grid_.SetRow(4);
    EXPECT_EQ(Selected(), (Block{4, 0, 4, 5}));
    EXPECT_TRUE(grid_.State().RowsSelected);
    EXPECT_TRUE(grid_.BlockSelected());
    for (int32_t col = 1; col <= 5; ++col)
        EXPECT_EQ(Inside(4, col), kBlack) << col;
    EXPECT_EQ(Inside(1, 1), kWhite);
    // The same row again: no event, but a block changed meanwhile is reshaped.
    grid_.SetRow2(6);
    grid_.SetRow(4);
    EXPECT_EQ(Selected(), (Block{4, 0, 4, 5}));
    EXPECT_EQ(Record().Take(), (Log{"Scroll", "RowColChange 1 1"}));
}

TEST_F(SelectionTest, ByColumnTheColumnWriteMovesTheCellButNotTheBlock) {
    grid_.SetSelectionMode(SelectionByCol);
    grid_.SetRow(2);
    EXPECT_EQ(Selected(), (Block{0, 1, 6, 1}));
    EXPECT_TRUE(grid_.State().ColsSelected);
    grid_.SetCol(3);
    EXPECT_EQ(grid_.Col(), 3);
    EXPECT_EQ(Selected(), (Block{0, 1, 6, 1}));
    EXPECT_EQ(Inside(5, 1), kBlack);
    EXPECT_EQ(Inside(5, 3), kWhite);
}

TEST_F(SelectionTest, ByRowHeaderTheBlockShrinksToTheCurrentCellAndShowsNothing) {
    grid_.SetRow2(4);
    grid_.SetCol2(3);
    grid_.Refresh();
    ASSERT_EQ(Inside(3, 2), kBlack);
    grid_.SetSelectionMode(SelectionByRowHeader);
    grid_.SetRow(2);
    grid_.SetRow(5);
    EXPECT_EQ(Selected(), (Block{5, 1, 5, 1}));
    EXPECT_FALSE(grid_.BlockSelected());
    // No cell is left inverted: neither the old block, nor the cells the row passed.
    for (int32_t row = 1; row <= 6; ++row) {
        for (int32_t col = 1; col <= 5; ++col)
            EXPECT_EQ(Inside(row, col), kWhite) << row << "," << col;
    }
}

TEST_F(SelectionTest, EveryModeLeavesThePictureAFullRepaintWouldDraw) {
    for (int16_t mode : {SelectionFree, SelectionByRow, SelectionByCol, SelectionByRowHeader}) {
        SCOPED_TRACE(mode);
        grid_.SetSelectionMode(mode);
        grid_.SetRow1(2);
        grid_.SetCol1(2);
        grid_.SetRow2(5);
        grid_.SetCol2(4);
        grid_.Refresh();
        for (int32_t row : {3, 6, 1, 0, 4})
            grid_.SetRow(row);
        ExpectPictureOfAFullRepaint();
    }
}

TEST_F(SelectionTest, WithoutAllowSelectionTheBlockStaysAsItIs) {
    grid_.SetAllowSelection(false);
    grid_.SetSelectionMode(SelectionByRow);
    grid_.SetRow(3);
    grid_.Refresh();
    EXPECT_EQ(Selected(), (Block{1, 1, 1, 1}));
    EXPECT_FALSE(grid_.State().RowsSelected);
}

TEST_F(SelectionTest, ARedrawReshapesTheBlockToANewMode) {
    grid_.SetRow(3);
    grid_.SetSelectionMode(SelectionByCol);
    EXPECT_EQ(Selected(), (Block{1, 1, 1, 1}));  // the write alone reshapes nothing
    grid_.Refresh();
    EXPECT_EQ(Selected(), (Block{0, 1, 6, 1}));
    EXPECT_EQ(Inside(6, 1), kBlack);
}

TEST_F(SelectionTest, TheRowAndColumnWritesGiveTheSurfaceTheKeyboard) {
    CommandButton other(form_.hWnd(), Rect{450, 10, 520, 40}, "Other");
    form_.Show();
    other.SetFocus();
    ASSERT_FALSE(grid_.picGrid.HasFocus());
    grid_.SetRow(2);
    EXPECT_TRUE(grid_.picGrid.HasFocus());
    other.SetFocus();
    grid_.SetCol(2);
    EXPECT_TRUE(grid_.picGrid.HasFocus());
}

TEST_F(SelectionTest, ARowOutsideThePageMovesTheVerticalBar) {
    grid_.SetRows(100);
    const int16_t page = grid_.scrVertical.LargeChange();
    ASSERT_EQ(page, 16);
    grid_.SetRow(17);  // within Value + LargeChange: the bar stays
    EXPECT_EQ(grid_.scrVertical.Value(), 1);
    grid_.SetRow(18);
    EXPECT_EQ(grid_.scrVertical.Value(), 18);
    grid_.SetRow(0);  // the header row: the bar's minimum is 1
    EXPECT_EQ(grid_.scrVertical.Value(), 1);
    EXPECT_EQ(Record().Take(), (Log{"RowColChange 1 1", "Scroll", "RowColChange 17 1", "Scroll",
                                    "RowColChange 18 1"}));
}

}  // namespace
}  // namespace tabula::test
