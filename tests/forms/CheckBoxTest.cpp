#include <gtest/gtest.h>

#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {
namespace {

class CheckBoxTest : public testing::Test {
protected:
    void SetUp() override {
        check_.Click = [&] { values_.push_back(check_.Value()); };
        form_.Show();
    }
    void ClickCheck(int32_t x = 5, int32_t y = 10) {
        host_.Click(check_.hWnd(), x, y);
        host_.Advance(1000);
    }
    // Pixels of the mark's colour inside the box, as a person would see them.
    int MarkPixels(COLORREF ink) {
        const PixelImage shot = host_.Screenshot(check_.hWnd());
        const Rect box = check_.BoxRect();
        int count = 0;
        for (int32_t y = box.top + 2; y < box.bottom - 2; ++y) {
            for (int32_t x = box.left + 2; x < box.right - 2; ++x)
                count += shot.Pixel(x, y) == ink;
        }
        return count;
    }

    HeadlessHost host_;
    Form form_{Rect{100, 100, 500, 400}, "Test"};
    CheckBox check_{form_.hWnd(), Rect{10, 10, 150, 30}, "Remember me"};
    std::vector<int16_t> values_;
};

TEST_F(CheckBoxTest, ClicksToggleAndEachChangeRaisesClick) {
    ClickCheck();
    EXPECT_EQ(check_.Value(), vbChecked);
    ClickCheck(100, 10);  // on the caption
    EXPECT_EQ(check_.Value(), vbUnchecked);
    EXPECT_EQ(values_, (std::vector<int16_t>{1, 0}));
    EXPECT_TRUE(check_.HasFocus());
}

TEST_F(CheckBoxTest, ValueSetByCodeRaisesClickOnlyWhenItChanges) {
    check_.SetValue(vbChecked);
    check_.SetValue(vbChecked);
    check_.SetValue(vbGrayed);
    check_.SetValue(3);
    check_.SetValue(-1);
    EXPECT_EQ(check_.Value(), vbGrayed);
    EXPECT_EQ(values_, (std::vector<int16_t>{1, 2}));
}

TEST_F(CheckBoxTest, AGreyedBoxClickedBecomesUnchecked) {
    check_.SetValue(vbGrayed);
    ClickCheck();
    EXPECT_EQ(check_.Value(), vbUnchecked);
}

TEST_F(CheckBoxTest, SpaceTogglesTheFocusedBox) {
    PictureBox before(form_.hWnd(), Rect{200, 10, 250, 40});
    before.SetTabIndex(-1);
    before.SetFocus();
    host_.PressKey(VK_TAB);
    ASSERT_TRUE(check_.HasFocus());
    host_.PressKey(VK_SPACE);
    host_.PressKey(VK_SPACE);
    host_.PressKey(VK_SPACE);
    EXPECT_EQ(values_, (std::vector<int16_t>{1, 0, 1}));
}

TEST_F(CheckBoxTest, ReleasingAwayFromTheBoxCancelsThePress) {
    host_.MouseDown(check_.hWnd(), 5, 10);
    host_.MouseMove(check_.hWnd(), 300, 10);
    host_.MouseUp(check_.hWnd(), 300, 10);
    EXPECT_EQ(check_.Value(), vbUnchecked);
    EXPECT_TRUE(values_.empty());
}

TEST_F(CheckBoxTest, EachClickOfAQuickPairToggles) {
    host_.DoubleClick(check_.hWnd(), 5, 10);
    EXPECT_EQ(values_, (std::vector<int16_t>{1, 0}));
}

TEST_F(CheckBoxTest, TheMarkShowsBlackWhenCheckedGreyWhenGreyedAndNotAtAllWhenUnchecked) {
    const COLORREF black = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(MarkPixels(black), 0);
    ClickCheck();
    EXPECT_GT(MarkPixels(black), 10);
    check_.SetValue(vbGrayed);
    EXPECT_EQ(MarkPixels(black), 0);
    EXPECT_GT(MarkPixels(grey), 10);
    check_.SetValue(vbUnchecked);
    EXPECT_EQ(MarkPixels(grey), 0);
}

TEST_F(CheckBoxTest, TheBoxLooksPushedWhileHeld) {
    const Rect box = check_.BoxRect();
    const Point inside{box.left + 3, box.top + 3};
    EXPECT_EQ(host_.Screenshot(check_.hWnd()).Pixel(inside.x, inside.y), GetSysColor(COLOR_WINDOW));
    host_.MouseDown(check_.hWnd(), 5, 10);
    EXPECT_EQ(host_.Screenshot(check_.hWnd()).Pixel(inside.x, inside.y),
              GetSysColor(COLOR_BTNFACE));
    host_.MouseUp(check_.hWnd(), 5, 10);
    EXPECT_EQ(host_.Screenshot(check_.hWnd()).Pixel(inside.x, inside.y), GetSysColor(COLOR_WINDOW));
}

TEST_F(CheckBoxTest, TheFocusRectangleHugsTheCaption) {
    PictureBox other(form_.hWnd(), Rect{200, 10, 250, 40});
    other.SetFocus();
    const PixelImage unfocused = host_.Screenshot(check_.hWnd());
    check_.SetFocus();
    const PixelImage focused = host_.Screenshot(check_.hWnd());
    int changed = 0, changedOverBox = 0;
    for (int32_t y = 0; y < focused.Height(); ++y) {
        for (int32_t x = 0; x < focused.Width(); ++x) {
            if (focused.Pixel(x, y) == unfocused.Pixel(x, y)) continue;
            ++changed;
            changedOverBox += x < CheckBox::kBoxSize;
            EXPECT_LT(x, 120);  // the caption is shorter than the control
        }
    }
    EXPECT_GT(changed, 20);
    EXPECT_EQ(changedOverBox, 0);
}

}  // namespace
}  // namespace tabula
