#include "apps/tabula-script/ScriptSession.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "platform/image/PngFile.h"
#include "platform/runtime/Error.h"
#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula::script {

namespace {
constexpr int32_t kMaxWait = 3600000;

int32_t Side(int32_t value) {
    return std::clamp(value, 1, ScriptSession::kMaxSide);
}

// Errors read as the interpreter's own: the standard text, then what went wrong.
[[noreturn]] void Raise(int32_t number, std::string_view detail) {
    std::string description = StandardErrorDescription(number);
    description += ": ";
    description += detail;
    RaiseError(number, {}, std::move(description));
}

void ExpectArguments(const Statement& statement, size_t count, const char* usage) {
    if (statement.args.size() != count || std::any_of(statement.args.begin(), statement.args.end(),
                                                      [](const ExprPtr& arg) { return !arg; })) {
        Raise(kErrInvalidCall, usage);
    }
}
}  // namespace

ScriptSession::ScriptSession(int32_t width, int32_t height, std::ostream& out)
    : ScriptSession(std::make_unique<HeadlessHost>(Side(width), Side(height)), nullptr, width,
                    height, out) {}

ScriptSession::ScriptSession(HeadlessHost& host, int32_t width, int32_t height, std::ostream& out)
    : ScriptSession(nullptr, &host, width, height, out) {}

ScriptSession::ScriptSession(std::unique_ptr<HeadlessHost> own, HeadlessHost* shared, int32_t width,
                             int32_t height, std::ostream& out)
    : out_(out),
      ownHost_(std::move(own)),
      host_(shared ? *shared : *ownHost_),
      form_(Rect{0, 0, Side(width), Side(height)}, "tabula-script"),
      container_(form_),
      grid_(form_.hWnd(), Rect{0, 0, Side(width), Side(height)}),
      interpreter_(out) {
    Site& site = container_.Add(grid_, "Tabula.Grid");
    if (container_.SupportedExtenderProperties().Has(ExtenderProperty::Name)) {
        site.GetExtender().Let("Name", "grid");
    }
    grid_.InitProperties();
    form_.Show();
    interpreter_.AddObject("grid", grid_, &grid_.Events());
    interpreter_.SetCommand("resize", [this](const Statement& s) { Resize(s); });
    interpreter_.SetCommand("pixel", [this](const Statement& s) { PrintPixel(s, false); });
    interpreter_.SetCommand("screenpixel", [this](const Statement& s) { PrintPixel(s, true); });
    interpreter_.SetCommand("screenshot", [this](const Statement& s) { Screenshot(s); });
    interpreter_.SetCommand("key", [this](const Statement& s) { PressKey(s); });
    interpreter_.SetCommand("type", [this](const Statement& s) { TypeText(s); });
    interpreter_.SetCommand("click", [this](const Statement& s) { Click(s, false); });
    interpreter_.SetCommand("dblclick", [this](const Statement& s) { Click(s, true); });
    interpreter_.SetCommand("drag", [this](const Statement& s) { Drag(s); });
    interpreter_.SetCommand("move", [this](const Statement& s) { Move(s); });
    interpreter_.SetCommand("keydown", [this](const Statement& s) { KeyChange(s, true); });
    interpreter_.SetCommand("keyup", [this](const Statement& s) { KeyChange(s, false); });
    interpreter_.SetCommand("keypress", [this](const Statement& s) { KeyPressed(s); });
    interpreter_.SetCommand("wheel", [this](const Statement& s) { Wheel(s); });
    interpreter_.SetCommand("wait", [this](const Statement& s) { Wait(s); });
    interpreter_.SetReadOnlyValue("focus", [this] { return Variant(FocusName()); });
    interpreter_.SetReadOnlyValue(
        "pointer", [this] { return Variant(int32_t{grid_.picGrid.MousePointer()}); });
    interpreter_.SetReadOnlyValue("fullpaint", [this] { return Variant(MatchesFullPaint()); });
    interpreter_.SetReadOnlyValue("lookup", [this] { return Variant(LookupListShown()); });
}

bool ScriptSession::MatchesFullPaint() {
    // The repaint would end an edit in progress: the question waits for the edit's end.
    if (grid_.State().Editing)
        RaiseError(kErrInvalidCall, {}, "fullpaint cannot be read while a cell is edited");
    const PixelImage drawn = grid_.picGrid.Picture();
    grid_.Refresh();
    return drawn == grid_.picGrid.Picture();
}

int32_t ScriptSession::Number(const Statement& statement, size_t i) {
    return interpreter_.Evaluate(*statement.args[i]).ToLong();
}

