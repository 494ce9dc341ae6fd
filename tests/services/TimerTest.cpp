// Timers on the desktop's test clock: starting, restarting and stopping through Interval,
// the thread's table of running timers, its errors, and handlers that stop or release
// their own timer in the middle of a tick.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/runtime/Dispatch.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/ProgramName.h"
#include "platform/window/Desktop.h"
#include "services/Timer.h"

namespace tabula::test {
namespace {

// What `call` raises as "number source: description", the number in hex; "" for nothing.
template <typename Call>
std::string Raised(Call&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        char number[16];
        std::snprintf(number, sizeof number, "%08X", static_cast<uint32_t>(error.number));
        return std::string(number) + " " + error.source + ": " + error.description;
    }
    return "";
}

// The thread's table as one character per slot up to `slots`: the timer's name or '.'.
std::string Layout(const std::vector<std::pair<char, std::shared_ptr<CTimer>>>& named,
                   int16_t slots) {
    std::string layout;
    for (int16_t n = 1; n <= slots; ++n) {
        char c = '.';
        for (const auto& [name, timer] : named) {
            if (MTimer::ThisThread().Slot(n) == timer) c = name;
        }
        layout += c;
    }
    return layout;
}

int RunningTimers() {
    int running = 0;
    for (int16_t n = 1; n <= MTimer::kSlots; ++n)
        running += MTimer::ThisThread().Slot(n) != nullptr;
    return running;
}

// Runs `body` on a thread of its own: a fresh timer table and no desktop.
void OnFreshThread(const std::function<void()>& body) {
    std::thread(body).join();
}

class CallSink : public EventSink {
public:
    explicit CallSink(std::function<void()> call) : call_(std::move(call)) {}
    void OnEvent(const EventInfo&, std::vector<Variant>&) override { call_(); }

private:
    std::function<void()> call_;
};

class TimerTest : public testing::Test {
protected:
    // The table outlives each test: a test that leaves a timer running fails here, and
    // the timer is stopped so that the next test starts clean.
    void TearDown() override {
        EXPECT_EQ(RunningTimers(), 0);
        for (int16_t n = 1; n <= MTimer::kSlots; ++n) {
            if (const std::shared_ptr<CTimer> left = MTimer::ThisThread().Slot(n))
                left->SetInterval(0);
        }
    }

    static std::shared_ptr<CTimer> Counting(int& ticks) {
        std::shared_ptr<CTimer> timer = CTimer::Create();
        timer->OnThatTime = [&ticks] { ++ticks; };
        return timer;
    }

    void Advance(int64_t milliseconds) { desktop_.AdvanceClock(milliseconds); }

