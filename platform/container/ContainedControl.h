#pragma once

#include <string_view>

namespace tabula {

class PropertyBag;
class Site;

// What a control implements to take part in its container's life: it learns its site
// (ambient properties, extender, PropertyChanged, the in-place frame), initialises a new
// instance, and reads and writes its settings through a property bag when the form is
// loaded and saved. A control that is not a ContainedControl can still be placed; it just
// saves no properties of its own.
class ContainedControl {
public:
    // A control going away while still placed takes its site out of the container.
    virtual ~ContainedControl();

    // The control's site while a container holds it, else null.
    Site* ClientSite() const { return site_; }

    // A new instance placed on a form (instead of ReadProperties).
    virtual void InitProperties() {}
    // A saved instance loaded from a form file.
    virtual void ReadProperties(const PropertyBag& bag) { (void)bag; }
    // The form is being saved.
    virtual void WriteProperties(PropertyBag& bag) { (void)bag; }
    // An ambient property ("Font", "UserMode", "BackColor", "ForeColor") changed.
    virtual void AmbientChanged(std::string_view name) { (void)name; }

protected:
    ContainedControl() = default;
    ContainedControl(const ContainedControl&) = default;
    ContainedControl& operator=(const ContainedControl&) = default;

private:
    friend class ControlContainer;
    Site* site_ = nullptr;
};

}  // namespace tabula
