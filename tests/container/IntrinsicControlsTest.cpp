#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/container/FontObject.h"
#include "platform/container/FormFile.h"
#include "platform/container/IntrinsicControls.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Label.h"
#include "platform/runtime/Dispatch.h"
#include "tests/support/Raised.h"
#include "tests/support/TestFiles.h"

// The intrinsic controls placed by a designer: their member tables, their checks, and
// their settings through a form file and back.

namespace tabula {
namespace {

namespace fs = std::filesystem;
using test::RaisedError;
using Settings = std::vector<std::pair<const char*, Variant>>;

const DispatchTable& Members(const Site& site) {
    const auto* object = dynamic_cast<const Dispatchable*>(&site.GetControl());
    if (!object) throw std::logic_error(site.TypeName() + " has no member table");
    return object->Members();
}

Variant Get(const Site& site, std::string_view name) {
    std::vector<Variant> none;
    return Invoke(Members(site), name, kInvokeGet, none);
}

// A let, or a set for an object.
void Assign(const Site& site, std::string_view name, const Variant& value) {
    std::vector<Variant> args{value};
    Invoke(Members(site), name, value.Type() == VariantType::Object ? kInvokeSet : kInvokeLet,
           args);
}

// Values equal as Variants; pictures by their pixels (a loaded picture is a new object).
bool Same(const Variant& a, const Variant& b) {
    if (a.Type() == VariantType::Object && b.Type() == VariantType::Object) {
        const PicturePtr pa = PictureFromVariant(a), pb = PictureFromVariant(b);
        return pa && pb ? pa->Image() == pb->Image() : pa == pb;
    }
    return a.Type() != VariantType::Object && b.Type() != VariantType::Object &&
           VariantEquals(a, b);
}

class IntrinsicControlsTest : public testing::Test {
protected:
    IntrinsicControlsTest() { RegisterIntrinsicControls(registry_); }
    ~IntrinsicControlsTest() override { fs::remove(path_); }

