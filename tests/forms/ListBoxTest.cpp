#include "platform/forms/ListBox.h"

#include "platform/forms/ScrollBar.h"
#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

using Texts = std::vector<std::string>;
using Indexes = std::vector<int32_t>;

class ListBoxTest : public test::FormFixture {
protected:
    void SetUp() override {
        list_.Click = [&] { clicks_.push_back(list_.ListIndex()); };
        form_.Show();
    }

    void Fill(int count) {
        for (int i = 0; i < count; ++i)
            list_.AddItem("Item " + std::to_string(i));
    }
    // The middle of an item's row, where a person clicks it.
    Point RowMiddle(int32_t index) const {
        const Rect r = list_.ItemRect(index);
        return {r.left + 20, (r.top + r.bottom) / 2};
    }
    void ClickItem(int32_t index) {
        ClickAlone(list_.hWnd(), RowMiddle(index).x, RowMiddle(index).y);
    }

    ListBox list_{form_.hWnd(), Rect{10, 10, 160, 110}};
    Indexes clicks_;
};

// --- Items ---------------------------------------------------------------------------------------

TEST_F(ListBoxTest, IntegralHeightKeepsWholeItemsItemsChangeByCodeAndBadIndexesAreIgnored) {
    const int32_t item = list_.ItemHeight();
    EXPECT_LE(list_.Height(), 100);
    EXPECT_GT(list_.Height(), 100 - item);
    EXPECT_EQ((list_.Height() - 4) % item, 0);
    list_.Move(10, 10, 150, 7 * item + 4 + item / 2);
    EXPECT_EQ(list_.Height(), 7 * item + 4);
    EXPECT_EQ(list_.VisibleCount(), 7);
    list_.Move(10, 10, 150, 1);  // never less than one item
    EXPECT_EQ(list_.Height(), item + 4);
    list_.SetIntegralHeight(false);
    list_.Move(10, 10, 150, 7 * item + 4 + item / 2);
    EXPECT_EQ(list_.Height(), 7 * item + 4 + item / 2);
    EXPECT_EQ(list_.VisibleCount(), 7);
    list_.AddItem("b");
    list_.AddItem("d");
    list_.AddItem("a", 0);
    list_.AddItem("c", 2);
    list_.AddItem("e", 1000);  // out of range appends
    list_.AddItem("f", -7);
    list_.SetList(5, "F");
    list_.RemoveItem(0);
    Texts texts;
    for (int32_t i = 0; i < list_.ListCount(); ++i)
        texts.push_back(list_.List(i));
    EXPECT_EQ(texts, (Texts{"b", "c", "d", "e", "F"}));
    list_.Clear();
    EXPECT_EQ(list_.ListCount(), 0);
    EXPECT_EQ(list_.ListIndex(), -1);
    // The selection follows its item, and Selected mirrors it.
    Fill(5);
    list_.SetSelected(2, true);
    list_.SetSelected(1, false);  // not the selected one: nothing changes
    list_.AddItem("new", 0);
    EXPECT_EQ(list_.ListIndex(), 3);
    list_.RemoveItem(0);
    list_.RemoveItem(4);
    EXPECT_EQ(list_.ListIndex(), 2);
    list_.RemoveItem(2);  // the selected item itself
    EXPECT_EQ(list_.ListIndex(), -1);
    list_.SetSelected(1, true);
    EXPECT_EQ(list_.ListIndex(), 1);
    list_.SetSelected(1, false);
    EXPECT_EQ(list_.ListIndex(), -1);
    EXPECT_TRUE(clicks_.empty());  // changes by code raise no Click
    list_.Clear();
    list_.SetListIndex(0);
    list_.SetFocus();
    Keys("<Down><Up><PgDn><PgUp><Home><End>abc");
    EXPECT_EQ(list_.ListIndex(), -1);
    Fill(3);
    for (int32_t index : {1, 1000, -2})
        list_.SetListIndex(index);
    list_.RemoveItem(-1);
    list_.SetList(3, "x");
    list_.SetSelected(7, true);
    EXPECT_EQ(list_.ListIndex(), 1);
    EXPECT_EQ(list_.ListCount(), 3);
    EXPECT_FALSE(list_.Selected(-1));
    list_.SetTopIndex(-1000);
    EXPECT_EQ(list_.TopIndex(), 0);
    EXPECT_TRUE(clicks_.empty());
}

