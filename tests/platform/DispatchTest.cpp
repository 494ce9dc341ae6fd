#include <gtest/gtest.h>

#include "platform/runtime/Dispatch.h"
#include "tests/platform/RaisedError.h"

namespace tabula {
namespace {

using test::RaisedError;

// A tiny object: a 16-bit Count property, an indexed Item(i) property, a method with an
// optional argument and one that doubles a by-reference argument.
struct Counter {
    int16_t count = 0;
    std::vector<std::string> items = {"a", "b", "c"};
    DispatchTable table;

    Counter() {
        table.Add({"Count",
                   1,
                   kInvokeGet | kInvokeLet,
                   {},
                   0,
                   [this](InvokeArgs&) { return Variant(count); },
                   [this](InvokeArgs& a) { count = a[0].ToInteger(); }});
        table.Add({"Item",
                   2,
                   kInvokeGet | kInvokeLet,
                   {{"Index"}},
                   0,
                   [this](InvokeArgs& a) {
                       const int32_t i = a[0].ToLong();
                       if (i < 0 || i >= int32_t(items.size())) RaiseError(9);
                       return Variant(items[i]);
                   },
                   [this](InvokeArgs& a) { items.at(a[0].ToLong()) = a[1].ToText(); }});
        table.Add({"Add",
                   3,
                   kInvokeMethod,
                   {{"Amount", true}},
                   0,
                   [this](InvokeArgs& a) {
                       count = static_cast<int16_t>(count + (a.Missing(0) ? 1 : a[0].ToInteger()));
                       return Variant();
                   },
                   nullptr});
        table.Add({"Double",
                   4,
                   kInvokeMethod,
                   {{"Value", false, true}},
                   kMemberHidden,
                   [](InvokeArgs& a) {
                       a.values[0] = Variant(a[0].ToLong() * 2);
                       return Variant(true);
                   },
                   nullptr});
    }
};

TEST(Dispatch, ByIdOrByNameInAnyCase) {
    Counter c;
    std::vector<Variant> args{Variant(int16_t{7})};
    Invoke(c.table, 1, kInvokeLet, args);
    EXPECT_EQ(c.count, 7);
    std::vector<Variant> none;
    EXPECT_EQ(Invoke(c.table, "cOuNt", kInvokeGet, none).ToLong(), 7);
    std::vector<Variant> index{Variant(int32_t{1})};
    EXPECT_EQ(Invoke(c.table, "Item", kInvokeGet, index).ToText(), "b");
    std::vector<Variant> assign{Variant(int32_t{2}), Variant("z")};
    Invoke(c.table, "item", kInvokeLet, assign);
    EXPECT_EQ(c.items[2], "z");
    EXPECT_EQ(c.table.Find("double")->flags & kMemberHidden, kMemberHidden);
}

TEST(Dispatch, OptionalArgumentsMayBeLeftOut) {
    Counter c;
    std::vector<Variant> none;
    Invoke(c.table, "Add", kInvokeMethod, none);
    std::vector<Variant> five{Variant("5")};
    Invoke(c.table, "Add", kInvokeMethod, five);
    EXPECT_EQ(c.count, 6);
}

TEST(Dispatch, ArgumentsLeftOutInTheMiddleAreMissingOnlyWhereOptional) {
    Counter c;
    c.table.Add({"Span",
                 5,
                 kInvokeMethod,
                 {{"From"}, {"Step", true}, {"To", true}},
                 0,
                 [](InvokeArgs& a) {
                     std::string seen;
                     for (size_t i = 0; i < 3; ++i)
                         seen += a.Missing(i) ? "-" : a[i].ToText();
                     return Variant(seen);
                 },
                 nullptr});
    const MemberInfo* span = c.table.Find("span");
    std::vector<Variant> args{Variant("1"), Variant(), Variant("9")};
    EXPECT_EQ(Invoke(span, kInvokeMethod, args, {false, true, false}).ToText(), "1-9");
    std::vector<Variant> first{Variant(), Variant("2")};
    EXPECT_EQ(RaisedError([&] { Invoke(span, kInvokeMethod, first, {true, false}); }), 449);
    EXPECT_EQ(RaisedError([&] { Invoke(nullptr, kInvokeMethod, first, {}); }), 438);
}

TEST(Dispatch, ByReferenceArgumentsComeBack) {
    Counter c;
    std::vector<Variant> args{Variant(int32_t{21})};
    EXPECT_TRUE(Invoke(c.table, "Double", kInvokeMethod, args).ToBoolean());
    EXPECT_EQ(args[0].ToLong(), 42);
}

TEST(Dispatch, BadCallsRaiseTheRuntimeErrors) {
    Counter c;
    std::vector<Variant> none;
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, "Missing", kInvokeGet, none); }), 438);
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, 99, kInvokeGet, none); }), 438);
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, "Add", kInvokeGet, none); }), 438);
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, "Item", kInvokeGet, none); }), 449);
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, "Count", kInvokeLet, none); }), 450);
    std::vector<Variant> tooMany{Variant(int16_t{1}), Variant(int16_t{2})};
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, "Add", kInvokeMethod, tooMany); }), 450);
    std::vector<Variant> overflow{Variant(int32_t{40000})};
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, "Count", kInvokeLet, overflow); }), 6);
    std::vector<Variant> text{Variant("abc")};
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, "Count", kInvokeLet, text); }), 13);
    std::vector<Variant> outside{Variant(int32_t{5})};
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, "Item", kInvokeGet, outside); }), 9);
    EXPECT_EQ(c.count, 0);  // nothing stored by the failed calls
}

struct Recorder : EventSink {
    std::vector<std::string> seen;
    bool cancel = false;
    void OnEvent(const EventInfo& event, std::vector<Variant>& args) override {
        seen.push_back(event.name + "(" + (args.empty() ? "" : args[0].ToText()) + ")");
        if (cancel && args.size() > 1) args[1] = Variant(true);
    }
};

TEST(Events, ReachEverySinkAndByReferenceChangesComeBack) {
    EventSource source({{"Click", 1, {}}, {"BeforeEdit", 11, {{"Row"}, {"Cancel", false, true}}}});
    auto first = std::make_shared<Recorder>();
    auto second = std::make_shared<Recorder>();
    source.Advise(first);
    const int cookie = source.Advise(second);
    second->cancel = true;
    std::vector<Variant> args{Variant(int32_t{3}), Variant(false)};
    source.Raise(11, args);
    EXPECT_EQ(first->seen, (std::vector<std::string>{"BeforeEdit(3)"}));
    EXPECT_EQ(second->seen, (std::vector<std::string>{"BeforeEdit(3)"}));
    EXPECT_TRUE(args[1].ToBoolean());

    source.Unadvise(cookie);
    std::vector<Variant> none;
    source.Raise(1, none);
    source.Raise(77, none);  // no such event: nothing happens
    EXPECT_EQ(first->seen.size(), 2u);
    EXPECT_EQ(second->seen.size(), 1u);
    EXPECT_EQ(RaisedError([&] { source.Advise(nullptr); }), 5);
}

}  // namespace
}  // namespace tabula
