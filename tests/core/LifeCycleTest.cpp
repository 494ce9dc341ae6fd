#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "platform/window/Windows.h"
#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using test::RaisedError;

class CreationTest : public testing::Test {
protected:
    HeadlessHost host_;
    Form form_{Rect{0, 0, 600, 500}, "Form1"};
};

TEST_F(CreationTest, ACreatedGridHasNoDimensionsYetAndItsConstituentsAsChildren) {
    Tabula grid(form_.hWnd(), Rect{0, 0, 200, 100});
    const GridState& s = grid.State();
    EXPECT_EQ(s.Rows, 0);
    EXPECT_EQ(s.Cols, 0);
    EXPECT_TRUE(s.Cells.FontBold(0, 0));
    for (int32_t field : {s.Row, s.Col, s.Row1, s.Col1, s.Row2, s.Col2, s.TopRow, s.LeftCol})
        EXPECT_EQ(field, 1);
    EXPECT_FALSE(s.AutoRedraw);
    EXPECT_EQ(s.Font, nullptr);
    EXPECT_FALSE(grid.IsTabContainer());
    EXPECT_EQ(grid.RedrawCount(), 0);

    const Control* children[] = {&grid.picGrid,   &grid.scrVertical, &grid.scrHorizontal,
                                 &grid.txtSingle, &grid.txtMulti,    &grid.cmdButton,
                                 &grid.cmdLookup, &grid.picSizer};
    for (const Control* child : children) {
        EXPECT_EQ(GetParent(child->hWnd()), grid.hWnd());
        EXPECT_EQ(child->Visible(), child == &grid.picGrid);
    }
    EXPECT_FALSE(grid.txtSingle.MultiLine());
    EXPECT_TRUE(grid.txtMulti.MultiLine());
    EXPECT_TRUE(grid.scrVertical.Vertical());
    EXPECT_FALSE(grid.scrHorizontal.Vertical());
}

TEST_F(CreationTest, DestructionTakesEveryWindowAndTheSiteAway) {
    ControlContainer container(form_);
    auto grid = std::make_unique<Tabula>(form_.hWnd(), Rect{0, 0, 200, 100});
    container.Add(*grid, "Tabula.Grid");
    grid->InitProperties();
    const HWND windows[] = {grid->hWnd(), grid->picGrid.hWnd(), grid->txtMulti.hWnd()};
    grid.reset();
    for (HWND window : windows)
        EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(container.Sites().empty());
}

TEST_F(CreationTest, WithoutAContainerANewInstanceUsesTheDefaultFontAndWritesStillStore) {
    Tabula grid(form_.hWnd(), Rect{0, 0, 200, 100});
    grid.InitNew();
    EXPECT_EQ(grid.State().Font->Descriptor(), FontDescriptor{});
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Cols(), 5);
    // With no site to tell, the writes that announce still store.
    grid.SetUseTABKey(false);
    grid.SetBackColorAlt(0x00FF00);
    EXPECT_FALSE(grid.UseTABKey());
    EXPECT_EQ(grid.BackColorAlt(), 0x00FF00u);
}

TEST_F(GridTest, ANewInstanceHasTheDefaultsAndCellsOfANewlyPlacedControl) {
    const GridState& s = grid_.State();
    const struct {
        const char* name;
        int64_t value;
        int64_t expected;
    } defaults[] = {
        {"ColHeader", s.ColHeader, true},
        {"RowHeader", s.RowHeader, true},
        {"ShowGrid", s.ShowGrid, true},
        {"GridSolid", s.GridSolid, true},
        {"AllowUserResizing", s.AllowUserResizing, true},
        {"AutoNewRow", s.AutoNewRow, false},
        {"LookupAllowEdit", s.LookupAllowEdit, false},
        {"UseItemData", s.UseItemData, false},
        {"AutoRedraw", s.AutoRedraw, true},
        {"AutoMove", s.AutoMove, false},
        {"SelectText", s.SelectText, false},
        {"WordWrap", s.WordWrap, false},
        {"UseBackColorAlt", s.UseBackColorAlt, false},
        {"AllowSelection", s.AllowSelection, true},
        {"UseTABKey", s.UseTABKey, true},
        {"Enabled", grid_.Enabled(), true},
        {"ListBoxRows", s.ListBoxRows, 6},
        {"BorderStyle", s.BorderStyle, 1},
        {"FixedStyle", s.FixedStyle, 1},
        {"SelectionMode", s.SelectionMode, 0},
        {"BackColor", SharedGridColors::ForThisThread().backColor, 0xFFFFFF},
        {"ForeColor", SharedGridColors::ForThisThread().foreColor, 0x80000012},
        {"BackColorAlt", s.BackColorAlt, 0xFFFFFF},
        {"BackColorFixed", s.BackColorFixed, 0xC0C0C0},
        {"ForeColorFixed", s.ForeColorFixed, 0x80000012},
        {"BackColorBkg", s.BackColorBkg, 0x808080},
        {"GridLineColor", s.GridLineColor, 0xC0C0C0},
    };
    for (const auto& d : defaults)
        EXPECT_EQ(d.value, d.expected) << d.name;
    EXPECT_EQ(s.FormatString, "");
    EXPECT_EQ(s.Editor, &grid_.txtSingle);
    // At the top left, the block on the current cell.
    EXPECT_EQ(Current(), (Cell{1, 1}));
    EXPECT_EQ(Selected(), (Block{1, 1, 1, 1}));
    EXPECT_EQ((Cell{s.TopRow, s.LeftCol}), (Cell{1, 1}));
    // Two rows of six cells (one data row, five data columns) with header and data styles.
    EXPECT_EQ(s.ColWidth, (std::vector<int16_t>{32, 64, 64, 64, 64, 64}));
    EXPECT_EQ(s.RowHeight, (std::vector<int16_t>{15, 15}));
    for (int32_t c = 0; c <= 5; ++c) {
        EXPECT_EQ(s.Cells.Style(0, c), 1);
        EXPECT_EQ(s.Cells.TextAlignVertical(0, c), 1);
        EXPECT_TRUE(s.Cells.FontBold(0, c));
    }
    EXPECT_EQ(s.Cells.Style(1, 0), 1);
    for (int32_t c = 1; c <= 5; ++c) {
        EXPECT_EQ(s.Cells.Style(1, c), 2);
        EXPECT_FALSE(s.Cells.FontBold(1, c));
    }
    // The scroll bars' ranges follow the dimensions.
    EXPECT_EQ(grid_.scrVertical.Max(), 1);
    EXPECT_EQ(grid_.scrHorizontal.Max(), 5);
}

