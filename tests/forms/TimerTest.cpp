#include "platform/forms/Timer.h"

#include <memory>
#include <sstream>
#include <string>

#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

class TimerTest : public test::FormFixture {
protected:
    void SetUp() override {
        timer_.Tick = [&] { ++ticks_; };
        form_.Show();
    }

    Timer timer_{form_.hWnd()};
    int ticks_ = 0;
};

// What a program does to its timer, step by step: "i100" sets the interval to 100, "e0" and
// "e1" disable and enable it, "u" unloads the form, and "w250=3" waits 250 ms and expects 3
// ticks in all by then.
struct Script {
    const char* name;
    const char* steps;
};

class TimerScriptTest : public TimerTest, public testing::WithParamInterface<Script> {};

TEST_P(TimerScriptTest, TicksAsTheClockMoves) {
    EXPECT_TRUE(timer_.Enabled());
    std::istringstream steps(GetParam().steps);
    for (std::string step; steps >> step;) {
        const int32_t value = step.size() > 1 ? std::stoi(step.substr(1)) : 0;
        if (step[0] == 'i') timer_.SetInterval(value);
        if (step[0] == 'e') timer_.SetEnabled(value != 0);
        if (step[0] == 'u') form_.Unload();
        if (step[0] == 'w') {
            host_.Advance(value);
            EXPECT_EQ(ticks_, std::stoi(step.substr(step.find('=') + 1))) << step;
        }
        EXPECT_GE(timer_.Interval(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Timer, TimerScriptTest,
    testing::Values(
        Script{"TicksEveryIntervalOnceItHasOne", "w10000=0 i100 w99=0 w1=1 w250=3"},
        // Enabling a timer that is on already lets the count go on.
        Script{"DisablingStopsItAndEnablingStartsTheCountAfresh",
               "i100 w150=1 e0 w1000=1 e1 w99=1 w1=2 e1 w100=3"},
        Script{"SettingTheIntervalRestartsTheCountAndZeroOrLessStopsIt",
               "i100 w60=0 i100 w60=0 w40=1 i0 w1000=1 i-50 w1000=1"},
        Script{"ADisabledTimerGivenAnIntervalWaitsUntilEnabled", "e0 i50 w500=0 e1 w100=2"},
        // Setting a timer whose window went with its form is harmless.
        Script{"UnloadingTheFormStopsItsTimers", "i100 w100=1 u w1000=1 i100 e1 w1000=1"}),
    [](const testing::TestParamInfo<Script>& info) { return info.param.name; });

TEST_F(TimerTest, ADestroyedTimerNeverTicksAgainAndTimersTickUnderAModalForm) {
    auto timer = std::make_unique<Timer>(form_.hWnd());
    auto selfDestroying = std::make_unique<Timer>(form_.hWnd());
    int ticks = 0, ownTicks = 0;
    timer->Tick = [&] { ++ticks; };
    selfDestroying->Tick = [&] {
        if (++ownTicks == 3) selfDestroying.reset();
    };
    timer->SetInterval(30);
    selfDestroying->SetInterval(10);
    host_.Advance(40);
    timer.reset();
    host_.Advance(1000);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(ownTicks, 3);
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
