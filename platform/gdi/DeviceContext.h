#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/fonts/Font.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/Geometry.h"
#include "platform/gdi/PixelImage.h"

namespace tabula {

// Pen styles, numbered as a picture box's DrawStyle.
enum class PenStyle : int { Solid = 0, Dot = 2 };

struct Pen {
    PenStyle style = PenStyle::Solid;
    COLORREF color = 0;
};

struct Brush {
    COLORREF color = 0;
};

// Scratch space the text drawing reuses from call to call, so drawing a cell's text
// allocates nothing once the buffers have grown.
struct TextScratch {
    struct Line {
        size_t begin = 0;
        size_t end = 0;
        size_t keep = 0;  // characters drawn before the ellipsis, when `ellipsis`
        bool ellipsis = false;
        int64_t width = -1;  // in pixels once measured, ellipsis included
    };
    std::u32string decoded;
    std::u32string display;
    std::vector<size_t> accessKeys;  // indexes into `display` of underlined access keys
    std::vector<Line> lines;
};

// A drawing context over a PixelImage: the current pen, text colour, font, pen position
// and clipping rectangle. The image must outlive the context.
class DeviceContext {
public:
    explicit DeviceContext(PixelImage& image, std::shared_ptr<const Font> font = nullptr);

    PixelImage& Image() { return *image_; }
    const PixelImage& Image() const { return *image_; }

    // Drawing is clipped to this rectangle and to the image.
    Rect ClipRect() const { return Intersect(clip_, image_->Bounds()); }
    void SetClipRect(const Rect& clip) { clip_ = clip; }
    const Rect& ClipSetting() const { return clip_; }
    void ResetClipRect() { clip_ = Rect{0, 0, INT32_MAX, INT32_MAX}; }

    Pen SelectPen(const Pen& pen);
    const Pen& CurrentPen() const { return pen_; }

    COLORREF SetTextColor(COLORREF color);
    COLORREF TextColor() const { return textColor_; }

    // A null font measures and draws text with no width and no ink.
    std::shared_ptr<const Font> SelectFont(std::shared_ptr<const Font> font);
    const Font* CurrentFont() const { return font_.get(); }
    const std::shared_ptr<const Font>& FontHandle() const { return font_; }

    Point CurrentPosition() const { return position_; }
    void SetCurrentPosition(Point p) { position_ = p; }

    TextScratch& Scratch() { return scratch_; }

private:
    PixelImage* image_;
    Rect clip_{0, 0, INT32_MAX, INT32_MAX};
    Pen pen_;
    COLORREF textColor_ = 0;
    std::shared_ptr<const Font> font_;
    Point position_;
    TextScratch scratch_;
};

// Restores a context's pen, text colour, font and clip when it goes out of scope.
class DeviceContextStateSaver {
public:
    explicit DeviceContextStateSaver(DeviceContext& dc);
    ~DeviceContextStateSaver();
    DeviceContextStateSaver(const DeviceContextStateSaver&) = delete;
    DeviceContextStateSaver& operator=(const DeviceContextStateSaver&) = delete;

private:
    DeviceContext& dc_;
    Pen pen_;
    COLORREF textColor_;
    std::shared_ptr<const Font> font_;
    Rect clip_;
};

}  // namespace tabula
