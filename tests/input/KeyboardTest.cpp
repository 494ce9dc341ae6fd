// Keyboard navigation on the cells, typed on the headless host with the cells focused:
// what each key does to the current cell, the scroll position, check marks, the picture
// and the application's events; and the mouse wheel, which pages as keys do.

#include <initializer_list>

#include "platform/forms/PictureBox.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

// Six rows of five columns on a shown form, the cells holding the keyboard.
class KeyboardTest : public GridTest {
protected:
    KeyboardTest() {
        form_.Show();
        grid_.SetRows(6);
        grid_.picGrid.SetFocus();
        Record();
    }

    void At(int32_t row, int32_t col) {
        grid_.SetRow(row);
        grid_.SetCol(col);
        Record().Take();
    }
    void Press(uint8_t vk, int times = 1) {
        for (int i = 0; i < times; ++i)
            host_.PressKey(vk);
    }
    // Keys pressed one after the other, each with the cell it leads to and, when given,
    // the top row or left column it scrolls to.
    struct Step {
        uint8_t key;
        int32_t row, col;
        int32_t top = 0, left = 0;
    };
    void Walk(std::initializer_list<Step> steps) {
        for (const Step& s : steps) {
            Press(s.key);
            EXPECT_EQ(Current(), (Cell{s.row, s.col})) << "key " << int(s.key);
            EXPECT_EQ(s.top ? grid_.TopRow() : 0, s.top) << "key " << int(s.key);
            EXPECT_EQ(s.left ? grid_.LeftCol() : 0, s.left) << "key " << int(s.key);
        }
    }
};

TEST_F(KeyboardTest, ArrowsMoveTheCellAndWrapBetweenRowsButNotPastTheEnds) {
    const struct {
        int32_t row, col;
        uint8_t key;
        int32_t toRow, toCol;
    } cases[] = {
        {1, 1, VK_DOWN, 2, 1},  {2, 1, VK_RIGHT, 2, 2}, {2, 3, VK_UP, 1, 3},
        {1, 1, VK_UP, 1, 1},    {1, 1, VK_LEFT, 1, 1},  {6, 1, VK_DOWN, 6, 1},
        {2, 5, VK_RIGHT, 3, 1}, {3, 1, VK_LEFT, 2, 5},  {6, 5, VK_RIGHT, 6, 5},
    };
    for (const auto& c : cases) {
        At(c.row, c.col);
        Press(c.key);
        EXPECT_EQ(Current(), (Cell{c.toRow, c.toCol}))
            << "key " << int(c.key) << " at " << c.row << "," << c.col;
    }
    ExpectPictureOfAFullRepaint();
    // A move is reported between the application's key events; no move, no report.
    At(1, 1);
    Press(VK_UP);
    Press(VK_DOWN);
    EXPECT_EQ(Record().Take(), (Log{"KeyDown 38 0", "KeyUp 38 0", "KeyDown 40 0",
                                    "RowColChange 1 1", "KeyUp 40 0"}));
}

TEST_F(KeyboardTest, LeftAndRightSkipCellsThatCannotBeEditedUpAndDownDoNot) {
    grid_.SetColAllowEdit(3, false);
    At(2, 2);
    Walk({{VK_RIGHT, 2, 4}, {VK_LEFT, 2, 2}});
    // A read-only cell in an editable column is skipped as well.
    grid_.SetCellReadOnly(2, 1, true);
    Walk({{VK_LEFT, 1, 5}});
    // Nothing editable after (2, 2): Right comes back to it.
    for (int32_t r = 2; r <= 6; ++r) {
        for (int32_t c = 1; c <= 5; ++c)
            grid_.SetCellReadOnly(r, c, true);
    }
    grid_.SetCellReadOnly(2, 2, false);
    At(2, 2);
    Walk({{VK_RIGHT, 2, 2}});
    EXPECT_EQ(Record().Take(), (Log{"KeyDown 39 0", "KeyUp 39 0"}));
    Walk({{VK_DOWN, 3, 2}});
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, TabMovesOnlyWhenTheGridUsesItAndShiftIsHeldOrNot) {
    At(2, 2);
    grid_.KeyDown(VK_TAB, 0);
    EXPECT_EQ(Current(), (Cell{2, 3}));
    grid_.KeyDown(VK_TAB, -32768);  // the Shift key's state with its top bit set
    grid_.KeyDown(VK_TAB, 1);       // a shift mask is not the key state: nothing
    grid_.SetUseTABKey(false);
    grid_.KeyDown(VK_TAB, 0);
    EXPECT_EQ(Current(), (Cell{2, 2}));
    EXPECT_EQ(Record().Take(), (Log{"RowColChange 2 2", "RowColChange 2 3"}));
}

