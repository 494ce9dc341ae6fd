// Every write of the typed surface against its row of the member table: how it redraws
// (with AutoRedraw on and off) and under which name it tells the container.

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;

enum class Redraw { IfAuto, Always, No };

struct WriteRule {
    const char* member;
    using Write = std::function<void(Tabula&, int step)>;  // `step` varies the value written
    Write write;
    Redraw redraw;
    const char* announce;  // "" for none
};

// Writes of a flag, a cell's flag or number and a colour, the value varied by the step.
WriteRule::Write Flag(void (Tabula::*set)(bool)) {
    return [set](Tabula& g, int s) { (g.*set)(s % 2 == 0); };
}
WriteRule::Write CellFlag(void (Tabula::*set)(int32_t, int32_t, bool)) {
    return [set](Tabula& g, int s) { (g.*set)(1, 1, s % 2 == 0); };
}
WriteRule::Write CellNumber(void (Tabula::*set)(int32_t, int32_t, int32_t)) {
    return [set](Tabula& g, int s) { (g.*set)(1, 1, s); };
}
WriteRule::Write Colour(void (Tabula::*set)(OLE_COLOR)) {
    return [set](Tabula& g, int s) { (g.*set)(OLE_COLOR(0x102030 + s)); };
}

std::vector<WriteRule> Rules() {
    return {
        {"Rows", [](Tabula& g, int s) { g.SetRows(3 + s); }, Redraw::IfAuto, ""},
        {"Cols", [](Tabula& g, int s) { g.SetCols(4 + s); }, Redraw::IfAuto, ""},
        {"ColHeader", Flag(&Tabula::SetColHeader), Redraw::IfAuto, "ColHeader"},
        {"RowHeader", Flag(&Tabula::SetRowHeader), Redraw::IfAuto, "RowHeader"},
        {"TextMatrix", [](Tabula& g, int s) { g.SetTextMatrix(1, 2, std::to_string(s)); },
         Redraw::IfAuto, ""},
        {"Text", [](Tabula& g, int s) { g.SetText(std::to_string(s)); }, Redraw::IfAuto, ""},
        {"CellBackColor", CellNumber(&Tabula::SetCellBackColor), Redraw::IfAuto, ""},
        {"CellForeColor", CellNumber(&Tabula::SetCellForeColor), Redraw::IfAuto, ""},
        {"CellFontName", [](Tabula& g, int) { g.SetCellFontName(1, 1, "Arial"); }, Redraw::IfAuto,
         ""},
        {"CellFontSize", [](Tabula& g, int s) { g.SetCellFontSize(1, 1, int16_t(10 + s)); },
         Redraw::IfAuto, ""},
        {"CellFontBold", CellFlag(&Tabula::SetCellFontBold), Redraw::IfAuto, ""},
        {"CellFontItalic", CellFlag(&Tabula::SetCellFontItalic), Redraw::IfAuto, ""},
        {"CellFontUnderline", CellFlag(&Tabula::SetCellFontUnderline), Redraw::IfAuto, ""},
        {"CellFontStrikeThru", CellFlag(&Tabula::SetCellFontStrikeThru), Redraw::IfAuto, ""},
        {"CellTag", [](Tabula& g, int) { g.SetCellTag(1, 1, "t"); }, Redraw::No, ""},
        {"CellReadOnly", CellFlag(&Tabula::SetCellReadOnly), Redraw::No, ""},
        {"ColWidth", [](Tabula& g, int s) { g.SetColWidth(1, 50 + s); }, Redraw::IfAuto, ""},
        {"ColAlign", [](Tabula& g, int s) { g.SetColAlign(1, s % 3); }, Redraw::IfAuto, ""},
        {"ColAllowEdit", [](Tabula& g, int s) { g.SetColAllowEdit(1, s % 2 == 0); }, Redraw::No,
         "ColAllowEdit"},
        {"ColMask", [](Tabula& g, int s) { g.SetColMask(1, s % 12); }, Redraw::Always, ""},
        {"ColEditWidth", [](Tabula& g, int s) { g.SetColEditWidth(1, int16_t(s)); }, Redraw::Always,
         ""},
        {"RowHeight", [](Tabula& g, int s) { g.SetRowHeight(1, 20 + s); }, Redraw::IfAuto, ""},
        {"RowBookmark", [](Tabula& g, int s) { g.SetRowBookmark(1, Variant(int32_t(s))); },
         Redraw::No, ""},
        {"BackColor", Colour(&Tabula::SetBackColor), Redraw::Always, "BackColor"},
        {"ForeColor", Colour(&Tabula::SetForeColor), Redraw::No, "ForeColor"},
        {"BackColorAlt", Colour(&Tabula::SetBackColorAlt), Redraw::Always, "BackColorAlt"},
        {"UseBackColorAlt", Flag(&Tabula::SetUseBackColorAlt), Redraw::Always, "UseBackColorAlt"},
        {"BackColorFixed", Colour(&Tabula::SetBackColorFixed), Redraw::Always, "BackColorFixed"},
        {"ForeColorFixed", Colour(&Tabula::SetForeColorFixed), Redraw::Always, "ForeColorFixed"},
        {"BackColorBkg", Colour(&Tabula::SetBackColorBkg), Redraw::Always, "BackColorBkg"},
        {"GridLineColor", Colour(&Tabula::SetGridLineColor), Redraw::Always, "GridLineColor"},
        {"ShowGrid", Flag(&Tabula::SetShowGrid), Redraw::Always, ""},
        {"GridSolid", Flag(&Tabula::SetGridSolid), Redraw::Always, ""},
        // Each write changes the value: these members act only on a change.
        {"FixedStyle", [](Tabula& g, int) { g.SetFixedStyle(g.FixedStyle() == 0 ? 1 : 0); },
         Redraw::Always, "FixedStyle"},
        {"BorderStyle", [](Tabula& g, int) { g.SetBorderStyle(g.BorderStyle() == 0 ? 1 : 0); },
         Redraw::No, "BorderStyle"},
        {"Font", [](Tabula& g, int) { g.SetFont(std::make_shared<FontObject>()); }, Redraw::Always,
         "Font"},
        {"FontFixed", [](Tabula& g, int) { g.SetFontFixed(std::make_shared<FontObject>()); },
         Redraw::Always, "FontFixed"},
        {"FontEdit", [](Tabula& g, int) { g.SetFontEdit(std::make_shared<FontObject>()); },
         Redraw::Always, "FontEdit"},
        {"WordWrap", Flag(&Tabula::SetWordWrap), Redraw::Always, "WordWrap"},
        {"MousePointer", [](Tabula& g, int s) { g.SetMousePointer(s); }, Redraw::No,
         "MousePointer"},
        {"MouseIcon", [](Tabula& g, int) { g.SetMouseIcon(nullptr); }, Redraw::No, "MouseIcon"},
        {"AutoMove", Flag(&Tabula::SetAutoMove), Redraw::No, ""},
        {"AutoNewRow", Flag(&Tabula::SetAutoNewRow), Redraw::No, "AutoNewRow"},
        {"AllowSelection", Flag(&Tabula::SetAllowSelection), Redraw::No, "AllowSelection"},
        {"AllowUserResizing", Flag(&Tabula::SetAllowUserResizing), Redraw::No, "AllowUserResizing"},
        {"SelectionMode", [](Tabula& g, int s) { g.SetSelectionMode(s % 4); }, Redraw::No,
         "SelectionMode"},
        {"SelectText", Flag(&Tabula::SetSelectText), Redraw::No, "SelectText"},
        {"UseTABKey", Flag(&Tabula::SetUseTABKey), Redraw::No, "InterceptTabs"},
        {"LookupAllowEdit", Flag(&Tabula::SetLookupAllowEdit), Redraw::No, "LookupAllowEdit"},
        {"UseItemData", Flag(&Tabula::SetUseItemData), Redraw::No, "UseItemData"},
        {"ListBoxRows", [](Tabula& g, int s) { g.SetListBoxRows(int16_t(s)); }, Redraw::No,
         "ListBoxRows"},
        {"Enabled", Flag(&Tabula::SetEnabled), Redraw::No, "Enabled"},
        {"Row1", [](Tabula& g, int) { g.SetRow1(1); }, Redraw::No, ""},
        {"Col1", [](Tabula& g, int) { g.SetCol1(1); }, Redraw::No, ""},
        {"Row2", [](Tabula& g, int) { g.SetRow2(1); }, Redraw::No, ""},
        {"Col2", [](Tabula& g, int) { g.SetCol2(1); }, Redraw::No, ""},
    };
}

