#include "platform/forms/ComboBox.h"

#include <algorithm>

#include "platform/forms/ArrowButton.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/ScrollBar.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/Desktop.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {
constexpr int16_t kKeyF4 = VK_F1 + 3;
}  // namespace

// The open list: a top-level list box with a thin frame that never takes the focus, so
// the keys keep going to the combo box. A press on its scroll bar takes the mouse for the
// length of the press; `released` hands it back.
class DropDownList : public ListBox {
public:
    DropDownList(const Rect& screen, std::function<void()> released) : ListBox(0, screen) {
        SetBorderLook(BorderLook::Flat);
        SetTabStop(false);
        VerticalBar().MouseUp = [released = std::move(released)](int16_t, int16_t, float, float) {
            released();
        };
    }

protected:
    bool TakesFocusOnClick() const override { return false; }
};

ComboBox::ComboBox(HWND parent, const Rect& rect) : Control(parent, rect, "ComboBox") {
    SetBackColor(SystemColor(COLOR_WINDOW));
    SetForeColor(SystemColor(COLOR_WINDOWTEXT));
    FitHeight();
    Refresh();
}

ComboBox::~ComboBox() = default;

// --- Items ----------------------------------------------------------------------------------

void ComboBox::Clear() {
    CloseList(false);
    items_.clear();
    listIndex_ = -1;
    Refresh();
}

void ComboBox::AddItem(std::string text, int32_t index) {
    CloseList(false);
    if (index < 0 || index > ListCount()) index = ListCount();
    items_.insert(items_.begin() + index, std::move(text));
    if (listIndex_ >= index) ++listIndex_;
}

void ComboBox::RemoveItem(int32_t index) {
    if (index < 0 || index >= ListCount()) return;
    CloseList(false);
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) {
        listIndex_ = -1;
        Refresh();
    } else if (listIndex_ > index) {
        --listIndex_;
    }
}

std::string ComboBox::List(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    return items_[index];
}

void ComboBox::SetList(int32_t index, std::string text) {
    if (index < 0 || index >= ListCount()) return;
    CloseList(false);
    items_[index] = std::move(text);
    if (index == listIndex_) Refresh();
}

void ComboBox::SetListIndex(int32_t index) {
    if (index < -1 || index >= ListCount()) return;
    listIndex_ = index;
    if (popup_) popup_->SetListIndex(index);
    Refresh();
}

void ComboBox::SelectByUser(int32_t index) {
    if (index < 0 || index >= ListCount() || index == listIndex_) return;
    listIndex_ = index;
    Refresh();
    if (Click) Click();
}

// --- Size -----------------------------------------------------------------------------------

int32_t ComboBox::ItemHeight() {
    const auto& font = CurrentFont();
    return std::max(1, font ? font->Height() : 13);
}

void ComboBox::FitHeight() {
    // The field holds one item with room for the sunken edge and the highlight around it.
    const int32_t wanted = ItemHeight() + 8;
    if (Height() != wanted) MoveWindow(hWnd(), Left(), Top(), Width(), wanted);
}

void ComboBox::OnResize() {
    FitHeight();
}

void ComboBox::OnFontChanged() {
    CloseList(false);
    FitHeight();
}

Rect ComboBox::ButtonRect() const {
    const int32_t right = std::max(2, Width() - 2);
    return Rect{std::max(2, right - kButtonWidth), 2, right, std::max(2, Height() - 2)};
}

// --- Painting -------------------------------------------------------------------------------

