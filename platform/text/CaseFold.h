#pragma once

#include <string>
#include <string_view>

namespace tabula {

// A form of `text` in which letters that differ only by case are the same, for
// case-insensitive keys and lookups. Covers ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic capitals; other characters pass through unchanged. Invalid UTF-8 bytes become
// U+FFFD, as the decoder reads them.
std::string FoldCase(std::string_view text);

// Whether the texts are equal but for case, as FoldCase sees it.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// `text` with the ASCII capitals A-Z lowered and every other byte as it is.
std::string AsciiLower(std::string_view text);

}  // namespace tabula
