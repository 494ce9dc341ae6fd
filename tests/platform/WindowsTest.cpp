#include "tests/platform/WindowFixture.h"

namespace tabula::test {
namespace {

TEST_F(WindowTest, CreationDestructionAndMovesNotifyTheWindowsConcerned) {
    const HWND form = MakeWindow("form");
    const HWND child = MakeWindow("child", form);
    const HWND grandchild = MakeWindow("grandchild", child);
    EXPECT_EQ(TakeLog(), (Log{"form:CREATE 0 0", "child:CREATE 0 0", "grandchild:CREATE 0 0"}));
    EXPECT_TRUE(IsChild(form, grandchild));
    EXPECT_EQ(GetAncestorTopLevel(grandchild), form);

    EXPECT_TRUE(DestroyWindow(form));
    EXPECT_EQ(TakeLog(), (Log{"form:DESTROY 0 0", "child:DESTROY 0 0", "grandchild:DESTROY 0 0"}));
    EXPECT_FALSE(IsWindow(grandchild));
    EXPECT_FALSE(DestroyWindow(form));
    // Handles are never reused.
    EXPECT_NE(MakeWindow("again"), form);
    EXPECT_EQ(SendMessage(form, WM_USER, 0, 0), 0);
    // Moving sends WM_MOVE and WM_SIZE only for what changed; sizes clamp to zero.
    const HWND w = MakeWindow("w", 0, {0, 0, 100, 50});
    TakeLog();
    MoveWindow(w, 10, 0, 100, 50);
    EXPECT_EQ(TakeLog(), (Log{"w:MOVE 0 " + std::to_string(MAKELPARAM(10, 0))}));
    MoveWindow(w, 10, 0, 60, 30);
    EXPECT_EQ(TakeLog(), (Log{"w:SIZE 0 " + std::to_string(MAKELPARAM(60, 30))}));
    MoveWindow(w, 10, 0, 60, 30);
    EXPECT_TRUE(TakeLog().empty());
    Rect r;
    MoveWindow(w, 0, 0, -20, 30);
    GetClientRect(w, &r);
    EXPECT_EQ(r, (Rect{0, 0, 0, 30}));
    GetClientRect(MakeWindow("inverted", 0, {10, 10, 5, 5}), &r);
    EXPECT_EQ(r, (Rect{0, 0, 0, 0}));
}

TEST_F(WindowTest, RectanglesZOrderAndHitTestingFollowNestingAndVisibility) {
    const HWND form = MakeWindow("form", 0, {100, 50, 500, 350});
    const HWND panel = MakeWindow("panel", form, {10, 20, 210, 120});
    const HWND button = MakeWindow("button", panel, {5, 6, 45, 26});
    Rect r;
    ASSERT_TRUE(GetWindowRect(button, &r));
    EXPECT_EQ(r, (Rect{115, 76, 155, 96}));
    ASSERT_TRUE(GetClientRect(button, &r));
    EXPECT_EQ(r, (Rect{0, 0, 40, 20}));
    EXPECT_EQ(ClientToScreen(button, {1, 2}), (Point{116, 78}));
    EXPECT_EQ(ScreenToClient(panel, {110, 70}), (Point{0, 0}));
    // Far out, coordinates saturate at the ends of the 32-bit range.
    EXPECT_EQ(ClientToScreen(button, {INT32_MAX, INT32_MIN}), (Point{INT32_MAX, INT32_MIN + 76}));
    EXPECT_EQ(ScreenToClient(button, {INT32_MIN, INT32_MAX}), (Point{INT32_MIN, INT32_MAX - 76}));
    EXPECT_FALSE(GetWindowRect(0, &r));
    // Hit testing follows z-order, visibility and nesting.
    const HWND top = MakeWindow("top", 0, {0, 0, 300, 200});
    const HWND back = MakeWindow("back", top, {10, 10, 110, 110});
    const HWND front = MakeWindow("front", top, {50, 50, 150, 150});
    const HWND inner = MakeWindow("inner", back, {0, 0, 20, 20});
    EXPECT_EQ(WindowFromPoint({60, 60}), front);
    EXPECT_EQ(WindowFromPoint({15, 15}), inner);
    EXPECT_EQ(WindowFromPoint({200, 20}), top);
    ShowWindow(front, false);
    EXPECT_EQ(WindowFromPoint({60, 60}), back);
    EXPECT_FALSE(IsWindowVisible(front));
    ShowWindow(top, false);
    EXPECT_FALSE(IsWindowVisible(inner));  // hidden with its parent
    EXPECT_EQ(WindowFromPoint({15, 15}), 0u);
    // The z-order of siblings and of topmost windows.
    for (HWND gone : {form, top})
        DestroyWindow(gone);
    const HWND owner = MakeWindow("owner");
    const HWND a = MakeWindow("a", owner);
    const HWND b = MakeWindow("b", owner);
    const HWND c = MakeWindow("c", owner);
    EXPECT_EQ(GetChildren(owner), (std::vector<HWND>{c, b, a}));  // newest in front
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetChildren(owner), (std::vector<HWND>{b, a, c}));
    SetWindowPos(c, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetChildren(owner), (std::vector<HWND>{b, c, a}));

