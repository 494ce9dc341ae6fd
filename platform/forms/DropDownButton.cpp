#include "platform/forms/DropDownButton.h"

#include "platform/forms/ArrowButton.h"

namespace tabula {

void DropDownButton::Paint() {
    uint32_t state = kArrowButtonNormal;
    if (!Enabled()) state = kArrowButtonDisabled;
    if (Pressed()) state = kArrowButtonPushed;
    DrawArrowButton(dc_, image_.Bounds(), ArrowDirection::Down, state);
}

}  // namespace tabula
