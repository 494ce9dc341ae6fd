#include "platform/container/Site.h"

#include "platform/container/ContainedControl.h"
#include "platform/container/ControlContainer.h"

namespace tabula {

Site::Site(ControlContainer& container, Control& control, std::unique_ptr<Control> owned,
           std::string typeName, ExtenderSet supported)
    : container_(container),
      contained_(dynamic_cast<ContainedControl*>(&control)),
      owned_(std::move(owned)),
      control_(control),
      typeName_(std::move(typeName)),
      extender_(control, supported) {
    // Moving, renaming or hiding a control in the designer changes the form.
    extender_.Changed = [this](ExtenderProperty) { container_.SetDirty(true); };
    // Scripts and the designer find controls by name, so two may not share one. A form
    // file that already has two keeps loading as it always has.
    extender_.NameTaken = [this](std::string_view name) {
        const Site* holder = container_.FindByName(name);
        return holder && holder != this && !container_.loadingForm_;
    };
}

Site::~Site() = default;

InPlaceFrame& Site::Frame() const {
    return container_.Frame();
}

const FontDescriptor& Site::AmbientFont() const {
    return container_.Ambient().font;
}

bool Site::UserMode() const {
    return container_.Ambient().userMode;
}

OLE_COLOR Site::AmbientBackColor() const {
    return container_.Ambient().backColor;
}

OLE_COLOR Site::AmbientForeColor() const {
    return container_.Ambient().foreColor;
}

std::string Site::DisplayName() const {
    if (extender_.Supports(ExtenderProperty::Name)) return control_.Name();
    return typeName_;
}

void Site::PropertyRefused(std::string_view key, int32_t number, std::string description) {
    if (container_.loading_ == 0) return;
    container_.refusals_.push_back(RefusedProperty{container_.loading_, typeName_, std::string(key),
                                                   number, std::move(description)});
}

void Site::PropertyChanged(std::string_view name) {
    changed_.emplace_back(name);
    container_.SetDirty(true);
}

}  // namespace tabula
