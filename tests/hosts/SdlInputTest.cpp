// SDL events, made by hand the way SDL delivers them for a person's keystrokes and mouse
// use, fed through the host's input translation into a form, checked by the events the
// form's controls raise. No SDL initialisation: only the event structures are used.

#include "hosts/sdl/SdlInput.h"

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

using test::Log;
using Events = std::vector<SDL_Event>;

// A key whose keycode and scancode share a name.
#define K(name) SDLK_##name, SDL_SCANCODE_##name

SDL_Event KeyEvent(bool down, SDL_Keycode sym, SDL_Scancode scancode, uint16_t mod = KMOD_NONE,
                   bool repeat = false) {
    SDL_Event e{down ? SDL_KEYDOWN : SDL_KEYUP};
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym = {scancode, sym, mod, 0};
    return e;
}

SDL_Event TextEvent(const char* utf8) {
    SDL_Event e{SDL_TEXTINPUT};
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}

// A key that types no text of its own: pressed and released.
Events Press(SDL_Keycode sym, SDL_Scancode scancode, uint16_t mod = KMOD_NONE) {
    return {KeyEvent(true, sym, scancode, mod), KeyEvent(false, sym, scancode, mod)};
}

// A key as SDL reports a printable one: pressed, its text, released.
Events Type(SDL_Keycode sym, SDL_Scancode scancode, const char* text, uint16_t mod = KMOD_NONE) {
    return {KeyEvent(true, sym, scancode, mod), TextEvent(text),
            KeyEvent(false, sym, scancode, mod)};
}

