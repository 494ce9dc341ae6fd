#include "edit/TimeMask.h"

#include "edit/MaskText.h"
#include "platform/text/Utf8.h"

namespace tabula {

using edit::IsDigitKey;
using edit::kBackspace;
using edit::LeadingValue;

void clsTime::SetTimeMask(int32_t value) {
    timeMask_ = value != 0;
    layout_ = !timeMask_ ? U"&&&&" : is24Hour_ ? U"&&:&&" : U"&&:&&&&";
}

std::string clsTime::Mask(int16_t& keyAscii, std::string_view text) const {
    const int16_t key = keyAscii;
    keyAscii = 0;
    const std::u32string t = DecodeUtf8(text);

    // Once hours and minutes are in, a 12-hour time takes only its AM or PM, which
    // replaces one already there.
    if (!is24Hour_ && t.size() >= 5 && key != kBackspace) {
        const std::string hoursAndMinutes = EncodeUtf8(t.substr(0, 5));
        if (key == 'A' || key == 'a') return hoursAndMinutes + "AM";
        if (key == 'P' || key == 'p') return hoursAndMinutes + "PM";
        return std::string(text);
    }
    if (key == kBackspace) return EncodeUtf8(edit::LayoutBackspace(t));
    if (!IsDigitKey(key)) return std::string(text);

    std::optional<std::u32string> placed =
        edit::PlaceInLayout(t, edit::KeyCharacter(key), layout_, U":");
    if (!placed) return std::string(text);  // the layout is full
    std::u32string& r = *placed;
    const int32_t maxHour = is24Hour_ ? 24 : 12;
    switch (r.size()) {
        case 1:  // the first hour digit: 0-2 (24-hour) or 0-1 (12-hour)
            if (LeadingValue(r) > maxHour / 10) r.clear();
            break;
        case 3:  // the hour and its colon: a wrong hour clears the whole text
            if (LeadingValue(r, 2) > maxHour) r.clear();
            break;
        case 5:  // the minutes: wrong ones go, both digits
            if (LeadingValue(std::u32string_view(r).substr(3), 2) > 59) r.resize(3);
            break;
        default:
            break;
    }
    return EncodeUtf8(r);
}

}  // namespace tabula
