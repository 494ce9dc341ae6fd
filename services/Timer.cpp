#include "services/Timer.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/runtime/Error.h"
#include "platform/window/Windows.h"
#include "services/ServiceError.h"

namespace tabula {

namespace {

constexpr int32_t kDispidItem = 0x40030000;
constexpr int32_t kDispidInterval = 0x68030000;
constexpr int32_t kDispidPulseTimer = 0x60030001;

std::vector<EventInfo> TimerEventTable() {
    return {{"ThatTime", kTimerEventThatTime, {}}};
}

}  // namespace

void RaiseTimerError(int32_t number) {
    std::string description;
    switch (number) {
        case eeTooManyTimers:
            description = "No more than 10 timers allowed per class";
            break;
        case eeCantCreateTimer:
            description = "Can't create system timer";
            break;
        default:
            break;
    }
    RaiseServiceError(number, std::move(description));
}

// --- CTimer ------------------------------------------------------------------------------

CTimer::CTimer() : events_(TimerEventTable()) {}

std::shared_ptr<CTimer> CTimer::Create() {
    return std::shared_ptr<CTimer>(new CTimer());
}

CTimer::~CTimer() {
    SetInterval(0);
}

void CTimer::SetInterval(int32_t value) {
    // Nothing to do leaves the table alone: a stopped timer may go after its thread's
    // table has gone.
    if (value >= 1 ? value == interval_ : interval_ <= 0) return;
    // Stopping may empty the slot that holds the last reference; the timer stays until
    // this call is done. Null while the timer is being destroyed, when only a stop runs.
    const std::shared_ptr<CTimer> keep = weak_from_this().lock();
    MTimer& timers = MTimer::ThisThread();
    if (value >= 1) {
        if (interval_ > 0) timers.StopTimer(*this);
        interval_ = value;
        if (!timers.StartTimer(*this)) RaiseTimerError(eeCantCreateTimer);
    } else {
        interval_ = 0;
        timers.StopTimer(*this);
    }
}

void CTimer::PulseTimer() {
    // A handler may release the timer, even its last reference: it lives until the
    // event has reached everyone. The handler is copied so that it may replace itself.
    const std::shared_ptr<CTimer> keep = shared_from_this();
    if (const std::function<void()> handler = OnThatTime) handler();
    std::vector<Variant> none;
    events_.Raise(kTimerEventThatTime, none);
}

const DispatchTable& CTimer::Members() const {
    if (members_) return *members_;
    members_ = std::make_unique<DispatchTable>();
    CTimer* t = const_cast<CTimer*>(this);
    const auto add = [this](const char* name, int32_t dispid, uint16_t kinds,
                            std::function<Variant(InvokeArgs&)> get,
                            std::function<void(InvokeArgs&)> let) {
        members_->Add({name, dispid, kinds, {}, 0, std::move(get), std::move(let)});
    };
    // A let or set passes the value as the last argument.
    add(
        "Item", kDispidItem, kInvokeGet | kInvokeLet | kInvokeSet,
        [t](InvokeArgs&) { return t->Item; }, [t](InvokeArgs& a) { t->Item = a.values.back(); });
    add(
        "Interval", kDispidInterval, kInvokeGet | kInvokeLet,
        [t](InvokeArgs&) { return Variant(t->Interval()); },
        [t](InvokeArgs& a) { t->SetInterval(a.values.back().ToLong()); });
    add("PulseTimer", kDispidPulseTimer, kInvokeMethod,
        [t](InvokeArgs&) {
            t->PulseTimer();
            return Variant();
        },
        {});
    return *members_;
}

// --- MTimer ------------------------------------------------------------------------------

MTimer& MTimer::ThisThread() {
    thread_local MTimer timers;
    return timers;
}

MTimer::~MTimer() {
    // The thread ends: each running timer is stopped before its reference goes, so that
    // no destructor comes back to this table.
    for (std::shared_ptr<CTimer>& slot : table_) {
        const std::shared_ptr<CTimer> timer = std::move(slot);
        if (!timer) continue;
        KillTimer(0, timer->timerId_);
        timer->timerId_ = 0;
        timer->interval_ = 0;
    }
}

const std::shared_ptr<CTimer>& MTimer::Slot(int16_t number) const {
    if (number < 1 || number > kSlots) RaiseError(kErrSubscriptOutOfRange);
    return table_[number - 1];
}

void MTimer::TimerProc(HWND, UINT, UINT_PTR id, uint32_t) {
    if (id == 0) return;
    MTimer& timers = ThisThread();
    for (int16_t n = 1; n <= timers.count_; ++n) {
        const std::shared_ptr<CTimer>& slot = timers.table_[n - 1];
        if (slot && slot->timerId_ == id) {
            // Held for the tick: the handler may stop the timer and empty this slot.
            const std::shared_ptr<CTimer> timer = slot;
            timer->PulseTimer();
            return;
        }
    }
}

bool MTimer::StartTimer(CTimer& timer) {
    const UINT_PTR id = SetTimer(0, 0, static_cast<uint32_t>(timer.interval_), &MTimer::TimerProc);
    if (id == 0) {
        timer.timerId_ = 0;
        timer.interval_ = 0;
        return false;
    }
    timer.timerId_ = id;
    for (int16_t n = 1; n <= kSlots; ++n) {
        std::shared_ptr<CTimer>& slot = table_[n - 1];
        if (slot) continue;
        slot = timer.shared_from_this();
        count_ = std::max(count_, n);
        return true;
    }
    // No slot: the platform timer goes too, or it would tick for nobody.
    KillTimer(0, id);
    timer.timerId_ = 0;
    timer.interval_ = 0;
    RaiseTimerError(eeTooManyTimers);
}

void MTimer::StopTimer(CTimer& timer) {
    std::shared_ptr<CTimer> released;
    for (int16_t n = 1; n <= count_; ++n) {
        std::shared_ptr<CTimer>& slot = table_[n - 1];
        if (slot && slot->timerId_ == timer.timerId_) {
            released = std::move(slot);
            break;
        }
    }
    KillTimer(0, timer.timerId_);
    timer.timerId_ = 0;
    // `released` goes last: it may be the timer's last reference.
}

}  // namespace tabula
