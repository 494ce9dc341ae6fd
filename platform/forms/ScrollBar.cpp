#include "platform/forms/ScrollBar.h"

#include <algorithm>

#include "platform/forms/ArrowButton.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {
constexpr UINT_PTR kRepeatTimerId = 1;
}  // namespace

ScrollBar::ScrollBar(HWND parent, const Rect& rect, bool vertical)
    : Control(parent, rect, "ScrollBar"), vertical_(vertical) {
    Refresh();
}

ScrollBar::~ScrollBar() {
    KillTimer(hWnd(), kRepeatTimerId);
}

// --- Properties ---------------------------------------------------------------------------

void ScrollBar::SetMin(int16_t min) {
    if (min == min_) return;
    min_ = min;
    Refresh();  // the thumb moves and resizes with the range
    ChangeValue(value_, Notify::Change);
}

void ScrollBar::SetMax(int16_t max) {
    if (max == max_) return;
    max_ = max;
    Refresh();
    ChangeValue(value_, Notify::Change);
}

void ScrollBar::SetValue(int16_t value) {
    ChangeValue(value, Notify::Change);
}

void ScrollBar::SetSmallChange(int16_t change) {
    smallChange_ = std::max<int16_t>(change, 1);
}

void ScrollBar::SetLargeChange(int16_t change) {
    change = std::max<int16_t>(change, 1);
    if (change == largeChange_) return;
    largeChange_ = change;
    Refresh();  // the thumb's length follows LargeChange
}

int32_t ScrollBar::Position() const {
    return max_ >= min_ ? value_ - min_ : min_ - value_;
}

int32_t ScrollBar::Range() const {
    return max_ >= min_ ? max_ - min_ : min_ - max_;
}

int16_t ScrollBar::ValueAtPosition(int32_t position) const {
    return static_cast<int16_t>(max_ >= min_ ? min_ + position : min_ - position);
}

bool ScrollBar::ChangeValue(int32_t value, Notify notify) {
    const int32_t low = std::min(min_, max_), high = std::max(min_, max_);
    const auto clamped = static_cast<int16_t>(std::clamp(value, low, high));
    if (clamped == value_) return true;
    value_ = clamped;
    Refresh();
    const HWND self = hWnd();
    Event& handler = notify == Notify::Change ? Change : Scroll;
    if (handler) handler();
    return IsWindow(self);
}

bool ScrollBar::Step(int32_t amount) {
    const int32_t position = std::clamp(Position() + amount, 0, Range());
    return ChangeValue(ValueAtPosition(position), Notify::Change);
}

bool ScrollBar::ActOn(Part part) {
    switch (part) {
        case Part::DecreaseArrow:
            return Step(-smallChange_);
        case Part::IncreaseArrow:
            return Step(smallChange_);
        case Part::DecreasePage:
            return Step(-largeChange_);
        case Part::IncreasePage:
            return Step(largeChange_);
        default:
            return true;
    }
}

// --- Geometry -----------------------------------------------------------------------------

ScrollBar::Layout ScrollBar::GetLayout() const {
    const int32_t length = vertical_ ? Height() : Width();
    const int32_t thickness = vertical_ ? Width() : Height();
    // Square arrows, unless the bar is too short for two: then each takes half.
    const int32_t arrow = std::min(thickness, length / 2);
    auto span = [&](int32_t from, int32_t to) {
        return vertical_ ? Rect{0, from, thickness, to} : Rect{from, 0, to, thickness};
    };
    Layout layout;
    layout.decreaseArrow = span(0, arrow);
    layout.increaseArrow = span(length - arrow, length);
    layout.track = span(arrow, length - arrow);

    const int32_t trackLength = length - 2 * arrow;
    if (trackLength < kMinimumThumbLength) {
        layout.thumb = span(arrow, arrow);
        return layout;
    }
    // The thumb shows how much of the whole one page is: LargeChange / (range + LargeChange).
    const int64_t range = Range();
    const int64_t page = largeChange_;
    int64_t thumbLength = trackLength * page / (range + page);
    thumbLength = std::clamp<int64_t>(thumbLength, kMinimumThumbLength, trackLength);
    const int64_t travel = trackLength - thumbLength;
    const int64_t offset = range > 0 ? (travel * Position() + range / 2) / range : 0;
    const auto start = static_cast<int32_t>(arrow + offset);
    layout.thumb = span(start, start + static_cast<int32_t>(thumbLength));
    return layout;
}

