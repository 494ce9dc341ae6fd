#pragma once

#include "platform/forms/Control.h"

namespace tabula {

// A drawing surface with a persistent image: everything drawn through hDC() stays until
// Cls clears it; Refresh shows it. Drawing uses ForeColor for text and lines, the font
// properties, and DrawStyle for the pen.
class PictureBox : public Control {
public:
    PictureBox(HWND parent, const Rect& rect);

    // Clears the image to the back colour. Refresh shows the image as it is: a picture
    // box has nothing of its own to redraw.
    void Cls();

    // 0 solid, 2 dotted; other values draw solid lines.
    int16_t DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(int16_t style);

    int32_t TextWidth(std::string_view text);
    int32_t TextHeight(std::string_view text);

    // A copy of the persistent image.
    PixelImage Picture() const {
        BringImageUpToDate();
        return image_;
    }

protected:
    void Paint() override {}
    bool TakesFocusOnClick() const override { return true; }
    void OnFocusChanged(bool) override {}

private:
    int16_t drawStyle_ = 0;
};

// A push button with a caption; Click fires on a release over it and on Space or Enter.
class CommandButton : public Control {
public:
    CommandButton(HWND parent, const Rect& rect, std::string caption = {});
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

protected:
    void Paint() override;
    void OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnKeyDown(int16_t keyCode, int16_t shift) override;
    // The left button is held down on the button.
    bool Pressed() const { return pressed_; }

private:
    std::string caption_;
    bool pressed_ = false;
    bool secondPress_ = false;
};

}  // namespace tabula
