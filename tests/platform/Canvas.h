#pragma once

#include <algorithm>
#include <string>

#include "platform/fonts/FontLibrary.h"
#include "platform/gdi/Drawing.h"

namespace tabula::test {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// One font library for the whole test program: loading fontconfig's cache is slow.
inline FontLibrary& TestFonts() {
    static FontLibrary fonts;
    return fonts;
}

// A white image with a context drawing black text in the default 8-point font.
struct Canvas {
    explicit Canvas(int32_t width = 200, int32_t height = 100, COLORREF background = kWhite)
        : image(width, height, background),
          dc(image, TestFonts().Default()),
          background(background) {}
    PixelImage image;
    DeviceContext dc;
    COLORREF background;

    // The bounding rectangle of every pixel that is not the background; empty if none.
    Rect InkBounds() const {
        Rect bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < image.Height(); ++y) {
            for (int32_t x = 0; x < image.Width(); ++x) {
                if (image.Pixel(x, y) == background) continue;
                bounds = {std::min(bounds.left, x), std::min(bounds.top, y),
                          std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1)};
            }
        }
        return bounds.IsEmpty() ? Rect{} : bounds;
    }
    int CountPixels(COLORREF color) const {
        return static_cast<int>(std::count(image.Pixels().begin(), image.Pixels().end(), color));
    }
    int CountInk() const {
        return static_cast<int>(image.Pixels().size()) - CountPixels(background);
    }
};

// The pixels of the image as rows of characters: '.' for `background`, '#' otherwise.
inline std::string Picture(const PixelImage& image, const Rect& area, COLORREF background) {
    std::string out;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x)
            out += image.Pixel(x, y) == background ? '.' : '#';
        out += '\n';
    }
    return out;
}

}  // namespace tabula::test
