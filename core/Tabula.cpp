// The grid's life cycle: creation with its constituent controls, the initialisation of a
// new instance, the redraw entry point, resizing and destruction.

#include "core/Tabula.h"

#include "core/TabHook.h"

#include <initializer_list>

#include "edit/Editor.h"
#include "grid/Consistency.h"
#include "input/Keyboard.h"
#include "input/Mouse.h"
#include "input/Wheel.h"
#include "platform/container/Site.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/gdi/Drawing.h"
#include "platform/runtime/Error.h"
#include "platform/window/Windows.h"
#include "render/CellButtons.h"
#include "render/Layout.h"
#include "render/LookupList.h"
#include "render/Redraw.h"
#include "render/Scrolling.h"

namespace tabula {

namespace {

// The constituents are made empty: picGrid and the bars are then placed as a resize would
// place them, and the ones shown only while in use (edit boxes, buttons, the sizing bar)
// are hidden until then.
constexpr Rect kUnplaced{};
// The in-cell buttons keep their width; the placement gives them their place and height.
constexpr Rect kCellButton{0, 0, render::kCellButtonWidth, 0};

}  // namespace

Tabula::Tabula(HWND parent, const Rect& rect)
    : Control(parent, rect, "Tabula"),
      picGrid(hWnd(), kUnplaced),
      scrVertical(hWnd(), kUnplaced, true),
      scrHorizontal(hWnd(), kUnplaced, false),
      txtSingle(hWnd(), kUnplaced, false),
      txtMulti(hWnd(), kUnplaced, true),
      cmdButton(hWnd(), kCellButton, "..."),
      cmdLookup(hWnd(), kCellButton),
      picSizer(hWnd(), kUnplaced),
      g_(GridParts{*this, picGrid, scrVertical, scrHorizontal, txtSingle, txtMulti, cmdButton,
                   cmdLookup, picSizer}) {
    g_.announce = [this](std::string_view name) {
        if (Site* site = ClientSite()) site->PropertyChanged(name);
    };
    // The creation values of the state record are its initialisers: Row, Col, the block
    // corners, TopRow and LeftCol at 1, UseTABKey True, every dimension 0.
    for (Control* hidden :
         std::initializer_list<Control*>{&scrVertical, &scrHorizontal, &txtSingle, &txtMulti,
                                         &cmdButton, &cmdLookup, &picSizer}) {
        hidden->SetVisible(false);
    }
    // The bars never go below 1: TopRow and LeftCol follow their values.
    scrVertical.SetMin(1);
    scrHorizontal.SetMin(1);
    // The picture a redraw left pending is painted before anyone looks at it or any of the
    // grid's windows handles a message, so input always acts on an up-to-date picture.
    for (Control* part :
         std::initializer_list<Control*>{this, &picGrid, &scrVertical, &scrHorizontal, &txtSingle,
                                         &txtMulti, &cmdButton, &cmdLookup, &picSizer}) {
        part->SetLazyPainter([this] { render::PaintPending(g_); });
    }
    scrVertical.Change = [this] { render::VerticalBarChanged(g_); };
    scrHorizontal.Change = [this] { render::HorizontalBarChanged(g_); };
    // All mouse input of the grid arrives on picGrid.
    picGrid.MouseDown = [this](int16_t button, int16_t shift, float x, float y) {
        input::SurfaceMouseDown(g_, button, shift, x, y);
    };
    picGrid.MouseMove = [this](int16_t button, int16_t shift, float x, float y) {
        input::SurfaceMouseMove(g_, button, shift, x, y);
    };
    picGrid.MouseUp = [this](int16_t button, int16_t shift, float x, float y) {
        input::SurfaceMouseUp(g_, button, shift, x, y);
    };
    picGrid.Click = [this] { input::SurfaceClick(g_); };
    picGrid.DblClick = [this] { input::SurfaceDblClick(g_, masks_); };
    // The in-cell button tells the application which cell it belongs to; the keyboard the
    // press took goes back to the cells.
    cmdButton.Click = [this] {
        g_.events.BtnClick(s_.Row, s_.Col);
        FocusSurface(g_);
    };
    // The drop-down button opens the lookup list, with a space for the key: the value equal
    // to the cell's text is highlighted.
    cmdLookup.Click = [this] {
        FocusSurface(g_);
        edit::StartEdit(g_, masks_, ' ', true);
    };
    // The bars never keep the keyboard: it goes back to the cells.
    scrVertical.GotFocus = scrHorizontal.GotFocus = [this] { FocusSurface(g_); };
    // Keys on the cells: the application hears each one first (and may change a typed
    // character), then the grid navigates; releases navigate first.
    picGrid.KeyDown = [this](int16_t& keyCode, int16_t shift) { CellsKeyDown(keyCode, shift); };
    picGrid.KeyPress = [this](int16_t& keyAscii) {
        g_.events.KeyPress(keyAscii);
        input::CharacterTyped(g_, masks_, keyAscii);
    };
    picGrid.KeyUp = [this](int16_t& keyCode, int16_t shift) {
        input::KeyReleased(g_, keyCode, shift);
    };
    // The wheel reaches the control's window while the cells have the keyboard, and Tab
    // is the grid's.
    picGrid.GotFocus = [this] {
        input::HookPicGrid(g_);
        ActivateTabKeys();
    };
    picGrid.LostFocus = [this] {
        if (KeyboardLeftControl())
            ExitFocus();
        else
            input::UnhookPicGrid(g_);
    };
    WireEditBox(txtSingle);
    WireEditBox(txtMulti);
    PlaceConstituents();
}

Tabula::~Tabula() {
    // The record goes before the constituents: their windows' last focus changes must not
    // reach it, nor their last messages paint it.
    for (Control* part :
         std::initializer_list<Control*>{this, &picGrid, &scrVertical, &scrHorizontal, &txtSingle,
                                         &txtMulti, &cmdButton, &cmdLookup, &picSizer}) {
        part->SetLazyPainter(nullptr);
    }
    picGrid.GotFocus = picGrid.LostFocus = nullptr;
    txtSingle.LostFocus = txtMulti.LostFocus = nullptr;
    if (g_.lookupList) g_.lookupList->Dismissed = nullptr;
    render::PutLookupListAway(g_);
    input::UnhookPicGrid(g_);
    DeactivateTabKeys();
}

void Tabula::CellsKeyDown(int16_t& keyCode, int16_t shift) {
    g_.events.KeyDown(keyCode, shift);
    KeyDown(keyCode, shift);
}

void Tabula::InitNew() {
    Control::SetEnabled(true);
    s_.ColHeader = s_.RowHeader = s_.ShowGrid = s_.GridSolid = true;
    s_.GridLineColor = kLightGrey;
    s_.AllowUserResizing = true;
    s_.FormatString.clear();
    s_.AutoNewRow = s_.LookupAllowEdit = false;
    s_.ListBoxRows = 6;
    s_.UseItemData = false;
    s_.AutoRedraw = true;
    s_.AutoMove = s_.SelectText = false;
    s_.WordWrap = false;
    s_.Editor = &txtSingle;
    s_.BorderStyle = Single;
    SharedGridColors::ForThisThread().backColor = 0xFFFFFF;
    s_.BackColorAlt = 0xFFFFFF;
    s_.UseBackColorAlt = false;
    s_.BackColorFixed = kLightGrey;
    s_.BackColorBkg = 0x808080;
    SharedGridColors::ForThisThread().foreColor = 0x80000012;
    s_.ForeColorFixed = 0x80000012;
    s_.AllowSelection = true;
    s_.FixedStyle = ThreeD;
    s_.SelectionMode = SelectionFree;
    const FontDescriptor ambient = ClientSite() ? ClientSite()->AmbientFont() : FontDescriptor{};
    s_.Font = std::make_shared<FontObject>(ambient);
    s_.FontFixed = std::make_shared<FontObject>(ambient);
    s_.FontEdit = std::make_shared<FontObject>(ambient);
    FontDescriptor bold = ambient;
    bold.bold = true;
    s_.FontFixed->SetDescriptor(bold);
    // The public writes: each redraws, AutoRedraw being set by now.
    SetCols(5);
    SetRows(1);
    s_.LeftCol = s_.TopRow = 1;
    s_.Col = s_.Row = 1;
    s_.Row1 = s_.Col1 = s_.Row2 = s_.Col2 = 1;
    SetTabHook(true);
}

void Tabula::Refresh() {
    render::Refresh(g_);
}

void Tabula::RedrawIfAuto() {
    render::RedrawIfAuto(g_);
}

void Tabula::AutoSizeColumns() {
    if (s_.Cols == 0) RaiseError(kErrDivisionByZero);
    render::AutoSizeColumns(g_);
}

void Tabula::KeyDown(int16_t keyCode, int16_t shift) {
    input::NavigateKeyDown(g_, keyCode, shift);
}

void Tabula::MouseDown(int16_t button, int16_t shift, float x, float y) {
    input::MouseDown(g_, button, shift, x, y);
}

void Tabula::MouseMove(int16_t button, int16_t shift, float x, float y) {
    input::MouseMove(g_, button, shift, x, y);
}

void Tabula::MouseUp(int16_t button, int16_t shift, float x, float y) {
    input::MouseUp(g_, button, shift, x, y);
}

void Tabula::DblClick() {
    input::DblClick(g_, masks_);
}

void Tabula::MouseWheel(int32_t mouseKeys, int32_t rotation, int32_t x, int32_t y) {
    (void)mouseKeys, (void)x, (void)y;  // only the turn matters
    input::MouseWheel(g_, rotation);
}

std::string Tabula::CheckConsistency() const {
    return ConsistencyFault(s_);
}

void Tabula::AboutBox() {
    Form box(Rect{0, 0, 260, 110}, "About Tabula");
    Label text(box.hWnd(), Rect{12, 12, 248, 48}, "Tabula: an editable grid control.");
    CommandButton ok(box.hWnd(), Rect{90, 60, 170, 84}, "OK");
    ok.Click = [&box] { box.Unload(); };
    // Centred on the form that holds the grid.
    Rect owner;
    if (GetWindowRect(GetAncestorTopLevel(hWnd()), &owner)) {
        box.Move(owner.left + int32_t((owner.Width() - 260) / 2),
                 owner.top + int32_t((owner.Height() - 110) / 2));
    }
    box.Show(vbModal);
}

void Tabula::Paint() {
    image_.Fill(TranslateColorOrBlack(Control::BackColor()));
    render::PaintBorder(g_);
}

void Tabula::PlaceConstituents() {
    const int32_t w = Width();
    const int32_t h = Height();
    scrHorizontal.Move(2, h - 21, w - 23, 18);
    scrVertical.Move(w - 21, 2, 18, h - 23);
    picGrid.Move(2, 2, w - 5, h - 5);
}

void Tabula::OnResize() {
    PlaceConstituents();
    // A loader sizes the control before it reads its settings: nothing to draw yet.
    if (!s_.Font) return;
    Refresh();
    Control::Refresh();
    g_.events.Resize();
}

}  // namespace tabula
