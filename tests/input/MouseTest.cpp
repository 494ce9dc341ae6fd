// The mouse on the grid, driven the way a person drives it: presses, clicks, drags and
// double clicks on picGrid through the headless host, checked by the public members, the
// events the application sees and the picture.

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "input/Mouse.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

// Six data rows on a shown form. Column boundaries (in picGrid) lie at 32 (the header
// column), 97, 162, 227, 292, 357; row boundaries at 16 (the header row), 32, 48, ...
class MouseTest : public GridTest {
protected:
    MouseTest() {
        form_.Show();
        grid_.SetRows(6);
        Record();
    }

    HWND Surface() const { return grid_.picGrid.hWnd(); }

    // Mouse input on picGrid. Presses wait out the double-click time: only DoubleClick makes one.
    void Press(int32_t x, int32_t y, int button = 0) {
        host_.Advance(Desktop::kDoubleClickMilliseconds + 1);
        host_.MouseDown(Surface(), x, y, button);
    }
    void Release(int32_t x, int32_t y, int button = 0) { host_.MouseUp(Surface(), x, y, button); }
    void Move(int32_t x, int32_t y) { host_.MouseMove(Surface(), x, y); }
    void Click(int32_t x, int32_t y, int button = 0) {
        Press(x, y, button);
        Release(x, y, button);
    }
    void ShiftClick(int32_t x, int32_t y) {
        host_.KeyDown(VK_SHIFT);
        Click(x, y);
        host_.KeyUp(VK_SHIFT);
    }
    void Drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        host_.Advance(Desktop::kDoubleClickMilliseconds + 1);
        host_.Drag(Surface(), x1, y1, x2, y2);
    }
    void DoubleClick(int32_t x, int32_t y) {
        host_.Advance(Desktop::kDoubleClickMilliseconds + 1);
        host_.DoubleClick(Surface(), x, y);
    }
    void ClickCell(int32_t row, int32_t col) { Click(InX(col), InY(row)); }
    void ShiftClickCell(int32_t row, int32_t col) { ShiftClick(InX(col), InY(row)); }
    // Hovers the point with the public handler, as picGrid's move does.
    void HoverAt(float x, float y) { grid_.MouseMove(0, 0, x, y); }
    // A header cell's look: -1 pressed, 0 raised.
    int32_t HeaderLook(int32_t row, int32_t col) const {
        return grid_.State().Cells.Value(row, col);
    }
    // The selected block with the current cell.
    struct Selection {
        Block block;
        Cell current;
        friend bool operator==(const Selection&, const Selection&) = default;
    };
    Selection Selecting() const { return {Selected(), Current()}; }

    // How many MouseMove events were raised since the last Take.
    int Moves() {
        const Log seen = Record().Take();
        return int(std::count_if(seen.begin(), seen.end(),
                                 [](const std::string& e) { return e.starts_with("MouseMove"); }));
    }
};

// --- Hit testing and the sizing pointer --------------------------------------------------

TEST_F(MouseTest, HitTestingGivesEachRowAndColumnItsPixelsThroughTheLineAfterIt) {
    const struct {
        float x, y;
        int32_t row, col;
    } cases[] = {
        {0, 0, -1, -1},                    // pixel row and column 0 belong to no cell
        {1, 1, 0, 0},     {33, 16, 0, 0},  // the headers own their grid lines
        {34, 17, 1, 1},                    // the first data pixel is data
        {98, 32, 1, 1},                    // the line after a cell is still that cell
        {99, 33, 2, 2},   {358, 112, 6, 5},     {359, 113, -1, -1},  // past the last column and row
        {-5, -5, -1, -1}, {NAN, 1e30f, -1, -1},  // what cannot be an ordinary number hits nothing
    };
    for (const auto& c : cases) {
        HoverAt(c.x, c.y);
        EXPECT_EQ((Cell{grid_.MouseRow(), grid_.MouseCol()}), (Cell{c.row, c.col}))
            << c.x << "," << c.y;
    }
    // Without grid lines adjacent cells share the edge pixel and the left one gets it:
    // column 1 starts at 33 and is 64 wide, so 33 + 64 = 97 is column 2's first pixel.
    grid_.SetShowGrid(false);
    for (auto [x, col] :
         {std::pair{32.0f, 0}, {33.0f, 0}, {34.0f, 1}, {96.0f, 1}, {97.0f, 1}, {98.0f, 2}}) {
        HoverAt(x, 40);
        EXPECT_EQ(grid_.MouseCol(), col) << x;
    }
    // Without a header row nothing is row 0: the top pixel belongs to the first row.
    grid_.SetColHeader(false);
    HoverAt(50, 1);
    EXPECT_EQ(grid_.MouseRow(), 1);
    ClickCell(1, 2);
    Click(50, 1);
    EXPECT_EQ(Current(), (Cell{1, 1}));
    EXPECT_FALSE(grid_.State().HeaderClicked);
}

