#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tabula {

// What a caller asks for: the six font properties of a control, at 96 dots per inch.
struct FontDescriptor {
    std::string name = "MS Sans Serif";
    float size = 8.0f;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    friend bool operator==(const FontDescriptor&, const FontDescriptor&) = default;
};

// One rendered glyph: a coverage mask (0 = background, 255 = ink) placed relative to the
// pen position on the baseline.
struct Glyph {
    int32_t left = 0;  // from the pen position to the mask's first column
    int32_t top = 0;   // from the baseline up to the mask's first row
    int32_t width = 0;
    int32_t rows = 0;
    int32_t advance = 0;  // whole pixels, so text extents add up exactly
    std::vector<uint8_t> coverage;
    // The pixels with any coverage, row by row: drawing a whole glyph visits these alone.
    // Empty for masks too large to list (then the mask is walked).
    struct Ink {
        uint16_t x;
        uint16_t y;
        uint8_t coverage;
    };
    std::vector<Ink> ink;
};

class GlyphSource;

// A font ready to measure and draw. Glyphs are rendered on first use and cached; the
// cache is shared by every Font of the same face, size and weight.
class Font {
public:
    Font(FontDescriptor requested, std::string faceName, std::shared_ptr<GlyphSource> source);
    ~Font();

    const FontDescriptor& Descriptor() const { return requested_; }
    // The family actually used (after substitution and fallback).
    const std::string& FaceName() const { return faceName_; }

    int32_t Ascent() const;
    int32_t Descent() const;
    int32_t Height() const { return Ascent() + Descent(); }
    bool Underline() const { return requested_.underline; }
    bool Strikethrough() const { return requested_.strikethrough; }
    // Decoration lines, in pixels below (positive) the baseline, and their thickness.
    int32_t UnderlineOffset() const;
    int32_t StrikeOffset() const;
    int32_t LineThickness() const;

    const Glyph& GlyphFor(char32_t c) const;
    int32_t Advance(char32_t c) const { return GlyphFor(c).advance; }
    int64_t TextWidth(std::u32string_view text) const;

private:
    FontDescriptor requested_;
    std::string faceName_;
    std::shared_ptr<GlyphSource> source_;
};

}  // namespace tabula
