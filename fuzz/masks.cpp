// Every keystroke mask of the edit box, typed into as the edit box types: each key goes
// to the mask with the text the key before it left. Input: the mask (first byte), the
// length of the starting text and its bytes, then keys: one byte each, or 0xFF and two
// bytes (low first) for any 16-bit key.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "edit/DateMask.h"
#include "edit/KeyFilters.h"
#include "edit/LayoutMasks.h"
#include "edit/MaskText.h"
#include "edit/TimeMask.h"
#include "fuzz/FuzzInput.h"
#include "platform/runtime/Error.h"
#include "platform/text/Utf8.h"

using namespace tabula;

namespace {

// No layout has more characters than this ("September 30, 2004" is 18). The masks judge
// a text by its digits or its trimmed length, so a text that starts long may still take
// keys, but no key sequence makes it longer than its start and one whole layout.
constexpr size_t kLongestLayout = 24;

[[noreturn]] void Finding(const char* what, std::string_view before, std::string_view after,
                          int key) {
    fuzz::Finding(std::string(what) + ": key " + std::to_string(key) + " on \"" +
                  std::string(before) + "\" gave \"" + std::string(after) + "\"");
}

int16_t NextKey(fuzz::FuzzInput& in) {
    const uint8_t b = in.Byte();
    return b == 0xFF ? static_cast<int16_t>(in.Word()) : int16_t{b};
}

// The text after one key through a mask that judges the key alone: what the edit box
// does with the key that comes back.
std::string ApplyFilteredKey(std::string text, int16_t key) {
    if (key == 0) return text;
    if (key == edit::kBackspace) {
        std::u32string chars = DecodeUtf8(text);
        if (!chars.empty()) chars.pop_back();
        return EncodeUtf8(chars);
    }
    AppendUtf8(edit::KeyCharacter(key), text);
    return text;
}

struct Masks {
    Masks() {
        date1.SetDateTypeMask(1);
        date2.SetDateTypeMask(2);
        time12.SetTimeMask(SetTimeMask);
        time24.SetIs24Hour(true);
        time24.SetTimeMask(SetTimeMask);
        ssn.SetSSNMask(SetSSNMask);
        phone.SetPhoneFormat("&&&-&&&-&&&&");
        phoneParens.SetPhoneFormat("(&&&) &&&-&&&& X&&&&");
        zipFive.SetOnlyFive(SetOnlyFive);
        intlZip.SetIntlZipMask(SetIntlZipMask);
    }
    clsDate date0, date1, date2;
    clsTime time12, time24, timeBare;
    clsSSN ssn, ssnBare;
    clsPhone phone, phoneParens;
    clsZip zip, zipFive;
    clsIntlZip intlZip, intlZipBare;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Masks masks;
    fuzz::FuzzInput in(data, size);
    const int which = in.Byte() % 18;
    std::string text(in.Take(in.Byte()));
    const size_t longest = Utf8Length(text) + kLongestLayout;
    int16_t caret = static_cast<int16_t>(in.Word());

    while (!in.Empty()) {
        const int16_t typed = NextKey(in);
        int16_t key = typed;
        const std::string before = text;
        bool placed = true;  // the structured masks hand every key back as 0
        switch (which) {
            case 0:
                key = NumericKeyFilter(typed);
                if (key != typed && key != 0)
                    Finding("numeric filter changed a key", text, "", typed);
                text = ApplyFilteredKey(text, key);
                placed = false;
                break;
            case 1:
                key = UpperCaseKey(typed);
                text = ApplyFilteredKey(text, key);
                placed = false;
                break;
            case 2: {
                const std::string upper = UpperCaseText(text);
                if (Utf8Length(upper) != Utf8Length(text))
                    Finding("upper case changed the length", text, upper, typed);
                text = ApplyFilteredKey(upper, typed);
                placed = false;
                break;
            }
            case 3:
                text = masks.date0.Mask(key, text);
                break;
            case 4:
                text = masks.date1.Mask(key, text);
                break;
            case 5:
                text = masks.date2.Mask(key, text);
                break;
            case 6:
                text = masks.date0.Mask2(key, text, caret);
                if (caret < 0 || static_cast<size_t>(caret) > Utf8Length(text))
                    Finding("Mask2's caret left the text", before, text, typed);
                placed = false;  // Mask2 hands a refused key back as 0 too, or keeps it
                break;
            case 7:
                text = masks.time12.Mask(key, text);
                break;
            case 8:
                text = masks.time24.Mask(key, text);
                break;
            case 9:
                text = masks.timeBare.Mask(key, text);
                break;
            case 10:
                text = masks.ssn.Mask(key, text);
                break;
            case 11:
                text = masks.ssnBare.Mask(key, text);
                break;
            case 12:
                text = masks.phone.Mask(key, text);
                break;
            case 13:
                text = masks.phoneParens.Mask(key, text);
                break;
            case 14:
                text = masks.zip.Mask(key, text);
                break;
            case 15:
                text = masks.zipFive.Mask(key, text);
                break;
            case 16:
                text = masks.intlZip.Mask(key, text);
                break;
            default:
                text = masks.intlZipBare.Mask(key, text);
                break;
        }
        if (placed && key != 0) Finding("a key came back to the edit box", before, text, typed);
        if (!fuzz::IsValidUtf8(text) && fuzz::IsValidUtf8(before))
            Finding("not UTF-8", before, text, typed);
        const size_t chars = Utf8Length(text);
        if (which > 2 && chars > longest)
            Finding("the text grew past any layout", before, text, typed);
    }
    return 0;
}
