#include "apps/tabula-script/Interpreter.h"

#include <algorithm>
#include <istream>
#include <new>
#include <ostream>

#include "platform/runtime/Error.h"
#include "platform/text/CaseFold.h"
#include "platform/text/Utf8.h"

namespace tabula::script {

namespace {

// How `print` shows a value.
std::string Shown(const Variant& value) {
    return value.ToText();
}

// How an event line shows an argument: strings quoted, quotes doubled.
std::string Quoted(const Variant& value) {
    if (value.Type() != VariantType::String)
        return value.Type() == VariantType::Object ? std::string("(object)") : value.ToText();
    std::string text = "\"";
    for (const char c : value.ToText()) {
        text += c;
        if (c == '"') text += '"';
    }
    text += '"';
    return text;
}

[[noreturn]] void Raise(int32_t number, std::string_view detail) {
    std::string description = StandardErrorDescription(number);
    description += ": ";
    description += detail;
    RaiseError(number, {}, std::move(description));
}

// The parameters a call must give: those before the first optional one.
size_t RequiredCount(const MemberInfo& member) {
    size_t count = 0;
    while (count < member.parameters.size() && !member.parameters[count].optional)
        ++count;
    return count;
}

}  // namespace

// Delivers the objects' events to the interpreter.
class Interpreter::ScriptEvents : public EventSink {
public:
    explicit ScriptEvents(Interpreter& interpreter) : interpreter_(interpreter) {}
    void OnEvent(const EventInfo& event, std::vector<Variant>& args) override {
        interpreter_.OnEvent(event, args);
    }

private:
    Interpreter& interpreter_;
};

Interpreter::Interpreter(std::ostream& out)
    : out_(out), sink_(std::make_shared<ScriptEvents>(*this)) {
    commands_["print"] = [this](const Statement& s) { Print(s); };
    commands_["events"] = [this](const Statement& s) { Events(s); };
    commands_["cancel"] = [this](const Statement& s) { Cancel(s, true); };
    commands_["uncancel"] = [this](const Statement& s) { Cancel(s, false); };
    commands_["keyascii"] = [this](const Statement& s) { KeyAscii(s); };
}

void Interpreter::SetCommand(std::string name, CommandHandler handler) {
    commands_[std::move(name)] = std::move(handler);
}

void Interpreter::SetReadOnlyValue(std::string name, std::function<Variant()> value) {
    readOnly_[AsciiLower(name)] = std::move(value);
}

Interpreter::~Interpreter() {
    for (const auto& [source, cookie] : advised_)
        source->Unadvise(cookie);
}

void Interpreter::AddObject(std::string_view name, Dispatchable& object, EventSource* events) {
    objects_[AsciiLower(name)] = &object;
    if (events) advised_.emplace_back(events, events->Advise(sink_));
}

int Interpreter::Run(std::istream& in) {
    int failed = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!RunLine(line)) ++failed;
    }
    return failed;
}

bool Interpreter::RunLine(std::string_view line) {
    int32_t number = 0;
    std::string description;
    try {
        Execute(ParseLine(line));
        return true;
    } catch (const RuntimeError& error) {
        number = error.number;
        description = error.description;
    } catch (const std::bad_alloc&) {
        number = kErrOutOfMemory;
        description = StandardErrorDescription(number);
    } catch (const std::exception& error) {
        number = 51;
        description = "Internal error: ";
        description += error.what();
    }
    out_ << "error " << number << ": " << description << '\n';
    out_.flush();
    return false;
}

void Interpreter::Execute(const Statement& statement) {
    switch (statement.kind) {
        case Statement::Kind::Empty:
            return;
        case Statement::Kind::Assign:
            return Assign(statement);
        case Statement::Kind::Call:
            return Call(statement);
        case Statement::Kind::Variable:
            if (readOnly_.contains(AsciiLower(statement.word)))
                Raise(kErrInvalidCall, statement.word + " cannot be assigned");
            variables_[AsciiLower(statement.word)] = Evaluate(*statement.value);
            return;
        case Statement::Kind::Command:
            if (const auto found = commands_.find(statement.command); found != commands_.end()) {
                return found->second(statement);
            }
            Raise(kErrInvalidCall, statement.command + " is not available here");
    }
}

