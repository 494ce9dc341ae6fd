#include <gtest/gtest.h>

#include <cmath>

#include "tests/platform/Canvas.h"

namespace tabula::test {
namespace {

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

TEST(FontLibrary, SizesAreClampedAndTheSameRequestGivesTheSameFont) {
    EXPECT_EQ(TestFonts().Get({"Arial", -5})->Descriptor().size, FontLibrary::kMinPoints);
    EXPECT_EQ(TestFonts().Get({"Arial", 1e9f})->Descriptor().size, FontLibrary::kMaxPoints);
    EXPECT_EQ(TestFonts().Get({"Arial", std::nanf("")})->Descriptor().size, 8.0f);
    EXPECT_EQ(TestFonts().Get({"Arial", 9, true}), TestFonts().Get({"Arial", 9, true}));
    EXPECT_NE(TestFonts().Get({"Arial", 9, true}), TestFonts().Get({"Arial", 9, false}));
}

TEST(FontLibrary, DefaultFontFitsTheDefaultRowHeight) {
    const auto font = TestFonts().Default();
    EXPECT_GE(font->Height(), 10);
    EXPECT_LE(font->Height(), 15);
    EXPECT_GT(font->Ascent(), font->Descent());
    // Control characters take no room.
    EXPECT_EQ(font->Advance(U'\t'), 0);
    EXPECT_EQ(font->Advance(U'\n'), 0);
    EXPECT_EQ(font->GlyphFor(U'\r').coverage.size(), 0u);
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
    EXPECT_GT(TestFonts().Get({"Arial", 10, true})->TextWidth(text), regular->TextWidth(text));
    const auto large = TestFonts().Get({"Arial", 20});
    EXPECT_GT(large->Height(), regular->Height());
    EXPECT_GT(large->TextWidth(text), regular->TextWidth(text));
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

}  // namespace
}  // namespace tabula::test
