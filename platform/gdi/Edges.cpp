#include <algorithm>
#include <array>
#include <cmath>

#include "platform/gdi/Drawing.h"

namespace tabula {

namespace {

// System colour of each edge line, indexed by the edge's four BDR_ bits; -1 draws nothing.
// A lone inner edge takes the outer position, so the "outer" tables hold its colours too.
constexpr int N = -1;
constexpr std::array<int, 16> kLeftTopOuter = {N,
                                               COLOR_3DLIGHT,
                                               COLOR_BTNSHADOW,
                                               N,
                                               COLOR_BTNHIGHLIGHT,
                                               COLOR_3DLIGHT,
                                               COLOR_BTNSHADOW,
                                               N,
                                               COLOR_3DDKSHADOW,
                                               COLOR_3DLIGHT,
                                               COLOR_BTNSHADOW,
                                               N,
                                               N,
                                               COLOR_3DLIGHT,
                                               COLOR_BTNSHADOW,
                                               N};
constexpr std::array<int, 16> kRightBottomOuter = {N,
                                                   COLOR_3DDKSHADOW,
                                                   COLOR_BTNHIGHLIGHT,
                                                   N,
                                                   COLOR_BTNSHADOW,
                                                   COLOR_3DDKSHADOW,
                                                   COLOR_BTNHIGHLIGHT,
                                                   N,
                                                   COLOR_3DLIGHT,
                                                   COLOR_3DDKSHADOW,
                                                   COLOR_BTNHIGHLIGHT,
                                                   N,
                                                   N,
                                                   COLOR_3DDKSHADOW,
                                                   COLOR_BTNHIGHLIGHT,
                                                   N};
constexpr std::array<int, 16> kLeftTopInner = {
    N, N, N, N, N, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, N, N, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW,
    N, N, N, N, N};
constexpr std::array<int, 16> kRightBottomInner = {
    N, N, N, N, N, COLOR_BTNSHADOW, COLOR_BTNSHADOW, N, N, COLOR_3DLIGHT, COLOR_3DLIGHT,
    N, N, N, N, N};

void Line(DeviceContext& dc, int color, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    dc.SelectPen(Pen{PenStyle::Solid, GetSysColor(color)});
    MoveToEx(dc, x1, y1);
    LineTo(dc, x2, y2);
}

}  // namespace

bool DrawEdge(DeviceContext& dc, Rect& rect, uint32_t edge, uint32_t flags) {
    const int index = static_cast<int>(edge & (BDR_OUTER | BDR_INNER));
    int ltOuter = kLeftTopOuter[index], rbOuter = kRightBottomOuter[index];
    int ltInner = kLeftTopInner[index], rbInner = kRightBottomInner[index];
    if (flags & BF_MONO) {
        // One colour: the frame colour outside, the window colour inside.
        ltOuter = rbOuter = ltOuter == N ? N : COLOR_WINDOWFRAME;
        ltInner = rbInner = ltInner == N ? N : COLOR_WINDOW;
    }

    const Pen savedPen = dc.CurrentPen();
    const Point savedPosition = dc.CurrentPosition();
    const Rect r = rect;
    const bool left = flags & BF_LEFT, top = flags & BF_TOP;
    const bool right = flags & BF_RIGHT, bottom = flags & BF_BOTTOM;

    // Outer edge: left and top first, so the right and bottom lines own the far corners.
    if (ltOuter != N) {
        if (top) Line(dc, ltOuter, r.left, r.top, r.right, r.top);
        if (left) Line(dc, ltOuter, r.left, r.top, r.left, r.bottom);
    }
    if (rbOuter != N) {
        if (bottom) Line(dc, rbOuter, r.left, r.bottom - 1, r.right, r.bottom - 1);
        if (right) Line(dc, rbOuter, r.right - 1, r.top, r.right - 1, r.bottom);
    }
    // Inner edge, one pixel in, stopping short of the outer corners it would overwrite.
    const int32_t ltPlus = (left && top) ? 1 : 0;
    const int32_t rtPlus = (right && top) ? 1 : 0;
    const int32_t rbPlus = (right && bottom) ? 1 : 0;
    const int32_t lbPlus = (left && bottom) ? 1 : 0;
    if (ltInner != N) {
        if (top) Line(dc, ltInner, r.left + ltPlus, r.top + 1, r.right - rtPlus, r.top + 1);
        if (left) Line(dc, ltInner, r.left + 1, r.top + ltPlus, r.left + 1, r.bottom - lbPlus);
    }
    if (rbInner != N) {
        if (bottom) {
            Line(dc, rbInner, r.left + lbPlus, r.bottom - 2, r.right - rbPlus, r.bottom - 2);
        }
        if (right) Line(dc, rbInner, r.right - 2, r.top + rtPlus, r.right - 2, r.bottom - rbPlus);
    }

    const int32_t width = (ltOuter != N || rbOuter != N ? 1 : 0) + (ltInner != N ? 1 : 0);
    Rect inside = r;
    if (left) inside.left += width;
    if (top) inside.top += width;
    if (right) inside.right -= width;
    if (bottom) inside.bottom -= width;
    if (flags & BF_MIDDLE) {
        FillRect(dc, inside,
                 CreateSolidBrush(GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE)));
    }
    if (flags & BF_ADJUST) rect = inside;

