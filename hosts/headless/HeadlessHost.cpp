#include "hosts/headless/HeadlessHost.h"

#include "platform/forms/Control.h"
#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

HeadlessHost::HeadlessHost(int32_t width, int32_t height) : desktop_(width, height) {
    desktop_.MakeCurrent();
}

void HeadlessHost::Pump() {
    desktop_.PumpMessages();
}

void HeadlessHost::MouseMove(HWND hwnd, int32_t x, int32_t y) {
    desktop_.InjectMouseMove(ClientToScreen(hwnd, {x, y}));
    Pump();
}

void HeadlessHost::MouseDown(HWND hwnd, int32_t x, int32_t y, int button) {
    const Point at = ClientToScreen(hwnd, {x, y});
    desktop_.InjectMouseMove(at);
    desktop_.InjectMouseButton(button, true, at);
    Pump();
}

void HeadlessHost::MouseUp(HWND hwnd, int32_t x, int32_t y, int button) {
    const Point at = ClientToScreen(hwnd, {x, y});
    desktop_.InjectMouseButton(button, false, at);
    Pump();
}

void HeadlessHost::Click(HWND hwnd, int32_t x, int32_t y, int button) {
    MouseDown(hwnd, x, y, button);
    MouseUp(hwnd, x, y, button);
}

void HeadlessHost::DoubleClick(HWND hwnd, int32_t x, int32_t y) {
    Click(hwnd, x, y);
    Click(hwnd, x, y);
}

void HeadlessHost::Drag(HWND hwnd, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int steps) {
    MouseDown(hwnd, x1, y1);
    steps = std::max(steps, 1);
    // In 64 bits: the distance between two 32-bit points needs 33.
    const auto along = [steps](int32_t from, int32_t to, int i) {
        return static_cast<int32_t>(from + (int64_t{to} - from) * i / steps);
    };
    for (int i = 1; i <= steps; ++i)
        MouseMove(hwnd, along(x1, x2, i), along(y1, y2, i));
    MouseUp(hwnd, x2, y2);
}

void HeadlessHost::Wheel(int32_t delta) {
    desktop_.InjectWheel(delta, desktop_.cursor);
    Pump();
}

void HeadlessHost::KeyDown(uint8_t vk) {
    desktop_.InjectKey(vk, true);
    Pump();
}

void HeadlessHost::KeyUp(uint8_t vk) {
    desktop_.InjectKey(vk, false);
    Pump();
}

void HeadlessHost::PressKey(uint8_t vk, int16_t shift) {
    if (shift & vbShiftMask) desktop_.InjectKey(VK_SHIFT, true);
    if (shift & vbCtrlMask) desktop_.InjectKey(VK_CONTROL, true);
    if (shift & vbAltMask) desktop_.InjectKey(VK_MENU, true);
    desktop_.InjectKey(vk, true);
    desktop_.InjectKey(vk, false);
    if (shift & vbAltMask) desktop_.InjectKey(VK_MENU, false);
    if (shift & vbCtrlMask) desktop_.InjectKey(VK_CONTROL, false);
    if (shift & vbShiftMask) desktop_.InjectKey(VK_SHIFT, false);
    Pump();
}

void HeadlessHost::Type(std::string_view utf8) {
    for (char32_t c : DecodeUtf8(utf8)) {
        const int16_t scan = c == U'\n' ? int16_t{VK_RETURN} : VkKeyScan(c);
        if (scan == -1 || (scan & 0x200)) {
            desktop_.InjectCharacter(c);
        } else {
            PressKey(static_cast<uint8_t>(scan & 0xFF),
                     (scan & 0x100) ? int16_t{vbShiftMask} : int16_t{0});
        }
    }
    Pump();
}

void HeadlessHost::Advance(int64_t milliseconds) {
    desktop_.AdvanceClock(milliseconds);
}

PixelImage HeadlessHost::Screenshot(HWND hwnd) {
    return CaptureWindow(hwnd);
}

PixelImage HeadlessHost::Screen() {
    PixelImage screen(desktop_.ScreenSize().cx, desktop_.ScreenSize().cy,
                      GetSysColor(COLOR_BACKGROUND));
    ComposeDesktop(screen);
    return screen;
}

}  // namespace tabula
