#include "platform/forms/Frame.h"

#include <algorithm>

#include "platform/gdi/Drawing.h"

namespace tabula {

namespace {
// From the frame's left edge to the caption's text.
constexpr int32_t kCaptionIndent = 8;
}  // namespace

Frame::Frame(HWND parent, const Rect& rect, std::string caption)
    : Control(parent, rect, "Frame"), caption_(std::move(caption)) {
    SetTabStop(false);
    Refresh();
}

void Frame::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Refresh();
}

void Frame::Paint() {
    const Brush back = CreateSolidBrush(TranslateColorOrBlack(BackColor()));
    FillRect(dc_, image_.Bounds(), back);
    const auto& font = CurrentFont();
    const int32_t textHeight = font ? font->Height() : 13;
    // The border runs through the middle of the caption's line.
    Rect border{0, textHeight / 2, Width(), Height()};
    DrawEdge(dc_, border, EDGE_ETCHED, BF_RECT);
    if (caption_.empty()) return;

    DeviceContextStateSaver saver(dc_);
    Rect extent{kCaptionIndent, 0, Width() - kCaptionIndent, textHeight};
    DrawText(dc_, caption_, extent, DT_SINGLELINE | DT_CALCRECT);
    Rect text{kCaptionIndent, 0, std::min(extent.right, Width() - kCaptionIndent), textHeight};
    // The caption interrupts the border, with a pixel of space either side.
    FillRect(dc_, Rect{text.left - 2, 0, text.right + 2, textHeight}, back);
    dc_.SetTextColor(Enabled() ? TranslateColorOrBlack(ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
    DrawText(dc_, caption_, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

}  // namespace tabula
