// Filling and emptying the grid row by row: AddItem, RemoveItem, Clear, Reset, AutoSetup,
// FindCellTag and RowEmpty, with the add and delete events and their vetoes, and the
// picture after each operation.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using test::Log;
using test::RaisedError;
using Rows = std::vector<std::string>;

class RowOperationsTest : public GridTest {
protected:
    RowOperationsTest() { Record(); }

    // The texts of a row's data columns, joined by "|".
    std::string RowText(int32_t row) const {
        std::string line;
        for (int32_t c = 1; c <= grid_.Cols(); ++c) {
            if (c > 1) line += '|';
            line += grid_.TextMatrix(row, c);
        }
        return line;
    }
    // Every data row's texts, one entry a row.
    Rows Table() const {
        Rows rows;
        for (int32_t r = 1; r <= grid_.Rows(); ++r)
            rows.push_back(RowText(r));
        return rows;
    }
    // Rows named "r1|r1b|..." after their number, texts in the first two columns.
    void Fill(int32_t rows) {
        grid_.SetRows(rows);
        for (int32_t r = 1; r <= rows; ++r) {
            // Built by appending: GCC 12 warns falsely on "r" + std::to_string(r).
            std::string name = "r";
            name += std::to_string(r);
            grid_.SetTextMatrix(r, 1, name);
            grid_.SetTextMatrix(r, 2, name + 'b');
        }
    }
    // The scroll position the bars show is the one the grid draws.
    void ExpectBarsAtTheView(const char* what) {
        const GridState& s = grid_.State();
        EXPECT_EQ(s.TopRow, grid_.scrVertical.Value()) << what;
        EXPECT_LE(s.TopRow, std::max(s.Rows, 1)) << what;
        EXPECT_EQ(s.LeftCol, grid_.scrHorizontal.Value()) << what;
    }
    // Whether an add or delete event was raised since the last Take.
    bool AnyRowEvent() {
        const Log seen = Record().Take();
        return std::any_of(seen.begin(), seen.end(), [](const std::string& e) {
            return e.find("AddRow") != e.npos || e.find("DeleteRow") != e.npos;
        });
    }
    // The events of a delete that went through.
    static Log Deleted(int32_t row) {
        return {"BeforeDeleteRow " + std::to_string(row), "AfterDeleteRow " + std::to_string(row)};
    }
};

// --- AddItem ----------------------------------------------------------------------------

