// Draws a sample of every drawing primitive into a PNG so a person can look at it.
//
//   tabula-render OUTPUT.png

#include <cstdio>
#include <string>

#include "platform/fonts/FontLibrary.h"
#include "platform/gdi/Drawing.h"
#include "platform/image/PngFile.h"

using namespace tabula;

namespace {

constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void Label(DeviceContext& dc, int32_t x, int32_t y, int32_t w, const char* text,
           uint32_t flags = DT_SINGLELINE | DT_NOPREFIX) {
    Rect r{x, y, x + w, y + 16};
    DrawText(dc, text, r, flags);
}

void Edges(DeviceContext& dc, FontLibrary& fonts) {
    dc.SelectFont(fonts.Default());
    struct Sample {
        const char* name;
        uint32_t edge;
    };
    const Sample samples[] = {{"raised outer", BDR_RAISEDOUTER},
                              {"sunken outer", BDR_SUNKENOUTER},
                              {"raised inner", BDR_RAISEDINNER},
                              {"sunken inner", BDR_SUNKENINNER},
                              {"raised", EDGE_RAISED},
                              {"etched", EDGE_ETCHED},
                              {"bump", EDGE_BUMP},
                              {"sunken", EDGE_SUNKEN}};
    int32_t x = 10;
    for (const auto& s : samples) {
        Rect r{x, 30, x + 70, 60};
        DrawEdge(dc, r, s.edge, BF_RECT);
        Label(dc, x, 62, 80, s.name);
        x += 80;
    }
    Rect mono{x, 30, x + 70, 60};
    DrawEdge(dc, mono, BDR_RAISEDOUTER, BF_RECT | BF_MONO);
    Label(dc, x, 62, 80, "one colour");
}

void HeaderCells(DeviceContext& dc, FontLibrary& fonts) {
    dc.SelectFont(fonts.Default());
    const char* titles[] = {"Name", "Date", "Amount", "Pressed"};
    int32_t x = 10;
    for (int i = 0; i < 4; ++i) {
        Rect cell{x, 90, x + 65, 106};
        FillRect(dc, cell, CreateSolidBrush(kFace));
        Rect edge = cell;
        if (i == 3) {
            DrawEdge(dc, edge, BDR_SUNKENINNER, BF_TOPLEFT);
            DrawEdge(dc, edge, BDR_SUNKENOUTER, BF_BOTTOMRIGHT);
        } else {
            DrawEdge(dc, edge, BDR_RAISEDINNER, BF_TOPLEFT);
            DrawEdge(dc, edge, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        }
        Rect text{x + 2, 90, x + 63, 106};
        DrawText(dc, titles[i], text, DT_SINGLELINE | DT_NOPREFIX | DT_CENTER | DT_VCENTER);
        x += 66;
    }
    for (int i = 0; i < 3; ++i) {
        Rect box{x + 10 + i * 25, 91, x + 25 + i * 25, 106};
        DrawFrameControl(dc, box, DFC_BUTTON, i == 1 ? DFCS_CHECKED : DFCS_BUTTONCHECK);
    }
    Rect button{x + 90, 88, x + 160, 110};
    DrawFrameControl(dc, button, DFC_BUTTON, DFCS_BUTTONPUSH);
    Label(dc, x + 98, 91, 60, "Button");
}

void TextSamples(DeviceContext& dc, FontLibrary& fonts) {
    dc.SelectFont(fonts.Default());
    const uint32_t single = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_MODIFYSTRING;
    const uint32_t wrap =
        DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_MODIFYSTRING;
    struct Sample {
        const char* text;
        uint32_t flags;
    };
    const Sample samples[] = {
        {"Left", single},
        {"Centre", single | DT_CENTER},
        {"Right", single | DT_RIGHT},
        {"Middle", single | DT_VCENTER},
        {"Bottom", single | DT_BOTTOM | DT_RIGHT},
        {"A text much longer than its cell", single},
        {"Word wrap keeps whole words on lines and ends in an ellipsis", wrap},
        {"Save && &Exit", DT_SINGLELINE},
        {"Save && &Exit", single},
    };
    int32_t x = 10, y = 130;
    for (const auto& s : samples) {
        Rect cell{x, y, x + 90, y + 34};
        FillRect(dc, cell, CreateSolidBrush(kWhite));
        Rect edge = cell;
        DrawEdge(dc, edge, BDR_RAISEDOUTER, BF_RECT | BF_MONO);
        Rect text{x + 2, y + 1, x + 88, y + 33};
        DrawText(dc, s.text, text, s.flags);
        x += 96;
        if (x > 600) x = 10, y += 40;
    }
}

void FontSamples(DeviceContext& dc, FontLibrary& fonts) {
    struct Sample {
        FontDescriptor font;
        const char* text;
    };
    const Sample samples[] = {
        {{"MS Sans Serif", 8}, "MS Sans Serif 8"},
        {{"Arial", 10, true}, "Arial 10 bold"},
        {{"Times New Roman", 12, false, true}, "Times 12 italic"},
        {{"Courier New", 9, false, false, true}, "Courier 9 underline"},
        {{"Verdana", 9, false, false, false, true}, "Verdana 9 strikeout"},
        {{"No Such Font", 11, true, true}, "Unknown name, 11 bold italic"},
        {{"DejaVu Sans", 8}, "Ünïcödé ✓ € — Ωμέγα"},
    };
    int32_t y = 260;
    for (const auto& s : samples) {
        dc.SelectFont(fonts.Get(s.font));
        Rect r{10, y, 400, y + 24};
        DrawText(dc, s.text, r, DT_SINGLELINE | DT_NOPREFIX);
        const std::string face = dc.CurrentFont()->FaceName();
        dc.SelectFont(fonts.Default());
        Label(dc, 220, y, 200, face.c_str());
        y += 22;
    }
}

void Overlays(DeviceContext& dc, FontLibrary& fonts) {
    dc.SelectFont(fonts.Default());
    // A small grid: dotted interior lines, solid frame, an inverted block and a focus cell.
    const int32_t x0 = 420, y0 = 260, w = 50, h = 16;
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 4; ++c) {
            Rect cell{x0 + c * (w + 1), y0 + r * (h + 1), x0 + c * (w + 1) + w,
                      y0 + r * (h + 1) + h};
            FillRect(dc, cell, CreateSolidBrush(r % 2 ? RGB(255, 255, 224) : kWhite));
            Rect text{cell.left + 2, cell.top, cell.right - 2, cell.bottom};
            char name[16];
            std::snprintf(name, sizeof name, "R%dC%d", r + 1, c + 1);
            DrawText(dc, name, text, DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    dc.SelectPen(Pen{PenStyle::Dot, RGB(128, 128, 128)});
    for (int c = 1; c < 4; ++c) {
        MoveToEx(dc, x0 + c * (w + 1) - 1, y0);
        LineTo(dc, x0 + c * (w + 1) - 1, y0 + 5 * (h + 1));
    }
    for (int r = 1; r < 5; ++r) {
        MoveToEx(dc, x0, y0 + r * (h + 1) - 1);
        LineTo(dc, x0 + 4 * (w + 1), y0 + r * (h + 1) - 1);
    }
    dc.SelectPen(Pen{PenStyle::Solid, 0});
    MoveToEx(dc, x0, y0 + 5 * (h + 1) - 1);
    LineTo(dc, x0 + 4 * (w + 1) - 1, y0 + 5 * (h + 1) - 1);
    LineTo(dc, x0 + 4 * (w + 1) - 1, y0 - 1);
    InvertRect(dc, Rect{x0 + w + 1, y0 + h + 1, x0 + 3 * (w + 1), y0 + 3 * (h + 1)});
    DrawFocusRect(dc, Rect{x0, y0 + 3 * (h + 1), x0 + w, y0 + 3 * (h + 1) + h});
    Label(dc, x0, y0 + 90, 220, "dotted lines, inverted block, focus");

    // A strip scrolled up by 8 pixels, its uncovered band filled in yellow.
    Rect area{x0, y0 + 112, x0 + 203, y0 + 150};
    Rect update;
    ScrollDC(dc, 0, -8, &area, &area, &update);
    FillRect(dc, update, CreateSolidBrush(RGB(255, 255, 0)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    FontLibrary fonts;
    PixelImage image(720, 440, kFace);
    DeviceContext dc(image, fonts.Default());
    dc.SetTextColor(0);
    Label(dc, 10, 8, 400, "Tabula drawing layer: edges, header cells, check boxes, text, fonts");

    Edges(dc, fonts);
    HeaderCells(dc, fonts);
    TextSamples(dc, fonts);
    FontSamples(dc, fonts);
    // Copy some text into the area the scroll sample moves.
    dc.SelectFont(fonts.Default());
    Rect moving{420, 372, 623, 410};
    FillRect(dc, moving, CreateSolidBrush(kWhite));
    Rect line{422, 380, 620, 410};
    DrawText(dc, "This line moved up 8 pixels by ScrollDC", line, DT_WORDBREAK | DT_NOPREFIX);
    Overlays(dc, fonts);

    try {
        WritePng(image, argv[1]);
    } catch (const PngError& e) {
        std::fprintf(stderr, "tabula-render: %s\n", e.what());
        return 1;
    }
    std::printf("Sample drawing written to %s\n", argv[1]);
    return 0;
}
