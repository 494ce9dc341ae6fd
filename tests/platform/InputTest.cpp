#include "tests/platform/WindowFixture.h"

namespace tabula::test {
namespace {

std::string N(HWND h) {
    return std::to_string(h);
}

TEST_F(WindowTest, FocusMovesWithKillFocusBeforeSetFocusAndLeavesWindowsThatGo) {
    const HWND form = MakeWindow("form");
    const HWND a = MakeWindow("a", form);
    const HWND b = MakeWindow("b", form);
    TakeLog();
    EXPECT_EQ(SetFocus(a), 0u);
    EXPECT_EQ(TakeLog(), (Log{"form:ACTIVATE 1 0", "a:SETFOCUS 0 0"}));
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(TakeLog(), (Log{"a:KILLFOCUS " + N(b) + " 0", "b:SETFOCUS " + N(a) + " 0"}));
    EXPECT_EQ(SetFocus(b), b);      // already there: no messages
    EXPECT_EQ(SetFocus(9999), 0u);  // not a window: nothing changes
    SetFocus(0);
    EXPECT_EQ(TakeLog(), (Log{"b:KILLFOCUS 0 0"}));
    EXPECT_EQ(GetFocus(), 0u);
    // Focus in another form activates it.
    const HWND other = MakeWindow("other");
    const HWND field = MakeWindow("field", other);
    SetFocus(form);
    TakeLog();
    SetFocus(field);
    EXPECT_EQ(TakeLog(), (Log{"form:KILLFOCUS " + N(field) + " 0", "form:ACTIVATE 0 " + N(other),
                              "other:ACTIVATE 1 " + N(form), "field:SETFOCUS " + N(form) + " 0"}));
    // Destroying or disabling the focus window drops the focus.
    const HWND owner = MakeWindow("owner");
    const HWND child = MakeWindow("child", owner);
    SetFocus(child);
    EnableWindow(owner, false);
    EXPECT_EQ(GetFocus(), 0u);
    EnableWindow(owner, true);
    SetFocus(child);
    DestroyWindow(child);
    EXPECT_EQ(GetFocus(), 0u);
    EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(WindowTest, KeysArriveAsDownCharUpWithShiftAndControlAppliedAndTextAsCharacters) {
    SetFocus(MakeWindow("w"));
    TakeLog();
    const uint32_t up = KEYEVENTF_KEYUP;
    const std::pair<uint8_t, uint32_t> keys[] = {{'A', 0}, {'A', up}, {VK_SHIFT, 0},
                                                 {'1', 0}, {'1', up}, {VK_SHIFT, up}};
    for (const auto& [vk, flags] : keys)
        keybd_event(vk, 0, KEYEVENTF_EXTENDEDKEY | flags, 0);
    EXPECT_TRUE(TakeLog().empty());  // nothing arrives before the pump runs
    EXPECT_EQ(Pump(), (Log{"w:KEYDOWN 65", "w:CHAR 97", "w:KEYUP 65", "w:KEYDOWN 16",
                           "w:KEYDOWN 49", "w:CHAR 33", "w:KEYUP 49", "w:KEYUP 16"}));
    // Key state, and control characters.
    desktop_.InjectKey(VK_CONTROL, true);
    Pump();
    EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0x8000);
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
    desktop_.InjectKey('C', true);
    desktop_.InjectKey('C', false);
    desktop_.InjectKey(VK_CONTROL, false);
    EXPECT_EQ(Pump(), (Log{"w:KEYDOWN 67", "w:CHAR 3", "w:KEYUP 67", "w:KEYUP 17"}));
    for (int key : {int(VK_CONTROL), -1, 4096})
        EXPECT_EQ(GetAsyncKeyState(key), 0) << key;
    // Text input arrives as characters without keys of their own.
    desktop_.InjectKey('E', true, /*translate=*/false);
    desktop_.InjectCharacter(U'é');
    desktop_.InjectKey('E', false);
    EXPECT_EQ(Pump(), (Log{"w:KEYDOWN 69", "w:CHAR 233", "w:KEYUP 69"}));
    // VkKeyScan and the characters keys make agree on the layout.
    for (char32_t c : std::u32string(U"azAZ09!@#$%^&*() -=_+[]{};:'\",.<>/?\\|`~\t\r\b")) {
        const int16_t scan = VkKeyScan(c);
        ASSERT_NE(scan, -1) << uint32_t(c);
        EXPECT_EQ(CharacterForKey(scan & 0xFF, scan & 0x100, false), c) << uint32_t(c);
    }
    EXPECT_EQ(VkKeyScan(U'a'), 'A');
    EXPECT_EQ(VkKeyScan(U'A'), 0x100 | 'A');
    EXPECT_EQ(VkKeyScan(U'é'), -1);
}

TEST_F(WindowTest, SetCursorPosQueuesOneMouseMoveAndButtonsCarryKeysAndClientCoordinates) {
    const HWND form = MakeWindow("form", 0, {100, 100, 300, 300});
    MakeWindow("button", form, {10, 10, 60, 40});
    TakeLog();
    SetCursorPos(120, 125);
    Point p;
    GetCursorPos(&p);
    EXPECT_EQ(p, (Point{120, 125}));
    desktop_.PumpMessages();
    EXPECT_EQ(TakeLog(), (Log{"button:MOUSEMOVE 0 " + std::to_string(MAKELPARAM(10, 15))}));

    // Buttons carry the keys held and client coordinates.
    logMouseMoves_ = false;
    desktop_.InjectKey(VK_SHIFT, true);
    desktop_.InjectMouseButton(0, true, {115, 112});
    desktop_.InjectMouseButton(0, false, {115, 112});
    desktop_.InjectKey(VK_SHIFT, false);
    desktop_.PumpMessages();
    const std::string at = std::to_string(MAKELPARAM(5, 2));
    EXPECT_EQ(TakeLog(),
              (Log{"form:ACTIVATE 1 0",
                   "button:LBUTTONDOWN " + std::to_string(MK_LBUTTON | MK_SHIFT) + " " + at,
                   "button:LBUTTONUP " + std::to_string(MK_SHIFT) + " " + at,
                   // With no focus window, keys go to the window the click activated.
                   "form:KEYUP 16 " + std::to_string(int32_t(0xC0000001))}));
}

TEST_F(WindowTest, DoubleClicksNeedTheSameSpotSoonEnough) {
    MakeWindow("w", 0, {0, 0, 200, 200});
    logMouseMoves_ = false;
    auto click = [&](Point p) {
        desktop_.InjectMouseButton(0, true, p);
        desktop_.InjectMouseButton(0, false, p);
        return Pump().front();
    };
    click({10, 10});
    EXPECT_EQ(click({12, 11}), "w:LBUTTONDBLCLK 1");
    EXPECT_EQ(click({12, 11}), "w:LBUTTONDOWN 1");  // a third press starts again
    desktop_.AdvanceClock(Desktop::kDoubleClickMilliseconds + 1);
    EXPECT_EQ(click({12, 11}), "w:LBUTTONDOWN 1");  // too late
    EXPECT_EQ(click({40, 40}), "w:LBUTTONDOWN 1");  // too far
}

TEST_F(WindowTest, CaptureAndFocusDecideWhereTheMouseGoesAndDisabledWindowsGetNothing) {
    const HWND form = MakeWindow("form", 0, {0, 0, 200, 200});
    const HWND a = MakeWindow("a", form, {0, 0, 50, 50});
    MakeWindow("b", form, {100, 100, 150, 150});
    SetCapture(a);
    TakeLog();
    desktop_.InjectMouseMove({120, 120});
    desktop_.PumpMessages();
    EXPECT_EQ(TakeLog(), (Log{"a:MOUSEMOVE 0 " + std::to_string(MAKELPARAM(120, 120))}));
    ReleaseCapture();
    EXPECT_EQ(TakeLog(), (Log{"a:CAPTURECHANGED 0 0"}));
    EnableWindow(form, false);
    TakeLog();
    desktop_.InjectMouseButton(0, true, {120, 120});
    desktop_.InjectMouseMove({10, 10});
    desktop_.InjectMouseButton(0, false, {10, 10});
    EXPECT_TRUE(Pump().empty());
    // The wheel goes to the focus window, wherever the mouse is, the delta in the high word.
    EnableWindow(form, true);
    SetFocus(a);
    TakeLog();
    desktop_.InjectWheel(-120, {150, 150});
    desktop_.PumpMessages();
    EXPECT_EQ(TakeLog(), (Log{"a:MOUSEWHEEL " + std::to_string(MAKEWPARAM(0, -120)) + " " +
                              std::to_string(MAKELPARAM(150, 150))}));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(MAKEWPARAM(0, -120)), -120);
}

}  // namespace
}  // namespace tabula::test
