#pragma once

// A label: text on the form that people read but never act on. It never takes the focus
// and is never a tab stop; it does raise Click and DblClick.
//
// The caption wraps at spaces within the label's width and breaks at line breaks; "&x"
// draws x underlined unless UseMnemonic is off. With AutoSize the label resizes to its
// caption: to the width and height of its lines, or, with WordWrap, to the height of the
// caption wrapped in its present width.

#include <string>

#include "platform/forms/Control.h"

namespace tabula {

enum : int16_t { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };

class Label : public Control {
public:
    Label(HWND parent, const Rect& rect, std::string caption = {});

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    // vbLeftJustify, vbRightJustify or vbCenter; other values are ignored.
    int16_t Alignment() const { return alignment_; }
    void SetAlignment(int16_t alignment);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    bool UseMnemonic() const { return useMnemonic_; }
    void SetUseMnemonic(bool on);

    bool CanTakeFocus() const override { return false; }

protected:
    void Paint() override;
    void OnResize() override;
    void OnFontChanged() override;

private:
    uint32_t TextFormat() const;
    void FitToCaption();

    std::string caption_;
    int16_t alignment_ = vbLeftJustify;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    bool useMnemonic_ = true;
};

}  // namespace tabula
