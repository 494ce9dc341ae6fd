// The mouse wheel turned over a grid whose cells have the keyboard, on the headless host.

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/PictureBox.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

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

}  // namespace
}  // namespace tabula::test
