#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/Color.h"
#include "platform/gdi/Geometry.h"

namespace tabula {

// A 32-bit pixel image. Each pixel is a COLORREF (0x00BBGGRR); the top byte stays zero.
// Rows are reached through a table of row starts, so a full-width scroll moves row starts
// instead of pixels.
class PixelImage {
public:
    // Sides beyond this are clamped: no window of a grid control needs more, and it keeps
    // a hostile size from asking for gigabytes.
    static constexpr int32_t kMaxSide = 16384;

    PixelImage() = default;
    // Negative sizes give an empty image.
    PixelImage(int32_t width, int32_t height, COLORREF fill = 0);
    // Copies are laid out in row order.
    PixelImage(const PixelImage& other);
    PixelImage& operator=(const PixelImage& other);
    PixelImage(PixelImage&&) noexcept = default;
    PixelImage& operator=(PixelImage&&) noexcept = default;

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
    COLORREF* Row(int32_t y) { return rows_[size_t(y)]; }
    const COLORREF* Row(int32_t y) const { return rows_[size_t(y)]; }
    // Every pixel, row after row. Only for an image never scrolled in place (a copy is).
    std::span<const COLORREF> Pixels() const;

    // Every pixel of `block` takes the one dy rows above it (below it, for a negative dy);
    // all others keep theirs. Turns row starts instead of copying the block, so it costs
    // the rows the block's rows come from outside it and the columns beside it. Returns
    // false, doing nothing, when copying the block would cost less or its pixels would come
    // from outside the image.
    bool ScrollRows(const Rect& block, int32_t dy);

    friend bool operator==(const PixelImage& a, const PixelImage& b);

private:
    void IndexRows();

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<COLORREF> pixels_;
    std::vector<COLORREF*> rows_;  // where each row starts in `pixels_`
    bool inRowOrder_ = true;
};

}  // namespace tabula
