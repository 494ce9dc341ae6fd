#include "pages/GeneralPage.h"

#include "platform/container/Site.h"
#include "platform/runtime/Dispatch.h"
#include "platform/runtime/Error.h"

namespace tabula {

namespace {

// The member table of a control scripts can call, or null.
const DispatchTable* MembersOf(Site& site) {
    const auto* object = dynamic_cast<const Dispatchable*>(&site.GetControl());
    return object ? &object->Members() : nullptr;
}

}  // namespace

GeneralPage::GeneralPage(HWND parent) : BoundPage(parent) {
    AddText("txtListBoxRows", "List Box Rows:", "ListBoxRows");
    AddCheck("chkUseItemData", "Use ItemData", "UseItemData");
    AddCheck("chkAutoNewRow", "Auto New Row", "AutoNewRow");
    AddCheck("chkAllowUserResizing", "Allow User Resizing", "AllowUserResizing");
    AddCheck("chkEnabled", "Enabled", "Enabled");
    AddCheck("chkUseBackColorAlt", "Use BackColorAlt", "UseBackColorAlt");
    AddCheck("chkAllowSelection", "Allow Selection", "AllowSelection");
    AddCheck("chkAutoRedraw", "Auto Redraw", "AutoRedraw");
    AddCheck("chkGridSolid", "Grid Solid", "GridSolid");
    AddCheck("chkShowGrid", "Show Grid", "ShowGrid");
    AddCheck("chkRowHeader", "Show Row Header", "RowHeader");
    AddCheck("chkColHeader", "Show Column Header", "ColHeader");
    AddText("txtCols", "Cols:", "Cols");
    AddText("txtRows", "Rows:", "Rows");
    // Each list's items stand in the order of the property's values.
    AddList("cboBorderStyle", "BorderStyle:", "BorderStyle",
            {"No Border", "Single", "Thin Raised", "Thick Raised", "Thin Inset", "Thick Inset",
             "Etched", "Bump"});
    AddList("cboFixedStyle", "Fixed Style:", "FixedStyle", {"Flat", "3D"});
    AddList("cboSelectionMode", "Selection Mode:", "SelectionMode",
            {"SelectionFree", "SelectionByRow", "SelectionByCol", "SelectionByRowHeader"});
    AddCheck("chkSelectText", "Select Text", "SelectText");
    AddCheck("chkUseTAB", "Use TAB Key", "UseTABKey");
}

std::optional<Variant> GeneralPage::Read(Site& site, const BoundField& field) {
    const DispatchTable* members = MembersOf(site);
    const MemberInfo* member = members ? members->Find(field.property) : nullptr;
    // Only a property the page can both read and write is the control's.
    if (!member || !(member->kinds & kInvokeGet) || !(member->kinds & kInvokeLet)) return {};
    try {
        std::vector<Variant> none;
        return Invoke(*members, field.property, kInvokeGet, none);
    } catch (const RuntimeError&) {
        return {};
    }
}

void GeneralPage::Write(Site& site, const BoundField& field, const Variant& value) {
    std::vector<Variant> args{value};
    Invoke(*MembersOf(site), field.property, kInvokeLet, args);
}

}  // namespace tabula