    Desktop desktop_{800, 600};
};

TEST_F(TimerTest, IntervalStartsRestartsAndStops) {
    enum class Id { New, Same, None };
    struct Step {
        int32_t value;
        int64_t advance;
        int32_t interval;
        Id id;
        int ticks;
    };
    const Step steps[] = {
        {100, 250, 100, Id::New, 2},  // ticks at 100 and 200
        {100, 50, 100, Id::Same, 1},  // not restarted: the tick due at 300 comes
        {200, 200, 200, Id::New, 1},  // restarted at 300
        {0, 1000, 0, Id::None, 0},    // stopped
        {-5, 1000, 0, Id::None, 0},   // stays stopped
        {50, 100, 50, Id::New, 2},    // started again
        {-5, 1000, 0, Id::None, 0},   // a negative value stops a running timer
    };
    int ticks = 0;
    const std::shared_ptr<CTimer> timer = Counting(ticks);
    UINT_PTR last = 0;
    for (size_t i = 0; i < std::size(steps); ++i) {
        const Step& step = steps[i];
        ticks = 0;
        timer->SetInterval(step.value);
        const UINT_PTR id = timer->TimerId();
        EXPECT_EQ(timer->Interval(), step.interval) << i;
        EXPECT_EQ(RunningTimers(), step.interval > 0 ? 1 : 0) << i;
        EXPECT_EQ(id == 0 ? Id::None : id == last ? Id::Same : Id::New, step.id) << i;
        Advance(step.advance);
        EXPECT_EQ(ticks, step.ticks) << i;
        if (id != 0) last = id;
    }
}

TEST_F(TimerTest, TheHundredAndFirstTimerIsRefusedWithoutAPlatformTimer) {
    int ticks = 0;
    std::vector<std::shared_ptr<CTimer>> timers;
    for (int i = 0; i < MTimer::kSlots; ++i) {
        timers.push_back(Counting(ticks));
        timers.back()->SetInterval(100);
    }
    int refusedTicks = 0;
    const std::shared_ptr<CTimer> refused = Counting(refusedTicks);
    EXPECT_EQ(
        Raised([&] { refused->SetInterval(100); }),
        "80043553 " + ProgramName() + ".WindowProc: No more than 10 timers allowed per class");
    EXPECT_EQ(refused->Interval(), 0);
    EXPECT_EQ(refused->TimerId(), 0u);
    EXPECT_EQ(desktop_.timers.size(), size_t(MTimer::kSlots));
    Advance(100);
    EXPECT_EQ(ticks, MTimer::kSlots);
    EXPECT_EQ(refusedTicks, 0);
    EXPECT_EQ(MTimer::ThisThread().TimerCount(), MTimer::kSlots);
    for (const auto& timer : timers)
        timer->SetInterval(0);
    EXPECT_TRUE(desktop_.timers.empty());
}

// On a fresh thread, so that the highest slot used starts at 0.
TEST_F(TimerTest, StartedTimersTakeTheFirstEmptySlot) {
    OnFreshThread([] {
        Desktop desktop(100, 100);
        std::vector<std::pair<char, std::shared_ptr<CTimer>>> named;
        for (const char name : {'a', 'b', 'c', 'd'})
            named.emplace_back(name, CTimer::Create());
        struct Step {
            size_t timer;  // into `named`
            int32_t interval;
            const char* layout;
            int16_t count;
        };
        // A restart stops first, so b moves down to the empty slot 1 at 200.
        const Step steps[] = {
            {0, 100, "a...", 1}, {1, 100, "ab..", 2}, {2, 100, "abc.", 3}, {0, 0, ".bc.", 3},
            {3, 100, "dbc.", 3}, {3, 0, ".bc.", 3},   {1, 200, "b.c.", 3}, {0, 100, "bac.", 3},
            {2, 0, "ba..", 3},   {0, 0, "b...", 3},   {1, 0, "....", 3},
        };
        for (size_t i = 0; i < std::size(steps); ++i) {
            named[steps[i].timer].second->SetInterval(steps[i].interval);
            EXPECT_EQ(Layout(named, 4), steps[i].layout) << i;
            EXPECT_EQ(MTimer::ThisThread().TimerCount(), steps[i].count) << i;
        }
    });
}

TEST_F(TimerTest, HandlersMayStopRestartOrReleaseTheirTimer) {
    using Handler = std::function<void(CTimer & timer, std::shared_ptr<CTimer> & host)>;
    struct Case {
        const char* name;
        Handler handler;
        int64_t advance;
        int ticks;
        bool alive;
        int32_t interval;
    };
    const Case cases[] = {
        {"stops", [](CTimer& t, auto&) { t.SetInterval(0); }, 500, 1, true, 0},
        {"stops and lets go",
         [](CTimer& t, auto& host) {
             t.SetInterval(0);
             host.reset();
         },
         500, 1, false, 0},
        {"lets go", [](CTimer&, auto& host) { host.reset(); }, 350, 3, true, 100},
        // 100 -> 200 on the first tick, then ticks at 300 and 500
        {"restarts", [](CTimer& t, auto&) { t.SetInterval(200); }, 550, 3, true, 200},
        {"restarts and lets go",
         [](CTimer& t, auto& host) {
             t.SetInterval(200);
             host.reset();
         },
         550, 3, true, 200},
        {"drops its own handler, stops and lets go",
         [](CTimer& t, auto& host) {
             t.OnThatTime = nullptr;
             t.SetInterval(0);
             host.reset();
         },
         500, 1, false, 0},
    };
    for (const bool throughSink : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (throughSink ? " (sink)" : " (function)"));
            std::shared_ptr<CTimer> host = CTimer::Create();
            const std::weak_ptr<CTimer> watch = host;
            CTimer* timer = host.get();
            int ticks = 0;
            // Counts after the handler: the handler may have replaced this very function.
            const auto tick = [&, timer] {
                c.handler(*timer, host);
                ++ticks;
            };
            if (throughSink)
                host->Events().Advise(std::make_shared<CallSink>(tick));
            else
                host->OnThatTime = tick;
            host->SetInterval(100);
            Advance(c.advance);
            EXPECT_EQ(ticks, c.ticks);
            ASSERT_EQ(!watch.expired(), c.alive);
            if (c.alive) {
                EXPECT_EQ(watch.lock()->Interval(), c.interval);
                watch.lock()->SetInterval(0);
            }
            host.reset();
            EXPECT_TRUE(watch.expired());
            EXPECT_EQ(RunningTimers(), 0);
        }
    }
}

