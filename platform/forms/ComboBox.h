#pragma once

// A drop-down list (the combo box style that only picks): a sunken field showing the
// selected item, and a button that opens the list of items below it.
//
// Opening: a press on the field or the button, F4, or Alt+Down. The list is a top-level
// window of its own, in front of every form; while it is open the combo box holds the
// mouse, so a press anywhere else closes the list (and goes no further) and the form
// keeps its activation. Picking an item (a click, or a press on the field dragged onto
// an item and released; Enter; F4) closes the list and selects the item; Escape, a press
// elsewhere or the loss of the focus close it without a change.
//
// While the list is closed, Up/Down (Left/Right), PageUp/PageDown, Home/End, the wheel
// and typed characters change the selection directly.
//
// Click is raised once for each change of the selection a person makes; selections made
// by code raise nothing. DropDown is raised just before the list opens.

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace tabula {

class DropDownList;

class ComboBox : public Control {
public:
    static constexpr int32_t kButtonWidth = 16;
    static constexpr int32_t kMaxDroppedItems = 8;
    // The only style there is: a drop-down list.
    static constexpr int16_t kStyleDropDownList = 2;

    ComboBox(HWND parent, const Rect& rect);
    ~ComboBox() override;

    int16_t Style() const { return kStyleDropDownList; }

    // --- Items, as a list box has them (indexes out of range are ignored) ------------------
    void Clear();
    void AddItem(std::string text, int32_t index = -1);
    void RemoveItem(int32_t index);
    std::string List(int32_t index) const;
    void SetList(int32_t index, std::string text);
    int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }
    int32_t ListIndex() const { return listIndex_; }
    void SetListIndex(int32_t index);
    // The selected item's text; "" when nothing is selected. Read-only in this style.
    std::string Text() const { return List(listIndex_); }

    // --- The list --------------------------------------------------------------------------
    bool DroppedDown() const { return popup_ != nullptr; }
    // Opens or closes the list without picking anything.
    void SetDroppedDown(bool dropped);
    // The open list's window (a top-level window), 0 while closed.
    HWND DropDownWindow() const;
    // Where the button is, in client coordinates.
    Rect ButtonRect() const;

    Event DropDown;

protected:
    void Paint() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnResize() override;
    void OnFontChanged() override;
    void OnFocusChanged(bool gained) override;
    void OnKeyDown(int16_t keyCode, int16_t shift) override;
    void OnKeyPress(int16_t keyAscii) override;
    void OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    bool ClickOnRelease() const override { return false; }

private:
    int32_t ItemHeight();
    // The height follows the font, as the classic control's does.
    void FitHeight();
    void OpenList();
    // Closes the list; with `pick`, selects what the list had highlighted.
    void CloseList(bool pick);
    // While the list is open the mouse stays with this control.
    void KeepMouse();
    // A selection change a person made: raises Click when the selection moved.
    void SelectByUser(int32_t index);
    // Mouse positions as screen points, and where they fall on the open list.
    Point ToScreen(int32_t x, int32_t y) const;
    bool OverList(Point screen) const;
    int32_t ItemUnder(Point screen) const;

    std::vector<std::string> items_;
    int32_t listIndex_ = -1;
    std::unique_ptr<DropDownList> popup_;
    bool buttonPushed_ = false;  // the press on the field is held: the button looks pushed
    bool choosing_ = false;      // a press that may end on an item is held
    int32_t wheelRemainder_ = 0;
};

}  // namespace tabula