    HeadlessHost host_;
    ControlRegistry registry_;
    Form form_{Rect{0, 0, 400, 300}, "Designer"};
    ControlContainer container_{form_};
    fs::path path_ = test::TempPath("intrinsic-form.json");
};

const char* const kCommon[] = {"BackColor",      "ForeColor",   "Enabled",    "FontName",
                               "FontSize",       "FontBold",    "FontItalic", "FontUnderline",
                               "FontStrikethru", "MousePointer"};

// Each type, placed and named as a designer does, with a few of its properties set, saved
// to a form file and loaded onto a fresh form.
TEST_F(IntrinsicControlsTest, EveryTypePlacesNamedAndItsSettingsComeBackFromAFormFile) {
    const Variant picture = VariantFromPicture(std::make_shared<Picture>(test::Gradient(5, 4)));
    const struct {
        const char* type;
        const char* name;
        const char* showsName;  // the property a new instance shows its name in
        Settings settings;
    } cases[] = {
        {"VB.CommandButton",
         "Command1",
         "Caption",
         {{"Caption", "&OK"}, {"BackColor", 0x00FF00}, {"FontBold", true}}},
        {"VB.Label",
         "Label1",
         "Caption",
         {{"Alignment", 2}, {"AutoSize", true}, {"ForeColor", int32_t(0x80000008)}}},
        {"VB.TextBox",
         "Text1",
         "Text",
         {{"Text", "typed"},
          {"MaxLength", 12},
          {"Locked", true},
          {"BorderStyle", 0},
          {"FontName", "Arial"}}},
        {"VB.CheckBox", "Check1", "Caption", {{"Value", 2}, {"Enabled", false}}},
        {"VB.Frame", "Frame1", "Caption", {{"Caption", "Totals"}, {"FontSize", 12.0}}},
        {"VB.ListBox", "List1", nullptr, {{"IntegralHeight", false}, {"MousePointer", 11}}},
        {"VB.ComboBox", "Combo1", nullptr, {{"FontItalic", true}, {"FontStrikethru", true}}},
        {"VB.PictureBox", "Picture1", nullptr, {{"DrawStyle", 2}, {"FontUnderline", true}}},
        {"VB.Image", "Image1", nullptr, {{"Stretch", true}, {"Picture", picture}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        Site& site = container_.Place(registry_, c.type);
        EXPECT_EQ(site.GetControl().Name(), c.name);
        for (const char* name : kCommon)
            EXPECT_NE(Members(site).Find(name), nullptr) << name;
        if (c.showsName) {
            EXPECT_EQ(Get(site, c.showsName).ToText(), c.name);
        }
        std::vector<std::string> announced;
        for (const auto& [name, value] : c.settings) {
            Assign(site, name, value);
            EXPECT_TRUE(Same(Get(site, name), value)) << name;
            announced.emplace_back(name);
        }
        EXPECT_EQ(site.ChangedProperties(), announced);
    }
    // Defaults are left out: an untouched button saves only the name it shows.
    const Site& untouched = container_.Place(registry_, "VB.CommandButton");
    EXPECT_EQ(untouched.GetControl().Name(), "Command2");
    const FormDescription described = container_.Describe();
    const PropertyBag& saved = described.controls.back().properties;
    ASSERT_EQ(saved.Count(), 1u);
    EXPECT_EQ(saved.Entries()[0].key, "Caption");
    container_.Save(path_);

    Form form(Rect{0, 0, 400, 300}, "Blank");
    ControlContainer loaded(form);
    const std::vector<Site*> sites = loaded.Load(LoadFormFile(path_), registry_);
    EXPECT_TRUE(loaded.Refusals().empty());
    ASSERT_EQ(sites.size(), std::size(cases) + 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].type);
        EXPECT_EQ(sites[i]->GetControl().Name(), cases[i].name);
        for (const auto& [name, value] : cases[i].settings)
            EXPECT_TRUE(Same(Get(*sites[i], name), value)) << name;
    }
    EXPECT_EQ(Get(*sites.back(), "Caption").ToText(), "Command2");
    // The label sized itself to its caption once more; the stretched image kept its size.
    EXPECT_EQ(sites[1]->GetControl().Width(), container_.Sites()[1]->GetControl().Width());
    EXPECT_EQ(sites[8]->GetControl().Width(), 81);
}

// A refused write raises and changes nothing, and the container hears of no change.
TEST_F(IntrinsicControlsTest, BadValuesAreRefusedWithTheRuntimesErrors) {
    const struct {
        const char* type;
        const char* property;
        Variant value;
        int32_t error;
    } cases[] = {
        {"VB.Label", "Alignment", 3, kErrInvalidPropertyValue},
        {"VB.Label", "Alignment", "centre", kErrTypeMismatch},
        {"VB.TextBox", "BorderStyle", 2, kErrInvalidPropertyValue},
        {"VB.TextBox", "MaxLength", -1, kErrInvalidPropertyValue},
        {"VB.TextBox", "MultiLine", true, kErrNotSupported},  // fixed when made
        {"VB.CheckBox", "Value", -1, kErrInvalidPropertyValue},
        {"VB.CheckBox", "Value", 70000, kErrOverflow},
        {"VB.CommandButton", "BackColor", int32_t(0x80000040), kErrInvalidPropertyValue},
        {"VB.CommandButton", "ForeColor", int32_t(0x01000000), kErrInvalidPropertyValue},
        {"VB.CommandButton", "MousePointer", 16, kErrInvalidPropertyValue},
        {"VB.Frame", "FontSize", 0, kErrInvalidPropertyValue},
        {"VB.Frame", "FontName", "", kErrInvalidPropertyValue},
        {"VB.Frame", "Enabled", "maybe", kErrTypeMismatch},
        {"VB.PictureBox", "DrawStyle", 7, kErrInvalidPropertyValue},
        {"VB.ListBox", "ListIndex", 0, kErrInvalidPropertyValue},  // the list is empty
        {"VB.Image", "Picture", VariantFromPicture(nullptr), 0},   // Nothing clears it
        {"VB.Image", "Picture", Variant::FromObject(std::make_shared<FontObject>()),
         kErrTypeMismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + "." + c.property);
        Site& site = container_.Place(registry_, c.type);
        const Variant before = Get(site, c.property);
        EXPECT_EQ(RaisedError([&] { Assign(site, c.property, c.value); }), c.error);
        EXPECT_TRUE(Same(Get(site, c.property), before));
        EXPECT_EQ(site.ChangedProperties().size(), c.error ? 0u : 1u);
    }
}

// A damaged saved value is refused on load: reported, that property at its default, the
// rest of the control and the form loaded.
TEST_F(IntrinsicControlsTest, DamagedSavedValuesAreReportedAndLeftAtTheirDefaults) {
    const auto control = [](const char* type, Settings settings) {
        ControlDescription description;
        description.typeName = type;
        for (const auto& [key, value] : settings)
            description.properties.WriteProperty(key, value);
        return description;
    };
    FormDescription description;
    description.controls = {
        control("VB.CheckBox", {{"Caption", "Paid"}, {"Value", 7}}),
        control("VB.Label", {{"Alignment", "left"}, {"WordWrap", true}}),
        control("VB.Image", {{"Picture", "icon.png"}}),
        control("VB.ListBox", {{"MousePointer", 99}}),
    };
    description.controls[1].properties.WriteFont("Font", FontDescriptor{"Arial", 0.0f});
    description.controls[3].properties.WriteFont("IntegralHeight", FontDescriptor{});

    AmbientSettings ambient = container_.Ambient();
    ambient.font = FontDescriptor{"Courier New", 10.0f};
    container_.SetAmbient(ambient);

    const std::vector<Site*> sites = container_.Load(description, registry_);
    ASSERT_EQ(sites.size(), 4u);
    std::vector<std::tuple<size_t, std::string, int32_t>> refused;
    for (const RefusedProperty& r : container_.Refusals())
        refused.emplace_back(r.control, r.key, r.number);
    EXPECT_EQ(refused, (decltype(refused){{1, "Value", kErrInvalidPropertyValue},
                                          {2, "Font", kErrInvalidPropertyValue},
                                          {2, "Alignment", kErrTypeMismatch},
                                          {3, "Picture", kErrTypeMismatch},
                                          {4, "IntegralHeight", kErrTypeMismatch}}));
    const auto& check = dynamic_cast<const CheckBox&>(sites[0]->GetControl());
    EXPECT_EQ(check.Caption(), "Paid");
    EXPECT_EQ(check.Value(), vbUnchecked);
    const auto& label = dynamic_cast<const Label&>(sites[1]->GetControl());
    EXPECT_EQ(label.Font(), ambient.font);  // what a missing font gives
    EXPECT_EQ(label.Alignment(), vbLeftJustify);
    EXPECT_TRUE(label.WordWrap());
    EXPECT_EQ(Get(*sites[2], "Picture").ToObject(), nullptr);
    EXPECT_EQ(Get(*sites[3], "MousePointer").ToLong(), 99);
    EXPECT_EQ(Get(*sites[3], "IntegralHeight").ToBoolean(), true);
}

// List boxes and drop-down lists share their item members.
TEST_F(IntrinsicControlsTest, ListItemsThroughTheMemberTable) {
    for (const char* type : {"VB.ListBox", "VB.ComboBox"}) {
        SCOPED_TRACE(type);
        Site& site = container_.Place(registry_, type);
        const auto call = [&](const char* method, std::vector<Variant> args) {
            Invoke(Members(site), method, kInvokeMethod, args);
        };
        call("AddItem", {"b"});
        call("AddItem", {"a", 0});
        call("AddItem", {"c"});
        Assign(site, "ListIndex", 2);
        EXPECT_EQ(Get(site, "Text").ToText(), "c");
        std::vector<Variant> index{1};
        EXPECT_EQ(Invoke(Members(site), "List", kInvokeGet, index).ToText(), "b");
        std::vector<Variant> rename{1, "B"};
        Invoke(Members(site), "List", kInvokeLet, rename);
        call("RemoveItem", {0});
        EXPECT_EQ(Get(site, "ListCount").ToLong(), 2);
        EXPECT_EQ(Get(site, "Text").ToText(), "c");
        std::vector<Variant> first{0};
        EXPECT_EQ(Invoke(Members(site), "List", kInvokeGet, first).ToText(), "B");
        call("Clear", {});
        EXPECT_EQ(Get(site, "ListIndex").ToLong(), -1);
    }
}

}  // namespace
}  // namespace tabula
