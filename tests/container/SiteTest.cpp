#include <gtest/gtest.h>

#include "platform/container/ControlContainer.h"
#include "platform/container/Extender.h"
#include "platform/container/PropertyPageFrame.h"
#include "platform/text/CaseFold.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"
#include "tests/container/SampleControl.h"
#include "tests/support/FormFixture.h"
#include "tests/support/Raised.h"

// Sites, extenders and the frames a container gives its controls and property pages.

namespace tabula {
namespace {

using test::RaisedError;
using test::SampleControl;
using Names = std::vector<std::string>;

// --- Site ---------------------------------------------------------------------------------------

class SiteTest : public test::FormFixture {
protected:
    SiteTest() {
        registry_.Register(SampleControl::kType,
                           [](HWND parent) { return std::make_unique<SampleControl>(parent); });
    }

    ControlRegistry registry_;
    ControlContainer container_{form_};
};

TEST_F(SiteTest, AmbientDefaultsDisplayNamesAndPlacingFromTheAmbientFont) {
    SampleControl box(form_.hWnd());
    Site& site = container_.Add(box, SampleControl::kType);
    EXPECT_EQ(site.AmbientFont(), (FontDescriptor{"MS Sans Serif", 8.0f}));
    EXPECT_TRUE(site.UserMode());
    EXPECT_EQ(site.AmbientBackColor(), 0x8000000Fu);
    EXPECT_EQ(site.AmbientForeColor(), 0x80000012u);
    EXPECT_EQ(&site.GetControl(), &box);
    EXPECT_EQ(box.ClientSite(), &site);
    EXPECT_EQ(container_.SiteOf(box), &site);
    site.GetExtender().Let("Name", "Grid1");
    EXPECT_EQ(site.DisplayName(), "Grid1");
    EXPECT_EQ(container_.FindByName("GRID1"), &site);

    // Without a Name extender property the display name is the type.
    ControlContainer bare(form_, ExtenderSet::All().Without(ExtenderProperty::Name));
    SampleControl other(form_.hWnd());
    other.SetName("Hidden");
    EXPECT_EQ(bare.Add(other, SampleControl::kType).DisplayName(), SampleControl::kType);
    EXPECT_EQ(bare.FindByName("Hidden"), nullptr);
    // Placing a new control initialises it from the ambient font.
    AmbientSettings ambient = container_.Ambient();
    ambient.font.name = "Arial";
    container_.SetAmbient(ambient);
    Site& placed = container_.Place(registry_, "sample.box");  // type names ignore case
    EXPECT_EQ(dynamic_cast<SampleControl&>(placed.GetControl()).font.name, "Arial");
    EXPECT_EQ(placed.TypeName(), "sample.box");
    EXPECT_EQ(placed.GetControl().Name(), "Box1");  // after the type name's last part
    EXPECT_TRUE(container_.Dirty());

    EXPECT_EQ(RaisedError([&] { container_.Place(registry_, "No.Such"); }), kErrCannotCreateObject);
    EXPECT_EQ(container_.Sites().size(), 2u);
}

TEST_F(SiteTest, AmbientChangesReachEachControlAndPropertyChangesMarkTheForm) {
    SampleControl a(form_.hWnd());
    SampleControl b(form_.hWnd());
    PictureBox plain(form_.hWnd(), Rect{0, 0, 5, 5});  // not a contained control: ignored
    container_.Add(a, SampleControl::kType);
    container_.Add(plain, "PictureBox");
    container_.Add(b, SampleControl::kType);

    AmbientSettings design = container_.Ambient();
    design.userMode = false;
    design.font.size = 10;
    container_.SetAmbient(design);
    EXPECT_EQ(a.ambientChanges, (Names{"Font", "UserMode"}));
    EXPECT_EQ(b.ambientChanges, (Names{"Font", "UserMode"}));
    EXPECT_FALSE(container_.SiteOf(a)->UserMode());

    container_.SetAmbient(design);  // nothing changed: nothing announced
    design.backColor = 0xFFFFFF;
    design.foreColor = 0;
    container_.SetAmbient(design);
    EXPECT_EQ(a.ambientChanges, (Names{"Font", "UserMode", "BackColor", "ForeColor"}));
    container_.Remove(plain);  // a plain control must leave before it goes

    // The other way, property changes are recorded per control and mark the form.
    Site& siteA = *container_.SiteOf(a);
    Site& siteB = *container_.SiteOf(b);
    EXPECT_FALSE(container_.Dirty());

    a.SetCount(7);
    siteA.PropertyChanged("InterceptTabs");
    a.SetCount(8);
    EXPECT_EQ(siteA.ChangedProperties(), (Names{"Count", "InterceptTabs", "Count"}));
    EXPECT_TRUE(siteB.ChangedProperties().empty());
    EXPECT_TRUE(container_.Dirty());

    siteA.ClearChangedProperties();
    b.SetCount(1);
    EXPECT_EQ(siteB.ChangedProperties(), (Names{"Count"}));
    EXPECT_TRUE(siteA.ChangedProperties().empty());

    // Moving a control through its extender changes the form too.
    container_.SetDirty(false);
    siteB.GetExtender().Let("Left", 30);
    EXPECT_TRUE(container_.Dirty());
}

// Two controls never share a name, whatever the case; a form file that has two still loads.
TEST_F(SiteTest, ANameAnotherControlHasIsRefused) {
    Site& first = container_.Place(registry_, SampleControl::kType);
    Site& second = container_.Place(registry_, SampleControl::kType);
    const std::string taken = first.DisplayName();
    for (const std::string& name : {taken, FoldCase(taken)}) {
        EXPECT_EQ(RaisedError([&] { second.GetExtender().Let("Name", Variant(name)); }),
                  kErrInvalidPropertyValue)
            << name;
    }
    first.GetExtender().Let("Name", Variant(FoldCase(taken)));  // its own name, recased
    second.GetExtender().Let("Name", Variant(std::string("Other")));

    FormDescription twins = container_.Describe();
    twins.controls[1].extender = twins.controls[0].extender;
    ControlContainer other(form_);
    EXPECT_EQ(other.Load(twins, registry_).size(), 2u);
}

TEST_F(SiteTest, RemovingASiteLetsGoOfTheControlAndDestroysOwnedOnes) {
    SampleControl mine(form_.hWnd());
    container_.Add(mine, SampleControl::kType);
    EXPECT_EQ(RaisedError([&] { container_.Add(mine, SampleControl::kType); }), kErrInvalidCall);
    Site& owned = container_.Place(registry_, SampleControl::kType);
    const HWND ownedWindow = owned.GetControl().hWnd();
    {
        // A contained control going away takes its site with it.
        SampleControl passing(form_.hWnd());
        container_.Add(passing, SampleControl::kType);
        EXPECT_EQ(container_.Sites().size(), 3u);
    }
    EXPECT_EQ(container_.Describe().controls.size(), 2u);

    container_.Remove(mine);
    EXPECT_EQ(mine.ClientSite(), nullptr);
    EXPECT_TRUE(IsWindow(mine.hWnd()));
    EXPECT_EQ(container_.Sites(), std::vector<Site*>{&owned});

    container_.Remove(owned.GetControl());
    EXPECT_FALSE(IsWindow(ownedWindow));
    EXPECT_TRUE(container_.Sites().empty());
}

// --- Extender -----------------------------------------------------------------------------------

class ExtenderTest : public test::FormFixture {
protected:
    PictureBox box_{form_.hWnd(), Rect{10, 20, 110, 70}};
};

TEST_F(ExtenderTest, EveryPropertyReadsWithItsTypeAndOnesTheHostLeftOutRaise438) {
    box_.SetName("Picture1");
    const Extender extender(box_);
    using enum VariantType;
    const std::tuple<const char*, VariantType, const char*> expected[] = {
        {"Left", Long, "10"},   {"TabIndex", Integer, "0"},   {"Name", String, "Picture1"},
        {"Top", Long, "20"},    {"ToolTipText", String, ""},  {"TabStop", Boolean, "True"},
        {"Width", Long, "100"}, {"HelpContextID", Long, "0"}, {"Visible", Boolean, "True"},
        {"Height", Long, "50"}, {"DragMode", Integer, "0"},   {"WhatsThisHelpID", Long, "0"},
        {"Tag", String, ""},    {"Index", Integer, "0"},      {"CausesValidation", Boolean, "True"},
    };
    for (const auto& [name, type, text] : expected) {
        const Variant value = extender.Get(name);
        EXPECT_EQ(value.Type(), type) << name;
        EXPECT_EQ(value.ToText(), text) << name;
    }
    EXPECT_EQ(extender.Get("DragIcon").ToObject(), nullptr);  // an object: Nothing
    // A property the host left out raises 438, read or written.
    Extender partial(box_, ExtenderSet::All()
                               .Without(ExtenderProperty::WhatsThisHelpID)
                               .Without(ExtenderProperty::Index));
    EXPECT_FALSE(partial.Supports(ExtenderProperty::Index));
    EXPECT_FALSE(partial.Supports("whatsthishelpid"));
    EXPECT_TRUE(partial.Supports("tag"));
    EXPECT_EQ(RaisedError([&] { partial.Get("WhatsThisHelpID"); }), kErrNotSupported);
    EXPECT_EQ(RaisedError([&] { partial.Get(ExtenderProperty::Index); }), kErrNotSupported);
    EXPECT_EQ(RaisedError([&] { partial.Let("index", 0); }), kErrNotSupported);
    // Names that are no partial property at all are missing the same way.
    EXPECT_EQ(RaisedError([&] { partial.Get("Caption"); }), kErrNotSupported);
    EXPECT_EQ(RaisedError([&] { partial.Let("", 1); }), kErrNotSupported);
    // A host with only a few properties.
    const Extender minimal(box_, {ExtenderProperty::Name, ExtenderProperty::Left});
    EXPECT_EQ(minimal.Get("Left").ToLong(), 10);
    EXPECT_EQ(RaisedError([&] { minimal.Get("Top"); }), kErrNotSupported);
}

// Writes convert as the runtime converts (text to numbers, halves to even) and reach the
// control; the container's own properties keep their values; reads see either.
TEST_F(ExtenderTest, WritesReachTheControlOrTheContainer) {
    Extender extender(box_);
    int changes = 0;
    extender.Changed = [&](ExtenderProperty) { ++changes; };
    const std::tuple<const char*, Variant, const char*> writes[] = {
        {"left", 15, "15"},  {"Visible", false, "False"},  {"Height", int16_t{30}, "30"},
        {"TOP", "25", "25"}, {"TabIndex", 3, "3"},         {"ToolTipText", "Cells", "Cells"},
        {"Width", 2.5, "2"}, {"TabStop", false, "False"},  {"HelpContextID", "1234", "1234"},
        {"Tag", 42, "42"},   {"Name", "Grid_2", "Grid_2"}, {"WhatsThisHelpID", -7, "-7"},
        {"Index", -1, "-1"}, {"DragMode", 1, "1"},         {"CausesValidation", 0, "False"},
    };
    for (const auto& [name, value, text] : writes) {
        extender.Let(name, value);
        EXPECT_EQ(extender.Get(name).ToText(), text) << name;
    }
    EXPECT_EQ(changes, int(std::size(writes)));
    EXPECT_EQ(std::tuple(box_.Left(), box_.Top(), box_.Width(), box_.Height()),
              std::tuple(15, 25, 2, 30));
    EXPECT_EQ(std::tuple(box_.Visible(), box_.TabIndex(), box_.TabStop()),
              std::tuple(false, 3, false));
    EXPECT_EQ(box_.ToolTipText() + " " + box_.Name(), "Cells Grid_2");
    // And reads see what the control has, however it got there.
    box_.Move(1, 2, 3, 4);
    EXPECT_EQ(extender.Get("Height").ToLong(), 4);

    const auto icon = std::make_shared<Picture>(PixelImage(32, 32));
    extender.Let("DragIcon", VariantFromPicture(icon));
    EXPECT_EQ(PictureFromVariant(extender.Get("DragIcon")), icon);
    extender.Let("DragIcon", Variant::FromObject(nullptr));  // an empty picture removes it
    EXPECT_EQ(PictureFromVariant(extender.Get("DragIcon")), nullptr);
}

TEST_F(ExtenderTest, RefusedValuesChangeNothing) {
    Extender extender(box_);
    extender.Changed = [](ExtenderProperty) { FAIL() << "a refused write announced a change"; };
    const int32_t bad = kErrInvalidPropertyValue, type = kErrTypeMismatch, overflow = kErrOverflow;
    const std::tuple<const char*, Variant, int32_t> cases[] = {
        {"Width", -1, bad},   {"TabIndex", -1, bad},      {"TabIndex", 40000, overflow},
        {"Height", -1, bad},  {"Left", 3e9, overflow},    {"HelpContextID", "12x", type},
        {"DragMode", 2, bad}, {"Left", "abc", type},      {"Name", "Has Space", bad},
        {"Name", "", bad},    {"DragIcon", 5, type},      {"Name", std::string(41, 'a'), bad},
        {"Name", "1st", bad}, {"Visible", "maybe", type},
    };
    box_.SetName("Picture1");
    for (const auto& [name, value, error] : cases)
        EXPECT_EQ(RaisedError([&, &name = name, &value = value] { extender.Let(name, value); }),
                  error)
            << name;
    EXPECT_EQ(std::tuple(box_.Left(), box_.Width(), box_.Height()), std::tuple(10, 100, 50));
    EXPECT_EQ(std::tuple(box_.Visible(), box_.TabIndex(), box_.Name()),
              std::tuple(true, 0, std::string("Picture1")));
    EXPECT_EQ(extender.Get("DragMode").ToInteger(), 0);
}

// --- InPlaceFrame -------------------------------------------------------------------------------

// An active object that keeps Tab for its control, as the grid's does: key-down and
// key-up of Tab are taken (with the raw Shift state), everything else passes.
struct TabTaker : KeyMessageSink {
    Names seen;
    bool TranslateAccelerator(HWND, UINT message, WPARAM vk, LPARAM) override {
        if (vk != VK_TAB || (message != WM_KEYDOWN && message != WM_KEYUP)) return false;
        const bool shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
        seen.push_back(std::string(message == WM_KEYDOWN ? "down" : "up") +
                       (shift ? " shift" : ""));
        return true;
    }
};

class InPlaceFrameTest : public test::FormFixture {
protected:
    PictureBox grid_{form_.hWnd(), Rect{10, 10, 60, 30}};
    PictureBox other_{form_.hWnd(), Rect{10, 40, 60, 60}};
    PictureBox third_{form_.hWnd(), Rect{10, 70, 60, 90}};
    TabTaker taker_;
    ControlContainer container_{form_};
};

TEST_F(InPlaceFrameTest, TheActiveObjectTakesTabWhileItsControlHasTheFocus) {
    container_.Add(grid_, "Grid");
    // The grid registers its active object when it gets the focus and takes it back when it
    // loses it.
    grid_.GotFocus = [&] { container_.Frame().SetActiveObject(&taker_); };
    grid_.LostFocus = [&] { container_.Frame().ReleaseActiveObject(&taker_); };
    form_.Show();
    ASSERT_TRUE(grid_.HasFocus());
    EXPECT_EQ(form_.ActiveObject(), &taker_);

    Names keys;
    grid_.KeyDown = [&](int16_t& code, int16_t) { keys.push_back(std::to_string(code)); };
    host_.PressKey(VK_TAB);
    host_.PressKey(VK_TAB, vbShiftMask);
    EXPECT_EQ(taker_.seen, (Names{"down", "up", "down shift", "up shift"}));
    EXPECT_TRUE(grid_.HasFocus());   // the form did not move on
    EXPECT_EQ(keys, (Names{"16"}));  // Shift reached the control, Tab did not

    // Other keys pass through to the control as usual.
    host_.PressKey(VK_DOWN);
    EXPECT_EQ(keys, (Names{"16", "40"}));
    // Losing the focus gives Tab back to the form.
    taker_.seen.clear();
    host_.Click(other_.hWnd(), 5, 5);
    EXPECT_EQ(container_.Frame().ActiveObject(), nullptr);
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(third_.HasFocus());
    host_.PressKey(VK_TAB);  // wraps round to the grid, which registers again
    EXPECT_TRUE(grid_.HasFocus());
    // The release of the Tab that brought the focus in already goes to the grid.
    EXPECT_EQ(taker_.seen, (Names{"up"}));
}

TEST_F(InPlaceFrameTest, ReleasingLeavesAnotherActiveObjectAndAContainerGoingAwayLeavesNone) {
    TabTaker second;
    {
        ControlContainer designer(form_);
        InPlaceFrame& frame = designer.Frame();
        frame.SetActiveObject(&taker_);
        frame.SetActiveObject(&second);  // focus moved on before the first let go
        frame.ReleaseActiveObject(&taker_);
        EXPECT_EQ(frame.ActiveObject(), &second);
        frame.ReleaseActiveObject(nullptr);
        EXPECT_EQ(form_.ActiveObject(), &second);
    }
    EXPECT_EQ(form_.ActiveObject(), nullptr);
    form_.Show();
    host_.PressKey(VK_TAB);
    EXPECT_TRUE(other_.HasFocus());
}

// --- PropertyPageFrame --------------------------------------------------------------------------

// A page with one field, the tool tip of the selected controls: it fills the field from
// the first selected control and applies it to all of them.
class ToolTipPage : public PropertyPage {
public:
    std::string field;
    int applies = 0;
    bool failApplying = false;

