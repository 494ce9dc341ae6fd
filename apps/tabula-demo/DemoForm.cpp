#include "apps/tabula-demo/DemoForm.h"

#include <algorithm>
#include <array>

#include "platform/gdi/Drawing.h"
#include "platform/text/Utf8.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGridLine = RGB(192, 192, 192);
constexpr uint32_t kLine = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;
constexpr UINT_PTR kStatusTimer = 1;

void Title(DeviceContext& dc, const char* text, int32_t width) {
    Rect r{6, 2, width - 6, 18};
    DrawText(dc, text, r, kLine);
}

std::string PlaceLine(const std::string& name, const Rect& r) {
    return "place " + name + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
           std::to_string(r.Width()) + " " + std::to_string(r.Height());
}

}  // namespace

Rect FlowLayout::Next(int32_t width, int32_t height) {
    if (x_ > margin_ && x_ + width > width_ - margin_) NewRow();
    const Rect r = MakeRectFromSize(x_, y_, width, height);
    x_ += width + gap_;
    rowHeight_ = std::max(rowHeight_, height);
    return r;
}

void FlowLayout::NewRow() {
    if (rowHeight_ == 0) return;
    y_ += rowHeight_ + gap_;
    x_ = margin_;
    rowHeight_ = 0;
}

int32_t FlowLayout::Height() const {
    return (rowHeight_ > 0 ? y_ + rowHeight_ : y_ - gap_) + margin_;
}

DemoForm::DemoForm(Log log) : log_(std::move(log)) {
    form_ = std::make_unique<SampleForm>(Rect{0, 0, kWidth, 100}, "Tabula demo");
    form_->Resized = [this] {
        Note("form size " + std::to_string(form_->Width()) + "x" + std::to_string(form_->Height()));
    };
    form_->Unloaded = [this] { Note("closed"); };
    Build();
}

DemoForm::~DemoForm() {
    // Controls go before the form that holds their windows.
    controls_.clear();
}

void DemoForm::Build() {
    AddDrawings();
    layout_.NewRow();
    AddTypingPad();
    layout_.NewRow();
    AddButtons();
    layout_.NewRow();
    AddStatusLine();
    form_->Move(form_->Left(), form_->Top(), kWidth, layout_.Height());
}

void DemoForm::Note(const std::string& line) {
    if (log_) log_(line);
}

std::vector<std::pair<std::string, Rect>> DemoForm::Places() const {
    std::vector<std::pair<std::string, Rect>> places;
    for (const auto& [name, control] : named_) {
        Rect r;
        if (IsWindowVisible(control->hWnd()) && GetWindowRect(control->hWnd(), &r)) {
            places.emplace_back(name, r);
        }
    }
    if (about_ && aboutOk_) {
        Rect r;
        if (GetWindowRect(aboutOk_->hWnd(), &r)) places.emplace_back("about.OK", r);
    }
    return places;
}

void DemoForm::AnnouncePlaces() {
    announce_ = true;
    for (const auto& [name, r] : Places())
        Note(PlaceLine(name, r));
}

PictureBox& DemoForm::AddPicture(const std::string& name, int32_t width, int32_t height) {
    auto box = std::make_unique<PictureBox>(form_->hWnd(), layout_.Next(width, height));
    PictureBox& ref = *box;
    named_.emplace_back(name, box.get());
    controls_.push_back(std::move(box));
    return ref;
}

CommandButton& DemoForm::AddButton(const std::string& name, std::string caption) {
    auto button =
        std::make_unique<CommandButton>(form_->hWnd(), layout_.Next(88, 26), std::move(caption));
    CommandButton& ref = *button;
    named_.emplace_back(name, button.get());
    controls_.push_back(std::move(button));
    return ref;
}

// --- Drawings ------------------------------------------------------------------------------

