#include <gtest/gtest.h>

#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/container/PropertyPageFrame.h"
#include "platform/forms/PictureBox.h"
#include "tests/platform/RaisedError.h"

namespace tabula {
namespace {

using test::RaisedError;

// A page with one field, the tool tip of the selected controls: it fills the field from
// the first selected control and applies it to all of them.
class ToolTipPage : public PropertyPage {
public:
    std::string field;
    int fills = 0;
    int applies = 0;
    bool failApplying = false;

    // The user types into the field.
    void Edit(std::string text) {
        field = std::move(text);
        SetChanged(true);
    }
    bool IsChanged() const { return Changed(); }

    void SelectionChanged() override {
        ++fills;
        const auto& selected = SelectedControls();
        field = selected.empty() ? "" : selected[0]->GetExtender().Get("ToolTipText").ToText();
        SetChanged(false);
    }
    void ApplyChanges() override {
        ++applies;
        if (failApplying) RaiseError(kErrInvalidPropertyValue);
        for (Site* site : SelectedControls())
            site->GetExtender().Let("ToolTipText", field);
    }
};

class PropertyPageFrameTest : public testing::Test {
protected:
    PropertyPageFrameTest() {
        a_.SetToolTipText("first");
        b_.SetToolTipText("second");
        container_.Add(a_, "Box");
        container_.Add(b_, "Box");
    }
    std::vector<Site*> Both() { return container_.Sites(); }

    HeadlessHost host_;
    Form form_{Rect{50, 50, 450, 350}, "Form1"};
    PictureBox a_{form_.hWnd(), Rect{0, 0, 10, 10}};
    PictureBox b_{form_.hWnd(), Rect{0, 20, 10, 30}};
    ControlContainer container_{form_};
    ToolTipPage page_;
};

TEST_F(PropertyPageFrameTest, OpeningFillsThePageFromTheSelection) {
    PropertyPageFrame frame(page_, Both());
    EXPECT_EQ(page_.fills, 1);
    EXPECT_EQ(page_.field, "first");
    EXPECT_EQ(frame.SelectedControls().size(), 2u);
    EXPECT_FALSE(frame.Changed());
    EXPECT_FALSE(frame.ApplyEnabled());
    EXPECT_TRUE(frame.IsOpen());

    frame.SetSelectedControls({container_.SiteOf(b_)});
    EXPECT_EQ(page_.fills, 2);
    EXPECT_EQ(page_.field, "second");
}

TEST_F(PropertyPageFrameTest, ApplyWritesTheEditAndClearsChanged) {
    PropertyPageFrame frame(page_, Both());
    frame.Apply();  // nothing edited: nothing applied
    EXPECT_EQ(page_.applies, 0);

    page_.Edit("tip");
    EXPECT_TRUE(frame.Changed());
    EXPECT_TRUE(page_.IsChanged());
    EXPECT_TRUE(frame.ApplyEnabled());
    frame.Apply();
    EXPECT_EQ(page_.applies, 1);
    EXPECT_EQ(a_.ToolTipText(), "tip");
    EXPECT_EQ(b_.ToolTipText(), "tip");
    EXPECT_FALSE(frame.Changed());
    EXPECT_TRUE(frame.IsOpen());
    EXPECT_TRUE(container_.Dirty());  // the page changed the form through the extender
}

TEST_F(PropertyPageFrameTest, OkAppliesAndClosesCancelClosesWithoutApplying) {
    int closed = 0;
    {
        PropertyPageFrame frame(page_, Both());
        frame.Closed = [&] { ++closed; };
        page_.Edit("ok");
        frame.OK();
        EXPECT_FALSE(frame.IsOpen());
        EXPECT_EQ(closed, 1);
        EXPECT_EQ(a_.ToolTipText(), "ok");
        frame.OK();  // a closed frame does nothing more
        EXPECT_EQ(closed, 1);
    }
    PropertyPageFrame frame(page_, Both());
    frame.Closed = [&] { ++closed; };
    page_.Edit("cancelled");
    frame.Cancel();
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(a_.ToolTipText(), "ok");
    frame.Apply();  // too late: the frame is closed
    EXPECT_EQ(a_.ToolTipText(), "ok");
    EXPECT_FALSE(frame.ApplyEnabled());
}

TEST_F(PropertyPageFrameTest, AFailedApplyKeepsTheChangesAndTheFrameOpen) {
    {
        PropertyPageFrame frame(page_, Both());
        page_.Edit("tip");
        page_.failApplying = true;
        EXPECT_EQ(RaisedError([&] { frame.OK(); }), kErrInvalidPropertyValue);
        EXPECT_TRUE(frame.IsOpen());
        EXPECT_TRUE(frame.Changed());
        page_.failApplying = false;
        frame.OK();
        EXPECT_FALSE(frame.IsOpen());
        EXPECT_EQ(b_.ToolTipText(), "tip");
    }
    // Outside a frame the page sees nothing selected and cannot be changed.
    page_.SelectionChanged();
    EXPECT_EQ(page_.field, "");
    page_.Edit("x");
    EXPECT_FALSE(page_.IsChanged());
}

}  // namespace
}  // namespace tabula
