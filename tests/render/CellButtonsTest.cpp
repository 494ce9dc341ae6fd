// The in-cell buttons: where they sit as the current cell moves and the grid scrolls,
// when they hide, and what a click on the cell button tells the application.

#include <optional>

#include "platform/forms/PictureBox.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

class CellButtonsTest : public GridTest {
protected:
    CellButtonsTest() {
        form_.Show();
        grid_.SetRows(40);
        grid_.SetCols(12);
        grid_.AddButton(3);
        grid_.AddLookup(4, "Lisbon");
        grid_.AddButton(4);
    }
    // A button's place in picGrid's pixels, or nothing while it is hidden.
    static std::optional<Rect> Place(const CommandButton& button) {
        if (!button.Visible()) return std::nullopt;
        return MakeRectFromSize(button.Left() - 2, button.Top() - 2, button.Width(),
                                button.Height());
    }
};

TEST_F(CellButtonsTest, TheButtonsSitAtTheRightEdgeOfTheCurrentCellOfTheirColumns) {
    const auto inCell = [&](int32_t row, int32_t col) {
        return MakeRectFromSize(CellX(col) + grid_.ColWidth(col) - 18, CellY(row) + 1, 17,
                                grid_.RowHeight(row) - 2);
    };
    grid_.SetCol(3);
    EXPECT_EQ(Place(grid_.cmdButton), inCell(1, 3));
    EXPECT_EQ(Place(grid_.cmdLookup), std::nullopt);
    // A column with both kinds has both, at the same spot.
    ClickAlone(grid_.picGrid.hWnd(), InX(4), InY(2));
    EXPECT_EQ(Place(grid_.cmdButton), inCell(2, 4));
    EXPECT_EQ(Place(grid_.cmdLookup), inCell(2, 4));
    // The keys move them along; a column without either hides both.
    host_.PressKey(VK_LEFT);
    EXPECT_EQ(Place(grid_.cmdButton), inCell(2, 3));
    host_.PressKey(VK_LEFT);
    EXPECT_EQ(Place(grid_.cmdButton), std::nullopt);
    EXPECT_EQ(Place(grid_.cmdLookup), std::nullopt);
}

TEST_F(CellButtonsTest, AButtonWhoseCellIsNotWhollyInViewHides) {
    grid_.SetCol(3);
    ASSERT_TRUE(Place(grid_.cmdButton));
    grid_.SetLeftCol(4);  // the cell scrolled off to the left; the new current cell has both
    grid_.SetCol(3);
    EXPECT_EQ(Place(grid_.cmdButton), std::nullopt);
    // A column cut at the right edge: its button would lie over the bar or past the edge.
    grid_.SetLeftCol(1);
    grid_.SetColWidth(3, 400);
    grid_.SetCol(3);
    EXPECT_EQ(Place(grid_.cmdButton), std::nullopt);
    // Scrolled back into view by a bar, the button comes back.
    grid_.SetColWidth(3, 64);
    grid_.scrHorizontal.SetValue(2);
    grid_.scrHorizontal.SetValue(1);
    EXPECT_TRUE(Place(grid_.cmdButton));
}

TEST_F(CellButtonsTest, AClickOnTheCellButtonNamesTheCellAndGivesTheKeyboardBack) {
    grid_.SetRow(2);
    grid_.SetCol(3);
    grid_.SetCellReadOnly(2, 3, true);
    Record().Take();
    const Rect r = *Place(grid_.cmdButton);
    ClickAlone(grid_.picGrid.hWnd(), r.left + 5, r.top + 5);
    EXPECT_EQ(Record().Take(), (Log{"BtnClick 2 3"}));
    EXPECT_EQ(GetFocus(), grid_.picGrid.hWnd());
    EXPECT_EQ(Current(), (Cell{2, 3}));
}

TEST_F(CellButtonsTest, RemovingAButtonColumnRemovesEveryEntryOfIt) {
    grid_.AddButton(3);
    grid_.AddButton(5);
    grid_.RemoveButton(3);
    EXPECT_FALSE(grid_.ColHasButton(3));
    EXPECT_TRUE(grid_.ColHasButton(5));
    grid_.RemoveButton(9);  // never added: nothing happens
    grid_.SetCol(3);
    EXPECT_EQ(Place(grid_.cmdButton), std::nullopt);
}

}  // namespace
}  // namespace tabula::test
