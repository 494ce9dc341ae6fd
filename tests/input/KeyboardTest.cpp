// Keyboard navigation on the cells, typed on the headless host with the cells focused:
// what each key does to the current cell, the scroll position, check marks, the picture
// and the application's events.

#include <memory>
#include <string>
#include <vector>

#include "grid/Events.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

using Log = std::vector<std::string>;

struct KeyEvents : TabulaEvents {
    Log seen;
    int16_t replaceAscii = -1;
    void KeyDown(int16_t keyCode, int16_t shift) override {
        seen.push_back("KeyDown " + std::to_string(keyCode) + " " + std::to_string(shift));
    }
    void KeyPress(int16_t& keyAscii) override {
        seen.push_back("KeyPress " + std::to_string(keyAscii));
        if (replaceAscii >= 0) keyAscii = replaceAscii;
    }
    void KeyUp(int16_t keyCode, int16_t shift) override {
        seen.push_back("KeyUp " + std::to_string(keyCode) + " " + std::to_string(shift));
    }
    void RowColChange(int32_t lastRow, int32_t lastCol) override {
        seen.push_back("RowColChange " + std::to_string(lastRow) + "," + std::to_string(lastCol));
    }
    void AfterEdit(int32_t row, int32_t col, const std::string& text) override {
        seen.push_back("AfterEdit " + std::to_string(row) + "," + std::to_string(col) + " " + text);
    }
    void Scroll() override { seen.push_back("Scroll"); }
};

// Six rows of five columns on a shown form, the cells holding the keyboard.
class KeyboardTest : public GridTest {
protected:
    KeyboardTest() {
        form_.Show();
        grid_.SetRows(6);
        grid_.picGrid.SetFocus();
        grid_.Events().Advise(events_);
    }

    void At(int32_t row, int32_t col) {
        grid_.SetRow(row);
        grid_.SetCol(col);
        events_->seen.clear();
    }
    std::pair<int32_t, int32_t> Current() const { return {grid_.Row(), grid_.Col()}; }
    void Press(uint8_t vk, int times = 1) {
        for (int i = 0; i < times; ++i)
            host_.PressKey(vk);
    }

    std::shared_ptr<KeyEvents> events_ = std::make_shared<KeyEvents>();
};

TEST_F(KeyboardTest, ArrowsMoveTheCellBetweenTheApplicationsKeyEvents) {
    Press(VK_DOWN);
    EXPECT_EQ(Current(), std::make_pair(2, 1));
    EXPECT_EQ(events_->seen, (Log{"KeyDown 40 0", "RowColChange 1,1", "KeyUp 40 0"}));
    Press(VK_RIGHT, 2);
    Press(VK_UP);
    EXPECT_EQ(Current(), std::make_pair(1, 3));
    ExpectPictureOfAFullRepaint();
    // At the edges nothing moves and nothing is reported.
    At(1, 1);
    Press(VK_UP);
    Press(VK_LEFT);
    EXPECT_EQ(Current(), std::make_pair(1, 1));
    EXPECT_EQ(events_->seen, (Log{"KeyDown 38 0", "KeyUp 38 0", "KeyDown 37 0", "KeyUp 37 0"}));
    At(6, 1);
    Press(VK_DOWN);
    EXPECT_EQ(Current(), std::make_pair(6, 1));
}

