#pragma once

// The script console's statements, parsed from one line's tokens.
//
//   ' comment                              (an empty statement)
//   grid.Prop = expr                       assignment (let)
//   grid.Prop(a, b) = expr                 indexed assignment
//   set grid.Font = grid.FontFixed         object assignment
//   grid.Method a, , c                     call; arguments may be left out
//   grid.Method(a, b)                      the same with parentheses
//   KEYWORD arguments                      a command: print, events, cancel, ...
//
//   name = expr                            a variable takes the value
//
// Expressions: literals (numbers, -n, &H hex, "text", True, False, vbTab, vbCr, vbLf,
// vbCrLf, Empty, Nothing), variables, member reads (grid.TextMatrix(1, 2),
// grid.Font.Name), Chr(n), parentheses, & to join texts, the comparisons = <> < > <= >=,
// and Not, And, Or, in rising order of how loosely they bind.
//
// Commands name the shape of their arguments in a table (Parser.cpp), so a new command
// is one row there and one handler in the interpreter.

#include <memory>
#include <string>
#include <vector>

#include "apps/tabula-script/Tokenizer.h"

namespace tabula::script {

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

// One step of a member path: a name, and its arguments when it has any. A null argument
// was left out (`a, , c`).
struct MemberStep {
    std::string name;
    std::vector<ExprPtr> args;
};

// An object name and the members reached from it: grid.Font.Name.
struct MemberPath {
    std::string object;
    std::vector<MemberStep> steps;
};

struct Expr {
    enum class Kind { Literal, Read, Join, Negate, Function, Variable, Compare, Not, And, Or };
    Kind kind = Kind::Literal;
    Variant value;                  // Literal
    MemberPath path;                // Read
    std::string function;           // Function: its name, as written; Variable: its name;
                                    // Compare: the operator
    std::vector<ExprPtr> operands;  // Join (two or more), Negate and Not (one), Compare, And
                                    // and Or (two), Function arguments
};

struct Statement {
    enum class Kind { Empty, Assign, Call, Command, Variable };
    Kind kind = Kind::Empty;
    MemberPath target;          // Assign, Call
    bool isSet = false;         // Assign: "set" given
    ExprPtr value;              // Assign, Variable
    std::string command;        // Command: the keyword, in lower case
    std::string word;           // Command: a word argument (on, off, an event name);
                                // Variable: the variable's name
    std::vector<ExprPtr> args;  // Command: expression arguments; Call: the arguments
};

// Parses one line. Raises error 2 for a line that is no statement.
Statement ParseLine(std::string_view line);

}  // namespace tabula::script
