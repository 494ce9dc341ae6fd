#pragma once

// A form's timer: while it is enabled and its Interval is above zero it raises the timer
// event (Tick) every Interval milliseconds of the desktop's clock. It has a window, so it
// belongs to its form and dies with it, but the window is never shown and never takes the
// focus.
//
// Setting Interval starts the count afresh; disabling and enabling again does too. The
// desktop's timers tick at most every 10 ms, so shorter intervals tick every 10 ms. A
// timer whose window is gone (destroyed, or its form unloaded) never ticks again.

#include "platform/forms/Control.h"

namespace tabula {

class Timer : public Control {
public:
    explicit Timer(HWND parent);
    ~Timer() override;

    // Milliseconds between ticks; 0 (and anything below) stops the timer.
    int32_t Interval() const { return interval_; }
    void SetInterval(int32_t milliseconds);
    // Enabled and SetEnabled are the control's own: a disabled timer does not tick.

    // The timer event. (A member may not share its class's name, so it is called Tick.)
    Event Tick;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool CanTakeFocus() const override { return false; }

private:
    void Restart();
    void Fire();

    int32_t interval_ = 0;
};

}  // namespace tabula
