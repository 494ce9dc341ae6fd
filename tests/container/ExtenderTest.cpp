#include <gtest/gtest.h>

#include "hosts/headless/HeadlessHost.h"
#include "platform/container/Extender.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "tests/platform/RaisedError.h"

namespace tabula {
namespace {

using test::RaisedError;

class ExtenderTest : public testing::Test {
protected:
    HeadlessHost host_;
    Form form_{Rect{50, 50, 450, 350}, "Form1"};
    PictureBox box_{form_.hWnd(), Rect{10, 20, 110, 70}};
};

TEST_F(ExtenderTest, EveryPropertyReadsWithItsTypeAndDefault) {
    box_.SetName("Picture1");
    const Extender extender(box_);
    struct Expected {
        const char* name;
        VariantType type;
        const char* text;
    };
    const Expected expected[] = {
        {"Left", VariantType::Long, "10"},       {"Name", VariantType::String, "Picture1"},
        {"Top", VariantType::Long, "20"},        {"TabStop", VariantType::Boolean, "True"},
        {"Width", VariantType::Long, "100"},     {"Visible", VariantType::Boolean, "True"},
        {"Height", VariantType::Long, "50"},     {"ToolTipText", VariantType::String, ""},
        {"TabIndex", VariantType::Integer, "0"}, {"HelpContextID", VariantType::Long, "0"},
        {"Tag", VariantType::String, ""},        {"WhatsThisHelpID", VariantType::Long, "0"},
        {"DragMode", VariantType::Integer, "0"}, {"CausesValidation", VariantType::Boolean, "True"},
        {"Index", VariantType::Integer, "0"},
    };
    for (const Expected& e : expected) {
        const Variant value = extender.Get(e.name);
        EXPECT_EQ(value.Type(), e.type) << e.name;
        EXPECT_EQ(value.ToText(), e.text) << e.name;
    }
    EXPECT_EQ(extender.Get("DragIcon").Type(), VariantType::Object);
    EXPECT_EQ(extender.Get("DragIcon").ToObject(), nullptr);
}

TEST_F(ExtenderTest, APropertyTheHostLeftOutRaises438BothWays) {
    Extender extender(box_, ExtenderSet::All()
                                .Without(ExtenderProperty::WhatsThisHelpID)
                                .Without(ExtenderProperty::Index));
    EXPECT_FALSE(extender.Supports("WhatsThisHelpID"));
    EXPECT_FALSE(extender.Supports(ExtenderProperty::Index));
    EXPECT_FALSE(extender.Supports("whatsthishelpid"));
    EXPECT_TRUE(extender.Supports("tag"));
    EXPECT_EQ(RaisedError([&] { extender.Get("WhatsThisHelpID"); }), kErrNotSupported);
    EXPECT_EQ(RaisedError([&] { extender.Let("WhatsThisHelpID", 5); }), kErrNotSupported);
    EXPECT_EQ(RaisedError([&] { extender.Get(ExtenderProperty::Index); }), kErrNotSupported);
    EXPECT_EQ(RaisedError([&] { extender.Let("index", 0); }), kErrNotSupported);
    // Names that are no extender property at all are missing the same way.
    EXPECT_EQ(RaisedError([&] { extender.Get("Caption"); }), kErrNotSupported);
    EXPECT_EQ(RaisedError([&] { extender.Let("", 1); }), kErrNotSupported);

    // A host with only a few properties.
    const Extender minimal(box_, {ExtenderProperty::Name, ExtenderProperty::Left});
    EXPECT_NO_THROW(minimal.Get("Left"));
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
    EXPECT_EQ(box_.Left(), 15);
    EXPECT_EQ(box_.Top(), 25);
    EXPECT_EQ(box_.Width(), 2);
    EXPECT_EQ(box_.Height(), 30);
    EXPECT_FALSE(box_.Visible());
    EXPECT_EQ(box_.TabIndex(), 3);
    EXPECT_FALSE(box_.TabStop());
    EXPECT_EQ(box_.ToolTipText(), "Cells");
    EXPECT_EQ(box_.Name(), "Grid_2");
    // And reads see what the control has, however it got there.
    box_.Move(1, 2, 3, 4);
    EXPECT_EQ(extender.Get("Left").ToLong(), 1);
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
    struct Case {
        const char* name;
        Variant value;
        int32_t error;
    };
    const Case cases[] = {
        {"Width", -1, kErrInvalidPropertyValue},
        {"Height", -1, kErrInvalidPropertyValue},
        {"TabIndex", -1, kErrInvalidPropertyValue},
        {"TabIndex", 40000, kErrOverflow},
        {"Left", 3e9, kErrOverflow},
        {"Left", "abc", kErrTypeMismatch},
        {"HelpContextID", "12x", kErrTypeMismatch},
        {"DragMode", 2, kErrInvalidPropertyValue},
        {"DragIcon", 5, kErrTypeMismatch},
        {"Name", "", kErrInvalidPropertyValue},
        {"Name", "1st", kErrInvalidPropertyValue},
        {"Name", "Has Space", kErrInvalidPropertyValue},
        {"Name", std::string(41, 'a'), kErrInvalidPropertyValue},
        {"Visible", "maybe", kErrTypeMismatch},
    };
    box_.SetName("Picture1");
    for (const Case& c : cases) {
        EXPECT_EQ(RaisedError([&] { extender.Let(c.name, c.value); }), c.error) << c.name;
    }
    EXPECT_EQ(box_.Left(), 10);
    EXPECT_EQ(box_.Width(), 100);
    EXPECT_EQ(box_.Height(), 50);
    EXPECT_EQ(box_.TabIndex(), 0);
    EXPECT_EQ(box_.Name(), "Picture1");
    EXPECT_TRUE(box_.Visible());
    EXPECT_EQ(extender.Get("DragMode").ToInteger(), 0);
}

}  // namespace
}  // namespace tabula
