#include <gtest/gtest.h>

#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/ScrollBar.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {
namespace {

class ComboBoxTest : public testing::Test {
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
    // A click on the field, then time enough that the next click is a click of its own.
    void ClickField() {
        host_.Click(combo_.hWnd(), 20, combo_.Height() / 2);
        host_.Advance(1000);
    }
    void ClickItem(int32_t index) {
        ListBox* list = OpenList();
        ASSERT_NE(list, nullptr);
        const Rect r = list->ItemRect(index);
        host_.Click(list->hWnd(), r.left + 10, (r.top + r.bottom) / 2);
        host_.Advance(1000);
    }

    HeadlessHost host_;
    Form form_{Rect{100, 100, 500, 400}, "Test"};
    ComboBox combo_{form_.hWnd(), Rect{20, 20, 170, 41}};
    std::vector<std::string> clicks_;
    int deactivations_ = 0;
};

// --- Items and text ------------------------------------------------------------------------------

TEST_F(ComboBoxTest, TextIsTheSelectedItemAndCodeChangesRaiseNothing) {
    EXPECT_EQ(combo_.Style(), 2);
    EXPECT_EQ(combo_.ListCount(), 5);
    EXPECT_EQ(combo_.Text(), "");
    combo_.SetListIndex(2);
    EXPECT_EQ(combo_.Text(), "Cherry");
    combo_.SetListIndex(1000);
    combo_.SetListIndex(-5);
    EXPECT_EQ(combo_.ListIndex(), 2);
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
}

TEST_F(ComboBoxTest, TheHeightFollowsTheFont) {
    const int32_t normal = combo_.Height();
    combo_.Move(20, 20, 150, 100);
    EXPECT_EQ(combo_.Height(), normal);
    combo_.SetFontSize(20);
    EXPECT_GT(combo_.Height(), normal + 10);
}

// --- Opening and picking with the mouse ----------------------------------------------------------

TEST_F(ComboBoxTest, AClickOpensTheListBelowAndAClickOnAnItemPicksIt) {
    int dropDowns = 0;
    combo_.DropDown = [&] { ++dropDowns; };
    ClickField();
    ASSERT_TRUE(combo_.DroppedDown());
    EXPECT_EQ(dropDowns, 1);
    ListBox* list = OpenList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GetParent(list->hWnd()), 0u);  // a window of its own, over every form
    Rect field, dropped;
    GetWindowRect(combo_.hWnd(), &field);
    GetWindowRect(list->hWnd(), &dropped);
    EXPECT_EQ(dropped.top, field.bottom);
    EXPECT_EQ(dropped.left, field.left);
    EXPECT_EQ(dropped.Width(), field.Width());
    EXPECT_EQ(list->ListCount(), 5);
    const HWND listWindow = list->hWnd();
    ClickItem(3);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_FALSE(IsWindow(listWindow));
    EXPECT_EQ(combo_.Text(), "Damson");
    EXPECT_EQ(clicks_, (std::vector<std::string>{"Damson"}));
    EXPECT_TRUE(combo_.HasFocus());
    EXPECT_EQ(deactivations_, 0);  // the form stayed active throughout
}

TEST_F(ComboBoxTest, PickingTheItemAlreadySelectedClosesWithoutClick) {
    combo_.SetListIndex(1);
    ClickField();
    EXPECT_EQ(OpenList()->ListIndex(), 1);  // the list opens on the selection
    ClickItem(1);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_TRUE(clicks_.empty());
}

TEST_F(ComboBoxTest, PressingTheFieldAndReleasingOnAnItemPicksIt) {
    host_.MouseDown(combo_.hWnd(), 20, 5);
    ListBox* list = OpenList();
    ASSERT_NE(list, nullptr);
    const Rect r = list->ItemRect(2);
    host_.MouseMove(list->hWnd(), 10, r.top + 2);
    EXPECT_EQ(list->ListIndex(), 2);  // the highlight follows the mouse
    EXPECT_TRUE(clicks_.empty());
    host_.MouseUp(list->hWnd(), 10, r.top + 2);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(clicks_, (std::vector<std::string>{"Cherry"}));
}

TEST_F(ComboBoxTest, AClickElsewhereClosesTheListAndGoesNoFurther) {
    PictureBox other(form_.hWnd(), Rect{250, 20, 300, 60});
    int otherClicks = 0;
    other.Click = [&] { ++otherClicks; };
    ClickField();
    ASSERT_TRUE(combo_.DroppedDown());
    host_.Click(other.hWnd(), 10, 10);
    host_.Advance(1000);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(otherClicks, 0);
    EXPECT_TRUE(combo_.HasFocus());
    ClickField();
    ClickField();  // the field again closes it too
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_TRUE(clicks_.empty());
    host_.Click(other.hWnd(), 10, 10);  // closed: the click is the other control's
    EXPECT_EQ(otherClicks, 1);
}

