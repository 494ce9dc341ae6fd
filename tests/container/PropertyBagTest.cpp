#include <gtest/gtest.h>

#include "platform/container/FontObject.h"
#include "platform/container/Picture.h"
#include "platform/container/PropertyBag.h"
#include "tests/support/Raised.h"

namespace tabula {
namespace {

using test::RaisedError;
using Keys = std::vector<std::string>;

// --- PropertyBag --------------------------------------------------------------------------------

Keys KeysOf(const PropertyBag& bag) {
    Keys keys;
    for (const auto& entry : bag.Entries())
        keys.push_back(entry.key);
    return keys;
}

PicturePtr SomePicture() {
    return std::make_shared<Picture>(PixelImage(2, 2, RGB(1, 2, 3)));
}

TEST(PropertyBag, DefaultsAreReadForAbsentKeysAndNeverStored) {
    PropertyBag bag;
    EXPECT_EQ(bag.ReadProperty("Rows", 10).ToLong(), 10);
    EXPECT_TRUE(bag.ReadProperty("Rows").IsEmpty());
    const FontDescriptor ambient{"Arial"};
    EXPECT_EQ(bag.ReadFont("Font", ambient), ambient);
    EXPECT_EQ(bag.ReadPicture("MouseIcon"), nullptr);
    const PicturePtr fallback = SomePicture();
    EXPECT_EQ(bag.ReadPicture("MouseIcon", fallback), fallback);

    bag.WriteProperty("GridLineColor", int32_t(0x8000000F));
    bag.WriteProperty("Redraw", true);
    bag.WriteFont("FontFixed", FontDescriptor{});
    bag.WritePicture("MouseIcon", nullptr);
    EXPECT_EQ(KeysOf(bag), (Keys{"GridLineColor", "Redraw", "FontFixed", "MouseIcon"}));
    EXPECT_EQ(bag.ReadPicture("MouseIcon", fallback), nullptr);  // stored as none
    // A value equal to its default is not stored; without a default it always is.
    PropertyBag defaults;
    defaults.WriteProperty("Rows", 10, 10);
    defaults.WriteProperty("Redraw", true, true);
    // Variant equality: an Integer 1 equals a Long default 1, True equals -1.
    defaults.WriteProperty("BorderStyle", int16_t{1}, 1);
    defaults.WriteProperty("AllowSelection", int16_t{-1}, true);
    defaults.WriteProperty("FormatString", "", "");
    FontDescriptor font;
    defaults.WriteFont("Font", font, font);
    defaults.WritePicture("MouseIcon", nullptr, nullptr);
    // Pictures compare by identity.
    const PicturePtr picture = SomePicture(), twin = SomePicture();
    defaults.WritePicture("Icon", picture, picture);
    EXPECT_EQ(defaults.Count(), 0u);
    defaults.WritePicture("Icon", twin, picture);
    EXPECT_EQ(defaults.ReadPicture("Icon"), twin);

    defaults.WriteProperty("Rows", 20, 10);
    EXPECT_EQ(defaults.ReadProperty("Rows", 10).ToLong(), 20);
    // Writing the default later takes the entry out again, so the default reads back.
    defaults.WriteProperty("Rows", 10, 10);
    EXPECT_FALSE(defaults.Contains("Rows"));
}

TEST(PropertyBag, FontsDifferingInAnyFieldAreStored) {
    const FontDescriptor ambient;
    const std::string name = ambient.name;
    // Each field differing in turn: name, size, bold, italic, underline, strikethrough.
    const bool t = true, f = false;
    const FontDescriptor fonts[] = {
        {"Arial"},       {name, 9},          {name, 8, t},
        {name, 8, f, t}, {name, 8, f, f, t}, {name, 8, f, f, f, t},
    };
    for (const FontDescriptor& font : fonts) {
        PropertyBag bag;
        bag.WriteFont("Font", font, ambient);
        ASSERT_TRUE(bag.Contains("Font"));
        EXPECT_EQ(bag.ReadFont("Font", ambient), font);
    }
}

TEST(PropertyBag, KeysIgnoreCaseAndKeepTheirFirstSpellingAndPlaceThroughRemovals) {
    PropertyBag bag;
    bag.WriteProperty("Rows", 3);
    bag.WriteProperty("Cols", 4);
    bag.WriteProperty("UseTABKey", false);
    EXPECT_EQ(bag.ReadProperty("ROWS").ToLong(), 3);
    EXPECT_EQ(bag.ReadProperty("usetabkey", true).ToBoolean(), false);
    bag.WriteProperty("rows", 7);  // replaces in place
    EXPECT_EQ(KeysOf(bag), (Keys{"Rows", "Cols", "UseTABKey"}));
    EXPECT_EQ(bag.ReadProperty("Rows").ToLong(), 7);
    // Case folding reaches beyond ASCII.
    bag.WriteProperty("Größe", 1);
    EXPECT_EQ(bag.ReadProperty("GRÖßE").ToLong(), 1);
    // Write order is kept through removals.
    PropertyBag ordered;
    for (const char* key : {"Rows", "Cols", "Row", "Col", "Redraw"})
        ordered.WriteProperty(key, 2, 1);
    ordered.WriteProperty("Row", 1, 1);  // back to its default: gone
    ordered.WriteProperty("AutoMove", 2, 1);
    EXPECT_EQ(KeysOf(ordered), (Keys{"Rows", "Cols", "Col", "Redraw", "AutoMove"}));
    // Every remaining key is still found after the removal shifted them.
    for (const char* key : {"Rows", "Cols", "Col", "Redraw", "AutoMove"})
        EXPECT_EQ(ordered.ReadProperty(key).ToLong(), 2) << key;
    ordered.WriteProperty("Row", 2, 1);  // comes back at the end
    EXPECT_EQ(KeysOf(ordered).back(), "Row");
}

TEST(PropertyBag, TheWrongKindIsRefusedAndOnlyPicturesAmongObjectsAreStored) {
    PropertyBag bag;
    bag.WriteFont("Font", FontDescriptor{});
    bag.WriteProperty("Rows", 3);
    bag.WritePicture("MouseIcon", SomePicture());
    EXPECT_EQ(RaisedError([&] { bag.ReadProperty("Font"); }), kErrTypeMismatch);
    EXPECT_EQ(RaisedError([&] { bag.ReadPicture("Rows"); }), kErrTypeMismatch);
    EXPECT_EQ(test::RaisedDescription([&] { bag.ReadFont("rows", FontDescriptor{}); }),
              "Type mismatch: property \"rows\" holds a value, not a font");
    // A picture is an object, so it can come back as a Variant.
    EXPECT_EQ(PictureFromVariant(bag.ReadProperty("MouseIcon")), bag.ReadPicture("MouseIcon"));
    // Only pictures among objects can be stored.
    struct Thing : AutomationObject {};
    PropertyBag pictures;
    EXPECT_EQ(RaisedError([&] {
                  pictures.WriteProperty("Thing", Variant::FromObject(std::make_shared<Thing>()));
              }),
              kErrTypeMismatch);
    const PicturePtr picture = SomePicture();
    pictures.WriteProperty("Icon", VariantFromPicture(picture));
    EXPECT_EQ(pictures.ReadPicture("Icon"), picture);
    pictures.WriteProperty("Icon", Variant::FromObject(nullptr));  // Nothing: no picture
    EXPECT_EQ(pictures.ReadPicture("Icon", picture), nullptr);
    EXPECT_EQ(RaisedError([&] { pictures.WriteProperty("", 1); }), kErrInvalidCall);
    EXPECT_EQ(RaisedError([&] { pictures.WriteProperty("", 1, 1); }), kErrInvalidCall);
    EXPECT_EQ(pictures.Count(), 1u);
}

// --- FontObject ---------------------------------------------------------------------------------

TEST(FontObject, ScriptsReadAndChangeEveryPropertyOfTheSharedFont) {
    auto font = std::make_shared<FontObject>(FontDescriptor{"Arial", 10});
    const FontPtr holder = font;  // a second holder sees every change
    std::vector<Variant> none;
    EXPECT_EQ(Invoke(font->Members(), 0, kInvokeGet, none).ToText(), "Arial");
    const std::pair<const char*, Variant> writes[] = {
        {"Name", Variant("Courier New")}, {"size", Variant(12.5)},
        {"Bold", Variant(true)},          {"Italic", Variant(int32_t{-1})},
        {"UNDERLINE", Variant("True")},   {"Strikethrough", Variant(true)}};
    for (const auto& [name, value] : writes) {
        std::vector<Variant> args{value};
        Invoke(font->Members(), name, kInvokeLet, args);
    }
    EXPECT_EQ(holder->Descriptor(), (FontDescriptor{"Courier New", 12.5f, true, true, true, true}));
    EXPECT_EQ(Invoke(font->Members(), "Size", kInvokeGet, none).ToDouble(), 12.5);
    EXPECT_EQ(Invoke(font->Members(), "Bold", kInvokeGet, none).ToLong(), -1);
}

TEST(FontObject, SizesOutsideOneTo2048PointsAreRefusedAndClonesAreIndependent) {
    FontObject font;
    for (double size : {0.0, -3.0, 2049.0, 1e300}) {
        std::vector<Variant> args{Variant(size)};
        EXPECT_EQ(RaisedError([&] { Invoke(font.Members(), "Size", kInvokeLet, args); }), 380)
            << size;
    }
    EXPECT_EQ(font.Descriptor().size, 8.0f);
    font.SetSize(1.0f);
    EXPECT_EQ(font.Descriptor().size, 1.0f);
    // Clones are independent.
    FontObject original(FontDescriptor{"Arial", 9});
    const FontPtr copy = original.Clone();
    original.SetSize(20.0f);
    EXPECT_EQ(copy->Descriptor().size, 9.0f);
}

TEST(FontObject, VariantsGiveFontsOrATypeMismatch) {
    auto font = std::make_shared<FontObject>();
    EXPECT_EQ(FontFromVariant(Variant::FromObject(font)), font);
    EXPECT_EQ(FontFromVariant(Variant()), nullptr);
    EXPECT_EQ(FontFromVariant(Variant::FromObject(nullptr)), nullptr);
    EXPECT_EQ(RaisedError([] { FontFromVariant(Variant("Arial")); }), 13);
    auto picture = std::make_shared<Picture>(PixelImage(1, 1));
    EXPECT_EQ(RaisedError([&] { FontFromVariant(Variant::FromObject(picture)); }), 13);
}

}  // namespace
}  // namespace tabula
