#include "platform/forms/Label.h"

#include <algorithm>

#include "platform/gdi/Drawing.h"
#include "platform/window/Windows.h"

namespace tabula {

Label::Label(HWND parent, const Rect& rect, std::string caption)
    : Control(parent, rect, "Label"), caption_(std::move(caption)) {
    SetTabStop(false);
    Refresh();
}

void Label::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    FitToCaption();
    Refresh();
}

void Label::SetAlignment(int16_t alignment) {
    if (alignment != vbLeftJustify && alignment != vbRightJustify && alignment != vbCenter) return;
    alignment_ = alignment;
    Refresh();
}

void Label::SetAutoSize(bool on) {
    autoSize_ = on;
    FitToCaption();
    Refresh();
}

void Label::SetWordWrap(bool on) {
    wordWrap_ = on;
    FitToCaption();
    Refresh();
}

void Label::SetUseMnemonic(bool on) {
    useMnemonic_ = on;
    FitToCaption();
    Refresh();
}

uint32_t Label::TextFormat() const {
    uint32_t format = DT_WORDBREAK;
    if (alignment_ == vbRightJustify) format |= DT_RIGHT;
    if (alignment_ == vbCenter) format |= DT_CENTER;
    if (!useMnemonic_) format |= DT_NOPREFIX;
    return format;
}

void Label::FitToCaption() {
    if (!autoSize_) return;
    // Without WordWrap the lines keep to their line breaks and set the width; with it
    // they wrap in the present width and only the height follows.
    Rect extent{0, 0, wordWrap_ ? std::max(Width(), 1) : PixelImage::kMaxSide, 0};
    const uint32_t format = wordWrap_ ? TextFormat() : (TextFormat() & ~uint32_t{DT_WORDBREAK});
    DrawText(dc_, caption_, extent, format | DT_CALCRECT);
    const int32_t width = wordWrap_ ? Width() : static_cast<int32_t>(extent.Width());
    const int32_t height = static_cast<int32_t>(extent.Height());
    if (width != Width() || height != Height()) MoveWindow(hWnd(), Left(), Top(), width, height);
}

void Label::OnResize() {
    FitToCaption();
}

void Label::OnFontChanged() {
    FitToCaption();
}

void Label::Paint() {
    FillRect(dc_, image_.Bounds(), CreateSolidBrush(TranslateColorOrBlack(BackColor())));
    DeviceContextStateSaver saver(dc_);
    dc_.SetTextColor(Enabled() ? TranslateColorOrBlack(ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
    Rect text = image_.Bounds();
    const uint32_t format =
        autoSize_ && !wordWrap_ ? TextFormat() & ~uint32_t{DT_WORDBREAK} : TextFormat();
    DrawText(dc_, caption_, text, format);
}

}  // namespace tabula
