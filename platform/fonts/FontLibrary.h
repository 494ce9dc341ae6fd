#pragma once

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/fonts/Font.h"
#include "platform/fonts/LruCache.h"

struct FT_LibraryRec_;
struct _FcConfig;

namespace tabula {

class GlyphSource;

// Finds font files through fontconfig and opens them with FreeType. Every request gets a
// font: names that match nothing fall back to a metric-compatible face for the classic
// Windows names and to a sans-serif otherwise; out-of-range sizes are clamped.
class FontLibrary {
public:
    static constexpr float kMinPoints = 1.0f;
    static constexpr float kMaxPoints = 500.0f;
    // Longer names are cut; no real family name comes near it.
    static constexpr size_t kMaxNameLength = 256;

    FontLibrary();
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // How many fonts and open faces the library keeps for reuse: those least recently asked
    // for go first, and a font given out stays usable for as long as it is held.
    static constexpr size_t kCachedFonts = 64;
    static constexpr size_t kCachedFaces = 64;

    std::shared_ptr<const Font> Get(const FontDescriptor& descriptor);
    size_t CachedFonts() const { return fonts_.Size(); }
    size_t CachedFaces() const { return sources_.Size(); }
    // The ambient default: a sans-serif of 8 points.
    std::shared_ptr<const Font> Default() { return Get(FontDescriptor{}); }

    // The family name fontconfig is asked for in place of `name`.
    static std::string SubstituteName(std::string_view name);

    // The families of the installed scalable fonts, each once, sorted ignoring case:
    // the names a person may pick from. Read once and kept.
    const std::vector<std::string>& Families();

private:
    struct Located {
        std::string file;
        int index = 0;
        std::string family;
        bool bold = false;
        bool italic = false;
    };
    Located Locate(const std::string& family, bool bold, bool italic);
    std::shared_ptr<GlyphSource> SourceFor(const Located& where, float points, bool bold,
                                           bool italic);

    std::shared_ptr<FT_LibraryRec_> freetype_;
    _FcConfig* fontconfig_ = nullptr;
    std::vector<std::string> families_;
    bool familiesRead_ = false;
    LruCache<std::tuple<std::string, float, bool, bool, bool, bool>, std::shared_ptr<const Font>>
        fonts_{kCachedFonts};
    LruCache<std::tuple<std::string, int, int32_t, bool, bool>, std::shared_ptr<GlyphSource>>
        sources_{kCachedFaces};
};

}  // namespace tabula
