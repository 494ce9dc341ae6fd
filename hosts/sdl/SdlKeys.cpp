#include "hosts/sdl/SdlKeys.h"

#include <array>

#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"

namespace tabula {

namespace {

struct KeyEntry {
    SDL_Keycode key;
    uint8_t vk;
    bool extended;
};

// Keys whose meaning does not depend on the layout.
constexpr std::array<KeyEntry, 26> kFixedKeys = {{
    {SDLK_RETURN, VK_RETURN, false},
    {SDLK_ESCAPE, VK_ESCAPE, false},
    {SDLK_BACKSPACE, VK_BACK, false},
    {SDLK_TAB, VK_TAB, false},
    {SDLK_SPACE, VK_SPACE, false},
    {SDLK_INSERT, VK_INSERT, true},
    {SDLK_DELETE, VK_DELETE, true},
    {SDLK_HOME, VK_HOME, true},
    {SDLK_END, VK_END, true},
    {SDLK_PAGEUP, VK_PRIOR, true},
    {SDLK_PAGEDOWN, VK_NEXT, true},
    {SDLK_LEFT, VK_LEFT, true},
    {SDLK_RIGHT, VK_RIGHT, true},
    {SDLK_UP, VK_UP, true},
    {SDLK_DOWN, VK_DOWN, true},
    {SDLK_PAUSE, VK_PAUSE, false},
    {SDLK_CAPSLOCK, VK_CAPITAL, false},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK, true},
    {SDLK_SCROLLLOCK, VK_SCROLL, false},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT, true},
    {SDLK_HELP, VK_HELP, false},
    {SDLK_F13, VK_F1 + 12, false},
    {SDLK_F14, VK_F1 + 13, false},
    {SDLK_F15, VK_F1 + 14, false},
    {SDLK_F16, VK_F1 + 15, false},
    // Some layouts send Alt Gr as its own key.
    {SDLK_MODE, VK_MENU, true},
}};

// The US punctuation keys, by the character their keycode carries.
constexpr std::array<KeyEntry, 11> kPunctuation = {{
    {SDLK_SEMICOLON, VK_OEM_1, false},
    {SDLK_EQUALS, VK_OEM_PLUS, false},
    {SDLK_COMMA, VK_OEM_COMMA, false},
    {SDLK_MINUS, VK_OEM_MINUS, false},
    {SDLK_PERIOD, VK_OEM_PERIOD, false},
    {SDLK_SLASH, VK_OEM_2, false},
    {SDLK_BACKQUOTE, VK_OEM_3, false},
    {SDLK_LEFTBRACKET, VK_OEM_4, false},
    {SDLK_BACKSLASH, VK_OEM_5, false},
    {SDLK_RIGHTBRACKET, VK_OEM_6, false},
    {SDLK_QUOTE, VK_OEM_7, false},
}};

struct ScancodeEntry {
    SDL_Scancode scancode;
    uint8_t vk;
    bool extended;
};

// The punctuation keys by position, for layouts whose keycodes are not US characters.
constexpr std::array<ScancodeEntry, 11> kPunctuationPositions = {{
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, false},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, false},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, false},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, false},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, false},
    {SDL_SCANCODE_SLASH, VK_OEM_2, false},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, false},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, false},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, false},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, false},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, false},
}};

constexpr std::array<ScancodeEntry, 7> kModifiers = {{
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, false},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, false},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, false},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, true},
    {SDL_SCANCODE_LALT, VK_MENU, false},
    {SDL_SCANCODE_RALT, VK_MENU, true},
    {SDL_SCANCODE_MODE, VK_MENU, true},
}};

// The keypad by position: the number-pad key with Num Lock on, the navigation key the
// same key gives with it off.
struct KeypadEntry {
    SDL_Scancode scancode;
    uint8_t withNumLock;
    uint8_t withoutNumLock;
};

constexpr std::array<KeypadEntry, 15> kKeypad = {{
    {SDL_SCANCODE_KP_0, VK_NUMPAD0 + 0, VK_INSERT},
    {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, VK_END},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, VK_DOWN},
    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, VK_NEXT},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, VK_LEFT},
    {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, 0},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, VK_RIGHT},
    {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, VK_HOME},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, VK_UP},
    {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, VK_PRIOR},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, VK_ADD},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, VK_SUBTRACT},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, VK_DIVIDE},
}};

}  // namespace

SdlVirtualKey VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode, uint16_t mod) {
    // The keypad and the modifiers first, by position: their keycodes vary with Num Lock
    // and with the keyboard map, their positions do not.
    for (const auto& k : kKeypad) {
        if (k.scancode != scancode) continue;
        if (scancode == SDL_SCANCODE_KP_DIVIDE) return {VK_DIVIDE, true};
        return {(mod & KMOD_NUM) ? k.withNumLock : k.withoutNumLock, false};
    }
    if (scancode == SDL_SCANCODE_KP_ENTER) return {VK_RETURN, true};
    for (const auto& m : kModifiers) {
        if (m.scancode == scancode) return {m.vk, m.extended};
    }

    if (key >= 'a' && key <= 'z') return {static_cast<uint8_t>(key - 'a' + 'A'), false};
    if (key >= '0' && key <= '9') return {static_cast<uint8_t>(key), false};
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return {static_cast<uint8_t>(VK_F1 + (key - SDLK_F1)), false};
    for (const auto& k : kFixedKeys) {
        if (k.key == key) return {k.vk, k.extended};
    }
    for (const auto& k : kPunctuation) {
        if (k.key == key) return {k.vk, k.extended};
    }

    // A layout character the US keyboard does not have: the key at the same position.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return {static_cast<uint8_t>('A' + (scancode - SDL_SCANCODE_A)), false};
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return {static_cast<uint8_t>('1' + (scancode - SDL_SCANCODE_1)), false};
    }
    if (scancode == SDL_SCANCODE_0) return {'0', false};
    for (const auto& k : kPunctuationPositions) {
        if (k.scancode == scancode) return {k.vk, k.extended};
    }
    return {};
}

bool TypesThroughTextInput(uint8_t vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || vk == VK_SPACE) return true;
    if (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) return true;  // digits and operators
    return vk >= VK_OEM_1 && vk <= VK_OEM_7 && (vk <= VK_OEM_3 || vk >= VK_OEM_4);
}

std::u32string TextInputCharacters(std::string_view utf8) {
    std::u32string characters;
    for (char32_t c : DecodeUtf8(utf8)) {
        if (c < 0x20 || c == 0x7F) continue;
        characters.push_back(c);
    }
    return characters;
}

}  // namespace tabula
