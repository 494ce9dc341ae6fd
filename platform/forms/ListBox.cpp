#include "platform/forms/ListBox.h"

#include <algorithm>

#include "platform/forms/ScrollBar.h"
#include "platform/gdi/Drawing.h"
#include "platform/text/CaseFold.h"
#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

// The list's own scroll bar leaves the focus with the list.
class ListScrollBar : public ScrollBar {
public:
    using ScrollBar::ScrollBar;

protected:
    bool TakesFocusOnClick() const override { return false; }
};

// The first character of `text`, folded for a case-insensitive match.
std::string FoldedFirstCharacter(std::string_view text) {
    const std::u32string decoded = DecodeUtf8(text);
    if (decoded.empty()) return {};
    std::string first;
    AppendUtf8(decoded.front(), first);
    return FoldCase(first);
}

}  // namespace

int32_t FindItemStartingWith(const std::vector<std::string>& items, int32_t after, char16_t typed) {
    if (typed < 0x20 || typed == 0x7F || (typed >= 0xD800 && typed <= 0xDFFF)) return -1;
    std::string wanted;
    AppendUtf8(typed, wanted);
    wanted = FoldCase(wanted);
    const auto count = static_cast<int32_t>(items.size());
    if (count == 0) return -1;
    after = std::clamp(after, -1, count - 1);
    for (int32_t step = 1; step <= count; ++step) {
        const int32_t index = (after + step) % count;
        if (FoldedFirstCharacter(items[index]) == wanted) return index;
    }
    return -1;
}

ListBox::ListBox(HWND parent, const Rect& rect) : Control(parent, rect, "ListBox") {
    bar_ = std::make_unique<ListScrollBar>(hWnd(), Rect{0, 0, 0, 0}, true);
    bar_->SetTabStop(false);
    bar_->SetVisible(false);
    bar_->Change = [this] {
        if (syncingBar_) return;
        const int64_t value = bar_->Value();
        SetTopIndex(static_cast<int32_t>(value * MaxTopIndex() / std::max<int16_t>(BarMax(), 1)));
    };
    bar_->Scroll = bar_->Change;
    // A press on the bar focuses the list, as a press on the items does.
    bar_->MouseDown = [this](int16_t, int16_t, float, float) {
        if (TakesFocusOnClick() && Enabled() && !HasFocus()) SetFocus();
    };
    SetBackColor(SystemColor(COLOR_WINDOW));
    SetForeColor(SystemColor(COLOR_WINDOWTEXT));
    UpdateLayout();
    Refresh();
}

ListBox::~ListBox() = default;

// --- Items ----------------------------------------------------------------------------------

void ListBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    topIndex_ = 0;
    UpdateLayout();
    Refresh();
}

void ListBox::AddItem(std::string text, int32_t index) {
    if (index < 0 || index > ListCount()) index = ListCount();
    items_.insert(items_.begin() + index, std::move(text));
    if (listIndex_ >= index) ++listIndex_;
    UpdateLayout();
    // Filling a long list repaints only while the new items land where they show.
    if (index <= topIndex_ + VisibleCount()) Refresh();
}

void ListBox::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    topIndex_ = 0;
    UpdateLayout();
    Refresh();
}

void ListBox::RemoveItem(int32_t index) {
    if (index < 0 || index >= ListCount()) return;
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) {
        listIndex_ = -1;
    } else if (listIndex_ > index) {
        --listIndex_;
    }
    UpdateLayout();
    Refresh();
}

std::string ListBox::List(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    return items_[index];
}

void ListBox::SetList(int32_t index, std::string text) {
    if (index < 0 || index >= ListCount()) return;
    items_[index] = std::move(text);
    Refresh();
}

// --- Selection ------------------------------------------------------------------------------

void ListBox::SetListIndex(int32_t index) {
    if (index < -1 || index >= ListCount()) return;
    listIndex_ = index;
    if (index >= 0) ScrollIntoView(index);
    Refresh();
}

bool ListBox::Selected(int32_t index) const {
    return index >= 0 && index == listIndex_;
}

void ListBox::SetSelected(int32_t index, bool selected) {
    if (index < 0 || index >= ListCount()) return;
    if (selected) {
        SetListIndex(index);
    } else if (index == listIndex_) {
        SetListIndex(-1);
    }
}

