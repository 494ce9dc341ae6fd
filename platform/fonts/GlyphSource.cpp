#include "platform/fonts/GlyphSource.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>

namespace tabula {

namespace {

// Text is drawn aliased, as classic 3D controls draw it: crisp at small sizes, and every
// ink pixel is exactly the text colour.
constexpr bool kAntialias = false;

int32_t RoundF26Dot6(FT_Pos v) {
    return static_cast<int32_t>((v + 32) >> 6);
}

// Lists the mask's inked pixels, when their places fit the list's fields.
void ListInk(Glyph& glyph) {
    constexpr int32_t kMost = UINT16_MAX;
    if (glyph.width > kMost || glyph.rows > kMost) return;
    for (int32_t y = 0; y < glyph.rows; ++y) {
        for (int32_t x = 0; x < glyph.width; ++x) {
            const uint8_t a = glyph.coverage[size_t(y) * size_t(glyph.width) + size_t(x)];
            if (a != 0) glyph.ink.push_back({uint16_t(x), uint16_t(y), a});
        }
    }
}

bool IsControl(char32_t c) {
    return c < 0x20 || c == 0x7F;
}

}  // namespace

GlyphSource::GlyphSource(std::shared_ptr<FT_LibraryRec_> library, FT_Face face, float points,
                         bool emboldenSynthetic, bool slantSynthetic)
    : library_(std::move(library)),
      face_(face),
      pixelSize_(std::max(1, static_cast<int32_t>(std::lround(points * 96.0f / 72.0f)))),
      embolden_(emboldenSynthetic),
      slant_(slantSynthetic) {
    if (face_ && FT_Set_Char_Size(face_, 0, std::lround(points * 64.0f), 96, 96) != 0) {
        FT_Done_Face(face_);
        face_ = nullptr;
    }
    if (!face_) {
        ascent = pixelSize_ - pixelSize_ / 5;
        descent = pixelSize_ / 5;
        return;
    }
    const FT_Size_Metrics& m = face_->size->metrics;
    ascent = RoundF26Dot6(m.ascender);
    descent = RoundF26Dot6(-m.descender);
    if (FT_IS_SCALABLE(face_)) {
        underlineOffset =
            std::max(1, RoundF26Dot6(-FT_MulFix(face_->underline_position, m.y_scale)));
        lineThickness = std::max(1, RoundF26Dot6(FT_MulFix(face_->underline_thickness, m.y_scale)));
    }
    strikeOffset = -std::max(1, (ascent * 3 + 5) / 10);
}

GlyphSource::~GlyphSource() {
    if (face_) FT_Done_Face(face_);
}

const Glyph& GlyphSource::GlyphFor(char32_t c) {
    if (c < latin1_.size()) {
        auto& slot = latin1_[c];
        if (!slot) slot = std::make_unique<Glyph>(Render(c));
        return *slot;
    }
    if (const Glyph* cached = others_.Find(c)) return *cached;
    return others_.Insert(c, Render(c));
}

Glyph GlyphSource::Render(char32_t c) {
    Glyph glyph;
    if (IsControl(c)) return glyph;  // control characters take no room and draw nothing
    if (!face_) {
        glyph.advance = std::max(1, pixelSize_ / 2);
        return glyph;
    }
    const FT_Int32 target = kAntialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    const FT_Int32 flags = target | ((embolden_ || slant_) ? FT_LOAD_NO_BITMAP : 0);
    if (FT_Load_Char(face_, c, flags) != 0) {
        glyph.advance = std::max(1, pixelSize_ / 2);
        return glyph;
    }
    FT_GlyphSlot slot = face_->glyph;
    FT_Pos advance = slot->advance.x;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (embolden_) {
            // One whole pixel wider, as synthetic bold has always looked on screens.
            FT_Outline_EmboldenXY(&slot->outline, 64, 0);
            advance += 64;
        }
        if (slant_) {
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
            FT_Outline_Transform(&slot->outline, &shear);
        }
    }
    glyph.advance = RoundF26Dot6(advance);
    if (FT_Render_Glyph(slot, kAntialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) {
        return glyph;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int32_t>(bitmap.width);
    glyph.rows = static_cast<int32_t>(bitmap.rows);
    glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.rows));
    for (int32_t y = 0; y < glyph.rows; ++y) {
        const unsigned char* src = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
        uint8_t* dst = glyph.coverage.data() + size_t(y) * size_t(glyph.width);
        for (int32_t x = 0; x < glyph.width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            } else {
                dst[x] = src[x];
            }
        }
    }
    ListInk(glyph);
    return glyph;
}

}  // namespace tabula