TEST_F(KeyboardTest, HomeEndAndThePageKeysActOnReleaseAndScrollTheRowToTheTop) {
    grid_.SetRows(100);
    ASSERT_EQ(grid_.State().PageRows, 16);
    At(50, 3);
    Walk({{VK_NEXT, 66, 3, 66}});
    EXPECT_EQ(Record().Take(), (Log{"KeyDown 34 0", "Scroll", "KeyUp 34 0", "RowColChange 50 3"}));
    At(90, 3);
    Walk({{VK_NEXT, 100, 3}});
    At(4, 3);
    Walk({{VK_PRIOR, 1, 3, 1}, {VK_END, 100, 3, 100}, {VK_HOME, 1, 3}});
    ExpectPictureOfAFullRepaint();
    // Held down, the page keys do nothing until they are let go.
    host_.KeyDown(VK_NEXT);
    host_.KeyDown(VK_NEXT);
    EXPECT_EQ(grid_.Row(), 1);
    host_.KeyUp(VK_NEXT);
    EXPECT_EQ(grid_.Row(), 17);
}

// A grid whose rows all fit used to have no page size at all, so the page keys did nothing.
TEST_F(KeyboardTest, ThePageKeysReachBothEndsOfAGridWhoseRowsAllFit) {
    grid_.SetRows(5);
    At(2, 3);
    Walk({{VK_NEXT, 5, 3}, {VK_PRIOR, 1, 3}});
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, HoldingDownAtTheLastWholeRowScrollsOneRowPerRepeat) {
    grid_.SetRows(100);
    // Rows end at y = 17 + 16 r; row 17 is the last that fits in 295 pixels.
    At(17, 2);
    host_.KeyDown(VK_DOWN);
    EXPECT_EQ(grid_.TopRow(), 2);
    host_.KeyDown(VK_DOWN);
    host_.KeyDown(VK_DOWN);
    host_.KeyUp(VK_DOWN);
    EXPECT_EQ(grid_.Row(), 20);
    EXPECT_EQ(grid_.TopRow(), 4);
    ExpectPictureOfAFullRepaint();
    Press(VK_UP, 16);
    EXPECT_EQ(grid_.TopRow(), 4);  // up to the top row nothing scrolls
    Walk({{VK_UP, 3, 2, 3}});
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, RightScrollsAColumnThatDoesNotFitAndTheWrapScrollsBack) {
    grid_.SetRows(100);
    grid_.SetCols(12);
    At(1, 4);
    // Column 5 ends at 359, inside 395 less the bar.
    Walk({{VK_RIGHT, 1, 5, 0, 1}, {VK_RIGHT, 1, 6, 0, 2}});
    Press(VK_RIGHT, 6);
    Walk({{VK_RIGHT, 2, 1, 0, 1}});
    ExpectPictureOfAFullRepaint();
    Walk({{VK_LEFT, 1, 12, 0, grid_.scrHorizontal.Max()}});
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, TheBlockFollowsTheKeysInTheRowAndColumnModes) {
    grid_.SetSelectionMode(SelectionByRow);
    At(2, 2);
    Press(VK_DOWN);
    EXPECT_EQ(Selected(), (Block{3, 0, 3, 5}));
    Press(VK_RIGHT);
    EXPECT_EQ(Selected(), (Block{3, 0, 3, 5}));
    ExpectPictureOfAFullRepaint();
    grid_.SetSelectionMode(SelectionByCol);
    At(2, 2);
    Press(VK_LEFT);
    EXPECT_EQ(Selected(), (Block{0, 1, 6, 1}));
    Press(VK_DOWN);  // the column block stays
    EXPECT_EQ(Selected(), (Block{0, 1, 6, 1}));
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, SpaceTogglesACheckMarkAndOtherCharactersOnlyReport) {
    grid_.SetColMask(2, checkmark);
    grid_.SetTextMatrix(3, 2, "True");
    At(3, 2);
    host_.Type("  a");
    EXPECT_EQ(grid_.TextMatrix(3, 2), "0");
    // Each space toggles, and every key reports the mark as it left it.
    EXPECT_EQ(Record().Take(),
              (Log{"KeyDown 32 0", "KeyPress 32", "AfterEdit 3 2 1", "KeyUp 32 0", "KeyDown 32 0",
                   "KeyPress 32", "AfterEdit 3 2 0", "KeyUp 32 0", "KeyDown 65 0", "KeyPress 97",
                   "AfterEdit 3 2 0", "KeyUp 65 0"}));
    ExpectPictureOfAFullRepaint();
}

