#include <gtest/gtest.h>

#include <functional>

#include "tests/platform/WindowFixture.h"

// Sent and posted messages, and timers on the virtual clock.

namespace tabula::test {
namespace {

// --- Messages -----------------------------------------------------------------------------------

// A window whose procedure does what a test asks of it. The window goes with the script,
// so it never calls a script that has ended.
struct Scripted {
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> onMessage;
    HWND hwnd = 0;

    HWND Make(HWND parent = 0) {
        WindowOptions options;
        options.parent = parent;
        options.rect = {0, 0, 50, 50};
        options.proc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            auto* s = reinterpret_cast<Scripted*>(GetWindowLongPtr(h, GWLP_USERDATA));
            return s ? s->onMessage(h, m, w, l) : 0;
        };
        options.userData = reinterpret_cast<intptr_t>(this);
        return hwnd = CreateWindowEx(options);
    }
    ~Scripted() {
        if (hwnd) DestroyWindow(hwnd);
    }
};

TEST_F(WindowTest, PostedMessagesRunAfterTheSenderReturnsInOrderUnlessTheirWindowIsGone) {
    Log log;
    Scripted s{[&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m == WM_USER) {
            PostMessage(h, WM_USER + 1, 0, 0);
            log.push_back("posted");
        } else if (m == WM_USER + 1) {
            log.push_back("posted message");
        }
        return 0;
    }};
    SendMessage(s.Make(), WM_USER, 0, 0);
    log.push_back("sender returned");
    EXPECT_EQ(desktop_.PumpMessages(), 1);
    EXPECT_EQ(log, (Log{"posted", "sender returned", "posted message"}));
    // Posted messages keep their order; those to destroyed windows are dropped.
    const HWND w = MakeWindow("w");
    const HWND other = MakeWindow("other");
    PostMessage(w, WM_USER, 1, 0);
    for (int i = 2; i < 5; ++i)
        PostMessage(other, WM_USER, i, 0);
    DestroyWindow(w);
    TakeLog();
    EXPECT_FALSE(PostMessage(w, WM_USER, 3, 0));
    EXPECT_EQ(SendMessage(w, WM_USER, 4, 0), 0);
    EXPECT_EQ(Pump(), (Log{"other:WM_1024 2", "other:WM_1024 3", "other:WM_1024 4"}));
    EXPECT_FALSE(PostMessage(0, WM_USER, 0, 0));
}

TEST_F(WindowTest, AProcedureMayDestroyItsOwnWindow) {
    Log log;
    Scripted s{[&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m == WM_DESTROY) {
            log.push_back("destroy");
            EXPECT_FALSE(DestroyWindow(h));  // already under way: ignored
        }
        if (m == WM_USER) {
            SetProp(h, "x", 1);
            DestroyWindow(h);
            log.push_back("after destroy, property " + std::to_string(GetProp(h, "x")));
            PostMessage(h, WM_USER, 0, 0);  // refused: the window is gone
            return 5;
        }
        return 0;
    }};
    const HWND w = s.Make();
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 5);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(log, (Log{"destroy", "after destroy, property 0"}));
    EXPECT_EQ(desktop_.PumpMessages(), 0);
}

TEST_F(WindowTest, AChildMayDestroyItsParentFromItsOwnProcedure) {
    Log log;
    Scripted parent{[&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m == WM_DESTROY) log.push_back("parent destroyed");
        return 0;
    }};
    Scripted child{[&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m == WM_DESTROY) log.push_back("child destroyed");
        if (m == WM_USER) DestroyWindow(GetParent(h));
        return 0;
    }};
    SendMessage(child.Make(parent.Make()), WM_USER, 0, 0);
    EXPECT_EQ(log, (Log{"parent destroyed", "child destroyed"}));
    EXPECT_FALSE(IsWindow(child.hwnd));
}

