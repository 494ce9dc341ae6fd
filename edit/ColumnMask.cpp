#include "edit/ColumnMask.h"

#include "edit/KeyFilters.h"

namespace tabula::edit {

namespace {

constexpr int16_t kEnter = 13;

// The box's text becomes what the mask made of it, the caret at its end.
void Rewrite(TextBox& box, const std::string& text) {
    box.SetText(text);
    box.SetSelStart(box.TextLength());
}

}  // namespace

ColumnMasks::ColumnMasks() {
    DateMask.SetDateTypeMask(0);
    SSNMaskObject.SetSSNMask(SetSSNMask);
    PhoneMask.SetPhoneFormat("&&&-&&&-&&&&");
    ZipMask.SetOnlyFive(SetZipPlus4);
    IntlZipMaskObject.SetIntlZipMask(SetIntlZipMask);
}

int16_t ApplyColumnMask(GridRecord& grid, ColumnMasks& masks, int16_t keyAscii) {
    if (keyAscii == kEnter) return 0;
    const GridState& s = grid.state;
    TextBox& box = s.Editor ? *s.Editor : grid.parts.txtSingle;
    const std::string text = box.Text();
    // The mask object writes the whole new text; the key comes back as it left it.
    const auto rewriteWith = [&](const auto& mask) {
        Rewrite(box, mask.Mask(keyAscii, text));
        return keyAscii;
    };
    switch (s.ColMask[s.Col]) {
        case Uppercase:
            return UpperCaseKey(keyAscii);
        case NumericOnly:
            return NumericKeyFilter(keyAscii);
        case DateOnly:
            return rewriteWith(masks.DateMask);
        case EuroDate: {
            int16_t caret = static_cast<int16_t>(box.SelStart());
            box.SetText(masks.DateMask.Mask2(keyAscii, text, caret));
            box.SetSelStart(caret);
            return keyAscii;
        }
        case SSN:
            return rewriteWith(masks.SSNMaskObject);
        case Phone:
            return rewriteWith(masks.PhoneMask);
        case USZip:
            return rewriteWith(masks.ZipMask);
        case IntlZip:
            return rewriteWith(masks.IntlZipMaskObject);
        case Time12hr:
        case Time24hr:
            // The layout is chosen from Is24Hour when the mask is set: in this order.
            masks.TimeMaskObject.SetIs24Hour(s.ColMask[s.Col] == Time24hr);
            masks.TimeMaskObject.SetTimeMask(SetTimeMask);
            return rewriteWith(masks.TimeMaskObject);
        default:
            return keyAscii;  // NoMask, checkmark and values outside the list
    }
}

}  // namespace tabula::edit
