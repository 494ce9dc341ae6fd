#include "apps/tabula-script/Parser.h"

#include <algorithm>

#include "platform/runtime/Error.h"
#include "platform/text/CaseFold.h"

namespace tabula::script {

namespace {

// How a command's arguments are written.
enum class Shape {
    Expressions,       // print a, b, c
    Word,              // events on
    WordOrExpression,  // keyascii 65, keyascii off
    Operands,          // resize 640 480, pixel 10, 20: expressions apart by spaces or commas
};

struct CommandRule {
    const char* keyword;
    Shape shape;
};

const CommandRule kCommands[] = {
    {"print", Shape::Expressions},
    {"events", Shape::Word},
    {"cancel", Shape::Word},
    {"uncancel", Shape::Word},
    {"keyascii", Shape::WordOrExpression},
    {"resize", Shape::Operands},
    {"pixel", Shape::Operands},
    {"screenpixel", Shape::Operands},
    {"screenshot", Shape::Operands},
    {"key", Shape::Operands},
    {"type", Shape::Operands},
    {"click", Shape::Operands},
    {"dblclick", Shape::Operands},
    {"drag", Shape::Operands},
    {"move", Shape::Operands},
    {"keydown", Shape::Operands},
    {"keyup", Shape::Operands},
    {"keypress", Shape::Operands},
    {"wheel", Shape::Operands},
    {"wait", Shape::Operands},
};

// Deeper nesting than this is refused rather than risking the stack.
constexpr int kMaxDepth = 100;

// Names that stand for values.
bool NamedLiteral(std::string_view name, Variant& value) {
    const std::string lower = AsciiLower(name);
    if (lower == "true") {
        value = Variant(true);
    } else if (lower == "false") {
        value = Variant(false);
    } else if (lower == "vbtab") {
        value = Variant("\t");
    } else if (lower == "vbcr") {
        value = Variant("\r");
    } else if (lower == "vblf") {
        value = Variant("\n");
    } else if (lower == "vbcrlf") {
        value = Variant("\r\n");
    } else if (lower == "empty") {
        value = Variant();
    } else if (lower == "nothing") {
        value = Variant::FromObject(nullptr);
    } else {
        return false;
    }
    return true;
}

bool IsFunction(std::string_view name) {
    const std::string lower = AsciiLower(name);
    return lower == "chr" || lower == "chrw";
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    Statement Line() {
        Statement statement;
        if (Peek().kind == TokenKind::End) return statement;
        if (Peek().kind != TokenKind::Name) Fail("a statement");
        const std::string keyword = AsciiLower(Peek().text);
        if (keyword == "rem") return statement;
        if (keyword == "set") {
            Next();
            return Assignment(true);
        }
        for (const CommandRule& rule : kCommands) {
            if (keyword == rule.keyword) return Command(rule);
        }
        if (IsSymbol("=", 1)) return VariableAssignment();
        if (Peek(1).kind != TokenKind::Symbol || Peek(1).text != ".") {
            Fail("grid.Member, set or a command such as print");
        }
        return Assignment(false);
    }

private:
    const Token& Peek(size_t ahead = 0) const {
        return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
    }
    const Token& Next() {
        const Token& token = Peek();
        if (pos_ < tokens_.size() - 1) ++pos_;
        return token;
    }
    bool IsSymbol(std::string_view symbol, size_t ahead = 0) const {
        return Peek(ahead).kind == TokenKind::Symbol && Peek(ahead).text == symbol;
    }
    bool AtEnd() const { return Peek().kind == TokenKind::End; }
    void Expect(std::string_view symbol) {
        if (!IsSymbol(symbol)) {
            std::string what = "'";
            what += symbol;
            what += '\'';
            Fail(what);
        }
        Next();
    }
    void ExpectEnd() {
        if (!AtEnd()) Fail("the end of the line");
    }

    [[noreturn]] void Fail(std::string_view expected) const {
        std::string detail = "expected ";
        detail += expected;
        detail += ", found ";
        const Token& token = Peek();
        switch (token.kind) {
            case TokenKind::End:
                detail += "the end of the line";
                break;
            case TokenKind::String:
                detail += "a string";
                break;
            default:
                detail += '\'';
                detail += token.text;
                detail += '\'';
                break;
        }
        SyntaxError(detail);
    }

    // grid.A(1).B ...: the object, then each member with its arguments in parentheses.
    // `lastParen` gets the position of the last step's "(", when it has one.
    MemberPath Path(size_t* lastParen = nullptr) {
        MemberPath path;
        path.object = Next().text;
        while (IsSymbol(".")) {
            Next();
            if (Peek().kind != TokenKind::Name) Fail("a member name");
            MemberStep step;
            step.name = Next().text;
            if (lastParen) *lastParen = std::string::npos;
            if (IsSymbol("(")) {
                if (lastParen) *lastParen = pos_;
                Next();
                if (!IsSymbol(")")) step.args = ArgumentList(")");
                Expect(")");
            }
            path.steps.push_back(std::move(step));
        }
        return path;
    }

    // Arguments separated by commas; an empty place is an argument left out (null).
    std::vector<ExprPtr> ArgumentList(std::string_view closing) {
        std::vector<ExprPtr> args;
        while (true) {
            const bool empty = IsSymbol(",") || (closing.empty() ? AtEnd() : IsSymbol(closing));
            args.push_back(empty ? nullptr : Expression());
            if (!IsSymbol(",")) break;
            Next();
        }
        return args;
    }

    Statement Assignment(bool isSet) {
        if (Peek().kind != TokenKind::Name || !IsSymbol(".", 1)) Fail("grid.Member");
        Statement statement;
        size_t lastParen = std::string::npos;
        statement.target = Path(&lastParen);
        if (IsSymbol("=")) {
            Next();
            statement.kind = Statement::Kind::Assign;
            statement.isSet = isSet;
            statement.value = Expression();
            ExpectEnd();
            return statement;
        }
        if (isSet) Fail("'='");
        statement.kind = Statement::Kind::Call;
        MemberStep& last = statement.target.steps.back();
        if (AtEnd()) {
            statement.args = std::move(last.args);
            return statement;
        }
        // "grid.AddItem ("a") & "b", 2": the parentheses open the first argument.
        if (lastParen != std::string::npos) {
            pos_ = lastParen;
            last.args.clear();
        }
        statement.args = ArgumentList({});
        ExpectEnd();
        return statement;
    }

    Statement VariableAssignment() {
        Statement statement;
        statement.kind = Statement::Kind::Variable;
        Variant ignored;
        if (NamedLiteral(Peek().text, ignored) || IsFunction(Peek().text) || IsOperatorWord(0))
            Fail("a variable name");
        statement.word = Next().text;
        Next();
        statement.value = Expression();
        ExpectEnd();
        return statement;
    }

    bool IsWord(std::string_view lower, size_t ahead = 0) const {
        return Peek(ahead).kind == TokenKind::Name && AsciiLower(Peek(ahead).text) == lower;
    }
    bool IsOperatorWord(size_t ahead) const {
        return IsWord("and", ahead) || IsWord("or", ahead) || IsWord("not", ahead);
    }

    static ExprPtr Binary(Expr::Kind kind, ExprPtr left, ExprPtr right, std::string op = {}) {
        auto expr = std::make_unique<Expr>();
        expr->kind = kind;
        expr->function = std::move(op);
        expr->operands.push_back(std::move(left));
        expr->operands.push_back(std::move(right));
        return expr;
    }

    Statement Command(const CommandRule& rule) {
        Statement statement;
        statement.kind = Statement::Kind::Command;
        statement.command = rule.keyword;
        Next();
        const bool lone = Peek().kind == TokenKind::Name && Peek(1).kind == TokenKind::End;
        Variant ignored;
        switch (rule.shape) {
            case Shape::Expressions:
                if (!AtEnd()) statement.args = ArgumentList({});
                break;
            case Shape::Operands:
                while (!AtEnd()) {
                    statement.args.push_back(Expression());
                    if (IsSymbol(",")) Next();
                }
                break;
            case Shape::WordOrExpression:
                if (!lone || NamedLiteral(Peek().text, ignored)) {
                    statement.args.push_back(Expression());
                    break;
                }
                [[fallthrough]];
            case Shape::Word:
                if (Peek().kind != TokenKind::Name) Fail("a word");
                statement.word = Next().text;
                break;
        }
        ExpectEnd();
        return statement;
    }

    ExprPtr Expression() {
        Deeper guard(*this);
        ExprPtr left = Conjunction();
        while (IsWord("or")) {
            Next();
            left = Binary(Expr::Kind::Or, std::move(left), Conjunction());
        }
        return left;
    }

    ExprPtr Conjunction() {
        ExprPtr left = Negation();
        while (IsWord("and")) {
            Next();
            left = Binary(Expr::Kind::And, std::move(left), Negation());
        }
        return left;
    }

    ExprPtr Negation() {
        if (!IsWord("not")) return Comparison();
        Next();
        Deeper guard(*this);
        auto expr = std::make_unique<Expr>();
        expr->kind = Expr::Kind::Not;
        expr->operands.push_back(Negation());
        return expr;
    }

    ExprPtr Comparison() {
        ExprPtr left = Concatenation();
        for (const char* op : {"=", "<>", "<", ">", "<=", ">="}) {
            if (!IsSymbol(op)) continue;
            Next();
            return Binary(Expr::Kind::Compare, std::move(left), Concatenation(), op);
        }
        return left;
    }

    ExprPtr Concatenation() {
        ExprPtr first = Unary();
        if (!IsSymbol("&")) return first;
        auto join = std::make_unique<Expr>();
        join->kind = Expr::Kind::Join;
        join->operands.push_back(std::move(first));
        while (IsSymbol("&")) {
            Next();
            join->operands.push_back(Unary());
        }
        return join;
    }

    ExprPtr Unary() {
        if (!IsSymbol("-")) return Primary();
        Next();
        Deeper guard(*this);
        auto negate = std::make_unique<Expr>();
        negate->kind = Expr::Kind::Negate;
        negate->operands.push_back(Unary());
        return negate;
    }

    ExprPtr Primary() {
        auto expr = std::make_unique<Expr>();
        const Token& token = Peek();
        if (token.kind == TokenKind::Number || token.kind == TokenKind::String) {
            expr->value = Next().value;
            return expr;
        }
        if (IsSymbol("(")) {
            Next();
            ExprPtr inner = Expression();
            Expect(")");
            return inner;
        }
        if (token.kind != TokenKind::Name) Fail("an expression");
        if (IsSymbol(".", 1)) {
            expr->kind = Expr::Kind::Read;
            expr->path = Path();
            return expr;
        }
        if (NamedLiteral(token.text, expr->value)) {
            Next();
            return expr;
        }
        if (IsFunction(token.text) && IsSymbol("(", 1)) {
            expr->kind = Expr::Kind::Function;
            expr->function = Next().text;
            Next();
            if (!IsSymbol(")")) {
                for (ExprPtr& arg : ArgumentList(")")) {
                    if (!arg) Fail("an argument");
                    expr->operands.push_back(std::move(arg));
                }
            }
            Expect(")");
            return expr;
        }
        if (IsOperatorWord(0)) Fail("an expression");
        expr->kind = Expr::Kind::Variable;
        expr->function = Next().text;
        return expr;
    }

    // Counts nesting while an expression is being read.
    struct Deeper {
        explicit Deeper(Parser& parser) : parser(parser) {
            if (++parser.depth_ > kMaxDepth) SyntaxError("the expression is nested too deeply");
        }
        ~Deeper() { --parser.depth_; }
        Parser& parser;
    };

    std::vector<Token> tokens_;
    size_t pos_ = 0;
    int depth_ = 0;
};

}  // namespace

Statement ParseLine(std::string_view line) {
    return Parser(Tokenize(line)).Line();
}

}  // namespace tabula::script
