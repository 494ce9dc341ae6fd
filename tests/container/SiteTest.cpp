#include <gtest/gtest.h>

#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/window/Windows.h"
#include "tests/container/SampleControl.h"
#include "tests/platform/RaisedError.h"

namespace tabula {
namespace {

using test::RaisedError;
using test::SampleControl;
using Names = std::vector<std::string>;

class SiteTest : public testing::Test {
protected:
    SiteTest() {
        registry_.Register(SampleControl::kType,
                           [](HWND parent) { return std::make_unique<SampleControl>(parent); });
    }

    HeadlessHost host_;
    Form form_{Rect{50, 50, 450, 350}, "Form1"};
    ControlRegistry registry_;
    ControlContainer container_{form_};
};

TEST_F(SiteTest, AmbientDefaultsAndTheDisplayNameFromTheExtender) {
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
}

TEST_F(SiteTest, AmbientChangesReachEachControlByName) {
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
}

TEST_F(SiteTest, PropertyChangedIsRecordedPerControlAndMarksTheForm) {
    SampleControl a(form_.hWnd());
    SampleControl b(form_.hWnd());
    Site& siteA = container_.Add(a, SampleControl::kType);
    Site& siteB = container_.Add(b, SampleControl::kType);
    EXPECT_FALSE(container_.Dirty());

    a.SetCount(7);
    siteA.PropertyChanged("InterceptTabs");
    a.SetCount(8);
    EXPECT_EQ(siteA.ChangedProperties(), (Names{"Count", "InterceptTabs", "Count"}));
    EXPECT_TRUE(siteB.ChangedProperties().empty());
    EXPECT_TRUE(container_.Dirty());

    container_.SetDirty(false);
    siteA.ClearChangedProperties();
    b.SetCount(1);
    EXPECT_EQ(siteB.ChangedProperties(), (Names{"Count"}));
    EXPECT_TRUE(siteA.ChangedProperties().empty());
    EXPECT_TRUE(container_.Dirty());

    // Moving a control through its extender changes the form too.
    container_.SetDirty(false);
    siteB.GetExtender().Let("Left", 30);
    EXPECT_TRUE(container_.Dirty());
}

TEST_F(SiteTest, PlacingANewControlInitialisesItFromTheAmbientFont) {
    AmbientSettings ambient = container_.Ambient();
    ambient.font.name = "Arial";
    container_.SetAmbient(ambient);
    Site& site = container_.Place(registry_, "sample.box");  // type names ignore case
    auto& box = dynamic_cast<SampleControl&>(site.GetControl());
    EXPECT_TRUE(box.initialised);
    EXPECT_EQ(box.font.name, "Arial");
    EXPECT_EQ(site.TypeName(), "sample.box");
    EXPECT_TRUE(container_.Dirty());

    EXPECT_EQ(RaisedError([&] { container_.Place(registry_, "No.Such"); }), kErrCannotCreateObject);
    EXPECT_EQ(container_.Sites().size(), 1u);
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
    EXPECT_EQ(container_.SiteOf(mine), nullptr);
    ASSERT_EQ(container_.Sites().size(), 1u);
    EXPECT_EQ(container_.Sites()[0], &owned);

    container_.Remove(owned.GetControl());
    EXPECT_FALSE(IsWindow(ownedWindow));
    EXPECT_TRUE(container_.Sites().empty());
}

}  // namespace
}  // namespace tabula
