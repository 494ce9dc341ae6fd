#include <gtest/gtest.h>

#include "platform/container/FontObject.h"
#include "platform/container/Picture.h"
#include "tests/platform/RaisedError.h"

namespace tabula {
namespace {

using test::RaisedError;

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

TEST(FontObject, SizesOutsideOneTo2048PointsAreRefusedAndChangeNothing) {
    FontObject font;
    for (double size : {0.0, -3.0, 2049.0, 1e300}) {
        std::vector<Variant> args{Variant(size)};
        EXPECT_EQ(RaisedError([&] { Invoke(font.Members(), "Size", kInvokeLet, args); }), 380)
            << size;
    }
    EXPECT_EQ(font.Descriptor().size, 8.0f);
    font.SetSize(1.0f);
    EXPECT_EQ(font.Descriptor().size, 1.0f);
}

TEST(FontObject, ClonesAreIndependent) {
    FontObject font(FontDescriptor{"Arial", 9});
    const FontPtr copy = font.Clone();
    font.SetSize(20.0f);
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