bool ListBox::SelectByUser(int32_t index) {
    if (index < 0 || index >= ListCount()) return true;
    ScrollIntoView(index);
    if (index == listIndex_) return true;
    listIndex_ = index;
    Refresh();
    const HWND self = hWnd();
    if (Click) Click();
    return IsWindow(self);
}

// --- Scrolling and layout -------------------------------------------------------------------

Rect ListBox::ItemArea() const {
    const int32_t border = BorderWidth();
    Rect area{border, border, Width() - border, Height() - border};
    if (ScrollBarVisible()) area.right = std::max(area.left, area.right - kScrollBarWidth);
    if (area.IsEmpty()) return Rect{area.left, area.top, area.left, area.top};
    return area;
}

int32_t ListBox::VisibleCount() const {
    const int32_t border = BorderWidth();
    return std::max(0, (Height() - 2 * border) / itemHeight_);
}

int32_t ListBox::MaxTopIndex() const {
    return std::max(0, ListCount() - std::max(1, VisibleCount()));
}

bool ListBox::ScrollBarVisible() const {
    return IsWindowShown(bar_->hWnd());
}

Rect ListBox::ItemRect(int32_t index) const {
    const Rect area = ItemArea();
    const int32_t top = area.top + (index - topIndex_) * itemHeight_;
    return Rect{area.left, top, area.right, top + itemHeight_};
}

int32_t ListBox::ItemAt(int32_t x, int32_t y) const {
    const Rect area = ItemArea();
    if (!area.Contains(x, y)) return -1;
    const int32_t index = topIndex_ + (y - area.top) / itemHeight_;
    return index < ListCount() ? index : -1;
}

void ListBox::SetTopIndex(int32_t index) {
    index = std::clamp(index, 0, MaxTopIndex());
    if (index == topIndex_) return;
    topIndex_ = index;
    SyncScrollBar();
    Refresh();
}

void ListBox::ScrollIntoView(int32_t index) {
    const int32_t visible = std::max(1, VisibleCount());
    if (index < topIndex_) {
        SetTopIndex(index);
    } else if (index >= topIndex_ + visible) {
        SetTopIndex(index - visible + 1);
    }
}

void ListBox::SetIntegralHeight(bool on) {
    integralHeight_ = on;
    UpdateLayout();
    Refresh();
}

void ListBox::SetBorderLook(BorderLook look) {
    borderLook_ = look;
    UpdateLayout();
    Refresh();
}

void ListBox::OnResize() {
    UpdateLayout();
}

void ListBox::OnFontChanged() {
    UpdateLayout();
}

void ListBox::UpdateLayout() {
    const auto& font = CurrentFont();
    itemHeight_ = std::max(1, font ? font->Height() : 13);
    const int32_t border = BorderWidth();
    if (integralHeight_) {
        // Snapping resizes the window, which comes back here through OnResize; what follows
        // is then simply done twice.
        const int32_t rows = std::max(1, (Height() - 2 * border) / itemHeight_);
        const int32_t wanted = rows * itemHeight_ + 2 * border;
        if (wanted != Height()) MoveWindow(hWnd(), Left(), Top(), Width(), wanted);
    }
    if (!bar_) return;
    const bool needBar = ListCount() > VisibleCount();
    if (needBar) {
        const int32_t barWidth = std::min(kScrollBarWidth, std::max(0, Width() - 2 * border));
        bar_->Move(Width() - border - barWidth, border, barWidth, Height() - 2 * border);
    }
    if (needBar != ScrollBarVisible()) bar_->SetVisible(needBar);
    topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
    SyncScrollBar();
}

int16_t ListBox::BarMax() const {
    return static_cast<int16_t>(std::min(MaxTopIndex(), 32767));
}

void ListBox::SyncScrollBar() {
    if (!bar_) return;
    syncingBar_ = true;
    const int16_t barMax = BarMax();
    const int64_t maxTop = std::max(MaxTopIndex(), 1);
    bar_->SetMin(0);
    bar_->SetMax(barMax);
    bar_->SetLargeChange(static_cast<int16_t>(
        std::clamp<int64_t>(VisibleCount() * int64_t{barMax} / maxTop, 1, 32767)));
    bar_->SetSmallChange(1);
    bar_->SetValue(static_cast<int16_t>(topIndex_ * int64_t{barMax} / maxTop));
    syncingBar_ = false;
}

// --- Painting -------------------------------------------------------------------------------

