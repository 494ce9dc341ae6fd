#include "platform/forms/Control.h"

#include <algorithm>

#include "platform/gdi/Drawing.h"
#include "platform/window/Desktop.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {
// The property that names the Control object of a control's window.
constexpr std::string_view kControlProperty = "Tabula.Control";
}  // namespace

Control::Control(HWND parent, const Rect& rect, std::string className)
    : image_(static_cast<int32_t>(std::max<int64_t>(rect.Width(), 0)),
             static_cast<int32_t>(std::max<int64_t>(rect.Height(), 0)),
             TranslateColorOrBlack(0x8000000F)),
      dc_(image_) {
    WindowOptions options;
    options.parent = parent;
    options.rect = rect;
    options.proc = ControlProc;
    options.userData = reinterpret_cast<intptr_t>(this);
    options.className = std::move(className);
    hwnd_ = CreateWindowEx(options);
    // Marks the window as this control's, whatever procedures are chained in front of
    // ControlProc later (subclassing replaces the window's procedure).
    SetProp(hwnd_, kControlProperty, reinterpret_cast<intptr_t>(this));
    SetWindowSurface(hwnd_, &image_);
    FontChanged();
    dc_.SetTextColor(TranslateColorOrBlack(foreColor_));
    dc_.SelectPen(Pen{PenStyle::Solid, TranslateColorOrBlack(foreColor_)});
}

Control::~Control() {
    if (!IsWindow(hwnd_)) return;
    // The window may outlive this object for the length of its own destruction: cut it
    // loose first so no message reaches a half-destroyed control.
    SetWindowLongPtr(hwnd_, GWLP_USERDATA, 0);
    RemoveProp(hwnd_, kControlProperty);
    SetWindowSurface(hwnd_, nullptr);
    DestroyWindow(hwnd_);
}

Control* Control::FromHandle(HWND hwnd) {
    return reinterpret_cast<Control*>(GetProp(hwnd, kControlProperty));
}

LRESULT Control::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<Control*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!control) return DefWindowProc(hwnd, message, wParam, lParam);
    return control->WindowProc(message, wParam, lParam);
}

int32_t Control::Left() const {
    Rect r;
    return GetWindowPlacement(hwnd_, &r) ? r.left : 0;
}
int32_t Control::Top() const {
    Rect r;
    return GetWindowPlacement(hwnd_, &r) ? r.top : 0;
}
int32_t Control::Width() const {
    return image_.Width();
}
int32_t Control::Height() const {
    return image_.Height();
}

void Control::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    MoveWindow(hwnd_, left, top, std::max(width, 0), std::max(height, 0));
}

void Control::Move(int32_t left, int32_t top) {
    Move(left, top, Width(), Height());
}

bool Control::Visible() const {
    return IsWindowShown(hwnd_);
}

void Control::SetVisible(bool visible) {
    // A control that hides while it has the focus passes it to its parent.
    if (!visible && HasFocus()) tabula::SetFocus(GetParent(hwnd_));
    ShowWindow(hwnd_, visible);
    ImageChanged();
}

bool Control::Enabled() const {
    return IsWindowEnabled(hwnd_);
}

void Control::SetEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled);
    Refresh();
}

void Control::ZOrder(int position) {
    SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ImageChanged();
}

void Control::SetFocus() {
    if (!CanTakeFocus()) return;
    tabula::SetFocus(hwnd_);
}

bool Control::HasFocus() const {
    return hwnd_ != 0 && GetFocus() == hwnd_;
}

void Control::SetBackColor(OLE_COLOR color) {
    backColor_ = color;
    Refresh();
}

void Control::SetForeColor(OLE_COLOR color) {
    foreColor_ = color;
    const COLORREF resolved = TranslateColorOrBlack(color);
    dc_.SetTextColor(resolved);
    dc_.SelectPen(Pen{dc_.CurrentPen().style, resolved});
    Refresh();
}

void Control::SetFont(const FontDescriptor& font) {
    font_ = font;
    FontChanged();
}
void Control::SetFontName(std::string name) {
    font_.name = std::move(name);
    FontChanged();
}
void Control::SetFontSize(float points) {
    font_.size = points;
    FontChanged();
}
void Control::SetFontBold(bool on) {
    font_.bold = on;
    FontChanged();
}
void Control::SetFontItalic(bool on) {
    font_.italic = on;
    FontChanged();
}
void Control::SetFontUnderline(bool on) {
    font_.underline = on;
    FontChanged();
}
void Control::SetFontStrikethru(bool on) {
    font_.strikethrough = on;
    FontChanged();
}

void Control::FontChanged() {
    if (Desktop* desktop = Desktop::Current()) {
        resolvedFont_ = desktop->Fonts().Get(font_);
        font_ = resolvedFont_->Descriptor();  // the name and size as cleaned and clamped
    }
    dc_.SelectFont(resolvedFont_);
    OnFontChanged();
    Refresh();
}

const std::shared_ptr<const tabula::Font>& Control::CurrentFont() {
    return resolvedFont_;
}

void Control::Refresh() {
    Paint();
    ImageChanged();
}

void Control::SetLazyPainter(std::function<void()> paint) {
    lazyPainter_ = std::move(paint);
    SetWindowPainter(hwnd_, lazyPainter_);
}

