#pragma once

// A list that pops up over the other controls of its form and holds the keyboard and the
// mouse while it shows: a press outside it (and its release) goes no further and
// dismisses it, as does the
// keyboard or the mouse going to another window (another control taking the focus, the
// form losing the mouse when it loses activation). Its scroll bar works as on any list.
// Dismissed is raised once for each dismissal, while the list still shows (the list closes
// after it, if the handler did not close it); Close, by code, raises nothing.

#include "platform/forms/ListBox.h"

namespace tabula {

class PopupList : public ListBox {
public:
    PopupList(HWND parent, const Rect& rect);

    // Shows the list in front of its siblings with the keyboard and the mouse.
    void Popup();
    // Hides the list and lets the mouse go; the keyboard is the caller's to place.
    void Close();
    bool IsOpen() const { return open_; }

    Event Dismissed;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Dismiss();
    void KeepMouse();

    bool open_ = false;
    bool releasing_ = false;       // a button's release lets the mouse go and takes it back
    bool swallowRelease_ = false;  // the press that dismissed the list holds the mouse
    bool dismissing_ = false;
};

}  // namespace tabula
