// The text box, driven as a person drives it: keys and characters through the headless
// host, clicks and drags on the box's window, and its image read back.

#include "platform/forms/TextBox.h"

#include "platform/window/Desktop.h"
#include "tests/support/FormFixture.h"

namespace tabula {
namespace {

using test::Log;

// Where text starts in a box with the sunken edge: 2 pixels of edge, then the margins.
constexpr int32_t kTextLeft = 4;
constexpr int32_t kTextTop = 3;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// Keys given to a box, and its text and selection after them. `clipboard`, when given, is
// what the clipboard must hold then.
struct Edit {
    const char* keys;
    const char* text;
    int32_t selStart;
    int32_t selLength;
    const char* clipboard = nullptr;
};

class TextBoxTest : public test::FormFixture {
protected:
    TextBoxTest() : FormFixture(Rect{100, 100, 600, 500}) {}
    void SetUp() override {
        box_.Change = [&] { ++changes_; };
        multi_.Change = [&] { ++changes_; };
        form_.Show();
    }

    // Focuses `box` and gives it each edit's keys in turn, checking what they did.
    void Edits(TextBox& box, std::initializer_list<Edit> edits) {
        box.SetFocus();
        for (const Edit& edit : edits) {
            SCOPED_TRACE(edit.keys);
            Keys(edit.keys);
            EXPECT_EQ(box.Text(), edit.text);
            EXPECT_EQ(box.SelStart(), edit.selStart);
            EXPECT_EQ(box.SelLength(), edit.selLength);
            if (edit.clipboard) {
                EXPECT_EQ(GetClipboardText(), edit.clipboard);
            }
        }
    }

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
        return Difference(focused, unfocused);
    }