TEST_F(ListBoxTest, AListLongerThanTheBarsRangeScrollsToItsEndByKeysAndByTheBar) {
    list_.SetItems(std::vector<std::string>(100000, "x"));
    list_.SetFocus();
    Keys("<End>");
    EXPECT_EQ(list_.ListIndex(), 99999);
    EXPECT_EQ(list_.TopIndex(), 100000 - list_.VisibleCount());
    ScrollBar* bar = FindChild<ScrollBar>(list_.hWnd());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Value(), bar->Max());
    // Dragging the thumb from the bottom to the top scrolls the whole length.
    host_.Drag(bar->hWnd(), 8, bar->Height() - 24, 8, -50);
    EXPECT_EQ(list_.TopIndex(), 0);
}

// --- Mouse ---------------------------------------------------------------------------------------

TEST_F(ListBoxTest, ClickingAnItemSelectsItAndRaisesClickOnlyWhenTheSelectionMoves) {
    Fill(5);
    int doubles = 0;
    list_.DblClick = [&] {
        ++doubles;
        EXPECT_EQ(list_.ListIndex(), 3);
    };
    ClickItem(2);
    ClickItem(2);
    ClickItem(4);
    // Below the last item there is nothing to pick.
    ClickAlone(list_.hWnd(), 20, list_.ItemRect(4).bottom + 3);
    host_.DoubleClick(list_.hWnd(), RowMiddle(3).x, RowMiddle(3).y);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(clicks_, (Indexes{2, 4, 3}));
}

TEST_F(ListBoxTest, DraggingMovesTheSelectionAndScrollsPastTheEdges) {
    Fill(30);
    const int32_t visible = list_.VisibleCount();
    const Point first = RowMiddle(0);
    host_.MouseDown(list_.hWnd(), first.x, first.y);
    host_.MouseMove(list_.hWnd(), first.x, RowMiddle(2).y);
    // Held below the box, each move brings the next item in.
    host_.MouseMove(list_.hWnd(), first.x, list_.Height() + 10);
    host_.MouseMove(list_.hWnd(), first.x, list_.Height() + 11);
    EXPECT_EQ(list_.TopIndex(), 2);
    host_.MouseUp(list_.hWnd(), first.x, list_.Height() + 11);
    host_.MouseMove(list_.hWnd(), first.x, RowMiddle(list_.TopIndex()).y);
    EXPECT_EQ(list_.ListIndex(), visible + 1);  // the button is up: no more tracking
    EXPECT_EQ(clicks_, (Indexes{0, 2, visible, visible + 1}));
}

TEST_F(ListBoxTest, TheWheelScrollsThreeItemsANotchAndCodeScrollsItsSelectionIntoView) {
    Fill(30);
    list_.SetFocus();
    const struct {
        int32_t delta, top;
    } notches[] = {
        {-kWheelDelta, 3}, {-kWheelDelta / 2, 3}, {-kWheelDelta / 2, 6}, {10 * kWheelDelta, 0}};
    for (const auto& notch : notches) {
        host_.Wheel(notch.delta);
        EXPECT_EQ(list_.TopIndex(), notch.top) << notch.delta;
    }
    list_.SetListIndex(20);
    EXPECT_EQ(list_.TopIndex(), 20 - list_.VisibleCount() + 1);
    list_.SetListIndex(3);
    EXPECT_EQ(list_.TopIndex(), 3);
    list_.SetTopIndex(1000);
    EXPECT_EQ(list_.TopIndex(), 30 - list_.VisibleCount());
    EXPECT_TRUE(clicks_.empty());
}

// --- Keyboard ------------------------------------------------------------------------------------

TEST_F(ListBoxTest, KeysMoveTheSelectionAndKeepItInView) {
    Fill(30);
    const int32_t visible = list_.VisibleCount();
    ASSERT_GE(visible, 3);
    list_.SetFocus();
    const struct {
        const char* keys;
        int32_t index, top;
    } steps[] = {{"<Down>", 0, 0},  // from nothing to the first item
                 {"<Down><Down><Up>", 1, 0},
                 {"<End><Down>", 29, 30 - visible},  // at the end already: no Click
                 {"<Home><Up>", 0, 0},
                 // Page keys go to the edge of the page first, then a page on.
                 {"<PgDn>", visible - 1, 0},
                 {"<PgDn>", 2 * (visible - 1), visible - 1},
                 {"<PgUp>", visible - 1, visible - 1},
                 {"<PgUp><PgUp>", 0, 0}};
    for (const auto& step : steps) {
        Keys(step.keys);
        EXPECT_EQ(list_.ListIndex(), step.index) << step.keys;
        EXPECT_EQ(list_.TopIndex(), step.top) << step.keys;
    }
    EXPECT_EQ(clicks_,
              (Indexes{0, 1, 2, 1, 29, 0, visible - 1, 2 * (visible - 1), visible - 1, 0}));
}

