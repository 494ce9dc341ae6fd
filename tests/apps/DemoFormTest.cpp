// The demo's sample form, used the way a person uses it, on the headless host. Its event
// lines are what the window end-to-end check looks for, so they are checked here too.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/tabula-demo/DemoForm.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {
namespace {

using Log = std::vector<std::string>;

class DemoFormTest : public testing::Test {
protected:
    DemoFormTest() {
        demo_.GetForm().Show();
        log_.clear();
    }

    Rect Place(const std::string& name) const {
        for (const auto& [n, r] : demo_.Places()) {
            if (n == name) return r;
        }
        ADD_FAILURE() << "no place named " << name;
        return {};
    }

    // Clicks the middle of a named place, in screen coordinates as a script would.
    void ClickPlace(const std::string& name) {
        const Rect r = Place(name);
        const Point centre{static_cast<int32_t>(r.left + r.Width() / 2),
                           static_cast<int32_t>(r.top + r.Height() / 2)};
        const HWND window = WindowFromPoint(centre);
        const Point client = ScreenToClient(window, centre);
        host_.Click(window, client.x, client.y);
    }

    Log TakeLog() { return std::exchange(log_, {}); }

    HeadlessHost host_;
    Log log_;
    DemoForm demo_{[this](const std::string& line) { log_.push_back(line); }};
};

TEST_F(DemoFormTest, ClickingOkReportsIt) {
    ClickPlace("OK");
    EXPECT_EQ(TakeLog(), (Log{"clicked OK"}));
    EXPECT_EQ(demo_.Status(), "Clicked OK");
}

TEST_F(DemoFormTest, TheStatusReturnsToReadyOnATimer) {
    ClickPlace("OK");
    TakeLog();
    host_.Advance(DemoForm::kStatusMilliseconds - 1);
    EXPECT_EQ(demo_.Status(), "Clicked OK");
    host_.Advance(1);
    EXPECT_EQ(demo_.Status(), "Ready");
    EXPECT_EQ(TakeLog(), (Log{"status cleared"}));
    host_.Advance(10 * DemoForm::kStatusMilliseconds);  // once only
    EXPECT_EQ(TakeLog(), Log{});
}

TEST_F(DemoFormTest, ThePadCopiesAndPastesThroughTheClipboard) {
    ClickPlace("pad");
    host_.Type("ab");
    host_.PressKey('C', vbCtrlMask);
    EXPECT_EQ(TakeLog(), (Log{"copied: ab"}));
    EXPECT_EQ(GetClipboardText(), "ab");
    SetClipboardText("c\nd");
    host_.PressKey('V', vbCtrlMask);
    host_.PressKey('V', vbCtrlMask);
    EXPECT_EQ(demo_.PadText(), "abcdcd");
}

TEST_F(DemoFormTest, TypedLinesAreReportedOnEnter) {
    ClickPlace("pad");
    host_.Type("hellp");
    host_.PressKey(VK_BACK);
    host_.Type("o");
    EXPECT_EQ(demo_.PadText(), "hello");
    EXPECT_TRUE(TakeLog().empty());
    host_.PressKey(VK_RETURN);
    EXPECT_EQ(TakeLog(), (Log{"typed: hello"}));
    EXPECT_EQ(demo_.PadText(), "");
    EXPECT_EQ(demo_.Status(), "Typed: hello");
}

TEST_F(DemoFormTest, ThePadKeepsCharactersBeyondTheKeyboard) {
    ClickPlace("pad");
    host_.Type("d\xC3\xA9j\xC3\xA0 \xF0\x9F\x98\x80");
    EXPECT_EQ(demo_.PadText(), "d\xC3\xA9j\xC3\xA0 \xF0\x9F\x98\x80");
    host_.PressKey(VK_BACK);  // removes the whole last character, not a byte of it
    EXPECT_EQ(demo_.PadText(), "d\xC3\xA9j\xC3\xA0 ");
    host_.PressKey(VK_ESCAPE);
    EXPECT_EQ(demo_.PadText(), "");
}

TEST_F(DemoFormTest, ThePadShowsWhatIsTyped) {
    ClickPlace("pad");
    const HWND pad = WindowFromPoint({Place("pad").left + 20, Place("pad").top + 20});
    const PixelImage before = host_.Screenshot(pad);
    host_.Type("WWW");
    EXPECT_NE(host_.Screenshot(pad), before);
}

TEST_F(DemoFormTest, TheAboutBoxIsModalUntilItsOkIsClicked) {
    // While the box is up, the modal loop waits; a timer stands in for the person who
    // reads it and clicks OK.
    bool clickedOk = false;
    SetTimer(0, 0, 50, [&](HWND, UINT, UINT_PTR id, uint32_t) {
        KillTimer(0, id);
        ASSERT_NE(demo_.AboutBox(), nullptr);
        // The main form takes no input while the box is shown.
        ClickPlace("OK");
        ClickPlace("about.OK");
        clickedOk = true;
    });
    ClickPlace("About");
    EXPECT_TRUE(clickedOk);
    EXPECT_EQ(TakeLog(), (Log{"about shown", "about closed"}));
    EXPECT_EQ(demo_.AboutBox(), nullptr);
    ClickPlace("OK");
    EXPECT_EQ(TakeLog(), (Log{"clicked OK"}));
}

TEST_F(DemoFormTest, AnnouncedPlacesNameEveryClickableControl) {
    demo_.AnnouncePlaces();
    const Log lines = TakeLog();
    for (const char* name : {"pad", "OK", "About", "Close"}) {
        const Rect r = Place(name);
        const std::string expected = std::string("place ") + name + " " + std::to_string(r.left) +
                                     " " + std::to_string(r.top) + " " + std::to_string(r.Width()) +
                                     " " + std::to_string(r.Height());
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
    }
}

TEST_F(DemoFormTest, ANewSizeIsReported) {
    // A window host resizes the form with its window; scripts see it by this line.
    demo_.GetForm().Move(0, 0, 700, 360);
    EXPECT_EQ(TakeLog(), (Log{"form size 700x360"}));
    demo_.GetForm().Move(0, 0, 700, 360);  // the same size again: no message, no line
    EXPECT_EQ(TakeLog(), Log{});
}

TEST_F(DemoFormTest, CloseUnloadsTheForm) {
    ClickPlace("Close");
    EXPECT_EQ(TakeLog(), (Log{"closed"}));
    EXPECT_FALSE(demo_.GetForm().Loaded());
}

TEST_F(DemoFormTest, TheFormIsAsTallAsItsSectionsAndNothingOverlaps) {
    const auto places = demo_.Places();
    int32_t bottom = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        bottom = std::max(bottom, places[i].second.bottom);
        EXPECT_LE(places[i].second.right, demo_.GetForm().Width()) << places[i].first;
        for (size_t j = i + 1; j < places.size(); ++j) {
            EXPECT_TRUE(Intersect(places[i].second, places[j].second).IsEmpty())
                << places[i].first << " overlaps " << places[j].first;
        }
    }
    EXPECT_EQ(demo_.GetForm().Height(), bottom + 12);  // the bottom margin
}

TEST(FlowLayoutTest, WrapsRowsThatDoNotFitAndGrowsWithTheTallestControl) {
    FlowLayout layout(200, 10, 5);
    EXPECT_EQ(layout.Next(100, 20), (Rect{10, 10, 110, 30}));
    EXPECT_EQ(layout.Next(60, 40), (Rect{115, 10, 175, 50}));
    EXPECT_EQ(layout.Next(30, 10), (Rect{10, 55, 40, 65}));  // 180 + 30 passes 190
    layout.NewRow();
    layout.NewRow();  // an empty row adds nothing
    EXPECT_EQ(layout.Next(180, 10), (Rect{10, 70, 190, 80}));
    EXPECT_EQ(layout.Height(), 90);
    EXPECT_EQ(layout.InnerWidth(), 180);
}

TEST(FlowLayoutTest, AControlWiderThanARowStillGetsAPlace) {
    FlowLayout layout(100, 10, 5);
    EXPECT_EQ(layout.Next(300, 10), (Rect{10, 10, 310, 20}));
    EXPECT_EQ(layout.Next(10, 10), (Rect{10, 25, 20, 35}));
}

}  // namespace
}  // namespace tabula
