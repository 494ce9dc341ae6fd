#include "services/ColorDialog.h"

#include <algorithm>
#include <string>

#include "platform/forms/Label.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TextBox.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/VirtualKeys.h"
#include "services/DialogParts.h"

namespace tabula {

namespace {

// A swatch's cell, gap and ring included.
constexpr int32_t kPitchX = 26;
constexpr int32_t kPitchY = 22;
constexpr COLORREF kWhite = RGB(255, 255, 255);

Rect Inflated(const Rect& r, int32_t by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// The swatch whose cell holds a point, -1 for none.
int32_t SwatchAt(float x, float y, int32_t count) {
    if (x < 0 || y < 0) return -1;
    const auto column = static_cast<int32_t>(x) / kPitchX;
    const int32_t index = static_cast<int32_t>(y) / kPitchY * kSwatchColumns + column;
    return column < kSwatchColumns && index < count ? index : -1;
}

// The leading digits of a value box as a channel: nothing is 0, more than 255 is 255.
uint8_t ChannelValue(const std::string& text) {
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min(value * 10 + (c - '0'), 255);
    }
    return static_cast<uint8_t>(value);
}

class ColorDialog {
public:
    ColorDialog(COLORREF initial, HWND owner);
    ColorDialogResult Run();

private:
    enum class Grid { Basic, Custom };
    struct Selection {
        Grid grid = Grid::Basic;
        int32_t index = -1;  // none
    };

    PictureBox& Picture(Grid grid) { return grid == Grid::Basic ? picBasic_ : picCustom_; }
    const COLORREF* Colors(Grid grid) const {
        return grid == Grid::Basic ? BasicColors().data() : custom_.data();
    }
    static int32_t Count(Grid grid) {
        return grid == Grid::Basic ? kBasicColorCount : kCustomColorCount;
    }

    void WireGrid(Grid grid);
    // Selects a swatch and makes its colour current.
    void Select(Grid grid, int32_t index);
    void MoveSelection(Grid grid, int16_t keyCode);
    void PaintGrid(Grid grid);
    void PaintCurrent();
    void ShowValues();
    void ValueTyped();
    void AddCustom();

    static constexpr int32_t kWidth = 312;
    static constexpr int32_t kHeight = 264;

    COLORREF color_;
    std::array<COLORREF, kCustomColorCount> custom_;
    Selection selection_;
    int32_t nextCustom_ = 0;
    bool showingValues_ = false;  // the value boxes are being written from the colour

