#include <gtest/gtest.h>

#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {
namespace {

using Log = std::vector<std::string>;

class FormTest : public testing::Test {
protected:
    HeadlessHost host_;
    Form form_{Rect{100, 100, 500, 400}, "Test"};
};

TEST_F(FormTest, TabAndShiftTabFollowTabIndexAndSkipWhatCannotTakeFocus) {
    PictureBox a(form_.hWnd(), {10, 10, 60, 30});
    PictureBox b(form_.hWnd(), {10, 40, 60, 60});
    PictureBox c(form_.hWnd(), {10, 70, 60, 90});
    PictureBox hidden(form_.hWnd(), {10, 100, 60, 120});
    PictureBox noStop(form_.hWnd(), {10, 130, 60, 150});
    a.SetTabIndex(2);
    b.SetTabIndex(0);
    c.SetTabIndex(1);
    hidden.SetVisible(false);
    noStop.SetTabStop(false);
    form_.Show();
    EXPECT_TRUE(b.HasFocus());  // the first tab stop takes the focus on Show
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(c.HasFocus());
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(a.HasFocus());
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(b.HasFocus());  // wraps around
    host_.PressKey(VK_TAB, vbShiftMask);
    EXPECT_TRUE(a.HasFocus());
    c.SetEnabled(false);
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(b.HasFocus());
}

TEST_F(FormTest, TabNeverReachesTheFocusedControl) {
    PictureBox a(form_.hWnd(), {10, 10, 60, 30});
    PictureBox b(form_.hWnd(), {10, 40, 60, 60});
    Log keys;
    a.KeyDown = [&](int16_t& code, int16_t) { keys.push_back("down " + std::to_string(code)); };
    a.KeyPress = [&](int16_t& ascii) { keys.push_back("press " + std::to_string(ascii)); };
    form_.Show();
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(b.HasFocus());
    EXPECT_TRUE(keys.empty());
}

struct SwallowTab : KeyMessageSink {
    int seen = 0;
    bool TranslateAccelerator(HWND, UINT message, WPARAM vk, LPARAM) override {
        if (message == WM_KEYDOWN && vk == VK_TAB) {
            ++seen;
            return true;
        }
        return false;
    }
};

TEST_F(FormTest, AnActiveObjectSeesKeysBeforeTabNavigation) {
    PictureBox a(form_.hWnd(), {10, 10, 60, 30});
    PictureBox b(form_.hWnd(), {10, 40, 60, 60});
    SwallowTab sink;
    form_.SetActiveObject(&sink);
    form_.Show();
    host_.PressKey(VK_TAB);
    EXPECT_EQ(sink.seen, 1);
    EXPECT_TRUE(a.HasFocus());  // the form did not move on
    form_.SetActiveObject(nullptr);
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(b.HasFocus());
}

TEST_F(FormTest, KeyEventsComeDownPressUpAndAZeroedKeyGoesNoFurther) {
    PictureBox box(form_.hWnd(), {10, 10, 60, 30});
    form_.Show();
    Log events;
    box.KeyDown = [&](int16_t& code, int16_t shift) {
        events.push_back("down " + std::to_string(code) + " " + std::to_string(shift));
    };
    box.KeyPress = [&](int16_t& ascii) {
        events.push_back("press " + std::to_string(ascii));
        if (ascii == 'x') ascii = 0;
    };
    box.KeyUp = [&](int16_t& code, int16_t) { events.push_back("up " + std::to_string(code)); };
    host_.Type("A");
    EXPECT_EQ(events, (Log{"down 16 1", "down 65 1", "press 65", "up 65", "up 16"}));
}

TEST_F(FormTest, MouseEventsAndClickOrder) {
    PictureBox box(form_.hWnd(), {10, 10, 110, 60});
    form_.Show();
    Log events;
    box.MouseDown = [&](int16_t b, int16_t, float x, float y) {
        events.push_back("down " + std::to_string(b) + " " + std::to_string(int(x)) + "," +
                         std::to_string(int(y)));
    };
    box.MouseUp = [&](int16_t b, int16_t, float, float) {
        events.push_back("up " + std::to_string(b));
    };
    box.Click = [&] { events.push_back("click"); };
    box.DblClick = [&] { events.push_back("dblclick"); };
    host_.Click(box.hWnd(), 5, 7);
    EXPECT_EQ(events, (Log{"down 1 5,7", "up 1", "click"}));
    events.clear();
    host_.Click(box.hWnd(), 5, 7);  // the second click of a double click
    EXPECT_EQ(events, (Log{"dblclick", "up 1"}));
    events.clear();
    host_.Advance(1000);
    host_.Click(box.hWnd(), 5, 7, 1);
    EXPECT_EQ(events, (Log{"down 2 5,7", "up 2"}));  // no click for the right button
    EXPECT_TRUE(box.HasFocus());
}

TEST_F(FormTest, AModalFormBlocksItsOwnerUntilUnloaded) {
    PictureBox ownerBox(form_.hWnd(), {10, 10, 110, 60});
    form_.Show();
    int ownerClicks = 0;
    ownerBox.Click = [&] { ++ownerClicks; };

    Form dialog(Rect{200, 200, 400, 300}, "Dialog");
    CommandButton ok(dialog.hWnd(), {10, 10, 90, 35}, "OK");
    ok.Click = [&] { dialog.Unload(); };
    Log seen;
    // While the dialog runs, a person clicks the owner (ignored), then OK.
    SetTimer(0, 0, 100, [&](HWND, UINT, UINT_PTR id, uint32_t) {
        KillTimer(0, id);
        EXPECT_TRUE(dialog.IsModal());
        host_.Click(ownerBox.hWnd(), 5, 5);
        seen.push_back("owner clicked: " + std::to_string(ownerClicks));
        host_.Click(ok.hWnd(), 5, 5);
    });
    EXPECT_TRUE(dialog.Show(vbModal));
    EXPECT_EQ(seen, (Log{"owner clicked: 0"}));
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(IsWindowEnabled(form_.hWnd()));
    host_.Click(ownerBox.hWnd(), 5, 5);
    EXPECT_EQ(ownerClicks, 1);
}

TEST_F(FormTest, AModalFormGivesTheKeyboardBackWhenItCloses) {
    PictureBox ownerBox(form_.hWnd(), {10, 10, 110, 60});
    ownerBox.SetTabStop(true);
    form_.Show();
    ownerBox.SetFocus();
    ASSERT_TRUE(ownerBox.HasFocus());
    Form dialog(Rect{200, 200, 400, 300}, "Dialog");
    CommandButton ok(dialog.hWnd(), {10, 10, 90, 35}, "OK");
    ok.Click = [&] { dialog.Unload(); };
    SetTimer(0, 0, 100, [&](HWND, UINT, UINT_PTR id, uint32_t) {
        KillTimer(0, id);
        EXPECT_TRUE(ok.HasFocus());
        host_.Click(ok.hWnd(), 5, 5);
    });
    EXPECT_TRUE(dialog.Show(vbModal));
    EXPECT_EQ(GetActiveWindow(), form_.hWnd());
    EXPECT_TRUE(ownerBox.HasFocus());
    // Keys reach the owner again.
    int keys = 0;
    ownerBox.KeyDown = [&](int16_t&, int16_t) { ++keys; };
    host_.PressKey('A');
    EXPECT_EQ(keys, 1);
}

TEST_F(FormTest, AModalFormThatNothingCanCloseGivesUp) {
    Form dialog(Rect{200, 200, 400, 300}, "Dialog");
    EXPECT_FALSE(dialog.Show(vbModal));
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(IsWindowEnabled(form_.hWnd()));
}

TEST_F(FormTest, PictureBoxKeepsWhatIsDrawnUntilCls) {
    PictureBox pic(form_.hWnd(), {10, 10, 110, 60});
    pic.SetBackColor(RGB(255, 255, 255));
    pic.Cls();
    FillRect(pic.hDC(), Rect{0, 0, 10, 10}, CreateSolidBrush(RGB(255, 0, 0)));
    pic.SetForeColor(RGB(0, 0, 255));
    pic.SetDrawStyle(2);
    MoveToEx(pic.hDC(), 0, 20);
    LineTo(pic.hDC(), 10, 20);
    pic.Refresh();
    EXPECT_EQ(pic.Image().Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(pic.Image().Pixel(0, 20), RGB(0, 0, 255));
    EXPECT_EQ(pic.Image().Pixel(1, 20), RGB(255, 255, 255));  // dotted
    form_.Show();
    const PixelImage shot = host_.Screenshot(form_.hWnd());
    EXPECT_EQ(shot.Pixel(15, 15), RGB(255, 0, 0));  // composed at the box's place
    EXPECT_EQ(shot.Pixel(5, 5), GetSysColor(COLOR_BTNFACE));
    pic.Cls();
    EXPECT_EQ(pic.Image().Pixel(5, 5), RGB(255, 255, 255));
    EXPECT_GT(pic.TextWidth("Hello"), pic.TextWidth("Hi"));
    pic.SetFontSize(20);
    EXPECT_GT(pic.TextHeight("Hi"), 20);
}

TEST_F(FormTest, ResizingKeepsTheImageAndClampsNegativeSizes) {
    PictureBox pic(form_.hWnd(), {10, 10, 110, 60});
    pic.SetBackColor(RGB(255, 255, 255));
    pic.Cls();
    pic.Move(10, 10, 200, 100);
    EXPECT_EQ(pic.ScaleWidth(), 200);
    EXPECT_EQ(pic.Image().Pixel(150, 80), RGB(255, 255, 255));
    pic.Move(0, 0, -5, -5);
    EXPECT_EQ(pic.Width(), 0);
    EXPECT_EQ(pic.Height(), 0);
}

TEST_F(FormTest, UnloadDestroysTheControlsWindowsButNotTheObjects) {
    PictureBox pic(form_.hWnd(), {10, 10, 110, 60});
    int unloaded = 0;
    form_.Unloaded = [&] { ++unloaded; };
    form_.Show();
    form_.Unload();
    form_.Unload();
    EXPECT_EQ(unloaded, 1);
    EXPECT_FALSE(IsWindow(pic.hWnd()));
    pic.Move(1, 1, 5, 5);  // harmless on a control whose window is gone
    pic.SetFocus();
    EXPECT_FALSE(form_.Show());
}

}  // namespace
}  // namespace tabula
