#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/runtime/Dates.h"
#include "platform/runtime/Variant.h"
#include "tests/platform/RaisedError.h"

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

TEST(Variant, TypesFollowTheConstructors) {
    EXPECT_EQ(Variant().Type(), VariantType::Empty);
    EXPECT_EQ(Variant(true).Type(), VariantType::Boolean);
    EXPECT_EQ(Variant(int16_t{1}).Type(), VariantType::Integer);
    EXPECT_EQ(Variant(1).Type(), VariantType::Long);
    EXPECT_EQ(Variant(1.0).Type(), VariantType::Double);
    EXPECT_EQ(Variant("a").Type(), VariantType::String);  // not a Boolean pointer test
    EXPECT_EQ(Variant(std::string_view("a")).Type(), VariantType::String);
    EXPECT_EQ(Variant::FromDate(1).Type(), VariantType::Date);
    EXPECT_EQ(Object().Type(), VariantType::Object);
    EXPECT_EQ(Variant::FromObject(nullptr).Type(), VariantType::Object);
    EXPECT_TRUE(Variant().IsEmpty());
}

TEST(Variant, ToInteger) {
    const Conversion<int16_t> cases[] = {
        {Variant(), 0},
        {true, -1},
        {false, 0},
        {int16_t{-32768}, -32768},
        {30000, 30000},
        {2.5, 2},  // half to even
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {2.4999, 2},
        {-0.5, 0},
        {32767.4, 32767},
        {32767.5, 0, 6},
        {-32768.5, -32768},
        {-32769.0, 0, 6},
        {40000, 0, 6},
        {std::numeric_limits<double>::quiet_NaN(), 0, 6},
        {" 12 ", 12},
        {"2.5", 2},
        {"-1e2", -100},
        {"&H1F", 31},
        {"&hFFFF", -1},
        {"&H8000", -32768},
        {"&O17", 15},
        {"&H10000", 0, 6},  // a Long 65536
        {"tRUE", -1},
        {" False ", 0},
        {"abc", 0, 13},
        {"", 0, 13},
        {"12abc", 0, 13},
        {"1e400", 0, 6},
        {Variant::FromDate(2.6), 3},
        {Variant::FromDate(40000), 0, 6},
        {Object(), 0, 13},
        {Variant::FromObject(nullptr), 0, 13},
    };
    CheckConversions(cases, [](const Variant& v) { return v.ToInteger(); });
}

TEST(Variant, ToLong) {
    const Conversion<int32_t> cases[] = {
        {Variant(), 0},
        {true, -1},
        {int16_t{-5}, -5},
        {2147483647, 2147483647},
        {2147483647.5, 0, 6},
        {-2147483648.5, -2147483647 - 1},
        {3e9, 0, 6},
        {0.5, 0},
        {1.5, 2},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&H100000000", 0, 6},
        {"&H", 0, 13},
        {"&O8", 0, 13},
        {"3000000000", 0, 6},
        {"  -7.5  ", -8},
        {"TRUE", -1},
        {"x", 0, 13},
        {Object(), 0, 13},
    };
    CheckConversions(cases, [](const Variant& v) { return v.ToLong(); });
}

TEST(Variant, ToDouble) {
    const Conversion<double> cases[] = {
        {Variant(), 0},
        {true, -1},
        {int16_t{7}, 7},
        {0.1, 0.1},
        {"1e3", 1000},
        {".5", 0.5},
        {"5.", 5},
        {"+4", 4},
        {"-0", 0},
        {"1E-400", 0},  // too small for a Double: zero, not an error
        {"1e400", 0, 6},
        {"123456789012345678901234567890", 1.2345678901234568e29},
        {"1,000", 0, 13},  // no thousands separators
        {".", 0, 13},
        {"e5", 0, 13},
        {"1e", 0, 13},
        {"1e+", 0, 13},
        {"- 1", 0, 13},
        {"1 2", 0, 13},
        {"0x10", 0, 13},
        {"&H-1", 0, 13},
        {"Truex", 0, 13},
        {"\xC3\xA9", 0, 13},
        {Variant::FromDate(-1.25), -1.25},
        {Object(), 0, 13},
    };
    CheckConversions(cases, [](const Variant& v) { return v.ToDouble(); });
}

