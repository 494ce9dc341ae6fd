#include "platform/runtime/NumericText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "platform/text/Blanks.h"

namespace tabula {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "&H..." or "&O..." after the ampersand's letter.
NumericText ParseRadixDigits(std::string_view digits, int radix) {
    if (digits.empty()) return {};
    uint64_t value = 0;
    for (const char c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0 || d >= radix) return {};
        value = value * radix + d;
        if (value > 0xFFFFFFFFu) return {NumericTextKind::Overflow, 0};
    }
    if (value <= 0xFFFFu) return {NumericTextKind::Number, double(int16_t(uint16_t(value)))};
    return {NumericTextKind::Number, double(int32_t(uint32_t(value)))};
}

NumericText ParseDecimal(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t start = i;

    // Track where the first significant digit sits, so that a value too far out for a
    // Double can be told apart as too large (overflow) or too small (zero).
    int64_t integerSignificant = 0;
    int64_t fractionLeadingZeros = 0;
    bool seenSignificant = false;
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        if (text[i] != '0') seenSignificant = true;
        if (seenSignificant) ++integerSignificant;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
            if (text[i] != '0') seenSignificant = true;
            if (!seenSignificant) ++fractionLeadingZeros;
        }
    }
    if (digits == 0) return {};

    int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool exponentNegative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            exponentNegative = text[i++] == '-';
        const size_t exponentStart = i;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            exponent = std::min<int64_t>(exponent * 10 + (text[i] - '0'), 1'000'000'000);
        if (i == exponentStart) return {};
        if (exponentNegative) exponent = -exponent;
    }
    if (i != text.size()) return {};

    double value = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value);
    if (error == std::errc::result_out_of_range) {
        const int64_t scale = integerSignificant > 0 ? integerSignificant - 1 + exponent
                                                     : exponent - fractionLeadingZeros - 1;
        if (scale < 0) return {NumericTextKind::Number, 0};
        return {NumericTextKind::Overflow, 0};
    }
    if (error != std::errc() || end != text.data() + i) return {};
    // No negative zero: "-0" reads and prints as 0.
    if (negative && value != 0) value = -value;
    return {NumericTextKind::Number, value};
}

}  // namespace

NumericText ParseNumericText(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() >= 2 && text[0] == '&') {
        if (text[1] == 'H' || text[1] == 'h') return ParseRadixDigits(text.substr(2), 16);
        if (text[1] == 'O' || text[1] == 'o') return ParseRadixDigits(text.substr(2), 8);
        return {};
    }
    return ParseDecimal(text);
}

}  // namespace tabula
