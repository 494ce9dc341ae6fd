#include "platform/runtime/Dates.h"

#include <array>
#include <cmath>
#include <vector>

#include "platform/runtime/Error.h"

namespace tabula {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};

// The serial of 1 January 1970, where the civil-day arithmetic below counts from.
constexpr int64_t kUnixEpochSerial = 25569;

// Days since 1 January 1970 of a proleptic Gregorian date, for any year (the classic
// era-of-400-years method, exact for negative years too).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t z, CivilDate& date) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    date.day = static_cast<int32_t>(dayOfYear - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int32_t>(month);
    date.year = static_cast<int32_t>(yearOfEra + era * 400 + (month <= 2));
}

bool IsLeapYear(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
    constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int32_t year, int32_t month, int32_t day) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// 1-12 for a full or three-letter English month name, 0 otherwise.
int32_t MonthFromName(std::string_view word) {
    for (size_t i = 0; i < kMonthNames.size(); ++i) {
        if (EqualsIgnoringCase(word, kMonthNames[i]) ||
            EqualsIgnoringCase(word, kMonthNames[i].substr(0, 3)))
            return static_cast<int32_t>(i) + 1;
    }
    return 0;
}

// ---- Recognition ----------------------------------------------------------------------
// The text is cut into tokens (digit runs, letter runs, blank runs, separators) and the
// token kinds are spelled as a short shape string, "9/9/9" or "a 9, 9", which is then
// matched against the few shapes a date may have.

// Only spaces and tabs separate the parts of a date; other white space is no date.
bool IsSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

struct Tokens {
    std::string shape;
    std::vector<std::string_view> numbers;
    std::string_view word;
};

// No date is longer than this; longer text is rejected before any work.
constexpr size_t kMaxDateText = 40;