TEST_F(KeyboardTest, LeftAndRightWrapBetweenRowsButNotPastTheEnds) {
    At(2, 5);
    Press(VK_RIGHT);
    EXPECT_EQ(Current(), std::make_pair(3, 1));
    Press(VK_LEFT);
    EXPECT_EQ(Current(), std::make_pair(2, 5));
    At(6, 5);
    Press(VK_RIGHT);
    EXPECT_EQ(Current(), std::make_pair(6, 5));
    EXPECT_EQ(events_->seen, (Log{"KeyDown 39 0", "KeyUp 39 0"}));
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, LeftAndRightSkipCellsThatCannotBeEditedUpAndDownDoNot) {
    grid_.SetColAllowEdit(3, false);
    At(2, 2);
    Press(VK_RIGHT);
    EXPECT_EQ(Current(), std::make_pair(2, 4));
    Press(VK_LEFT);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    // A read-only cell in an editable column is skipped as well.
    grid_.SetCellReadOnly(2, 1, true);
    Press(VK_LEFT);
    EXPECT_EQ(Current(), std::make_pair(1, 5));
    // Nothing editable after (2, 2): Right comes back to it.
    for (int32_t r = 2; r <= 6; ++r) {
        for (int32_t c = 1; c <= 5; ++c)
            grid_.SetCellReadOnly(r, c, true);
    }
    grid_.SetCellReadOnly(2, 2, false);
    At(2, 2);
    Press(VK_RIGHT);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_EQ(events_->seen, (Log{"KeyDown 39 0", "KeyUp 39 0"}));
    Press(VK_DOWN);
    EXPECT_EQ(Current(), std::make_pair(3, 2));
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, TabMovesOnlyWhenTheGridUsesItAndShiftIsHeldOrNot) {
    At(2, 2);
    grid_.KeyDown(VK_TAB, 0);
    EXPECT_EQ(Current(), std::make_pair(2, 3));
    grid_.KeyDown(VK_TAB, -32768);  // the Shift key's state with its top bit set
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    grid_.KeyDown(VK_TAB, 1);  // a shift mask is not the key state: nothing
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    grid_.SetUseTABKey(false);
    grid_.KeyDown(VK_TAB, 0);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_EQ(events_->seen, (Log{"RowColChange 2,2", "RowColChange 2,3"}));
}

