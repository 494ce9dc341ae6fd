#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/PixelImage.h"
#include "platform/image/PngFile.h"

namespace tabula {

// PNG in memory, for pictures kept inside other files (a form file's icons).

// Encodes the image as an 8-bit RGB PNG. Throws PngError for an empty image.
std::vector<uint8_t> EncodePng(const PixelImage& image);

// Decodes an 8-bit or 16-bit PNG of any colour type (alpha is dropped). An image with more
// than `maxPixels` pixels is refused from its header, before any pixel memory is taken,
// so a small hostile file cannot ask for gigabytes. Throws PngError on damaged data.
PixelImage DecodePng(std::span<const uint8_t> data,
                     int64_t maxPixels = int64_t{PixelImage::kMaxSide} * PixelImage::kMaxSide);

}  // namespace tabula
