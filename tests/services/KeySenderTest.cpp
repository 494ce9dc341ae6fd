// Send-keys texts turned into key presses and releases, read back as the focused window's
// key messages.

#include <string>

#include "platform/runtime/ProgramName.h"
#include "services/KeySender.h"
#include "tests/platform/WindowFixture.h"
#include "tests/support/Raised.h"

namespace tabula::test {
namespace {

class KeySenderTest : public WindowTest {
protected:
    KeySenderTest() { SetFocus(MakeWindow("w")); }

    // The presses ("+40") and releases ("-40") that `keys` sends, then the error's number
    // and description when it fails.
    std::string Sent(const std::string& keys) {
        TakeLog();
        std::string result;
        try {
            sender_.SendKeys(keys);
        } catch (const RuntimeError& error) {
            result = "error " + std::to_string(error.number) + " " + error.description;
            EXPECT_EQ(error.source, ProgramName() + ".cSendKeys");
        }
        std::string keysSeen;
        for (const std::string& line : Pump()) {
            const bool down = line.starts_with("w:KEYDOWN ");
            if (!down && !line.starts_with("w:KEYUP ")) continue;
            if (!keysSeen.empty()) keysSeen += ' ';
            keysSeen += down ? '+' : '-';
            keysSeen += line.substr(line.rfind(' ') + 1);
        }
        return result.empty() ? keysSeen : keysSeen + (keysSeen.empty() ? "" : " | ") + result;
    }

    cSendKeys sender_;
};

TEST_F(KeySenderTest, TextsSendTheirKeysOrFailAtTheirPlace) {
    const std::string syntax = "error 5 Invalid sendkeys command";
    const std::pair<const char*, std::string> cases[] = {
        {"{DOWN}", "+40 -40"},
        {"{down}", "+40 -40"},
        {"{LEFT 3}", "+37 -37 +37 -37 +37 -37"},
        {"{LEFT 0}x", "+88 -88"},
        {"{F16}{prtsc}{bksp}", "+127 -127 +42 -42 +8 -8"},
        {"{}}", "+221 -221"},
        {"~{~}{ENTER}", "+13 -13 +13 -13 +13 -13"},
        {"aA!", "+65 -65 +65 -65 +49 -49"},  // no Shift for capitals or symbols
        {"+(ab)", "+16 +65 -65 +66 -66 -16"},
        {"^%(x)", "+17 -17 +18 +88 -88 -18"},
        {"+a", "+16 -16 +65 -65"},
        {"{LEFT x}", syntax + "; key repetitions 'x' is invalid near position 9"},
        {"{LEFT 10001}", syntax + "; key repetitions '10001' is invalid near position 13"},
        {"{LEFT -1}", syntax + "; key repetitions '-1' is invalid near position 10"},
        {"a{}", "+65 -65 | " + syntax + "; opening { without content or closing } at position 2"},
        {"{ABC", syntax + "; opening { without closing } at position 1"},
        {"a)", "+65 -65 | " + syntax + ": unmatched ) at position 2"},
        {"+(ab",
         "+16 +65 -65 +66 -66 -16 | " + syntax + ": more open brackets than close brackets."},
        {"%(x{ABC}y)", "+18 +88 -88 -18 | error 9 Key ABC could not be interpreted."},
        {"{ 3}", "error 9 Key  could not be interpreted."},
        {"é", "error 9 Key é could not be interpreted."},
    };
    for (const auto& [keys, expected] : cases)
        EXPECT_EQ(Sent(keys), expected) << keys;
}

TEST_F(KeySenderTest, KeyPressAndKeyCodeStandAlone) {
    sender_.KeyPress("tab", 2);
    sender_.KeyPress("q", 0);
    EXPECT_EQ(Sent(""), "+9 -9 +9 -9");
    EXPECT_EQ(sender_.KeyCode("a"), 'A');
    EXPECT_EQ(sender_.KeyCode("?x"), 0xBF);
    EXPECT_EQ(sender_.KeyCode(""), 0);
    EXPECT_EQ(RaisedError([&] { sender_.KeyPress("NOPE"); }), 9);
}

}  // namespace
}  // namespace tabula::test
