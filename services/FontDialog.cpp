#include "services/FontDialog.h"

#include <charconv>
#include <cmath>

#include "platform/fonts/FontLibrary.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Frame.h"
#include "platform/forms/Label.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TextBox.h"
#include "platform/gdi/Drawing.h"
#include "platform/text/CaseFold.h"
#include "platform/window/Desktop.h"
#include "platform/window/VirtualKeys.h"
#include "services/DialogParts.h"

namespace tabula {

namespace {

constexpr char kSampleText[] = "AaBbYyZz";

// A size box's text as points: a number from 1 to 500, else 0.
float ParseSize(std::string_view text) {
    text = TrimBlanks(text);
    double points = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), points);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(points) ||
        points < FontLibrary::kMinPoints || points > FontLibrary::kMaxPoints) {
        return 0;
    }
    return static_cast<float>(points);
}

std::string SizeText(float points) {
    if (points == std::floor(points)) return std::to_string(static_cast<int>(points));
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, points);
    return error == std::errc() ? std::string(text, end) : std::string();
}

// The face a person typing `text` means: the one of that name, else the first that
// starts with it; -1 for none.
int32_t FaceForTyping(const std::vector<std::string>& faces, std::string_view text) {
    if (text.empty()) return -1;
    const std::string typed = FoldCase(text);
    int32_t first = -1;
    for (size_t i = 0; i < faces.size(); ++i) {
        const std::string face = FoldCase(faces[i]);
        if (face == typed) return static_cast<int32_t>(i);
        if (first < 0 && face.starts_with(typed)) first = static_cast<int32_t>(i);
    }
    return first;
}

class FontDialog {
public:
    FontDialog(const FontDescriptor& initial, HWND owner);
    FontDialogResult Run();

private:
    void FaceTyped();
    void SizeTyped();
    void PaintSample();
    void Ok();
    void Refuse(TextBox& box, std::string message);

    static constexpr int32_t kWidth = 420;
    static constexpr int32_t kHeight = 292;

    std::vector<std::string> faces_;
    FontDescriptor sample_;
    FontDialogResult result_;
    bool syncing_ = false;  // a box is being written from its list

    DialogForm dialog_;
    Label lblFace_{dialog_.hWnd(), {8, 8, 196, 22}, "Font:"};
    TextBox txtFace_{dialog_.hWnd(), {8, 24, 196, 45}};
    ChoiceList lstFace_{dialog_.hWnd(), {8, 50, 196, 180}};
    Label lblSize_{dialog_.hWnd(), {204, 8, 264, 22}, "Size:"};
    TextBox txtSize_{dialog_.hWnd(), {204, 24, 264, 45}};
    ChoiceList lstSize_{dialog_.hWnd(), {204, 50, 264, 180}};
    Frame fraStyle_{dialog_.hWnd(), {272, 8, 412, 128}, "Style"};
    CheckBox chkBold_{fraStyle_.hWnd(), {10, 18, 130, 38}, "Bold"};
    CheckBox chkItalic_{fraStyle_.hWnd(), {10, 42, 130, 62}, "Italic"};
    CheckBox chkUnderline_{fraStyle_.hWnd(), {10, 66, 130, 86}, "Underline"};
    CheckBox chkStrikethru_{fraStyle_.hWnd(), {10, 90, 130, 110}, "Strikeout"};
    Frame fraSample_{dialog_.hWnd(), {8, 188, 330, 256}, "Sample"};
    PictureBox picSample_{fraSample_.hWnd(), {8, 16, 314, 62}};
    Label lblStatus_{dialog_.hWnd(), {8, 264, 412, 282}};
    CommandButton cmdOk_{dialog_.hWnd(), {338, 196, 412, 219}, "OK"};
    CommandButton cmdCancel_{dialog_.hWnd(), {338, 226, 412, 249}, "Cancel"};
};

