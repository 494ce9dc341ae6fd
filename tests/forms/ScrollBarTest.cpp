#include "platform/forms/ScrollBar.h"

#include <memory>

#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

using Values = std::vector<int16_t>;

// A vertical bar 17 pixels wide and 200 tall: arrows at 0..16 and 183..199, the track
// between them.
constexpr Point kUpArrow{8, 8}, kDownArrow{8, 192};

class ScrollBarTest : public test::FormFixture {
protected:
    void SetUp() override {
        bar_.SetMax(10);
        bar_.SetLargeChange(2);
        bar_.Change = [&] { changes_.push_back(bar_.Value()); };
        bar_.Scroll = [&] { ++scrolls_; };
        form_.Show();
    }

    // The middle of a part of the bar, as a person would aim at it.
    static Point Middle(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    void ClickAt(Point p) { ClickAlone(bar_.hWnd(), p.x, p.y); }
    void Press(Point p) { host_.MouseDown(bar_.hWnd(), p.x, p.y); }
    void Release(Point p) { host_.MouseUp(bar_.hWnd(), p.x, p.y); }

    ScrollBar bar_{form_.hWnd(), Rect{20, 20, 37, 220}, true};
    Values changes_;
    int scrolls_ = 0;
};

// --- Arrows, track and limits ----------------------------------------------------------------

TEST_F(ScrollBarTest, ArrowsStepTrackPressesPageTowardsThePressAndTheThumbShowsOnePage) {
    bar_.SetSmallChange(3);
    host_.DoubleClick(bar_.hWnd(), kDownArrow.x, kDownArrow.y);  // a quick second click steps too
    host_.Advance(1000);
    ClickAt(kDownArrow);
    ClickAt(kDownArrow);  // only one more to go
    ClickAt(kDownArrow);  // already at Max
    ClickAt(kUpArrow);
    bar_.SetValue(0);
    ClickAt(kUpArrow);
    ClickAt({8, bar_.GetLayout().thumb.bottom + 5});
    ClickAt({8, 180});
    ClickAt({8, 180});
    ClickAt({8, 18});
    EXPECT_EQ(changes_, (Values{3, 6, 9, 10, 7, 0, 2, 4, 6, 4}));
    // 166 pixels of track; a page of 2 in a range of 10 plus that page: 166 * 2 / 12.
    EXPECT_EQ(bar_.GetLayout().thumb.Height(), 27);
    bar_.SetLargeChange(10);
    EXPECT_EQ(bar_.GetLayout().thumb.Height(), 83);
    bar_.SetLargeChange(1);
    bar_.SetMax(10000);
    EXPECT_EQ(bar_.GetLayout().thumb.Height(), ScrollBar::kMinimumThumbLength);
}

// --- Holding the mouse down --------------------------------------------------------------------

TEST_F(ScrollBarTest, HoldingAnArrowRepeatsAfterADelayThenQuicklyWhileOverItUntilReleased) {
    bar_.SetMax(100);
    Press(kDownArrow);
    const struct {
        int64_t wait;
        int16_t value;
    } timeline[] = {{0, 1}, {349, 1}, {1, 2}, {49, 2}, {1, 3}, {200, 7}};
    for (const auto& moment : timeline) {
        host_.Advance(moment.wait);
        EXPECT_EQ(bar_.Value(), moment.value) << "after " << moment.wait << " ms more";
    }
    Release(kDownArrow);
    host_.Advance(5000);  // released: no more steps
    // Moving off a held arrow pauses the repeat; coming back resumes it.
    Press(kDownArrow);
    host_.MouseMove(bar_.hWnd(), 100, 192);
    host_.Advance(1000);
    EXPECT_EQ(bar_.Value(), 8);
    host_.MouseMove(bar_.hWnd(), kDownArrow.x, kDownArrow.y);
    host_.Advance(100);
    EXPECT_EQ(bar_.Value(), 10);
    host_.Advance(10000);
    Release(kDownArrow);
    EXPECT_EQ(changes_.size(), 100u);  // one step each up to the limit, nothing more
}

TEST_F(ScrollBarTest, HoldingTheTrackPagesUntilTheThumbReachesTheMouse) {
    bar_.SetMax(100);
    bar_.SetLargeChange(10);
    // Aim at the middle of the track; paging stops once the thumb covers that point.
    Press({8, 100});
    host_.Advance(5000);
    EXPECT_TRUE(bar_.GetLayout().thumb.Contains(8, 100));
    EXPECT_LT(bar_.Value(), 100);
    Release({8, 100});
    EXPECT_EQ(changes_.size(), size_t(bar_.Value() / 10));
}

TEST_F(ScrollBarTest, ABarDestroyedOrAModalFormShownByItsChangeHandlerEndsTheHeldPress) {
    auto doomed = std::make_unique<ScrollBar>(form_.hWnd(), Rect{50, 20, 67, 220}, true);
    int seen = 0;
    doomed->Change = [&] {
        if (++seen == 2) doomed.reset();
    };
    host_.MouseDown(doomed->hWnd(), 8, 192);
    host_.Advance(2000);
    EXPECT_EQ(seen, 2);
    // The person lets go of the button while the dialog is up; the bar is on a disabled
    // form then and never sees the release.
    bar_.SetMax(100);
    for (size_t showOn : {size_t{1}, size_t{3}}) {
        Form dialog(Rect{200, 200, 400, 300}, "Dialog");
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
        Press(kDownArrow);
        host_.Advance(2000);
        EXPECT_EQ(bar_.Value(), int16_t(showOn)) << "shown on change " << showOn;
        EXPECT_EQ(GetCapture(), 0u);
        host_.Advance(1000);
    }
}

// --- The thumb ---------------------------------------------------------------------------------

TEST_F(ScrollBarTest, DraggingTheThumbChangesOnceOnReleaseAndThePartsAreDrawnAsPressedAndSet) {
    const Point thumb = Middle(bar_.GetLayout().thumb);
    host_.Drag(bar_.hWnd(), thumb.x, thumb.y, thumb.x, thumb.y + 70, 7);
    EXPECT_GT(scrolls_, 1);
    EXPECT_EQ(changes_, (Values{5}));  // 70 of 139 pixels of travel: half of the range
    host_.Advance(1000);
    host_.Drag(bar_.hWnd(), thumb.x, thumb.y + 70, thumb.x, thumb.y + 500);  // stops at Max
    host_.Advance(1000);
    const Point end = Middle(bar_.GetLayout().thumb);
    host_.Drag(bar_.hWnd(), end.x, end.y, end.x, end.y + 1);
    EXPECT_EQ(changes_, (Values{5, 10}));  // a drag that ends where it began changes nothing
    // Without moves in between, the thumb ends where the button comes up.
    host_.Advance(1000);
    Press(end);
    Release({end.x, end.y - 139});
    EXPECT_EQ(changes_, (Values{5, 10, 0}));
    const COLORREF edge = host_.Screenshot(bar_.hWnd()).Pixel(1, 184);
    Press(kDownArrow);
    EXPECT_NE(host_.Screenshot(bar_.hWnd()).Pixel(1, 184), edge);  // the raised edge went in
    Release(kDownArrow);
    EXPECT_EQ(host_.Screenshot(bar_.hWnd()).Pixel(1, 184), edge);
    // The thumb is plain button face; the track is a dither that alternates with white.
    auto isThumbAt = [&](int32_t y) {
        const PixelImage shot = host_.Screenshot(bar_.hWnd());
        return shot.Pixel(8, y) == GetSysColor(COLOR_BTNFACE) &&
               shot.Pixel(9, y) == GetSysColor(COLOR_BTNFACE);
    };
    EXPECT_TRUE(isThumbAt(40));  // one step down from the top
    EXPECT_FALSE(isThumbAt(175));
    bar_.SetValue(10);
    EXPECT_FALSE(isThumbAt(25));
    EXPECT_TRUE(isThumbAt(175));
    // A disabled bar has no thumb and ignores the mouse.
    bar_.SetEnabled(false);
    ClickAt(kUpArrow);
    EXPECT_EQ(bar_.Value(), 10);
    const PixelImage shot = host_.Screenshot(bar_.hWnd());
    EXPECT_NE(shot.Pixel(8, 175), shot.Pixel(9, 175));  // the track's dither where it was
}

// --- Keyboard and focus ------------------------------------------------------------------------

TEST_F(ScrollBarTest, AClickTakesTheFocusWithoutAClickEventAndKeysMoveTheBar) {
    ScrollBar other(form_.hWnd(), Rect{50, 20, 67, 220}, true);
    other.SetFocus();
    int clicks = 0, gotFocus = 0;
    bar_.Click = [&] { ++clicks; };
    bar_.GotFocus = [&] { ++gotFocus; };
    bar_.SetLargeChange(4);
    ClickAt(kDownArrow);
    EXPECT_EQ(gotFocus, 1);
    EXPECT_EQ(clicks, 0);
    Keys("<Right><PgDn><PgUp><Up><End><End><Home><Left>");
    EXPECT_EQ(changes_, (Values{1, 2, 6, 2, 1, 10, 0}));
}

// --- Values set by code ------------------------------------------------------------------------

TEST_F(ScrollBarTest, ValuesSetByCodeAreClampedAndMinAboveMaxRunsTheBarBackwards) {
    for (int16_t value : {4, 4, 50, -3, 8})
        bar_.SetValue(value);
    bar_.SetMax(5);  // the value follows the shrinking range
    bar_.SetMax(20);
    bar_.SetLargeChange(0);  // steps below one are taken as one
    bar_.SetSmallChange(-5);
    EXPECT_EQ((Values{bar_.LargeChange(), bar_.SmallChange()}), (Values{1, 1}));
    ClickAt(kDownArrow);
    ClickAt({8, 180});
    EXPECT_EQ(changes_, (Values{4, 10, 0, 8, 5, 6, 7}));
    bar_.SetLargeChange(2);  // Min above Max runs the bar backwards
    bar_.SetMax(0);
    bar_.SetMin(10);
    bar_.SetValue(10);  // Min, which is now the top
    EXPECT_LT(bar_.GetLayout().thumb.top, 30);
    changes_.clear();
    ClickAt(kDownArrow);
    ClickAt({8, 180});  // page towards Max
    Keys("<End>");
    EXPECT_GT(bar_.GetLayout().thumb.bottom, 170);
    Keys("<Down><Home>");  // already at Max, then back to Min
    const Point thumb = Middle(bar_.GetLayout().thumb);
    host_.Drag(bar_.hWnd(), thumb.x, thumb.y, thumb.x, thumb.y + 70);
    EXPECT_EQ(changes_, (Values{9, 7, 0, 10, 5}));
}

// --- Shapes and hostile values -----------------------------------------------------------------

TEST_F(ScrollBarTest, AHorizontalBarRunsLeftToRightAndTheWholeSixteenBitRangeWorks) {
    ScrollBar h(form_.hWnd(), Rect{50, 250, 250, 267}, false);
    h.SetMax(10);
    Values changes;
    h.Change = [&] { changes.push_back(h.Value()); };
    EXPECT_EQ(h.GetLayout().decreaseArrow, (Rect{0, 0, 17, 17}));
    EXPECT_EQ(h.GetLayout().increaseArrow, (Rect{183, 0, 200, 17}));
    ClickAlone(h.hWnd(), 192, 8);
    host_.Click(h.hWnd(), 8, 8);
    Keys("<Right>");
    EXPECT_EQ(changes, (Values{1, 0, 1}));
    bar_.SetMin(-32768);
    bar_.SetMax(32767);
    bar_.SetLargeChange(32767);
    bar_.SetSmallChange(32767);
    ClickAt(kDownArrow);
    ClickAt(kDownArrow);
    Keys("<Home><PgDn><PgDn><PgDn>");
    const Point thumb = Middle(bar_.GetLayout().thumb);
    host_.Drag(bar_.hWnd(), thumb.x, thumb.y, thumb.x, -500);
    bar_.SetMin(32767);  // the range is that one value for a moment
    bar_.SetMax(-32768);
    Keys("<End><PgUp>");
    EXPECT_EQ(changes_, (Values{32767, -32768, -1, 32766, 32767, -32768, 32767, -32768, -1}));
}

}  // namespace
}  // namespace tabula
