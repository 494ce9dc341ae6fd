#include "platform/forms/Form.h"

#include "platform/forms/Frame.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Timer.h"
#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

using test::Log;
using FormTest = test::FormFixture;

struct SwallowTab : KeyMessageSink {
    int seen = 0;
    bool TranslateAccelerator(HWND, UINT message, WPARAM vk, LPARAM) override {
        seen += message == WM_KEYDOWN && vk == VK_TAB;
        return message == WM_KEYDOWN && vk == VK_TAB;
    }
};

TEST_F(FormTest, TabAndShiftTabFollowTabIndexSkipWhatCannotTakeFocusAndComeAfterTheActiveObject) {
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
    int keys = 0;
    b.KeyDown = [&](int16_t& code, int16_t) { keys += code == VK_TAB; };
    b.KeyPress = [&](int16_t& ascii) { keys += ascii == '\t'; };
    form_.Show();
    EXPECT_TRUE(b.HasFocus());  // the first tab stop takes the focus on Show
    const struct {
        const char* keys;
        PictureBox* focus;
    } steps[] = {{"<Tab>", &c}, {"<Tab>", &a}, {"<Tab>", &b}, {"<S-Tab>", &a}};
    for (const auto& step : steps) {
        Keys(step.keys);
        EXPECT_TRUE(step.focus->HasFocus()) << step.keys << " from " << &step - steps;
    }
    EXPECT_EQ(keys, 0);  // Tab never reaches the control it leaves
    SwallowTab sink;     // an active object sees keys before tab navigation
    form_.SetActiveObject(&sink);
    Keys("<Tab>");
    EXPECT_EQ(sink.seen, 1);
    EXPECT_TRUE(a.HasFocus());  // the form did not move on
    form_.SetActiveObject(nullptr);
    c.SetEnabled(false);
    Keys("<Tab>");
    EXPECT_TRUE(b.HasFocus());
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
    host_.Click(box.hWnd(), 5, 7);  // the second click of a double click
    host_.Advance(1000);
    host_.Click(box.hWnd(), 5, 7, 1);  // no click for the right button
    EXPECT_EQ(events,
              (Log{"down 1 5,7", "up 1", "click", "dblclick", "up 1", "down 2 5,7", "up 2"}));
    EXPECT_TRUE(box.HasFocus());

    // A button knows no double click: a quick pair of clicks is two clicks, and a second
    // press released outside it is none.
    CommandButton button(form_.hWnd(), {120, 10, 200, 40}, "Go");
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    host_.Click(button.hWnd(), 5, 5);
    host_.Click(button.hWnd(), 5, 5);
    host_.Advance(1000);
    host_.Click(button.hWnd(), 5, 5);
    host_.MouseDown(button.hWnd(), 5, 5);
    host_.MouseUp(button.hWnd(), 500, 5);
    EXPECT_EQ(clicks, 3);
}

// Labels, images, frames and timers never take the focus; all but the timer raise Click.
TEST_F(FormTest, ControlsThatNeverTakeTheFocusAreNoTabStopsAndLeaveItWhereItWas) {
    PictureBox box(form_.hWnd(), {300, 10, 350, 40});
    Label label(form_.hWnd(), Rect{10, 10, 200, 30}, "Name:");
    Image image(form_.hWnd(), Rect{10, 40, 110, 140});
    Frame frame(form_.hWnd(), Rect{10, 150, 210, 270}, "Options");
    Timer timer(form_.hWnd());
    Log clicked;
    label.Click = [&] { clicked.push_back("label"); };
    image.Click = [&] { clicked.push_back("image"); };
    frame.Click = [&] { clicked.push_back("frame"); };
    form_.Show();
    for (Control* control : std::initializer_list<Control*>{&label, &image, &frame, &timer}) {
        control->SetTabStop(true);  // asking does not make it one
        control->SetFocus();
        if (control != &timer) ClickAlone(control->hWnd(), 5, 5);
    }
    EXPECT_EQ(clicked, (Log{"label", "image", "frame"}));
    EXPECT_TRUE(box.HasFocus());
    EXPECT_EQ(form_.TabStops(), (std::vector<Control*>{&box}));
    EXPECT_FALSE(IsWindowShown(timer.hWnd()));
}

TEST_F(FormTest, AModalFormBlocksItsOwnerAndOnceUnloadedGivesTheKeyboardBackAndShowsNoMore) {
    PictureBox ownerBox(form_.hWnd(), {10, 10, 110, 60});
    form_.Show();
    ASSERT_TRUE(ownerBox.HasFocus());
    int ownerClicks = 0, ownerKeys = 0;
    ownerBox.Click = [&] { ++ownerClicks; };
    ownerBox.KeyDown = [&](int16_t&, int16_t) { ++ownerKeys; };

    Form dialog(Rect{200, 200, 400, 300}, "Dialog");
    CommandButton ok(dialog.hWnd(), {10, 10, 90, 35}, "OK");
    int unloaded = 0;
    ok.Click = [&] {
        dialog.Unload();
        dialog.Unload();  // once is enough
    };
    dialog.Unloaded = [&] { ++unloaded; };
    // While the dialog runs, a person clicks the owner (ignored), then OK.
    SetTimer(0, 0, 100, [&](HWND, UINT, UINT_PTR id, uint32_t) {
        KillTimer(0, id);
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_TRUE(ok.HasFocus());
        host_.Click(ownerBox.hWnd(), 5, 5);
        EXPECT_EQ(ownerClicks, 0);
        host_.Click(ok.hWnd(), 5, 5);
    });
    EXPECT_TRUE(dialog.Show(vbModal));
    EXPECT_EQ(unloaded, 1);
    EXPECT_FALSE(IsWindow(ok.hWnd()));  // the controls' windows went with it
    EXPECT_FALSE(dialog.Show());
    EXPECT_EQ(GetActiveWindow(), form_.hWnd());
    host_.Click(ownerBox.hWnd(), 5, 5);
    host_.PressKey('A');
    EXPECT_EQ(ownerClicks, 1);
    EXPECT_EQ(ownerKeys, 1);
    // A modal form that nothing can close gives up.
    Form stuck(Rect{200, 200, 400, 300}, "Stuck");
    EXPECT_FALSE(stuck.Show(vbModal));
    EXPECT_FALSE(stuck.Loaded());
    EXPECT_TRUE(IsWindowEnabled(form_.hWnd()));
}

TEST_F(FormTest, PictureBoxKeepsWhatIsDrawnUntilClsAndThroughAResize) {
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
    pic.Move(10, 10, 200, 100);
    EXPECT_EQ(pic.ScaleWidth(), 200);
    EXPECT_EQ(pic.Image().Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(pic.Image().Pixel(150, 80), RGB(255, 255, 255));
    pic.Cls();
    EXPECT_EQ(pic.Image().Pixel(5, 5), RGB(255, 255, 255));
    EXPECT_GT(pic.TextWidth("Hello"), pic.TextWidth("Hi"));
    pic.SetFontSize(20);
    EXPECT_GT(pic.TextHeight("Hi"), 20);
    pic.Move(0, 0, -5, -5);
    EXPECT_EQ(pic.Height(), 0);
}

}  // namespace
}  // namespace tabula
