#pragma once

// clsDate: the date columns' keystroke masks.
//
// Mask guides the entry: the user types digits (or the first letters of a month name),
// the mask inserts the separators, pads a one-digit month or day with "0", completes the
// century of a two-digit year and refuses keys that would make the date impossible, so
// that the text is a prefix of the layout's date at every moment. A month or day is
// checked against the leap year 2000 until the year is known.
//
// Mask2 is the lenient day-first entry: it keeps digits, "/" and Backspace, appends at
// the end and holds the text to 10 characters; the column's storage step judges the date.
//
// Layouts, chosen by DateTypeMask: 0 "MM/DD/YYYY" (the one the grid uses),
// 1 "MMM DD, YYYY" ("Feb 05, 2004"), 2 "MMMM DD, YYYY" ("February 05, 2004"). English
// month names.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tabula {

class clsDate {
public:
    clsDate();

    int32_t DateTypeMask() const { return dateTypeMask_; }
    // Raises error 6 for a value outside 16 bits. Any 16-bit value is kept; Mask raises
    // error 9 while it is outside 0 to 2.
    void SetDateTypeMask(int32_t layout);

    // The new whole text after `keyAscii` was typed at the end of `text`; the key comes
    // back as 0 (the mask has placed it, or refused it). Backspace (8) is the mask's own.
    std::string Mask(int16_t& keyAscii, std::string_view text) const;

    // The lenient entry. `caret` is the number of characters before the caret, updated:
    // Backspace removes the character before it; other keys are appended at the end and
    // move it on by one. A caret outside the text is first brought to its nearer end.
    std::string Mask2(int16_t& keyAscii, std::string_view text, int16_t& caret) const;

private:
    // How the layout splits a text: the month part ("MM/", "Feb ", "February ") is
    // `monthLength` characters long and the month and day part `dayEnd` characters.
    struct Parts {
        size_t monthLength = 0;
        size_t dayEnd = 0;
        int32_t month = 0;  // 1 to 12, 0 when the text's month cannot be read
    };
    Parts ReadParts(std::u32string_view text) const;

    std::u32string MonthEntry(std::u32string_view s) const;
    std::u32string DayEntry(int32_t month, int32_t d1, std::optional<int32_t> d2) const;
    std::u32string YearEntry(std::u32string_view monthAndDay, int32_t month, int32_t day,
                             int32_t y1, int32_t y2) const;

    // The date formatted with the layout's month part, month and day part, or all of it.
    std::u32string MonthPrefix(int32_t month) const;
    std::u32string MonthAndDayPrefix(int32_t month, int32_t day) const;
    std::u32string FullDate(int32_t year, int32_t month, int32_t day) const;

    int16_t dateTypeMask_ = 0;
    std::array<std::string, 3> MonthFormats;
    std::array<std::string, 3> DayFormats;
};

}  // namespace tabula
