#include "platform/fonts/Font.h"

#include "platform/fonts/GlyphSource.h"

namespace tabula {

Font::Font(FontDescriptor requested, std::string faceName, std::shared_ptr<GlyphSource> source)
    : requested_(std::move(requested)),
      faceName_(std::move(faceName)),
      source_(std::move(source)) {}

Font::~Font() = default;

int32_t Font::Ascent() const {
    return source_->ascent;
}
int32_t Font::Descent() const {
    return source_->descent;
}
int32_t Font::UnderlineOffset() const {
    return source_->underlineOffset;
}
int32_t Font::StrikeOffset() const {
    return source_->strikeOffset;
}
int32_t Font::LineThickness() const {
    return source_->lineThickness;
}

const Glyph& Font::GlyphFor(char32_t c) const {
    return source_->GlyphFor(c);
}

int64_t Font::TextWidth(std::u32string_view text) const {
    int64_t width = 0;
    for (char32_t c : text)
        width += source_->GlyphFor(c).advance;
    return width;
}

}  // namespace tabula
