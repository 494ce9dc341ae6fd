// The automation interface _Tabula: every public member with its dispatch id, the kinds
// of call it takes, its parameters and hidden flag, converting Variant arguments to the
// typed members' types (raising 13 and 6 as the conversions do) and results back.
// Booleans travel as Variant Booleans (-1 and 0); colours as Longs.
//
// Members whose behaviour comes with later parts of the grid (lookups, buttons and the
// wheel) are listed with their ids and parameters and raise error 5.

#include <cmath>
#include <limits>
#include <optional>

#include "core/Tabula.h"
#include "platform/container/FontObject.h"
#include "platform/runtime/Error.h"

namespace tabula {

namespace {

using Get = std::function<Variant(InvokeArgs&)>;
using Let = std::function<void(InvokeArgs&)>;
using Params = std::vector<ParamInfo>;

// The value of a let or set: the argument after the indexes.
const Variant& Value(const InvokeArgs& a) {
    return a.values.back();
}

int32_t Long(const InvokeArgs& a, size_t i) {
    return a[i].ToLong();
}

// A Single argument: error 6 beyond the range of a float.
float ToSingle(const Variant& value) {
    const double d = value.ToDouble();
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max())
        RaiseError(kErrOverflow);
    return static_cast<float>(d);
}

Variant Colour(OLE_COLOR color) {
    return Variant(static_cast<int32_t>(color));
}

OLE_COLOR ToColour(const Variant& value) {
    return static_cast<OLE_COLOR>(value.ToLong());
}

class TableBuilder {
public:
    explicit TableBuilder(DispatchTable& table) : table_(table) {}

    // A property read and, when `let` is given, written.
    void Property(const char* name, uint32_t dispid, Params params, Get get, Let let,
                  uint16_t flags = 0) {
        const uint16_t kinds = kInvokeGet | (let ? kInvokeLet : 0);
        table_.Add({name, int32_t(dispid), kinds, std::move(params), flags, std::move(get),
                    std::move(let)});
    }
    // An object property, written with Set.
    void ObjectProperty(const char* name, uint32_t dispid, Get get, Let set) {
        const uint16_t kinds = kInvokeGet | (set ? kInvokeSet : 0);
        table_.Add({name, int32_t(dispid), kinds, {}, 0, std::move(get), std::move(set)});
    }
    void Method(const char* name, uint32_t dispid, Params params, Get call, uint16_t flags = 0) {
        table_.Add(
            {name, int32_t(dispid), kInvokeMethod, std::move(params), flags, std::move(call), {}});
    }

private:
    DispatchTable& table_;
};

}  // namespace

