#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/fonts/LruCache.h"
#include "platform/text/CaseFold.h"
#include "platform/text/Utf8.h"
#include "tests/platform/Canvas.h"

// Fonts, and text drawn with them.

namespace tabula::test {
namespace {

// --- Font ---------------------------------------------------------------------------------------

TEST(FontLibrary, ClassicNamesUseMetricCompatibleFaces) {
    const std::pair<const char*, const char*> cases[] = {
        {"MS Sans Serif", "Liberation Sans"},    {"arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
        {"DejaVu Sans", "DejaVu Sans"},
    };
    for (const auto& [name, face] : cases)
        EXPECT_EQ(TestFonts().Get({name, 10})->FaceName(), face) << name;
}

TEST(FontLibrary, UnknownAndHostileNamesFallBack) {
    const auto fallback = TestFonts().Get({"No Such Font Anywhere", 8});
    EXPECT_FALSE(fallback->FaceName().empty());
    EXPECT_GT(fallback->Height(), 0);
    for (const std::string& name :
         {std::string(10000, 'x'), std::string(), std::string("  "), std::string("a\0b", 3),
          std::string("\xFF\xFE"), std::string(300, '\xC3')}) {
        const auto font = TestFonts().Get({name, 8});
        EXPECT_GT(font->TextWidth(U"text"), 0);
        EXPECT_LE(font->Descriptor().name.size(), FontLibrary::kMaxNameLength);
    }
}

TEST(FontLibrary, SizesAreClampedStylesChangeTheShapeAndTheSameRequestGivesTheSameFont) {
    EXPECT_EQ(TestFonts().Get({"Arial", -5})->Descriptor().size, FontLibrary::kMinPoints);
    EXPECT_EQ(TestFonts().Get({"Arial", 1e9f})->Descriptor().size, FontLibrary::kMaxPoints);
    EXPECT_EQ(TestFonts().Get({"Arial", std::nanf("")})->Descriptor().size, 8.0f);
    EXPECT_EQ(TestFonts().Get({"Arial", 9, true}), TestFonts().Get({"Arial", 9, true}));
    EXPECT_NE(TestFonts().Get({"Arial", 9, true}), TestFonts().Get({"Arial", 9, false}));
    // Bold is wider, a larger size taller and wider.
    const std::u32string text = U"Styled text";
    const auto regular = TestFonts().Get({"Arial", 10});
    EXPECT_GT(TestFonts().Get({"Arial", 10, true})->TextWidth(text), regular->TextWidth(text));
    const auto large = TestFonts().Get({"Arial", 20});
    EXPECT_GT(large->Height(), regular->Height());
    EXPECT_GT(large->TextWidth(text), regular->TextWidth(text));
}

TEST(FontLibrary, FamiliesAreTheInstalledFacesOnceEachSortedIgnoringCase) {
    const std::vector<std::string>& families = TestFonts().Families();
    ASSERT_FALSE(families.empty());
    EXPECT_EQ(&TestFonts().Families(), &families);  // read once
    for (const char* face : {"Liberation Sans", "Liberation Serif", "Liberation Mono"})
        EXPECT_NE(std::find(families.begin(), families.end(), face), families.end()) << face;
    for (size_t i = 1; i < families.size(); ++i)
        EXPECT_LT(FoldCase(families[i - 1]), FoldCase(families[i]));
    // Each name asked for gives that face.
    for (const std::string& family : families)
        EXPECT_EQ(TestFonts().Get({family, 10})->FaceName(), family);
}

TEST(FontLibrary, TheWidthOfAVeryLongTextIsSummedWithoutOverflow) {
    const auto font = TestFonts().Get({"Arial", FontLibrary::kMaxPoints});
    const std::u32string text(5'000'000, U'W');
    EXPECT_EQ(font->TextWidth(text), int64_t{font->Advance(U'W')} * 5'000'000);
    EXPECT_GT(font->TextWidth(text), INT32_MAX);
}

TEST(FontLibrary, TheCachesAreBoundedAndAFontHeldOutlivesItsEntry) {
    FontLibrary fonts;
    const auto first = fonts.Get({"Arial", 10});
    const int64_t width = first->TextWidth(U"Held font");
    for (int i = 0; i < 2000; ++i)
        fonts.Get({"Arial", 1.0f + float(i) * 0.2f});
    EXPECT_EQ(fonts.CachedFonts(), FontLibrary::kCachedFonts);
    EXPECT_EQ(fonts.CachedFaces(), FontLibrary::kCachedFaces);
    EXPECT_EQ(first->TextWidth(U"Held font"), width);
    // Glyphs beyond Latin-1 too: thousands of distinct characters measure as they did.
    std::u32string many;
    for (char32_t c = 0x4E00; c < 0x4E00 + 5000; ++c)
        many += c;
    const int64_t wide = first->TextWidth(many);
    EXPECT_EQ(first->TextWidth(many), wide);
}

TEST(LruCache, KeepsTheMostRecentlyUsedUpToItsCapacity) {
    LruCache<int, std::string> cache(2);
    cache.Insert(1, "one");
    cache.Insert(2, "two");
    ASSERT_NE(cache.Find(1), nullptr);  // 1 is now the more recent
    cache.Insert(3, "three");           // so 2 goes
    EXPECT_EQ(cache.Find(2), nullptr);
    EXPECT_EQ(*cache.Find(1), "one");
    EXPECT_EQ(*cache.Find(3), "three");
    EXPECT_EQ(cache.Size(), 2u);
}

TEST(FontLibrary, DefaultFontFitsTheDefaultRowHeight) {
    const auto font = TestFonts().Default();
    EXPECT_GE(font->Height(), 10);
    EXPECT_LE(font->Height(), 15);
    EXPECT_GT(font->Ascent(), font->Descent());
    // Control characters take no room.
    EXPECT_EQ(font->Advance(U'\t'), 0);
    EXPECT_EQ(font->GlyphFor(U'\r').coverage.size(), 0u);
}

// --- Text ---------------------------------------------------------------------------------------

// The flags the grid draws a cell with, single-line and wrapped.
constexpr uint32_t kSingle = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_MODIFYSTRING;
constexpr uint32_t kWrapped =
    DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_MODIFYSTRING;

// What DrawText left on a white 200 x 100 canvas, and the text it reported.
struct Drawn {
    PixelImage image;
    Rect ink;
    int inkPixels;
    std::string shown;
};

Drawn Draw(const std::string& text, Rect r, uint32_t flags) {
    Canvas canvas;
    std::string shown = "(not reported)";
    DrawText(canvas.dc, text, r, flags, &shown);
    return {canvas.image, canvas.InkBounds(), canvas.CountInk(), shown};
}

Rect InkOf(const std::string& text, Rect r, uint32_t flags) {
    return Draw(text, r, flags).ink;
}

// The height DT_CALCRECT gives `text` in a rectangle `width` wide, and the width it uses.
std::pair<int32_t, int32_t> Measure(const std::string& text, int32_t width, uint32_t flags) {
    Canvas canvas;
    Rect r{0, 0, width, 0};
    const int32_t height = DrawText(canvas.dc, text, r, flags | DT_CALCRECT);
    return {height, r.right - r.left};
}

int32_t Width(const std::string& text) {
    Canvas canvas;
    return GetTextExtent(canvas.dc, text).cx;
}

int32_t LineHeight() {
    return TestFonts().Default()->Height();
}

// Alignment moves the text without changing it; vertical alignment only in single-line mode.
TEST(DrawText, AlignmentMovesTheTextWithoutChangingIt) {
    const Rect cell{10, 10, 110, 30};
    const Rect left = InkOf("Hello", cell, kSingle);
    const Rect centre = InkOf("Hello", cell, kSingle | DT_CENTER);
    const Rect right = InkOf("Hello", cell, kSingle | DT_RIGHT);
    EXPECT_NEAR(left.left, 11, 1);
    EXPECT_NEAR(right.right, 108.5, 1.5);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 60.0, 2.0);
    EXPECT_EQ(left.Width(), centre.Width());
    EXPECT_EQ(left.Width(), right.Width());

    const Rect tall{10, 10, 110, 60};
    const Rect top = InkOf("Hello", tall, kSingle);
    const Rect middle = InkOf("Hello", tall, kSingle | DT_VCENTER);
    const Rect bottom = InkOf("Hello", tall, kSingle | DT_BOTTOM);
    EXPECT_LT(top.bottom, 10 + LineHeight() + 1);
    EXPECT_NEAR((middle.top + middle.bottom) / 2.0, 35.0, 3.0);
    EXPECT_GT(bottom.top, 60 - LineHeight() - 1);
    EXPECT_LE(bottom.bottom, 60);
    // Wrapped text always starts at the top.
    const Rect wrapped = InkOf("Hello", tall, kWrapped);
    EXPECT_EQ(InkOf("Hello", tall, kWrapped | DT_VCENTER), wrapped);
    EXPECT_EQ(InkOf("Hello", tall, kWrapped | DT_BOTTOM), wrapped);
}

TEST(DrawText, EndEllipsisShortensOnlyWhatDoesNotFitAndEndsTheLastVisibleLine) {
    const std::string text = "A rather long cell text that cannot fit";
    const Drawn cut = Draw(text, Rect{10, 10, 70, 25}, kSingle);
    ASSERT_TRUE(cut.shown.ends_with("...")) << cut.shown;
    EXPECT_EQ(text.substr(0, cut.shown.size() - 3), cut.shown.substr(0, cut.shown.size() - 3));
    EXPECT_LE(cut.ink.right, 70);
    EXPECT_LE(Width(cut.shown), 60);  // the shortened text fits the rectangle

    EXPECT_EQ(Draw("Short", Rect{0, 0, 100, 20}, kSingle).shown, "Short");
    // Without DT_MODIFYSTRING nothing is reported.
    EXPECT_EQ(Draw("Short", Rect{0, 0, 100, 20}, kSingle & ~DT_MODIFYSTRING).shown,
              "(not reported)");
    // Wrapped, the last visible line ends in an ellipsis when more follows.
    const int32_t width = Width("three four");
    const int32_t h = LineHeight();
    const std::string words = "one two three four five six seven eight nine ten";
    const Drawn two = Draw(words, Rect{0, 0, width, 2 * h}, kWrapped);
    EXPECT_TRUE(two.shown.ends_with("...")) << two.shown;
    EXPECT_LT(two.shown.size(), words.size());
    EXPECT_LE(two.ink.bottom, 2 * h);
    // An edit-control layout drops a last line that would be cut: 1.5 lines show one.
    EXPECT_LE(InkOf(words, Rect{0, 0, width, h + h / 2}, kWrapped).bottom, h);
    // Without it the cut line is drawn, clipped.
    const Rect cutLine = InkOf(words, Rect{0, 0, width, h + h / 2}, kWrapped & ~DT_EDITCONTROL);
    EXPECT_GT(cutLine.bottom, h);
    EXPECT_LE(cutLine.bottom, h + h / 2);
    // A rectangle shorter than one line still shows the first.
    const Rect shortRect = InkOf("Hello world", Rect{0, 0, 200, 8}, kWrapped);
    EXPECT_FALSE(shortRect.IsEmpty());
    EXPECT_LE(shortRect.bottom, 8);
}

TEST(DrawText, BreaksLinesAtLineBreaksAndSpacesAndLongWordsInEditControls) {
    const int32_t wordWidth = Width("three ");
    const auto [height, used] = Measure("one two three four", wordWidth + 2, kWrapped);
    EXPECT_EQ(height % LineHeight(), 0);
    EXPECT_GE(height / LineHeight(), 3);
    EXPECT_LE(used, wordWidth + 2);
    // Drawn in a rectangle tall enough for everything: no ellipsis, ink on several lines.
    const Drawn all = Draw("one two three four", Rect{0, 0, wordWidth + 2, 100}, kWrapped);
    EXPECT_EQ(all.shown, "one two three four");
    EXPECT_GT(all.ink.Height(), 2 * LineHeight());

    const auto [broken, brokenWidth] = Measure("Supercalifragilistic", 30, kWrapped);
    EXPECT_GT(broken / LineHeight(), 1);
    EXPECT_LE(brokenWidth, 30);
    EXPECT_EQ(Measure("Supercalifragilistic", 30, kWrapped & ~DT_EDITCONTROL).first, LineHeight());
    // Line breaks start new lines unless single-line.
    EXPECT_EQ(Measure("a\r\nb\nc\rd", 200, DT_NOPREFIX).first, 4 * LineHeight());
    EXPECT_EQ(Measure("a\r\nb", 200, DT_SINGLELINE), std::make_pair(LineHeight(), Width("ab")));
}

TEST(DrawText, PrefixMarksAnUnderlinedAccessKeyUnlessNoPrefix) {
    const Rect cell{10, 10, 110, 30};
    const Drawn plain = Draw("Exit", cell, DT_SINGLELINE | DT_NOPREFIX);
    const Drawn prefixed = Draw("&Exit", cell, DT_SINGLELINE);
    // Same letters, plus the underline under the E.
    EXPECT_GT(prefixed.inkPixels, plain.inkPixels);
    EXPECT_EQ(plain.ink.left, prefixed.ink.left);
    EXPECT_GT(prefixed.ink.bottom, plain.ink.bottom);
    // With no prefix processing the ampersand is drawn as itself.
    EXPECT_GT(InkOf("&Exit", cell, DT_SINGLELINE | DT_NOPREFIX).Width(), plain.ink.Width());
    // "&&" is one literal ampersand.
    EXPECT_EQ(Draw("a&&b", cell, DT_SINGLELINE).image,
              Draw("a&b", cell, DT_SINGLELINE | DT_NOPREFIX).image);
}

TEST(DrawText, ClipsToItsRectangleUnlessNoClip) {
    const Rect cell{20, 20, 50, 26};
    const std::string text = "Clipped text in a tiny cell";
    const Rect ink = InkOf(text, cell, DT_SINGLELINE | DT_NOPREFIX);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_EQ(Intersect(ink, cell), ink);
    const Drawn whole = Draw(text, cell, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    EXPECT_GT(whole.ink.right, 50);
    // Inside the rectangle, a glyph cut by the clip shows what the whole glyph shows there.
    const Drawn clipped = Draw(text, cell, DT_SINGLELINE | DT_NOPREFIX);
    for (int32_t y = cell.top; y < cell.bottom; ++y) {
        for (int32_t x = cell.left; x < cell.right; ++x)
            ASSERT_EQ(clipped.image.Pixel(x, y), whole.image.Pixel(x, y)) << x << "," << y;
    }
}

TEST(DrawText, InkIsExactlyTheTextColourAndUnderlineAndStrikeoutAddLines) {
    auto inkWith = [&](bool underline, bool strike) {
        Canvas canvas;
        canvas.dc.SelectFont(
            TestFonts().Get(FontDescriptor{"Arial", 10, false, false, underline, strike}));
        Rect r{0, 0, 200, 30};
        DrawText(canvas.dc, "Lines", r, kSingle);
        return canvas.CountInk();
    };
    const int plain = inkWith(false, false);
    EXPECT_GT(inkWith(true, false), plain);
    EXPECT_GT(inkWith(false, true), plain);
    // The ink is exactly the text colour over what was there.
    Canvas canvas(100, 30, RGB(10, 200, 30));
    canvas.dc.SetTextColor(RGB(200, 0, 100));
    Rect r{0, 0, 100, 30};
    DrawText(canvas.dc, "Colour", r, kSingle);
    EXPECT_GT(canvas.CountPixels(RGB(200, 0, 100)), 20);
    EXPECT_EQ(canvas.CountPixels(RGB(200, 0, 100)) + canvas.CountPixels(RGB(10, 200, 30)),
              100 * 30);
}

TEST(DrawText, HostileInputNeverCrashes) {
    Canvas canvas;
    const std::string invalid = "\xFF\xFE ok \xC0\x80 \xED\xA0\x80 \xF4\x90\x80\x80 \xE2\x82";
    const std::string huge(100000, 'W');
    const int32_t lo = INT32_MIN, hi = INT32_MAX;
    const Rect rects[] = {{0, 0, 200, 100}, {50, 50, 10, 10},
                          {5, 5, 5, 5},     {-1000000, -10, 10, 1000000},
                          {lo, lo, hi, hi}, {hi - 3, hi - 3, hi, hi}};
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
    EXPECT_GT(Draw("\xFF", Rect{0, 0, 200, 30}, kSingle).inkPixels, 0);
}

TEST(GetTextExtent, CountsCharactersNotBytesAndWithoutAFontNothingIsDrawn) {
    Canvas canvas;
    const Size e = GetTextExtent(canvas.dc, "é");
    EXPECT_EQ(e.cx, TestFonts().Default()->Advance(U'é'));
    EXPECT_EQ(e.cy, LineHeight());
    EXPECT_EQ(Width("ab"), Width("a") + Width("b"));
    // Without a font nothing is measured or drawn.
    PixelImage image(50, 20, kWhite);
    DeviceContext dc(image);
    Rect r{0, 0, 50, 20};
    EXPECT_EQ(DrawText(dc, "text", r, kSingle), 0);
    EXPECT_EQ(GetTextExtent(dc, "text"), (Size{0, 0}));
    EXPECT_EQ(image, PixelImage(50, 20, kWhite));
}

}  // namespace
}  // namespace tabula::test
