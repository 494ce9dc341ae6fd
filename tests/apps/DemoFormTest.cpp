// The demo's sample form, used the way a person uses it, on the headless host. Its event
// lines are what the window end-to-end check looks for, so they are checked here too.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "apps/tabula-demo/DemoForm.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"
#include "tests/support/TestFiles.h"

namespace tabula {
namespace {

using Log = std::vector<std::string>;

class DemoFormTest : public testing::Test {
protected:
    DemoFormTest() {
        demo_.GetForm().Show();
        log_.clear();
    }

    std::optional<Rect> FindPlace(const std::string& name) const {
        for (const auto& [n, r] : demo_.Places())
            if (n == name) return r;
        return std::nullopt;
    }
    Rect Place(const std::string& name) const {
        const auto place = FindPlace(name);
        if (!place) ADD_FAILURE() << "no place named " << name;
        return place.value_or(Rect{});
    }

    // The middle of a named place, in screen coordinates, and the window a person sees there.
    Point Centre(const std::string& name) const {
        const Rect r = Place(name);
        return Point{int32_t(r.left + r.Width() / 2), int32_t(r.top + r.Height() / 2)};
    }
    HWND WindowAt(const std::string& name) const { return WindowFromPoint(Centre(name)); }

    // Clicks the middle of a named place, as a script would.
    void ClickPlace(const std::string& name) {
        const HWND window = WindowAt(name);
        const Point client = ScreenToClient(window, Centre(name));
        host_.Click(window, client.x, client.y);
    }

    PixelImage Cells() { return host_.Screenshot(WindowAt("cells")); }

    Log TakeLog() { return std::exchange(log_, {}); }

    // While a box is up the modal loop waits; a timer stands in for the person who reads it
    // and clicks.
    void WhenModal(std::function<void()> act) {
        SetTimer(0, 0, 50, [this, act](HWND, UINT, UINT_PTR id, uint32_t) {
            KillTimer(0, id);
            ASSERT_NE(demo_.ModalBox(), nullptr);
            act();
            ++modalActs_;
        });
    }

    // What a person does, each returning the lines it made the demo log.
    Log Click(const std::string& name) {
        ClickPlace(name);
        return TakeLog();
    }
    Log Press(uint8_t key, int16_t shift = 0) {
        host_.PressKey(key, shift);
        return TakeLog();
    }
    Log Type(std::string_view text) {
        host_.Type(text);
        return TakeLog();
    }

