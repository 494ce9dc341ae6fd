#include "hosts/sdl/SdlInput.h"

#include <cstring>

#include "hosts/sdl/SdlKeys.h"
#include "platform/window/VirtualKeys.h"

namespace tabula {

bool SdlInput::Feed(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            Key(event.key);
            return true;
        case SDL_TEXTINPUT:
            // The text is NUL-terminated within its buffer; stop at the buffer's end anyway.
            Text(std::string_view(event.text.text,
                                  strnlen(event.text.text, sizeof event.text.text)));
            return true;
        case SDL_MOUSEMOTION:
            mouse_ = {event.motion.x, event.motion.y};
            desktop_.InjectMouseMove(mouse_);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int button = -1;
            switch (event.button.button) {
                case SDL_BUTTON_LEFT:
                    button = 0;
                    break;
                case SDL_BUTTON_RIGHT:
                    button = 1;
                    break;
                case SDL_BUTTON_MIDDLE:
                    button = 2;
                    break;
                default:
                    return true;  // side buttons have no message of their own
            }
            mouse_ = {event.button.x, event.button.y};
            desktop_.InjectMouseButton(button, event.type == SDL_MOUSEBUTTONDOWN, mouse_);
            return true;
        }
        case SDL_MOUSEWHEEL: {
            int32_t notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            // Positive is away from the user, as for the runtime's wheel messages.
            if (notches != 0) desktop_.InjectWheel(notches * kWheelDelta, mouse_);
            return true;
        }
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                ReleaseHeldKeys();
                desktop_.InjectActivation(false);
                return true;
            }
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                desktop_.InjectActivation(true);
                return true;
            }
            return false;
        default:
            return false;
    }
}

void SdlInput::Key(const SDL_KeyboardEvent& event) {
    const bool down = event.type == SDL_KEYDOWN;
    switch (event.keysym.scancode) {
        case SDL_SCANCODE_LCTRL:
            leftCtrl_ = down;
            break;
        case SDL_SCANCODE_RCTRL:
            rightCtrl_ = down;
            break;
        case SDL_SCANCODE_LALT:
            leftAlt_ = down;
            break;
        case SDL_SCANCODE_RALT:
        case SDL_SCANCODE_MODE:
            rightAlt_ = down;
            break;
        default:
            break;
    }
    const SdlVirtualKey key =
        VirtualKeyFromSdl(event.keysym.sym, event.keysym.scancode, event.keysym.mod);
    if (key.vk == 0) return;
    held_[key.vk] = down;
    heldExtended_[key.vk] = key.extended;
    // A key that types through text input must not type again here; with Ctrl held no
    // text arrives and the key types its control character itself.
    const bool ctrl = leftCtrl_ || rightCtrl_;
    const bool translate = !TypesThroughTextInput(key.vk) || ctrl;
    desktop_.InjectKey(key.vk, down, translate, key.extended);
}

bool SdlInput::TextAllowed() const {
    const bool ctrl = leftCtrl_ || rightCtrl_;
    if (rightAlt_ || (ctrl && leftAlt_)) return true;
    return !ctrl && !leftAlt_;
}

void SdlInput::Text(std::string_view utf8) {
    if (!TextAllowed()) return;
    for (char32_t c : TextInputCharacters(utf8)) {
        desktop_.InjectCharacter(c);
    }
}

void SdlInput::ReleaseHeldKeys() {
    for (int vk = 0; vk < 256; ++vk) {
        if (!held_[vk]) continue;
        held_[vk] = false;
        desktop_.InjectKey(static_cast<uint8_t>(vk), false, false, heldExtended_[vk]);
    }
    leftCtrl_ = rightCtrl_ = leftAlt_ = rightAlt_ = false;
}

}  // namespace tabula