TEST_F(RowOperationsTest, AddItemAppendsARowFromTabSeparatedFieldsAndMakesItCurrent) {
    // Columns 2 and 3 are check marks, so a new row starts as "", "0", "0".
    grid_.SetCols(3);
    grid_.SetColMask(2, checkmark);
    grid_.SetColMask(3, checkmark);
    grid_.SetCol(2);
    Record().Take();
    const struct {
        const char* data;
        const char* row;
        int32_t error;
    } cases[] = {
        {"", "|0|0", 0},
        {"x", "x|0|0", 0},
        {"x\t", "x|0|0", 0},        // a trailing tab leaves the next column alone
        {"x\t\t", "x||0", 0},       // an empty field between tabs overwrites the "0"
        {"\t\ty", "||y", 0},        // leading empty fields
        {"x\ty\tz\t", "x|y|z", 0},  // as many fields as columns, then a tab: nothing more
        {"\xC3\xA9t\xC3\xA9\t\xE2\x82\xAC", "\xC3\xA9t\xC3\xA9|\xE2\x82\xAC|0", 0},
        // More fields than columns fail with the row added and the first fields stored,
        // an empty fourth field as well; the call ends there: no move, no AfterAddRow.
        {"a\tb\tc\td", "a|b|c", 9},
        {"a\tb\tc\t\t", "a|b|c", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        const int32_t row = grid_.Row();
        EXPECT_EQ(RaisedError([&] { grid_.AddItem(c.data); }), c.error);
        const int32_t added = grid_.Rows();
        EXPECT_EQ(RowText(added), c.row);
        EXPECT_EQ(grid_.TextMatrix(added, 0), "");  // the header column is never filled
        // The column stays; the new row becomes current without a move to announce.
        EXPECT_EQ(Current(), (Cell{c.error ? row : added, 2}));
        EXPECT_EQ(Record().Take(),
                  c.error ? Log{"BeforeAddRow"}
                          : (Log{"BeforeAddRow", "AfterAddRow " + std::to_string(added)}));
    }
    // One redraw an add, none without AutoRedraw.
    int64_t redraws = grid_.RedrawCount();
    grid_.AddItem("alpha\tbeta");
    EXPECT_EQ(grid_.RedrawCount(), redraws + 1);
    EXPECT_EQ(grid_.scrVertical.Max(), grid_.Rows());
    ExpectPictureOfAFullRepaint();
    grid_.SetAutoRedraw(false);
    redraws = grid_.RedrawCount();
    grid_.AddItem("quiet");
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    EXPECT_EQ(grid_.Row(), grid_.Rows());
    // Without data columns even the first field has nowhere to go; no field is fine.
    grid_.SetCols(0);
    EXPECT_EQ(RaisedError([&] { grid_.AddItem("a"); }), 9);
    EXPECT_EQ(RaisedError([&] { grid_.AddItem(""); }), 0);
    ExpectBarsAtTheView("without columns");
}

TEST_F(RowOperationsTest, TextsAndRowsBeyond32767Overflow) {
    grid_.SetAutoRedraw(false);
    grid_.SetCols(1);
    // Characters count, not bytes: 20000 two-byte letters are well inside the limit.
    std::string accents;
    for (int i = 0; i < 20000; ++i)
        accents += "\xC3\xA9";
    grid_.AddItem(accents);
    EXPECT_EQ(grid_.TextMatrix(grid_.Rows(), 1), accents);
    grid_.AddItem(std::string(32767, 'a'));
    EXPECT_EQ(grid_.TextMatrix(grid_.Rows(), 1).size(), 32767u);
    // The text overflows after the row is added.
    const int32_t rows = grid_.Rows();
    EXPECT_EQ(RaisedError([&] { grid_.AddItem(std::string(32768, 'a')); }), 6);
    EXPECT_EQ(grid_.Rows(), rows + 1);
    EXPECT_EQ(grid_.TextMatrix(rows + 1, 1), "");
    // A row past 32767 overflows before it is added.
    grid_.SetRows(32767);
    Record().Take();
    EXPECT_EQ(RaisedError([&] { grid_.AddItem("x"); }), 6);
    EXPECT_EQ((std::array{grid_.Rows(), int32_t(grid_.scrVertical.Max())}),
              (std::array{32767, 32767}));
    EXPECT_EQ(Record().Take(), Log{"BeforeAddRow"});
}

TEST_F(RowOperationsTest, AfterRowInsertsABlankEditableRowThatKeepsTheTagAboveAndTakesTheColours) {
    grid_.SetCols(3);
    Fill(3);
    grid_.SetColAllowEdit(2, false);
    grid_.SetColMask(3, checkmark);
    grid_.SetCellTag(1, 1, "first");
    grid_.SetCellTag(2, 1, "second");
    grid_.SetCellBackColor(1, 2, 0x123456);
    grid_.SetRowHeight(2, 30);
    grid_.SetRowBookmark(2, Variant("mark"));
    Record().Take();

    grid_.AddItem("x\ty", std::nullopt, std::nullopt, 0);
    EXPECT_EQ(Table(), (Rows{"x|y|", "r1|r1b|0", "r2|r2b|0", "r3|r3b|0"}));
    EXPECT_EQ(grid_.Row(), 4);  // the last row, not the inserted one
    EXPECT_EQ(Record().Take(), (Log{"BeforeAddRow", "AfterAddRow 1"}));
    // The inserted row is blank in the check-mark column and editable in column 2.
    EXPECT_FALSE(grid_.CellReadOnly(1, 2));
    EXPECT_TRUE(grid_.CellReadOnly(2, 2));
    EXPECT_EQ(grid_.CellBackColor(1, 2), -1);
    EXPECT_EQ(grid_.CellBackColor(2, 2), 0x123456);  // moved down with its row
    // After row 0 the blank row keeps the tag of the row that was first.
    EXPECT_EQ((std::array{grid_.CellTag(1, 1), grid_.CellTag(2, 1), grid_.CellTag(3, 1)}),
              (std::array<std::string, 3>{"first", "first", "second"}));
    // Heights and bookmarks stay with their index.
    EXPECT_EQ((std::array{grid_.RowHeight(2), grid_.RowHeight(4)}), (std::array{30, 15}));
    EXPECT_EQ(grid_.RowBookmark(2).ToText(), "mark");

    // Colours given go to the data columns of the filled row only.
    grid_.AddItem("z", 0x0000FF, 0x00FF00, 2);
    EXPECT_EQ(RowText(3), "z||");
    EXPECT_EQ(grid_.CellTag(3, 1), "first");  // the tag of row 2, the row it follows
    EXPECT_EQ(RowText(4), "r2|r2b|0");
    EXPECT_EQ(Record().Take().back(), "AfterAddRow 3");
    for (int32_t c = 0; c <= 3; ++c) {
        EXPECT_EQ(grid_.CellBackColor(3, c), c ? 0x0000FF : -1) << c;
        EXPECT_EQ(grid_.CellForeColor(3, c), c ? 0x00FF00 : -1) << c;
        EXPECT_EQ(grid_.CellBackColor(4, c), -1) << c;
    }
    ExpectPictureOfAFullRepaint();
    // Only the colour given is set.
    grid_.AddItem("d", std::nullopt, 0x00FF00);
    EXPECT_EQ(grid_.CellBackColor(6, 1), -1);
    EXPECT_EQ(grid_.CellForeColor(6, 1), 0x00FF00);
}

TEST_F(RowOperationsTest, AfterRowOutsideTheOldRowsAppends) {
    // 4 is the new last row, which has no row after it; 3 the old last row, the same
    // place reached by insertion.
    for (int32_t afterRow : {7, -1, INT32_MIN, 4, 3}) {
        Fill(3);
        Record().Take();
        grid_.AddItem("new", std::nullopt, std::nullopt, afterRow);
        EXPECT_EQ(Table(), (Rows{"r1|r1b|||", "r2|r2b|||", "r3|r3b|||", "new||||"})) << afterRow;
        EXPECT_EQ(Record().Take(), (Log{"BeforeAddRow", "AfterAddRow 4"})) << afterRow;
        grid_.SetRows(0);
    }
}

TEST_F(RowOperationsTest, ACancelledAddChangesNothingAndRaisesNothingMore) {
    Fill(2);
    grid_.cmdButton.SetVisible(true);
    Record().cancel = true;
    Record().Take();
    const int64_t redraws = grid_.RedrawCount();
    const PixelImage before = grid_.picGrid.Picture();

    grid_.AddItem("x\ty", 0xFF, 0xFF, 0);
    EXPECT_EQ(Table(), (Rows{"r1|r1b|||", "r2|r2b|||"}));
    EXPECT_EQ(grid_.CellBackColor(1, 1), -1);
    EXPECT_EQ(Record().Take(), Log{"BeforeAddRow"});
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    EXPECT_EQ(grid_.picGrid.Picture(), before);
    EXPECT_TRUE(grid_.cmdButton.Visible());

    Record().cancel = false;
    grid_.AddItem("x");
    EXPECT_FALSE(grid_.cmdButton.Visible());  // an add hides the in-cell buttons
}

TEST_F(RowOperationsTest, AddingRowsOneByOneKeepsTheLastRowInView) {
    form_.Show();
    // Rows of 15 pixels on a surface under 300 high: the rows pass the bottom after ~17.
    for (int32_t i = 1; i <= 40; ++i) {
        grid_.AddItem("row " + std::to_string(i));
        const int32_t last = grid_.Rows();
        ASSERT_EQ(grid_.Row(), last);
        const int32_t top = grid_.CellTop(last, grid_.Col());
        ASSERT_NE(top, -1) << i;
        const int32_t bar = grid_.HorizontalScrollbar() ? grid_.scrHorizontal.Height() : 0;
        EXPECT_LE(top + grid_.RowHeight(last), grid_.picGrid.ScaleHeight() - bar) << i;
        ExpectBarsAtTheView("while adding");
    }
    EXPECT_TRUE(grid_.VerticalScrollbar());
    EXPECT_GT(grid_.TopRow(), 1);
    // Each step down was a scroll, never a move of the current cell to announce.
    const Log seen = Record().Take();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "Scroll"), grid_.TopRow() - 1);
    EXPECT_EQ(std::count_if(seen.begin(), seen.end(),
                            [](const std::string& e) { return e.starts_with("RowColChange"); }),
              0);
    ExpectPictureOfAFullRepaint();
}

