#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/gdi/PixelImage.h"
#include "platform/image/PngFile.h"

namespace tabula {

// PNG in memory, for pictures kept inside other files (a form file's icons).

// Encodes the image as an 8-bit RGB PNG. Throws PngError for an empty image.
std::vector<uint8_t> EncodePng(const PixelImage& image);

// What a PNG's header (its first chunk) says, read without decoding anything.
struct PngHeader {
    int64_t width = 0;
    int64_t height = 0;
    int bitDepth = 0;   // bits per channel
    int colorType = 0;  // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGB and alpha
    // Bits per pixel: the depth times the channels of the colour type.
    int BitsPerPixel() const;
};

// The header of the PNG `data` starts with; none when it does not start with the PNG
// signature and an image header chunk. The values are as stored: not checked.
std::optional<PngHeader> ReadPngHeader(std::span<const uint8_t> data);

// Decodes an 8-bit or 16-bit PNG of any colour type. Without a background alpha is
// dropped (each pixel keeps its colour channels); with one, transparent and translucent
// pixels are blended onto it. An image with more than `maxPixels` pixels is refused from
// its header, before any pixel memory is taken, so a small hostile file cannot ask for
// gigabytes. Throws PngError on damaged data.
PixelImage DecodePng(std::span<const uint8_t> data,
                     int64_t maxPixels = int64_t{PixelImage::kMaxSide} * PixelImage::kMaxSide,
                     std::optional<COLORREF> background = std::nullopt);

}  // namespace tabula
