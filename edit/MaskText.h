#pragma once

// Pieces shared by the mask classes: reading a typed key as a character, the layout
// placement that inserts a layout's literals by itself, and the Backspace that takes a
// separator together with the digit before it. The masks work on decoded characters so
// that every length and cut counts characters, never bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tabula::edit {

constexpr int16_t kBackspace = 8;

// The character a key stands for: the key's 16 bits read as one UTF-16 unit. A lone
// surrogate half stands for no character and reads as U+FFFD.
char32_t KeyCharacter(int16_t keyAscii);

inline bool IsDigitKey(int16_t keyAscii) {
    return keyAscii >= '0' && keyAscii <= '9';
}
inline bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// The value of the leading ASCII digits of `text` (0 when it does not start with one),
// read no further than `maxDigits` digits so that it always fits.
int32_t LeadingValue(std::u32string_view text, size_t maxDigits = 4);

// Places `typed` into `layout`: the characters of `text` that are not in `separators`,
// followed by `typed`, fill the "&" positions from the left; every literal before a filled
// position is copied, and so are the literals right after `typed` up to the next "&".
// A text with as many characters as the layout or more refuses the key (no result), and
// so does one whose characters would not fit the "&" positions.
std::optional<std::u32string> PlaceInLayout(std::u32string_view text, char32_t typed,
                                            std::u32string_view layout,
                                            std::u32string_view separators);

// Backspace on a laid-out text: a trailing digit goes alone; a trailing separator goes
// with the character before it, and with one more when that still leaves a non-digit at
// the end. Texts of 0 or 1 characters become "".
std::u32string LayoutBackspace(std::u32string_view text);

}  // namespace tabula::edit
