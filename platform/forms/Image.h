#pragma once

// An image control: shows a picture. Without Stretch the control takes the picture's size
// and shows it pixel for pixel; with Stretch the picture is scaled to fill the control.
// It never takes the focus; it raises Click and DblClick.
//
// (The control's own drawing surface is still Control::Image(); inside this class the
// name Image means the class, so reach the surface through hDC().Image().)

#include "platform/forms/Control.h"
#include "platform/gdi/PixelImage.h"

namespace tabula {

class Image : public Control {
public:
    Image(HWND parent, const Rect& rect);

    const PixelImage& Picture() const { return picture_; }
    // An empty picture clears the control to its back colour.
    void SetPicture(PixelImage picture);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);

    bool CanTakeFocus() const override { return false; }

protected:
    void Paint() override;

private:
    void FitToPicture();

    PixelImage picture_;
    bool stretch_ = false;
};

}  // namespace tabula