TEST_F(MouseTest, TheSizingPointerShowsWithinOneAndAHalfPixelsOfABoundaryTheToolTipOverTheCells) {
    grid_.SetMousePointer(vbIbeam);
    const struct {
        float x, y;
        int16_t pointer;
    } cases[] = {
        {97 + 1.5f, 8, vbSizeWE},  {97 + 2.0f, 8, vbIbeam},
        {97 - 1.5f, 8, vbSizeWE},  {97 - 2.0f, 8, vbIbeam},
        {32, 8, vbSizeWE},         {97, 40, vbIbeam},  // not in the header row
        {10, 48 + 1.5f, vbSizeNS}, {10, 48 + 2.0f, vbIbeam},
        {50, 48, vbIbeam},  // nor column
    };
    for (const auto& c : cases) {
        HoverAt(c.x, c.y);
        EXPECT_EQ(grid_.picGrid.MousePointer(), c.pointer) << c.x << "," << c.y;
    }
    // Through picGrid's own moves, too.
    Move(162, 5);
    EXPECT_EQ(grid_.picGrid.MousePointer(), vbSizeWE);
    EXPECT_EQ(grid_.State().HoverColBoundary, 3);
    // Resizing switched off: no boundary catches the pointer, though the lists remain.
    grid_.SetAllowUserResizing(false);
    Move(163, 5);
    EXPECT_EQ(grid_.picGrid.MousePointer(), vbIbeam);
    Drag(162, 5, 200, 5);
    EXPECT_EQ(grid_.ColWidth(2), 64);
    // The control's tool tip shows over the cells.
    grid_.SetToolTipText("Prices in euro");
    Move(50, 50);
    EXPECT_EQ(grid_.picGrid.ToolTipText(), "Prices in euro");
}

// --- Resizing ----------------------------------------------------------------------------

