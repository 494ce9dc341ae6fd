#include "edit/MaskText.h"

namespace tabula::edit {

char32_t KeyCharacter(int16_t keyAscii) {
    const char32_t unit = static_cast<uint16_t>(keyAscii);
    return (unit >= 0xD800 && unit < 0xE000) ? U'\uFFFD' : unit;
}

int32_t LeadingValue(std::u32string_view text, size_t maxDigits) {
    int32_t value = 0;
    for (size_t i = 0; i < text.size() && i < maxDigits && IsDigit(text[i]); ++i)
        value = value * 10 + static_cast<int32_t>(text[i] - U'0');
    return value;
}

std::optional<std::u32string> PlaceInLayout(std::u32string_view text, char32_t typed,
                                            std::u32string_view layout,
                                            std::u32string_view separators) {
    if (text.size() >= layout.size()) return std::nullopt;

    std::u32string chars;
    for (const char32_t c : text)
        if (separators.find(c) == std::u32string_view::npos) chars += c;
    chars += typed;
    size_t positions = 0;
    for (const char32_t c : layout)
        positions += (c == U'&');
    // Only a text that does not follow the layout can get here, say digits without their
    // hyphens and one too many of them: refused rather than losing a character.
    if (chars.size() > positions) return std::nullopt;

    std::u32string result;
    size_t placed = 0;
    for (size_t i = 0; i < layout.size(); ++i) {
        if (layout[i] != U'&') {
            result += layout[i];  // a filled position follows: the loop stops after the last
            continue;
        }
        result += chars[placed++];
        if (placed == chars.size()) {
            // The literals right after the typed character come with it.
            for (size_t j = i + 1; j < layout.size() && layout[j] != U'&'; ++j)
                result += layout[j];
            break;
        }
    }
    return result;
}

std::u32string LayoutBackspace(std::u32string_view text) {
    if (text.size() <= 1) return {};
    if (IsDigit(text.back())) return std::u32string(text.substr(0, text.size() - 1));
    std::u32string_view rest = text.substr(0, text.size() - 2);
    if (!rest.empty() && !IsDigit(rest.back())) rest.remove_suffix(1);
    return std::u32string(rest);
}

}  // namespace tabula::edit
