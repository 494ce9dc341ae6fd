// The script console's pieces: tokens, statements, and the interpreter running against a
// grid on a headless form.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "apps/tabula-script/ScriptSession.h"
#include "platform/image/PngFile.h"
#include "platform/window/Windows.h"
#include "tests/support/Raised.h"

namespace tabula::script {
namespace {

using test::RaisedError;

TEST(ScriptTokens, LiteralsSymbolsCommentsAndNumbers) {
    // Each line with the texts of its tokens, End left out.
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"grid.Rows = 3 ' a comment", {"grid", ".", "Rows", "=", "3"}},
        {"print \"a \"\"b\"\" ' c\"", {"print", "a \"b\" ' c"}},
        {"x&HFF&y", {"x", "&HFF", "&", "y"}},
        {"-1.5e3 .5 7E", {"-", "1.5e3", ".5", "7", "E"}},
        {"", {}},
        {"   ' only a comment", {}},
    };
    for (const auto& [line, expected] : cases) {
        std::vector<std::string> texts;
        for (const Token& token : Tokenize(line)) {
            if (token.kind != TokenKind::End) texts.push_back(token.text);
        }
        EXPECT_EQ(texts, expected) << line;
    }
    // Numbers become Longs or Doubles; hex is thirty-two bits.
    using enum VariantType;
    const std::tuple<const char*, VariantType, double> numbers[] = {
        {"1.25", Double, 1.25},           {"2147483647", Long, 2147483647.0},
        {"&HFFFFFFFF", Long, -1.0},       {"2147483648", Double, 2147483648.0},
        {"&h00000000000010", Long, 16.0}, {"&H80000012", Long, -2147483630.0},
    };
    for (const auto& [text, type, value] : numbers) {
        const Token token = Tokenize(text).front();
        EXPECT_EQ(token.value.Type(), type) << text;
        EXPECT_EQ(token.value.ToDouble(), value) << text;
    }
    // Hex numbers past 32 bits, overflowing numbers and open strings: tests/scripts/errors.txt.
    EXPECT_EQ(RaisedError([] { Tokenize(std::string("a\0b", 3)); }), kErrSyntax);
    EXPECT_EQ(RaisedError([] { Tokenize("caf\xC3\xA9"); }), kErrSyntax);
}

// "print" and 1 inside `depth` openings and closings.
std::string Nested(std::string_view open, int depth, std::string_view close) {
    std::string line = "print ";
    for (int i = 0; i < depth; ++i)
        line += open;
    line += '1';
    for (int i = 0; i < depth; ++i)
        line += close;
    return line;
}

TEST(ScriptStatements, EachLineIsOneStatementOrASyntaxError) {
    // Assignments and calls as the scripts in tests/scripts write them are pinned there.
    Statement s = ParseLine("SET grid.Font = grid.FontFixed");
    EXPECT_TRUE(s.isSet);

    s = ParseLine("grid.AddItem \"a\", , 3,");
    ASSERT_EQ(s.kind, Statement::Kind::Call);
    ASSERT_EQ(s.args.size(), 4u);
    EXPECT_TRUE(s.args[0] && !s.args[1] && s.args[2] && !s.args[3]);

    // Parentheses after the member open the first argument when more follows.
    s = ParseLine("grid.AddItem (\"a\") & \"b\", 2");
    ASSERT_EQ(s.args.size(), 2u);
    EXPECT_EQ(s.args[0]->kind, Expr::Kind::Join);
    s = ParseLine("grid.RemoveItem(3)");
    EXPECT_EQ(s.args.size(), 1u);

    s = ParseLine("keyascii off");
    EXPECT_EQ(s.word, "off");
    EXPECT_TRUE(s.args.empty());
    EXPECT_EQ(ParseLine("rem anything at all").kind, Statement::Kind::Empty);
    // Lines that are no statements are syntax errors.
    const char* lines[] = {
        "grid",   "grid.",           "grid.Rows =",     "= 3",
        "3",      "print 1 2",       "grid.Rows(1 = 2", "set grid.Font",
        "events", "grid.Rows = 1 2", "print (1",        "print Chr(1, )",
    };
    for (const char* line : lines)
        EXPECT_EQ(RaisedError([&] { ParseLine(line); }), kErrSyntax) << line;
    // Nesting too deep is refused, not overflowing the stack.
    EXPECT_EQ(RaisedError([&] { ParseLine(Nested("(", 5000, ")")); }), kErrSyntax);
    EXPECT_EQ(RaisedError([&] { ParseLine(Nested("-", 100000, "")); }), kErrSyntax);
    EXPECT_NO_THROW(ParseLine(Nested("(", 50, ")")));
}

class ScriptTest : public testing::Test {
protected:
    // Runs lines and returns what they printed.
    std::string Run(std::string_view script) {
        out_.str("");
        std::istringstream in{std::string(script)};
        session_.GetInterpreter().Run(in);
        return out_.str();
    }

    std::ostringstream out_;
    ScriptSession session_{400, 300, out_};
};

TEST(ScriptSessionSize, SidesOutsideTheRangeAreClamped) {
    std::ostringstream out;
    ScriptSession tiny(-5, 100000, out);
    EXPECT_EQ(tiny.Grid().Width(), 1);
    EXPECT_EQ(tiny.Grid().Height(), ScriptSession::kMaxSide);
}