Events Concat(std::initializer_list<Events> parts) {
    Events all;
    for (const Events& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Keys pressed while a modifier (or two) is held.
Events Holding(std::initializer_list<std::pair<SDL_Keycode, SDL_Scancode>> modifiers, uint16_t mod,
               const Events& keys) {
    Events events;
    for (const auto& [sym, scancode] : modifiers)
        events.push_back(KeyEvent(true, sym, scancode, mod));
    events.insert(events.end(), keys.begin(), keys.end());
    for (const auto& [sym, scancode] : modifiers)
        events.push_back(KeyEvent(false, sym, scancode));
    return events;
}

SDL_Event MotionEvent(int32_t x, int32_t y) {
    SDL_Event e{SDL_MOUSEMOTION};
    std::tie(e.motion.x, e.motion.y) = std::pair(x, y);
    return e;
}

SDL_Event ButtonEvent(bool down, uint8_t button, int32_t x, int32_t y) {
    SDL_Event e{down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP};
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    std::tie(e.button.x, e.button.y) = std::pair(x, y);
    return e;
}

SDL_Event WheelEvent(int32_t y, bool flipped = false) {
    SDL_Event e{SDL_MOUSEWHEEL};
    e.wheel.y = y;
    e.wheel.preciseY = static_cast<float>(y);
    e.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    return e;
}

SDL_Event WindowEvent(uint8_t which) {
    SDL_Event e{SDL_WINDOWEVENT};
    e.window.event = which;
    return e;
}

// The host keeps the form at the window's corner: window and screen coordinates agree.
class SdlInputTest : public test::FormFixture {
protected:
    SdlInputTest() : FormFixture(Rect{0, 0, 400, 300}, 400, 300) {
        auto logKey = [this](std::string what) {
            return [this, what](int16_t& code, int16_t shift) {
                log_.push_back(what + std::to_string(code) + " " + std::to_string(shift));
            };
        };
        pad_.KeyDown = logKey("down ");
        pad_.KeyUp = logKey("up ");
        pad_.KeyPress = [this](int16_t& ascii) {
            log_.push_back("press " + std::to_string(static_cast<uint16_t>(ascii)));
        };
        pad_.MouseDown = [this](int16_t button, int16_t, float x, float y) {
            log_.push_back("mousedown " + std::to_string(button) + " " + std::to_string(int(x)) +
                           "," + std::to_string(int(y)));
        };
        button_.Click = [this] { log_.push_back("click"); };
        form_.Show();
        pad_.SetFocus();
    }

    // Feeds the events and lets the desktop dispatch what they queued.
    void Feed(const Events& events) {
        for (const SDL_Event& e : events)
            input_.Feed(e);
        host_.GetDesktop().PumpMessages();
    }

    Log TakeLog() { return std::exchange(log_, {}); }

    // Only the key presses of the log.
    Log Presses() {
        Log log = TakeLog();
        std::erase_if(log, [](const std::string& line) { return line.rfind("press ", 0) != 0; });
        return log;
    }

    SdlInput input_{host_.GetDesktop()};
    Log log_;
    PictureBox pad_{form_.hWnd(), Rect{10, 10, 210, 60}};
    CommandButton button_{form_.hWnd(), Rect{10, 100, 90, 126}, "OK"};
};

TEST_F(SdlInputTest, KeysCarryTheShiftStateAndExtendedBitAndLosingTheKeyboardReleasesThem) {
    Feed(Type(SDLK_a, SDL_SCANCODE_A, "a"));
    EXPECT_EQ(TakeLog(), (Log{"down 65 0", "press 97", "up 65 0"}));
    // Shifted text comes from text input.
    Feed(Holding({{K(LSHIFT)}}, KMOD_LSHIFT, Type(K(1), "!", KMOD_LSHIFT)));
    EXPECT_EQ(TakeLog(), (Log{"down 16 1", "down 49 1", "press 33", "up 49 1", "up 16 0"}));
    // Ctrl goes down here, the window loses the keyboard, Ctrl comes up elsewhere.
    Feed({KeyEvent(true, K(LCTRL), KMOD_LCTRL), WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    EXPECT_EQ(TakeLog(), (Log{"down 17 2", "up 17 0"}));
    EXPECT_FALSE(GetAsyncKeyState(VK_CONTROL) & 0x8000);
    // Back in the window, a plain key types plainly.
    Feed(Type(SDLK_a, SDL_SCANCODE_A, "a"));
    EXPECT_EQ(Presses(), (Log{"press 97"}));
    // Nothing held: losing the keyboard again sends nothing.
    Feed({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    EXPECT_EQ(TakeLog(), Log{});
    Log messages;
    // Watch the raw message for its extended-key bit.
    SetKeyFilter([&](HWND, UINT message, WPARAM vk, LPARAM lParam) {
        if (message == WM_KEYDOWN) {
            messages.push_back(std::to_string(vk) + ((lParam >> 24) & 1 ? " extended" : ""));
        }
        return false;
    });
    Feed(Concat({Press(K(LEFT)), Press(K(KP_4))}));
    EXPECT_EQ(messages, (Log{"37 extended", "37"}));
    EXPECT_EQ(Presses(), Log{});
}

// Key and text events, and the characters the focused control is given for them.
struct TypingCase {
    const char* name;
    Events events;
    Log presses;
};

class SdlTypingTest : public SdlInputTest, public testing::WithParamInterface<TypingCase> {};

TEST_P(SdlTypingTest, TypesTheCharactersAPersonMeans) {
    Feed(GetParam().events);
    EXPECT_EQ(Presses(), GetParam().presses);
}

constexpr std::pair<SDL_Keycode, SDL_Scancode> kLShift{K(LSHIFT)}, kLCtrl{K(LCTRL)},
    kRCtrl{K(RCTRL)}, kLAlt{K(LALT)}, kRAlt{K(RALT)};

INSTANTIATE_TEST_SUITE_P(
    SdlInput, SdlTypingTest,
    testing::Values(
        // A German keyboard: the key right of L types o-umlaut, and Shift+7 types a slash.
        TypingCase{"TheLayoutDecidesTheCharacterNotTheUsKeyboard",
                   Concat({Type(0x00F6, SDL_SCANCODE_SEMICOLON, "\xC3\xB6"),
                           Holding({kLShift}, KMOD_LSHIFT, Type(K(7), "/", KMOD_LSHIFT))}),
                   {"press 246", "press 47"}},
        // SDL sends no text for these keys; the keys themselves must type.
        TypingCase{
            "EnterBackspaceEscapeAndKeypadEnterTypeTheirOwnCharacters",
            Concat({Press(K(RETURN)), Press(K(BACKSPACE)), Press(K(ESCAPE)), Press(K(KP_ENTER))}),
            {"press 13", "press 8", "press 27", "press 13"}},
        // SDL sends no text for Ctrl+C; the runtime's Ctrl+C is character 3.
        TypingCase{
            "CtrlWithALetterTypesItsControlCharacter",
            Concat({Holding({kLCtrl}, KMOD_LCTRL, Press(SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL)),
                    Holding({kRCtrl}, KMOD_RCTRL, Press(SDLK_v, SDL_SCANCODE_V, KMOD_RCTRL))}),
            {"press 3", "press 22"}},
        // X sends "1" for Ctrl+1 and "f" for Alt+F; here they are shortcuts only. Once
        // released, typing is back to normal.
        TypingCase{
            "TextThatArrivesWhileCtrlOrAltIsHeldTypesNothing",
            Concat({Holding({kLCtrl}, KMOD_LCTRL, Type(K(1), "1", KMOD_LCTRL)),
                    Holding({kLAlt}, KMOD_LALT, Type(SDLK_f, SDL_SCANCODE_F, "f", KMOD_LALT)),
                    Type(SDLK_f, SDL_SCANCODE_F, "f")}),
            {"press 102"}},
        // A German keyboard: Alt Gr+Q types @, reported as the right Alt key; Ctrl and Alt
        // together stand for Alt Gr too.
        TypingCase{
            "AltGrTypesTheCharactersOfTheThirdLevel",
            Concat({Holding({kRAlt}, KMOD_RALT, Type(SDLK_q, SDL_SCANCODE_Q, "@", KMOD_RALT)),
                    Holding({kLCtrl, kLAlt}, KMOD_LCTRL | KMOD_LALT,
                            Type(SDLK_e, SDL_SCANCODE_E, "\xE2\x82\xAC", KMOD_LCTRL | KMOD_LALT))}),
            {"press 64", "press 8364"}},
        // An input method or a dead key sends text on its own, several characters at once;
        // a character beyond 16 bits reaches the control as its two surrogate halves.
        TypingCase{"TextWithoutAKeyArrivesCharacterByCharacter",
                   {TextEvent("\xC3\xA9t\xC3\xA9"), TextEvent("\xF0\x9F\x98\x80")},
                   {"press 233", "press 116", "press 233", "press 55357", "press 56832"}},
        TypingCase{"KeypadDigitsWithNumLockTypeOnceAndWithoutItNothing",
                   Concat({Type(K(KP_7), "7", KMOD_NUM), Press(K(KP_7))}),
                   {"press 55"}}),
    [](const testing::TestParamInfo<TypingCase>& info) { return info.param.name; });

TEST_F(SdlInputTest, ClicksButtonsAndWheelNotchesReachTheWindowsAtTheMouseOtherEventsAreLeft) {
    Feed({MotionEvent(50, 110), ButtonEvent(true, SDL_BUTTON_LEFT, 50, 110),
          ButtonEvent(false, SDL_BUTTON_LEFT, 50, 110)});
    EXPECT_EQ(TakeLog(), (Log{"click"}));  // and the button took the focus: Tab goes on from it
    // Released away from the button: no click.
    Feed({ButtonEvent(true, SDL_BUTTON_LEFT, 50, 110), MotionEvent(300, 250),
          ButtonEvent(false, SDL_BUTTON_LEFT, 300, 250)});
    EXPECT_EQ(TakeLog(), Log{});
    Feed(Press(K(TAB)));  // and Tab moves the focus on through the form
    EXPECT_TRUE(pad_.HasFocus());
    Events events;
    for (uint8_t button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1}) {
        events.push_back(ButtonEvent(true, button, 19 + button, 29 + button));
        events.push_back(ButtonEvent(false, button, 19 + button, 29 + button));
    }
    Feed(events);
    // Tab's release reaches the control it moved to. Control coordinates: the pad sits at 10, 10.
    // Side buttons have no place in the runtime and are dropped.
    EXPECT_EQ(TakeLog(),
              (Log{"up 9 0", "mousedown 1 10,20", "mousedown 2 12,22", "mousedown 4 11,21"}));
    Log wheel;
    WindowOptions options;
    options.parent = form_.hWnd();
    options.rect = Rect{250, 10, 350, 90};
    options.proc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        auto* log = reinterpret_cast<Log*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
        if (message == WM_MOUSEWHEEL) {
            log->push_back(std::to_string(static_cast<int16_t>(HIWORD(wParam))) + " at " +
                           std::to_string(GET_X_LPARAM(lParam)) + "," +
                           std::to_string(GET_Y_LPARAM(lParam)));
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    };
    options.userData = reinterpret_cast<intptr_t>(&wheel);
    const HWND list = CreateWindowEx(options);
    SetFocus(list);
    Feed({MotionEvent(300, 40), WheelEvent(1), WheelEvent(-2), WheelEvent(1, true), WheelEvent(0)});
    EXPECT_EQ(wheel, (Log{"120 at 300,40", "-240 at 300,40", "-120 at 300,40"}));
    DestroyWindow(list);
    EXPECT_FALSE(input_.Feed(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED)));
    EXPECT_FALSE(input_.Feed(WindowEvent(SDL_WINDOWEVENT_EXPOSED)));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_FALSE(input_.Feed(quit));
    EXPECT_TRUE(input_.Feed(MotionEvent(1, 2)));
    EXPECT_EQ(input_.MousePosition(), (Point{1, 2}));
}

}  // namespace
}  // namespace tabula