TEST_F(MouseTest, DraggingABoundaryMovesTheSizingBarAndSetsTheWidthOrHeightOnRelease) {
    grid_.SetRows(40);  // the vertical bar shows and bounds the sizing bar
    Press(97, 8);
    EXPECT_TRUE(grid_.picSizer.Visible());
    EXPECT_EQ(grid_.picSizer.Left(), 97);
    EXPECT_EQ(grid_.picSizer.Height(), grid_.ScaleHeight());
    // The bar follows sideways only, short of the vertical bar (from 379); nothing is
    // resized until the release.
    for (auto [x, y, left] : {std::array{150, 60, 150}, {379, 8, 150}, {378, 8, 378}}) {
        Move(x, y);
        EXPECT_EQ(grid_.picSizer.Left(), left) << x;
    }
    EXPECT_EQ(grid_.ColWidth(1), 64);
    Move(150, 8);
    Release(150, 8);
    EXPECT_FALSE(grid_.picSizer.Visible());
    EXPECT_FALSE(grid_.State().SizingColumn);
    EXPECT_EQ(grid_.ColWidth(1), 150 - 32);
    // The block and current cell did not move, and the cells were redrawn at the new width.
    EXPECT_EQ(Current(), (Cell{1, 1}));
    EXPECT_EQ(CellX(2) + 150 - 32 - 64, grid_.CellLeft(1, 2));
    ExpectPictureOfAFullRepaint();

    // Past its left edge (column 2 now starts at 152) a column gets width zero. The press
    // that starts a resize raises no MouseDown, its release MouseUp; a press on the same
    // header away from a boundary is reported, after its work.
    Drag(216, 8, 142, 8);
    EXPECT_EQ(grid_.ColWidth(2), 0);
    EXPECT_EQ(grid_.Cols(), 5);
    EXPECT_EQ(Record().Take(), (Log{"MouseUp 1 0 150 8", "Click", "MouseUp 1 0 142 8", "Click"}));
    Click(60, 8);
    EXPECT_EQ(Record().Take(), (Log{"MouseDown 1 0 60 8", "MouseUp 1 0 60 8", "Click"}));
    // Left of the grid is accepted too, and the header column resizes as well.
    Drag(151, 8, -20, 8);
    EXPECT_EQ(grid_.ColWidth(1), 0);
    Drag(32, 8, 50, 8);
    EXPECT_EQ(grid_.ColWidth(0), 50);
    ExpectPictureOfAFullRepaint();

    // A row boundary in the header column: the line under row 2.
    Press(10, 48);
    EXPECT_TRUE(grid_.State().SizingRow);
    EXPECT_EQ(grid_.picSizer.Top(), 48);
    EXPECT_EQ(grid_.picSizer.Width(), grid_.ScaleWidth());
    Move(200, 70);
    EXPECT_EQ(grid_.picSizer.Left(), 0);
    EXPECT_EQ(grid_.picSizer.Top(), 70);
    Move(10, 296);  // below the surface (295 high): not taken
    EXPECT_EQ(grid_.picSizer.Top(), 70);
    Release(10, 296);
    EXPECT_EQ((std::array{grid_.RowHeight(1), grid_.RowHeight(2)}), (std::array{15, 70 - 32}));
    // The header row's own boundary is caught just below it.
    Drag(10, 17, 10, 25);
    EXPECT_EQ(grid_.RowHeight(0), 25);
    ExpectPictureOfAFullRepaint();
}

// --- Clicks on cells and headers ---------------------------------------------------------

TEST_F(MouseTest, AClickMakesTheCellCurrentAndAShiftClickStretchesTheBlockFromIt) {
    const PixelImage before = grid_.picGrid.Picture();
    ClickCell(3, 2);
    EXPECT_EQ(Record().Take(),
              (Log{"RowColChange 1 1", "MouseDown 1 0 139 57", "MouseUp 1 0 139 57", "Click"}));
    EXPECT_NE(grid_.picGrid.Picture(), before);
    // The current cell again: no change to report.
    ClickCell(3, 2);
    EXPECT_EQ(Record().Take(), (Log{"MouseDown 1 0 139 57", "MouseUp 1 0 139 57", "Click"}));
    // Another button reports its events and moves nothing.
    Click(InX(4), InY(5), 1);
    EXPECT_EQ(Current(), (Cell{3, 2}));
    EXPECT_EQ(Record().Take(), (Log{"MouseDown 2 0 269 89", "MouseUp 2 0 269 89"}));
    // Back to where it started: the picture too.
    ClickCell(1, 1);
    EXPECT_EQ(grid_.picGrid.Picture(), before);

    ClickCell(2, 2);
    Record().Take();
    ShiftClickCell(4, 3);
    EXPECT_EQ(Selecting(), (Selection{{2, 2, 4, 3}, {2, 2}}));
    EXPECT_EQ(Record().Take(), (Log{"KeyDown 16 1", "MouseDown 1 1 204 73", "MouseUp 1 1 204 73",
                                    "Click", "KeyUp 16 0"}));
    // The anchor keeps its look.
    EXPECT_EQ((std::array{Inside(4, 3), Inside(3, 2), Inside(2, 2), Inside(5, 3)}),
              (std::array{kBlack, kBlack, kWhite, kWhite}));
    ExpectPictureOfAFullRepaint();
    // Upward and leftward the corners are stored as clicked.
    ShiftClickCell(1, 1);
    EXPECT_EQ(Selected(), (Block{2, 2, 1, 1}));
    ExpectPictureOfAFullRepaint();
    // On a header a Shift-click selects nothing and leaves the block shown (the Row and Col
    // writes keep it); the current cell goes back to the anchor, as after any header click.
    ClickCell(2, 3);
    ShiftClickCell(5, 4);
    grid_.SetRow(4);
    grid_.SetCol(4);
    ShiftClick(InX(2), 8);
    EXPECT_EQ(Selecting(), (Selection{{2, 3, 5, 4}, {2, 3}}));
    EXPECT_EQ(HeaderLook(0, 2), 0);
    EXPECT_EQ(Inside(5, 4), kBlack);
    ExpectPictureOfAFullRepaint();
    // By column, the column block stays too.
    grid_.SetSelectionMode(SelectionByCol);
    ClickCell(2, 3);
    ShiftClick(10, InY(4));
    EXPECT_EQ(Selected(), (Block{0, 3, 6, 3}));
    EXPECT_EQ(Inside(6, 3), kBlack);
    ExpectPictureOfAFullRepaint();
    // By row the extent takes the whole row; without AllowSelection Shift means nothing.
    grid_.SetSelectionMode(SelectionByRow);
    ClickCell(2, 2);
    ShiftClickCell(5, 3);
    EXPECT_EQ(Selected(), (Block{2, 0, 5, 5}));
    EXPECT_EQ(Inside(5, 1), kBlack);
    grid_.SetAllowSelection(false);
    ShiftClickCell(6, 4);
    EXPECT_EQ(Selecting(), (Selection{{6, 4, 6, 4}, {6, 4}}));
}

