#include "tests/platform/WindowFixture.h"

namespace tabula::test {

HWND WindowTest::MakeWindow(const std::string& name, HWND parent, Rect rect, uint32_t processId) {
    recorders_.push_back(std::make_unique<Recorder>(Recorder{this, name}));
    WindowOptions options;
    options.parent = parent;
    options.rect = rect;
    options.proc = RecordingProc;
    options.userData = reinterpret_cast<intptr_t>(recorders_.back().get());
    options.className = name;
    options.processId = processId;
    return CreateWindowEx(options);
}

std::vector<std::string> WindowTest::TakeLog() {
    std::vector<std::string> out;
    out.swap(log_);
    return out;
}

std::string WindowTest::MessageName(UINT message) {
    switch (message) {
        case WM_CREATE:
            return "CREATE";
        case WM_DESTROY:
            return "DESTROY";
        case WM_MOVE:
            return "MOVE";
        case WM_SIZE:
            return "SIZE";
        case WM_ACTIVATE:
            return "ACTIVATE";
        case WM_SETFOCUS:
            return "SETFOCUS";
        case WM_KILLFOCUS:
            return "KILLFOCUS";
        case WM_ENABLE:
            return "ENABLE";
        case WM_SHOWWINDOW:
            return "SHOW";
        case WM_KEYDOWN:
            return "KEYDOWN";
        case WM_KEYUP:
            return "KEYUP";
        case WM_CHAR:
            return "CHAR";
        case WM_TIMER:
            return "TIMER";
        case WM_MOUSEMOVE:
            return "MOUSEMOVE";
        case WM_LBUTTONDOWN:
            return "LBUTTONDOWN";
        case WM_LBUTTONUP:
            return "LBUTTONUP";
        case WM_LBUTTONDBLCLK:
            return "LBUTTONDBLCLK";
        case WM_RBUTTONDOWN:
            return "RBUTTONDOWN";
        case WM_RBUTTONUP:
            return "RBUTTONUP";
        case WM_MOUSEWHEEL:
            return "MOUSEWHEEL";
        case WM_CAPTURECHANGED:
            return "CAPTURECHANGED";
        default:
            return "WM_" + std::to_string(message);
    }
}

LRESULT WindowTest::RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* recorder = reinterpret_cast<Recorder*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!recorder) return 0;
    if (message == WM_MOUSEMOVE && !recorder->test->logMouseMoves_) return 0;
    recorder->test->log_.push_back(recorder->name + ":" + MessageName(message) + " " +
                                   std::to_string(wParam) + " " + std::to_string(lParam));
    return 0;
}

}  // namespace tabula::test
