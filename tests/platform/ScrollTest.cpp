#include <gtest/gtest.h>

#include "tests/platform/Canvas.h"

namespace tabula::test {
namespace {

// An image whose every pixel is distinct, so any wrong move shows.
PixelImage Numbered(int32_t w, int32_t h) {
    PixelImage image(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x)
            image.SetPixel(x, y, RGB(x, y, 100));
    }
    return image;
}

TEST(ScrollDC, MovesPixelsInsideTheScrollRectangle) {
    PixelImage image = Numbered(20, 20);
    const PixelImage before = image;
    DeviceContext dc(image);
    const Rect area{2, 3, 15, 18};
    Rect update;
    ScrollDC(dc, 0, -4, &area, &area, &update);
    for (int32_t y = 0; y < 20; ++y) {
        for (int32_t x = 0; x < 20; ++x) {
            if (area.Contains(x, y) && y < 14) {
                EXPECT_EQ(image.Pixel(x, y), before.Pixel(x, y + 4)) << x << "," << y;
            } else {
                // Outside the clip, and the uncovered strip, keep their pixels.
                EXPECT_EQ(image.Pixel(x, y), before.Pixel(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(update, (Rect{2, 14, 15, 18}));
}

TEST(ScrollDC, MovesDownAndSidewaysWithoutSmearing) {
    PixelImage image = Numbered(20, 10);
    const PixelImage before = image;
    DeviceContext dc(image);
    const Rect area{0, 0, 20, 10};
    Rect update;
    ScrollDC(dc, 3, 2, &area, &area, &update);
    EXPECT_EQ(image.Pixel(3, 2), before.Pixel(0, 0));
    EXPECT_EQ(image.Pixel(19, 9), before.Pixel(16, 7));
    ScrollDC(dc, -3, 0, &area, &area, &update);
    EXPECT_EQ(image.Pixel(0, 2), before.Pixel(0, 0));
    EXPECT_EQ(update, (Rect{17, 0, 20, 10}));
}

TEST(ScrollDC, ClipLimitsWhatChanges) {
    PixelImage image = Numbered(20, 20);
    const PixelImage before = image;
    DeviceContext dc(image);
    const Rect scroll{0, 0, 20, 20};
    const Rect clip{5, 5, 10, 10};
    ScrollDC(dc, 0, 3, &scroll, &clip, nullptr);
    for (int32_t y = 0; y < 20; ++y) {
        for (int32_t x = 0; x < 20; ++x) {
            const COLORREF expected =
                clip.Contains(x, y) ? before.Pixel(x, y - 3) : before.Pixel(x, y);
            EXPECT_EQ(image.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(ScrollDC, HugeOrEmptyMovesAreHarmless) {
    PixelImage image = Numbered(16, 16);
    const PixelImage before = image;
    DeviceContext dc(image);
    const Rect area{0, 0, 16, 16};
    Rect update;
    ScrollDC(dc, INT32_MIN, INT32_MAX, &area, &area, &update);
    EXPECT_EQ(image, before);
    EXPECT_EQ(update, area);  // everything is uncovered
    const Rect empty{8, 8, 4, 4};
    ScrollDC(dc, 1, 1, &empty, &empty, &update);
    EXPECT_EQ(image, before);
    const Rect outside{-100, -100, 1000, 1000};
    ScrollDC(dc, 0, 0, &outside, &outside, &update);
    EXPECT_EQ(image, before);
    ScrollDC(dc, 0, 5, nullptr, nullptr, nullptr);
    EXPECT_EQ(image.Pixel(0, 5), before.Pixel(0, 0));
}

}  // namespace
}  // namespace tabula::test
