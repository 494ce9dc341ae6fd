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
    EXPECT_EQ(extender.Get("DragIcon").Type(), Object);
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
        EXPECT_EQ(RaisedError([&] { extender.Let(name, value); }), error) << name;
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
