#pragma once

// Runs script statements against named objects through their automation interfaces, and
// prints what the script asks for and what the objects' events report.
//
// Commands:
//   print a, b, ...      the values on one line, separated by one space: numbers in
//                        decimal, Booleans True/False, strings as they are, Empty as
//                        nothing
//   events on|off        when on, every event prints "event Name arg1 arg2 ...", strings
//                        in double quotes with quotes doubled
//   cancel Name          handlers of event Name set its Cancel to True from now on
//   uncancel Name        ... and no longer
//   keyascii N           handlers of KeyPress set KeyAscii to N from now on
//   keyascii off         ... and no longer
//
// Variables hold any value (`n = grid.Rows`); an argument that is a variable and that a
// member takes by reference is written back (`grid.FindCellTag "key", r, c`), and may be
// new then.
//
// A failing statement prints "error N: description" and the script goes on. Unknown
// members raise 438, a wrong number of arguments 450, a line that is no statement 2.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "apps/tabula-script/Parser.h"
#include "platform/runtime/Dispatch.h"

namespace tabula::script {

class Interpreter {
public:
    // The longest text `&` makes; more raises 7.
    static constexpr size_t kMaxTextBytes = size_t{1} << 20;

    explicit Interpreter(std::ostream& out);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Makes `object` reachable by `name` (any case); its events, when given, go through the
    // script's handlers. Both must outlive the interpreter.
    void AddObject(std::string_view name, Dispatchable& object, EventSource* events = nullptr);

    // Runs one line. Returns false when it failed (the error is printed).
    bool RunLine(std::string_view line);
    // Runs every line; returns how many failed.
    int Run(std::istream& in);

    // Evaluates one expression, for tests and for commands.
    Variant Evaluate(const Expr& expr);

    // Handles a command the parser knows but the interpreter leaves to its host (resize,
    // pixel, screenshot act on the session's grid).
    using CommandHandler = std::function<void(const Statement&)>;
    void SetCommand(std::string name, CommandHandler handler);
    // A name that reads as a value the host works out each time (`print focus`); scripts
    // cannot assign it.
    void SetReadOnlyValue(std::string name, std::function<Variant()> value);

private:
    class ScriptEvents;
    using Handler = std::function<void(const Statement&)>;

    void Execute(const Statement& statement);
    void Assign(const Statement& statement);
    void Call(const Statement& statement);

    // The object a path reaches after its first `steps` members.
    std::shared_ptr<Dispatchable> Reach(const MemberPath& path, size_t steps);
    // Calls one member of `object`: `value` is the value of a let or set.
    Variant InvokeStep(Dispatchable& object, const MemberStep& step, InvokeKind kind,
                       const std::vector<ExprPtr>& args, const Variant* value = nullptr);
    Variant Read(const MemberPath& path);
    Variant Variable(const std::string& name) const;
    // a op b for the comparison operators: numbers by value, anything else as text.
    static bool Compare(const Variant& a, const Variant& b, std::string_view op);
    // An object's default value (its member 0), anything else as it is.
    Variant Scalar(Variant value);

    void Print(const Statement& statement);
    void Events(const Statement& statement);
    void Cancel(const Statement& statement, bool on);
    void KeyAscii(const Statement& statement);
    void OnEvent(const EventInfo& event, std::vector<Variant>& args);
    // The event of any object named `name`; error 5 if there is none.
    const EventInfo& FindEvent(std::string_view name) const;

    std::ostream& out_;
    std::map<std::string, Dispatchable*> objects_;  // by lower-case name
    std::vector<std::pair<EventSource*, int>> advised_;
    std::shared_ptr<ScriptEvents> sink_;
    std::map<std::string, Handler> commands_;

    bool printEvents_ = false;
    std::set<std::string> cancelled_;                           // lower-case event names
    std::map<std::string, Variant> variables_;                  // by lower-case name
    std::map<std::string, std::function<Variant()>> readOnly_;  // by lower-case name
    std::optional<int16_t> keyAscii_;
};

}  // namespace tabula::script
