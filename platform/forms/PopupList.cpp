#include "platform/forms/PopupList.h"

#include "platform/forms/ScrollBar.h"
#include "platform/window/Windows.h"

namespace tabula {

PopupList::PopupList(HWND parent, const Rect& rect) : ListBox(parent, rect) {
    SetBorderLook(BorderLook::Flat);
    SetTabStop(false);
    SetVisible(false);
    // A press on the bar takes the mouse for its length; the list takes it back after.
    VerticalBar().MouseUp = [this](int16_t, int16_t, float, float) { KeepMouse(); };
}

void PopupList::Popup() {
    open_ = true;
    SetVisible(true);
    ZOrder(0);
    SetFocus();
    KeepMouse();
}

void PopupList::Close() {
    if (!open_) return;
    open_ = false;
    if (GetCapture() == hWnd()) ReleaseCapture();
    SetVisible(false);
}

void PopupList::Dismiss() {
    if (!open_ || dismissing_) return;
    // The handler sees the list still showing, with the keyboard if it had it, and closes
    // it in its own order; anything that would dismiss it meanwhile does nothing.
    dismissing_ = true;
    if (Dismissed) Dismissed();
    dismissing_ = false;
    Close();
}

void PopupList::KeepMouse() {
    if (open_ && GetCapture() != hWnd()) SetCapture(hWnd());
}

LRESULT PopupList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND self = hWnd();
    if (swallowRelease_) {
        // The press that dismissed the list took its release with it.
        if (IsMouseButtonRelease(message) || message == WM_CAPTURECHANGED) {
            swallowRelease_ = false;
            if (message != WM_CAPTURECHANGED && GetCapture() == self) ReleaseCapture();
            return 0;
        }
        if (message == WM_MOUSEMOVE) return 0;
    }
    if (!open_) return ListBox::WindowProc(message, wParam, lParam);
    if (IsMouseButtonPress(message)) {
        const Point client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (client.x < 0 || client.y < 0 || client.x >= Width() || client.y >= Height()) {
            Dismiss();
            if (IsWindow(self) && GetCapture() == 0) {
                SetCapture(self);
                swallowRelease_ = true;
            }
            return 0;
        }
        // The scroll bar gets its own presses, with the mouse.
        const Point screen = ClientToScreen(self, client);
        const HWND hit = WindowFromPoint(screen);
        if (hit != self && IsChild(self, hit)) {
            const Point inHit = ScreenToClient(hit, screen);
            return SendMessage(hit, message, wParam, MAKELPARAM(inHit.x, inHit.y));
        }
    } else if (IsMouseButtonRelease(message)) {
        // The release lets the mouse go for a moment; the list holds it while it shows.
        releasing_ = true;
        const LRESULT result = ListBox::WindowProc(message, wParam, lParam);
        releasing_ = false;
        if (IsWindow(self)) KeepMouse();
        return result;
    } else if (message == WM_CAPTURECHANGED || message == WM_KILLFOCUS) {
        const auto other = static_cast<HWND>(message == WM_KILLFOCUS ? wParam : lParam);
        const LRESULT result = ListBox::WindowProc(message, wParam, lParam);
        // The mouse or the keyboard went to another window; the list's own bar may hold
        // the mouse for a press, and a release lets it go for a moment.
        const bool mouseKept =
            message == WM_CAPTURECHANGED && (releasing_ || other == self || IsChild(self, other));
        if (IsWindow(self) && !mouseKept) Dismiss();
        return result;
    }
    return ListBox::WindowProc(message, wParam, lParam);
}

}  // namespace tabula