    DialogForm dialog_;
    Label lblBasic_{dialog_.hWnd(), {8, 8, 216, 22}, "Basic colors:"};
    PictureBox picBasic_{
        dialog_.hWnd(),
        {8, 24, 8 + kSwatchColumns* kPitchX, 24 + kBasicColorCount / kSwatchColumns* kPitchY}};
    Label lblCustom_{dialog_.hWnd(), {8, 162, 216, 176}, "Custom colors:"};
    PictureBox picCustom_{
        dialog_.hWnd(),
        {8, 178, 8 + kSwatchColumns* kPitchX, 178 + kCustomColorCount / kSwatchColumns* kPitchY}};
    CommandButton cmdAdd_{dialog_.hWnd(), {8, 230, 216, 253}, "Add to Custom Colors"};
    PictureBox picCurrent_{dialog_.hWnd(), {228, 24, 304, 72}};
    Label lblRed_{dialog_.hWnd(), {228, 86, 268, 100}, "Red:"};
    TextBox txtRed_{dialog_.hWnd(), {268, 82, 304, 103}};
    Label lblGreen_{dialog_.hWnd(), {228, 112, 268, 126}, "Green:"};
    TextBox txtGreen_{dialog_.hWnd(), {268, 108, 304, 129}};
    Label lblBlue_{dialog_.hWnd(), {228, 138, 268, 152}, "Blue:"};
    TextBox txtBlue_{dialog_.hWnd(), {268, 134, 304, 155}};
    CommandButton cmdOk_{dialog_.hWnd(), {228, 202, 304, 225}, "OK"};
    CommandButton cmdCancel_{dialog_.hWnd(), {228, 230, 304, 253}, "Cancel"};
};

ColorDialog::ColorDialog(COLORREF initial, HWND owner)
    : color_(initial & 0xFFFFFF), dialog_(owner, kWidth, kHeight, "Color") {
    custom_.fill(kWhite);
    picBasic_.SetName("picBasic");
    picCustom_.SetName("picCustom");
    picCurrent_.SetName("picCurrent");
    txtRed_.SetName("txtRed");
    txtGreen_.SetName("txtGreen");
    txtBlue_.SetName("txtBlue");
    cmdAdd_.SetName("cmdAddCustom");
    cmdOk_.SetName("cmdOK");
    cmdCancel_.SetName("cmdCancel");
    Control* order[] = {&picBasic_, &picCustom_, &txtRed_, &txtGreen_,
                        &txtBlue_,  &cmdAdd_,    &cmdOk_,  &cmdCancel_};
    int16_t index = 0;
    for (Control* control : order)
        control->SetTabIndex(index++);
    picCurrent_.SetTabStop(false);

    WireGrid(Grid::Basic);
    WireGrid(Grid::Custom);
    for (TextBox* box : {&txtRed_, &txtGreen_, &txtBlue_}) {
        box->SetMaxLength(3);
        // Digits only; control characters (Backspace, Ctrl+A) pass.
        box->KeyPress = [](int16_t& keyAscii) {
            if (keyAscii >= ' ' && (keyAscii < '0' || keyAscii > '9')) keyAscii = 0;
        };
        box->KeyDown = [this](int16_t& keyCode, int16_t) {
            if (keyCode != VK_RETURN) return;
            keyCode = 0;
            dialog_.Accept();
        };
        box->Change = [this] { ValueTyped(); };
    }
    cmdAdd_.Click = [this] { AddCustom(); };
    cmdOk_.Click = [this] { dialog_.Accept(); };
    cmdCancel_.Click = [this] { dialog_.Cancel(); };

    const auto& basic = BasicColors();
    const auto preset = std::find(basic.begin(), basic.end(), color_);
    selection_ = {Grid::Basic, preset == basic.end() ? -1 : int32_t(preset - basic.begin())};
    PaintGrid(Grid::Basic);
    PaintGrid(Grid::Custom);
    PaintCurrent();
    ShowValues();
}

ColorDialogResult ColorDialog::Run() {
    const bool chosen = dialog_.Run();
    return {chosen, color_};
}

void ColorDialog::WireGrid(Grid grid) {
    PictureBox& picture = Picture(grid);
    picture.MouseDown = [this, grid](int16_t button, int16_t, float x, float y) {
        if (button != vbLeftButton) return;
        const int32_t index = SwatchAt(x, y, Count(grid));
        if (index >= 0) Select(grid, index);
    };
    picture.DblClick = [this, grid] {
        if (selection_.grid == grid && selection_.index >= 0) dialog_.Accept();
    };
    picture.KeyDown = [this, grid](int16_t& keyCode, int16_t) {
        if (keyCode == VK_RETURN) {
            keyCode = 0;
            dialog_.Accept();
            return;
        }
        MoveSelection(grid, keyCode);
    };
}

void ColorDialog::Select(Grid grid, int32_t index) {
    const Grid before = selection_.grid;
    selection_ = {grid, index};
    color_ = Colors(grid)[index];
    PaintGrid(grid);
    if (before != grid) PaintGrid(before);
    PaintCurrent();
    ShowValues();
}

void ColorDialog::MoveSelection(Grid grid, int16_t keyCode) {
    const int32_t last = Count(grid) - 1;
    const int32_t current = selection_.grid == grid ? selection_.index : -1;
    int32_t target = current;
    switch (keyCode) {
        case VK_LEFT:
            target = current - 1;
            break;
        case VK_RIGHT:
            target = current + 1;
            break;
        case VK_UP:
            target = current - kSwatchColumns;
            break;
        case VK_DOWN:
            target = current + kSwatchColumns;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = last;
            break;
        default:
            return;
    }
    // With nothing selected in this grid, any move starts at its first swatch.
    if (current < 0) target = 0;
    if (target >= 0 && target <= last) Select(grid, target);
}

void ColorDialog::PaintGrid(Grid grid) {
    PictureBox& picture = Picture(grid);
    picture.Cls();
    DeviceContext& dc = picture.hDC();
    const COLORREF* colors = Colors(grid);
    for (int32_t i = 0; i < Count(grid); ++i) {
        Rect swatch = ColorSwatchRect(i);
        // The selected swatch sits in a black and white ring, seen on any colour.
        if (selection_.grid == grid && selection_.index == i) {
            FillRect(dc, Inflated(swatch, 2), CreateSolidBrush(RGB(0, 0, 0)));
            FillRect(dc, Inflated(swatch, 1), CreateSolidBrush(kWhite));
        }
        DrawEdge(dc, swatch, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillRect(dc, swatch, CreateSolidBrush(colors[i]));
    }
    picture.Refresh();
}

void ColorDialog::PaintCurrent() {
    picCurrent_.Cls();
    Rect swatch = picCurrent_.Image().Bounds();
    DrawEdge(picCurrent_.hDC(), swatch, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(picCurrent_.hDC(), swatch, CreateSolidBrush(color_));
    picCurrent_.Refresh();
}

void ColorDialog::ShowValues() {
    showingValues_ = true;
    txtRed_.SetText(std::to_string(GetRValue(color_)));
    txtGreen_.SetText(std::to_string(GetGValue(color_)));
    txtBlue_.SetText(std::to_string(GetBValue(color_)));
    showingValues_ = false;
}

void ColorDialog::ValueTyped() {
    if (showingValues_) return;
    color_ = RGB(ChannelValue(txtRed_.Text()), ChannelValue(txtGreen_.Text()),
                 ChannelValue(txtBlue_.Text()));
    // A swatch stays selected only while it shows the current colour.
    if (selection_.index >= 0 && Colors(selection_.grid)[selection_.index] != color_) {
        selection_.index = -1;
        PaintGrid(selection_.grid);
    }
    PaintCurrent();
}

void ColorDialog::AddCustom() {
    const int32_t slot = nextCustom_;
    nextCustom_ = (nextCustom_ + 1) % kCustomColorCount;
    custom_[slot] = color_;
    Select(Grid::Custom, slot);
}

}  // namespace

const std::array<COLORREF, kBasicColorCount>& BasicColors() {
    static const std::array<COLORREF, kBasicColorCount> colors = {
        // Light.
        RGB(255, 128, 128),
        RGB(255, 192, 128),
        RGB(255, 255, 128),
        RGB(128, 255, 128),
        RGB(128, 255, 255),
        RGB(128, 128, 255),
        RGB(192, 128, 255),
        RGB(255, 128, 255),
        // Pure.
        RGB(255, 0, 0),
        RGB(255, 128, 0),
        RGB(255, 255, 0),
        RGB(0, 255, 0),  //
        RGB(0, 255, 255),
        RGB(0, 0, 255),
        RGB(128, 0, 255),
        RGB(255, 0, 255),
        // Mid.
        RGB(192, 0, 0),
        RGB(192, 96, 0),
        RGB(192, 192, 0),
        RGB(0, 192, 0),  //
        RGB(0, 192, 192),
        RGB(0, 0, 192),
        RGB(96, 0, 192),
        RGB(192, 0, 192),
        // Dark.
        RGB(128, 0, 0),
        RGB(128, 64, 0),
        RGB(128, 128, 0),
        RGB(0, 128, 0),  //
        RGB(0, 128, 128),
        RGB(0, 0, 128),
        RGB(64, 0, 128),
        RGB(128, 0, 128),
        // Darker.
        RGB(64, 0, 0),
        RGB(64, 32, 0),
        RGB(64, 64, 0),
        RGB(0, 64, 0),  //
        RGB(0, 64, 64),
        RGB(0, 0, 64),
        RGB(32, 0, 64),
        RGB(64, 0, 64),
        // Greys.
        RGB(0, 0, 0),
        RGB(64, 64, 64),
        RGB(96, 96, 96),
        RGB(128, 128, 128),  //
        RGB(160, 160, 160),
        RGB(192, 192, 192),
        RGB(224, 224, 224),
        RGB(255, 255, 255),
    };
    return colors;
}

Rect ColorSwatchRect(int32_t index) {
    const int32_t left = index % kSwatchColumns * kPitchX + 2;
    const int32_t top = index / kSwatchColumns * kPitchY + 2;
    return {left, top, left + kPitchX - 4, top + kPitchY - 4};
}

ColorDialogResult RunColorDialog(COLORREF initial, HWND owner) {
    ColorDialog dialog(initial, owner);
    return dialog.Run();
}

}  // namespace tabula
