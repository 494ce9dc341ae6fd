#pragma once

// A command button that shows a down arrow instead of a caption: the button that opens a
// drop-down list, drawn as the drop-down list control's own.

#include "platform/forms/PictureBox.h"

namespace tabula {

class DropDownButton : public CommandButton {
public:
    DropDownButton(HWND parent, const Rect& rect) : CommandButton(parent, rect) {}

protected:
    void Paint() override;
};

}  // namespace tabula
