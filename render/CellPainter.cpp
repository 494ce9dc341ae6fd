#include "render/CellPainter.h"

#include <algorithm>

#include <cassert>
#include <cmath>
#include <string_view>

#include "grid/GridRecord.h"
#include "platform/gdi/Drawing.h"

namespace tabula::render {

namespace {

constexpr int32_t kTextMargin = 2;
constexpr int32_t kCheckBoxSize = 15;

// Single line or word wrap; both without prefix processing and with an end ellipsis.
constexpr uint32_t kWrapFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS;
constexpr uint32_t kSingleLineFormat = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

// Neighbouring cells mostly share a font: selecting it again would look it up in the
// font library once more for nothing.
void UseFont(PictureBox& surface, const FontDescriptor& font) {
    if (!(surface.Font() == font)) surface.SetFont(font);
}

uint32_t HorizontalAlignFlags(int32_t align) {
    switch (align) {
        case CenterAlign:
            return DT_CENTER;
        case RightAlign:
            return DT_RIGHT;
        default:
            return DT_LEFT;
    }
}

uint32_t VerticalAlignFlags(uint8_t align) {
    switch (align) {
        case 1:
            return DT_VCENTER;
        case 2:
            return DT_BOTTOM;
        default:
            return DT_TOP;
    }
}

}  // namespace

Rect MakeRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    return Rect{x, y, x + w, y + h};
}

void FillArea(GridRecord& grid, int32_t x, int32_t y, int32_t w, int32_t h, OLE_COLOR color) {
    COLORREF rgb = 0;
    OleTranslateColor(color, &rgb);
    Brush brush = CreateSolidBrush(rgb);
    FillRect(grid.parts.picGrid.hDC(), MakeRect(x, y, w, h), brush);
    DeleteObject(brush);
}

void PaintCell(GridRecord& grid, int32_t row, int32_t col, int32_t x, int32_t y, int32_t w,
               int32_t h) {
    // One pixel wider and taller, as the raised face of a header cell is painted.
    if (!grid.paintOnly.empty()) {
        const Rect cell = MakeRect(x, y, w + 1, h + 1);
        if (std::none_of(grid.paintOnly.begin(), grid.paintOnly.end(),
                         [&](const Rect& r) { return !Intersect(cell, r).IsEmpty(); }))
            return;
    }
    const GridState& s = grid.state;
    const clsCellArray& cells = s.Cells;
    assert(row >= 0 && col >= 0 && row <= cells.Rows() && col <= cells.Cols() &&
           "only cells of the store are painted");
    PictureBox& surface = grid.parts.picGrid;
    DeviceContext& dc = surface.hDC();
    const bool header = row == 0 || col == 0;

    // 1. Background: the fixed test decides the face, the header test the colours.
    if (cells.Style(row, col) != 1) {
        OLE_COLOR color = static_cast<OLE_COLOR>(cells.BackColor(row, col));
        if (cells.BackColor(row, col) < 0) {
            color = s.UseBackColorAlt && row % 2 == 1 ? s.BackColorAlt
                                                      : SharedGridColors::ForThisThread().backColor;
        }
        FillArea(grid, x, y, w, h, color);
    } else if (!header || s.FixedStyle == ThreeD) {
        // One pixel wider and taller: the face covers the grid-line gaps too.
        PaintFixedCell3D(grid, x, y, w + 1, h + 1, cells.Value(row, col));
    } else {
        FillArea(grid, x, y, w, h, s.BackColorFixed);
    }

    // 2. The text, read in place: nothing that follows writes to the store.
    const std::string_view text = cells.Text(row, col);

    // 3. Check box, centred across the cell and one pixel below its top.
    const bool checkColumn = s.ColMask[col] == checkmark;
    if (checkColumn && !header) {
        const auto left = static_cast<int32_t>(std::nearbyint(x + w / 2.0 - 7));
        Rect box = MakeRect(left, y + 1, kCheckBoxSize, kCheckBoxSize);
        DrawFrameControl(dc, box, DFC_BUTTON, text == "1" ? DFCS_CHECKED : DFCS_BUTTONCHECK);
    }

    // 4. Colours and font. A data cell's own font attributes count only while it has a
    // font name of its own.
    if (header) {
        surface.SetForeColor(s.ForeColorFixed);
        UseFont(surface, s.FontFixed->Descriptor());
    } else {
        const int32_t fore = cells.ForeColor(row, col);
        surface.SetForeColor(fore >= 0 ? static_cast<OLE_COLOR>(fore)
                                       : SharedGridColors::ForThisThread().foreColor);
        UseFont(surface, s.Font->Descriptor());
        if (!cells.FontName(row, col).empty()) {
            UseFont(surface,
                    FontDescriptor{cells.FontName(row, col),
                                   static_cast<float>(cells.FontSize(row, col)),
                                   cells.FontBold(row, col), cells.FontItalic(row, col),
                                   cells.FontUnderline(row, col), cells.FontStrikethru(row, col)});
        }
    }

    // 5. Text over the background, inside 2-pixel side margins.
    if ((!text.empty() && !checkColumn) || header) {
        uint32_t format = s.WordWrap ? kWrapFormat : kSingleLineFormat;
        format += HorizontalAlignFlags(s.ColAlign[col]);
        format += VerticalAlignFlags(cells.TextAlignVertical(row, col));
        Rect bounds{x + kTextMargin, y, x + w - kTextMargin, y + h};
        DrawText(dc, text, bounds, format);
    }
}

void PaintFixedCell3D(GridRecord& grid, int32_t x, int32_t y, int32_t w, int32_t h,
                      int16_t pressed) {
    Rect rect = MakeRect(x, y, w, h);
    DeviceContext& dc = grid.parts.picGrid.hDC();
    FillArea(grid, x, y, w, h, kLightGrey);
    if (pressed == -1) {
        DrawEdge(dc, rect, BDR_SUNKENINNER, BF_TOPLEFT);
        DrawEdge(dc, rect, BDR_SUNKENOUTER, BF_BOTTOMRIGHT);
    } else if (pressed == 0) {
        DrawEdge(dc, rect, BDR_RAISEDINNER, BF_TOPLEFT);
        DrawEdge(dc, rect, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
    }
}

}  // namespace tabula::render
