// The General and Extender pages as a developer uses them: a frame opens a page for the
// selected controls, the fields are edited (text set, check boxes clicked, lists moved with
// the keyboard) and the frame applies.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/Tabula.h"
#include "pages/ExtenderPage.h"
#include "pages/GeneralPage.h"
#include "pages/PageDialog.h"
#include "platform/container/ControlContainer.h"
#include "platform/image/PngFile.h"
#include "tests/support/FormFixture.h"

#include <unistd.h>

namespace tabula::test {
namespace {

class PagesTest : public FormFixture {
protected:
    PagesTest() : FormFixture(Rect{0, 0, 500, 700}) {
        for (Tabula* grid : {&a_, &b_}) {
            container_.Add(*grid, "Tabula.Grid");
            grid->InitProperties();
        }
        container_.Add(button_, "VB.CommandButton");
        form_.Show();
        pageForm_.Show();
        container_.SetDirty(false);
    }

    Site* SiteOf(Control& control) { return container_.SiteOf(control); }
    std::vector<Site*> Grids() { return {SiteOf(a_), SiteOf(b_)}; }

    // Opens `page` in a frame for `selected`.
    template <class Page>
    Page& Open(std::vector<Site*> selected) {
        auto page = std::make_unique<Page>(pageForm_.hWnd());
        Page& opened = *page;
        page_ = std::move(page);
        frame_ = std::make_unique<PropertyPageFrame>(opened, std::move(selected));
        return opened;
    }

    template <class T>
    T& Field(const std::string& name) {
        return Get<T>(pageForm_, name);
    }
    void Type(const std::string& name, const std::string& text) {
        Field<TextBox>(name).SetText(text);
    }
    void Toggle(const std::string& name) { ClickAlone(Field<CheckBox>(name).hWnd(), 6, 8); }
    // Moves a drop-down list's selection down by `steps` with the keyboard.
    void Down(const std::string& name, int steps = 1) {
        Field<ComboBox>(name).SetFocus();
        for (int i = 0; i < steps; ++i)
            host_.PressKey(VK_DOWN);
    }
    Variant Property(Tabula& grid, const std::string& name) {
        std::vector<Variant> none;
        return Invoke(grid.Members(), name, kInvokeGet, none);
    }
    Variant ExtenderValue(Control& control, const std::string& name) {
        return SiteOf(control)->GetExtender().Get(name);
    }