    HeadlessHost host_;
    Log log_;
    int modalActs_ = 0;
    DemoForm demo_{[this](const std::string& line) { log_.push_back(line); }};
};

// --- Buttons and the status line ------------------------------------------------------------

// The status line shows the last click for a while, counted from the last click.
TEST_F(DemoFormTest, ClickingOkReportsItAndTheStatusReturnsToReadyOnATimer) {
    EXPECT_EQ(Click("OK"), (Log{"clicked OK"}));
    host_.Advance(DemoForm::kStatusMilliseconds - 100);
    EXPECT_EQ(Click("OK"), (Log{"clicked OK"}));
    host_.Advance(DemoForm::kStatusMilliseconds - 1);
    EXPECT_EQ(demo_.Status(), "Clicked OK");
    host_.Advance(1);
    EXPECT_EQ(demo_.Status(), "Ready");
    EXPECT_EQ(TakeLog(), (Log{"status cleared"}));
    host_.Advance(10 * DemoForm::kStatusMilliseconds);  // once only
    EXPECT_EQ(TakeLog(), Log{});
}

TEST_F(DemoFormTest, TheGridTakesClicksKeysAndEntriesAndSaysWhatHappened) {
    EXPECT_EQ(Click("grid.2.1"), (Log{"cell: 2,1"}));
    EXPECT_EQ(Press(VK_DOWN), (Log{"cell: 3,1"}));
    EXPECT_EQ(Press(VK_RIGHT), (Log{"cell: 3,2"}));
    // The check-mark column: row 1 is ticked, a click clears it and moves on (the move
    // is reported once, at the end of the press), a space ticks it again.
    EXPECT_EQ(Click("grid.1.5"), (Log{"edited: 1,5 \"0\"", "cell: 1,6"}));
    EXPECT_EQ(Press(VK_LEFT), (Log{"cell: 1,5"}));
    EXPECT_EQ(Type(" "), (Log{"edited: 1,5 \"1\"", "cell: 1,6"}));
    // The wheel, one notch towards the user: one row down.
    host_.Wheel(-120);
    EXPECT_EQ(TakeLog(), (Log{"cell: 2,6"}));
    // A data-entry table with masks, a new line at the end and AutoMove.
    Click("grid.2.1");
    EXPECT_EQ(Type("Bo"), Log{});
    EXPECT_EQ(Press(VK_RETURN), (Log{"edited: 2,1 \"AdaBo\"", "cell: 2,2"}));
    Click("grid.3.6");
    Type("122504");
    EXPECT_EQ(Press(VK_RETURN), (Log{"edited: 3,6 \"12/25/2004\"", "cell: 3,7"}));
    // The empty last line grows the table by one as typing starts in it.
    Click("grid.7.1");
    EXPECT_EQ(Type("Zed"), (Log{"added: row 8"}));
    EXPECT_EQ(Press(VK_RETURN), (Log{"edited: 7,1 \"Zed\"", "cell: 7,2"}));
}

TEST_F(DemoFormTest, TheCountryIsPickedFromAListAndTheCardButtonOpensTheRowsCard) {
    // The drop-down button opens the list on the cell's country; Down and Enter pick the
    // next, AutoMove then skips the card column.
    EXPECT_EQ(Click("grid.3.2"), (Log{"cell: 3,2"}));
    Click("grid.lookup");
    EXPECT_EQ(Press(VK_DOWN), Log{});
    EXPECT_EQ(Press(VK_RETURN), (Log{"picked: 3,2 \"Germany\"", "cell: 3,4"}));
    // Typing opens it on the first country with that letter; Esc keeps the old one.
    Click("grid.4.2");
    EXPECT_EQ(Type("s"), Log{});
    EXPECT_EQ(Press(VK_ESCAPE), Log{});
    EXPECT_EQ(demo_.GetForm().hWnd(), GetAncestorTopLevel(GetFocus()));
    Type("s");
    EXPECT_EQ(Press(VK_RETURN), (Log{"picked: 4,2 \"Senegal\"", "cell: 4,4"}));
    // The card button names the row in a modal box until its OK is clicked.
    Click("grid.2.3");
    WhenModal([this] { ClickPlace("card.OK"); });
    EXPECT_EQ(Click("grid.button"), (Log{"button: 2,3", "card shown", "card closed"}));
    EXPECT_EQ(modalActs_, 1);
}

TEST_F(DemoFormTest, CtrlSSavesTheGridsSettingsAndOpeningTheFileBringsThemBack) {
    const std::string path = test::TempPath("demo-form.json").string();
    demo_.SetFormPath(path);
    Click("grid.3.2");
    EXPECT_EQ(Click("tabkeys"), (Log{"tab keys: 0"}));
    const std::string summary = "rows 7, cols 15, current 3,2, tab keys off";
    EXPECT_EQ(Press('S', vbCtrlMask), (Log{"saved: " + path + " (" + summary + ")"}));
    // Without the grid's Tab, the key moves on to the next control.
    Click("grid.3.2");
    Press(VK_TAB);
    EXPECT_EQ(WindowFromPoint(Centre("pad")), GetFocus());

    Log opened;
    DemoForm other([&](const std::string& line) { opened.push_back(line); });
    EXPECT_TRUE(other.Open(path));
    ASSERT_FALSE(opened.empty());
    EXPECT_EQ(opened.back(), "opened: " + path + " (" + summary + ")");
    EXPECT_FALSE(other.Open(path + ".missing"));
    std::filesystem::remove(path);
}

TEST_F(DemoFormTest, TheAboutBoxIsModalUntilItsOkIsClickedAndCloseUnloadsTheForm) {
    WhenModal([this] {
        ClickPlace("OK");  // the main form takes no input while the box is shown
        ClickPlace("about.OK");
    });
    EXPECT_EQ(Click("About"), (Log{"about shown", "about closed"}));
    EXPECT_EQ(modalActs_, 1);
    EXPECT_EQ(demo_.ModalBox(), nullptr);
    EXPECT_EQ(Click("OK"), (Log{"clicked OK"}));
    // Close unloads the form.
    EXPECT_EQ(Click("Close"), (Log{"closed"}));
    EXPECT_FALSE(demo_.GetForm().Loaded());
}

// --- The typing line -------------------------------------------------------------------------

TEST_F(DemoFormTest, TheTypingLineHasTheFocusFirstShowsWhatIsTypedAndSendsItOnEnter) {
    const HWND pad = WindowAt("pad");
    EXPECT_EQ(GetFocus(), pad);
    const PixelImage before = host_.Screenshot(pad);
    EXPECT_EQ(Type("hello"), Log{});
    EXPECT_NE(host_.Screenshot(pad), before);
    EXPECT_EQ(demo_.PadText(), "hello");
    EXPECT_EQ(Press(VK_RETURN), (Log{"typed: hello"}));
    EXPECT_EQ(demo_.PadText(), "");
    EXPECT_EQ(demo_.Status(), "Typed: hello");
    EXPECT_EQ(Press(VK_RETURN), (Log{"typed: "}));  // an empty line is sent too
    // Ctrl+A selects the whole line, so typing replaces it.
    host_.Type("old text");
    host_.PressKey('A', vbCtrlMask);
    host_.Type("new");
    EXPECT_EQ(Press(VK_RETURN), (Log{"typed: new"}));
}

TEST_F(DemoFormTest, TheTypingLineClearsOnEscapeAndReportsPastesOnly) {
    ClickPlace("pad");
    host_.Type("ab");
    EXPECT_EQ(Press(VK_ESCAPE), Log{});
    EXPECT_EQ(demo_.PadText(), "");
    // Copying and pasting go through the clipboard.
    host_.Type("ab");
    host_.PressKey('A', vbCtrlMask);
    EXPECT_EQ(Press('C', vbCtrlMask), Log{});  // copying changes nothing to report
    EXPECT_EQ(GetClipboardText(), "ab");
    host_.PressKey(VK_END);
    // The line takes what comes before the first line break.
    SetClipboardText("c\nd");
    EXPECT_EQ(Press('V', vbCtrlMask), (Log{"pasted: abc"}));
    EXPECT_EQ(Press(VK_INSERT, vbShiftMask), (Log{"pasted: abcc"}));
    EXPECT_EQ(Type("x"), Log{});  // typing after a paste is no paste
    EXPECT_EQ(Press(VK_RETURN), (Log{"typed: abccx"}));
    // A paste of nothing reports nothing and leaves nothing behind.
    SetClipboardText("");
    host_.PressKey('V', vbCtrlMask);
    host_.Type("z");
    EXPECT_EQ(Press(VK_ESCAPE), Log{});
}

// --- Notes -----------------------------------------------------------------------------------

TEST_F(DemoFormTest, TheNotesBoxTakesLineBreaksWithoutSendingAnything) {
    ClickPlace("notes");
    host_.PressKey(VK_END, vbCtrlMask);
    host_.PressKey(VK_RETURN);
    EXPECT_EQ(Type("more"), Log{});
    EXPECT_EQ(demo_.PadText(), "");
    auto* box = dynamic_cast<TextBox*>(Control::FromHandle(WindowAt("notes")));
    ASSERT_NE(box, nullptr);
    const std::string text = box->Text();
    EXPECT_TRUE(text.ends_with("\r\nmore")) << text;
    EXPECT_NE(text.find("Notes\r\n"), std::string::npos);
}

// --- The list --------------------------------------------------------------------------------

TEST_F(DemoFormTest, TheListPicksByClicksAndKeysAndScrollsToItemsOutOfView) {
    EXPECT_EQ(Click("list.2"), (Log{"picked: March"}));
    EXPECT_EQ(demo_.Status(), "Picked March");
    EXPECT_EQ(Click("list.2"), Log{});   // the same item again: nothing changed
    EXPECT_FALSE(FindPlace("list.11"));  // a dozen months do not all fit
    EXPECT_EQ(Click("list.0"), (Log{"picked: January"}));
    EXPECT_EQ(Press(VK_DOWN), (Log{"picked: February"}));
    EXPECT_EQ(Type("d"), (Log{"picked: December"}));
    // December is in view now, and the places follow the list.
    EXPECT_TRUE(FindPlace("list.11"));
    EXPECT_FALSE(FindPlace("list.0"));
    EXPECT_EQ(Click("list.10"), (Log{"picked: November"}));
}

// --- The options in their frame ------------------------------------------------------------

TEST_F(DemoFormTest, TheCheckBoxTurnsGridLinesOffAndOnAndTheComboBoxSortsTheRows) {
    const PixelImage asEntered = Cells();  // with grid lines, the rows as entered
    ASSERT_TRUE(demo_.GridLines());
    EXPECT_EQ(Click("gridlines"), (Log{"checked: 0"}));
    EXPECT_NE(Cells(), asEntered);
    // Space toggles it back, and the drawing is as it was.
    EXPECT_EQ(Press(VK_SPACE), (Log{"checked: 1"}));
    EXPECT_EQ(Cells(), asEntered);
    // The combo box list opens, and a pick sorts the rows; Escape closes it without one.
    EXPECT_EQ(Click("order"), Log{});  // opening the list picks nothing
    auto* combo = dynamic_cast<ComboBox*>(Control::FromHandle(WindowAt("order")));
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(Press(VK_DOWN), Log{});
    EXPECT_EQ(Press(VK_RETURN), (Log{"chose: Rows by name"}));
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(demo_.SortOrder(), 1);
    const PixelImage byName = Cells();
    EXPECT_NE(byName, asEntered);
    // With the list closed, the arrows pick directly.
    EXPECT_EQ(Press(VK_DOWN), (Log{"chose: Rows by amount"}));
    EXPECT_NE(Cells(), byName);
    EXPECT_EQ(Press(VK_HOME), (Log{"chose: Rows as entered"}));
    EXPECT_EQ(Cells(), asEntered);
    // The list closes on Escape without a choice.
    ClickPlace("order");
    host_.PressKey(VK_DOWN);
    EXPECT_EQ(Press(VK_ESCAPE), Log{});
    EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(DemoFormTest, TheScrollBarStepsTheRowHeightAndStopsAtItsEndsWithItsLabelFollowing) {
    const PixelImage before = Cells();
    EXPECT_EQ(Click("rows.right"), (Log{"scrolled: 21"}));
    EXPECT_EQ(demo_.RowHeight(), 21);
    EXPECT_EQ(demo_.Status(), "Row height 21");
    EXPECT_NE(Cells(), before);
    EXPECT_EQ(Click("rows.left"), (Log{"scrolled: 20"}));
    EXPECT_EQ(Cells(), before);
    auto* bar = dynamic_cast<ScrollBar*>(Control::FromHandle(WindowAt("rows")));
    ASSERT_NE(bar, nullptr);
    // The label showing the value sits just above the bar.
    const Rect barPlace = Place("rows");
    auto* label = dynamic_cast<Label*>(
        Control::FromHandle(WindowFromPoint(Point{barPlace.left + 4, barPlace.top - 12})));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), "Row height: 20");
    for (int i = 0; i < 20; ++i)
        ClickPlace("rows.right");
    const Log log = TakeLog();
    ASSERT_EQ(log.size(), static_cast<size_t>(DemoForm::kMaxRowHeight - DemoForm::kRowHeight));
    EXPECT_EQ(log.back(), "scrolled: " + std::to_string(DemoForm::kMaxRowHeight));
    EXPECT_EQ(label->Caption(), "Row height: " + std::to_string(DemoForm::kMaxRowHeight));
    // A press on the track left of the thumb goes down a page.
    const Rect track = bar->GetLayout().track;
    host_.Click(bar->hWnd(), track.left + 2, track.top + track.Height() / 2);
    EXPECT_EQ(TakeLog(), (Log{"scrolled: " +
                              std::to_string(DemoForm::kMaxRowHeight - DemoForm::kRowHeightPage)}));
}

TEST_F(DemoFormTest, TabGoesThroughTheFrameInOrderAndOutAgain) {
    ClickPlace("list.0");
    EXPECT_EQ(GetFocus(), WindowAt("list"));
    const std::vector<std::string> expected = {"gridlines", "order", "rows",    "OK",  "About",
                                               "Close",     "Save",  "tabkeys", "pad", "notes"};
    for (const std::string& name : expected) {
        host_.PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), WindowAt(name)) << name;
    }
    host_.PressKey(VK_TAB, vbShiftMask);
    host_.PressKey(VK_TAB, vbShiftMask);
    EXPECT_EQ(GetFocus(), WindowAt("tabkeys"));
}

