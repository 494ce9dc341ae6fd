#pragma once

// Icon and cursor files (.ico, .cur) decoded from their bytes.
//
// The file is a directory of images: a 6-byte header (reserved 0, type 1 for icons or 2
// for cursors, the image count) and a 16-byte entry per image (width, height, colour
// count, reserved, two 16-bit fields that are planes and bit count in an icon and the hot
// spot in a cursor, the image's size and its offset in the file). Each image is either a
// PNG or a device-independent bitmap: an information header whose height counts two
// images, the colour mask (the pixels) and the 1-bit transparency mask below it; a palette
// follows the header at 1, 4 and 8 bits per pixel; rows run bottom-up, each padded to 4
// bytes.
//
// Every entry is checked before one is chosen: its bytes lie inside the file, its header
// says 1 to 256 pixels a side, a depth of 1, 4, 8, 24 or 32 bits and no compression, and
// its pixels and mask fit in its bytes. The largest image is decoded (ties go to the
// higher bit depth, then to the earlier entry).
//
// A PixelImage has no alpha, so transparency is resolved against a background colour:
// pixels the mask marks transparent become the background, and the alpha of 32-bit
// images and PNGs blends each pixel onto it. A 32-bit image whose alpha bytes are all 0
// was written without alpha and uses its mask instead. (Mask pixels that invert the
// screen beneath are shown as the background.)

#include <cstdint>
#include <span>
#include <stdexcept>

#include "platform/gdi/PixelImage.h"

namespace tabula {

struct IconError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The largest side an icon or cursor image may have.
constexpr int32_t kMaxIconSide = 256;
// What transparent pixels become unless the caller says otherwise: the button face.
constexpr COLORREF kIconBackground = 0xC0C0C0;

// Whether `data` starts as an icon or cursor file does: reserved 0, type 1 or 2.
bool LooksLikeIcon(std::span<const uint8_t> data);

// The file's largest image, transparent pixels resolved against `background`. Throws
// IconError with the reason for anything that cannot be decoded.
PixelImage DecodeIcon(std::span<const uint8_t> data, COLORREF background = kIconBackground);

}  // namespace tabula
