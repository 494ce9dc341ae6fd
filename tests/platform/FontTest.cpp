#include <gtest/gtest.h>

#include <cmath>

#include "tests/platform/Canvas.h"

namespace tabula::test {
namespace {

TEST(FontLibrary, ClassicNamesUseMetricCompatibleFaces) {
    EXPECT_EQ(TestFonts().Get({"MS Sans Serif", 8})->FaceName(), "Liberation Sans");
    EXPECT_EQ(TestFonts().Get({"arial", 10})->FaceName(), "Liberation Sans");
    EXPECT_EQ(TestFonts().Get({"Times New Roman", 10})->FaceName(), "Liberation Serif");
    EXPECT_EQ(TestFonts().Get({"Courier New", 10})->FaceName(), "Liberation Mono");
    EXPECT_EQ(TestFonts().Get({"DejaVu Sans", 10})->FaceName(), "DejaVu Sans");
}

TEST(FontLibrary, UnknownAndHostileNamesFallBack) {
    const auto fallback = TestFonts().Get({"No Such Font Anywhere", 8});
    EXPECT_FALSE(fallback->FaceName().empty());
    EXPECT_GT(fallback->Height(), 0);
    EXPECT_GT(fallback->TextWidth(U"text"), 0);
    for (const std::string& name :
         {std::string(10000, 'x'), std::string(), std::string("  "), std::string("a\0b", 3),
          std::string("\xFF\xFE"), std::string(300, '\xC3')}) {
        const auto font = TestFonts().Get({name, 8});
        EXPECT_GT(font->TextWidth(U"text"), 0);
        EXPECT_LE(font->Descriptor().name.size(), FontLibrary::kMaxNameLength);
    }
}

TEST(FontLibrary, SizesAreClamped) {
    EXPECT_EQ(TestFonts().Get({"Arial", -5})->Descriptor().size, FontLibrary::kMinPoints);
    EXPECT_EQ(TestFonts().Get({"Arial", 1e9f})->Descriptor().size, FontLibrary::kMaxPoints);
    EXPECT_EQ(TestFonts().Get({"Arial", std::nanf("")})->Descriptor().size, 8.0f);
}

TEST(FontLibrary, DefaultFontFitsTheDefaultRowHeight) {
    const auto font = TestFonts().Default();
    EXPECT_GE(font->Height(), 10);
    EXPECT_LE(font->Height(), 15);
    EXPECT_GT(font->Ascent(), font->Descent());
}

TEST(FontLibrary, SameRequestGivesTheSameFont) {
    EXPECT_EQ(TestFonts().Get({"Arial", 9, true}), TestFonts().Get({"Arial", 9, true}));
    EXPECT_NE(TestFonts().Get({"Arial", 9, true}), TestFonts().Get({"Arial", 9, false}));
}

TEST(Font, ExtentsAreDeterministicAndAdditive) {
    FontLibrary other;  // a second library finds the same files and measures the same
    const std::u32string text = U"Deterministic 0123456789";
    for (float size : {6.0f, 8.0f, 8.25f, 12.0f, 24.0f}) {
        const auto a = TestFonts().Get({"Arial", size});
        const auto b = other.Get({"Arial", size});
        EXPECT_EQ(a->TextWidth(text), b->TextWidth(text)) << size;
        EXPECT_EQ(a->Height(), b->Height()) << size;
        int32_t sum = 0;
        for (char32_t c : text)
            sum += a->Advance(c);
        EXPECT_EQ(a->TextWidth(text), sum);
    }
}

TEST(Font, StylesChangeTheShape) {
    const std::u32string text = U"Styled text";
    const auto regular = TestFonts().Get({"Arial", 10});
    const auto bold = TestFonts().Get({"Arial", 10, true});
    EXPECT_GT(bold->TextWidth(text), regular->TextWidth(text));
    const auto large = TestFonts().Get({"Arial", 20});
    EXPECT_GT(large->Height(), regular->Height());
    EXPECT_GT(large->TextWidth(text), regular->TextWidth(text));
}

TEST(Font, SyntheticStylesForFacesWithoutThem) {
    // A family with no bold face still draws bold text wider than regular.
    const auto plain = TestFonts().Get({"No Such Font Anywhere", 10});
    const auto bold = TestFonts().Get({"No Such Font Anywhere", 10, true, true});
    EXPECT_GE(bold->TextWidth(U"www"), plain->TextWidth(U"www"));
}

TEST(Font, GlyphsAreCached) {
    const auto font = TestFonts().Get({"Arial", 11});
    const Glyph* first = &font->GlyphFor(U'A');
    EXPECT_EQ(first, &font->GlyphFor(U'A'));
    const Glyph* wide = &font->GlyphFor(U'Ω');
    EXPECT_EQ(wide, &font->GlyphFor(U'Ω'));
    EXPECT_GT(first->advance, 0);
    EXPECT_EQ(first->coverage.size(), size_t(first->width) * size_t(first->rows));
}

TEST(Font, ControlCharactersTakeNoRoom) {
    const auto font = TestFonts().Default();
    EXPECT_EQ(font->Advance(U'\t'), 0);
    EXPECT_EQ(font->Advance(U'\n'), 0);
    EXPECT_EQ(font->GlyphFor(U'\r').coverage.size(), 0u);
}

}  // namespace
}  // namespace tabula::test
