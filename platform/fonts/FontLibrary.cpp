#include "platform/fonts/FontLibrary.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <utility>

#include "platform/fonts/GlyphSource.h"
#include "platform/text/CaseFold.h"

namespace tabula {

namespace {

// Trims blanks, drops NUL bytes and cuts overlong names at a character boundary.
std::string CleanName(std::string_view name) {
    std::string out;
    for (char c : name.substr(0, FontLibrary::kMaxNameLength + 4)) {
        if (c != '\0') out.push_back(c);
    }
    if (out.size() > FontLibrary::kMaxNameLength) {
        size_t cut = FontLibrary::kMaxNameLength;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!out.empty() && blank(out.back()))
        out.pop_back();
    size_t start = 0;
    while (start < out.size() && blank(out[start]))
        ++start;
    return out.substr(start);
}

float CleanSize(float points) {
    if (!std::isfinite(points)) return FontDescriptor{}.size;
    return std::clamp(points, FontLibrary::kMinPoints, FontLibrary::kMaxPoints);
}

// Classic Windows faces and the installed faces drawn with the same metrics.
constexpr std::array<std::pair<std::string_view, std::string_view>, 19> kSubstitutes = {{
    {"ms sans serif", "Liberation Sans"},
    {"microsoft sans serif", "Liberation Sans"},
    {"ms shell dlg", "Liberation Sans"},
    {"ms shell dlg 2", "Liberation Sans"},
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"tahoma", "Liberation Sans"},
    {"segoe ui", "Liberation Sans"},
    {"system", "Liberation Sans"},
    {"small fonts", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"ms serif", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"fixedsys", "Liberation Mono"},
    {"terminal", "Liberation Mono"},
    {"lucida console", "Liberation Mono"},
    {"verdana", "DejaVu Sans"},
}};

}  // namespace

FontLibrary::FontLibrary() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) {
        freetype_ =
            std::shared_ptr<FT_LibraryRec_>(library, [](FT_Library l) { FT_Done_FreeType(l); });
    }
    fontconfig_ = FcInitLoadConfigAndFonts();
}

FontLibrary::~FontLibrary() {
    fonts_.Clear();
    sources_.Clear();
    if (fontconfig_) FcConfigDestroy(fontconfig_);
}

std::string FontLibrary::SubstituteName(std::string_view name) {
    const std::string clean = CleanName(name);
    if (clean.empty()) return "sans-serif";
    const std::string key = AsciiLower(clean);
    for (const auto& [classic, installed] : kSubstitutes) {
        if (key == classic) return std::string(installed);
    }
    return clean;
}

const std::vector<std::string>& FontLibrary::Families() {
    if (familiesRead_ || !fontconfig_) return families_;
    familiesRead_ = true;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(fontconfig_, pattern, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    if (!fonts) return families_;
    // A font may carry several family names (its style family after its own): the
    // first is the one it is known by.
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
            families_.emplace_back(reinterpret_cast<const char*>(family));
    }
    FcFontSetDestroy(fonts);
    std::sort(families_.begin(), families_.end(), [](const std::string& a, const std::string& b) {
        const std::string fa = FoldCase(a), fb = FoldCase(b);
        return fa != fb ? fa < fb : a < b;
    });
    families_.erase(std::unique(families_.begin(), families_.end()), families_.end());
    return families_;
}

FontLibrary::Located FontLibrary::Locate(const std::string& family, bool bold, bool italic) {
    Located where;
    if (!fontconfig_) return where;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(fontconfig_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(fontconfig_, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return where;
    FcChar8* file = nullptr;
    FcChar8* matchedFamily = nullptr;
    int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        where.file = reinterpret_cast<const char*>(file);
    }
    if (FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch) {
        where.family = reinterpret_cast<const char*>(matchedFamily);
    }
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    where.index = index;
    where.bold = weight >= FC_WEIGHT_DEMIBOLD;
    where.italic = slant != FC_SLANT_ROMAN;
    FcPatternDestroy(match);
    return where;
}

std::shared_ptr<GlyphSource> FontLibrary::SourceFor(const Located& where, float points, bool bold,
                                                    bool italic) {
    const bool synthBold = bold && !where.bold;
    const bool synthItalic = italic && !where.italic;
    const auto key =
        std::make_tuple(where.file, where.index, static_cast<int32_t>(std::lround(points * 64.0f)),
                        synthBold, synthItalic);
    if (auto* found = sources_.Find(key)) return *found;
    FT_Face face = nullptr;
    if (freetype_ && !where.file.empty() &&
        FT_New_Face(freetype_.get(), where.file.c_str(), where.index, &face) != 0) {
        face = nullptr;
    }
    auto source = std::make_shared<GlyphSource>(freetype_, face, points, synthBold, synthItalic);
    sources_.Insert(key, source);
    return source;
}

std::shared_ptr<const Font> FontLibrary::Get(const FontDescriptor& descriptor) {
    FontDescriptor clean = descriptor;
    clean.name = CleanName(descriptor.name);
    clean.size = CleanSize(descriptor.size);
    const auto key = std::make_tuple(AsciiLower(clean.name), clean.size, clean.bold, clean.italic,
                                     clean.underline, clean.strikethrough);
    if (auto* found = fonts_.Find(key)) return *found;

    Located where = Locate(SubstituteName(clean.name), clean.bold, clean.italic);
    if (where.file.empty()) where = Locate("sans-serif", clean.bold, clean.italic);
    auto source = SourceFor(where, clean.size, clean.bold, clean.italic);
    auto font = std::make_shared<const Font>(clean, where.family.empty() ? "(none)" : where.family,
                                             std::move(source));
    fonts_.Insert(key, font);
    return font;
}

}  // namespace tabula
