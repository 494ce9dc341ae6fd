#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tabula {

// Dates are OLE date serials: whole days since 30 December 1899, the fraction being the
// time of day (-1.25 is 29 December 1899, 6:00). Tabula handles years 100 to 9999.

// Which field comes first in a numeric date such as "7/4/2001".
enum class DateOrder { MonthFirst, DayFirst };

struct CivilDate {
    int32_t year = 1899;
    int32_t month = 12;
    int32_t day = 30;
    int32_t weekday = 7;  // 1 = Sunday ... 7 = Saturday
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

constexpr double kMinDateSerial = -657434.0;  // 1 January 100
constexpr double kMaxDateSerial = 2958465.0;  // 31 December 9999 (plus its time of day)

// The serial of a calendar date. Months and days outside their ranges roll over into the
// neighbouring months and years (month 13 is January of the next year, day 0 the last
// day of the month before). Raises error 5 when the result falls outside years 100-9999.
double DateSerial(int32_t year, int32_t month, int32_t day);

// The calendar date and time of day of a serial, the time rounded to the nearest second.
// Raises error 5 outside years 100-9999 and for serials that are not numbers.
CivilDate DateFromSerial(double serial);

// Recognizes a date typed by a person, after trimming blanks:
//   numeric, fields in `order`, separated by '/', '-' or '.' (the same one twice):
//       "7/4/2001", "07-04-01"; two-digit years 00-29 are 2000s, 30-99 are 1900s;
//   year first whatever the order: "2001-07-04", "2001/7/4";
//   with an English month name, full or three letters, in any case:
//       "July 4, 2001", "Jul 4 2001", "4 July 2001".
// Anything else is not a date: times, bare numbers, two fields, impossible days (2/30),
// trailing text. Any byte sequence is safe to pass.
std::optional<double> RecognizeDate(std::string_view text, DateOrder order);
bool IsDate(std::string_view text, DateOrder order);

// Formats the date part of a serial. Tokens, in any case: d dd ddd dddd (day, two-digit
// day, "Sun", "Sunday"), m mm mmm mmmm (month, two-digit month, "Jan", "January"), yy
// yyyy; every other character is copied. Raises error 5 outside years 100-9999.
std::string FormatDate(double serial, std::string_view pattern);

// The general form a Date variant prints as: "7/4/2001", "7/4/2001 3:05:09 PM", and the
// time alone ("12:00:00 AM") for serials whose date part is 30 December 1899.
std::string FormatGeneralDate(double serial);

}  // namespace tabula
