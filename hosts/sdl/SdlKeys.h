#pragma once

// How SDL's keys become the runtime's virtual keys, and which characters reach the
// runtime as key presses and which as text input.
//
// SDL reports a key twice over: a key event (keycode for the layout, scancode for the
// physical position) and, for keys that type, a separate text-input event with the
// characters the keyboard layout and input method produced. The runtime wants the key as
// a virtual key and each character once, so:
//   - keys that type through text input are injected without their own character
//     (translate = false) and their characters come from the text-input event;
//   - keys whose characters never come through text input (Enter, Backspace, Tab,
//     Escape, and every key while Ctrl is held, which types control characters) are
//     injected with translate = true, so the runtime's keyboard layout types them.

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tabula {

struct SdlVirtualKey {
    uint8_t vk = 0;  // 0: the key has no virtual key and is ignored
    bool extended = false;
    friend bool operator==(const SdlVirtualKey&, const SdlVirtualKey&) = default;
};

// The virtual key of an SDL key. Letters, digits and punctuation follow the layout's
// keycode, falling back to the physical position when the layout gives a character the
// US keyboard does not have (a Cyrillic letter, an umlaut). The keypad follows the
// physical key: with Num Lock on it gives the number-pad keys, with it off the
// navigation keys, the way the keypad works on a PC. Left and right Shift, Ctrl and Alt
// give the generic Shift, Ctrl and Alt keys; the right-hand Ctrl and Alt are extended.
SdlVirtualKey VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode, uint16_t mod);

// Whether a virtual key types its characters through text input (letters, digits,
// space, punctuation and the number pad): such a key is injected without a character of
// its own unless Ctrl is held.
bool TypesThroughTextInput(uint8_t vk);

// The characters of a text-input event, one per code point. Malformed UTF-8 becomes
// U+FFFD; control characters (which SDL does not send, but a foreign source might) are
// dropped, since keys type those.
std::u32string TextInputCharacters(std::string_view utf8);

}  // namespace tabula
