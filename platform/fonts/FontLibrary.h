#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/fonts/Font.h"

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

    std::shared_ptr<const Font> Get(const FontDescriptor& descriptor);
    // The ambient default: a sans-serif of 8 points.
    std::shared_ptr<const Font> Default() { return Get(FontDescriptor{}); }

    // The family name fontconfig is asked for in place of `name`.
    static std::string SubstituteName(std::string_view name);

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
    std::map<std::tuple<std::string, float, bool, bool, bool, bool>, std::shared_ptr<const Font>>
        fonts_;
    std::map<std::tuple<std::string, int, int32_t, bool, bool>, std::shared_ptr<GlyphSource>>
        sources_;
};

}  // namespace tabula
