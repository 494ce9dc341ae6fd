#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/container/ControlRegistry.h"
#include "platform/container/Extender.h"
#include "platform/container/FormDescription.h"
#include "platform/container/InPlaceFrame.h"
#include "platform/container/Site.h"
#include "platform/forms/Form.h"

namespace tabula {

// A saved setting a control refused while a form loaded: the control kept its default for
// it and loading went on.
struct RefusedProperty {
    size_t control = 0;  // 1-based, in the form file's order
    std::string typeName;
    std::string key;
    int32_t number = 0;  // the error the value raised
    std::string description;
};

// The ambient properties a container offers every control on its form.
struct AmbientSettings {
    FontDescriptor font;               // "MS Sans Serif", 8 points
    bool userMode = true;              // run mode; a designer sets False
    OLE_COLOR backColor = 0x8000000F;  // button face
    OLE_COLOR foreColor = 0x80000012;  // button text
};

// What a form is to the controls on it: a site per control, the ambient properties, the
// "changed" flag a designer shows, the in-place frame, and saving and loading through form
// files.
//
// The form must outlive the container. Controls the container made or was handed are
// destroyed with it. A ContainedControl the caller owns takes its site away when it is
// destroyed; any other control the caller owns must be removed before it goes.
class ControlContainer {
public:
    // `supported` is the set of extender properties this host offers every control.
    explicit ControlContainer(Form& form, ExtenderSet supported = ExtenderSet::All());
    ~ControlContainer();
    ControlContainer(const ControlContainer&) = delete;
    ControlContainer& operator=(const ControlContainer&) = delete;

    Form& GetForm() const { return form_; }
    InPlaceFrame& Frame() { return frame_; }
    ExtenderSet SupportedExtenderProperties() const { return supported_; }

    const AmbientSettings& Ambient() const { return ambient_; }
    // Tells each contained control the name of every ambient property that changed.
    void SetAmbient(const AmbientSettings& ambient);

    // Whether the form changed since it was last saved or marked clean.
    bool Dirty() const { return dirty_; }
    void SetDirty(bool dirty) { dirty_ = dirty; }

    // --- Sites ------------------------------------------------------------------------------
    // Places a control the caller owns.
    Site& Add(Control& control, std::string typeName);
    // Places a control the container then owns.
    Site& Add(std::unique_ptr<Control> control, std::string typeName);
    // Makes a new control of a registered type and places it as a new instance
    // (InitProperties), as a designer does when a control is drawn on the form. It is named
    // with the first free number after the name its type was registered with ("Command1"),
    // or after the type's last part ("Grid1" for "Tabula.Grid"), before InitProperties runs.
    Site& Place(const ControlRegistry& registry, std::string_view typeName);
    // Removes the control's site (destroying the control if the container owns it).
    void Remove(const Control& control);
    Site* SiteOf(const Control& control) const;
    // The site whose extender Name is `name` (compared without regard to case), or null.
    Site* FindByName(std::string_view name) const;
    std::vector<Site*> Sites() const;

    // --- Form files ---------------------------------------------------------------------------
    // The form and its controls as a form file records them; each contained control
    // writes its own properties.
    FormDescription Describe() const;
    // Describes the form, saves it (see SaveFormFile) and marks it clean.
    void Save(const std::filesystem::path& path);
    // Makes and places the described controls (extender values the host does not offer
    // are skipped; each contained control reads its properties) and then applies the
    // form's own settings. All or nothing: when any step fails, the controls made so far
    // are destroyed, the form is left as it was, and an error is raised (429 for an
    // unknown type, 321 naming the control for a value it refused). The changed flag is
    // left as it was.
    std::vector<Site*> Load(const FormDescription& description, const ControlRegistry& registry);
    // The settings the controls refused during the last Load (see Site::PropertyRefused).
    const std::vector<RefusedProperty>& Refusals() const { return refusals_; }

private:
    friend class ContainedControl;
    friend class Site;
    Site& Attach(Control& control, std::unique_ptr<Control> owned, std::string typeName);
    void Detach(size_t position);
    std::string FreeName(std::string_view baseName) const;
    // A contained control is going away: its site goes, without touching the control.
    void Forget(const ContainedControl& control);

    Form& form_;
    ExtenderSet supported_;
    AmbientSettings ambient_;
    InPlaceFrame frame_;
    bool dirty_ = false;
    std::vector<std::unique_ptr<Site>> sites_;
    std::vector<RefusedProperty> refusals_;
    // While Load reads a control's properties: its place in the file, else 0.
    size_t loading_ = 0;
    // While Load makes controls.
    bool loadingForm_ = false;
};

}  // namespace tabula
