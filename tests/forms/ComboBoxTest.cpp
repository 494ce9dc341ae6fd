#include "platform/forms/ComboBox.h"

#include "platform/forms/ListBox.h"
#include "platform/forms/ScrollBar.h"
#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

using Texts = std::vector<std::string>;

class ComboBoxTest : public test::FormFixture {
protected:
    void SetUp() override {
        for (const char* fruit : {"Apple", "Banana", "Cherry", "Damson", "Elderberry"})
            combo_.AddItem(fruit);
        combo_.Click = [&] { clicks_.push_back(combo_.Text()); };
        form_.Deactivate = [&] { ++deactivations_; };
        form_.Show();
    }

    ListBox* OpenList() {
        return dynamic_cast<ListBox*>(Control::FromHandle(combo_.DropDownWindow()));
    }
    void ClickField() { ClickAlone(combo_.hWnd(), 20, combo_.Height() / 2); }
    void ClickItem(int32_t index) {
        ListBox* list = OpenList();
        ASSERT_NE(list, nullptr);
        const Rect r = list->ItemRect(index);
        ClickAlone(list->hWnd(), r.left + 10, (r.top + r.bottom) / 2);
    }
    static Rect ScreenRect(HWND hwnd) {
        Rect r;
        GetWindowRect(hwnd, &r);
        return r;
    }
    void AddMore() {
        for (int i = 0; i < 20; ++i)
            combo_.AddItem("More " + std::to_string(i));
    }

    ComboBox combo_{form_.hWnd(), Rect{20, 20, 170, 41}};
    Texts clicks_;
    int deactivations_ = 0;
};

// --- Items and text ------------------------------------------------------------------------------

TEST_F(ComboBoxTest, TextIsTheSelectedItemCodeChangesRaiseNothingAndTheHeightFollowsTheFont) {
    EXPECT_EQ(combo_.Style(), 2);
    EXPECT_EQ(combo_.Text(), "");
    for (int32_t index : {2, 1000, -5})
        combo_.SetListIndex(index);
    EXPECT_EQ(combo_.Text(), "Cherry");
    combo_.AddItem("Apricot", 1);
    EXPECT_EQ(combo_.Text(), "Cherry");
    combo_.SetList(3, "Cherry (sour)");
    EXPECT_EQ(combo_.Text(), "Cherry (sour)");
    combo_.RemoveItem(3);
    EXPECT_EQ(combo_.ListIndex(), -1);
    combo_.RemoveItem(99);
    EXPECT_EQ(combo_.List(99), "");
    combo_.Clear();
    EXPECT_EQ(combo_.ListCount(), 0);
    EXPECT_TRUE(clicks_.empty());
    const int32_t normal = combo_.Height();
    combo_.Move(20, 20, 150, 100);
    EXPECT_EQ(combo_.Height(), normal);
    combo_.SetFontSize(20);
    EXPECT_GT(combo_.Height(), normal + 10);
}

// --- Opening and picking with the mouse ----------------------------------------------------------

