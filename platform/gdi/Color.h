#pragma once

#include <cstdint>

namespace tabula {

// 0x00BBGGRR: red in the low byte, as every pixel of a PixelImage is stored.
using COLORREF = uint32_t;
// A COLORREF, or with bit 31 set a system colour whose index is in the low byte.
using OLE_COLOR = uint32_t;

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) {
    return COLORREF{r} | (COLORREF{g} << 8) | (COLORREF{b} << 16);
}
constexpr uint8_t GetRValue(COLORREF c) {
    return c & 0xFF;
}
constexpr uint8_t GetGValue(COLORREF c) {
    return (c >> 8) & 0xFF;
}
constexpr uint8_t GetBValue(COLORREF c) {
    return (c >> 16) & 0xFF;
}

// `color` laid over `background` with `alpha` (0 transparent, 255 opaque), each channel
// rounded to the nearest value: how a translucent picture shows on an image without alpha.
constexpr COLORREF BlendOnto(COLORREF color, uint8_t alpha, COLORREF background) {
    const auto channel = [alpha](uint8_t over, uint8_t under) {
        return static_cast<uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
    };
    return RGB(channel(GetRValue(color), GetRValue(background)),
               channel(GetGValue(color), GetGValue(background)),
               channel(GetBValue(color), GetBValue(background)));
}

// System colour indexes of the classic 3D palette.
enum SystemColorIndex : uint8_t {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_3DFACE = COLOR_BTNFACE,
    COLOR_3DSHADOW = COLOR_BTNSHADOW,
    COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT,
};

constexpr int kSystemColorCount = 29;

// The system colour as an OLE colour: bit 31 set, index in the low byte.
constexpr OLE_COLOR SystemColor(SystemColorIndex index) {
    return 0x80000000u | index;
}

// The colour of a system colour index; black for an index outside the table.
COLORREF GetSysColor(int index);

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);

// Resolves an OLE colour to a plain colour. Plain colours pass through; system colours
// come from the classic palette. An unknown system index or a palette-index colour
// fails with E_INVALIDARG and leaves *result untouched.
HRESULT OleTranslateColor(OLE_COLOR color, COLORREF* result);

// The same, with black for a colour that does not resolve.
COLORREF TranslateColorOrBlack(OLE_COLOR color);

}  // namespace tabula
