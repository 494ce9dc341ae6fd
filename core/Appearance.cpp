// Appearance: colours, grid lines, header style, border, fonts, the edit box's word
// wrap, the mouse pointer and the grid's picture. Appearance writes redraw always.

#include "core/Tabula.h"
#include "grid/Checks.h"

namespace tabula {

OLE_COLOR Tabula::BackColor() const {
    return SharedGridColors::ForThisThread().backColor;
}

void Tabula::SetBackColor(OLE_COLOR color) {
    SharedGridColors::ForThisThread().backColor = color;
    // Changes nothing unless the grid has no rows, when row 0 is set up afresh.
    SetRowCount(s_, s_.Rows);
    Refresh();
    Announce("BackColor");
}

OLE_COLOR Tabula::ForeColor() const {
    return SharedGridColors::ForThisThread().foreColor;
}

void Tabula::SetForeColor(OLE_COLOR color) {
    // Shows at the next redraw.
    SharedGridColors::ForThisThread().foreColor = color;
    Announce("ForeColor");
}

void Tabula::SetBackColorAlt(OLE_COLOR color) {
    s_.BackColorAlt = color;
    Refresh();
    Announce("BackColorAlt");
}

void Tabula::SetUseBackColorAlt(bool on) {
    s_.UseBackColorAlt = on;
    Refresh();
    Announce("UseBackColorAlt");
}

void Tabula::SetBackColorFixed(OLE_COLOR color) {
    s_.BackColorFixed = color;
    Refresh();
    Announce("BackColorFixed");
}

void Tabula::SetForeColorFixed(OLE_COLOR color) {
    s_.ForeColorFixed = color;
    Refresh();
    Announce("ForeColorFixed");
}

void Tabula::SetBackColorBkg(OLE_COLOR color) {
    s_.BackColorBkg = color;
    ApplySurfaceColor();
    Refresh();
    Announce("BackColorBkg");
}

void Tabula::SetGridLineColor(OLE_COLOR color) {
    s_.GridLineColor = color;
    Refresh();
    Announce("GridLineColor");
}

void Tabula::SetShowGrid(bool on) {
    s_.ShowGrid = on;
    Refresh();
}

void Tabula::SetGridSolid(bool on) {
    s_.GridSolid = on;
    Refresh();
}

void Tabula::SetFixedStyle(int32_t style) {
    const int16_t stored = CheckedInteger(style);
    if (stored == s_.FixedStyle) return;
    s_.FixedStyle = stored;
    Refresh();
    Announce("FixedStyle");
}

void Tabula::SetBorderStyle(int32_t style) {
    const int16_t stored = CheckedInteger(style);
    if (stored == s_.BorderStyle) return;
    s_.BorderStyle = stored;
    // The border lives on the control's own surface: that is what repaints, not the cells.
    ApplySurfaceColor();
    Control::Refresh();
    Announce("BorderStyle");
}

void Tabula::ApplySurfaceColor() {
    Control::SetBackColor(s_.BorderStyle != NoBorder ? kLightGrey : s_.BackColorBkg);
}

void Tabula::StoreFont(FontPtr& field, FontPtr font, std::string_view name) {
    // Every painter draws with these fonts: a grid without one has nothing to draw with.
    if (!font) RaiseError(kErrInvalidPropertyValue);
    field = std::move(font);
    Refresh();
    Announce(name);
}

void Tabula::SetFont(FontPtr font) {
    StoreFont(s_.Font, std::move(font), "Font");
}

void Tabula::SetFontFixed(FontPtr font) {
    StoreFont(s_.FontFixed, std::move(font), "FontFixed");
}

void Tabula::SetFontEdit(FontPtr font) {
    StoreFont(s_.FontEdit, std::move(font), "FontEdit");
}

void Tabula::SetWordWrap(bool on) {
    EndEditFirst();
    s_.WordWrap = on;
    s_.Editor = on ? &txtMulti : &txtSingle;
    Refresh();
    Announce("WordWrap");
}

void Tabula::SetMousePointer(int32_t pointer) {
    const int16_t stored = CheckedInteger(pointer);
    Control::SetMousePointer(stored);
    picGrid.SetMousePointer(stored);
    Announce("MousePointer");
}

void Tabula::SetMouseIcon(PicturePtr icon) {
    // picGrid shows the control's pointer image: the one reference serves both.
    mouseIcon_ = std::move(icon);
    Announce("MouseIcon");
}

PicturePtr Tabula::Picture() const {
    return std::make_shared<tabula::Picture>(picGrid.Picture());
}

}  // namespace tabula
