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
    switch (s.ColMask[s.Col]) {
        case Uppercase:
            return UpperCaseKey(keyAscii);
        case NumericOnly:
            return NumericKeyFilter(keyAscii);
        case DateOnly:
            Rewrite(box, masks.DateMask.Mask(keyAscii, text));
            return keyAscii;
        case EuroDate: {
            int16_t caret = static_cast<int16_t>(box.SelStart());
            box.SetText(masks.DateMask.Mask2(keyAscii, text, caret));
            box.SetSelStart(caret);
            return keyAscii;
        }
        case SSN:
            Rewrite(box, masks.SSNMaskObject.Mask(keyAscii, text));
            return keyAscii;
        case Phone:
            Rewrite(box, masks.PhoneMask.Mask(keyAscii, text));
            return keyAscii;
        case USZip:
            Rewrite(box, masks.ZipMask.Mask(keyAscii, text));
            return keyAscii;
        case IntlZip:
            Rewrite(box, masks.IntlZipMaskObject.Mask(keyAscii, text));
            return keyAscii;
        case Time12hr:
        case Time24hr:
            // The layout is chosen from Is24Hour when the mask is set: in this order.
            masks.TimeMaskObject.SetIs24Hour(s.ColMask[s.Col] == Time24hr);
            masks.TimeMaskObject.SetTimeMask(SetTimeMask);
            Rewrite(box, masks.TimeMaskObject.Mask(keyAscii, text));
            return keyAscii;
        default:
            return keyAscii;  // NoMask, checkmark and values outside the list
    }
}

}  // namespace tabula::edit
