#include <gtest/gtest.h>

#include "platform/window/Windows.h"
#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using test::RaisedError;

TEST_F(GridTest, TextMatrixStoresAndTextFollowsTheCurrentCell) {
    grid_.SetRows(3);
    grid_.SetTextMatrix(2, 4, "hello");
    grid_.SetTextMatrix(0, 4, "Header");
    EXPECT_EQ(grid_.TextMatrix(2, 4), "hello");
    EXPECT_EQ(grid_.TextMatrix(0, 4), "Header");
    grid_.SetRow(2);
    grid_.SetCol(4);
    EXPECT_EQ(grid_.Text(), "hello");
    grid_.SetText("world");
    EXPECT_EQ(grid_.TextMatrix(2, 4), "world");
}

TEST_F(GridTest, CellsOutsideTheGridFailWithNothingStoredOrRedrawn) {
    grid_.SetRows(3);
    const int64_t redraws = grid_.RedrawCount();
    const struct {
        int32_t row, col;
    } outside[] = {{-1, 1}, {1, -1}, {4, 1}, {1, 6}, {INT32_MIN, 0}, {0, INT32_MAX}};
    for (const auto& cell : outside) {
        const auto r = cell.row, c = cell.col;
        EXPECT_EQ(RaisedError([&] { grid_.SetTextMatrix(r, c, "x"); }), 9) << r << "," << c;
        EXPECT_EQ(RaisedError([&] { (void)grid_.TextMatrix(r, c); }), 9);
        EXPECT_EQ(RaisedError([&] { grid_.SetCellBackColor(r, c, 5); }), 9);
        EXPECT_EQ(RaisedError([&] { (void)grid_.CellFontSize(r, c); }), 9);
        EXPECT_EQ(RaisedError([&] { grid_.SetCellFontItalic(r, c, true); }), 9);
        EXPECT_EQ(RaisedError([&] { grid_.SetCellTag(r, c, "t"); }), 9);
        EXPECT_EQ(RaisedError([&] { grid_.SetCellReadOnly(r, c, true); }), 9);
    }
    EXPECT_EQ(grid_.RedrawCount(), redraws);
}

TEST_F(GridTest, TagAndReadOnlyReadsAnswerAboveTheCountsButNotBelowZero) {
    grid_.SetRows(3);
    EXPECT_EQ(grid_.CellTag(99, 1), "");
    EXPECT_FALSE(grid_.CellReadOnly(1, 99));
    EXPECT_EQ(RaisedError([&] { (void)grid_.CellBackColor(99, 1); }), 9);
    EXPECT_EQ(RaisedError([&] { (void)grid_.CellTag(-1, 1); }), 9);
    EXPECT_EQ(RaisedError([&] { (void)grid_.CellReadOnly(1, -1); }), 9);
    grid_.SetCellTag(3, 5, "key");
    grid_.SetCellReadOnly(3, 5, true);
    EXPECT_EQ(grid_.CellTag(3, 5), "key");
    EXPECT_TRUE(grid_.CellReadOnly(3, 5));
}

TEST_F(GridTest, CellAttributesStayWithTheirCell) {
    grid_.SetCellBackColor(1, 2, 0x0000FF);
    grid_.SetCellFontName(1, 2, "Courier New");
    grid_.SetCellFontSize(1, 2, -7);
    grid_.SetCellFontBold(1, 2, true);
    EXPECT_EQ(grid_.CellFontSize(1, 2), -7);
    // The neighbours keep the reset values.
    EXPECT_EQ(grid_.CellBackColor(1, 3), -1);
    EXPECT_EQ(grid_.CellFontSize(1, 3), 9);
    EXPECT_EQ(grid_.CellFontName(1, 3), "");
    EXPECT_FALSE(grid_.CellFontBold(1, 3));
    EXPECT_TRUE(grid_.CellFontBold(0, 3));
}

