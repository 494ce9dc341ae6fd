#include "hosts/sdl/SdlKeys.h"

#include <gtest/gtest.h>

#include "platform/window/VirtualKeys.h"

namespace tabula {
namespace {

TEST(SdlKeysTest, LettersAreTheirUpperCaseCodesWhateverTheShift) {
    for (char c = 'a'; c <= 'z'; ++c) {
        const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (c - 'a'));
        const SdlVirtualKey expected{static_cast<uint8_t>(c - 'a' + 'A'), false};
        EXPECT_EQ(VirtualKeyFromSdl(c, scancode, KMOD_NONE), expected) << c;
        EXPECT_EQ(VirtualKeyFromSdl(c, scancode, KMOD_LSHIFT), expected) << c;
    }
}

struct KeyCase {
    SDL_Keycode key;
    SDL_Scancode scancode;
    uint16_t mod;
    uint8_t vk;  // 0: ignored
    bool extended;
};

constexpr uint16_t kNone = KMOD_NONE, kNum = KMOD_NUM;

// Digits, function keys and keys without a virtual key.
constexpr KeyCase kPlainKeys[] = {
    {SDLK_0, SDL_SCANCODE_0, kNone, '0', false},
    {SDLK_9, SDL_SCANCODE_9, kNone, '9', false},
    {SDLK_F1, SDL_SCANCODE_F1, kNone, VK_F1, false},
    {SDLK_F12, SDL_SCANCODE_F12, kNone, VK_F1 + 11, false},
    {SDLK_F13, SDL_SCANCODE_F13, kNone, VK_F1 + 12, false},
    {SDLK_F16, SDL_SCANCODE_F16, kNone, VK_F16, false},
    {SDLK_F17, SDL_SCANCODE_F17, kNone, 0, false},  // past what the keyboard has
    {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, kNone, 0, false},
    {SDLK_LGUI, SDL_SCANCODE_LGUI, kNone, 0, false},
    {SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, kNone, 0, false},
    {SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK, kNone, VK_CAPITAL, false},
    {SDLK_NUMLOCKCLEAR, SDL_SCANCODE_NUMLOCKCLEAR, kNone, VK_NUMLOCK, true},
    {SDLK_SCROLLLOCK, SDL_SCANCODE_SCROLLLOCK, kNone, VK_SCROLL, false},
    {SDLK_PAUSE, SDL_SCANCODE_PAUSE, kNone, VK_PAUSE, false},
    {SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN, kNone, VK_SNAPSHOT, true},
};

// Letters and punctuation follow the layout; characters the US keyboard lacks fall back
// to the key's position.
constexpr KeyCase kLayoutKeys[] = {
    {SDLK_a, SDL_SCANCODE_Q, kNone, 'A', false},  // French: A where US has Q
    {SDLK_z, SDL_SCANCODE_Y, kNone, 'Z', false},  // German: Y and Z swap
    {0x0444 /* Cyrillic ef */, SDL_SCANCODE_A, kNone, 'A', false},
    {0x00F6 /* o umlaut */, SDL_SCANCODE_SEMICOLON, kNone, VK_OEM_1, false},
    {0x00E9 /* e acute, French digit row */, SDL_SCANCODE_2, kNone, '2', false},
    {0x00E0 /* a grave, French digit row */, SDL_SCANCODE_0, kNone, '0', false},
    {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, kNone, VK_OEM_1, false},
    {SDLK_EQUALS, SDL_SCANCODE_EQUALS, kNone, VK_OEM_PLUS, false},
    {SDLK_COMMA, SDL_SCANCODE_COMMA, kNone, VK_OEM_COMMA, false},
    {SDLK_MINUS, SDL_SCANCODE_MINUS, kNone, VK_OEM_MINUS, false},
    {SDLK_PERIOD, SDL_SCANCODE_PERIOD, kNone, VK_OEM_PERIOD, false},
    {SDLK_SLASH, SDL_SCANCODE_SLASH, kNone, VK_OEM_2, false},
    {SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, kNone, VK_OEM_3, false},
    {SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, kNone, VK_OEM_4, false},
    {SDLK_BACKSLASH, SDL_SCANCODE_BACKSLASH, kNone, VK_OEM_5, false},
    {SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, kNone, VK_OEM_6, false},
    {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, kNone, VK_OEM_7, false},
};

// Navigation keys are extended, editing keys are not; both sides of a modifier give the
// generic key, the right-hand Ctrl and Alt extended.
constexpr KeyCase kNavigationAndModifierKeys[] = {
    {SDLK_LEFT, SDL_SCANCODE_LEFT, kNone, VK_LEFT, true},
    {SDLK_RIGHT, SDL_SCANCODE_RIGHT, kNone, VK_RIGHT, true},
    {SDLK_UP, SDL_SCANCODE_UP, kNone, VK_UP, true},
    {SDLK_DOWN, SDL_SCANCODE_DOWN, kNone, VK_DOWN, true},
    {SDLK_HOME, SDL_SCANCODE_HOME, kNone, VK_HOME, true},
    {SDLK_END, SDL_SCANCODE_END, kNone, VK_END, true},
    {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, kNone, VK_PRIOR, true},
    {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, kNone, VK_NEXT, true},
    {SDLK_INSERT, SDL_SCANCODE_INSERT, kNone, VK_INSERT, true},
    {SDLK_DELETE, SDL_SCANCODE_DELETE, kNone, VK_DELETE, true},
    {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, kNone, VK_BACK, false},
    {SDLK_TAB, SDL_SCANCODE_TAB, kNone, VK_TAB, false},
    {SDLK_RETURN, SDL_SCANCODE_RETURN, kNone, VK_RETURN, false},
    {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, kNone, VK_ESCAPE, false},
    {SDLK_SPACE, SDL_SCANCODE_SPACE, kNone, VK_SPACE, false},
    {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, kNone, VK_SHIFT, false},
    {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, kNone, VK_SHIFT, false},
    {SDLK_LCTRL, SDL_SCANCODE_LCTRL, kNone, VK_CONTROL, false},
    {SDLK_RCTRL, SDL_SCANCODE_RCTRL, kNone, VK_CONTROL, true},
    {SDLK_LALT, SDL_SCANCODE_LALT, kNone, VK_MENU, false},
    {SDLK_RALT, SDL_SCANCODE_RALT, kNone, VK_MENU, true},
    {SDLK_MODE, SDL_SCANCODE_RALT, kNone, VK_MENU, true},  // Alt Gr on some X keyboard maps
    {SDLK_MODE, SDL_SCANCODE_MODE, kNone, VK_MENU, true},
};

// The keypad follows Num Lock; without it the keys move, but are not the extended
// navigation keys. Some keyboard maps report the navigation keycode for a keypad key: the
// position wins. The operators do not depend on Num Lock; Enter and divide are extended.
constexpr KeyCase kKeypadKeys[] = {
    {SDLK_KP_1, SDL_SCANCODE_KP_1, kNum, VK_NUMPAD0 + 1, false},
    {SDLK_KP_0, SDL_SCANCODE_KP_0, kNum, VK_NUMPAD0, false},
    {SDLK_KP_9, SDL_SCANCODE_KP_9, kNum, VK_NUMPAD0 + 9, false},
    {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, kNum, VK_DECIMAL, false},
    {SDLK_KP_1, SDL_SCANCODE_KP_1, kNone, VK_END, false},
    {SDLK_KP_8, SDL_SCANCODE_KP_8, kNone, VK_UP, false},
    {SDLK_KP_9, SDL_SCANCODE_KP_9, kNone, VK_PRIOR, false},
    {SDLK_KP_0, SDL_SCANCODE_KP_0, kNone, VK_INSERT, false},
    {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, kNone, VK_DELETE, false},
    {SDLK_KP_5, SDL_SCANCODE_KP_5, kNone, 0, false},
    {SDLK_END, SDL_SCANCODE_KP_1, kNum, VK_NUMPAD0 + 1, false},
    {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, kNone, VK_ADD, false},
    {SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS, kNum, VK_SUBTRACT, false},
    {SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, kNone, VK_MULTIPLY, false},
    {SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, kNone, VK_DIVIDE, true},
    {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, kNone, VK_RETURN, true},
};

class SdlKeyTableTest : public testing::TestWithParam<KeyCase> {};

TEST_P(SdlKeyTableTest, GivesTheVirtualKeyAndWhetherItIsExtended) {
    const KeyCase& k = GetParam();
    EXPECT_EQ(VirtualKeyFromSdl(k.key, k.scancode, k.mod), (SdlVirtualKey{k.vk, k.extended}))
        << "key " << k.key << ", scancode " << k.scancode << ", mod " << k.mod;
}

INSTANTIATE_TEST_SUITE_P(Plain, SdlKeyTableTest, testing::ValuesIn(kPlainKeys));
INSTANTIATE_TEST_SUITE_P(Layout, SdlKeyTableTest, testing::ValuesIn(kLayoutKeys));
INSTANTIATE_TEST_SUITE_P(NavigationAndModifiers, SdlKeyTableTest,
                         testing::ValuesIn(kNavigationAndModifierKeys));
INSTANTIATE_TEST_SUITE_P(Keypad, SdlKeyTableTest, testing::ValuesIn(kKeypadKeys));

TEST(SdlKeysTest, KeysThatTypeThroughTextInput) {
    for (uint8_t vk :
         {uint8_t{'A'}, uint8_t{'Z'}, uint8_t{'0'}, uint8_t{'9'}, uint8_t{VK_SPACE},
          uint8_t{VK_OEM_1}, uint8_t{VK_OEM_3}, uint8_t{VK_OEM_4}, uint8_t{VK_OEM_7},
          uint8_t{VK_NUMPAD0}, uint8_t{VK_NUMPAD0 + 9}, uint8_t{VK_DECIMAL}, uint8_t{VK_DIVIDE}}) {
        EXPECT_TRUE(TypesThroughTextInput(vk)) << int(vk);
    }
    for (uint8_t vk : {uint8_t{VK_RETURN}, uint8_t{VK_BACK}, uint8_t{VK_TAB}, uint8_t{VK_ESCAPE},
                       uint8_t{VK_SHIFT}, uint8_t{VK_LEFT}, uint8_t{VK_F1}, uint8_t{VK_DELETE},
                       uint8_t{0xC1}, uint8_t{0xDA}, uint8_t{0xDF}}) {
        EXPECT_FALSE(TypesThroughTextInput(vk)) << int(vk);
    }
}

TEST(SdlKeysTest, TextInputSplitsIntoCodePointsReplacesMalformedBytesAndDropsControls) {
    const struct {
        const char* utf8;
        std::u32string characters;
    } cases[] = {
        {"abc", U"abc"},
        {"", U""},
        // Two-, three- and four-byte characters, each one character.
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", U"\u00E9\u20AC\U0001F600"},
        // A composed sequence from an input method arrives in one event.
        {"\xE6\x97\xA5\xE6\x9C\xAC", U"\u65E5\u672C"},
        {"a\377b", U"a\uFFFDb"},
        // A sequence cut short at the end of the buffer: one replacement per byte.
        {"x\xE2\x82", U"x\uFFFD\uFFFD"},
        {"a\rb\033c\177", U"abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextInputCharacters(c.utf8), c.characters) << c.utf8;
}

}  // namespace
}  // namespace tabula
