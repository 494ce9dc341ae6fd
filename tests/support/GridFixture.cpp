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

void GridTest::ExpectPictureOfAFullRepaint() {
    const PixelImage drawn = grid_.picGrid.Picture();
    grid_.Refresh();
    const PixelImage full = grid_.picGrid.Picture();
    EXPECT_EQ(drawn, full) << FirstDifference(drawn, full);
}

}  // namespace tabula::test
