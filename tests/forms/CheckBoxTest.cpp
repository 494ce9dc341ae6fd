#include "platform/forms/CheckBox.h"

#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

using Values = std::vector<int16_t>;

class CheckBoxTest : public test::FormFixture {
protected:
    void SetUp() override {
        check_.Click = [&] { values_.push_back(check_.Value()); };
        form_.Show();
    }
    // Pixels of the mark's colour inside the box, as a person would see them.
    int MarkPixels(COLORREF ink) {
        const Rect box = check_.BoxRect();
        return CountPixels(host_.Screenshot(check_.hWnd()),
                           {box.left + 2, box.top + 2, box.right - 2, box.bottom - 2}, ink);
    }
    COLORREF InsideTheBox() {
        const Rect box = check_.BoxRect();
        return host_.Screenshot(check_.hWnd()).Pixel(box.left + 3, box.top + 3);
    }

    CheckBox check_{form_.hWnd(), Rect{10, 10, 150, 30}, "Remember me"};
    Values values_;
};

TEST_F(CheckBoxTest, ClicksAndSpaceToggleTheMarkAndFocusShowAndTheBoxLooksPushedWhileHeld) {
    ClickAlone(check_.hWnd(), 5, 10);
    ClickAlone(check_.hWnd(), 100, 10);  // on the caption
    for (int16_t value : {2, 2, 3, -1})  // code: only real changes raise Click
        check_.SetValue(value);
    ClickAlone(check_.hWnd(), 5, 10);
    host_.DoubleClick(check_.hWnd(), 5, 10);  // each click of a quick pair toggles
    EXPECT_TRUE(check_.HasFocus());
    Keys("  ");
    EXPECT_EQ(values_, (Values{1, 0, 2, 0, 1, 0, 1, 0}));
    const COLORREF black = GetSysColor(COLOR_WINDOWTEXT), grey = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(MarkPixels(black), 0);
    ClickAlone(check_.hWnd(), 5, 10);
    EXPECT_GT(MarkPixels(black), 10);
    check_.SetValue(vbGrayed);
    EXPECT_EQ(MarkPixels(black), 0);
    EXPECT_GT(MarkPixels(grey), 10);
    check_.SetValue(vbUnchecked);
    EXPECT_EQ(MarkPixels(grey), 0);
    PictureBox other(form_.hWnd(), Rect{200, 10, 250, 40});
    other.SetFocus();
    const PixelImage unfocused = host_.Screenshot(check_.hWnd());
    check_.SetFocus();
    const Rect changed = Difference(host_.Screenshot(check_.hWnd()), unfocused);
    EXPECT_GE(changed.left, CheckBox::kBoxSize);
    EXPECT_LT(changed.right, 120);  // the caption is shorter than the control
    EXPECT_GT(changed.Width(), 40);
    EXPECT_GT(changed.Height(), 10);
    values_.clear();
    const COLORREF up = GetSysColor(COLOR_WINDOW), pushed = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(InsideTheBox(), up);
    host_.MouseDown(check_.hWnd(), 5, 10);
    EXPECT_EQ(InsideTheBox(), pushed);
    host_.MouseMove(check_.hWnd(), 300, 10);
    EXPECT_EQ(InsideTheBox(), up);
    host_.MouseMove(check_.hWnd(), 5, 10);
    EXPECT_EQ(InsideTheBox(), pushed);
    host_.MouseMove(check_.hWnd(), 300, 10);
    host_.MouseUp(check_.hWnd(), 300, 10);
    EXPECT_TRUE(values_.empty());  // released away: no change
    host_.MouseDown(check_.hWnd(), 5, 10);
    host_.MouseUp(check_.hWnd(), 5, 10);
    EXPECT_EQ(InsideTheBox(), up);
}

}  // namespace
}  // namespace tabula
