#include "hosts/sdl/SdlKeys.h"

#include <gtest/gtest.h>

#include "platform/window/VirtualKeys.h"

namespace tabula {
namespace {

struct KeyCase {
    SDL_Keycode key;
    SDL_Scancode scancode;
    uint8_t vk;  // 0: ignored
    bool extended;
    uint16_t mod = KMOD_NONE;
};

// A key whose keycode and scancode share a name.
#define K(name) SDLK_##name, SDL_SCANCODE_##name
constexpr uint16_t kNum = KMOD_NUM;

// Digits, function keys up to F16 (F17 is past what the keyboard has), lock and system
// keys, and keys without a virtual key.
constexpr KeyCase kPlainKeys[] = {{K(0), '0', false},
                                  {K(9), '9', false},
                                  {K(F1), VK_F1, false},
                                  {K(F12), VK_F1 + 11, false},
                                  {K(F13), VK_F1 + 12, false},
                                  {K(F16), VK_F16, false},
                                  {K(F17), 0, false},
                                  {K(UNKNOWN), 0, false},
                                  {K(LGUI), 0, false},
                                  {K(AUDIOPLAY), 0, false},
                                  {K(CAPSLOCK), VK_CAPITAL, false},
                                  {K(NUMLOCKCLEAR), VK_NUMLOCK, true},
                                  {K(SCROLLLOCK), VK_SCROLL, false},
                                  {K(PAUSE), VK_PAUSE, false},
                                  {K(PRINTSCREEN), VK_SNAPSHOT, true}};

// Letters are their upper-case codes whatever the shift, and letters and punctuation follow
// the layout (French A where the US keyboard has Q, German Y and Z swapped); characters the US
// keyboard lacks fall back to the key's position.
constexpr KeyCase kLayoutKeys[] = {
    {SDLK_a, SDL_SCANCODE_A, 'A', false},
    {SDLK_z, SDL_SCANCODE_Z, 'Z', false, KMOD_LSHIFT},
    {SDLK_a, SDL_SCANCODE_Q, 'A', false},
    {SDLK_z, SDL_SCANCODE_Y, 'Z', false},
    {0x0444 /* Cyrillic ef */, SDL_SCANCODE_A, 'A', false},
    {0x00F6 /* o umlaut */, SDL_SCANCODE_SEMICOLON, VK_OEM_1, false},
    {0x00E9 /* e acute, French digit row */, SDL_SCANCODE_2, '2', false},
    {0x00E0 /* a grave, French digit row */, SDL_SCANCODE_0, '0', false},
    {K(SEMICOLON), VK_OEM_1, false},
    {K(EQUALS), VK_OEM_PLUS, false},
    {K(COMMA), VK_OEM_COMMA, false},
    {K(MINUS), VK_OEM_MINUS, false},
    {K(PERIOD), VK_OEM_PERIOD, false},
    {K(SLASH), VK_OEM_2, false},
    {SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, VK_OEM_3, false},
    {K(LEFTBRACKET), VK_OEM_4, false},
    {K(BACKSLASH), VK_OEM_5, false},
    {K(RIGHTBRACKET), VK_OEM_6, false},
    {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, VK_OEM_7, false}};

// Navigation keys are extended, editing keys are not; both sides of a modifier give the
// generic key, the right-hand Ctrl and Alt extended. Some X keyboard maps report Alt Gr
// as the mode key.
constexpr KeyCase kNavigationAndModifierKeys[] = {
    {K(LEFT), VK_LEFT, true},       {K(RIGHT), VK_RIGHT, true},
    {K(UP), VK_UP, true},           {K(DOWN), VK_DOWN, true},
    {K(HOME), VK_HOME, true},       {K(END), VK_END, true},
    {K(PAGEUP), VK_PRIOR, true},    {K(PAGEDOWN), VK_NEXT, true},
    {K(INSERT), VK_INSERT, true},   {K(DELETE), VK_DELETE, true},
    {K(BACKSPACE), VK_BACK, false}, {K(TAB), VK_TAB, false},
    {K(RETURN), VK_RETURN, false},  {K(ESCAPE), VK_ESCAPE, false},
    {K(SPACE), VK_SPACE, false},    {K(LSHIFT), VK_SHIFT, false},
    {K(RSHIFT), VK_SHIFT, false},   {K(LCTRL), VK_CONTROL, false},
    {K(RCTRL), VK_CONTROL, true},   {K(LALT), VK_MENU, false},
    {K(RALT), VK_MENU, true},       {SDLK_MODE, SDL_SCANCODE_RALT, VK_MENU, true},
    {K(MODE), VK_MENU, true}};

// The keypad follows Num Lock; without it the keys move, but are not the extended
// navigation keys. Some keyboard maps report the navigation keycode for a keypad key: the
// position wins. The operators do not depend on Num Lock; Enter and divide are extended.
constexpr KeyCase kKeypadKeys[] = {{K(KP_1), VK_NUMPAD0 + 1, false, kNum},
                                   {K(KP_0), VK_NUMPAD0, false, kNum},
                                   {K(KP_9), VK_NUMPAD0 + 9, false, kNum},
                                   {K(KP_PERIOD), VK_DECIMAL, false, kNum},
                                   {K(KP_1), VK_END, false},
                                   {K(KP_8), VK_UP, false},
                                   {K(KP_9), VK_PRIOR, false},
                                   {K(KP_0), VK_INSERT, false},
                                   {K(KP_PERIOD), VK_DELETE, false},
                                   {K(KP_5), 0, false},
                                   {SDLK_END, SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, false, kNum},
                                   {K(KP_PLUS), VK_ADD, false},
                                   {K(KP_MINUS), VK_SUBTRACT, false, kNum},
                                   {K(KP_MULTIPLY), VK_MULTIPLY, false},
                                   {K(KP_DIVIDE), VK_DIVIDE, true},
                                   {K(KP_ENTER), VK_RETURN, true}};

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
    for (int vk :
         std::initializer_list<int>{'A', 'Z', '0', '9', VK_SPACE, VK_OEM_1, VK_OEM_3, VK_OEM_4,
                                    VK_OEM_7, VK_NUMPAD0, VK_NUMPAD0 + 9, VK_DECIMAL, VK_DIVIDE})
        EXPECT_TRUE(TypesThroughTextInput(uint8_t(vk))) << vk;
    for (int vk : std::initializer_list<int>{VK_RETURN, VK_BACK, VK_TAB, VK_ESCAPE, VK_SHIFT,
                                             VK_LEFT, VK_F1, VK_DELETE, 0xC1, 0xDA, 0xDF})
        EXPECT_FALSE(TypesThroughTextInput(uint8_t(vk))) << vk;
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