// --- Scrolling -----------------------------------------------------------------------------------

TEST_F(ListBoxTest, TheScrollBarScrollsTheListAndLeavesTheFocusWithIt) {
    Fill(30);
    ScrollBar* bar = FindChild<ScrollBar>(list_.hWnd());
    ASSERT_NE(bar, nullptr);
    PictureBox other(form_.hWnd(), Rect{200, 10, 250, 40});
    other.SetFocus();
    ClickAlone(bar->hWnd(), 8, bar->Height() - 5);  // its down arrow
    EXPECT_EQ(list_.TopIndex(), 1);
    EXPECT_TRUE(list_.HasFocus());
    host_.Click(bar->hWnd(), 8, bar->Height() - 25);  // the track below the thumb
    EXPECT_EQ(list_.TopIndex(), 1 + list_.VisibleCount());
    Keys("<End>");
    EXPECT_EQ(bar->Value(), list_.TopIndex());  // and the bar follows the list
    EXPECT_EQ(clicks_, (Indexes{29}));
}

// --- Size and font -------------------------------------------------------------------------------

TEST_F(ListBoxTest, FontSizeSetsTheItemHeightTheBarShowsWhenNeededAndTypingSelectsAnItem) {
    Fill(3);
    EXPECT_FALSE(list_.ScrollBarVisible());
    const int32_t fullWidth = list_.ItemRect(0).Width();
    const int32_t small = list_.ItemHeight();
    list_.SetFontSize(20);
    EXPECT_GT(list_.ItemHeight(), 2 * small);
    EXPECT_EQ((list_.Height() - 4) % list_.ItemHeight(), 0);
    // A click just below the first big row lands on the second item.
    host_.Click(list_.hWnd(), 20, 2 + list_.ItemHeight() + 2);
    EXPECT_EQ(list_.ListIndex(), 1);
    EXPECT_TRUE(list_.ScrollBarVisible());  // two big rows: the third item needs the bar
    EXPECT_EQ(list_.ItemRect(0).Width(), fullWidth - ListBox::kScrollBarWidth);
    list_.Clear();
    for (const char* text : {"apple", "Banana", "avocado", "Apricot", "cherry", "élan", "Éclair"})
        list_.AddItem(text);
    list_.SetFocus();
    const struct {
        const char* typed;
        const char* selected;
    } steps[] = {{"a", "apple"},  {"A", "avocado"}, {"a", "Apricot"},
                 {"a", "apple"},  // round to the first again
                 {"z", "apple"},  // nothing starts with z: nothing moves
                 {"C", "cherry"}, {"É", "élan"},    {"é", "Éclair"}};
    for (const auto& step : steps) {
        host_.Type(step.typed);
        EXPECT_EQ(list_.Text(), step.selected) << step.typed;
    }
}

// --- Drawing -------------------------------------------------------------------------------------

TEST_F(ListBoxTest, TheSelectedItemIsHighlightedWithAFocusRectangleWhenFocused) {
    Fill(5);
    list_.SetListIndex(1);
    const Rect row = list_.ItemRect(1), other = list_.ItemRect(3);
    const int32_t x = row.right - 5;  // right of the text
    PixelImage shot = host_.Screenshot(list_.hWnd());
    EXPECT_EQ(shot.Pixel(x, row.top + 3), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(shot.Pixel(x, other.top + 3), GetSysColor(COLOR_WINDOW));
    // Not focused: the row is plain highlight to its corner.
    EXPECT_EQ(shot.Pixel(row.left, row.top), GetSysColor(COLOR_HIGHLIGHT));
    list_.SetFocus();
    shot = host_.Screenshot(list_.hWnd());
    const Point corner =
        (row.left + row.top) % 2 == 0 ? Point{row.left, row.top} : Point{row.left + 1, row.top};
    EXPECT_EQ(shot.Pixel(corner.x, corner.y), GetSysColor(COLOR_HIGHLIGHT) ^ 0xFFFFFF);
    // The text is drawn in the highlight text colour.
    EXPECT_GT(CountPixels(shot, {row.left + 2, row.top + 2, row.left + 40, row.bottom - 2},
                          GetSysColor(COLOR_HIGHLIGHTTEXT)),
              0);
    ClickItem(3);
    shot = host_.Screenshot(list_.hWnd());
    EXPECT_EQ(shot.Pixel(x, row.top + 3), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(shot.Pixel(x, other.top + 3), GetSysColor(COLOR_HIGHLIGHT));
}

}  // namespace
}  // namespace tabula
