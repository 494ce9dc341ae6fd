#include <gtest/gtest.h>

#include "tests/platform/Canvas.h"

namespace tabula::test {
namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
const COLORREF kLight = GetSysColor(COLOR_3DLIGHT);
const COLORREF kHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
const COLORREF kShadow = GetSysColor(COLOR_BTNSHADOW);
const COLORREF kDark = GetSysColor(COLOR_3DDKSHADOW);

struct EdgeCase {
    uint32_t edge;
    COLORREF outerLeftTop, outerRightBottom;
    COLORREF innerLeftTop, innerRightBottom;  // kBackground where there is no inner edge
};

class DrawEdgeColours : public testing::TestWithParam<EdgeCase> {};

TEST_P(DrawEdgeColours, PaintEachSideWithItsPaletteEntry) {
    const EdgeCase& c = GetParam();
    Canvas canvas(10, 8, kBackground);
    Rect r{0, 0, 10, 8};
    DrawEdge(canvas.dc, r, c.edge, BF_RECT);
    const PixelImage& img = canvas.image;
    EXPECT_EQ(img.Pixel(4, 0), c.outerLeftTop) << "top";
    EXPECT_EQ(img.Pixel(0, 4), c.outerLeftTop) << "left";
    EXPECT_EQ(img.Pixel(4, 7), c.outerRightBottom) << "bottom";
    EXPECT_EQ(img.Pixel(9, 4), c.outerRightBottom) << "right";
    // The far corners belong to the right and bottom sides.
    EXPECT_EQ(img.Pixel(9, 0), c.outerRightBottom);
    EXPECT_EQ(img.Pixel(0, 7), c.outerRightBottom);
    EXPECT_EQ(img.Pixel(4, 1), c.innerLeftTop) << "inner top";
    EXPECT_EQ(img.Pixel(1, 4), c.innerLeftTop) << "inner left";
    EXPECT_EQ(img.Pixel(4, 6), c.innerRightBottom) << "inner bottom";
    EXPECT_EQ(img.Pixel(8, 4), c.innerRightBottom) << "inner right";
    EXPECT_EQ(img.Pixel(4, 3), kBackground) << "middle untouched";
}

INSTANTIATE_TEST_SUITE_P(
    AllEdges, DrawEdgeColours,
    testing::Values(EdgeCase{BDR_RAISEDOUTER, kLight, kDark, kBackground, kBackground},
                    EdgeCase{BDR_SUNKENOUTER, kShadow, kHighlight, kBackground, kBackground},
                    // A lone inner edge sits on the outermost pixels.
                    EdgeCase{BDR_RAISEDINNER, kHighlight, kShadow, kBackground, kBackground},
                    EdgeCase{BDR_SUNKENINNER, kDark, kLight, kBackground, kBackground},
                    EdgeCase{EDGE_RAISED, kLight, kDark, kHighlight, kShadow},
                    EdgeCase{EDGE_ETCHED, kShadow, kHighlight, kHighlight, kShadow},
                    EdgeCase{EDGE_BUMP, kLight, kDark, kDark, kLight},
                    EdgeCase{EDGE_SUNKEN, kShadow, kHighlight, kDark, kLight}),
    [](const testing::TestParamInfo<EdgeCase>& info) {
        return "Edge" + std::to_string(info.param.edge);
    });

TEST(DrawEdge, DrawsOnlyTheFlaggedSides) {
    Canvas canvas(10, 8, kBackground);
    Rect r{0, 0, 10, 8};
    DrawEdge(canvas.dc, r, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
    EXPECT_EQ(canvas.image.Pixel(9, 0), kHighlight);  // top runs to the last column
    EXPECT_EQ(canvas.image.Pixel(9, 4), kBackground);
    EXPECT_EQ(canvas.image.Pixel(4, 7), kBackground);
    DrawEdge(canvas.dc, r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
    EXPECT_EQ(canvas.image.Pixel(9, 0), kDark);
    EXPECT_EQ(canvas.image.Pixel(0, 7), kDark);
    EXPECT_EQ(canvas.image.Pixel(0, 0), kHighlight);
    EXPECT_EQ(r, (Rect{0, 0, 10, 8}));  // no BF_ADJUST: rectangle unchanged
}

TEST(DrawEdge, MonoDrawsOneColourFrame) {
    Canvas canvas(6, 5, kBackground);
    Rect r{0, 0, 6, 5};
    DrawEdge(canvas.dc, r, BDR_RAISEDOUTER, BF_RECT | BF_MONO);
    EXPECT_EQ(Picture(canvas.image, canvas.image.Bounds(), kBackground),
              "######\n"
              "#....#\n"
              "#....#\n"
              "#....#\n"
              "######\n");
    EXPECT_EQ(canvas.CountPixels(GetSysColor(COLOR_WINDOWFRAME)), 18);
}

TEST(DrawEdge, AdjustShrinksByTheEdgesDrawnAndMiddleFills) {
    Canvas canvas(10, 8, kBackground);
    Rect r{0, 0, 10, 8};
    DrawEdge(canvas.dc, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(r, (Rect{2, 2, 8, 6}));
    EXPECT_EQ(canvas.image.Pixel(4, 3), GetSysColor(COLOR_BTNFACE));
    Rect thin{0, 0, 10, 8};
    DrawEdge(canvas.dc, thin, BDR_RAISEDOUTER, BF_TOP | BF_ADJUST);
    EXPECT_EQ(thin, (Rect{0, 1, 10, 8}));
}

TEST(DrawEdge, DegenerateRectanglesDrawNothingOutsideTheImage) {
    Canvas canvas(10, 8, kBackground);
    for (Rect r :
         {Rect{5, 5, 5, 5}, Rect{8, 8, 2, 2}, Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}}) {
        DrawEdge(canvas.dc, r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
    }
    EXPECT_EQ(canvas.CountPixels(GetSysColor(COLOR_BTNFACE)), 10 * 8);  // the huge one's middle
}

// An empty box: a sunken frame round an 11 x 11 square of window colour. A checked box adds
// the 21 window-text pixels of the check mark, all strictly inside the square.
TEST(DrawFrameControl, CheckBoxIsASunkenWhiteSquareAndTheMarkIsInside) {
    Canvas empty(20, 17, kBackground);
    Rect box{3, 1, 18, 16};
    DrawFrameControl(empty.dc, box, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(empty.InkBounds(), (Rect{3, 1, 18, 16}));
    EXPECT_EQ(empty.image.Pixel(3, 1), kShadow);  // sunken outer
    EXPECT_EQ(empty.image.Pixel(4, 2), kDark);    // sunken inner
    EXPECT_EQ(empty.image.Pixel(17, 15), kHighlight);
    EXPECT_EQ(empty.image.Pixel(16, 14), kLight);
    // The highlighted bottom and right sides are white too.
    EXPECT_EQ(empty.CountPixels(kWhite), 11 * 11 + 15 + 14);

    Canvas checked(20, 17, kBackground);
    DrawFrameControl(checked.dc, box, DFC_BUTTON, DFCS_CHECKED);
    int changed = 0;
    for (int32_t y = 0; y < 17; ++y) {
        for (int32_t x = 0; x < 20; ++x) {
            if (empty.image.Pixel(x, y) == checked.image.Pixel(x, y)) continue;
            ++changed;
            EXPECT_EQ(checked.image.Pixel(x, y), GetSysColor(COLOR_WINDOWTEXT));
            EXPECT_TRUE((Rect{5, 3, 16, 14}).Contains(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(changed, 21);
}

TEST(DrawFrameControl, CheckBoxUsesTheLargestCentredSquareAndUnknownTypesDrawNothing) {
    Canvas canvas(40, 20, kBackground);
    Rect wide{0, 0, 31, 15};
    EXPECT_FALSE(DrawFrameControl(canvas.dc, wide, 3, 0));
    EXPECT_EQ(canvas.CountInk(), 0);
    DrawFrameControl(canvas.dc, wide, DFC_BUTTON, DFCS_CHECKED);
    EXPECT_EQ(canvas.InkBounds(), (Rect{8, 0, 23, 15}));
}

}  // namespace
}  // namespace tabula::test
