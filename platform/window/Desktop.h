#pragma once

// The desktop: every window of the thread, the message and input queues, focus, capture,
// the keyboard and mouse state and the timers, in one record. A host owns it; the window
// functions (Windows.h) act on the thread's current desktop, the way a program's window
// calls act on its own session. A desktop makes itself current when it is created (if
// none is) and stops being current when it is destroyed.
//
// Message order, as the pump dispatches:
//   sent messages run at once, re-entrantly, inside SendMessage;
//   PumpMessages() first drains posted messages, then turns the next input event into
//   messages (a key press dispatches WM_KEYDOWN and posts its WM_CHAR, so the character
//   arrives before the next input), until both queues are empty;
//   AdvanceClock() delivers due timer ticks in time order, pumping after each.

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/fonts/FontLibrary.h"
#include "platform/gdi/Geometry.h"
#include "platform/gdi/PixelImage.h"
#include "platform/window/Messages.h"

namespace tabula {

struct WindowRecord {
    HWND handle = 0;
    HWND parent = 0;
    std::vector<HWND> children;  // front (top of the z-order) first
    Rect rect;                   // in the parent's client coordinates (screen for top level)
    bool visible = true;
    bool enabled = true;
    bool topmost = false;
    bool destroying = false;
    bool destroyNotified = false;
    WNDPROC proc = nullptr;
    intptr_t userData = 0;
    const PixelImage* surface = nullptr;  // the window's persistent image, if it has one
    std::function<void()> painter;        // brings a lazily painted surface up to date
    uint32_t processId = 0;
    std::string className;
    std::map<std::string, intptr_t, std::less<>> properties;
};

struct PostedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct InputEvent {
    enum class Kind { Key, Character, MouseMove, MouseButton, Wheel, Activation };
    Kind kind = Kind::Key;
    uint8_t vk = 0;
    bool down = false;
    bool extended = false;
    bool translate = true;  // a key press also produces its character
    char32_t character = 0;
    int button = 0;  // 0 left, 1 right, 2 middle
    Point screen;
    int32_t wheelDelta = 0;
};

struct TimerRecord {
    HWND hwnd;
    UINT_PTR id;
    uint32_t period;
    int64_t due;
    uint64_t sequence;  // creation order breaks ties between timers due together
    TIMERPROC callback;
};

class Desktop {
public:
    static constexpr uint32_t kOwnProcessId = 4242;
    static constexpr int64_t kDoubleClickMilliseconds = 500;
    static constexpr int32_t kDoubleClickDistance = 4;

    Desktop(int32_t width = 1024, int32_t height = 768);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The thread's current desktop, or null.
    static Desktop* Current();
    void MakeCurrent();

    Size ScreenSize() const { return screen_; }
    void SetScreenSize(Size size) { screen_ = size; }

    // --- Input from hosts (queued; PumpMessages turns them into messages) --------------
    void InjectKey(uint8_t vk, bool down, bool translate = true, bool extended = false);
    void InjectCharacter(char32_t c);
    void InjectMouseMove(Point screen);
    void InjectMouseButton(int button, bool down, Point screen);
    void InjectWheel(int32_t delta, Point screen);
    // The host's window lost (false) or regained (true) the system's focus: the active
    // window goes inactive, and comes back when nothing else was activated meanwhile.
    void InjectActivation(bool active);

    // Dispatches posted messages and queued input until both queues are empty.
    // Returns the number of messages dispatched.
    int PumpMessages();
    bool HasPendingMessages() const { return !posted_.empty() || !input_.empty(); }

    // --- Clock ------------------------------------------------------------------------
    int64_t Now() const { return now_; }
    // Moves the clock forward, delivering every timer tick due on the way in time order.
    void AdvanceClock(int64_t milliseconds);
    void AdvanceClockTo(int64_t time);

    // --- Idle and modal loops ------------------------------------------------------------
    // Pumps messages until `done` says so. Whenever the queues run dry the idle handler
    // runs: it waits for input (a window host) or moves the clock to the next timer (the
    // default, headless); when it returns false nothing more can ever arrive and the loop
    // gives up, returning false.
    bool RunModalLoop(const std::function<bool()>& done);
    void SetIdleHandler(std::function<bool()> idle) { idle_ = std::move(idle); }
    // Headless idle: advance the clock to the next timer tick; false when no timer runs.
    bool AdvanceToNextTimer();

    // --- Images -----------------------------------------------------------------------
    // Counts changes to any window's image, so a host redraws only when it moved.
    uint64_t ImageGeneration() const { return imageGeneration_; }
    void NoteImageChanged() { ++imageGeneration_; }
    FontLibrary& Fonts();

    // --- State, for the window functions ----------------------------------------------
    WindowRecord* Find(HWND hwnd);
    std::unordered_map<HWND, std::unique_ptr<WindowRecord>> windows;
    std::vector<HWND> topLevel;  // front first; topmost windows lead
    HWND nextHandle = 0x10;
    HWND focus = 0;
    HWND active = 0;
    HWND capture = 0;
    HWND activeBeforeFocusLoss = 0;
    Point cursor;
    std::array<bool, 256> keyDown{};
    std::deque<PostedMessage> posted_;
    std::deque<InputEvent> input_;
    std::vector<TimerRecord> timers;
    UINT_PTR nextTimerId = 1;
    uint64_t nextTimerSequence = 0;

    std::function<bool(HWND, UINT, WPARAM, LPARAM)> keyFilter;
    // The clipboard: in memory unless a host supplies its own reader and writer.
    std::string clipboard;
    std::function<std::string()> readClipboard;
    std::function<void(const std::string&)> writeClipboard;

    // Double-click detection.
    struct LastClick {
        HWND hwnd = 0;
        int button = -1;
        int64_t time = 0;
        Point screen;
    } lastClick;

private:
    void DispatchInput(const InputEvent& e);
    void DispatchKey(const InputEvent& e);
    void DispatchMouse(const InputEvent& e);

    Size screen_;
    int64_t now_ = 0;
    uint64_t imageGeneration_ = 0;
    std::function<bool()> idle_;
    std::unique_ptr<FontLibrary> fonts_;
};

}  // namespace tabula
