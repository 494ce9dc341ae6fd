// The in-place editor as a person drives it, for what the scripts in tests/scripts cannot
// show: every way an edit ends with the picture, the box and the keyboard after it, in
// every selection mode; endings that a handler re-enters; the key forwarded after Up; the
// box over the cell.

#include <algorithm>
#include <functional>
#include <string>

#include "platform/forms/TextBox.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

class EditorTest : public GridTest {
protected:
    EditorTest() {
        form_.Show();
        grid_.SetRows(40);
        grid_.SetTextMatrix(2, 2, "abc");
        grid_.SetRow(2);
        grid_.SetCol(2);
        Record().skip = {"MouseMove", "MouseDown", "MouseUp",  "Click",
                         "KeyDown",   "KeyUp",     "KeyPress", "Scroll"};
    }
    bool Editing() { return grid_.State().Editing; }
    HWND Focus() { return GetFocus(); }
    // After an ending: no edit, no box, and the picture a full repaint draws.
    void ExpectClosed() {
        EXPECT_FALSE(Editing());
        EXPECT_FALSE(grid_.txtSingle.Visible());
        EXPECT_NE(Focus(), grid_.txtSingle.hWnd());
        ExpectPictureOfAFullRepaint();
    }

    TextBox other_{form_.hWnd(), Rect{420, 10, 500, 30}};
};

