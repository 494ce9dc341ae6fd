#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "hosts/headless/HeadlessHost.h"
#include "platform/container/Base64.h"
#include "platform/container/ControlContainer.h"
#include "platform/container/FormFile.h"
#include "platform/window/Windows.h"
#include "tests/container/SampleControl.h"
#include "tests/support/Raised.h"
#include "tests/support/TestFiles.h"

namespace tabula {
namespace {

namespace fs = std::filesystem;
using test::Gradient;
using test::RaisedDescription;
using test::RaisedError;
using test::SampleControl;
using test::TempPath;

// --- FormFile -----------------------------------------------------------------------------------

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Two bags hold the same saved values in the same order: same kind, same Variant type and
// value, same font, pictures with the same pixels (a loaded picture is a new object).
void ExpectSameBag(const PropertyBag& a, const PropertyBag& b) {
    ASSERT_EQ(a.Count(), b.Count());
    for (size_t i = 0; i < a.Count(); ++i) {
        const auto& [key, x] = a.Entries()[i];
        const PropertyValue& y = b.Entries()[i].value;
        EXPECT_EQ(b.Entries()[i].key, key);
        ASSERT_EQ(x.Kind(), y.Kind()) << key;
        if (x.Kind() == PropertyKind::Value) {
            EXPECT_EQ(x.AsValue().Type(), y.AsValue().Type()) << key;
            EXPECT_TRUE(VariantEquals(x.AsValue(), y.AsValue())) << key;
        } else if (x.Kind() == PropertyKind::Font) {
            EXPECT_EQ(x.AsFont(), y.AsFont()) << key;
        } else if (!x.AsPicture() || !y.AsPicture()) {
            EXPECT_EQ(x.AsPicture(), y.AsPicture()) << key;
        } else {
            EXPECT_EQ(x.AsPicture()->Image(), y.AsPicture()->Image()) << key;
        }
    }
}

// A control's extender settings as a bag, so that ExpectSameBag compares them too.
PropertyBag ExtenderBag(const ControlDescription& control) {
    PropertyBag bag;
    for (const auto& [property, value] : control.extender)
        bag.WriteProperty(ExtenderPropertyName(property), value);
    return bag;
}

// ---------------------------------------------------------------------------------------
// Base64

// The standard alphabet with padding; decoding takes only what encoding gives.
TEST(Base64, EncodesTheStandardAlphabetAndDecodesOnlyCanonicalText) {
    const std::pair<std::string_view, const char*> cases[] = {
        {"", ""}, {"M", "TQ=="}, {"Ma", "TWE="}, {"Man", "TWFu"}, {"\xFB\xFF", "+/8="}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(EncodeBase64(std::vector<uint8_t>(bytes.begin(), bytes.end())), text);
    std::vector<uint8_t> all;
    for (int length = 0; length < 300; ++length) {
        EXPECT_EQ(DecodeBase64(EncodeBase64(all)), all) << length;
        all.push_back(static_cast<uint8_t>(length * 7));
    }
    for (const char* text : {"TWF", "TW=u", "T===", "====", "TWE!", "TQ=A",
                             "TR==", "TWE/=", " TWFu", "TWFu\n", "TQ==TQ=="})
        EXPECT_EQ(DecodeBase64(text), std::nullopt) << text;
}

// ---------------------------------------------------------------------------------------
// The text of a form file

FormDescription EveryKindOfValue() {
    FormDescription form;
    form.form.WriteProperty("Caption", "Zürich ✓");
    ControlDescription control;
    control.typeName = "Tabula.Grid";
    control.extender = {
        {ExtenderProperty::Name, Variant("Grid1")},
        {ExtenderProperty::Left, Variant(int32_t{-20})},
        {ExtenderProperty::TabIndex, Variant(int16_t{3})},
        {ExtenderProperty::Visible, Variant(false)},
        {ExtenderProperty::Tag, Variant("a \"quoted\"\ntag")},
        {ExtenderProperty::DragIcon,
         VariantFromPicture(std::make_shared<Picture>(Gradient(16, 16)))},
    };
    PropertyBag& bag = control.properties;
    bag.WriteProperty("Rows", int32_t{2147483647});
    bag.WriteProperty("Cols", int32_t{-2147483647 - 1});
    bag.WriteProperty("BorderStyle", int16_t{-32768});
    bag.WriteProperty("Redraw", false);
    bag.WriteProperty("Nothing", Variant());
    bag.WriteProperty("Ratio", 0.1);
    bag.WriteProperty("Huge", 1.7976931348623157e308);
    bag.WriteProperty("Whole", 3.0);  // stays a Double
    bag.WriteProperty("FormatString", "<Name|>Amount\t;€");
    bag.WriteProperty("Due", Variant::FromDate(36892.75));
    FontDescriptor font{"Liberation Sans", 9.75f, true, false, true, true};
    bag.WriteFont("Font", font);
    bag.WritePicture("MouseIcon", std::make_shared<Picture>(Gradient(5, 3)));
    bag.WritePicture("NoIcon", nullptr);
    bag.WritePicture("EmptyIcon", std::make_shared<Picture>(PixelImage()));
    form.controls.push_back(std::move(control));
    form.controls.push_back(ControlDescription{"Other", {}, {}});
    return form;
}

TEST(FormJson, EveryKindOfValueRoundTripsAsReadableJsonAndWhatCannotIsNotSaved) {
    const FormDescription original = EveryKindOfValue();
    const std::string text = FormToJson(original);
    EXPECT_EQ(text.rfind("{\n  \"format\": \"Tabula form\",\n  \"version\": 1,", 0), 0u);
    EXPECT_NE(text.find("\"key\": \"Rows\",\n"), std::string::npos);
    EXPECT_NE(text.find("\"Long\": 2147483647"), std::string::npos);
    EXPECT_NE(text.find("\"NoIcon\",\n          \"Picture\": null"), std::string::npos);

    // What was loaded holds the same values in the same order, and saves as the same text.
    const FormDescription loaded = FormFromJson(text);
    ExpectSameBag(original.form, loaded.form);
    ASSERT_EQ(loaded.controls.size(), 2u);
    ExpectSameBag(original.controls[0].properties, loaded.controls[0].properties);
    ExpectSameBag(ExtenderBag(original.controls[0]), ExtenderBag(loaded.controls[0]));
    EXPECT_EQ(FormToJson(loaded), text);
    // What cannot be read back cannot be saved.
    const std::function<void(FormDescription&)> changes[] = {
        [](FormDescription& f) { f.controls[0].properties.WriteProperty("Bad", std::nan("")); },
        [](FormDescription& f) { f.form.WriteProperty("Bad", HUGE_VAL); },
        [](FormDescription& f) {
            f.controls[0].properties.WriteProperty(
                "Long", std::string(form_file_limits::kMaxTextBytes + 1, 'x'));
        },
        [](FormDescription& f) { f.controls[1].typeName = ""; },
        [](FormDescription& f) {
            f.controls[0].properties.WriteFont("Font", {"Arial", 0});
        },
        [](FormDescription& f) { f.form.WriteProperty("Height", 10000); },
    };
    for (const auto& change : changes) {
        FormDescription form = EveryKindOfValue();
        change(form);
        EXPECT_EQ(RaisedError([&] { FormToJson(form); }), kErrInvalidPropertyValue);
    }
}

std::string WithControl(const std::string& control) {
    return R"({"format": "Tabula form", "version": 1, "form": [], "controls": [)" + control + "]}";
}

std::string WithEntry(const std::string& entry) {
    return WithControl(R"({"type": "T", "extender": {}, "properties": [)" + entry + "]}");
}

std::string WithExtender(const std::string& members) {
    return WithControl(R"({"type": "T", "extender": {)" + members + R"(}, "properties": []})");
}

// Hostile sizes are refused too, and deep nesting is stopped at once, not walked to its end.
TEST(FormJson, DamagedTextIsRefusedWithTheReasonAndThePlace) {
    std::string manyEntries = R"({"key": "K", "Long": 1})";
    for (size_t i = 0; i < form_file_limits::kMaxBagEntries; ++i)
        manyEntries += R"(, {"key": "K)" + std::to_string(i) + R"(", "Long": 1})";
    const std::string tabula = R"({"format": "Tabula form", )";
    // Nine controls of 8000 x 1000 pixels: each within the sides' limit, too much in all.
    std::string bigControls;
    for (int i = 0; i < 9; ++i) {
        bigControls += std::string(i ? ", " : "") +
                       R"({"type": "T", "extender": {"Width": 8000, "Height": 1000}, )" +
                       R"("properties": []})";
    }
    const std::string styles =
        R"("bold": false, "italic": false, "underline": false, "strikethrough": false}})";
    // Each damaged text with what the error says about it.
    const std::pair<std::string, const char*> damages[] = {
        {WithEntry(R"({"key": "S", "String": ")" + std::string(10 << 20, 'x') + "\"}"),
         "The form file is damaged: controls[0].properties[0] (\"S\").String: a text longer "
         "than 1048576 bytes"},
        {WithExtender("\"Tag\": \"" + std::string(2 << 20, 'x') + "\""), "Tag: a text longer"},
        {std::string(200000, '[') + std::string(200000, ']'), "nested more than 8 deep"},
        {WithEntry(R"({"key": "F", "Font": {"name": [[[[[1]]]]]}})"), "nested more than"},
        {WithEntry(manyEntries), "more than 1000 properties"},
        {"", "not valid JSON"},
        {"[]", "does not hold a JSON object"},
        {R"({"format": "Other", "version": 1, "form": [], "controls": []})", "not a Tabula form"},
        {tabula + R"("version": 2, "form": [], "controls": []})", "version 2 is not one"},
        {tabula + R"("version": "1", "form": [], "controls": []})", "version: not a whole number"},
        {tabula + R"("version": 1, "form": []})", "the entry \"controls\" is missing"},
        {tabula + R"("version": 1, "form": [], "controls": {}})", "controls: not a list"},
        {tabula + R"("version": 1, "form": [], "controls": [], "x": 1})", "unexpected entry \"x\""},
        {WithControl("5"), "controls[0]: not a control"},
        {WithControl(R"({"extender": {}, "properties": []})"), "the entry \"type\" is missing"},
        {WithControl(R"({"type": "", "extender": {}, "properties": []})"), "an empty type name"},
        {WithControl(R"({"type": "T", "extender": [], "properties": []})"), "extender: not a set"},
        {WithExtender(R"("Colour": 1)"), "unknown extender property \"Colour\""},
        {WithExtender(R"("left": 1)"), "unknown extender property \"left\""},
        {WithExtender(R"("Left": "10")"), "controls[0].extender.Left: not a whole number"},
        {WithExtender(R"("Left": 2147483648)"), "from -2147483648 to 2147483647"},
        {WithExtender(R"("TabIndex": 1.5)"), "extender.TabIndex: not a whole number"},
        {WithExtender(R"("Visible": 1)"), "extender.Visible: not true or false"},
        {WithExtender(R"("DragIcon": 7)"), "extender.DragIcon: not a text"},
        {WithEntry("1"), "properties[0]: not a property"},
        {WithEntry(R"({"Long": 1})"), "the entry \"key\" is missing"},
        {WithEntry(R"({"key": "", "Long": 1})"), "an empty key"},
        {WithEntry(R"({"key": "Rows"})"), "(\"Rows\"): a property needs a key and one typed value"},
        {WithEntry(R"({"key": "Rows", "Long": 1, "Integer": 1})"), "a key and one typed value"},
        {WithEntry(R"({"key": "Rows", "Long": 1}, {"key": "ROWS", "Long": 2})"),
         "properties[1] (\"ROWS\"): the key is given twice"},
        {WithEntry(R"({"key": "Rows", "Currency": 1})"), "unknown value type \"Currency\""},
        {WithEntry(R"({"key": "Rows", "Long": 1.5})"), "(\"Rows\").Long: not a whole number"},
        {WithEntry(R"({"key": "Rows", "Long": -2147483649})"), "not a whole number"},
        {WithEntry(R"({"key": "Rows", "Long": 1e400})"), "not valid JSON"},
        {WithEntry(R"({"key": "Style", "Integer": 32768})"), "from -32768 to 32767"},
        {WithEntry(R"({"key": "On", "Boolean": "true"})"), "not true or false"},
        {WithEntry(R"({"key": "X", "Empty": 0})"), "Empty: not null"},
        {WithEntry(R"({"key": "X", "Double": "1.5"})"), "Double: not a number"},
        {WithEntry(R"({"key": "X", "String": 5})"), "String: not a text"},
        {WithEntry(R"({"key": "X", "Date": 2958466})"), "Date: a number out of range"},
        {WithEntry(R"({"key": "F", "Font": {"name": "Arial", "size": 8}})"), "\"bold\" is missing"},
        {WithEntry(R"({"key": "F", "Font": {"name": "A", "size": 0, )" + styles), "font size of 0"},
        {WithEntry(R"({"key": "F", "Font": {"name": "A", "size": 1e6, )" + styles), "out of range"},
        {WithEntry(R"({"key": "F", "Font": {"name": "A", "size": 1e-300, )" + styles),
         "(\"F\").Font.size: a font size of 0"},
        // Every window keeps a picture of its size: a few bytes cannot ask for gigabytes.
        {tabula + R"("version": 1, "form": [{"key": "Width", "Long": 16384}], "controls": []})",
         "form.Width: a size over 8192 pixels"},
        {WithExtender(R"("Width": 100, "Height": 16384)"),
         "controls[0].extender.Height: a size over 8192 pixels"},
        {WithControl(bigControls), "controls[8]: the form and its controls larger in all"},
        {WithEntry(R"({"key": "P", "Picture": "!!!!"})"), "a picture that is not base64 text"},
        {WithEntry(R"({"key": "P", "Picture": "aGVsbG8gd29ybGQ="})"), "cannot be read"},
        {WithEntry("{\"key\": \"S\", \"String\": \"\xC3\x28\"}"), "not valid JSON"},
    };
    for (const auto& [text, says] : damages) {
        EXPECT_EQ(RaisedError([&text = text] { FormFromJson(text); }), kErrInvalidFileFormat)
            << text;
        const std::string description = RaisedDescription([&text = text] { FormFromJson(text); });
        EXPECT_NE(description.find(says), std::string::npos) << text << "\n  said: " << description;
    }
}

// ---------------------------------------------------------------------------------------
// Form files on disk

TEST(FormFile, SavingReplacesTheFileAFailedSaveKeepsItAndBadFilesAreRefused) {
    const fs::path path = TempPath("form-keep.json");
    SaveFormFile(FormDescription{}, path);
    SaveFormFile(EveryKindOfValue(), path);
    EXPECT_EQ(LoadFormFile(path).form.ReadProperty("Caption").ToText(), "Zürich ✓");
    EXPECT_FALSE(fs::exists(path.string() + ".tmp"));
    const std::string before = ReadAll(path);

    // Refused before the disk is touched.
    FormDescription bad = EveryKindOfValue();
    bad.form.WriteProperty("Ratio", std::nan(""));
    EXPECT_EQ(RaisedError([&] { SaveFormFile(bad, path); }), kErrInvalidPropertyValue);
    EXPECT_EQ(ReadAll(path), before);

    // The temporary file cannot be made: the previous file stays whole.
    const fs::path blocker = path.string() + ".tmp";
    fs::create_directory(blocker);
    EXPECT_EQ(RaisedError([&] { SaveFormFile(FormDescription{}, path); }), kErrPathFileAccess);
    EXPECT_EQ(ReadAll(path), before);
    fs::remove(blocker);

    EXPECT_EQ(RaisedError([&] { SaveFormFile(FormDescription{}, "/nonexistent-dir/f.json"); }),
              kErrPathFileAccess);
    // Missing, unreadable and oversized files are refused.
    EXPECT_EQ(RaisedError([] { LoadFormFile(TempPath("no-such-form.json")); }), kErrFileNotFound);
    EXPECT_EQ(RaisedError([] { LoadFormFile(fs::temp_directory_path()); }), kErrPathFileAccess);
    // Refused from its size alone (a sparse file: nothing is read).
    WriteAll(path, "{");
    fs::resize_file(path, form_file_limits::kMaxFileBytes + 1);
    EXPECT_EQ(RaisedError([&] { LoadFormFile(path); }), kErrInvalidFileFormat);

    WriteAll(path, WithEntry(R"({"key": "Rows", "Long": "ten"})"));
    const std::string description = RaisedDescription([&] { LoadFormFile(path); });
    EXPECT_EQ(description.rfind(path.string() + ": The form file is damaged: ", 0), 0u)
        << description;
    fs::remove(path);
}

// --- ContainerFile ------------------------------------------------------------------------------

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
        const std::pair<const char*, Variant> settings[] = {
            {"Name", "Box1"}, {"Left", 12},     {"Top", 34},     {"Width", 120},
            {"Height", 60},   {"Tag", "first"}, {"TabIndex", 1}, {"WhatsThisHelpID", 77},
        };
        for (const auto& [name, value] : settings)
            first.GetExtender().Let(name, value);
        first.GetExtender().Let("DragIcon",
                                VariantFromPicture(std::make_shared<Picture>(Gradient(4, 4))));

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
    EXPECT_EQ(FormToJson(container.Describe()), saved);  // the form's caption and size too
    ASSERT_EQ(loaded.size(), 2u);
    // Read, not initialised; the description above already shows every saved setting.
    EXPECT_FALSE(dynamic_cast<const SampleControl&>(loaded[0]->GetControl()).initialised);
    EXPECT_EQ(container.FindByName("box2"), loaded[1]);

    // A host with fewer extender properties skips the others, and saving again leaves
    // them out.
    Form second(Rect{0, 0, 100, 100}, "F");
    ControlContainer fewer(second, ExtenderSet::All()
                                       .Without(ExtenderProperty::WhatsThisHelpID)
                                       .Without(ExtenderProperty::Tag));
    const std::vector<Site*> again = fewer.Load(LoadFormFile(path_), registry_);
    EXPECT_EQ(again[0]->GetExtender().Get("Left").ToLong(), 12);
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
