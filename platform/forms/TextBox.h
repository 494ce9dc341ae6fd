#pragma once

// A classic 3D text box: single-line (scrolls sideways to keep the caret in view) or
// multi-line (wraps words at the box's width and scrolls by lines). The grid uses one of
// each as its in-cell editors.
//
// Text is held as decoded characters; every position and length the members take or
// give (SelStart, SelLength, MaxLength) counts characters, never UTF-8 bytes. Line breaks
// are stored as "\r\n", two characters, as the classic control stores them; the caret
// never rests between the two.
//
// Every change to the text, by the user or by code, goes through ReplaceText, which
// applies Locked and MaxLength to the user's edits, places the caret and fires Change.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/Control.h"

namespace tabula {

class TextBox : public Control {
public:
    TextBox(HWND parent, const Rect& rect, bool multiLine = false);

    // --- Text and selection ---------------------------------------------------------------
    const std::string& Text() const { return utf8_; }
    // Replaces the whole text (invalid UTF-8 becomes U+FFFD; MaxLength does not cut it),
    // puts the caret at 0 with nothing selected and fires Change if the text differs.
    void SetText(std::string_view text);
    // The number of characters in the text.
    int32_t TextLength() const;

    // Out-of-range values clamp to the text. Setting SelStart empties the selection;
    // SelLength counts from SelStart and leaves the caret at the selection's end.
    int32_t SelStart() const;
    void SetSelStart(int32_t start);
    int32_t SelLength() const;
    void SetSelLength(int32_t length);
    std::string SelText() const;
    // Replaces the selection as code does: neither Locked nor MaxLength stops it. The
    // caret ends after the new text.
    void SetSelText(std::string_view text);
    // The first half of a character beyond 16 bits typed before the box took the focus
    // (the key that opened it): the next key press here completes it.
    void StartCharacter(char16_t highSurrogate);

    // --- Behaviour ------------------------------------------------------------------------
    // The most characters the user may type or paste; 0 (and anything negative) means no
    // limit.
    int32_t MaxLength() const { return maxLength_; }
    void SetMaxLength(int32_t length) { maxLength_ = std::max(length, 0); }
    // A locked box lets the user move, select and copy but not change the text.
    bool Locked() const { return locked_; }
    void SetLocked(bool locked) { locked_ = locked; }
    bool MultiLine() const { return multiLine_; }
    // Whether the selection is drawn only while the box has the focus.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hide);

    // --- Appearance -----------------------------------------------------------------------
    enum : int16_t { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };
    int16_t Alignment() const { return alignment_; }
    // Values other than right and centre mean left.
    void SetAlignment(int16_t alignment);
    // 0 none, 1 fixed single (the sunken 3D edge); other values mean 1.
    int16_t BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int16_t style);

    // Fires after every change to the text, whoever made it.
    Event Change;

protected:
    void Paint() override;
    void OnKeyDown(int16_t keyCode, int16_t shift) override;
    void OnKeyPress(int16_t keyAscii) override;
    void OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnFocusChanged(bool gained) override;

private:
    enum class EditOrigin { User, Code };
    enum class CaretAfterEdit { AfterInsertion, AtStart };
    enum class Selection { Collapse, Extend };
    // What a point picks: the boundary between characters nearest to it (clicks), or the
    // character under it (double clicks).
    enum class Hit { NearestBoundary, CharacterUnder };

    // One line as laid out: characters [begin, end). A wrapped line ends where the next
    // begins (its trailing spaces included); a line ended by a break stops before it.
    struct TextLine {
        size_t begin = 0;
        size_t end = 0;
        bool wrapped = false;
    };

    // The one path for every change to the text: replaces [begin, end) with `insert`.
    // The user's edits are refused in a locked box and cut to MaxLength (an insertion
    // none of which fits is refused whole). Returns whether the edit was made.
    bool ReplaceText(size_t begin, size_t end, std::u32string insert, EditOrigin origin,
                     CaretAfterEdit caret);
    bool ReplaceSelection(std::u32string insert, EditOrigin origin) {
        return ReplaceText(SelBegin(), SelEnd(), std::move(insert), origin,
                           CaretAfterEdit::AfterInsertion);
    }

