// The grid's settings through form files: every key saved and loaded back, the defaults a
// load fills in, and saved values the grid refuses, each reported while the load goes on.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/Tabula.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/container/FormFile.h"
#include "tests/support/Raised.h"
#include "tests/support/TestFiles.h"

namespace tabula {
namespace {

namespace fs = std::filesystem;
constexpr const char* kType = "Tabula.Grid";

class PersistenceTest : public testing::Test {
protected:
    PersistenceTest() {
        registry_.Register(kType, [](HWND parent) {
            return std::make_unique<Tabula>(parent, Rect{0, 0, 400, 300});
        });
    }
    ~PersistenceTest() override { fs::remove(path_); }

    // A form holding one grid loaded from `bag`.
    Tabula& Load(const PropertyBag& bag) {
        FormDescription description;
        ControlDescription control;
        control.typeName = kType;
        control.properties = bag;
        description.controls.push_back(std::move(control));
        return LoadDescription(description);
    }
    Tabula& LoadDescription(const FormDescription& description) {
        const auto sites = loaded_.Load(description, registry_);
        auto& grid = dynamic_cast<Tabula&>(sites.back()->GetControl());
        EXPECT_EQ(grid.CheckConsistency(), "");
        return grid;
    }
    static PropertyBag Saved(Tabula& grid) {
        PropertyBag bag;
        grid.WriteProperties(bag);
        return bag;
    }