ScrollBar::Part ScrollBar::PartAt(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return Part::None;
    const Layout layout = GetLayout();
    if (layout.decreaseArrow.Contains(x, y)) return Part::DecreaseArrow;
    if (layout.increaseArrow.Contains(x, y)) return Part::IncreaseArrow;
    if (layout.thumb.Contains(x, y)) return Part::Thumb;
    if (!layout.track.Contains(x, y)) return Part::None;
    const int32_t along = Along(x, y);
    if (layout.thumb.IsEmpty()) {
        // No thumb to page towards: each half of the track pages its own way.
        const int32_t middle = vertical_ ? (layout.track.top + layout.track.bottom) / 2
                                         : (layout.track.left + layout.track.right) / 2;
        return along < middle ? Part::DecreasePage : Part::IncreasePage;
    }
    const int32_t thumbStart = vertical_ ? layout.thumb.top : layout.thumb.left;
    return along < thumbStart ? Part::DecreasePage : Part::IncreasePage;
}

int32_t ScrollBar::ThumbPositionFor(int32_t along) const {
    const Layout layout = GetLayout();
    const int32_t trackStart = vertical_ ? layout.track.top : layout.track.left;
    const int64_t trackLength = vertical_ ? layout.track.Height() : layout.track.Width();
    const int64_t thumbLength = vertical_ ? layout.thumb.Height() : layout.thumb.Width();
    const int64_t travel = trackLength - thumbLength;
    if (travel <= 0 || thumbLength == 0) return Position();
    const int64_t offset =
        std::clamp<int64_t>(int64_t{along} - grabOffset_ - trackStart, 0, travel);
    return static_cast<int32_t>((offset * Range() + travel / 2) / travel);
}

// --- Painting -----------------------------------------------------------------------------

