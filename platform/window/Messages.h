#pragma once

#include <cstdint>
#include <functional>

namespace tabula {

// Window handles are never reused while the program runs, so a stale handle can only
// ever name a window that no longer exists. 0 is no window.
using HWND = uint32_t;
using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;

// A window procedure is a plain function, so it can be stored in a window property and
// chained like any other number; per-window state goes through the window's user data.
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = std::function<void(HWND, UINT, UINT_PTR, uint32_t)>;

enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_SHOWWINDOW = 0x0018,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_CAPTURECHANGED = 0x0215,
    WM_USER = 0x0400,
};

// Mouse-message key flags in the low word of wParam.
enum : WPARAM {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

// WM_ACTIVATE's wParam.
enum : WPARAM { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

constexpr int32_t kWheelDelta = 120;

constexpr LPARAM MAKELPARAM(int32_t low, int32_t high) {
    return static_cast<LPARAM>(
        static_cast<int32_t>((uint32_t(uint16_t(low))) | (uint32_t(uint16_t(high)) << 16)));
}
constexpr WPARAM MAKEWPARAM(int32_t low, int32_t high) {
    return static_cast<WPARAM>(uint32_t(uint16_t(low)) | (uint32_t(uint16_t(high)) << 16));
}
constexpr uint16_t LOWORD(uintptr_t v) {
    return static_cast<uint16_t>(v & 0xFFFF);
}
constexpr uint16_t HIWORD(uintptr_t v) {
    return static_cast<uint16_t>((v >> 16) & 0xFFFF);
}
// Signed coordinates packed in an LPARAM.
constexpr int32_t GET_X_LPARAM(LPARAM l) {
    return static_cast<int16_t>(LOWORD(uintptr_t(l)));
}
constexpr int32_t GET_Y_LPARAM(LPARAM l) {
    return static_cast<int16_t>(HIWORD(uintptr_t(l)));
}
// A press (single or double) or a release of any mouse button.
constexpr bool IsMouseButtonPress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
           message == WM_MBUTTONDBLCLK;
}
constexpr bool IsMouseButtonRelease(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}
constexpr int32_t GET_WHEEL_DELTA_WPARAM(WPARAM w) {
    return static_cast<int16_t>(HIWORD(w));
}

}  // namespace tabula