TEST_F(MouseTest, ClicksSelectByTheModeAndAHeaderClickPressesTheHeaderUntilTheNextPress) {
    const Cell none{-1, -1};
    const struct {
        int16_t mode;
        int32_t x, y;
        Selection selection;
        bool rows, cols;  // whole rows or columns taken while the button is down
        Cell pressed;
    } cases[] = {
        // A cell becomes current, and the block takes its row or column by mode.
        {SelectionFree, InX(3), InY(4), {{4, 3, 4, 3}, {4, 3}}, false, false, none},
        {SelectionByRow, InX(3), InY(4), {{4, 0, 4, 5}, {4, 3}}, true, false, none},
        {SelectionByCol, InX(3), InY(4), {{0, 3, 6, 3}, {4, 3}}, false, true, none},
        {SelectionByRowHeader, InX(3), InY(4), {{4, 3, 4, 3}, {4, 3}}, false, false, none},
        // A column header selects its column by column; the row stays.
        {SelectionByCol, InX(3), 8, {{0, 3, 6, 3}, {2, 3}}, false, true, {0, 3}},
        // A row header selects its row by row and by row header; the column stays.
        {SelectionByRow, 10, InY(4), {{4, 0, 4, 5}, {4, 2}}, true, false, {4, 0}},
        {SelectionByRowHeader, 10, InY(5), {{5, 0, 5, 5}, {5, 2}}, true, false, {5, 0}},
        // Elsewhere nothing is selected and the current cell goes to the old anchor.
        {SelectionFree, InX(3), 8, {{2, 2, 2, 2}, {2, 2}}, false, false, none},
        {SelectionByRow, InX(3), 8, {{2, 0, 2, 5}, {2, 2}}, false, false, none},
        {SelectionByCol, 10, InY(4), {{0, 2, 6, 2}, {2, 2}}, false, false, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " at " << c.x << "," << c.y);
        const bool header = c.x < 32 || c.y < 16;
        grid_.SetSelectionMode(c.mode);
        ClickCell(2, 2);
        // A raised header face has a white edge at its top left, a pressed one a dark edge.
        const auto edge = [&](Cell cell) {
            return Pixel(cell.col == 0 ? 1 : CellX(cell.col), cell.row == 0 ? 1 : CellY(cell.row));
        };
        if (c.pressed != none) {
            ASSERT_EQ(edge(c.pressed), kWhite);
        }
        Press(c.x, c.y);
        EXPECT_EQ(grid_.State().RowsSelected, c.rows);
        EXPECT_EQ(grid_.State().ColsSelected, c.cols);
        Release(c.x, c.y);
        EXPECT_FALSE(grid_.State().RowsSelected || grid_.State().ColsSelected);
        EXPECT_EQ(Selecting(), c.selection);
        EXPECT_EQ(grid_.State().HeaderClicked, header);
        if (c.pressed != none) {
            EXPECT_EQ(HeaderLook(c.pressed.row, c.pressed.col), -1);
            EXPECT_NE(edge(c.pressed), kWhite);
        }
        // A redraw by row header would shrink a row block to the current cell.
        if (c.mode != SelectionByRowHeader || !header) ExpectPictureOfAFullRepaint();
        // The next press anywhere takes the pressed look off.
        ClickCell(2, 2);
        if (c.pressed != none) {
            EXPECT_EQ(HeaderLook(c.pressed.row, c.pressed.col), 0);
            EXPECT_EQ(edge(c.pressed), kWhite);
        }
        ExpectPictureOfAFullRepaint();
    }
}