TEST_F(ComboBoxTest, ALongListScrollsWithItsOwnBarAndStaysOpen) {
    for (int i = 0; i < 20; ++i)
        combo_.AddItem("More " + std::to_string(i));
    ClickField();
    ListBox* list = OpenList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->VisibleCount(), ComboBox::kMaxDroppedItems);
    ASSERT_TRUE(list->ScrollBarVisible());
    auto findBar = [&]() -> ScrollBar* {
        for (HWND child : GetChildren(OpenList()->hWnd())) {
            if (auto* bar = dynamic_cast<ScrollBar*>(Control::FromHandle(child))) return bar;
        }
        return nullptr;
    };
    ScrollBar* bar = findBar();
    ASSERT_NE(bar, nullptr);
    host_.Click(bar->hWnd(), 8, bar->Height() - 5);  // the down arrow
    host_.Advance(1000);
    host_.Click(bar->hWnd(), 8, bar->Height() - 5);
    host_.Advance(1000);
    EXPECT_TRUE(combo_.DroppedDown());
    EXPECT_EQ(list->TopIndex(), 2);
    EXPECT_TRUE(combo_.HasFocus());
    ClickItem(2);
    EXPECT_EQ(combo_.Text(), "Cherry");
    EXPECT_EQ(combo_.ListIndex(), 2);
    // After using the bar a press elsewhere still closes the list.
    ClickField();
    bar = findBar();
    ASSERT_NE(bar, nullptr);
    host_.Click(bar->hWnd(), 8, 5);
    host_.Advance(1000);
    host_.Click(form_.hWnd(), 300, 250);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(deactivations_, 0);
}

TEST_F(ComboBoxTest, DraggingBelowTheListScrollsIt) {
    for (int i = 0; i < 20; ++i)
        combo_.AddItem("More " + std::to_string(i));
    host_.MouseDown(combo_.hWnd(), 20, 5);
    ListBox* list = OpenList();
    ASSERT_NE(list, nullptr);
    host_.MouseMove(list->hWnd(), 10, list->Height() + 5);
    host_.MouseMove(list->hWnd(), 10, list->Height() + 6);
    EXPECT_EQ(list->TopIndex(), 2);  // one item further for each move
    EXPECT_EQ(list->ListIndex(), ComboBox::kMaxDroppedItems + 1);
    host_.MouseUp(list->hWnd(), 10, list->Height() + 6);
    EXPECT_TRUE(combo_.DroppedDown());  // released off the list: nothing picked yet
    EXPECT_TRUE(clicks_.empty());
}

TEST_F(ComboBoxTest, TheListOpensAboveWhenTheScreenEndsBelow) {
    ComboBox low(form_.hWnd(), Rect{20, 270, 170, 291});
    form_.Move(100, 700);
    low.AddItem("one");
    low.AddItem("two");
    low.SetFocus();
    host_.PressKey(VK_DOWN, vbAltMask);
    ASSERT_TRUE(low.DroppedDown());
    Rect field, dropped;
    GetWindowRect(low.hWnd(), &field);
    GetWindowRect(low.DropDownWindow(), &dropped);
    EXPECT_EQ(dropped.bottom, field.top);
}

// --- Keyboard ------------------------------------------------------------------------------------

TEST_F(ComboBoxTest, ArrowsChangeTheSelectionWithoutOpening) {
    combo_.SetFocus();
    host_.PressKey(VK_DOWN);
    host_.PressKey(VK_DOWN);
    host_.PressKey(VK_UP);
    EXPECT_EQ(combo_.Text(), "Apple");
    EXPECT_FALSE(combo_.DroppedDown());
    host_.PressKey(VK_UP);  // at the top already
    host_.PressKey(VK_END);
    host_.PressKey(VK_DOWN);
    host_.PressKey(VK_HOME);
    host_.Type("c");
    EXPECT_EQ(clicks_, (std::vector<std::string>{"Apple", "Banana", "Apple", "Elderberry", "Apple",
                                                 "Cherry"}));
}

TEST_F(ComboBoxTest, KeysMoveTheOpenListsHighlightAndEnterPicksIt) {
    combo_.SetFocus();
    host_.PressKey(VK_F1 + 3);  // F4
    ASSERT_TRUE(combo_.DroppedDown());
    host_.PressKey(VK_DOWN);
    host_.PressKey(VK_DOWN);
    host_.Type("e");
    EXPECT_EQ(OpenList()->Text(), "Elderberry");
    EXPECT_TRUE(clicks_.empty());
    EXPECT_EQ(combo_.ListIndex(), -1);
    host_.PressKey(VK_UP);
    host_.PressKey(VK_RETURN);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(clicks_, (std::vector<std::string>{"Damson"}));
}

