#include "tests/platform/WindowFixture.h"

namespace tabula::test {
namespace {

TEST_F(WindowTest, TimersTickInTimeOrderOnTheVirtualClock) {
    Log ticks;
    auto record = [&](const std::string& name) {
        return [&ticks, name](HWND, UINT message, UINT_PTR, uint32_t time) {
            EXPECT_EQ(message, WM_TIMER);
            ticks.push_back(name + "@" + std::to_string(time));
        };
    };
    const UINT_PTR fast = SetTimer(0, 0, 30, record("fast"));
    const UINT_PTR slow = SetTimer(0, 0, 50, record("slow"));
    EXPECT_NE(fast, 0u);
    EXPECT_NE(slow, fast);
    desktop_.AdvanceClock(29);
    EXPECT_TRUE(ticks.empty());
    desktop_.AdvanceClock(121);  // to 150
    EXPECT_EQ(ticks, (Log{"fast@30", "slow@50", "fast@60", "fast@90", "slow@100", "fast@120",
                          "fast@150", "slow@150"}));
    EXPECT_EQ(GetTickCount(), 150u);
}

TEST_F(WindowTest, WindowTimersSendWmTimerAndDieWithTheWindow) {
    const HWND w = MakeWindow("w");
    TakeLog();
    EXPECT_EQ(SetTimer(w, 7, 100, nullptr), 7u);
    desktop_.AdvanceClock(250);
    EXPECT_EQ(TakeLog(), (Log{"w:TIMER 7 0", "w:TIMER 7 0"}));
    DestroyWindow(w);
    TakeLog();
    desktop_.AdvanceClock(1000);
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 0u);  // no window, no timer
}

TEST_F(WindowTest, KilledTimersNeverTickAgainAndPeriodsHaveAFloor) {
    int ticks = 0, fastest = 0;
    const UINT_PTR id = SetTimer(0, 0, 10, [&](HWND, UINT, UINT_PTR, uint32_t) { ++ticks; });
    SetTimer(0, 0, 0, [&](HWND, UINT, UINT_PTR, uint32_t) { ++fastest; });
    desktop_.AdvanceClock(35);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(KillTimer(0, id));
    EXPECT_FALSE(KillTimer(0, id));
    desktop_.AdvanceClock(65);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(fastest, 10);
    EXPECT_EQ(SetTimer(0, 0, 10, nullptr), 0u);  // a window-less timer needs a callback
}

TEST_F(WindowTest, ACallbackMayKillOrRestartItsOwnTimer) {
    int ticks = 0;
    UINT_PTR self = 0;
    self = SetTimer(0, 0, 10, [&](HWND, UINT, UINT_PTR id, uint32_t) {
        ++ticks;
        EXPECT_EQ(id, self);
        KillTimer(0, id);
    });
    desktop_.AdvanceClock(100);
    EXPECT_EQ(ticks, 1);

    // A window timer restarted from its own tick keeps its id and takes the new period.
    const HWND w = MakeWindow("w");
    Log times;
    SetTimer(w, 1, 10, [&](HWND h, UINT, UINT_PTR id, uint32_t time) {
        times.push_back(std::to_string(time));
        SetTimer(h, id, 40, [&](HWND, UINT, UINT_PTR, uint32_t t) {
            times.push_back("slow " + std::to_string(t));
        });
    });
    desktop_.AdvanceClock(100);
    EXPECT_EQ(times, (Log{"110", "slow 150", "slow 190"}));
}

TEST_F(WindowTest, TimerTicksLetPostedMessagesRunBetweenThem) {
    const HWND w = MakeWindow("w");
    TakeLog();
    SetTimer(0, 0, 10,
             [&](HWND, UINT, UINT_PTR, uint32_t time) { PostMessage(w, WM_USER, time, 0); });
    desktop_.AdvanceClock(20);
    EXPECT_EQ(TakeLog(), (Log{"w:WM_1024 10 0", "w:WM_1024 20 0"}));
}

}  // namespace
}  // namespace tabula::test
