#include "platform/gdi/Color.h"

#include <array>

namespace tabula {

namespace {

// The classic Windows-standard 3D scheme.
constexpr std::array<COLORREF, kSystemColorCount> kClassicPalette = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3D dark shadow
    RGB(223, 223, 223),  // 3D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
    RGB(0, 0, 0),        // (unused index)
    RGB(0, 0, 255),      // hot-tracked item
    RGB(16, 132, 208),   // active caption gradient
    RGB(181, 181, 181),  // inactive caption gradient
};

}  // namespace

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= kSystemColorCount) return 0;
    return kClassicPalette[index];
}

HRESULT OleTranslateColor(OLE_COLOR color, COLORREF* result) {
    const uint32_t kind = color >> 24;
    COLORREF resolved;
    if (kind == 0x00 || kind == 0x02) {
        // A plain colour, or one that asks for the nearest palette colour: on a 32-bit
        // surface both are the RGB value itself.
        resolved = color & 0x00FFFFFF;
    } else if (kind == 0x80 && (color & 0x00FFFF00) == 0 && (color & 0xFF) < kSystemColorCount) {
        resolved = kClassicPalette[color & 0xFF];
    } else {
        return E_INVALIDARG;
    }
    if (result) *result = resolved;
    return S_OK;
}

COLORREF TranslateColorOrBlack(OLE_COLOR color) {
    COLORREF c = 0;
    OleTranslateColor(color, &c);
    return c;
}

}  // namespace tabula
