#include <gtest/gtest.h>

#include "tests/platform/Canvas.h"
#include "tests/support/TestFiles.h"

namespace tabula::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(FillRect, StopsOnePixelShortOfRightAndBottom) {
    Canvas canvas(10, 8);
    FillRect(canvas.dc, Rect{2, 1, 5, 4}, CreateSolidBrush(kRed));
    EXPECT_EQ(Picture(canvas.image, canvas.image.Bounds(), kWhite),
              "..........\n"
              "..###.....\n"
              "..###.....\n"
              "..###.....\n"
              "..........\n"
              "..........\n"
              "..........\n"
              "..........\n");
    EXPECT_EQ(canvas.image.Pixel(2, 1), kRed);
}

TEST(FillRect, EmptyInvertedAndHugeRectanglesAreClipped) {
    Canvas canvas(10, 8);
    FillRect(canvas.dc, Rect{5, 5, 5, 9}, CreateSolidBrush(kRed));  // zero width
    FillRect(canvas.dc, Rect{6, 6, 2, 2}, CreateSolidBrush(kRed));  // inverted
    EXPECT_EQ(canvas.CountInk(), 0);
    FillRect(canvas.dc, Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, CreateSolidBrush(kRed));
    EXPECT_EQ(canvas.CountPixels(kRed), 80);
    FillRect(canvas.dc, Rect{-100, 3, 3, 1000000}, CreateSolidBrush(kBlack));
    EXPECT_EQ(canvas.CountPixels(kBlack), 3 * 5);
    // And to the context's clip rectangle.
    canvas.dc.SetClipRect(Rect{3, 3, 6, 5});
    FillRect(canvas.dc, canvas.image.Bounds(), CreateSolidBrush(kWhite));
    EXPECT_EQ(canvas.CountPixels(kWhite), 3 * 2);
}

TEST(InvertRect, InvertsColourBitsAndTwiceRestoresEveryPixel) {
    Canvas canvas(12, 9);
    canvas.image = Gradient(12, 9);
    const PixelImage before = canvas.image;
    InvertRect(canvas.dc, Rect{2, 2, 7, 6});
    EXPECT_EQ(canvas.image.Pixel(2, 2), before.Pixel(2, 2) ^ 0xFFFFFF);
    EXPECT_EQ(canvas.image.Pixel(7, 2), before.Pixel(7, 2));  // right edge excluded
    EXPECT_EQ(canvas.image.Pixel(2, 6), before.Pixel(2, 6));  // bottom edge excluded
    InvertRect(canvas.dc, Rect{2, 2, 7, 6});
    EXPECT_EQ(canvas.image, before);
    // Partly outside the image: the visible part toggles, nothing else is touched.
    InvertRect(canvas.dc, Rect{-5, -5, 3, 3});
    EXPECT_EQ(canvas.image.Pixel(0, 0), before.Pixel(0, 0) ^ 0xFFFFFF);
    InvertRect(canvas.dc, Rect{-5, -5, 3, 3});
    EXPECT_EQ(canvas.image, before);
}

TEST(DrawFocusRect, DotsEveryOtherOutlinePixel) {
    Canvas canvas(9, 7);
    DrawFocusRect(canvas.dc, Rect{1, 1, 8, 6});
    EXPECT_EQ(Picture(canvas.image, canvas.image.Bounds(), kWhite),
              ".........\n"
              ".#.#.#.#.\n"
              ".........\n"
              ".#.....#.\n"
              ".........\n"
              ".#.#.#.#.\n"
              ".........\n");
    EXPECT_EQ(canvas.image.Pixel(1, 1), kBlack);  // white inverted
    // A single column: every other pixel inverted once, none twice.
    Canvas column(6, 6);
    DrawFocusRect(column.dc, Rect{2, 0, 3, 6});
    EXPECT_EQ(column.CountInk(), 3);
}

TEST(DrawFocusRect, TwiceRestoresEveryPixelForAnyShape) {
    const Rect shapes[] = {{1, 1, 8, 6},
                           {2, 2, 3, 6},
                           {2, 2, 7, 3},
                           {3, 3, 4, 4},
                           {-4, -3, 5, 4},
                           {0, 0, 9, 7},
                           {INT32_MIN, 2, INT32_MAX, 5}};
    for (const Rect& r : shapes) {
        Canvas canvas(9, 7);
        canvas.image = Gradient(9, 7);
        DrawFocusRect(canvas.dc, r);
        DrawFocusRect(canvas.dc, r);
        EXPECT_EQ(canvas.image, Gradient(9, 7))
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(PixelImage, SizesClampAndResizeKeepsThePixelsThatStay) {
    PixelImage negative(-5, 10);
    EXPECT_EQ(negative.Width(), 0);
    EXPECT_TRUE(negative.Pixels().empty());
    PixelImage image(3, 2, kWhite);
    image.SetPixel(1, 1, kRed);
    image.Resize(5, 4, kBlack);
    EXPECT_EQ(image.Pixel(1, 1), kRed);
    EXPECT_EQ(image.Pixel(0, 0), kWhite);
    EXPECT_EQ(image.Pixel(4, 3), kBlack);
    image.Resize(-1, 5);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 5);
    EXPECT_EQ(image.Pixel(0, 0), 0u);  // reads outside are harmless
    image.SetPixel(100, 100, kRed);    // and so are writes
    image.Resize(2, 2, kBlack);
    EXPECT_EQ(image.Pixel(1, 1), kBlack);
}

}  // namespace
}  // namespace tabula::test