FontDialog::FontDialog(const FontDescriptor& initial, HWND owner)
    : faces_(Desktop::Current()->Fonts().Families()),
      sample_(initial),
      dialog_(owner, kWidth, kHeight, "Font") {
    txtFace_.SetName("txtFace");
    lstFace_.SetName("lstFace");
    txtSize_.SetName("txtSize");
    lstSize_.SetName("lstSize");
    chkBold_.SetName("chkBold");
    chkItalic_.SetName("chkItalic");
    chkUnderline_.SetName("chkUnderline");
    chkStrikethru_.SetName("chkStrikethru");
    picSample_.SetName("picSample");
    lblStatus_.SetName("lblStatus");
    cmdOk_.SetName("cmdOK");
    cmdCancel_.SetName("cmdCancel");
    Control* order[] = {&txtFace_,   &lstFace_,      &txtSize_,       &lstSize_, &chkBold_,
                        &chkItalic_, &chkUnderline_, &chkStrikethru_, &cmdOk_,   &cmdCancel_};
    int16_t index = 0;
    for (Control* control : order)
        control->SetTabIndex(index++);
    picSample_.SetTabStop(false);
    picSample_.SetBackColor(RGB(255, 255, 255));

    lstFace_.SetItems(faces_);
    const int32_t face = FindFace(faces_, initial.name);
    txtFace_.SetText(face >= 0 ? faces_[face] : initial.name);
    lstFace_.SetListIndex(face);
    std::vector<std::string> sizes;
    for (int size : FontDialogSizes())
        sizes.push_back(std::to_string(size));
    lstSize_.SetItems(std::move(sizes));
    txtSize_.SetText(SizeText(initial.size));
    SizeTyped();
    chkBold_.SetValue(initial.bold ? vbChecked : vbUnchecked);
    chkItalic_.SetValue(initial.italic ? vbChecked : vbUnchecked);
    chkUnderline_.SetValue(initial.underline ? vbChecked : vbUnchecked);
    chkStrikethru_.SetValue(initial.strikethrough ? vbChecked : vbUnchecked);

    txtFace_.Change = [this] { FaceTyped(); };
    txtSize_.Change = [this] { SizeTyped(); };
    for (TextBox* box : {&txtFace_, &txtSize_}) {
        box->KeyDown = [this](int16_t& keyCode, int16_t) {
            if (keyCode != VK_RETURN) return;
            keyCode = 0;
            Ok();
        };
    }
    const auto fromList = [this](TextBox& box, const ListBox& list) {
        syncing_ = true;
        box.SetText(list.Text());
        syncing_ = false;
        PaintSample();
    };
    lstFace_.Click = [this, fromList] { fromList(txtFace_, lstFace_); };
    lstSize_.Click = [this, fromList] { fromList(txtSize_, lstSize_); };
    lstFace_.ItemChosen = [this, fromList] {
        fromList(txtFace_, lstFace_);
        Ok();
    };
    lstSize_.ItemChosen = [this, fromList] {
        fromList(txtSize_, lstSize_);
        Ok();
    };
    for (CheckBox* box : {&chkBold_, &chkItalic_, &chkUnderline_, &chkStrikethru_})
        box->Click = [this] { PaintSample(); };
    cmdOk_.Click = [this] { Ok(); };
    cmdCancel_.Click = [this] { dialog_.Cancel(); };
    PaintSample();
}

FontDialogResult FontDialog::Run() {
    dialog_.Run();
    return result_;
}

void FontDialog::FaceTyped() {
    if (syncing_) return;
    lstFace_.SetListIndex(FaceForTyping(faces_, TrimBlanks(txtFace_.Text())));
    PaintSample();
}

void FontDialog::SizeTyped() {
    if (syncing_) return;
    const float points = ParseSize(txtSize_.Text());
    int32_t listed = -1;
    const std::vector<int>& sizes = FontDialogSizes();
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (static_cast<float>(sizes[i]) == points) listed = static_cast<int32_t>(i);
    }
    lstSize_.SetListIndex(listed);
    PaintSample();
}

// The sample shows the listed face (the typed name while none is) at the typed size (the
// last good one while the box holds none).
void FontDialog::PaintSample() {
    sample_.name = lstFace_.ListIndex() >= 0 ? lstFace_.Text() : std::string(txtFace_.Text());
    if (const float points = ParseSize(txtSize_.Text()); points > 0) sample_.size = points;
    sample_.bold = chkBold_.Value() == vbChecked;
    sample_.italic = chkItalic_.Value() == vbChecked;
    sample_.underline = chkUnderline_.Value() == vbChecked;
    sample_.strikethrough = chkStrikethru_.Value() == vbChecked;
    picSample_.SetFont(sample_);
    picSample_.Cls();
    Rect area = picSample_.Image().Bounds();
    DrawText(picSample_.hDC(), kSampleText, area, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    picSample_.Refresh();
}

void FontDialog::Refuse(TextBox& box, std::string message) {
    lblStatus_.SetCaption(std::move(message));
    box.SetFocus();
    box.SetSelStart(0);
    box.SetSelLength(box.TextLength());
}

void FontDialog::Ok() {
    const std::string typed(TrimBlanks(txtFace_.Text()));
    int32_t face = -1;
    for (size_t i = 0; i < faces_.size() && face < 0; ++i) {
        if (EqualsIgnoringCase(faces_[i], typed)) face = static_cast<int32_t>(i);
    }
    if (typed.empty() || (face < 0 && !faces_.empty())) {
        Refuse(txtFace_, typed.empty() ? "Choose a font." : "No font is named " + typed + ".");
        return;
    }
    const float points = ParseSize(txtSize_.Text());
    if (points <= 0) {
        Refuse(txtSize_, "Size must be a number from 1 to 500.");
        return;
    }
    result_.chosen = true;
    result_.font = {face >= 0 ? faces_[face] : typed,   points,
                    chkBold_.Value() == vbChecked,      chkItalic_.Value() == vbChecked,
                    chkUnderline_.Value() == vbChecked, chkStrikethru_.Value() == vbChecked};
    dialog_.Accept();
}

}  // namespace

const std::vector<int>& FontDialogSizes() {
    static const std::vector<int> sizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                           20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

int32_t FindFace(const std::vector<std::string>& faces, std::string_view name) {
    for (const std::string& wanted : {std::string(name), FontLibrary::SubstituteName(name)}) {
        for (size_t i = 0; i < faces.size(); ++i) {
            if (EqualsIgnoringCase(faces[i], wanted)) return static_cast<int32_t>(i);
        }
    }
    return -1;
}

FontDialogResult RunFontDialog(const FontDescriptor& initial, HWND owner) {
    FontDialog dialog(initial, owner);
    return dialog.Run();
}

}  // namespace tabula