// A pulse reaches the function and the sinks once, and outlives a handler that releases
// the timer.
TEST_F(TimerTest, PulseTimerRaisesThatTimeOnce) {
    std::shared_ptr<CTimer> timer = CTimer::Create();
    const std::weak_ptr<CTimer> watch = timer;
    std::string seen;
    timer->OnThatTime = [&] { seen += "function "; };
    timer->Events().Advise(std::make_shared<CallSink>([&] { seen += "sink "; }));
    timer->PulseTimer();
    EXPECT_EQ(seen, "function sink ");
    std::vector<Variant> none;
    Invoke(timer->Members(), "pulsetimer", kInvokeMethod, none);
    EXPECT_EQ(seen, "function sink function sink ");
    // A tick for an id no timer has reaches nobody.
    MTimer::TimerProc(0, WM_TIMER, 0x7FFF, 0);
    EXPECT_EQ(seen, "function sink function sink ");
    EXPECT_EQ(timer->Interval(), 0);
    timer->OnThatTime = [&] { timer.reset(); };
    seen.clear();
    timer->PulseTimer();
    EXPECT_EQ(seen, "sink ");
    EXPECT_TRUE(watch.expired());
}

TEST_F(TimerTest, ScriptsReachItemAndIntervalByName) {
    int ticks = 0;
    const std::shared_ptr<CTimer> timer = Counting(ticks);
    const DispatchTable& members = timer->Members();
    struct Step {
        const char* name;
        Variant value;  // let this; Empty reads instead
        std::string expected;
    };
    const Step steps[] = {
        {"Interval", Variant("150"), ""},
        {"INTERVAL", {}, "150"},
        {"Interval", Variant("soon"), "error 13"},
        {"Interval", Variant(3e9), "error 6"},
        {"interval", {}, "150"},
        {"Item", Variant(int16_t(5)), ""},
        {"item", {}, "5"},
        {"Item", Variant("note"), ""},
        {"Item", {}, "note"},
    };
    for (const Step& step : steps) {
        std::string result;
        try {
            std::vector<Variant> args;
            if (step.value.IsEmpty()) {
                result = Invoke(members, step.name, kInvokeGet, args).ToText();
            } else {
                args.push_back(step.value);
                Invoke(members, step.name, kInvokeLet, args);
            }
        } catch (const RuntimeError& error) {
            result = "error " + std::to_string(error.number);
        }
        EXPECT_EQ(result, step.expected) << step.name;
    }
    EXPECT_NE(timer->TimerId(), 0u);
    Advance(150);
    EXPECT_EQ(ticks, 1);

    // An object: Set stores it, Get gives the same object back.
    const std::shared_ptr<CTimer> other = CTimer::Create();
    std::vector<Variant> args = {Variant(std::shared_ptr<AutomationObject>(other))};
    Invoke(members, "Item", kInvokeSet, args);
    args.clear();
    EXPECT_EQ(Invoke(members, "Item", kInvokeGet, args).ToObject(), other);
    EXPECT_EQ(timer->Item.ToObject(), other);
    timer->Item = Variant();

    args = {Variant(int32_t(0))};
    Invoke(members, "Interval", kInvokeLet, args);
    EXPECT_EQ(timer->TimerId(), 0u);
}

TEST_F(TimerTest, ErrorsCarryTheirNumberSourceAndText) {
    const std::string program = ProgramName();
    const std::pair<int32_t, std::string> cases[] = {
        {eeCantCreateTimer, "80043554 " + program + ".WindowProc: Can't create system timer"},
        {kErrInvalidCall, "00000005 " + program + ": Invalid procedure call or argument"},
        {1000, "000003E8 " + program + ": Application-defined or object-defined error"},
    };
    for (const auto& [number, expected] : cases)
        EXPECT_EQ(Raised([number] { RaiseTimerError(number); }), expected) << number;

    // Without a desktop the platform gives no timer, and the timer stays stopped.
    std::string raised;
    OnFreshThread([&] {
        const std::shared_ptr<CTimer> timer = CTimer::Create();
        raised = Raised([&] { timer->SetInterval(100); });
        raised.append(" ").append(std::to_string(timer->Interval()));
        raised.append(" ").append(std::to_string(timer->TimerId()));
        raised.append(" ").append(std::to_string(RunningTimers()));
    });
    EXPECT_EQ(raised, "80043554 " + program + ".WindowProc: Can't create system timer 0 0 0");
}

TEST_F(TimerTest, TimersStillRunningGoWithTheirThread) {
    std::weak_ptr<CTimer> watch;
    int ticks = 0;
    OnFreshThread([&] {
        Desktop desktop(100, 100);
        std::shared_ptr<CTimer> timer = Counting(ticks);
        watch = timer;
        timer->SetInterval(100);
        timer.reset();
        desktop.AdvanceClock(200);
    });
    EXPECT_EQ(ticks, 2);
    EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace tabula::test
