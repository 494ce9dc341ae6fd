#pragma once

// The small 3D push button with an arrow on it that sits at each end of a scroll bar and
// on the right of a drop-down list.

#include <cstdint>

#include "platform/gdi/DeviceContext.h"

namespace tabula {

enum class ArrowDirection { Up, Down, Left, Right };

enum ArrowButtonState : uint32_t {
    kArrowButtonNormal = 0,
    kArrowButtonPushed = 1,    // sunken, the arrow one pixel down and right
    kArrowButtonDisabled = 2,  // the arrow greyed and embossed
};

// Draws the button filling `rect` and an arrow centred on it, sized to the button's
// shorter side (a 17-pixel button carries an arrow 7 pixels wide and 4 deep).
void DrawArrowButton(DeviceContext& dc, const Rect& rect, ArrowDirection direction,
                     uint32_t state = kArrowButtonNormal);

}  // namespace tabula
