#include <gtest/gtest.h>

#include <functional>

#include "platform/runtime/Collection.h"
#include "platform/text/CaseFold.h"
#include "tests/support/Raised.h"

namespace tabula {
namespace {

using test::RaisedError;

// The items' texts in order, as one string: "a,b,c".
std::string Items(const Collection& c) {
    std::string out;
    for (int32_t i = 1; i <= c.Count(); ++i) {
        if (i > 1) out += ',';
        out += c.Item(i).ToText();
    }
    return out;
}

// Keys ignore case, beyond ASCII too.
TEST(Collection, AddsInOrderFindsByIndexOrKeyAndRemovingRenumbers) {
    Collection c;
    c.Add("red", "r");
    c.Add(2);
    c.Add(2.5, "Half");
    EXPECT_EQ(Items(c), "red,2,2.5");
    EXPECT_EQ(c.Item("R").ToText(), "red");
    EXPECT_EQ(c.Item("hALF").ToDouble(), 2.5);
    EXPECT_FALSE(c.Exists("2"));  // an item without a key is not found by its value
    c.Add(1, "Élan");
    c.Add(2, "ПРИВЕТ");
    EXPECT_EQ(RaisedError([&] { c.Add(3, "élan"); }), 457);
    EXPECT_EQ(c.Item("привет").ToLong(), 2);
    c.Add(3, "");  // an empty key is still a key
    EXPECT_EQ(RaisedError([&] { c.Add(4, ""); }), 457);
    // Removing renumbers the items and frees the key.
    Collection keyed;
    for (const char* key : {"a", "b", "c", "d"})
        keyed.Add(key, std::string(key));
    keyed.Remove(2);
    EXPECT_EQ(Items(keyed), "a,c,d");
    EXPECT_FALSE(keyed.Exists("b"));
    keyed.Remove("D");
    EXPECT_EQ(Items(keyed), "a,c");
    EXPECT_EQ(keyed.Item("c").ToText(), "c");  // keys still reach the right item after shifts
    keyed.Add("b again", "B");
    EXPECT_EQ(Items(keyed), "a,c,b again");
    EXPECT_EQ(keyed.Item("b").ToText(), "b again");
    for (int i = 0; i < 3; ++i)
        keyed.Remove(1);
    EXPECT_EQ(keyed.Count(), 0);
    EXPECT_FALSE(keyed.Exists("a"));
}

TEST(Collection, Errors) {
    Collection c;
    c.Add(1, "One");
    c.Add(2);
    const std::tuple<const char*, std::function<void()>, int32_t> cases[] = {
        {"duplicate key", [&] { c.Add(3, "ONE"); }, 457},
        {"index 0", [&] { c.Item(0); }, 9},
        {"index past the end", [&] { c.Item(3); }, 9},
        {"negative index", [&] { c.Item(-1); }, 9},
        {"missing key", [&] { c.Item("two"); }, 5},
        {"remove index 0", [&] { c.Remove(0); }, 9},
        {"remove past the end", [&] { c.Remove(3); }, 9},
        {"remove missing key", [&] { c.Remove("two"); }, 5},
    };
    for (const auto& [what, call, error] : cases)
        EXPECT_EQ(RaisedError(call), error) << what;
    // Nothing above changed the collection.
    EXPECT_EQ(Items(c), "1,2");
    EXPECT_EQ(c.Item("one").ToLong(), 1);
}

TEST(CaseFold, FoldsCapitalsToSmallLetters) {
    const std::pair<const char*, const char*> cases[] = {
        {"Hello World 42", "hello world 42"},
        {"ÀÉÎÕÜ × Þ", "àéîõü × þ"},  // the multiplication sign is no letter
        {"ĀĂĆČŁŃŒŠŸŽ", "āăćčłńœšÿž"},
        {"İı", "İı"},  // the Turkish i's are no pair
        {"ΆΈΣΩΪ ς", "άέσωϊ σ"},
        {"ЁЖЯ", "ёжя"},
        {"漢字 ß", "漢字 ß"},
        {"a\xFF", "a\xEF\xBF\xBD"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(FoldCase(in), out) << in;
}

}  // namespace
}  // namespace tabula
