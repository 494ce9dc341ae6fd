// Tab and Shift+Tab between cells. The form moves the keyboard to the next control on
// Tab unless its active object takes the key first; the grid makes itself that object
// whenever the keyboard comes into it.
//
// Call flow:
//   SetTabHook(True)              end of InitNew and ReadProperties, in run mode: the
//                                 grid's window's WM_SETFOCUS through the subclassing
//                                 service
//   WM_SETFOCUS on the grid's window, or picGrid taking the keyboard
//     ActivateTabKeys             the grid becomes the form's active object (UseTABKey);
//                                 the cells take the keyboard from the grid's own window
//   Tab pressed anywhere in the grid
//     TranslateAccelerator -> PickNavigationKey
//       CommitEdit                an edit in progress is stored and closed
//       the cells' KeyDown (or KeyUp) with Tab and the Shift state
//   the grid losing the keyboard, or going away: no longer the active object

#include "core/TabHook.h"
#include "edit/Editor.h"
#include "input/Keyboard.h"
#include "platform/container/InPlaceFrame.h"
#include "platform/container/Site.h"
#include "platform/runtime/Error.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

Tabula::TabHook::TabHook(Tabula& grid) : grid_(grid) {}

LRESULT Tabula::TabHook::WindowProc(HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_SETFOCUS) {
        grid_.ActivateTabKeys();
        // The keyboard belongs on the cells, as a person tabbing into the grid expects.
        FocusSurface(grid_.g_);
    }
    return 0;
}

bool Tabula::TabHook::TranslateAccelerator(HWND target, UINT message, WPARAM vk, LPARAM) {
    return grid_.PickNavigationKey(target, message, vk);
}

void Tabula::SetTabHook(bool enable) {
    if (!tabHook_) tabHook_ = std::make_unique<TabHook>(*this);
    if (tabHook_->hooked) {
        MSubclass::DetachMessage(*tabHook_, tabHook_->hooked, WM_SETFOCUS);
        tabHook_->hooked = 0;
    }
    if (!enable) return;
    // At design time Tab is the form's.
    if (ClientSite() && !ClientSite()->UserMode()) return;
    try {
        MSubclass::AttachMessage(*tabHook_, hWnd(), WM_SETFOCUS);
        tabHook_->hooked = hWnd();
    } catch (const RuntimeError&) {
        // Without the subscription Tab stays the form's.
    }
}

void Tabula::ActivateTabKeys() {
    if (!tabHook_ || !tabHook_->hooked || !s_.UseTABKey) return;
    if (Site* site = ClientSite()) site->Frame().SetActiveObject(tabHook_.get());
}

void Tabula::DeactivateTabKeys() {
    if (!tabHook_) return;
    if (Site* site = ClientSite()) site->Frame().ReleaseActiveObject(tabHook_.get());
}

bool Tabula::PickNavigationKey(HWND target, UINT message, WPARAM vk) {
    if (!s_.UseTABKey || (vk & 0xFFFF) != VK_TAB) return false;
    // Only keys meant for the grid: an active object left behind sees the form's keys.
    if (target != hWnd() && !IsChild(hWnd(), target)) return false;
    if (message != WM_KEYDOWN && message != WM_KEYUP) return false;
    edit::CommitEdit(g_);
    // The navigation reads Shift as the raw key state (top bit while held); the
    // application's events get the usual mask.
    const int16_t held = GetAsyncKeyState(VK_SHIFT);
    const int16_t shift = held < 0 ? vbShiftMask : 0;
    int16_t keyCode = VK_TAB;
    if (message == WM_KEYDOWN) {
        g_.events.KeyDown(keyCode, shift);
        KeyDown(keyCode, held);
    } else {
        input::KeyReleased(g_, keyCode, shift);
    }
    return true;
}

}  // namespace tabula
