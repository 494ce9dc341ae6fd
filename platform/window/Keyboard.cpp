// Synthetic keys, key state, the cursor, and the US keyboard layout that maps keys to
// characters and back.

#include <array>

#include "platform/window/Desktop.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

struct KeyCharacters {
    uint8_t vk;
    char plain;
    char shifted;
};

// Keys that type a character other than a letter.
constexpr std::array<KeyCharacters, 25> kKeys = {{
    {'0', '0', ')'},           {'1', '1', '!'},          {'2', '2', '@'},
    {'3', '3', '#'},           {'4', '4', '$'},          {'5', '5', '%'},
    {'6', '6', '^'},           {'7', '7', '&'},          {'8', '8', '*'},
    {'9', '9', '('},           {VK_SPACE, ' ', ' '},     {VK_OEM_1, ';', ':'},
    {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},     {VK_OEM_3, '`', '~'},
    {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},    {VK_OEM_6, ']', '}'},
    {VK_OEM_7, '\'', '"'},     {VK_BACK, '\b', '\b'},    {VK_TAB, '\t', '\t'},
    {VK_RETURN, '\r', '\r'},
}};

}  // namespace

char32_t CharacterForKey(uint8_t vk, bool shift, bool control) {
    if (vk >= 'A' && vk <= 'Z') {
        if (control) return vk - 'A' + 1;  // Ctrl+A is 1, and so on
        return shift ? vk : vk + ('a' - 'A');
    }
    if (control) {
        switch (vk) {
            case VK_OEM_4:
                return 27;
            case VK_OEM_5:
                return 28;
            case VK_OEM_6:
                return 29;
            case VK_BACK:
                return 127;
            case VK_RETURN:
                return 10;
            default:
                return 0;
        }
    }
    if (vk == VK_ESCAPE) return 27;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return '0' + (vk - VK_NUMPAD0);
    switch (vk) {
        case VK_MULTIPLY:
            return '*';
        case VK_ADD:
            return '+';
        case VK_SUBTRACT:
            return '-';
        case VK_DECIMAL:
            return '.';
        case VK_DIVIDE:
            return '/';
        default:
            break;
    }
    for (const auto& k : kKeys) {
        if (k.vk == vk) return static_cast<unsigned char>(shift ? k.shifted : k.plain);
    }
    return 0;
}

int16_t VkKeyScan(char32_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
    if (c == 27) return VK_ESCAPE;
    for (const auto& k : kKeys) {
        if (static_cast<unsigned char>(k.plain) == c) return k.vk;
        if (static_cast<unsigned char>(k.shifted) == c) return static_cast<int16_t>(0x100 | k.vk);
    }
    if (c >= 1 && c <= 26) return static_cast<int16_t>(0x200 | (c - 1 + 'A'));
    return -1;
}

void keybd_event(uint8_t vk, uint8_t, uint32_t flags, uintptr_t) {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return;
    desktop->InjectKey(vk, !(flags & KEYEVENTF_KEYUP), true, flags & KEYEVENTF_EXTENDEDKEY);
}

int16_t GetAsyncKeyState(int vk) {
    Desktop* desktop = Desktop::Current();
    if (!desktop || vk < 0 || vk > 255) return 0;
    return desktop->keyDown[vk] ? static_cast<int16_t>(0x8000) : 0;
}

bool GetCursorPos(Point* screen) {
    Desktop* desktop = Desktop::Current();
    if (!desktop || !screen) return false;
    *screen = desktop->cursor;
    return true;
}

bool SetCursorPos(int32_t x, int32_t y) {
    Desktop* desktop = Desktop::Current();
    if (!desktop) return false;
    desktop->cursor = Point{x, y};
    desktop->InjectMouseMove(Point{x, y});
    return true;
}

}  // namespace tabula
