#include <gtest/gtest.h>

#include "platform/gdi/Color.h"
#include "tests/platform/Canvas.h"
#include "tests/support/TestFiles.h"

// Colours, filled and inverted areas, lines, 3-D edges and scrolling, read back pixel by
// pixel.

namespace tabula::test {
namespace {

// --- Colours
// --------------------------------------------------------------------------------------

// Plain colours pass through; system colours resolve from the classic palette.
TEST(OleTranslateColor, PlainAndSystemColoursResolveAndInvalidOnesFail) {
    // "Nearest palette colour" (0x02...) is the RGB value on 32 bits; then button face, button
    // text, window, window text, button shadow and highlight, 3-D dark shadow, the highlight
    // (dark blue, stored BBGGRR) and the tooltip background.
    const std::pair<OLE_COLOR, COLORREF> cases[] = {
        {0x00123456, 0x123456}, {0x02ABCDEF, 0xABCDEF}, {0x8000000F, 0xC0C0C0},
        {0x80000012, 0x000000}, {0x80000005, 0xFFFFFF}, {0x80000008, 0x000000},
        {0x80000010, 0x808080}, {0x80000014, 0xFFFFFF}, {0x80000015, 0x000000},
        {0x8000000D, 0x800000}, {0x80000018, 0xE1FFFF}};
    for (const auto& [in, out] : cases) {
        COLORREF c = 1;
        EXPECT_EQ(OleTranslateColor(in, &c), S_OK) << std::hex << in;
        EXPECT_EQ(c, out) << std::hex << in;
    }
    EXPECT_EQ(SystemColor(COLOR_BTNFACE), 0x8000000Fu);
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), 0xC0C0C0u);
    // Invalid colours fail and leave the result alone.
    for (OLE_COLOR bad : {0xFFFFFFFFu, 0x80000050u, 0x80000100u, 0x01000005u, 0x40000000u}) {
        COLORREF c = 0x5A5A5A;
        EXPECT_EQ(OleTranslateColor(bad, &c), E_INVALIDARG) << std::hex << bad;
        EXPECT_EQ(c, 0x5A5A5Au);
        EXPECT_EQ(TranslateColorOrBlack(bad), 0u);
    }
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(kSystemColorCount), 0u);
}

// --- Areas
// ----------------------------------------------------------------------------------------

constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(FillRect, StopsOnePixelShortOfRightAndBottomAndClips) {
    Canvas canvas(10, 5);
    FillRect(canvas.dc, Rect{2, 1, 5, 4}, CreateSolidBrush(kRed));
    EXPECT_EQ(Picture(canvas.image, canvas.image.Bounds(), kWhite),
              "..........\n"
              "..###.....\n"
              "..###.....\n"
              "..###.....\n"
              "..........\n");
    EXPECT_EQ(canvas.image.Pixel(2, 1), kRed);
    // Empty, inverted and huge rectangles are clipped.
    canvas.image = PixelImage(10, 5, kWhite);
    FillRect(canvas.dc, Rect{5, 5, 5, 9}, CreateSolidBrush(kRed));  // zero width
    FillRect(canvas.dc, Rect{6, 6, 2, 2}, CreateSolidBrush(kRed));  // inverted
    EXPECT_EQ(canvas.CountInk(), 0);
    FillRect(canvas.dc, Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, CreateSolidBrush(kRed));
    EXPECT_EQ(canvas.CountPixels(kRed), 50);
    FillRect(canvas.dc, Rect{-100, 3, 3, 1000000}, CreateSolidBrush(kBlack));
    EXPECT_EQ(canvas.CountPixels(kBlack), 3 * 2);
    // And to the context's clip rectangle.
    canvas.dc.SetClipRect(Rect{3, 3, 6, 5});
    FillRect(canvas.dc, canvas.image.Bounds(), CreateSolidBrush(kWhite));
    EXPECT_EQ(canvas.CountPixels(kWhite), 3 * 2);
}

