#pragma once

// The colour dialog: a grid of basic colours, a grid of 16 custom colours (white at the
// start of every dialog), the current colour as a swatch with its red, green and blue
// values, "Add to Custom Colors", OK and Cancel.
//
// A click on a swatch makes its colour current; a double click, or Enter on a grid,
// chooses it. The arrows move through the grid that has the focus. Typing a value (0 to
// 255; more counts as 255) changes the current colour; "Add to Custom Colors" puts it in
// the next custom swatch, round from the first.

#include <array>
#include <cstdint>

#include "platform/gdi/Color.h"
#include "platform/gdi/Geometry.h"
#include "platform/window/Messages.h"

namespace tabula {

constexpr int32_t kSwatchColumns = 8;
constexpr int32_t kBasicColorCount = 48;
constexpr int32_t kCustomColorCount = 16;

// The basic colours, row by row: five rows of eight hues from light to dark, then greys
// from black to white.
const std::array<COLORREF, kBasicColorCount>& BasicColors();

// Where swatch `index` is drawn in its grid's client area: eight to a row. The selected
// swatch has a ring two pixels wide around this rectangle.
Rect ColorSwatchRect(int32_t index);

struct ColorDialogResult {
    bool chosen = false;
    COLORREF color = 0;
};

// Shows the dialog modally with `initial` current (and its swatch selected, if a basic
// colour is equal to it) until it ends.
ColorDialogResult RunColorDialog(COLORREF initial, HWND owner);

}  // namespace tabula