void ScriptSession::FocusCells() {
    const PopupList* list = grid_.LookupForm();
    if (list && list->HasFocus()) return;
    if (!IsChild(grid_.hWnd(), GetFocus())) grid_.picGrid.SetFocus();
}

std::string ScriptSession::LookupListShown() const {
    const PopupList* list = grid_.LookupForm();
    if (!list) return "Nothing";
    Rect r;
    GetWindowRect(list->hWnd(), &r);
    const Point at = ScreenToClient(grid_.picGrid.hWnd(), Point{r.left, r.top});
    return "at " + std::to_string(at.x) + "," + std::to_string(at.y) + " size " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + ", " +
           std::to_string(list->VisibleCount()) + " of " + std::to_string(list->ListCount()) +
           " rows, index " + std::to_string(list->ListIndex());
}

int32_t ScriptSession::Optional(const Statement& statement, size_t i, int32_t fallback) {
    return statement.args.size() > i ? Number(statement, i) : fallback;
}

// A key code and a shift mask, checked.
static std::pair<uint8_t, int16_t> KeyArguments(int32_t code, int32_t shift) {
    if (code < 1 || code > 254 || shift < 0 || shift > 7) {
        Raise(kErrInvalidCall, "key codes run from 1 to 254, shift masks from 0 to 7");
    }
    return {static_cast<uint8_t>(code), static_cast<int16_t>(shift)};
}

