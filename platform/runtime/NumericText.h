#pragma once

#include <string_view>

namespace tabula {

enum class NumericTextKind {
    NotNumeric,
    Number,
    Overflow,  // numeric text whose value no Double (or hexadecimal Long) can hold
};

struct NumericText {
    NumericTextKind kind = NumericTextKind::NotNumeric;
    double value = 0;
};

// Reads text as the classic runtime reads a number, after trimming blanks: an optional
// sign, digits with an optional decimal point (always '.'), an optional exponent
// ("1e3", "2.5E-4"), or "&H" hexadecimal and "&O" octal digits. Hexadecimal and octal
// values are 16-bit when they fit in four hex digits and 32-bit otherwise, with the top
// bit as sign: "&HFFFF" is -1, "&H10000" is 65536. Values too small for a Double read
// as 0. "True" and "False" are not numeric text; Variant's conversions handle them.
NumericText ParseNumericText(std::string_view text);

}  // namespace tabula
