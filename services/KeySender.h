#pragma once

// Keystroke synthesis: a send-keys command text, such as "{DOWN}" or "+(abc)", turned
// into synthetic presses and releases queued for the window with the keyboard.
//
// Grammar: "+", "^" and "%" tap Shift, Ctrl and Alt, or hold them over a group in
// parentheses; "~" is Enter; "{NAME}" or "{NAME COUNT}" presses a named key (or one
// character, "{}}" included) COUNT times; any other character is its own key, sent
// without the Shift it may need on the keyboard. Names ignore case.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tabula {

class cSendKeys {
public:
    cSendKeys();

    // Parses `keys` and sends them in order. A fault (a syntax error, a key that cannot
    // be interpreted) releases the modifiers still held and raises, with the keys before
    // it already sent. `wait` is accepted and has no effect.
    void SendKeys(std::string_view keys, bool wait = false);
    // Presses and releases one key `count` times (none for 0 or less): a name of the key
    // table or a single character. Anything else raises 9.
    void KeyPress(std::string_view key, int32_t count = 1);
    // The virtual key of the first character, without its shift state; 0 when no key
    // types it.
    int32_t KeyCode(std::string_view text) const;

    // Repeat counts beyond this are refused as a syntax error.
    static constexpr int32_t kMaxRepeat = 10000;

private:
    void Press(uint8_t vk);
    void Release(uint8_t vk);
    void ReleaseHeld();

    std::map<std::string, uint8_t, std::less<>> names_;  // folded name -> virtual key
    std::vector<char32_t> held_;                         // modifiers held by open groups
};

}  // namespace tabula