// --- Places and layout -----------------------------------------------------------------------

// Every place is announced, as "place NAME LEFT TOP WIDTH HEIGHT". Places have names of
// their own, without spaces. They either keep apart or one holds the other (a frame its
// controls, a list its items, a scroll bar its arrows); none sticks out of the form, which
// is as tall as its sections.
TEST_F(DemoFormTest, PlacesAreAnnouncedAndNestWithoutOverlappingAndANewSizeIsReported) {
    demo_.AnnouncePlaces();
    const Log lines = TakeLog();
    const auto places = demo_.Places();
    ASSERT_EQ(lines.size(), places.size());
    int32_t bottom = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        const auto& [name, a] = places[i];
        EXPECT_EQ(lines[i], "place " + name + " " + std::to_string(a.left) + " " +
                                std::to_string(a.top) + " " + std::to_string(a.Width()) + " " +
                                std::to_string(a.Height()));
        EXPECT_EQ(name.find(' '), std::string::npos) << name;
        bottom = std::max(bottom, a.bottom);
        EXPECT_LE(a.right, demo_.GetForm().Width()) << name;
        for (size_t j = i + 1; j < places.size(); ++j) {
            const Rect& b = places[j].second;
            const Rect both = Intersect(a, b);
            EXPECT_NE(name, places[j].first);
            EXPECT_TRUE(both.IsEmpty() || both == a || both == b)
                << name << " overlaps " << places[j].first;
        }
        const std::string whole = name.substr(0, name.find('.'));
        EXPECT_EQ(Intersect(a, Place(whole)), a) << name;
        if (whole == "list") {
            EXPECT_EQ(WindowAt(name), WindowAt("list")) << name;
        }
    }
    EXPECT_LT(Place("rows.left").right, Place("rows.right").left);
    for (const char* name : {"gridlines", "order", "rows"})
        EXPECT_EQ(Intersect(Place(name), Place("options")), Place(name)) << name;
    EXPECT_EQ(demo_.GetForm().Height(), bottom + 12);  // the bottom margin
    // A window host resizes the form with its window; scripts see it by this line.
    demo_.GetForm().Move(0, 0, 700, 360);
    EXPECT_EQ(TakeLog(), (Log{"form size 700x360"}));
    demo_.GetForm().Move(0, 0, 700, 360);  // the same size again: no message, no line
    EXPECT_EQ(TakeLog(), Log{});
}