void DemoForm::AddDrawings() {
    // A corner of a grid: header cells, grid lines, a selected row and the focus cell.
    PictureBox& cells = AddPicture("cells", 200, 140);
    cells.SetTabStop(false);
    {
        DeviceContext& dc = cells.hDC();
        FillRect(dc, cells.Image().Bounds(), CreateSolidBrush(kWhite));
        const std::array<int32_t, 4> columns = {0, 36, 118, 200};
        const char* headers[] = {"", "Name", "Amount"};
        const char* names[] = {"Ada", "Brook", "Cyril", "Dana", "Elm", "Fay"};
        const char* amounts[] = {"12.50", "7.25", "100.00", "3.10", "42.00", "0.99"};
        constexpr int32_t kRow = 20;
        for (int32_t row = 0; row < 7; ++row) {
            for (size_t col = 0; col + 1 < columns.size(); ++col) {
                Rect cell{columns[col], row * kRow, columns[col + 1], (row + 1) * kRow};
                const bool header = row == 0 || col == 0;
                if (header) {
                    FillRect(dc, cell, CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
                    Rect edge = cell;
                    DrawEdge(dc, edge, EDGE_RAISED, BF_RECT);
                }
                std::string text = row == 0   ? headers[col]
                                   : col == 0 ? std::to_string(row)
                                   : col == 1 ? names[row - 1]
                                              : amounts[row - 1];
                Rect inner{cell.left + 3, cell.top, cell.right - 3, cell.bottom};
                uint32_t align = header ? DT_CENTER : DT_LEFT;
                if (col == 2 && !header) align = DT_RIGHT;
                DrawText(dc, text, inner, kLine | align);
                if (!header) {
                    dc.SelectPen(Pen{PenStyle::Solid, kGridLine});
                    MoveToEx(dc, cell.left, cell.bottom - 1);
                    LineTo(dc, cell.right - 1, cell.bottom - 1);
                    LineTo(dc, cell.right - 1, cell.top - 1);
                }
            }
        }
        // The third row selected, the focus on its amount.
        InvertRect(dc, Rect{columns[1], 3 * kRow, columns[3] - 1, 4 * kRow - 1});
        DrawFocusRect(dc, Rect{columns[2], 3 * kRow, columns[3] - 1, 4 * kRow - 1});
        cells.Refresh();
    }

    // The classic 3D palette, swatch by swatch.
    PictureBox& colours = AddPicture("colours", 200, 140);
    colours.SetTabStop(false);
    {
        DeviceContext& dc = colours.hDC();
        Title(dc, "System colours", 200);
        struct Swatch {
            SystemColorIndex index;
            const char* name;
        };
        const Swatch swatches[] = {
            {COLOR_BTNFACE, "face"},        {COLOR_BTNSHADOW, "shadow"},
            {COLOR_BTNHIGHLIGHT, "light"},  {COLOR_3DDKSHADOW, "dark"},
            {COLOR_WINDOW, "window"},       {COLOR_WINDOWTEXT, "text"},
            {COLOR_HIGHLIGHT, "select"},    {COLOR_INFOBK, "tip"},
            {COLOR_ACTIVECAPTION, "title"}, {COLOR_GRAYTEXT, "grey"},
            {COLOR_APPWORKSPACE, "work"},   {COLOR_BACKGROUND, "desk"},
        };
        for (int i = 0; i < 12; ++i) {
            const int32_t x = 6 + (i % 4) * 48;
            const int32_t y = 22 + (i / 4) * 39;
            Rect swatch{x, y, x + 42, y + 22};
            FillRect(dc, swatch, CreateSolidBrush(GetSysColor(swatches[i].index)));
            Rect frame = swatch;
            DrawEdge(dc, frame, BDR_SUNKENOUTER, BF_RECT);
            Rect label{x - 2, y + 22, x + 44, y + 37};
            DrawText(dc, swatches[i].name, label, kLine | DT_CENTER);
        }
        colours.Refresh();
    }

    // Pens and fonts: solid and dotted lines, and the font styles.
    PictureBox& lines = AddPicture("lines", 200, 140);
    lines.SetTabStop(false);
    {
        DeviceContext& dc = lines.hDC();
        Title(dc, "Lines and text", 200);
        for (int i = 0; i < 6; ++i) {
            lines.SetForeColor(
                RGB(static_cast<uint8_t>(40 * i), 60, static_cast<uint8_t>(200 - 30 * i)));
            MoveToEx(dc, 8, 24);
            LineTo(dc, 90, 24 + i * 12);
        }
        lines.SetForeColor(RGB(0, 0, 0));
        lines.SetDrawStyle(2);
        MoveToEx(dc, 8, 96);
        LineTo(dc, 90, 96);
        lines.SetDrawStyle(0);
        struct Style {
            const char* text;
            bool bold, italic, underline, strike;
        };
        const Style styles[] = {{"Regular", false, false, false, false},
                                {"Bold", true, false, false, false},
                                {"Italic", false, true, false, false},
                                {"Underline", false, false, true, false},
                                {"Strike", false, false, false, true}};
        int32_t y = 22;
        for (const Style& s : styles) {
            lines.SetFontBold(s.bold);
            lines.SetFontItalic(s.italic);
            lines.SetFontUnderline(s.underline);
            lines.SetFontStrikethru(s.strike);
            Rect r{104, y, 196, y + 18};
            DrawText(dc, s.text, r, kLine);
            y += 20;
        }
        lines.SetFontStrikethru(false);
        lines.Refresh();
    }
}

// --- Typing pad ------------------------------------------------------------------------------

void DemoForm::AddTypingPad() {
    PictureBox& pad = AddPicture("pad", layout_.InnerWidth(), 44);
    pad_ = &pad;
    pad.SetBackColor(SystemColor(COLOR_WINDOW));
    pad.SetFontSize(11);
    pad.GotFocus = [this] { DrawPad(); };
    pad.LostFocus = [this] { DrawPad(); };
    pad.KeyPress = [this](int16_t& keyAscii) {
        const auto unit = static_cast<char16_t>(keyAscii);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            pendingHighSurrogate_ = unit;
            return;
        }
        char32_t c = unit;
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (!pendingHighSurrogate_) return;
            c = 0x10000 + ((char32_t{pendingHighSurrogate_} - 0xD800) << 10) + (unit - 0xDC00);
        }
        pendingHighSurrogate_ = 0;
        if (c == '\b') {
            std::u32string text = DecodeUtf8(padText_);
            if (!text.empty()) text.pop_back();
            padText_ = EncodeUtf8(text);
        } else if (c == '\r') {
            Note("typed: " + padText_);
            SetStatus("Typed: " + padText_);
            padText_.clear();
        } else if (c == 27) {
            padText_.clear();
        } else if (c == 3) {  // Ctrl+C
            SetClipboardText(padText_);
            Note("copied: " + padText_);
        } else if (c == 22) {  // Ctrl+V: the pad holds one line, so line breaks go
            for (char32_t pasted : DecodeUtf8(GetClipboardText())) {
                if (pasted >= 0x20) AppendUtf8(pasted, padText_);
            }
        } else if (c >= 0x20) {
            AppendUtf8(c, padText_);
        }
        DrawPad();
    };
    DrawPad();
}