TEST_F(EditorTest, EveryEndingStoresOnceAndLeavesThePictureOfAFullRepaint) {
    const std::string stored = "abcx";
    const struct {
        const char* path;
        std::function<void()> end;
        const char* text;  // of cell (2, 2) afterwards
        Log events;
    } cases[] = {
        {"Enter", [&] { Keys("<Enter>"); }, "abcx", {"AfterEdit 2 2 abcx"}},
        {"Esc", [&] { Keys("<Esc>"); }, "abc", {}},
        {"Tab",
         [&] { grid_.KeyDown(VK_TAB, 0); },
         "abcx",
         {"AfterEdit 2 2 abcx", "RowColChange 2 2"}},
        {"another control takes the keyboard",
         [&] { other_.SetFocus(); },
         "abcx",
         {"AfterEdit 2 2 abcx"}},
        {"a bar takes the keyboard",
         [&] { grid_.scrHorizontal.SetFocus(); },
         "abcx",
         {"AfterEdit 2 2 abcx"}},
        {"a press by the public MouseDown",
         [&] { grid_.MouseDown(1, 0, 150, 60); },
         "abcx",
         {"AfterEdit 2 2 abcx", "RowColChange 2 2"}},
        {"the hidden vertical bar's value",
         [&] { grid_.SetRows(3); },
         "abcx",
         {"AfterEdit 2 2 abcx"}},
        {"a sideways scroll",
         [&] { grid_.scrHorizontal.SetValue(2); },
         "abcx",
         {"AfterEdit 2 2 abcx"}},
        {"Row", [&] { grid_.SetRow(5); }, "abcx", {"AfterEdit 2 2 abcx", "RowColChange 2 2"}},
        {"AddItem",
         [&] { grid_.AddItem("new"); },
         "abcx",
         {"AfterEdit 2 2 abcx", "BeforeAddRow", "AfterAddRow 41"}},
        {"RemoveItem",
         [&] { grid_.RemoveItem(5); },
         "abcx",
         {"AfterEdit 2 2 abcx", "BeforeDeleteRow 5", "AfterDeleteRow 5"}},
        {"ColMask", [&] { grid_.SetColMask(2, Uppercase); }, "abcx", {"AfterEdit 2 2 abcx"}},
        {"WordWrap", [&] { grid_.SetWordWrap(true); }, "abcx", {"AfterEdit 2 2 abcx"}},
        {"Text, which wins", [&] { grid_.SetText("app"); }, "app", {"AfterEdit 2 2 abcx"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        for (const int16_t mode : {SelectionFree, SelectionByRow, SelectionByCol}) {
            SCOPED_TRACE(mode);
            grid_.SetWordWrap(false);
            grid_.SetColMask(2, NoMask);
            grid_.SetRows(40);
            grid_.SetSelectionMode(mode);
            grid_.SetTextMatrix(2, 2, "abc");
            // The column first: only the row's write reshapes the block to the mode.
            grid_.SetLeftCol(1);
            grid_.SetCol(2);
            grid_.SetRow(2);
            grid_.Refresh();  // the picture of the starting point, whatever came before
            grid_.picGrid.SetFocus();
            Keys("x");
            ASSERT_TRUE(Editing());
            Record().Take();
            c.end();
            host_.Advance(1);
            ExpectClosed();
            EXPECT_EQ(grid_.TextMatrix(2, 2), c.text);
            Log events = Record().Take();
            if (!events.empty() && events.front().starts_with("BeforeEdit"))
                events.erase(events.begin());
            EXPECT_EQ(events, c.events);
        }
    }
}

TEST_F(EditorTest, AHandlerThatWritesOrMovesTheKeyboardCausesNoSecondEnding) {
    const std::function<void()> handlers[] = {
        [&] { grid_.Refresh(); },
        [&] { grid_.SetRow(4); },
        [&] { other_.SetFocus(); },
        [&] { grid_.SetTopRow(10); },
    };
    for (size_t i = 0; i < std::size(handlers); ++i) {
        SCOPED_TRACE(i);
        grid_.SetTopRow(1);
        grid_.SetRow(2);
        grid_.picGrid.SetFocus();
        Keys("q");
        Record().Take();
        Record().handlers["BeforeEdit"] = handlers[i];
        Keys("<Enter>");
        Record().handlers.clear();
        const Log events = Record().Take();
        EXPECT_EQ(std::count(events.begin(), events.end(), "BeforeEdit 2 2"), 1);
        EXPECT_EQ(std::count_if(events.begin(), events.end(),
                                [](const std::string& e) { return e.starts_with("AfterEdit"); }),
                  1);
        EXPECT_FALSE(Editing());
        EXPECT_FALSE(grid_.txtSingle.Visible());
    }
}

TEST_F(EditorTest, TheArrowForwardedAfterUpReachesOnlyTheCells) {
    Keys("u<Up>");
    EXPECT_EQ(Current(), (Cell{1, 2}));
    // A handler that gives the keyboard elsewhere keeps the arrow from the other control.
    other_.SetText("keep");
    grid_.SetRow(2);
    Keys("d");
    Record().handlers["AfterEdit"] = [&] { other_.SetFocus(); };
    Keys("<Down>");
    EXPECT_EQ(Current(), (Cell{2, 2}));
    EXPECT_EQ(Focus(), other_.hWnd());
    EXPECT_EQ(other_.Text(), "keep");
}

TEST_F(EditorTest, OnlyTypeableKeysStartAnEditAndNoControlCharacterReachesACell) {
    for (const char* keys : {"<Esc>", "<C-A>", "<C-C>"}) {
        Keys(keys);
        EXPECT_FALSE(Editing()) << keys;
    }
    // A key vetoed to 0 starts nothing; Backspace opens the box with the text unchanged.
    Record().keyAscii = 0;
    Keys("z");
    EXPECT_FALSE(Editing());
    Record().keyAscii.reset();
    Keys("<Back>");
    EXPECT_EQ(grid_.txtSingle.Text(), "abc");
    Keys("<Enter>");
    EXPECT_EQ(grid_.TextMatrix(2, 2), "abc");
    // A character beyond 16 bits arrives in two halves; the first opens the box.
    Keys("\xF0\x9F\x98\x80x<Enter>");
    EXPECT_EQ(grid_.TextMatrix(2, 2), "abc\xF0\x9F\x98\x80x");
    grid_.SetSelectText(true);
    Keys("\xF0\x9F\x98\x80<Enter>");
    EXPECT_EQ(grid_.TextMatrix(2, 2), "\xF0\x9F\x98\x80");
}

TEST_F(EditorTest, TheBoxLiesOverTheCellInTheEditFontWhiteAndBlack) {
    grid_.SetCellBackColor(2, 2, int32_t(kRed));
    FontDescriptor big;
    big.size = 14;
    grid_.SetFontEdit(std::make_shared<FontObject>(big));
    Keys("x");
    const TextBox& box = grid_.txtSingle;
    // In the control's coordinates, where picGrid lies at (2, 2).
    EXPECT_EQ(box.Left(), CellX(2) + 3);
    EXPECT_EQ(box.Top(), CellY(2) + 2);
    EXPECT_EQ(box.Width(), grid_.ColWidth(2) - 3);
    EXPECT_EQ(box.Height(), grid_.RowHeight(2));
    EXPECT_EQ(box.BackColor(), kWhite);
    EXPECT_EQ(box.ForeColor(), kBlack);
    EXPECT_EQ(box.Font().size, 14);
    Keys("<Enter>");
}

TEST_F(EditorTest, AutoMoveScrollsTheNextEditableCellIntoViewDownAndAcross) {
    grid_.SetAutoMove(true);
    // The next cell after the last column of the last row wholly shown comes wholly into
    // view.
    const auto whollyShown = [&](int32_t row) {
        const int32_t top = grid_.CellTop(row, 1);
        return top >= 0 && top + grid_.RowHeight(row) <= grid_.picGrid.ScaleHeight();
    };
    int32_t last = 1;
    while (whollyShown(last + 1))
        ++last;
    grid_.SetCol(5);
    grid_.SetRow(last);
    Keys("e<Enter>");
    EXPECT_EQ(Current(), (Cell{last + 1, 1}));
    EXPECT_TRUE(whollyShown(last + 1));
    ExpectPictureOfAFullRepaint();
    // From the last editable cell nothing moves and nothing scrolls.
    grid_.SetRow(40);
    grid_.SetCol(5);
    const int32_t top = grid_.TopRow();
    Record().Take();
    Keys("e<Enter>");
    EXPECT_EQ(Current(), (Cell{40, 5}));
    EXPECT_EQ(grid_.TopRow(), top);
    EXPECT_EQ(Record().Take(), (Log{"BeforeEdit 40 5", "BeforeEdit 40 5", "AfterEdit 40 5 e"}));
}

}  // namespace
}  // namespace tabula::test
