#include <gtest/gtest.h>

#include "grid/CellArray.h"
#include "tests/support/Raised.h"

namespace tabula {
namespace {

using test::RaisedError;

// "r2c3" for row 2, column 3. Built by appending: GCC 12 warns falsely about the
// equivalent chain of string concatenations.
std::string CellName(int32_t r, int32_t c) {
    std::string name = "r";
    name += std::to_string(r);
    name += 'c';
    name += std::to_string(c);
    return name;
}

// A store shaped the way the control shapes it: data cells style 2, header cells style 1.
clsCellArray MakeStore(int32_t rows, int32_t cols) {
    clsCellArray cells;
    cells.SetCols(cols);
    cells.SetRows(rows);
    for (int32_t r = 0; r <= rows; ++r) {
        for (int32_t c = 0; c <= cols; ++c) {
            cells.SetStyle(r, c, (r == 0 || c == 0) ? 1 : 2);
            cells.SetText(r, c, CellName(r, c));
        }
    }
    return cells;
}

// The grid removes rows 1 to Rows only; the store takes any row and leaves the last one
// for the caller to drop.
TEST(CellArray, RemoveShiftsRowsUpEvenIntoTheHeaderRowAndIgnoresRowsPastTheEnd) {
    clsCellArray header = MakeStore(2, 1);
    header.Remove(0);
    EXPECT_EQ(header.Text(0, 1), "r1c1");
    EXPECT_EQ(header.Text(2, 1), "r2c1");
    header.Remove(10);
    EXPECT_EQ(header.Text(1, 1), "r2c1");
    EXPECT_EQ(RaisedError([&] { header.Remove(-1); }), 9);
}

TEST(CellArray, InsertRowAfterShiftsDownAndClearsTheNewRowButWhatTheShiftCopied) {
    clsCellArray cells = MakeStore(3, 1);
    cells.SetTag(1, 1, "one");
    cells.SetValue(1, 1, -1);
    cells.SetTextAlignVertical(1, 1, 2);
    cells.SetBackColor(1, 1, 0xFF);
    cells.SetFontName(1, 1, "Arial");
    // After the last row there is no room: it fails before anything moves.
    EXPECT_EQ(RaisedError([&] { cells.InsertRowAfter(3); }), 9);
    cells.InsertRowAfter(-1);  // ignored
    cells.InsertRowAfter(7);   // ignored
    EXPECT_EQ(cells.Text(3, 1), "r3c1");
    cells.SetRows(4);
    cells.InsertRowAfter(1);
    EXPECT_EQ(cells.Text(3, 1), "r2c1");
    EXPECT_EQ(cells.Text(4, 1), "r3c1");
    // Row 2 is blank with reset fonts and colours, but keeps row 1's tag, style, vertical
    // alignment and value, copied into it by the shift.
    EXPECT_EQ(cells.Text(2, 1), "");
    EXPECT_EQ(cells.BackColor(2, 1), -1);
    EXPECT_EQ(cells.FontName(2, 1), "");
    EXPECT_EQ(cells.Tag(2, 1), "one");
    EXPECT_EQ(cells.Value(2, 1), -1);
    EXPECT_EQ(cells.TextAlignVertical(2, 1), 2);
    EXPECT_EQ(cells.Style(2, 1), 2);
    EXPECT_TRUE(cells.FontBold(2, 0));
}

TEST(CellArray, ResetLeavesTextStyleValueTagAndAlignment) {
    clsCellArray cells = MakeStore(1, 1);
    cells.SetFontName(1, 1, "Arial");
    cells.SetFontSize(1, 1, 14);
    cells.SetFontItalic(1, 1, true);
    cells.SetFontUnderline(1, 1, true);
    cells.SetFontStrikethru(1, 1, true);
    cells.SetForeColor(1, 1, 0x00FF00);
    cells.SetReadOnly(1, 1, true);
    cells.SetTag(1, 1, "keep");
    cells.SetValue(1, 1, 3);
    cells.SetTextAlignVertical(1, 1, 1);
    cells.ResetCell(1, 1);
    EXPECT_EQ(cells.FontName(1, 1), "");
    EXPECT_EQ(cells.FontSize(1, 1), 9);
    EXPECT_FALSE(cells.FontItalic(1, 1));
    EXPECT_FALSE(cells.FontUnderline(1, 1));
    EXPECT_FALSE(cells.FontStrikethru(1, 1));
    EXPECT_EQ(cells.ForeColor(1, 1), -1);
    EXPECT_FALSE(cells.ReadOnly(1, 1));
    EXPECT_EQ(cells.Text(1, 1), "r1c1");
    EXPECT_EQ(cells.Tag(1, 1), "keep");
    EXPECT_EQ(cells.Value(1, 1), 3);
    EXPECT_EQ(cells.TextAlignVertical(1, 1), 1);
    EXPECT_EQ(cells.Style(1, 1), 2);
}

// Texts of every length, at the edge of what a record holds inline and past it, keep
// their own storage through every move: the copy Remove leaves in the last row, the row
// InsertRowAfter clears, rows dropped and grown again, rows copied.
TEST(CellArray, TextsOfAnyLengthKeepTheirOwnStorageThroughEveryMove) {
    const std::string texts[] = {"", "x", std::string(13, 'a'), std::string(14, 'b'),
                                 std::string(300, 'c') + "\xC3\xA9"};
    clsCellArray cells;
    cells.SetCols(4);
    cells.SetRows(4);
    for (int32_t c = 0; c <= 4; ++c) {
        for (int32_t r = 1; r <= 4; ++r)
            cells.SetText(r, c, texts[c] + (c > 2 ? CellName(r, c) : ""));
    }
    cells.Remove(2);  // rows 3, 4 move up; row 4 keeps a copy of its old self
    for (int32_t c = 3; c <= 4; ++c) {
        EXPECT_EQ(cells.Text(3, c), texts[c] + CellName(4, c));
        cells.SetText(4, c, "changed");  // the copy is a copy
        EXPECT_EQ(cells.Text(3, c), texts[c] + CellName(4, c));
    }
    cells.InsertRowAfter(1);
    EXPECT_EQ(cells.Text(2, 4), "");
    EXPECT_EQ(cells.Text(3, 4), texts[4] + CellName(3, 4));
    EXPECT_EQ(cells.Text(1, 4), texts[4] + CellName(1, 4));
    cells.SetRows(1);
    cells.SetRows(4);
    EXPECT_EQ(cells.Text(4, 4), "");
    cells.SetText(1, 4, "short");
    cells.SetText(1, 3, texts[4]);
    EXPECT_EQ(cells.Text(1, 4), "short");
    EXPECT_EQ(cells.Text(1, 3), texts[4]);
    // A copied row, long texts over short ones and short over long, is a copy too.
    cells.SetText(2, 4, texts[3]);
    cells.SetText(2, 3, "x");
    cells.CopyRow(1, 2);
    cells.SetText(1, 3, "gone");
    EXPECT_EQ(cells.Text(2, 3), texts[4]);
    EXPECT_EQ(cells.Text(2, 4), "short");
    EXPECT_EQ(RaisedError([&] { cells.CopyRow(1, 5); }), 9);
}

// Cells that share a look stay apart: a write to one changes no other, whatever the
// attribute, and a font name read stays readable while new names are added.
TEST(CellArray, EachWriteChangesOneCellThoughCellsShareTheirLooks) {
    using Write = void (*)(clsCellArray&, int32_t, int32_t);
    const Write writes[] = {
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetBackColor(r, c, 0x123456); },
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetForeColor(r, c, 0x654321); },
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetFontName(r, c, "Courier"); },
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetFontSize(r, c, 20); },
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetFontItalic(r, c, true); },
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetReadOnly(r, c, true); },
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetTag(r, c, "tagged"); },
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetStyle(r, c, 7); },
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetTextAlignVertical(r, c, 2); },
        [](clsCellArray& t, int32_t r, int32_t c) { t.SetValue(r, c, 5); },
    };
    const auto look = [](const clsCellArray& t, int32_t r, int32_t c) {
        return std::to_string(t.BackColor(r, c)) + "/" + std::to_string(t.ForeColor(r, c)) + "/" +
               t.FontName(r, c) + "/" + std::to_string(t.FontSize(r, c)) + "/" +
               std::to_string(t.FontItalic(r, c)) + std::to_string(t.ReadOnly(r, c)) + "/" +
               t.Tag(r, c) + "/" + std::to_string(t.Style(r, c)) + "/" +
               std::to_string(t.TextAlignVertical(r, c)) + "/" + std::to_string(t.Value(r, c));
    };
    for (size_t i = 0; i < std::size(writes); ++i) {
        clsCellArray cells = MakeStore(2, 2);
        const std::string before = look(cells, 1, 2);
        writes[i](cells, 1, 1);
        EXPECT_NE(look(cells, 1, 1), before) << i;
        for (const auto& [r, c] : {std::pair{1, 2}, std::pair{2, 1}, std::pair{2, 2}})
            EXPECT_EQ(look(cells, r, c), before) << i << " at " << r << "," << c;
        writes[i](cells, 2, 2);  // the same write again shares the look it made
        EXPECT_EQ(look(cells, 2, 2), look(cells, 1, 1)) << i;
    }
    clsCellArray cells = MakeStore(1, 1);
    cells.SetFontName(1, 1, "Arial");
    const std::string& name = cells.FontName(1, 1);
    for (int i = 0; i < 1000; ++i)
        cells.SetFontName(0, 1, "Font " + std::to_string(i));
    EXPECT_EQ(name, "Arial");
}

}  // namespace
}  // namespace tabula
