#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window/Desktop.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula::test {

// A desktop of its own for each test, and windows that write every message they get into
// one shared log as "name:MESSAGE wParam lParam".
class WindowTest : public testing::Test {
protected:
    struct Recorder {
        WindowTest* test;
        std::string name;
    };

    HWND MakeWindow(const std::string& name, HWND parent = 0, Rect rect = {0, 0, 100, 50},
                    uint32_t processId = 0);
    // The log since the last call, and cleared.
    std::vector<std::string> TakeLog();
    static std::string MessageName(UINT message);

    std::vector<std::string> log_;
    std::vector<std::unique_ptr<Recorder>> recorders_;
    bool logMouseMoves_ = true;
    // Last, so its windows are destroyed while the recorders they write to still exist.
    Desktop desktop_{800, 600};

private:
    static LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace tabula::test
