#include "platform/forms/Image.h"

#include <algorithm>

#include "platform/gdi/Drawing.h"
#include "platform/window/Windows.h"

namespace tabula {

Image::Image(HWND parent, const Rect& rect) : Control(parent, rect, "Image") {
    SetTabStop(false);
    Refresh();
}

void Image::SetPicture(PixelImage picture) {
    picture_ = std::move(picture);
    FitToPicture();
    Refresh();
}

void Image::SetStretch(bool on) {
    stretch_ = on;
    FitToPicture();
    Refresh();
}

void Image::FitToPicture() {
    if (stretch_ || picture_.Width() == 0 || picture_.Height() == 0) return;
    if (picture_.Width() != Width() || picture_.Height() != Height()) {
        MoveWindow(hWnd(), Left(), Top(), picture_.Width(), picture_.Height());
    }
}

void Image::Paint() {
    FillRect(dc_, image_.Bounds(), CreateSolidBrush(TranslateColorOrBlack(BackColor())));
    const int32_t pw = picture_.Width(), ph = picture_.Height();
    if (pw == 0 || ph == 0) return;
    const int32_t w = image_.Width(), h = image_.Height();
    if (!stretch_) {
        for (int32_t y = 0; y < std::min(h, ph); ++y) {
            std::copy_n(picture_.Row(y), std::min(w, pw), image_.Row(y));
        }
        return;
    }
    // Nearest neighbour: each pixel takes the picture's pixel under its centre.
    for (int32_t y = 0; y < h; ++y) {
        const int32_t sy = static_cast<int32_t>((int64_t{y} * 2 + 1) * ph / (int64_t{h} * 2));
        const COLORREF* from = picture_.Row(sy);
        COLORREF* to = image_.Row(y);
        for (int32_t x = 0; x < w; ++x) {
            to[x] = from[(int64_t{x} * 2 + 1) * pw / (int64_t{w} * 2)];
        }
    }
}

}  // namespace tabula
