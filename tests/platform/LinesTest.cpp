#include <gtest/gtest.h>

#include "tests/platform/Canvas.h"

namespace tabula::test {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);

void Line(DeviceContext& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    MoveToEx(dc, x1, y1);
    LineTo(dc, x2, y2);
}

TEST(LineTo, ExcludesTheEndPixelInEveryDirection) {
    Canvas canvas(8, 8);
    canvas.dc.SelectPen(Pen{PenStyle::Solid, kBlue});
    Line(canvas.dc, 1, 1, 6, 1);  // right
    Line(canvas.dc, 6, 6, 1, 6);  // left
    Line(canvas.dc, 0, 2, 0, 5);  // down
    Line(canvas.dc, 7, 5, 7, 2);  // up
    Line(canvas.dc, 3, 3, 3, 3);  // nowhere: nothing
    EXPECT_EQ(Picture(canvas.image, canvas.image.Bounds(), kWhite),
              "........\n"
              ".#####..\n"
              "#.......\n"
              "#......#\n"
              "#......#\n"
              ".......#\n"
              "..#####.\n"
              "........\n");
    EXPECT_EQ(canvas.CountPixels(kBlue), 16);
}

TEST(LineTo, MovesTheCurrentPositionSoLinesChain) {
    Canvas canvas(6, 6);
    Point previous{-1, -1};
    MoveToEx(canvas.dc, 1, 1, &previous);
    EXPECT_EQ(previous, (Point{0, 0}));
    LineTo(canvas.dc, 4, 1);
    LineTo(canvas.dc, 4, 4);
    EXPECT_EQ(canvas.dc.CurrentPosition(), (Point{4, 4}));
    // The corner is drawn once by the second line; the final end pixel is not drawn.
    EXPECT_EQ(canvas.image.Pixel(4, 1), kBlack);
    EXPECT_EQ(canvas.image.Pixel(4, 4), kWhite);
    EXPECT_EQ(canvas.CountInk(), 6);
}

TEST(LineTo, DottedPenAlternatesFromTheStart) {
    Canvas canvas(12, 4);
    canvas.dc.SelectPen(Pen{PenStyle::Dot, kBlack});
    Line(canvas.dc, 1, 1, 11, 1);
    Line(canvas.dc, 10, 3, 0, 3);
    EXPECT_EQ(Picture(canvas.image, canvas.image.Bounds(), kWhite),
              "............\n"
              ".#.#.#.#.#..\n"
              "............\n"
              "..#.#.#.#.#.\n");
}

TEST(LineTo, DiagonalsStepOnePixelAlongTheMajorAxis) {
    Canvas canvas(6, 6);
    Line(canvas.dc, 0, 0, 5, 5);
    EXPECT_EQ(canvas.CountInk(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(canvas.image.Pixel(i, i), kBlack);
}

TEST(LineTo, HugeCoordinatesAreClippedNotWalked) {
    Canvas canvas(20, 10);
    // Would be four billion steps if walked; only the visible span is.
    Line(canvas.dc, INT32_MIN, 3, INT32_MAX, 3);
    Line(canvas.dc, 5, INT32_MAX, 5, INT32_MIN);
    Line(canvas.dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(canvas.image.Pixel(0, 3), kBlack);
    EXPECT_EQ(canvas.image.Pixel(19, 3), kBlack);
    EXPECT_EQ(canvas.image.Pixel(5, 0), kBlack);
    EXPECT_EQ(canvas.image.Pixel(5, 9), kBlack);
    EXPECT_GE(canvas.CountInk(), 20 + 9);
    // And to the context's clip rectangle.
    Canvas clipped(10, 5);
    clipped.dc.SetClipRect(Rect{2, 0, 6, 5});
    Line(clipped.dc, 0, 2, 10, 2);
    EXPECT_EQ(clipped.InkBounds(), (Rect{2, 2, 6, 3}));
}

}  // namespace
}  // namespace tabula::test