void ScrollBar::Paint() {
    const Layout layout = GetLayout();
    const bool enabled = Enabled();
    const bool pressedUnderMouse = PressedPartIsUnderMouse();

    // The track: the classic dither of button face and highlight.
    FillRect(dc_, layout.track, CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    const Rect track = Intersect(layout.track, image_.Bounds());
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int32_t y = track.top; y < track.bottom; ++y) {
        for (int32_t x = track.left + ((track.left + y) & 1); x < track.right; x += 2) {
            image_.SetPixel(x, y, light);
        }
    }
    // A page part held down shows dark.
    if (pressedUnderMouse && (pressed_ == Part::DecreasePage || pressed_ == Part::IncreasePage)) {
        Rect page = layout.track;
        if (!layout.thumb.IsEmpty()) {
            if (pressed_ == Part::DecreasePage) {
                (vertical_ ? page.bottom : page.right) =
                    vertical_ ? layout.thumb.top : layout.thumb.left;
            } else {
                (vertical_ ? page.top : page.left) =
                    vertical_ ? layout.thumb.bottom : layout.thumb.right;
            }
        }
        InvertRect(dc_, page);
    }

    auto arrowState = [&](Part part) {
        if (!enabled) return uint32_t{kArrowButtonDisabled};
        return pressedUnderMouse && pressed_ == part ? uint32_t{kArrowButtonPushed}
                                                     : uint32_t{kArrowButtonNormal};
    };
    DrawArrowButton(dc_, layout.decreaseArrow,
                    vertical_ ? ArrowDirection::Up : ArrowDirection::Left,
                    arrowState(Part::DecreaseArrow));
    DrawArrowButton(dc_, layout.increaseArrow,
                    vertical_ ? ArrowDirection::Down : ArrowDirection::Right,
                    arrowState(Part::IncreaseArrow));

    // A disabled bar has no thumb.
    if (!enabled || layout.thumb.IsEmpty()) return;
    Rect thumb = layout.thumb;
    DrawFrameControl(dc_, thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
    if (HasFocus()) {
        DrawFocusRect(dc_, Rect{thumb.left + 3, thumb.top + 3, thumb.right - 3, thumb.bottom - 3});
    }
}

// --- Mouse --------------------------------------------------------------------------------

bool ScrollBar::PressedPartIsUnderMouse() const {
    return pressed_ != Part::None && PartAt(mouse_.x, mouse_.y) == pressed_;
}

void ScrollBar::Press(int32_t x, int32_t y) {
    if (pressed_ != Part::None) return;
    const Part part = PartAt(x, y);
    if (part == Part::None) return;
    pressed_ = part;
    mouse_ = Point{x, y};
    repeating_ = false;
    if (part == Part::Thumb) {
        const Layout layout = GetLayout();
        grabOffset_ = Along(x, y) - (vertical_ ? layout.thumb.top : layout.thumb.left);
        dragStartValue_ = value_;
        Refresh();
        return;
    }
    Refresh();
    if (!ActOn(part)) return;
    // The handler may have ended the press (a capture change, a modal form).
    if (pressed_ != part || !PressGoesOn()) return;
    SetTimer(hWnd(), kRepeatTimerId, kFirstRepeatDelay,
             [this](HWND, UINT, UINT_PTR, uint32_t) { RepeatTick(); });
}

bool ScrollBar::PressGoesOn() {
    // A Change handler may have shown a modal form: while it ran, this bar's form was
    // disabled and a release of the button never reached the bar. Once the button is up,
    // or the bar is out of the mouse's reach, the press is over.
    bool reachable = IsWindowVisible(hWnd()) && (GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    for (HWND h = hWnd(); h && reachable; h = GetParent(h))
        reachable = IsWindowEnabled(h);
    if (reachable) return true;
    if (GetCapture() == hWnd()) ReleaseCapture();
    EndPress();
    return false;
}

void ScrollBar::RepeatTick() {
    if (pressed_ == Part::None || pressed_ == Part::Thumb) {
        KillTimer(hWnd(), kRepeatTimerId);
        return;
    }
    if (!PressGoesOn()) return;
    if (!repeating_) {
        repeating_ = true;
        SetTimer(hWnd(), kRepeatTimerId, kRepeatInterval,
                 [this](HWND, UINT, UINT_PTR, uint32_t) { RepeatTick(); });
    }
    // Paging stops once the thumb reaches the mouse, and resumes if the mouse moves on.
    if (PressedPartIsUnderMouse()) ActOn(pressed_);
}

void ScrollBar::EndPress() {
    if (pressed_ == Part::None) return;
    const bool wasDrag = pressed_ == Part::Thumb;
    pressed_ = Part::None;
    repeating_ = false;
    KillTimer(hWnd(), kRepeatTimerId);
    Refresh();
    // A drag reports its whole move once, on release.
    if (wasDrag && value_ != dragStartValue_ && Change) Change();
}

void ScrollBar::OnMouseDown(int16_t button, int16_t, int32_t x, int32_t y) {
    if (button == vbLeftButton) Press(x, y);
}

void ScrollBar::OnDoubleClick(int16_t button, int16_t, int32_t x, int32_t y) {
    // A quick second press on an arrow is another step, not something else.
    if (button == vbLeftButton) Press(x, y);
}

void ScrollBar::OnMouseMove(int16_t, int16_t, int32_t x, int32_t y) {
    if (pressed_ == Part::None) return;
    const bool wasUnder = PressedPartIsUnderMouse();
    mouse_ = Point{x, y};
    if (pressed_ == Part::Thumb) {
        ChangeValue(ValueAtPosition(ThumbPositionFor(Along(x, y))), Notify::Scroll);
    } else if (PressedPartIsUnderMouse() != wasUnder) {
        Refresh();
    }
}

void ScrollBar::OnMouseUp(int16_t button, int16_t, int32_t, int32_t) {
    if (button == vbLeftButton) EndPress();
}

LRESULT ScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONUP:
            // The thumb ends where the button comes up, even without a move to that point.
            if (pressed_ == Part::Thumb) {
                const HWND self = hWnd();
                OnMouseMove(vbLeftButton, 0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                if (!IsWindow(self)) return 0;
            }
            break;
        case WM_CAPTURECHANGED: {
            // Losing the mouse (the bar disabled, another window taking it) ends any press.
            const LRESULT result = Control::WindowProc(message, wParam, lParam);
            EndPress();
            return result;
        }
        default:
            break;
    }
    return Control::WindowProc(message, wParam, lParam);
}

// --- Keyboard -----------------------------------------------------------------------------

void ScrollBar::OnKeyDown(int16_t keyCode, int16_t) {
    switch (keyCode) {
        case VK_UP:
        case VK_LEFT:
            Step(-smallChange_);
            break;
        case VK_DOWN:
        case VK_RIGHT:
            Step(smallChange_);
            break;
        case VK_PRIOR:
            Step(-largeChange_);
            break;
        case VK_NEXT:
            Step(largeChange_);
            break;
        case VK_HOME:
            ChangeValue(min_, Notify::Change);
            break;
        case VK_END:
            ChangeValue(max_, Notify::Change);
            break;
        default:
            break;
    }
}

}  // namespace tabula
