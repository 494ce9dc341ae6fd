// Tab and Shift+Tab between cells as the form delivers them, and the grid window's hooks
// (focus and wheel) through the subclassing service: where they are, and that they go.

#include <string>

#include "platform/forms/TextBox.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

class TabKeysTest : public GridTest {
protected:
    TabKeysTest() {
        form_.Show();
        grid_.SetRows(5);
        grid_.SetRow(2);
        grid_.SetCol(2);
        Record().skip = {"MouseMove", "MouseDown", "MouseUp", "Click", "KeyPress", "Scroll"};
    }
    // Whether the subclassing service has the window in its chain.
    static bool Subclassed(HWND hwnd) {
        std::string attachments = "C";
        return GetProp(hwnd, attachments.append(std::to_string(hwnd))) != 0;
    }

    TextBox next_{form_.hWnd(), Rect{420, 10, 500, 30}};
};

TEST_F(TabKeysTest, TabMovesBetweenCellsAlsoFromAnEditAndOtherwiseToTheNextControl) {
    grid_.picGrid.SetFocus();
    Record().Take();
    Keys("<Tab>");
    EXPECT_EQ(Current(), (Cell{2, 3}));
    EXPECT_EQ(Record().Take(), (Log{"KeyDown 9 0", "RowColChange 2 2", "KeyUp 9 0"}));
    Keys("<S-Tab>");
    EXPECT_EQ(Current(), (Cell{2, 2}));
    EXPECT_EQ(Record().Take(),
              (Log{"KeyDown 16 1", "KeyDown 9 1", "RowColChange 2 3", "KeyUp 9 1", "KeyUp 16 0"}));
    // From inside an edit: stored first, then the move.
    Keys("ab<Tab>");
    EXPECT_EQ(grid_.TextMatrix(2, 2), "ab");
    EXPECT_EQ(Current(), (Cell{2, 3}));
    EXPECT_EQ(GetFocus(), grid_.picGrid.hWnd());
    // Without UseTABKey the form takes Tab: the next control gets the keyboard, and Tab
    // from there comes back to the cells.
    grid_.SetUseTABKey(false);
    Record().Take();
    Keys("<Tab>");
    EXPECT_EQ(GetFocus(), next_.hWnd());
    EXPECT_EQ(Current(), (Cell{2, 3}));
    grid_.SetUseTABKey(true);
    Keys("<Tab>");
    EXPECT_EQ(GetFocus(), grid_.picGrid.hWnd());
    // The grid's active object left with the keyboard: Tab in the other control is the
    // form's, the cells stay.
    next_.SetFocus();
    Keys("<S-Tab>");
    EXPECT_EQ(Current(), (Cell{2, 3}));
}

TEST_F(TabKeysTest, AtDesignTimeTheGridLeavesTabToTheForm) {
    AmbientSettings design = container_.Ambient();
    design.userMode = false;
    container_.SetAmbient(design);
    Tabula designed(form_.hWnd(), Rect{10, 320, 200, 420});
    container_.Add(designed, "Tabula.Grid");
    designed.InitProperties();
    EXPECT_FALSE(Subclassed(designed.hWnd()));
    designed.picGrid.SetFocus();
    Keys("<Tab>");
    EXPECT_NE(GetFocus(), designed.picGrid.hWnd());
    EXPECT_EQ(designed.Col(), 1);
}

TEST_F(TabKeysTest, TheWheelHookFollowsTheKeyboardAndEveryHookEndsWithItsGrid) {
    const HWND window = grid_.hWnd();
    const intptr_t ownProcedure = GetWindowLongPtr(next_.hWnd(), GWLP_WNDPROC);
    {
        Tabula other(form_.hWnd(), Rect{10, 320, 200, 420});
        container_.Add(other, "Tabula.Grid");
        other.InitProperties();
        other.SetRows(5);
        // Both listen for the focus; the wheel only while their cells have the keyboard.
        grid_.picGrid.SetFocus();
        EXPECT_TRUE(Subclassed(window));
        EXPECT_NE(GetProp(window, std::to_string(window) + "#522C"), 0);
        other.picGrid.SetFocus();
        EXPECT_EQ(GetProp(window, std::to_string(window) + "#522C"), 0);
        EXPECT_NE(GetProp(other.hWnd(), std::to_string(other.hWnd()) + "#522C"), 0);
        host_.Wheel(-120);
        EXPECT_EQ(other.Row(), 2);
        EXPECT_EQ(grid_.Row(), 2);
        EXPECT_EQ(form_.ActiveObject() != nullptr, true);
    }
    // The grid that went took its active object with it.
    EXPECT_EQ(form_.ActiveObject(), nullptr);
    EXPECT_EQ(GetWindowLongPtr(next_.hWnd(), GWLP_WNDPROC), ownProcedure);
}

}  // namespace
}  // namespace tabula::test
