#include "input/Wheel.h"

#include <cmath>
#include <memory>

#include "input/Keyboard.h"
#include "platform/runtime/Error.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"
#include "services/Subclass.h"

namespace tabula::input {

namespace {

constexpr double kNotch = 120;

// The grid's receiver of its window's wheel messages. It runs first and the window's own
// procedure after it, so the turn is never swallowed.
class WheelHook final : public ISubclass {
public:
    explicit WheelHook(GridRecord& grid) : grid_(grid) {}
    EMsgResponse MsgResponse() const override { return emrPostProcess; }
    void SetMsgResponse(EMsgResponse) override {}
    LRESULT WindowProc(HWND, UINT message, WPARAM wParam, LPARAM) override {
        if (message != WM_MOUSEWHEEL) return 0;
        // The turn sits in the high half of wParam; halves round to even. The keys and the
        // pointer's position play no part.
        const double turn = static_cast<int32_t>(static_cast<uint32_t>(wParam)) / 65536.0;
        MouseWheel(grid_, static_cast<int32_t>(std::nearbyint(turn / kNotch)));
        return 0;
    }

private:
    GridRecord& grid_;
};

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
    if (!grid.wheelHook) grid.wheelHook = std::make_unique<WheelHook>(grid);
    try {
        MSubclass::AttachMessage(*grid.wheelHook, grid.parts.control.hWnd(), WM_MOUSEWHEEL);
    } catch (const RuntimeError&) {
        // Hooked already, or a window that cannot be: the wheel simply does nothing.
    }
}

void UnhookPicGrid(GridRecord& grid) {
    if (grid.wheelHook)
        MSubclass::DetachMessage(*grid.wheelHook, grid.parts.control.hWnd(), WM_MOUSEWHEEL);
}

}  // namespace tabula::input