TEST(InvertRectAndDrawFocusRect, InvertColourBitsSoTwiceRestoresEveryPixel) {
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
    // A focus rectangle inverts every other outline pixel.
    Canvas focus(9, 7);
    DrawFocusRect(focus.dc, Rect{1, 1, 8, 6});
    EXPECT_EQ(Picture(focus.image, focus.image.Bounds(), kWhite),
              ".........\n"
              ".#.#.#.#.\n"
              ".........\n"
              ".#.....#.\n"
              ".........\n"
              ".#.#.#.#.\n"
              ".........\n");
    // A single column: every other pixel inverted once, none twice.
    Canvas column(6, 6);
    DrawFocusRect(column.dc, Rect{2, 0, 3, 6});
    EXPECT_EQ(column.CountInk(), 3);
    // Drawn twice, any shape restores every pixel.
    const int32_t lo = INT32_MIN, hi = INT32_MAX;
    const Rect shapes[] = {{1, 1, 8, 6},   {2, 2, 3, 6}, {2, 2, 7, 3},  {3, 3, 4, 4},
                           {-4, -3, 5, 4}, {0, 0, 9, 7}, {lo, 2, hi, 5}};
    for (const Rect& r : shapes) {
        Canvas focus(9, 7);
        focus.image = Gradient(9, 7);
        DrawFocusRect(focus.dc, r);
        DrawFocusRect(focus.dc, r);
        EXPECT_EQ(focus.image, Gradient(9, 7))
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(PixelImage, SizesClampAndResizeKeepsThePixelsThatStay) {
    PixelImage negative(-5, 10);
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

// --- Lines
// ----------------------------------------------------------------------------------------

constexpr COLORREF kBlue = RGB(0, 0, 255);

void Line(DeviceContext& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    MoveToEx(dc, x1, y1);
    LineTo(dc, x2, y2);
}

TEST(LineTo, ExcludesTheEndPixelInEveryDirectionAndMovesThePosition) {
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
    // The current position moves, so lines chain.
    Canvas chain(6, 6);
    Point previous{-1, -1};
    MoveToEx(chain.dc, 1, 1, &previous);
    EXPECT_EQ(previous, (Point{0, 0}));
    LineTo(chain.dc, 4, 1);
    LineTo(chain.dc, 4, 4);
    EXPECT_EQ(chain.dc.CurrentPosition(), (Point{4, 4}));
    // The corner is drawn once, by the second line.
    EXPECT_EQ(chain.image.Pixel(4, 1), kBlack);
    EXPECT_EQ(chain.CountInk(), 6);
}

TEST(LineTo, DottedPenAlternatesFromTheStartEvenWhereTheStartIsClipped) {
    Canvas canvas(12, 4);
    canvas.dc.SelectPen(Pen{PenStyle::Dot, kBlack});
    Line(canvas.dc, 1, 1, 11, 1);
    Line(canvas.dc, 10, 3, 0, 3);
    Line(canvas.dc, 11, -1, 11, 4);  // starts above: its dots fall on rows 1 and 3
    Line(canvas.dc, 0, 7, 9, 7);     // below the image: nothing
    EXPECT_EQ(Picture(canvas.image, canvas.image.Bounds(), kWhite),
              "............\n"
              ".#.#.#.#.#.#\n"
              "............\n"
              "..#.#.#.#.##\n");
}

TEST(LineTo, DiagonalsStepAlongTheMajorAxisAndHugeCoordinatesAreClippedNotWalked) {
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
    // Diagonals step one pixel along the major axis.
    Canvas diagonal(6, 6);
    Line(diagonal.dc, 0, 0, 5, 5);
    EXPECT_EQ(diagonal.CountInk(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(diagonal.image.Pixel(i, i), kBlack);
}

// --- Edges and frame controls
// ---------------------------------------------------------------------

constexpr COLORREF kBackground = RGB(1, 2, 3);
const COLORREF kLight = GetSysColor(COLOR_3DLIGHT);
const COLORREF kHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
const COLORREF kShadow = GetSysColor(COLOR_BTNSHADOW);
const COLORREF kDark = GetSysColor(COLOR_3DDKSHADOW);

// Each edge with its outer left-top and right-bottom colours and its inner ones (the
// background where there is no inner edge). A lone inner edge sits on the outermost pixels.
TEST(DrawEdge, PaintsEachSideWithItsPaletteEntry) {
    const COLORREF none = kBackground;
    const struct {
        uint32_t edge;
        COLORREF outerLeftTop, outerRightBottom, innerLeftTop, innerRightBottom;
    } cases[] = {
        {BDR_RAISEDOUTER, kLight, kDark, none, none},
        {BDR_SUNKENOUTER, kShadow, kHighlight, none, none},
        {BDR_RAISEDINNER, kHighlight, kShadow, none, none},
        {BDR_SUNKENINNER, kDark, kLight, none, none},
        {EDGE_RAISED, kLight, kDark, kHighlight, kShadow},
        {EDGE_ETCHED, kShadow, kHighlight, kHighlight, kShadow},
        {EDGE_BUMP, kLight, kDark, kDark, kLight},
        {EDGE_SUNKEN, kShadow, kHighlight, kDark, kLight},
    };
    for (const auto& c : cases) {
        Canvas canvas(10, 8, kBackground);
        Rect r{0, 0, 10, 8};
        DrawEdge(canvas.dc, r, c.edge, BF_RECT);
        const PixelImage& img = canvas.image;
        // Top, left, bottom and right; the far corners belong to the right and bottom sides.
        const std::pair<Point, COLORREF> pixels[] = {
            {{4, 0}, c.outerLeftTop},     {{0, 4}, c.outerLeftTop},
            {{4, 7}, c.outerRightBottom}, {{9, 4}, c.outerRightBottom},
            {{9, 0}, c.outerRightBottom}, {{0, 7}, c.outerRightBottom},
            {{4, 1}, c.innerLeftTop},     {{1, 4}, c.innerLeftTop},
            {{4, 6}, c.innerRightBottom}, {{8, 4}, c.innerRightBottom},
            {{4, 3}, kBackground}};
        for (const auto& [at, colour] : pixels)
            EXPECT_EQ(img.Pixel(at.x, at.y), colour) << c.edge << " at " << at.x << "," << at.y;
    }
}

TEST(DrawEdge, DrawsOnlyTheFlaggedSidesAndAdjustsOnlyWhenAsked) {
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
    // BF_ADJUST shrinks the rectangle by the edges drawn; BF_MIDDLE fills what is left.
    DrawEdge(canvas.dc, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(r, (Rect{2, 2, 8, 6}));
    EXPECT_EQ(canvas.image.Pixel(4, 3), GetSysColor(COLOR_BTNFACE));
    Rect thin{0, 0, 10, 8};
    DrawEdge(canvas.dc, thin, BDR_RAISEDOUTER, BF_TOP | BF_ADJUST);
    EXPECT_EQ(thin, (Rect{0, 1, 10, 8}));
}

TEST(DrawEdge, MonoDrawsOneColourFrameAndDegenerateRectanglesNothingOutside) {
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
    // Degenerate rectangles draw nothing outside the image.
    Canvas degenerate(10, 8, kBackground);
    for (Rect r :
         {Rect{5, 5, 5, 5}, Rect{8, 8, 2, 2}, Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}}) {
        DrawEdge(degenerate.dc, r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
    }
    EXPECT_EQ(degenerate.CountPixels(GetSysColor(COLOR_BTNFACE)), 10 * 8);  // the huge one's middle
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

// --- Scrolling
// ------------------------------------------------------------------------------------

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
        // Vertical moves turn row starts, but look alike.
        {0, -4, {0, 3, 20, 18}, {0, 3, 20, 18}, {0, 14, 20, 18}},
        {0, 2, {1, 1, 19, 19}, {1, 1, 19, 19}, {1, 1, 19, 3}},
        {0, 6, {0, 2, 20, 19}, all, {0, 0, 20, 8}},
        {0, -12, {0, 2, 20, 19}, all, {0, 7, 20, 20}},
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
    // Without rectangles the whole image scrolls. Drawing after whole-row moves, and a copy,
    // see the rows where they show.
    PixelImage image = Gradient(20, 20);
    DeviceContext dc(image);
    ScrollDC(dc, 0, 5, nullptr, nullptr, nullptr);
    ScrollDC(dc, 0, -3, nullptr, nullptr, nullptr);
    PixelImage expected = Scrolled(Scrolled(Gradient(20, 20), 0, 5, all, all), 0, -3, all, all);
    EXPECT_EQ(image, expected);
    constexpr COLORREF kInk = RGB(250, 0, 250);
    Brush brush = CreateSolidBrush(kInk);
    FillRect(dc, Rect{2, 4, 6, 9}, brush);
    DeleteObject(brush);
    for (int32_t y = 4; y < 9; ++y) {
        for (int32_t x = 2; x < 6; ++x)
            expected.SetPixel(x, y, kInk);
    }
    EXPECT_EQ(image, expected);
    const PixelImage copy = image;
    EXPECT_EQ(std::vector<COLORREF>(copy.Pixels().begin(), copy.Pixels().end()),
              std::vector<COLORREF>(expected.Pixels().begin(), expected.Pixels().end()));
}

}  // namespace
}  // namespace tabula::test
