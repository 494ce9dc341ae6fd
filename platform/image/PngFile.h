#pragma once

#include <stdexcept>
#include <string>

#include "platform/gdi/PixelImage.h"

namespace tabula {

struct PngError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Writes the image as an 8-bit RGB PNG. The file is written under a temporary name and
// renamed into place, so a failed write never leaves a damaged file behind.
// Throws PngError with the reason on failure.
void WritePng(const PixelImage& image, const std::string& path);

// Reads an 8-bit or 16-bit PNG of any colour type (alpha is dropped).
// Throws PngError on a missing, damaged or oversized file.
PixelImage ReadPng(const std::string& path);

}  // namespace tabula
