#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/window/Desktop.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula::test {

using Log = std::vector<std::string>;

// A desktop of its own for each test, and windows that write every message they get into
// one shared log as "name:MESSAGE wParam lParam".
class WindowTest : public testing::Test {
protected:
    struct Recorder {
        WindowTest* test;
        std::string name;
    };

    HWND MakeWindow(const std::string& name, HWND parent = 0, Rect rect = {0, 0, 100, 50},
                    uint32_t processId = 0) {
        recorders_.push_back(std::make_unique<Recorder>(Recorder{this, name}));
        return CreateWindowEx({.parent = parent,
                               .rect = rect,
                               .proc = RecordingProc,
                               .userData = reinterpret_cast<intptr_t>(recorders_.back().get()),
                               .className = name,
                               .processId = processId});
    }

    // The log since the last call, and cleared.
    Log TakeLog() { return std::exchange(log_, {}); }

    // Runs the posted messages and returns the log without each line's lParam:
    // "name:MESSAGE wParam".
    Log Pump() {
        desktop_.PumpMessages();
        Log out;
        for (const auto& line : TakeLog())
            out.push_back(line.substr(0, line.rfind(' ')));
        return out;
    }

    Log log_;
    std::vector<std::unique_ptr<Recorder>> recorders_;
    bool logMouseMoves_ = true;
    // Last, so its windows are destroyed while the recorders they write to still exist.
    Desktop desktop_{800, 600};

private:
    static std::string MessageName(UINT message) {
        static const std::map<UINT, std::string> names = {
            {WM_CREATE, "CREATE"},     {WM_ACTIVATE, "ACTIVATE"},
            {WM_DESTROY, "DESTROY"},   {WM_KILLFOCUS, "KILLFOCUS"},
            {WM_MOVE, "MOVE"},         {WM_MOUSEMOVE, "MOUSEMOVE"},
            {WM_SIZE, "SIZE"},         {WM_LBUTTONDOWN, "LBUTTONDOWN"},
            {WM_SETFOCUS, "SETFOCUS"}, {WM_LBUTTONUP, "LBUTTONUP"},
            {WM_KEYDOWN, "KEYDOWN"},   {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
            {WM_KEYUP, "KEYUP"},       {WM_MOUSEWHEEL, "MOUSEWHEEL"},
            {WM_CHAR, "CHAR"},         {WM_CAPTURECHANGED, "CAPTURECHANGED"},
            {WM_TIMER, "TIMER"},
        };
        const auto found = names.find(message);
        return found != names.end() ? found->second : "WM_" + std::to_string(message);
    }

    static LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* recorder = reinterpret_cast<Recorder*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
        if (!recorder) return 0;
        if (message == WM_MOUSEMOVE && !recorder->test->logMouseMoves_) return 0;
        recorder->test->log_.push_back(recorder->name + ":" + MessageName(message) + " " +
                                       std::to_string(wParam) + " " + std::to_string(lParam));
        return 0;
    }
};

}  // namespace tabula::test