std::shared_ptr<Dispatchable> Interpreter::Reach(const MemberPath& path, size_t steps) {
    const auto found = objects_.find(AsciiLower(path.object));
    if (found == objects_.end()) Raise(kErrObjectRequired, path.object);
    // The named objects live as long as the interpreter: hold them without owning them.
    std::shared_ptr<Dispatchable> object(found->second, [](Dispatchable*) {});
    for (size_t i = 0; i < steps; ++i) {
        const Variant value = InvokeStep(*object, path.steps[i], kInvokeGet, path.steps[i].args);
        if (value.Type() != VariantType::Object) Raise(kErrObjectRequired, path.steps[i].name);
        std::shared_ptr<AutomationObject> next = value.ToObject();
        if (!next) Raise(kErrObjectNotSet, path.steps[i].name);
        object = std::dynamic_pointer_cast<Dispatchable>(next);
        if (!object) Raise(kErrNotSupported, path.steps[i].name);
    }
    return object;
}

Variant Interpreter::InvokeStep(Dispatchable& object, const MemberStep& step, InvokeKind kind,
                                const std::vector<ExprPtr>& args, const Variant* value) {
    const MemberInfo* member = object.Members().Find(step.name);
    if (!member) RaiseError(kErrNotSupported);
    std::vector<Variant> values;
    std::vector<bool> skipped;
    const auto byReference = [&](size_t i) {
        return i < member->parameters.size() && member->parameters[i].byRef && args[i] &&
               args[i]->kind == Expr::Kind::Variable;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const ExprPtr& arg = args[i];
        // A variable passed by reference may be new: the member fills it.
        const bool fresh = byReference(i) && !variables_.contains(AsciiLower(arg->function));
        values.push_back(arg && !fresh ? Scalar(Evaluate(*arg)) : Variant());
        skipped.push_back(!arg);
    }
    if (values.size() < RequiredCount(*member)) RaiseError(kErrWrongArguments);
    if (value) {
        values.push_back(*value);
        skipped.push_back(false);
    }
    // A read of a method calls it: "print grid.BlockSelected".
    if (kind == kInvokeGet && !(member->kinds & kInvokeGet) && (member->kinds & kInvokeMethod)) {
        kind = kInvokeMethod;
    }
    Variant result = Invoke(member, kind, values, skipped);
    for (size_t i = 0; i < args.size(); ++i) {
        if (byReference(i)) variables_[AsciiLower(args[i]->function)] = values[i];
    }
    return result;
}

Variant Interpreter::Variable(const std::string& name) const {
    if (const auto value = readOnly_.find(AsciiLower(name)); value != readOnly_.end())
        return value->second();
    const auto found = variables_.find(AsciiLower(name));
    if (found == variables_.end())
        RaiseError(kErrVariableUndefined, {}, "Variable is undefined: '" + name + "'");
    return found->second;
}

bool Interpreter::Compare(const Variant& a, const Variant& b, std::string_view op) {
    int order = 0;
    const auto numeric = [](const Variant& v) {
        return v.Type() != VariantType::String && v.Type() != VariantType::Object;
    };
    if (numeric(a) && numeric(b)) {
        const double x = a.ToDouble(), y = b.ToDouble();
        order = x < y ? -1 : x > y ? 1 : 0;
    } else {
        order = a.ToText().compare(b.ToText());
        order = order < 0 ? -1 : order > 0 ? 1 : 0;
    }
    if (op == "=") return order == 0;
    if (op == "<>") return order != 0;
    if (op == "<") return order < 0;
    if (op == ">") return order > 0;
    if (op == "<=") return order <= 0;
    return order >= 0;
}

