#include "platform/container/PropertyPageFrame.h"

namespace tabula {

PropertyPage::~PropertyPage() {
    if (frame_) frame_->page_ = nullptr;
}

const std::vector<Site*>& PropertyPage::SelectedControls() const {
    static const std::vector<Site*> none;
    return frame_ ? frame_->SelectedControls() : none;
}

bool PropertyPage::Changed() const {
    return frame_ && frame_->Changed();
}

void PropertyPage::SetChanged(bool changed) {
    if (frame_) frame_->SetChanged(changed);
}

PropertyPageFrame::PropertyPageFrame(PropertyPage& page, std::vector<Site*> selected)
    : page_(&page), selected_(std::move(selected)) {
    // A page shows in one frame at a time.
    if (page.frame_) page.frame_->page_ = nullptr;
    page.frame_ = this;
    page_->SelectionChanged();
}

PropertyPageFrame::~PropertyPageFrame() {
    if (page_) page_->frame_ = nullptr;
}

void PropertyPageFrame::SetSelectedControls(std::vector<Site*> selected) {
    selected_ = std::move(selected);
    if (open_ && page_) page_->SelectionChanged();
}

void PropertyPageFrame::SetChanged(bool changed) {
    if (changed_ == changed) return;
    changed_ = changed;
    if (ChangedFlipped) ChangedFlipped();
}

void PropertyPageFrame::Apply() {
    if (!open_ || !changed_ || !page_) return;
    SetChanged(false);
    try {
        page_->ApplyChanges();
    } catch (...) {
        SetChanged(true);
        throw;
    }
}

void PropertyPageFrame::OK() {
    Apply();
    Close();
}

void PropertyPageFrame::Cancel() {
    Close();
}

void PropertyPageFrame::Close() {
    if (!open_) return;
    open_ = false;
    if (Closed) Closed();
}

}  // namespace tabula
