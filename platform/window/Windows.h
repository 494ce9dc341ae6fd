#pragma once

// The window functions the controls and the grid call. Each acts on the thread's current
// desktop (Desktop::Current()); with no desktop, or with a handle that names no window,
// they do nothing and report failure (0, false or an empty rectangle), never crash.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Geometry.h"
#include "platform/gdi/PixelImage.h"
#include "platform/window/Messages.h"

namespace tabula {

struct WindowOptions {
    HWND parent = 0;  // 0 for a top-level window
    Rect rect;        // in the parent's client coordinates (screen for top level)
    WNDPROC proc = nullptr;
    intptr_t userData = 0;
    bool visible = true;
    std::string className;
    uint32_t processId = 0;  // 0: this process; anything else makes a foreign window
};

// --- Windows ----------------------------------------------------------------------------

// Creates a window in front of its siblings and sends it WM_CREATE. Negative sizes clamp
// to 0. A parent that is not a window fails with 0.
HWND CreateWindowEx(const WindowOptions& options);
// Sends WM_DESTROY to the window and then to its descendants (parents before children),
// then removes them all, with their timers and posted messages. Safe from inside the
// window's own procedure; a second call during the destruction does nothing.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
HWND GetParent(HWND hwnd);
// The children front to back.
std::vector<HWND> GetChildren(HWND hwnd);
// Top-level windows front to back.
std::vector<HWND> GetTopLevelWindows();
HWND GetAncestorTopLevel(HWND hwnd);
bool IsChild(HWND parent, HWND hwnd);  // any depth

// --- Geometry ---------------------------------------------------------------------------

bool GetWindowRect(HWND hwnd, Rect* screen);
bool GetClientRect(HWND hwnd, Rect* client);  // always at 0, 0
// The window's rectangle in its parent's client coordinates.
bool GetWindowPlacement(HWND hwnd, Rect* inParent);
Point ClientToScreen(HWND hwnd, Point client);
Point ScreenToClient(HWND hwnd, Point screen);
// Moves and sizes; sends WM_MOVE and WM_SIZE (client width and height) when they change.
bool MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height);

// SetWindowPos insert-after values and flags.
constexpr HWND HWND_TOP = 0;
constexpr HWND HWND_BOTTOM = 1;
constexpr HWND HWND_TOPMOST = static_cast<HWND>(-1);
constexpr HWND HWND_NOTOPMOST = static_cast<HWND>(-2);
enum : UINT {
    SWP_NOSIZE = 0x0001,
    SWP_NOMOVE = 0x0002,
    SWP_NOZORDER = 0x0004,
    SWP_NOACTIVATE = 0x0010,
    SWP_SHOWWINDOW = 0x0040,
    SWP_HIDEWINDOW = 0x0080,
};
bool SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t width, int32_t height,
                  UINT flags);

// --- Visibility and state ---------------------------------------------------------------

bool ShowWindow(HWND hwnd, bool show);      // returns whether it was visible before
bool IsWindowVisible(HWND hwnd);            // it and every ancestor visible
bool IsWindowShown(HWND hwnd);              // its own flag, whatever its ancestors
bool EnableWindow(HWND hwnd, bool enable);  // returns whether it was disabled before
bool IsWindowEnabled(HWND hwnd);
// The deepest visible window under a screen point, front to back; 0 if none.
HWND WindowFromPoint(Point screen);

// --- Procedures, user data and properties -----------------------------------------------

constexpr int GWLP_WNDPROC = -4;
constexpr int GWLP_USERDATA = -21;
// Replaces the procedure or the user data and returns the previous value; 0 for a window
// that does not exist or belongs to another process.
intptr_t SetWindowLongPtr(HWND hwnd, int index, intptr_t value);
intptr_t GetWindowLongPtr(HWND hwnd, int index);
intptr_t ProcToValue(WNDPROC proc);
WNDPROC ValueToProc(intptr_t value);
// Calls `proc` for the window; 0 when `proc` is null.
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// What a window does with a message it leaves alone: nothing, except that the wheel goes
// on to the parent.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Properties by name, any length. Setting 0 removes; a missing one reads as 0.
bool SetProp(HWND hwnd, std::string_view name, intptr_t value);
intptr_t GetProp(HWND hwnd, std::string_view name);
intptr_t RemoveProp(HWND hwnd, std::string_view name);

