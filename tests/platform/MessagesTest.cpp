#include <functional>

#include "tests/platform/WindowFixture.h"

namespace tabula::test {
namespace {

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

TEST_F(WindowTest, PostedMessageRunsAfterTheSenderReturns) {
    Log log;
    Scripted s{[&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m == WM_USER) {
            log.push_back("handling");
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
    EXPECT_EQ(log, (Log{"handling", "posted", "sender returned", "posted message"}));
    EXPECT_EQ(desktop_.PumpMessages(), 0);
}

TEST_F(WindowTest, PostedMessagesKeepTheirOrderAndThoseToDestroyedWindowsAreDropped) {
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

TEST_F(WindowTest, SentMessagesAreReentrant) {
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
}

TEST_F(WindowTest, ANestedPumpInsideAHandlerIsSafe) {
    Log log;
    Scripted s{[&](HWND h, UINT m, WPARAM w, LPARAM) -> LRESULT {
        if (m != WM_USER) return 0;
        log.push_back("message " + std::to_string(w));
        if (w == 0) {
            PostMessage(h, WM_USER, 1, 0);
            desktop_.PumpMessages();  // a modal loop would do this
            log.push_back("nested pump done");
        }
        return 0;
    }};
    const HWND w = s.Make();
    PostMessage(w, WM_USER, 0, 0);
    PostMessage(w, WM_USER, 2, 0);
    desktop_.PumpMessages();
    EXPECT_EQ(log, (Log{"message 0", "message 2", "message 1", "nested pump done"}));
}

TEST_F(WindowTest, DestroyingTheDesktopDestroysItsWindows) {
    Log log;
    {
        Desktop inner;
        inner.MakeCurrent();
        Scripted s{[&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
            if (m == WM_DESTROY) log.push_back("destroyed");
            return 0;
        }};
        s.Make();
    }
    EXPECT_EQ(log, (Log{"destroyed"}));
    // The outer desktop is not current any more; calls fail harmlessly.
    EXPECT_EQ(Desktop::Current(), nullptr);
    EXPECT_EQ(GetFocus(), 0u);
    desktop_.MakeCurrent();
    EXPECT_NE(MakeWindow("again"), 0u);
}

}  // namespace
}  // namespace tabula::test
