// Keyboard focus, the active top-level window and mouse capture.

#include "platform/window/Desktop.h"
#include "platform/window/Windows.h"

namespace tabula {

HWND SetFocus(HWND hwnd) {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return 0;
    if (hwnd != 0 && !desktop->Find(hwnd)) return 0;
    const HWND old = desktop->focus;
    if (old == hwnd) return old;
    desktop->focus = hwnd;
    if (old) SendMessage(old, WM_KILLFOCUS, hwnd, 0);
    // The old window's handler may have moved the focus on; then this change is over.
    if (hwnd && desktop->focus == hwnd) {
        const HWND top = GetAncestorTopLevel(hwnd);
        if (top != desktop->active) SetActiveWindow(top);
        if (desktop->focus == hwnd) SendMessage(hwnd, WM_SETFOCUS, old, 0);
    }
    return old;
}

void SetKeyFilter(std::function<bool(HWND, UINT, WPARAM, LPARAM)> filter) {
    if (Desktop* desktop = Desktop::Current()) desktop->keyFilter = std::move(filter);
}

void SetClipboardText(std::string text) {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return;
    if (desktop->writeClipboard) desktop->writeClipboard(text);
    desktop->clipboard = std::move(text);
}

std::string GetClipboardText() {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return {};
    return desktop->readClipboard ? desktop->readClipboard() : desktop->clipboard;
}

HWND GetFocus() {
    Desktop* desktop = Desktop::Current();
    return desktop ? desktop->focus : 0;
}

HWND SetActiveWindow(HWND hwnd) {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return 0;
    const HWND top = hwnd ? GetAncestorTopLevel(hwnd) : 0;
    if (hwnd && !top) return 0;
    const HWND old = desktop->active;
    if (old == top) return old;
    desktop->active = top;
    // A window that goes inactive loses the mouse it held (a drag, an open drop-down).
    if (old && desktop->capture && GetAncestorTopLevel(desktop->capture) == old) ReleaseCapture();
    if (old) SendMessage(old, WM_ACTIVATE, WA_INACTIVE, static_cast<LPARAM>(top));
    if (top) SendMessage(top, WM_ACTIVATE, WA_ACTIVE, static_cast<LPARAM>(old));
    return old;
}

HWND GetActiveWindow() {
    Desktop* desktop = Desktop::Current();
    return desktop ? desktop->active : 0;
}

HWND SetCapture(HWND hwnd) {
    Desktop* desktop = Desktop::Current();
    if (!desktop || !desktop->Find(hwnd)) return 0;
    const HWND old = desktop->capture;
    desktop->capture = hwnd;
    if (old && old != hwnd) SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(hwnd));
    return old;
}

bool ReleaseCapture() {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return false;
    const HWND old = desktop->capture;
    desktop->capture = 0;
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture() {
    Desktop* desktop = Desktop::Current();
    return desktop ? desktop->capture : 0;
}

}  // namespace tabula