TEST(Variant, ToBoolean) {
    const Conversion<bool> cases[] = {
        {Variant(), false}, {true, true},          {int16_t{0}, false}, {-3, true},
        {0.0, false},       {0.25, true},          {"True", true},      {"false", false},
        {"0", false},       {"-1", true},          {" 2.5 ", true},     {"yes", false, 13},
        {"", false, 13},    {Object(), false, 13},
    };
    CheckConversions(cases, [](const Variant& v) { return v.ToBoolean(); });
}

TEST(Variant, ToText) {
    struct Case {
        Variant in;
        const char* out;
    };
    const Case cases[] = {
        {Variant(), ""},
        {true, "True"},
        {false, "False"},
        {int16_t{-32768}, "-32768"},
        {-2147483647 - 1, "-2147483648"},
        {2.5, "2.5"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},  // 15 significant digits, not the full round trip
        {1.0 / 3, "0.333333333333333"},
        {-2.0 / 3, "-0.666666666666667"},
        {100.0, "100"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {1e21, "1E+21"},
        {1.5e-7, "1.5E-07"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {-0.0, "0"},
        {1.7976931348623157e308, "1.79769313486232E+308"},
        {5e-324, "4.94065645841247E-324"},
        {"text", "text"},
        {Variant::FromDate(37076), "7/4/2001"},
        {Variant::FromDate(37076.75), "7/4/2001 6:00:00 PM"},
        {Variant::FromDate(0), "12:00:00 AM"},
        {Variant::FromDate(0.5 + 1.0 / 86400), "12:00:01 PM"},
        {Variant::FromDate(-1.25), "12/29/1899 6:00:00 AM"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(in.ToText(), out);
    EXPECT_EQ(RaisedError([] { Object().ToText(); }), 13);
    EXPECT_EQ(RaisedError([] { Variant::FromDate(3e6).ToText(); }), 5);
}

TEST(Variant, ToObject) {
    const auto thing = std::make_shared<Thing>();
    EXPECT_EQ(Variant(thing).ToObject(), thing);
    EXPECT_EQ(Variant::FromObject(nullptr).ToObject(), nullptr);
    EXPECT_EQ(RaisedError([] { Variant(1).ToObject(); }), 424);
    EXPECT_EQ(RaisedError([] { Variant().ToObject(); }), 424);
}

TEST(Variant, IsNumeric) {
    struct Case {
        Variant in;
        bool numeric;
    };
    const Case cases[] = {
        {Variant(), true},
        {false, true},
        {int16_t{1}, true},
        {1, true},
        {1.5, true},
        {" 12 ", true},
        {"-3.5", true},
        {"1e3", true},
        {"&H1F", true},
        {"&o777", true},
        {"1e400", true},
        {"", false},
        {"abc", false},
        {"12abc", false},
        {"True", false},
        {"&H", false},
        {"1.2.3", false},
        {"\t7\n", true},
        {"++1", false},
        {"\xFF\xFE", false},
        {Variant::FromDate(1), false},
        {Object(), false},
        {std::string(1, '\0'), false},
    };
    for (const auto& [in, numeric] : cases)
        EXPECT_EQ(IsNumeric(in), numeric) << Label(in);
}

TEST(Variant, EqualsForLookups) {
    const auto a = std::make_shared<Thing>();
    const auto b = std::make_shared<Thing>();
    struct Case {
        Variant left;
        Variant right;
        bool equal;
    };
    const Case cases[] = {
        {Variant(), Variant(), true},
        {Variant(), 0, true},
        {Variant(), 0.0, true},
        {Variant(), false, true},
        {Variant(), "", true},
        {Variant(), " ", false},
        {Variant(), 1, false},
        {int16_t{3}, 3, true},
        {3, 3.0, true},
        {true, -1, true},
        {true, 1, false},
        {Variant::FromDate(37076), 37076, true},
        {0.1 + 0.2, 0.3, false},
        {"abc", "abc", true},
        {"abc", "ABC", false},  // binary comparison
        {"1", 1, false},        // never across strings and numbers, and no error
        {"", 0, false},
        {"x", true, false},
        {Variant(a), Variant(a), true},
        {Variant(a), Variant(b), false},
        {Variant::FromObject(nullptr), Variant::FromObject(nullptr), true},
        {Variant(a), Variant(), false},
        {Variant(a), 0, false},
        {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(), false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& [left, right, equal] = cases[i];
        EXPECT_EQ(VariantEquals(left, right), equal) << "case " << i;
        EXPECT_EQ(VariantEquals(right, left), equal) << "case " << i << " reversed";
    }
}

}  // namespace
}  // namespace tabula
