#include "pages/PageDialog.h"

#include "pages/ExtenderPage.h"
#include "pages/GeneralPage.h"

namespace tabula {

namespace {

constexpr int32_t kWidth = 520;
// The tallest page's fields, with the buttons' row below.
constexpr int32_t kHeight = 540;

std::unique_ptr<BoundPage> MakePage(PageDialog::Kind kind, HWND parent) {
    if (kind == PageDialog::Kind::General) return std::make_unique<GeneralPage>(parent);
    return std::make_unique<ExtenderPage>(parent);
}

std::string ChangedText(int32_t count) {
    return "Changed " + std::to_string(count) + (count == 1 ? " control." : " controls.");
}

}  // namespace

PageDialog::PageDialog(HWND owner, Kind kind, std::vector<Site*> selected)
    : dialog_(owner, kWidth, kHeight, kind == Kind::General ? "General" : "Extender") {
    const HWND form = dialog_.hWnd();
    page_ = MakePage(kind, form);
    const int32_t buttonsTop = kHeight - 36;
    lblStatus_ = std::make_unique<Label>(form, MakeRectFromSize(8, buttonsTop + 6, 200, 16));
    lblStatus_->SetName("lblStatus");
    cmdOK_ = std::make_unique<CommandButton>(
        form, MakeRectFromSize(kWidth - 252, buttonsTop, 76, 26), "OK");
    cmdOK_->SetName("cmdOK");
    cmdCancel_ = std::make_unique<CommandButton>(
        form, MakeRectFromSize(kWidth - 168, buttonsTop, 76, 26), "Cancel");
    cmdCancel_->SetName("cmdCancel");
    cmdApply_ = std::make_unique<CommandButton>(
        form, MakeRectFromSize(kWidth - 84, buttonsTop, 76, 26), "Apply");
    cmdApply_->SetName("cmdApply");

    frame_ = std::make_unique<PropertyPageFrame>(*page_, std::move(selected));
    frame_->ChangedFlipped = [this] { cmdApply_->SetEnabled(frame_->ApplyEnabled()); };
    cmdApply_->SetEnabled(false);
    cmdApply_->Click = [this] { Apply(); };
    cmdOK_->Click = [this] {
        Apply();
        if (!frame_->Changed()) {
            frame_->OK();
            dialog_.Accept();
        }
    };
    cmdCancel_->Click = [this] { dialog_.Cancel(); };
}

PageDialog::~PageDialog() = default;

bool PageDialog::Run() {
    const bool accepted = dialog_.Run();
    if (!accepted) frame_->Cancel();
    return accepted;
}

void PageDialog::Apply() {
    if (!frame_->Changed()) return;
    frame_->Apply();
    lblStatus_->SetCaption(ChangedText(page_->ControlsChanged()));
}

}  // namespace tabula
