#include "input/Wheel.h"

#include <cmath>

#include "core/Tabula.h"
#include "input/Keyboard.h"
#include "platform/runtime/Error.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula::input {

namespace {

// The hooked window of this thread: at most one grid at a time.
struct WheelHook {
    HWND window = 0;
    WNDPROC previous = nullptr;
    Tabula* grid = nullptr;
};
thread_local WheelHook hook;

constexpr double kNotch = 120;

LRESULT WheelWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Taken before the grid moves: a move may change the focus and unhook.
    const WNDPROC previous = hook.previous;
    if (message == WM_MOUSEWHEEL && hook.grid) {
        // The turn sits in the high half of wParam; halves round to even.
        const double turn = static_cast<int32_t>(static_cast<uint32_t>(wParam)) / 65536.0;
        const auto rotation = static_cast<int32_t>(std::nearbyint(turn / kNotch));
        hook.grid->MouseWheel(static_cast<int32_t>(wParam & 0xFFFF), rotation,
                              static_cast<int32_t>(lParam & 0xFFFF),
                              static_cast<int32_t>(std::nearbyint(lParam / 65536.0)));
    }
    return CallWindowProc(previous, hwnd, message, wParam, lParam);
}

}  // namespace

void MouseWheel(Tabula& grid, int32_t rotation) {
    try {
        if (rotation == 1)
            grid.KeyDown(VK_UP, 0);
        else if (rotation > 1)
            KeyReleased(grid, VK_PRIOR, 0);
        else if (rotation == -1)
            grid.KeyDown(VK_DOWN, 0);
        else
            KeyReleased(grid, VK_NEXT, 0);
    } catch (const RuntimeError&) {
        // A turn that cannot move the grid moves nothing.
    }
}

void HookPicGrid(Tabula& grid) {
    if (hook.grid) UnhookPicGrid();
    hook.window = grid.hWnd();
    hook.previous =
        ValueToProc(SetWindowLongPtr(hook.window, GWLP_WNDPROC, ProcToValue(&WheelWindowProc)));
    hook.grid = &grid;
}

void UnhookPicGrid() {
    if (!hook.grid) return;
    if (IsWindow(hook.window))
        SetWindowLongPtr(hook.window, GWLP_WNDPROC, ProcToValue(hook.previous));
    hook = WheelHook{};
}

void UnhookPicGrid(const Tabula& grid) {
    if (hook.grid == &grid) UnhookPicGrid();
}

}  // namespace tabula::input