uint32_t GetWindowThreadProcessId(HWND hwnd, uint32_t* processId);
uint32_t GetCurrentProcessId();

// --- Images -----------------------------------------------------------------------------

// Gives the window a persistent image of its client area, drawn when the desktop is
// composed (null for none). The image must live as long as the window or be unset.
bool SetWindowSurface(HWND hwnd, const PixelImage* surface);
// Runs `paint` whenever the window's image is about to be composed (the screen, a
// capture), for windows that paint lazily.
bool SetWindowPainter(HWND hwnd, std::function<void()> paint);
// Tells hosts the window's image changed.
void InvalidateWindow(HWND hwnd);
// Draws every visible window, back to front, each clipped to its parent, over `screen`.
void ComposeDesktop(PixelImage& screen);
// The window and its visible children as one image, as a person sees them.
PixelImage CaptureWindow(HWND hwnd);

// --- Messages ---------------------------------------------------------------------------

// Calls the window procedure now; 0 for a window that does not exist.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message; false for a window that does not exist. A window destroyed before
// the message is dispatched never sees it.
bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Installs the desktop's key filter: it sees every key press and release before the focus
// window does, and a true result swallows the key (and the character it would type).
void SetKeyFilter(std::function<bool(HWND target, UINT message, WPARAM vk, LPARAM lParam)> filter);

// --- Clipboard --------------------------------------------------------------------------

// Text on the clipboard. A headless desktop keeps it in memory; a window host connects it
// to the system's clipboard.
void SetClipboardText(std::string text);
std::string GetClipboardText();

// --- Focus, activation, capture ---------------------------------------------------------

// Sends WM_KILLFOCUS to the old focus window, then WM_SETFOCUS to the new one, and makes
// the new window's top-level window active. Returns the old focus window; 0 (and nothing
// changes) when `hwnd` is not a window. SetFocus(0) removes the focus.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();

// --- Keyboard and mouse -----------------------------------------------------------------

// Queues a synthetic key press or release (KEYEVENTF_KEYUP) for the focus window.
void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags, uintptr_t extraInfo);
// The top bit (0x8000) is set while the key or mouse button is held down.
int16_t GetAsyncKeyState(int vk);
bool GetCursorPos(Point* screen);
// Moves the cursor and queues a mouse move there, as a real move would.
bool SetCursorPos(int32_t x, int32_t y);
// The key and shift state that types `c` on a US keyboard: virtual key in the low byte,
// 1 (Shift) or 2 (Ctrl) in the high byte; -1 when no key types it.
int16_t VkKeyScan(char32_t c);
inline int16_t VkKeyScanW(char16_t c) {
    return VkKeyScan(c);
}
inline int16_t VkKeyScanA(char c) {
    return VkKeyScan(static_cast<unsigned char>(c));
}
// The system version; bit 31 clear says text is Unicode throughout.
constexpr uint32_t GetVersion() {
    return 0x0A000000u;
}
// The character a key types with the given modifiers, 0 if none.
char32_t CharacterForKey(uint8_t vk, bool shift, bool control);

// --- Timers -----------------------------------------------------------------------------

// Starts (or, for an existing window timer id, restarts) a timer ticking every `elapse`
// milliseconds (at least 10). With a callback the tick calls it; without, the window gets
// WM_TIMER with the id in wParam. A window-less timer gets a fresh id, never reused.
// Returns the id, or 0 on failure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, uint32_t elapse, TIMERPROC callback);
bool KillTimer(HWND hwnd, UINT_PTR id);
// Milliseconds on the desktop's clock.
uint32_t GetTickCount();

}  // namespace tabula
