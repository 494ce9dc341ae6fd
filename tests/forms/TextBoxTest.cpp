// The text box, driven as a person drives it: keys and characters through the headless
// host, clicks and drags on the box's window, and its image read back.

#include "platform/forms/TextBox.h"

#include <gtest/gtest.h>

#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/Desktop.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {
namespace {

using Log = std::vector<std::string>;

// Where text starts in a box with the sunken edge: 2 pixels of edge, then the margins.
constexpr int32_t kTextLeft = 4;
constexpr int32_t kTextTop = 3;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

class TextBoxTest : public testing::Test {
protected:
    void SetUp() override { form_.Show(); }

    int32_t Measure(const TextBox& box, std::u32string_view text) {
        return Desktop::Current()->Fonts().Get(box.Font())->TextWidth(text);
    }
    int32_t LineHeight(const TextBox& box) {
        return Desktop::Current()->Fonts().Get(box.Font())->Height();
    }

    // Where the caret is drawn: the pixels that differ between the box with and without
    // the focus (for a box with nothing selected). Leaves the focus on the box.
    Rect CaretRect(TextBox& box) {
        box.SetFocus();
        const PixelImage focused = box.Image();
        other_.SetFocus();
        const PixelImage unfocused = box.Image();
        box.SetFocus();
        Rect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < focused.Height(); ++y) {
            for (int32_t x = 0; x < focused.Width(); ++x) {
                if (focused.Pixel(x, y) == unfocused.Pixel(x, y)) continue;
                r.left = std::min(r.left, x), r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1), r.bottom = std::max(r.bottom, y + 1);
            }
        }
        return r.left == INT32_MAX ? Rect{} : r;
    }

    static int CountPixels(const PixelImage& image, const Rect& area, COLORREF color) {
        int count = 0;
        for (int32_t y = area.top; y < area.bottom; ++y) {
            for (int32_t x = area.left; x < area.right; ++x) {
                if (image.Pixel(x, y) == color) ++count;
            }
        }
        return count;
    }

    // The box's client area inside its edge.
    static Rect Interior(const TextBox& box) {
        return Rect{2, 2, box.Width() - 2, box.Height() - 2};
    }

    HeadlessHost host_;
    Form form_{Rect{100, 100, 600, 500}, "Test"};
    PictureBox other_{form_.hWnd(), {400, 10, 450, 30}};
    TextBox box_{form_.hWnd(), {10, 10, 210, 31}};
    TextBox multi_{form_.hWnd(), {10, 50, 210, 150}, true};
};

// --- Typing and the Change event ------------------------------------------------------------

TEST_F(TextBoxTest, TypingInsertsAtTheCaretAndFiresChangeOncePerCharacter) {
    int changes = 0;
    box_.Change = [&] { ++changes; };
    box_.SetFocus();
    host_.Type("hello");
    EXPECT_EQ(box_.Text(), "hello");
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(box_.SelStart(), 5);
    host_.PressKey(VK_HOME);
    host_.Type("X");
    EXPECT_EQ(box_.Text(), "Xhello");
    EXPECT_EQ(box_.SelStart(), 1);
    host_.PressKey(VK_END);
    host_.Type("!");
    EXPECT_EQ(box_.Text(), "Xhello!");
    EXPECT_EQ(changes, 7);
    host_.PressKey(VK_LEFT);  // moving the caret is no change
    EXPECT_EQ(changes, 7);
}

TEST_F(TextBoxTest, KeyEventsComeDownPressUpWithChangeAfterThePress) {
    Log events;
    box_.KeyDown = [&](int16_t& code, int16_t) {
        events.push_back("down " + std::to_string(code));
    };
    box_.KeyPress = [&](int16_t& ascii) {
        events.push_back("press " + std::to_string(ascii) + " text '" + box_.Text() + "'");
    };
    box_.KeyUp = [&](int16_t& code, int16_t) { events.push_back("up " + std::to_string(code)); };
    box_.Change = [&] { events.push_back("change '" + box_.Text() + "'"); };
    box_.SetFocus();
    host_.Type("a");
    EXPECT_EQ(events, (Log{"down 65", "press 97 text ''", "change 'a'", "up 65"}));
}

TEST_F(TextBoxTest, AKeyPressHandlerCanSwallowOrChangeTheKey) {
    box_.KeyPress = [&](int16_t& ascii) {
        if (ascii == 'x') ascii = 0;
        if (ascii >= 'a' && ascii <= 'z') ascii = static_cast<int16_t>(ascii - 'a' + 'A');
        if (ascii == '#') ascii = 0x20AC;  // the euro sign
        if (ascii == 8) ascii = 0;         // Backspace swallowed too
    };
    box_.SetFocus();
    host_.Type("axb#");
    EXPECT_EQ(box_.Text(), "AB\u20AC");
    EXPECT_EQ(box_.SelStart(), 3);
    host_.PressKey(VK_BACK);
    EXPECT_EQ(box_.Text(), "AB\u20AC");
}