TEST_F(MouseTest, TheCornerSelectsAllAndADragAfterItKeepsTheWholeTable) {
    ClickCell(3, 4);
    Record().Take();
    Press(10, 8);
    EXPECT_EQ(Selecting(), (Selection{{1, 1, 6, 5}, {1, 1}}));
    EXPECT_TRUE(grid_.State().RowsSelected && grid_.State().ColsSelected);
    // Dragging on does not reshape a block of whole rows and columns.
    Move(InX(2), InY(2));
    EXPECT_EQ(Selected(), (Block{1, 1, 6, 5}));
    Release(InX(2), InY(2));
    EXPECT_EQ(Record().Take(),
              (Log{"RowColChange 3 4", "MouseDown 1 0 10 8", "MouseUp 1 0 139 41", "Click"}));
    // Every header is pressed, until the next press.
    const auto pressed = [&] {
        int32_t count = 0;
        for (int32_t c = 0; c <= 5; ++c)
            count += HeaderLook(0, c) == -1;
        for (int32_t r = 1; r <= 6; ++r)
            count += HeaderLook(r, 0) == -1;
        return count;
    };
    EXPECT_EQ(pressed(), 12);
    EXPECT_EQ(Inside(6, 5), kBlack);
    EXPECT_EQ(Inside(1, 1), kWhite);
    ExpectPictureOfAFullRepaint();
    ClickCell(2, 2);
    EXPECT_EQ(pressed(), 0);
    ExpectPictureOfAFullRepaint();
}

// --- Drag selection and scrolling --------------------------------------------------------

TEST_F(MouseTest, DraggingInFreeSelectionMovesTheExtentWithThePointer) {
    Drag(InX(5), InY(5), InX(3), InY(2));
    EXPECT_EQ(Selecting(), (Selection{{5, 5, 2, 3}, {5, 5}}));
    EXPECT_EQ(Inside(2, 3), kBlack);
    EXPECT_EQ(Inside(5, 5), kWhite);
    ExpectPictureOfAFullRepaint();
    // Over a header or outside the cells the extent stays where it was.
    Press(InX(2), InY(2));
    Move(InX(4), InY(3));
    Move(380, InY(3));
    Move(InX(4), 8);
    EXPECT_EQ(Selected(), (Block{2, 2, 3, 4}));
    Release(InX(4), 8);
    ExpectPictureOfAFullRepaint();
    // Other modes do not drag.
    grid_.SetSelectionMode(SelectionByRowHeader);
    Drag(InX(2), InY(2), InX(4), InY(4));
    EXPECT_EQ(Selected(), (Block{2, 2, 2, 2}));
}

