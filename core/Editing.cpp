// The edit boxes' handlers and the control's loss of the keyboard: the glue between the
// constituent text boxes and the editor (edit/Editor.h).

#include "core/Tabula.h"
#include "edit/Editor.h"
#include "input/Wheel.h"
#include "platform/window/Windows.h"
#include "render/LookupList.h"

namespace tabula {

void Tabula::WireEditBox(TextBox& box) {
    // Keys in the box are the editor's: the grid's own KeyDown event is not raised, and
    // the keys that end the edit never reach the box.
    box.KeyDown = [this](int16_t& keyCode, int16_t) {
        if (edit::EditKeyDown(g_, keyCode)) keyCode = 0;
    };
    box.KeyPress = [this](int16_t& keyAscii) {
        keyAscii = edit::EditKeyPress(g_, masks_, keyAscii);
    };
    box.LostFocus = [this] {
        if (!KeyboardLeftControl()) return edit::EndEdit(g_, edit::Ending::BoxLostFocus);
        ExitFocus();
    };
}

bool Tabula::KeyboardLeftControl() const {
    const HWND focus = GetFocus();
    return focus != hWnd() && !IsChild(hWnd(), focus);
}

void Tabula::ExitFocus() {
    edit::EndEdit(g_, edit::Ending::ControlLostFocus);
    input::UnhookPicGrid(g_);
    DeactivateTabKeys();
}

void Tabula::EndEditFirst() {
    render::CloseLookupList(g_);
    edit::CommitEdit(g_);
}

}  // namespace tabula
