#pragma once

#include "platform/forms/Form.h"

namespace tabula {

// The container's in-place frame of one form. It holds the form's active object: the one
// object that sees every key message of the form (TranslateAccelerator) before the form
// navigates with Tab, so a control that wants Tab for itself registers here when it gets
// the focus.
//
// The form must outlive the frame; a sink must be released before it goes away.
class InPlaceFrame {
public:
    explicit InPlaceFrame(Form& form) : form_(form) {}
    // Clears the form's active object, so the form keeps no pointer to a control that the
    // container is about to destroy.
    ~InPlaceFrame();
    InPlaceFrame(const InPlaceFrame&) = delete;
    InPlaceFrame& operator=(const InPlaceFrame&) = delete;

    Form& GetForm() const { return form_; }

    // Installs `sink` (null for none) on the form, replacing any other.
    void SetActiveObject(KeyMessageSink* sink);
    KeyMessageSink* ActiveObject() const { return form_.ActiveObject(); }
    // For a control losing the focus or going away: removes `sink` if it is still the
    // active object, and leaves one that another control installed since.
    void ReleaseActiveObject(KeyMessageSink* sink);

private:
    Form& form_;
};

}  // namespace tabula