TEST_F(TextBoxTest, AKeyDownHandlerThatZeroesTheKeyStopsTheBoxActingOnIt) {
    box_.SetText("abc");
    box_.KeyDown = [](int16_t& code, int16_t) {
        if (code == VK_DELETE || code == VK_END) code = 0;
    };
    box_.SetFocus();
    host_.PressKey(VK_END);
    EXPECT_EQ(box_.SelStart(), 0);
    host_.PressKey(VK_DELETE);
    EXPECT_EQ(box_.Text(), "abc");
    host_.PressKey(VK_RIGHT);
    EXPECT_EQ(box_.SelStart(), 1);
}

TEST_F(TextBoxTest, TabEscapeAndOtherControlCharactersAreNeverInserted) {
    box_.SetFocus();
    host_.Type("a");
    host_.PressKey(VK_ESCAPE);
    host_.PressKey('B', vbCtrlMask);  // Ctrl+B types character 2
    host_.GetDesktop().InjectCharacter(U'\t');
    host_.GetDesktop().InjectCharacter(0x85);
    host_.GetDesktop().PumpMessages();
    host_.PressKey(VK_RETURN);  // a single-line box has no second line
    host_.Type("b");
    EXPECT_EQ(box_.Text(), "ab");
    host_.PressKey(VK_TAB);  // the form moves the focus on
    EXPECT_FALSE(box_.HasFocus());
    EXPECT_EQ(box_.Text(), "ab");
}

TEST_F(TextBoxTest, SetTextPutsTheCaretAtTheStartAndFiresChangeOnlyWhenTheTextDiffers) {
    Log events;
    box_.Change = [&] {
        events.push_back(box_.Text() + " at " + std::to_string(box_.SelStart()) + "+" +
                         std::to_string(box_.SelLength()));
    };
    box_.SetText("first");
    box_.SetSelStart(3);
    box_.SetSelLength(2);
    box_.SetText("first");  // the same text: no change, but the caret still goes home
    EXPECT_EQ(box_.SelStart(), 0);
    EXPECT_EQ(box_.SelLength(), 0);
    box_.SetText("second");
    box_.SetText("");
    EXPECT_EQ(events, (Log{"first at 0+0", "second at 0+0", " at 0+0"}));
}

TEST_F(TextBoxTest, AChangeHandlerMayEditTheTextAgain) {
    box_.Change = [&] {
        std::string upper = box_.Text();
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper != box_.Text()) box_.SetText(upper);
    };
    box_.SetFocus();
    host_.Type("ab");  // each SetText puts the caret back at 0
    EXPECT_EQ(box_.Text(), "BA");
}

TEST_F(TextBoxTest, SelTextReplacesTheSelectionAsOneChange) {
    int changes = 0;
    box_.Change = [&] { ++changes; };
    box_.SetText("one two three");
    box_.SetSelStart(4);
    box_.SetSelLength(3);
    EXPECT_EQ(box_.SelText(), "two");
    box_.SetSelText("2");
    EXPECT_EQ(box_.Text(), "one 2 three");
    EXPECT_EQ(box_.SelStart(), 5);
    EXPECT_EQ(box_.SelLength(), 0);
    EXPECT_EQ(changes, 2);
}

// --- Moving and selecting with keys -----------------------------------------------------------

TEST_F(TextBoxTest, ShiftExtendsTheSelectionAndPlainArrowsCollapseIt) {
    box_.SetText("hello world");
    box_.SetFocus();
    host_.PressKey(VK_RIGHT, vbShiftMask);
    host_.PressKey(VK_RIGHT, vbShiftMask);
    host_.PressKey(VK_RIGHT, vbShiftMask);
    EXPECT_EQ(box_.SelStart(), 0);
    EXPECT_EQ(box_.SelText(), "hel");
    host_.PressKey(VK_RIGHT);  // collapses to the selection's end
    EXPECT_EQ(box_.SelStart(), 3);
    EXPECT_EQ(box_.SelLength(), 0);
    host_.PressKey(VK_END, vbShiftMask);
    EXPECT_EQ(box_.SelText(), "lo world");
    host_.PressKey(VK_LEFT);  // collapses to the selection's start
    EXPECT_EQ(box_.SelStart(), 3);
    host_.PressKey(VK_END);
    host_.PressKey(VK_LEFT, vbShiftMask);
    host_.PressKey(VK_LEFT, vbShiftMask);
    EXPECT_EQ(box_.SelStart(), 9);
    EXPECT_EQ(box_.SelText(), "ld");
    host_.PressKey(VK_HOME, vbShiftMask);  // the anchor stays at the end
    EXPECT_EQ(box_.SelText(), "hello world");
}

TEST_F(TextBoxTest, CtrlArrowsMoveByWords) {
    box_.SetText("one, two  three");
    box_.SetFocus();
    host_.PressKey(VK_RIGHT, vbCtrlMask);
    EXPECT_EQ(box_.SelStart(), 3);  // "one" ends where the comma starts
    host_.PressKey(VK_RIGHT, vbCtrlMask);
    EXPECT_EQ(box_.SelStart(), 5);  // over the comma and its space
    host_.PressKey(VK_RIGHT, vbCtrlMask);
    EXPECT_EQ(box_.SelStart(), 10);
    host_.PressKey(VK_RIGHT, vbCtrlMask);
    EXPECT_EQ(box_.SelStart(), 15);
    host_.PressKey(VK_LEFT, vbCtrlMask | vbShiftMask);
    EXPECT_EQ(box_.SelText(), "three");
    host_.PressKey(VK_LEFT, vbCtrlMask);
    EXPECT_EQ(box_.SelStart(), 5);
    host_.PressKey(VK_LEFT, vbCtrlMask);
    EXPECT_EQ(box_.SelStart(), 3);  // the comma is a word of its own
}

