#include <gtest/gtest.h>

#include "platform/text/Utf8.h"
#include "tests/platform/Canvas.h"

namespace tabula::test {
namespace {

// The flags the grid draws a cell with, single-line and wrapped.
constexpr uint32_t kSingle = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_MODIFYSTRING;
constexpr uint32_t kWrapped =
    DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_MODIFYSTRING;

Rect DrawAndMeasure(const std::string& text, Rect r, uint32_t flags, std::string* shown = nullptr,
                    int32_t width = 200, int32_t height = 100) {
    Canvas canvas(width, height);
    DrawText(canvas.dc, text, r, flags, shown);
    return canvas.InkBounds();
}

int32_t LineHeight() {
    return TestFonts().Default()->Height();
}

TEST(DrawText, HorizontalAlignment) {
    const Rect cell{10, 10, 110, 30};
    const Rect left = DrawAndMeasure("Hello", cell, kSingle);
    const Rect centre = DrawAndMeasure("Hello", cell, kSingle | DT_CENTER);
    const Rect right = DrawAndMeasure("Hello", cell, kSingle | DT_RIGHT);
    ASSERT_FALSE(left.IsEmpty());
    EXPECT_GE(left.left, 10);
    EXPECT_LE(left.left, 12);
    EXPECT_LE(right.right, 110);
    EXPECT_GE(right.right, 107);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 60.0, 2.0);
    // Alignment moves the text, never changes it.
    EXPECT_EQ(left.Width(), centre.Width());
    EXPECT_EQ(left.Width(), right.Width());
}

TEST(DrawText, VerticalAlignmentOnlyInSingleLineMode) {
    const Rect cell{10, 10, 110, 60};
    const Rect top = DrawAndMeasure("Hello", cell, kSingle);
    const Rect middle = DrawAndMeasure("Hello", cell, kSingle | DT_VCENTER);
    const Rect bottom = DrawAndMeasure("Hello", cell, kSingle | DT_BOTTOM);
    EXPECT_LT(top.bottom, 10 + LineHeight() + 1);
    EXPECT_NEAR((middle.top + middle.bottom) / 2.0, 35.0, 3.0);
    EXPECT_GT(bottom.top, 60 - LineHeight() - 1);
    EXPECT_LE(bottom.bottom, 60);
    // Wrapped text always starts at the top.
    EXPECT_EQ(DrawAndMeasure("Hello", cell, kWrapped | DT_VCENTER),
              DrawAndMeasure("Hello", cell, kWrapped));
    EXPECT_EQ(DrawAndMeasure("Hello", cell, kWrapped | DT_BOTTOM),
              DrawAndMeasure("Hello", cell, kWrapped));
}

TEST(DrawText, EndEllipsisShortensAndStaysInside) {
    const std::string text = "A rather long cell text that cannot fit";
    std::string shown;
    const Rect cell{10, 10, 70, 25};
    const Rect ink = DrawAndMeasure(text, cell, kSingle, &shown);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_EQ(text.substr(0, shown.size() - 3), shown.substr(0, shown.size() - 3));
    EXPECT_LE(ink.right, 70);
    // The ellipsis text fits the rectangle.
    Canvas canvas;
    EXPECT_LE(GetTextExtent(canvas.dc, shown).cx, 60);
    // The caller's text is not touched.
    EXPECT_EQ(text, "A rather long cell text that cannot fit");
}

TEST(DrawText, TextThatFitsIsNotShortened) {
    std::string shown;
    DrawAndMeasure("Short", Rect{0, 0, 100, 20}, kSingle, &shown);
    EXPECT_EQ(shown, "Short");
    shown = "untouched";
    DrawAndMeasure("Short", Rect{0, 0, 100, 20}, kSingle & ~DT_MODIFYSTRING, &shown);
    EXPECT_EQ(shown, "untouched");  // without DT_MODIFYSTRING nothing is reported
}

TEST(DrawText, WordBreakWrapsAtSpaces) {
    Canvas canvas;
    const int32_t wordWidth = GetTextExtent(canvas.dc, "three ").cx;
    Rect measure{0, 0, wordWidth + 2, 0};
    const int32_t height =
        DrawText(canvas.dc, "one two three four", measure, kWrapped | DT_CALCRECT);
    EXPECT_EQ(height % LineHeight(), 0);
    EXPECT_GE(height / LineHeight(), 3);
    EXPECT_LE(measure.right - measure.left, wordWidth + 2);

    // Drawn in a rectangle tall enough for everything: no ellipsis, ink on several lines.
    std::string shown;
    const Rect ink =
        DrawAndMeasure("one two three four", Rect{0, 0, wordWidth + 2, 100}, kWrapped, &shown);
    EXPECT_EQ(shown, "one two three four");
    EXPECT_GT(ink.Height(), 2 * LineHeight());
}

TEST(DrawText, LastVisibleLineEndsInEllipsisWhenMoreFollows) {
    Canvas canvas;
    const int32_t width = GetTextExtent(canvas.dc, "three four").cx;
    const int32_t h = LineHeight();
    std::string shown;
    const std::string text = "one two three four five six seven eight nine ten";
    const Rect ink = DrawAndMeasure(text, Rect{0, 0, width, 2 * h}, kWrapped, &shown);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_LT(shown.size(), text.size());
    EXPECT_LE(ink.bottom, 2 * h);
    // An edit-control layout drops a last line that would be cut: 1.5 lines show one.
    const Rect oneLine = DrawAndMeasure(text, Rect{0, 0, width, h + h / 2}, kWrapped);
    EXPECT_LE(oneLine.bottom, h);
    // Without it the cut line is drawn, clipped.
    const Rect cutLine =
        DrawAndMeasure(text, Rect{0, 0, width, h + h / 2}, kWrapped & ~DT_EDITCONTROL);
    EXPECT_GT(cutLine.bottom, h);
    EXPECT_LE(cutLine.bottom, h + h / 2);
}

TEST(DrawText, AShortRectangleStillShowsTheFirstLine) {
    const Rect ink = DrawAndMeasure("Hello world", Rect{0, 0, 200, 8}, kWrapped);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_LE(ink.bottom, 8);
}

TEST(DrawText, EditControlBreaksWordsWiderThanTheLine) {
    Canvas canvas;
    Rect narrow{0, 0, 30, 0};
    const int32_t broken =
        DrawText(canvas.dc, "Supercalifragilistic", narrow, kWrapped | DT_CALCRECT);
    EXPECT_GT(broken / LineHeight(), 1);
    EXPECT_LE(narrow.right, 30);
    Rect kept{0, 0, 30, 0};
    const int32_t whole = DrawText(canvas.dc, "Supercalifragilistic", kept,
                                   (kWrapped & ~DT_EDITCONTROL) | DT_CALCRECT);
    EXPECT_EQ(whole / LineHeight(), 1);
}

TEST(DrawText, LineBreaksStartNewLinesUnlessSingleLine) {
    Canvas canvas;
    Rect r{0, 0, 200, 0};
    EXPECT_EQ(DrawText(canvas.dc, "a\r\nb\nc\rd", r, DT_NOPREFIX | DT_CALCRECT), 4 * LineHeight());
    r = Rect{0, 0, 200, 0};
    EXPECT_EQ(DrawText(canvas.dc, "a\r\nb", r, DT_SINGLELINE | DT_CALCRECT), LineHeight());
    EXPECT_EQ(r.right, GetTextExtent(canvas.dc, "ab").cx);
}

TEST(DrawText, PrefixMarksAnUnderlinedAccessKeyUnlessNoPrefix) {
    const Rect cell{10, 10, 110, 30};
    Canvas plain;
    Rect r = cell;
    DrawText(plain.dc, "Exit", r, DT_SINGLELINE | DT_NOPREFIX);
    Canvas prefixed;
    r = cell;
    DrawText(prefixed.dc, "&Exit", r, DT_SINGLELINE);
    // Same letters, plus the underline under the E.
    EXPECT_GT(prefixed.CountInk(), plain.CountInk());
    const Rect plainInk = plain.InkBounds(), prefixedInk = prefixed.InkBounds();
    EXPECT_EQ(plainInk.left, prefixedInk.left);
    EXPECT_GT(prefixedInk.bottom, plainInk.bottom);

    // With no prefix processing the ampersand is drawn as itself.
    Canvas literal;
    r = cell;
    DrawText(literal.dc, "&Exit", r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(literal.InkBounds().Width(), plainInk.Width());

    // "&&" is one literal ampersand.
    Canvas doubled, single;
    r = cell;
    DrawText(doubled.dc, "a&&b", r, DT_SINGLELINE);
    r = cell;
    DrawText(single.dc, "a&b", r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(doubled.image, single.image);
}

TEST(DrawText, ClipsToItsRectangleUnlessNoClip) {
    const Rect cell{20, 20, 50, 26};
    Canvas canvas;
    Rect r = cell;
    DrawText(canvas.dc, "Clipped text in a tiny cell", r, DT_SINGLELINE | DT_NOPREFIX);
    const Rect ink = canvas.InkBounds();
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_EQ(Intersect(ink, cell), ink);
    Canvas unclipped;
    r = cell;
    DrawText(unclipped.dc, "Clipped text in a tiny cell", r,
             DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    EXPECT_GT(unclipped.InkBounds().right, 50);
}

TEST(DrawText, InkIsExactlyTheTextColourOverWhatWasThere) {
    Canvas canvas(100, 30, RGB(10, 200, 30));
    canvas.dc.SetTextColor(RGB(200, 0, 100));
    Rect r{0, 0, 100, 30};
    DrawText(canvas.dc, "Colour", r, kSingle);
    EXPECT_GT(canvas.CountPixels(RGB(200, 0, 100)), 20);
    EXPECT_EQ(canvas.CountPixels(RGB(200, 0, 100)) + canvas.CountPixels(RGB(10, 200, 30)),
              100 * 30);
}

TEST(DrawText, UnderlineAndStrikeoutAddLines) {
    const Rect cell{0, 0, 200, 30};
    auto inkWith = [&](bool underline, bool strike) {
        Canvas canvas;
        canvas.dc.SelectFont(
            TestFonts().Get(FontDescriptor{"Arial", 10, false, false, underline, strike}));
        Rect r = cell;
        DrawText(canvas.dc, "Lines", r, kSingle);
        return canvas.CountInk();
    };
    const int plain = inkWith(false, false);
    EXPECT_GT(inkWith(true, false), plain);
    EXPECT_GT(inkWith(false, true), plain);
}

TEST(DrawText, HostileInputNeverCrashes) {
    Canvas canvas;
    const std::string invalid = "\xFF\xFE ok \xC0\x80 \xED\xA0\x80 \xF4\x90\x80\x80 \xE2\x82";
    const std::string huge(100000, 'W');
    const Rect rects[] = {{0, 0, 200, 100},
                          {50, 50, 10, 10},
                          {5, 5, 5, 5},
                          {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                          {INT32_MAX - 3, INT32_MAX - 3, INT32_MAX, INT32_MAX},
                          {-1000000, -10, 10, 1000000}};
    for (const Rect& rect : rects) {
        for (const std::string& text : {std::string(), invalid, huge, std::string("&"),
                                        std::string("&&&"), std::string("\n\n\n")}) {
            for (uint32_t flags : {kSingle, kWrapped, uint32_t{DT_CENTER | DT_WORDBREAK},
                                   uint32_t{DT_RIGHT | DT_BOTTOM | DT_SINGLELINE}}) {
                Rect r = rect;
                std::string shown;
                DrawText(canvas.dc, text, r, flags, &shown);
            }
        }
    }
    // Invalid bytes are drawn as replacement characters, not dropped.
    Canvas replaced;
    Rect r{0, 0, 200, 30};
    DrawText(replaced.dc, "\xFF", r, kSingle);
    EXPECT_GT(replaced.CountInk(), 0);
}

TEST(DrawText, WithoutAFontDrawsNothing) {
    PixelImage image(50, 20, kWhite);
    DeviceContext dc(image);
    Rect r{0, 0, 50, 20};
    EXPECT_EQ(DrawText(dc, "text", r, kSingle), 0);
    EXPECT_EQ(GetTextExtent(dc, "text"), (Size{0, 0}));
    EXPECT_EQ(image, PixelImage(50, 20, kWhite));
}

TEST(GetTextExtent, CountsCharactersNotBytes) {
    Canvas canvas;
    const Size e = GetTextExtent(canvas.dc, "é");
    EXPECT_EQ(e.cx, TestFonts().Default()->Advance(U'é'));
    EXPECT_EQ(e.cy, LineHeight());
    EXPECT_EQ(GetTextExtent(canvas.dc, "ab").cx,
              GetTextExtent(canvas.dc, "a").cx + GetTextExtent(canvas.dc, "b").cx);
}

}  // namespace
}  // namespace tabula::test