TEST_F(KeyboardTest, HomeEndAndThePageKeysActOnReleaseAndScrollTheRowToTheTop) {
    grid_.SetRows(100);
    ASSERT_EQ(grid_.State().PageRows, 16);
    At(50, 3);
    Press(VK_NEXT);
    EXPECT_EQ(Current(), std::make_pair(66, 3));
    EXPECT_EQ(grid_.TopRow(), 66);
    EXPECT_EQ(events_->seen, (Log{"KeyDown 34 0", "Scroll", "KeyUp 34 0", "RowColChange 50,3"}));
    At(90, 3);
    Press(VK_NEXT);
    EXPECT_EQ(grid_.Row(), 100);
    At(4, 3);
    Press(VK_PRIOR);
    EXPECT_EQ(grid_.Row(), 1);
    EXPECT_EQ(grid_.TopRow(), 1);
    Press(VK_END);
    EXPECT_EQ(Current(), std::make_pair(100, 3));
    EXPECT_EQ(grid_.TopRow(), 100);
    Press(VK_HOME);
    EXPECT_EQ(Current(), std::make_pair(1, 3));
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
    Press(VK_NEXT);
    EXPECT_EQ(Current(), std::make_pair(5, 3));
    Press(VK_PRIOR);
    EXPECT_EQ(Current(), std::make_pair(1, 3));
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
    EXPECT_EQ(grid_.Row(), 4);
    EXPECT_EQ(grid_.TopRow(), 4);  // up to the top row nothing scrolls
    Press(VK_UP);
    EXPECT_EQ(grid_.TopRow(), 3);
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, RightScrollsAColumnThatDoesNotFitAndTheWrapScrollsBack) {
    grid_.SetRows(100);
    grid_.SetCols(12);
    At(1, 4);
    Press(VK_RIGHT);
    EXPECT_EQ(grid_.LeftCol(), 1);  // column 5 ends at 359, inside 395 less the bar
    Press(VK_RIGHT);
    EXPECT_EQ(grid_.Col(), 6);
    EXPECT_EQ(grid_.LeftCol(), 2);
    Press(VK_RIGHT, 6);
    EXPECT_EQ(Current(), std::make_pair(1, 12));
    Press(VK_RIGHT);
    EXPECT_EQ(Current(), std::make_pair(2, 1));
    EXPECT_EQ(grid_.LeftCol(), 1);
    ExpectPictureOfAFullRepaint();
    Press(VK_LEFT);
    EXPECT_EQ(Current(), std::make_pair(1, 12));
    EXPECT_EQ(grid_.LeftCol(), grid_.scrHorizontal.Max());
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, TheBlockFollowsTheKeysInTheRowAndColumnModes) {
    grid_.SetSelectionMode(SelectionByRow);
    At(2, 2);
    Press(VK_DOWN);
    EXPECT_EQ(grid_.Row1(), 3);
    EXPECT_EQ(grid_.Col2(), 5);
    Press(VK_RIGHT);
    EXPECT_EQ(grid_.Row1(), 3);
    ExpectPictureOfAFullRepaint();
    grid_.SetSelectionMode(SelectionByCol);
    At(2, 2);
    Press(VK_LEFT);
    EXPECT_EQ(grid_.Col1(), 1);
    EXPECT_EQ(grid_.Row2(), 6);
    Press(VK_DOWN);  // the column block stays
    EXPECT_EQ(grid_.Col1(), 1);
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, SpaceTogglesACheckMarkAndOtherCharactersOnlyReport) {
    grid_.SetColMask(2, checkmark);
    grid_.SetTextMatrix(3, 2, "True");
    At(3, 2);
    host_.Type(" ");
    EXPECT_EQ(grid_.TextMatrix(3, 2), "1");
    host_.Type(" ");
    EXPECT_EQ(grid_.TextMatrix(3, 2), "0");
    host_.Type("a");
    EXPECT_EQ(grid_.TextMatrix(3, 2), "0");
    EXPECT_EQ(events_->seen, (Log{"KeyDown 32 0", "KeyPress 32", "AfterEdit 3,2 1", "KeyUp 32 0",
                                  "KeyDown 32 0", "KeyPress 32", "AfterEdit 3,2 0", "KeyUp 32 0",
                                  "KeyDown 65 0", "KeyPress 97", "AfterEdit 3,2 0", "KeyUp 65 0"}));
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, ALockedCheckMarkNeedsBothTheColumnAndTheCellLocked) {
    grid_.SetColMask(2, checkmark);
    grid_.SetTextMatrix(3, 2, "1");
    grid_.SetCellReadOnly(3, 2, true);
    At(3, 2);
    host_.Type(" ");
    EXPECT_EQ(grid_.TextMatrix(3, 2), "0");  // read-only alone does not lock it
    // Locking the column makes its cells read-only; one cell opened again is not locked.
    grid_.SetColAllowEdit(2, false);
    grid_.SetCellReadOnly(3, 2, false);
    host_.Type(" ");
    EXPECT_EQ(grid_.TextMatrix(3, 2), "1");  // nor does the column alone
    grid_.SetCellReadOnly(3, 2, true);
    events_->seen.clear();
    host_.Type(" ");
    EXPECT_EQ(grid_.TextMatrix(3, 2), "1");
    EXPECT_EQ(events_->seen, (Log{"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0"}));
}

TEST_F(KeyboardTest, ACheckMarkInsideASelectedRowKeepsTheRowsLook) {
    grid_.SetColMask(2, checkmark);
    grid_.SetSelectionMode(SelectionByRow);
    At(3, 2);
    host_.Type(" ");
    EXPECT_EQ(grid_.TextMatrix(3, 2), "1");
    ExpectPictureOfAFullRepaint();
    grid_.SetSelectionMode(SelectionFree);
    grid_.SetRow1(2);
    grid_.SetCol1(1);
    grid_.SetRow2(4);
    grid_.SetCol2(3);
    grid_.Refresh();
    host_.Type(" ");
    ExpectPictureOfAFullRepaint();
}

TEST_F(KeyboardTest, TheKeyDownMethodIsInTheAutomationTable) {
    At(2, 2);
    std::vector<Variant> args{Variant(int16_t{VK_DOWN}), Variant(int16_t{0})};
    Invoke(grid_.Members(), "KeyDown", kInvokeMethod, args);
    EXPECT_EQ(Current(), std::make_pair(3, 2));
    EXPECT_EQ(events_->seen, Log{"RowColChange 2,2"});
}

}  // namespace
}  // namespace tabula::test
