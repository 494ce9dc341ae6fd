#include <gtest/gtest.h>

#include "tests/platform/Canvas.h"
#include "tests/support/TestFiles.h"

namespace tabula::test {
namespace {

// What scrolling should leave: inside `clip`, the pixel (dx, dy) back when that lies inside
// `scroll`; everywhere else the pixel that was there.
PixelImage Scrolled(const PixelImage& before, int64_t dx, int64_t dy, Rect scroll, Rect clip) {
    PixelImage after = before;
    scroll = Intersect(scroll, before.Bounds());
    for (int32_t y = 0; y < before.Height(); ++y) {
        for (int32_t x = 0; x < before.Width(); ++x) {
            const int64_t fromX = x - dx, fromY = y - dy;
            if (clip.Contains(x, y) && fromX >= scroll.left && fromX < scroll.right &&
                fromY >= scroll.top && fromY < scroll.bottom)
                after.SetPixel(x, y, before.Pixel(int32_t(fromX), int32_t(fromY)));
        }
    }
    return after;
}

// Every pixel is distinct, so any wrong move shows. The update rectangle is the bounding
// rectangle of what the move uncovered inside the clip.
TEST(ScrollDC, MovesPixelsFromTheScrollRectangleIntoTheClipWithoutSmearing) {
    const Rect all{0, 0, 20, 20}, area{2, 3, 15, 18}, clip{5, 5, 10, 10}, empty{8, 8, 4, 4},
        outside{-100, -100, 1000, 1000};
    const struct {
        int32_t dx, dy;
        Rect scroll, clip, update;
    } cases[] = {
        {0, -4, area, area, {2, 14, 15, 18}},
        {0, 3, all, clip, {}},
        {3, 2, all, all, all},
        {-3, 0, all, all, {17, 0, 20, 20}},
        {5, 0, all, all, {0, 0, 5, 20}},
        {0, 0, outside, outside, {}},
        {1, 1, empty, empty, {}},
        {INT32_MIN, INT32_MAX, all, all, all},  // everything is uncovered
    };
    for (const auto& c : cases) {
        PixelImage image = Gradient(20, 20);
        DeviceContext dc(image);
        Rect update{1, 2, 3, 4};
        ScrollDC(dc, c.dx, c.dy, &c.scroll, &c.clip, &update);
        EXPECT_EQ(image, Scrolled(Gradient(20, 20), c.dx, c.dy, c.scroll, c.clip))
            << c.dx << "," << c.dy;
        EXPECT_EQ(update, c.update) << c.dx << "," << c.dy;
    }
    // Without rectangles the whole image scrolls.
    PixelImage image = Gradient(20, 20);
    DeviceContext dc(image);
    ScrollDC(dc, 0, 5, nullptr, nullptr, nullptr);
    EXPECT_EQ(image, Scrolled(Gradient(20, 20), 0, 5, all, all));
}

}  // namespace
}  // namespace tabula::test
