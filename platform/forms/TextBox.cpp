// The text box: editing, caret movement, layout and painting.
//
// Call flow of an edit, in the order the steps run:
//   key press / key down / paste / SetText / SetSelText
//     -> ReplaceText        (Locked and MaxLength for the user's edits; the text changes)
//     -> MoveCaret          (caret and anchor placed, goal column forgotten)
//        -> ScrollToCaret   (EnsureLayout rebuilds the lines, then the caret is scrolled
//                            into view)
//        -> Refresh -> Paint
//     -> Change             (last, so a handler sees the finished state and may edit again)
//
// Paint: background, 3D edge, each visible line as up to three runs (before, inside and
// after the selection), then the caret while the box has the focus.

#include "platform/forms/TextBox.h"

#include <algorithm>

#include "platform/gdi/Drawing.h"
#include "platform/text/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

// Room between the edge and the text: the caret at either end of a line stays clear of
// the edge; the top margin is one pixel so a line fits a tight grid cell.
constexpr int32_t kMarginX = 2;
constexpr int32_t kMarginY = 1;

// Characters KeyPress delivers that the box acts on instead of inserting.
constexpr char32_t kCtrlA = 1;
constexpr char32_t kCtrlC = 3;
constexpr char32_t kBackspace = 8;
constexpr char32_t kLineFeed = 10;  // Ctrl+Enter
constexpr char32_t kCarriageReturn = 13;
constexpr char32_t kCtrlV = 22;
constexpr char32_t kCtrlX = 24;

// What word movement and double clicks stop at.
enum class CharClass { Space, Break, Word, Punctuation };