// The mouse wheel turned over a grid whose cells have the keyboard.
// 100 rows on a shown form; the cells have the keyboard at row 20.
class WheelTest : public GridTest {
protected:
    WheelTest() {
        form_.Show();
        grid_.SetRows(100);
        grid_.picGrid.SetFocus();
        grid_.SetRow(20);
        Record();
    }
};

TEST_F(WheelTest, ANotchMovesOneRowWithoutAKeyEvent) {
    host_.Wheel(-120);
    EXPECT_EQ(grid_.Row(), 21);
    host_.Wheel(120);
    host_.Wheel(120);
    EXPECT_EQ(grid_.Row(), 19);
    // Row 20 was scrolled to the top: going above it scrolls one row back.
    EXPECT_EQ(grid_.TopRow(), 19);
    EXPECT_EQ(Record().Take(),
              (Log{"RowColChange 20 1", "RowColChange 21 1", "Scroll", "RowColChange 20 1"}));
}

TEST_F(WheelTest, SeveralNotchesOrHalfANotchPageAsReleasedKeys) {
    ASSERT_EQ(grid_.State().PageRows, 16);
    host_.Wheel(-240);
    EXPECT_EQ(grid_.Row(), 36);
    EXPECT_EQ(grid_.TopRow(), 36);
    host_.Wheel(360);
    EXPECT_EQ(grid_.Row(), 20);
    // Half a notch rounds to none, which pages down.
    host_.Wheel(60);
    EXPECT_EQ(grid_.Row(), 36);
    EXPECT_EQ(Record().Take(),
              (Log{"Scroll", "KeyUp 34 0", "RowColChange 20 1", "Scroll", "KeyUp 33 0",
                   "RowColChange 36 1", "Scroll", "KeyUp 34 0", "RowColChange 20 1"}));
}

TEST_F(WheelTest, OnlyTheGridWhoseCellsHaveTheKeyboardTurns) {
    PictureBox elsewhere(form_.hWnd(), Rect{450, 10, 520, 60});
    elsewhere.SetTabStop(true);
    elsewhere.SetFocus();
    host_.Wheel(-120);
    EXPECT_EQ(grid_.Row(), 20);
    // A second grid takes the wheel while its cells have the keyboard, then goes away.
    {
        Tabula other(form_.hWnd(), Rect{420, 100, 660, 300});
        other.InitNew();
        other.SetRows(10);
        other.picGrid.SetFocus();
        host_.Wheel(-120);
        EXPECT_EQ(other.Row(), 2);
        EXPECT_EQ(grid_.Row(), 20);
    }
    host_.Wheel(-120);  // nobody hooked: nothing happens, nothing breaks
    grid_.picGrid.SetFocus();
    host_.Wheel(-120);
    EXPECT_EQ(grid_.Row(), 21);
}

TEST_F(KeyboardTest, OnAGridWithoutRowsOrColumnsTheCurrentCellStaysInTheTable) {
    const auto pressEach = [&] {
        for (const uint8_t key : {VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_DOWN, VK_RIGHT})
            Press(key);
        host_.Wheel(-240);  // more than a notch pages
        host_.Wheel(240);
    };
    grid_.SetRows(0);
    pressEach();
    EXPECT_EQ(grid_.Row(), 0);
    EXPECT_NO_THROW(grid_.Text());
    grid_.SetRows(3);
    grid_.SetCols(0);
    grid_.picGrid.SetFocus();
    Press(VK_RIGHT);  // from the first row, where a wrap to the next row would start
    EXPECT_EQ(Current(), (Cell{1, 0}));
    pressEach();
    ClickAlone(grid_.picGrid.hWnd(), 5, 5);  // the top-left corner selects everything
    EXPECT_EQ(grid_.Col(), 0);
    EXPECT_EQ(Selected(), (Block{1, 0, 3, 0}));
    EXPECT_NO_THROW(grid_.Text());
}

}  // namespace
}  // namespace tabula::test
