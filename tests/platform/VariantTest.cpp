#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/runtime/Dates.h"
#include "platform/runtime/Variant.h"
#include "tests/support/Raised.h"

namespace tabula {
namespace {

using test::RaisedError;

struct Thing : AutomationObject {};

// A conversion case: the expected result, or the error number when `error` is set.
template <typename T>
struct Conversion {
    Variant in;
    T out;
    int32_t error = 0;
};

// What a failing case prints: objects have no text.
std::string Label(const Variant& v) {
    return v.Type() == VariantType::Object ? "(object)" : v.ToText();
}

template <typename T, size_t N, typename Convert>
void CheckConversions(const Conversion<T> (&cases)[N], Convert convert) {
    for (const auto& c : cases) {
        T result{};
        EXPECT_EQ(RaisedError([&] { result = convert(c.in); }), c.error) << Label(c.in);
        if (c.error == 0) {
            EXPECT_EQ(result, c.out) << Label(c.in);
        }
    }
}

Variant Object() {
    return Variant(std::make_shared<Thing>());
}
Variant Date(double serial) {
    return Variant::FromDate(serial);
}
const Variant kNothing = Variant::FromObject(nullptr);
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Variant, TypesFollowTheConstructorsAndOnlyObjectsGiveObjects) {
    const Variant date = Date(1), object = Object();
    using enum VariantType;
    // A C string is a String, not a pointer taken for a Boolean.
    const std::pair<Variant, VariantType> cases[] = {
        {Variant(), Empty}, {true, Boolean},    {int16_t{1}, Integer},           {1, Long},
        {1.0, Double},      {"a", String},      {std::string_view("a"), String}, {date, Date},
        {object, Object},   {kNothing, Object},
    };
    for (const auto& [in, type] : cases)
        EXPECT_EQ(in.Type(), type);
    const auto thing = std::make_shared<Thing>();
    EXPECT_EQ(Variant(thing).ToObject(), thing);
    EXPECT_EQ(kNothing.ToObject(), nullptr);
    EXPECT_EQ(RaisedError([] { Variant(1).ToObject(); }), 424);
    EXPECT_EQ(RaisedError([] { Variant().ToObject(); }), 424);
}

// Numbers round half to even on the way to whole numbers.
TEST(Variant, ToInteger) {
    const Conversion<int16_t> cases[] = {
        {true, -1}, {2.4999, 2},  {Variant(), 0}, {32767.4, 32767}, {int16_t{-32768}, -32768},
        {false, 0}, {kNaN, 0, 6}, {30000, 30000}, {32767.5, 0, 6},  {-32768.5, -32768},
        {2.5, 2},   {" 12 ", 12}, {40000, 0, 6},  {-32769.0, 0, 6}, {"&H8000", -32768},
        {3.5, 4},   {"2.5", 2},   {"-1e2", -100}, {"abc", 0, 13},   {"&H10000", 0, 6},
        {-2.5, -2}, {"&H1F", 31}, {"&hFFFF", -1}, {"12abc", 0, 13}, {Date(40000), 0, 6},
        {-3.5, -4}, {"&O17", 15}, {"tRUE", -1},   {"1e400", 0, 6},  {Object(), 0, 13},
        {-0.5, 0},  {"", 0, 13},  {" False ", 0}, {Date(2.6), 3},   {kNothing, 0, 13},
    };
    CheckConversions(cases, [](const Variant& v) { return v.ToInteger(); });
}

TEST(Variant, ToLong) {
    const Conversion<int32_t> cases[] = {
        {true, -1},   {Variant(), 0},   {int16_t{-5}, -5},    {2147483647, 2147483647},
        {3e9, 0, 6},  {"&H", 0, 13},    {"&H10000", 65536},   {2147483647.5, 0, 6},
        {0.5, 0},     {"&O8", 0, 13},   {"&HFFFFFFFF", -1},   {-2147483648.5, -2147483647 - 1},
        {1.5, 2},     {"  -7.5  ", -8}, {"3000000000", 0, 6}, {"&H100000000", 0, 6},
        {"TRUE", -1}, {"x", 0, 13},     {Object(), 0, 13},
    };
    CheckConversions(cases, [](const Variant& v) { return v.ToLong(); });
}

// Text converts as a number literal: no thousands separators, no C hex, and a Double too
// small to hold is zero, not an error.
TEST(Variant, ToDouble) {
    const Conversion<double> cases[] = {
        {true, -1},    {Variant(), 0},  {int16_t{7}, 7},
        {0.1, 0.1},    {"e5", 0, 13},   {"1e400", 0, 6},
        {"1e3", 1000}, {"1e", 0, 13},   {"123456789012345678901234567890", 1.2345678901234568e29},
        {".5", 0.5},   {"1e+", 0, 13},  {"1,000", 0, 13},
        {"5.", 5},     {"- 1", 0, 13},  {"Truex", 0, 13},
        {"+4", 4},     {"1 2", 0, 13},  {"\xC3\xA9", 0, 13},
        {"-0", 0},     {"0x10", 0, 13}, {Date(-1.25), -1.25},
        {"1E-400", 0}, {"&H-1", 0, 13}, {Object(), 0, 13},
        {".", 0, 13},
    };
    CheckConversions(cases, [](const Variant& v) { return v.ToDouble(); });
}

TEST(Variant, ToBoolean) {
    const Conversion<bool> cases[] = {
        {true, true}, {0.25, true}, {"True", true},  {Variant(), false}, {int16_t{0}, false},
        {-3, true},   {"0", false}, {" 2.5 ", true}, {"false", false},   {Object(), false, 13},
        {0.0, false}, {"-1", true}, {"", false, 13}, {"yes", false, 13},
    };
    CheckConversions(cases, [](const Variant& v) { return v.ToBoolean(); });
}

// Doubles show 15 significant digits, not the full round trip.
TEST(Variant, ToText) {
    const std::pair<Variant, const char*> cases[] = {
        {Variant(), ""},    {int16_t{-32768}, "-32768"},
        {true, "True"},     {-2147483647 - 1, "-2147483648"},
        {false, "False"},   {1.0 / 3, "0.333333333333333"},
        {2.5, "2.5"},       {-2.0 / 3, "-0.666666666666667"},
        {0.1, "0.1"},       {123456789012345.0, "123456789012345"},
        {0.1 + 0.2, "0.3"}, {1.5e-7, "1.5E-07"},
        {100.0, "100"},     {1.7976931348623157e308, "1.7976931348623157E+308"},
        {1e15, "1E+15"},    {5e-324, "4.94065645841247E-324"},
        {1e21, "1E+21"},    {Date(37076), "7/4/2001"},
        {0.0001, "0.0001"}, {Date(37076.75), "7/4/2001 6:00:00 PM"},
        {0.00001, "1E-05"}, {Date(0), "12:00:00 AM"},
        {-0.0, "0"},        {Date(0.5 + 1.0 / 86400), "12:00:01 PM"},
        {"text", "text"},   {Date(-1.25), "12/29/1899 6:00:00 AM"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(in.ToText(), out);
    // The largest numbers read back as themselves, not as an overflow.
    for (const double extreme : {std::numeric_limits<double>::max(),
                                 -std::numeric_limits<double>::max(), 1.79769313486231e308})
        EXPECT_EQ(Variant(Variant(extreme).ToText()).ToDouble(), extreme);
    EXPECT_EQ(RaisedError([] { Object().ToText(); }), 13);
    EXPECT_EQ(RaisedError([] { Date(3e6).ToText(); }), 5);
}

TEST(Variant, IsNumeric) {
    const std::pair<Variant, bool> cases[] = {
        {false, true}, {" 12 ", true},  {"1e400", true},  {Variant(), true},
        {1, true},     {"-3.5", true},  {"12abc", false}, {int16_t{1}, true},
        {1.5, true},   {"&H1F", true},  {"True", false},  {"\xFF\xFE", false},
        {"1e3", true}, {"&o777", true}, {"1.2.3", false}, {Object(), false},
        {"", false},   {"abc", false},  {"\t7\n", true},  {std::string(1, '\0'), false},
        {"&H", false}, {"++1", false},  {Date(1), false},
    };
    for (const auto& [in, numeric] : cases)
        EXPECT_EQ(IsNumeric(in), numeric) << Label(in);
}

// Lookups compare strings binary and never equal a string to a number, with no error.
TEST(Variant, EqualsForLookups) {
    const auto a = std::make_shared<Thing>();
    const auto b = std::make_shared<Thing>();
    const std::tuple<Variant, Variant, bool> cases[] = {
        {Variant(), 0, true}, {Variant(), 0.0, true},  {Variant(), Variant(), true},
        {3, 3.0, true},       {Variant(), "", true},   {Variant(), false, true},
        {true, -1, true},     {Variant(), 1, false},   {Variant(), " ", false},
        {true, 1, false},     {int16_t{3}, 3, true},   {Date(37076), 37076, true},
        {"1", 1, false},      {0.1 + 0.2, 0.3, false}, {Variant(a), Variant(a), true},
        {"", 0, false},       {"abc", "abc", true},    {Variant(a), Variant(b), false},
        {"x", true, false},   {"abc", "ABC", false},   {kNothing, kNothing, true},
        {kNaN, kNaN, false},  {Variant(a), 0, false},  {Variant(a), Variant(), false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& [left, right, equal] = cases[i];
        EXPECT_EQ(VariantEquals(left, right), equal) << "case " << i;
        EXPECT_EQ(VariantEquals(right, left), equal) << "case " << i << " reversed";
    }
}

}  // namespace
}  // namespace tabula
