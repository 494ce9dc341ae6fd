#include "render/Redraw.h"

#include <algorithm>

#include "core/Tabula.h"
#include "input/Selection.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/Windows.h"
#include "render/CellPainter.h"
#include "render/Layout.h"
#include "render/Overlays.h"

namespace tabula::render {

namespace {

constexpr int16_t kSolidPen = 0;
constexpr int16_t kDottedPen = 2;
constexpr int32_t kCornerSize = 20;

int32_t LineWidthFor(const GridState& s) {
    return s.ShowGrid ? 1 : 0;
}

int16_t ToLargeChange(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

// The square between the two bars, which lie over picGrid.
void PaintScrollCorner(Tabula& grid) {
    const GridState& s = grid.State();
    const bool barsShown = grid.scrVertical.Visible() && grid.scrHorizontal.Visible();
    if (barsShown || (s.HScrollNeeded && s.VScrollNeeded)) {
        FillArea(grid, grid.picGrid.ScaleWidth() - kCornerSize,
                 grid.picGrid.ScaleHeight() - kCornerSize, kCornerSize, kCornerSize, kLightGrey);
    }
}

// Whether the bar stays: the content reaches the edge, or the grid is scrolled and the
// user must be able to scroll back.
bool ScrollNeeded(int32_t& contentEnd, int32_t size, int32_t firstShown) {
    if (contentEnd >= size - 1) {
        contentEnd = size - 1;
        return true;
    }
    return firstShown >= 2;
}

}  // namespace

void Refresh(Tabula& grid) {
    GridState& s = grid.State();
    // Ending an edit in progress joins here with the editor.
    grid.picGrid.Cls();
    if (s.Row < 1 && s.Rows >= 1) s.Row = 1;
    if (s.Col < 1 && s.Cols >= 1) s.Col = 1;
    s.GridLineWidth = LineWidthFor(s);
    const auto bothBarsShown = [&] {
        return grid.scrVertical.Visible() && grid.scrHorizontal.Visible();
    };
    const bool shownWhilePainting = bothBarsShown();
    PaintGrid(grid, PaintHeader::Yes);
    ShowScrollBars(grid);
    // The square between the bars was painted while both still showed: when this paint hid
    // one of them, the cells under the square are painted once more.
    if (shownWhilePainting && !bothBarsShown() && !(s.HScrollNeeded && s.VScrollNeeded))
        PaintGrid(grid, PaintHeader::Yes);
    input::ApplySelectionMode(grid);
}

void PaintGrid(Tabula& grid, PaintHeader header) {
    GridState& s = grid.State();
    int32_t y = 1;
    if (s.ColHeader) {
        if (header == PaintHeader::Yes) PaintRow(grid, 0, 1);
        y = s.RowHeight[0] + 1 + s.GridLineWidth;
        s.ContentBottom = s.RowHeight[0] + 1;
    } else {
        s.ContentBottom = 0;
    }
    const int32_t w = grid.picGrid.ScaleWidth();
    const int32_t h = grid.picGrid.ScaleHeight();

    // Only the rows in view are painted: the walk stops at the first row past the bottom.
    for (int32_t r = s.TopRow; r <= s.Rows; ++r) {
        PaintRow(grid, r, y);
        y += s.RowHeight[r] + s.GridLineWidth;
        if (y > h - 1 || r == s.Rows) {
            // The page size is known only once the rows reach the bottom: a grid whose
            // rows all fit says nothing about it, and fixing it then would leave paging
            // one row at a time in a grid that was filled later.
            if (s.PageRows < 1 && y > h - 1) {
                s.PageRows = r - s.TopRow - 1;
                if (s.PageRows > 0) grid.scrVertical.SetLargeChange(ToLargeChange(s.PageRows));
            }
            s.ContentBottom = y - 1;
            break;
        }
    }
    s.VScrollNeeded = ScrollNeeded(s.ContentBottom, h, s.TopRow);
    s.HScrollNeeded = ScrollNeeded(s.ContentRight, w, s.LeftCol);

    // The background right of and below the cells; each rectangle runs past the edges.
    if (s.BorderStyle == NoBorder) {
        FillArea(grid, 0, s.ContentBottom + 1, w, h - 1, s.BackColorBkg);
        FillArea(grid, s.ContentRight + 1, 0, w, h, s.BackColorBkg);
    } else {
        FillArea(grid, 1, s.ContentBottom + 1, w - 1, h - 1, s.BackColorBkg);
        FillArea(grid, s.ContentRight + 1, 1, w, h - 1, s.BackColorBkg);
    }

    if (s.Rows > 0) {
        DrawGridLines(grid);
        ToggleSelection(grid);
        if (!CellPosition(grid, s.Row, s.Col).outOfView) DrawFocusCell(grid, s.Row, s.Col);
    }
    BuildResizeBoundaries(grid);
}

void PaintRow(Tabula& grid, int32_t row, int32_t y) {
    GridState& s = grid.State();
    s.GridLineWidth = LineWidthFor(s);
    const int32_t h = s.RowHeight[row];
    const int32_t w = grid.picGrid.ScaleWidth();
    int32_t x = 1;
    if (s.RowHeader) {
        PaintCell(grid, row, 0, 1, y, s.ColWidth[0], h);
        x = 1 + s.ColWidth[0] + s.GridLineWidth;
    }
    s.HScrollNeeded = s.LeftCol > 1;
    for (int32_t c = s.LeftCol; c <= s.Cols; ++c) {
        PaintCell(grid, row, c, x, y, s.ColWidth[c], h);
        x += s.ColWidth[c] + s.GridLineWidth;
        if (x > w - 1) {
            s.HScrollNeeded = true;
            if (s.PageCols == 0) s.PageCols = c - s.LeftCol;
            grid.scrHorizontal.SetLargeChange(s.PageCols > 0 ? ToLargeChange(s.PageCols) : 1);
            break;
        }
    }
    s.ContentRight = std::min(x - 1, w - 1);
}

void PaintColumn(Tabula& grid, int32_t col, int32_t x, PaintHeader header) {
    GridState& s = grid.State();
    s.GridLineWidth = LineWidthFor(s);
    const int32_t w = s.ColWidth[col];
    const int32_t h = grid.picGrid.ScaleHeight();
    int32_t y = 1;
    if (s.ColHeader) {
        if (header == PaintHeader::Yes) PaintCell(grid, 0, col, x, 1, w, s.RowHeight[0]);
        y = 1 + s.RowHeight[0] + s.GridLineWidth;
    }
    s.VScrollNeeded = s.TopRow > 1;
    for (int32_t r = s.TopRow; r <= s.Rows; ++r) {
        PaintCell(grid, r, col, x, y, w, s.RowHeight[r]);
        y += s.RowHeight[r] + s.GridLineWidth;
        if (y > h) {
            s.VScrollNeeded = true;
            grid.scrVertical.SetLargeChange(ToLargeChange(r - s.TopRow));
            break;
        }
    }
    s.ContentBottom = std::min(y - 1, h - 1);
}

void DrawGridLines(Tabula& grid) {
    GridState& s = grid.State();
    const int32_t w = grid.picGrid.ScaleWidth();
    const int32_t h = grid.picGrid.ScaleHeight();
    if (s.ShowGrid) {
        if (!s.GridSolid) grid.picGrid.SetDrawStyle(kDottedPen);
        const int32_t r1 = s.TopRow, c1 = s.LeftCol, r2 = s.Rows, c2 = s.Cols;
        const CellPlace first = CellPosition(grid, r1, c1);
        const CellPlace last = CellPosition(grid, r2, c2);

        // Vertical lines in the gap right of each shown column.
        int32_t x = s.RowHeader ? s.ColWidth[0] + s.GridLineWidth : 0;
        for (int32_t c = c1; c <= c2; ++c) {
            x += s.ColWidth[c] + s.GridLineWidth;
            if (x > w) break;
            DrawLine(grid, x, first.y, x, last.y + s.RowHeight[r2], s.GridLineColor);
        }
        // Horizontal lines in the gap below each shown row.
        int32_t y = s.ColHeader ? s.RowHeight[0] + s.GridLineWidth : 0;
        for (int32_t r = r1; r <= r2; ++r) {
            y += s.RowHeight[r] + s.GridLineWidth;
            if (y > h) break;
            DrawLine(grid, first.x, y, last.x + s.ColWidth[c2], y, s.GridLineColor);
        }
        // The frame is always solid.
        grid.picGrid.SetDrawStyle(kSolidPen);
    }
    DrawBlockFrame(grid);
    PaintScrollCorner(grid);
}

void DrawBlockFrame(Tabula& grid, int32_t r1, int32_t c1, int32_t r2, int32_t c2) {
    const GridState& s = grid.State();
    const CellPlace first = CellPosition(grid, r1, c1);
    const CellPlace last = CellPosition(grid, r2, c2);
    const int32_t right = last.x + s.ColWidth[c2];
    const int32_t bottom = last.y + s.RowHeight[r2];
    const OLE_COLOR color = s.GridLineColor;
    // Raised 3D headers make the top and left edges themselves.
    if (s.FixedStyle == Flat || !s.ColHeader)
        DrawLine(grid, first.x, first.y, right, first.y, color);
    DrawLine(grid, first.x, bottom, right, bottom, color);
    if (s.FixedStyle == Flat || !s.RowHeader)
        DrawLine(grid, first.x, first.y, first.x, bottom, color);
    // The line ends before its end point: one pixel further closes the bottom-right corner.
    DrawLine(grid, right, first.y, right, bottom + 1, color);
}

void DrawBlockFrame(Tabula& grid) {
    const GridState& s = grid.State();
    DrawBlockFrame(grid, s.TopRow, s.LeftCol, s.Rows, s.Cols);
}

void DrawLine(Tabula& grid, int32_t x1, int32_t y1, int32_t x2, int32_t y2, OLE_COLOR color) {
    grid.picGrid.SetForeColor(color);
    DeviceContext& dc = grid.picGrid.hDC();
    MoveToEx(dc, x1, y1);
    LineTo(dc, x2, y2);
}

void PaintBorder(Tabula& grid) {
    struct EdgePair {
        uint32_t topLeft;
        uint32_t bottomRight;
    };
    Rect client;
    GetClientRect(grid.hWnd(), &client);
    DeviceContext& dc = grid.hDC();
    const auto pair = [&](EdgePair edges) {
        DrawEdge(dc, client, edges.topLeft, BF_TOPLEFT);
        DrawEdge(dc, client, edges.bottomRight, BF_BOTTOMRIGHT);
    };
    switch (grid.State().BorderStyle) {
        case Single:
            DrawEdge(dc, client, BDR_RAISEDOUTER, BF_RECT | BF_MONO);
            break;
        case ThinRaised:
            pair({BDR_RAISEDINNER, BDR_RAISEDOUTER});
            break;
        case ThickRaised:
            pair({EDGE_RAISED, EDGE_RAISED});
            break;
        case ThinInset:
            pair({BDR_SUNKENINNER, BDR_SUNKENOUTER});
            break;
        case ThickInset:
            pair({EDGE_SUNKEN, EDGE_SUNKEN});
            break;
        case Etched:
            pair({EDGE_ETCHED, EDGE_ETCHED});
            break;
        case Bump:
            pair({EDGE_BUMP, EDGE_BUMP});
            break;
        default:
            break;  // NoBorder and values outside the list draw nothing
    }
}

}  // namespace tabula::render
