#include "apps/tabula-script/ScriptSession.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "platform/image/PngFile.h"
#include "platform/runtime/Error.h"
#include "platform/window/Windows.h"

namespace tabula::script {

namespace {
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
    : out_(out),
      host_(Side(width), Side(height)),
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
    interpreter_.SetCommand("pixel", [this](const Statement& s) { PrintPixel(s); });
    interpreter_.SetCommand("screenshot", [this](const Statement& s) { Screenshot(s); });
    interpreter_.SetCommand("key", [this](const Statement& s) { PressKey(s); });
    interpreter_.SetCommand("type", [this](const Statement& s) { TypeText(s); });
    interpreter_.SetCommand("click", [this](const Statement& s) { Click(s, false); });
    interpreter_.SetCommand("dblclick", [this](const Statement& s) { Click(s, true); });
    interpreter_.SetCommand("drag", [this](const Statement& s) { Drag(s); });
}

int32_t ScriptSession::Number(const Statement& statement, size_t i) {
    return interpreter_.Evaluate(*statement.args[i]).ToLong();
}

void ScriptSession::FocusCells() {
    if (!IsChild(grid_.hWnd(), GetFocus())) grid_.picGrid.SetFocus();
}

void ScriptSession::PressKey(const Statement& statement) {
    const char* usage = "key takes a key code and an optional shift mask";
    ExpectArguments(statement, statement.args.size() == 2 ? 2 : 1, usage);
    const int32_t code = Number(statement, 0);
    const int32_t shift = statement.args.size() == 2 ? Number(statement, 1) : 0;
    if (code < 1 || code > 254 || shift < 0 || shift > 7) {
        Raise(kErrInvalidCall, "key codes run from 1 to 254, shift masks from 0 to 7");
    }
    FocusCells();
    host_.PressKey(static_cast<uint8_t>(code), static_cast<int16_t>(shift));
}

void ScriptSession::TypeText(const Statement& statement) {
    ExpectArguments(statement, 1, "type takes a text");
    const std::string text = interpreter_.Evaluate(*statement.args[0]).ToText();
    FocusCells();
    host_.Type(text);
}

void ScriptSession::Click(const Statement& statement, bool twice) {
    ExpectArguments(statement, 2, twice ? "dblclick takes x and y" : "click takes x and y");
    const int32_t x = Number(statement, 0);
    const int32_t y = Number(statement, 1);
    if (twice)
        host_.DoubleClick(grid_.picGrid.hWnd(), x, y);
    else
        host_.Click(grid_.picGrid.hWnd(), x, y);
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

void ScriptSession::PrintPixel(const Statement& statement) {
    ExpectArguments(statement, 2, "pixel takes x and y");
    const int32_t x = interpreter_.Evaluate(*statement.args[0]).ToLong();
    const int32_t y = interpreter_.Evaluate(*statement.args[1]).ToLong();
    const PixelImage& image = grid_.picGrid.Image();
    if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height()) {
        Raise(kErrInvalidCall, "pixel lies outside the picture");
    }
    char shown[16];
    std::snprintf(shown, sizeof shown, "&H%06X",
                  static_cast<unsigned>(image.Pixel(x, y) & 0xFFFFFF));
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
