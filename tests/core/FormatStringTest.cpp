// FormatString written by an application: captions, alignments and widths of the header
// row and column, and what happens with fields the grid cannot take.

#include <gtest/gtest.h>

#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using test::RaisedError;

class FormatStringTest : public GridTest {
protected:
    // The width a caption gets: measured in the header font, plus 5.
    int32_t Width(std::string_view caption) {
        grid_.picGrid.SetFont(grid_.FontFixed()->Descriptor());
        return grid_.picGrid.TextWidth(caption) + 5;
    }
    std::string Caption(int32_t col) const { return grid_.TextMatrix(0, col); }
};

TEST_F(FormatStringTest, ColumnFieldsSetCaptionsAlignmentsAndWidthsAndBlankTheRest) {
    grid_.SetColWidth(5, 99);
    grid_.SetTextMatrix(0, 5, "old");
    const int64_t redraws = grid_.RedrawCount();
    grid_.SetFormatString("<Name|^City|>Amount");
    EXPECT_EQ(grid_.FormatString(), "<Name|^City|>Amount");
    const struct {
        const char* caption;
        int32_t align;
    } expected[] = {{"Name", LeftAlign}, {"City", CenterAlign}, {"Amount", RightAlign}};
    for (int32_t c = 1; c <= 3; ++c) {
        EXPECT_EQ(Caption(c), expected[c - 1].caption);
        EXPECT_EQ(grid_.ColAlign(c), expected[c - 1].align);
        EXPECT_EQ(grid_.ColWidth(c), Width(expected[c - 1].caption));
    }
    for (int32_t c = 4; c <= 5; ++c) {
        EXPECT_EQ(Caption(c), "");
        EXPECT_EQ(grid_.ColWidth(c), 64);
    }
    EXPECT_EQ(grid_.Cols(), 5);
    EXPECT_EQ(grid_.RedrawCount(), redraws + 1);
    EXPECT_EQ(Announced(), std::vector<std::string>{"FormatString"});
}

TEST_F(FormatStringTest, TrailingSpacesWidenTheColumnButLeaveTheCaption) {
    grid_.SetFormatString("Total   |x");
    EXPECT_EQ(Caption(1), "Total");
    EXPECT_EQ(grid_.ColWidth(1), Width("Total   "));
    EXPECT_GT(grid_.ColWidth(1), Width("Total"));
    EXPECT_EQ(grid_.ColAlign(1), LeftAlign);
}

TEST_F(FormatStringTest, MoreCaptionsThanColumnsAddColumns) {
    grid_.SetCols(1);
    grid_.SetFormatString("a|b|c");
    EXPECT_EQ(grid_.Cols(), 3);
    EXPECT_EQ(Caption(3), "c");
}

TEST_F(FormatStringTest, EmptyFieldsBlankTheirColumnAndATrailingDelimiterStops) {
    grid_.SetTextMatrix(0, 1, "keep?");
    grid_.SetFormatString("|Second");
    EXPECT_EQ(Caption(1), "");
    EXPECT_EQ(grid_.ColWidth(1), 64);
    EXPECT_EQ(Caption(2), "Second");
    // The final delimiter leaves one empty field: column 3 is blanked, the rest kept.
    grid_.SetFormatString("a|b|c|d|e");
    grid_.SetFormatString("A|B|");
    EXPECT_EQ(Caption(3), "");
    EXPECT_EQ(grid_.ColWidth(3), 64);
    EXPECT_EQ(Caption(4), "d");
    EXPECT_EQ(Caption(5), "e");
    EXPECT_NE(grid_.ColWidth(4), 64);
    // With no column left for it, the final delimiter blanks nothing and raises nothing.
    grid_.SetCols(2);
    grid_.SetFormatString("X|Y|");
    EXPECT_EQ(grid_.Cols(), 2);
    EXPECT_EQ(Caption(2), "Y");
}

TEST_F(FormatStringTest, RowFieldsFollowTheFirstSemicolonAndWidenTheHeaderColumn) {
    grid_.SetFormatString("Item;First;^Second row caption");
    EXPECT_EQ(Caption(1), "Item");
    EXPECT_EQ(grid_.Rows(), 2);
    EXPECT_EQ(grid_.TextMatrix(1, 0), "First");
    EXPECT_EQ(grid_.TextMatrix(2, 0), "^Second row caption");  // no alignment for rows
    EXPECT_EQ(grid_.ColWidth(0), Width("^Second row caption"));
    // A narrower caption later never narrows it.
    grid_.SetFormatString("Item;x");
    EXPECT_EQ(grid_.ColWidth(0), Width("^Second row caption"));
    // The rows after the last caption lose theirs; the captions given stay.
    EXPECT_EQ(grid_.TextMatrix(1, 0), "x");
    EXPECT_EQ(grid_.TextMatrix(2, 0), "");
}

TEST_F(FormatStringTest, AnEmptyTextChangesNothingButTheStoredText) {
    grid_.SetFormatString("a|b");
    grid_.SetFormatString("");
    EXPECT_EQ(grid_.FormatString(), "");
    EXPECT_EQ(Caption(1), "a");
    EXPECT_EQ(grid_.ColWidth(1), Width("a"));
}

TEST_F(FormatStringTest, FieldsThatCannotBeTakenFailAfterTheOnesBefore) {
    // An empty field past the last of 5 columns.
    EXPECT_EQ(RaisedError([&] { grid_.SetFormatString("a|b|c|d|e||f"); }), 9);
    EXPECT_EQ(Caption(5), "e");
    EXPECT_EQ(grid_.FormatString(), "a|b|c|d|e||f");
    // A caption too wide for a 16-bit width.
    EXPECT_EQ(RaisedError([&] { grid_.SetFormatString("ok|" + std::string(8000, 'W')); }), 6);
    EXPECT_EQ(Caption(1), "ok");
    EXPECT_EQ(grid_.Cols(), 5);
}

TEST_F(FormatStringTest, CharactersAreKeptWhole) {
    grid_.SetFormatString("^Größe|>Ünit");
    EXPECT_EQ(Caption(1), "Größe");
    EXPECT_EQ(grid_.ColAlign(2), RightAlign);
    EXPECT_EQ(Caption(2), "Ünit");
}

}  // namespace
}  // namespace tabula
