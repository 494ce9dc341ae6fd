#pragma once

// A check box with a caption to its right. Value is 0 (unchecked), 1 (checked) or 2
// (greyed). A click on the box or its caption, or Space while it has the focus, toggles
// between unchecked and checked (a greyed box becomes unchecked). Click is raised once for
// every change of Value, whether a person or code made it.

#include <string>

#include "platform/forms/Control.h"

namespace tabula {

enum : int16_t { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

class CheckBox : public Control {
public:
    static constexpr int32_t kBoxSize = 13;

    CheckBox(HWND parent, const Rect& rect, std::string caption = {});

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    int16_t Value() const { return value_; }
    // Values other than 0, 1 and 2 are ignored.
    void SetValue(int16_t value);

    // Where the box is drawn, in client coordinates.
    Rect BoxRect() const;

protected:
    void Paint() override;
    void OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnKeyDown(int16_t keyCode, int16_t shift) override;
    bool ClickOnRelease() const override { return false; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Toggle();
    bool Inside(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < Width() && y < Height();
    }

    std::string caption_;
    int16_t value_ = vbUnchecked;
    bool held_ = false;     // the left button went down on the control and is still down
    bool pressed_ = false;  // ... and the mouse is over the control: the box looks pushed
};

}  // namespace tabula
