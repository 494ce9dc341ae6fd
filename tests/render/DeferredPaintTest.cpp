// Redraws under AutoRedraw run their observable steps at once and paint when someone
// looks. The picture then must be the one a full repaint gives, whatever drew on it
// since: writes, one-step scrolls (which move the pixels as they stand), edits, clicks,
// in every selection mode.

#include <functional>
#include <string>
#include <vector>

#include "render/Redraw.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

class DeferredPaintTest : public GridTest {
protected:
    DeferredPaintTest() {
        grid_.SetRows(40);
        grid_.SetCols(9);
        for (int32_t r = 1; r <= 40; r += 3)
            grid_.SetTextMatrix(r, 2, "row " + std::to_string(r));
        form_.Show();
    }
    bool Pending() { return grid_.Record().paintPending; }
};

TEST_F(DeferredPaintTest, ARunOfWritesRedrawsEachTimeButPaintsOnceSomeoneLooks) {
    (void)grid_.picGrid.Picture();
    const int64_t redraws = grid_.Record().redrawCount;
    for (int32_t c = 1; c <= 9; ++c)
        grid_.SetCellBackColor(1, c, int32_t(kBlue));
    EXPECT_EQ(grid_.Record().redrawCount, redraws + 9);
    EXPECT_TRUE(Pending());
    // Any look paints: the image read, the screen composed, a message to the grid.
    const std::vector<std::function<void()>> looks = {
        [&] { (void)grid_.picGrid.Picture(); },
        [&] { (void)host_.Screen(); },
        [&] { host_.MouseMove(grid_.picGrid.hWnd(), 300, 200); },
    };
    for (const auto& look : looks) {
        grid_.SetTextMatrix(2, 2, "x");
        ASSERT_TRUE(Pending());
        look();
        EXPECT_FALSE(Pending());
    }
    EXPECT_EQ(Inside(1, 3), kBlue);
    // Without AutoRedraw a redraw paints at once: the writes after it must not show.
    grid_.SetAutoRedraw(false);
    EXPECT_FALSE(Pending());
    grid_.SetCellBackColor(1, 4, int32_t(kGreen));
    EXPECT_EQ(Inside(1, 4), kBlue);
}

TEST_F(DeferredPaintTest, ThePictureIsAFullRepaintAfterWritesScrollsEditsAndClicks) {
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"texts and colours",
         [&] {
             grid_.SetTextMatrix(3, 3, "three");
             grid_.SetCellBackColor(4, 1, int32_t(kGreen));
             grid_.SetCellFontBold(5, 2, true);
         }},
        {"shape", [&] { grid_.SetColWidth(2, 90), grid_.SetRows(45); }},
        {"a row down", [&] { grid_.scrVertical.SetValue(grid_.TopRow() + 1); }},
        {"a row up", [&] { grid_.scrVertical.SetValue(grid_.TopRow() - 1); }},
        {"a column right", [&] { grid_.scrHorizontal.SetValue(grid_.LeftCol() + 1); }},
        {"a column left", [&] { grid_.scrHorizontal.SetValue(grid_.LeftCol() - 1); }},
        {"a write, then a scroll",
         [&] {
             grid_.SetTextMatrix(6, 2, "moved");
             grid_.scrVertical.SetValue(grid_.TopRow() + 1);
         }},
        {"keys past the bottom",
         [&] {
             ClickAlone(grid_.picGrid.hWnd(), InX(2), InY(2));
             for (int i = 0; i < 20; ++i)
                 host_.PressKey(VK_DOWN);
             host_.PressKey(VK_NEXT);
         }},
        {"an edit",
         [&] {
             grid_.SetTextMatrix(1, 1, "before");
             host_.Type("edited");
             host_.PressKey(VK_RETURN);
         }},
        {"an edit of a cell scrolled out of view",
         [&] {
             grid_.SetRow(2);
             grid_.SetCol(2);
             grid_.scrVertical.SetValue(6);
             ASSERT_EQ(grid_.Row(), 2);
             ASSERT_EQ(grid_.TopRow(), 6);
             host_.Type("unseen");
             host_.PressKey(VK_RETURN);
         }},
        {"a write, then a click",
         [&] {
             grid_.SetCellBackColor(grid_.TopRow(), 3, int32_t(kRed));
             ClickAlone(grid_.picGrid.hWnd(), InX(3), InY(1));
         }},
        {"one column at a time to the last",
         [&] {
             while (grid_.scrHorizontal.Value() < grid_.scrHorizontal.Max()) {
                 grid_.scrHorizontal.SetValue(grid_.scrHorizontal.Value() + 1);
                 ExpectPictureOfAFullRepaint();
             }
         }},
        {"one row at a time to the last",
         [&] {
             for (int i = 0; i < 3 && grid_.scrVertical.Value() < grid_.scrVertical.Max(); ++i)
                 grid_.scrVertical.SetValue(grid_.scrVertical.Max() - 2 + i);
             ExpectPictureOfAFullRepaint();
         }},
    };
    for (int16_t mode : {SelectionFree, SelectionByRow, SelectionByCol, SelectionByRowHeader}) {
        grid_.SetSelectionMode(mode);
        grid_.SetTopRow(1);
        grid_.SetLeftCol(1);
        for (const auto& [name, step] : steps) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ": " << name);
            step();
            ExpectPictureOfAFullRepaint();
        }
    }
}

// A full paint clears only what its cells will not cover. Painted over a smeared picture
// it must give the picture painted over a cleared one, whatever the shape.
TEST_F(DeferredPaintTest, AFullPaintLeavesNothingOfThePictureUnderIt) {
    const auto paintedOver = [&](COLORREF under) {
        Brush brush = CreateSolidBrush(under);
        FillRect(grid_.picGrid.hDC(), Rect{0, 0, INT32_MAX, INT32_MAX}, brush);
        DeleteObject(brush);
        grid_.Refresh();
        return grid_.picGrid.Picture();
    };
    COLORREF cleared = 0;
    OleTranslateColor(grid_.picGrid.BackColor(), &cleared);
    const std::vector<std::pair<const char*, std::function<void()>>> shapes = {
        {"as made", [] {}},
        {"no border, raised headers",
         [&] { grid_.SetBorderStyle(0), grid_.SetFixedStyle(ThreeD); }},
        {"no grid lines", [&] { grid_.SetShowGrid(false); }},
        {"no headers", [&] { grid_.SetColHeader(false), grid_.SetRowHeader(false); }},
        {"a hidden row and a wide column",
         [&] { grid_.SetRowHeight(3, 0), grid_.SetColWidth(1, 600); }},
        {"fewer cells than fit", [&] { grid_.SetRows(2), grid_.SetCols(2); }},
        {"scrolled to the end",
         [&] { grid_.SetRows(40), grid_.SetCols(9), grid_.SetTopRow(38), grid_.SetLeftCol(8); }},
        {"no rows", [&] { grid_.SetRows(0); }},
    };
    for (const auto& [name, shape] : shapes) {
        SCOPED_TRACE(name);
        shape();
        const PixelImage overSmear = paintedOver(0xFF00FF);
        const PixelImage overCleared = paintedOver(cleared);
        EXPECT_EQ(overSmear, overCleared) << FirstDifference(overSmear, overCleared);
    }
}

}  // namespace
}  // namespace tabula::test
