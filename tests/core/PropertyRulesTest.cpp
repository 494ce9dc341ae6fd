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
    std::function<void(Tabula&, int step)> write;  // `step` varies the value written
    Redraw redraw;
    const char* announce;  // "" for none
};

std::vector<WriteRule> Rules() {
    const auto flip = [](int step) { return step % 2 == 0; };
    const auto colour = [](int step) { return OLE_COLOR(0x102030 + step); };
    return {
        {"Rows", [](Tabula& g, int s) { g.SetRows(3 + s); }, Redraw::IfAuto, ""},
        {"Cols", [](Tabula& g, int s) { g.SetCols(4 + s); }, Redraw::IfAuto, ""},
        {"ColHeader", [=](Tabula& g, int s) { g.SetColHeader(flip(s)); }, Redraw::IfAuto,
         "ColHeader"},
        {"RowHeader", [=](Tabula& g, int s) { g.SetRowHeader(flip(s)); }, Redraw::IfAuto,
         "RowHeader"},
        {"TextMatrix", [](Tabula& g, int s) { g.SetTextMatrix(1, 2, std::to_string(s)); },
         Redraw::IfAuto, ""},
        {"Text", [](Tabula& g, int s) { g.SetText(std::to_string(s)); }, Redraw::IfAuto, ""},
        {"CellBackColor", [](Tabula& g, int s) { g.SetCellBackColor(1, 1, s); }, Redraw::IfAuto,
         ""},
        {"CellForeColor", [](Tabula& g, int s) { g.SetCellForeColor(1, 1, s); }, Redraw::IfAuto,
         ""},
        {"CellFontName", [](Tabula& g, int) { g.SetCellFontName(1, 1, "Arial"); }, Redraw::IfAuto,
         ""},
        {"CellFontSize", [](Tabula& g, int s) { g.SetCellFontSize(1, 1, int16_t(10 + s)); },
         Redraw::IfAuto, ""},
        {"CellFontBold", [=](Tabula& g, int s) { g.SetCellFontBold(1, 1, flip(s)); },
         Redraw::IfAuto, ""},
        {"CellFontItalic", [=](Tabula& g, int s) { g.SetCellFontItalic(1, 1, flip(s)); },
         Redraw::IfAuto, ""},
        {"CellFontUnderline", [=](Tabula& g, int s) { g.SetCellFontUnderline(1, 1, flip(s)); },
         Redraw::IfAuto, ""},
        {"CellFontStrikeThru", [=](Tabula& g, int s) { g.SetCellFontStrikeThru(1, 1, flip(s)); },
         Redraw::IfAuto, ""},
        {"CellTag", [](Tabula& g, int) { g.SetCellTag(1, 1, "t"); }, Redraw::No, ""},
        {"CellReadOnly", [=](Tabula& g, int s) { g.SetCellReadOnly(1, 1, flip(s)); }, Redraw::No,
         ""},
        {"ColWidth", [](Tabula& g, int s) { g.SetColWidth(1, 50 + s); }, Redraw::IfAuto, ""},
        {"ColAlign", [](Tabula& g, int s) { g.SetColAlign(1, s % 3); }, Redraw::IfAuto, ""},
        {"ColAllowEdit", [=](Tabula& g, int s) { g.SetColAllowEdit(1, flip(s)); }, Redraw::No,
         "ColAllowEdit"},
        {"ColMask", [](Tabula& g, int s) { g.SetColMask(1, s % 12); }, Redraw::Always, ""},
        {"ColEditWidth", [](Tabula& g, int s) { g.SetColEditWidth(1, int16_t(s)); }, Redraw::Always,
         ""},
        {"RowHeight", [](Tabula& g, int s) { g.SetRowHeight(1, 20 + s); }, Redraw::IfAuto, ""},
        {"RowBookmark", [](Tabula& g, int s) { g.SetRowBookmark(1, Variant(int32_t(s))); },
         Redraw::No, ""},
        {"BackColor", [=](Tabula& g, int s) { g.SetBackColor(colour(s)); }, Redraw::Always,
         "BackColor"},
        {"ForeColor", [=](Tabula& g, int s) { g.SetForeColor(colour(s)); }, Redraw::No,
         "ForeColor"},
        {"BackColorAlt", [=](Tabula& g, int s) { g.SetBackColorAlt(colour(s)); }, Redraw::Always,
         "BackColorAlt"},
        {"UseBackColorAlt", [=](Tabula& g, int s) { g.SetUseBackColorAlt(flip(s)); },
         Redraw::Always, "UseBackColorAlt"},
        {"BackColorFixed", [=](Tabula& g, int s) { g.SetBackColorFixed(colour(s)); },
         Redraw::Always, "BackColorFixed"},
        {"ForeColorFixed", [=](Tabula& g, int s) { g.SetForeColorFixed(colour(s)); },
         Redraw::Always, "ForeColorFixed"},
        {"BackColorBkg", [=](Tabula& g, int s) { g.SetBackColorBkg(colour(s)); }, Redraw::Always,
         "BackColorBkg"},
        {"GridLineColor", [=](Tabula& g, int s) { g.SetGridLineColor(colour(s)); }, Redraw::Always,
         "GridLineColor"},
        {"ShowGrid", [=](Tabula& g, int s) { g.SetShowGrid(flip(s)); }, Redraw::Always, ""},
        {"GridSolid", [=](Tabula& g, int s) { g.SetGridSolid(flip(s)); }, Redraw::Always, ""},
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
        {"WordWrap", [=](Tabula& g, int s) { g.SetWordWrap(flip(s)); }, Redraw::Always, "WordWrap"},
        {"MousePointer", [](Tabula& g, int s) { g.SetMousePointer(s); }, Redraw::No,
         "MousePointer"},
        {"MouseIcon", [](Tabula& g, int) { g.SetMouseIcon(nullptr); }, Redraw::No, "MouseIcon"},
        {"AutoMove", [=](Tabula& g, int s) { g.SetAutoMove(flip(s)); }, Redraw::No, ""},
        {"AutoNewRow", [=](Tabula& g, int s) { g.SetAutoNewRow(flip(s)); }, Redraw::No,
         "AutoNewRow"},
        {"AllowSelection", [=](Tabula& g, int s) { g.SetAllowSelection(flip(s)); }, Redraw::No,
         "AllowSelection"},
        {"AllowUserResizing", [=](Tabula& g, int s) { g.SetAllowUserResizing(flip(s)); },
         Redraw::No, "AllowUserResizing"},
        {"SelectionMode", [](Tabula& g, int s) { g.SetSelectionMode(s % 4); }, Redraw::No,
         "SelectionMode"},
        {"SelectText", [=](Tabula& g, int s) { g.SetSelectText(flip(s)); }, Redraw::No,
         "SelectText"},
        {"UseTABKey", [=](Tabula& g, int s) { g.SetUseTABKey(flip(s)); }, Redraw::No,
         "InterceptTabs"},
        {"LookupAllowEdit", [=](Tabula& g, int s) { g.SetLookupAllowEdit(flip(s)); }, Redraw::No,
         "LookupAllowEdit"},
        {"UseItemData", [=](Tabula& g, int s) { g.SetUseItemData(flip(s)); }, Redraw::No,
         "UseItemData"},
        {"ListBoxRows", [](Tabula& g, int s) { g.SetListBoxRows(int16_t(s)); }, Redraw::No,
         "ListBoxRows"},
        {"Enabled", [=](Tabula& g, int s) { g.SetEnabled(flip(s)); }, Redraw::No, "Enabled"},
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
