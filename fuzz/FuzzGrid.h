#pragma once

// What the fuzzers of the grid share: one headless desktop for the whole run (opening the
// font library takes longer than most inputs), cleared when an input begins, and a small
// grid made fresh for each input on a form of its own.

#include <cstdint>
#include <string>

#include "core/Tabula.h"
#include "fuzz/FuzzInput.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/forms/Form.h"

namespace tabula::fuzz {

inline void ExpectConsistent(const Tabula& grid, const char* after) {
    const std::string fault = grid.CheckConsistency();
    if (!fault.empty()) Finding(std::string("inconsistent after ") + after + ": " + fault);
}

// The run's desktop for the length of one input. It starts as a new one would, with no
// key or button held, no capture, focus or pending input, an empty clipboard and no click
// to pair with; when the input is done every window and timer it made must be gone, so
// the next input cannot depend on this one.
class DesktopLease {
public:
    DesktopLease() : host_(Shared()) {
        Desktop& d = host_.GetDesktop();
        d.MakeCurrent();
        d.keyDown.fill(false);
        d.focus = d.active = d.capture = 0;
        d.cursor = Point{};
        d.lastClick = Desktop::LastClick{};
        d.clipboard.clear();
        d.posted_.clear();
        d.input_.clear();
    }
    ~DesktopLease() {
        const Desktop& d = host_.GetDesktop();
        if (!d.windows.empty())
            Finding(std::to_string(d.windows.size()) + " windows outlive their controls");
        if (!d.timers.empty())
            Finding(std::to_string(d.timers.size()) + " timers outlive their windows");
    }
    DesktopLease(const DesktopLease&) = delete;
    DesktopLease& operator=(const DesktopLease&) = delete;

    HeadlessHost& Host() { return host_; }

    static constexpr int32_t kScreenWidth = 640;
    static constexpr int32_t kScreenHeight = 480;

private:
    static HeadlessHost& Shared() {
        static HeadlessHost host(kScreenWidth, kScreenHeight);
        return host;
    }
    HeadlessHost& host_;
};

// A grid of 200 x 150 pixels filling a form, placed in a container as a new instance and
// shown, as the script console sets one up.
struct FuzzGrid {
    static constexpr int32_t kWidth = 200;
    static constexpr int32_t kHeight = 150;

    FuzzGrid()
        : host(lease.Host()),
          form(Rect{0, 0, kWidth, kHeight}, "fuzz"),
          container(form),
          grid(form.hWnd(), Rect{0, 0, kWidth, kHeight}) {
        container.Add(grid, "Tabula.Grid");
        grid.InitProperties();
        form.Show();
    }

    DesktopLease lease;  // first, so that it is checked after everything else is gone
    HeadlessHost& host;
    Form form;
    ControlContainer container;
    Tabula grid;
};

}  // namespace tabula::fuzz