Variant Interpreter::Read(const MemberPath& path) {
    const std::shared_ptr<Dispatchable> object = Reach(path, path.steps.size() - 1);
    const MemberStep& last = path.steps.back();
    return InvokeStep(*object, last, kInvokeGet, last.args);
}

void Interpreter::Assign(const Statement& statement) {
    const MemberPath& path = statement.target;
    const std::shared_ptr<Dispatchable> object = Reach(path, path.steps.size() - 1);
    Variant value = Evaluate(*statement.value);
    if (statement.isSet) {
        if (value.Type() != VariantType::Object) RaiseError(kErrObjectRequired);
    } else {
        // A plain assignment of an object assigns its default value.
        value = Scalar(std::move(value));
    }
    const MemberStep& last = path.steps.back();
    InvokeStep(*object, last, statement.isSet ? kInvokeSet : kInvokeLet, last.args, &value);
}

void Interpreter::Call(const Statement& statement) {
    const MemberPath& path = statement.target;
    const std::shared_ptr<Dispatchable> object = Reach(path, path.steps.size() - 1);
    InvokeStep(*object, path.steps.back(), kInvokeMethod, statement.args);
}

Variant Interpreter::Scalar(Variant value) {
    // A default member may itself give an object; a few steps are plenty.
    for (int depth = 0; depth < 8 && value.Type() == VariantType::Object; ++depth) {
        const std::shared_ptr<AutomationObject> object = value.ToObject();
        if (!object) RaiseError(kErrObjectNotSet);
        auto dispatchable = std::dynamic_pointer_cast<Dispatchable>(object);
        const MemberInfo* member = dispatchable ? dispatchable->Members().Find(0) : nullptr;
        if (!member || !(member->kinds & kInvokeGet)) RaiseError(kErrNotSupported);
        std::vector<Variant> none;
        value = Invoke(member, kInvokeGet, none, {});
    }
    if (value.Type() == VariantType::Object) RaiseError(kErrNotSupported);
    return value;
}

Variant Interpreter::Evaluate(const Expr& expr) {
    switch (expr.kind) {
        case Expr::Kind::Literal:
            return expr.value;
        case Expr::Kind::Read:
            return Read(expr.path);
        case Expr::Kind::Join: {
            std::string text;
            for (const ExprPtr& operand : expr.operands)
                text += Scalar(Evaluate(*operand)).ToText();
            // A few lines that double a text would otherwise fill the memory.
            if (text.size() > kMaxTextBytes)
                Raise(kErrOutOfMemory,
                      "a text longer than " + std::to_string(kMaxTextBytes) + " bytes");
            return Variant(std::move(text));
        }
        case Expr::Kind::Negate: {
            const Variant value = Scalar(Evaluate(*expr.operands[0]));
            switch (value.Type()) {
                case VariantType::Empty:
                case VariantType::Boolean:
                case VariantType::Integer:
                case VariantType::Long: {
                    const int64_t negated = -int64_t{value.ToLong()};
                    if (negated > INT32_MAX) return Variant(double(negated));
                    return Variant(static_cast<int32_t>(negated));
                }
                default:
                    if (!IsNumeric(value) && value.Type() != VariantType::Double) {
                        RaiseError(kErrTypeMismatch);
                    }
                    return Variant(-value.ToDouble());
            }
        }
        case Expr::Kind::Variable:
            return Variable(expr.function);
        case Expr::Kind::Compare:
            return Variant(Compare(Scalar(Evaluate(*expr.operands[0])),
                                   Scalar(Evaluate(*expr.operands[1])), expr.function));
        case Expr::Kind::Not: {
            // Booleans are negated, numbers have their bits flipped.
            const Variant value = Scalar(Evaluate(*expr.operands[0]));
            if (value.Type() == VariantType::Boolean) return Variant(!value.ToBoolean());
            return Variant(~value.ToLong());
        }
        case Expr::Kind::And:
        case Expr::Kind::Or: {
            const Variant a = Scalar(Evaluate(*expr.operands[0]));
            const Variant b = Scalar(Evaluate(*expr.operands[1]));
            const bool isAnd = expr.kind == Expr::Kind::And;
            if (a.Type() == VariantType::Boolean && b.Type() == VariantType::Boolean)
                return Variant(isAnd ? a.ToBoolean() && b.ToBoolean()
                                     : a.ToBoolean() || b.ToBoolean());
            return Variant(isAnd ? a.ToLong() & b.ToLong() : a.ToLong() | b.ToLong());
        }
        case Expr::Kind::Function: {
            // Chr and ChrW: the character with a code point, as UTF-8.
            if (expr.operands.size() != 1) RaiseError(kErrWrongArguments);
            const int32_t code = Scalar(Evaluate(*expr.operands[0])).ToLong();
            if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                RaiseError(kErrInvalidCall);
            }
            std::string text;
            AppendUtf8(static_cast<char32_t>(code), text);
            return Variant(std::move(text));
        }
    }
    return {};
}