CharClass Classify(char32_t c) {
    if (c == U' ' || c == U'\t' || c == 0xA0 || c == 0x3000) return CharClass::Space;
    if (c == U'\r' || c == U'\n') return CharClass::Break;
    const bool asciiWord = (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') ||
                           (c >= U'A' && c <= U'Z') || c == U'_';
    if (c < 0x80 && !asciiWord) return CharClass::Punctuation;
    return CharClass::Word;
}

// Where a wrapped line may break.
bool IsWrapSpace(char32_t c) {
    return c == U' ' || c == U'\t';
}

bool IsControlCharacter(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Clipboard text as the box may hold it: a single-line box keeps the first line; a
// multi-line box stores every kind of line break as "\r\n". Control characters other
// than tabs are dropped.
std::u32string CleanPastedText(std::u32string_view in, bool multiLine) {
    std::u32string out;
    for (size_t i = 0; i < in.size(); ++i) {
        const char32_t c = in[i];
        if (c == U'\r' || c == U'\n') {
            if (!multiLine) break;
            if (c == U'\r' && i + 1 < in.size() && in[i + 1] == U'\n') ++i;
            out += U"\r\n";
        } else if (c == U'\t' || !IsControlCharacter(c)) {
            out.push_back(c);
        }
    }
    return out;
}

int32_t Saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

Rect MakeRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return Rect{Saturate(left), Saturate(top), Saturate(right), Saturate(bottom)};
}

int64_t FloorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

TextBox::TextBox(HWND parent, const Rect& rect, bool multiLine)
    : Control(parent, rect, "TextBox"), multiLine_(multiLine) {
    SetBackColor(SystemColor(COLOR_WINDOW));
    SetForeColor(SystemColor(COLOR_WINDOWTEXT));
}

// --- Text and selection -------------------------------------------------------------------

void TextBox::SetText(std::string_view text) {
    ReplaceText(0, text_.size(), DecodeUtf8(text), EditOrigin::Code, CaretAfterEdit::AtStart);
}

int32_t TextBox::TextLength() const {
    return Saturate(static_cast<int64_t>(text_.size()));
}

int32_t TextBox::SelStart() const {
    return Saturate(static_cast<int64_t>(SelBegin()));
}

void TextBox::SetSelStart(int32_t start) {
    MoveCaret(ClampPosition(start), Selection::Collapse);
}

int32_t TextBox::SelLength() const {
    return Saturate(static_cast<int64_t>(SelEnd() - SelBegin()));
}

void TextBox::SetSelLength(int32_t length) {
    const size_t begin = SelBegin();
    anchor_ = begin;
    MoveCaret(ClampPosition(static_cast<int64_t>(begin) + std::max(length, 0)), Selection::Extend);
}

std::string TextBox::SelText() const {
    return EncodeUtf8(std::u32string_view(text_).substr(SelBegin(), SelEnd() - SelBegin()));
}

void TextBox::SetSelText(std::string_view text) {
    ReplaceSelection(DecodeUtf8(text), EditOrigin::Code);
}

bool TextBox::ReplaceText(size_t begin, size_t end, std::u32string insert, EditOrigin origin,
                          CaretAfterEdit caret) {
    end = std::min(end, text_.size());
    begin = std::min(begin, end);
    if (origin == EditOrigin::User) {
        if (locked_) return false;
        if (maxLength_ > 0) {
            const size_t kept = text_.size() - (end - begin);
            const size_t limit = static_cast<size_t>(maxLength_);
            const size_t room = kept < limit ? limit - kept : 0;
            if (insert.size() > room) {
                size_t cut = room;
                // A line break is one keystroke: both of its characters or neither.
                if (cut > 0 && insert[cut - 1] == U'\r' && insert[cut] == U'\n') --cut;
                if (cut == 0) return false;
                insert.resize(cut);
            }
        }
    }
    const bool changed = std::u32string_view(text_).substr(begin, end - begin) != insert;
    if (changed) {
        text_.replace(begin, end - begin, insert);
        utf8_ = EncodeUtf8(text_);
        ++textVersion_;
    }
    const size_t at = caret == CaretAfterEdit::AtStart ? begin : begin + insert.size();
    MoveCaret(ClampPosition(static_cast<int64_t>(at)), Selection::Collapse);
    if (changed && Change) Change();
    return true;
}

size_t TextBox::ClampPosition(int64_t position) const {
    const size_t p =
        static_cast<size_t>(std::clamp<int64_t>(position, 0, static_cast<int64_t>(text_.size())));
    if (p > 0 && p < text_.size() && text_[p - 1] == U'\r' && text_[p] == U'\n') return p - 1;
    return p;
}

size_t TextBox::PreviousPosition(size_t position) const {
    if (position == 0) return 0;
    --position;
    if (position > 0 && text_[position] == U'\n' && text_[position - 1] == U'\r') --position;
    return position;
}

size_t TextBox::NextPosition(size_t position) const {
    if (position >= text_.size()) return text_.size();
    if (text_[position] == U'\r' && position + 1 < text_.size() && text_[position + 1] == U'\n') {
        return position + 2;
    }
    return position + 1;
}

// To the start of the word before: back over spaces, then over one run of a kind. A line
// break counts as a word of its own.
size_t TextBox::WordLeft(size_t position) const {
    const size_t start = position;
    while (position > 0 && Classify(text_[position - 1]) == CharClass::Space)
        --position;
    if (position == 0) return 0;
    const CharClass kind = Classify(text_[position - 1]);
    if (kind == CharClass::Break) return position != start ? position : PreviousPosition(position);
    while (position > 0 && Classify(text_[position - 1]) == kind)
        --position;
    return position;
}

// To the start of the next word: over the run the caret is in, then over spaces.
size_t TextBox::WordRight(size_t position) const {
    const size_t n = text_.size();
    if (position >= n) return n;
    const CharClass kind = Classify(text_[position]);
    if (kind == CharClass::Break) {
        position = NextPosition(position);
    } else if (kind != CharClass::Space) {
        while (position < n && Classify(text_[position]) == kind)
            ++position;
    }
    while (position < n && Classify(text_[position]) == CharClass::Space)
        ++position;
    return position;
}

// --- Behaviour and appearance -------------------------------------------------------------

void TextBox::SetHideSelection(bool hide) {
    hideSelection_ = hide;
    Refresh();
}

void TextBox::SetAlignment(int16_t alignment) {
    alignment_ =
        (alignment == kAlignRight || alignment == kAlignCenter) ? alignment : int16_t{kAlignLeft};
    Refresh();
}

void TextBox::SetBorderStyle(int16_t style) {
    borderStyle_ = style == 0 ? 0 : 1;
    ScrollToCaret();
    Refresh();
}

// --- Editing commands ---------------------------------------------------------------------

void TextBox::TypeCharacter(char32_t c) {
    ReplaceSelection(std::u32string(1, c), EditOrigin::User);
}

void TextBox::DeleteBackward() {
    if (locked_) return;
    if (anchor_ != caret_) {
        ReplaceSelection({}, EditOrigin::User);
    } else if (caret_ > 0) {
        ReplaceText(PreviousPosition(caret_), caret_, {}, EditOrigin::User,
                    CaretAfterEdit::AfterInsertion);
    }
}

void TextBox::DeleteForward() {
    if (locked_) return;
    if (anchor_ != caret_) {
        ReplaceSelection({}, EditOrigin::User);
    } else if (caret_ < text_.size()) {
        ReplaceText(caret_, NextPosition(caret_), {}, EditOrigin::User,
                    CaretAfterEdit::AfterInsertion);
    }
}

void TextBox::Copy() {
    if (anchor_ == caret_) return;
    SetClipboardText(SelText());
}

void TextBox::Cut() {
    if (locked_ || anchor_ == caret_) return;
    Copy();
    ReplaceSelection({}, EditOrigin::User);
}

void TextBox::Paste() {
    std::u32string text = CleanPastedText(DecodeUtf8(GetClipboardText()), multiLine_);
    // An empty clipboard leaves the selection alone rather than deleting it.
    if (text.empty()) return;
    ReplaceSelection(std::move(text), EditOrigin::User);
}

void TextBox::SelectAll() {
    anchor_ = 0;
    MoveCaret(text_.size(), Selection::Extend);
}

// Selects the run of one kind of character (a word, spaces, punctuation) at `position`,
// the character that was under the pointer.
void TextBox::SelectWordAt(size_t position) {
    const size_t n = text_.size();
    if (position >= n || Classify(text_[position]) == CharClass::Break) {
        // Past the end of a line: the word that ends there.
        if (position == 0 || position > n || Classify(text_[position - 1]) == CharClass::Break) {
            MoveCaret(ClampPosition(static_cast<int64_t>(position)), Selection::Collapse);
            return;
        }
        --position;
    }
    const CharClass kind = Classify(text_[position]);
    size_t begin = position, end = position + 1;
    while (begin > 0 && Classify(text_[begin - 1]) == kind)
        --begin;
    while (end < n && Classify(text_[end]) == kind)
        ++end;
    anchor_ = begin;
    MoveCaret(end, Selection::Extend);
}

// --- Caret movement -----------------------------------------------------------------------

void TextBox::MoveCaret(size_t position, Selection selection) {
    caret_ = position;
    if (selection == Selection::Collapse) anchor_ = position;
    goalX_ = -1;
    ScrollToCaret();
    Refresh();
}

void TextBox::MoveHorizontally(bool forward, bool byWord, Selection selection) {
    size_t to;
    if (selection == Selection::Collapse && anchor_ != caret_ && !byWord) {
        // Left or Right over a selection lands on its matching end.
        to = forward ? SelEnd() : SelBegin();
    } else if (byWord) {
        to = forward ? WordRight(caret_) : WordLeft(caret_);
    } else {
        to = forward ? NextPosition(caret_) : PreviousPosition(caret_);
    }
    MoveCaret(to, selection);
}

void TextBox::MoveVertically(int32_t lines, Selection selection) {
    if (!multiLine_) {
        // A single-line box has one line: Up and Down step like Left and Right.
        MoveHorizontally(lines > 0, false, selection);
        return;
    }
    EnsureLayout();
    const size_t line = LineOf(caret_);
    const int64_t goal =
        goalX_ >= 0 ? goalX_ : LineIndent(line) + RunWidth(lines_[line].begin, caret_);
    const int64_t target = std::clamp<int64_t>(static_cast<int64_t>(line) + lines, 0,
                                               static_cast<int64_t>(lines_.size()) - 1);
    const size_t to =
        PositionInLine(static_cast<size_t>(target), goal - LineIndent(static_cast<size_t>(target)),
                       Hit::NearestBoundary);
    MoveCaret(to, selection);
    goalX_ = goal;  // kept, so a run of Up and Down presses keeps its column
}

void TextBox::MoveToLineEdge(bool toEnd, bool wholeText, Selection selection) {
    if (wholeText || !multiLine_) {
        MoveCaret(toEnd ? text_.size() : 0, selection);
        return;
    }
    EnsureLayout();
    const size_t line = LineOf(caret_);
    MoveCaret(toEnd ? LastPositionOnLine(line) : lines_[line].begin, selection);
}

// --- Layout and geometry ------------------------------------------------------------------

void TextBox::EnsureLayout() {
    const std::shared_ptr<const tabula::Font>& font = CurrentFont();
    const int64_t width = TextRect().Width();
    if (layoutVersion_ == textVersion_ && layoutFont_ == font && layoutWidth_ == width) return;
    layoutVersion_ = textVersion_;
    layoutFont_ = font;
    layoutWidth_ = width;
    BuildLines();
    KeepCaretVisible();
}

void TextBox::BuildLines() {
    lines_.clear();
    const size_t n = text_.size();
    if (!multiLine_) {
        lines_.push_back({0, n, false});
        return;
    }
    // One pixel is kept free at the right for the caret after a full line.
    const int64_t maxWidth = std::max<int64_t>(TextRect().Width() - 1, 1);
    size_t start = 0;
    while (true) {
        size_t stop = start;
        while (stop < n && text_[stop] != U'\r' && text_[stop] != U'\n')
            ++stop;
        WrapParagraph(start, stop, maxWidth);
        if (stop == n) break;
        start = stop + ((text_[stop] == U'\r' && stop + 1 < n && text_[stop + 1] == U'\n') ? 2 : 1);
    }
}

// Greedy wrap of text_[begin, end) at spaces. Spaces at the end of a line hang past the
// edge; a word wider than the line is broken between characters.
void TextBox::WrapParagraph(size_t begin, size_t end, int64_t maxWidth) {
    const tabula::Font* font = layoutFont_.get();
    size_t pos = begin;
    while (true) {
        int64_t width = 0;
        size_t wordStart = std::u32string::npos;  // the last word that follows a space
        size_t i = pos;
        for (; i < end; ++i) {
            const char32_t c = text_[i];
            const int64_t advance = font ? font->Advance(c) : 0;
            if (IsWrapSpace(c)) {
                width += advance;
                if (i + 1 < end && !IsWrapSpace(text_[i + 1])) wordStart = i + 1;
                continue;
            }
            if (width + advance > maxWidth && i > pos) break;
            width += advance;
        }
        if (i == end) {
            lines_.push_back({pos, end, false});
            return;
        }
        const size_t next = (wordStart != std::u32string::npos && wordStart > pos) ? wordStart : i;
        lines_.push_back({pos, next, true});
        pos = next;
    }
}

void TextBox::ScrollToCaret() {
    EnsureLayout();
    KeepCaretVisible();
}

void TextBox::KeepCaretVisible() {
    if (lines_.empty()) return;
    if (!multiLine_) {
        const int64_t room = std::max<int64_t>(TextRect().Width(), 1);
        const int64_t total = RunWidth(0, text_.size());
        if (total < room) {
            scrollX_ = 0;  // everything fits, the caret after the end included
            return;
        }
        const int64_t caretX = RunWidth(0, caret_);
        scrollX_ = std::clamp<int64_t>(scrollX_, 0, total + 1 - room);
        if (caretX < scrollX_) {
            scrollX_ = caretX;
        } else if (caretX >= scrollX_ + room) {
            scrollX_ = caretX - room + 1;
        }
        return;
    }
    scrollX_ = 0;
    const size_t visible = static_cast<size_t>(VisibleLineCount());
    const size_t line = LineOf(caret_);
    if (line < firstVisible_) {
        firstVisible_ = line;
    } else if (line >= firstVisible_ + visible) {
        firstVisible_ = line - visible + 1;
    }
    const size_t lastTop = lines_.size() > visible ? lines_.size() - visible : 0;
    firstVisible_ = std::min(firstVisible_, lastTop);
}

Rect TextBox::InnerRect() const {
    Rect inner{0, 0, Width(), Height()};
    if (borderStyle_ == 1) {
        inner.left += 2, inner.top += 2, inner.right -= 2, inner.bottom -= 2;
    }
    inner.right = std::max(inner.left, inner.right);
    inner.bottom = std::max(inner.top, inner.bottom);
    return inner;
}

Rect TextBox::TextRect() const {
    Rect text = InnerRect();
    text.left += kMarginX, text.right -= kMarginX;
    text.top += kMarginY, text.bottom -= kMarginY;
    text.right = std::max(text.left, text.right);
    text.bottom = std::max(text.top, text.bottom);
    return text;
}

int32_t TextBox::LineHeight() const {
    return layoutFont_ ? std::max(layoutFont_->Height(), 1) : 1;
}

int32_t TextBox::VisibleLineCount() const {
    return static_cast<int32_t>(std::max<int64_t>(TextRect().Height() / LineHeight(), 1));
}

size_t TextBox::LineOf(size_t position) const {
    const auto after =
        std::upper_bound(lines_.begin(), lines_.end(), position,
                         [](size_t p, const TextLine& line) { return p < line.begin; });
    return after == lines_.begin() ? 0 : static_cast<size_t>(after - lines_.begin()) - 1;
}

// A wrapped line's own end is the next line's start, where the caret would be drawn on
// the next line; the caret stops one character short of it.
size_t TextBox::LastPositionOnLine(size_t line) const {
    const TextLine& l = lines_[line];
    return l.wrapped && l.end > l.begin ? l.end - 1 : l.end;
}

int64_t TextBox::RunWidth(size_t begin, size_t end) const {
    if (!layoutFont_ || end <= begin) return 0;
    return layoutFont_->TextWidth(std::u32string_view(text_).substr(begin, end - begin));
}

int64_t TextBox::LineIndent(size_t line) const {
    if (alignment_ == kAlignLeft) return 0;
    const TextLine& l = lines_[line];
    size_t end = l.end;
    if (l.wrapped) {
        while (end > l.begin && IsWrapSpace(text_[end - 1]))
            --end;
    }
    const int64_t room = TextRect().Width();
    const int64_t width = RunWidth(l.begin, end);
    // A single-line box too narrow for its text scrolls instead.
    if (width >= room) return 0;
    return alignment_ == kAlignRight ? room - width - 1 : (room - width) / 2;
}

int64_t TextBox::LineLeft(size_t line) const {
    return TextRect().left + LineIndent(line) - scrollX_;
}

int64_t TextBox::LineTop(size_t line) const {
    return TextRect().top +
           (static_cast<int64_t>(line) - static_cast<int64_t>(firstVisible_)) * LineHeight();
}

size_t TextBox::PositionInLine(size_t line, int64_t x, Hit hit) const {
    const TextLine& l = lines_[line];
    const size_t last = LastPositionOnLine(line);
    int64_t left = 0;
    for (size_t p = l.begin; p < last; ++p) {
        const int64_t advance = layoutFont_ ? layoutFont_->Advance(text_[p]) : 0;
        const int64_t split = hit == Hit::NearestBoundary ? (advance + 1) / 2 : advance;
        if (x < left + split) return ClampPosition(static_cast<int64_t>(p));
        left += advance;
    }
    return last;
}

size_t TextBox::PositionFromPoint(int32_t x, int32_t y, Hit hit) {
    EnsureLayout();
    const int64_t row = FloorDiv(int64_t{y} - TextRect().top, LineHeight());
    const size_t line = static_cast<size_t>(std::clamp<int64_t>(
        static_cast<int64_t>(firstVisible_) + row, 0, static_cast<int64_t>(lines_.size()) - 1));
    return PositionInLine(line, int64_t{x} - LineLeft(line), hit);
}

// --- Keyboard -----------------------------------------------------------------------------

void TextBox::OnKeyDown(int16_t keyCode, int16_t shift) {
    const Selection selection = (shift & vbShiftMask) ? Selection::Extend : Selection::Collapse;
    const bool ctrl = shift & vbCtrlMask;
    switch (keyCode) {
        case VK_LEFT:
        case VK_RIGHT:
            MoveHorizontally(keyCode == VK_RIGHT, ctrl, selection);
            break;
        case VK_UP:
        case VK_DOWN:
            MoveVertically(keyCode == VK_DOWN ? 1 : -1, selection);
            break;
        case VK_PRIOR:
        case VK_NEXT:
            if (multiLine_) {
                const int32_t page = std::max(VisibleLineCount() - 1, 1);
                MoveVertically(keyCode == VK_NEXT ? page : -page, selection);
            }
            break;
        case VK_HOME:
        case VK_END:
            MoveToLineEdge(keyCode == VK_END, ctrl, selection);
            break;
        case VK_DELETE:
            if (shift & vbShiftMask) {
                Cut();
            } else {
                DeleteForward();
            }
            break;
        case VK_INSERT:
            if (shift & vbShiftMask) {
                Paste();
            } else if (ctrl) {
                Copy();
            }
            break;
        default:
            break;
    }
}

void TextBox::StartCharacter(char16_t highSurrogate) {
    if (highSurrogate >= 0xD800 && highSurrogate < 0xDC00) pendingHighSurrogate_ = highSurrogate;
}

void TextBox::OnKeyPress(int16_t keyAscii) {
    // The handler may have changed the key to anything 16 bits hold.
    const char16_t unit = static_cast<char16_t>(static_cast<uint16_t>(keyAscii));
    if (unit >= 0xD800 && unit < 0xDC00) {
        pendingHighSurrogate_ = unit;  // the second half follows in the next key press
        return;
    }
    char32_t c = unit;
    if (unit >= 0xDC00 && unit < 0xE000) {
        if (!pendingHighSurrogate_) return;  // a second half alone is no character
        c = 0x10000 + ((char32_t{pendingHighSurrogate_} - 0xD800) << 10) + (unit - 0xDC00);
    }
    pendingHighSurrogate_ = 0;
    switch (c) {
        case kBackspace:
            DeleteBackward();
            return;
        case kCarriageReturn:
        case kLineFeed:
            if (multiLine_) ReplaceSelection(U"\r\n", EditOrigin::User);
            return;
        case kCtrlA:
            SelectAll();
            return;
        case kCtrlC:
            Copy();
            return;
        case kCtrlV:
            Paste();
            return;
        case kCtrlX:
            Cut();
            return;
        default:
            break;
    }
    if (IsControlCharacter(c)) return;  // Tab, Escape and the other Ctrl letters
    TypeCharacter(c);
}

// --- Mouse --------------------------------------------------------------------------------

void TextBox::OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y) {
    if (button != vbLeftButton) return;
    dragging_ = true;
    MoveCaret(PositionFromPoint(x, y, Hit::NearestBoundary),
              (shift & vbShiftMask) ? Selection::Extend : Selection::Collapse);
}

