#include "tests/platform/Canvas.h"

#include <algorithm>

namespace tabula::test {

FontLibrary& TestFonts() {
    static FontLibrary fonts;
    return fonts;
}

Canvas::Canvas(int32_t width, int32_t height, COLORREF background)
    : image(width, height, background), dc(image, TestFonts().Default()), background(background) {}

Rect Canvas::InkBounds() const {
    Rect bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t y = 0; y < image.Height(); ++y) {
        for (int32_t x = 0; x < image.Width(); ++x) {
            if (image.Pixel(x, y) == background) continue;
            bounds.left = std::min(bounds.left, x);
            bounds.top = std::min(bounds.top, y);
            bounds.right = std::max(bounds.right, x + 1);
            bounds.bottom = std::max(bounds.bottom, y + 1);
        }
    }
    return bounds.IsEmpty() ? Rect{} : bounds;
}

int Canvas::CountPixels(COLORREF color) const {
    return static_cast<int>(std::count(image.Pixels().begin(), image.Pixels().end(), color));
}

int Canvas::CountInk() const {
    return static_cast<int>(image.Pixels().size()) - CountPixels(background);
}

std::string Picture(const PixelImage& image, const Rect& area, COLORREF background) {
    std::string out;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
            out += image.Pixel(x, y) == background ? '.' : '#';
        }
        out += '\n';
    }
    return out;
}

}  // namespace tabula::test
