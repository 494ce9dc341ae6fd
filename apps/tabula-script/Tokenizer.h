#pragma once

// The script console's tokenizer: one line of a VB-like script into tokens.
//
//   names        letters, digits and "_", starting with a letter or "_"
//   numbers      123, 1.5, 2E3, and &H1F (hex, up to 8 digits, read as a 32-bit Long:
//                &HFFFFFFFF is -1)
//   strings      "text", with "" for a quote inside
//   symbols      . ( ) , = & -
//   comments     ' to the end of the line, outside strings
//
// Anything else raises a syntax error (error 2) naming what was found.

#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/Variant.h"

namespace tabula::script {

constexpr int32_t kErrSyntax = 2;
constexpr int32_t kErrVariableUndefined = 500;

enum class TokenKind { Name, Number, String, Symbol, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;  // the name, the symbol, or the string's contents
    Variant value;     // numbers and strings
};

// Raises error 2 with "Syntax error: " and `detail`.
[[noreturn]] void SyntaxError(std::string_view detail);

// The tokens of one line, ending with an End token.
std::vector<Token> Tokenize(std::string_view line);

}  // namespace tabula::script
