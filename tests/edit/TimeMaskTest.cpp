// The time columns' mask in 24-hour and 12-hour mode, configured as the grid does it before
// every key: Is24Hour first, then TimeMask, which chooses the layout.

#include <gtest/gtest.h>

#include "edit/TimeMask.h"
#include "tests/edit/TypeKeys.h"

namespace tabula::test {
namespace {

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
