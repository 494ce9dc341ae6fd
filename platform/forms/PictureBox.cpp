#include "platform/forms/PictureBox.h"

#include <utility>

#include "platform/gdi/Drawing.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

PictureBox::PictureBox(HWND parent, const Rect& rect) : Control(parent, rect, "PictureBox") {
    Cls();
}

void PictureBox::Cls() {
    image_.Fill(TranslateColorOrBlack(BackColor()));
    ImageChanged();
}

void PictureBox::SetDrawStyle(int16_t style) {
    drawStyle_ = style;
    dc_.SelectPen(Pen{style == 2 ? PenStyle::Dot : PenStyle::Solid, dc_.CurrentPen().color});
}

int32_t PictureBox::TextWidth(std::string_view text) {
    return GetTextExtent(dc_, text).cx;
}

int32_t PictureBox::TextHeight(std::string_view text) {
    return GetTextExtent(dc_, text).cy;
}

CommandButton::CommandButton(HWND parent, const Rect& rect, std::string caption)
    : Control(parent, rect, "CommandButton"), caption_(std::move(caption)) {
    Refresh();
}

void CommandButton::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Refresh();
}

void CommandButton::Paint() {
    FillRect(dc_, image_.Bounds(), CreateSolidBrush(TranslateColorOrBlack(BackColor())));
    Rect frame = image_.Bounds();
    if (pressed_) {
        DrawEdge(dc_, frame, BDR_RAISEDOUTER, BF_RECT | BF_MONO | BF_ADJUST);
        DrawEdge(dc_, frame, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else {
        if (HasFocus()) DrawEdge(dc_, frame, BDR_RAISEDOUTER, BF_RECT | BF_MONO | BF_ADJUST);
        DrawEdge(dc_, frame, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    dc_.SetTextColor(Enabled() ? TranslateColorOrBlack(ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
    Rect text = frame;
    if (pressed_) text.left += 1, text.top += 1;
    DrawText(dc_, caption_, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    if (HasFocus()) {
        Rect focus = frame;
        focus.left += 2, focus.top += 2, focus.right -= 2, focus.bottom -= 2;
        DrawFocusRect(dc_, focus);
    }
}

void CommandButton::OnMouseDown(int16_t button, int16_t, int32_t, int32_t) {
    if (button != vbLeftButton) return;
    pressed_ = true;
    Refresh();
}

void CommandButton::OnMouseMove(int16_t button, int16_t, int32_t x, int32_t y) {
    if (!(button & vbLeftButton)) return;
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (inside != pressed_) {
        pressed_ = inside;
        Refresh();
    }
}

void CommandButton::OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) {
    // A button knows no double click: the second press of a quick pair is a click too.
    OnMouseDown(button, shift, x, y);
    secondPress_ = button == vbLeftButton;
}

void CommandButton::OnMouseUp(int16_t button, int16_t, int32_t x, int32_t y) {
    const bool secondPress = std::exchange(secondPress_, false);
    if (button != vbLeftButton || !pressed_) return;
    pressed_ = false;
    Refresh();
    // The runtime raises no Click for the release that ends a double click, so the button
    // does, when it is released over the button.
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (secondPress && inside && Click) Click();
}

void CommandButton::OnKeyDown(int16_t keyCode, int16_t) {
    if ((keyCode == VK_SPACE || keyCode == VK_RETURN) && Click) Click();
}

}  // namespace tabula
