// The lookup list as a person meets it, for what the scripts in tests/scripts cannot show:
// every way it closes without a pick, in each selection mode, with the picture of a full
// repaint after; handlers that re-enter; the list's own scroll bar; its place on a small
// form; the grid or its form going away while it is open; a list of 100,000 values.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/forms/PopupList.h"
#include "platform/forms/ScrollBar.h"
#include "platform/forms/TextBox.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

class LookupTest : public GridTest {
protected:
    LookupTest() {
        form_.Show();
        grid_.SetRows(40);
        for (const char* value : {"Austria", "Belgium", "Bulgaria"})
            grid_.AddLookup(2, value);
        grid_.SetTextMatrix(2, 2, "old");
        grid_.SetRow(2);
        grid_.SetCol(2);
        Record().skip = {"MouseMove", "MouseDown", "MouseUp",  "Click",
                         "KeyDown",   "KeyUp",     "KeyPress", "Scroll"};
    }
    PopupList* List() const { return grid_.LookupForm(); }
    // The drop-down button's middle, in picGrid's pixels.
    void ClickDropDown() {
        const CommandButton& b = grid_.cmdLookup;
        ASSERT_TRUE(b.Visible());
        host_.Advance(1000);  // no double click with an earlier press
        ClickAlone(grid_.picGrid.hWnd(), b.Left() - 2 + 8, b.Top() - 2 + 6);
    }
    Rect ListRect() const {
        Rect r;
        GetWindowRect(List()->hWnd(), &r);
        return r;
    }
    void ExpectClosedUnchanged() {
        EXPECT_EQ(List(), nullptr);
        EXPECT_EQ(grid_.TextMatrix(2, 2), "old");
        ExpectPictureOfAFullRepaint();
    }

    TextBox other_{form_.hWnd(), Rect{420, 10, 500, 30}};
};

TEST_F(LookupTest, EveryClosingWithoutAPickStoresAndRaisesNothing) {
    const struct {
        const char* path;
        std::function<void()> close;
        bool cellsKeepTheKeyboard;
        Log events;  // of the closing call itself
    } cases[] = {
        {"Esc", [&] { Keys("<Esc>"); }, true, {}},
        {"a press outside the list", [&] { host_.Click(other_.hWnd(), 5, 5); }, true, {}},
        {"another control takes the keyboard", [&] { other_.SetFocus(); }, false, {}},
        {"the window loses the system's focus",
         [&] {
             Desktop::Current()->InjectActivation(false);
             host_.Advance(1);
             Desktop::Current()->InjectActivation(true);
         },
         true,
         {}},
        {"a scroll", [&] { grid_.SetTopRow(2); }, true, {}},
        {"a redraw", [&] { grid_.Refresh(); }, true, {}},
        {"a row write", [&] { grid_.SetRow(5); }, true, {"RowColChange 2 2"}},
        {"a resize", [&] { grid_.Move(10, 10, 380, 280); }, true, {"Resize"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        for (const int16_t mode : {SelectionFree, SelectionByRow, SelectionByCol}) {
            SCOPED_TRACE(mode);
            grid_.Move(10, 10, 400, 300);
            grid_.SetSelectionMode(mode);
            grid_.SetTopRow(1);
            grid_.SetRow(2);
            grid_.Refresh();
            grid_.picGrid.SetFocus();
            Keys("b");
            ASSERT_NE(List(), nullptr);
            EXPECT_EQ(GetFocus(), List()->hWnd());
            Record().Take();
            c.close();
            host_.Advance(1);
            ExpectClosedUnchanged();
            EXPECT_EQ(Record().Take(), c.events);
            EXPECT_EQ(GetCapture(), HWND{0});
            EXPECT_EQ(GetFocus(), c.cellsKeepTheKeyboard ? grid_.picGrid.hWnd() : other_.hWnd());
        }
    }
}

TEST_F(LookupTest, HandlersOfAPickThatRedrawMoveOrTakeTheKeyboardCauseNoSecondEnding) {
    const struct {
        std::function<void()> handler;
        Log events;
    } cases[] = {
        {[&] { grid_.Refresh(); }, {"AfterEdit 2 2 Austria"}},
        {[&] { grid_.SetTopRow(3); }, {"AfterEdit 2 2 Austria", "Scroll", "RowColChange 2 2"}},
        {[&] { other_.SetFocus(); }, {"AfterEdit 2 2 Austria"}},
        {[&] { Keys("<Esc>"); }, {"AfterEdit 2 2 Austria"}},
    };
    Record().skip.erase("Scroll");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events.size());
        grid_.SetTopRow(1);
        grid_.SetRow(2);
        grid_.picGrid.SetFocus();
        Keys("a");
        Record().Take();
        Record().handlers["AfterEdit"] = c.handler;
        Keys("<Enter>");
        Record().handlers.clear();
        EXPECT_EQ(Record().Take(), c.events);
        EXPECT_EQ(grid_.TextMatrix(2, 2), "Austria");
        EXPECT_EQ(List(), nullptr);
        ExpectPictureOfAFullRepaint();
    }
}