    HeadlessHost host_;
    ControlRegistry registry_;
    fs::path path_ = test::TempPath("grid-form.json");
    Form form_{Rect{0, 0, 500, 400}, "Saved"};
    ControlContainer container_{form_};
    Form loadedForm_{Rect{0, 0, 500, 400}, "Loaded"};
    ControlContainer loaded_{loadedForm_};
};

TEST_F(PersistenceTest, EverySettingComesBackThroughAFormFile) {
    Tabula& grid = dynamic_cast<Tabula&>(container_.Place(registry_, kType).GetControl());
    // Every key away from its default.
    grid.SetRows(12);
    grid.SetCols(7);
    grid.SetRow(3);
    grid.SetCol(4);
    grid.SetAutoMove(true);
    grid.SetShowGrid(false);
    grid.SetGridSolid(false);
    grid.SetGridLineColor(0x123456);
    grid.SetBorderStyle(6);
    grid.SetMousePointer(2);
    grid.SetMouseIcon(std::make_shared<Picture>(test::Gradient(8, 8)));
    grid.SetAllowSelection(false);
    grid.SetBackColor(0x010203);
    grid.SetBackColorAlt(0x040506);
    grid.SetUseBackColorAlt(true);
    grid.SetBackColorFixed(0x070809);
    grid.SetForeColor(0x0A0B0C);
    grid.SetForeColorFixed(0x0D0E0F);
    grid.SetFixedStyle(0);
    grid.SetColHeader(false);
    grid.SetRowHeader(false);
    grid.SetSelectionMode(2);
    FontDescriptor font;
    font.name = "Arial";
    font.size = 11;
    font.italic = true;
    grid.SetFont(std::make_shared<FontObject>(font));
    font.bold = true;
    grid.SetFontFixed(std::make_shared<FontObject>(font));
    font.size = 14;
    grid.SetFontEdit(std::make_shared<FontObject>(font));
    grid.SetBackColorBkg(0x101112);
    grid.SetAllowUserResizing(false);
    grid.SetFormatString("<Name|>Amount");
    grid.SetAutoNewRow(true);
    grid.SetListBoxRows(9);
    grid.SetUseItemData(true);
    grid.SetSelectText(true);
    grid.SetWordWrap(true);
    grid.SetLookupAllowEdit(true);
    grid.SetUseTABKey(false);
    grid.SetEnabled(false);
    grid.SetAutoRedraw(false);
    const PropertyBag saved = Saved(grid);
    EXPECT_EQ(saved.Count(), 37u);  // 36 keys and Enabled, none at its default
    container_.Save(path_);

    Tabula& back = LoadDescription(LoadFormFile(path_));
    const PropertyBag again = Saved(back);
    ASSERT_EQ(again.Count(), saved.Count());
    for (size_t i = 0; i < saved.Count(); ++i) {
        const auto& [key, value] = saved.Entries()[i];
        EXPECT_EQ(again.Entries()[i].key, key);
        const PropertyValue& loaded = again.Entries()[i].value;
        if (value.Kind() == PropertyKind::Value)
            EXPECT_TRUE(VariantEquals(value.AsValue(), loaded.AsValue())) << key;
        else if (value.Kind() == PropertyKind::Font)
            EXPECT_EQ(value.AsFont(), loaded.AsFont()) << key;
        else
            EXPECT_EQ(value.AsPicture()->Image(), loaded.AsPicture()->Image()) << key;
    }
    EXPECT_TRUE(loaded_.Refusals().empty());
    // What the settings do, not only what they read: the multi-line box edits, the
    // pointer reaches the cells, the captions came from the format string.
    EXPECT_EQ(back.State().Editor, &back.txtMulti);
    EXPECT_EQ(back.picGrid.MousePointer(), 2);
    EXPECT_EQ(back.TextMatrix(0, 2), "Amount");
    EXPECT_FALSE(back.Enabled());
}

TEST_F(PersistenceTest, MissingKeysTakeTheBagsDefaultsAndDefaultsMayBeLeftOut) {
    PropertyBag bag;
    bag.WriteProperty("FormatString", Variant(std::string("<A|^B|>C;|r1")));
    Tabula& grid = Load(bag);
    EXPECT_EQ(grid.Rows(), 10);
    EXPECT_EQ(grid.Cols(), 10);
    EXPECT_EQ(grid.TextMatrix(0, 2), "B");
    EXPECT_EQ(grid.TextMatrix(1, 0), "r1");
    EXPECT_EQ(grid.GridLineColor(), 0x8000000Fu);
    EXPECT_EQ(grid.BackColorFixed(), 0x8000000Fu);
    EXPECT_EQ(grid.ListBoxRows(), 6);
    EXPECT_TRUE(grid.UseTABKey());
    EXPECT_TRUE(grid.Enabled());
    EXPECT_TRUE(loaded_.Refusals().empty());

    // Saved again: the keys without a write default are stored even at their default; a
    // width the user changed is not saved, the format string's comes back.
    grid.SetColWidth(2, 150);
    grid.SetColWidth(5, 150);
    const PropertyBag saved = Saved(grid);
    for (const char* always : {"Redraw", "AutoMove", "ShowGrid", "GridSolid", "GridLineColor"})
        EXPECT_TRUE(saved.Contains(always)) << always;
    for (const char* left : {"Rows", "Cols", "ListBoxRows", "Enabled", "BorderStyle"})
        EXPECT_FALSE(saved.Contains(left)) << left;
    const int32_t formatWidth = Load(PropertyBag(bag)).ColWidth(2);
    Tabula& reloaded = Load(saved);
    EXPECT_EQ(reloaded.ColWidth(2), formatWidth);
    EXPECT_NE(reloaded.ColWidth(5), 150);
}

TEST_F(PersistenceTest, RefusedValuesAreReportedAndLeaveTheirDefaults) {
    const struct {
        const char* key;
        Variant value;
        int32_t error;
    } refused[] = {
        {"Rows", Variant(int32_t{-3}), 9},
        {"Cols", Variant(int32_t{40000}), 6},
        {"ShowGrid", Variant(std::string("often")), 13},
        {"BorderStyle", Variant(int32_t{99}), 380},
        {"FixedStyle", Variant(int32_t{5}), 380},
        {"SelectionMode", Variant(int32_t{-1}), 380},
        {"MousePointer", Variant(int32_t{50}), 380},
        {"ListBoxRows", Variant(int32_t{40000}), 6},
        {"GridLineColor", Variant(std::string("red")), 13},
        {"FormatString", Variant(std::string("a|") + std::string(40000, '|')), 9},
    };
    PropertyBag bag;
    for (const auto& r : refused)
        bag.Store(r.key, PropertyValue::FromVariant(r.value));
    bag.Store("Font", PropertyValue::FromVariant(Variant(int32_t{3})));  // not a font
    bag.WriteProperty("AutoMove", Variant(true));                        // a good one goes on
    Tabula& grid = Load(bag);

    const auto& refusals = loaded_.Refusals();
    ASSERT_EQ(refusals.size(), std::size(refused) + 1);
    for (const auto& r : refused) {
        const auto found = std::find_if(refusals.begin(), refusals.end(),
                                        [&](const RefusedProperty& p) { return p.key == r.key; });
        ASSERT_NE(found, refusals.end()) << r.key;
        EXPECT_EQ(found->number, r.error) << r.key;
        EXPECT_EQ(found->control, 1u);
        EXPECT_EQ(found->typeName, kType);
    }
    EXPECT_EQ(grid.Rows(), 10);
    EXPECT_EQ(grid.Cols(), 10);
    EXPECT_TRUE(grid.ShowGrid());
    EXPECT_EQ(grid.BorderStyle(), 1);
    EXPECT_EQ(grid.FixedStyle(), 1);
    EXPECT_EQ(grid.SelectionMode(), 0);
    EXPECT_EQ(grid.MousePointer(), 0);
    EXPECT_EQ(grid.ListBoxRows(), 6);
    EXPECT_EQ(grid.GridLineColor(), 0x8000000Fu);
    EXPECT_NE(grid.Font(), nullptr);
    EXPECT_TRUE(grid.AutoMove());
}

TEST_F(PersistenceTest, DamagedFilesAreRefusedWholeAndAFailedSaveKeepsTheFile) {
    Tabula& grid = dynamic_cast<Tabula&>(container_.Place(registry_, kType).GetControl());
    grid.SetRows(4);
    container_.Save(path_);
    std::string text;
    {
        std::ifstream in(path_, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Cut short, and a format string past the file's text limit.
    const std::string damaged[] = {
        text.substr(0, text.size() / 2),
        text.substr(0, text.find("\"properties\"")) +
            "\"properties\": [{\"key\": \"FormatString\"," +
            " \"type\": \"String\", \"value\": \"" + std::string(10 << 20, 'x') + "\"}]}]}",
    };
    for (const std::string& bad : damaged) {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bad;
        EXPECT_EQ(test::RaisedError([&] { LoadFormFile(path_); }), kErrInvalidFileFormat);
    }
    EXPECT_TRUE(loaded_.Sites().empty());
    // A save the file cannot hold (a format string past the limit) leaves the file as it was.
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << text;
    grid.SetAutoRedraw(false);
    grid.State().FormatString = std::string(2 << 20, 'x');
    EXPECT_EQ(test::RaisedError([&] { container_.Save(path_); }), kErrInvalidPropertyValue);
    std::ifstream in(path_, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              text);
}

}  // namespace
}  // namespace tabula
