#include "render/Redraw.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/Drawing.h"
#include "platform/window/Windows.h"
#include "render/CellPainter.h"
#include "render/EditEndings.h"
#include "render/Layout.h"
#include "render/Overlays.h"

namespace tabula::render {

namespace {

constexpr int16_t kSolidPen = 0;
constexpr int16_t kDottedPen = 2;
constexpr int32_t kCornerSize = 20;

bool BothBarsShown(const GridRecord& grid) {
    return grid.parts.scrVertical.Visible() && grid.parts.scrHorizontal.Visible();
}

}  // namespace

namespace {

// The redraw procedure; `layOut` false for writes to cells, which change neither the
// layout nor the bars.
void Redraw(GridRecord& grid, bool layOut) {
    GridState& s = grid.state;
    ++grid.redrawCount;
    EndEditBeforeRepaint(grid, AfterEnding::Redraw);
    if (s.Row < 1 && s.Rows >= 1) s.Row = 1;
    if (s.Col < 1 && s.Cols >= 1) s.Col = 1;
    // What anyone can see at once: the layout, the bars and the block's shape. The
    // picture waits for PaintPending.
    if (layOut) {
        LayOut(grid);
        ShowScrollBars(grid);
    }
    ShapeBlockForMode(grid);
    if (!grid.paintPending) {
        grid.paintPending = true;
        InvalidateWindow(grid.parts.picGrid.hWnd());
    }
    // Without AutoRedraw the writes that follow leave the picture alone, so it is painted
    // now; with it, every write ends in a redraw, and the paint waits for a look.
    if (!s.AutoRedraw) PaintPending(grid);
}

}  // namespace

void Refresh(GridRecord& grid) {
    Redraw(grid, true);
}

void RedrawIfAuto(GridRecord& grid) {
    if (grid.state.AutoRedraw) Redraw(grid, true);
}

void RedrawCellsIfAuto(GridRecord& grid) {
    if (grid.state.AutoRedraw) Redraw(grid, false);
}

void PaintPending(GridRecord& grid) {
    if (!grid.paintPending) return;
    grid.paintPending = false;
    PaintGrid(grid, PaintHeader::Yes, Clearing::AroundCells);
}

std::vector<ShownSpan> ShownRows(const GridRecord& grid, PaintHeader header) {
    const GridState& s = grid.state;
    std::vector<ShownSpan> shown;
    if (s.ColHeader && header == PaintHeader::Yes) shown.push_back({0, 1, s.RowHeight[0]});
    // Only the rows in view: the walk stops at the first row past the bottom.
    const Axis rows = RowAxis(grid);
    rows.WalkShown([&](int32_t r, int32_t y, int32_t end) {
        shown.push_back({r, y, s.RowHeight[r]});
        return end <= rows.extent - 1 && r < s.Rows;
    });
    return shown;
}

std::vector<ShownSpan> ShownColumns(const GridRecord& grid) {
    const GridState& s = grid.state;
    std::vector<ShownSpan> shown;
    if (s.RowHeader) shown.push_back({0, 1, s.ColWidth[0]});
    const Axis cols = ColumnAxis(grid);
    cols.WalkShown([&](int32_t c, int32_t x, int32_t end) {
        shown.push_back({c, x, s.ColWidth[c]});
        return end <= cols.extent - 1;
    });
    return shown;
}

namespace {

// Fills with picGrid's BackColor every pixel the cells will not cover: what a Cls before
// the paint leaves showing, without clearing the whole image only to paint it again.
// The uncovered pixels are those whose column no shown column holds, or whose row no
// shown row holds.
void ClearAroundCells(GridRecord& grid, const std::vector<ShownSpan>& rows,
                      const std::vector<ShownSpan>& cols) {
    PictureBox& surface = grid.parts.picGrid;
    const OLE_COLOR color = surface.BackColor();
    const int32_t w = surface.ScaleWidth(), h = surface.ScaleHeight();
    const auto gaps = [](const std::vector<ShownSpan>& spans, int32_t extent, auto fill) {
        int32_t at = 0;
        for (const ShownSpan& span : spans) {
            if (span.begin > at) fill(at, span.begin - at);
            at = std::max(at, span.begin + span.size);
        }
        if (extent > at) fill(at, extent - at);
    };
    gaps(rows, h, [&](int32_t y, int32_t size) { FillArea(grid, 0, y, w, size, color); });
    gaps(cols, w, [&](int32_t x, int32_t size) { FillArea(grid, x, 0, size, h, color); });
}

}  // namespace

void PaintGrid(GridRecord& grid, PaintHeader header, Clearing clearing) {
    LayOut(grid);
    const GridState& s = grid.state;
    const std::vector<ShownSpan> rows = ShownRows(grid, header);
    const std::vector<ShownSpan> cols = ShownColumns(grid);
    if (clearing == Clearing::AroundCells) ClearAroundCells(grid, rows, cols);
    for (const ShownSpan& row : rows) {
        for (const ShownSpan& col : cols)
            PaintCell(grid, row.index, col.index, col.begin, row.begin, col.size, row.size);
    }

    // The background right of and below the cells; each rectangle runs past the edges.
    // While a scroll paints its strip, only the parts inside it.
    const auto background = [&](int32_t x, int32_t y, int32_t w, int32_t h) {
        if (grid.paintOnly.empty()) return FillArea(grid, x, y, w, h, s.BackColorBkg);
        for (const Rect& strip : grid.paintOnly) {
            const Rect part = Intersect(MakeRect(x, y, w, h), strip);
            if (!part.IsEmpty())
                FillArea(grid, part.left, part.top, part.Width(), part.Height(), s.BackColorBkg);
        }
    };
    const int32_t w = grid.parts.picGrid.ScaleWidth();
    const int32_t h = grid.parts.picGrid.ScaleHeight();
    if (s.BorderStyle == NoBorder) {
        background(0, s.ContentBottom + 1, w, h - 1);
        background(s.ContentRight + 1, 0, w, h);
    } else {
        background(1, s.ContentBottom + 1, w - 1, h - 1);
        background(s.ContentRight + 1, 1, w, h - 1);
    }

    if (s.Rows > 0) {
        DrawGridLines(grid);
        ToggleSelection(grid);
        if (!CellPosition(grid, s.Row, s.Col).outOfView) DrawFocusCell(grid, s.Row, s.Col);
    }
}

void PaintRow(GridRecord& grid, int32_t row, int32_t y) {
    const int32_t h = grid.state.RowHeight[row];
    for (const ShownSpan& col : ShownColumns(grid))
        PaintCell(grid, row, col.index, col.begin, y, col.size, h);
}

void PaintColumn(GridRecord& grid, int32_t col, int32_t x, PaintHeader header) {
    const GridState& s = grid.state;
    const int32_t w = s.ColWidth[col];
    if (s.ColHeader && header == PaintHeader::Yes) PaintCell(grid, 0, col, x, 1, w, s.RowHeight[0]);
    const Axis rows = RowAxis(grid);
    rows.WalkShown([&](int32_t r, int32_t y, int32_t end) {
        PaintCell(grid, r, col, x, y, w, s.RowHeight[r]);
        return end <= rows.extent;
    });
}

void DrawGridLines(GridRecord& grid) {
    const GridState& s = grid.state;
    if (s.ShowGrid) {
        PictureBox& surface = grid.parts.picGrid;
        if (!s.GridSolid) surface.SetDrawStyle(kDottedPen);
        const CellPlace first = CellPosition(grid, s.TopRow, s.LeftCol);
        const CellPlace last = CellPosition(grid, s.Rows, s.Cols);
        const int32_t bottom = last.y + s.RowHeight[s.Rows];
        const int32_t right = last.x + s.ColWidth[s.Cols];
        // Each line lies in the gap after its column (row): the pixel before the next one.
        const Axis cols = ColumnAxis(grid);
        cols.WalkShown([&](int32_t, int32_t, int32_t end) {
            const int32_t x = end - 1;
            if (x > cols.extent) return false;
            DrawLine(grid, x, first.y, x, bottom, s.GridLineColor);
            return true;
        });
        const Axis rows = RowAxis(grid);
        rows.WalkShown([&](int32_t, int32_t, int32_t end) {
            const int32_t y = end - 1;
            if (y > rows.extent) return false;
            DrawLine(grid, first.x, y, right, y, s.GridLineColor);
            return true;
        });
        // The frame is always solid.
        surface.SetDrawStyle(kSolidPen);
    }
    DrawBlockFrame(grid);
    PaintScrollCorner(grid);
}

void DrawBlockFrame(GridRecord& grid, int32_t r1, int32_t c1, int32_t r2, int32_t c2) {
    const GridState& s = grid.state;
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

void DrawBlockFrame(GridRecord& grid) {
    const GridState& s = grid.state;
    DrawBlockFrame(grid, s.TopRow, s.LeftCol, s.Rows, s.Cols);
}

void PaintScrollCorner(GridRecord& grid) {
    const GridState& s = grid.state;
    if (BothBarsShown(grid) || (s.HScrollNeeded && s.VScrollNeeded)) {
        FillArea(grid, grid.parts.picGrid.ScaleWidth() - kCornerSize,
                 grid.parts.picGrid.ScaleHeight() - kCornerSize, kCornerSize, kCornerSize,
                 kLightGrey);
    }
}

void DrawLine(GridRecord& grid, int32_t x1, int32_t y1, int32_t x2, int32_t y2, OLE_COLOR color) {
    grid.parts.picGrid.SetForeColor(color);
    DeviceContext& dc = grid.parts.picGrid.hDC();
    if (grid.paintOnly.empty() || (x1 != x2 && y1 != y2)) {
        MoveToEx(dc, x1, y1);
        LineTo(dc, x2, y2);
        return;
    }
    // While a scroll paints its strip: only the pieces inside it (the grid's lines run
    // straight, and a solid line drawn again in pieces gives the same pixels).
    const Rect line{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + (x1 == x2),
                    std::max(y1, y2) + (y1 == y2)};
    for (const Rect& area : grid.paintOnly) {
        const Rect piece = Intersect(line, area);
        if (piece.IsEmpty()) continue;
        MoveToEx(dc, piece.left, piece.top);
        LineTo(dc, x1 == x2 ? piece.left : piece.right, x1 == x2 ? piece.bottom : piece.top);
    }
}

void PaintBorder(GridRecord& grid) {
    struct EdgePair {
        uint32_t topLeft;
        uint32_t bottomRight;
    };
    Control& control = grid.parts.control;
    Rect client;
    GetClientRect(control.hWnd(), &client);
    DeviceContext& dc = control.hDC();
    const auto pair = [&](EdgePair edges) {
        DrawEdge(dc, client, edges.topLeft, BF_TOPLEFT);
        DrawEdge(dc, client, edges.bottomRight, BF_BOTTOMRIGHT);
    };
    switch (grid.state.BorderStyle) {
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