    dc.SelectPen(savedPen);
    dc.SetCurrentPosition(savedPosition);
    return true;
}

namespace {

// The classic check mark, 7 by 7 pixels.
constexpr std::array<const char*, 7> kCheckMark = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

bool DrawCheckBox(DeviceContext& dc, const Rect& rect, uint32_t state) {
    // The largest square centred in the rectangle.
    const int64_t side = std::min(rect.Width(), rect.Height());
    if (side <= 0) return true;
    Rect box = rect;
    box.left = static_cast<int32_t>(rect.left + (rect.Width() - side) / 2);
    box.top = static_cast<int32_t>(rect.top + (rect.Height() - side) / 2);
    box.right = static_cast<int32_t>(box.left + side);
    box.bottom = static_cast<int32_t>(box.top + side);

    const bool inactive = state & DFCS_INACTIVE;
    const bool pushed = state & DFCS_PUSHED;
    const uint32_t mono = (state & DFCS_MONO) ? uint32_t{BF_MONO} : 0u;
    DrawEdge(dc, box, EDGE_SUNKEN, BF_RECT | BF_ADJUST | mono);
    const int face = (inactive || pushed) ? COLOR_BTNFACE : COLOR_WINDOW;
    FillRect(dc, box, CreateSolidBrush(GetSysColor(face)));

    if (state & DFCS_CHECKED) {
        const COLORREF ink = GetSysColor(inactive ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
        const int32_t x0 = static_cast<int32_t>(box.left + (box.Width() - 7) / 2);
        const int32_t y0 = static_cast<int32_t>(box.top + (box.Height() - 7) / 2);
        const Rect clip = Intersect(box, dc.ClipRect());
        for (int32_t y = 0; y < 7; ++y) {
            for (int32_t x = 0; x < 7; ++x) {
                if (kCheckMark[y][x] == '#' && clip.Contains(x0 + x, y0 + y)) {
                    dc.Image().Row(y0 + y)[x0 + x] = ink;
                }
            }
        }
    }
    return true;
}

bool DrawPushButton(DeviceContext& dc, const Rect& rect, uint32_t state) {
    Rect face = rect;
    if (state & DFCS_PUSHED) {
        DrawEdge(dc, face, BDR_SUNKENOUTER, BF_RECT | BF_MONO | BF_ADJUST);
        DrawEdge(dc, face, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MIDDLE);
    } else {
        DrawEdge(dc, face, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    return true;
}

}  // namespace

bool DrawFrameControl(DeviceContext& dc, Rect& rect, uint32_t type, uint32_t state) {
    if (type != DFC_BUTTON) return false;
    if (state & DFCS_BUTTONPUSH) return DrawPushButton(dc, rect, state);
    // Radio buttons and the other button kinds draw as check boxes.
    return DrawCheckBox(dc, rect, state);
}

}  // namespace tabula
