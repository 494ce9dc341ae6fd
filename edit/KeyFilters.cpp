#include "edit/KeyFilters.h"

#include "platform/text/Utf8.h"

namespace tabula {

namespace {

// The mirror of FoldCase's table: small letters map to their capitals.
char32_t UpperOne(char32_t c) {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 0x20 : c;
    // Latin-1 small letters sit 0x20 above their capitals, except the division sign; the
    // sharp s has no one-letter capital and the micro sign is a symbol here.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;  // y with diaeresis: its capital lies in Latin Extended-A
    if (c == 0x131) return U'I';  // dotless i
    if (c == 0x17F) return U'S';  // long s
    // Latin Extended-A pairs capital/small on even/odd code points, with the runs from
    // U+0139 to U+0148 and from U+0179 to U+017E shifted by one.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c % 2 == 1) ? c - 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if (c >= 0x3B1 && c <= 0x3CB) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

}  // namespace

int16_t NumericKeyFilter(int16_t keyAscii) {
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    const bool passes =
        digit || keyAscii == 8 || keyAscii == '-' || keyAscii == '.' || keyAscii == ',';
    return passes ? keyAscii : int16_t{0};
}

int16_t UpperCaseKey(int16_t keyAscii) {
    // A surrogate half is only part of a character: nothing to upper-case on its own.
    const char32_t unit = static_cast<uint16_t>(keyAscii);
    if (unit >= 0xD800 && unit < 0xE000) return keyAscii;
    return static_cast<int16_t>(static_cast<uint16_t>(UpperOne(unit)));
}

std::string UpperCaseText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : DecodeUtf8(text))
        AppendUtf8(UpperOne(c), out);
    return out;
}

}  // namespace tabula
