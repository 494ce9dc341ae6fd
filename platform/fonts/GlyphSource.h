#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/fonts/Font.h"
#include "platform/fonts/LruCache.h"

typedef struct FT_FaceRec_* FT_Face;
struct FT_LibraryRec_;

namespace tabula {

// A FreeType face at one pixel size with one synthetic style, and the glyphs rendered
// from it so far. Without a face (no font file could be found at all) it still measures
// text, with blank glyphs of half the em width, so text layout never fails.
class GlyphSource {
public:
    // Takes ownership of `face` (which may be null); `library` keeps FreeType alive for
    // as long as any font drawn from it is.
    GlyphSource(std::shared_ptr<FT_LibraryRec_> library, FT_Face face, float points,
                bool emboldenSynthetic, bool slantSynthetic);
    ~GlyphSource();
    GlyphSource(const GlyphSource&) = delete;
    GlyphSource& operator=(const GlyphSource&) = delete;

    // The glyph stays valid until the next call at least.
    const Glyph& GlyphFor(char32_t c);
    // Beyond Latin-1, the glyphs rendered most recently are kept, up to this many.
    static constexpr size_t kCachedGlyphs = 2048;
    size_t CachedGlyphs() const { return others_.Size(); }

    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t underlineOffset = 1;
    int32_t strikeOffset = -3;
    int32_t lineThickness = 1;

private:
    Glyph Render(char32_t c);

    std::shared_ptr<FT_LibraryRec_> library_;
    FT_Face face_;
    int32_t pixelSize_;
    bool embolden_;
    bool slant_;
    // Latin-1 glyphs sit in a table for speed; the rest in a bounded cache.
    std::array<std::unique_ptr<Glyph>, 256> latin1_;
    LruCache<char32_t, Glyph> others_{kCachedGlyphs};
};

}  // namespace tabula
