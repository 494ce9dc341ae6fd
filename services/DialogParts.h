#pragma once

// What the common dialogs share: a modal form that ends accepted or cancelled, placed over
// its owner, and a list box whose items are acted on by a double click or Enter.

#include <functional>
#include <string>
#include <string_view>

#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"

namespace tabula {

// `text` without the blanks (spaces, tabs) at either end.
std::string_view TrimBlanks(std::string_view text);

// Where a dialog of `width` x `height` goes: centred over `owner` when it is a window,
// else centred on the screen, and never above or left of the screen's corner.
Rect DialogRect(HWND owner, int32_t width, int32_t height);

// A modal form that ends by Accept, or by anything else that unloads it (Cancel, Esc,
// the form closed, nothing left that could ever close it), which counts as a cancel.
class DialogForm {
public:
    DialogForm(HWND owner, int32_t width, int32_t height, std::string caption);

    Form& GetForm() { return form_; }
    HWND hWnd() const { return form_.hWnd(); }

    // Shows the form modally until it is unloaded. True when it was accepted.
    bool Run();
    void Accept();
    void Cancel();

    // Esc cancels unless this says the key belongs to a control (an open drop-down list).
    std::function<bool()> KeepEscape;

private:
    Form form_;
    bool accepted_ = false;
};

// A list box whose item is chosen by a double click on it, or by Enter while one is
// selected: ItemChosen fires after the selection has moved to it.
class ChoiceList : public ListBox {
public:
    using ListBox::ListBox;

    Event ItemChosen;

protected:
    void OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnKeyDown(int16_t keyCode, int16_t shift) override;
};

}  // namespace tabula