TEST_F(GridTest, TextsAreNormalisedForTheirColumnBeforeTheyAreStored) {
    const struct {
        const char* what;
        int32_t mask;
        int16_t width;  // -1: no limit
        const char* typed;
        const char* stored;
    } cases[] = {
        {"plain text", NoMask, -1, "anything at all", "anything at all"},
        {"date, month first", DateOnly, -1, "7/4/2001", "07/04/2001"},
        {"date by name", DateOnly, -1, "July 4, 2001", "07/04/2001"},
        {"date already formatted", DateOnly, -1, "12/31/1999", "12/31/1999"},
        {"impossible date", DateOnly, -1, "2/30/2001", ""},
        {"day-first text in a month-first column", DateOnly, -1, "25/12/2001", ""},
        {"not a date", DateOnly, -1, "hello", ""},
        {"empty date", DateOnly, -1, "", ""},
        {"european date, read day first", EuroDate, -1, "25/12/2001", "25/12/2001"},
        {"european date, short", EuroDate, -1, "7/4/2001", "07/04/2001"},
        {"european date by name", EuroDate, -1, "July 4, 2001", "04/07/2001"},
        {"not a european date", EuroDate, -1, "12/25/2001", ""},
        {"date cut to its width", DateOnly, 5, "7/4/2001", "07/04"},
        {"width zero stores nothing", NoMask, 0, "typed", ""},
        {"width counts characters", NoMask, 3, "h\xC3\xA9llo", "h\xC3\xA9l"},
        {"an emoji is one character", Uppercase, 2, "\xF0\x9F\x98\x80xy", "\xF0\x9F\x98\x80x"},
        {"shorter than the width", NoMask, 10, "abc", "abc"},
        {"check-mark columns store as typed", checkmark, -1, "1", "1"},
        {"masks outside the list format nothing", 99, -1, "7/4/2001", "7/4/2001"},
    };
    for (const auto& c : cases) {
        grid_.SetColMask(2, c.mask);
        grid_.State().ColEditWidth[2] = c.width;
        grid_.SetTextMatrix(1, 2, c.typed);
        EXPECT_EQ(grid_.TextMatrix(1, 2), c.stored) << c.what;
    }
}

TEST_F(GridTest, AMegabyteTextIsKeptWholeOrCutToTheColumnWidth) {
    std::string huge(1 << 20, 'x');
    huge += "\xC3\xA9";
    grid_.SetTextMatrix(1, 1, huge);
    EXPECT_EQ(grid_.TextMatrix(1, 1), huge);
    grid_.SetColEditWidth(3, 1 << 14);
    grid_.SetTextMatrix(1, 3, huge);
    EXPECT_EQ(grid_.TextMatrix(1, 3).size(), size_t{1} << 14);
    grid_.SetColMask(4, DateOnly);
    grid_.SetTextMatrix(1, 4, huge);
    EXPECT_EQ(grid_.TextMatrix(1, 4), "");
}

TEST_F(GridTest, TheCurrentCellStaysInsideTheTable) {
    grid_.SetRows(4);
    const struct {
        int32_t written, row, col;
    } cases[] = {{2, 2, 2},  {0, 0, 0},         {99, 4, 5},
                 {-1, 0, 0}, {INT32_MIN, 0, 0}, {INT32_MAX, 4, 5}};
    for (const auto& c : cases) {
        grid_.SetRow(c.written);
        grid_.SetCol(c.written);
        EXPECT_EQ(Current(), (Cell{c.row, c.col})) << c.written;
    }
}

TEST_F(GridTest, TheBlockCornersAreKeptInsideTheTableWithoutRedrawOrAnnouncement) {
    grid_.SetRows(4);
    const int64_t redraws = grid_.RedrawCount();
    grid_.SetRow1(-3);
    grid_.SetCol1(2);
    grid_.SetRow2(40);
    grid_.SetCol2(INT32_MAX);
    EXPECT_EQ(Selected(), (Block{0, 2, 4, 5}));
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    EXPECT_TRUE(Announced().empty());
}

TEST_F(GridTest, EnabledIsTheControlWindowsOwnState) {
    grid_.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(grid_.hWnd()));
    EXPECT_FALSE(grid_.Enabled());
    grid_.SetEnabled(true);
    EXPECT_TRUE(grid_.Enabled());
}

TEST_F(GridTest, TheAboutBoxComesAndGoesLeavingNoWindowBehind) {
    form_.Show();
    const size_t windows = GetTopLevelWindows().size();
    grid_.AboutBox();  // headless, nothing can close it: it goes away by itself
    EXPECT_EQ(GetTopLevelWindows().size(), windows);
}

}  // namespace
}  // namespace tabula
