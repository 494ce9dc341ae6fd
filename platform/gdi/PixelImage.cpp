#include "platform/gdi/PixelImage.h"

#include <algorithm>

namespace tabula {

namespace {
int32_t ClampSide(int32_t side) {
    return std::clamp(side, 0, PixelImage::kMaxSide);
}
}  // namespace

PixelImage::PixelImage(int32_t width, int32_t height, COLORREF fill)
    : width_(ClampSide(width)),
      height_(ClampSide(height)),
      pixels_(size_t(width_) * size_t(height_), fill & 0xFFFFFF) {}

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
