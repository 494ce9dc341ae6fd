// SDL events, made by hand the way SDL delivers them for a person's keystrokes and mouse
// use, fed through the host's input translation into a form, checked by the events the
// form's controls raise. No SDL initialisation: only the event structures are used.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "hosts/headless/HeadlessHost.h"
#include "hosts/sdl/SdlInput.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {
namespace {

using Log = std::vector<std::string>;

SDL_Event KeyEvent(bool down, SDL_Keycode sym, SDL_Scancode scancode, uint16_t mod = KMOD_NONE,
                   bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event TextEvent(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}

SDL_Event MotionEvent(int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event ButtonEvent(bool down, uint8_t button, int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event WheelEvent(int32_t y, bool flipped = false) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = y;
    e.wheel.preciseY = static_cast<float>(y);
    e.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    return e;
}

SDL_Event WindowEvent(uint8_t which) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = which;
    return e;
}

std::string Text(int16_t keyAscii) {
    return std::to_string(static_cast<uint16_t>(keyAscii));
}

class SdlInputTest : public testing::Test {
protected:
    SdlInputTest() {
        form_.Move(0, 0, 400, 300);  // the host keeps the form at the window's corner
        pad_.KeyDown = [this](int16_t& code, int16_t shift) {
            log_.push_back("down " + std::to_string(code) + " " + std::to_string(shift));
        };
        pad_.KeyUp = [this](int16_t& code, int16_t shift) {
            log_.push_back("up " + std::to_string(code) + " " + std::to_string(shift));
        };
        pad_.KeyPress = [this](int16_t& ascii) { log_.push_back("press " + Text(ascii)); };
        pad_.MouseDown = [this](int16_t button, int16_t, float x, float y) {
            log_.push_back("mousedown " + std::to_string(button) + " " + std::to_string(int(x)) +
                           "," + std::to_string(int(y)));
        };
        button_.Click = [this] { log_.push_back("click"); };
        form_.Show();
        pad_.SetFocus();
    }

    // Feeds the events and lets the desktop dispatch what they queued.
    void Feed(std::initializer_list<SDL_Event> events) {
        for (const SDL_Event& e : events)
            input_.Feed(e);
        host_.GetDesktop().PumpMessages();
    }

    // A key as SDL reports a printable one: pressed, its text, released.
    void Type(SDL_Keycode sym, SDL_Scancode scancode, const char* text, uint16_t mod = KMOD_NONE) {
        Feed({KeyEvent(true, sym, scancode, mod), TextEvent(text),
              KeyEvent(false, sym, scancode, mod)});
    }

    Log TakeLog() { return std::exchange(log_, {}); }

    // Only the key presses of the log.
    Log Presses() {
        Log presses;
        for (const auto& line : TakeLog()) {
            if (line.rfind("press ", 0) == 0) presses.push_back(line);
        }
        return presses;
    }

    HeadlessHost host_{400, 300};
    SdlInput input_{host_.GetDesktop()};
    Log log_;
    Form form_{Rect{0, 0, 400, 300}, "Input"};
    PictureBox pad_{form_.hWnd(), Rect{10, 10, 210, 60}};
    CommandButton button_{form_.hWnd(), Rect{10, 100, 90, 126}, "OK"};
};

TEST_F(SdlInputTest, APrintableKeyTypesItsCharacterOnce) {
    Type(SDLK_a, SDL_SCANCODE_A, "a");
    EXPECT_EQ(TakeLog(), (Log{"down 65 0", "press 97", "up 65 0"}));
}

TEST_F(SdlInputTest, ShiftedTextComesFromTextInputWithTheShiftStateOnTheKeys) {
    Feed({KeyEvent(true, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT)});
    Type(SDLK_1, SDL_SCANCODE_1, "!", KMOD_LSHIFT);
    Feed({KeyEvent(false, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT)});
    EXPECT_EQ(TakeLog(), (Log{"down 16 1", "down 49 1", "press 33", "up 49 1", "up 16 0"}));
}

TEST_F(SdlInputTest, TheLayoutDecidesTheCharacterNotTheUsKeyboard) {
    // A German keyboard: the key right of L types o-umlaut, and Shift+7 types a slash.
    Type(0x00F6, SDL_SCANCODE_SEMICOLON, "\xC3\xB6");
    EXPECT_EQ(Presses(), (Log{"press 246"}));
    Feed({KeyEvent(true, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT)});
    Type(SDLK_7, SDL_SCANCODE_7, "/", KMOD_LSHIFT);
    Feed({KeyEvent(false, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT)});
    EXPECT_EQ(Presses(), (Log{"press 47"}));
}

TEST_F(SdlInputTest, EnterBackspaceTabAndEscapeTypeTheirOwnCharacters) {
    // SDL sends no text for these keys; the keys themselves must type.
    Feed({KeyEvent(true, SDLK_RETURN, SDL_SCANCODE_RETURN),
          KeyEvent(false, SDLK_RETURN, SDL_SCANCODE_RETURN)});
    EXPECT_EQ(TakeLog(), (Log{"down 13 0", "press 13", "up 13 0"}));
    Feed({KeyEvent(true, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE),
          KeyEvent(false, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE)});
    EXPECT_EQ(TakeLog(), (Log{"down 8 0", "press 8", "up 8 0"}));
    Feed({KeyEvent(true, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE),
          KeyEvent(false, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE)});
    EXPECT_EQ(TakeLog(), (Log{"down 27 0", "press 27", "up 27 0"}));
    // The keypad's Enter too.
    Feed({KeyEvent(true, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER),
          KeyEvent(false, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER)});
    EXPECT_EQ(TakeLog(), (Log{"down 13 0", "press 13", "up 13 0"}));
}

TEST_F(SdlInputTest, TabMovesTheFocusThroughTheForm) {
    Feed({KeyEvent(true, SDLK_TAB, SDL_SCANCODE_TAB), KeyEvent(false, SDLK_TAB, SDL_SCANCODE_TAB)});
    EXPECT_TRUE(button_.HasFocus());
}

TEST_F(SdlInputTest, CtrlWithALetterTypesItsControlCharacter) {
    // SDL sends no text for Ctrl+C; the runtime's Ctrl+C is character 3.
    Feed({KeyEvent(true, SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL),
          KeyEvent(true, SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL),
          KeyEvent(false, SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL),
          KeyEvent(false, SDLK_LCTRL, SDL_SCANCODE_LCTRL)});
    EXPECT_EQ(TakeLog(), (Log{"down 17 2", "down 67 2", "press 3", "up 67 2", "up 17 0"}));
    // The right-hand Ctrl as well.
    Feed({KeyEvent(true, SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_RCTRL),
          KeyEvent(true, SDLK_v, SDL_SCANCODE_V, KMOD_RCTRL),
          KeyEvent(false, SDLK_v, SDL_SCANCODE_V, KMOD_RCTRL),
          KeyEvent(false, SDLK_RCTRL, SDL_SCANCODE_RCTRL)});
    EXPECT_EQ(Presses(), (Log{"press 22"}));
}

TEST_F(SdlInputTest, TextThatArrivesWhileCtrlOrAltIsHeldTypesNothing) {
    // X sends "1" for Ctrl+1 and "f" for Alt+F; on this runtime they are shortcuts only.
    Feed({KeyEvent(true, SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL)});
    Type(SDLK_1, SDL_SCANCODE_1, "1", KMOD_LCTRL);
    Feed({KeyEvent(false, SDLK_LCTRL, SDL_SCANCODE_LCTRL)});
    Feed({KeyEvent(true, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT)});
    Type(SDLK_f, SDL_SCANCODE_F, "f", KMOD_LALT);
    Feed({KeyEvent(false, SDLK_LALT, SDL_SCANCODE_LALT)});
    EXPECT_EQ(Presses(), Log{});
    // Once released, typing is back to normal.
    Type(SDLK_f, SDL_SCANCODE_F, "f");
    EXPECT_EQ(Presses(), (Log{"press 102"}));
}

TEST_F(SdlInputTest, AltGrTypesTheCharactersOfTheThirdLevel) {
    // A German keyboard: Alt Gr+Q types @, reported as the right Alt key.
    Feed({KeyEvent(true, SDLK_RALT, SDL_SCANCODE_RALT, KMOD_RALT)});
    Type(SDLK_q, SDL_SCANCODE_Q, "@", KMOD_RALT);
    Feed({KeyEvent(false, SDLK_RALT, SDL_SCANCODE_RALT)});
    EXPECT_EQ(Presses(), (Log{"press 64"}));
    // Ctrl and Alt together stand for Alt Gr too.
    Feed({KeyEvent(true, SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL),
          KeyEvent(true, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LCTRL | KMOD_LALT)});
    Type(SDLK_e, SDL_SCANCODE_E, "\xE2\x82\xAC", KMOD_LCTRL | KMOD_LALT);
    Feed({KeyEvent(false, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LCTRL),
          KeyEvent(false, SDLK_LCTRL, SDL_SCANCODE_LCTRL)});
    EXPECT_EQ(Presses(), (Log{"press 8364"}));
}

TEST_F(SdlInputTest, TextWithoutAKeyArrivesCharacterByCharacter) {
    // An input method or a dead key sends text on its own, several characters at once.
    Feed({TextEvent("\xC3\xA9t\xC3\xA9")});
    EXPECT_EQ(TakeLog(), (Log{"press 233", "press 116", "press 233"}));
    // A character beyond 16 bits reaches the control as its two surrogate halves.
    Feed({TextEvent("\xF0\x9F\x98\x80")});
    EXPECT_EQ(TakeLog(), (Log{"press 55357", "press 56832"}));
}

TEST_F(SdlInputTest, AHeldKeyRepeatsItsPressAndItsCharacter) {
    Feed({KeyEvent(true, SDLK_x, SDL_SCANCODE_X), TextEvent("x"),
          KeyEvent(true, SDLK_x, SDL_SCANCODE_X, KMOD_NONE, true), TextEvent("x"),
          KeyEvent(false, SDLK_x, SDL_SCANCODE_X)});
    EXPECT_EQ(TakeLog(), (Log{"down 88 0", "press 120", "down 88 0", "press 120", "up 88 0"}));
    // Backspace repeats by itself, with no text.
    Feed({KeyEvent(true, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE),
          KeyEvent(true, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KMOD_NONE, true),
          KeyEvent(false, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE)});
    EXPECT_EQ(Presses(), (Log{"press 8", "press 8"}));
}

TEST_F(SdlInputTest, KeypadDigitsWithNumLockTypeOnceAndNavigateWithout) {
    Type(SDLK_KP_7, SDL_SCANCODE_KP_7, "7", KMOD_NUM);
    EXPECT_EQ(TakeLog(), (Log{"down 103 0", "press 55", "up 103 0"}));
    Feed({KeyEvent(true, SDLK_KP_7, SDL_SCANCODE_KP_7),
          KeyEvent(false, SDLK_KP_7, SDL_SCANCODE_KP_7)});
    EXPECT_EQ(TakeLog(), (Log{"down 36 0", "up 36 0"}));
}

TEST_F(SdlInputTest, ArrowKeysArriveExtendedWithoutCharacters) {
    Log messages;
    // Watch the raw message for its extended-key bit.
    SetKeyFilter([&](HWND, UINT message, WPARAM vk, LPARAM lParam) {
        if (message == WM_KEYDOWN) {
            messages.push_back(std::to_string(vk) + ((lParam >> 24) & 1 ? " extended" : ""));
        }
        return false;
    });
    Feed({KeyEvent(true, SDLK_LEFT, SDL_SCANCODE_LEFT),
          KeyEvent(false, SDLK_LEFT, SDL_SCANCODE_LEFT),
          KeyEvent(true, SDLK_KP_4, SDL_SCANCODE_KP_4),
          KeyEvent(false, SDLK_KP_4, SDL_SCANCODE_KP_4)});
    EXPECT_EQ(messages, (Log{"37 extended", "37"}));
    EXPECT_EQ(Presses(), Log{});
}

TEST_F(SdlInputTest, LosingTheKeyboardReleasesHeldKeys) {
    // Ctrl goes down here, the window loses the keyboard, Ctrl comes up elsewhere.
    Feed({KeyEvent(true, SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL),
          WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    EXPECT_EQ(TakeLog(), (Log{"down 17 2", "up 17 0"}));
    EXPECT_FALSE(GetAsyncKeyState(VK_CONTROL) & 0x8000);
    // Back in the window, a plain key types plainly.
    Type(SDLK_a, SDL_SCANCODE_A, "a");
    EXPECT_EQ(Presses(), (Log{"press 97"}));
    // Nothing held: losing the keyboard again sends nothing.
    Feed({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    EXPECT_EQ(TakeLog(), Log{});
}

TEST_F(SdlInputTest, AClickAtWindowCoordinatesClicksTheButtonThere) {
    Feed({MotionEvent(50, 110), ButtonEvent(true, SDL_BUTTON_LEFT, 50, 110),
          ButtonEvent(false, SDL_BUTTON_LEFT, 50, 110)});
    EXPECT_EQ(TakeLog(), (Log{"click"}));
    EXPECT_TRUE(button_.HasFocus());
    // Released away from the button: no click.
    Feed({ButtonEvent(true, SDL_BUTTON_LEFT, 50, 110), MotionEvent(300, 250),
          ButtonEvent(false, SDL_BUTTON_LEFT, 300, 250)});
    EXPECT_EQ(TakeLog(), Log{});
}

TEST_F(SdlInputTest, MouseButtonsMapToLeftRightAndMiddle) {
    Feed({ButtonEvent(true, SDL_BUTTON_LEFT, 20, 30), ButtonEvent(false, SDL_BUTTON_LEFT, 20, 30),
          ButtonEvent(true, SDL_BUTTON_RIGHT, 21, 31), ButtonEvent(false, SDL_BUTTON_RIGHT, 21, 31),
          ButtonEvent(true, SDL_BUTTON_MIDDLE, 22, 32),
          ButtonEvent(false, SDL_BUTTON_MIDDLE, 22, 32),
          // Side buttons have no place in the runtime and are dropped.
          ButtonEvent(true, SDL_BUTTON_X1, 23, 33), ButtonEvent(false, SDL_BUTTON_X1, 23, 33)});
    // Control coordinates: the pad sits at 10, 10.
    EXPECT_EQ(TakeLog(), (Log{"mousedown 1 10,20", "mousedown 2 11,21", "mousedown 4 12,22"}));
}

TEST_F(SdlInputTest, TheWheelSendsNotchesOf120ToTheFocusWindowAtTheMouse) {
    Log wheel;
    struct Sink {
        static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            auto* log = reinterpret_cast<Log*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
            if (message == WM_MOUSEWHEEL) {
                log->push_back(std::to_string(static_cast<int16_t>(HIWORD(wParam))) + " at " +
                               std::to_string(GET_X_LPARAM(lParam)) + "," +
                               std::to_string(GET_Y_LPARAM(lParam)));
            }
            return DefWindowProc(hwnd, message, wParam, lParam);
        }
    };
    WindowOptions options;
    options.parent = form_.hWnd();
    options.rect = Rect{250, 10, 350, 90};
    options.proc = Sink::Proc;
    options.userData = reinterpret_cast<intptr_t>(&wheel);
    const HWND list = CreateWindowEx(options);
    SetFocus(list);
    Feed({MotionEvent(300, 40), WheelEvent(1), WheelEvent(-2), WheelEvent(1, true), WheelEvent(0)});
    EXPECT_EQ(wheel, (Log{"120 at 300,40", "-240 at 300,40", "-120 at 300,40"}));
    DestroyWindow(list);
}

TEST_F(SdlInputTest, EventsThatAreNotInputAreLeftToTheHost) {
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
