// Windows: creation and destruction, the parent/child tree, geometry, z-order,
// visibility, procedures, user data, properties and sent/posted messages.

#include <algorithm>

#include "platform/window/Desktop.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

WindowRecord* Find(HWND hwnd) {
    Desktop* desktop = Desktop::Current();
    return desktop ? desktop->Find(hwnd) : nullptr;
}

std::vector<HWND>& SiblingList(Desktop& desktop, const WindowRecord& w) {
    if (w.parent == 0) return desktop.topLevel;
    return desktop.Find(w.parent)->children;
}

int32_t ClampSize(int32_t v) {
    return std::max(v, 0);
}

Rect PlacedRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    return MakeRectFromSize(x, y, ClampSize(width), ClampSize(height));
}

// Puts `hwnd` into its sibling list at the place `insertAfter` asks for. Topmost
// top-level windows always stay in front of the others.
void PlaceInZOrder(Desktop& desktop, WindowRecord& w, HWND insertAfter) {
    auto& list = SiblingList(desktop, w);
    std::erase(list, w.handle);
    if (w.parent == 0) {
        if (insertAfter == HWND_TOPMOST) w.topmost = true;
        if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM) w.topmost = false;
    }
    auto isTopmost = [&](HWND h) {
        const WindowRecord* r = desktop.Find(h);
        return r && r->topmost;
    };
    // The first place this window may take, and the first it may not pass.
    const auto groupBegin =
        w.topmost ? list.begin() : std::find_if_not(list.begin(), list.end(), isTopmost);
    const auto groupEnd =
        w.topmost ? std::find_if_not(list.begin(), list.end(), isTopmost) : list.end();
    auto at = groupBegin;
    if (insertAfter == HWND_BOTTOM) {
        at = groupEnd;
    } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST &&
               insertAfter != HWND_NOTOPMOST) {
        auto after = std::find(groupBegin, groupEnd, insertAfter);
        at = after == groupEnd ? groupBegin : after + 1;
    }
    list.insert(at, w.handle);
}

void CollectSubtree(Desktop& desktop, HWND hwnd, std::vector<HWND>& out) {
    WindowRecord* w = desktop.Find(hwnd);
    if (!w) return;
    out.push_back(hwnd);
    const std::vector<HWND> children = w->children;  // a procedure may change the list
    for (HWND child : children)
        CollectSubtree(desktop, child, out);
}

// Coordinates far out saturate at the ends of the 32-bit range instead of wrapping.
int32_t Saturated(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

Point ScreenOrigin(Desktop& desktop, HWND hwnd) {
    int64_t x = 0, y = 0;
    for (WindowRecord* w = desktop.Find(hwnd); w; w = desktop.Find(w->parent)) {
        x += w->rect.left;
        y += w->rect.top;
    }
    return Point{Saturated(x), Saturated(y)};
}

HWND ChildFromPoint(Desktop& desktop, const std::vector<HWND>& list, Point p) {
    for (HWND h : list) {
        WindowRecord* w = desktop.Find(h);
        if (!w || !w->visible || !w->rect.Contains(p.x, p.y)) continue;
        const Point inner{p.x - w->rect.left, p.y - w->rect.top};
        HWND deeper = ChildFromPoint(desktop, w->children, inner);
        return deeper ? deeper : h;
    }
    return 0;
}

}  // namespace

HWND CreateWindowEx(const WindowOptions& options) {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return 0;
    if (options.parent != 0 && !desktop->Find(options.parent)) return 0;
    auto record = std::make_unique<WindowRecord>();
    WindowRecord& w = *record;
    w.handle = desktop->nextHandle++;
    w.parent = options.parent;
    w.rect = PlacedRect(options.rect.left, options.rect.top,
                        static_cast<int32_t>(std::min<int64_t>(options.rect.Width(), INT32_MAX)),
                        static_cast<int32_t>(std::min<int64_t>(options.rect.Height(), INT32_MAX)));
    w.visible = options.visible;
    w.proc = options.proc;
    w.userData = options.userData;
    w.className = options.className;
    w.processId = options.processId ? options.processId : Desktop::kOwnProcessId;
    const HWND handle = w.handle;
    desktop->windows.emplace(handle, std::move(record));
    PlaceInZOrder(*desktop, *desktop->Find(handle), HWND_TOP);
    SendMessage(handle, WM_CREATE, 0, 0);
    return IsWindow(handle) ? handle : 0;
}