void Control::ImageChanged() {
    InvalidateWindow(hwnd_);
}

int16_t Control::ShiftState() {
    int16_t shift = 0;
    if (GetAsyncKeyState(VK_SHIFT) & 0x8000) shift |= vbShiftMask;
    if (GetAsyncKeyState(VK_CONTROL) & 0x8000) shift |= vbCtrlMask;
    if (GetAsyncKeyState(VK_MENU) & 0x8000) shift |= vbAltMask;
    return shift;
}

int16_t Control::ButtonFromMessage(UINT message) const {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return vbLeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return vbRightButton;
        default:
            return vbMiddleButton;
    }
}

LRESULT Control::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND self = hwnd_;
    // A lazily painted image is brought up to date before the message acts on it.
    if (message != WM_DESTROY) BringImageUpToDate();
    switch (message) {
        case WM_SIZE:
            image_.Resize(LOWORD(lParam), HIWORD(lParam), TranslateColorOrBlack(backColor_));
            OnResize();
            Refresh();
            return 0;
        case WM_SETFOCUS:
            OnFocusChanged(true);
            if (GotFocus) GotFocus();
            return 0;
        case WM_KILLFOCUS:
            OnFocusChanged(false);
            if (LostFocus) LostFocus();
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            int16_t keyCode = static_cast<int16_t>(wParam);
            const int16_t shift = ShiftState();
            if (message == WM_KEYDOWN) {
                if (KeyDown) KeyDown(keyCode, shift);
                if (keyCode != 0 && IsWindow(self)) OnKeyDown(keyCode, shift);
            } else if (KeyUp) {
                KeyUp(keyCode, shift);
            }
            return 0;
        }
        case WM_CHAR: {
            // Characters beyond 16 bits arrive as two surrogate halves, one key press each,
            // each to the window that has the focus when it comes: a first half that moved
            // the focus (a grid cell opening its edit box) sends the second on.
            const char32_t c = static_cast<char32_t>(wParam);
            char16_t units[2] = {static_cast<char16_t>(c), 0};
            int count = 1;
            if (c > 0xFFFF && c <= 0x10FFFF) {
                units[0] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                units[1] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
                count = 2;
            }
            for (int i = 0; i < count && IsWindow(self); ++i) {
                if (const HWND focus = GetFocus(); i > 0 && focus && focus != self) {
                    SendMessage(focus, WM_CHAR, units[i], lParam);
                    break;
                }
                int16_t keyAscii = static_cast<int16_t>(units[i]);
                if (KeyPress) KeyPress(keyAscii);
                if (keyAscii != 0 && IsWindow(self)) OnKeyPress(keyAscii);
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: {
            const int16_t button = ButtonFromMessage(message);
            const int16_t shift = ShiftState();
            const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            if (TakesFocusOnClick() && !HasFocus() && Enabled()) SetFocus();
            if (!IsWindow(self)) return 0;
            buttonsDown_ |= button;
            SetCapture(self);
            const bool isDouble = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
                                  message == WM_MBUTTONDBLCLK;
            releaseEndsDoubleClick_ = isDouble && button == vbLeftButton;
            if (isDouble) {
                if (DblClick && button == vbLeftButton) DblClick();
                if (IsWindow(self)) OnDoubleClick(button, shift, x, y);
            } else {
                if (MouseDown) MouseDown(button, shift, float(x), float(y));
                if (IsWindow(self)) OnMouseDown(button, shift, x, y);
            }
            return 0;
        }
        case WM_MOUSEMOVE: {
            const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            if (MouseMove) MouseMove(buttonsDown_, ShiftState(), float(x), float(y));
            if (IsWindow(self)) OnMouseMove(buttonsDown_, ShiftState(), x, y);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const int16_t button = ButtonFromMessage(message);
            const int16_t shift = ShiftState();
            const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            const bool wasDown = buttonsDown_ & button;
            buttonsDown_ &= ~button;
            if (buttonsDown_ == 0 && GetCapture() == self) ReleaseCapture();
            if (MouseUp) MouseUp(button, shift, float(x), float(y));
            if (IsWindow(self)) OnMouseUp(button, shift, x, y);
            // A click is a press and release of the left button over the control; the
            // release that ends a double click is not another click.
            const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
            const bool endsDouble = button == vbLeftButton && releaseEndsDoubleClick_;
            if (button == vbLeftButton) releaseEndsDoubleClick_ = false;
            if (wasDown && button == vbLeftButton && inside && !endsDouble && Click &&
                IsWindow(self) && ClickOnRelease()) {
                Click();
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            buttonsDown_ = 0;
            return 0;
        default:
            return DefWindowProc(self, message, wParam, lParam);
    }
}

void Control::OnKeyDown(int16_t, int16_t) {}
void Control::OnKeyPress(int16_t) {}
void Control::OnMouseDown(int16_t, int16_t, int32_t, int32_t) {}
void Control::OnMouseMove(int16_t, int16_t, int32_t, int32_t) {}
void Control::OnMouseUp(int16_t, int16_t, int32_t, int32_t) {}
void Control::OnDoubleClick(int16_t, int16_t, int32_t, int32_t) {}
void Control::OnFocusChanged(bool) {
    Refresh();
}

}  // namespace tabula