void TextBox::OnMouseMove(int16_t button, int16_t, int32_t x, int32_t y) {
    if (!dragging_ || !(button & vbLeftButton)) return;
    // A point outside the box gives a position outside the view, which scrolls it.
    const size_t position = PositionFromPoint(x, y, Hit::NearestBoundary);
    if (position != caret_) MoveCaret(position, Selection::Extend);
}

void TextBox::OnMouseUp(int16_t button, int16_t, int32_t, int32_t) {
    if (button == vbLeftButton) dragging_ = false;
}

void TextBox::OnDoubleClick(int16_t button, int16_t, int32_t x, int32_t y) {
    if (button != vbLeftButton) return;
    dragging_ = false;
    SelectWordAt(PositionFromPoint(x, y, Hit::CharacterUnder));
}

void TextBox::OnFocusChanged(bool gained) {
    pendingHighSurrogate_ = 0;
    if (!gained) dragging_ = false;
    Refresh();
}

// --- Painting -----------------------------------------------------------------------------

void TextBox::Paint() {
    EnsureLayout();
    FillRect(dc_, image_.Bounds(), CreateSolidBrush(TranslateColorOrBlack(BackColor())));
    Rect inner = image_.Bounds();
    if (borderStyle_ == 1) DrawEdge(dc_, inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (!layoutFont_) return;

    // Text may reach into the top and bottom margins (descenders in a tight cell), never
    // into the side margins, which keep a scrolled line clear of the edge.
    const Rect text = TextRect();
    const Rect clip = Intersect(Rect{text.left, inner.top, text.right, inner.bottom}, inner);
    if (clip.IsEmpty()) return;
    DeviceContextStateSaver saver(dc_);
    dc_.SetClipRect(clip);

    const COLORREF textColor =
        Enabled() ? TranslateColorOrBlack(ForeColor()) : GetSysColor(COLOR_GRAYTEXT);
    const bool showSelection = anchor_ != caret_ && (HasFocus() || !hideSelection_);
    // One line more than fits whole: the partly visible one at the bottom.
    const size_t end =
        std::min(lines_.size(), firstVisible_ + static_cast<size_t>(VisibleLineCount()) + 1);
    for (size_t line = firstVisible_; line < end; ++line) {
        PaintLine(line, clip, textColor, showSelection);
    }

    if (HasFocus()) {
        const size_t line = LineOf(caret_);
        const int64_t x = LineLeft(line) + RunWidth(lines_[line].begin, caret_);
        const int64_t top = LineTop(line);
        FillRect(dc_, MakeRect(x, top, x + 1, top + LineHeight()), CreateSolidBrush(textColor));
    }
}

void TextBox::PaintLine(size_t line, const Rect& clip, COLORREF textColor, bool showSelection) {
    const TextLine& l = lines_[line];
    const int64_t left = LineLeft(line);
    const int64_t top = LineTop(line);
    size_t selBegin = l.begin, selEnd = l.begin;
    if (showSelection) {
        selBegin = std::clamp(SelBegin(), l.begin, l.end);
        selEnd = std::clamp(SelEnd(), l.begin, l.end);
    }
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const int64_t selLeft = left + RunWidth(l.begin, selBegin);
    const int64_t selRight = selLeft + RunWidth(selBegin, selEnd);
    PaintRun(l.begin, selBegin, left, top, clip, textColor, nullptr);
    PaintRun(selBegin, selEnd, selLeft, top, clip, GetSysColor(COLOR_HIGHLIGHTTEXT), &highlight);
    PaintRun(selEnd, l.end, selRight, top, clip, textColor, nullptr);
}

void TextBox::PaintRun(size_t begin, size_t end, int64_t x, int64_t top, const Rect& clip,
                       COLORREF color, const COLORREF* fill) {
    if (begin >= end) return;
    const int64_t width = RunWidth(begin, end);
    if (x >= clip.right || x + width <= clip.left) return;
    Rect run = MakeRect(x, top, x + width, top + LineHeight());
    if (fill) FillRect(dc_, run, CreateSolidBrush(*fill));
    dc_.SetTextColor(color);
    DrawText(dc_, EncodeUtf8(std::u32string_view(text_).substr(begin, end - begin)), run,
             DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

}  // namespace tabula
