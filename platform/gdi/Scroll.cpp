#include <algorithm>
#include <cstring>

#include "platform/gdi/Drawing.h"

namespace tabula {

bool ScrollDC(DeviceContext& dc, int32_t dx, int32_t dy, const Rect* scroll, const Rect* clip,
              Rect* update) {
    PixelImage& image = dc.Image();
    const Rect source = scroll ? Intersect(*scroll, image.Bounds()) : image.Bounds();
    const Rect limit = Intersect(clip ? *clip : source, dc.ClipRect());

    // Destination = the source moved by (dx, dy), limited to what may change.
    const auto shift = [](int32_t v, int32_t d) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{v} + d, INT32_MIN, INT32_MAX));
    };
    const Rect moved{shift(source.left, dx), shift(source.top, dy), shift(source.right, dx),
                     shift(source.bottom, dy)};
    const Rect target = Intersect(moved, limit);

    // A vertical move turns row starts rather than copying rows, when that is cheaper.
    if (!target.IsEmpty() && !(dx == 0 && image.ScrollRows(target, dy))) {
        const size_t count = size_t(target.right - target.left);
        const int32_t fromX = target.left - dx;
        // Copy rows in the order that never reads a row already overwritten.
        if (dy > 0) {
            for (int32_t y = target.bottom - 1; y >= target.top; --y) {
                std::memmove(image.Row(y) + target.left, image.Row(y - dy) + fromX,
                             count * sizeof(COLORREF));
            }
        } else {
            for (int32_t y = target.top; y < target.bottom; ++y) {
                std::memmove(image.Row(y) + target.left, image.Row(y - dy) + fromX,
                             count * sizeof(COLORREF));
            }
        }
    }

    if (update) {
        // The strip of `limit` that no moved pixel covers; its bounding rectangle.
        Rect strip = limit;
        if (!target.IsEmpty()) {
            if (target.top <= limit.top && target.bottom >= limit.bottom) {
                if (target.left > limit.left)
                    strip.right = target.left;
                else if (target.right < limit.right)
                    strip.left = target.right;
                else
                    strip = Rect{};
            } else if (target.left <= limit.left && target.right >= limit.right) {
                if (target.top > limit.top)
                    strip.bottom = target.top;
                else if (target.bottom < limit.bottom)
                    strip.top = target.bottom;
                else
                    strip = Rect{};
            }
        }
        *update = strip.IsEmpty() ? Rect{} : strip;
    }
    return true;
}

}  // namespace tabula
