#pragma once

// The mask dispatch: what a column's input mask does with a character typed into the edit
// box. Upper case and numbers-only filter the key; the structured masks (dates, times,
// SSN, phone, ZIP and postal codes) rewrite the box's whole text and caret themselves and
// leave no key to insert.

#include <cstdint>

#include "edit/DateMask.h"
#include "edit/LayoutMasks.h"
#include "edit/TimeMask.h"
#include "grid/GridRecord.h"

namespace tabula::edit {

// One object per structured mask, set up as the grid uses them: the month-first date
// layout, SSN "&&&-&&-&&&&", phone "&&&-&&&-&&&&", ZIP+4 allowed, postal "&&& &&&".
struct ColumnMasks {
    ColumnMasks();

    clsDate DateMask;
    clsSSN SSNMaskObject;
    clsTime TimeMaskObject;
    clsPhone PhoneMask;
    clsZip ZipMask;
    clsIntlZip IntlZipMaskObject;
};

// The key the edit box is to insert for `keyAscii` typed in the current column (0 for
// none): Enter never, other keys as ColMask(Col) says. Structured masks write the edit
// box's text and caret themselves.
int16_t ApplyColumnMask(GridRecord& grid, ColumnMasks& masks, int16_t keyAscii);

}  // namespace tabula::edit