TEST_F(GridTest, InitialisingAgainPutsTheCellBackWithPlainStoresAndNoEvent) {
    grid_.SetRows(9);
    grid_.SetCols(9);
    grid_.SetRow(8);
    grid_.SetCol(0);
    grid_.SetRow2(9);
    grid_.SetAutoRedraw(false);
    Record();
    const int64_t redraws = grid_.RedrawCount();
    grid_.InitNew();
    // AutoRedraw is set before the Cols and Rows writes, so both redraw.
    EXPECT_EQ(grid_.RedrawCount(), redraws + 2);
    EXPECT_EQ((std::array{grid_.Rows(), grid_.Cols(), grid_.Row(), grid_.Col(), grid_.Row2()}),
              (std::array{1, 5, 1, 1, 1}));
    const test::Log seen = Record().Take();
    EXPECT_EQ(std::count_if(seen.begin(), seen.end(),
                            [](const std::string& e) { return e.starts_with("RowColChange"); }),
              0);
}

TEST_F(GridTest, InitialisationTakesTheAmbientFontRedrawsTwiceAndAnnouncesNothing) {
    AmbientSettings ambient = container_.Ambient();
    ambient.font = FontDescriptor{"Courier New", 10};
    container_.SetAmbient(ambient);
    // The fixture cleared the announcements after InitProperties; a fresh grid shows them.
    Tabula other(form_.hWnd(), Rect{0, 0, 100, 100});
    Site& site = container_.Add(other, "Tabula.Grid");
    other.InitProperties();
    // Once for Cols and once for Rows.
    EXPECT_EQ(other.RedrawCount(), 2);
    EXPECT_TRUE(site.ChangedProperties().empty());
    // Three separate font objects.
    const GridState& s = other.State();
    EXPECT_EQ(s.Font->Descriptor(), ambient.font);
    EXPECT_EQ(s.FontEdit->Descriptor(), ambient.font);
    FontDescriptor bold = ambient.font;
    bold.bold = true;
    EXPECT_EQ(s.FontFixed->Descriptor(), bold);
    EXPECT_NE(s.Font, s.FontEdit);
}

TEST_F(GridTest, AResizePlacesTheSurfaceAndBarsInsideTheBorderAndRedraws) {
    const int64_t before = grid_.RedrawCount();
    grid_.Move(10, 10, 300, 200);
    EXPECT_TRUE(grid_.HorizontalScrollbar());
    EXPECT_FALSE(grid_.VerticalScrollbar());
    EXPECT_EQ(grid_.RedrawCount(), before + 1);
    const struct {
        const Control* control;
        int32_t left, top, width, height;
    } places[] = {
        {&grid_.picGrid, 2, 2, 295, 195},
        {&grid_.scrVertical, 279, 2, 18, 177},
        // Only the horizontal bar is needed (5 columns, 1 row): the refresh stretches it
        // over the surface's width.
        {&grid_.scrHorizontal, 2, 179, 295, 18},
    };
    for (const auto& p : places) {
        const Control& c = *p.control;
        EXPECT_EQ((std::array{c.Left(), c.Top(), c.Width(), c.Height()}),
                  (std::array{p.left, p.top, p.width, p.height}));
    }
    // A control too small for its border leaves the surface empty rather than negative.
    grid_.Move(0, 0, 3, 3);
    EXPECT_EQ(grid_.picGrid.Width(), 0);
    EXPECT_EQ(grid_.scrHorizontal.Width(), 0);
}

}  // namespace
}  // namespace tabula