TEST_F(LookupTest, TheListsScrollBarScrollsItAndLeavesItOpenForAClickToPick) {
    for (int i = 1; i <= 17; ++i)
        grid_.AddLookup(2, "Value " + std::to_string(i));
    ClickDropDown();
    ASSERT_NE(List(), nullptr);
    ScrollBar* bar = FindChild<ScrollBar>(List()->hWnd());
    ASSERT_NE(bar, nullptr);
    ClickAlone(bar->hWnd(), 8, bar->Height() - 5);  // its down arrow
    ClickAlone(bar->hWnd(), 8, bar->Height() - 5);
    EXPECT_EQ(List()->TopIndex(), 2);
    EXPECT_EQ(GetFocus(), List()->hWnd());
    const Rect item = List()->ItemRect(2);
    ClickAlone(List()->hWnd(), item.left + 5, item.top + 3);
    EXPECT_EQ(List(), nullptr);
    EXPECT_EQ(grid_.TextMatrix(2, 2), "Bulgaria");
}

TEST_F(LookupTest, TheListStaysOnASmallFormAndANarrowColumnStillGetsAUsableList) {
    Form small(Rect{0, 0, 200, 110});
    Tabula grid(small.hWnd(), Rect{0, 0, 200, 110});
    grid.InitNew();
    small.Show();
    grid.SetRows(5);
    grid.SetColWidth(2, 20);
    for (int i = 1; i <= 9; ++i)
        grid.AddLookup(2, "Value " + std::to_string(i));
    grid.SetRow(3);
    grid.SetCol(2);
    grid.picGrid.SetFocus();
    Keys("v");
    ASSERT_NE(grid.LookupForm(), nullptr);
    Rect list, form;
    GetWindowRect(grid.LookupForm()->hWnd(), &list);
    GetWindowRect(small.hWnd(), &form);
    EXPECT_GE(list.left, form.left);
    EXPECT_LE(list.right, form.right);
    EXPECT_GE(list.top, form.top);
    EXPECT_LE(list.bottom, form.bottom);
    EXPECT_GE(list.Width(), 3 * grid.cmdLookup.Width());
    // Fewer rows than ListBoxRows where the form has room for fewer, but at least one.
    EXPECT_LT(grid.LookupForm()->VisibleCount(), 6);
    EXPECT_GE(grid.LookupForm()->VisibleCount(), 1);
    Keys("<Enter>");
    EXPECT_EQ(grid.TextMatrix(3, 2), "Value 1");
}

TEST_F(LookupTest, TheGridOrItsFormMayGoAwayWhileTheListIsOpen) {
    for (const bool unloadFirst : {false, true}) {
        SCOPED_TRACE(unloadFirst);
        Form form(Rect{0, 0, 300, 200});
        auto grid = std::make_unique<Tabula>(form.hWnd(), Rect{0, 0, 300, 200});
        grid->InitNew();
        form.Show();
        grid->SetRows(3);
        grid->AddLookup(1, "one");
        grid->picGrid.SetFocus();
        Keys("o");
        ASSERT_NE(grid->LookupForm(), nullptr);
        if (unloadFirst) form.Unload();
        grid.reset();
        host_.Advance(1);
    }
}

TEST_F(LookupTest, AHundredThousandValuesOpenAndTheLastCanBePicked) {
    grid_.RemoveLookup(2);
    for (int i = 0; i < 100000; ++i)
        grid_.AddLookup(2, "Value " + std::to_string(i));
    grid_.SetListBoxRows(8);
    ClickDropDown();
    ASSERT_NE(List(), nullptr);
    EXPECT_EQ(List()->ListCount(), 100000);
    Keys("<End><Enter>");
    EXPECT_EQ(grid_.TextMatrix(2, 2), "Value 99999");
}

TEST_F(LookupTest, ItemDataWithoutATextIsRefusedWhenAdded) {
    const Variant object(std::static_pointer_cast<AutomationObject>(grid_.Font()));
    EXPECT_EQ(RaisedError([&] { grid_.AddLookup(3, "x", object); }), 13);
    EXPECT_FALSE(grid_.ColHasLookup(3));
}

}  // namespace
}  // namespace tabula::test
