#pragma once

// Timers for scripts and hosts: a CTimer raises ThatTime every Interval milliseconds on
// the desktop's clock. Each thread keeps one table (MTimer) of the timers that run; the
// table holds a counted reference to each, so a running timer lives on even when its
// host has let it go, until it is stopped.
//
// Call flow of a tick:
//   desktop clock -> MTimer::TimerProc(id) -> the slot's CTimer (held for the tick)
//     -> PulseTimer -> OnThatTime, then the ThatTime sinks
// A handler may stop, restart or release its timer: the tick's reference keeps it alive
// until the tick returns.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/runtime/Dispatch.h"
#include "platform/runtime/Variant.h"
#include "platform/window/Messages.h"

namespace tabula {

enum EErrorTimer : int32_t {
    eeBaseTimer = 13650,
    eeTooManyTimers = 13651,
    eeCantCreateTimer = 13652,
};

// Raises a timer error. Numbers from 1001 up are the timers' own: raised as the number
// OR 0x80040000, with the program's name + ".WindowProc" as source and the error's text.
// Lower numbers are the runtime's and are raised as they are.
[[noreturn]] void RaiseTimerError(int32_t number);

constexpr int32_t kTimerEventThatTime = 1;

class CTimer final : public Dispatchable, public std::enable_shared_from_this<CTimer> {
public:
    // Timers are always shared: the table holds one reference while a timer runs.
    static std::shared_ptr<CTimer> Create();
    ~CTimer() override;
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    // Anything the host wants to keep with the timer, an object included.
    Variant Item;

    // Milliseconds between ticks; 0 when stopped. A new value from 1 up (re)starts the
    // timer, raising eeTooManyTimers when the table is full and eeCantCreateTimer when
    // the platform gives no timer (the timer is left stopped either way). The same value
    // again changes nothing; a value below 1 stops it.
    int32_t Interval() const { return interval_; }
    void SetInterval(int32_t value);
    // The platform's id of the running timer; 0 when stopped.
    UINT_PTR TimerId() const { return timerId_; }

    // Raises ThatTime once. Each tick calls it; a host may too.
    void PulseTimer();

    // ThatTime for C++ callers, called before the event's sinks.
    std::function<void()> OnThatTime;
    // ThatTime (no arguments) for automation sinks.
    EventSource& Events() { return events_; }

    // Item (get, let, set), Interval (get, let) and PulseTimer.
    const DispatchTable& Members() const override;

private:
    friend class MTimer;
    CTimer();

    int32_t interval_ = 0;
    UINT_PTR timerId_ = 0;
    EventSource events_;
    mutable std::unique_ptr<DispatchTable> members_;
};

// The calling thread's table of running timers: slots 1 to 100, each empty or holding a
// running timer, and the highest slot number ever used.
class MTimer {
public:
    static constexpr int16_t kSlots = 100;

    static MTimer& ThisThread();

    // The timer in slot `number`, or null; numbers outside 1 to kSlots raise 9.
    const std::shared_ptr<CTimer>& Slot(int16_t number) const;
    int16_t TimerCount() const { return count_; }

    // The platform's tick callback: pulses the timer whose id is `id`, if one runs.
    static void TimerProc(HWND hwnd, UINT message, UINT_PTR id, uint32_t time);

    ~MTimer();

private:
    friend class CTimer;
    MTimer() = default;

    // Starts a platform timer for `timer` and puts the timer in the first empty slot.
    // False, with the timer stopped, when the platform gives no timer; raises
    // eeTooManyTimers, with the timer stopped, when no slot is empty.
    bool StartTimer(CTimer& timer);
    // Kills the platform timer and empties the timer's slot.
    void StopTimer(CTimer& timer);

    std::array<std::shared_ptr<CTimer>, kSlots> table_;
    int16_t count_ = 0;
};

}  // namespace tabula
