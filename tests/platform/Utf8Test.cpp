#include <gtest/gtest.h>

#include "platform/text/Utf8.h"

namespace tabula {
namespace {

TEST(Utf8, DecodesAndEncodesEveryLength) {
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), U"aé€😀");
    EXPECT_EQ(Utf8Length("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), 4u);
    EXPECT_EQ(EncodeUtf8(U"aé€😀"), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    // Code points that are no characters are written as replacements.
    EXPECT_EQ(EncodeUtf8(std::u32string{char32_t(0xD800), char32_t(0x110000)}),
              "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8, EveryBadByteIsOneCharacterAndPrefixesNeverSplitOne) {
    const std::pair<const char*, std::u32string> cases[] = {
        {"\x80", U"\uFFFD"},                                // stray continuation
        {"\xC0\x80", U"\uFFFD\uFFFD"},                      // overlong NUL
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},            // surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {"\xE2\x82", U"\uFFFD\uFFFD"},                      // cut short
        {"a\xFFz", U"a\uFFFDz"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(DecodeUtf8(in), out) << in;
        EXPECT_EQ(Utf8Length(in), out.size());
    }
    // Prefixes count characters and never split one.
    const std::tuple<const char*, size_t, const char*> prefixes[] = {
        {"abc", 2, "ab"},
        {"abc", 9, "abc"},
        {"abc", 0, ""},
        {"\xC3\xA9t\xC3\xA9", 1, "\xC3\xA9"},          // é is one character of two bytes
        {"\xF0\x9F\x98\x80x", 1, "\xF0\x9F\x98\x80"},  // so is an emoji of four
        {"a\xFF\xC3\xA9", 2, "a\xFF"},                 // a bad byte counts as one
        {"\xE2\x82", 1, "\xE2"},                       // a sequence cut short: one byte each
    };
    for (const auto& [text, count, prefix] : prefixes)
        EXPECT_EQ(Utf8Prefix(text, count), prefix) << text << " " << count;
}

}  // namespace
}  // namespace tabula
