#include "input/Wheel.h"

#include <cmath>

#include "input/Keyboard.h"
#include "platform/runtime/Error.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula::input {

namespace {

// The property of the hooked window that names the grid hooking it.
constexpr std::string_view kHookProperty = "Tabula.WheelGrid";
constexpr double kNotch = 120;

GridRecord* HookedGrid(HWND hwnd) {
    return reinterpret_cast<GridRecord*>(GetProp(hwnd, kHookProperty));
}

LRESULT WheelWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    GridRecord* grid = HookedGrid(hwnd);
    // Taken before the grid moves: a move may change the focus and unhook.
    const WNDPROC previous = grid ? grid->wheelPrevious : nullptr;
    if (message == WM_MOUSEWHEEL && grid) {
        // The turn sits in the high half of wParam; halves round to even. The keys and the
        // pointer's position play no part.
        const double turn = static_cast<int32_t>(static_cast<uint32_t>(wParam)) / 65536.0;
        MouseWheel(*grid, static_cast<int32_t>(std::nearbyint(turn / kNotch)));
    }
    return CallWindowProc(previous, hwnd, message, wParam, lParam);
}

}  // namespace

void MouseWheel(GridRecord& grid, int32_t rotation) {
    try {
        if (rotation == 1)
            NavigateKeyDown(grid, VK_UP, 0);
        else if (rotation > 1)
            KeyReleased(grid, VK_PRIOR, 0);
        else if (rotation == -1)
            NavigateKeyDown(grid, VK_DOWN, 0);
        else
            KeyReleased(grid, VK_NEXT, 0);
    } catch (const RuntimeError&) {
        // A turn that cannot move the grid moves nothing.
    }
}

void HookPicGrid(GridRecord& grid) {
    const HWND window = grid.parts.control.hWnd();
    if (HookedGrid(window)) return;
    grid.wheelPrevious =
        ValueToProc(SetWindowLongPtr(window, GWLP_WNDPROC, ProcToValue(&WheelWindowProc)));
    SetProp(window, kHookProperty, reinterpret_cast<intptr_t>(&grid));
}

void UnhookPicGrid(GridRecord& grid) {
    const HWND window = grid.parts.control.hWnd();
    if (!IsWindow(window) || HookedGrid(window) != &grid) return;
    SetWindowLongPtr(window, GWLP_WNDPROC, ProcToValue(grid.wheelPrevious));
    RemoveProp(window, kHookProperty);
    grid.wheelPrevious = nullptr;
}

}  // namespace tabula::input
