#include "platform/window/Desktop.h"

#include <algorithm>
#include <cstdlib>

#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

// One desktop per thread is current: windows belong to the thread that made them.
thread_local Desktop* tCurrentDesktop = nullptr;

uint8_t GenericModifier(uint8_t vk) {
    switch (vk) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return 0;
    }
}

}  // namespace

Desktop::Desktop(int32_t width, int32_t height) : screen_{std::max(width, 0), std::max(height, 0)} {
    if (!tCurrentDesktop) tCurrentDesktop = this;
}

Desktop::~Desktop() {
    Desktop* previous = tCurrentDesktop;
    tCurrentDesktop = this;
    // Windows still open are destroyed properly, so their procedures can clean up.
    while (!topLevel.empty())
        DestroyWindow(topLevel.front());
    tCurrentDesktop = previous == this ? nullptr : previous;
}

Desktop* Desktop::Current() {
    return tCurrentDesktop;
}

void Desktop::MakeCurrent() {
    tCurrentDesktop = this;
}

WindowRecord* Desktop::Find(HWND hwnd) {
    if (hwnd == 0) return nullptr;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.get();
}

void Desktop::InjectKey(uint8_t vk, bool down, bool translate, bool extended) {
    InputEvent e;
    e.kind = InputEvent::Kind::Key;
    e.vk = vk;
    e.down = down;
    e.translate = translate;
    e.extended = extended;
    input_.push_back(e);
}

void Desktop::InjectCharacter(char32_t c) {
    InputEvent e;
    e.kind = InputEvent::Kind::Character;
    e.character = c;
    input_.push_back(e);
}

void Desktop::InjectMouseMove(Point screen) {
    InputEvent e;
    e.kind = InputEvent::Kind::MouseMove;
    e.screen = screen;
    input_.push_back(e);
}

void Desktop::InjectMouseButton(int button, bool down, Point screen) {
    if (button < 0 || button > 2) return;
    InputEvent e;
    e.kind = InputEvent::Kind::MouseButton;
    e.button = button;
    e.down = down;
    e.screen = screen;
    input_.push_back(e);
}

void Desktop::InjectActivation(bool active) {
    InputEvent e;
    e.kind = InputEvent::Kind::Activation;
    e.down = active;
    input_.push_back(e);
}

void Desktop::InjectWheel(int32_t delta, Point screen) {
    InputEvent e;
    e.kind = InputEvent::Kind::Wheel;
    e.wheelDelta = std::clamp(delta, -32768, 32767);
    e.screen = screen;
    input_.push_back(e);
}

int Desktop::PumpMessages() {
    Desktop* previous = tCurrentDesktop;
    tCurrentDesktop = this;
    int dispatched = 0;
    while (true) {
        if (!posted_.empty()) {
            const PostedMessage m = posted_.front();
            posted_.pop_front();
            if (Find(m.hwnd)) {
                SendMessage(m.hwnd, m.message, m.wParam, m.lParam);
                ++dispatched;
            }
        } else if (!input_.empty()) {
            const InputEvent e = input_.front();
            input_.pop_front();
            DispatchInput(e);
            ++dispatched;
        } else {
            break;
        }
    }
    tCurrentDesktop = previous;
    return dispatched;
}

void Desktop::DispatchInput(const InputEvent& e) {
    switch (e.kind) {
        case InputEvent::Kind::Key:
            DispatchKey(e);
            break;
        case InputEvent::Kind::Activation:
            if (!e.down) {
                activeBeforeFocusLoss = active;
                SetActiveWindow(0);
            } else if (active == 0 && Find(activeBeforeFocusLoss)) {
                SetActiveWindow(activeBeforeFocusLoss);
            }
            break;
        case InputEvent::Kind::Character: {
            const HWND target = focus ? focus : active;
            if (target) SendMessage(target, WM_CHAR, e.character, 1);
            break;
        }
        default:
            DispatchMouse(e);
            break;
    }
}

void Desktop::DispatchKey(const InputEvent& e) {
    keyDown[e.vk] = e.down;
    if (const uint8_t generic = GenericModifier(e.vk)) keyDown[generic] = e.down;
    const HWND target = focus ? focus : active;
    if (!target) return;
    // lParam: repeat count 1, extended-key bit 24, previous-state and transition bits for
    // releases.
    LPARAM lParam = 1 | (e.extended ? (LPARAM{1} << 24) : 0);
    if (!e.down) lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    const UINT message = e.down ? WM_KEYDOWN : WM_KEYUP;
    lParam = static_cast<LPARAM>(int32_t(lParam));
    if (keyFilter && keyFilter(target, message, e.vk, lParam)) return;
    // The character is queued before the key-down runs, as translation does, so it arrives
    // right after the key-down and ahead of anything the key-down handler posts.
    if (e.down && e.translate && !keyDown[VK_MENU]) {
        const char32_t c = CharacterForKey(e.vk, keyDown[VK_SHIFT], keyDown[VK_CONTROL]);
        if (c) posted_.push_back({target, WM_CHAR, c, 1});
    }
    SendMessage(target, message, e.vk, lParam);
}

