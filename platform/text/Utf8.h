#pragma once

#include <string>
#include <string_view>

namespace tabula {

constexpr char32_t kReplacementCharacter = U'\uFFFD';

// Decodes UTF-8, appending to `out`. Every byte that does not start a well-formed
// sequence (stray continuation bytes, overlong forms, surrogates, values past U+10FFFF,
// sequences cut short) becomes one U+FFFD, so no input is ever rejected.
void AppendDecodedUtf8(std::string_view text, std::u32string& out);
std::u32string DecodeUtf8(std::string_view text);

// Appends the UTF-8 form of `c`; invalid code points are written as U+FFFD.
void AppendUtf8(char32_t c, std::string& out);
std::string EncodeUtf8(std::u32string_view text);

// The number of characters in `text`, counted as the decoder counts them.
size_t Utf8Length(std::string_view text);

// The first `count` characters of `text`, counted as the decoder counts them (an invalid
// byte is one character), and all of it when it is shorter. Never splits a character.
std::string_view Utf8Prefix(std::string_view text, size_t count);

}  // namespace tabula