std::optional<Tokens> Tokenize(std::string_view text) {
    Tokens tokens;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const size_t start = i;
        if (IsDigit(c)) {
            while (i < text.size() && IsDigit(text[i]))
                ++i;
            tokens.shape.push_back('9');
            tokens.numbers.push_back(text.substr(start, i - start));
        } else if (IsLetter(c)) {
            while (i < text.size() && IsLetter(text[i]))
                ++i;
            tokens.shape.push_back('a');
            tokens.word = text.substr(start, i - start);
        } else if (IsSpaceOrTab(c)) {
            while (i < text.size() && IsSpaceOrTab(text[i]))
                ++i;
            tokens.shape.push_back(' ');
        } else if (c == '/' || c == '-' || c == '.' || c == ',') {
            ++i;
            tokens.shape.push_back(c);
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

// A run of at most `maxDigits` digits as a number; -1 when longer.
int32_t FieldValue(std::string_view digits, size_t maxDigits) {
    if (digits.size() > maxDigits) return -1;
    int32_t value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// Two-digit years pivot at 30; three and four digits are taken as written.
int32_t YearValue(std::string_view digits) {
    if (digits.size() < 2 || digits.size() > 4) return -1;
    const int32_t value = FieldValue(digits, 4);
    if (digits.size() == 2) return value < 30 ? 2000 + value : 1900 + value;
    return value;
}

std::optional<double> SerialIfValid(int32_t year, int32_t month, int32_t day) {
    if (!IsValidDate(year, month, day)) return std::nullopt;
    return DateSerial(year, month, day);
}

std::string_view TrimSpacesAndTabs(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "07" for 7; values are 0-99.
std::string TwoDigits(int32_t value) {
    return std::string{static_cast<char>('0' + value / 10 % 10),
                       static_cast<char>('0' + value % 10)};
}

}  // namespace

double DateSerial(int32_t year, int32_t month, int32_t day) {
    // Roll the month into the year first; days then roll over by plain addition.
    const int64_t months = int64_t{year} * 12 + (int64_t{month} - 1);
    const int64_t y = (months >= 0 ? months : months - 11) / 12;
    const int64_t m = months - y * 12 + 1;
    const int64_t serial = DaysFromCivil(y, m, 1) + (int64_t{day} - 1) + kUnixEpochSerial;
    if (serial < kMinDateSerial || serial > kMaxDateSerial) RaiseError(kErrInvalidCall);
    return static_cast<double>(serial);
}

CivilDate DateFromSerial(double serial) {
    // NaN fails both comparisons, so it is rejected here too.
    if (!(serial > kMinDateSerial - 1 && serial < kMaxDateSerial + 1)) RaiseError(kErrInvalidCall);
    // The date part truncates toward zero; the time of day is the fraction's size, so
    // -1.25 is the day before the epoch at 6:00, not 18:00.
    int64_t days = static_cast<int64_t>(serial);
    int64_t seconds = std::llround(std::fabs(serial - static_cast<double>(days)) * 86400.0);
    if (seconds == 86400) {
        seconds = 0;
        days += serial < 0 ? -1 : 1;
    }
    if (days < kMinDateSerial || days > kMaxDateSerial) RaiseError(kErrInvalidCall);

    CivilDate date;
    CivilFromDays(days - kUnixEpochSerial, date);
    // Serial 0 was a Saturday.
    date.weekday = static_cast<int32_t>(((days + 6) % 7 + 7) % 7) + 1;
    date.hour = static_cast<int32_t>(seconds / 3600);
    date.minute = static_cast<int32_t>(seconds / 60 % 60);
    date.second = static_cast<int32_t>(seconds % 60);
    return date;
}

std::optional<double> RecognizeDate(std::string_view text, DateOrder order) {
    text = TrimSpacesAndTabs(text);
    if (text.empty() || text.size() > kMaxDateText) return std::nullopt;
    const std::optional<Tokens> tokens = Tokenize(text);
    if (!tokens) return std::nullopt;
    const std::string& shape = tokens->shape;
    const auto& n = tokens->numbers;

    if (shape == "9/9/9" || shape == "9-9-9" || shape == "9.9.9") {
        if (n[0].size() == 4)
            return SerialIfValid(FieldValue(n[0], 4), FieldValue(n[1], 2), FieldValue(n[2], 2));
        const int32_t first = FieldValue(n[0], 2);
        const int32_t second = FieldValue(n[1], 2);
        const int32_t year = YearValue(n[2]);
        if (order == DateOrder::MonthFirst) return SerialIfValid(year, first, second);
        return SerialIfValid(year, second, first);
    }

    // The month name comes first ("July 4, 2001") or second ("4 July 2001"); a comma may
    // follow the second element.
    const bool nameFirst = shape.starts_with("a 9");
    if (!nameFirst && !shape.starts_with("9 a")) return std::nullopt;
    const std::string_view rest = std::string_view(shape).substr(3);
    if (rest != " 9" && rest != ",9" && rest != ", 9") return std::nullopt;
    const int32_t month = MonthFromName(tokens->word);
    if (month == 0) return std::nullopt;
    return SerialIfValid(YearValue(n[1]), month, FieldValue(n[0], 2));
}

bool IsDate(std::string_view text, DateOrder order) {
    return RecognizeDate(text, order).has_value();
}

std::string FormatDate(double serial, std::string_view pattern) {
    const CivilDate date = DateFromSerial(serial);
    std::string out;
    size_t i = 0;
    while (i < pattern.size()) {
        const char token = LowerAscii(pattern[i]);
        size_t run = 0;
        while (i + run < pattern.size() && LowerAscii(pattern[i + run]) == token)
            ++run;
        // Long runs are cut into the longest tokens that fit: "ddddd" is "dddd" then "d".
        if (token == 'd' || token == 'm') {
            const size_t length = std::min<size_t>(run, 4);
            const int32_t value = token == 'd' ? date.day : date.month;
            const std::string_view name =
                token == 'd' ? kDayNames[date.weekday - 1] : kMonthNames[date.month - 1];
            if (length == 1) out += std::to_string(value);
            if (length == 2) out += TwoDigits(value);
            if (length == 3) out += name.substr(0, 3);
            if (length == 4) out += name;
            i += length;
        } else if (token == 'y' && run >= 2) {
            if (run >= 4) {
                out += std::to_string(date.year);
                i += 4;
            } else {
                out += TwoDigits(date.year % 100);
                i += 2;
            }
        } else {
            out.push_back(pattern[i]);
            ++i;
        }
    }
    return out;
}

std::string FormatGeneralDate(double serial) {
    const CivilDate date = DateFromSerial(serial);
    const bool hasTime = date.hour != 0 || date.minute != 0 || date.second != 0;
    const bool hasDate = !(date.year == 1899 && date.month == 12 && date.day == 30);
    std::string out;
    if (hasDate) out = FormatDate(serial, "m/d/yyyy");
    if (hasTime || !hasDate) {
        if (!out.empty()) out.push_back(' ');
        const int32_t hour12 = date.hour % 12 == 0 ? 12 : date.hour % 12;
        out += std::to_string(hour12) + ':' + TwoDigits(date.minute) + ':' +
               TwoDigits(date.second) + (date.hour < 12 ? " AM" : " PM");
    }
    return out;
}

}  // namespace tabula