const DispatchTable& Tabula::Members() const {
    if (members_) return *members_;
    members_ = std::make_unique<DispatchTable>();
    Tabula* g = const_cast<Tabula*>(this);
    TableBuilder t(*members_);
    const Params cell = {{"Row"}, {"Col"}};
    const Params column = {{"Col"}};
    const Params row = {{"Row"}};

    // A Boolean property of the grid.
    const auto flag = [&](const char* name, uint32_t dispid, bool (Tabula::*read)() const,
                          void (Tabula::*write)(bool), uint16_t flags = 0) {
        t.Property(
            name, dispid, {}, [g, read](InvokeArgs&) { return Variant((g->*read)()); },
            [g, write](InvokeArgs& a) { (g->*write)(Value(a).ToBoolean()); }, flags);
    };
    const auto colour = [&](const char* name, uint32_t dispid, OLE_COLOR (Tabula::*read)() const,
                            void (Tabula::*write)(OLE_COLOR)) {
        t.Property(
            name, dispid, {}, [g, read](InvokeArgs&) { return Colour((g->*read)()); },
            [g, write](InvokeArgs& a) { (g->*write)(ToColour(Value(a))); });
    };
    const auto cellFlag = [&](const char* name, uint32_t dispid,
                              bool (Tabula::*read)(int32_t, int32_t) const,
                              void (Tabula::*write)(int32_t, int32_t, bool)) {
        t.Property(
            name, dispid, cell,
            [g, read](InvokeArgs& a) { return Variant((g->*read)(Long(a, 0), Long(a, 1))); },
            [g, write](InvokeArgs& a) {
                (g->*write)(Long(a, 0), Long(a, 1), Value(a).ToBoolean());
            });
    };
    // A Long property of the grid.
    const auto number = [&](const char* name, uint32_t dispid, int32_t (Tabula::*read)() const,
                            void (Tabula::*write)(int32_t), uint16_t flags = 0) {
        t.Property(
            name, dispid, {}, [g, read](InvokeArgs&) { return Variant((g->*read)()); },
            [g, write](InvokeArgs& a) { (g->*write)(Value(a).ToLong()); }, flags);
    };

    // --- Dimensions and headers ----------------------------------------------------------
    number("Rows", 0x680302E9, &Tabula::Rows, &Tabula::SetRows);
    number("Cols", 0x680302E8, &Tabula::Cols, &Tabula::SetCols);
    flag("ColHeader", 0x680302E7, &Tabula::ColHeader, &Tabula::SetColHeader);
    flag("RowHeader", 0x680302E6, &Tabula::RowHeader, &Tabula::SetRowHeader);

    // --- Cell content and attributes -----------------------------------------------------
    t.Property(
        "TextMatrix", 0x680302D4, cell,
        [g](InvokeArgs& a) { return Variant(g->TextMatrix(Long(a, 0), Long(a, 1))); },
        [g](InvokeArgs& a) { g->SetTextMatrix(Long(a, 0), Long(a, 1), Value(a).ToText()); });
    t.Property(
        "Text", 0x680302D5, {}, [g](InvokeArgs&) { return Variant(g->Text()); },
        [g](InvokeArgs& a) { g->SetText(Value(a).ToText()); }, kMemberHidden);
    t.Property(
        "CellBackColor", 0x680302E5, cell,
        [g](InvokeArgs& a) { return Variant(g->CellBackColor(Long(a, 0), Long(a, 1))); },
        [g](InvokeArgs& a) { g->SetCellBackColor(Long(a, 0), Long(a, 1), Value(a).ToLong()); });
    t.Property(
        "CellForeColor", 0x680302E4, cell,
        [g](InvokeArgs& a) { return Variant(g->CellForeColor(Long(a, 0), Long(a, 1))); },
        [g](InvokeArgs& a) { g->SetCellForeColor(Long(a, 0), Long(a, 1), Value(a).ToLong()); });
    t.Property(
        "CellFontName", 0x680302E3, cell,
        [g](InvokeArgs& a) { return Variant(g->CellFontName(Long(a, 0), Long(a, 1))); },
        [g](InvokeArgs& a) { g->SetCellFontName(Long(a, 0), Long(a, 1), Value(a).ToText()); });
    t.Property(
        "CellFontSize", 0x680302DD, cell,
        [g](InvokeArgs& a) { return Variant(g->CellFontSize(Long(a, 0), Long(a, 1))); },
        [g](InvokeArgs& a) { g->SetCellFontSize(Long(a, 0), Long(a, 1), Value(a).ToInteger()); });
    cellFlag("CellFontBold", 0x680302E1, &Tabula::CellFontBold, &Tabula::SetCellFontBold);
    cellFlag("CellFontItalic", 0x680302E0, &Tabula::CellFontItalic, &Tabula::SetCellFontItalic);
    cellFlag("CellFontUnderline", 0x680302DF, &Tabula::CellFontUnderline,
             &Tabula::SetCellFontUnderline);
    cellFlag("CellFontStrikeThru", 0x680302DE, &Tabula::CellFontStrikeThru,
             &Tabula::SetCellFontStrikeThru);
    t.Property(
        "CellTag", 0x680302E2, cell,
        [g](InvokeArgs& a) { return Variant(g->CellTag(Long(a, 0), Long(a, 1))); },
        [g](InvokeArgs& a) { g->SetCellTag(Long(a, 0), Long(a, 1), Value(a).ToText()); });
    cellFlag("CellReadOnly", 0x680302DC, &Tabula::CellReadOnly, &Tabula::SetCellReadOnly);
    // Row and Col come back through the by-reference arguments.
    t.Method("FindCellTag", 0x600302F2,
             {{"Value", false, true}, {"Row", false, true}, {"Col", false, true}},
             [g](InvokeArgs& a) {
                 int32_t foundRow = -1, foundCol = -1;
                 g->FindCellTag(a[0].ToText(), foundRow, foundCol);
                 a.values[1] = Variant(foundRow);
                 a.values[2] = Variant(foundCol);
                 return Variant();
             });
    t.Method("RowEmpty", 0x6003032E, row,
             [g](InvokeArgs& a) { return Variant(g->RowEmpty(Long(a, 0))); });

    // --- Columns and rows ----------------------------------------------------------------
    t.Property(
        "ColWidth", 0x680302CA, column,
        [g](InvokeArgs& a) { return Variant(g->ColWidth(Long(a, 0))); },
        [g](InvokeArgs& a) { g->SetColWidth(Long(a, 0), Value(a).ToLong()); });
    t.Property(
        "ColAlign", 0x680302C9, column,
        [g](InvokeArgs& a) { return Variant(g->ColAlign(Long(a, 0))); },
        [g](InvokeArgs& a) { g->SetColAlign(Long(a, 0), Value(a).ToLong()); });
    t.Property(
        "ColAllowEdit", 0x680302B0, column,
        [g](InvokeArgs& a) { return Variant(g->ColAllowEdit(Long(a, 0))); },
        [g](InvokeArgs& a) { g->SetColAllowEdit(Long(a, 0), Value(a).ToBoolean()); });
    t.Property(
        "ColMask", 0x680302AE, column,
        [g](InvokeArgs& a) { return Variant(g->ColMask(Long(a, 0))); },
        [g](InvokeArgs& a) { g->SetColMask(Long(a, 0), Value(a).ToLong()); });
    t.Property(
        "ColEditWidth", 0x680302AD, column,
        [g](InvokeArgs& a) { return Variant(g->ColEditWidth(Long(a, 0))); },
        [g](InvokeArgs& a) { g->SetColEditWidth(Long(a, 0), Value(a).ToInteger()); });
    t.Property(
        "RowHeight", 0x680302CC, row,
        [g](InvokeArgs& a) { return Variant(g->RowHeight(Long(a, 0))); },
        [g](InvokeArgs& a) { g->SetRowHeight(Long(a, 0), Value(a).ToLong()); });
    t.Property(
        "RowBookmark", 0x680302CB, row, [g](InvokeArgs& a) { return g->RowBookmark(Long(a, 0)); },
        [g](InvokeArgs& a) { g->SetRowBookmark(Long(a, 0), Value(a)); });
    t.Method("AutoSizeColumns", 0x60030352, {}, [g](InvokeArgs&) {
        g->AutoSizeColumns();
        return Variant();
    });

    // --- Appearance ----------------------------------------------------------------------
    colour("BackColor", 0x680302C2, &Tabula::BackColor, &Tabula::SetBackColor);
    colour("ForeColor", 0x680302BF, &Tabula::ForeColor, &Tabula::SetForeColor);
    colour("BackColorAlt", 0x680302C1, &Tabula::BackColorAlt, &Tabula::SetBackColorAlt);
    flag("UseBackColorAlt", 0x680302C4, &Tabula::UseBackColorAlt, &Tabula::SetUseBackColorAlt);
    colour("BackColorFixed", 0x680302C0, &Tabula::BackColorFixed, &Tabula::SetBackColorFixed);
    colour("ForeColorFixed", 0x680302BE, &Tabula::ForeColorFixed, &Tabula::SetForeColorFixed);
    colour("BackColorBkg", 0x680302B8, &Tabula::BackColorBkg, &Tabula::SetBackColorBkg);
    colour("GridLineColor", 0x680302D2, &Tabula::GridLineColor, &Tabula::SetGridLineColor);
    flag("ShowGrid", 0x680302D9, &Tabula::ShowGrid, &Tabula::SetShowGrid);
    flag("GridSolid", 0x680302D8, &Tabula::GridSolid, &Tabula::SetGridSolid);
    t.Property(
        "FixedStyle", 0x680302BD, {},
        [g](InvokeArgs&) { return Variant(int32_t{g->FixedStyle()}); },
        [g](InvokeArgs& a) { g->SetFixedStyle(Value(a).ToLong()); });
    t.Property(
        "BorderStyle", 0x680302C8, {},
        [g](InvokeArgs&) { return Variant(int32_t{g->BorderStyle()}); },
        [g](InvokeArgs& a) { g->SetBorderStyle(Value(a).ToLong()); });
    const auto font = [&](const char* name, uint32_t dispid, FontPtr (Tabula::*read)() const,
                          void (Tabula::*write)(FontPtr)) {
        t.ObjectProperty(
            name, dispid, [g, read](InvokeArgs&) { return Variant::FromObject((g->*read)()); },
            [g, write](InvokeArgs& a) { (g->*write)(FontFromVariant(Value(a))); });
    };
    font("Font", 0x680302BB, &Tabula::Font, &Tabula::SetFont);
    font("FontFixed", 0x680302B9, &Tabula::FontFixed, &Tabula::SetFontFixed);
    font("FontEdit", 0x680302BA, &Tabula::FontEdit, &Tabula::SetFontEdit);
    flag("WordWrap", 0x680302C3, &Tabula::WordWrap, &Tabula::SetWordWrap);
    t.Property(
        "MousePointer", 0x680302C7, {},
        [g](InvokeArgs&) { return Variant(int32_t{g->MousePointer()}); },
        [g](InvokeArgs& a) { g->SetMousePointer(Value(a).ToLong()); });
    t.ObjectProperty(
        "MouseIcon", 0x680302C6, [g](InvokeArgs&) { return VariantFromPicture(g->MouseIcon()); },
        [g](InvokeArgs& a) { g->SetMouseIcon(PictureFromVariant(Value(a))); });
    t.ObjectProperty("Picture", 0x680302AB,
                     [g](InvokeArgs&) { return VariantFromPicture(g->Picture()); }, {});

    // --- Behaviour -----------------------------------------------------------------------
    flag("AutoRedraw", 0x680302D3, &Tabula::AutoRedraw, &Tabula::SetAutoRedraw);
    flag("AutoMove", 0x680302D1, &Tabula::AutoMove, &Tabula::SetAutoMove);
    flag("AutoNewRow", 0x680302B5, &Tabula::AutoNewRow, &Tabula::SetAutoNewRow);
    flag("AllowSelection", 0x680302C5, &Tabula::AllowSelection, &Tabula::SetAllowSelection);
    flag("AllowUserResizing", 0x680302B7, &Tabula::AllowUserResizing,
         &Tabula::SetAllowUserResizing);
    t.Property(
        "SelectionMode", 0x680302BC, {},
        [g](InvokeArgs&) { return Variant(int32_t{g->SelectionMode()}); },
        [g](InvokeArgs& a) { g->SetSelectionMode(Value(a).ToLong()); });
    flag("SelectText", 0x680302AF, &Tabula::SelectText, &Tabula::SetSelectText);
    flag("UseTABKey", 0x680302A8, &Tabula::UseTABKey, &Tabula::SetUseTABKey);
    flag("LookupAllowEdit", 0x680302B4, &Tabula::LookupAllowEdit, &Tabula::SetLookupAllowEdit);
    flag("UseItemData", 0x680302B3, &Tabula::UseItemData, &Tabula::SetUseItemData);
    t.Property(
        "ListBoxRows", 0x680302B2, {}, [g](InvokeArgs&) { return Variant(g->ListBoxRows()); },
        [g](InvokeArgs& a) { g->SetListBoxRows(Value(a).ToInteger()); });
    flag("Enabled", 0x680302AA, &Tabula::Enabled, &Tabula::SetEnabled);
    t.Property(
        "FormatString", 0x680302B6, {}, [g](InvokeArgs&) { return Variant(g->FormatString()); },
        [g](InvokeArgs& a) { g->SetFormatString(Value(a).ToText()); });

    // --- Position, selection and scrolling -----------------------------------------------
    number("Row", 0x680302D7, &Tabula::Row, &Tabula::SetRow, kMemberHidden);
    number("Col", 0x680302D6, &Tabula::Col, &Tabula::SetCol, kMemberHidden);
    number("Row1", 0x680302D0, &Tabula::Row1, &Tabula::SetRow1, kMemberHidden);
    number("Col1", 0x680302CF, &Tabula::Col1, &Tabula::SetCol1, kMemberHidden);
    number("Row2", 0x680302CE, &Tabula::Row2, &Tabula::SetRow2, kMemberHidden);
    number("Col2", 0x680302CD, &Tabula::Col2, &Tabula::SetCol2, kMemberHidden);
    t.Method("BlockSelected", 0x6003030F, {},
             [g](InvokeArgs&) { return Variant(g->BlockSelected()); });
    number("TopRow", 0x680302DB, &Tabula::TopRow, &Tabula::SetTopRow, kMemberHidden);
    number("LeftCol", 0x680302DA, &Tabula::LeftCol, &Tabula::SetLeftCol, kMemberHidden);
    t.Property("MouseRow", 0x680302EF, {}, [g](InvokeArgs&) { return Variant(g->MouseRow()); }, {});
    t.Property("MouseCol", 0x680302EE, {}, [g](InvokeArgs&) { return Variant(g->MouseCol()); }, {});
    t.Property("CellLeft", 0x680302ED, cell,
               [g](InvokeArgs& a) { return Variant(g->CellLeft(Long(a, 0), Long(a, 1))); }, {});
    t.Property("CellTop", 0x680302EC, cell,
               [g](InvokeArgs& a) { return Variant(g->CellTop(Long(a, 0), Long(a, 1))); }, {});
    t.Property("HorizontalScrollbar", 0x680302EB, {},
               [g](InvokeArgs&) { return Variant(g->HorizontalScrollbar()); }, {});
    t.Property("VerticalScrollbar", 0x680302EA, {},
               [g](InvokeArgs&) { return Variant(g->VerticalScrollbar()); }, {});

    // --- Methods -------------------------------------------------------------------------
    t.Method("Refresh", 0x600302F0, {}, [g](InvokeArgs&) {
        g->Refresh();
        return Variant();
    });
    // Every argument is converted before the grid changes: a value of the wrong type
    // raises 13 (or 6) with no event raised and no row added.
    t.Method("AddItem", 0x6003033E,
             {{"RowData"},
              {"BackColor", true, true},
              {"ForeColor", true, true},
              {"AfterRow", true, true}},
             [g](InvokeArgs& a) {
                 const auto optionalLong = [&a](size_t i) -> std::optional<int32_t> {
                     if (a.Missing(i)) return std::nullopt;
                     return a[i].ToLong();
                 };
                 const std::string rowData = a[0].ToText();
                 const std::optional<int32_t> back = optionalLong(1);
                 const std::optional<int32_t> fore = optionalLong(2);
                 const std::optional<int32_t> afterRow = optionalLong(3);
                 g->AddItem(rowData, back, fore, afterRow);
                 return Variant();
             });
    t.Method("RemoveItem", 0x6003033F, row, [g](InvokeArgs& a) {
        g->RemoveItem(Long(a, 0));
        return Variant();
    });
    t.Method("Reset", 0x60030340, {}, [g](InvokeArgs&) {
        g->Reset();
        return Variant();
    });
    t.Method("Clear", 0x60030341, {}, [g](InvokeArgs&) {
        g->Clear();
        return Variant();
    });
    t.Method("AutoSetup", 0x6003032B,
             {{"NRows"}, {"NCols"}, {"vRowHeader"}, {"vColHeader"}, {"vFormatString"}},
             [g](InvokeArgs& a) {
                 const int32_t rows = Long(a, 0);
                 const int32_t cols = Long(a, 1);
                 const bool rowHeader = a[2].ToBoolean();
                 const bool colHeader = a[3].ToBoolean();
                 g->AutoSetup(rows, cols, rowHeader, colHeader, a[4].ToText());
                 return Variant();
             });
    // --- Lookup values and button columns --------------------------------------------------
    using ColumnCall = void (Tabula::*)(int32_t);
    const auto columnMethod = [&](const char* name, uint32_t dispid, ColumnCall call) {
        t.Method(name, dispid, column, [g, call](InvokeArgs& a) {
            (g->*call)(Long(a, 0));
            return Variant();
        });
    };
    columnMethod("AddButton", 0x60030330, &Tabula::AddButton);
    columnMethod("RemoveButton", 0x60030331, &Tabula::RemoveButton);
    t.Method("ColHasButton", 0x60030332, column,
             [g](InvokeArgs& a) { return Variant(g->ColHasButton(Long(a, 0))); });
    t.Method("AddLookup", 0x60030333, {{"Col"}, {"Value"}, {"ItemData", true}}, [g](InvokeArgs& a) {
        const int32_t col = Long(a, 0);
        std::string value = a[1].ToText();
        g->AddLookup(col, std::move(value), a.Missing(2) ? Variant() : a[2]);
        return Variant();
    });
    t.Method("LookupValue", 0x60030334, {{"Col"}, {"ItemData"}},
             [g](InvokeArgs& a) { return Variant(g->LookupValue(Long(a, 0), a[1])); });
    t.Method("LookupItemData", 0x60030335, {{"Col"}, {"Value"}},
             [g](InvokeArgs& a) { return g->LookupItemData(Long(a, 0), a[1].ToText()); });
    t.Method("RemoveLookupValue", 0x60030336, {{"Col"}, {"Value"}}, [g](InvokeArgs& a) {
        g->RemoveLookupValue(Long(a, 0), a[1].ToText());
        return Variant();
    });
    columnMethod("RemoveLookup", 0x60030337, &Tabula::RemoveLookup);
    t.Method("ColHasLookup", 0x60030339, column,
             [g](InvokeArgs& a) { return Variant(g->ColHasLookup(Long(a, 0))); });
    const Params mouse = {{"Button"}, {"Shift"}, {"x"}, {"Y"}};
    using MouseHandler = void (Tabula::*)(int16_t, int16_t, float, float);
    const auto mouseMethod = [&](const char* name, uint32_t dispid, MouseHandler handler) {
        t.Method(name, dispid, mouse, [g, handler](InvokeArgs& a) {
            (g->*handler)(a[0].ToInteger(), a[1].ToInteger(), ToSingle(a[2]), ToSingle(a[3]));
            return Variant();
        });
    };
    mouseMethod("MouseDown", 0x60030301, &Tabula::MouseDown);
    mouseMethod("MouseUp", 0x60030308, &Tabula::MouseUp);
    mouseMethod("MouseMove", 0x60030309, &Tabula::MouseMove);
    t.Method("DblClick", 0x60030307, {}, [g](InvokeArgs&) {
        g->DblClick();
        return Variant();
    });
    t.Method("KeyDown", 0x6003030E, {{"KeyCode"}, {"Shift"}}, [g](InvokeArgs& a) {
        g->KeyDown(a[0].ToInteger(), a[1].ToInteger());
        return Variant();
    });
    t.Method("MouseWheel", 0x60030353, {{"MouseKeys"}, {"Rotation"}, {"Xpos"}, {"Ypos"}},
             [g](InvokeArgs& a) {
                 g->MouseWheel(Long(a, 0), Long(a, 1), Long(a, 2), Long(a, 3));
                 return Variant();
             });
    t.Method("AboutBox", 0xFFFFFDD8, {}, [g](InvokeArgs&) {
        g->AboutBox();
        return Variant();
    });
    return *members_;
}

}  // namespace tabula