    size_t SelBegin() const { return std::min(anchor_, caret_); }
    size_t SelEnd() const { return std::max(anchor_, caret_); }
    // Clamps a position to the text and moves it off the middle of a "\r\n".
    size_t ClampPosition(int64_t position) const;
    size_t PreviousPosition(size_t position) const;
    size_t NextPosition(size_t position) const;
    size_t WordLeft(size_t position) const;
    size_t WordRight(size_t position) const;

    // --- Editing commands -----------------------------------------------------------------
    void TypeCharacter(char32_t c);
    void DeleteBackward();
    void DeleteForward();
    void Copy();
    void Cut();
    void Paste();
    void SelectAll();
    void SelectWordAt(size_t position);

    // --- Caret movement -------------------------------------------------------------------
    void MoveCaret(size_t position, Selection selection);
    void MoveHorizontally(bool forward, bool byWord, Selection selection);
    void MoveVertically(int32_t lines, Selection selection);
    void MoveToLineEdge(bool toEnd, bool wholeText, Selection selection);

    // --- Layout and geometry --------------------------------------------------------------
    // Rebuilds the lines when the text, the font or the width changed since the last time.
    void EnsureLayout();
    void BuildLines();
    void WrapParagraph(size_t begin, size_t end, int64_t maxWidth);
    // Scrolls so the caret is in view (its line, and in a single-line box its column).
    void ScrollToCaret();
    void KeepCaretVisible();
    Rect InnerRect() const;
    Rect TextRect() const;
    int32_t LineHeight() const;
    int32_t VisibleLineCount() const;
    size_t LineOf(size_t position) const;
    // The last position the caret can take on a line and still be drawn on it.
    size_t LastPositionOnLine(size_t line) const;
    // The width of text_[begin, end) in the layout's font.
    int64_t RunWidth(size_t begin, size_t end) const;
    // Where a line's text starts, in client pixels: alignment and scrolling applied.
    int64_t LineLeft(size_t line) const;
    int64_t LineIndent(size_t line) const;
    int64_t LineTop(size_t line) const;
    // The position on `line` at `x` pixels from the line's start.
    size_t PositionInLine(size_t line, int64_t x, Hit hit) const;
    size_t PositionFromPoint(int32_t x, int32_t y, Hit hit);

    // --- Painting -------------------------------------------------------------------------
    void PaintLine(size_t line, const Rect& clip, COLORREF textColor, bool showSelection);
    // Draws text_[begin, end) at (x, top), over `fill` when given.
    void PaintRun(size_t begin, size_t end, int64_t x, int64_t top, const Rect& clip,
                  COLORREF color, const COLORREF* fill);

    std::u32string text_;
    std::string utf8_;
    size_t anchor_ = 0;  // the fixed end of the selection
    size_t caret_ = 0;   // the moving end, where the caret is drawn
    int32_t maxLength_ = 0;
    bool locked_ = false;
    bool multiLine_ = false;
    bool hideSelection_ = true;
    int16_t alignment_ = kAlignLeft;
    int16_t borderStyle_ = 1;

    // The first half of a character typed as two surrogate halves, until the second comes.
    char16_t pendingHighSurrogate_ = 0;
    // Set while the left button, pressed in the box, drags a selection.
    bool dragging_ = false;
    // The column Up and Down aim for, kept across consecutive vertical moves; -1 for none.
    int64_t goalX_ = -1;

    // The layout and what it was built from.
    std::vector<TextLine> lines_;
    uint64_t textVersion_ = 1;
    uint64_t layoutVersion_ = 0;
    int64_t layoutWidth_ = -1;
    std::shared_ptr<const tabula::Font> layoutFont_;
    int64_t scrollX_ = 0;      // pixels hidden at the left of a single-line box
    size_t firstVisible_ = 0;  // the top line shown in a multi-line box
};

}  // namespace tabula
