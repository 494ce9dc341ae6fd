// Text layout and drawing.
//
// DrawText runs in four steps, each over the context's scratch buffers:
//   1. decode the UTF-8 text and apply prefix processing ("&x", "&&") -> display chars;
//   2. split into lines (line breaks, then word wrap) -> line ranges;
//   3. decide which lines are visible and where ellipses go;
//   4. place each visible line (alignment) and blit its glyphs, clipped.

#include <algorithm>

#include "platform/gdi/Drawing.h"
#include "platform/text/Utf8.h"

namespace tabula {

namespace {

constexpr std::u32string_view kEllipsis = U"...";

struct TextMetrics {
    const Font* font;
    int32_t Advance(char32_t c) const { return font ? font->Advance(c) : 0; }
    int64_t Width(std::u32string_view s) const { return font ? font->TextWidth(s) : 0; }
    int32_t LineHeight() const { return font ? font->Height() : 0; }
};

void ApplyPrefixes(const std::u32string& decoded, bool prefix, TextScratch& scratch) {
    scratch.display.clear();
    scratch.accessKeys.clear();
    if (!prefix) {
        scratch.display = decoded;
        return;
    }
    for (size_t i = 0; i < decoded.size(); ++i) {
        if (decoded[i] != U'&') {
            scratch.display.push_back(decoded[i]);
            continue;
        }
        if (++i == decoded.size()) break;  // a lone trailing "&" shows nothing
        if (decoded[i] != U'&') scratch.accessKeys.push_back(scratch.display.size());
        scratch.display.push_back(decoded[i]);
    }
}

bool IsBreak(char32_t c) {
    return c == U'\n' || c == U'\r';
}

// Trailing spaces of a wrapped line take no room.
size_t TrimTrailingSpaces(const std::u32string& s, size_t begin, size_t end) {
    while (end > begin && s[end - 1] == U' ')
        --end;
    return end;
}

// Greedy word wrap of display[begin, end) into lines at most `maxWidth` wide.
void WrapParagraph(const std::u32string& s, size_t begin, size_t end, int64_t maxWidth,
                   bool breakWords, const TextMetrics& m, std::vector<TextScratch::Line>& out) {
    size_t pos = begin;
    do {
        int64_t width = 0;
        size_t lastSpace = std::u32string::npos;
        size_t i = pos;
        size_t lineEnd = end;
        size_t next = end;
        for (; i < end; ++i) {
            const char32_t c = s[i];
            if (c == U' ') {
                lastSpace = i;
            } else if (width + m.Advance(c) > maxWidth && i > pos) {
                if (lastSpace != std::u32string::npos && lastSpace > pos) {
                    lineEnd = lastSpace;
                    next = lastSpace;
                } else if (breakWords) {
                    lineEnd = i;
                    next = i;
                } else {
                    // A word wider than the line keeps its own line and is cut there.
                    lineEnd = std::find(s.begin() + i, s.begin() + end, U' ') - s.begin();
                    next = lineEnd;
                }
                break;
            }
            width += m.Advance(c);
        }
        if (i == end) lineEnd = next = end;
        const size_t trimmed = next < end ? TrimTrailingSpaces(s, pos, lineEnd) : lineEnd;
        out.push_back({pos, trimmed, 0, false});
        pos = next;
        while (pos < end && s[pos] == U' ')
            ++pos;
    } while (pos < end);
}

void SplitLines(const TextScratch& scratch, uint32_t format, int64_t maxWidth, const TextMetrics& m,
                std::vector<TextScratch::Line>& lines) {
    const std::u32string& s = scratch.display;
    lines.clear();
    if (format & DT_SINGLELINE) {
        lines.push_back({0, s.size(), 0, false});
        return;
    }
    size_t start = 0;
    while (true) {
        size_t stop = start;
        while (stop < s.size() && !IsBreak(s[stop]))
            ++stop;
        if (format & DT_WORDBREAK) {
            WrapParagraph(s, start, stop, maxWidth, format & DT_EDITCONTROL, m, lines);
        } else {
            lines.push_back({start, stop, 0, false});
        }
        if (stop == s.size()) break;
        // "\r\n" is one break.
        start = stop + ((s[stop] == U'\r' && stop + 1 < s.size() && s[stop + 1] == U'\n') ? 2 : 1);
    }
}

// Gives `line` an ellipsis: the longest start of it that fits with "..." after it.
void Ellipsize(TextScratch::Line& line, const std::u32string& s, int64_t maxWidth,
               const TextMetrics& m) {
    const int64_t room = maxWidth - m.Width(kEllipsis);
    int64_t width = 0;
    size_t keep = 0;
    while (line.begin + keep < line.end) {
        const int32_t advance = m.Advance(s[line.begin + keep]);
        if (width + advance > room) break;
        width += advance;
        ++keep;
    }
    line.ellipsis = true;
    line.keep = keep;
    line.width = -1;
}

// Measured once: the ellipsis test and the alignment both want it.
int64_t LineWidth(TextScratch::Line& line, const std::u32string& s, const TextMetrics& m) {
    if (line.width >= 0) return line.width;
    const size_t end = line.ellipsis ? line.begin + line.keep : line.end;
    line.width = m.Width(std::u32string_view(s).substr(line.begin, end - line.begin));
    if (line.ellipsis) line.width += m.Width(kEllipsis);
    return line.width;
}

// Each channel (fg * a + bg * (255 - a)) / 255, rounded to nearest. Red and blue share
// one multiply in 16-bit lanes, and (t + 1 + (t >> 8)) >> 8 is t / 255 exactly for every
// t these sums reach.
COLORREF Blend(COLORREF fg, COLORREF bg, uint32_t a) {
    const uint32_t na = 255 - a;
    uint32_t rb = (fg & 0xFF00FF) * a + (bg & 0xFF00FF) * na + 0x7F007F;
    uint32_t g = ((fg >> 8) & 0xFF) * a + ((bg >> 8) & 0xFF) * na + 0x7F;
    rb = ((rb + 0x10001 + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    g = ((g + 1 + (g >> 8)) >> 8) & 0xFF;
    return rb | (g << 8);
}

void BlitGlyph(PixelImage& image, const Rect& clip, const Glyph& glyph, int64_t penX,
               int64_t baseline, COLORREF color) {
    const int64_t gx = penX + glyph.left;
    const int64_t gy = baseline - glyph.top;
    const int64_t x0 = std::max<int64_t>(gx, clip.left);
    const int64_t x1 = std::min<int64_t>(gx + glyph.width, clip.right);
    const int64_t y0 = std::max<int64_t>(gy, clip.top);
    const int64_t y1 = std::min<int64_t>(gy + glyph.rows, clip.bottom);
    // A glyph wholly inside the clip, the usual case, visits its inked pixels alone.
    const bool whole = x0 == gx && y0 == gy && x1 == gx + glyph.width && y1 == gy + glyph.rows;
    if (whole && (!glyph.ink.empty() || glyph.coverage.empty())) {
        for (const Glyph::Ink& ink : glyph.ink) {
            COLORREF& pixel = image.Row(static_cast<int32_t>(gy + ink.y))[gx + ink.x];
            pixel = ink.coverage == 255 ? color : Blend(color, pixel, ink.coverage);
        }
        return;
    }
    for (int64_t y = y0; y < y1; ++y) {
        const uint8_t* coverage = glyph.coverage.data() + (y - gy) * glyph.width;
        COLORREF* row = image.Row(static_cast<int32_t>(y));
        for (int64_t x = x0; x < x1; ++x) {
            const uint32_t a = coverage[x - gx];
            if (a == 0) continue;
            row[x] = a == 255 ? color : Blend(color, row[x], a);
        }
    }
}

void HorizontalBar(PixelImage& image, const Rect& clip, int64_t x0, int64_t x1, int64_t y,
                   int32_t thickness, COLORREF color) {
    const Rect bar{static_cast<int32_t>(std::clamp<int64_t>(x0, INT32_MIN, INT32_MAX)),
                   static_cast<int32_t>(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX)),
                   static_cast<int32_t>(std::clamp<int64_t>(x1, INT32_MIN, INT32_MAX)),
                   static_cast<int32_t>(std::clamp<int64_t>(y + thickness, INT32_MIN, INT32_MAX))};
    const Rect area = Intersect(bar, clip);
    for (int32_t row = area.top; row < area.bottom; ++row) {
        std::fill_n(image.Row(row) + area.left, area.right - area.left, color);
    }
}

void DrawLine(DeviceContext& dc, const TextScratch& scratch, const TextScratch::Line& line,
              int64_t x, int64_t top, const Rect& clip) {
    const Font* font = dc.CurrentFont();
    if (!font || clip.IsEmpty()) return;
    const int64_t baseline = top + font->Ascent();
    if (baseline - font->Ascent() >= clip.bottom || baseline + font->Descent() <= clip.top) return;
    const std::u32string& s = scratch.display;
    const COLORREF color = dc.TextColor();
    PixelImage& image = dc.Image();
    const size_t end = line.ellipsis ? line.begin + line.keep : line.end;

    const int64_t start = x;
    auto draw = [&](char32_t c) {
        const Glyph& g = font->GlyphFor(c);
        if (x < clip.right && x + g.left + g.width > clip.left) {
            BlitGlyph(image, clip, g, x, baseline, color);
        }
        x += g.advance;
    };
    for (size_t i = line.begin; i < end; ++i) {
        if (std::binary_search(scratch.accessKeys.begin(), scratch.accessKeys.end(), i)) {
            HorizontalBar(image, clip, x, x + font->Advance(s[i]),
                          baseline + font->UnderlineOffset(), font->LineThickness(), color);
        }
        draw(s[i]);
    }
    if (line.ellipsis) {
        for (char32_t c : kEllipsis)
            draw(c);
    }
    if (font->Underline()) {
        HorizontalBar(image, clip, start, x, baseline + font->UnderlineOffset(),
                      font->LineThickness(), color);
    }
    if (font->Strikethrough()) {
        HorizontalBar(image, clip, start, x, baseline + font->StrikeOffset(), font->LineThickness(),
                      color);
    }
}

void StoreDisplayed(const TextScratch& scratch, std::string& displayed) {
    displayed.clear();
    const std::u32string& s = scratch.display;
    for (const auto& line : scratch.lines) {
        if (!line.ellipsis) continue;
        // Everything up to the first ellipsis, then the ellipsis.
        displayed = EncodeUtf8(std::u32string_view(s).substr(0, line.begin + line.keep));
        displayed += "...";
        return;
    }
    displayed = EncodeUtf8(s);
}

}  // namespace

int32_t DrawText(DeviceContext& dc, std::string_view text, Rect& rect, uint32_t format,
                 std::string* displayed) {
    TextScratch& scratch = dc.Scratch();
    scratch.decoded.clear();
    AppendDecodedUtf8(text, scratch.decoded);
    ApplyPrefixes(scratch.decoded, !(format & DT_NOPREFIX), scratch);

    const TextMetrics m{dc.CurrentFont()};
    const int64_t width = std::max<int64_t>(rect.Width(), 0);
    const int64_t height = std::max<int64_t>(rect.Height(), 0);
    const int32_t lineHeight = m.LineHeight();
    SplitLines(scratch, format, width, m, scratch.lines);
    auto& lines = scratch.lines;

    if (format & DT_CALCRECT) {
        int64_t widest = 0;
        for (auto& line : lines)
            widest = std::max(widest, LineWidth(line, scratch.display, m));
        const int64_t tall = int64_t{lineHeight} * static_cast<int64_t>(lines.size());
        rect.right = static_cast<int32_t>(std::min<int64_t>(rect.left + widest, INT32_MAX));
        rect.bottom = static_cast<int32_t>(std::min<int64_t>(rect.top + tall, INT32_MAX));
        return static_cast<int32_t>(std::min<int64_t>(tall, INT32_MAX));
    }

    // Visible lines: those that start inside the rectangle (only whole ones for an edit
    // control), but always the first, so a short rectangle still shows the start of text.
    size_t visible = lines.size();
    if (!(format & DT_SINGLELINE) && lineHeight > 0) {
        const int64_t fit = (format & DT_EDITCONTROL) ? height / lineHeight
                                                      : (height + lineHeight - 1) / lineHeight;
        visible = static_cast<size_t>(std::clamp<int64_t>(fit, 1, int64_t(lines.size())));
    }
    if (format & DT_END_ELLIPSIS) {
        for (size_t i = 0; i < visible; ++i) {
            const bool more = i + 1 == visible && visible < lines.size();
            if (more || LineWidth(lines[i], scratch.display, m) > width) {
                Ellipsize(lines[i], scratch.display, width, m);
            }
        }
    }
    lines.resize(visible);

    int64_t top = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            top = rect.top + (height - lineHeight) / 2;
        } else if (format & DT_BOTTOM) {
            top = int64_t{rect.bottom} - lineHeight;
        }
    }
    const Rect clip = (format & DT_NOCLIP) ? dc.ClipRect() : Intersect(rect, dc.ClipRect());
    for (auto& line : lines) {
        const int64_t lineWidth = LineWidth(line, scratch.display, m);
        int64_t x = rect.left;
        if (format & DT_CENTER) {
            x = rect.left + (width - lineWidth) / 2;
        } else if (format & DT_RIGHT) {
            x = int64_t{rect.right} - lineWidth;
        }
        DrawLine(dc, scratch, line, x, top, clip);
        top += lineHeight;
    }
    if (displayed && (format & DT_MODIFYSTRING)) StoreDisplayed(scratch, *displayed);
    return static_cast<int32_t>(
        std::min<int64_t>(int64_t{lineHeight} * int64_t(visible), INT32_MAX));
}

Size GetTextExtent(DeviceContext& dc, std::string_view text) {
    const Font* font = dc.CurrentFont();
    if (!font) return Size{};
    TextScratch& scratch = dc.Scratch();
    scratch.decoded.clear();
    AppendDecodedUtf8(text, scratch.decoded);
    const int64_t width = font->TextWidth(scratch.decoded);
    return Size{static_cast<int32_t>(std::min<int64_t>(width, INT32_MAX)), font->Height()};
}

}  // namespace tabula