TEST_F(ScriptTest, AScreenshotShowsTheWholeControlWithItsBorderAndBars) {
    const std::string path = testing::TempDir() + "script-screenshot.png";
    EXPECT_EQ(
        Run("grid.Rows = 100\nscreenshot \"" + path + "\"\nscreenshot \"/nonexistent/x.png\""),
        "error 75: Path/File access error: cannot create /nonexistent/x.png.tmp: No such "
        "file or directory\n");
    const PixelImage shot = ReadPng(path);
    EXPECT_EQ(shot.Bounds(), (Rect{0, 0, 400, 300}));
    // The single border's dark outer line, then picGrid's header cell at (2, 2) on.
    EXPECT_EQ(shot.Pixel(0, 0), session_.Grid().Image().Pixel(0, 0));
    EXPECT_NE(shot.Pixel(0, 0), shot.Pixel(3, 3));
    EXPECT_EQ(shot.Pixel(3, 3), session_.Grid().picGrid.Picture().Pixel(1, 1));
    // The vertical bar at the right edge of picGrid.
    EXPECT_EQ(session_.Grid().VerticalScrollbar(), true);
    EXPECT_EQ(shot.Pixel(390, 150), CaptureWindow(session_.Grid().scrVertical.hWnd())
                                        .Pixel(390 - 2 - session_.Grid().scrVertical.Left(),
                                               150 - 2 - session_.Grid().scrVertical.Top()));
    std::remove(path.c_str());
}

TEST_F(ScriptTest, PrintShowsEachKindOfValueAndObjectsTheirDefaultValue) {
    EXPECT_EQ(Run("print 1, -2.5, True, False, \"a b\", Empty, \"\"\nprint\n"),
              "1 -2.5 True False a b  \n\n");
    EXPECT_EQ(Run("print \"x\" & 1 & True & Chr(9731) & vbCrLf"), "x1True\xE2\x98\x83\r\n\n");
    EXPECT_EQ(Run("print - -3, -\"4\", -True, -2147483648, -&H80000000"),
              "3 -4 1 -2147483648 2147483648\n");
    EXPECT_EQ(Run("print grid.Font\ngrid.TextMatrix(1, 1) = grid.FontFixed\n"
                  "print grid.TextMatrix(1, 1)\nprint grid.Picture\nprint grid.MouseIcon"),
              "MS Sans Serif\nMS Sans Serif\nerror 438: Object doesn't support this property "
              "or method\nerror 91: Object variable or With block variable not set\n");
}

// Event names ignore case; a handler keeps cancelling or changing keys until undone.
TEST_F(ScriptTest, HandlersCancelAndChangeKeysAndEventLinesShowArgumentsAsRaised) {
    TabulaEventSource& events = session_.Grid().Events();
    bool edit = false, add = false;
    int16_t key = 97;
    Run("cancel BeforeEdit\nkeyascii 66");
    events.BeforeEdit(1, 1, edit);
    events.BeforeAddRow(add);
    events.KeyPress(key);
    EXPECT_TRUE(edit);
    EXPECT_FALSE(add);  // only the events named
    EXPECT_EQ(key, 66);
    Run("uncancel BEFOREEDIT\nkeyascii off");
    edit = false;
    key = 97;
    events.BeforeEdit(1, 1, edit);
    events.KeyPress(key);
    EXPECT_FALSE(edit);
    EXPECT_EQ(key, 97);
    // Event lines quote strings and show arguments as raised.
    Run("events on\ncancel BeforeEdit");
    events.BeforeEdit(2, 3, edit);
    events.AfterEdit(2, 3, "say \"hi\"");
    events.MouseDown(1, 0, 10.5f, 20);
    events.Click();
    EXPECT_EQ(out_.str(),
              "event BeforeEdit 2 3 False\nevent AfterEdit 2 3 \"say \"\"hi\"\"\"\n"
              "event MouseDown 1 0 10.5 20\nevent Click\n");
}

// A megabyte of text, bytes that are no text, nesting too deep and numbers at the limits.
TEST_F(ScriptTest, HostileLinesFailAloneAndTheScriptGoesOn) {
    const std::string x(1 << 20, 'x'), y(1 << 20, 'y');
    const std::string output =
        Run("print \"" + x + "\" & \"\"\n" + std::string("\x00\xFF\xFE garbage\n", 12) +
            "grid.TextMatrix(" + std::string(3000, '(') + "1, 1) = 2\n" +
            "grid.ColEditWidth(1) = 4\ngrid.TextMatrix(1, 1) = \"" + y + "\"\n" +
            "grid.TextMatrix(2147483647, -2147483648) = 1\ngrid.Rows = 2147483647\n"
            "grid.Cols = -2147483648\nprint grid.TextMatrix(1, 1), grid.Rows, grid.Cols\n");
    EXPECT_EQ(output, x + "\n"
                          "error 2: Syntax error: unexpected character byte &H00\n"
                          "error 2: Syntax error: the expression is nested too deeply\n"
                          "error 9: Subscript out of range\n"
                          "error 6: Overflow\n"
                          "error 9: Subscript out of range\n"
                          "yyyy 1 5\n");
}

}  // namespace
}  // namespace tabula::script
