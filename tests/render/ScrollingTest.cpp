// Scrolling by whole rows and columns, driven the way people and applications do it: the
// bars' arrows and thumb, and the TopRow and LeftCol writes.

#include <memory>
#include <string>
#include <vector>

#include "render/Scrolling.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

// 100 rows by 20 columns, every cell named after its place: both bars are shown.
class ScrollingTest : public GridTest {
protected:
    ScrollingTest() {
        form_.Show();
        grid_.SetAutoRedraw(false);
        grid_.SetRows(100);
        grid_.SetCols(20);
        for (int32_t r = 0; r <= 100; ++r) {
            for (int32_t c = 0; c <= 20; ++c)
                grid_.SetTextMatrix(r, c, std::to_string(r) + ":" + std::to_string(c));
        }
        grid_.SetAutoRedraw(true);
        Record();
    }

    // Presses a part of a bar with the mouse.
    void Press(ScrollBar& bar, ScrollBar::Part part) {
        const ScrollBar::Layout layout = bar.GetLayout();
        Rect where = layout.thumb;
        if (part == ScrollBar::Part::IncreaseArrow) where = layout.increaseArrow;
        if (part == ScrollBar::Part::DecreaseArrow) where = layout.decreaseArrow;
        host_.Click(bar.hWnd(), (where.left + where.right) / 2, (where.top + where.bottom) / 2);
    }
};

TEST_F(ScrollingTest, TheArrowsScrollOneRowOrColumnAndKeepTheCurrentCell) {
    ASSERT_TRUE(grid_.VerticalScrollbar());
    Press(grid_.scrVertical, ScrollBar::Part::IncreaseArrow);
    EXPECT_EQ(grid_.TopRow(), 2);
    EXPECT_EQ(grid_.scrVertical.Value(), 2);
    EXPECT_EQ(Record().Take(), Log{"Scroll"});
    EXPECT_EQ((std::pair{grid_.Row(), grid_.Col()}), (std::pair{1, 1}));
    EXPECT_TRUE(grid_.picGrid.HasFocus());  // the bar gives the keyboard back to the cells
    // Row 2 now lies under the header row.
    EXPECT_EQ(grid_.CellTop(2, 1), CellY(1));
    // The moved pixels and the strip painted in make the picture of a full repaint.
    ExpectPictureOfAFullRepaint();
    Press(grid_.scrVertical, ScrollBar::Part::DecreaseArrow);
    EXPECT_EQ(grid_.TopRow(), 1);
    ExpectPictureOfAFullRepaint();
    // The right arrow scrolls one column with its header.
    Record().Take();
    Press(grid_.scrHorizontal, ScrollBar::Part::IncreaseArrow);
    EXPECT_EQ(grid_.LeftCol(), 2);
    EXPECT_EQ(grid_.CellLeft(1, 2), CellX(1));
    ExpectPictureOfAFullRepaint();
    Press(grid_.scrHorizontal, ScrollBar::Part::DecreaseArrow);
    EXPECT_EQ(grid_.LeftCol(), 1);
    ExpectPictureOfAFullRepaint();
    EXPECT_EQ(Record().Take(), (Log{"Scroll", "Scroll"}));
}

TEST_F(ScrollingTest, DraggingTheThumbJumpsWithoutRepaintingTheHeaderRow) {
    // A mark on the header row shows whether it was painted again.
    grid_.picGrid.Image().SetPixel(CellX(3) + 30, 5, kGreen);
    const Rect thumb = grid_.scrVertical.GetLayout().thumb;
    const int32_t x = (thumb.left + thumb.right) / 2;
    host_.Drag(grid_.scrVertical.hWnd(), x, thumb.top + 2, x, thumb.top + 62);
    EXPECT_GT(grid_.TopRow(), 10);
    EXPECT_EQ(grid_.TopRow(), grid_.scrVertical.Value());
    EXPECT_EQ(Pixel(CellX(3) + 30, 5), kGreen);
    EXPECT_EQ(Record().Take(), Log{"Scroll"});
}

TEST_F(ScrollingTest, TopRowMakesTheRowCurrentAndScrollsItToTheTopAsFarAsTheRowsGo) {
    grid_.SetTopRow(40);
    EXPECT_EQ(grid_.Row(), 40);
    EXPECT_EQ(grid_.TopRow(), 40);
    EXPECT_EQ(grid_.CellTop(40, 1), CellY(1));
    EXPECT_EQ(Record().Take(), (Log{"Scroll", "RowColChange 1 1"}));
    grid_.SetTopRow(40);  // the same row: nothing moves, nothing is raised
    EXPECT_EQ(Record().Take(), Log{});
    ExpectPictureOfAFullRepaint();
    // Fewer rows bring the top row back with the bar.
    grid_.SetTopRow(90);
    grid_.SetRows(50);
    EXPECT_EQ(grid_.scrVertical.Value(), 50);
    EXPECT_EQ(grid_.CellTop(50, 1), CellY(1));
    // Past the last row it stops there.
    grid_.SetRows(5);
    grid_.SetTopRow(10);
    EXPECT_EQ(grid_.Row(), 5);
    EXPECT_EQ(grid_.scrVertical.Value(), 5);
}

TEST_F(ScrollingTest, LeftColMakesTheColumnCurrentWithoutRowColChange) {
    grid_.SetLeftCol(7);
    EXPECT_EQ(grid_.LeftCol(), 7);
    EXPECT_EQ(grid_.Col(), 7);
    EXPECT_EQ(grid_.scrHorizontal.Value(), 7);
    EXPECT_EQ(grid_.CellLeft(1, 7), CellX(1));
    EXPECT_EQ(Record().Take(), Log{"Scroll"});
    // Past the last column it stops there; below 1 it stays at 1.
    grid_.SetLeftCol(500);
    EXPECT_EQ(grid_.LeftCol(), 20);
    grid_.SetLeftCol(-3);
    EXPECT_EQ(grid_.LeftCol(), 1);
    EXPECT_EQ(grid_.Col(), 1);
    ExpectPictureOfAFullRepaint();
}

TEST_F(ScrollingTest, AOneRowScrollKeepsABlockShownInEveryMode) {
    for (int16_t mode : {SelectionFree, SelectionByRow, SelectionByCol, SelectionByRowHeader}) {
        SCOPED_TRACE(mode);
        grid_.SetTopRow(1);
        grid_.SetSelectionMode(mode);
        grid_.SetRow1(3);
        grid_.SetCol1(2);
        grid_.SetRow2(6);
        grid_.SetCol2(4);
        grid_.Refresh();
        Press(grid_.scrVertical, ScrollBar::Part::IncreaseArrow);
        Press(grid_.scrHorizontal, ScrollBar::Part::IncreaseArrow);
        Press(grid_.scrVertical, ScrollBar::Part::DecreaseArrow);
        ExpectPictureOfAFullRepaint();
    }
    // By row, the current row is the block.
    EXPECT_EQ(grid_.Row1(), grid_.Row());
}

}  // namespace
}  // namespace tabula::test
