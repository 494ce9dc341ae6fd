#include <gtest/gtest.h>

#include <filesystem>

#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/container/FormFile.h"
#include "platform/window/Windows.h"
#include "tests/container/Raised.h"
#include "tests/container/SampleControl.h"
#include "tests/support/TestFiles.h"

namespace tabula {
namespace {

namespace fs = std::filesystem;
using test::Gradient;
using test::RaisedDescription;
using test::RaisedError;
using test::SampleControl;
using test::TempPath;

// A container saving its form and its controls to a form file and loading them back.

class ContainerFileTest : public testing::Test {
protected:
    ContainerFileTest() {
        registry_.Register(SampleControl::kType,
                           [](HWND parent) { return std::make_unique<SampleControl>(parent); });
        registry_.Register("Sample.Broken", [](HWND parent) {
            auto control = std::make_unique<SampleControl>(parent);
            control->failReading = true;
            return control;
        });
    }
    ~ContainerFileTest() override { fs::remove(path_); }

    // A form with two controls whose settings differ from their defaults in every way.
    void BuildDesign(ControlContainer& container) {
        Site& first = container.Place(registry_, SampleControl::kType);
        auto& box = dynamic_cast<SampleControl&>(first.GetControl());
        box.caption = "Amounts";
        box.font.name = "Arial";
        box.font.italic = true;
        box.icon = std::make_shared<Picture>(Gradient(8, 8));
        Extender& extender = first.GetExtender();
        extender.Let("Name", "Box1");
        extender.Let("Left", 12);
        extender.Let("Top", 34);
        extender.Let("Width", 120);
        extender.Let("Height", 60);
        extender.Let("Tag", "first");
        extender.Let("TabIndex", 1);
        extender.Let("WhatsThisHelpID", 77);
        extender.Let("DragIcon", VariantFromPicture(std::make_shared<Picture>(Gradient(4, 4))));

        Site& second = container.Place(registry_, SampleControl::kType);
        dynamic_cast<SampleControl&>(second.GetControl()).SetCount(9);
        second.GetExtender().Let("Name", "Box2");
        second.GetExtender().Let("Visible", false);
    }

    HeadlessHost host_;
    ControlRegistry registry_;
    fs::path path_ = TempPath("form-container.json");
};

// Everything saved comes back: the loaded form describes itself as the saved one did.
TEST_F(ContainerFileTest, AFormComesBackWithItsControlsExtendersAndProperties) {
    std::string saved;
    {
        Form form(Rect{10, 20, 410, 320}, "Orders");
        ControlContainer container(form);
        BuildDesign(container);
        EXPECT_TRUE(container.Dirty());
        // Settings equal to their defaults are not written: the second control saves only
        // its Count, and every extender property is written.
        const FormDescription description = container.Describe();
        EXPECT_EQ(description.controls[1].properties.Count(), 1u);
        EXPECT_EQ(description.controls[1].extender.size(), size_t{kExtenderPropertyCount});
        saved = FormToJson(description);
        container.Save(path_);
        EXPECT_FALSE(container.Dirty());
    }

    Form form(Rect{0, 0, 100, 100}, "Blank");
    ControlContainer container(form);
    const std::vector<Site*> loaded = container.Load(LoadFormFile(path_), registry_);
    EXPECT_FALSE(container.Dirty());
    EXPECT_EQ(FormToJson(container.Describe()), saved);
    EXPECT_EQ(form.Caption(), "Orders");
    EXPECT_EQ(form.Width(), 400);
    ASSERT_EQ(loaded.size(), 2u);
    const auto& box = dynamic_cast<const SampleControl&>(loaded[0]->GetControl());
    EXPECT_FALSE(box.initialised);  // read, not initialised
    EXPECT_EQ(box.caption, "Amounts");
    EXPECT_TRUE(box.font.italic);
    EXPECT_EQ(box.icon->Image(), Gradient(8, 8));
    EXPECT_EQ(box.Left(), 12);
    EXPECT_EQ(box.TabIndex(), 1);
    EXPECT_EQ(loaded[0]->GetExtender().Get("Tag").ToText(), "first");
    const auto& other = dynamic_cast<const SampleControl&>(loaded[1]->GetControl());
    EXPECT_EQ(other.count, 9);
    EXPECT_FALSE(other.Visible());
    EXPECT_EQ(container.FindByName("box2"), loaded[1]);

    // A host with fewer extender properties skips the others, and saving again leaves
    // them out.
    Form second(Rect{0, 0, 100, 100}, "F");
    ControlContainer fewer(second, ExtenderSet::All()
                                       .Without(ExtenderProperty::WhatsThisHelpID)
                                       .Without(ExtenderProperty::Tag));
    const std::vector<Site*> again = fewer.Load(LoadFormFile(path_), registry_);
    EXPECT_EQ(again[0]->GetExtender().Get("Left").ToLong(), 12);
    EXPECT_EQ(RaisedError([&] { again[0]->GetExtender().Get("Tag"); }), kErrNotSupported);
    EXPECT_EQ(fewer.Describe().controls[0].extender.size(), size_t{kExtenderPropertyCount - 2});
}

TEST_F(ContainerFileTest, ALoadThatFailsChangesNothing) {
    Form form(Rect{0, 0, 300, 200}, "Untouched");
    SampleControl existing(form.hWnd());  // outlives the container, as it must
    ControlContainer container(form);
    container.Add(existing, SampleControl::kType);
    const size_t windows = GetChildren(form.hWnd()).size();

    const auto control = [](std::string type, ExtenderProperty property, Variant value) {
        ControlDescription description;
        description.typeName = std::move(type);
        description.extender.emplace_back(property, std::move(value));
        return description;
    };
    FormDescription description;
    description.form.WriteProperty("Caption", "Changed");
    description.controls.push_back(control(SampleControl::kType, ExtenderProperty::Left, 5));
    description.controls.push_back(control(SampleControl::kType, ExtenderProperty::Width, -5));
    description.controls.push_back(control(SampleControl::kType, ExtenderProperty::Left, 6));

    const auto expectUnchanged = [&] {
        EXPECT_EQ(container.Sites().size(), 1u);
        EXPECT_EQ(GetChildren(form.hWnd()).size(), windows);
        EXPECT_EQ(form.Caption(), "Untouched");
        EXPECT_EQ(form.Width(), 300);
        EXPECT_FALSE(container.Dirty());
    };
    // A value the second control's extender refuses.
    EXPECT_EQ(RaisedDescription([&] { container.Load(description, registry_); }),
              "Control 2 (Sample.Box): Invalid property value for Width");
    expectUnchanged();

    // A control whose ReadProperties fails.
    description.controls[1] = control("Sample.Broken", ExtenderProperty::Left, 1);
    EXPECT_EQ(RaisedError([&] { container.Load(description, registry_); }), kErrInvalidFileFormat);
    expectUnchanged();

    // A type nobody registered: refused before any control is made.
    description.controls[1] = control("No.Such", ExtenderProperty::Left, 1);
    EXPECT_EQ(RaisedError([&] { container.Load(description, registry_); }), kErrCannotCreateObject);
    expectUnchanged();

    // Form settings of the wrong type.
    description.controls.clear();
    description.form.WriteProperty("Width", "wide");
    EXPECT_EQ(RaisedError([&] { container.Load(description, registry_); }), kErrInvalidFileFormat);
    expectUnchanged();
}

}  // namespace
}  // namespace tabula
