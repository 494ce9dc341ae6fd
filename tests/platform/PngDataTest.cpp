#include <gtest/gtest.h>

#include "platform/image/PngData.h"

namespace tabula {
namespace {

PixelImage Gradient(int32_t width, int32_t height) {
    PixelImage image(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            image.SetPixel(x, y, RGB(x * 40, y * 50, (x ^ y) * 17));
    }
    return image;
}

TEST(PngData, RoundTripsEveryPixelInMemory) {
    const PixelImage image = Gradient(6, 4);
    const std::vector<uint8_t> png = EncodePng(image);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(DecodePng(png), image);
}

TEST(PngData, DamagedOrOversizedDataIsRefused) {
    EXPECT_THROW(EncodePng(PixelImage()), PngError);
    EXPECT_THROW(DecodePng({}), PngError);
    const std::vector<uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
    EXPECT_THROW(DecodePng(text), PngError);

    std::vector<uint8_t> png = EncodePng(Gradient(20, 20));
    const std::vector<uint8_t> cut(png.begin(), png.begin() + static_cast<long>(png.size() / 2));
    EXPECT_THROW(DecodePng(cut), PngError);
    png[png.size() / 2] ^= 0xFF;  // a damaged data chunk fails its checksum
    EXPECT_THROW(DecodePng(png), PngError);

    // The size limit is checked from the header, before the pixels are read.
    const std::vector<uint8_t> big = EncodePng(Gradient(30, 30));
    EXPECT_THROW(DecodePng(big, 899), PngError);
    EXPECT_EQ(DecodePng(big, 900).Width(), 30);
}

}  // namespace
}  // namespace tabula
