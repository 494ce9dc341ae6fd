#include <algorithm>

#include "platform/window/Desktop.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {
constexpr uint32_t kMinimumPeriod = 10;
constexpr uint32_t kMaximumPeriod = 0x7FFFFFFF;
}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, uint32_t elapse, TIMERPROC callback) {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return 0;
    if (hwnd != 0 && !desktop->Find(hwnd)) return 0;
    if (hwnd == 0 && !callback) return 0;  // a window-less timer needs somewhere to tick
    const uint32_t period = std::clamp(elapse, kMinimumPeriod, kMaximumPeriod);
    if (hwnd != 0) {
        for (auto& t : desktop->timers) {
            if (t.hwnd == hwnd && t.id == id) {
                t.period = period;
                t.due = desktop->Now() + period;
                t.callback = std::move(callback);
                return id;
            }
        }
    } else {
        id = desktop->nextTimerId++;
    }
    desktop->timers.push_back({hwnd, id, period, desktop->Now() + period,
                               desktop->nextTimerSequence++, std::move(callback)});
    return hwnd != 0 && id == 0 ? 1 : id;
}

bool KillTimer(HWND hwnd, UINT_PTR id) {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return false;
    return std::erase_if(desktop->timers,
                         [&](const TimerRecord& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

uint32_t GetTickCount() {
    Desktop* desktop = Desktop::Current();
    return desktop ? static_cast<uint32_t>(desktop->Now()) : 0;
}

}  // namespace tabula
