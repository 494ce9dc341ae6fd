#include "platform/forms/ArrowButton.h"

#include <algorithm>

#include "platform/gdi/Drawing.h"

namespace tabula {

namespace {

// A solid triangle pointing `direction`, `depth` pixels deep, its base 2 * depth - 1
// pixels long, with its bounding box at (x, y).
void DrawTriangle(DeviceContext& dc, int32_t x, int32_t y, int32_t depth, ArrowDirection direction,
                  COLORREF color) {
    const Brush brush = CreateSolidBrush(color);
    for (int32_t i = 0; i < depth; ++i) {
        // Row i of the triangle counted from its base: 2 * (depth - i) - 1 pixels long.
        const int32_t length = 2 * (depth - i) - 1;
        const int32_t from = i;
        switch (direction) {
            case ArrowDirection::Up:
                FillRect(dc, Rect{x + from, y + depth - 1 - i, x + from + length, y + depth - i},
                         brush);
                break;
            case ArrowDirection::Down:
                FillRect(dc, Rect{x + from, y + i, x + from + length, y + i + 1}, brush);
                break;
            case ArrowDirection::Left:
                FillRect(dc, Rect{x + depth - 1 - i, y + from, x + depth - i, y + from + length},
                         brush);
                break;
            case ArrowDirection::Right:
                FillRect(dc, Rect{x + i, y + from, x + i + 1, y + from + length}, brush);
                break;
        }
    }
}

}  // namespace

void DrawArrowButton(DeviceContext& dc, const Rect& rect, ArrowDirection direction,
                     uint32_t state) {
    if (rect.IsEmpty()) return;
    const bool pushed = state & kArrowButtonPushed;
    Rect face = rect;
    DrawFrameControl(dc, face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0u));

    const int32_t side = static_cast<int32_t>(std::min(rect.Width(), rect.Height()));
    const int32_t depth = std::max(1, (side - 4) / 4 + 1);
    const int32_t base = 2 * depth - 1;
    const bool vertical = direction == ArrowDirection::Up || direction == ArrowDirection::Down;
    const int32_t boxWidth = vertical ? base : depth;
    const int32_t boxHeight = vertical ? depth : base;
    int32_t x = static_cast<int32_t>(rect.left + (rect.Width() - boxWidth) / 2);
    int32_t y = static_cast<int32_t>(rect.top + (rect.Height() - boxHeight) / 2);
    if (pushed) ++x, ++y;

    // The glyph never spills over the button's edges.
    DeviceContextStateSaver saver(dc);
    dc.SetClipRect(Intersect(dc.ClipSetting(), rect));
    if (state & kArrowButtonDisabled) {
        DrawTriangle(dc, x + 1, y + 1, depth, direction, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTriangle(dc, x, y, depth, direction, GetSysColor(COLOR_BTNSHADOW));
    } else {
        DrawTriangle(dc, x, y, depth, direction, GetSysColor(COLOR_BTNTEXT));
    }
}

}  // namespace tabula
