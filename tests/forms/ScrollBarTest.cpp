#include <gtest/gtest.h>

#include <memory>

#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"
#include "platform/forms/ScrollBar.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {
namespace {

// A vertical bar 17 pixels wide and 200 tall: arrows at 0..16 and 183..199, the track
// between them.
class ScrollBarTest : public testing::Test {
protected:
    void SetUp() override {
        bar_.SetMax(10);
        bar_.SetLargeChange(2);
        bar_.Change = [&] { changes_.push_back(bar_.Value()); };
        bar_.Scroll = [&] { ++scrolls_; };
        form_.Show();
    }

    // The middle of a part of the bar, as a person would aim at it.
    Point Middle(const Rect& r) const { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    void ClickAt(Point p) {
        host_.Click(bar_.hWnd(), p.x, p.y);
        host_.Advance(1000);  // keep the next click from being a double click
    }
    Point DownArrow() const { return {8, 192}; }
    Point UpArrow() const { return {8, 8}; }

    HeadlessHost host_;
    Form form_{Rect{100, 100, 500, 400}, "Test"};
    ScrollBar bar_{form_.hWnd(), Rect{20, 20, 37, 220}, true};
    std::vector<int16_t> changes_;
    int scrolls_ = 0;
};

// --- Arrows, track and limits ----------------------------------------------------------------

TEST_F(ScrollBarTest, ArrowsStepBySmallChangeAndAtTheLimitsRaiseNothing) {
    bar_.SetSmallChange(3);
    ClickAt(DownArrow());
    ClickAt(DownArrow());
    ClickAt(DownArrow());
    EXPECT_EQ(bar_.Value(), 9);
    ClickAt(DownArrow());  // only one more to go
    ClickAt(DownArrow());  // already at Max
    EXPECT_EQ(bar_.Value(), 10);
    EXPECT_EQ(changes_, (std::vector<int16_t>{3, 6, 9, 10}));
    ClickAt(UpArrow());
    EXPECT_EQ(bar_.Value(), 7);
    changes_.clear();
    bar_.SetValue(0);
    ClickAt(UpArrow());
    EXPECT_EQ(changes_, (std::vector<int16_t>{0}));
}

TEST_F(ScrollBarTest, AQuickSecondClickOnAnArrowIsAnotherStep) {
    host_.DoubleClick(bar_.hWnd(), DownArrow().x, DownArrow().y);
    EXPECT_EQ(bar_.Value(), 2);
    EXPECT_EQ(changes_.size(), 2u);
}

TEST_F(ScrollBarTest, TrackPressesPageTowardsThePress) {
    const ScrollBar::Layout layout = bar_.GetLayout();
    ClickAt({8, layout.thumb.bottom + 5});
    EXPECT_EQ(bar_.Value(), 2);
    ClickAt({8, 180});
    ClickAt({8, 180});
    EXPECT_EQ(bar_.Value(), 6);
    ClickAt({8, 18});
    EXPECT_EQ(bar_.Value(), 4);
    EXPECT_EQ(changes_, (std::vector<int16_t>{2, 4, 6, 4}));
}

TEST_F(ScrollBarTest, TheThumbShowsOnePageOfTheWhole) {
    // 166 pixels of track; a page of 2 in a range of 10 plus that page: 166 * 2 / 12.
    EXPECT_EQ(bar_.GetLayout().thumb.Height(), 27);
    bar_.SetLargeChange(10);
    EXPECT_EQ(bar_.GetLayout().thumb.Height(), 83);
    bar_.SetLargeChange(1);
    bar_.SetMax(10000);
    EXPECT_EQ(bar_.GetLayout().thumb.Height(), ScrollBar::kMinimumThumbLength);
}

// --- Holding the mouse down --------------------------------------------------------------------

TEST_F(ScrollBarTest, HoldingAnArrowRepeatsAfterADelayThenQuickly) {
    bar_.SetMax(100);
    host_.MouseDown(bar_.hWnd(), DownArrow().x, DownArrow().y);
    EXPECT_EQ(bar_.Value(), 1);
    host_.Advance(349);
    EXPECT_EQ(bar_.Value(), 1);
    host_.Advance(1);
    EXPECT_EQ(bar_.Value(), 2);
    host_.Advance(49);
    EXPECT_EQ(bar_.Value(), 2);
    host_.Advance(1);
    EXPECT_EQ(bar_.Value(), 3);
    host_.Advance(200);
    EXPECT_EQ(bar_.Value(), 7);
    host_.MouseUp(bar_.hWnd(), DownArrow().x, DownArrow().y);
    host_.Advance(5000);
    EXPECT_EQ(bar_.Value(), 7);
    EXPECT_EQ(changes_.size(), 7u);
}

TEST_F(ScrollBarTest, RepeatingStopsChangingAtTheLimitWithoutMoreEvents) {
    host_.MouseDown(bar_.hWnd(), DownArrow().x, DownArrow().y);
    host_.Advance(5000);
    EXPECT_EQ(bar_.Value(), 10);
    EXPECT_EQ(changes_.size(), 10u);
    host_.MouseUp(bar_.hWnd(), DownArrow().x, DownArrow().y);
}

TEST_F(ScrollBarTest, MovingOffAHeldArrowPausesTheRepeatAndComingBackResumesIt) {
    bar_.SetMax(100);
    host_.MouseDown(bar_.hWnd(), DownArrow().x, DownArrow().y);
    host_.MouseMove(bar_.hWnd(), 100, 192);  // off the bar, the button still held
    host_.Advance(1000);
    EXPECT_EQ(bar_.Value(), 1);
    host_.MouseMove(bar_.hWnd(), DownArrow().x, DownArrow().y);
    host_.Advance(100);
    EXPECT_EQ(bar_.Value(), 3);
    host_.MouseUp(bar_.hWnd(), DownArrow().x, DownArrow().y);
}

TEST_F(ScrollBarTest, HoldingTheTrackPagesUntilTheThumbReachesTheMouse) {
    bar_.SetMax(100);
    bar_.SetLargeChange(10);
    // Aim at the middle of the track; paging stops once the thumb covers that point.
    host_.MouseDown(bar_.hWnd(), 8, 100);
    host_.Advance(5000);
    const ScrollBar::Layout layout = bar_.GetLayout();
    EXPECT_TRUE(layout.thumb.Contains(8, 100));
    EXPECT_LT(bar_.Value(), 100);
    host_.MouseUp(bar_.hWnd(), 8, 100);
    EXPECT_EQ(changes_.size(), size_t(bar_.Value() / 10));
}

TEST_F(ScrollBarTest, ABarDestroyedByItsOwnChangeHandlerStopsRepeating) {
    auto doomed = std::make_unique<ScrollBar>(form_.hWnd(), Rect{50, 20, 67, 220}, true);
    int seen = 0;
    doomed->Change = [&] {
        if (++seen == 2) doomed.reset();
    };
    host_.MouseDown(doomed->hWnd(), 8, 192);
    host_.Advance(2000);
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(doomed, nullptr);
}

TEST_F(ScrollBarTest, AModalFormShownFromChangeEndsTheHeldPress) {
    // The person lets go of the button while the dialog is up; the bar is on a disabled
    // form then and never sees the release.
    bar_.SetMax(100);
    for (size_t showOn : {size_t{1}, size_t{3}}) {
        Form dialog(Rect{200, 200, 400, 300}, "Dialog");
        changes_.clear();
        bar_.SetValue(0);
        changes_.clear();
        bar_.Change = [&] {
            changes_.push_back(bar_.Value());
            if (changes_.size() != showOn) return;
            SetTimer(0, 0, 1000, [&](HWND, UINT, UINT_PTR id, uint32_t) {
                KillTimer(0, id);
                host_.MouseUp(dialog.hWnd(), 5, 5);
                dialog.Unload();
            });
            dialog.Show(vbModal);
        };
        host_.MouseDown(bar_.hWnd(), DownArrow().x, DownArrow().y);
        host_.Advance(2000);
        EXPECT_EQ(bar_.Value(), int16_t(showOn)) << "shown on change " << showOn;
        EXPECT_EQ(GetCapture(), 0u);
        host_.Advance(1000);
    }
}

// --- The thumb ---------------------------------------------------------------------------------

TEST_F(ScrollBarTest, DraggingTheThumbScrollsWhileMovingAndChangesOnceOnRelease) {
    const Point thumb = Middle(bar_.GetLayout().thumb);
    host_.Drag(bar_.hWnd(), thumb.x, thumb.y, thumb.x, thumb.y + 70, 7);
    // 70 of 139 pixels of travel: half of the range.
    EXPECT_EQ(bar_.Value(), 5);
    EXPECT_GT(scrolls_, 1);
    EXPECT_EQ(changes_, (std::vector<int16_t>{5}));
    host_.Advance(1000);
    host_.Drag(bar_.hWnd(), thumb.x, thumb.y + 70, thumb.x, thumb.y + 500);
    EXPECT_EQ(bar_.Value(), 10);  // beyond the end it stops at Max
    host_.Advance(1000);
    changes_.clear();
    const Point end = Middle(bar_.GetLayout().thumb);
    host_.Drag(bar_.hWnd(), end.x, end.y, end.x, end.y + 1);
    EXPECT_TRUE(changes_.empty());  // a drag that ends where it began changes nothing
}

TEST_F(ScrollBarTest, TheThumbEndsWhereTheButtonComesUp) {
    const Point thumb = Middle(bar_.GetLayout().thumb);
    host_.MouseDown(bar_.hWnd(), thumb.x, thumb.y);
    host_.MouseUp(bar_.hWnd(), thumb.x, thumb.y + 139);
    EXPECT_EQ(bar_.Value(), 10);
    EXPECT_EQ(changes_, (std::vector<int16_t>{10}));
}

TEST_F(ScrollBarTest, TheThumbIsDrawnWhereValueSaysAndMovesWithIt) {
    // The thumb is plain button face; the track is a dither that alternates with white.
    auto isThumbAt = [&](int32_t y) {
        const PixelImage shot = host_.Screenshot(bar_.hWnd());
        return shot.Pixel(8, y) == GetSysColor(COLOR_BTNFACE) &&
               shot.Pixel(9, y) == GetSysColor(COLOR_BTNFACE);
    };
    EXPECT_TRUE(isThumbAt(25));
    EXPECT_FALSE(isThumbAt(175));
    bar_.SetValue(10);
    EXPECT_FALSE(isThumbAt(25));
    EXPECT_TRUE(isThumbAt(175));
}

TEST_F(ScrollBarTest, APressedArrowLooksPushedUntilReleased) {
    const PixelImage before = host_.Screenshot(bar_.hWnd());
    host_.MouseDown(bar_.hWnd(), DownArrow().x, DownArrow().y);
    const PixelImage pushed = host_.Screenshot(bar_.hWnd());
    EXPECT_NE(pushed.Pixel(1, 184), before.Pixel(1, 184));  // the raised edge went in
    host_.MouseUp(bar_.hWnd(), DownArrow().x, DownArrow().y);
    const PixelImage after = host_.Screenshot(bar_.hWnd());
    EXPECT_EQ(after.Pixel(1, 184), before.Pixel(1, 184));
}

// --- Keyboard ----------------------------------------------------------------------------------

TEST_F(ScrollBarTest, KeysMoveTheFocusedBar) {
    bar_.SetSmallChange(1);
    bar_.SetLargeChange(4);
    bar_.SetFocus();
    host_.PressKey(VK_DOWN);
    host_.PressKey(VK_RIGHT);
    EXPECT_EQ(bar_.Value(), 2);
    host_.PressKey(VK_NEXT);
    EXPECT_EQ(bar_.Value(), 6);
    host_.PressKey(VK_PRIOR);
    host_.PressKey(VK_UP);
    EXPECT_EQ(bar_.Value(), 1);
    host_.PressKey(VK_END);
    host_.PressKey(VK_END);
    EXPECT_EQ(bar_.Value(), 10);
    host_.PressKey(VK_HOME);
    host_.PressKey(VK_LEFT);
    EXPECT_EQ(bar_.Value(), 0);
    EXPECT_EQ(changes_, (std::vector<int16_t>{1, 2, 6, 2, 1, 10, 0}));
}

TEST_F(ScrollBarTest, ClickingTheBarTakesTheFocusAndRaisesNoClick) {
    ScrollBar other(form_.hWnd(), Rect{50, 20, 67, 220}, true);
    other.SetFocus();
    int clicks = 0, gotFocus = 0;
    bar_.Click = [&] { ++clicks; };
    bar_.GotFocus = [&] { ++gotFocus; };
    ClickAt(DownArrow());
    EXPECT_TRUE(bar_.HasFocus());
    EXPECT_EQ(gotFocus, 1);
    EXPECT_EQ(clicks, 0);
}

// --- Values set by code ------------------------------------------------------------------------

TEST_F(ScrollBarTest, ValueSetByCodeIsClampedAndRaisesChangeOnlyWhenItMoves) {
    bar_.SetValue(4);
    bar_.SetValue(4);
    bar_.SetValue(50);
    bar_.SetValue(-3);
    EXPECT_EQ(changes_, (std::vector<int16_t>{4, 10, 0}));
    bar_.SetValue(8);
    changes_.clear();
    bar_.SetMax(5);  // the value follows the shrinking range
    EXPECT_EQ(bar_.Value(), 5);
    bar_.SetMax(20);
    EXPECT_EQ(bar_.Value(), 5);
    EXPECT_EQ(changes_, (std::vector<int16_t>{5}));
}

TEST_F(ScrollBarTest, MinAboveMaxRunsTheBarBackwards) {
    bar_.SetMax(0);
    bar_.SetMin(10);
    bar_.SetValue(10);  // Min, which is now the top
    EXPECT_LT(bar_.GetLayout().thumb.top, 30);
    changes_.clear();
    ClickAt(DownArrow());
    EXPECT_EQ(bar_.Value(), 9);
    ClickAt({8, 180});  // page towards Max
    EXPECT_EQ(bar_.Value(), 7);
    bar_.SetFocus();
    host_.PressKey(VK_END);
    EXPECT_EQ(bar_.Value(), 0);
    EXPECT_GT(bar_.GetLayout().thumb.bottom, 170);
    host_.PressKey(VK_DOWN);  // already at Max
    host_.PressKey(VK_HOME);
    EXPECT_EQ(bar_.Value(), 10);
    const Point thumb = Middle(bar_.GetLayout().thumb);
    host_.Advance(1000);
    host_.Drag(bar_.hWnd(), thumb.x, thumb.y, thumb.x, thumb.y + 70);
    EXPECT_EQ(bar_.Value(), 5);
    EXPECT_EQ(changes_, (std::vector<int16_t>{9, 7, 0, 10, 5}));
}

// --- Shapes and hostile values -----------------------------------------------------------------

TEST_F(ScrollBarTest, AHorizontalBarRunsLeftToRight) {
    ScrollBar h(form_.hWnd(), Rect{50, 250, 250, 267}, false);
    h.SetMax(10);
    int changes = 0;
    h.Change = [&] { ++changes; };
    host_.Click(h.hWnd(), 192, 8);
    EXPECT_EQ(h.Value(), 1);
    host_.Advance(1000);
    host_.Click(h.hWnd(), 8, 8);
    EXPECT_EQ(h.Value(), 0);
    const ScrollBar::Layout layout = h.GetLayout();
    EXPECT_EQ(layout.decreaseArrow, (Rect{0, 0, 17, 17}));
    EXPECT_EQ(layout.increaseArrow, (Rect{183, 0, 200, 17}));
    host_.PressKey(VK_RIGHT);
    EXPECT_EQ(h.Value(), 1);
    EXPECT_EQ(changes, 3);
}

TEST_F(ScrollBarTest, StepsBelowOneAreTakenAsOne) {
    bar_.SetLargeChange(0);
    EXPECT_EQ(bar_.LargeChange(), 1);
    bar_.SetSmallChange(-5);
    EXPECT_EQ(bar_.SmallChange(), 1);
    ClickAt(DownArrow());
    ClickAt({8, 180});
    EXPECT_EQ(bar_.Value(), 2);
}

TEST_F(ScrollBarTest, TheWholeSixteenBitRangeWorks) {
    bar_.SetMin(-32768);
    bar_.SetMax(32767);
    bar_.SetLargeChange(32767);
    bar_.SetSmallChange(32767);
    EXPECT_EQ(bar_.Value(), 0);
    ClickAt(DownArrow());
    ClickAt(DownArrow());
    EXPECT_EQ(bar_.Value(), 32767);
    bar_.SetFocus();
    host_.PressKey(VK_HOME);
    EXPECT_EQ(bar_.Value(), -32768);
    host_.PressKey(VK_NEXT);
    host_.PressKey(VK_NEXT);
    host_.PressKey(VK_NEXT);
    EXPECT_EQ(bar_.Value(), 32767);
    const Point thumb = Middle(bar_.GetLayout().thumb);
    host_.Drag(bar_.hWnd(), thumb.x, thumb.y, thumb.x, -500);
    EXPECT_EQ(bar_.Value(), -32768);
    bar_.SetMin(32767);  // the range is that one value for a moment
    bar_.SetMax(-32768);
    EXPECT_EQ(bar_.Value(), 32767);
    host_.PressKey(VK_END);
    EXPECT_EQ(bar_.Value(), -32768);
    host_.PressKey(VK_PRIOR);
    EXPECT_EQ(bar_.Value(), -1);
}

TEST_F(ScrollBarTest, BarsTooSmallForTheirPartsStillWork) {
    for (const Rect& r : {Rect{50, 20, 67, 40}, Rect{50, 20, 67, 25}, Rect{50, 20, 50, 20},
                          Rect{50, 20, 52, 300}}) {
        ScrollBar small(form_.hWnd(), r, true);
        small.SetMax(3);
        const ScrollBar::Layout layout = small.GetLayout();
        EXPECT_TRUE(layout.thumb.IsEmpty() || layout.thumb.Height() >= 8);
        EXPECT_LE(layout.decreaseArrow.Height() + layout.increaseArrow.Height(), small.Height());
        host_.MouseDown(small.hWnd(), 0, small.Height() - 1);
        host_.Advance(500);
        host_.MouseUp(small.hWnd(), 0, small.Height() - 1);
        host_.Advance(1000);
        small.Move(50, 20, 17, 1);
        small.SetValue(2);
    }
}

TEST_F(ScrollBarTest, ADisabledBarHasNoThumbAndIgnoresTheMouse) {
    bar_.SetEnabled(false);
    ClickAt(DownArrow());
    EXPECT_EQ(bar_.Value(), 0);
    const PixelImage shot = host_.Screenshot(bar_.hWnd());
    EXPECT_NE(shot.Pixel(8, 25), shot.Pixel(9, 25));  // the track's dither where the thumb was
}

}  // namespace
}  // namespace tabula
