#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/container/Extender.h"
#include "platform/fonts/Font.h"
#include "platform/forms/Control.h"

namespace tabula {

class ContainedControl;
class ControlContainer;
class InPlaceFrame;

// The container's side of one control on a form: its ambient properties, its extender,
// the property names it announced with PropertyChanged, and the way to the form's
// in-place frame. Sites are made and owned by a ControlContainer.
class Site {
public:
    ~Site();
    Site(const Site&) = delete;
    Site& operator=(const Site&) = delete;

    Control& GetControl() const { return control_; }
    // The name the control was placed under (what a form file records and a control
    // registry creates it by).
    const std::string& TypeName() const { return typeName_; }
    Extender& GetExtender() { return extender_; }
    const Extender& GetExtender() const { return extender_; }
    ControlContainer& Container() const { return container_; }
    InPlaceFrame& Frame() const;

    // --- Ambient properties (the form's, as this control sees them) ----------------------
    const FontDescriptor& AmbientFont() const;
    // True in run mode, False while a designer edits the form.
    bool UserMode() const;
    OLE_COLOR AmbientBackColor() const;
    OLE_COLOR AmbientForeColor() const;
    // The control's Name as the extender has it; the type name when the host offers no
    // Name.
    std::string DisplayName() const;

    // --- Change notification ---------------------------------------------------------------
    // The control tells the container a property changed: the name is recorded and the
    // form is marked changed (it needs saving).
    void PropertyChanged(std::string_view name);
    // While a form loads, the control tells the container a saved value it refused (it
    // keeps its default for that key); the loader reports them (ControlContainer::Refusals).
    void PropertyRefused(std::string_view key, int32_t number, std::string description);
    // Every name announced, in order, repeats included.
    const std::vector<std::string>& ChangedProperties() const { return changed_; }
    void ClearChangedProperties() { changed_.clear(); }

private:
    friend class ControlContainer;
    Site(ControlContainer& container, Control& control, std::unique_ptr<Control> owned,
         std::string typeName, ExtenderSet supported);

    ControlContainer& container_;
    // The control's ContainedControl side, or null for a plain control.
    ContainedControl* contained_;
    // Set when the container made the control and destroys it with the site.
    std::unique_ptr<Control> owned_;
    Control& control_;
    std::string typeName_;
    Extender extender_;
    std::vector<std::string> changed_;
};

}  // namespace tabula