TEST_F(ComboBoxTest, AClickOpensTheListBelowAClickOrReleaseOnAnItemPicksAndDraggingScrolls) {
    int dropDowns = 0;
    combo_.DropDown = [&] { ++dropDowns; };
    ClickField();
    ListBox* list = OpenList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GetParent(list->hWnd()), 0u);  // a window of its own, over every form
    const Rect field = ScreenRect(combo_.hWnd()), dropped = ScreenRect(list->hWnd());
    EXPECT_EQ(dropped, (Rect{field.left, field.bottom, field.right, dropped.bottom}));
    const HWND listWindow = list->hWnd();
    ClickItem(3);
    EXPECT_FALSE(IsWindow(listWindow));
    EXPECT_TRUE(combo_.HasFocus());
    // The list opens on the selection; picking it again closes without Click.
    ClickField();
    EXPECT_EQ(OpenList()->ListIndex(), 3);
    ClickItem(3);  // closed again: the next press opens it anew
    EXPECT_EQ(clicks_, (Texts{"Damson"}));
    EXPECT_EQ(dropDowns, 2);
    EXPECT_EQ(deactivations_, 0);  // the form stayed active throughout
    AddMore();
    host_.MouseDown(combo_.hWnd(), 20, 5);
    list = OpenList();
    ASSERT_NE(list, nullptr);
    const Rect r = list->ItemRect(2);
    host_.MouseMove(list->hWnd(), 10, r.top + 2);
    EXPECT_EQ(list->ListIndex(), 2);  // the highlight follows the mouse
    EXPECT_EQ(clicks_.size(), 1u);
    host_.MouseUp(list->hWnd(), 10, r.top + 2);
    EXPECT_EQ(clicks_, (Texts{"Damson", "Cherry"}));
    host_.Advance(1000);
    host_.MouseDown(combo_.hWnd(), 20, 5);
    list = OpenList();
    ASSERT_NE(list, nullptr);
    host_.MouseMove(list->hWnd(), 10, list->Height() + 5);
    host_.MouseMove(list->hWnd(), 10, list->Height() + 6);
    EXPECT_EQ(list->TopIndex(), 2);  // one item further for each move
    EXPECT_EQ(list->ListIndex(), ComboBox::kMaxDroppedItems + 1);
    host_.MouseUp(list->hWnd(), 10, list->Height() + 6);
    EXPECT_TRUE(combo_.DroppedDown());  // released off the list: nothing picked yet
    EXPECT_EQ(clicks_.size(), 2u);
}

TEST_F(ComboBoxTest, AClickElsewhereChangingItemsOrUnloadingCloseTheListWhichDrawsItsSelection) {
    PictureBox other(form_.hWnd(), Rect{250, 20, 300, 60});
    int otherClicks = 0;
    other.Click = [&] { ++otherClicks; };
    ClickField();
    ASSERT_TRUE(combo_.DroppedDown());
    ClickAlone(other.hWnd(), 10, 10);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(otherClicks, 0);
    EXPECT_TRUE(combo_.HasFocus());
    ClickField();
    ClickField();  // the field again closes it too
    EXPECT_TRUE(clicks_.empty());
    host_.Click(other.hWnd(), 10, 10);  // closed: the click is the other control's
    EXPECT_EQ(otherClicks, 1);
    // The field shows its text selected only while focused.
    combo_.SetListIndex(0);
    const Point inField{combo_.ButtonRect().left - 4, combo_.Height() / 2};
    EXPECT_EQ(host_.Screenshot(combo_.hWnd()).Pixel(inField.x, inField.y),
              GetSysColor(COLOR_WINDOW));
    combo_.SetFocus();
    EXPECT_EQ(host_.Screenshot(combo_.hWnd()).Pixel(inField.x, inField.y),
              GetSysColor(COLOR_HIGHLIGHT));
    Keys("<A-Down><Down>");
    // On the screen, the list lies over the form below the field, its second item lit.
    const PixelImage screen = host_.Screen();
    ListBox* list = OpenList();
    const Rect item = list->ItemRect(1);
    const Point at = ClientToScreen(list->hWnd(), Point{item.right - 4, item.top + 3});
    EXPECT_EQ(screen.Pixel(at.x, at.y), GetSysColor(COLOR_HIGHLIGHT));
    const Point first = ClientToScreen(list->hWnd(), Point{item.right - 4, item.top - 3});
    EXPECT_EQ(screen.Pixel(first.x, first.y), GetSysColor(COLOR_WINDOW));
    combo_.SetDroppedDown(true);
    combo_.AddItem("Fig");
    EXPECT_FALSE(combo_.DroppedDown());
    combo_.SetDroppedDown(true);
    EXPECT_EQ(OpenList()->ListCount(), 6);
    combo_.SetDroppedDown(false);
    EXPECT_EQ(GetCapture(), 0u);
    combo_.SetEnabled(false);
    ClickField();
    combo_.SetDroppedDown(true);
    EXPECT_FALSE(combo_.DroppedDown());
    // Unloading the form takes an open list with it.
    combo_.SetEnabled(true);
    ClickField();
    const HWND listWindow = combo_.DropDownWindow();
    ASSERT_TRUE(IsWindow(listWindow));
    form_.Unload();
    EXPECT_FALSE(IsWindow(listWindow));
    EXPECT_FALSE(combo_.DroppedDown());
}

