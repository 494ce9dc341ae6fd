#pragma once

#include <string>

#include "platform/fonts/FontLibrary.h"
#include "platform/gdi/Drawing.h"

namespace tabula::test {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// One font library for the whole test program: loading fontconfig's cache is slow.
FontLibrary& TestFonts();

// A white image with a context drawing black text in the default 8-point font.
struct Canvas {
    explicit Canvas(int32_t width = 200, int32_t height = 100, COLORREF background = kWhite);
    PixelImage image;
    DeviceContext dc;
    COLORREF background;

    // The bounding rectangle of every pixel that is not the background; empty if none.
    Rect InkBounds() const;
    int CountPixels(COLORREF color) const;
    int CountInk() const;
};

// The pixels of the image as rows of characters: '.' for `background`, '#' otherwise.
std::string Picture(const PixelImage& image, const Rect& area, COLORREF background);

}  // namespace tabula::test