bool DestroyWindow(HWND hwnd) {
    Desktop* desktop = Desktop::Current();
    WindowRecord* w = desktop ? desktop->Find(hwnd) : nullptr;
    if (!w || w->destroying) return false;

    // Notify parents before children. A procedure may create or destroy windows while it
    // handles WM_DESTROY, so the subtree is gathered again until everything is notified.
    std::vector<HWND> subtree;
    bool notifiedAll = false;
    while (!notifiedAll) {
        subtree.clear();
        CollectSubtree(*desktop, hwnd, subtree);
        notifiedAll = true;
        for (HWND h : subtree) {
            if (WindowRecord* r = desktop->Find(h)) r->destroying = true;
        }
        for (HWND h : subtree) {
            WindowRecord* r = desktop->Find(h);
            if (!r || r->destroyNotified) continue;
            r->destroyNotified = true;
            notifiedAll = false;
            SendMessage(h, WM_DESTROY, 0, 0);
        }
    }

    subtree.clear();
    CollectSubtree(*desktop, hwnd, subtree);
    if (WindowRecord* top = desktop->Find(hwnd)) std::erase(SiblingList(*desktop, *top), hwnd);
    for (HWND h : subtree) {
        if (desktop->focus == h) desktop->focus = 0;
        if (desktop->active == h) desktop->active = 0;
        if (desktop->capture == h) desktop->capture = 0;
        std::erase_if(desktop->timers, [h](const TimerRecord& t) { return t.hwnd == h; });
        std::erase_if(desktop->posted_, [h](const PostedMessage& m) { return m.hwnd == h; });
        desktop->windows.erase(h);
    }
    return true;
}

bool IsWindow(HWND hwnd) {
    return Find(hwnd) != nullptr;
}

HWND GetParent(HWND hwnd) {
    const WindowRecord* w = Find(hwnd);
    return w ? w->parent : 0;
}

std::vector<HWND> GetChildren(HWND hwnd) {
    const WindowRecord* w = Find(hwnd);
    return w ? w->children : std::vector<HWND>{};
}

std::vector<HWND> GetTopLevelWindows() {
    Desktop* desktop = Desktop::Current();
    return desktop ? desktop->topLevel : std::vector<HWND>{};
}

HWND GetAncestorTopLevel(HWND hwnd) {
    const WindowRecord* w = Find(hwnd);
    while (w && w->parent)
        w = Find(w->parent);
    return w ? w->handle : 0;
}

bool IsChild(HWND parent, HWND hwnd) {
    for (const WindowRecord* w = Find(hwnd); w && w->parent; w = Find(w->parent)) {
        if (w->parent == parent) return true;
    }
    return false;
}

bool GetWindowRect(HWND hwnd, Rect* screen) {
    Desktop* desktop = Desktop::Current();
    const WindowRecord* w = desktop ? desktop->Find(hwnd) : nullptr;
    if (!w || !screen) return false;
    const Point origin = ScreenOrigin(*desktop, hwnd);
    *screen = MakeRectFromSize(origin.x, origin.y, static_cast<int32_t>(w->rect.Width()),
                               static_cast<int32_t>(w->rect.Height()));
    return true;
}

bool GetClientRect(HWND hwnd, Rect* client) {
    const WindowRecord* w = Find(hwnd);
    if (!w || !client) return false;
    *client =
        Rect{0, 0, static_cast<int32_t>(w->rect.Width()), static_cast<int32_t>(w->rect.Height())};
    return true;
}

bool GetWindowPlacement(HWND hwnd, Rect* inParent) {
    const WindowRecord* w = Find(hwnd);
    if (!w || !inParent) return false;
    *inParent = w->rect;
    return true;
}

Point ClientToScreen(HWND hwnd, Point client) {
    Desktop* desktop = Desktop::Current();
    if (!desktop || !desktop->Find(hwnd)) return client;
    const Point origin = ScreenOrigin(*desktop, hwnd);
    return Point{Saturated(int64_t{client.x} + origin.x), Saturated(int64_t{client.y} + origin.y)};
}

Point ScreenToClient(HWND hwnd, Point screen) {
    Desktop* desktop = Desktop::Current();
    if (!desktop || !desktop->Find(hwnd)) return screen;
    const Point origin = ScreenOrigin(*desktop, hwnd);
    return Point{Saturated(int64_t{screen.x} - origin.x), Saturated(int64_t{screen.y} - origin.y)};
}

bool MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height) {
    return SetWindowPos(hwnd, HWND_TOP, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t width, int32_t height,
                  UINT flags) {
    Desktop* desktop = Desktop::Current();
    WindowRecord* w = desktop ? desktop->Find(hwnd) : nullptr;
    if (!w) return false;
    const Rect old = w->rect;
    const int32_t left = (flags & SWP_NOMOVE) ? old.left : x;
    const int32_t top = (flags & SWP_NOMOVE) ? old.top : y;
    const int32_t newWidth = (flags & SWP_NOSIZE) ? static_cast<int32_t>(old.Width()) : width;
    const int32_t newHeight = (flags & SWP_NOSIZE) ? static_cast<int32_t>(old.Height()) : height;
    w->rect = PlacedRect(left, top, newWidth, newHeight);
    const Rect now = w->rect;
    if (!(flags & SWP_NOZORDER)) PlaceInZOrder(*desktop, *w, insertAfter);
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, true);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, false);
    if (now.left != old.left || now.top != old.top) {
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(now.left, now.top));
    }
    if (now.Width() != old.Width() || now.Height() != old.Height()) {
        SendMessage(
            hwnd, WM_SIZE, 0,
            MAKELPARAM(static_cast<int32_t>(now.Width()), static_cast<int32_t>(now.Height())));
    }
    return true;
}

