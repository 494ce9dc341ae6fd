#include "edit/LayoutMasks.h"

#include "edit/KeyFilters.h"
#include "edit/MaskText.h"
#include "platform/text/Utf8.h"

namespace tabula {

using edit::IsDigitKey;
using edit::kBackspace;

namespace {

// The placed text, or `text` itself when the layout refuses the key.
std::string Placed(std::string_view text, const std::u32string& t, int16_t key,
                   std::u32string_view layout, std::u32string_view separators) {
    const auto placed = edit::PlaceInLayout(t, edit::KeyCharacter(key), layout, separators);
    return placed ? EncodeUtf8(*placed) : std::string(text);
}

bool IsAsciiLetterKey(int16_t key) {
    return (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z');
}

// The length of `text` without the blanks around it.
size_t TrimmedLength(std::u32string_view text) {
    const size_t begin = text.find_first_not_of(U' ');
    if (begin == std::u32string_view::npos) return 0;
    return text.find_last_not_of(U' ') - begin + 1;
}

}  // namespace

// --- clsSSN ------------------------------------------------------------------------------

void clsSSN::SetSSNMask(int32_t value) {
    ssnMask_ = value != 0;
    layout_ = ssnMask_ ? U"&&&-&&-&&&&" : U"&&&&&&&&&";
}

std::string clsSSN::Mask(int16_t& keyAscii, std::string_view text) const {
    const int16_t key = keyAscii;
    keyAscii = 0;
    if (key == kBackspace) return EncodeUtf8(edit::LayoutBackspace(DecodeUtf8(text)));
    if (!IsDigitKey(key)) return std::string(text);
    return Placed(text, DecodeUtf8(text), key, layout_, U"-");
}

// --- clsPhone ----------------------------------------------------------------------------

void clsPhone::SetPhoneFormat(std::string_view format) {
    phoneFormat_ = format;
    layout_ = DecodeUtf8(format);
}

std::string clsPhone::Mask(int16_t& keyAscii, std::string_view text) const {
    const int16_t key = keyAscii;
    keyAscii = 0;
    const std::u32string t = DecodeUtf8(text);
    if (key == kBackspace) return EncodeUtf8(edit::LayoutBackspace(t));
    const bool extension = key == 'X' && t.find(U'X') == std::u32string::npos;
    if (!IsDigitKey(key) && !extension) return std::string(text);
    return Placed(text, t, key, layout_, U"() -X");
}

// --- clsZip ------------------------------------------------------------------------------

std::string clsZip::Mask(int16_t& keyAscii, std::string_view text) const {
    constexpr size_t kZipLength = 5;
    constexpr size_t kZipPlus4Length = 10;
    const int16_t key = keyAscii;
    keyAscii = 0;
    const bool backspace = key == kBackspace;
    const bool digit = IsDigitKey(key);
    if (!digit && !backspace && key != '-') return std::string(text);

    const std::u32string t = DecodeUtf8(text);
    const auto withoutLast = [&] { return EncodeUtf8(t.substr(0, t.size() - 1)); };
    const std::string typed(1, static_cast<char>(key));
    if (TrimmedLength(t) < kZipLength) {
        if (backspace) return TrimmedLength(t) > 1 ? withoutLast() : std::string();
        return digit ? std::string(text) + typed : std::string(text);
    }
    if (backspace) return withoutLast();
    if (onlyFive_) return std::string(text);
    if (t.size() == kZipLength) return std::string(text) + (digit ? "-" + typed : typed);
    // A complete ZIP+4, or a longer text the mask did not write, takes no more.
    if (t.size() >= kZipPlus4Length || !digit) return std::string(text);
    return std::string(text) + typed;
}

// --- clsIntlZip --------------------------------------------------------------------------

void clsIntlZip::SetIntlZipMask(int32_t value) {
    intlZipMask_ = value != 0;
    layout_ = intlZipMask_ ? U"&&& &&&" : U"&&&&&&";
}

std::string clsIntlZip::Mask(int16_t& keyAscii, std::string_view text) const {
    const int16_t key = keyAscii;
    keyAscii = 0;
    const std::u32string t = DecodeUtf8(text);
    if (key == kBackspace)
        return t.size() <= 1 ? std::string() : UpperCaseText(EncodeUtf8(t.substr(0, t.size() - 1)));
    if (!IsDigitKey(key) && !IsAsciiLetterKey(key)) return UpperCaseText(text);
    return UpperCaseText(Placed(text, t, key, layout_, U" "));
}

}  // namespace tabula
