#include <algorithm>
#include <cstring>

#include "platform/gdi/Drawing.h"

namespace tabula {

Brush CreateSolidBrush(COLORREF color) {
    return Brush{color & 0xFFFFFF};
}

bool FillRect(DeviceContext& dc, const Rect& rect, Brush brush) {
    const Rect area = Intersect(rect, dc.ClipRect());
    PixelImage& image = dc.Image();
    const COLORREF color = brush.color & 0xFFFFFF;
    if (area.IsEmpty()) return true;
    // Fill the first row, then copy it: block copies run at memory speed, where a
    // pixel-by-pixel fill of every row does not.
    const size_t width = size_t(area.right - area.left);
    const COLORREF* first = image.Row(area.top) + area.left;
    std::fill_n(image.Row(area.top) + area.left, width, color);
    for (int32_t y = area.top + 1; y < area.bottom; ++y) {
        std::memcpy(image.Row(y) + area.left, first, width * sizeof(COLORREF));
    }
    return true;
}

bool InvertRect(DeviceContext& dc, const Rect& rect) {
    const Rect area = Intersect(rect, dc.ClipRect());
    PixelImage& image = dc.Image();
    for (int32_t y = area.top; y < area.bottom; ++y) {
        COLORREF* row = image.Row(y);
        for (int32_t x = area.left; x < area.right; ++x)
            row[x] ^= 0xFFFFFF;
    }
    return true;
}

namespace {

void InvertIfDotted(DeviceContext& dc, const Rect& clip, int32_t x, int32_t y) {
    if (((uint32_t(x) + uint32_t(y)) & 1) == 0 && clip.Contains(x, y))
        dc.Image().Row(y)[x] ^= 0xFFFFFF;
}

}  // namespace

bool DrawFocusRect(DeviceContext& dc, const Rect& rect) {
    if (rect.IsEmpty()) return true;
    const Rect clip = dc.ClipRect();
    // Walk only the part of each side that can be visible; each outline pixel is visited
    // exactly once, so corners are not inverted twice.
    const int32_t x0 = std::max(rect.left, clip.left - 1);
    const int32_t x1 = std::min(rect.right, clip.right + 1);
    const int32_t y0 = std::max(rect.top + 1, clip.top - 1);
    const int32_t y1 = std::min(rect.bottom - 1, clip.bottom + 1);
    const int32_t lastRow = rect.bottom - 1;
    const int32_t lastColumn = rect.right - 1;
    for (int32_t x = x0; x < x1; ++x) {
        InvertIfDotted(dc, clip, x, rect.top);
        if (lastRow != rect.top) InvertIfDotted(dc, clip, x, lastRow);
    }
    for (int32_t y = y0; y < y1; ++y) {
        InvertIfDotted(dc, clip, rect.left, y);
        if (lastColumn != rect.left) InvertIfDotted(dc, clip, lastColumn, y);
    }
    return true;
}

}  // namespace tabula
