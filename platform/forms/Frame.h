#pragma once

// A frame: an etched border with a caption in its top edge, grouping the controls created
// inside it (their parent is the frame's window). The controls inside are tab stops of the
// form; the frame itself never takes the focus. Disabling or hiding the frame takes the
// controls inside out of the Tab order and out of reach of the mouse.

#include <string>

#include "platform/forms/Control.h"

namespace tabula {

class Frame : public Control {
public:
    Frame(HWND parent, const Rect& rect, std::string caption = {});

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    bool IsTabContainer() const override { return true; }
    bool CanTakeFocus() const override { return false; }

protected:
    void Paint() override;

private:
    std::string caption_;
};

}  // namespace tabula