TEST_F(ComboBoxTest, ALongListScrollsWithItsOwnBarAndAListOpensAboveAtTheScreensFoot) {
    AddMore();
    ClickField();
    ListBox* list = OpenList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->VisibleCount(), ComboBox::kMaxDroppedItems);
    ASSERT_TRUE(list->ScrollBarVisible());
    ScrollBar* bar = FindChild<ScrollBar>(list->hWnd());
    ASSERT_NE(bar, nullptr);
    ClickAlone(bar->hWnd(), 8, bar->Height() - 5);  // the down arrow
    ClickAlone(bar->hWnd(), 8, bar->Height() - 5);
    EXPECT_EQ(list->TopIndex(), 2);
    EXPECT_TRUE(combo_.HasFocus());
    ClickItem(2);
    EXPECT_EQ(combo_.Text(), "Cherry");
    // After using the bar a press elsewhere still closes the list.
    ClickField();
    bar = FindChild<ScrollBar>(OpenList()->hWnd());
    ASSERT_NE(bar, nullptr);
    ClickAlone(bar->hWnd(), 8, 5);
    host_.Click(form_.hWnd(), 300, 250);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(deactivations_, 0);
    ComboBox low(form_.hWnd(), Rect{20, 270, 170, 291});
    form_.Move(100, 700);
    low.AddItem("one");
    low.SetFocus();
    Keys("<A-Down>");
    EXPECT_EQ(ScreenRect(low.DropDownWindow()).bottom, ScreenRect(low.hWnd()).top);
}

// --- Keyboard ------------------------------------------------------------------------------------

TEST_F(ComboBoxTest, ArrowsHomeEndTypingAndTheWheelChangeTheSelectionWithoutOpening) {
    combo_.SetFocus();
    Keys("<Down><Down><Up>");
    EXPECT_FALSE(combo_.DroppedDown());
    Keys("<Up><End><Down><Home>c");  // at the top already, then to the far ends
    host_.Wheel(-kWheelDelta);
    host_.Wheel(-kWheelDelta);
    host_.Wheel(kWheelDelta * 5);
    EXPECT_EQ(clicks_, (Texts{"Apple", "Banana", "Apple", "Elderberry", "Apple", "Cherry", "Damson",
                              "Elderberry", "Apple"}));
}

TEST_F(ComboBoxTest, InTheOpenListKeysMoveTheHighlightEnterOrAltUpPickAndEscapeOrTabClose) {
    PictureBox next(form_.hWnd(), Rect{250, 20, 300, 60});
    combo_.SetFocus();
    Keys("<F4><Down><Down>e");
    ASSERT_TRUE(combo_.DroppedDown());
    EXPECT_EQ(OpenList()->Text(), "Elderberry");
    EXPECT_EQ(combo_.ListIndex(), -1);  // nothing picked while the list is open
    Keys("<Up><Enter>");
    EXPECT_FALSE(combo_.DroppedDown());
    Keys("<A-Down><Down><Esc>");
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(combo_.Text(), "Damson");
    Keys("<A-Down><End><A-Up>");
    EXPECT_EQ(clicks_, (Texts{"Damson", "Elderberry"}));
    Keys("<A-Down>");
    ASSERT_TRUE(combo_.DroppedDown());
    Keys("<Tab>");
    EXPECT_TRUE(next.HasFocus());
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(GetCapture(), 0u);
}

// --- Life and hostile values ---------------------------------------------------------------------

}  // namespace
}  // namespace tabula
