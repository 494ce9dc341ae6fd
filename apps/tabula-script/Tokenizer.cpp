#include "apps/tabula-script/Tokenizer.h"

#include <cctype>
#include <charconv>
#include <cstdint>

#include "platform/runtime/Error.h"

namespace tabula::script {

void SyntaxError(std::string_view detail) {
    std::string description = "Syntax error: ";
    description += detail;
    RaiseError(kErrSyntax, {}, std::move(description));
}

namespace {

bool IsNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// A decimal number: digits, an optional fraction and exponent. Whole numbers that fit in
// 32 bits are Longs, everything else Doubles.
Token ReadNumber(std::string_view line, size_t& i) {
    const size_t start = i;
    while (i < line.size() && IsDigit(line[i]))
        ++i;
    bool whole = true;
    if (i < line.size() && line[i] == '.') {
        whole = false;
        ++i;
        while (i < line.size() && IsDigit(line[i]))
            ++i;
    }
    if (i < line.size() && (line[i] == 'e' || line[i] == 'E')) {
        size_t j = i + 1;
        if (j < line.size() && (line[j] == '+' || line[j] == '-')) ++j;
        if (j < line.size() && IsDigit(line[j])) {
            whole = false;
            i = j;
            while (i < line.size() && IsDigit(line[i]))
                ++i;
        }
    }
    const std::string_view text = line.substr(start, i - start);
    if (text == ".") SyntaxError("a number needs a digit");
    Token token{TokenKind::Number, std::string(text), {}};
    if (whole) {
        int64_t value = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec == std::errc() && value <= INT32_MAX) {
            token.value = Variant(static_cast<int32_t>(value));
            return token;
        }
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) RaiseError(kErrOverflow);
    token.value = Variant(value);
    return token;
}

// &H followed by hex digits; `i` is at the "&".
Token ReadHex(std::string_view line, size_t& i) {
    const size_t start = i;
    i += 2;
    const size_t digits = i;
    while (i < line.size() && IsHexDigit(line[i]))
        ++i;
    const std::string_view hex = line.substr(digits, i - digits);
    // Leading zeros do not count towards the 32 bits.
    const size_t first = hex.find_first_not_of('0');
    if (first != std::string_view::npos && hex.size() - first > 8) {
        std::string detail = "the hex number ";
        detail += line.substr(start, i - start);
        detail += " has more than 32 bits";
        SyntaxError(detail);
    }
    uint32_t value = 0;
    std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
    return Token{TokenKind::Number, std::string(line.substr(start, i - start)),
                 Variant(static_cast<int32_t>(value))};
}

Token ReadString(std::string_view line, size_t& i) {
    std::string text;
    ++i;  // the opening quote
    while (true) {
        if (i >= line.size()) SyntaxError("a string has no closing quote");
        if (line[i] == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                text += '"';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        text += line[i++];
    }
    Token token{TokenKind::String, text, Variant(text)};
    return token;
}

}  // namespace

std::vector<Token> Tokenize(std::string_view line) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '\'') {
            break;
        } else if (IsNameStart(c)) {
            const size_t start = i;
            while (i < line.size() && IsNameChar(line[i]))
                ++i;
            tokens.push_back({TokenKind::Name, std::string(line.substr(start, i - start)), {}});
        } else if (IsDigit(c) || (c == '.' && i + 1 < line.size() && IsDigit(line[i + 1]))) {
            tokens.push_back(ReadNumber(line, i));
        } else if (c == '&' && i + 2 < line.size() && (line[i + 1] == 'H' || line[i + 1] == 'h') &&
                   IsHexDigit(line[i + 2])) {
            tokens.push_back(ReadHex(line, i));
        } else if (c == '"') {
            tokens.push_back(ReadString(line, i));
        } else if (c == '<' || c == '>') {
            // "<", ">", "<=", ">=" and "<>".
            const bool pair =
                i + 1 < line.size() && (line[i + 1] == '=' || (c == '<' && line[i + 1] == '>'));
            tokens.push_back({TokenKind::Symbol, std::string(line.substr(i, pair ? 2 : 1)), {}});
            i += pair ? 2 : 1;
        } else if (c == '.' || c == '(' || c == ')' || c == ',' || c == '=' || c == '&' ||
                   c == '-') {
            tokens.push_back({TokenKind::Symbol, std::string(1, c), {}});
            ++i;
        } else {
            std::string detail = "unexpected character ";
            const unsigned char byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F) {
                detail += '\'';
                detail += c;
                detail += '\'';
            } else {
                static const char kHex[] = "0123456789ABCDEF";
                detail += "byte &H";
                detail += kHex[byte >> 4];
                detail += kHex[byte & 15];
            }
            SyntaxError(detail);
        }
    }
    tokens.push_back({TokenKind::End, {}, {}});
    return tokens;
}

}  // namespace tabula::script