    ControlContainer container_{form_};
    Tabula a_{form_.hWnd(), Rect{10, 10, 410, 210}};
    Tabula b_{form_.hWnd(), Rect{10, 220, 410, 420}};
    CommandButton button_{form_.hWnd(), Rect{10, 430, 110, 460}, "Go"};
    Form pageForm_{Rect{500, 0, 1020, 560}, "Page"};
    std::unique_ptr<BoundPage> page_;
    std::unique_ptr<PropertyPageFrame> frame_;
};

// --- General ---------------------------------------------------------------------------------

TEST_F(PagesTest, GeneralShowsTheGridsSettingsAndClosingWritesNothing) {
    a_.SetBorderStyle(3);
    a_.SetSelectionMode(2);
    a_.SetUseTABKey(true);
    a_.SetColHeader(false);
    container_.SetDirty(false);
    SiteOf(a_)->ClearChangedProperties();
    Open<GeneralPage>(Grids());

    EXPECT_EQ(Field<TextBox>("txtRows").Text(), std::to_string(a_.Rows()));
    EXPECT_EQ(Field<TextBox>("txtCols").Text(), std::to_string(a_.Cols()));
    EXPECT_EQ(Field<TextBox>("txtListBoxRows").Text(), std::to_string(a_.ListBoxRows()));
    EXPECT_EQ(Field<ComboBox>("cboBorderStyle").Text(), "Thick Raised");
    EXPECT_EQ(Field<ComboBox>("cboSelectionMode").Text(), "SelectionByCol");
    EXPECT_EQ(Field<CheckBox>("chkUseTAB").Value(), 1);  // True (-1) shows checked
    EXPECT_EQ(Field<CheckBox>("chkColHeader").Value(), 0);
    EXPECT_EQ(Field<CheckBox>("chkRowHeader").Value(), 1);
    EXPECT_EQ(Get<Label>(pageForm_, "lblRows").Caption(), "Rows:");
    EXPECT_FALSE(frame_->Changed());

    frame_->OK();  // nothing edited: nothing written
    EXPECT_TRUE(SiteOf(a_)->ChangedProperties().empty());
    EXPECT_FALSE(container_.Dirty());
}

TEST_F(PagesTest, GeneralAppliesEachEditedFieldAndSkipsARefusedOne) {
    GeneralPage& page = Open<GeneralPage>({SiteOf(a_)});
    Type("txtRows", "abc");
    Type("txtCols", "7");
    const bool useTab = a_.UseTABKey();
    Toggle("chkUseTAB");
    Toggle("chkShowGrid");
    Down("cboBorderStyle", 2);
    Down("cboSelectionMode");
    EXPECT_TRUE(frame_->ApplyEnabled());
    frame_->Apply();

    const int32_t rows = a_.Rows();
    EXPECT_EQ(a_.Cols(), 7);
    EXPECT_EQ(a_.UseTABKey(), !useTab);
    EXPECT_FALSE(a_.ShowGrid());
    EXPECT_EQ(a_.BorderStyle(), 3);
    EXPECT_EQ(a_.SelectionMode(), 1);
    // The refused text stays, with the reason next to it, and keeps Apply on.
    EXPECT_EQ(page.Refusal("txtRows"), "Type mismatch");
    EXPECT_EQ(page.Refusal("txtCols"), "");
    EXPECT_TRUE(frame_->ApplyEnabled());
    EXPECT_EQ(page.ControlsChanged(), 1);

    // Correcting it applies it alone and clears the reason.
    a_.SetCols(3);
    Type("txtRows", "9");
    frame_->Apply();
    EXPECT_NE(rows, 9);
    EXPECT_EQ(a_.Rows(), 9);
    EXPECT_EQ(a_.Cols(), 3);  // applied before: not written again
    EXPECT_EQ(page.Refusal("txtRows"), "");
    EXPECT_FALSE(frame_->Changed());
}

// A field is written only when the developer edited it: a value the page showed but that
// changed meanwhile, or that could not be shown, is never written back.
TEST_F(PagesTest, GeneralWritesOnlyTheEditedFields) {
    Open<GeneralPage>({SiteOf(a_)});
    a_.SetRows(12);
    a_.SetListBoxRows(3);
    Type("txtCols", "4");
    frame_->Apply();
    EXPECT_EQ(a_.Cols(), 4);
    EXPECT_EQ(a_.Rows(), 12);
    EXPECT_EQ(a_.ListBoxRows(), 3);
}

TEST_F(PagesTest, GeneralAppliesToEverySelectedControlThatHasTheProperty) {
    // The button comes first: it has no General property, so the first grid fills.
    a_.SetCols(6);
    GeneralPage& page = Open<GeneralPage>({SiteOf(button_), SiteOf(a_), SiteOf(b_)});
    EXPECT_EQ(Field<TextBox>("txtCols").Text(), "6");
    Type("txtCols", "8");
    Toggle("chkAutoNewRow");
    frame_->Apply();
    EXPECT_EQ(a_.Cols(), 8);
    EXPECT_EQ(b_.Cols(), 8);
    EXPECT_TRUE(b_.AutoNewRow());
    EXPECT_EQ(page.ControlsChanged(), 2);

    // A selection without a grid leaves the grid's fields disabled, labels included.
    frame_->SetSelectedControls({SiteOf(button_)});
    EXPECT_FALSE(Field<TextBox>("txtCols").Enabled());
    EXPECT_FALSE(Get<Label>(pageForm_, "lblCols").Enabled());
    EXPECT_FALSE(Field<CheckBox>("chkShowGrid").Enabled());
}

// --- Extender --------------------------------------------------------------------------------

TEST_F(PagesTest, ExtenderShowsTheExtenderAndAnEmptyTextIsAValue) {
    Extender& extender = SiteOf(a_)->GetExtender();
    extender.Let("Name", Variant("Prices"));
    extender.Let("Tag", Variant(""));
    extender.Let("Index", Variant(int16_t{-1}));
    extender.Let("DragMode", Variant(int16_t{1}));
    extender.Let("TabStop", Variant(false));
    Open<ExtenderPage>({SiteOf(a_)});

    const struct {
        const char* field;
        std::string shown;
    } texts[] = {{"txtName", "Prices"}, {"txtTag", ""},   {"txtIndex", ""},
                 {"txtLeft", "10"},     {"txtTop", "10"}, {"txtWidth", "400"}};
    for (const auto& c : texts) {
        EXPECT_EQ(Field<TextBox>(c.field).Text(), c.shown) << c.field;
        EXPECT_TRUE(Field<TextBox>(c.field).Enabled()) << c.field;
    }
    EXPECT_EQ(Field<ComboBox>("cmbDragMode").Text(), "vbAutomatic");
    EXPECT_EQ(Field<CheckBox>("chkTabStop").Value(), 0);
    EXPECT_EQ(Field<CheckBox>("chkVisible").Value(), 1);

    // Filled again and again, the drag-mode list keeps its two entries.
    for (int i = 0; i < 3; ++i)
        frame_->SetSelectedControls({SiteOf(a_)});
    EXPECT_EQ(Field<ComboBox>("cmbDragMode").ListCount(), 2);

    Type("txtTag", "price list");
    Type("txtLeft", "30");
    Type("txtHeight", "-4");
    frame_->Apply();
    EXPECT_EQ(ExtenderValue(a_, "Tag").ToText(), "price list");
    EXPECT_EQ(a_.Left(), 30);
    EXPECT_EQ(a_.Height(), 200);
    EXPECT_EQ(page_->Refusal("txtHeight"), "Invalid property value for Height");
}

TEST_F(PagesTest, ExtenderIndexWritesMinusOneForAnythingButANumberOfZeroOrMore) {
    const struct {
        const char* typed;
        int16_t written;
    } cases[] = {{"-5", -1}, {"abc", -1}, {"", -1}, {"3", 3}, {"0", 0}, {" 12 ", 12}};
    Open<ExtenderPage>({SiteOf(a_)});
    for (const auto& c : cases) {
        SiteOf(a_)->GetExtender().Let("Index", Variant(int16_t{77}));
        frame_->SetSelectedControls({SiteOf(a_)});
        Type("txtIndex", c.typed);
        frame_->Apply();
        EXPECT_EQ(ExtenderValue(a_, "Index").ToInteger(), c.written) << c.typed;
    }
}

// A host that leaves properties out: their fields are disabled and never written.
TEST_F(PagesTest, ExtenderDisablesWhatTheHostLeavesOut) {
    Form other(Rect{0, 0, 300, 300});
    ControlContainer host(other, ExtenderSet::All()
                                     .Without(ExtenderProperty::WhatsThisHelpID)
                                     .Without(ExtenderProperty::Index)
                                     .Without(ExtenderProperty::DragMode)
                                     .Without(ExtenderProperty::DragIcon)
                                     .Without(ExtenderProperty::Visible));
    Tabula grid(other.hWnd(), Rect{0, 0, 200, 100});
    host.Add(grid, "Tabula.Grid");
    Open<ExtenderPage>({host.SiteOf(grid)});

    const struct {
        const char* editor;
        const char* label;  // null: the editor carries its caption
        bool enabled;
    } fields[] = {
        {"txtWhatsThisHelpID", "lblWhatsThisHelpID", false},
        {"txtIndex", "lblIndex", false},
        {"cmbDragMode", "lblDragMode", false},
        {"fraDragIcon", nullptr, false},
        {"chkVisible", nullptr, false},
        {"txtHelpContextID", "lblHelpContextID", true},
        {"txtTag", "lblTag", true},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(Field<Control>(f.editor).Enabled(), f.enabled) << f.editor;
        if (f.label) {
            EXPECT_EQ(Field<Label>(f.label).Enabled(), f.enabled) << f.label;
        }
    }
    // Disabled fields take no edits.
    host_.Click(Field<CheckBox>("chkVisible").hWnd(), 6, 8);
    EXPECT_FALSE(frame_->Changed());
}

TEST_F(PagesTest, ExtenderNameAppliesToOneControlOnly) {
    SiteOf(a_)->GetExtender().Let("Name", Variant("First"));
    SiteOf(b_)->GetExtender().Let("Name", Variant("Second"));
    Open<ExtenderPage>(Grids());
    EXPECT_FALSE(Field<TextBox>("txtName").Enabled());
    Type("txtTop", "50");
    frame_->Apply();
    EXPECT_EQ(a_.Top(), 50);
    EXPECT_EQ(b_.Top(), 50);
    EXPECT_EQ(page_->ControlsChanged(), 2);
    EXPECT_EQ(b_.Name(), "Second");
}

// --- Drag icon --------------------------------------------------------------------------------

class DragIconTest : public PagesTest {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tabula-test-icon-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        PixelImage icon(16, 16);
        icon.Fill(0x0000FF);
        WritePng(icon, (folder_ / "red.png").string());
        std::ofstream(folder_ / "broken.ico") << "not an icon";
        Open<ExtenderPage>({SiteOf(a_)});
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Clicks Change and picks `name` in the open dialog, or cancels it for an empty name.
    void Change(const std::string& name) {
        WhileShown([&](Form& dialog) {
            if (name.empty()) return Keys("<Esc>");
            Get<TextBox>(dialog, "txtFileName").SetText((folder_ / name).string());
            Keys("<Enter>");
        });
        ClickAlone(Field<CommandButton>("cmdDragIconChange").hWnd(), 20, 10);
    }
    ExtenderPage& Page() { return static_cast<ExtenderPage&>(*page_); }

