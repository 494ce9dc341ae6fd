// The two masks that judge a key alone: numbers only, and upper case.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "edit/KeyFilters.h"

namespace tabula::test {
namespace {

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
