// The form designer driven as a developer drives it: tools picked and controls drawn
// with the mouse on the headless host, keys, the property list, the pages and the file
// dialogs, with the designer's own log lines as the record of what happened.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "apps/tabula-designer/DesignerForm.h"
#include "core/Tabula.h"
#include "tests/support/FormFixture.h"

#include <unistd.h>

namespace tabula::test {
namespace {

namespace fs = std::filesystem;

class DesignerTest : public FormFixture {
protected:
    DesignerTest()
        : FormFixture(Rect{0, 0, 10, 10}, DesignerForm::kWidth, DesignerForm::kHeight),
          designer_([this](const std::string& line) { log_.push_back(line); }) {
        designer_.GetForm().Show();
        Surface().GetForm().Show();
        folder_ = fs::temp_directory_path() / ("tabula-test-designer-" + std::to_string(getpid()));
        fs::create_directories(folder_);
    }
    ~DesignerTest() override { fs::remove_all(folder_); }

    DesignSurface& Surface() { return designer_.Surface(); }
    HWND Design() { return Surface().GetForm().hWnd(); }
    CommandButton& Button(const std::string& name) {
        return Get<CommandButton>(designer_.GetForm(), name);
    }
    void Press(const std::string& name) { ClickAlone(Button(name).hWnd(), 10, 10); }

    // Picks a tool and draws from (x1, y1) to (x2, y2) on the form; a click when they meet.
    void Draw(const std::string& tool, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        Press("tool." + tool);
        host_.Drag(Design(), x1, y1, x2, y2);
        host_.Advance(1000);
    }
    Control& Placed(const std::string& name) {
        return Surface().Container().FindByName(name)->GetControl();
    }
    std::string PlaceOf(const std::string& name) {
        const Control& c = Placed(name);
        return std::to_string(c.Left()) + "," + std::to_string(c.Top()) + " " +
               std::to_string(c.Width()) + "x" + std::to_string(c.Height());
    }
    std::vector<std::string> Selected() {
        std::vector<std::string> names;
        for (const Site* site : Surface().Selection())
            names.push_back(site->DisplayName());
        return names;
    }
    bool Logged(const std::string& line) {
        return std::find(log_.begin(), log_.end(), line) != log_.end();
    }
    std::string File(const std::string& name) { return (folder_ / name).string(); }

    std::vector<std::string> log_;
    DesignerForm designer_;
    fs::path folder_;
};

TEST_F(DesignerTest, DrawingPlacesOnTheGridAndAClickGivesTheDefaultSize) {
    const struct {
        const char* tool;
        int32_t x1, y1, x2, y2;
        const char* name;
        const char* place;
    } cases[] = {
        {"Grid", 13, 21, 170, 99, "Grid1", "8,16 160x80"},
        {"Grid", 170, 99, 13, 21, "Grid2", "8,16 160x80"},  // drawn backwards
        {"CommandButton", 50, 150, 50, 150, "Command1", "48,144 96x32"},
        {"CommandButton", 50, 200, 52, 201, "Command2", "48,200 96x32"},  // too small to draw
    };
    for (const auto& c : cases) {
        Draw(c.tool, c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(PlaceOf(c.name), c.place) << c.name;
        EXPECT_EQ(Selected(), std::vector<std::string>{c.name});
        EXPECT_EQ(Surface().Tool(), "");  // back to the pointer
    }
    EXPECT_TRUE(Logged("placed: Grid1 8,16 160x80 Tabula.Grid"));
    // Any control's own properties are listed, the extender's after them.
    const auto& lines = designer_.Properties().Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Caption = Command2"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Name = Command2"), lines.end());
    // Placed controls are in design mode and never see the mouse.
    auto& grid = dynamic_cast<Tabula&>(Placed("Grid1"));
    EXPECT_FALSE(grid.ClientSite()->UserMode());
    host_.Click(Design(), 100, 40);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(DesignerTest, MovingAndResizingFollowTheGridAndUndoStepsBack) {
    Draw("Grid", 16, 16, 176, 96);
    host_.Drag(Design(), 40, 40, 59, 50);  // by 19, 10: to the nearest steps, 16 and 8
    host_.Advance(1000);
    EXPECT_EQ(PlaceOf("Grid1"), "32,24 160x80");
    host_.Drag(Design(), 192, 104, 230, 131);  // the bottom-right handle
    host_.Advance(1000);
    EXPECT_EQ(PlaceOf("Grid1"), "32,24 200x104");
    host_.Drag(Design(), 32, 76, 300, 76);  // the left handle, past the right edge
    host_.Advance(1000);
    EXPECT_EQ(PlaceOf("Grid1"), "224,24 8x104");
    EXPECT_TRUE(Logged("resized: Grid1 224,24 8x104"));

    const char* back[] = {"32,24 200x104", "32,24 160x80", "16,16 160x80"};
    for (const char* place : back) {
        Press("cmd.Undo");
        EXPECT_EQ(PlaceOf("Grid1"), place);
    }
    Press("cmd.Undo");  // the placement itself
    EXPECT_TRUE(Surface().Container().Sites().empty());
    Press("cmd.Undo");
    EXPECT_EQ(log_.back(), "nothing to undo");
}

TEST_F(DesignerTest, ShiftAddsToTheSelectionWhichMovesAndGoesTogether) {
    Draw("Grid", 8, 8, 168, 88);
    Draw("CommandButton", 8, 120, 8, 120);
    host_.Click(Design(), 20, 20);
    host_.Advance(1000);
    EXPECT_EQ(Selected(), std::vector<std::string>{"Grid1"});
    host_.KeyDown(VK_SHIFT);
    host_.Click(Design(), 20, 130);
    host_.KeyUp(VK_SHIFT);
    host_.Advance(1000);
    EXPECT_EQ(Selected(), (std::vector<std::string>{"Grid1", "Command1"}));
    host_.PressKey(VK_RIGHT);
    EXPECT_EQ(PlaceOf("Grid1"), "16,8 160x80");
    EXPECT_EQ(PlaceOf("Command1"), "16,120 96x32");
    host_.PressKey(VK_DELETE);
    EXPECT_TRUE(Surface().Container().Sites().empty());
    host_.PressKey('Z', vbCtrlMask);
    EXPECT_EQ(Surface().Container().Sites().size(), 2u);
    ClickAlone(Design(), 20, 20);
    host_.Click(Design(), 400, 400);  // the bare form
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(log_.back(), "selected: none");
}

TEST_F(DesignerTest, ThePropertyListWritesThroughTheControlAndReportsRefusals) {
    Draw("Grid", 8, 8, 168, 88);
    PropertyList& list = designer_.Properties();
    const auto pick = [&](const std::string& name) {
        const auto& lines = list.Lines();
        const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.rfind(name + " = ", 0) == 0;
        });
        ASSERT_NE(at, lines.end()) << name;
        list.List().SetFocus();
        host_.PressKey(VK_HOME);
        for (auto i = lines.begin(); i != at; ++i)
            host_.PressKey(VK_DOWN);
    };
    const struct {
        const char* property;
        const char* typed;
        const char* logged;
    } cases[] = {
        {"Rows", "5", "property: Grid1.Rows = 5"},
        {"Rows", "abc", "refused: Grid1.Rows: Type mismatch"},
        {"ToolTipText", "Prices", "property: Grid1.ToolTipText = Prices"},  // the extender's
        {"Left", "40", "property: Grid1.Left = 40"},
    };
    for (const auto& c : cases) {
        pick(c.property);
        list.ValueBox().SetText(c.typed);
        list.ValueBox().SetFocus();
        host_.PressKey(VK_RETURN);
        EXPECT_TRUE(Logged(c.logged)) << c.logged;
    }
    auto& grid = dynamic_cast<Tabula&>(Placed("Grid1"));
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Left(), 40);
    EXPECT_NE(std::find(list.Lines().begin(), list.Lines().end(), "Rows = 5"), list.Lines().end());
    Press("cmd.Undo");
    EXPECT_EQ(dynamic_cast<Tabula&>(Placed("Grid1")).Left(), 8);
}

