#include <gtest/gtest.h>

#include "platform/gdi/Color.h"

namespace tabula {
namespace {

// Plain colours pass through; system colours resolve from the classic palette.
TEST(OleTranslateColor, PlainAndSystemColours) {
    const std::pair<OLE_COLOR, COLORREF> cases[] = {
        {0x00123456, 0x123456},
        {0x02ABCDEF, 0xABCDEF},  // "nearest palette colour": the RGB value on 32 bits
        {0x8000000F, 0xC0C0C0},  // button face
        {0x80000012, 0x000000},  // button text
        {0x80000005, 0xFFFFFF},  // window
        {0x80000008, 0x000000},  // window text
        {0x80000010, 0x808080},  // button shadow
        {0x80000014, 0xFFFFFF},  // button highlight
        {0x80000015, 0x000000},  // 3D dark shadow
        {0x8000000D, 0x800000},  // highlight: dark blue, stored BBGGRR
        {0x80000018, 0xE1FFFF},  // tooltip background
    };
    for (const auto& [in, out] : cases) {
        COLORREF c = 1;
        EXPECT_EQ(OleTranslateColor(in, &c), S_OK) << std::hex << in;
        EXPECT_EQ(c, out) << std::hex << in;
    }
    EXPECT_EQ(SystemColor(COLOR_BTNFACE), 0x8000000Fu);
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), 0xC0C0C0u);
}

TEST(OleTranslateColor, InvalidColoursFailAndLeaveTheResultAlone) {
    for (OLE_COLOR bad : {0xFFFFFFFFu, 0x80000050u, 0x80000100u, 0x01000005u, 0x40000000u}) {
        COLORREF c = 0x5A5A5A;
        EXPECT_EQ(OleTranslateColor(bad, &c), E_INVALIDARG) << std::hex << bad;
        EXPECT_EQ(c, 0x5A5A5Au);
        EXPECT_EQ(TranslateColorOrBlack(bad), 0u);
    }
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(kSystemColorCount), 0u);
}

TEST(Rgb, PacksRedInTheLowByte) {
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(GetRValue(0x563412), 0x12);
    EXPECT_EQ(GetGValue(0x563412), 0x34);
    EXPECT_EQ(GetBValue(0x563412), 0x56);
}

}  // namespace
}  // namespace tabula