void Desktop::DispatchMouse(const InputEvent& e) {
    cursor = e.screen;
    static constexpr uint8_t kButtonKeys[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    if (e.kind == InputEvent::Kind::MouseButton) keyDown[kButtonKeys[e.button]] = e.down;

    WPARAM keys = 0;
    if (keyDown[VK_LBUTTON]) keys |= MK_LBUTTON;
    if (keyDown[VK_RBUTTON]) keys |= MK_RBUTTON;
    if (keyDown[VK_MBUTTON]) keys |= MK_MBUTTON;
    if (keyDown[VK_SHIFT]) keys |= MK_SHIFT;
    if (keyDown[VK_CONTROL]) keys |= MK_CONTROL;

    if (e.kind == InputEvent::Kind::Wheel) {
        // The wheel scrolls whatever has the keyboard focus; coordinates stay on screen.
        const HWND target = focus ? focus : active;
        if (target && IsWindowEnabled(target)) {
            SendMessage(target, WM_MOUSEWHEEL, MAKEWPARAM(int32_t(keys), e.wheelDelta),
                        MAKELPARAM(e.screen.x, e.screen.y));
        }
        return;
    }

    HWND target = capture ? capture : WindowFromPoint(e.screen);
    if (!target) return;
    // Input never reaches a disabled window, nor one inside a disabled window.
    for (HWND h = target; h; h = GetParent(h)) {
        if (!IsWindowEnabled(h)) return;
    }
    const Point client = ScreenToClient(target, e.screen);
    const LPARAM where = MAKELPARAM(client.x, client.y);
    if (e.kind == InputEvent::Kind::MouseMove) {
        SendMessage(target, WM_MOUSEMOVE, keys, where);
        return;
    }

    static constexpr UINT kDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr UINT kUp[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static constexpr UINT kDouble[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    if (!e.down) {
        SendMessage(target, kUp[e.button], keys, where);
        return;
    }
    const bool isDouble =
        lastClick.hwnd == target && lastClick.button == e.button &&
        now_ - lastClick.time <= kDoubleClickMilliseconds &&
        std::abs(int64_t{lastClick.screen.x} - e.screen.x) <= kDoubleClickDistance &&
        std::abs(int64_t{lastClick.screen.y} - e.screen.y) <= kDoubleClickDistance;
    // A double click ends the sequence: a third press starts a new one.
    lastClick = isDouble ? LastClick{} : LastClick{target, e.button, now_, e.screen};
    const HWND top = GetAncestorTopLevel(target);
    if (top && top != active) SetActiveWindow(top);
    SendMessage(target, isDouble ? kDouble[e.button] : kDown[e.button], keys, where);
}

FontLibrary& Desktop::Fonts() {
    if (!fonts_) fonts_ = std::make_unique<FontLibrary>();
    return *fonts_;
}

bool Desktop::AdvanceToNextTimer() {
    if (timers.empty()) return false;
    int64_t next = timers.front().due;
    for (const auto& t : timers)
        next = std::min(next, t.due);
    AdvanceClockTo(next);
    return true;
}

bool Desktop::RunModalLoop(const std::function<bool()>& done) {
    Desktop* previous = tCurrentDesktop;
    tCurrentDesktop = this;
    bool finished = false;
    while (true) {
        PumpMessages();
        if (done()) {
            finished = true;
            break;
        }
        if (!(idle_ ? idle_() : AdvanceToNextTimer())) break;
    }
    tCurrentDesktop = previous;
    return finished;
}

void Desktop::AdvanceClock(int64_t milliseconds) {
    if (milliseconds > 0) AdvanceClockTo(now_ + milliseconds);
}

void Desktop::AdvanceClockTo(int64_t time) {
    Desktop* previous = tCurrentDesktop;
    tCurrentDesktop = this;
    PumpMessages();
    while (true) {
        // The earliest tick due by `time`; creation order breaks ties.
        auto next = timers.end();
        for (auto it = timers.begin(); it != timers.end(); ++it) {
            if (it->due > time) continue;
            if (next == timers.end() || it->due < next->due ||
                (it->due == next->due && it->sequence < next->sequence)) {
                next = it;
            }
        }
        if (next == timers.end()) break;
        now_ = std::max(now_, next->due);
        next->due += next->period;
        // Copies: the callback may kill or restart this very timer.
        const HWND hwnd = next->hwnd;
        const UINT_PTR id = next->id;
        const TIMERPROC callback = next->callback;
        if (callback) {
            callback(hwnd, WM_TIMER, id, static_cast<uint32_t>(now_));
        } else {
            SendMessage(hwnd, WM_TIMER, id, 0);
        }
        PumpMessages();
    }
    now_ = std::max(now_, time);
    tCurrentDesktop = previous;
}

}  // namespace tabula