void ListBox::Paint() {
    Rect frame = image_.Bounds();
    if (borderLook_ == BorderLook::Sunken) {
        DrawEdge(dc_, frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    } else {
        DrawEdge(dc_, frame, BDR_RAISEDOUTER, BF_RECT | BF_MONO | BF_ADJUST);
    }
    const Rect area = ItemArea();
    // The corner under the bar, when the bar is narrower than the box's inside.
    FillRect(dc_, frame, CreateSolidBrush(TranslateColorOrBlack(BackColor())));

    DeviceContextStateSaver saver(dc_);
    dc_.SetClipRect(area);
    const bool focused = HasFocus();
    const COLORREF text =
        Enabled() ? TranslateColorOrBlack(ForeColor()) : GetSysColor(COLOR_GRAYTEXT);
    for (int32_t i = topIndex_; i < ListCount(); ++i) {
        const Rect row = ItemRect(i);
        if (row.top >= area.bottom) break;
        if (i == listIndex_) {
            FillRect(dc_, row, CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
            dc_.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            dc_.SetTextColor(text);
        }
        Rect textRect{row.left + 2, row.top, row.right, row.bottom};
        DrawText(dc_, items_[i], textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    // The focus rectangle marks the selected item, or the first row when none is.
    if (focused) {
        const int32_t caret = listIndex_ >= 0 ? listIndex_ : topIndex_;
        DrawFocusRect(dc_, ItemRect(caret));
    }
}

// --- Keyboard -------------------------------------------------------------------------------

void ListBox::OnKeyDown(int16_t keyCode, int16_t) {
    const int32_t last = ListCount() - 1;
    if (last < 0) return;
    const int32_t page = std::max(1, VisibleCount() - 1);
    const int32_t current = listIndex_;
    int32_t target = current;
    switch (keyCode) {
        case VK_UP:
        case VK_LEFT:
            target = current < 0 ? 0 : current - 1;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            target = current < 0 ? 0 : current + 1;
            break;
        case VK_PRIOR:
            // First to the top of the page shown, then a page further.
            target = current < 0 ? topIndex_ : current != topIndex_ ? topIndex_ : current - page;
            break;
        case VK_NEXT: {
            const int32_t bottom = std::min(last, topIndex_ + std::max(1, VisibleCount()) - 1);
            target = current < 0 ? bottom : current != bottom ? bottom : current + page;
            break;
        }
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = last;
            break;
        default:
            return;
    }
    SelectByUser(std::clamp(target, 0, last));
}

void ListBox::OnKeyPress(int16_t keyAscii) {
    SelectByUser(FindItemStartingWith(items_, listIndex_, static_cast<char16_t>(keyAscii)));
}

// --- Mouse ----------------------------------------------------------------------------------

int32_t ListBox::ItemForDrag(int32_t y) const {
    const Rect area = ItemArea();
    if (y < area.top) return topIndex_ - 1;
    if (y >= area.bottom) return topIndex_ + std::max(1, VisibleCount());
    return std::min(topIndex_ + (y - area.top) / itemHeight_, ListCount() - 1);
}

void ListBox::OnMouseDown(int16_t button, int16_t, int32_t x, int32_t y) {
    if (button != vbLeftButton) return;
    tracking_ = true;
    SelectByUser(ItemAt(x, y));
}

void ListBox::OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) {
    OnMouseDown(button, shift, x, y);
}

void ListBox::OnMouseMove(int16_t button, int16_t, int32_t, int32_t y) {
    if (!tracking_ || !(button & vbLeftButton)) return;
    const int32_t index = ItemForDrag(y);
    if (index >= 0 && index < ListCount()) SelectByUser(index);
}

void ListBox::OnMouseUp(int16_t button, int16_t, int32_t, int32_t) {
    if (button == vbLeftButton) tracking_ = false;
}

LRESULT ListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEWHEEL: {
            // Three items per notch; part notches add up.
            wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
            const int32_t notches = wheelRemainder_ / kWheelDelta;
            wheelRemainder_ -= notches * kWheelDelta;
            if (notches != 0) SetTopIndex(topIndex_ - 3 * notches);
            return 0;
        }
        case WM_CAPTURECHANGED:
            tracking_ = false;
            break;
        default:
            break;
    }
    return Control::WindowProc(message, wParam, lParam);
}

}  // namespace tabula
