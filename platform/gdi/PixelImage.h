#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/Color.h"
#include "platform/gdi/Geometry.h"

namespace tabula {

// A 32-bit pixel image. Each pixel is a COLORREF (0x00BBGGRR); the top byte stays zero.
class PixelImage {
public:
    // Sides beyond this are clamped: no window of a grid control needs more, and it keeps
    // a hostile size from asking for gigabytes.
    static constexpr int32_t kMaxSide = 16384;

    PixelImage() = default;
    // Negative sizes give an empty image.
    PixelImage(int32_t width, int32_t height, COLORREF fill = 0);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    Rect Bounds() const { return Rect{0, 0, width_, height_}; }

    // Resizes, keeping the pixels that stay inside and filling new ones with `fill`.
    void Resize(int32_t width, int32_t height, COLORREF fill = 0);
    void Fill(COLORREF color);

    // Pixels outside the image read as 0 and ignore writes.
    COLORREF Pixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, COLORREF color);

    // Rows for the drawing code; callers keep x inside [0, Width()).
    COLORREF* Row(int32_t y) { return pixels_.data() + size_t(y) * size_t(width_); }
    const COLORREF* Row(int32_t y) const { return pixels_.data() + size_t(y) * size_t(width_); }
    std::span<const COLORREF> Pixels() const { return pixels_; }

    friend bool operator==(const PixelImage&, const PixelImage&) = default;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<COLORREF> pixels_;
};

}  // namespace tabula
