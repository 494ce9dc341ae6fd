// Whole grids compared pixel for pixel with small reference images that a person has
// looked at. Set TABULA_UPDATE_GOLDENS=1 to rewrite the references after a deliberate
// change of look, then look at them again before committing.

#include <cstdlib>
#include <string>

#include "platform/image/PngFile.h"
#include "platform/window/Windows.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

class GoldenTest : public GridTest {
protected:
    // The fixture's grid at the given size.
    Tabula& NewGrid(int32_t width, int32_t height) {
        grid_.Move(10, 10, width, height);
        return grid_;
    }

    // Compares the control as shown with the reference; a mismatch leaves the image that
    // was drawn beside the test's temporary files.
    void ExpectLooksLike(const std::string& name) {
        const PixelImage shown = CaptureWindow(grid_.hWnd());
        const std::string reference = std::string(TABULA_GOLDEN_DIR) + "/" + name;
        if (const char* update = std::getenv("TABULA_UPDATE_GOLDENS"); update && *update) {
            WritePng(shown, reference);
            return;
        }
        const PixelImage expected = ReadPng(reference);
        if (!(shown == expected)) {
            const std::string actual = testing::TempDir() + "actual-" + name;
            WritePng(shown, actual);
            ADD_FAILURE() << FirstDifference(shown, expected) << " from " << reference
                          << "; drawn: " << actual;
        }
    }
};

// A new grid: 3D header row and column, one empty data row, the background below it and
// the horizontal bar (five columns do not fit in 260 pixels).
TEST_F(GoldenTest, ANewGrid) {
    NewGrid(260, 90);
    ExpectLooksLike("new-grid.png");
}

// Flat headers in their own colour, alternate rows, a cell's own colours and bold and
// italic fonts, right and centre alignment, an ellipsis, a check-mark column, dotted
// grid lines.
TEST_F(GoldenTest, AStyledGrid) {
    Tabula& grid = NewGrid(300, 150);
    grid.SetAutoRedraw(false);
    grid.SetCols(4);
    grid.SetRows(6);
    grid.SetFixedStyle(Flat);
    grid.SetBackColorFixed(0xE0C8A0);
    grid.SetUseBackColorAlt(true);
    grid.SetBackColorAlt(0xE8F4E8);
    grid.SetGridSolid(false);
    grid.SetGridLineColor(0x808080);
    const char* titles[] = {"Name", "Amount", "Paid", "Notes"};
    const int32_t widths[] = {70, 60, 36, 80};
    for (int32_t c = 1; c <= 4; ++c) {
        grid.SetTextMatrix(0, c, titles[c - 1]);
        grid.SetColWidth(c, widths[c - 1]);
    }
    grid.SetColAlign(2, RightAlign);
    grid.SetColMask(3, checkmark);
    const char* names[] = {"Ada", "Grace", "Linus", "Edsger", "Barbara", "Ken"};
    for (int32_t r = 1; r <= 6; ++r) {
        grid.SetTextMatrix(r, 0, std::to_string(r));
        grid.SetTextMatrix(r, 1, names[r - 1]);
        grid.SetTextMatrix(r, 2, std::to_string(r * 125) + ".00");
        grid.SetTextMatrix(r, 3, r % 2 == 1 ? "1" : "0");
    }
    grid.SetTextMatrix(1, 4, "a note far too long for its cell");
    grid.SetCellBackColor(2, 1, 0x00FFFF);
    grid.SetCellForeColor(2, 1, 0x0000C0);
    grid.SetCellFontName(3, 1, grid.Font()->Descriptor().name);
    grid.SetCellFontBold(3, 1, true);
    grid.SetCellFontName(4, 1, grid.Font()->Descriptor().name);
    grid.SetCellFontItalic(4, 1, true);
    grid.SetTextMatrix(2, 4, "centred");
    grid.SetColAlign(4, CenterAlign);
    grid.SetAutoRedraw(true);
    ExpectLooksLike("styled-grid.png");
}

// A block of 3 x 2 cells shown inverted except its anchor, the focus rectangle on the
// current cell, the background right of the last column, and a sunken border.
TEST_F(GoldenTest, ASelectedBlockInAnInsetBorder) {
    Tabula& grid = NewGrid(260, 120);
    grid.SetAutoRedraw(false);
    grid.SetCols(3);
    grid.SetRows(4);
    grid.SetBorderStyle(ThickInset);
    grid.SetBackColorBkg(0x404080);
    for (int32_t r = 1; r <= 4; ++r) {
        for (int32_t c = 1; c <= 3; ++c)
            grid.SetTextMatrix(r, c, std::string(1, char('A' + c - 1)) + std::to_string(r));
    }
    grid.SetRow1(1);
    grid.SetCol1(1);
    grid.SetRow2(3);
    grid.SetCol2(2);
    grid.SetRow(3);
    grid.SetCol(2);
    grid.SetAutoRedraw(true);
    ExpectLooksLike("selected-block.png");
}

}  // namespace
}  // namespace tabula::test
