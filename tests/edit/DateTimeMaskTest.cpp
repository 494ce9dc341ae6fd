// The date columns' masks: the guided month/day/year entry of Mask in each layout, and the
// lenient day-first entry of Mask2 with its caret; and the time columns' mask.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "edit/DateMask.h"
#include "edit/TimeMask.h"
#include "tests/edit/TypeKeys.h"
#include "tests/support/Raised.h"

namespace tabula::test {
namespace {

TEST(DateMask, TheGuidedEntryOfMonthDayAndYear) {
    const Typing cases[] = {
        // Digits build the date and the mask inserts the rest.
        {"", u"122504", "1|12/|12/2|12/25/|12/25/0|12/25/2004"},
        {"", u"31599", "03/|03/1|03/15/|03/15/9|03/15/1999"},
        {"", u"9", "09/"},
        {"", u"00", "0|01/"},     // month 00 is January
        {"", u"13", "1|12/"},     // months above 12 become December
        {"", u"1/", "1|01/"},     // a slash ends a one-digit month
        {"12/", u"4", "12/04/"},  // no day of December begins with 4
        {"12/25/", u"1999", "12/25/1|12/25/19|12/25/199|12/25/1999"},
        {"12/25/", u"2010", "12/25/2|12/25/20|12/25/201|12/25/2010"},
        {"12/25/", u"07", "12/25/0|12/25/2007"},  // 0y is 200y at once
        {"12/25/", u"45", "12/25/4|12/25/1945"},  // 30 to 99 are 19yy at once
        {"12/25/2004", u"5", "12/25/2004"},       // complete
        // Days are checked against their month.
        {"04/", u"3", "04/30/"},  // a 30-day month: 3 can only be the 30th
        {"04/", u"5", "04/05/"},
        {"04/", u"31", "04/30/|04/30/1"},  // the 1 begins the year
        {"01/3", u"2", "01/3"},            // January 32 is refused
        {"01/3", u"1", "01/31/"},
        {"01/", u"4", "01/04/"},
        {"01/", u"00", "01/0|01/0"},    // day 00 is refused
        {"02/", u"3", "02/03/"},        // no February day begins with 3
        {"02/", u"29", "02/2|02/29/"},  // 29 passes until the year is known
        {"02/", u"9", "02/09/"},
        {"06/", u"0", "06/0"},
        {"", u"F3", "02/|02/03/"},
        // The year decides the 29th of February.
        {"02/29/", u"01", "02/29/0|02/29/"},  // 2001 is no leap year: both digits go
        {"02/29/", u"00", "02/29/0|02/29/2000"},
        {"02/29/", u"96", "02/29/9|02/29/1996"},
        {"02/29/", u"1999", "02/29/1|02/29/19|02/29/199|02/29/199"},  // the last is refused
        {"02/29/", u"2004", "02/29/2|02/29/20|02/29/200|02/29/2004"},
        {"02/28/", u"01", "02/28/0|02/28/2001"},
        // Only digits follow the month.
        {"12/", u"/a ", "12/|12/|12/"},
        {"12/2", u"x/", "12/2|12/2"},
        {"12/25/", u"a/", "12/25/|12/25/"},
        {"12/25/2", u"x", "12/25/2"},
        {"12/25/200", u"-", "12/25/200"},
        // Backspace takes whole parts.
        {"1", u"\b", ""},
        {"Ju", u"\b", ""},
        {"12/", u"\b", ""},
        {"12/2", u"\b", "12/"},
        {"12/25/", u"\b", "12/"},  // day and separator go together
        {"12/25/2", u"\b", "12/25/"},
        {"12/25/2004", u"\b\b\b\b", "12/25/200|12/25/20|12/25/2|12/25/"},
        // Texts the mask never writes, found in a cell when the edit began.
        {"12/25", u"1", ""},  // five characters: every key clears
        {"12/25", u"\b", ""},
        {"12/25/20041", u"1", ""},
        {"12/25/2004 10:00", u"\b", ""},
        {"ab/", u"1", "ab/"},  // no month to give a day to
        {"13/", u"1", "13/"},
        {"12/x", u"1", "12/x"},
        {"\u00e9\u00e9\u00e9", u"\b", ""},  // counted in characters: the month part
    };
    ExpectTyping(clsDate(), cases);
}

TEST(DateMask, MonthNamesByTheirFirstLetters) {
    const Typing cases[] = {
        {"", u"f", "02/"},        {"", u"S", "09/"},         {"", u"o", "10/"},
        {"", u"n", "11/"},        {"", u"d", "12/"},         {"", u"ja", "J|01/"},
        {"", u"AP", "A|04/"},     {"", u"au", "A|08/"},      {"", u"jun", "J|Ju|06/"},
        {"", u"jul", "J|Ju|07/"}, {"", u"mr", "Ma|03/"},      // "m" is already "Ma"
        {"", u"my", "Ma|05/"},    {"", u"mar", "Ma|Ma|03/"},  // so a typed "a" is refused
        {"", u"x", ""},           {"", u"ax", "A|A"},        {"", u"jux", "J|Ju|Ju"},
        {"", u"\u00e9", ""},      {"", u"j\u00e9", "J|J"},  // only English letters name months
    };
    ExpectTyping(clsDate(), cases);
}

TEST(DateMask, MonthNameLayouts) {
    clsDate mask;
    mask.SetDateTypeMask(1);
    const Typing abbreviated[] = {
        {"", u"f05", "Feb |Feb 0|Feb 05, "},
        {"Feb 05, ", u"04", "Feb 05, 0|Feb 05, 2004"},
        {"", u"jun3", "J|Ju|Jun |Jun 30, "},
        {"", u"12", "1|Dec "},
        {"Feb ", u"29", "Feb 2|Feb 29, "},
        {"Feb 29, ", u"01", "Feb 29, 0|Feb 29, "},
        {"Dec 25, ", u"1999", "Dec 25, 1|Dec 25, 19|Dec 25, 199|Dec 25, 1999"},
        {"Dec 25, 1999", u"1\b", "Dec 25, 1999|Dec 25, 199"},
        {"Feb 05, ", u"\b", "Feb "},
        {"Feb ", u"\b", ""},
        {"Feb", u"1", ""},
        {"Feb 05", u"1", ""},
        {"xyz ", u"1", "xyz "},  // no month name
    };
    ExpectTyping(mask, abbreviated);

    mask.SetDateTypeMask(2);
    const Typing full[] = {
        {"", u"s1504", "September |September 1|September 15, |September 15, 0|September 15, 2004"},
        {"", u"my31", "Ma|May |May 3|May 31, "},
        {"june ", u"3", "June 30, "},
        {"September 15, 2004", u"\b", "September 15, 200"},
        {"September 15, ", u"\b", "September "},
        {"Septem", u"1", ""},
    };
    ExpectTyping(mask, full);
}

TEST(DateMask, LayoutNumbersAndTheKeyZero) {
    clsDate mask;
    EXPECT_EQ(mask.DateTypeMask(), 0);
    int16_t none = 0;  // no key changes nothing
    EXPECT_EQ(mask.Mask(none, "1"), "1");
    mask.SetDateTypeMask(-5);
    EXPECT_EQ(mask.DateTypeMask(), -5);
    int16_t key = '1';
    EXPECT_EQ(RaisedError([&] { mask.Mask(key, ""); }), 9);
    key = '1';
    int16_t caret = 0;
    EXPECT_EQ(mask.Mask2(key, "", caret), "1");  // Mask2 needs no layout
    EXPECT_EQ(RaisedError([&] { mask.SetDateTypeMask(32768); }), 6);
    EXPECT_EQ(mask.DateTypeMask(), -5);
}

TEST(DateMask, Mask2FiltersKeysAndKeepsTheCaret) {
    struct Case {
        const char* text;
        int16_t caret;
        std::u16string_view keys;
        const char* result;
        int16_t caretAfter;
    };
    const Case cases[] = {
        {"12/0", 4, u"5", "12/05", 5},
        {"", 0, u"12/05/2004", "12/05/2004", 10},
        {"12/05/2004", 10, u"1", "12/05/2004", 10},  // an eleventh character is cut off
        {"12/05/2004", 3, u"1", "12/05/2004", 10},
        {"12/0", 4, u"a.- ", "12/0", 4},  // letters and other signs are ignored
        {"12/05", 2, u"\b", "1/05", 1},   // Backspace takes the character before the caret
        {"12/05", 0, u"\b", "12/05", 0},
        {"", 0, u"\b", "", 0},
        {"12/05", 2, u"9", "12/059", 3},  // typed keys go to the end, the caret moves by one
        {"12/05", 40, u"\b", "12/0", 4},  // a caret past the end is taken as at the end
        {"12/05", -3, u"7", "12/057", 1},
        {"12/05/2004 10:00", 16, u"x", "12/05/2004", 10},
        {"\u00e91", 2, u"\b", "\u00e9", 1},  // characters, never bytes
        {"\u00e91", 1, u"\b", "1", 0},
    };
    const clsDate mask;
    for (const auto& [text, caret, keys, result, caretAfter] : cases) {
        std::string t = text;
        int16_t position = caret;
        for (const char16_t typed : keys) {
            int16_t key = static_cast<int16_t>(typed);
            t = mask.Mask2(key, t, position);
            EXPECT_EQ(key, 0);
        }
        EXPECT_EQ(t, result) << text << " at " << caret;
        EXPECT_EQ(position, caretAfter) << text << " at " << caret;
    }
}

// The time columns' mask in 24-hour and 12-hour mode, configured as the grid does it before
// every key: Is24Hour first, then TimeMask, which chooses the layout.
clsTime TimeMaskFor(bool is24Hour) {
    clsTime mask;
    mask.SetIs24Hour(is24Hour);
    mask.SetTimeMask(SetTimeMask);
    return mask;
}

TEST(TimeMask, TwentyFourHours) {
    const Typing cases[] = {
        {"", u"2359", "2|23:|23:5|23:59"},
        {"", u"0007", "0|00:|00:0|00:07"},
        {"", u"24", "2|24:"},
        {"", u"25", "2|"},                // hour 25 clears the box
        {"", u"3", ""},                   // no hour begins with 3
        {"", u"2360", "2|23:|23:6|23:"},  // minute 60 goes with its first digit
        {"23:59", u"1", "23:59"},         // full
        {"", u"a:", "|"},
        {"23:", u"p", "23:"},
        {"12:3", u"\b", "12:"},
        {"12:", u"\b", "1"},  // the colon goes with the digit before it
        {"1", u"\b", ""},
        {"123", u"4", "12:34"},  // a text without its colon is laid out again
    };
    ExpectTyping(TimeMaskFor(true), cases);
}

TEST(TimeMask, TwelveHoursWithAmOrPm) {
    const Typing cases[] = {
        {"", u"1030P", "1|10:|10:3|10:30|10:30PM"},
        {"", u"0945a", "0|09:|09:4|09:45|09:45AM"},
        {"", u"2", ""},  // no 12-hour hour begins with 2
        {"", u"13", "1|"},
        {"", u"12", "1|12:"},
        {"", u"1075", "1|10:|10:7|10:"},
        {"09:45", u"7x:", "09:45|09:45|09:45"},  // only A or P follow the minutes
        {"09:45AM", u"p", "09:45PM"},            // a suffix is replaced
        {"09:45PM", u"A", "09:45AM"},
        {"10:30PM", u"\b", "10:30"},
        {"10:3", u"a", "10:3"},  // not before the minutes are in
    };
    ExpectTyping(TimeMaskFor(false), cases);
}

TEST(TimeMask, TheLayoutIsChosenWhenTheMaskIsSet) {
    clsTime mask;
    EXPECT_EQ(mask.TimeMask(), 0);
    EXPECT_FALSE(mask.Is24Hour());
    mask.SetIs24Hour(true);
    EXPECT_EQ(TypeKeys(mask, "", u"23591"), "2|23|235|2359|2359");  // four bare digits
    mask.SetTimeMask(5);
    EXPECT_EQ(mask.TimeMask(), -1);
    EXPECT_EQ(TypeKeys(mask, "", u"2359"), "2|23:|23:5|23:59");
    mask.SetTimeMask(UnSetTimeMask);
    EXPECT_EQ(mask.TimeMask(), 0);
    EXPECT_EQ(TypeKeys(mask, "", u"235"), "2|23|235");
}

}  // namespace
}  // namespace tabula::test