TEST_F(WindowTest, SentMessagesAreReentrantAndANestedPumpIsSafe) {
    Log log;
    Scripted s{[&](HWND h, UINT m, WPARAM depth, LPARAM) -> LRESULT {
        if (m != WM_USER) return 0;
        log.push_back("enter " + std::to_string(depth));
        const LRESULT inner = depth > 0 ? SendMessage(h, WM_USER, depth - 1, 0) : 0;
        log.push_back("leave " + std::to_string(depth));
        return inner + 1;
    }};
    const HWND w = s.Make();
    EXPECT_EQ(SendMessage(w, WM_USER, 2, 0), 3);
    EXPECT_EQ(log, (Log{"enter 2", "enter 1", "enter 0", "leave 0", "leave 1", "leave 2"}));
    EXPECT_EQ(SendMessage(w, WM_USER, 1000, 0), 1001);
    // A nested pump inside a handler, as a modal loop would run, is safe.
    Log seen;
    Scripted nested{[&](HWND h, UINT m, WPARAM v, LPARAM) -> LRESULT {
        if (m != WM_USER) return 0;
        seen.push_back("message " + std::to_string(v));
        if (v == 0) {
            PostMessage(h, WM_USER, 1, 0);
            desktop_.PumpMessages();  // a modal loop would do this
            seen.push_back("nested pump done");
        }
        return 0;
    }};
    const HWND modal = nested.Make();
    PostMessage(modal, WM_USER, 0, 0);
    PostMessage(modal, WM_USER, 2, 0);
    desktop_.PumpMessages();
    EXPECT_EQ(seen, (Log{"message 0", "message 2", "message 1", "nested pump done"}));
}

TEST_F(WindowTest, DestroyingTheDesktopDestroysItsWindows) {
    Log log;
    Scripted s{[&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m == WM_DESTROY) log.push_back("destroyed");
        return 0;
    }};
    {
        Desktop inner;
        inner.MakeCurrent();
        s.Make();
    }
    // The desktop destroyed the window, not the script going away.
    EXPECT_EQ(log, (Log{"destroyed"}));
    // The outer desktop is not current any more; calls fail harmlessly.
    EXPECT_EQ(Desktop::Current(), nullptr);
    EXPECT_EQ(GetFocus(), 0u);
    desktop_.MakeCurrent();
    EXPECT_NE(MakeWindow("again"), 0u);
}

// --- Timers -------------------------------------------------------------------------------------

TEST_F(WindowTest, TimersTickInTimeOrderAndWindowTimersDieWithTheirWindow) {
    Log ticks;
    auto record = [&](const std::string& name) {
        return [&ticks, name](HWND, UINT message, UINT_PTR, uint32_t time) {
            EXPECT_EQ(message, WM_TIMER);
            ticks.push_back(name + "@" + std::to_string(time));
        };
    };
    SetTimer(0, 0, 30, record("fast"));
    SetTimer(0, 0, 50, record("slow"));
    desktop_.AdvanceClock(29);
    EXPECT_TRUE(ticks.empty());
    desktop_.AdvanceClock(121);  // to 150
    EXPECT_EQ(ticks, (Log{"fast@30", "slow@50", "fast@60", "fast@90", "slow@100", "fast@120",
                          "fast@150", "slow@150"}));
    EXPECT_EQ(GetTickCount(), 150u);
    // A window's timers send it WM_TIMER and die with it.
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

TEST_F(WindowTest, KilledTimersNeverTickAgainEvenFromTheirOwnCallback) {
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
    // A callback may kill or restart its own timer; periods have a floor.
    int selfTicks = 0;
    UINT_PTR self = 0;
    self = SetTimer(0, 0, 10, [&](HWND, UINT, UINT_PTR id, uint32_t) {
        ++selfTicks;
        EXPECT_EQ(id, self);
        KillTimer(0, id);
    });
    desktop_.AdvanceClock(100);
    EXPECT_EQ(selfTicks, 1);

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
    EXPECT_EQ(times, (Log{"210", "slow 250", "slow 290"}));  // set at 200
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
