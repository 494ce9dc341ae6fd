#pragma once

// A list of text items, one of which may be selected, in a sunken box with its own
// vertical scroll bar when the items do not all fit.
//
// The selection changes by the mouse (a press, or a drag across the items), by the keys
// (arrows, PageUp/PageDown, Home/End) and by typing (the next item starting with the
// typed character, case-insensitive, wrapping round). Each change a person makes raises
// Click once; changes made by code (SetListIndex, SetSelected) raise nothing.
//
// Indexes out of range are ignored where they would change something and read as
// nothing ("" or false) where they are asked about; nothing ever raises or crashes.

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace tabula {

class ScrollBar;

// Type-ahead: the index of the first item after `after` (wrapping round, ending with
// `after` itself) whose first character is `typed`, ignoring case; -1 if none.
int32_t FindItemStartingWith(const std::vector<std::string>& items, int32_t after, char16_t typed);

class ListBox : public Control {
public:
    static constexpr int32_t kScrollBarWidth = 16;

    ListBox(HWND parent, const Rect& rect);
    ~ListBox() override;

    // --- Items -----------------------------------------------------------------------------
    void Clear();
    // Inserts at `index`; -1 (or any index outside 0..ListCount) appends.
    void AddItem(std::string text, int32_t index = -1);
    void RemoveItem(int32_t index);
    // Replaces every item at once, nothing selected: one layout and one paint however long
    // the list is.
    void SetItems(std::vector<std::string> items);
    std::string List(int32_t index) const;
    void SetList(int32_t index, std::string text);
    int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }

    // --- Selection -------------------------------------------------------------------------
    // -1 when nothing is selected. Setting scrolls the item into view.
    int32_t ListIndex() const { return listIndex_; }
    void SetListIndex(int32_t index);
    bool Selected(int32_t index) const;
    void SetSelected(int32_t index, bool selected);
    // The selected item's text, "" when nothing is selected.
    std::string Text() const { return List(listIndex_); }

    // --- Scrolling and size ----------------------------------------------------------------
    // The first item shown; clamped so the list never scrolls past its last page.
    int32_t TopIndex() const { return topIndex_; }
    void SetTopIndex(int32_t index);
    // On (the default), the box's height shrinks to a whole number of items.
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool on);

    // --- Geometry, the one place that knows where items are --------------------------------
    int32_t ItemHeight() const { return itemHeight_; }
    // Items that fit whole in the box.
    int32_t VisibleCount() const;
    // Where the item's row is now (outside the box when the item is scrolled away).
    Rect ItemRect(int32_t index) const;
    // The item under a point of the client area, -1 for none.
    int32_t ItemAt(int32_t x, int32_t y) const;
    bool ScrollBarVisible() const;

protected:
    enum class BorderLook { Sunken, Flat };
    // A drop-down list draws a thin flat frame instead of the sunken edge.
    void SetBorderLook(BorderLook look);
    ScrollBar& VerticalBar() { return *bar_; }

    void Paint() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnResize() override;
    void OnFontChanged() override;
    void OnKeyDown(int16_t keyCode, int16_t shift) override;
    void OnKeyPress(int16_t keyAscii) override;
    void OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    bool ClickOnRelease() const override { return false; }

private:
    int32_t BorderWidth() const { return borderLook_ == BorderLook::Sunken ? 2 : 1; }
    // The part of the box the items are drawn in: inside the border, left of the bar.
    Rect ItemArea() const;
    int32_t MaxTopIndex() const;
    // The bar's 16-bit range covers any number of items: beyond it a bar step is several
    // items.
    int16_t BarMax() const;
    // Recomputes the item height, snaps the height to whole items, shows or hides the
    // scroll bar and brings TopIndex and the bar into line.
    void UpdateLayout();
    void SyncScrollBar();
    void ScrollIntoView(int32_t index);
    // A selection change a person made: raises Click when the selection moved. Returns
    // false when the control went away in the handler.
    bool SelectByUser(int32_t index);
    // The item the mouse points at while a button is held: above or below the box it is
    // the one just outside, so the list scrolls.
    int32_t ItemForDrag(int32_t y) const;

    std::vector<std::string> items_;
    int32_t listIndex_ = -1;
    int32_t topIndex_ = 0;
    int32_t itemHeight_ = 13;
    bool integralHeight_ = true;
    BorderLook borderLook_ = BorderLook::Sunken;
    bool tracking_ = false;    // the left button went down on the list and is still held
    bool syncingBar_ = false;  // the bar is being set from the list, not by a person
    int32_t wheelRemainder_ = 0;
    std::unique_ptr<ScrollBar> bar_;
};

}  // namespace tabula
