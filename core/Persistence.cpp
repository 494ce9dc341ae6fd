// The grid's settings in a form file: the keys a save writes, in their order, with their
// types and defaults, and the load that reads them back.
//
// Call flow of ReadProperties (a key whose value the grid refuses is reported to the
// container and leaves that setting at its default; the load goes on):
//   "Enabled"
//   "Font", "FontFixed", "FontEdit"
//   "Rows", "Cols", "Row", "Col"          through the public writes
//   the plain settings, in kReadOrder     stored as they are, checked as the public writes
//                                         and the enumerations check them
//   the control's surface colour for BorderStyle and BackColorBkg
//   the edit box for WordWrap; picGrid's tool tip from the container
//   the format string applied; a full redraw
//   SetTabHook(True): Tab between cells in run mode (TabKeys.cpp)

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/Tabula.h"
#include "grid/Checks.h"
#include "platform/container/PropertyBag.h"
#include "platform/container/Site.h"
#include "platform/runtime/Error.h"

namespace tabula {

namespace {

// The mouse pointers a control knows: 0 to 15, and 99 for its own icon.
bool KnownPointer(int16_t pointer) {
    return (pointer >= 0 && pointer <= 15) || pointer == 99;
}

// Colours are saved as Longs, system colours (the high bit set) as negative ones.
Variant Colour(OLE_COLOR color) {
    return Variant(static_cast<int32_t>(color));
}
OLE_COLOR ToColour(const Variant& value) {
    return static_cast<OLE_COLOR>(value.ToLong());
}

// A 16-bit setting with its valid values.
int16_t CheckedEnumeration(const Variant& value, int16_t first, int16_t last) {
    const int16_t stored = CheckedInteger(value.ToLong());
    if (stored < first || stored > last) RaiseError(kErrInvalidPropertyValue);
    return stored;
}

// Read after the fonts and the dimensions, in this order, by plain stores.
constexpr std::array<const char*, 29> kReadOrder = {
    "ShowGrid",          "GridSolid",       "GridLineColor",   "Redraw",         "AutoMove",
    "BorderStyle",       "MousePointer",    "MouseIcon",       "AllowSelection", "BackColor",
    "BackColorAlt",      "UseBackColorAlt", "BackColorFixed",  "ForeColor",      "ForeColorFixed",
    "FixedStyle",        "ColHeader",       "RowHeader",       "SelectionMode",  "BackColorBkg",
    "AllowUserResizing", "FormatString",    "AutoNewRow",      "ListBoxRows",    "UseItemData",
    "SelectText",        "WordWrap",        "LookupAllowEdit", "UseTABKey"};

}  // namespace

const std::vector<Tabula::PersistedSetting>& Tabula::PersistedSettings() {
    using S = PersistedSetting;
    static const std::vector<PersistedSetting> settings = {
        {"Rows", S::Plain, Variant(int32_t{10}), true,
         [](const Tabula& g) { return Variant(g.s_.Rows); },
         [](Tabula& g, const Variant& v) { g.SetRows(v.ToLong()); }},
        {"Cols", S::Plain, Variant(int32_t{10}), true,
         [](const Tabula& g) { return Variant(g.s_.Cols); },
         [](Tabula& g, const Variant& v) { g.SetCols(v.ToLong()); }},
        {"Row", S::Plain, Variant(int32_t{1}), true,
         [](const Tabula& g) { return Variant(g.s_.Row); },
         [](Tabula& g, const Variant& v) { g.SetRow(v.ToLong()); }},
        {"Col", S::Plain, Variant(int32_t{1}), true,
         [](const Tabula& g) { return Variant(g.s_.Col); },
         [](Tabula& g, const Variant& v) { g.SetCol(v.ToLong()); }},
        {"Redraw", S::Plain, Variant(true), false,
         [](const Tabula& g) { return Variant(g.s_.AutoRedraw); },
         [](Tabula& g, const Variant& v) { g.s_.AutoRedraw = v.ToBoolean(); }},
        {"AutoMove", S::Plain, Variant(false), false,
         [](const Tabula& g) { return Variant(g.s_.AutoMove); },
         [](Tabula& g, const Variant& v) { g.s_.AutoMove = v.ToBoolean(); }},
        {"ShowGrid", S::Plain, Variant(true), false,
         [](const Tabula& g) { return Variant(g.s_.ShowGrid); },
         [](Tabula& g, const Variant& v) { g.s_.ShowGrid = v.ToBoolean(); }},
        {"GridSolid", S::Plain, Variant(true), false,
         [](const Tabula& g) { return Variant(g.s_.GridSolid); },
         [](Tabula& g, const Variant& v) { g.s_.GridSolid = v.ToBoolean(); }},
        {"GridLineColor", S::Plain, Colour(0x8000000F), false,
         [](const Tabula& g) { return Colour(g.s_.GridLineColor); },
         [](Tabula& g, const Variant& v) { g.s_.GridLineColor = ToColour(v); }},
        {"BorderStyle", S::Plain, Variant(int16_t{1}), true,
         [](const Tabula& g) { return Variant(g.s_.BorderStyle); },
         [](Tabula& g, const Variant& v) { g.s_.BorderStyle = CheckedEnumeration(v, 0, 7); }},
        {"MousePointer", S::Plain, Variant(int16_t{0}), true,
         [](const Tabula& g) { return Variant(g.Control::MousePointer()); },
         [](Tabula& g, const Variant& v) {
             const int16_t pointer = CheckedInteger(v.ToLong());
             if (!KnownPointer(pointer)) RaiseError(kErrInvalidPropertyValue);
             g.Control::SetMousePointer(pointer);
             g.picGrid.SetMousePointer(pointer);
         }},
        {"MouseIcon", S::Picture, Variant(), true, nullptr, nullptr},
        {"AllowSelection", S::Plain, Variant(true), true,
         [](const Tabula& g) { return Variant(g.s_.AllowSelection); },
         [](Tabula& g, const Variant& v) { g.s_.AllowSelection = v.ToBoolean(); }},
        {"BackColor", S::Plain, Colour(0xFFFFFF), true,
         [](const Tabula&) { return Colour(SharedGridColors::ForThisThread().backColor); },
         [](Tabula&, const Variant& v) {
             SharedGridColors::ForThisThread().backColor = ToColour(v);
         }},
        {"BackColorAlt", S::Plain, Colour(0xFFFFFF), true,
         [](const Tabula& g) { return Colour(g.s_.BackColorAlt); },
         [](Tabula& g, const Variant& v) { g.s_.BackColorAlt = ToColour(v); }},
        {"UseBackColorAlt", S::Plain, Variant(false), true,
         [](const Tabula& g) { return Variant(g.s_.UseBackColorAlt); },
         [](Tabula& g, const Variant& v) { g.s_.UseBackColorAlt = v.ToBoolean(); }},
        {"BackColorFixed", S::Plain, Colour(0x8000000F), true,
         [](const Tabula& g) { return Colour(g.s_.BackColorFixed); },
         [](Tabula& g, const Variant& v) { g.s_.BackColorFixed = ToColour(v); }},
        {"ForeColor", S::Plain, Colour(0x80000012), true,
         [](const Tabula&) { return Colour(SharedGridColors::ForThisThread().foreColor); },
         [](Tabula&, const Variant& v) {
             SharedGridColors::ForThisThread().foreColor = ToColour(v);
         }},
        {"ForeColorFixed", S::Plain, Colour(0x80000012), true,
         [](const Tabula& g) { return Colour(g.s_.ForeColorFixed); },
         [](Tabula& g, const Variant& v) { g.s_.ForeColorFixed = ToColour(v); }},
        {"FixedStyle", S::Plain, Variant(int16_t{1}), true,
         [](const Tabula& g) { return Variant(g.s_.FixedStyle); },
         [](Tabula& g, const Variant& v) { g.s_.FixedStyle = CheckedEnumeration(v, 0, 1); }},
        {"ColHeader", S::Plain, Variant(true), true,
         [](const Tabula& g) { return Variant(g.s_.ColHeader); },
         [](Tabula& g, const Variant& v) { g.s_.ColHeader = v.ToBoolean(); }},
        {"RowHeader", S::Plain, Variant(true), true,
         [](const Tabula& g) { return Variant(g.s_.RowHeader); },
         [](Tabula& g, const Variant& v) { g.s_.RowHeader = v.ToBoolean(); }},
        {"SelectionMode", S::Plain, Variant(int16_t{0}), true,
         [](const Tabula& g) { return Variant(g.s_.SelectionMode); },
         [](Tabula& g, const Variant& v) { g.s_.SelectionMode = CheckedEnumeration(v, 0, 2); }},
        {"Font", S::Font, Variant(), true, nullptr, nullptr},
        {"FontFixed", S::Font, Variant(), true, nullptr, nullptr},
        {"FontEdit", S::Font, Variant(), true, nullptr, nullptr},
        {"BackColorBkg", S::Plain, Colour(0x808080), true,
         [](const Tabula& g) { return Colour(g.s_.BackColorBkg); },
         [](Tabula& g, const Variant& v) { g.s_.BackColorBkg = ToColour(v); }},
        {"AllowUserResizing", S::Plain, Variant(true), true,
         [](const Tabula& g) { return Variant(g.s_.AllowUserResizing); },
         [](Tabula& g, const Variant& v) { g.s_.AllowUserResizing = v.ToBoolean(); }},
        {"FormatString", S::Plain, Variant(std::string()), true,
         [](const Tabula& g) { return Variant(g.s_.FormatString); },
         [](Tabula& g, const Variant& v) { g.s_.FormatString = v.ToText(); }},
        {"AutoNewRow", S::Plain, Variant(false), true,
         [](const Tabula& g) { return Variant(g.s_.AutoNewRow); },
         [](Tabula& g, const Variant& v) { g.s_.AutoNewRow = v.ToBoolean(); }},
        {"ListBoxRows", S::Plain, Variant(int16_t{6}), true,
         [](const Tabula& g) { return Variant(g.s_.ListBoxRows); },
         [](Tabula& g, const Variant& v) { g.s_.ListBoxRows = CheckedInteger(v.ToLong()); }},
        {"UseItemData", S::Plain, Variant(false), true,
         [](const Tabula& g) { return Variant(g.s_.UseItemData); },
         [](Tabula& g, const Variant& v) { g.s_.UseItemData = v.ToBoolean(); }},
        {"SelectText", S::Plain, Variant(false), true,
         [](const Tabula& g) { return Variant(g.s_.SelectText); },
         [](Tabula& g, const Variant& v) { g.s_.SelectText = v.ToBoolean(); }},
        {"WordWrap", S::Plain, Variant(false), true,
         [](const Tabula& g) { return Variant(g.s_.WordWrap); },
         [](Tabula& g, const Variant& v) { g.s_.WordWrap = v.ToBoolean(); }},
        {"LookupAllowEdit", S::Plain, Variant(false), true,
         [](const Tabula& g) { return Variant(g.s_.LookupAllowEdit); },
         [](Tabula& g, const Variant& v) { g.s_.LookupAllowEdit = v.ToBoolean(); }},
        {"UseTABKey", S::Plain, Variant(true), true,
         [](const Tabula& g) { return Variant(g.s_.UseTABKey); },
         [](Tabula& g, const Variant& v) { g.s_.UseTABKey = v.ToBoolean(); }},
        // Not among the keys the original control wrote: without it a grid saved disabled
        // would load enabled.
        {"Enabled", S::Plain, Variant(true), true,
         [](const Tabula& g) { return Variant(g.Control::Enabled()); },
         [](Tabula& g, const Variant& v) { g.Control::SetEnabled(v.ToBoolean()); }},
    };
    return settings;
}

const Tabula::PersistedSetting& Tabula::FindSetting(std::string_view key) {
    const auto& settings = PersistedSettings();
    return *std::find_if(settings.begin(), settings.end(),
                         [&](const PersistedSetting& s) { return key == s.key; });
}

FontPtr& Tabula::FontField(std::string_view key) {
    if (key == "FontFixed") return s_.FontFixed;
    if (key == "FontEdit") return s_.FontEdit;
    return s_.Font;
}

FontDescriptor Tabula::AmbientFontOrDefault() const {
    return ClientSite() ? ClientSite()->AmbientFont() : FontDescriptor{};
}

void Tabula::WriteProperties(PropertyBag& bag) {
    const FontDescriptor ambient = AmbientFontOrDefault();
    for (const PersistedSetting& setting : PersistedSettings()) {
        try {
            switch (setting.kind) {
                case PersistedSetting::Font:
                    bag.WriteFont(setting.key, FontField(setting.key)->Descriptor(), ambient);
                    break;
                case PersistedSetting::Picture:
                    bag.WritePicture(setting.key, mouseIcon_, nullptr);
                    break;
                case PersistedSetting::Plain:
                    if (setting.writtenWithDefault) {
                        bag.WriteProperty(setting.key, setting.read(*this), setting.bagDefault);
                    } else {
                        bag.WriteProperty(setting.key, setting.read(*this));
                    }
                    break;
            }
        } catch (const RuntimeError&) {
            // A value the bag cannot hold is skipped; the others are still saved.
        }
    }
}

void Tabula::ReadSetting(const PropertyBag& bag, std::string_view key) {
    const PersistedSetting& setting = FindSetting(key);
    try {
        switch (setting.kind) {
            case PersistedSetting::Font:
                FontField(key) =
                    std::make_shared<FontObject>(bag.ReadFont(key, AmbientFontOrDefault()));
                break;
            case PersistedSetting::Picture:
                mouseIcon_ = bag.ReadPicture(key, nullptr);
                break;
            case PersistedSetting::Plain:
                setting.store(*this, bag.ReadProperty(key, setting.bagDefault));
                break;
        }
    } catch (const RuntimeError& error) {
        if (Site* site = ClientSite()) site->PropertyRefused(key, error.number, error.description);
        // The setting takes the bag's default, so nothing of the refused value stays.
        switch (setting.kind) {
            case PersistedSetting::Font:
                FontField(key) = std::make_shared<FontObject>(AmbientFontOrDefault());
                break;
            case PersistedSetting::Picture:
                mouseIcon_ = nullptr;
                break;
            case PersistedSetting::Plain:
                setting.store(*this, setting.bagDefault);
                break;
        }
    }
}

void Tabula::ReadProperties(const PropertyBag& bag) {
    ReadSetting(bag, "Enabled");
    for (const char* key : {"Font", "FontFixed", "FontEdit"})
        ReadSetting(bag, key);
    for (const char* key : {"Rows", "Cols", "Row", "Col"})
        ReadSetting(bag, key);
    for (const char* key : kReadOrder)
        ReadSetting(bag, key);
    ApplySurfaceColor();
    s_.Editor = s_.WordWrap ? &txtMulti : &txtSingle;
    picGrid.SetToolTipText(Control::ToolTipText());
    try {
        ApplyFormatString();
    } catch (const RuntimeError& error) {
        if (Site* site = ClientSite())
            site->PropertyRefused("FormatString", error.number, error.description);
    }
    Refresh();
    SetTabHook(true);
}

}  // namespace tabula
