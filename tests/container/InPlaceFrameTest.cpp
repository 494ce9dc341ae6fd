#include <gtest/gtest.h>

#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/forms/PictureBox.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {
namespace {

using Log = std::vector<std::string>;

// An active object that keeps Tab for its control, as the grid's does: key-down and
// key-up of Tab are taken (with the raw Shift state), everything else passes.
struct TabTaker : KeyMessageSink {
    Log seen;
    bool TranslateAccelerator(HWND, UINT message, WPARAM vk, LPARAM) override {
        if (vk != VK_TAB || (message != WM_KEYDOWN && message != WM_KEYUP)) return false;
        const bool shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
        seen.push_back(std::string(message == WM_KEYDOWN ? "down" : "up") +
                       (shift ? " shift" : ""));
        return true;
    }
};

// The control registers its active object when it gets the focus and takes it back when
// it loses it.
void RegisterWhileFocused(Control& control, InPlaceFrame& frame, KeyMessageSink& sink) {
    control.GotFocus = [&frame, &sink] { frame.SetActiveObject(&sink); };
    control.LostFocus = [&frame, &sink] { frame.ReleaseActiveObject(&sink); };
}

class InPlaceFrameTest : public testing::Test {
protected:
    HeadlessHost host_;
    Form form_{Rect{100, 100, 500, 400}, "Test"};
    PictureBox grid_{form_.hWnd(), Rect{10, 10, 60, 30}};
    PictureBox other_{form_.hWnd(), Rect{10, 40, 60, 60}};
    PictureBox third_{form_.hWnd(), Rect{10, 70, 60, 90}};
    TabTaker taker_;
    ControlContainer container_{form_};
};

TEST_F(InPlaceFrameTest, TheActiveObjectTakesTabBeforeTheFormNavigates) {
    container_.Add(grid_, "Grid");
    RegisterWhileFocused(grid_, container_.Frame(), taker_);
    form_.Show();
    ASSERT_TRUE(grid_.HasFocus());
    EXPECT_EQ(container_.Frame().ActiveObject(), &taker_);
    EXPECT_EQ(form_.ActiveObject(), &taker_);

    Log keys;
    grid_.KeyDown = [&](int16_t& code, int16_t) { keys.push_back(std::to_string(code)); };
    host_.PressKey(VK_TAB);
    host_.PressKey(VK_TAB, vbShiftMask);
    EXPECT_EQ(taker_.seen, (Log{"down", "up", "down shift", "up shift"}));
    EXPECT_TRUE(grid_.HasFocus());  // the form did not move on
    EXPECT_EQ(keys, (Log{"16"}));   // Shift reached the control, Tab did not

    // Other keys pass through to the control as usual.
    host_.PressKey(VK_DOWN);
    EXPECT_EQ(keys, (Log{"16", "40"}));
}

TEST_F(InPlaceFrameTest, LosingTheFocusGivesTabBackToTheForm) {
    RegisterWhileFocused(grid_, container_.Frame(), taker_);
    form_.Show();
    host_.Click(other_.hWnd(), 5, 5);
    EXPECT_EQ(container_.Frame().ActiveObject(), nullptr);
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(third_.HasFocus());
    host_.PressKey(VK_TAB);  // wraps round to the grid, which registers again
    EXPECT_TRUE(grid_.HasFocus());
    // The release of the Tab that brought the focus in already goes to the grid.
    EXPECT_EQ(taker_.seen, (Log{"up"}));
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(grid_.HasFocus());
    EXPECT_EQ(taker_.seen, (Log{"up", "down", "up"}));
}

TEST_F(InPlaceFrameTest, ReleasingLeavesAnotherActiveObjectAndAContainerGoingAwayLeavesNone) {
    TabTaker second;
    {
        ControlContainer designer(form_);
        InPlaceFrame& frame = designer.Frame();
        frame.SetActiveObject(&taker_);
        frame.SetActiveObject(&second);  // focus moved on before the first let go
        frame.ReleaseActiveObject(&taker_);
        EXPECT_EQ(frame.ActiveObject(), &second);
        frame.ReleaseActiveObject(nullptr);
        EXPECT_EQ(form_.ActiveObject(), &second);
    }
    EXPECT_EQ(form_.ActiveObject(), nullptr);
    form_.Show();
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(other_.HasFocus());
    container_.Frame().SetActiveObject(&taker_);
    container_.Frame().ReleaseActiveObject(&taker_);
    EXPECT_EQ(container_.Frame().ActiveObject(), nullptr);
}

}  // namespace
}  // namespace tabula
