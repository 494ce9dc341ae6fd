#include "platform/forms/Label.h"

#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

class LabelTest : public test::FormFixture {
protected:
    void SetUp() override { form_.Show(); }

    // Where the label has ink of its text colour.
    Rect InkOf(const Label& label) {
        return Ink(host_.Screenshot(label.hWnd()), GetSysColor(COLOR_BTNTEXT));
    }
};

TEST_F(LabelTest, AlignmentPlacesEachLineAndTheCaptionWrapsWithinTheWidth) {
    Label label(form_.hWnd(), Rect{10, 10, 210, 30}, "Total");
    const Rect left = InkOf(label);
    label.SetAlignment(vbRightJustify);
    const Rect right = InkOf(label);
    label.SetAlignment(vbCenter);
    const Rect centre = InkOf(label);
    label.SetAlignment(7);  // ignored
    EXPECT_EQ(label.Alignment(), vbCenter);
    EXPECT_LT(left.left, 3);
    EXPECT_GT(right.right, 196);
    EXPECT_NEAR((centre.left + centre.right) / 2, 100, 3);
    EXPECT_EQ(right.Width(), left.Width());
    label.Move(10, 10, 60, 90);  // the caption wraps within the label's width
    label.SetCaption("one two three four five six");
    const Rect wrapped = InkOf(label);
    EXPECT_LE(wrapped.right, 60);
    EXPECT_GT(wrapped.Height(), 31);  // several lines
}

TEST_F(LabelTest, AutoSizeFitsTheCaptionWordWrapKeepsTheWidthAndAnAmpersandUnderlines) {
    Label label(form_.hWnd(), Rect{10, 10, 30, 20}, "A longer caption");
    label.SetAutoSize(true);
    const int32_t oneLine = label.Height();
    EXPECT_GT(label.Width(), 60);
    const Rect ink = InkOf(label);
    EXPECT_GT(ink.right, label.Width() - 3);  // the caption fills the width it was given
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
    Label name(form_.hWnd(), Rect{10, 200, 200, 220}, "&Name");
    const Rect withMnemonic = InkOf(name);
    name.SetUseMnemonic(false);
    const Rect literal = InkOf(name);
    // Drawn literally, the ampersand widens the text; the underline lowers its bottom.
    EXPECT_GT(literal.right, withMnemonic.right);
    EXPECT_GT(withMnemonic.bottom, literal.bottom);
    name.SetEnabled(false);  // grey: no ink in the text colour
    EXPECT_TRUE(InkOf(name).IsEmpty());
}

}  // namespace
}  // namespace tabula
