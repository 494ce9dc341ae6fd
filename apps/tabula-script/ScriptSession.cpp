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
