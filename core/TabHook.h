#pragma once

// The grid's Tab hook (TabKeys.cpp): hears WM_SETFOCUS of the grid's window after the
// window's own procedure, and is the form's active object while the grid has the keyboard.

#include "core/Tabula.h"
#include "platform/forms/Form.h"
#include "services/Subclass.h"

namespace tabula {

class Tabula::TabHook final : public ISubclass, public KeyMessageSink {
public:
    explicit TabHook(Tabula& grid);
    EMsgResponse MsgResponse() const override { return emrPreprocess; }
    void SetMsgResponse(EMsgResponse) override {}
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool TranslateAccelerator(HWND target, UINT message, WPARAM vk, LPARAM lParam) override;

    HWND hooked = 0;  // the window subscribed to, 0 when none

private:
    Tabula& grid_;
};

}  // namespace tabula
