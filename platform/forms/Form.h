#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace tabula {

enum : int16_t { vbModeless = 0, vbModal = 1 };

// Sees key messages before the form navigates with Tab: the active object of an
// in-place frame. Returning true swallows the key.
class KeyMessageSink {
public:
    virtual ~KeyMessageSink() = default;
    virtual bool TranslateAccelerator(HWND target, UINT message, WPARAM vk, LPARAM lParam) = 0;
};

// A top-level window hosting controls. Tab and Shift+Tab move the focus between its
// controls in TabIndex order (controls inside frames included, a user control's own
// constituents not).
class Form : public Control {
public:
    explicit Form(const Rect& rect, std::string caption = {});
    ~Form() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    // Shows the form. Modal: every other form is disabled and a nested message loop runs
    // until this form is unloaded; returns false if the loop ended because no input could
    // ever arrive (a headless desktop with nothing scheduled).
    bool Show(int16_t modal = vbModeless);
    void Hide();
    // Hides the form and destroys its window and every control window on it.
    void Unload();
    bool Loaded() const { return loaded_; }
    bool IsModal() const { return modal_; }

    // Moves the focus to the next (or previous) tab stop after the focus window.
    void SelectNextControl(bool forward);
    // Tab stops in order: visible, enabled controls with TabStop set that can take the
    // focus.
    std::vector<Control*> TabStops() const;

    // With KeyPreview set the form's KeyDown event sees every key pressed on the form
    // first (before the active object and the controls); a handler that sets the key code
    // to 0 keeps the key from going further.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }

    void SetActiveObject(KeyMessageSink* sink) { activeObject_ = sink; }
    KeyMessageSink* ActiveObject() const { return activeObject_; }

    Event Activate, Deactivate;
    Event Unloaded;

    // The form whose window holds `hwnd`, if any.
    static Form* Containing(HWND hwnd);

protected:
    void Paint() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool TakesFocusOnClick() const override { return false; }
    bool IsTabContainer() const override { return true; }
    void OnFocusChanged(bool) override {}

private:
    static bool KeyFilter(HWND target, UINT message, WPARAM vk, LPARAM lParam);
    bool PreTranslateKey(HWND target, UINT message, WPARAM vk, LPARAM lParam);

    std::string caption_;
    bool loaded_ = true;
    bool modal_ = false;
    bool keyPreview_ = false;
    KeyMessageSink* activeObject_ = nullptr;
    // Cleared when the form is destroyed, so a modal loop can tell.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tabula