void DemoForm::DrawPad() {
    PictureBox& pad = *pad_;
    pad.Cls();
    DeviceContext& dc = pad.hDC();
    Rect frame = pad.Image().Bounds();
    DrawEdge(dc, frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    Rect text{frame.left + 6, frame.top, frame.right - 6, frame.bottom};
    if (padText_.empty()) {
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        Rect hint{text.left + 4, text.top, text.right, text.bottom};
        DrawText(dc, "Type here; Enter sends the line, Esc clears it.", hint, kLine);
    } else {
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        DrawText(dc, padText_, text, kLine | DT_END_ELLIPSIS);
    }
    if (pad.HasFocus()) {
        // A bar after the text stands for the caret.
        const int32_t x = text.left + GetTextExtent(dc, padText_).cx + 1;
        dc.SelectPen(Pen{PenStyle::Solid, GetSysColor(COLOR_WINDOWTEXT)});
        MoveToEx(dc, x, text.top + 8);
        LineTo(dc, x, text.bottom - 8);
    }
    pad.Refresh();
}

// --- Buttons -------------------------------------------------------------------------------

void DemoForm::AddButtons() {
    CommandButton& ok = AddButton("OK", "OK");
    ok.Click = [this] {
        Note("clicked OK");
        SetStatus("Clicked OK");
        // The status goes back to Ready a moment later, on a timer.
        SetTimer(form_->hWnd(), kStatusTimer, kStatusMilliseconds,
                 [this](HWND hwnd, UINT, UINT_PTR id, uint32_t) {
                     KillTimer(hwnd, id);
                     SetStatus("Ready");
                     Note("status cleared");
                 });
    };
    CommandButton& about = AddButton("About", "About");
    about.Click = [this] { ShowAbout(); };
    CommandButton& close = AddButton("Close", "Close");
    close.Click = [this] { form_->Unload(); };
}

void DemoForm::ShowAbout() {
    constexpr int32_t kAboutWidth = 280;
    constexpr int32_t kAboutHeight = 142;
    constexpr int32_t kCaption = 20;
    const int32_t left = form_->Left() + (form_->Width() - kAboutWidth) / 2;
    const int32_t top = form_->Top() + (form_->Height() - kAboutHeight) / 2;
    Form about(MakeRectFromSize(left, top, kAboutWidth, kAboutHeight), "About");
    {
        // A frame and a title bar of its own, so the box stands out from the form below.
        DeviceContext& dc = about.hDC();
        Rect frame = about.Image().Bounds();
        DrawEdge(dc, frame, EDGE_RAISED, BF_RECT | BF_ADJUST);
        Rect bar{frame.left + 1, frame.top + 1, frame.right - 1, frame.top + kCaption};
        FillRect(dc, bar, CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION)));
        dc.SetTextColor(GetSysColor(COLOR_CAPTIONTEXT));
        Rect title{bar.left + 6, bar.top, bar.right - 6, bar.bottom};
        DrawText(dc, about.Caption(), title, kLine);
    }
    PictureBox text(about.hWnd(), Rect{12, kCaption + 12, kAboutWidth - 12, kCaption + 70});
    text.SetTabStop(false);
    {
        DeviceContext& dc = text.hDC();
        Rect frame = text.Image().Bounds();
        DrawEdge(dc, frame, EDGE_ETCHED, BF_RECT | BF_ADJUST);
        Rect r{frame.left + 8, frame.top + 4, frame.right - 8, frame.bottom - 4};
        DrawText(dc,
                 "Tabula demo\nAn editable grid control that draws itself, shown here "
                 "in a modal box.",
                 r, DT_WORDBREAK | DT_NOPREFIX);
        text.Refresh();
    }
    CommandButton ok(about.hWnd(), MakeRectFromSize(kAboutWidth / 2 - 44, kCaption + 80, 88, 26),
                     "OK");
    ok.Click = [&about] { about.Unload(); };

    about_ = &about;
    aboutOk_ = &ok;
    Note("about shown");
    SetStatus("About box shown");
    if (announce_) {
        Rect r;
        GetWindowRect(ok.hWnd(), &r);
        Note(PlaceLine("about.OK", r));
    }
    about.Show(vbModal);
    about_ = nullptr;
    aboutOk_ = nullptr;
    Note("about closed");
    SetStatus("About box closed");
}

// --- Status line ---------------------------------------------------------------------------

void DemoForm::AddStatusLine() {
    statusLine_ = &AddPicture("status", layout_.InnerWidth(), 22);
    statusLine_->SetTabStop(false);
    status_ = "Ready";
    DrawStatus();
}

void DemoForm::SetStatus(std::string text) {
    status_ = std::move(text);
    if (statusLine_) DrawStatus();
}

void DemoForm::DrawStatus() {
    PictureBox& line = *statusLine_;
    line.Cls();
    DeviceContext& dc = line.hDC();
    Rect frame = line.Image().Bounds();
    DrawEdge(dc, frame, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    Rect text{frame.left + 6, frame.top, frame.right - 6, frame.bottom};
    DrawText(dc, status_, text, kLine | DT_END_ELLIPSIS);
    line.Refresh();
}

}  // namespace tabula
