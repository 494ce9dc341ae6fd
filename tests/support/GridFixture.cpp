#include "tests/support/GridFixture.h"

#include <algorithm>

namespace tabula::test {

std::string FirstDifference(const PixelImage& a, const PixelImage& b) {
    for (int32_t y = 0; y < std::min(a.Height(), b.Height()); ++y) {
        for (int32_t x = 0; x < std::min(a.Width(), b.Width()); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return "first difference at " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return a.Width() == b.Width() && a.Height() == b.Height() ? "none" : "sizes differ";
}

int32_t GridTest::CountOther(int32_t left, int32_t top, int32_t right, int32_t bottom,
                             COLORREF color) const {
    const PixelImage image = grid_.picGrid.Picture();
    int32_t count = 0;
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = left; x < right; ++x)
            count += image.Pixel(x, y) != color ? 1 : 0;
    }
    return count;
}

void GridTest::ExpectPictureOfAFullRepaint() {
    const PixelImage drawn = grid_.picGrid.Picture();
    grid_.Refresh();
    const PixelImage full = grid_.picGrid.Picture();
    EXPECT_EQ(drawn, full) << FirstDifference(drawn, full);
}

}  // namespace tabula::test