TEST_F(TextBoxTest, CtrlASelectsEverythingAndTypingReplacesTheSelection) {
    box_.SetText("old text");
    box_.SetFocus();
    host_.PressKey('A', vbCtrlMask);
    EXPECT_EQ(box_.SelLength(), 8);
    host_.Type("new");
    EXPECT_EQ(box_.Text(), "new");
}

TEST_F(TextBoxTest, SelStartAndSelLengthClampToTheText) {
    box_.SetText("abcdef");
    box_.SetSelStart(-5);
    EXPECT_EQ(box_.SelStart(), 0);
    box_.SetSelStart(1000000);
    EXPECT_EQ(box_.SelStart(), 6);
    box_.SetSelStart(2);
    box_.SetSelLength(1000000);
    EXPECT_EQ(box_.SelLength(), 4);
    box_.SetSelLength(-3);
    EXPECT_EQ(box_.SelLength(), 0);
    box_.SetSelStart(INT32_MIN);
    box_.SetSelLength(INT32_MAX);
    EXPECT_EQ(box_.SelText(), "abcdef");
    box_.SetSelStart(INT32_MAX);
    box_.SetSelLength(INT32_MAX);
    EXPECT_EQ(box_.SelStart(), 6);
    EXPECT_EQ(box_.SelLength(), 0);
}

// --- Deleting -----------------------------------------------------------------------------------

TEST_F(TextBoxTest, BackspaceAndDeleteInASingleLineBox) {
    int changes = 0;
    box_.Change = [&] { ++changes; };
    box_.SetText("abcdef");
    changes = 0;
    box_.SetFocus();
    host_.PressKey(VK_BACK);  // nothing before the caret
    host_.PressKey(VK_END);
    host_.PressKey(VK_DELETE);  // nothing after it
    EXPECT_EQ(changes, 0);
    host_.PressKey(VK_BACK);
    EXPECT_EQ(box_.Text(), "abcde");
    host_.PressKey(VK_HOME);
    host_.PressKey(VK_DELETE);
    EXPECT_EQ(box_.Text(), "bcde");
    host_.PressKey(VK_RIGHT, vbShiftMask);
    host_.PressKey(VK_RIGHT, vbShiftMask);
    host_.PressKey(VK_BACK);  // a selection goes whole
    EXPECT_EQ(box_.Text(), "de");
    EXPECT_EQ(box_.SelStart(), 0);
    EXPECT_EQ(changes, 3);
}

TEST_F(TextBoxTest, EnterBreaksAMultiLineBoxAndBackspaceRemovesTheWholeBreak) {
    multi_.SetFocus();
    host_.Type("ab\ncd");
    EXPECT_EQ(multi_.Text(), "ab\r\ncd");
    EXPECT_EQ(multi_.TextLength(), 6);
    host_.PressKey(VK_HOME);
    EXPECT_EQ(multi_.SelStart(), 4);
    host_.PressKey(VK_LEFT);  // over the break in one step
    EXPECT_EQ(multi_.SelStart(), 2);
    host_.PressKey(VK_DELETE);
    EXPECT_EQ(multi_.Text(), "abcd");
    host_.Type("\n");
    host_.PressKey(VK_BACK);
    EXPECT_EQ(multi_.Text(), "abcd");
    EXPECT_EQ(multi_.SelStart(), 2);
    host_.PressKey(VK_RETURN, vbCtrlMask);  // Ctrl+Enter breaks the line too
    EXPECT_EQ(multi_.Text(), "ab\r\ncd");
}

TEST_F(TextBoxTest, TheCaretNeverRestsInsideALineBreak) {
    multi_.SetText("ab\r\ncd");
    multi_.SetSelStart(3);
    EXPECT_EQ(multi_.SelStart(), 2);
    multi_.SetSelStart(1);
    multi_.SetSelLength(2);
    EXPECT_EQ(multi_.SelText(), "b");
}

// --- Characters beyond ASCII ------------------------------------------------------------------

