#pragma once

// The drawing calls the grid and the intrinsic controls make, with the observable
// semantics of the classic desktop API they are named after. Every call clips to the
// context's clipping rectangle and to the image, so no coordinate, however large or
// inverted, can reach memory outside the image.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gdi/DeviceContext.h"

namespace tabula {

// --- Brushes ----------------------------------------------------------------------------

Brush CreateSolidBrush(COLORREF color);
// Brushes are plain values; kept so drawing code reads as the usual create/use/delete.
inline bool DeleteObject(Brush) {
    return true;
}

// --- Areas ------------------------------------------------------------------------------

// Fills left..right-1 by top..bottom-1. An empty or inverted rectangle fills nothing.
bool FillRect(DeviceContext& dc, const Rect& rect, Brush brush);
// Inverts every colour bit inside the rectangle; twice restores the pixels.
bool InvertRect(DeviceContext& dc, const Rect& rect);
// Inverts every other pixel (those with x + y even) of the rectangle's one-pixel outline;
// twice restores the pixels.
bool DrawFocusRect(DeviceContext& dc, const Rect& rect);

// --- Lines ------------------------------------------------------------------------------

bool MoveToEx(DeviceContext& dc, int32_t x, int32_t y, Point* previous = nullptr);
// Draws from the current position up to, but not including, (x, y) with the current pen,
// and makes (x, y) the current position. A dotted pen sets the first pixel and every
// second one after it.
bool LineTo(DeviceContext& dc, int32_t x, int32_t y);

// --- Edges and frame controls -----------------------------------------------------------

enum : uint32_t {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    BDR_OUTER = 0x3,
    BDR_INNER = 0xC,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

enum : uint32_t {
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_TOPLEFT = BF_TOP | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_MIDDLE = 0x800,
    BF_ADJUST = 0x2000,
    BF_MONO = 0x8000,
};

// Draws a 3D edge along the flagged sides: the outer edge on the rectangle's outermost
// pixels, the inner edge one pixel inside (a lone inner edge sits outermost). With
// BF_ADJUST the rectangle shrinks by the edges drawn; BF_MIDDLE fills what remains.
bool DrawEdge(DeviceContext& dc, Rect& rect, uint32_t edge, uint32_t flags);

enum : uint32_t {
    DFC_BUTTON = 4,
    DFCS_BUTTONCHECK = 0x0000,
    DFCS_BUTTONPUSH = 0x0010,
    DFCS_INACTIVE = 0x0100,
    DFCS_PUSHED = 0x0200,
    DFCS_CHECKED = 0x0400,
    DFCS_MONO = 0x8000,
};

// Draws a check box (a sunken square, checked or empty, in the largest square centred in
// the rectangle) or a push button. Other types draw nothing and return false.
bool DrawFrameControl(DeviceContext& dc, Rect& rect, uint32_t type, uint32_t state);

// --- Text -------------------------------------------------------------------------------

enum : uint32_t {
    DT_LEFT = 0x0,
    DT_TOP = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_EDITCONTROL = 0x2000,
    DT_END_ELLIPSIS = 0x8000,
    DT_MODIFYSTRING = 0x10000,
};

// Draws UTF-8 text in the context's font and text colour over what is there, aligned in
// `rect` and clipped to it. Without DT_SINGLELINE, line breaks start new lines, and with
// DT_WORDBREAK lines wrap at spaces (DT_EDITCONTROL also breaks words wider than the
// rectangle and drops a last line that would show only in part). DT_END_ELLIPSIS ends a
// line that does not fit, and the last visible line when more text follows, in "...".
// Without DT_NOPREFIX, "&x" draws x underlined and "&&" draws "&". Invalid UTF-8 draws as
// U+FFFD. The caller's text is never changed; with DT_MODIFYSTRING and a non-null
// `displayed`, the text as drawn (with its ellipsis) is stored there. DT_CALCRECT only
// measures: it sets the rectangle's right and bottom to the extent of the text.
// Returns the height of the text.
int32_t DrawText(DeviceContext& dc, std::string_view text, Rect& rect, uint32_t format,
                 std::string* displayed = nullptr);

// The width and height of one line of text in the context's font (no prefix processing).
Size GetTextExtent(DeviceContext& dc, std::string_view text);

// --- Scrolling --------------------------------------------------------------------------

// Moves the pixels of `scroll` (the whole image when null) by (dx, dy). Only pixels inside
// `clip` (the scroll rectangle when null) change; pixels uncovered by the move keep their
// old colour, and `update` (when non-null) receives the bounding rectangle of that strip.
bool ScrollDC(DeviceContext& dc, int32_t dx, int32_t dy, const Rect* scroll, const Rect* clip,
              Rect* update);

}  // namespace tabula
