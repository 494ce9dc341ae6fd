#include "pages/ExtenderPage.h"

#include "platform/container/Site.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/NumericText.h"
#include "services/CommonDialog.h"

namespace tabula {

namespace {

constexpr int32_t kFrameHeight = 84;

bool IsIndex(const BoundField& field) {
    return field.property == "Index";
}

}  // namespace

ExtenderPage::ExtenderPage(HWND parent) : BoundPage(parent) {
    AddText("txtToolTip", "ToolTipText:", "ToolTipText");
    AddCheck("chkCausesValidation", "CausesValidation", "CausesValidation");
    // Filled here once, so no index beyond its two entries can ever be picked.
    AddList("cmbDragMode", "DragMode:", "DragMode", {"vbManual", "vbAutomatic"});

    auto frame = std::make_unique<Frame>(Parent(), FrameRect(kFrameHeight), "DragIcon");
    frame->SetName("fraDragIcon");
    imgDragIcon_ = std::make_unique<Image>(frame->hWnd(), MakeRectFromSize(10, 20, 32, 32));
    imgDragIcon_->SetName("imgDragIcon");
    imgDragIcon_->SetStretch(true);
    cmdDragIconChange_ = std::make_unique<CommandButton>(
        frame->hWnd(), MakeRectFromSize(60, 16, 190, 26), "Change DragMode Icon");
    cmdDragIconChange_->SetName("cmdDragIconChange");
    cmdDragIconChange_->Click = [this] { ChangeDragIcon(); };
    cmdDragIconDelete_ = std::make_unique<CommandButton>(
        frame->hWnd(), MakeRectFromSize(60, 48, 190, 26), "Delete DragMode Icon");
    cmdDragIconDelete_->SetName("cmdDragIconDelete");
    cmdDragIconDelete_->Click = [this] { DeleteDragIcon(); };
    dragIconField_ = &AddFrame(std::move(frame), "DragIcon");

    AddText("txtHelpContextID", "HelpContextID:", "HelpContextID");
    AddText("txtHeight", "Height:", "Height");
    AddText("txtName", "Name:", "Name");
    AddText("txtIndex", "Index:", "Index");
    AddText("txtLeft", "Left:", "Left");
    AddText("txtTabIndex", "TabIndex:", "TabIndex");
    AddCheck("chkTabStop", "TabStop", "TabStop");
    AddText("txtTag", "Tag:", "Tag");
    AddText("txtTop", "Top:", "Top");
    AddCheck("chkVisible", "Visible", "Visible");
    AddText("txtWhatsThisHelpID", "WhatsThisHelpID:", "WhatsThisHelpID");
    AddText("txtWidth", "Width:", "Width");
}

ExtenderPage::~ExtenderPage() = default;

std::optional<Variant> ExtenderPage::Read(Site& site, const BoundField& field) {
    try {
        return site.GetExtender().Get(field.property);
    } catch (const RuntimeError&) {
        return {};
    }
}

void ExtenderPage::Write(Site& site, const BoundField& field, const Variant& value) {
    site.GetExtender().Let(field.property, value);
}

bool ExtenderPage::Writable(const BoundField& field) const {
    return field.property != "Name" || SelectedControls().size() <= 1;
}

void ExtenderPage::Show(BoundField& field, const Variant& value) {
    if (&field == dragIconField_) {
        SetDragIcon(PictureFromVariant(value));
    } else if (IsIndex(field) && value.ToLong() < 0) {
        // Not part of a control array.
        static_cast<TextBox*>(field.editor)->SetText("");
    } else {
        BoundPage::Show(field, value);
    }
}

Variant ExtenderPage::Value(const BoundField& field) {
    if (&field == dragIconField_) return VariantFromPicture(dragIcon_);
    if (IsIndex(field)) {
        const std::string& text = static_cast<TextBox*>(field.editor)->Text();
        const NumericText number = ParseNumericText(text);
        if (number.kind != NumericTextKind::NotNumeric && number.value >= 0) return Variant(text);
        return Variant(int16_t{-1});
    }
    return BoundPage::Value(field);
}

void ExtenderPage::SetDragIcon(PicturePtr icon) {
    dragIcon_ = std::move(icon);
    imgDragIcon_->SetPicture(dragIcon_ ? dragIcon_->Image() : PixelImage());
}

void ExtenderPage::ChangeDragIcon() {
    clsCommonDialog dialog;
    dialog.Filter = kIconFilter;
    dialog.hdc = static_cast<int32_t>(Parent());
    dialog.ShowOpen();
    if (dialog.Cancelled || dialog.APIReturn() != 1) return;
    try {
        SetDragIcon(LoadPicture(dialog.FileName));
    } catch (const RuntimeError&) {
        return;  // not a picture: the icon stays as it was
    }
    MarkEdited(*dragIconField_);
}

void ExtenderPage::DeleteDragIcon() {
    SetDragIcon(nullptr);
    MarkEdited(*dragIconField_);
}

}  // namespace tabula
