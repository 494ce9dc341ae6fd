// Figures of the drawing layer: filling a full-HD surface against a plain memset of the
// same bytes, and drawing short cell texts the way the grid draws them.

#include <cstring>
#include <memory>
#include <string>

#include "bench/Figures.h"
#include "platform/fonts/FontLibrary.h"
#include "platform/gdi/Drawing.h"

namespace tabula::bench {

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

double FillMilliseconds() {
    PixelImage image(kWidth, kHeight);
    DeviceContext dc(image);
    COLORREF color = 0;
    return BestMilliseconds(7, 20, [&] {
        FillRect(dc, Rect{0, 0, kWidth, kHeight}, CreateSolidBrush(color++));
        Consume(image.Row(0));
    });
}

double MemsetMilliseconds() {
    auto bytes = std::make_unique<uint8_t[]>(size_t(kWidth) * kHeight * 4);
    int value = 0;
    return BestMilliseconds(7, 20, [&] {
        std::memset(bytes.get(), value++ & 0xFF, size_t(kWidth) * kHeight * 4);
        Consume(bytes.get());
    });
}

// Cells of a full-HD grid (64 by 15 pixels) holding about ten characters each, drawn with
// the grid's single-line cell flags.
double TextGlyphsPerSecond() {
    FontLibrary fonts;
    PixelImage image(kWidth, kHeight, RGB(255, 255, 255));
    DeviceContext dc(image, fonts.Get(FontDescriptor{"MS Sans Serif", 8}));
    std::vector<std::string> texts;
    for (int i = 0; i < 64; ++i)
        texts.push_back("Item " + std::to_string(10000 + i * 37));
    size_t glyphs = 0;
    for (const auto& t : texts)
        glyphs += t.size();
    const uint32_t flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_MODIFYSTRING;
    const int cellsPerRound = 2048;
    const double ms = BestMilliseconds(5, 4, [&] {
        for (int i = 0; i < cellsPerRound; ++i) {
            const int32_t x = (i % 30) * 64, y = (i / 30 % 72) * 15;
            Rect r{x + 2, y, x + 62, y + 15};
            DrawText(dc, texts[i % texts.size()], r, flags);
        }
        Consume(image.Row(0));
    });
    const double glyphsPerRound = double(glyphs) / texts.size() * cellsPerRound;
    return glyphsPerRound / (ms / 1000.0) / 1e6;
}

}  // namespace

void AddDrawingFigures(std::vector<Figure>& figures) {
    figures.push_back({"fill_1080p_ms", "ms", FillMilliseconds});
    figures.push_back({"memset_1080p_ms", "ms", MemsetMilliseconds});
    figures.push_back(
        {"fill_vs_memset_ratio", "x", [] { return FillMilliseconds() / MemsetMilliseconds(); }});
    figures.push_back({"text_cells_mglyphs_per_s", "Mglyphs/s", TextGlyphsPerSecond});
}

}  // namespace tabula::bench