template <class Input>
void ScriptSession::WithModifiers(int32_t shift, Input input) {
    if (shift < 0 || shift > 7) Raise(kErrInvalidCall, "shift masks run from 0 to 7");
    const uint8_t modifiers[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    for (int i = 0; i < 3; ++i) {
        if (shift & (1 << i)) host_.KeyDown(modifiers[i]);
    }
    input();
    for (int i = 2; i >= 0; --i) {
        if (shift & (1 << i)) host_.KeyUp(modifiers[i]);
    }
}

void ScriptSession::PressKey(const Statement& statement) {
    const char* usage = "key takes a key code and an optional shift mask";
    ExpectArguments(statement, statement.args.size() == 2 ? 2 : 1, usage);
    const auto [code, shift] = KeyArguments(Number(statement, 0), Optional(statement, 1, 0));
    FocusCells();
    host_.PressKey(code, shift);
}

void ScriptSession::KeyChange(const Statement& statement, bool down) {
    const char* usage = down ? "keydown takes a key code and an optional shift mask"
                             : "keyup takes a key code and an optional shift mask";
    ExpectArguments(statement, statement.args.size() == 2 ? 2 : 1, usage);
    const auto [code, shift] = KeyArguments(Number(statement, 0), Optional(statement, 1, 0));
    FocusCells();
    WithModifiers(shift, [&, code = code] { down ? host_.KeyDown(code) : host_.KeyUp(code); });
}

void ScriptSession::KeyPressed(const Statement& statement) {
    ExpectArguments(statement, 1, "keypress takes a character code");
    const int32_t ascii = Number(statement, 0);
    if (ascii < 1 || ascii > 0x10FFFF || (ascii >= 0xD800 && ascii <= 0xDFFF))
        Raise(kErrInvalidCall, "keypress takes a character code from 1");
    std::string text;
    AppendUtf8(static_cast<char32_t>(ascii), text);
    FocusCells();
    host_.Type(text);
}

void ScriptSession::Move(const Statement& statement) {
    ExpectArguments(statement, 2, "move takes x and y");
    host_.MouseMove(grid_.picGrid.hWnd(), Number(statement, 0), Number(statement, 1));
}

void ScriptSession::Wheel(const Statement& statement) {
    ExpectArguments(statement, 1, "wheel takes a turn, 120 a notch");
    const int32_t delta = Number(statement, 0);
    if (delta < INT16_MIN || delta > INT16_MAX) Raise(kErrInvalidCall, "wheel turns are 16-bit");
    host_.Wheel(delta);
}

void ScriptSession::Wait(const Statement& statement) {
    ExpectArguments(statement, 1, "wait takes milliseconds");
    const int32_t ms = Number(statement, 0);
    if (ms < 0 || ms > kMaxWait) Raise(kErrInvalidCall, "wait takes 0 to 3600000 milliseconds");
    host_.Advance(ms);
}

std::string ScriptSession::FocusName() {
    const HWND focus = GetFocus();
    const std::pair<const Control*, const char*> parts[] = {{&grid_, "grid"},
                                                            {&grid_.picGrid, "picGrid"},
                                                            {&grid_.scrVertical, "scrVertical"},
                                                            {&grid_.scrHorizontal, "scrHorizontal"},
                                                            {&grid_.txtSingle, "txtSingle"},
                                                            {&grid_.txtMulti, "txtMulti"},
                                                            {&grid_.cmdButton, "cmdButton"},
                                                            {&grid_.cmdLookup, "cmdLookup"},
                                                            {&grid_.picSizer, "picSizer"}};
    for (const auto& [control, name] : parts) {
        if (control->hWnd() == focus) return name;
    }
    const PopupList* list = grid_.LookupForm();
    return list && list->hWnd() == focus ? "LookupForm" : "";
}

void ScriptSession::TypeText(const Statement& statement) {
    ExpectArguments(statement, 1, "type takes a text");
    const std::string text = interpreter_.Evaluate(*statement.args[0]).ToText();
    FocusCells();
    host_.Type(text);
}

void ScriptSession::Click(const Statement& statement, bool twice) {
    const char* usage = twice ? "dblclick takes x, y and an optional button and shift mask"
                              : "click takes x, y and an optional button and shift mask";
    const size_t count = std::clamp<size_t>(statement.args.size(), 2, 4);
    ExpectArguments(statement, count, usage);
    const int32_t x = Number(statement, 0);
    const int32_t y = Number(statement, 1);
    const int32_t button = Optional(statement, 2, vbLeftButton);
    if (button != vbLeftButton && button != vbRightButton && button != vbMiddleButton)
        Raise(kErrInvalidCall, "buttons are 1 (left), 2 (right) and 4 (middle)");
    // The host numbers buttons 0, 1, 2.
    const int hostButton = button == vbLeftButton ? 0 : button == vbRightButton ? 1 : 2;
    const HWND surface = grid_.picGrid.hWnd();
    WithModifiers(Optional(statement, 3, 0), [&] {
        if (twice && hostButton == 0) {
            host_.DoubleClick(surface, x, y);
        } else {
            host_.Click(surface, x, y, hostButton);
            if (twice) host_.Click(surface, x, y, hostButton);
        }
    });
}

void ScriptSession::Drag(const Statement& statement) {
    ExpectArguments(statement, 4, "drag takes x1, y1, x2 and y2");
    host_.Drag(grid_.picGrid.hWnd(), Number(statement, 0), Number(statement, 1),
               Number(statement, 2), Number(statement, 3));
}

void ScriptSession::Resize(const Statement& statement) {
    ExpectArguments(statement, 2, "resize takes a width and a height");
    const int32_t width = Side(interpreter_.Evaluate(*statement.args[0]).ToLong());
    const int32_t height = Side(interpreter_.Evaluate(*statement.args[1]).ToLong());
    // The form grows with the grid so that the whole grid stays on it.
    form_.Move(form_.Left(), form_.Top(), std::max(form_.Width(), width),
               std::max(form_.Height(), height));
    grid_.Move(grid_.Left(), grid_.Top(), width, height);
}

void ScriptSession::PrintPixel(const Statement& statement, bool onScreen) {
    ExpectArguments(statement, 2, onScreen ? "screenpixel takes x and y" : "pixel takes x and y");
    const int32_t x = interpreter_.Evaluate(*statement.args[0]).ToLong();
    const int32_t y = interpreter_.Evaluate(*statement.args[1]).ToLong();
    const PixelImage& image = grid_.picGrid.Image();
    if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height()) {
        Raise(kErrInvalidCall, "pixel lies outside the picture");
    }
    uint32_t color = image.Pixel(x, y);
    if (onScreen) {
        const Point at = ClientToScreen(grid_.picGrid.hWnd(), Point{x, y});
        const PixelImage screen = host_.Screen();
        if (at.x >= screen.Width() || at.y >= screen.Height())
            Raise(kErrInvalidCall, "pixel lies outside the screen");
        color = screen.Pixel(at.x, at.y);
    }
    char shown[16];
    std::snprintf(shown, sizeof shown, "&H%06X", static_cast<unsigned>(color & 0xFFFFFF));
    out_ << shown << '\n';
    out_.flush();
}

void ScriptSession::Screenshot(const Statement& statement) {
    ExpectArguments(statement, 1, "screenshot takes a file name");
    const std::string path = interpreter_.Evaluate(*statement.args[0]).ToText();
    try {
        // The control as a person sees it: its border, picGrid and the bars shown.
        WritePng(CaptureWindow(grid_.hWnd()), path);
    } catch (const PngError& error) {
        // The file could not be written: the script sees a file access error.
        Raise(kErrPathFileAccess, error.what());
    }
}

ScriptSession::~ScriptSession() = default;

}  // namespace tabula::script
