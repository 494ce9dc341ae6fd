#include "platform/gdi/PixelImage.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace tabula {

namespace {
int32_t ClampSide(int32_t side) {
    return std::clamp(side, 0, PixelImage::kMaxSide);
}
}  // namespace

PixelImage::PixelImage(int32_t width, int32_t height, COLORREF fill)
    : width_(ClampSide(width)),
      height_(ClampSide(height)),
      pixels_(size_t(width_) * size_t(height_), fill & 0xFFFFFF) {
    IndexRows();
}

PixelImage::PixelImage(const PixelImage& other) : width_(other.width_), height_(other.height_) {
    pixels_.reserve(other.pixels_.size());
    for (int32_t y = 0; y < height_; ++y)
        pixels_.insert(pixels_.end(), other.Row(y), other.Row(y) + width_);
    IndexRows();
}

PixelImage& PixelImage::operator=(const PixelImage& other) {
    if (this != &other) *this = PixelImage(other);
    return *this;
}

void PixelImage::IndexRows() {
    rows_.resize(size_t(height_));
    for (int32_t y = 0; y < height_; ++y)
        rows_[size_t(y)] = pixels_.data() + size_t(y) * size_t(width_);
    inRowOrder_ = true;
}

std::span<const COLORREF> PixelImage::Pixels() const {
    assert(inRowOrder_ && "the pixels of an image scrolled in place are out of row order");
    return pixels_;
}

bool operator==(const PixelImage& a, const PixelImage& b) {
    if (a.width_ != b.width_ || a.height_ != b.height_) return false;
    for (int32_t y = 0; y < a.height_; ++y) {
        if (!std::equal(a.Row(y), a.Row(y) + a.width_, b.Row(y))) return false;
    }
    return true;
}

void PixelImage::Resize(int32_t width, int32_t height, COLORREF fill) {
    width = ClampSide(width);
    height = ClampSide(height);
    if (width == width_ && height == height_) return;
    std::vector<COLORREF> resized(size_t(width) * size_t(height), fill & 0xFFFFFF);
    const int32_t keepW = std::min(width, width_);
    const int32_t keepH = std::min(height, height_);
    for (int32_t y = 0; y < keepH; ++y) {
        std::copy_n(Row(y), keepW, resized.data() + size_t(y) * size_t(width));
    }
    pixels_ = std::move(resized);
    width_ = width;
    height_ = height;
    IndexRows();
}

bool PixelImage::ScrollRows(const Rect& block, int32_t dy) {
    const Rect area = Intersect(block, Bounds());
    const int64_t shift = std::abs(int64_t{dy});
    const int64_t bandTop = std::min<int64_t>(area.top, int64_t{area.top} - dy);
    const int64_t bandBottom = std::max<int64_t>(area.bottom, int64_t{area.bottom} - dy);
    const int64_t edges = int64_t{width_} - area.Width();
    // Worth it while the rows put back and the edge columns cost less than the block.
    if (dy == 0 || area.IsEmpty() ||
        shift * width_ + edges * (bandBottom - bandTop) >= int64_t{area.Width()} * area.Height())
        return false;
    if (bandTop < 0 || bandBottom > height_) return false;
    const auto top = int32_t(bandTop), bottom = int32_t(bandBottom);

    // The columns left and right of the block keep their pixels in every row of the band.
    std::vector<COLORREF> kept;
    kept.reserve(size_t(edges) * size_t(bottom - top));
    for (int32_t y = top; y < bottom; ++y) {
        kept.insert(kept.end(), Row(y), Row(y) + area.left);
        kept.insert(kept.end(), Row(y) + area.right, Row(y) + width_);
    }
    // Turning the band's row starts by dy moves its rows. The |dy| rows of the band that
    // receive none then hold rows that left it, and get their own pixels back from where
    // those moved to.
    const auto first = rows_.begin() + top, last = rows_.begin() + bottom;
    std::rotate(first, dy < 0 ? first - dy : last - dy, last);
    inRowOrder_ = false;
    for (int32_t y = top; y < bottom; ++y) {
        if (y < area.top || y >= area.bottom) std::copy_n(Row(y + dy), width_, Row(y));
    }
    const COLORREF* from = kept.data();
    for (int32_t y = top; y < bottom; ++y) {
        std::copy_n(from, area.left, Row(y));
        std::copy_n(from + area.left, width_ - area.right, Row(y) + area.right);
        from += edges;
    }
    return true;
}

void PixelImage::Fill(COLORREF color) {
    std::fill(pixels_.begin(), pixels_.end(), color & 0xFFFFFF);
}

COLORREF PixelImage::Pixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return Row(y)[x];
}

void PixelImage::SetPixel(int32_t x, int32_t y, COLORREF color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Row(y)[x] = color & 0xFFFFFF;
}

}  // namespace tabula
