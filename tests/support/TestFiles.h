#pragma once

#include <filesystem>
#include <string>

#include "platform/gdi/PixelImage.h"

namespace tabula::test {

inline std::filesystem::path TempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("tabula-test-" + name);
}

// A small picture whose every pixel differs from its neighbours.
inline PixelImage Gradient(int32_t width, int32_t height) {
    PixelImage image(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            image.SetPixel(x, y, RGB(x * 9, y * 13, 200));
    }
    return image;
}

}  // namespace tabula::test
