#include <gtest/gtest.h>

#include "hosts/sdl/SdlKeys.h"
#include "platform/window/VirtualKeys.h"

namespace tabula {
namespace {

SdlVirtualKey Key(SDL_Keycode key, SDL_Scancode scancode, uint16_t mod = KMOD_NONE) {
    return VirtualKeyFromSdl(key, scancode, mod);
}

TEST(SdlKeysTest, LettersAndDigitsAreTheirUpperCaseCodes) {
    for (char c = 'a'; c <= 'z'; ++c) {
        const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (c - 'a'));
        EXPECT_EQ(Key(c, scancode), (SdlVirtualKey{static_cast<uint8_t>(c - 'a' + 'A'), false}))
            << c;
    }
    EXPECT_EQ(Key(SDLK_0, SDL_SCANCODE_0).vk, '0');
    EXPECT_EQ(Key(SDLK_1, SDL_SCANCODE_1).vk, '1');
    EXPECT_EQ(Key(SDLK_9, SDL_SCANCODE_9).vk, '9');
    // Shift does not change the key: Shift+a is still the A key.
    EXPECT_EQ(Key(SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT).vk, 'A');
}

TEST(SdlKeysTest, LettersFollowTheLayoutNotThePosition) {
    // On a French keyboard the key where Q sits on a US keyboard types A.
    EXPECT_EQ(Key(SDLK_a, SDL_SCANCODE_Q).vk, 'A');
    // On a German keyboard Y and Z swap places.
    EXPECT_EQ(Key(SDLK_z, SDL_SCANCODE_Y).vk, 'Z');
}

TEST(SdlKeysTest, CharactersTheUsKeyboardLacksFallBackToThePosition) {
    EXPECT_EQ(Key(0x0444 /* Cyrillic ef */, SDL_SCANCODE_A).vk, 'A');
    EXPECT_EQ(Key(0x00F6 /* o umlaut */, SDL_SCANCODE_SEMICOLON).vk, VK_OEM_1);
    EXPECT_EQ(Key(0x00E9 /* e acute, French digit row */, SDL_SCANCODE_2).vk, '2');
    EXPECT_EQ(Key(0x00E0 /* a grave, French digit row */, SDL_SCANCODE_0).vk, '0');
}

TEST(SdlKeysTest, FunctionKeysRunFromF1ToF16) {
    EXPECT_EQ(Key(SDLK_F1, SDL_SCANCODE_F1).vk, VK_F1);
    EXPECT_EQ(Key(SDLK_F2, SDL_SCANCODE_F2).vk, VK_F1 + 1);
    EXPECT_EQ(Key(SDLK_F10, SDL_SCANCODE_F10).vk, VK_F1 + 9);
    EXPECT_EQ(Key(SDLK_F12, SDL_SCANCODE_F12).vk, VK_F1 + 11);
    EXPECT_EQ(Key(SDLK_F13, SDL_SCANCODE_F13).vk, VK_F1 + 12);
    EXPECT_EQ(Key(SDLK_F16, SDL_SCANCODE_F16).vk, VK_F16);
    EXPECT_EQ(Key(SDLK_F17, SDL_SCANCODE_F17).vk, 0);  // past what the keyboard has
}

TEST(SdlKeysTest, NavigationKeysAreExtended) {
    const struct {
        SDL_Keycode key;
        SDL_Scancode scancode;
        uint8_t vk;
    } keys[] = {
        {SDLK_LEFT, SDL_SCANCODE_LEFT, VK_LEFT},
        {SDLK_RIGHT, SDL_SCANCODE_RIGHT, VK_RIGHT},
        {SDLK_UP, SDL_SCANCODE_UP, VK_UP},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, VK_DOWN},
        {SDLK_HOME, SDL_SCANCODE_HOME, VK_HOME},
        {SDLK_END, SDL_SCANCODE_END, VK_END},
        {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, VK_PRIOR},
        {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, VK_NEXT},
        {SDLK_INSERT, SDL_SCANCODE_INSERT, VK_INSERT},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, VK_DELETE},
    };
    for (const auto& k : keys) {
        EXPECT_EQ(Key(k.key, k.scancode), (SdlVirtualKey{k.vk, true})) << int(k.vk);
    }
}

