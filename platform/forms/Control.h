#pragma once

// The base of every intrinsic control: a window with a persistent image of its client
// area, the members every control shares (position, visibility, focus, fonts, colours)
// and the classic events. Events are plain callbacks; arguments passed by reference
// (KeyCode, KeyAscii) may be changed by the handler, and the control acts on the result.
//
// Order of the keyboard events, as a control sees one key:
//   KeyDown(KeyCode, Shift)  -> the control's own key handling (unless KeyCode became 0)
//   KeyPress(KeyAscii)       -> the control inserts the character (unless it became 0)
//   KeyUp(KeyCode, Shift)

#include <functional>
#include <memory>
#include <string>

#include "platform/fonts/Font.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/PixelImage.h"
#include "platform/window/Messages.h"

namespace tabula {

// Mouse buttons and shift state as events report them.
enum : int16_t { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum : int16_t { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// Mouse pointer shapes a control may ask for.
enum : int16_t {
    vbDefault = 0,
    vbArrow = 1,
    vbIbeam = 3,
    vbSizeNS = 7,
    vbSizeWE = 9,
};

class Control {
public:
    using KeyEvent = std::function<void(int16_t& keyCode, int16_t shift)>;
    using KeyPressEvent = std::function<void(int16_t& keyAscii)>;
    using MouseEvent = std::function<void(int16_t button, int16_t shift, float x, float y)>;
    using Event = std::function<void()>;

    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hWnd() const { return hwnd_; }
    // The control that owns a window, if any.
    static Control* FromHandle(HWND hwnd);

    // --- Position, in pixels of the parent's client area ----------------------------------
    int32_t Left() const;
    int32_t Top() const;
    int32_t Width() const;
    int32_t Height() const;
    // Negative sizes become 0.
    void Move(int32_t left, int32_t top, int32_t width, int32_t height);
    void Move(int32_t left, int32_t top);
    int32_t ScaleWidth() const { return Width(); }
    int32_t ScaleHeight() const { return Height(); }

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // 0 brings the control to the front of its siblings, 1 sends it to the back.
    void ZOrder(int position = 0);
    void SetFocus();
    bool HasFocus() const;

    int16_t TabIndex() const { return tabIndex_; }
    void SetTabIndex(int16_t index) { tabIndex_ = index; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool stop) { tabStop_ = stop; }
    const std::string& ToolTipText() const { return toolTipText_; }
    void SetToolTipText(std::string text) { toolTipText_ = std::move(text); }
    int16_t MousePointer() const { return mousePointer_; }
    void SetMousePointer(int16_t pointer) { mousePointer_ = pointer; }
    // Whether the controls inside this one are tab stops of the form (a frame) or belong
    // to this control alone (a user control).
    virtual bool IsTabContainer() const { return false; }
    // Whether the control ever takes the focus. One that does not (a label, a frame, an
    // image, a timer) ignores SetFocus, and the form's Tab order passes it by.
    virtual bool CanTakeFocus() const { return true; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // --- Colours and font ---------------------------------------------------------------
    OLE_COLOR BackColor() const { return backColor_; }
    void SetBackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const { return foreColor_; }
    void SetForeColor(OLE_COLOR color);
    const FontDescriptor& Font() const { return font_; }
    void SetFont(const FontDescriptor& font);
    const std::string& FontName() const { return font_.name; }
    void SetFontName(std::string name);
    float FontSize() const { return font_.size; }
    void SetFontSize(float points);
    bool FontBold() const { return font_.bold; }
    void SetFontBold(bool on);
    bool FontItalic() const { return font_.italic; }
    void SetFontItalic(bool on);
    bool FontUnderline() const { return font_.underline; }
    void SetFontUnderline(bool on);
    bool FontStrikethru() const { return font_.strikethrough; }
    void SetFontStrikethru(bool on);

    // --- The persistent image -----------------------------------------------------------
    PixelImage& Image() {
        BringImageUpToDate();
        return image_;
    }
    const PixelImage& Image() const {
        BringImageUpToDate();
        return image_;
    }
    DeviceContext& hDC() {
        BringImageUpToDate();
        return dc_;
    }
    // An owner that paints lazily: `paint` runs before the image is next read, drawn on
    // or shown (the desktop composing the screen, a screenshot) and before the window
    // handles a message, and does nothing when all is up to date.
    void SetLazyPainter(std::function<void()> paint);
    // Redraws the control's image from its state and shows it.
    void Refresh();

    // --- Events ---------------------------------------------------------------------------
    Event Click, DblClick, GotFocus, LostFocus;
    KeyEvent KeyDown, KeyUp;
    KeyPressEvent KeyPress;
    MouseEvent MouseDown, MouseMove, MouseUp;

protected:
    // Creates the window as a child of `parent` (0 for a top-level window).
    Control(HWND parent, const Rect& rect, std::string className);

    // Draws the control into its image; called by Refresh and after every resize.
    virtual void Paint() {}
    // The control's own handling of a message; the base turns input into events.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Hooks for the control's own behaviour, run after the matching event.
    virtual void OnKeyDown(int16_t keyCode, int16_t shift);
    virtual void OnKeyPress(int16_t keyAscii);
    virtual void OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y);
    virtual void OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y);
    virtual void OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y);
    virtual void OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y);
    virtual void OnFocusChanged(bool gained);
    virtual void OnResize() {}
    // Runs when a font property changes, before the control repaints: controls whose
    // layout follows the font (a list box's item height) recompute it here.
    virtual void OnFontChanged() {}
    // Whether a click on the control takes the focus.
    virtual bool TakesFocusOnClick() const { return true; }
    // Whether a press and release of the left button over the control raises Click.
    // Controls whose Click means "the value changed" (check box, list box) raise it
    // themselves and say no.
    virtual bool ClickOnRelease() const { return true; }

    const std::shared_ptr<const tabula::Font>& CurrentFont();
    // The shift state now, as events report it.
    static int16_t ShiftState();
    // Tells hosts the image changed.
    void ImageChanged();
    void BringImageUpToDate() const {
        if (lazyPainter_) lazyPainter_();
    }

    PixelImage image_;
    std::function<void()> lazyPainter_;
    DeviceContext dc_;

private:
    static LRESULT ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void FontChanged();
    int16_t ButtonFromMessage(UINT message) const;

    HWND hwnd_ = 0;
    std::string name_;
    int16_t tabIndex_ = 0;
    bool tabStop_ = true;
    std::string toolTipText_;
    int16_t mousePointer_ = vbDefault;
    OLE_COLOR backColor_ = 0x8000000F;  // button face
    OLE_COLOR foreColor_ = 0x80000012;  // button text
    FontDescriptor font_;
    std::shared_ptr<const tabula::Font> resolvedFont_;
    int16_t buttonsDown_ = 0;
    bool releaseEndsDoubleClick_ = false;
};

}  // namespace tabula