TEST_F(GridTest, EveryWriteRedrawsAndAnnouncesByItsRule) {
    int step = 0;
    for (const WriteRule& rule : Rules()) {
        for (bool autoRedraw : {true, false}) {
            grid_.State().AutoRedraw = autoRedraw;
            Announced();
            const int64_t before = grid_.RedrawCount();
            rule.write(grid_, ++step);
            const int64_t expected =
                rule.redraw == Redraw::Always || (rule.redraw == Redraw::IfAuto && autoRedraw);
            EXPECT_EQ(grid_.RedrawCount() - before, expected)
                << rule.member << (autoRedraw ? " with" : " without") << " AutoRedraw";
            const std::vector<std::string> names = Announced();
            if (*rule.announce) {
                EXPECT_EQ(names, std::vector<std::string>{rule.announce}) << rule.member;
            } else {
                EXPECT_TRUE(names.empty()) << rule.member;
            }
        }
    }
}

TEST_F(GridTest, AutoRedrawRedrawsWhateverItsNewValueAndAnnouncesNothing) {
    for (bool on : {false, false, true, true}) {
        const int64_t before = grid_.RedrawCount();
        grid_.SetAutoRedraw(on);
        EXPECT_EQ(grid_.RedrawCount(), before + 1);
        EXPECT_EQ(grid_.AutoRedraw(), on);
    }
    EXPECT_TRUE(Announced().empty());
}

TEST_F(GridTest, ChangeOnlyMembersDoNothingForTheValueTheyHold) {
    grid_.SetFixedStyle(grid_.FixedStyle());
    grid_.SetBorderStyle(grid_.BorderStyle());
    const int64_t before = grid_.RedrawCount();
    grid_.SetFixedStyle(1);
    grid_.SetBorderStyle(1);
    EXPECT_EQ(grid_.RedrawCount(), before);
    EXPECT_TRUE(Announced().empty());
}

}  // namespace
}  // namespace tabula
