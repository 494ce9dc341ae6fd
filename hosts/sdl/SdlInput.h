#pragma once

// Turns SDL's input events into the desktop's input queue: keys as virtual keys, text
// input as typed characters, mouse motion, buttons and the wheel at window coordinates
// (the desktop's screen is the window's client area). It only queues; the host pumps.
// Needs no SDL initialisation, so it can be driven with hand-made events.

#include <SDL_events.h>

#include <array>
#include <string_view>

#include "platform/gdi/Geometry.h"
#include "platform/window/Desktop.h"

namespace tabula {

class SdlInput {
public:
    // The wheel delta of one notch, as the runtime's messages count it.
    static constexpr int32_t kWheelDelta = 120;

    explicit SdlInput(Desktop& desktop) : desktop_(desktop) {}

    // Queues the input an event stands for. Returns false for events that are not input,
    // which the host handles itself (quit, window size, exposure).
    bool Feed(const SDL_Event& event);

    // Releases every key still held down. When the window loses the keyboard focus the
    // releases go to another window, so without this a Ctrl held for Alt+Tab would stay
    // down here for good.
    void ReleaseHeldKeys();

    // The last mouse position in window coordinates.
    Point MousePosition() const { return mouse_; }

private:
    void Key(const SDL_KeyboardEvent& event);
    void Text(std::string_view utf8);
    // Whether typed text stands for characters now: not while Ctrl or Alt alone is held
    // (those keys make shortcuts, not text), but with Alt Gr (right Alt, or Ctrl and Alt
    // together), which types the third-level characters of many layouts.
    bool TextAllowed() const;

    Desktop& desktop_;
    std::array<bool, 256> held_{};
    std::array<bool, 256> heldExtended_{};
    bool leftCtrl_ = false;
    bool rightCtrl_ = false;
    bool leftAlt_ = false;
    bool rightAlt_ = false;
    Point mouse_;
};

}  // namespace tabula