    std::filesystem::path folder_;
};

TEST_F(DragIconTest, CancellingTheDialogOrABrokenFileChangesNothing) {
    for (const char* name : {"", "broken.ico"}) {
        Change(name);
        EXPECT_EQ(Page().DragIcon(), nullptr) << name;
        EXPECT_FALSE(frame_->Changed()) << name;
    }
}

TEST_F(DragIconTest, AChosenIconIsShownAndAppliedAndDeleteRemovesIt) {
    Change("red.png");
    ASSERT_NE(Page().DragIcon(), nullptr);
    EXPECT_EQ(Field<Image>("imgDragIcon").Picture().Pixel(3, 3), COLORREF{0x0000FF});
    EXPECT_TRUE(frame_->Changed());
    frame_->Apply();
    const PicturePtr applied = PictureFromVariant(ExtenderValue(a_, "DragIcon"));
    EXPECT_EQ(applied, Page().DragIcon());

    ClickAlone(Field<CommandButton>("cmdDragIconDelete").hWnd(), 20, 10);
    EXPECT_EQ(Field<Image>("imgDragIcon").Picture().Width(), 0);
    frame_->Apply();
    EXPECT_EQ(PictureFromVariant(ExtenderValue(a_, "DragIcon")), nullptr);
}

// --- The page's own form ------------------------------------------------------------------------

TEST_F(PagesTest, PageDialogOkStaysOpenWhileAValueIsRefused) {
    PageDialog dialog(form_.hWnd(), PageDialog::Kind::General, {SiteOf(a_), SiteOf(b_)});
    std::vector<std::string> seen;
    WhileShown([&](Form& shown) {
        auto& apply = Get<CommandButton>(shown, "cmdApply");
        seen.push_back(apply.Enabled() ? "apply on" : "apply off");
        Get<TextBox>(shown, "txtRows").SetText("x");
        Get<TextBox>(shown, "txtCols").SetText("9");
        ClickAlone(Get<CommandButton>(shown, "cmdOK").hWnd(), 10, 10);
        seen.push_back(shown.Loaded() ? "open" : "closed");
        seen.push_back(dialog.Status());
        Get<TextBox>(shown, "txtRows").SetText("4");
        ClickAlone(Get<CommandButton>(shown, "cmdOK").hWnd(), 10, 10);
    });
    EXPECT_TRUE(dialog.Run());
    EXPECT_EQ(seen, (std::vector<std::string>{"apply off", "open", "Changed 2 controls."}));
    EXPECT_EQ(b_.Cols(), 9);
    EXPECT_EQ(b_.Rows(), 4);
}

}  // namespace
}  // namespace tabula::test
