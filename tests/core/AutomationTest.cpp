// The grid through its automation interface, as scripts, property pages and form loading
// reach it: by name or id, Variant arguments, the same errors as the typed members.

#include <gtest/gtest.h>

#include <set>

#include "tests/container/Raised.h"
#include "tests/support/GridFixture.h"

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
    Variant Call(std::string_view name, Args args = {}) {
        return Invoke(grid_.Members(), name, kInvokeMethod, args);
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

TEST_F(AutomationTest, TheKindsOfCallFollowTheMembers) {
    const struct {
        const char* name;
        uint16_t kinds;
        size_t parameters;
    } members[] = {
        {"TextMatrix", kInvokeGet | kInvokeLet, 2},
        {"ColWidth", kInvokeGet | kInvokeLet, 1},
        {"Font", kInvokeGet | kInvokeSet, 0},
        {"MouseIcon", kInvokeGet | kInvokeSet, 0},
        {"Picture", kInvokeGet, 0},
        {"MouseRow", kInvokeGet, 0},
        {"CellLeft", kInvokeGet, 2},
        {"BlockSelected", kInvokeMethod, 0},
        {"AddItem", kInvokeMethod, 4},
        {"AutoSetup", kInvokeMethod, 5},
        {"MouseWheel", kInvokeMethod, 4},
    };
    for (const auto& m : members) {
        const MemberInfo* info = grid_.Members().Find(m.name);
        ASSERT_NE(info, nullptr) << m.name;
        EXPECT_EQ(info->kinds, m.kinds) << m.name;
        EXPECT_EQ(info->parameters.size(), m.parameters) << m.name;
    }
    const auto& addItem = grid_.Members().Find("AddItem")->parameters;
    EXPECT_FALSE(addItem[0].optional);
    EXPECT_TRUE(addItem[1].optional && addItem[2].optional && addItem[3].optional);
    EXPECT_TRUE(addItem[3].byRef);
}

TEST_F(AutomationTest, ByIdOrByNameInAnyCase) {
    Args rows{Variant(int32_t{7})};
    Invoke(grid_.Members(), int32_t(0x680302E9), kInvokeLet, rows);
    EXPECT_EQ(grid_.Rows(), 7);
    EXPECT_EQ(Get("rOwS").ToLong(), 7);
    Let("textmatrix", {Variant(int32_t{2}), Variant("3"), Variant("hi")});
    EXPECT_EQ(grid_.TextMatrix(2, 3), "hi");
    EXPECT_EQ(Get("TEXTMATRIX", {Variant(2.0), Variant(int16_t{3})}).ToText(), "hi");
}

TEST_F(AutomationTest, EveryPropertyReadsBackWhatWasWrittenAfterConversion) {
    grid_.SetRows(3);
    const Variant r1 = Variant(int32_t{1});
    const Variant c2 = Variant(int32_t{2});
    const struct {
        const char* name;
        Args indexes;
        Variant written;
        const char* read;  // as text
    } cases[] = {
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
    for (const auto& c : cases) {
        Args args = c.indexes;
        args.push_back(c.written);
        Let(c.name, args);
        EXPECT_EQ(Get(c.name, c.indexes).ToText(), c.read) << c.name;
    }
}

TEST_F(AutomationTest, BooleansAreMinusOneAndZero) {
    EXPECT_EQ(Get("ColHeader").Type(), VariantType::Boolean);
    EXPECT_EQ(Get("ColHeader").ToLong(), -1);
    Let("ShowGrid", {Variant(int32_t{0})});
    EXPECT_EQ(Get("ShowGrid").ToLong(), 0);
    EXPECT_EQ(Call("BlockSelected").ToLong(), 0);
}

TEST_F(AutomationTest, BadCallsRaiseWhatTheTypedMembersRaiseAndChangeNothing) {
    const int64_t redraws = grid_.RedrawCount();
    const struct {
        const char* what;
        std::function<void()> call;
        int32_t error;
    } cases[] = {
        {"Rows past the bar", [&] { Let("Rows", {Variant(int32_t{40000})}); }, 6},
        {"negative Rows", [&] { Let("Rows", {Variant(int32_t{-1})}); }, 9},
        {"Rows as text", [&] { Let("Rows", {Variant("many")}); }, 13},
        {"Rows beyond a Long", [&] { Let("Rows", {Variant(1e12)}); }, 6},
        {"a cell outside",
         [&] {
             Get("TextMatrix", {Variant(int32_t{9}), Variant(int32_t{1})});
         },
         9},
        {"a font size beyond 16 bits",
         [&] {
             Let("CellFontSize", {Variant(int32_t{1}), Variant(int32_t{1}), Variant(40000)});
         },
         6},
        {"an edit width beyond 16 bits",
         [&] {
             Let("ColEditWidth", {Variant(int32_t{1}), Variant(int32_t{65536})});
         },
         6},
        {"ListBoxRows beyond 16 bits", [&] { Let("ListBoxRows", {Variant(int32_t{70000})}); }, 6},
        {"a colour beyond a Long", [&] { Let("BackColor", {Variant(4294967295.0)}); }, 6},
        {"a Boolean that is no Boolean", [&] { Let("ShowGrid", {Variant("yes")}); }, 13},
        {"an object as text",
         [&] {
             Let("TextMatrix",
                 {Variant(int32_t{1}), Variant(int32_t{1}), Variant::FromObject(grid_.Font())});
         },
         13},
        {"an unknown member", [&] { Get("Rowz"); }, 438},
        {"an unknown id",
         [&] {
             Args none;
             Invoke(grid_.Members(), 12345, kInvokeGet, none);
         },
         438},
        {"a let of a read-only property", [&] { Let("MouseRow", {Variant(int32_t{1})}); }, 438},
        {"a let of a font without Set", [&] { Let("Font", {Variant("Arial")}); }, 438},
        {"a read of a method", [&] { Get("Refresh"); }, 438},
        {"too many indexes", [&] { Get("Rows", {Variant(int32_t{1})}); }, 450},
        {"a let without a value",
         [&] {
             Args none;
             Invoke(grid_.Members(), "Rows", kInvokeLet, none);
         },
         450},
        {"a missing index", [&] { Get("TextMatrix", {Variant(int32_t{1})}); }, 449},
        {"a font that is no font",
         [&] {
             Args args{Variant("Arial")};
             Invoke(grid_.Members(), "Font", kInvokeSet, args);
         },
         13},
        {"no font at all",
         [&] {
             Args args{Variant::FromObject(nullptr)};
             Invoke(grid_.Members(), "FontEdit", kInvokeSet, args);
         },
         380},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RaisedError(c.call), c.error) << c.what;
    EXPECT_EQ(grid_.Rows(), 1);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    EXPECT_TRUE(Announced().empty());
}

TEST_F(AutomationTest, MembersOfLaterPartsAreListedAndRaiseFive) {
    const struct {
        const char* name;
        InvokeKind kind;
        Args args;
    } cases[] = {
        {"AddLookup", kInvokeMethod, {Variant(int32_t{1}), Variant("x")}},
        {"LookupValue", kInvokeMethod, {Variant(int32_t{1}), Variant(int32_t{2})}},
        {"RemoveLookup", kInvokeMethod, {Variant(int32_t{1})}},
        {"AddButton", kInvokeMethod, {Variant(int32_t{1})}},
        {"ColHasButton", kInvokeMethod, {Variant(int32_t{1})}},
    };
    for (const auto& c : cases) {
        Args args = c.args;
        EXPECT_EQ(RaisedError([&] { Invoke(grid_.Members(), c.name, c.kind, args); }), 5) << c.name;
    }
    Args column{Variant(int32_t{2})};
    EXPECT_EQ(
        RaisedDescription([&] { Invoke(grid_.Members(), "RemoveButton", kInvokeMethod, column); }),
        "RemoveButton is not available in this version of the grid");
    // Their reads that are plain field reads work.
    EXPECT_EQ(Get("TopRow").ToLong(), 1);
    EXPECT_EQ(Get("FormatString").ToText(), "");
}

TEST_F(AutomationTest, FontsAreSetAsObjectsAndReadAsTheSameObject) {
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
}

TEST_F(AutomationTest, PicturesComeBackAsObjects) {
    const Variant picture = Get("Picture");
    EXPECT_NE(std::dynamic_pointer_cast<tabula::Picture>(picture.ToObject()), nullptr);
    EXPECT_EQ(Get("MouseIcon").Type(), VariantType::Object);
    Args args{picture};
    Invoke(grid_.Members(), "MouseIcon", kInvokeSet, args);
    EXPECT_EQ(grid_.MouseIcon(), picture.ToObject());
}

TEST_F(AutomationTest, RowColChangeReachesASinkWhenAWriteMovesTheCell) {
    struct Recorder : EventSink {
        std::vector<std::string> seen;
        void OnEvent(const EventInfo& e, std::vector<Variant>& args) override {
            std::string line = e.name;
            for (const Variant& a : args) {
                line += ' ';
                line += a.ToText();
            }
            seen.push_back(std::move(line));
        }
    };
    auto recorder = std::make_shared<Recorder>();
    grid_.Events().Advise(recorder);
    Let("Rows", {Variant(int32_t{5})});
    Let("Row", {Variant(int32_t{4})});
    Let("Col", {Variant("2")});
    // Row 4 lies past the bar's page: the bar moves (Scroll), though all rows are shown.
    EXPECT_EQ(recorder->seen,
              (std::vector<std::string>{"Scroll", "RowColChange 1 1", "RowColChange 4 1"}));
    Let("TopRow", {Variant(int32_t{2})});
    Let("LeftCol", {Variant(int32_t{3})});
    EXPECT_EQ(grid_.TopRow(), 1);  // all rows shown: the bar is hidden and scrolls nothing
    EXPECT_EQ(grid_.LeftCol(), 3);
    EXPECT_EQ(grid_.Row(), 2);
    EXPECT_EQ(grid_.Col(), 3);
}

}  // namespace
}  // namespace tabula
