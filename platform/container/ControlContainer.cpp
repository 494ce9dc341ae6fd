#include "platform/container/ControlContainer.h"

#include <cctype>

#include <algorithm>

#include "platform/container/ContainedControl.h"
#include "platform/container/FormFile.h"
#include "platform/runtime/Error.h"
#include "platform/text/CaseFold.h"

namespace tabula {

namespace {

// The form's own settings as a form file records them.
struct FormSettings {
    std::string caption;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

FormSettings ReadFormSettings(const PropertyBag& bag, const Form& form) {
    FormSettings settings;
    try {
        settings.caption = bag.ReadProperty("Caption", Variant(form.Caption())).ToText();
        settings.left = bag.ReadProperty("Left", Variant(form.Left())).ToLong();
        settings.top = bag.ReadProperty("Top", Variant(form.Top())).ToLong();
        settings.width = bag.ReadProperty("Width", Variant(form.Width())).ToLong();
        settings.height = bag.ReadProperty("Height", Variant(form.Height())).ToLong();
    } catch (const RuntimeError& error) {
        RaiseError(kErrInvalidFileFormat, {}, "The form's settings: " + error.description);
    }
    if (settings.width < 0 || settings.height < 0) {
        RaiseError(kErrInvalidFileFormat, {}, "The form's settings: a negative size");
    }
    return settings;
}

}  // namespace

ControlContainer::ControlContainer(Form& form, ExtenderSet supported)
    : form_(form), supported_(supported), frame_(form) {}

ControlContainer::~ControlContainer() {
    // No key may reach an active object while the controls go away.
    frame_.SetActiveObject(nullptr);
    while (!sites_.empty())
        Detach(sites_.size() - 1);
}

void ControlContainer::SetAmbient(const AmbientSettings& ambient) {
    std::vector<std::string_view> changed;
    if (!(ambient.font == ambient_.font)) changed.push_back("Font");
    if (ambient.userMode != ambient_.userMode) changed.push_back("UserMode");
    if (ambient.backColor != ambient_.backColor) changed.push_back("BackColor");
    if (ambient.foreColor != ambient_.foreColor) changed.push_back("ForeColor");
    ambient_ = ambient;
    for (const std::string_view name : changed) {
        for (Site* site : Sites()) {
            if (ContainedControl* contained = site->contained_) {
                contained->AmbientChanged(name);
            }
        }
    }
}

Site& ControlContainer::Add(Control& control, std::string typeName) {
    return Attach(control, nullptr, std::move(typeName));
}

Site& ControlContainer::Add(std::unique_ptr<Control> control, std::string typeName) {
    if (!control) RaiseError(kErrInvalidCall, {}, "There is no control to place");
    Control& placed = *control;
    return Attach(placed, std::move(control), std::move(typeName));
}

std::string ControlContainer::FreeName(std::string_view baseName) const {
    // Letters, digits and underscores only, starting with a letter.
    std::string base;
    for (const char c : baseName) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') base += c;
    }
    if (base.empty() || !std::isalpha(static_cast<unsigned char>(base.front()))) base = "Control";
    base = base.substr(0, 30);
    for (size_t n = 1;; ++n) {
        std::string name = base + std::to_string(n);
        if (!FindByName(name)) return name;
    }
}

Site& ControlContainer::Place(const ControlRegistry& registry, std::string_view typeName) {
    Site& site = Add(registry.Create(typeName, form_.hWnd()), std::string(typeName));
    // As a designer does: a new control gets a name of its own, so the form can be saved
    // and loaded again.
    if (site.GetExtender().Supports(ExtenderProperty::Name))
        site.GetExtender().Let(ExtenderProperty::Name,
                               Variant(FreeName(registry.BaseName(typeName))));
    if (ContainedControl* contained = site.contained_) {
        try {
            contained->InitProperties();
        } catch (...) {
            Remove(site.GetControl());
            throw;
        }
    }
    dirty_ = true;
    return site;
}

Site& ControlContainer::Attach(Control& control, std::unique_ptr<Control> owned,
                               std::string typeName) {
    if (SiteOf(control)) RaiseError(kErrInvalidCall, {}, "The control is already placed");
    sites_.push_back(std::unique_ptr<Site>(
        new Site(*this, control, std::move(owned), std::move(typeName), supported_)));
    Site& site = *sites_.back();
    if (site.contained_) site.contained_->site_ = &site;
    return site;
}

void ControlContainer::Remove(const Control& control) {
    for (size_t i = 0; i < sites_.size(); ++i) {
        if (&sites_[i]->GetControl() == &control) {
            Detach(i);
            return;
        }
    }
}

void ControlContainer::Detach(size_t position) {
    std::unique_ptr<Site> site = std::move(sites_[position]);
    sites_.erase(sites_.begin() + static_cast<std::ptrdiff_t>(position));
    // Cleared before an owned control is destroyed with the site, so it does not come
    // back to Forget.
    if (site->contained_) site->contained_->site_ = nullptr;
}

void ControlContainer::Forget(const ContainedControl& control) {
    for (size_t i = 0; i < sites_.size(); ++i) {
        if (sites_[i]->contained_ == &control) {
            Detach(i);
            return;
        }
    }
}

Site* ControlContainer::SiteOf(const Control& control) const {
    for (const auto& site : sites_) {
        if (&site->GetControl() == &control) return site.get();
    }
    return nullptr;
}

Site* ControlContainer::FindByName(std::string_view name) const {
    if (!supported_.Has(ExtenderProperty::Name)) return nullptr;
    const std::string folded = FoldCase(name);
    for (const auto& site : sites_) {
        if (FoldCase(site->GetControl().Name()) == folded) return site.get();
    }
    return nullptr;
}

std::vector<Site*> ControlContainer::Sites() const {
    std::vector<Site*> sites;
    for (const auto& site : sites_)
        sites.push_back(site.get());
    return sites;
}

FormDescription ControlContainer::Describe() const {
    FormDescription description;
    description.form.WriteProperty("Caption", Variant(form_.Caption()));
    description.form.WriteProperty("Left", Variant(form_.Left()));
    description.form.WriteProperty("Top", Variant(form_.Top()));
    description.form.WriteProperty("Width", Variant(form_.Width()));
    description.form.WriteProperty("Height", Variant(form_.Height()));
    for (const auto& site : sites_) {
        ControlDescription control;
        control.typeName = site->TypeName();
        for (int i = 0; i < kExtenderPropertyCount; ++i) {
            const auto property = static_cast<ExtenderProperty>(i);
            if (!site->GetExtender().Supports(property)) continue;
            Variant value = site->GetExtender().Get(property);
            // A control that was never named saves no name: an empty one would not load.
            if (property == ExtenderProperty::Name && value.ToText().empty()) continue;
            control.extender.emplace_back(property, std::move(value));
        }
        if (ContainedControl* contained = site->contained_) {
            contained->WriteProperties(control.properties);
        }
        description.controls.push_back(std::move(control));
    }
    return description;
}

void ControlContainer::Save(const std::filesystem::path& path) {
    SaveFormFile(Describe(), path);
    dirty_ = false;
}

std::vector<Site*> ControlContainer::Load(const FormDescription& description,
                                          const ControlRegistry& registry) {
    // Everything that can be checked without making a control is checked first.
    for (size_t i = 0; i < description.controls.size(); ++i) {
        const std::string& type = description.controls[i].typeName;
        if (!registry.Knows(type)) {
            RaiseError(kErrCannotCreateObject, {},
                       "Control " + std::to_string(i + 1) + ": no control type \"" + type +
                           "\" is registered");
        }
    }
    const FormSettings settings = ReadFormSettings(description.form, form_);

    const bool wasDirty = dirty_;
    const size_t first = sites_.size();
    refusals_.clear();
    loadingForm_ = true;
    try {
        for (size_t i = 0; i < description.controls.size(); ++i) {
            const ControlDescription& control = description.controls[i];
            Site& site = Add(registry.Create(control.typeName, form_.hWnd()), control.typeName);
            try {
                for (const auto& [property, value] : control.extender) {
                    if (site.GetExtender().Supports(property)) {
                        site.GetExtender().Let(property, value);
                    }
                }
                if (ContainedControl* contained = site.contained_) {
                    loading_ = i + 1;
                    contained->ReadProperties(control.properties);
                    loading_ = 0;
                }
            } catch (const RuntimeError& error) {
                RaiseError(kErrInvalidFileFormat, {},
                           "Control " + std::to_string(i + 1) + " (" + control.typeName +
                               "): " + error.description);
            } catch (const std::exception& error) {
                RaiseError(kErrInvalidFileFormat, {},
                           "Control " + std::to_string(i + 1) + " (" + control.typeName +
                               "): " + error.what());
            }
        }
    } catch (...) {
        loading_ = 0;
        loadingForm_ = false;
        while (sites_.size() > first)
            Detach(sites_.size() - 1);
        dirty_ = wasDirty;
        throw;
    }
    loadingForm_ = false;
    form_.SetCaption(settings.caption);
    form_.Move(settings.left, settings.top, settings.width, settings.height);
    dirty_ = wasDirty;
    std::vector<Site*> loaded;
    for (size_t i = first; i < sites_.size(); ++i)
        loaded.push_back(sites_[i].get());
    return loaded;
}

}  // namespace tabula
