// A whole script run by the script console against a grid of 200 x 150 pixels: the
// parser, the interpreter, the grid's members and a person's input through the console's
// commands. Failing statements are printed and the script goes on, as the console does;
// the printing goes nowhere.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>

#include "apps/tabula-script/ScriptSession.h"
#include "fuzz/FuzzGrid.h"
#include "platform/forms/Form.h"

using namespace tabula;
using namespace tabula::script;

namespace {

// resize as the console does it, each side held to 400 pixels so that every input stays
// fast.
void SmallResize(ScriptSession& session, const Statement& statement) {
    if (statement.args.size() != 2 || !statement.args[0] || !statement.args[1]) return;
    Interpreter& interpreter = session.GetInterpreter();
    const int32_t width = std::clamp(interpreter.Evaluate(*statement.args[0]).ToLong(), 1, 400);
    const int32_t height = std::clamp(interpreter.Evaluate(*statement.args[1]).ToLong(), 1, 400);
    Tabula& grid = session.Grid();
    if (Form* form = Form::Containing(grid.hWnd())) {
        form->Move(form->Left(), form->Top(), std::max(form->Width(), width),
                   std::max(form->Height(), height));
    }
    grid.Move(grid.Left(), grid.Top(), width, height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ostream nowhere(nullptr);
    fuzz::DesktopLease lease;
    ScriptSession session(lease.Host(), fuzz::FuzzGrid::kWidth, fuzz::FuzzGrid::kHeight, nowhere);
    Interpreter& interpreter = session.GetInterpreter();
    // A screenshot would write a file wherever the input names.
    interpreter.SetCommand("screenshot", [](const Statement&) {});
    interpreter.SetCommand("resize", [&session](const Statement& s) { SmallResize(session, s); });

    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    interpreter.Run(script);
    fuzz::ExpectConsistent(session.Grid(), "the script");
    return 0;
}