bool ShowWindow(HWND hwnd, bool show) {
    WindowRecord* w = Find(hwnd);
    if (!w) return false;
    const bool was = w->visible;
    if (was != show) {
        w->visible = show;
        SendMessage(hwnd, WM_SHOWWINDOW, show ? 1 : 0, 0);
    }
    return was;
}

bool IsWindowVisible(HWND hwnd) {
    const WindowRecord* w = Find(hwnd);
    if (!w) return false;
    for (; w; w = Find(w->parent)) {
        if (!w->visible) return false;
    }
    return true;
}

bool IsWindowShown(HWND hwnd) {
    const WindowRecord* w = Find(hwnd);
    return w && w->visible;
}

bool EnableWindow(HWND hwnd, bool enable) {
    WindowRecord* w = Find(hwnd);
    if (!w) return false;
    const bool wasDisabled = !w->enabled;
    if (w->enabled != enable) {
        w->enabled = enable;
        // A disabled window loses the focus and the mouse capture.
        Desktop* desktop = Desktop::Current();
        if (!enable && (desktop->focus == hwnd || IsChild(hwnd, desktop->focus))) SetFocus(0);
        if (!enable && desktop->capture == hwnd) ReleaseCapture();
        SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    }
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd) {
    const WindowRecord* w = Find(hwnd);
    return w && w->enabled;
}

HWND WindowFromPoint(Point screen) {
    Desktop* desktop = Desktop::Current();
    return desktop ? ChildFromPoint(*desktop, desktop->topLevel, screen) : 0;
}

intptr_t ProcToValue(WNDPROC proc) {
    return reinterpret_cast<intptr_t>(proc);
}
WNDPROC ValueToProc(intptr_t value) {
    return reinterpret_cast<WNDPROC>(value);
}

intptr_t SetWindowLongPtr(HWND hwnd, int index, intptr_t value) {
    WindowRecord* w = Find(hwnd);
    if (!w || w->processId != Desktop::kOwnProcessId) return 0;
    if (index == GWLP_WNDPROC) {
        const intptr_t previous = ProcToValue(w->proc);
        w->proc = ValueToProc(value);
        return previous;
    }
    if (index == GWLP_USERDATA) {
        std::swap(w->userData, value);
        return value;
    }
    return 0;
}

intptr_t GetWindowLongPtr(HWND hwnd, int index) {
    const WindowRecord* w = Find(hwnd);
    if (!w) return 0;
    if (index == GWLP_WNDPROC) return ProcToValue(w->proc);
    if (index == GWLP_USERDATA) return w->userData;
    return 0;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // A wheel turn nobody handled goes on to the parent: a child that does not scroll
    // leaves it to the container around it.
    if (message == WM_MOUSEWHEEL) {
        if (const HWND parent = GetParent(hwnd))
            return SendMessage(parent, message, wParam, lParam);
    }
    return 0;
}

bool SetProp(HWND hwnd, std::string_view name, intptr_t value) {
    WindowRecord* w = Find(hwnd);
    if (!w) return false;
    if (value == 0) {
        if (auto it = w->properties.find(name); it != w->properties.end()) w->properties.erase(it);
        return true;
    }
    w->properties.insert_or_assign(std::string(name), value);
    return true;
}

intptr_t GetProp(HWND hwnd, std::string_view name) {
    const WindowRecord* w = Find(hwnd);
    if (!w) return 0;
    auto it = w->properties.find(name);
    return it == w->properties.end() ? 0 : it->second;
}

intptr_t RemoveProp(HWND hwnd, std::string_view name) {
    WindowRecord* w = Find(hwnd);
    if (!w) return 0;
    auto it = w->properties.find(name);
    if (it == w->properties.end()) return 0;
    const intptr_t value = it->second;
    w->properties.erase(it);
    return value;
}

uint32_t GetWindowThreadProcessId(HWND hwnd, uint32_t* processId) {
    const WindowRecord* w = Find(hwnd);
    if (processId) *processId = w ? w->processId : 0;
    return w ? 1 : 0;
}

uint32_t GetCurrentProcessId() {
    return Desktop::kOwnProcessId;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WindowRecord* w = Find(hwnd);
    if (!w || !w->proc) return 0;
    // Only the procedure pointer is kept across the call: the procedure may destroy the
    // window, and nothing of its record is touched afterwards.
    const WNDPROC proc = w->proc;
    return proc(hwnd, message, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Desktop* desktop = Desktop::Current();
    if (!desktop || !desktop->Find(hwnd)) return false;
    desktop->posted_.push_back({hwnd, message, wParam, lParam});
    return true;
}

}  // namespace tabula
