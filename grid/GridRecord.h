#pragma once

// The record every subsystem of one grid works on: the state, references to the
// constituent controls, the event source, the redraw counter and the announce hook. The
// control owns it; render/, input/ and edit/ take it and never the control class, so they
// stay below the public face and call each other only downwards.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "grid/Events.h"
#include "grid/GridState.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/PopupList.h"
#include "platform/forms/ScrollBar.h"
#include "platform/forms/TextBox.h"
#include "platform/window/Windows.h"
#include "services/KeySender.h"
#include "services/Subclass.h"

namespace tabula {

// The controls a grid is made of. `control` is the grid's own window: its client area
// holds the others and its surface carries the border.
struct GridParts {
    Control& control;
    PictureBox& picGrid;
    ScrollBar& scrVertical;
    ScrollBar& scrHorizontal;
    TextBox& txtSingle;
    TextBox& txtMulti;
    CommandButton& cmdButton;
    CommandButton& cmdLookup;
    PictureBox& picSizer;
};

struct GridRecord {
    explicit GridRecord(const GridParts& constituents) : parts(constituents) {}

    GridState state;
    GridParts parts;
    TabulaEventSource events;
    // How many times the redraw procedure ran: lets tests see each member's redraw rule.
    int64_t redrawCount = 0;
    // A redraw ran but its painting waits until someone looks at picGrid's image
    // (render::PaintPending).
    bool paintPending = false;
    // While a one-step scroll repaints: the strip that came in and the edges the shift
    // did not move. Cells wholly outside them kept their pixels and are not painted
    // again; none paints every cell.
    std::vector<Rect> paintOnly;
    // Tells the container that a property changed; empty without a container.
    std::function<void(std::string_view name)> announce;
    // Sends keys to the window with the keyboard, as the edit box forwards them.
    cSendKeys KeySender;
    // Receives the grid window's wheel messages while the cells have the keyboard
    // (input/Wheel.h); made at the first subscription, it detaches itself when it ends.
    std::unique_ptr<ISubclass> wheelHook;
    // The lookup list's window on the grid's form, made at its first opening and kept.
    std::unique_ptr<PopupList> lookupList;
    // The open lookup list (LookupForm), null while none is open.
    PopupList* LookupForm = nullptr;

    void Announce(std::string_view name) const {
        if (announce) announce(name);
    }
};

// Gives picGrid the keyboard focus when it is shown.
inline void FocusSurface(GridRecord& grid) {
    if (grid.parts.picGrid.Visible()) grid.parts.picGrid.SetFocus();
}

}  // namespace tabula
