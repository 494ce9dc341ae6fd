// The social-security-number, telephone, ZIP and postal-code masks, configured as the grid
// configures them, typed into empty and given texts; and the two masks that judge a key
// alone.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "edit/KeyFilters.h"
#include "edit/LayoutMasks.h"
#include "tests/edit/TypeKeys.h"

namespace tabula::test {
namespace {

TEST(SSNMask, DigitsWithTheirHyphens) {
    clsSSN mask;
    mask.SetSSNMask(SetSSNMask);
    EXPECT_EQ(mask.SSNMask(), -1);
    const Typing cases[] = {
        {"", u"1234567890",
         "1|12|123-|123-4|123-45-|123-45-6|123-45-67|123-45-678|123-45-6789|123-45-6789"},
        {"", u"a-", "|"},
        {"12", u"x -", "12|12|12"},
        {"123-45-", u"\b", "123-4"},  // the hyphen goes with the digit before it
        {"123-", u"\b", "12"},
        {"123-45-6789", u"\b", "123-45-678"},
        {"1", u"\b", ""},
        {"", u"\b", ""},
        {"12345", u"6", "123-45-6"},       // a text without its hyphens is laid out again
        {"123456789", u"0", "123456789"},  // nine digits fill every position
        {"ab", u"1", "ab1-"},
        {"\u00e9\u00e0", u"1", "\u00e9\u00e01-"},  // characters, never bytes
    };
    ExpectTyping(mask, cases);
}

TEST(SSNMask, WithoutHyphens) {
    clsSSN mask;
    EXPECT_EQ(mask.SSNMask(), 0);
    const Typing cases[] = {
        {"", u"1234567890", "1|12|123|1234|12345|123456|1234567|12345678|123456789|123456789"},
        {"123-45-6", u"7", "1234567"},
    };
    ExpectTyping(mask, cases);
}

TEST(PhoneMask, TheGridsLayout) {
    clsPhone mask;
    mask.SetPhoneFormat("&&&-&&&-&&&&");
    EXPECT_EQ(mask.PhoneFormat(), "&&&-&&&-&&&&");
    const Typing cases[] = {
        {"", u"55512345678",
         "5|55|555-|555-1|555-12|555-123-|555-123-4|555-123-45|555-123-456|555-123-4567|"
         "555-123-4567"},
        {"555-12", u"ax(", "555-12|555-12|555-12"},  // a lower-case x is no extension
        {"555-12", u"X", "555-12X-"},                // placed like a digit
        {"555-12X-", u"X", "555-12X-"},              // one extension marker only
        {"555-12X-", u"3", "555-123-"},              // the marker is a separator: placing drops it
        {"555-123-4567", u"X", "555-123-4567"},
        {"555-", u"\b", "55"},
        {"555-123-", u"\b", "555-12"},
        {"555-123-4567", u"\b", "555-123-456"},
    };
    ExpectTyping(mask, cases);
}

TEST(PhoneMask, OtherLayouts) {
    clsPhone mask;
    EXPECT_EQ(TypeKeys(mask, "", u"5"), "");  // no layout yet: nothing fits
    mask.SetPhoneFormat("(&&&) &&&-&&&&");
    const Typing cases[] = {
        {"", u"5551", "(5|(55|(555) |(555) 1"},
        {"(555) ", u"\b", "(555"},
        {"(555", u"1", "(555) 1"},
    };
    ExpectTyping(mask, cases);
}

TEST(PhoneMask, TheFlagsAreKeptButChangeNothing) {
    clsPhone mask;
    mask.SetPhoneFormat("&&&-&&&&");
    mask.SetUseArea(true);
    mask.SetUsePars(true);
    mask.SetUseSpc(true);
    mask.SetUseDash(true);
    mask.SetUseExt(true);
    EXPECT_TRUE(mask.UseArea() && mask.UsePars() && mask.UseSpc() && mask.UseDash() &&
                mask.UseExt());
    EXPECT_EQ(TypeKeys(mask, "", u"5551"), "5|55|555-|555-1");
}

TEST(ZipMask, ZipPlus4) {
    clsZip mask;
    mask.SetOnlyFive(SetZipPlus4);
    EXPECT_EQ(mask.OnlyFive(), 0);
    const Typing cases[] = {
        {"", u"1234567890", "1|12|123|1234|12345|12345-6|12345-67|12345-678|12345-6789|12345-6789"},
        {"12345", u"-6", "12345-|12345-6"},
        {"12345-6", u"-", "12345-6"},
        {"1234", u"-", "1234"},  // no hyphen before the fifth digit
        {"12", u"a ", "12|12"},
        {"12345-6", u"\b\b\b", "12345-|12345|1234"},
        {"12", u"\b\b", "1|"},
        {"12345-67890", u"1", "12345-67890"},  // longer than ZIP+4: takes no more
    };
    ExpectTyping(mask, cases);
}

TEST(ZipMask, OnlyFiveDigits) {
    clsZip mask;
    mask.SetOnlyFive(SetOnlyFive);
    EXPECT_EQ(mask.OnlyFive(), -1);
    const Typing cases[] = {
        {"", u"123456", "1|12|123|1234|12345|12345"},
        {"12345", u"-", "12345"},
        {"12345", u"\b", "1234"},
    };
    ExpectTyping(mask, cases);
}

TEST(IntlZipMask, LettersAndDigitsInUpperCase) {
    clsIntlZip mask;
    mask.SetIntlZipMask(SetIntlZipMask);
    EXPECT_EQ(mask.IntlZipMask(), -1);
    const Typing cases[] = {
        {"", u"a1b2c3d", "A|A1|A1B |A1B 2|A1B 2C|A1B 2C3|A1B 2C3"},
        {"", u"-\u00e9", "|"},   // only ASCII letters and digits
        {"a1", u"-", "A1"},      // any key upper-cases the text
        {"A1B ", u"\b", "A1B"},  // a trailing space goes alone
        {"A1B", u"2", "A1B 2"},
        {"A1B 2C3", u"\b", "A1B 2C"},
        {"A", u"\b", ""},
    };
    ExpectTyping(mask, cases);

    mask.SetIntlZipMask(UnSetIntlZipMask);
    EXPECT_EQ(TypeKeys(mask, "", u"a1b2c3d"), "A|A1|A1B|A1B2|A1B2C|A1B2C3|A1B2C3");
}

// The two masks that judge a key alone: numbers only, and upper case.
TEST(KeyFilters, NumericKeysPassAndOthersBecomeZero) {
    for (const int16_t key : std::initializer_list<int16_t>{'0', '5', '9', '-', '.', ',', 8})
        EXPECT_EQ(NumericKeyFilter(key), key) << key;
    for (const int16_t key :
         std::initializer_list<int16_t>{'a', 'Z', ' ', '+', '/', 13, 0, 0xE9, -1, '0' - 1, '9' + 1})
        EXPECT_EQ(NumericKeyFilter(key), 0) << key;
}

TEST(KeyFilters, UpperCaseOfOneTypedCharacter) {
    struct Case {
        int16_t typed, inserted;
    };
    const Case cases[] = {
        {'a', 'A'},     {'z', 'Z'},
        {'A', 'A'},     {'5', '5'},
        {'-', '-'},     {8, 8},
        {0xE9, 0xC9},   {0xE0, 0xC0},
        {0xFC, 0xDC},   {0xFE, 0xDE},
        {0xC9, 0xC9},   {0xFF, 0x178},
        {0xDF, 0xDF},   {0xF7, 0xF7},
        {0xB5, 0xB5},   {0x142, 0x141},
        {0x17E, 0x17D}, {0x131, 'I'},
        {0x3C9, 0x3A9}, {0x3C2, 0x3A3},
        {0x3AC, 0x386}, {0x44F, 0x42F},
        {0x451, 0x401}, {int16_t(0xD83D), int16_t(0xD83D)},  // half of a character: left alone
    };
    for (const auto& [typed, inserted] : cases)
        EXPECT_EQ(UpperCaseKey(typed), inserted) << std::hex << typed;
}

TEST(KeyFilters, UpperCaseText) {
    EXPECT_EQ(UpperCaseText("stra\u00dfe \u00e9t\u00e9 a1b"), "STRA\u00dfE \u00c9T\u00c9 A1B");
    EXPECT_EQ(UpperCaseText("a\xFFz"), "A\uFFFDZ");
}

}  // namespace
}  // namespace tabula::test