    // The user types into the field.
    void Edit(std::string text) {
        field = std::move(text);
        SetChanged(true);
    }
    bool IsChanged() const { return Changed(); }

    void SelectionChanged() override {
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

class PropertyPageFrameTest : public test::FormFixture {
protected:
    PropertyPageFrameTest() {
        a_.SetToolTipText("first");
        b_.SetToolTipText("second");
        container_.Add(a_, "Box");
        container_.Add(b_, "Box");
    }
    std::vector<Site*> Both() { return container_.Sites(); }

    PictureBox a_{form_.hWnd(), Rect{0, 0, 10, 10}};
    PictureBox b_{form_.hWnd(), Rect{0, 20, 10, 30}};
    ControlContainer container_{form_};
    ToolTipPage page_;
};

// Opening fills the page from the selection; Apply writes the edit and clears Changed.
TEST_F(PropertyPageFrameTest, OpeningFillsThePageAndApplyWritesTheEdit) {
    PropertyPageFrame frame(page_, Both());
    EXPECT_EQ(page_.field, "first");
    EXPECT_EQ(frame.SelectedControls().size(), 2u);
    EXPECT_FALSE(frame.Changed());
    EXPECT_FALSE(frame.ApplyEnabled());

    frame.Apply();  // nothing edited: nothing applied
    EXPECT_EQ(page_.applies, 0);
    frame.SetSelectedControls({container_.SiteOf(b_)});
    EXPECT_EQ(page_.field, "second");
    frame.SetSelectedControls(Both());

    page_.Edit("tip");
    EXPECT_TRUE(frame.Changed());
    EXPECT_TRUE(frame.ApplyEnabled());
    frame.Apply();
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