    const HWND second = MakeWindow("second");
    const HWND popup = MakeWindow("popup");
    SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopLevelWindows(), (std::vector<HWND>{owner, popup, second}));
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopLevelWindows(), (std::vector<HWND>{owner, second, popup}));  // stays behind
    SetWindowPos(owner, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopLevelWindows().front(), owner);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopLevelWindows().front(), second);
}

// Three procedures stacked on one window, each chaining to the one it replaced, which it
// keeps in a window property, as a subclassing client does.
template <int Tag>
LRESULT ChainingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) {
        auto* log = reinterpret_cast<std::vector<int>*>(GetProp(hwnd, "log"));
        log->push_back(Tag);
    }
    const std::string key = "previous" + std::to_string(Tag);
    return CallWindowProc(ValueToProc(GetProp(hwnd, key)), hwnd, message, wParam, lParam) + Tag;
}

TEST_F(WindowTest, PropertiesAndProceduresOfMineAndForeignWindows) {
    const HWND w = MakeWindow("w");
    EXPECT_TRUE(SetProp(w, "C1234", 3));
    EXPECT_EQ(GetProp(w, "C1234"), 3);
    SetProp(w, "C1234", 0);
    EXPECT_EQ(RemoveProp(w, "C1234"), 0);  // a zero value is no value
    SetProp(w, "x", 7);
    EXPECT_EQ(RemoveProp(w, "x"), 7);
    EXPECT_EQ(GetProp(w, "x"), 0);
    // Names of any length and content.
    const std::string longName(100000, 'p');
    SetProp(w, longName, 42);
    SetProp(w, std::string("a\0b", 3), 5);
    SetProp(w, "", 9);
    EXPECT_EQ(GetProp(w, longName), 42);
    EXPECT_EQ(GetProp(w, std::string("a\0b", 3)), 5);
    EXPECT_EQ(GetProp(w, "a"), 0);
    EXPECT_EQ(GetProp(w, ""), 9);
    // Windows that do not exist have no properties.
    DestroyWindow(w);
    EXPECT_FALSE(SetProp(w, "x", 1));
    EXPECT_EQ(GetProp(w, longName), 0);
    // Foreign windows report their process and refuse new procedures.
    const HWND mine = MakeWindow("mine");
    const HWND foreign = MakeWindow("foreign", 0, {0, 0, 10, 10}, 777);
    uint32_t pid = 0;
    EXPECT_NE(GetWindowThreadProcessId(mine, &pid), 0u);
    EXPECT_EQ(pid, GetCurrentProcessId());
    GetWindowThreadProcessId(foreign, &pid);
    EXPECT_EQ(pid, 777u);
    const intptr_t before = GetWindowLongPtr(foreign, GWLP_WNDPROC);
    EXPECT_EQ(SetWindowLongPtr(foreign, GWLP_WNDPROC, 0), 0);
    EXPECT_EQ(GetWindowLongPtr(foreign, GWLP_WNDPROC), before);
    // Procedures are replaced and restored last in, first out.
    const HWND sub = MakeWindow("w");
    std::vector<int> calls;
    SetProp(sub, "log", reinterpret_cast<intptr_t>(&calls));
    const intptr_t original = GetWindowLongPtr(sub, GWLP_WNDPROC);

    SetProp(sub, "previous1", SetWindowLongPtr(sub, GWLP_WNDPROC, ProcToValue(ChainingProc<1>)));
    SetProp(sub, "previous2", SetWindowLongPtr(sub, GWLP_WNDPROC, ProcToValue(ChainingProc<2>)));

    TakeLog();
    EXPECT_EQ(SendMessage(sub, WM_USER, 0, 0), 3);  // 2 + 1 + the original's 0
    EXPECT_EQ(calls, (std::vector<int>{2, 1}));
    EXPECT_EQ(TakeLog().size(), 1u);  // the original procedure ran last

    // Restore in reverse order of installation.
    EXPECT_EQ(SetWindowLongPtr(sub, GWLP_WNDPROC, GetProp(sub, "previous2")),
              ProcToValue(ChainingProc<2>));
    calls.clear();
    SendMessage(sub, WM_USER, 0, 0);
    EXPECT_EQ(calls, (std::vector<int>{1}));
    EXPECT_EQ(SetWindowLongPtr(sub, GWLP_WNDPROC, GetProp(sub, "previous1")),
              ProcToValue(ChainingProc<1>));
    EXPECT_EQ(GetWindowLongPtr(sub, GWLP_WNDPROC), original);
    EXPECT_EQ(CallWindowProc(nullptr, sub, WM_USER, 0, 0), 0);
}

}  // namespace
}  // namespace tabula::test