void ComboBox::Paint() {
    Rect frame = image_.Bounds();
    DrawEdge(dc_, frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(dc_, frame, CreateSolidBrush(TranslateColorOrBlack(BackColor())));
    const Rect button = ButtonRect();
    uint32_t state = kArrowButtonNormal;
    if (!Enabled()) state = kArrowButtonDisabled;
    if (buttonPushed_) state = kArrowButtonPushed;
    DrawArrowButton(dc_, button, ArrowDirection::Down, state);

    DeviceContextStateSaver saver(dc_);
    Rect field{frame.left, frame.top, button.left, frame.bottom};
    dc_.SetClipRect(field);
    const Rect highlight{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
    // The focused field shows its text selected, with the focus rectangle around it.
    if (HasFocus()) {
        FillRect(dc_, highlight, CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
        dc_.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        dc_.SetTextColor(Enabled() ? TranslateColorOrBlack(ForeColor())
                                   : GetSysColor(COLOR_GRAYTEXT));
    }
    Rect text{highlight.left + 2, highlight.top, highlight.right, highlight.bottom};
    DrawText(dc_, Text(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (HasFocus()) DrawFocusRect(dc_, highlight);
}

// --- Opening and closing --------------------------------------------------------------------

HWND ComboBox::DropDownWindow() const {
    return popup_ ? popup_->hWnd() : 0;
}

void ComboBox::SetDroppedDown(bool dropped) {
    if (dropped) {
        OpenList();
    } else {
        CloseList(false);
    }
}

void ComboBox::OpenList() {
    const HWND self = hWnd();
    if (popup_ || !IsWindow(self) || !Enabled()) return;
    if (DropDown) DropDown();
    if (!IsWindow(self) || popup_) return;

    popup_ = std::make_unique<DropDownList>(MakeRectFromSize(0, 0, Width(), Height()),
                                            [this] { KeepMouse(); });
    popup_->SetFont(Font());
    popup_->SetItems(items_);
    // Up to kMaxDroppedItems whole items, below the field, or above it when the screen
    // ends first.
    const int32_t rows = std::clamp(ListCount(), 1, kMaxDroppedItems);
    const int32_t height = rows * popup_->ItemHeight() + 2;
    Point at = ClientToScreen(self, Point{0, Height()});
    const Desktop* desktop = Desktop::Current();
    if (desktop && at.y + height > desktop->ScreenSize().cy) {
        const Point above = ClientToScreen(self, Point{0, -height});
        if (above.y >= 0) at = above;
    }
    MoveWindow(popup_->hWnd(), at.x, at.y, Width(), height);
    popup_->SetListIndex(listIndex_);
    SetWindowPos(popup_->hWnd(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KeepMouse();
    Refresh();
}

void ComboBox::CloseList(bool pick) {
    if (!popup_) return;
    const int32_t picked = popup_->ListIndex();
    popup_.reset();
    choosing_ = false;
    if (GetCapture() == hWnd()) ReleaseCapture();
    Refresh();
    if (pick) SelectByUser(picked);
}

void ComboBox::KeepMouse() {
    if (popup_ && GetCapture() != hWnd()) SetCapture(hWnd());
}

// --- Mouse ----------------------------------------------------------------------------------

Point ComboBox::ToScreen(int32_t x, int32_t y) const {
    return ClientToScreen(hWnd(), Point{x, y});
}

bool ComboBox::OverList(Point screen) const {
    Rect r;
    return popup_ && GetWindowRect(popup_->hWnd(), &r) && r.Contains(screen.x, screen.y);
}

int32_t ComboBox::ItemUnder(Point screen) const {
    if (!popup_) return -1;
    const Point client = ScreenToClient(popup_->hWnd(), screen);
    return popup_->ItemAt(client.x, client.y);
}

void ComboBox::OnMouseDown(int16_t button, int16_t, int32_t x, int32_t y) {
    if (button != vbLeftButton) return;
    if (!popup_) {
        buttonPushed_ = true;
        OpenList();
        choosing_ = popup_ != nullptr;
        if (!popup_) buttonPushed_ = false;
        Refresh();
        return;
    }
    const Point screen = ToScreen(x, y);
    if (!OverList(screen)) {
        // Anywhere else, the field itself included, closes the list unchanged.
        CloseList(false);
        return;
    }
    // The list's scroll bar gets the press as its own, and the mouse with it.
    const HWND hit = WindowFromPoint(screen);
    if (hit != popup_->hWnd() && IsChild(popup_->hWnd(), hit)) {
        const Point client = ScreenToClient(hit, screen);
        SendMessage(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        return;
    }
    choosing_ = true;
    const int32_t item = ItemUnder(screen);
    if (item >= 0) popup_->SetListIndex(item);
}

void ComboBox::OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) {
    OnMouseDown(button, shift, x, y);
}

void ComboBox::OnMouseMove(int16_t button, int16_t, int32_t x, int32_t y) {
    if (!popup_) return;
    const Point screen = ToScreen(x, y);
    // The highlight follows the mouse over the list; with the button held beyond its top
    // or bottom edge the list scrolls on.
    const int32_t item = ItemUnder(screen);
    if (item >= 0) {
        if (item != popup_->ListIndex()) popup_->SetListIndex(item);
        return;
    }
    if (!choosing_ || !(button & vbLeftButton) || popup_->ListCount() == 0) return;
    Rect r;
    GetWindowRect(popup_->hWnd(), &r);
    if (screen.x < r.left || screen.x >= r.right) return;
    // The item just outside the shown ones, which scrolls the list by one.
    if (screen.y >= r.bottom) {
        const int32_t below = popup_->TopIndex() + popup_->VisibleCount();
        popup_->SetListIndex(std::min(below, popup_->ListCount() - 1));
    } else if (screen.y < r.top) {
        popup_->SetListIndex(std::max(0, popup_->TopIndex() - 1));
    }
}

void ComboBox::OnMouseUp(int16_t button, int16_t, int32_t x, int32_t y) {
    if (button != vbLeftButton) return;
    if (buttonPushed_) {
        buttonPushed_ = false;
        Refresh();
    }
    if (!popup_) return;
    const bool wasChoosing = choosing_;
    choosing_ = false;
    const Point screen = ToScreen(x, y);
    if (wasChoosing && OverList(screen) && ItemUnder(screen) >= 0) {
        popup_->SetListIndex(ItemUnder(screen));
        CloseList(true);
        return;
    }
    // Still open: take the mouse back from the release.
    KeepMouse();
}

// --- Keyboard -------------------------------------------------------------------------------

void ComboBox::OnKeyDown(int16_t keyCode, int16_t shift) {
    const bool alt = shift & vbAltMask;
    const bool toggleKey = keyCode == kKeyF4 || (alt && (keyCode == VK_DOWN || keyCode == VK_UP));
    if (popup_) {
        switch (keyCode) {
            case VK_RETURN:
                CloseList(true);
                return;
            case VK_ESCAPE:
                CloseList(false);
                return;
            default:
                break;
        }
        if (toggleKey) {
            CloseList(true);
            return;
        }
        // Moving keys move the list's highlight; nothing is picked yet.
        switch (keyCode) {
            case VK_UP:
            case VK_DOWN:
            case VK_LEFT:
            case VK_RIGHT:
            case VK_PRIOR:
            case VK_NEXT:
            case VK_HOME:
            case VK_END:
                SendMessage(popup_->hWnd(), WM_KEYDOWN, static_cast<WPARAM>(keyCode), 0);
                break;
            default:
                break;
        }
        return;
    }
    if (toggleKey) {
        OpenList();
        return;
    }
    const int32_t last = ListCount() - 1;
    if (last < 0) return;
    const int32_t current = listIndex_;
    const int32_t page = kMaxDroppedItems - 1;
    switch (keyCode) {
        case VK_UP:
        case VK_LEFT:
            SelectByUser(std::max(0, current - 1));
            break;
        case VK_DOWN:
        case VK_RIGHT:
            SelectByUser(std::min(last, current + 1));
            break;
        case VK_PRIOR:
            SelectByUser(std::max(0, current - page));
            break;
        case VK_NEXT:
            SelectByUser(std::min(last, current < 0 ? page : current + page));
            break;
        case VK_HOME:
            SelectByUser(0);
            break;
        case VK_END:
            SelectByUser(last);
            break;
        default:
            break;
    }
}

void ComboBox::OnKeyPress(int16_t keyAscii) {
    const auto typed = static_cast<char16_t>(keyAscii);
    if (popup_) {
        SendMessage(popup_->hWnd(), WM_CHAR, typed, 1);
        return;
    }
    SelectByUser(FindItemStartingWith(items_, listIndex_, typed));
}

// --- Focus and messages ---------------------------------------------------------------------

void ComboBox::OnFocusChanged(bool gained) {
    if (!gained) CloseList(false);
    Control::OnFocusChanged(gained);
}

LRESULT ComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            // The list is a window of its own: it goes with the field (a form unloading).
            popup_.reset();
            break;
        case WM_MOUSEWHEEL: {
            if (popup_) {
                SendMessage(popup_->hWnd(), message, wParam, lParam);
                return 0;
            }
            wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
            const int32_t notches = wheelRemainder_ / kWheelDelta;
            wheelRemainder_ -= notches * kWheelDelta;
            if (notches != 0 && ListCount() > 0) {
                SelectByUser(std::clamp(listIndex_ - notches, 0, ListCount() - 1));
            }
            return 0;
        }
        default:
            break;
    }
    return Control::WindowProc(message, wParam, lParam);
}

}  // namespace tabula