// Rows wrap when a control does not fit and grow with the tallest control; a control wider
// than a row still gets a place; the first row may start below the margin.
TEST(FlowLayoutTest, WrapsRowsThatDoNotFitAndGrowsWithTheTallestControl) {
    FlowLayout layout(200, 10, 5);
    EXPECT_EQ(layout.Next(100, 20), (Rect{10, 10, 110, 30}));
    EXPECT_EQ(layout.RemainingWidth(), 75);
    EXPECT_EQ(layout.Next(60, 40), (Rect{115, 10, 175, 50}));
    EXPECT_EQ(layout.Next(30, 10), (Rect{10, 55, 40, 65}));  // 180 + 30 passes 190
    layout.NewRow();
    layout.NewRow();  // an empty row adds nothing
    EXPECT_EQ(layout.RemainingWidth(), 180);
    EXPECT_EQ(layout.Next(180, 10), (Rect{10, 70, 190, 80}));
    EXPECT_EQ(layout.Height(), 90);
    EXPECT_EQ(layout.InnerWidth(), 180);
    EXPECT_EQ(layout.Next(300, 10), (Rect{10, 85, 310, 95}));
    EXPECT_EQ(layout.Next(10, 10), (Rect{10, 100, 20, 110}));

    FlowLayout below(100, 10, 5, 24);
    EXPECT_EQ(below.Next(80, 10), (Rect{10, 24, 90, 34}));
    EXPECT_EQ(below.Height(), 44);
}

}  // namespace
}  // namespace tabula
