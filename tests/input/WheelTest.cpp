// The mouse wheel turned over a grid whose cells have the keyboard, on the headless host.

#include <memory>
#include <string>
#include <vector>

#include "grid/Events.h"
#include "platform/forms/PictureBox.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

using Log = std::vector<std::string>;

struct WheelEvents : TabulaEvents {
    Log seen;
    void KeyDown(int16_t keyCode, int16_t) override {
        seen.push_back("KeyDown " + std::to_string(keyCode));
    }
    void KeyUp(int16_t keyCode, int16_t) override {
        seen.push_back("KeyUp " + std::to_string(keyCode));
    }
    void RowColChange(int32_t lastRow, int32_t) override {
        seen.push_back("RowColChange " + std::to_string(lastRow));
    }
    void Scroll() override { seen.push_back("Scroll"); }
};

// 100 rows on a shown form; the cells have the keyboard at row 20.
class WheelTest : public GridTest {
protected:
    WheelTest() {
        form_.Show();
        grid_.SetRows(100);
        grid_.picGrid.SetFocus();
        grid_.SetRow(20);
        grid_.Events().Advise(events_);
    }
    std::shared_ptr<WheelEvents> events_ = std::make_shared<WheelEvents>();
};

TEST_F(WheelTest, ANotchMovesOneRowWithoutAKeyEvent) {
    host_.Wheel(-120);
    EXPECT_EQ(grid_.Row(), 21);
    host_.Wheel(120);
    host_.Wheel(120);
    EXPECT_EQ(grid_.Row(), 19);
    // Row 20 was scrolled to the top: going above it scrolls one row back.
    EXPECT_EQ(grid_.TopRow(), 19);
    EXPECT_EQ(events_->seen,
              (Log{"RowColChange 20", "RowColChange 21", "Scroll", "RowColChange 20"}));
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
    EXPECT_EQ(events_->seen, (Log{"Scroll", "KeyUp 34", "RowColChange 20", "Scroll", "KeyUp 33",
                                  "RowColChange 36", "Scroll", "KeyUp 34", "RowColChange 20"}));
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

TEST_F(WheelTest, TheMethodIsInTheAutomationTable) {
    std::vector<Variant> args{Variant(int32_t{0}), Variant(int32_t{-1}), Variant(int32_t{5}),
                              Variant(int32_t{5})};
    Invoke(grid_.Members(), "MouseWheel", kInvokeMethod, args);
    EXPECT_EQ(grid_.Row(), 21);
}

}  // namespace
}  // namespace tabula::test
