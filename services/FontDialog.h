#pragma once

// The font dialog: the installed faces (a name box over their list), a size box over a
// list of common sizes, Bold, Italic, Underline and Strikeout check boxes, a sample drawn
// in the font as it stands, OK and Cancel.
//
// Typing a face selects the listed face of that name, or the first that starts with it;
// a click on a listed face or size puts it in its box. OK (Enter in a box, a double click
// or Enter on a list) takes the font when the face is a listed one (any name, when no
// face is installed) and the size a number from 1 to 500; else the dialog says what is
// wrong and stays.

#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts/Font.h"
#include "platform/window/Messages.h"

namespace tabula {

// The sizes the size list offers, in points.
const std::vector<int>& FontDialogSizes();

// The listed face a name stands for: the one equal to it ignoring case, else the one its
// substitute names; -1 for none.
int32_t FindFace(const std::vector<std::string>& faces, std::string_view name);

struct FontDialogResult {
    bool chosen = false;
    FontDescriptor font;  // the face as listed, the size as typed
};

// Shows the dialog modally with `initial` preselected until it ends.
FontDialogResult RunFontDialog(const FontDescriptor& initial, HWND owner);

}  // namespace tabula