TEST(SdlKeysTest, EditingKeysAreNotExtended) {
    EXPECT_EQ(Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE), (SdlVirtualKey{VK_BACK, false}));
    EXPECT_EQ(Key(SDLK_TAB, SDL_SCANCODE_TAB), (SdlVirtualKey{VK_TAB, false}));
    EXPECT_EQ(Key(SDLK_RETURN, SDL_SCANCODE_RETURN), (SdlVirtualKey{VK_RETURN, false}));
    EXPECT_EQ(Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), (SdlVirtualKey{VK_ESCAPE, false}));
    EXPECT_EQ(Key(SDLK_SPACE, SDL_SCANCODE_SPACE), (SdlVirtualKey{VK_SPACE, false}));
}

TEST(SdlKeysTest, BothSidesOfAModifierGiveTheGenericKeyAndTheRightSideIsExtended) {
    EXPECT_EQ(Key(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), (SdlVirtualKey{VK_SHIFT, false}));
    EXPECT_EQ(Key(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), (SdlVirtualKey{VK_SHIFT, false}));
    EXPECT_EQ(Key(SDLK_LCTRL, SDL_SCANCODE_LCTRL), (SdlVirtualKey{VK_CONTROL, false}));
    EXPECT_EQ(Key(SDLK_RCTRL, SDL_SCANCODE_RCTRL), (SdlVirtualKey{VK_CONTROL, true}));
    EXPECT_EQ(Key(SDLK_LALT, SDL_SCANCODE_LALT), (SdlVirtualKey{VK_MENU, false}));
    EXPECT_EQ(Key(SDLK_RALT, SDL_SCANCODE_RALT), (SdlVirtualKey{VK_MENU, true}));
    // Alt Gr as some X keyboard maps report it.
    EXPECT_EQ(Key(SDLK_MODE, SDL_SCANCODE_RALT), (SdlVirtualKey{VK_MENU, true}));
    EXPECT_EQ(Key(SDLK_MODE, SDL_SCANCODE_MODE), (SdlVirtualKey{VK_MENU, true}));
}

