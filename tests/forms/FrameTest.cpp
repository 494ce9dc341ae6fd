#include "platform/forms/Frame.h"

#include "platform/forms/CheckBox.h"
#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

// A form with a box before the frame, two check boxes inside it and a box after it.
class FrameTest : public test::FormFixture {
protected:
    void SetUp() override {
        before_.SetTabIndex(0);
        first_.SetTabIndex(1);
        second_.SetTabIndex(2);
        after_.SetTabIndex(3);
        form_.Show();
    }
    PictureBox before_{form_.hWnd(), Rect{10, 10, 60, 30}};
    Frame frame_{form_.hWnd(), Rect{10, 40, 210, 160}, "Options"};
    CheckBox first_{frame_.hWnd(), Rect{10, 20, 150, 40}, "First"};
    CheckBox second_{frame_.hWnd(), Rect{10, 50, 150, 70}, "Second"};
    PictureBox after_{form_.hWnd(), Rect{10, 170, 60, 190}};
};

TEST_F(FrameTest, TheEtchedBorderIsBrokenByTheCaptionAndTheControlsInsideAreTabStopsOfTheForm) {
    const PixelImage shot = host_.Screenshot(frame_.hWnd());
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    // Find the border's top line down the right-hand side, well clear of the caption.
    int32_t line = -1;
    for (int32_t y = 0; y < 20 && line < 0; ++y) {
        if (shot.Pixel(150, y) == shadow) line = y;
    }
    ASSERT_GE(line, 0);
    EXPECT_EQ(shot.Pixel(150, line + 1), light);  // etched: a dark line over a light one
    // Over the caption the line gives way to the caption's background and ink.
    EXPECT_EQ(CountPixels(shot, {8, line, 30, line + 1}, shadow), 0);
    EXPECT_GT(CountPixels(shot, {8, 0, 30, 16}, GetSysColor(COLOR_BTNTEXT)), 10);
    // The controls inside are drawn over the frame.
    const PixelImage form = host_.Screenshot(form_.hWnd());
    const Rect box = first_.BoxRect();
    EXPECT_EQ(form.Pixel(10 + 10 + box.left + 4, 40 + 20 + box.top + 4), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(form_.TabStops(), (std::vector<Control*>{&before_, &first_, &second_, &after_}));
    ASSERT_TRUE(before_.HasFocus());
    const struct {
        const char* keys;
        Control* focus;
    } steps[] = {
        {"<Tab>", &first_}, {" <Tab>", &second_}, {"<Tab>", &after_}, {"<S-Tab>", &second_}};
    for (const auto& step : steps) {
        Keys(step.keys);
        EXPECT_TRUE(step.focus->HasFocus()) << step.keys;
    }
    EXPECT_EQ(first_.Value(), vbChecked);  // the Space reached the control inside
    first_.SetTabIndex(5);                 // now last of all, after the form's own
    EXPECT_EQ(form_.TabStops(), (std::vector<Control*>{&before_, &second_, &after_, &first_}));
    frame_.SetEnabled(false);
    EXPECT_EQ(form_.TabStops(), (std::vector<Control*>{&before_, &after_}));
    host_.Click(first_.hWnd(), 5, 10);
    EXPECT_EQ(first_.Value(), vbChecked);
    frame_.SetEnabled(true);
    frame_.SetVisible(false);
    EXPECT_EQ(form_.TabStops(), (std::vector<Control*>{&before_, &after_}));
}

}  // namespace
}  // namespace tabula
