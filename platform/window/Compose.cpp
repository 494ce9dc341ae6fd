// Composition of the windows' persistent images into one picture of the screen.

#include <algorithm>

#include "platform/window/Desktop.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

void Blit(const PixelImage& source, PixelImage& target, Point at, const Rect& clip) {
    const Rect placed = MakeRectFromSize(at.x, at.y, source.Width(), source.Height());
    const Rect area = Intersect(Intersect(placed, clip), target.Bounds());
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const COLORREF* from = source.Row(y - at.y) + (area.left - at.x);
        std::copy_n(from, area.right - area.left, target.Row(y) + area.left);
    }
}

// Draws `hwnd` with its origin at `origin` in the target, then its children back to front,
// all within `clip`.
void DrawWindowTree(Desktop& desktop, HWND hwnd, Point origin, const Rect& clip,
                    PixelImage& target) {
    const WindowRecord* w = desktop.Find(hwnd);
    if (!w || !w->visible) return;
    const Rect bounds = MakeRectFromSize(origin.x, origin.y, static_cast<int32_t>(w->rect.Width()),
                                         static_cast<int32_t>(w->rect.Height()));
    const Rect inside = Intersect(bounds, clip);
    if (inside.IsEmpty()) return;
    if (w->painter) w->painter();
    if (w->surface) Blit(*w->surface, target, origin, inside);
    const std::vector<HWND> children = w->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const WindowRecord* child = desktop.Find(*it);
        if (!child) continue;
        DrawWindowTree(desktop, *it, Point{origin.x + child->rect.left, origin.y + child->rect.top},
                       inside, target);
    }
}

}  // namespace

bool SetWindowSurface(HWND hwnd, const PixelImage* surface) {
    Desktop* desktop = Desktop::Current();
    WindowRecord* w = desktop ? desktop->Find(hwnd) : nullptr;
    if (!w) return false;
    w->surface = surface;
    desktop->NoteImageChanged();
    return true;
}

bool SetWindowPainter(HWND hwnd, std::function<void()> paint) {
    Desktop* desktop = Desktop::Current();
    WindowRecord* w = desktop ? desktop->Find(hwnd) : nullptr;
    if (!w) return false;
    w->painter = std::move(paint);
    return true;
}

void InvalidateWindow(HWND hwnd) {
    Desktop* desktop = Desktop::Current();
    if (desktop && desktop->Find(hwnd)) desktop->NoteImageChanged();
}

void ComposeDesktop(PixelImage& screen) {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return;
    const std::vector<HWND> tops = desktop->topLevel;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        const WindowRecord* w = desktop->Find(*it);
        if (w)
            DrawWindowTree(*desktop, *it, Point{w->rect.left, w->rect.top}, screen.Bounds(),
                           screen);
    }
}

PixelImage CaptureWindow(HWND hwnd) {
    Desktop* desktop = Desktop::Current();
    const WindowRecord* w = desktop ? desktop->Find(hwnd) : nullptr;
    if (!w) return PixelImage();
    PixelImage image(static_cast<int32_t>(w->rect.Width()), static_cast<int32_t>(w->rect.Height()));
    DrawWindowTree(*desktop, hwnd, Point{0, 0}, image.Bounds(), image);
    return image;
}

}  // namespace tabula
