#include <gtest/gtest.h>

#include "platform/window/Windows.h"
#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using test::RaisedError;

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