TEST_F(MouseTest, HoldingTheButtonBelowTheGridScrollsOneRowPerMoveUntilTheBarsEnd) {
    grid_.SetRows(40);
    ASSERT_TRUE(grid_.scrVertical.Visible());
    ASSERT_EQ(grid_.scrVertical.Max(), 40);
    Record().skip.clear();
    Press(InX(2), InY(2));
    Record().Take();
    // One move below the surface; the rest are the moves each scroll step asks for while
    // the mouse stays where it is, one row each, until the bar's end stops them.
    Move(InX(2), 300);
    EXPECT_EQ(grid_.TopRow(), 40);
    EXPECT_EQ(grid_.scrVertical.Value(), 40);
    EXPECT_EQ(Moves(), 40);
    // Rows reaching past the bottom edge came under the pointer on the way.
    EXPECT_EQ(Selected(), (Block{2, 2, 40, 2}));
    // Back over the cells the extent follows, then over the header row it scrolls back.
    Move(InX(3), InY(1));
    EXPECT_EQ(Selected(), (Block{2, 2, 40, 3}));
    Record().Take();
    Move(InX(3), 8);
    EXPECT_EQ(grid_.TopRow(), 1);
    EXPECT_EQ(Moves(), 40);
    Release(InX(3), 8);
    ExpectPictureOfAFullRepaint();
    // Without the button held nothing scrolls.
    Move(InX(2), 300);
    EXPECT_EQ(grid_.TopRow(), 1);
    // Drags between the ends of the coordinate range are taken in stride.
    Drag(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    Drag(INT32_MAX, 0, INT32_MIN, 0);
    EXPECT_GE(grid_.Row(), 0);
}

TEST_F(MouseTest, ThePressesBesideTheCellsBetweenTheBarsAndOnACellCutOffByThem) {
    grid_.SetRows(40);
    grid_.SetCols(8);
    grid_.SetSelectionMode(SelectionByCol);
    Click(InX(2), 8);
    ASSERT_EQ(HeaderLook(0, 2), -1);
    const Selection before = Selecting();
    Record().Take();
    // The square between the bars lies right of 379 and below 279: a press there does
    // nothing but take the pressed look off the headers.
    Drag(385, 285, InX(4), InY(5));
    EXPECT_EQ(HeaderLook(0, 2), 0);
    EXPECT_EQ(Selecting(), before);
    EXPECT_EQ(Record().Take(), (Log{"MouseDown 1 0 385 285", "MouseUp 1 0 269 89", "Click"}));
    ExpectPictureOfAFullRepaint();
    // In free selection a drag from there does not stretch the old block either.
    grid_.SetSelectionMode(SelectionFree);
    ClickCell(2, 2);
    Drag(385, 285, InX(4), InY(5));
    EXPECT_EQ(Selected(), (Block{2, 2, 2, 2}));
    // A press on column 6, which runs from 359 past the vertical bar's edge, scrolls one
    // column and starts no drag.
    Press(365, InY(2));
    EXPECT_EQ(grid_.LeftCol(), 2);
    EXPECT_EQ(Current(), (Cell{2, 6}));
    Move(InX(2), InY(4));
    Release(InX(2), InY(4));
    EXPECT_EQ(Selected(), (Block{2, 6, 2, 6}));
    ExpectPictureOfAFullRepaint();
}

// --- Check marks -------------------------------------------------------------------------

TEST_F(MouseTest, ClickingACheckMarkCellTogglesItOncePerClickUnlessTheCellCannotBeEdited) {
    grid_.SetColMask(2, checkmark);
    const PixelImage unchecked = grid_.picGrid.Picture();
    for (const char* text : {"1", "0", "1"}) {
        ClickCell(3, 2);
        EXPECT_EQ(grid_.TextMatrix(3, 2), text);
    }
    EXPECT_EQ(
        Record().Take(),
        (Log{"AfterEdit 3 2 1", "RowColChange 1 1", "MouseDown 1 0 139 57", "MouseUp 1 0 139 57",
             "Click", "AfterEdit 3 2 0", "MouseDown 1 0 139 57", "MouseUp 1 0 139 57", "Click",
             "AfterEdit 3 2 1", "MouseDown 1 0 139 57", "MouseUp 1 0 139 57", "Click"}));
    ExpectPictureOfAFullRepaint();
    // A Shift-click stretches the block and toggles nothing.
    ShiftClickCell(5, 2);
    EXPECT_EQ((std::array{grid_.TextMatrix(3, 2), grid_.TextMatrix(5, 2)}),
              (std::array<std::string, 2>{"1", "0"}));
    ExpectPictureOfAFullRepaint();
    // Inside a row block the cell keeps the block's look.
    grid_.SetSelectionMode(SelectionByRow);
    ClickCell(4, 2);
    EXPECT_EQ(grid_.TextMatrix(4, 2), "1");
    ExpectPictureOfAFullRepaint();
    ClickCell(3, 2);
    ClickCell(4, 2);
    grid_.SetSelectionMode(SelectionFree);
    ClickCell(1, 1);
    EXPECT_EQ(grid_.picGrid.Picture(), unchecked);

    // Only a read-only cell in a column that allows no edits blocks the toggle.
    Record().Take();
    grid_.SetColAllowEdit(2, false);  // every data cell of the column read-only too
    ClickCell(1, 2);
    EXPECT_EQ(grid_.TextMatrix(1, 2), "0");
    EXPECT_EQ(Record().Take(),
              (Log{"RowColChange 1 1", "MouseDown 1 0 139 25", "MouseUp 1 0 139 25", "Click"}));
    ExpectPictureOfAFullRepaint();
    // The column alone does not block, nor does the cell alone.
    grid_.SetCellReadOnly(2, 2, false);
    ClickCell(2, 2);
    grid_.SetColAllowEdit(2, true);
    grid_.SetCellReadOnly(3, 2, true);
    ClickCell(3, 2);
    EXPECT_EQ((std::array{grid_.TextMatrix(2, 2), grid_.TextMatrix(3, 2)}),
              (std::array<std::string, 2>{"1", "1"}));
    // With flat headers the block frame runs along the first row's top pixels: the
    // repainted cell gets it back.
    grid_.SetFixedStyle(Flat);
    ClickCell(1, 2);
    EXPECT_EQ(grid_.TextMatrix(1, 2), "1");
    ExpectPictureOfAFullRepaint();
    // A header click toggles nothing.
    Click(InX(2), 8);
    EXPECT_EQ(grid_.TextMatrix(3, 2), "1");
}

// --- Double clicks -----------------------------------------------------------------------

TEST_F(MouseTest, DoubleClickingAColumnBoundaryWidensTheColumnToItsLongestTextTheFirstOfEquals) {
    // The longest by character count, not by bytes (ten two-byte letters lose to eighteen);
    // of two as long, the first, though the second is wider.
    grid_.SetTextMatrix(1, 2, "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9");
    grid_.SetTextMatrix(4, 2, "a fairly long text");
    grid_.SetTextMatrix(5, 2, std::string(18, 'W'));
    Record().Take();
    // At 161 the press and release of the first click leave the width as it is.
    DoubleClick(161, 8);
    const int32_t expected = grid_.picGrid.TextWidth("a fairly long text") + 5;
    ASSERT_GT(expected, 64);
    ASSERT_LT(expected, grid_.picGrid.TextWidth(std::string(18, 'W')) + 5);
    EXPECT_EQ(grid_.ColWidth(2), expected);
    EXPECT_EQ(Record().Take(),
              (Log{"MouseUp 1 0 161 8", "Click", "DblClick", "MouseUp 1 0 161 8"}));
    ExpectPictureOfAFullRepaint();
    // It never narrows.
    grid_.SetColWidth(3, 200);
    DoubleClick(32 + 65 + expected + 1 + 200, 8);
    EXPECT_EQ(grid_.ColWidth(3), 200);
}

TEST_F(MouseTest, ADoubleClickWithNoColumnUnderThePointerFitsNothing) {
    grid_.SetTextMatrix(1, 5, "a fairly long text");
    // Half a pixel right of column 5's line, still within the last boundary's reach.
    HoverAt(358.5f, 8);
    ASSERT_EQ(grid_.picGrid.MousePointer(), vbSizeWE);
    ASSERT_EQ(grid_.MouseCol(), -1);
    const int64_t redraws = grid_.RedrawCount();
    grid_.DblClick();
    EXPECT_EQ(grid_.ColWidth(5), 64);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    // Nor after the table shrank under a pointer resting on column 5's boundary.
    HoverAt(CellX(5) + 63, 8);
    ASSERT_EQ(grid_.MouseCol(), 5);
    grid_.SetCols(2);
    grid_.DblClick();
    EXPECT_EQ(grid_.ColWidth(2), 64);
    // A double click on a data cell changes nothing here either.
    DoubleClick(InX(2), InY(2));
    EXPECT_EQ(grid_.ColWidth(2), 64);
    EXPECT_EQ(Current(), (Cell{2, 2}));
}

}  // namespace
}  // namespace tabula::test