TEST_F(TextBoxTest, PositionsCountCharactersAndBackspaceRemovesAWholeCharacter) {
    box_.SetFocus();
    host_.Type("h\xC3\xA9llo\xE2\x82\xAC\xF0\x9F\x98\x80");  // "héllo€😀"
    EXPECT_EQ(box_.Text(), "h\xC3\xA9llo\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(box_.TextLength(), 7);
    EXPECT_EQ(box_.SelStart(), 7);
    host_.PressKey(VK_BACK);
    EXPECT_EQ(box_.Text(), "h\xC3\xA9llo\xE2\x82\xAC");
    host_.PressKey(VK_LEFT, vbShiftMask);
    EXPECT_EQ(box_.SelStart(), 5);
    EXPECT_EQ(box_.SelText(), "\xE2\x82\xAC");
    box_.SetSelStart(1);
    box_.SetSelLength(1);
    EXPECT_EQ(box_.SelText(), "\xC3\xA9");
    host_.PressKey(VK_DELETE);
    EXPECT_EQ(box_.Text(), "hllo\xE2\x82\xAC");
    host_.Type("\xF0\x9F\x98\x80");
    EXPECT_EQ(box_.SelStart(), 2);
    host_.PressKey(VK_LEFT);
    host_.PressKey(VK_DELETE);
    EXPECT_EQ(box_.Text(), "hllo\xE2\x82\xAC");
}

TEST_F(TextBoxTest, SurrogateHalvesPairUpAndLoneHalvesInsertNothing) {
    Log presses;
    bool dropSecondHalf = false;
    box_.KeyPress = [&](int16_t& ascii) {
        const uint16_t unit = static_cast<uint16_t>(ascii);
        presses.push_back(std::to_string(unit));
        if (dropSecondHalf && unit >= 0xDC00 && unit < 0xE000) ascii = 0;
    };
    box_.SetFocus();
    host_.Type("\xF0\x9F\x98\x80");
    EXPECT_EQ(presses, (Log{"55357", "56832"}));  // two key presses, one character
    EXPECT_EQ(box_.TextLength(), 1);
    dropSecondHalf = true;
    host_.Type("\xF0\x9F\x98\x80");
    host_.Type("z");  // the orphaned first half is forgotten
    EXPECT_EQ(box_.Text(), "\xF0\x9F\x98\x80z");
    dropSecondHalf = false;
    host_.GetDesktop().InjectCharacter(0xDC00);  // a second half alone
    host_.GetDesktop().InjectCharacter(0xD800);  // a first half followed by no second
    host_.GetDesktop().PumpMessages();
    host_.Type("y");
    EXPECT_EQ(box_.Text(), "\xF0\x9F\x98\x80zy");
}

// --- MaxLength ----------------------------------------------------------------------------------

TEST_F(TextBoxTest, TypingStopsAtMaxLength) {
    int changes = 0;
    box_.Change = [&] { ++changes; };
    box_.SetMaxLength(4);
    box_.SetFocus();
    host_.Type("h\xC3\xA9llo\xE2\x82\xAC");
    EXPECT_EQ(box_.Text(), "h\xC3\xA9ll");
    EXPECT_EQ(changes, 4);
    host_.PressKey(VK_LEFT, vbShiftMask);
    host_.Type("X");  // a selection makes room
    EXPECT_EQ(box_.Text(), "h\xC3\xA9lX");
    host_.PressKey(VK_BACK);
    host_.Type("YZ");
    EXPECT_EQ(box_.Text(), "h\xC3\xA9lY");
}

TEST_F(TextBoxTest, PastingIsCutToMaxLengthButCodeIsNot) {
    box_.SetMaxLength(5);
    box_.SetText("abcdefgh");  // code may exceed the limit
    EXPECT_EQ(box_.Text(), "abcdefgh");
    box_.SetFocus();
    host_.PressKey(VK_END);
    host_.Type("x");
    EXPECT_EQ(box_.Text(), "abcdefgh");
    host_.PressKey(VK_BACK);  // deleting is always allowed
    EXPECT_EQ(box_.Text(), "abcdefg");
    box_.SetText("ab");
    SetClipboardText("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC");
    host_.PressKey(VK_END);
    host_.PressKey('V', vbCtrlMask);
    EXPECT_EQ(box_.Text(), "ab\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC");
    EXPECT_EQ(box_.SelStart(), 5);
}

TEST_F(TextBoxTest, APasteNeverSplitsALineBreakAtMaxLength) {
    multi_.SetMaxLength(4);
    multi_.SetFocus();
    SetClipboardText("abc\r\ndef");
    host_.PressKey('V', vbCtrlMask);
    EXPECT_EQ(multi_.Text(), "abc");
    host_.PressKey(VK_RETURN);  // a break needs two characters of room
    EXPECT_EQ(multi_.Text(), "abc");
}

// --- Clipboard ----------------------------------------------------------------------------------

TEST_F(TextBoxTest, CopyCutAndPasteRoundTripThroughTheClipboard) {
    int changes = 0;
    box_.Change = [&] { ++changes; };
    box_.SetText("hello world");
    changes = 0;
    box_.SetFocus();
    host_.PressKey(VK_END, vbShiftMask);
    host_.PressKey('C', vbCtrlMask);
    EXPECT_EQ(GetClipboardText(), "hello world");
    host_.PressKey(VK_HOME);
    host_.PressKey(VK_RIGHT, vbShiftMask | vbCtrlMask);
    host_.PressKey('X', vbCtrlMask);
    EXPECT_EQ(GetClipboardText(), "hello ");
    EXPECT_EQ(box_.Text(), "world");
    host_.PressKey(VK_END);
    host_.PressKey('V', vbCtrlMask);
    EXPECT_EQ(box_.Text(), "worldhello ");
    EXPECT_EQ(changes, 2);

    // The other keys of the classic clipboard.
    host_.PressKey(VK_HOME, vbShiftMask);
    host_.PressKey(VK_INSERT, vbCtrlMask);
    EXPECT_EQ(GetClipboardText(), "worldhello ");
    host_.PressKey(VK_LEFT);
    host_.PressKey(VK_RIGHT, vbShiftMask);
    host_.PressKey(VK_DELETE, vbShiftMask);
    EXPECT_EQ(GetClipboardText(), "w");
    EXPECT_EQ(box_.Text(), "orldhello ");
    host_.PressKey(VK_END);
    host_.PressKey(VK_INSERT, vbShiftMask);
    EXPECT_EQ(box_.Text(), "orldhello w");
}

TEST_F(TextBoxTest, CopyWithNothingSelectedAndPasteOfNothingChangeNothing) {
    box_.SetText("keep");
    SetClipboardText("before");
    box_.SetFocus();
    host_.PressKey('C', vbCtrlMask);
    EXPECT_EQ(GetClipboardText(), "before");
    SetClipboardText("");
    host_.PressKey('A', vbCtrlMask);
    host_.PressKey('V', vbCtrlMask);
    EXPECT_EQ(box_.Text(), "keep");
    EXPECT_EQ(box_.SelLength(), 4);
}

TEST_F(TextBoxTest, PastingKeepsTheFirstLineInASingleLineBoxAndEveryLineInAMultiLineOne) {
    SetClipboardText("first\nsecond\rthird\r\nfourth\x01");
    box_.SetFocus();
    host_.PressKey('V', vbCtrlMask);
    EXPECT_EQ(box_.Text(), "first");
    multi_.SetFocus();
    host_.PressKey('V', vbCtrlMask);
    EXPECT_EQ(multi_.Text(), "first\r\nsecond\r\nthird\r\nfourth");
}

TEST_F(TextBoxTest, ALockedBoxSelectsAndCopiesButNeverChanges) {
    int changes = 0;
    box_.Change = [&] { ++changes; };
    box_.SetText("fixed");
    box_.SetLocked(true);
    changes = 0;
    box_.SetFocus();
    SetClipboardText("pasted");
    host_.Type("abc");
    host_.PressKey(VK_BACK);
    host_.PressKey(VK_HOME);
    host_.PressKey(VK_DELETE);
    host_.PressKey('V', vbCtrlMask);
    host_.PressKey(VK_END, vbShiftMask);
    host_.PressKey('X', vbCtrlMask);
    EXPECT_EQ(box_.Text(), "fixed");
    EXPECT_EQ(GetClipboardText(), "pasted");
    host_.PressKey('C', vbCtrlMask);
    EXPECT_EQ(GetClipboardText(), "fixed");
    EXPECT_EQ(changes, 0);
    box_.SetText("by code");  // code still may
    EXPECT_EQ(box_.Text(), "by code");
    EXPECT_EQ(changes, 1);
}

// --- Mouse
// ----------------------------------------------------------------------------------------

TEST_F(TextBoxTest, AClickPlacesTheCaretAtTheNearestBoundary) {
    box_.SetText("abcdef");
    const int32_t abc = Measure(box_, U"abc");
    const int32_t d = Measure(box_, U"d");
    host_.Click(box_.hWnd(), kTextLeft + abc + 1, 10);  // on the left half of "d"
    EXPECT_TRUE(box_.HasFocus());
    EXPECT_EQ(box_.SelStart(), 3);
    host_.Advance(1000);
    host_.Click(box_.hWnd(), kTextLeft + abc + d - 1, 10);  // its right half
    EXPECT_EQ(box_.SelStart(), 4);
    host_.Advance(1000);
    host_.Click(box_.hWnd(), 190, 10);  // past the end
    EXPECT_EQ(box_.SelStart(), 6);
    host_.Advance(1000);
    host_.Click(box_.hWnd(), 0, 10);  // on the edge, before the start
    EXPECT_EQ(box_.SelStart(), 0);
}

TEST_F(TextBoxTest, DraggingSelectsAndShiftClickExtends) {
    box_.SetText("abcdefgh");
    const int32_t ab = Measure(box_, U"ab");
    const int32_t abcdef = Measure(box_, U"abcdef");
    host_.Drag(box_.hWnd(), kTextLeft + abcdef, 10, kTextLeft + ab, 10);
    EXPECT_EQ(box_.SelStart(), 2);
    EXPECT_EQ(box_.SelText(), "cdef");
    host_.PressKey(VK_LEFT, vbShiftMask);  // the caret is at the end dragged to
    EXPECT_EQ(box_.SelText(), "bcdef");
    host_.Advance(1000);
    host_.Click(box_.hWnd(), kTextLeft + ab, 10);
    host_.Advance(1000);
    host_.KeyDown(VK_SHIFT);
    host_.Click(box_.hWnd(), 190, 10);
    host_.KeyUp(VK_SHIFT);
    EXPECT_EQ(box_.SelText(), "cdefgh");
}

TEST_F(TextBoxTest, ADoubleClickSelectsTheWordUnderThePointer) {
    box_.SetText("one two, three");
    const int32_t onet = Measure(box_, U"one t");
    host_.DoubleClick(box_.hWnd(), kTextLeft + onet + 1, 10);
    EXPECT_EQ(box_.SelText(), "two");
    // The right half of the word's last letter is still that word.
    host_.Advance(1000);
    const int32_t onetw = Measure(box_, U"one tw");
    const int32_t o = Measure(box_, U"o");
    host_.DoubleClick(box_.hWnd(), kTextLeft + onetw + o - 1, 10);
    EXPECT_EQ(box_.SelText(), "two");
    host_.Advance(1000);
    host_.DoubleClick(box_.hWnd(), 190, 10);  // past the end: the last word
    EXPECT_EQ(box_.SelText(), "three");
}

TEST_F(TextBoxTest, DraggingPastTheEdgeScrollsASingleLineBox) {
    TextBox narrow(form_.hWnd(), {10, 200, 70, 221});
    narrow.SetText("the quick brown fox jumps over the lazy dog");
    host_.MouseDown(narrow.hWnd(), 5, 10);
    for (int i = 0; i < 40; ++i)
        host_.MouseMove(narrow.hWnd(), 100, 10);
    host_.MouseUp(narrow.hWnd(), 100, 10);
    EXPECT_EQ(narrow.SelLength(), narrow.TextLength());
}

// --- Painting
// -------------------------------------------------------------------------------------

TEST_F(TextBoxTest, ASunkenEdgeAroundAWhiteBoxOrNoneAtAll) {
    EXPECT_EQ(box_.Image().Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(box_.Image().Pixel(box_.Width() - 1, box_.Height() - 1),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(box_.Image().Pixel(5, 5), kWhite);
    box_.SetBorderStyle(0);
    EXPECT_EQ(box_.Image().Pixel(0, 0), kWhite);
    // Seen through the form, at the box's place.
    const PixelImage shot = host_.Screenshot(form_.hWnd());
    EXPECT_EQ(shot.Pixel(10, 10), kWhite);
    EXPECT_EQ(shot.Pixel(9, 9), GetSysColor(COLOR_BTNFACE));
}

TEST_F(TextBoxTest, TheCaretIsDrawnOnlyWhileTheBoxHasTheFocus) {
    const Rect inside = Interior(box_);
    EXPECT_EQ(CountPixels(box_.Image(), inside, kBlack), 0);
    box_.SetFocus();
    const int32_t lineHeight = LineHeight(box_);
    EXPECT_EQ(CountPixels(box_.Image(), inside, kBlack), lineHeight);
    for (int32_t y = kTextTop; y < kTextTop + lineHeight; ++y) {
        EXPECT_EQ(box_.Image().Pixel(kTextLeft, y), kBlack) << y;
    }
    other_.SetFocus();
    EXPECT_EQ(CountPixels(box_.Image(), inside, kBlack), 0);
    // The caret follows the text.
    box_.SetText("ab");
    box_.SetSelStart(2);
    const Rect caret = CaretRect(box_);
    EXPECT_EQ(caret.left, kTextLeft + Measure(box_, U"ab"));
    EXPECT_EQ(caret.right - caret.left, 1);
    EXPECT_EQ(caret.Height(), lineHeight);
}

TEST_F(TextBoxTest, TheSelectionShowsInHighlightColoursWhileFocused) {
    box_.SetText("HHHH");
    const Rect inside = Interior(box_);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    box_.SetFocus();
    EXPECT_EQ(CountPixels(box_.Image(), inside, highlight), 0);
    host_.PressKey(VK_END, vbShiftMask);
    const int selected = CountPixels(box_.Image(), inside, highlight);
    EXPECT_GT(selected, Measure(box_, U"HHHH") * LineHeight(box_) / 2);
    EXPECT_GT(CountPixels(box_.Image(), inside, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
    EXPECT_EQ(CountPixels(box_.Image(), inside, kBlack), LineHeight(box_));  // the caret only
    other_.SetFocus();
    EXPECT_EQ(CountPixels(box_.Image(), inside, highlight), 0);
    EXPECT_GT(CountPixels(box_.Image(), inside, kBlack), 0);  // plain text again
    box_.SetHideSelection(false);
    EXPECT_EQ(CountPixels(box_.Image(), inside, highlight), selected);
}

TEST_F(TextBoxTest, ADisabledBoxDrawsGreyText) {
    box_.SetText("HHHH");
    box_.SetForeColor(RGB(0, 0, 255));
    const Rect inside{kTextLeft, kTextTop, box_.Width() - kTextLeft, box_.Height() - kTextTop};
    EXPECT_GT(CountPixels(box_.Image(), inside, RGB(0, 0, 255)), 0);
    box_.SetEnabled(false);
    EXPECT_EQ(CountPixels(box_.Image(), inside, RGB(0, 0, 255)), 0);
    EXPECT_GT(CountPixels(box_.Image(), inside, GetSysColor(COLOR_GRAYTEXT)), 0);
    host_.Click(box_.hWnd(), 10, 10);
    EXPECT_FALSE(box_.HasFocus());
}

TEST_F(TextBoxTest, ASingleLineBoxScrollsToKeepTheCaretInView) {
    TextBox narrow(form_.hWnd(), {10, 200, 70, 221});
    narrow.SetFocus();
    host_.Type("the quick brown fox jumps over the lazy dog");
    Rect caret = CaretRect(narrow);
    EXPECT_GE(caret.left, kTextLeft);
    EXPECT_LT(caret.right, narrow.Width() - kTextLeft + 1);
    EXPECT_GT(caret.left, narrow.Width() / 2);  // at the end of the text, on the right
    const PixelImage atEnd = narrow.Image();
    host_.PressKey(VK_HOME);
    caret = CaretRect(narrow);
    EXPECT_EQ(caret.left, kTextLeft);
    EXPECT_NE(narrow.Image(), atEnd);  // the start of the text shows
    // Deleting brings back what fits.
    host_.PressKey(VK_END, vbShiftMask);
    host_.PressKey(VK_DELETE);
    host_.Type("ab");
    EXPECT_EQ(CaretRect(narrow).left, kTextLeft + Measure(narrow, U"ab"));
}

TEST_F(TextBoxTest, RightAlignedTextSitsAgainstTheRightEdge) {
    box_.SetText("HH");
    box_.SetAlignment(TextBox::kAlignRight);
    const Rect left{2, 2, box_.Width() / 2, box_.Height() - 2};
    const Rect right{box_.Width() / 2, 2, box_.Width() - 2, box_.Height() - 2};
    EXPECT_EQ(CountPixels(box_.Image(), left, kBlack), 0);
    EXPECT_GT(CountPixels(box_.Image(), right, kBlack), 0);
    box_.SetAlignment(TextBox::kAlignCenter);
    EXPECT_GT(CountPixels(box_.Image(), left, kBlack), 0);
    EXPECT_GT(CountPixels(box_.Image(), right, kBlack), 0);
    box_.SetAlignment(7);
    EXPECT_EQ(box_.Alignment(), TextBox::kAlignLeft);
}

// --- Multi-line boxes
// -----------------------------------------------------------------------------

TEST_F(TextBoxTest, AMultiLineBoxWrapsAtSpacesAndUpDownMoveBetweenLines) {
    // Wide enough for "alpha beta " and not a letter more.
    const int32_t width = 2 * kTextLeft + Measure(multi_, U"alpha beta ") + 2;
    const int32_t lineHeight = LineHeight(multi_);
    multi_.Move(10, 50, width, 4 * lineHeight + 2 * kTextTop);
    multi_.SetFocus();
    host_.Type("alpha beta gamma");
    EXPECT_EQ(multi_.Text(), "alpha beta gamma");  // wrapping adds nothing to the text
    const Rect caret = CaretRect(multi_);
    EXPECT_EQ(caret.top, kTextTop + lineHeight);  // "gamma" went to the second line
    EXPECT_EQ(caret.left, kTextLeft + Measure(multi_, U"gamma"));

    host_.PressKey(VK_HOME);
    EXPECT_EQ(multi_.SelStart(), 11);
    host_.PressKey(VK_UP);
    EXPECT_EQ(multi_.SelStart(), 0);
    host_.PressKey(VK_END);
    EXPECT_EQ(multi_.SelStart(), 10);  // the end of "beta", before the space
    host_.PressKey(VK_DOWN, vbShiftMask);
    EXPECT_EQ(multi_.SelText(), " gamma");
    host_.PressKey(VK_HOME, vbCtrlMask);
    host_.PressKey(VK_RIGHT);
    host_.PressKey(VK_RIGHT);
    host_.PressKey(VK_DOWN);
    host_.PressKey(VK_UP);
    EXPECT_EQ(multi_.SelStart(), 2);
}

TEST_F(TextBoxTest, UpAndDownKeepTheirColumnAcrossAShortLine) {
    multi_.SetText("alpha beta\r\nx\r\nalpha beta");
    multi_.SetFocus();
    host_.PressKey(VK_END);
    EXPECT_EQ(multi_.SelStart(), 10);
    host_.PressKey(VK_DOWN);
    EXPECT_EQ(multi_.SelStart(), 13);  // after the "x"
    host_.PressKey(VK_DOWN);
    EXPECT_EQ(multi_.SelStart(), 25);  // the column came back
    host_.PressKey(VK_UP);
    host_.PressKey(VK_UP);
    EXPECT_EQ(multi_.SelStart(), 10);
    host_.PressKey(VK_UP);  // the first line has nothing above
    EXPECT_EQ(multi_.SelStart(), 10);
}

TEST_F(TextBoxTest, AWordWiderThanTheBoxIsBrokenBetweenCharacters) {
    multi_.Move(10, 50, 60, 100);
    multi_.SetText(std::string(40, 'w'));
    multi_.SetFocus();
    host_.PressKey(VK_DOWN);
    EXPECT_GT(multi_.SelStart(), 0);
    EXPECT_LT(multi_.SelStart(), 40);
    const int32_t lineHeight = LineHeight(multi_);
    const Rect secondLine{kTextLeft, kTextTop + lineHeight, 56, kTextTop + 2 * lineHeight};
    EXPECT_GT(CountPixels(multi_.Image(), secondLine, kBlack), lineHeight);
    // Narrower and the same text takes more lines: the layout follows the size.
    const int32_t oneLine = multi_.SelStart();
    multi_.Move(10, 50, 40, 100);
    host_.PressKey(VK_HOME, vbCtrlMask);
    host_.PressKey(VK_DOWN);
    EXPECT_LT(multi_.SelStart(), oneLine);
}

TEST_F(TextBoxTest, AMultiLineBoxScrollsToKeepTheCaretLineInView) {
    const int32_t lineHeight = LineHeight(multi_);
    multi_.Move(10, 50, 100, 2 * lineHeight + 2 * kTextTop);  // two lines show
    multi_.SetFocus();
    host_.Type("1\n2\n3\n4\n5");
    EXPECT_EQ(CaretRect(multi_).top, kTextTop + lineHeight);  // the last line, at the bottom
    host_.PressKey(VK_UP);
    host_.PressKey(VK_UP);
    EXPECT_EQ(CaretRect(multi_).top, kTextTop);  // line 3 at the top
    host_.PressKey(VK_HOME, vbCtrlMask);
    EXPECT_EQ(CaretRect(multi_).top, kTextTop);
    host_.PressKey(VK_NEXT);
    EXPECT_EQ(multi_.SelStart(), 3);  // a page of one line down
    host_.PressKey(VK_END, vbCtrlMask);
    EXPECT_EQ(CaretRect(multi_).top, kTextTop + lineHeight);
    // A click on the top line of the scrolled view lands on line 4.
    host_.Click(multi_.hWnd(), kTextLeft, kTextTop + 1);
    EXPECT_EQ(multi_.SelStart(), 9);
}

TEST_F(TextBoxTest, ClickingInAMultiLineBoxPicksTheLineUnderThePointer) {
    multi_.SetText("first\r\nsecond\r\nthird");
    const int32_t lineHeight = LineHeight(multi_);
    host_.Click(multi_.hWnd(), 150, kTextTop + lineHeight + 2);
    EXPECT_EQ(multi_.SelStart(), 13);  // the end of "second"
    host_.Advance(1000);
    host_.Click(multi_.hWnd(), kTextLeft, kTextTop + 2 * lineHeight + 2);
    EXPECT_EQ(multi_.SelStart(), 15);
    host_.Advance(1000);
    host_.Click(multi_.hWnd(), 150, 95);  // below the text: the last line
    EXPECT_EQ(multi_.SelStart(), 20);
}

// --- Hostile input -------------------------------------------------------------------------------

TEST_F(TextBoxTest, InvalidUtf8IsReplacedAndEditsStayWhole) {
    box_.SetText(
        std::string("\xFF\xFE"
                    "ab\xC3",
                    5));
    EXPECT_EQ(box_.Text(),
              "\xEF\xBF\xBD\xEF\xBF\xBD"
              "ab\xEF\xBF\xBD");
    EXPECT_EQ(box_.TextLength(), 5);
    box_.SetFocus();
    host_.PressKey(VK_END);
    host_.PressKey(VK_BACK);
    EXPECT_EQ(box_.Text(),
              "\xEF\xBF\xBD\xEF\xBF\xBD"
              "ab");
    box_.SetText(std::string("a\0b", 3));
    EXPECT_EQ(box_.TextLength(), 3);
    box_.SetSelText("\xC0\x80");  // an overlong form
    EXPECT_EQ(box_.Text(), std::string("\xEF\xBF\xBD\xEF\xBF\xBD"
                                       "a\0b",
                                       9));
    SetClipboardText("\xED\xA0\x80x");  // an encoded surrogate: three bad bytes
    host_.PressKey('V', vbCtrlMask);
    EXPECT_EQ(box_.SelStart(), 6);
    EXPECT_EQ(box_.TextLength(), 9);
}

TEST_F(TextBoxTest, BoxesOfNoSizeAndHugeTextsNeverFail) {
    TextBox tiny(form_.hWnd(), {10, 200, 10, 200}, true);
    tiny.SetText("some text\r\nover lines");
    tiny.SetFocus();
    host_.Type("abc\n");
    host_.PressKey(VK_UP);
    host_.PressKey(VK_NEXT);
    host_.Click(tiny.hWnd(), 0, 0);
    tiny.Move(10, 200, -5, -5);
    tiny.SetBorderStyle(0);
    EXPECT_EQ(tiny.Text(), "abc\r\nsome text\r\nover lines");

    std::string huge;
    for (int i = 0; i < 5000; ++i)
        huge += "word ";
    multi_.SetText(huge);
    multi_.SetFocus();
    host_.PressKey(VK_END, vbCtrlMask);
    host_.Type("!");
    EXPECT_EQ(multi_.TextLength(), 25001);
    SetClipboardText(huge);
    box_.SetFocus();
    host_.PressKey('V', vbCtrlMask);
    EXPECT_EQ(box_.TextLength(), 25000);
    EXPECT_GE(CaretRect(box_).left, kTextLeft);
}

TEST_F(TextBoxTest, ABoxWhoseWindowIsGoneIgnoresEverything) {
    box_.SetText("abc");
    form_.Unload();
    box_.SetText("def");
    box_.SetSelStart(2);
    box_.SetSelText("x");
    EXPECT_EQ(box_.Text(), "dexf");
}

}  // namespace
}  // namespace tabula