void Interpreter::Print(const Statement& statement) {
    // Every value first, so a failing one prints nothing of the line.
    std::string line;
    for (size_t i = 0; i < statement.args.size(); ++i) {
        if (i > 0) line += ' ';
        if (statement.args[i]) line += Shown(Scalar(Evaluate(*statement.args[i])));
    }
    out_ << line << '\n';
    out_.flush();
}

void Interpreter::Events(const Statement& statement) {
    const std::string word = AsciiLower(statement.word);
    if (word != "on" && word != "off") {
        Raise(kErrInvalidCall, "events takes on or off");
    }
    printEvents_ = word == "on";
}

const EventInfo& Interpreter::FindEvent(std::string_view name) const {
    const std::string wanted = FoldCase(name);
    for (const auto& [source, cookie] : advised_) {
        for (const EventInfo& event : source->Events()) {
            if (FoldCase(event.name) == wanted) return event;
        }
    }
    std::string detail = "there is no event ";
    detail += name;
    Raise(kErrInvalidCall, detail);
}

void Interpreter::Cancel(const Statement& statement, bool on) {
    const EventInfo& event = FindEvent(statement.word);
    const bool hasCancel = std::any_of(event.parameters.begin(), event.parameters.end(),
                                       [](const ParamInfo& p) { return p.name == "Cancel"; });
    if (!hasCancel) {
        std::string detail = event.name;
        detail += " has no Cancel argument";
        Raise(kErrInvalidCall, detail);
    }
    if (on) {
        cancelled_.insert(AsciiLower(event.name));
    } else {
        cancelled_.erase(AsciiLower(event.name));
    }
}

void Interpreter::KeyAscii(const Statement& statement) {
    if (statement.args.empty()) {
        if (AsciiLower(statement.word) != "off")
            Raise(kErrInvalidCall, "keyascii takes a number or off");
        keyAscii_.reset();
        return;
    }
    keyAscii_ = Scalar(Evaluate(*statement.args[0])).ToInteger();
}

void Interpreter::OnEvent(const EventInfo& event, std::vector<Variant>& args) {
    if (printEvents_) {
        std::string line = "event ";
        line += event.name;
        for (const Variant& arg : args) {
            line += ' ';
            line += Quoted(arg);
        }
        out_ << line << '\n';
        out_.flush();
    }
    for (size_t i = 0; i < event.parameters.size() && i < args.size(); ++i) {
        const std::string& name = event.parameters[i].name;
        if (name == "Cancel" && cancelled_.count(AsciiLower(event.name))) args[i] = Variant(true);
        if (name == "KeyAscii" && keyAscii_) args[i] = Variant(*keyAscii_);
    }
}

}  // namespace tabula::script
