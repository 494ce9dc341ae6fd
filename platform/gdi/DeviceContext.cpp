#include "platform/gdi/DeviceContext.h"

namespace tabula {

DeviceContext::DeviceContext(PixelImage& image, std::shared_ptr<const Font> font)
    : image_(&image), font_(std::move(font)) {}

Pen DeviceContext::SelectPen(const Pen& pen) {
    Pen previous = pen_;
    pen_ = Pen{pen.style, pen.color & 0xFFFFFF};
    return previous;
}

COLORREF DeviceContext::SetTextColor(COLORREF color) {
    COLORREF previous = textColor_;
    textColor_ = color & 0xFFFFFF;
    return previous;
}

std::shared_ptr<const Font> DeviceContext::SelectFont(std::shared_ptr<const Font> font) {
    std::swap(font, font_);
    return font;
}

DeviceContextStateSaver::DeviceContextStateSaver(DeviceContext& dc)
    : dc_(dc),
      pen_(dc.CurrentPen()),
      textColor_(dc.TextColor()),
      font_(dc.FontHandle()),
      clip_(dc.ClipSetting()) {}

DeviceContextStateSaver::~DeviceContextStateSaver() {
    dc_.SelectPen(pen_);
    dc_.SetTextColor(textColor_);
    dc_.SelectFont(font_);
    dc_.SetClipRect(clip_);
}

}  // namespace tabula
