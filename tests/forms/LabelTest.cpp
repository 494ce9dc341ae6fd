#include "platform/forms/Label.h"

#include "platform/forms/PictureBox.h"
#include "platform/gdi/Drawing.h"
#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

class LabelTest : public test::FormFixture {
protected:
    void SetUp() override { form_.Show(); }

    // The columns and rows that have ink of the label's text colour.
    struct Ink {
        int32_t left = INT32_MAX, right = -1, top = INT32_MAX, bottom = -1;
    };
    Ink InkOf(const Label& label) {
        const PixelImage shot = host_.Screenshot(label.hWnd());
        Ink ink;
        for (int32_t y = 0; y < shot.Height(); ++y) {
            for (int32_t x = 0; x < shot.Width(); ++x) {
                if (shot.Pixel(x, y) != GetSysColor(COLOR_BTNTEXT)) continue;
                ink = {std::min(ink.left, x), std::max(ink.right, x), std::min(ink.top, y),
                       std::max(ink.bottom, y)};
            }
        }
        return ink;
    }

    PictureBox box_{form_.hWnd(), Rect{300, 10, 350, 40}};
};

TEST_F(LabelTest, ALabelNeverTakesTheFocusButRaisesClick) {
    Label label(form_.hWnd(), Rect{10, 10, 200, 30}, "Name:");
    ASSERT_TRUE(box_.HasFocus());
    int clicks = 0;
    label.Click = [&] { ++clicks; };
    host_.Click(label.hWnd(), 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box_.HasFocus());
    label.SetTabStop(true);
    EXPECT_EQ(form_.TabStops(), (std::vector<Control*>{&box_}));
    label.SetFocus();
    EXPECT_TRUE(box_.HasFocus());
}

TEST_F(LabelTest, TheCaptionWrapsWithinTheLabelsWidth) {
    Label label(form_.hWnd(), Rect{10, 10, 70, 100}, "one two three four five six");
    const Ink ink = InkOf(label);
    EXPECT_LT(ink.right, 60);
    EXPECT_GT(ink.bottom - ink.top, 30);  // several lines
}

TEST_F(LabelTest, AlignmentPlacesEachLine) {
    Label label(form_.hWnd(), Rect{10, 10, 210, 30}, "Total");
    const Ink left = InkOf(label);
    label.SetAlignment(vbRightJustify);
    const Ink right = InkOf(label);
    label.SetAlignment(vbCenter);
    const Ink centre = InkOf(label);
    label.SetAlignment(7);  // ignored
    EXPECT_EQ(label.Alignment(), vbCenter);
    EXPECT_LT(left.left, 3);
    EXPECT_GT(right.right, 195);
    EXPECT_NEAR((centre.left + centre.right) / 2, 100, 3);
    EXPECT_EQ(right.right - right.left, left.right - left.left);
}

TEST_F(LabelTest, AutoSizeFitsTheCaptionAndWordWrapKeepsTheWidth) {
    Label label(form_.hWnd(), Rect{10, 10, 30, 20}, "A longer caption");
    label.SetAutoSize(true);
    const int32_t oneLine = label.Height();
    EXPECT_GT(label.Width(), 60);
    const Ink ink = InkOf(label);
    EXPECT_GT(ink.right, label.Width() - 4);  // the caption fills the width it was given
    EXPECT_LT(ink.left, 3);
    label.SetCaption("A longer caption\nand a second line");
    EXPECT_GT(label.Height(), oneLine * 3 / 2);
    label.SetCaption("Short");
    EXPECT_EQ(label.Height(), oneLine);
    EXPECT_LT(label.Width(), 60);

    label.SetWordWrap(true);
    label.Move(10, 10, 50, 10);
    label.SetCaption("many words that wrap in fifty pixels");
    EXPECT_EQ(label.Width(), 50);
    EXPECT_GT(label.Height(), oneLine * 3);
    label.SetFontSize(16);
    EXPECT_GT(label.Height(), oneLine * 5);
}

TEST_F(LabelTest, AnAmpersandUnderlinesTheNextLetterUnlessMnemonicsAreOff) {
    Label label(form_.hWnd(), Rect{10, 10, 200, 30}, "&Name");
    const Ink withMnemonic = InkOf(label);
    label.SetUseMnemonic(false);
    const Ink literal = InkOf(label);
    // Drawn literally, the ampersand widens the text; the underline lowers its bottom.
    EXPECT_GT(literal.right, withMnemonic.right);
    EXPECT_GT(withMnemonic.bottom, literal.bottom);
}

TEST_F(LabelTest, ADisabledLabelIsGrey) {
    Label label(form_.hWnd(), Rect{10, 10, 200, 30}, "Name:");
    label.SetEnabled(false);
    EXPECT_EQ(InkOf(label).right, -1);  // no ink in the text colour
}

}  // namespace
}  // namespace tabula
