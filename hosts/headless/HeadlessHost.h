#pragma once

// The headless host: a desktop that lives in memory, a clock moved by hand, and input
// simulated the way a person gives it. Every call that injects input pumps the messages
// it causes before returning, so a test can check the result at once.

#include <string>
#include <string_view>

#include "platform/window/Desktop.h"

namespace tabula {

class HeadlessHost {
public:
    explicit HeadlessHost(int32_t width = 1024, int32_t height = 768);

    Desktop& GetDesktop() { return desktop_; }

    // Mouse input at a point of `hwnd`'s client area; button 0 left, 1 right, 2 middle.
    void MouseMove(HWND hwnd, int32_t x, int32_t y);
    void MouseDown(HWND hwnd, int32_t x, int32_t y, int button = 0);
    void MouseUp(HWND hwnd, int32_t x, int32_t y, int button = 0);
    void Click(HWND hwnd, int32_t x, int32_t y, int button = 0);
    void DoubleClick(HWND hwnd, int32_t x, int32_t y);
    // Press at one point, move to another in `steps` moves, release there.
    void Drag(HWND hwnd, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int steps = 4);
    void Wheel(int32_t delta);

    // Presses and releases a key with Shift, Ctrl and Alt (vbShiftMask and so on) held.
    void PressKey(uint8_t vk, int16_t shift = 0);
    void KeyDown(uint8_t vk);
    void KeyUp(uint8_t vk);
    // Types text: characters of the keyboard as key presses (with Shift where needed),
    // others as typed characters, as an input method delivers them.
    void Type(std::string_view utf8);

    // Moves the clock, delivering timer ticks on the way.
    void Advance(int64_t milliseconds);

    // The window and its children as a person sees them.
    PixelImage Screenshot(HWND hwnd);
    // The whole screen.
    PixelImage Screen();

private:
    void Pump();
    Desktop desktop_;
};

}  // namespace tabula
