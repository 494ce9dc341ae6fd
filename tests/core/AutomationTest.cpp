// The grid through its automation interface, as scripts, property pages and form loading
// reach it: by name or id, Variant arguments, the same errors as the typed members.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "platform/window/VirtualKeys.h"

#include "tests/support/GridFixture.h"
#include "tests/support/Raised.h"

namespace tabula {
namespace {

using test::GridTest;
using test::RaisedDescription;
using test::RaisedError;
using Args = std::vector<Variant>;

class AutomationTest : public GridTest {
protected:
    Variant Get(std::string_view name, Args args = {}) {
        return Invoke(grid_.Members(), name, kInvokeGet, args);
    }
    void Let(std::string_view name, Args args) { Invoke(grid_.Members(), name, kInvokeLet, args); }
    Variant Call(std::string_view name, Args& args) {
        return Invoke(grid_.Members(), name, kInvokeMethod, args);
    }
    // A method called with these arguments, for the error it raises.
    int32_t Fails(std::string_view name, Args args) {
        return RaisedError([&] { Call(name, args); });
    }
};

TEST_F(AutomationTest, EveryMemberHasOneNameAndOneIdAndOnlyThePositionFieldsAreHidden) {
    const auto& members = grid_.Members().Members();
    std::set<std::string> names;
    std::set<int32_t> ids;
    std::set<std::string> hidden;
    for (const MemberInfo& m : members) {
        names.insert(m.name);
        ids.insert(m.dispid);
        if (m.flags & kMemberHidden) hidden.insert(m.name);
        EXPECT_NE(m.kinds, 0) << m.name;
    }
    EXPECT_EQ(names.size(), members.size());
    EXPECT_EQ(ids.size(), members.size());
    EXPECT_EQ(members.size(), 95u);
    EXPECT_EQ(hidden, (std::set<std::string>{"Text", "Row", "Col", "Row1", "Col1", "Row2", "Col2",
                                             "TopRow", "LeftCol"}));
    EXPECT_EQ(grid_.Members().Find(-552)->name, "AboutBox");
    EXPECT_EQ(grid_.Members().Find(int32_t(0x680302E9))->name, "Rows");
    EXPECT_EQ(grid_.Members().Find(int32_t(0x600302F0))->name, "Refresh");
}

TEST_F(AutomationTest, ByIdOrByNameInAnyCase) {
    Args rows{Variant(int32_t{7})};
    Invoke(grid_.Members(), int32_t(0x680302E9), kInvokeLet, rows);
    EXPECT_EQ(grid_.Rows(), 7);
    EXPECT_EQ(Get("rOwS").ToLong(), 7);
    Let("textmatrix", {Variant(int32_t{2}), Variant("3"), Variant("hi")});
    EXPECT_EQ(grid_.TextMatrix(2, 3), "hi");
    EXPECT_EQ(Get("TEXTMATRIX", {Variant(2.0), Variant(int16_t{3})}).ToText(), "hi");
    // Booleans travel as -1 and 0.
    EXPECT_EQ(Get("ColHeader").Type(), VariantType::Boolean);
    EXPECT_EQ(Get("ColHeader").ToLong(), -1);
}

// Every member called once the way a script calls it: each property read with indexes of
// 1 and written back where it can be, each method with the arguments below and the effect
// it must have.
TEST_F(AutomationTest, EveryMemberAnswersThroughTheTable) {
    form_.Show();
    grid_.SetRows(3);
    // Properties: written with a value of another type where one is given here, read back
    // after conversion; the others read and written back as read.
    const Variant r1 = Variant(int32_t{1});
    const Variant c2 = Variant(int32_t{2});
    const struct {
        const char* name;
        Args indexes;
        Variant written;
        const char* read;  // as text
    } writes[] = {
        {"Cols", {}, Variant("6"), "6"},
        {"ColHeader", {}, Variant(int32_t{0}), "False"},
        {"RowHeader", {}, Variant(int16_t{-1}), "True"},
        {"TextMatrix", {r1, c2}, Variant(int32_t{42}), "42"},
        {"Text", {}, Variant(true), "True"},
        {"CellBackColor", {r1, c2}, Variant(int32_t{-1}), "-1"},
        {"CellForeColor", {r1, c2}, Variant("&HFF"), "255"},
        {"CellFontName", {r1, c2}, Variant("Arial"), "Arial"},
        {"CellFontSize", {r1, c2}, Variant(11.5), "12"},  // rounds half to even
        {"CellFontBold", {r1, c2}, Variant("true"), "True"},
        {"CellFontItalic", {r1, c2}, Variant(1.0), "True"},
        {"CellFontUnderline", {r1, c2}, Variant(true), "True"},
        {"CellFontStrikeThru", {r1, c2}, Variant(false), "False"},
        {"CellTag", {r1, c2}, Variant("tag"), "tag"},
        {"CellReadOnly", {r1, c2}, Variant(true), "True"},
        {"ColWidth", {c2}, Variant(int32_t{99}), "99"},
        {"ColAlign", {c2}, Variant(int32_t{CenterAlign}), "1"},
        {"ColAllowEdit", {c2}, Variant(false), "False"},
        {"ColMask", {c2}, Variant(int32_t{Uppercase}), "1"},
        {"ColEditWidth", {c2}, Variant(int32_t{8}), "8"},
        {"RowHeight", {r1}, Variant(int32_t{30}), "30"},
        {"RowBookmark", {r1}, Variant("mark"), "mark"},
        {"BackColor", {}, Variant(int32_t{0x00FF00}), "65280"},
        {"ForeColor", {}, Variant(int32_t(0x80000008)), "-2147483640"},
        {"BackColorAlt", {}, Variant(int32_t{1}), "1"},
        {"UseBackColorAlt", {}, Variant(true), "True"},
        {"BackColorFixed", {}, Variant(int32_t{2}), "2"},
        {"ForeColorFixed", {}, Variant(int32_t{3}), "3"},
        {"BackColorBkg", {}, Variant(int32_t{4}), "4"},
        {"GridLineColor", {}, Variant(int32_t{5}), "5"},
        {"ShowGrid", {}, Variant(false), "False"},
        {"GridSolid", {}, Variant(false), "False"},
        {"FixedStyle", {}, Variant(int32_t{Flat}), "0"},
        {"BorderStyle", {}, Variant(int32_t{Bump}), "7"},
        {"WordWrap", {}, Variant(true), "True"},
        {"MousePointer", {}, Variant(int32_t{vbIbeam}), "3"},
        {"AutoRedraw", {}, Variant(false), "False"},
        {"AutoMove", {}, Variant(true), "True"},
        {"AutoNewRow", {}, Variant(true), "True"},
        {"AllowSelection", {}, Variant(false), "False"},
        {"AllowUserResizing", {}, Variant(false), "False"},
        {"SelectionMode", {}, Variant(int32_t{SelectionByRowHeader}), "3"},
        {"SelectText", {}, Variant(true), "True"},
        {"UseTABKey", {}, Variant(false), "False"},
        {"LookupAllowEdit", {}, Variant(true), "True"},
        {"UseItemData", {}, Variant(true), "True"},
        {"ListBoxRows", {}, Variant(int32_t{9}), "9"},
        {"Enabled", {}, Variant(false), "False"},
        {"Row", {}, Variant(int32_t{2}), "2"},
        {"Col", {}, Variant(int32_t{3}), "3"},
        {"Row1", {}, Variant(int32_t{3}), "3"},
        {"Col1", {}, Variant(int32_t{1}), "1"},
        {"Row2", {}, Variant(int32_t{2}), "2"},
        {"Col2", {}, Variant(int32_t{4}), "4"},
    };
    for (const MemberInfo& m : grid_.Members().Members()) {
        if (!(m.kinds & kInvokeGet)) continue;
        const auto* given = std::find_if(std::begin(writes), std::end(writes),
                                         [&](const auto& w) { return m.name == w.name; });
        if (given != std::end(writes)) {
            Args args = given->indexes;
            args.push_back(given->written);
            Let(m.name, args);
            EXPECT_EQ(Get(m.name, given->indexes).ToText(), given->read) << m.name;
            continue;
        }
        const Args indexes(m.parameters.size(), Variant(int32_t{1}));
        const Variant read = Get(m.name, indexes);
        if (!(m.kinds & (kInvokeLet | kInvokeSet))) continue;
        Args write = indexes;
        write.push_back(read);
        if (m.kinds & kInvokeLet) Let(m.name, write);
        if (m.kinds & kInvokeSet) Invoke(grid_.Members(), m.name, kInvokeSet, write);
        const Variant again = Get(m.name, indexes);
        if (read.Type() == VariantType::Object)
            EXPECT_EQ(again.ToObject(), read.ToObject()) << m.name;
        else
            EXPECT_EQ(again.ToText(), read.ToText()) << m.name;
    }
    // From a new instance again (no columns first, so that they come back at their
    // default widths and heights).
    grid_.SetCols(0);
    grid_.InitNew();
    grid_.SetRows(6);
    grid_.SetCellTag(2, 5, "total");
    grid_.SetTextMatrix(3, 1, "a text wider than the column");
    // Methods: called with these arguments, each with the effect it must have.
    const auto v = [](auto value) { return Variant(value); };
    const auto pixel = [](int32_t at) { return Variant(double(at)); };
    int64_t redraws = 0;
    Variant result;
    Args args;
    const struct {
        const char* name;
        Args args;
        std::function<bool()> done;
    } methods[] = {
        {"FindCellTag",
         {v("TOTAL"), v(0), v(0)},
         [&] {
             return args[0].ToText() == "TOTAL" && args[1].Type() == VariantType::Long &&
                    args[1].ToLong() == 2 && args[2].ToLong() == 5;
         }},
        {"RowEmpty",
         {v("6")},
         [&] { return result.Type() == VariantType::Boolean && result.ToBoolean(); }},
        {"BlockSelected", {}, [&] { return result.ToLong() == 0; }},
        {"KeyDown", {v(int16_t{VK_DOWN}), v(int16_t{0})}, [&] { return grid_.Row() == 2; }},
        {"MouseWheel", {v(0), v(-1), v(5), v(5)}, [&] { return grid_.Row() == 3; }},
        {"MouseDown",
         {v(1), v(0), pixel(CellX(3) + 40), pixel(CellY(4) + 8)},
         [&] { return grid_.Row() == 4 && grid_.Col() == 3; }},
        {"MouseUp", {v(1), v(0), v(0.0), v(0.0)}, [&] { return grid_.Row() == 4; }},
        {"MouseMove",
         {v(0), v(0), v(97.0), v(8.0)},
         [&] { return grid_.picGrid.MousePointer() == vbSizeWE; }},
        {"DblClick", {}, [&] { return grid_.ColWidth(1) > 64; }},
        {"AutoSizeColumns",
         {},
         [&] { return grid_.ColWidth(1) == grid_.ColWidth(5) && grid_.ColWidth(5) != 64; }},
        {"Refresh", {}, [&] { return grid_.RedrawCount() > redraws; }},
        {"AddItem", {v("a\tb")}, [&] { return grid_.TextMatrix(7, 2) == "b"; }},
        {"RemoveItem", {v("2")}, [&] { return grid_.Rows() == 6; }},
        // Numbers as text and Doubles, Booleans as text and Integers.
        {"AutoSetup",
         {v("4"), v(3.0), v("True"), v(int16_t{0}), v(int32_t{7})},
         [&] {
             return grid_.Rows() == 4 && grid_.Cols() == 3 && grid_.RowHeader() &&
                    !grid_.ColHeader() && grid_.FormatString() == "7";
         }},
        {"Clear", {}, [&] { return grid_.Rows() == 1; }},
        {"Reset", {}, [&] { return grid_.Cols() == 5; }},
        {"AddButton", {v("3")}, [&] { return grid_.ColHasButton(3); }},
        {"ColHasButton", {v(3.0)}, [&] { return result.ToBoolean(); }},
        {"RemoveButton", {v(3)}, [&] { return !grid_.ColHasButton(3); }},
        {"AddLookup", {v(2), v(int16_t{7}), v("code")}, [&] { return grid_.ColHasLookup(2); }},
        {"LookupValue", {v(2), v("code")}, [&] { return result.ToText() == "7"; }},
        {"LookupItemData", {v(2), v("missing")}, [&] { return result.ToLong() == -1; }},
        {"RemoveLookupValue", {v(2), v("7")}, [&] { return !grid_.ColHasLookup(2); }},
        {"RemoveLookup", {v(2)}, [&] { return !grid_.ColHasLookup(2); }},
        {"ColHasLookup", {v(2)}, [&] { return result.Type() == VariantType::Boolean; }},
        {"AboutBox", {}, [] { return true; }}};
    for (const auto& m : methods) {
        args = m.args;
        redraws = grid_.RedrawCount();
        result = Call(m.name, args);
        EXPECT_TRUE(m.done()) << m.name;
    }
    // Those were all the methods.
    size_t methodCount = 0;
    for (const MemberInfo& m : grid_.Members().Members())
        methodCount += m.kinds == kInvokeMethod ? 1 : 0;
    EXPECT_EQ(methodCount, std::size(methods));
    // A column beyond 16 bits cannot be listed.
    EXPECT_EQ(Fails("AddButton", Args{v(40000)}), 6);
    EXPECT_EQ(Fails("AddLookup", Args{v(40000), v("x")}), 6);
}

TEST_F(AutomationTest, AddItemConvertsItsArgumentsAndLeavesTheByReferenceOnesAsPassed) {
    const auto& params = grid_.Members().Find("AddItem")->parameters;
    EXPECT_FALSE(params[0].optional);
    EXPECT_TRUE(params[1].optional && params[2].optional && params[3].optional);
    EXPECT_TRUE(params[3].byRef);
    // Colours as numeric text, AfterRow as a Double: 0.4 is row 0, the new row goes first.
    Args args{Variant("a\tb"), Variant("&HFF"), Variant("255"), Variant(0.4)};
    Call("AddItem", args);
    EXPECT_EQ(grid_.TextMatrix(1, 2), "b");
    EXPECT_EQ(grid_.CellBackColor(1, 1), 0xFF);
    EXPECT_EQ(grid_.CellForeColor(1, 1), 255);
    EXPECT_EQ(args[3].Type(), VariantType::Double);
    EXPECT_EQ(args[1].ToText(), "&HFF");
    // A left-out colour with an AfterRow after it, as a script writes `AddItem "s", , , 1`.
    Args skipped{Variant("s"), Variant(), Variant(), Variant(int32_t{1})};
    Invoke(grid_.Members().Find("AddItem"), kInvokeMethod, skipped, {false, true, true, false});
    EXPECT_EQ(grid_.TextMatrix(2, 1), "s");
    EXPECT_EQ(grid_.CellBackColor(2, 1), -1);
}

TEST_F(AutomationTest, BadCallsRaiseWhatTheTypedMembersRaiseAndChangeNothing) {
    const int64_t redraws = grid_.RedrawCount();
    Record();
    const Variant one(int32_t{1}), t(true), empty;
    const auto v = [](auto value) { return Variant(value); };
    // Every call by name: the kind of call, the member, its arguments and the error.
    const struct {
        InvokeKind kind;
        const char* name;
        Args args;
        int32_t error;
    } calls[] = {
        {kInvokeLet, "Rows", {v(int32_t{40000})}, 6},  // past the bar
        {kInvokeLet, "Rows", {v(int32_t{-1})}, 9},
        {kInvokeLet, "Rows", {v("many")}, 13},
        {kInvokeLet, "Rows", {v(1e12)}, 6},  // beyond a Long
        {kInvokeGet, "TextMatrix", {v(int32_t{9}), one}, 9},
        {kInvokeLet, "CellFontSize", {one, one, v(40000)}, 6},
        {kInvokeLet, "ColEditWidth", {one, v(int32_t{65536})}, 6},
        {kInvokeLet, "ListBoxRows", {v(int32_t{70000})}, 6},
        {kInvokeLet, "BackColor", {v(4294967295.0)}, 6},
        {kInvokeLet, "ShowGrid", {v("yes")}, 13},
        {kInvokeLet, "TextMatrix", {one, one, Variant::FromObject(grid_.Font())}, 13},
        {kInvokeGet, "Rowz", {}, 438},
        {kInvokeLet, "MouseRow", {one}, 438},     // read-only
        {kInvokeLet, "Font", {v("Arial")}, 438},  // objects need Set
        {kInvokeGet, "Refresh", {}, 438},         // a method
        {kInvokeGet, "Rows", {one}, 450},         // too many indexes
        {kInvokeLet, "Rows", {}, 450},            // no value
        {kInvokeGet, "TextMatrix", {one}, 449},   // a missing index
        {kInvokeSet, "Font", {v("Arial")}, 13},
        {kInvokeSet, "FontEdit", {Variant::FromObject(nullptr)}, 380},
        // Methods convert every argument before the grid hears of the call.
        {kInvokeMethod, "RemoveItem", {v("second")}, 13},
        {kInvokeMethod, "RemoveItem", {}, 449},
        {kInvokeMethod, "RowEmpty", {v(int32_t{4})}, 9},
        {kInvokeMethod, "Reset", {v(1)}, 450},
        {kInvokeMethod, "FindCellTag", {v("x"), v(int32_t{0})}, 449},
        {kInvokeMethod, "MouseMove", {v(0), v(0), v(1e300), v(0.0)}, 6},
        {kInvokeMethod, "MouseMove", {v(70000), v(0), v(1.0), v(0.0)}, 6},
        {kInvokeMethod, "AddItem", {v("x"), v("red")}, 13},
        {kInvokeMethod, "AddItem", {v("x"), empty, v(3e10)}, 6},
        {kInvokeMethod, "AddItem", {v("x"), empty, empty, v("top")}, 13},
        {kInvokeMethod, "AddItem", {Variant::FromObject(nullptr)}, 13},
        {kInvokeMethod, "AddItem", {}, 449},
        {kInvokeMethod, "AutoSetup", {v("many"), v(3), t, t, v("")}, 13},
        {kInvokeMethod, "AutoSetup", {v(2), v(3), v("maybe"), t, v("")}, 13},
        {kInvokeMethod, "AutoSetup", {v(2), v(3), t, t, Variant::FromObject(nullptr)}, 13},
        {kInvokeMethod, "AutoSetup", {v(40000), v(3), t, t, v("")}, 6},
        {kInvokeMethod, "AutoSetup", {v(2), v(-1), t, t, v("")}, 9},
        {kInvokeMethod, "AutoSetup", {v(30000), v(30000), t, t, v("")}, 7},
        {kInvokeMethod, "AutoSetup", {v(2), v(3), t, t}, 449},
    };
    for (const auto& c : calls) {
        Args args = c.args;
        EXPECT_EQ(RaisedError([&] { Invoke(grid_.Members(), c.name, c.kind, args); }), c.error)
            << c.name << " with " << c.args.size() << " arguments";
    }
    Args none;
    EXPECT_EQ(RaisedError([&] { Invoke(grid_.Members(), 12345, kInvokeGet, none); }), 438);
    // A skipped argument is missing too.
    Args gap{Variant(2), empty, t, t, Variant("")};
    EXPECT_EQ(RaisedError([&] {
                  Invoke(grid_.Members().Find("AutoSetup"), kInvokeMethod, gap,
                         {false, true, false, false, false});
              }),
              449);
    EXPECT_EQ(grid_.Rows(), 1);
    EXPECT_EQ(grid_.Cols(), 5);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    EXPECT_TRUE(Announced().empty());
    EXPECT_EQ(Record().Take(), test::Log{});
}

TEST_F(AutomationTest, FontsAndPicturesAreSetAsObjectsAndReadAsTheSameObject) {
    const Variant fixed = Get("FontFixed");
    Args args{fixed};
    Invoke(grid_.Members(), "Font", kInvokeSet, args);
    EXPECT_EQ(grid_.Font(), grid_.FontFixed());
    EXPECT_EQ(Get("Font").ToObject(), fixed.ToObject());
    // The font's own members reach the shared object.
    auto font = std::dynamic_pointer_cast<FontObject>(Get("Font").ToObject());
    Args bold{Variant(false)};
    Invoke(font->Members(), "Bold", kInvokeLet, bold);
    EXPECT_FALSE(grid_.FontFixed()->Descriptor().bold);
    EXPECT_EQ(Announced(), std::vector<std::string>{"Font"});
    // Pictures come back as objects too.
    const Variant picture = Get("Picture");
    EXPECT_NE(std::dynamic_pointer_cast<tabula::Picture>(picture.ToObject()), nullptr);
    EXPECT_EQ(Get("MouseIcon").Type(), VariantType::Object);
    Args icon{picture};
    Invoke(grid_.Members(), "MouseIcon", kInvokeSet, icon);
    EXPECT_EQ(grid_.MouseIcon(), picture.ToObject());
}

}  // namespace
}  // namespace tabula
