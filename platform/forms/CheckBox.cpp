#include "platform/forms/CheckBox.h"

#include "platform/gdi/Drawing.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

CheckBox::CheckBox(HWND parent, const Rect& rect, std::string caption)
    : Control(parent, rect, "CheckBox"), caption_(std::move(caption)) {
    Refresh();
}

void CheckBox::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Refresh();
}

void CheckBox::SetValue(int16_t value) {
    if (value < vbUnchecked || value > vbGrayed || value == value_) return;
    value_ = value;
    Refresh();
    if (Click) Click();
}

void CheckBox::Toggle() {
    SetValue(value_ == vbUnchecked ? vbChecked : vbUnchecked);
}

Rect CheckBox::BoxRect() const {
    const int32_t top = (Height() - kBoxSize) / 2;
    return Rect{0, top, kBoxSize, top + kBoxSize};
}

void CheckBox::Paint() {
    FillRect(dc_, image_.Bounds(), CreateSolidBrush(TranslateColorOrBlack(BackColor())));
    uint32_t state = DFCS_BUTTONCHECK;
    if (value_ != vbUnchecked) state |= DFCS_CHECKED;
    // Greyed shows the mark in grey on the button face, as a disabled box does.
    if (value_ == vbGrayed || !Enabled()) state |= DFCS_INACTIVE;
    if (pressed_) state |= DFCS_PUSHED;
    Rect box = BoxRect();
    DrawFrameControl(dc_, box, DFC_BUTTON, state);

    DeviceContextStateSaver saver(dc_);
    dc_.SetTextColor(Enabled() ? TranslateColorOrBlack(ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
    Rect text{kBoxSize + 4, 0, Width(), Height()};
    DrawText(dc_, caption_, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (HasFocus() && !caption_.empty()) {
        // The focus rectangle hugs the caption.
        Rect extent = text;
        DrawText(dc_, caption_, extent, DT_SINGLELINE | DT_CALCRECT);
        const int32_t height = static_cast<int32_t>(extent.Height());
        const int32_t top = (Height() - height) / 2;
        DrawFocusRect(dc_, Rect{text.left - 1, top - 1, std::min(extent.right + 1, Width()),
                                std::min(top + height + 1, Height())});
    }
}

void CheckBox::OnMouseDown(int16_t button, int16_t, int32_t, int32_t) {
    if (button != vbLeftButton) return;
    held_ = pressed_ = true;
    Refresh();
}

void CheckBox::OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) {
    // Each click of a quick pair toggles.
    OnMouseDown(button, shift, x, y);
}

void CheckBox::OnMouseMove(int16_t button, int16_t, int32_t x, int32_t y) {
    if (!held_ || !(button & vbLeftButton)) return;
    if (Inside(x, y) != pressed_) {
        pressed_ = !pressed_;
        Refresh();
    }
}

void CheckBox::OnMouseUp(int16_t button, int16_t, int32_t x, int32_t y) {
    if (button != vbLeftButton || !held_) return;
    held_ = pressed_ = false;
    Refresh();
    if (Inside(x, y)) Toggle();
}

LRESULT CheckBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Losing the mouse (the release itself, or the box disabled under it) ends the pushed
    // look; the release still decides whether the press was a click.
    if (message == WM_CAPTURECHANGED && pressed_) {
        pressed_ = false;
        Refresh();
    }
    return Control::WindowProc(message, wParam, lParam);
}

void CheckBox::OnKeyDown(int16_t keyCode, int16_t) {
    if (keyCode == VK_SPACE) Toggle();
}

}  // namespace tabula
