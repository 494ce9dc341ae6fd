#pragma once

// Blanks around texts: the white-space characters, and trimming them or plain spaces.

#include <string_view>

namespace tabula {

// Space, tab, carriage return, line feed, vertical tab, form feed.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// `text` without the blanks at both ends.
constexpr std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// `text` without the spaces (only ' ') at its end, or at both ends.
constexpr std::string_view TrimTrailingSpaces(std::string_view text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}
constexpr std::string_view TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{}
                                           : TrimTrailingSpaces(text.substr(first));
}

}  // namespace tabula