TEST_F(ComboBoxTest, EscapeClosesWithoutAChangeAndAltUpPicks) {
    combo_.SetFocus();
    host_.PressKey(VK_DOWN, vbAltMask);
    host_.PressKey(VK_DOWN);
    host_.PressKey(VK_ESCAPE);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(combo_.ListIndex(), -1);
    host_.PressKey(VK_DOWN, vbAltMask);
    host_.PressKey(VK_END);
    host_.PressKey(VK_UP, vbAltMask);
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(clicks_, (std::vector<std::string>{"Elderberry"}));
}

TEST_F(ComboBoxTest, TabAwayClosesTheList) {
    PictureBox next(form_.hWnd(), Rect{250, 20, 300, 60});
    combo_.SetFocus();
    host_.PressKey(VK_DOWN, vbAltMask);
    ASSERT_TRUE(combo_.DroppedDown());
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(next.HasFocus());
    EXPECT_FALSE(combo_.DroppedDown());
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(ComboBoxTest, TheWheelStepsTheSelection) {
    combo_.SetFocus();
    host_.Wheel(-kWheelDelta);
    host_.Wheel(-kWheelDelta);
    EXPECT_EQ(combo_.Text(), "Banana");
    host_.Wheel(kWheelDelta * 5);
    EXPECT_EQ(combo_.Text(), "Apple");
}

// --- Life and hostile values ---------------------------------------------------------------------

TEST_F(ComboBoxTest, UnloadingTheFormTakesTheOpenListWithIt) {
    ClickField();
    const HWND list = combo_.DropDownWindow();
    ASSERT_TRUE(IsWindow(list));
    form_.Unload();
    EXPECT_FALSE(IsWindow(list));
    EXPECT_FALSE(combo_.DroppedDown());
}

TEST_F(ComboBoxTest, AnEmptyComboOpensAndClosesQuietly) {
    combo_.Clear();
    ClickField();
    ASSERT_TRUE(combo_.DroppedDown());
    ListBox* list = OpenList();
    host_.Click(list->hWnd(), 10, 5);
    host_.PressKey(VK_DOWN);
    host_.PressKey(VK_RETURN);
    EXPECT_FALSE(combo_.DroppedDown());
    host_.PressKey(VK_END);
    host_.Type("x");
    EXPECT_EQ(combo_.ListIndex(), -1);
    EXPECT_TRUE(clicks_.empty());
}

TEST_F(ComboBoxTest, ChangingTheItemsClosesTheOpenList) {
    combo_.SetDroppedDown(true);
    ASSERT_TRUE(combo_.DroppedDown());
    combo_.AddItem("Fig");
    EXPECT_FALSE(combo_.DroppedDown());
    combo_.SetDroppedDown(true);
    EXPECT_EQ(OpenList()->ListCount(), 6);
    combo_.SetDroppedDown(false);
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(ComboBoxTest, ADisabledComboDoesNotOpen) {
    combo_.SetEnabled(false);
    ClickField();
    combo_.SetDroppedDown(true);
    EXPECT_FALSE(combo_.DroppedDown());
}

// --- Drawing -------------------------------------------------------------------------------------

TEST_F(ComboBoxTest, TheFocusedFieldShowsItsTextSelectedAndTheOpenListItsHighlight) {
    PictureBox other(form_.hWnd(), Rect{250, 20, 300, 60});
    other.SetFocus();
    combo_.SetListIndex(0);
    const Point inField{combo_.ButtonRect().left - 4, combo_.Height() / 2};
    EXPECT_EQ(host_.Screenshot(combo_.hWnd()).Pixel(inField.x, inField.y),
              GetSysColor(COLOR_WINDOW));
    combo_.SetFocus();
    EXPECT_EQ(host_.Screenshot(combo_.hWnd()).Pixel(inField.x, inField.y),
              GetSysColor(COLOR_HIGHLIGHT));
    host_.PressKey(VK_DOWN, vbAltMask);
    host_.PressKey(VK_DOWN);
    // On the screen, the list lies over the form below the field, its second item lit.
    const PixelImage screen = host_.Screen();
    ListBox* list = OpenList();
    const Rect item = list->ItemRect(1);
    const Point at = ClientToScreen(list->hWnd(), Point{item.right - 4, item.top + 3});
    EXPECT_EQ(screen.Pixel(at.x, at.y), GetSysColor(COLOR_HIGHLIGHT));
    const Point first = ClientToScreen(list->hWnd(), Point{item.right - 4, item.top - 3});
    EXPECT_EQ(screen.Pixel(first.x, first.y), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace tabula
