#include "platform/forms/Timer.h"

#include <algorithm>

#include "platform/window/Windows.h"

namespace tabula {

namespace {
constexpr UINT_PTR kTickTimerId = 1;
}  // namespace

Timer::Timer(HWND parent) : Control(parent, Rect{0, 0, 0, 0}, "Timer") {
    ShowWindow(hWnd(), false);
    SetTabStop(false);
}

Timer::~Timer() {
    KillTimer(hWnd(), kTickTimerId);
}

void Timer::SetInterval(int32_t milliseconds) {
    interval_ = std::max(milliseconds, 0);
    Restart();
}

void Timer::Restart() {
    KillTimer(hWnd(), kTickTimerId);
    if (interval_ > 0 && Enabled()) {
        SetTimer(hWnd(), kTickTimerId, static_cast<uint32_t>(interval_),
                 [this](HWND, UINT, UINT_PTR, uint32_t) { Fire(); });
    }
}

void Timer::Fire() {
    // The handler may destroy this timer: it runs from a copy, and nothing follows it.
    const Event handler = Tick;
    if (handler) handler();
}

LRESULT Timer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENABLE) {
        Restart();
        return 0;
    }
    return Control::WindowProc(message, wParam, lParam);
}

}  // namespace tabula
