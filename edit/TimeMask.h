#pragma once

// clsTime: the time columns' keystroke mask. Digits fill the layout "&&:&&" (24-hour) or
// "&&:&&&&" (12-hour, the last two positions taking "AM" or "PM"); the colon comes by
// itself, and an hour or minute that cannot be is refused as it is typed. Without the
// time mask the layout is four bare digits, "&&&&".

#include <cstdint>
#include <string>
#include <string_view>

namespace tabula {

enum TimeMaskType : int32_t { SetTimeMask = -1, UnSetTimeMask = 0 };

class clsTime {
public:
    bool Is24Hour() const { return is24Hour_; }
    // Takes effect at the next SetTimeMask, which chooses the layout.
    void SetIs24Hour(bool on) { is24Hour_ = on; }

    // -1 when set, 0 when not.
    int32_t TimeMask() const { return timeMask_ ? -1 : 0; }
    // Stores (value <> 0) and chooses the layout from it and from Is24Hour.
    void SetTimeMask(int32_t value);

    // The new whole text after `keyAscii` was typed at the end of `text`; the key comes
    // back as 0. Backspace (8) is the mask's own.
    std::string Mask(int16_t& keyAscii, std::string_view text) const;

private:
    bool timeMask_ = false;
    bool is24Hour_ = false;
    std::u32string layout_ = U"&&&&";
};

}  // namespace tabula
