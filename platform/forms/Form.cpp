#include "platform/forms/Form.h"

#include <algorithm>

#include "platform/gdi/Drawing.h"
#include "platform/window/Desktop.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

Form::Form(const Rect& rect, std::string caption)
    : Control(0, rect, "Form"), caption_(std::move(caption)) {
    SetKeyFilter(KeyFilter);
    ShowWindow(hWnd(), false);  // forms appear on Show
    Refresh();
}

Form::~Form() {
    *alive_ = false;
}

void Form::SetCaption(std::string caption) {
    caption_ = std::move(caption);
}

Form* Form::Containing(HWND hwnd) {
    return dynamic_cast<Form*>(Control::FromHandle(GetAncestorTopLevel(hwnd)));
}

void Form::Paint() {
    FillRect(dc_, image_.Bounds(), CreateSolidBrush(TranslateColorOrBlack(BackColor())));
}

bool Form::Show(int16_t modal) {
    if (!loaded_) return false;
    // Where the keyboard was: a modal form gives it back when it closes.
    const HWND previousActive = GetActiveWindow();
    const HWND previousFocus = GetFocus();
    ShowWindow(hWnd(), true);
    SetWindowPos(hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetActiveWindow(hWnd());
    const HWND focus = GetFocus();
    if (focus != hWnd() && !IsChild(hWnd(), focus)) {
        const auto stops = TabStops();
        if (!stops.empty()) stops.front()->SetFocus();
    }
    ImageChanged();
    if (modal != vbModal) return true;

    // Nothing but this form gets input while it is shown modally.
    std::vector<HWND> disabled;
    for (HWND other : GetTopLevelWindows()) {
        if (other != hWnd() && IsWindowEnabled(other)) {
            EnableWindow(other, false);
            disabled.push_back(other);
        }
    }
    modal_ = true;
    const std::shared_ptr<bool> alive = alive_;
    Desktop* desktop = Desktop::Current();
    const bool finished = desktop->RunModalLoop([&] { return !*alive || !loaded_; });
    for (HWND other : disabled)
        EnableWindow(other, true);
    if (previousActive != hWnd() && IsWindow(previousActive)) {
        SetActiveWindow(previousActive);
        if (IsWindow(previousFocus) && IsWindowEnabled(previousFocus))
            tabula::SetFocus(previousFocus);
    }
    if (*alive) {
        modal_ = false;
        // A modal form that could not finish (nothing could ever close it) goes away.
        if (!finished) Unload();
    }
    return finished;
}

void Form::Hide() {
    ShowWindow(hWnd(), false);
    ImageChanged();
}

void Form::Unload() {
    if (!loaded_) return;
    loaded_ = false;
    const HWND self = hWnd();
    ShowWindow(self, false);
    if (Unloaded) Unloaded();
    DestroyWindow(self);
}

std::vector<Control*> Form::TabStops() const {
    std::vector<Control*> stops;
    std::function<void(HWND)> collect = [&](HWND parent) {
        for (HWND child : GetChildren(parent)) {
            Control* c = Control::FromHandle(child);
            if (!c || !IsWindowShown(child) || !IsWindowEnabled(child)) continue;
            if (c->IsTabContainer()) {
                collect(child);
            } else if (c->TabStop() && c->CanTakeFocus()) {
                stops.push_back(c);
            }
        }
    };
    collect(hWnd());
    // TabIndex order; among equal indexes, the order of creation.
    std::stable_sort(stops.begin(), stops.end(), [](const Control* a, const Control* b) {
        if (a->TabIndex() != b->TabIndex()) return a->TabIndex() < b->TabIndex();
        return a->hWnd() < b->hWnd();
    });
    return stops;
}

void Form::SelectNextControl(bool forward) {
    const auto stops = TabStops();
    if (stops.empty()) return;
    const HWND focus = GetFocus();
    const auto n = static_cast<int>(stops.size());
    int current = -1;
    for (int i = 0; i < n; ++i) {
        if (stops[i]->hWnd() == focus || IsChild(stops[i]->hWnd(), focus)) current = i;
    }
    int next = forward ? 0 : n - 1;
    if (current >= 0) next = forward ? (current + 1) % n : (current + n - 1) % n;
    stops[next]->SetFocus();
}

bool Form::KeyFilter(HWND target, UINT message, WPARAM vk, LPARAM lParam) {
    Form* form = Containing(target);
    return form && form->PreTranslateKey(target, message, vk, lParam);
}

bool Form::PreTranslateKey(HWND target, UINT message, WPARAM vk, LPARAM lParam) {
    if (keyPreview_ && message == WM_KEYDOWN && KeyDown) {
        auto keyCode = static_cast<int16_t>(vk);
        KeyDown(keyCode, ShiftState());
        if (keyCode == 0) return true;
    }
    if (activeObject_ && activeObject_->TranslateAccelerator(target, message, vk, lParam)) {
        return true;
    }
    if (message == WM_KEYDOWN && vk == VK_TAB && !(GetAsyncKeyState(VK_CONTROL) & 0x8000) &&
        !(GetAsyncKeyState(VK_MENU) & 0x8000)) {
        SelectNextControl(!(GetAsyncKeyState(VK_SHIFT) & 0x8000));
        return true;
    }
    return false;
}

LRESULT Form::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE) {
        if (wParam == WA_INACTIVE) {
            if (Deactivate) Deactivate();
        } else if (Activate) {
            Activate();
        }
        return 0;
    }
    return Control::WindowProc(message, wParam, lParam);
}

}  // namespace tabula
