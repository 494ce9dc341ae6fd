// FormatString: column captions with their alignment, then (after the first ";") row
// captions, in one text. Widths follow the captions as measured in the header font.

#include <cmath>
#include <string_view>

#include "core/Tabula.h"
#include "grid/Checks.h"
#include "grid/ColumnLists.h"
#include "platform/runtime/Error.h"
#include "platform/text/Blanks.h"

namespace tabula {

namespace {

constexpr int16_t kBlankWidth = 64;
// Room around a caption: its measured width plus this.
constexpr int32_t kCaptionMargin = 5;

int32_t AlignmentOf(char c) {
    switch (c) {
        case '<':
            return LeftAlign;
        case '^':
            return CenterAlign;
        case '>':
            return RightAlign;
        default:
            return -1;
    }
}

}  // namespace

void Tabula::SetFormatString(std::string text) {
    EndEditFirst();
    s_.FormatString = std::move(text);
    ClearLookups(s_);
    ApplyFormatString();
    Refresh();
    Announce("FormatString");
}

// Captions are measured in the header font. It is selected for each caption: raising Rows
// or Cols on the way redraws, and painting leaves the surface in the last cell's font.
int16_t Tabula::CaptionWidth(std::string_view caption) {
    if (!(picGrid.Font() == s_.FontFixed->Descriptor()))
        picGrid.SetFont(s_.FontFixed->Descriptor());
    const int64_t width = int64_t{picGrid.TextWidth(caption)} + kCaptionMargin;
    return CheckedInteger(width);
}

void Tabula::ApplyColumnCaption(int32_t col, std::string_view field) {
    if (col > s_.Cols) SetCols(col);
    const int32_t align = AlignmentOf(field.front());
    if (align >= 0) field.remove_prefix(1);
    s_.ColAlign[col] = align >= 0 ? align : LeftAlign;
    // Trailing spaces widen the column but are not kept in the caption.
    s_.ColWidth[col] = CaptionWidth(field);
    s_.Cells.SetText(0, col, std::string(TrimTrailingSpaces(field)));
}

void Tabula::ApplyRowCaption(int32_t row, std::string_view field) {
    if (row > s_.Rows) SetRows(row);
    const int16_t width = CaptionWidth(field);
    if (width > s_.ColWidth[0]) s_.ColWidth[0] = width;  // widens, never narrows
    s_.Cells.SetText(row, 0, std::string(TrimTrailingSpaces(field)));
}

void Tabula::BlankColumnCaption(int32_t col) {
    CheckIndex(s_.ColWidth.size(), col);
    s_.Cells.SetText(0, col, "");
    s_.ColWidth[col] = kBlankWidth;
}

// Fields apply one by one: a field that fails (an empty one past the last column, a width
// past 16 bits) raises with the fields before it in effect.
void Tabula::ApplyFormatString() {
    const std::string_view text = s_.FormatString;
    bool rowSection = false;
    int32_t col = 1, row = 1;
    const auto applyField = [&](std::string_view field) {
        if (field.empty()) {
            BlankColumnCaption(col++);
        } else if (!rowSection) {
            ApplyColumnCaption(col++, field);
        } else {
            col = 0;
            ApplyRowCaption(row++, field);
        }
    };
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '|' && text[i] != ';') continue;
        applyField(text.substr(start, i - start));
        if (text[i] == ';') rowSection = true;
        start = i + 1;
    }
    const std::string_view last = text.substr(start);
    // A text ending with a delimiter leaves one empty field, blanked like any other, and
    // stops there; past the last column it has nothing to blank. Otherwise the captions
    // after the last one given are blanked.
    if (last.empty()) {
        if (!text.empty() && col <= s_.Cols) applyField(last);
        return;
    }
    applyField(last);
    if (!rowSection) {
        for (int32_t c = col; c <= s_.Cols; ++c)
            BlankColumnCaption(c);
    } else {
        for (int32_t r = row; r <= s_.Rows; ++r)
            s_.Cells.SetText(r, 0, "");
    }
}

}  // namespace tabula