TEST(SdlKeysTest, UsPunctuationKeysAreTheOemKeys) {
    const struct {
        SDL_Keycode key;
        SDL_Scancode scancode;
        uint8_t vk;
    } keys[] = {
        {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, VK_OEM_1},
        {SDLK_EQUALS, SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
        {SDLK_COMMA, SDL_SCANCODE_COMMA, VK_OEM_COMMA},
        {SDLK_MINUS, SDL_SCANCODE_MINUS, VK_OEM_MINUS},
        {SDLK_PERIOD, SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
        {SDLK_SLASH, SDL_SCANCODE_SLASH, VK_OEM_2},
        {SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, VK_OEM_3},
        {SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
        {SDLK_BACKSLASH, SDL_SCANCODE_BACKSLASH, VK_OEM_5},
        {SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},
        {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
    };
    for (const auto& k : keys) {
        EXPECT_EQ(Key(k.key, k.scancode), (SdlVirtualKey{k.vk, false})) << int(k.vk);
    }
}

TEST(SdlKeysTest, TheKeypadFollowsNumLock) {
    EXPECT_EQ(Key(SDLK_KP_1, SDL_SCANCODE_KP_1, KMOD_NUM).vk, VK_NUMPAD0 + 1);
    EXPECT_EQ(Key(SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM).vk, VK_NUMPAD0);
    EXPECT_EQ(Key(SDLK_KP_9, SDL_SCANCODE_KP_9, KMOD_NUM).vk, VK_NUMPAD0 + 9);
    EXPECT_EQ(Key(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NUM).vk, VK_DECIMAL);
    // Without Num Lock the same keys move, and they are not the extended navigation keys.
    EXPECT_EQ(Key(SDLK_KP_1, SDL_SCANCODE_KP_1), (SdlVirtualKey{VK_END, false}));
    EXPECT_EQ(Key(SDLK_KP_8, SDL_SCANCODE_KP_8), (SdlVirtualKey{VK_UP, false}));
    EXPECT_EQ(Key(SDLK_KP_9, SDL_SCANCODE_KP_9), (SdlVirtualKey{VK_PRIOR, false}));
    EXPECT_EQ(Key(SDLK_KP_0, SDL_SCANCODE_KP_0), (SdlVirtualKey{VK_INSERT, false}));
    EXPECT_EQ(Key(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD), (SdlVirtualKey{VK_DELETE, false}));
    EXPECT_EQ(Key(SDLK_KP_5, SDL_SCANCODE_KP_5).vk, 0);
    // Some keyboard maps report the navigation keycode for a keypad key: the position wins.
    EXPECT_EQ(Key(SDLK_END, SDL_SCANCODE_KP_1, KMOD_NUM).vk, VK_NUMPAD0 + 1);
    // The operators do not depend on Num Lock; Enter and divide are extended.
    EXPECT_EQ(Key(SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS).vk, VK_ADD);
    EXPECT_EQ(Key(SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS, KMOD_NUM).vk, VK_SUBTRACT);
    EXPECT_EQ(Key(SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY).vk, VK_MULTIPLY);
    EXPECT_EQ(Key(SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE), (SdlVirtualKey{VK_DIVIDE, true}));
    EXPECT_EQ(Key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), (SdlVirtualKey{VK_RETURN, true}));
}

TEST(SdlKeysTest, LockAndSystemKeys) {
    EXPECT_EQ(Key(SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK).vk, VK_CAPITAL);
    EXPECT_EQ(Key(SDLK_NUMLOCKCLEAR, SDL_SCANCODE_NUMLOCKCLEAR).vk, VK_NUMLOCK);
    EXPECT_EQ(Key(SDLK_SCROLLLOCK, SDL_SCANCODE_SCROLLLOCK).vk, VK_SCROLL);
    EXPECT_EQ(Key(SDLK_PAUSE, SDL_SCANCODE_PAUSE).vk, VK_PAUSE);
    EXPECT_EQ(Key(SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN).vk, VK_SNAPSHOT);
}

TEST(SdlKeysTest, KeysWithoutAVirtualKeyAreIgnored) {
    EXPECT_EQ(Key(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN).vk, 0);
    EXPECT_EQ(Key(SDLK_LGUI, SDL_SCANCODE_LGUI).vk, 0);
    EXPECT_EQ(Key(SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY).vk, 0);
}

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

TEST(SdlKeysTest, TextInputSplitsIntoCodePoints) {
    EXPECT_EQ(TextInputCharacters("abc"), U"abc");
    EXPECT_EQ(TextInputCharacters(""), U"");
    // Two-, three- and four-byte characters, each one character.
    EXPECT_EQ(TextInputCharacters("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
              U"\u00E9\u20AC\U0001F600");
    // A composed sequence from an input method arrives in one event.
    EXPECT_EQ(TextInputCharacters("\xE6\x97\xA5\xE6\x9C\xAC"), U"\u65E5\u672C");
}

TEST(SdlKeysTest, MalformedTextBecomesReplacementCharactersAndControlsAreDropped) {
    EXPECT_EQ(TextInputCharacters("a\xFF"
                                  "b"),
              U"a\uFFFDb");
    // A sequence cut short at the end of the buffer: one replacement per byte.
    EXPECT_EQ(TextInputCharacters("x\xE2\x82"), U"x\uFFFD\uFFFD");
    EXPECT_EQ(TextInputCharacters("a\rb\x1B\x7F"
                                  "c"),
              U"abc");
}

}  // namespace
}  // namespace tabula
