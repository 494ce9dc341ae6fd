#include "services/DialogParts.h"

#include <algorithm>

#include "platform/window/Desktop.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

Rect DialogRect(HWND owner, int32_t width, int32_t height) {
    Rect around{0, 0, 0, 0};
    if (!(owner != 0 && IsWindow(owner) && GetWindowRect(owner, &around))) {
        const Size screen = Desktop::Current()->ScreenSize();
        around = {0, 0, screen.cx, screen.cy};
    }
    const int32_t left = std::max(0, around.left + (around.right - around.left - width) / 2);
    const int32_t top = std::max(0, around.top + (around.bottom - around.top - height) / 2);
    return {left, top, left + width, top + height};
}

DialogForm::DialogForm(HWND owner, int32_t width, int32_t height, std::string caption)
    : form_(DialogRect(owner, width, height), std::move(caption)) {
    form_.SetKeyPreview(true);
    form_.KeyDown = [this](int16_t& keyCode, int16_t) {
        if (keyCode != VK_ESCAPE || (KeepEscape && KeepEscape())) return;
        keyCode = 0;
        Cancel();
    };
}

bool DialogForm::Run() {
    accepted_ = false;
    form_.Show(vbModal);
    return accepted_;
}

void DialogForm::Accept() {
    accepted_ = true;
    form_.Unload();
}

void DialogForm::Cancel() {
    accepted_ = false;
    form_.Unload();
}

void ChoiceList::OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) {
    ListBox::OnDoubleClick(button, shift, x, y);
    if (button == vbLeftButton && ItemAt(x, y) >= 0 && ItemChosen) ItemChosen();
}

void ChoiceList::OnKeyDown(int16_t keyCode, int16_t shift) {
    if (keyCode != VK_RETURN) {
        ListBox::OnKeyDown(keyCode, shift);
        return;
    }
    if (ListIndex() >= 0 && ItemChosen) ItemChosen();
}

}  // namespace tabula
