#include <gtest/gtest.h>

#include <memory>

#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/Timer.h"
#include "platform/window/Windows.h"

namespace tabula {
namespace {

class TimerTest : public testing::Test {
protected:
    void SetUp() override {
        timer_.Tick = [&] { ++ticks_; };
        form_.Show();
    }

    HeadlessHost host_;
    Form form_{Rect{100, 100, 500, 400}, "Test"};
    Timer timer_{form_.hWnd()};
    int ticks_ = 0;
};

TEST_F(TimerTest, TicksEveryIntervalOnTheDesktopClockOnceItHasOne) {
    EXPECT_TRUE(timer_.Enabled());
    host_.Advance(10000);  // no interval yet: no ticks
    EXPECT_EQ(ticks_, 0);
    timer_.SetInterval(100);
    host_.Advance(99);
    EXPECT_EQ(ticks_, 0);
    host_.Advance(1);
    EXPECT_EQ(ticks_, 1);
    host_.Advance(250);
    EXPECT_EQ(ticks_, 3);
}

TEST_F(TimerTest, DisablingStopsItAndEnablingStartsTheCountAfresh) {
    timer_.SetInterval(100);
    host_.Advance(150);
    timer_.SetEnabled(false);
    host_.Advance(1000);
    EXPECT_EQ(ticks_, 1);
    timer_.SetEnabled(true);
    host_.Advance(99);
    EXPECT_EQ(ticks_, 1);
    host_.Advance(1);
    EXPECT_EQ(ticks_, 2);
    timer_.SetEnabled(true);  // already on: the count goes on
    host_.Advance(100);
    EXPECT_EQ(ticks_, 3);
}

TEST_F(TimerTest, SettingTheIntervalRestartsTheCountAndZeroStopsIt) {
    timer_.SetInterval(100);
    host_.Advance(60);
    timer_.SetInterval(100);
    host_.Advance(60);
    EXPECT_EQ(ticks_, 0);
    host_.Advance(40);
    EXPECT_EQ(ticks_, 1);
    timer_.SetInterval(0);
    host_.Advance(1000);
    EXPECT_EQ(ticks_, 1);
    timer_.SetInterval(-50);
    EXPECT_EQ(timer_.Interval(), 0);
    host_.Advance(1000);
    EXPECT_EQ(ticks_, 1);
}

TEST_F(TimerTest, ADisabledTimerGivenAnIntervalWaitsUntilEnabled) {
    timer_.SetEnabled(false);
    timer_.SetInterval(50);
    host_.Advance(500);
    EXPECT_EQ(ticks_, 0);
    timer_.SetEnabled(true);
    host_.Advance(100);
    EXPECT_EQ(ticks_, 2);
}

TEST_F(TimerTest, ATimerDestroyedWhileRunningNeverTicksAgain) {
    auto timer = std::make_unique<Timer>(form_.hWnd());
    int ticks = 0;
    timer->Tick = [&] { ++ticks; };
    timer->SetInterval(30);
    host_.Advance(40);
    timer.reset();
    host_.Advance(1000);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerTest, ATimerMayDestroyItselfFromItsOwnTick) {
    auto timer = std::make_unique<Timer>(form_.hWnd());
    int ticks = 0;
    timer->Tick = [&] {
        if (++ticks == 3) timer.reset();
    };
    timer->SetInterval(10);
    host_.Advance(1000);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(timer, nullptr);
}

TEST_F(TimerTest, UnloadingTheFormStopsItsTimers) {
    timer_.SetInterval(100);
    host_.Advance(100);
    form_.Unload();
    host_.Advance(1000);
    EXPECT_EQ(ticks_, 1);
    timer_.SetInterval(100);  // harmless on a timer without a window
    timer_.SetEnabled(true);
    host_.Advance(1000);
    EXPECT_EQ(ticks_, 1);
}

TEST_F(TimerTest, ATimerIsNeitherSeenNorATabStop) {
    PictureBox box(form_.hWnd(), Rect{10, 10, 50, 50});
    EXPECT_FALSE(IsWindowShown(timer_.hWnd()));
    timer_.SetTabStop(true);  // asking does not make it one
    const auto stops = form_.TabStops();
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0], &box);
    box.SetFocus();
    timer_.SetFocus();
    EXPECT_TRUE(box.HasFocus());
}

TEST_F(TimerTest, TimersKeepTickingWhileAModalFormRuns) {
    Form dialog(Rect{200, 200, 400, 300}, "Dialog");
    Timer closer(dialog.hWnd());
    closer.Tick = [&] {
        if (ticks_ >= 3) dialog.Unload();
    };
    closer.SetInterval(250);
    timer_.SetInterval(100);  // on the owner form, which the dialog disables
    EXPECT_TRUE(dialog.Show(vbModal));
    EXPECT_EQ(ticks_, 5);  // 100 .. 500; the dialog closes at 500 ms
}

}  // namespace
}  // namespace tabula
