#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

#include "platform/runtime/Dates.h"
#include "tests/support/Raised.h"

namespace tabula {
namespace {

using test::RaisedError;

constexpr double kJuly4th2001 = 37076;  // a Wednesday

TEST(Dates, SerialsOfKnownDaysAndTimes) {
    const std::tuple<int32_t, int32_t, int32_t, double> cases[] = {
        {1899, 12, 30, 0},       {1899, 12, 31, 1},     {1900, 1, 1, 2},       {1900, 3, 1, 61},
        {2000, 1, 1, 36526},     {2000, 2, 29, 36585},  {2001, 7, 4, 37076},   {100, 1, 1, -657434},
        {9999, 12, 31, 2958465}, {2001, 13, 1, 37257},  {2001, 3, 0, 36950},   {2001, 0, 1, 36861},
        {2001, -11, 1, 36526},   {2000, 1, 366, 36891}, {2001, 1, -30, 36861},
    };
    for (const auto& [year, month, day, serial] : cases)
        EXPECT_EQ(DateSerial(year, month, day), serial) << year << '-' << month << '-' << day;
    const std::tuple<int32_t, int32_t, int32_t> outOfRange[] = {
        {99, 12, 31}, {10000, 1, 1}, {2001, INT32_MAX, 1}, {INT32_MIN, 1, 1}, {2001, 1, INT32_MIN}};
    for (const auto& [year, month, day] : outOfRange)
        EXPECT_EQ(
            RaisedError([year = year, month = month, day = day] { DateSerial(year, month, day); }),
            5)
            << year;
    // The time of day.
    const std::pair<double, CivilDate> times[] = {
        {0.5, {1899, 12, 30, 7, 12, 0, 0}},
        {-1.25, {1899, 12, 29, 6, 6, 0, 0}},  // the fraction's size, not 18:00
        {-0.5, {1899, 12, 30, 7, 12, 0, 0}},
        {kJuly4th2001 + 0.75 + 0.4 / 86400, {2001, 7, 4, 4, 18, 0, 0}},
        {kJuly4th2001 + 0.75 + 0.6 / 86400, {2001, 7, 4, 4, 18, 0, 1}},
        {kJuly4th2001 + 1 - 0.2 / 86400, {2001, 7, 5, 5, 0, 0, 0}},  // rounds into the next day
        {-2 + 0.2 / 86400, {1899, 12, 28, 5, 0, 0, 0}},
    };
    for (const auto& [serial, date] : times)
        EXPECT_EQ(DateFromSerial(serial), date) << serial;
    for (double bad : {kMinDateSerial - 1, kMaxDateSerial + 1, kMaxDateSerial + 1 - 1e-9,
                       std::nan(""), HUGE_VAL, -1e300})
        EXPECT_EQ(RaisedError([&] { DateFromSerial(bad); }), 5) << bad;
}

// Every day from year 100 to 9999 converts back to its own serial, one day after the one
// before, with the weekday moving on by one.
TEST(Dates, EveryDayRoundTrips) {
    CivilDate previous = DateFromSerial(kMinDateSerial);
    EXPECT_EQ(previous, (CivilDate{100, 1, 1, 6}));
    for (double serial = kMinDateSerial + 1; serial <= kMaxDateSerial; ++serial) {
        const CivilDate date = DateFromSerial(serial);
        ASSERT_EQ(DateSerial(date.year, date.month, date.day), serial);
        ASSERT_EQ(date.weekday, previous.weekday % 7 + 1) << serial;
        const bool nextDay = date.day == previous.day + 1 && date.month == previous.month;
        const bool nextMonth =
            date.day == 1 && (date.month == previous.month + 1 ||
                              (date.month == 1 && date.year == previous.year + 1));
        ASSERT_TRUE(nextDay || nextMonth) << serial;
        previous = date;
    }
    EXPECT_EQ(previous, (CivilDate{9999, 12, 31, 6}));
}

// Texts that give the same day in either order, then each text with the date it gives month
// first and day first (0 where it is no date). The serials are those of the days written.
TEST(Dates, RecognizesTypedDates) {
    const double j = kJuly4th2001, april7 = 36988;
    const std::pair<const char*, double> either[] = {
        {"1/1/29", 47119},           {"1/1/30", 10959},     {"1/1/00", 36526},
        {"1/1/100", kMinDateSerial}, {"2001-07-04", j},     {"2001/7/4", j},
        {"2001.07.04", j},           {"July 4, 2001", j},   {"jul 4 2001", j},
        {"JULY 4,2001", j},          {"4 July 2001", j},    {"4 jUL, 2001", j},
        {"Sep 30 99", 36433},        {"May 1 2001", 37012}, {"February 29, 2000", 36585},
    };
    std::vector<std::tuple<const char*, double, double>> cases = {
        {"7/4/2001", j, april7}, {"07-04-01", j, april7},           {"  7.4.2001\t", j, april7},
        {"12/31/99", 36525, 0},  {"31/12/1999", 0, 36525},          {"2/29/2000", 36585, 0},
        {"29/2/2000", 0, 36585}, {"12/31/9999", kMaxDateSerial, 0},
    };
    for (const auto& [text, serial] : either)
        cases.emplace_back(text, serial, serial);
    for (const auto& [text, monthFirst, dayFirst] : cases) {
        EXPECT_EQ(RecognizeDate(text, DateOrder::MonthFirst).value_or(0), monthFirst) << text;
        EXPECT_EQ(RecognizeDate(text, DateOrder::DayFirst).value_or(0), dayFirst) << text;
        EXPECT_EQ(IsDate(text, DateOrder::MonthFirst), monthFirst != 0) << text;
        EXPECT_EQ(IsDate(text, DateOrder::DayFirst), dayFirst != 0) << text;
    }
}

TEST(Dates, RejectsWhatIsNotADate) {
    const char* cases[] = {
        "",      "0/1/2001", "2/29/2001", "02/30/2001", "007/04/2001",  "7/4/2001 10:30",
        "   ",   "1/0/2001", "7/4/2001x", "13/13/2001", "2001-13-01",   "7 / 4 / 2001",
        "10:30", "10:30 PM", "x7/4/2001", "1/1/10000",  "2001-02-29",   "July 32, 2001",
        "12",    "37000",    "7/4/20011", "7/04/2001/", "Julyy 4 2001", "July 4 2001 x",
        "3.5",   "7/4/1",    "1/1/0000",  "7//4/2001",  "July, 4 2001", "July 4 , 2001",
        "-3",    "1/1/0099", "7/4-2001",  "-7/4/2001",  "4 July 2001,", "\u20037/4/2001",
        "7/4",   "2001-7",   "4 4 2001",  "July 2001",  "Mon 4 2001",   "Jul\xC3\xA9 4 2001",
        "7/4/",  "July 4",   "July 4 1",  "Ju 4 2001",  "7/4/2001\xFF",
    };
    for (const char* text : cases) {
        EXPECT_FALSE(RecognizeDate(text, DateOrder::MonthFirst)) << text;
        EXPECT_FALSE(RecognizeDate(text, DateOrder::DayFirst)) << text;
    }
}

// Hostile input: long text and arbitrary bytes either fail or give a date that formats.
TEST(Dates, RecognitionSurvivesAnyInput) {
    for (const std::string& text : {std::string(1 << 20, '7'), "1/1/" + std::string(5000, '9'),
                                    std::string(3000, '/'), std::string("7/4\0/2001", 9)})
        EXPECT_FALSE(IsDate(text, DateOrder::MonthFirst) || IsDate(text, DateOrder::DayFirst));

    // Random edits of real dates (insertions, replacements, removals): near misses are where a
    // recognizer goes wrong. What it takes must be a whole day in range.
    const char* seeds[] = {"7/4/2001", "July 4, 2001", "2001-07-04", "4 Dec 99", "31.12.1999"};
    const std::string alphabet = "0123456789/-., \tJulyMaDec\xC3\xA9\xFF:";
    uint32_t state = 12345;
    const auto next = [&](size_t n) { return ((state = state * 1664525u + 1013904223u) >> 8) % n; };
    int recognized = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text = seeds[next(std::size(seeds))];
        for (size_t edits = next(4); edits > 0; --edits) {
            const size_t at = next(text.size() + 1), kind = next(3);
            const char c = alphabet[next(alphabet.size())];
            if (kind == 0 || at == text.size())
                text.insert(at, 1, c);
            else if (kind == 1)
                text[at] = c;
            else
                text.erase(at, 1);
        }
        for (const DateOrder order : {DateOrder::MonthFirst, DateOrder::DayFirst}) {
            if (const auto serial = RecognizeDate(text, order)) {
                ++recognized;
                ASSERT_NO_THROW(DateFromSerial(*serial)) << text;
                ASSERT_EQ(*serial, std::floor(*serial)) << text;
            }
        }
    }
    EXPECT_GT(recognized, 1000);  // the edits do leave many real dates
}

// Long runs of a letter are cut into tokens; what is no token is copied.
TEST(Dates, FormatPatterns) {
    const std::pair<const char*, const char*> cases[] = {
        {"mm/dd/yyyy", "07/04/2001"},
        {"dd/mm/yyyy", "04/07/2001"},
        {"m/d/yy", "7/4/01"},
        {"MMM", "Jul"},
        {"MMMM", "July"},
        {"ddd", "Wed"},
        {"DD.Mm.YyYy", "04.07.2001"},
        {"yyyy-mm-dd", "2001-07-04"},
        {"ddddd", "Wednesday4"},
        {"mmmmmm", "July07"},
        {"y", "y"},
        {"yyy", "01y"},
        {"[d] at h:n", "[4] at h:n"},
        {"d\u20ACm", "4\u20AC7"},
        {"", ""},
    };
    for (const auto& [pattern, out] : cases)
        EXPECT_EQ(FormatDate(kJuly4th2001, pattern), out);
    EXPECT_EQ(FormatDate(kJuly4th2001, "dddd, mmmm d, yyyy"), "Wednesday, July 4, 2001");
    EXPECT_EQ(FormatDate(kJuly4th2001 + 0.99, "d"), "4");  // the time does not matter
    EXPECT_EQ(FormatDate(kMinDateSerial, "m/d/yyyy dddd"), "1/1/100 Friday");
    EXPECT_EQ(FormatDate(kMaxDateSerial, "mmm d yyyy ddd"), "Dec 31 9999 Fri");
    for (double bad : {kMinDateSerial - 1, kMaxDateSerial + 1, 1e300, std::nan("")})
        EXPECT_EQ(RaisedError([&] { FormatDate(bad, "d"); }), 5) << bad;
}

}  // namespace
}  // namespace tabula
