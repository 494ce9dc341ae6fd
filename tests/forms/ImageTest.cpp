#include "platform/forms/Image.h"

#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);

// A picture of four coloured quarters.
PixelImage Quarters(int32_t w, int32_t h) {
    PixelImage picture(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            picture.SetPixel(
                x, y, y < h / 2 ? (x < w / 2 ? kRed : kGreen) : (x < w / 2 ? kBlue : kYellow));
        }
    }
    return picture;
}

class ImageTest : public test::FormFixture {
protected:
    void SetUp() override { form_.Show(); }
    Image image_{form_.hWnd(), Rect{10, 10, 110, 110}};
};

TEST_F(ImageTest, TheControlTakesThePicturesSizeUnlessStretchedAndEmptyShowsTheBackColour) {
    image_.SetPicture(Quarters(4, 6));
    EXPECT_EQ(image_.Width(), 4);
    EXPECT_EQ(image_.Height(), 6);
    EXPECT_EQ(host_.Screenshot(image_.hWnd()), image_.Picture());
    image_.SetStretch(true);
    image_.Move(10, 10, 100, 100);
    image_.SetPicture(Quarters(2, 2));
    EXPECT_EQ(host_.Screenshot(image_.hWnd()), Quarters(100, 100));
    image_.Move(10, 10, 30, 300);  // follows a resize
    EXPECT_EQ(host_.Screenshot(image_.hWnd()), Quarters(30, 300));
    image_.SetPicture(PixelImage());  // an empty picture shows the back colour
    EXPECT_EQ(host_.Screenshot(image_.hWnd()).Pixel(20, 20), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(image_.Width(), 30);
    image_.SetPicture(Quarters(2, 2));
    image_.SetStretch(false);
    EXPECT_EQ(image_.Width(), 2);
}

}  // namespace
}  // namespace tabula
