#include <gtest/gtest.h>

#include "platform/runtime/Dispatch.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/ProgramName.h"
#include "tests/support/Raised.h"

// Late-bound calls, events and the runtime errors they raise.

namespace tabula {
namespace {

using test::RaisedError;

// --- Dispatch -----------------------------------------------------------------------------------

MemberInfo Member(std::string name, int32_t id, uint16_t kinds, std::vector<ParamInfo> params,
                  std::function<Variant(InvokeArgs&)> get,
                  std::function<void(InvokeArgs&)> let = nullptr, uint16_t flags = 0) {
    return {std::move(name), id, kinds, std::move(params), flags, std::move(get), std::move(let)};
}

// A tiny object: a 16-bit Count property, an indexed Item(i) property, a method with an
// optional argument, one that doubles a by-reference argument and one that shows which of
// its optional arguments arrived.
struct Counter {
    int16_t count = 0;
    std::vector<std::string> items = {"a", "b", "c"};
    DispatchTable table;

    Counter() {
        table.Add(Member(
            "Count", 1, kInvokeGet | kInvokeLet, {}, [this](InvokeArgs&) { return Variant(count); },
            [this](InvokeArgs& a) { count = a[0].ToInteger(); }));
        table.Add(Member(
            "Item", 2, kInvokeGet | kInvokeLet, {{"Index"}},
            [this](InvokeArgs& a) {
                const int32_t i = a[0].ToLong();
                if (i < 0 || i >= int32_t(items.size())) RaiseError(9);
                return Variant(items[i]);
            },
            [this](InvokeArgs& a) { items.at(a[0].ToLong()) = a[1].ToText(); }));
        table.Add(Member("Add", 3, kInvokeMethod, {{"Amount", true}}, [this](InvokeArgs& a) {
            count = static_cast<int16_t>(count + (a.Missing(0) ? 1 : a[0].ToInteger()));
            return Variant();
        }));
        table.Add(Member(
            "Double", 4, kInvokeMethod, {{"Value", false, true}},
            [](InvokeArgs& a) {
                a.values[0] = Variant(a[0].ToLong() * 2);
                return Variant(true);
            },
            nullptr, kMemberHidden));
        table.Add(Member("Span", 5, kInvokeMethod, {{"From"}, {"Step", true}, {"To", true}},
                         [](InvokeArgs& a) {
                             std::string seen;
                             for (size_t i = 0; i < 3; ++i)
                                 seen += a.Missing(i) ? "-" : a[i].ToText();
                             return Variant(seen);
                         }));
    }
};

// Calls a member of `c` by name with these arguments.
Variant Call(Counter& c, std::string_view name, InvokeKind kind, std::vector<Variant> args = {}) {
    return Invoke(c.table, name, kind, args);
}

TEST(Dispatch, ByIdOrByNameInAnyCaseWithArgumentsMissingOnlyWhereOptional) {
    Counter c;
    std::vector<Variant> args{Variant(int16_t{7})};
    Invoke(c.table, 1, kInvokeLet, args);
    EXPECT_EQ(Call(c, "cOuNt", kInvokeGet).ToLong(), 7);
    EXPECT_EQ(Call(c, "Item", kInvokeGet, {Variant(int32_t{1})}).ToText(), "b");
    Call(c, "item", kInvokeLet, {Variant(int32_t{2}), Variant("z")});
    EXPECT_EQ(c.items[2], "z");
    EXPECT_EQ(c.table.Find("double")->flags & kMemberHidden, kMemberHidden);
    // Optional arguments may be left out.
    Call(c, "Add", kInvokeMethod);
    Call(c, "Add", kInvokeMethod, {Variant("5")});
    EXPECT_EQ(c.count, 13);
    // By-reference arguments come back.
    std::vector<Variant> value{Variant(int32_t{21})};
    EXPECT_TRUE(Invoke(c.table, "Double", kInvokeMethod, value).ToBoolean());
    EXPECT_EQ(value[0].ToLong(), 42);
    // Arguments left out in the middle are missing only where optional.
    const MemberInfo* span = c.table.Find("span");
    std::vector<Variant> spanArgs{Variant("1"), Variant(), Variant("9")};
    EXPECT_EQ(Invoke(span, kInvokeMethod, spanArgs, {false, true, false}).ToText(), "1-9");
    std::vector<Variant> first{Variant(), Variant("2")};
    EXPECT_EQ(RaisedError([&] { Invoke(span, kInvokeMethod, first, {true, false}); }), 449);
    EXPECT_EQ(RaisedError([&] { Invoke(nullptr, kInvokeMethod, first, {}); }), 438);
}

// Calls to missing members, with too many arguments or with values out of range are pinned
// by the scripts' error lines (tests/scripts/errors.expected).
TEST(Dispatch, BadCallsRaiseTheRuntimeErrors) {
    Counter c;
    EXPECT_EQ(RaisedError([&] { Call(c, "Add", kInvokeGet); }), 438);  // a method read
    EXPECT_EQ(RaisedError([&] { Call(c, "Item", kInvokeGet); }), 449);
    EXPECT_EQ(RaisedError([&] { Call(c, "Count", kInvokeLet); }), 450);
    std::vector<Variant> none;
    EXPECT_EQ(RaisedError([&] { Invoke(c.table, 99, kInvokeGet, none); }), 438);
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

// --- Error --------------------------------------------------------------------------------------

// The common ones are pinned by the scripts' error lines (tests/scripts/*.expected).
TEST(RuntimeError, StandardDescriptions) {
    const std::pair<int32_t, const char*> cases[] = {
        {kErrOutOfMemory, "Out of memory"},
        {kErrDivisionByZero, "Division by zero"},
        {kErrInvalidPropertyValue, "Invalid property value"},
        {kErrArgumentNotOptional, "Argument not optional"},
        {kErrDuplicateKey, "This key is already associated with an element of this collection"},
        {kErrInvalidPicture, "Invalid picture"},
    };
    for (const auto& [number, text] : cases)
        EXPECT_EQ(StandardErrorDescription(number), text);
    for (int32_t other : {0, 8, 30000, -1})
        EXPECT_EQ(StandardErrorDescription(other), "Application-defined or object-defined error");
}

TEST(RuntimeError, RaiseFillsInTheDefaultsAndTheSourceIsTheProgramsBareName) {
    try {
        RaiseError(kErrSubscriptOutOfRange);
        FAIL() << "RaiseError returned";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, 9);
        EXPECT_EQ(e.description, "Subscript out of range");
        EXPECT_STREQ(e.what(), "Subscript out of range");
        EXPECT_EQ(e.source, ProgramName());
    }
    try {
        RaiseError(30001, "Tabula.Grid", "Row is locked");
    } catch (const std::exception& e) {
        EXPECT_EQ(dynamic_cast<const RuntimeError&>(e).source, "Tabula.Grid");
        EXPECT_STREQ(e.what(), "Row is locked");
    }
    // The default source: the executable's name without directory or extension.
#ifdef __linux__
    EXPECT_EQ(ProgramName(), "tabula_platform_tests");
#endif
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/tabula-demo", "tabula-demo"},
        {"/opt/app.v2/bin/viewer", "viewer"},  // a dot in a directory is no extension
        {"C:\\Apps\\Grid.exe", "Grid"},
        {"/tmp/archive.tar.gz", "archive.tar"},
        {"/home/u/.hidden", ".hidden"},
        {"/build/bin/tabula-script (deleted)", "tabula-script"},
        {"", "Tabula"},
        {"/usr/bin/", "Tabula"},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(ProgramNameFromPath(path), name) << path;
}

}  // namespace
}  // namespace tabula
