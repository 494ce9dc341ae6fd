#include "edit/DateMask.h"

#include <algorithm>
#include <limits>

#include "edit/MaskText.h"
#include "platform/runtime/Dates.h"
#include "platform/runtime/Error.h"
#include "platform/text/Utf8.h"

namespace tabula {

using edit::IsDigit;
using edit::IsDigitKey;
using edit::kBackspace;
using edit::LeadingValue;

namespace {

// The year a month or day is checked against while the year is not typed yet: a leap
// year, so that 29 February passes until the year says otherwise.
constexpr int32_t kReferenceYear = 2000;

constexpr size_t kMask2Length = 10;

constexpr std::u32string_view kMonthNames[12] = {
    U"January", U"February", U"March",     U"April",   U"May",      U"June",
    U"July",    U"August",   U"September", U"October", U"November", U"December",
};

bool IsLeapYear(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
    constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Years outside 100 to 9999 are no dates for the runtime's date services either.
bool IsValidDate(int32_t year, int32_t month, int32_t day) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

char32_t AsciiUpper(char32_t c) {
    return c >= U'a' && c <= U'z' ? c - 0x20 : c;
}

// Whether `text` begins with `name`, letters compared without regard to case.
bool StartsWithName(std::u32string_view text, std::u32string_view name) {
    if (text.size() < name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (AsciiUpper(text[i]) != AsciiUpper(name[i])) return false;
    return true;
}

std::u32string Upper(std::u32string_view s) {
    std::u32string out(s);
    for (char32_t& c : out)
        c = AsciiUpper(c);
    return out;
}

char32_t DigitCharacter(int32_t digit) {
    return static_cast<char32_t>(U'0' + digit);
}

std::string Unchanged(std::string_view text) {
    return std::string(text);
}

}  // namespace

clsDate::clsDate() : MonthFormats{"MM/", "MMM ", "MMMM "}, DayFormats{"DD/", "DD, ", "DD, "} {}

void clsDate::SetDateTypeMask(int32_t layout) {
    if (layout < std::numeric_limits<int16_t>::min() ||
        layout > std::numeric_limits<int16_t>::max())
        RaiseError(kErrOverflow);
    dateTypeMask_ = static_cast<int16_t>(layout);
}

std::u32string clsDate::MonthPrefix(int32_t month) const {
    return DecodeUtf8(
        FormatDate(DateSerial(kReferenceYear, month, 1), MonthFormats[dateTypeMask_]));
}

std::u32string clsDate::MonthAndDayPrefix(int32_t month, int32_t day) const {
    const std::string pattern = MonthFormats[dateTypeMask_] + DayFormats[dateTypeMask_];
    return DecodeUtf8(FormatDate(DateSerial(kReferenceYear, month, day), pattern));
}

std::u32string clsDate::FullDate(int32_t year, int32_t month, int32_t day) const {
    const std::string pattern = MonthFormats[dateTypeMask_] + DayFormats[dateTypeMask_] + "YYYY";
    return DecodeUtf8(FormatDate(DateSerial(year, month, day), pattern));
}

// The month part while it is typed: digits, or the first letters of an English month
// name, as few as tell the month apart ("F" is February, "Ju" waits for "l" or "n").
std::u32string clsDate::MonthEntry(std::u32string_view s) const {
    const int32_t value = LeadingValue(s, 3);
    if (s[0] != U'0' && value < 1) {
        const std::u32string upper = Upper(s);
        switch (s.size()) {
            case 1:
                if (upper == U"F") return MonthPrefix(2);
                if (upper == U"S") return MonthPrefix(9);
                if (upper == U"O") return MonthPrefix(10);
                if (upper == U"N") return MonthPrefix(11);
                if (upper == U"D") return MonthPrefix(12);
                if (upper == U"M") return U"Ma";
                if (upper == U"J" || upper == U"A") return upper;
                return {};
            case 2:
                if (upper == U"JA") return MonthPrefix(1);
                if (upper == U"AP") return MonthPrefix(4);
                if (upper == U"AU") return MonthPrefix(8);
                if (upper == U"JU") return U"Ju";
                return std::u32string(s.substr(0, 1));
            case 3:
                if (upper == U"JUL") return MonthPrefix(7);
                if (upper == U"JUN") return MonthPrefix(6);
                if (upper == U"MAR") return MonthPrefix(3);
                if (upper == U"MAY") return MonthPrefix(5);
                return std::u32string(s.substr(0, 2));
            default:
                return {};
        }
    }
    if (value >= 2 && value <= 12) return MonthPrefix(value);
    if (value >= 13) return MonthPrefix(12);
    // 0 or 1: the first digit of 01 to 12 waits for the second; "00" means January.
    if (s.size() != 2) return std::u32string(1, DigitCharacter(value));
    return MonthPrefix(value == 0 ? 1 : value);
}

// The day part while it is typed. A first digit that no second digit could complete to a
// day of the month stands for the day itself ("5" is the 5th, "3" in a 30-day month the
// 30th); otherwise it waits, and the second digit is taken only if it makes a real day.
std::u32string clsDate::DayEntry(int32_t month, int32_t d1, std::optional<int32_t> d2) const {
    const auto waitOrCheck = [&]() -> std::u32string {
        if (d2 && IsValidDate(kReferenceYear, month, d1 * 10 + *d2))
            return MonthAndDayPrefix(month, d1 * 10 + *d2);
        return MonthPrefix(month) + DigitCharacter(d1);  // waiting, or the second refused
    };
    if (month == 2) return d1 >= 3 ? MonthAndDayPrefix(month, d1) : waitOrCheck();
    if (month == 4 || month == 6 || month == 9 || month == 11) {
        if (d1 == 3) return MonthAndDayPrefix(month, 30);
        return d1 < 3 ? waitOrCheck() : MonthAndDayPrefix(month, d1);
    }
    return d1 > 3 ? MonthAndDayPrefix(month, d1) : waitOrCheck();
}

// The second year digit. A year beginning with 0 is 200y, one beginning with 3 to 9 is
// 19yy (both complete the date at once, if it is a real date); 1 and 2 begin a four-digit
// year.
std::u32string clsDate::YearEntry(std::u32string_view monthAndDay, int32_t month, int32_t day,
                                  int32_t y1, int32_t y2) const {
    std::u32string typed(monthAndDay);
    typed += DigitCharacter(y1);
    typed += DigitCharacter(y2);
    if (y1 == 0) {
        const int32_t year = kReferenceYear + y2;
        // 29 February of a year that is not a leap year: both year digits go.
        return IsValidDate(year, month, day) ? FullDate(year, month, day)
                                             : std::u32string(monthAndDay);
    }
    if (y1 <= 2) return typed;
    const int32_t year = 1900 + y1 * 10 + y2;
    return IsValidDate(year, month, day) ? FullDate(year, month, day) : typed;
}

clsDate::Parts clsDate::ReadParts(std::u32string_view text) const {
    Parts parts;
    switch (dateTypeMask_) {
        case 0:
            parts.monthLength = 3;
            parts.month = LeadingValue(text.substr(0, 2), 2);
            break;
        case 1:
            parts.monthLength = 4;
            for (int32_t m = 1; m <= 12; ++m)
                if (StartsWithName(text, kMonthNames[m - 1].substr(0, 3))) parts.month = m;
            break;
        default:
            for (int32_t m = 1; m <= 12; ++m) {
                const std::u32string_view name = kMonthNames[m - 1];
                if (StartsWithName(text, name) && text.size() > name.size() &&
                    text[name.size()] == U' ') {
                    parts.month = m;
                    parts.monthLength = name.size() + 1;
                }
            }
            break;
    }
    if (parts.month < 1 || parts.month > 12) parts.month = 0;
    parts.dayEnd = parts.monthLength + DayFormats[dateTypeMask_].size();
    return parts;
}

// The rows below go by the length of the text before the key. For layout 0 (month part
// m = 3 characters, month and day part p = 6):
//   0-2 "", "1", "Ma"    Backspace clears; any other key goes to MonthEntry
//   3   "MM/"            Backspace clears; a digit starts the day
//   4   "MM/D"           Backspace leaves "MM/"; a digit completes the day
//   5                    (never produced) every key clears
//   6   "MM/DD/"         Backspace leaves "MM/" (day and separator go together); a digit
//   7   "MM/DD/Y"        Backspace leaves "MM/DD/"; a digit goes to YearEntry
//   8   "MM/DD/YY"       Backspace drops one digit; a digit is appended
//   9   "MM/DD/YYY"      the same, but the digit only if it makes a real date
//   10  complete         Backspace drops one digit; nothing more is taken
//   11+                  (never produced) every key clears
// Layouts 1 and 2 follow the same rows with their own m and p; the lengths between the
// rows clear the text. Keys other than digits and Backspace leave the text as it is once
// the month is in.
std::string clsDate::Mask(int16_t& keyAscii, std::string_view text) const {
    if (dateTypeMask_ < 0 || dateTypeMask_ > 2) RaiseError(kErrSubscriptOutOfRange);
    const int16_t key = keyAscii;
    keyAscii = 0;
    if (key == 0) return Unchanged(text);  // no key was typed

    const std::u32string t = DecodeUtf8(text);
    const size_t n = t.size();
    const bool backspace = key == kBackspace;
    const bool digit = IsDigitKey(key);
    const char32_t typed = edit::KeyCharacter(key);
    const auto first = [&](size_t count) { return EncodeUtf8(t.substr(0, count)); };
    const auto appended = [&] { return EncodeUtf8(t + typed); };

    if (n <= 2) return backspace ? std::string() : EncodeUtf8(MonthEntry(t + typed));
    const Parts parts = ReadParts(t);
    const size_t m = parts.monthLength;
    const size_t p = parts.dayEnd;
    // A month that cannot be read (a text the mask did not write) takes no day or year.
    const bool dated = parts.month != 0;
    if (m == 0 || n < m) return {};

    if (n == m) {
        if (backspace) return {};
        if (!digit || !dated) return Unchanged(text);
        return EncodeUtf8(DayEntry(parts.month, key - '0', std::nullopt));
    }
    if (n == m + 1) {
        if (backspace) return first(m);
        if (!digit || !dated || !IsDigit(t[m])) return Unchanged(text);
        return EncodeUtf8(DayEntry(parts.month, int32_t(t[m] - U'0'), key - '0'));
    }
    if (n < p) return {};
    if (n == p) {
        if (backspace) return first(m);
        return digit ? appended() : Unchanged(text);
    }
    if (n == p + 1) {
        if (backspace) return first(p);
        if (!digit || !dated || !IsDigit(t[p])) return Unchanged(text);
        const int32_t day = LeadingValue(std::u32string_view(t).substr(m, 2), 2);
        return EncodeUtf8(YearEntry(std::u32string_view(t).substr(0, p), parts.month, day,
                                    int32_t(t[p] - U'0'), key - '0'));
    }
    if (n == p + 2) {
        if (backspace) return first(p + 1);
        return digit ? appended() : Unchanged(text);
    }
    if (n == p + 3) {
        if (backspace) return first(p + 2);
        if (!digit || !dated) return Unchanged(text);
        const std::u32string date = t + typed;
        const std::u32string_view day = std::u32string_view(date).substr(m, 2);
        const std::u32string_view year = std::u32string_view(date).substr(p, 4);
        const bool digits = std::all_of(day.begin(), day.end(), IsDigit) &&
                            std::all_of(year.begin(), year.end(), IsDigit);
        if (!digits || !IsValidDate(LeadingValue(year), parts.month, LeadingValue(day)))
            return Unchanged(text);
        return EncodeUtf8(date);
    }
    if (n == p + 4) return backspace ? first(p + 3) : Unchanged(text);
    return {};
}

std::string clsDate::Mask2(int16_t& keyAscii, std::string_view text, int16_t& caret) const {
    const int16_t key = keyAscii;
    keyAscii = 0;
    std::u32string t = DecodeUtf8(text);
    const size_t limit = std::min<size_t>(t.size(), std::numeric_limits<int16_t>::max());
    caret = static_cast<int16_t>(std::clamp<int32_t>(caret, 0, static_cast<int32_t>(limit)));

    bool changed = false;
    if (key == kBackspace) {
        if (!t.empty() && caret >= 1) {
            t.erase(static_cast<size_t>(caret - 1), 1);
            --caret;
            changed = true;
        }
    } else if (IsDigitKey(key) || key == '/') {
        // Typed characters go to the end whatever the caret position.
        t += edit::KeyCharacter(key);
        if (t.size() <= kMask2Length) ++caret;
        changed = true;
    }
    if (t.size() > kMask2Length) {
        t.resize(kMask2Length);
        caret = static_cast<int16_t>(kMask2Length);
        changed = true;
    }
    return changed ? EncodeUtf8(t) : Unchanged(text);
}

}  // namespace tabula