    PictureBox other_{form_.hWnd(), {400, 10, 450, 30}};
    TextBox box_{form_.hWnd(), {10, 10, 210, 31}};
    TextBox multi_{form_.hWnd(), {10, 50, 210, 150}, true};
    int changes_ = 0;
};

// --- Typing and the Change event ------------------------------------------------------------

TEST_F(TextBoxTest, KeyEventsComeDownPressUpWithChangeAfterThePressAndMayChangeTheKey) {
    Log events;
    box_.KeyDown = [&](int16_t& code, int16_t) {
        events.push_back("down " + std::to_string(code));
        if (code == VK_DELETE || code == VK_HOME) code = 0;
    };
    box_.KeyPress = [&](int16_t& ascii) {
        events.push_back("press " + std::to_string(ascii) + " text '" + box_.Text() + "'");
        if (ascii == 'x' || ascii == 8) ascii = 0;  // Backspace swallowed too
        if (ascii >= 'a' && ascii <= 'z') ascii = static_cast<int16_t>(ascii - 'a' + 'A');
        if (ascii == '#') ascii = 0x20AC;  // the euro sign
    };
    box_.KeyUp = [&](int16_t& code, int16_t) { events.push_back("up " + std::to_string(code)); };
    box_.Change = [&] { events.push_back("change '" + box_.Text() + "'"); };
    box_.SetFocus();
    host_.Type("a");
    EXPECT_EQ(events, (Log{"down 65", "press 97 text ''", "change 'A'", "up 65"}));
    Edits(box_,
          {{"xb#", "AB€", 3, 0}, {"<Back><Home><Del>", "AB€", 3, 0}, {"<Left>", "AB€", 2, 0}});
}

TEST_F(TextBoxTest, ControlCharactersAreNeverTypedAndCodeChangesFireChangeOnlyWhenTheTextDiffers) {
    box_.SetFocus();
    Keys("a<Esc><C-B>");  // Ctrl+B types character 2
    host_.GetDesktop().InjectCharacter(U'\t');
    Keys("\u0085<Enter>b<Tab>");  // a single-line box has no line break; the form takes Tab
    EXPECT_EQ(box_.Text(), "ab");
    EXPECT_FALSE(box_.HasFocus());
    Log events;
    box_.Change = [&] {
        events.push_back(box_.Text() + " at " + std::to_string(box_.SelStart()) + "+" +
                         std::to_string(box_.SelLength()));
    };
    box_.SetText("one two");
    box_.SetSelStart(4);
    box_.SetSelLength(3);
    box_.SetText("one two");  // the same text: no change, but the caret still goes home
    EXPECT_EQ(box_.SelStart(), 0);
    EXPECT_EQ(box_.SelLength(), 0);
    box_.SetSelStart(4);
    box_.SetSelLength(3);
    box_.SetSelText("2");  // the caret ends after the new text
    box_.SetText("");
    EXPECT_EQ(events, (Log{"one two at 0+0", "one 2 at 5+0", " at 0+0"}));
    // A Change handler may edit the text again.
    box_.Change = [&] {
        if (box_.Text().back() != '!') box_.SetText(box_.Text() + "!");
    };
    box_.SetFocus();
    host_.Type("ab");  // each SetText puts the caret back at 0
    EXPECT_EQ(box_.Text(), "ba!");
}

// --- Moving and selecting -------------------------------------------------------------------

TEST_F(TextBoxTest, ArrowsMoveShiftSelectsCtrlMovesByWordsAndCodeSelectionsClamp) {
    const char* text = "hello world";
    box_.SetText(text);
    Edits(box_, {{"<S-Right><S-Right><S-Right>", text, 0, 3},
                 {"<Right>", text, 3, 0},  // to the selection's end
                 {"<S-End>", text, 3, 8},
                 {"<Left>", text, 3, 0},  // to its start
                 {"<End><S-Left><S-Left>", text, 9, 2},
                 {"<S-Home>", text, 0, 11}});  // the anchor stays at the end
    // Ctrl moves by words; Ctrl+A selects everything.
    text = "one, two  three";
    box_.SetText(text);
    Edits(box_, {{"<C-Right>", text, 3, 0},  // "one" ends where the comma starts
                 {"<C-Right>", text, 5, 0},  // over the comma and its space
                 {"<C-Right>", text, 10, 0},
                 {"<C-Right>", text, 15, 0},
                 {"<C-S-Left>", text, 10, 5},
                 {"<C-Left>", text, 5, 0},
                 {"<C-Left>", text, 3, 0},  // the comma is a word of its own
                 {"<C-A>", text, 0, 15},
                 {"new", "new", 3, 0}});
    box_.SetText("abcdef");
    const struct {
        int32_t start, length, selStart, selLength;
    } cases[] = {{-5, 0, 0, 0}, {1000000, 0, 6, 0},           {2, 1000000, 2, 4},
                 {2, -3, 2, 0}, {INT32_MIN, INT32_MAX, 0, 6}, {INT32_MAX, INT32_MAX, 6, 0}};
    for (const auto& c : cases) {
        box_.SetSelStart(c.start);
        box_.SetSelLength(c.length);
        EXPECT_EQ(box_.SelStart(), c.selStart) << c.start << "+" << c.length;
        EXPECT_EQ(box_.SelLength(), c.selLength) << c.start << "+" << c.length;
    }
    // The caret never rests inside a line break.
    multi_.SetText("ab\r\ncd");
    multi_.SetSelStart(3);
    EXPECT_EQ(multi_.SelStart(), 2);
    multi_.SetSelStart(1);
    multi_.SetSelLength(2);
    EXPECT_EQ(multi_.SelText(), "b");
}

// --- Characters beyond ASCII ------------------------------------------------------------------

TEST_F(TextBoxTest, CharactersAndLineBreaksAreEditedWholeBadUtf8IsReplacedOddBoxesNeverFail) {
    Edits(box_,
          {{"héllo€😀", "héllo€😀", 7, 0}, {"<Back>", "héllo€", 6, 0}, {"<S-Left>", "héllo€", 5, 1}});
    EXPECT_EQ(box_.SelText(), "€");
    box_.SetSelStart(1);
    box_.SetSelLength(1);
    Edits(box_, {{"<Del>", "hllo€", 1, 0}, {"😀", "h😀llo€", 2, 0}, {"<Left><Del>", "hllo€", 1, 0}});
    box_.SetText("");
    int presses = 0;
    bool dropSecondHalf = false;
    box_.KeyPress = [&](int16_t& ascii) {
        ++presses;
        const uint16_t unit = static_cast<uint16_t>(ascii);
        if (dropSecondHalf && unit >= 0xDC00 && unit < 0xE000) ascii = 0;
    };
    Edits(box_, {{"😀", "😀", 1, 0}});
    EXPECT_EQ(presses, 2);  // two key presses, one character
    dropSecondHalf = true;
    host_.Type("😀z");  // the orphaned first half is forgotten
    dropSecondHalf = false;
    host_.GetDesktop().InjectCharacter(0xDC00);  // a second half alone
    host_.GetDesktop().InjectCharacter(0xD800);  // a first half followed by no second
    host_.GetDesktop().PumpMessages();
    host_.Type("y");
    EXPECT_EQ(box_.Text(), "😀zy");
    box_.SetText("abcdef");
    changes_ = 0;
    Edits(box_, {{"<Back><End><Del>", "abcdef", 6, 0},  // nothing before, then after, the caret
                 {"<Back>", "abcde", 5, 0},
                 {"<Home><Del>", "bcde", 0, 0},
                 {"<S-Right><S-Right><Back>", "de", 0, 0}});  // a selection goes whole
    EXPECT_EQ(changes_, 3);
    Edits(multi_, {{"ab\ncd", "ab\r\ncd", 6, 0},
                   {"<Home>", "ab\r\ncd", 4, 0},
                   {"<Left>", "ab\r\ncd", 2, 0},  // over the break in one step
                   {"<Del>", "abcd", 2, 0},
                   {"\n<Back>", "abcd", 2, 0},
                   {"<C-Enter>", "ab\r\ncd", 4, 0}});  // Ctrl+Enter breaks the line too
    box_.SetText("\377\376ab\303");
    EXPECT_EQ(box_.Text(), "\uFFFD\uFFFDab\uFFFD");
    Edits(box_, {{"<End><Back>", "\uFFFD\uFFFDab", 4, 0}});
    box_.SetText(std::string("a\0b", 3));
    EXPECT_EQ(box_.TextLength(), 3);
    box_.SetSelText("\xC0\x80");  // an overlong form
    EXPECT_EQ(box_.Text(), std::string("\uFFFD\uFFFDa\0b", 9));
    SetClipboardText("\xED\xA0\x80x");  // an encoded surrogate: three bad bytes
    Keys("<C-V>");
    EXPECT_EQ(box_.SelStart(), 6);
    EXPECT_EQ(box_.TextLength(), 9);
    box_.SetText("");
    TextBox tiny(form_.hWnd(), {10, 200, 10, 200}, true);
    tiny.SetText("some text\r\nover lines");
    tiny.SetFocus();
    Keys("abc\n<Up><PgDn>");
    host_.Click(tiny.hWnd(), 0, 0);
    tiny.Move(10, 200, -5, -5);
    tiny.SetBorderStyle(0);
    EXPECT_EQ(tiny.Text(), "abc\r\nsome text\r\nover lines");

    std::string huge;
    for (int i = 0; i < 5000; ++i)
        huge += "word ";
    multi_.SetText(huge);
    multi_.SetFocus();
    Keys("<C-End>!");
    EXPECT_EQ(multi_.TextLength(), 25001);
    SetClipboardText(huge);
    box_.SetFocus();
    Keys("<C-V>");
    EXPECT_EQ(box_.TextLength(), 25000);
    EXPECT_GE(CaretRect(box_).left, kTextLeft);
    form_.Unload();  // a box whose window is gone still takes code changes
    box_.SetText("def");
    box_.SetSelStart(2);
    box_.SetSelText("x");
    EXPECT_EQ(box_.Text(), "dexf");
}

// --- MaxLength and the clipboard ------------------------------------------------------------

TEST_F(TextBoxTest, TypingAndPastingStopAtMaxLengthButCodeDoesNotAndTheClipboardRoundTrips) {
    box_.SetMaxLength(4);
    Edits(box_, {{"héllo€", "héll", 4, 0},
                 {"<S-Left>X", "hélX", 4, 0},  // a selection makes room
                 {"<Back>YZ", "hélY", 4, 0}});
    EXPECT_EQ(changes_, 7);
    box_.SetMaxLength(5);
    box_.SetText("abcdefgh");
    Edits(box_, {{"<End>x", "abcdefgh", 8, 0},   // code may exceed the limit, a person not
                 {"<Back>", "abcdefg", 7, 0}});  // deleting is always allowed
    box_.SetText("ab");
    SetClipboardText("€€€€€");
    Edits(box_, {{"<End><C-V>", "ab€€€", 5, 0}});
    multi_.SetMaxLength(4);
    SetClipboardText("abc\r\ndef");
    Edits(multi_, {{"<C-V>", "abc", 3, 0},
                   {"<Enter>", "abc", 3, 0}});  // a break needs two characters of room
    box_.SetMaxLength(0);                       // no limit
    box_.SetText("hello world");
    changes_ = 0;
    Edits(box_, {{"<S-End><C-C>", "hello world", 0, 11, "hello world"},
                 {"<Home><C-S-Right><C-X>", "world", 0, 0, "hello "},
                 {"<End><C-V>", "worldhello ", 11, 0},
                 // The other keys of the classic clipboard.
                 {"<S-Home><C-Ins>", "worldhello ", 0, 11, "worldhello "},
                 {"<Left><S-Right><S-Del>", "orldhello ", 0, 0, "w"},
                 {"<End><S-Ins>", "orldhello w", 11, 0}});
    EXPECT_EQ(changes_, 4);
}

// A single-line box keeps the first line pasted, a multi-line one every line. Copying
// nothing and pasting nothing change nothing.
TEST_F(TextBoxTest, PastingKeepsTheLinesTheBoxCanHoldAndALockedBoxSelectsAndCopiesButNeverChanges) {
    SetClipboardText("first\nsecond\rthird\r\nfourth\x01");
    Edits(box_, {{"<C-V>", "first", 5, 0},
                 {"<C-C>", "first", 5, 0, "first\nsecond\rthird\r\nfourth\x01"}});
    Edits(multi_, {{"<C-V>", "first\r\nsecond\r\nthird\r\nfourth", 28, 0}});
    SetClipboardText("");
    Edits(box_, {{"<C-A><C-V>", "first", 0, 5}});
    box_.SetText("fixed");
    box_.SetLocked(true);
    changes_ = 0;
    SetClipboardText("pasted");
    Edits(box_, {{"abc<Back><Home><Del><C-V><S-End><C-X>", "fixed", 0, 5, "pasted"},
                 {"<C-C>", "fixed", 0, 5, "fixed"}});
    EXPECT_EQ(changes_, 0);
    box_.SetText("by code");  // code still may
    EXPECT_EQ(box_.Text(), "by code");
    EXPECT_EQ(changes_, 1);
}

// --- Mouse ------------------------------------------------------------------------------------

TEST_F(TextBoxTest, ClicksPlaceTheCaretDragsAndShiftClicksSelectAndDoubleClicksPickAWord) {
    box_.SetText("abcdef");
    multi_.SetText("first\r\nsecond\r\nthird");
    const int32_t abc = Measure(box_, U"abc"), d = Measure(box_, U"d");
    const int32_t line = LineHeight(multi_);
    const struct {
        TextBox* box;
        int32_t x, y, selStart;
    } clicks[] = {{&box_, kTextLeft + abc + 1, 10, 3},      // on the left half of "d"
                  {&box_, kTextLeft + abc + d - 1, 10, 4},  // its right half
                  {&box_, 190, 10, 6},                      // past the end
                  {&box_, 0, 10, 0},                        // on the edge, before the start
                  {&multi_, 150, kTextTop + line + 2, 13},  // the end of "second"
                  {&multi_, kTextLeft, kTextTop + 2 * line + 2, 15},
                  {&multi_, 150, 95, 20}};  // below the text: the last line
    for (const auto& click : clicks) {
        ClickAlone(click.box->hWnd(), click.x, click.y);
        EXPECT_TRUE(click.box->HasFocus());
        EXPECT_EQ(click.box->SelStart(), click.selStart) << click.x << "," << click.y;
    }
    box_.SetText("abcdefgh");
    const int32_t ab = Measure(box_, U"ab"), abcdef = Measure(box_, U"abcdef");
    host_.Drag(box_.hWnd(), kTextLeft + abcdef, 10, kTextLeft + ab, 10);
    EXPECT_EQ(box_.SelStart(), 2);
    EXPECT_EQ(box_.SelText(), "cdef");
    host_.PressKey(VK_LEFT, vbShiftMask);  // the caret is at the end dragged to
    EXPECT_EQ(box_.SelText(), "bcdef");
    host_.Advance(1000);
    ClickAlone(box_.hWnd(), kTextLeft + ab, 10);
    host_.KeyDown(VK_SHIFT);
    host_.Click(box_.hWnd(), 190, 10);
    host_.KeyUp(VK_SHIFT);
    EXPECT_EQ(box_.SelText(), "cdefgh");
    host_.Advance(1000);
    box_.SetText("one two, three");
    const struct {
        int32_t x;
        const char* word;
    } words[] = {{kTextLeft + Measure(box_, U"one t") + 1, "two"},
                 // The right half of the word's last letter is still that word.
                 {kTextLeft + Measure(box_, U"one two") - 1, "two"},
                 {190, "three"}};  // past the end: the last word
    for (const auto& click : words) {
        host_.DoubleClick(box_.hWnd(), click.x, 10);
        host_.Advance(1000);
        EXPECT_EQ(box_.SelText(), click.word) << click.x;
    }
}

// --- Painting ---------------------------------------------------------------------------------

TEST_F(TextBoxTest, ASunkenEdgeAroundAWhiteBoxOrNoneAtAllAndGreyTextWhenDisabled) {
    EXPECT_EQ(box_.Image().Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(box_.Image().Pixel(box_.Width() - 1, box_.Height() - 1),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(box_.Image().Pixel(5, 5), kWhite);
    box_.SetBorderStyle(0);
    EXPECT_EQ(box_.Image().Pixel(0, 0), kWhite);
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

TEST_F(TextBoxTest, TheCaretAndSelectionShowWhileFocusedTheCaretStaysInViewAlignmentHolds) {
    const Rect inside{2, 2, box_.Width() - 2, box_.Height() - 2};  // within the edge
    const int32_t lineHeight = LineHeight(box_);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(CountPixels(box_.Image(), inside, kBlack), 0);
    EXPECT_EQ(CaretRect(box_), (Rect{kTextLeft, kTextTop, kTextLeft + 1, kTextTop + lineHeight}));
    box_.SetText("HHHH");
    box_.SetSelStart(2);  // the caret follows the text
    const int32_t hh = kTextLeft + Measure(box_, U"HH");
    EXPECT_EQ(CaretRect(box_), (Rect{hh, kTextTop, hh + 1, kTextTop + lineHeight}));
    EXPECT_EQ(CountPixels(box_.Image(), inside, highlight), 0);
    Keys("<Home>");
    host_.PressKey(VK_END, vbShiftMask);
    const int selected = CountPixels(box_.Image(), inside, highlight);
    EXPECT_GT(selected, Measure(box_, U"HHHH") * lineHeight / 2);
    EXPECT_GT(CountPixels(box_.Image(), inside, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
    EXPECT_EQ(CountPixels(box_.Image(), inside, kBlack), lineHeight);  // the caret only
    other_.SetFocus();
    EXPECT_EQ(CountPixels(box_.Image(), inside, highlight), 0);
    EXPECT_GT(CountPixels(box_.Image(), inside, kBlack), 0);  // plain text again
    box_.SetHideSelection(false);
    EXPECT_EQ(CountPixels(box_.Image(), inside, highlight), selected);
    TextBox narrow(form_.hWnd(), {10, 200, 70, 221});
    narrow.SetFocus();
    host_.Type("the quick brown fox jumps over the lazy dog");
    Rect caret = CaretRect(narrow);
    EXPECT_LT(caret.right, narrow.Width() - kTextLeft + 1);
    EXPECT_GT(caret.left, narrow.Width() / 2);  // at the end of the text, on the right
    const PixelImage atEnd = narrow.Image();
    host_.PressKey(VK_HOME);
    EXPECT_EQ(CaretRect(narrow).left, kTextLeft);
    EXPECT_NE(narrow.Image(), atEnd);  // the start of the text shows
    // Dragging past the edge scrolls and selects.
    host_.MouseDown(narrow.hWnd(), 5, 10);
    for (int i = 0; i < 40; ++i)
        host_.MouseMove(narrow.hWnd(), 100, 10);
    host_.MouseUp(narrow.hWnd(), 100, 10);
    EXPECT_EQ(narrow.SelLength(), narrow.TextLength());
    // Deleting brings back what fits.
    Keys("<Del>ab");
    EXPECT_EQ(CaretRect(narrow).left, kTextLeft + Measure(narrow, U"ab"));
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

// --- Multi-line boxes -------------------------------------------------------------------------

TEST_F(TextBoxTest, AMultiLineBoxWrapsUpDownKeepTheColumnAndTheCaretLineStaysInView) {
    // Wide enough for "alpha beta " and not a letter more.
    const int32_t width = 2 * kTextLeft + Measure(multi_, U"alpha beta ") + 2;
    const int32_t lineHeight = LineHeight(multi_);
    multi_.Move(10, 50, width, 4 * lineHeight + 2 * kTextTop);
    const char* text = "alpha beta gamma";  // wrapping adds nothing to the text
    Edits(multi_, {{text, text, 16, 0}});
    const Rect caret = CaretRect(multi_);
    EXPECT_EQ(caret.top, kTextTop + lineHeight);  // "gamma" went to the second line
    EXPECT_EQ(caret.left, kTextLeft + Measure(multi_, U"gamma"));
    Edits(multi_, {{"<Home>", text, 11, 0},
                   {"<Up>", text, 0, 0},
                   {"<End>", text, 10, 0},  // the end of "beta", before the space
                   {"<S-Down>", text, 10, 6},
                   {"<C-Home><Right><Right><Down><Up>", text, 2, 0}});
    // Up and Down keep their column across a short line.
    text = "alpha beta\r\nx\r\nalpha beta";
    multi_.SetText(text);
    Edits(multi_, {{"<End>", text, 10, 0},
                   {"<Down>", text, 13, 0},  // after the "x"
                   {"<Down>", text, 25, 0},  // the column came back
                   {"<Up><Up>", text, 10, 0},
                   {"<Up>", text, 10, 0}});  // the first line has nothing above
    multi_.Move(10, 50, 60, 100);
    multi_.SetText(std::string(40, 'w'));
    multi_.SetFocus();
    host_.PressKey(VK_DOWN);
    EXPECT_GT(multi_.SelStart(), 0);
    EXPECT_LT(multi_.SelStart(), 40);
    const Rect secondLine{kTextLeft, kTextTop + lineHeight, 56, kTextTop + 2 * lineHeight};
    EXPECT_GT(CountPixels(multi_.Image(), secondLine, kBlack), lineHeight);
    // Narrower and the same text takes more lines: the layout follows the size.
    const int32_t oneLine = multi_.SelStart();
    multi_.Move(10, 50, 40, 100);
    Keys("<C-Home><Down>");
    EXPECT_LT(multi_.SelStart(), oneLine);
    multi_.SetText("");
    multi_.Move(10, 50, 100, 2 * lineHeight + 2 * kTextTop);  // two lines show
    host_.Type("1\n2\n3\n4\n5");
    EXPECT_EQ(CaretRect(multi_).top, kTextTop + lineHeight);  // the last line, at the bottom
    Keys("<Up><Up>");
    EXPECT_EQ(CaretRect(multi_).top, kTextTop);  // line 3 at the top
    Keys("<C-Home>");
    EXPECT_EQ(CaretRect(multi_).top, kTextTop);
    Keys("<PgDn>");
    EXPECT_EQ(multi_.SelStart(), 3);  // a page of one line down
    Keys("<C-End>");
    EXPECT_EQ(CaretRect(multi_).top, kTextTop + lineHeight);
    // A click on the top line of the scrolled view lands on line 4.
    host_.Click(multi_.hWnd(), kTextLeft, kTextTop + 1);
    EXPECT_EQ(multi_.SelStart(), 9);
}

}  // namespace
}  // namespace tabula
