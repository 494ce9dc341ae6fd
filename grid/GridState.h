#pragma once

// The state record of one grid: dimensions, header flags, behaviour flags, colours,
// fonts, the per-row and per-column arrays, the current cell and selection, the scroll
// position and the objects the grid owns. It lives in the grid's record (GridRecord.h)
// beside the constituent controls; the subsystems take that record.

#include <cstdint>
#include <vector>

#include "grid/CellArray.h"
#include "platform/container/FontObject.h"
#include "platform/gdi/Color.h"
#include "platform/runtime/Variant.h"

namespace tabula {

class TextBox;

// Public enumerations of the grid.
enum BorderStyles : int16_t {
    NoBorder = 0,
    Single = 1,
    ThinRaised = 2,
    ThickRaised = 3,
    ThinInset = 4,
    ThickInset = 5,
    Etched = 6,
    Bump = 7,
};
enum FixedStyles : int16_t { Flat = 0, ThreeD = 1 };
enum SelectModes : int16_t {
    SelectionFree = 0,
    SelectionByRow = 1,
    SelectionByCol = 2,
    SelectionByRowHeader = 3,
};
enum HorizontalAlign : int32_t { LeftAlign = 0, CenterAlign = 1, RightAlign = 2 };
enum EditMasks : int16_t {
    NoMask = 0,
    Uppercase = 1,
    NumericOnly = 2,
    DateOnly = 3,
    checkmark = 4,
    EuroDate = 5,
    SSN = 6,
    Phone = 7,
    USZip = 8,
    IntlZip = 9,
    Time12hr = 10,
    Time24hr = 11,
};

// One value a lookup column offers, with the item data it stands for (Empty when none).
struct clsLookup {
    int16_t Column = 0;
    std::string Value;
    Variant ItemData;
};

// A column whose current cell shows the in-cell button.
struct clsButton {
    int16_t Column = 0;
};

// The light grey of 3D faces, the default grid lines, the scroll-bar corner and the
// surface around a border.
constexpr OLE_COLOR kLightGrey = 0xC0C0C0;

// The data-cell colours, shared by every grid of the thread: setting them on one grid
// changes them for all.
struct SharedGridColors {
    OLE_COLOR backColor = 0xFFFFFF;
    OLE_COLOR foreColor = 0x80000012;
    static SharedGridColors& ForThisThread();
};

struct GridState {
    // Dimensions and headers.
    int32_t Rows = 0;
    int32_t Cols = 0;
    bool ColHeader = false;
    bool RowHeader = false;

    // Current cell, selection, scroll position, mouse.
    int32_t Row = 1, Col = 1;
    int32_t Row1 = 1, Col1 = 1, Row2 = 1, Col2 = 1;
    int32_t TopRow = 1, LeftCol = 1;
    int32_t MouseRow = 0, MouseCol = 0;

    // Behaviour.
    bool AutoRedraw = false;
    bool AutoMove = false;
    bool AutoNewRow = false;
    bool AllowSelection = false;
    bool AllowUserResizing = false;
    int16_t SelectionMode = SelectionFree;
    int16_t FixedStyle = Flat;
    int16_t BorderStyle = NoBorder;
    bool ShowGrid = false;
    bool GridSolid = false;
    bool UseBackColorAlt = false;
    bool WordWrap = false;
    bool SelectText = false;
    bool LookupAllowEdit = false;
    bool UseItemData = false;
    int16_t ListBoxRows = 0;
    bool UseTABKey = true;

    // Colours of this grid (the data-cell colours are in SharedGridColors).
    OLE_COLOR BackColorAlt = 0;
    OLE_COLOR BackColorFixed = 0;
    OLE_COLOR ForeColorFixed = 0;
    OLE_COLOR BackColorBkg = 0;
    OLE_COLOR GridLineColor = 0;

    // Fonts and texts. The fonts are shared references: whoever set them may change them.
    // They are never null once the grid is initialised.
    FontPtr Font;
    FontPtr FontFixed;
    FontPtr FontEdit;
    std::string FormatString;

    // Per-column arrays, 0..Cols (never shorter than 0..1).
    std::vector<int16_t> ColWidth;
    std::vector<int32_t> ColAlign;
    std::vector<bool> ColAllowEdit;
    std::vector<int16_t> ColMask;
    std::vector<int16_t> ColEditWidth;

    // Per-row arrays, 0..Rows (never shorter than 0..1).
    std::vector<int16_t> RowHeight;
    std::vector<Variant> RowBookmark;

    // Owned objects. The mask objects and the key sender join the record with the
    // subsystems that use them.
    clsCellArray Cells;
    // The lookup values and the button columns, in the order they were added; nothing is
    // de-duplicated (grid/ColumnLists.h).
    std::vector<clsLookup> LookupList;
    std::vector<clsButton> ButtonList;
    std::vector<int32_t> ColBoundaries;
    std::vector<int32_t> RowBoundaries;
    // The edit box in use: txtSingle, or txtMulti when WordWrap is set. Null until the
    // grid is initialised.
    TextBox* Editor = nullptr;

    // Working fields of the layout, editing and mouse handling.
    int32_t GridLineWidth = 0;
    int32_t ContentRight = 0;
    int32_t ContentBottom = 0;
    bool HScrollNeeded = false;
    bool VScrollNeeded = false;
    int32_t PageRows = 0;
    int32_t PageCols = 0;
    bool PageRowsFixed = false;  // PageRows came from rows that reached the bottom
    bool Editing = false;
    bool EditCancel = false;
    bool EditEnding = false;  // an ending runs: endings its handlers cause do nothing
    bool RowsSelected = false;
    bool ColsSelected = false;
    bool MouseButtonDown = false;
    bool SizingColumn = false;
    bool SizingRow = false;
    bool HeaderClicked = false;
    int32_t HoverColBoundary = -1;  // 1-based index into ColBoundaries, -1 for none
    int32_t HoverRowBoundary = -1;
};

// Grow or shrink the per-column (per-row) arrays together with the cell store, and give
// new columns (rows) their defaults. The caller stores Cols (Rows) afterwards. A failure
// of the cell store (a negative count) raises error 9 with nothing changed.
void SetColumnCount(GridState& s, int32_t n);
void SetRowCount(GridState& s, int32_t n);

}  // namespace tabula