// --- RemoveItem -------------------------------------------------------------------------

TEST_F(RowOperationsTest, RemoveItemMovesTheRowsBelowUpWithTheirAttributes) {
    const struct {
        int32_t row;
        Rows left;
    } cases[] = {
        {1, {"r2|r2b|||", "r3|r3b|||", "r4|r4b|||"}},
        {2, {"r1|r1b|||", "r3|r3b|||", "r4|r4b|||"}},
        {4, {"r1|r1b|||", "r2|r2b|||", "r3|r3b|||"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        Fill(4);
        grid_.SetCellTag(3, 1, "three");
        grid_.SetCellFontBold(3, 2, true);
        grid_.SetRowHeight(2, 30);
        grid_.SetRowBookmark(3, Variant("b3"));
        Record().Take();

        grid_.RemoveItem(c.row);
        EXPECT_EQ(Table(), c.left);
        EXPECT_EQ(Record().Take(), Deleted(c.row));
        const int32_t three = c.row < 3 ? 2 : 3;  // where old row 3 is now
        EXPECT_EQ(grid_.CellTag(three, 1), "three");
        EXPECT_TRUE(grid_.CellFontBold(three, 2));
        // Heights and bookmarks belong to the index.
        EXPECT_EQ(grid_.RowHeight(2), 30);
        EXPECT_EQ(grid_.RowBookmark(3).ToText(), "b3");
        EXPECT_EQ(grid_.State().RowHeight.size(), 4u);
        EXPECT_EQ(grid_.scrVertical.Max(), 3);
        ExpectPictureOfAFullRepaint();
        grid_.SetRows(0);
    }
}

TEST_F(RowOperationsTest, RemoveItemLowersTheCurrentRowAndTheBlock) {
    Fill(4);
    // A click makes row 4 current, as a person would.
    const float x = float(grid_.CellLeft(4, 1) + 5), y = float(grid_.CellTop(4, 1) + 5);
    grid_.MouseDown(1, 0, x, y);
    grid_.MouseUp(1, 0, x, y);
    ASSERT_EQ(grid_.Row(), 4);
    grid_.SetRow1(2);
    grid_.SetRow2(4);
    Record().Take();
    grid_.RemoveItem(1);
    EXPECT_EQ((std::array{grid_.Row(), grid_.Row1(), grid_.Row2()}), (std::array{3, 2, 3}));
    // The lowered row is no move of the current cell to announce.
    EXPECT_EQ(Record().Take(), Deleted(1));
    ExpectBarsAtTheView("after RemoveItem");
}

TEST_F(RowOperationsTest, RowsOutsideTheDataRowsACancelledDeleteOrAShrinkingHandlerRemoveNothing) {
    Fill(4);
    grid_.SetTextMatrix(0, 1, "Header");
    Record().Take();
    const int64_t redraws = grid_.RedrawCount();
    // Row 0 would pull row 1 into the header row; rows past the end would take the last
    // row with them.
    for (int32_t row : {0, -1, 5, 9, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(RaisedError([&] { grid_.RemoveItem(row); }), 9) << row;
        EXPECT_EQ(grid_.Rows(), 4) << row;
    }
    Record().cancel = true;
    grid_.RemoveItem(2);
    EXPECT_EQ(Record().Take(), Log{"BeforeDeleteRow 2"});
    EXPECT_EQ(Table(), (Rows{"r1|r1b|||", "r2|r2b|||", "r3|r3b|||", "r4|r4b|||"}));
    EXPECT_EQ(grid_.TextMatrix(0, 1), "Header");
    EXPECT_EQ(grid_.State().Cells.Style(0, 1), clsCellArray::kFixedCell);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    // A handler that shrinks the table under the row makes the removal fail.
    Record().cancel = false;
    Record().handlers["BeforeDeleteRow"] = [this] { grid_.SetRows(1); };
    EXPECT_EQ(RaisedError([&] { grid_.RemoveItem(3); }), 9);
    EXPECT_EQ(Table(), Rows{"r1|r1b|||"});

    // The last row removed leaves an empty table under the headers.
    Record().handlers.clear();
    Record().Take();
    grid_.RemoveItem(1);
    EXPECT_EQ((std::array{grid_.Rows(), grid_.Row()}), (std::array{0, 0}));
    EXPECT_EQ(grid_.TextMatrix(0, 1), "Header");
    EXPECT_EQ(Record().Take(), Deleted(1));
    ExpectPictureOfAFullRepaint();
    // With no data rows there is nothing to remove: no event, no error, no redraw.
    const int64_t empty = grid_.RedrawCount();
    for (int32_t row : {1, 0, -1, 5})
        EXPECT_EQ(RaisedError([&] { grid_.RemoveItem(row); }), 0) << row;
    EXPECT_TRUE(Record().Take().empty());
    EXPECT_EQ(grid_.RedrawCount(), empty);
}

TEST_F(RowOperationsTest, RemovingRowsAndClearingWhileScrolledKeepTheViewValid) {
    form_.Show();
    grid_.SetAutoRedraw(false);
    Fill(60);
    grid_.SetAutoRedraw(true);
    grid_.SetTopRow(60);
    ASSERT_EQ(grid_.TopRow(), 60);
    for (int32_t row = 60; row > 50; --row) {
        grid_.RemoveItem(row);
        ExpectBarsAtTheView("removing from the end");
    }
    EXPECT_EQ(grid_.TopRow(), 50);
    EXPECT_NE(grid_.CellTop(50, 1), -1);
    ExpectPictureOfAFullRepaint();
    // Clear shows its one row.
    grid_.Clear();
    EXPECT_EQ(grid_.TopRow(), 1);
    EXPECT_NE(grid_.CellTop(1, 1), -1);
    ExpectBarsAtTheView("after Clear");
}

// --- Clear and Reset --------------------------------------------------------------------

TEST_F(RowOperationsTest, ClearLeavesOneBlankRowUnderTheHeaders) {
    form_.Show();
    grid_.SetAutoRedraw(false);
    Fill(10);
    grid_.SetTextMatrix(0, 1, "Name");
    grid_.SetTextMatrix(3, 0, "row three");
    grid_.SetCellBackColor(1, 1, 0xFF);
    grid_.SetColWidth(2, 90);
    grid_.SetColMask(3, checkmark);
    grid_.SetRow(6);
    grid_.SetCol(2);
    grid_.SetRow1(4);
    grid_.SetCol2(3);
    grid_.cmdLookup.SetVisible(true);
    const int64_t redraws = grid_.RedrawCount();

    grid_.Clear();
    EXPECT_EQ(RowText(1), "||||");  // the check mark's "0" too
    EXPECT_EQ(grid_.TextMatrix(0, 1), "Name");
    // Attributes stay, only texts go; the block is the first cell.
    EXPECT_EQ((std::array{grid_.Rows(), grid_.CellBackColor(1, 1), grid_.ColWidth(2), grid_.Col(),
                          grid_.Row1(), grid_.Col2()}),
              (std::array{1, 0xFF, 90, 1, 1, 1}));
    EXPECT_FALSE(grid_.cmdLookup.Visible());
    // Redrawn even without AutoRedraw, and no row event.
    EXPECT_EQ(grid_.RedrawCount(), redraws + 1);
    EXPECT_FALSE(AnyRowEvent());
    ExpectBarsAtTheView("after Clear");
    ExpectPictureOfAFullRepaint();
    // A grid without columns keeps its current column at 0.
    grid_.SetCols(0);
    grid_.Clear();
    EXPECT_EQ(grid_.Col(), 0);
    ExpectBarsAtTheView("Clear without columns");
}

TEST_F(RowOperationsTest, ResetRebuildsTheTableWithDefaultsAndKeepsTheGridSettings) {
    form_.Show();
    grid_.SetAutoRedraw(false);
    grid_.SetCols(12);
    Fill(50);
    grid_.SetTextMatrix(0, 1, "Caption");
    grid_.SetCellTag(2, 2, "tag");
    grid_.SetColWidth(1, 120);
    grid_.SetColMask(2, checkmark);
    grid_.SetColAllowEdit(3, false);
    grid_.SetRowHeight(1, 40);
    grid_.SetRowBookmark(1, Variant("b"));
    grid_.SetColHeader(false);
    grid_.SetBackColorAlt(0x00FFFF);
    grid_.SetFormatString("A|B");
    grid_.SetAutoRedraw(true);
    grid_.SetTopRow(40);
    grid_.SetLeftCol(8);
    grid_.cmdButton.SetVisible(true);
    grid_.SetAutoRedraw(false);
    const int64_t redraws = grid_.RedrawCount();

    grid_.Reset();
    EXPECT_EQ((std::array{grid_.Rows(), grid_.Cols(), grid_.ColWidth(1), grid_.RowHeight(1)}),
              (std::array{1, 5, 64, 15}));
    EXPECT_EQ(grid_.ColMask(2), NoMask);
    EXPECT_TRUE(grid_.ColAllowEdit(3));
    EXPECT_TRUE(grid_.RowBookmark(1).IsEmpty());
    EXPECT_EQ(grid_.TextMatrix(0, 1), "");  // the old captions went with the store
    EXPECT_TRUE(grid_.CellFontBold(0, 1));
    // The grid's own settings stay.
    EXPECT_FALSE(grid_.ColHeader());
    EXPECT_EQ(grid_.BackColorAlt(), 0x00FFFFu);
    EXPECT_EQ(grid_.FormatString(), "A|B");
    EXPECT_FALSE(grid_.AutoRedraw());
    // Back at the top left with both bars, redrawn although AutoRedraw is off.
    EXPECT_EQ((std::array{grid_.TopRow(), grid_.LeftCol(), grid_.Row(),
                          int32_t(grid_.scrHorizontal.Max())}),
              (std::array{1, 1, 1, 5}));
    EXPECT_FALSE(grid_.cmdButton.Visible());
    EXPECT_EQ(grid_.RedrawCount(), redraws + 1);
    ExpectBarsAtTheView("after Reset");
    // The redraw that hid both bars left the square between them painted: the rest is
    // the picture of a full repaint.
    const PixelImage drawn = grid_.picGrid.Picture();
    grid_.Refresh();
    const PixelImage full = grid_.picGrid.Picture();
    const Rect changed = Difference(drawn, full);
    EXPECT_TRUE(changed.left == changed.right ||
                (changed.left >= full.Width() - 20 && changed.top >= full.Height() - 20))
        << changed.left << "," << changed.top;
}

// --- AutoSetup --------------------------------------------------------------------------

TEST_F(RowOperationsTest, AutoSetupDiscardsTheDataRowsAndKeepsTheHeaderRowAndColumns) {
    grid_.SetCols(3);
    Fill(6);
    grid_.SetTextMatrix(0, 2, "Amount");
    grid_.SetColWidth(2, 99);
    grid_.SetColAlign(2, RightAlign);
    grid_.SetCellBackColor(1, 1, 0xFF);
    grid_.SetCellTag(2, 1, "gone");
    grid_.SetRow(5);
    Announced();
    const int64_t redraws = grid_.RedrawCount();

    grid_.AutoSetup(3, 4, false, true, "");
    EXPECT_EQ(Table(), (Rows{"|||", "|||", "|||"}));
    EXPECT_EQ((std::array{grid_.Cols(), grid_.Row(), grid_.CellBackColor(1, 1), grid_.ColWidth(2),
                          grid_.ColAlign(2)}),
              (std::array{4, 3, -1, 99, int32_t(RightAlign)}));
    EXPECT_EQ(grid_.CellTag(2, 1), "");
    EXPECT_EQ(grid_.TextMatrix(0, 2), "Amount");
    EXPECT_EQ(Announced(), (Rows{"RowHeader", "ColHeader"}));
    // One redraw at the end, with AutoRedraw as it was.
    EXPECT_EQ(grid_.RedrawCount(), redraws + 1);
    EXPECT_TRUE(grid_.AutoRedraw());
    EXPECT_FALSE(AnyRowEvent());
    ExpectBarsAtTheView("after AutoSetup");
    ExpectPictureOfAFullRepaint();
    // A format string that fails still leaves the redraw setting as it was: an empty
    // field past the last column fails with the fields before it applied.
    const int64_t before = grid_.RedrawCount();
    EXPECT_EQ(RaisedError([&] { grid_.AutoSetup(2, 2, true, true, "a|b||c"); }), 9);
    EXPECT_TRUE(grid_.AutoRedraw());
    EXPECT_EQ(grid_.Rows(), 2);
    EXPECT_EQ(grid_.TextMatrix(0, 2), "b");
    EXPECT_EQ(grid_.RedrawCount(), before + 1);
    ExpectPictureOfAFullRepaint();
}

// --- FindCellTag and RowEmpty ------------------------------------------------------------

TEST_F(RowOperationsTest, FindCellTagFindsTheFirstTagByRowsThenColumnsWhateverTheCase) {
    grid_.SetRows(3);
    grid_.SetCellTag(2, 3, "Key");
    grid_.SetCellTag(3, 1, "key");
    grid_.SetCellTag(0, 4, "Header");
    grid_.SetCellTag(1, 0, "\xC3\xA9t\xC3\xA9");  // "été"
    const struct {
        const char* value;
        int32_t row, col;
    } cases[] = {
        {"KEY", 2, 3},       {"key", 2, 3},
        {"header", 0, 4},    {"\xC3\x89T\xC3\x89", 1, 0},  // "ÉTÉ"
        {"missing", -1, -1}, {"ke", -1, -1},
        {"", 0, 0},  // every other cell has an empty tag
    };
    for (const auto& c : cases) {
        int32_t row = 99, col = 99;
        grid_.FindCellTag(c.value, row, col);
        EXPECT_EQ((std::array{row, col}), (std::array{c.row, c.col})) << c.value;
    }
}

TEST_F(RowOperationsTest, RowEmptyIgnoresSpacesCheckMarksAndTheHeaderColumn) {
    grid_.SetRows(3);
    grid_.SetColMask(2, checkmark);
    grid_.SetTextMatrix(1, 0, "row header");
    grid_.SetTextMatrix(1, 1, "   ");
    grid_.SetTextMatrix(1, 2, "1");
    grid_.SetTextMatrix(2, 3, "  x ");
    grid_.SetTextMatrix(3, 4, "\t");  // a tab is content
    // The header row has no captions yet.
    EXPECT_EQ(
        (std::array{grid_.RowEmpty(0), grid_.RowEmpty(1), grid_.RowEmpty(2), grid_.RowEmpty(3)}),
        (std::array{true, true, false, false}));
    grid_.SetTextMatrix(0, 5, "Caption");
    EXPECT_FALSE(grid_.RowEmpty(0));
    // A row the grid does not have is no empty row.
    for (int32_t row : {-1, 4})
        EXPECT_EQ(RaisedError([&] { (void)grid_.RowEmpty(row); }), 9) << row;
}

}  // namespace
}  // namespace tabula
