// Behaviour: redraw, movement after edits, selection and resizing permissions, the
// selection mode, edit-box options, lookup options, Tab handling and Enabled. None of
// these redraws except AutoRedraw itself.

#include "core/Tabula.h"
#include "grid/Checks.h"

namespace tabula {

void Tabula::SetAutoRedraw(bool on) {
    s_.AutoRedraw = on;
    Refresh();
}

void Tabula::SetAutoMove(bool on) {
    s_.AutoMove = on;
}

void Tabula::SetAutoNewRow(bool on) {
    s_.AutoNewRow = on;
    Announce("AutoNewRow");
}

void Tabula::SetAllowSelection(bool on) {
    s_.AllowSelection = on;
    Announce("AllowSelection");
}

void Tabula::SetAllowUserResizing(bool on) {
    s_.AllowUserResizing = on;
    Announce("AllowUserResizing");
}

void Tabula::SetSelectionMode(int32_t mode) {
    // The block keeps its shape until the next selection gesture or redraw.
    s_.SelectionMode = CheckedInteger(mode);
    Announce("SelectionMode");
}

void Tabula::SetSelectText(bool on) {
    s_.SelectText = on;
    Announce("SelectText");
}

void Tabula::SetUseTABKey(bool on) {
    s_.UseTABKey = on;
    // Saved under the key "InterceptTabs".
    Announce("InterceptTabs");
}

void Tabula::SetLookupAllowEdit(bool on) {
    s_.LookupAllowEdit = on;
    Announce("LookupAllowEdit");
}

void Tabula::SetUseItemData(bool on) {
    s_.UseItemData = on;
    Announce("UseItemData");
}

void Tabula::SetListBoxRows(int16_t rows) {
    s_.ListBoxRows = rows;
    Announce("ListBoxRows");
}

void Tabula::SetEnabled(bool on) {
    Control::SetEnabled(on);
    Announce("Enabled");
}

}  // namespace tabula