TEST_F(DesignerTest, PagesApplyToTheSelectionAndCanBeUndone) {
    Draw("Grid", 8, 8, 168, 88);
    WhileShown([&](Form& page) {
        Get<TextBox>(page, "txtRows").SetText("7");
        ClickAlone(Get<CommandButton>(page, "cmdOK").hWnd(), 10, 10);
    });
    Press("cmd.General");
    EXPECT_EQ(dynamic_cast<Tabula&>(Placed("Grid1")).Rows(), 7);
    EXPECT_EQ(log_.back(), "applied: General: Changed 1 control.");
    EXPECT_EQ(designer_.Properties().Lines().front(), "Rows = 7");

    WhileShown([&](Form& page) {
        Get<TextBox>(page, "txtName").SetText("Prices");
        ClickAlone(Get<CommandButton>(page, "cmdOK").hWnd(), 10, 10);
    });
    Press("cmd.Extender");
    EXPECT_EQ(Selected(), std::vector<std::string>{"Prices"});

    WhileShown(
        [&](Form& page) { ClickAlone(Get<CommandButton>(page, "cmdCancel").hWnd(), 10, 10); });
    Press("cmd.General");
    EXPECT_EQ(log_.back(), "page closed: General, nothing changed");

    Press("cmd.Undo");
    Press("cmd.Undo");
    EXPECT_EQ(dynamic_cast<Tabula&>(Placed("Grid1")).Rows(), 1);
}

TEST_F(DesignerTest, SavedDesignsOpenAgainAndRunInRunMode) {
    Draw("Grid", 8, 8, 168, 88);
    Draw("CommandButton", 8, 120, 8, 120);
    const std::string path = File("form.json");
    // Save through the dialog: the name typed, then Enter.
    WhileShown([&](Form& dialog) {
        Get<TextBox>(dialog, "txtFileName").SetText(path);
        Keys("<Enter>");
    });
    Press("cmd.Save");
    EXPECT_EQ(log_.back(), "saved: " + path + " (2 controls)");

    Press("cmd.New");
    EXPECT_TRUE(Surface().Container().Sites().empty());
    WhileShown([&](Form&) { Keys("<Esc>"); });
    Press("cmd.Open");
    EXPECT_EQ(log_.back(), "open cancelled");
    ASSERT_TRUE(designer_.OpenFile(path));
    EXPECT_TRUE(Logged("opened: " + path + " (2 controls)"));
    EXPECT_EQ(PlaceOf("Grid1"), "8,8 160x80");
    EXPECT_FALSE(designer_.CanUndo());

    // A damaged file changes nothing.
    std::ofstream(File("broken.json")) << "{ not json";
    EXPECT_FALSE(designer_.OpenFile(File("broken.json")));
    EXPECT_EQ(Surface().Container().Sites().size(), 2u);
    EXPECT_EQ(designer_.Path(), path);

    Press("cmd.Run");
    Form* run = designer_.Running();
    ASSERT_NE(run, nullptr);
    Tabula* grid = FindChild<Tabula>(run->hWnd());
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->ClientSite()->UserMode());
    host_.PressKey(VK_ESCAPE);
    EXPECT_EQ(designer_.Running(), nullptr);
    EXPECT_EQ(log_.back(), "run closed");
}

}  // namespace
}  // namespace tabula::test
