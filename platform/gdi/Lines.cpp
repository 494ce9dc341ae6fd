#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/Drawing.h"

namespace tabula {

namespace {

// round(i * delta / steps) with halves rounded up. The product needs 66 bits for lines
// spanning the whole coordinate range.
int64_t Step(int64_t i, int64_t delta, int64_t steps) {
#if defined(__SIZEOF_INT128__)
    const __int128 a = __int128{2} * i * delta + steps;
    const __int128 b = __int128{2} * steps;
    return static_cast<int64_t>(a >= 0 ? a / b : -((-a + b - 1) / b));
#else
    return static_cast<int64_t>(std::floor((2.0L * i * delta + steps) / (2.0L * steps)));
#endif
}

// The offset of pixel i along an axis that moves `delta` over the line: exact without a
// division for the axis-aligned and diagonal lines that grids are made of.
int64_t Offset(int64_t i, int64_t delta, int64_t steps) {
    if (delta == 0) return 0;
    if (delta == steps) return i;
    if (delta == -steps) return -i;
    return Step(i, delta, steps);
}

}  // namespace

bool MoveToEx(DeviceContext& dc, int32_t x, int32_t y, Point* previous) {
    if (previous) *previous = dc.CurrentPosition();
    dc.SetCurrentPosition(Point{x, y});
    return true;
}

bool LineTo(DeviceContext& dc, int32_t x, int32_t y) {
    const Point from = dc.CurrentPosition();
    dc.SetCurrentPosition(Point{x, y});
    const int64_t dx = int64_t{x} - from.x;
    const int64_t dy = int64_t{y} - from.y;
    const int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0) return true;

    const Rect clip = dc.ClipRect();
    if (clip.IsEmpty()) return true;
    // Pixel i lies at from + round(i * delta / steps) for i in [0, steps). Along the major
    // axis it moves one pixel a step, so only the steps inside the clip's span are walked.
    const bool majorX = std::llabs(dx) >= std::llabs(dy);
    const int64_t start = majorX ? from.x : from.y;
    const int64_t sign = (majorX ? dx : dy) > 0 ? 1 : -1;
    const int64_t low = majorX ? clip.left : clip.top;
    const int64_t high = (majorX ? clip.right : clip.bottom) - 1;
    int64_t first = sign > 0 ? low - start : start - high;
    int64_t last = sign > 0 ? high - start : start - low;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, steps - 1);

    const Pen& pen = dc.CurrentPen();
    PixelImage& image = dc.Image();
    if (dx == 0 || dy == 0) {
        // Grid lines: the minor coordinate is fixed, so the clip is checked once and the
        // run written straight.
        const int64_t fixed = majorX ? from.y : from.x;
        if (fixed < (majorX ? clip.top : clip.left) || fixed >= (majorX ? clip.bottom : clip.right))
            return true;
        const int64_t step = pen.style == PenStyle::Dot ? 2 : 1;
        for (int64_t i = first + ((pen.style == PenStyle::Dot) & first); i <= last; i += step) {
            const int64_t along = start + sign * i;
            if (majorX)
                image.Row(static_cast<int32_t>(fixed))[along] = pen.color;
            else
                image.Row(static_cast<int32_t>(along))[fixed] = pen.color;
        }
        return true;
    }
    for (int64_t i = first; i <= last; ++i) {
        if (pen.style == PenStyle::Dot && (i & 1)) continue;
        const int64_t px = from.x + Offset(i, dx, steps);
        const int64_t py = from.y + Offset(i, dy, steps);
        if (px < clip.left || px >= clip.right || py < clip.top || py >= clip.bottom) continue;
        image.Row(static_cast<int32_t>(py))[px] = pen.color;
    }
    return true;
}

}  // namespace tabula
