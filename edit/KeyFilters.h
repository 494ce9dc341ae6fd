#pragma once

// The two masks that act on the typed key alone: numbers only, and upper case. A key is
// a 16-bit KeyAscii, one UTF-16 unit; 0 means that the edit box inserts nothing.

#include <cstdint>
#include <string>
#include <string_view>

namespace tabula {

// The key itself when it is a digit, Backspace (8), "-", "." or ","; 0 for any other key.
// Each key is judged alone, so signs and separators may be typed any number of times.
int16_t NumericKeyFilter(int16_t keyAscii);

// The key of the upper-case form of the typed character: ASCII and Latin-1 letters
// (accented ones included), Latin Extended-A, Greek and Cyrillic. Characters without a
// single upper-case form of 16 bits (digits, signs, the sharp s) come back unchanged.
int16_t UpperCaseKey(int16_t keyAscii);

// `text` with every character upper-cased as UpperCaseKey does it. Invalid UTF-8 bytes
// become U+FFFD, as the decoder reads them.
std::string UpperCaseText(std::string_view text);

}  // namespace tabula
