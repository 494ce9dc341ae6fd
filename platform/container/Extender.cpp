#include "platform/container/Extender.h"

#include <array>

#include "platform/runtime/Error.h"

namespace tabula {

namespace {

struct PropertyInfo {
    ExtenderProperty property;
    std::string_view name;
    ExtenderType type;
};

constexpr std::array<PropertyInfo, kExtenderPropertyCount> kProperties{{
    {ExtenderProperty::Name, "Name", ExtenderType::Text},
    {ExtenderProperty::Left, "Left", ExtenderType::Long},
    {ExtenderProperty::Top, "Top", ExtenderType::Long},
    {ExtenderProperty::Width, "Width", ExtenderType::Long},
    {ExtenderProperty::Height, "Height", ExtenderType::Long},
    {ExtenderProperty::TabIndex, "TabIndex", ExtenderType::Integer},
    {ExtenderProperty::TabStop, "TabStop", ExtenderType::Boolean},
    {ExtenderProperty::Visible, "Visible", ExtenderType::Boolean},
    {ExtenderProperty::Tag, "Tag", ExtenderType::Text},
    {ExtenderProperty::ToolTipText, "ToolTipText", ExtenderType::Text},
    {ExtenderProperty::HelpContextID, "HelpContextID", ExtenderType::Long},
    {ExtenderProperty::WhatsThisHelpID, "WhatsThisHelpID", ExtenderType::Long},
    {ExtenderProperty::DragMode, "DragMode", ExtenderType::Integer},
    {ExtenderProperty::DragIcon, "DragIcon", ExtenderType::Picture},
    {ExtenderProperty::CausesValidation, "CausesValidation", ExtenderType::Boolean},
    {ExtenderProperty::Index, "Index", ExtenderType::Integer},
}};

const PropertyInfo& Info(ExtenderProperty property) {
    return kProperties[static_cast<size_t>(property)];
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Control names are identifiers: scripts and the form file refer to controls by them.
bool IsControlName(std::string_view name) {
    if (name.empty() || name.size() > 40 || !IsAsciiLetter(name.front())) return false;
    for (const char c : name) {
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '_') return false;
    }
    return true;
}

[[noreturn]] void RaiseInvalidValue(ExtenderProperty property) {
    RaiseError(kErrInvalidPropertyValue, {},
               "Invalid property value for " + std::string(Info(property).name));
}

}  // namespace

std::string_view ExtenderPropertyName(ExtenderProperty property) {
    return Info(property).name;
}

ExtenderType ExtenderPropertyType(ExtenderProperty property) {
    return Info(property).type;
}

std::optional<ExtenderProperty> FindExtenderProperty(std::string_view name) {
    for (const PropertyInfo& info : kProperties) {
        if (EqualsIgnoringAsciiCase(info.name, name)) return info.property;
    }
    return std::nullopt;
}

ExtenderSet::ExtenderSet(std::initializer_list<ExtenderProperty> properties) {
    for (const ExtenderProperty property : properties)
        bits_ |= Bit(property);
}

ExtenderSet ExtenderSet::All() {
    ExtenderSet all;
    all.bits_ = (1u << kExtenderPropertyCount) - 1;
    return all;
}

ExtenderSet ExtenderSet::With(ExtenderProperty property) const {
    ExtenderSet result = *this;
    result.bits_ |= Bit(property);
    return result;
}

ExtenderSet ExtenderSet::Without(ExtenderProperty property) const {
    ExtenderSet result = *this;
    result.bits_ &= ~Bit(property);
    return result;
}

Extender::Extender(Control& control, ExtenderSet supported)
    : control_(control), supported_(supported) {}

bool Extender::Supports(std::string_view name) const {
    const std::optional<ExtenderProperty> property = FindExtenderProperty(name);
    return property && Supports(*property);
}

ExtenderProperty Extender::Require(std::string_view name) const {
    const std::optional<ExtenderProperty> property = FindExtenderProperty(name);
    if (!property || !Supports(*property)) {
        RaiseError(kErrNotSupported, {},
                   "Object doesn't support this property or method: " + std::string(name));
    }
    return *property;
}

void Extender::Require(ExtenderProperty property) const {
    if (!Supports(property)) Require(ExtenderPropertyName(property));
}

Variant Extender::Get(std::string_view name) const {
    return Get(Require(name));
}

void Extender::Let(std::string_view name, const Variant& value) {
    Let(Require(name), value);
}

Variant Extender::Get(ExtenderProperty property) const {
    Require(property);
    switch (property) {
        case ExtenderProperty::Name:
            return Variant(control_.Name());
        case ExtenderProperty::Left:
            return Variant(control_.Left());
        case ExtenderProperty::Top:
            return Variant(control_.Top());
        case ExtenderProperty::Width:
            return Variant(control_.Width());
        case ExtenderProperty::Height:
            return Variant(control_.Height());
        case ExtenderProperty::TabIndex:
            return Variant(control_.TabIndex());
        case ExtenderProperty::TabStop:
            return Variant(control_.TabStop());
        case ExtenderProperty::Visible:
            return Variant(control_.Visible());
        case ExtenderProperty::Tag:
            return Variant(tag_);
        case ExtenderProperty::ToolTipText:
            return Variant(control_.ToolTipText());
        case ExtenderProperty::HelpContextID:
            return Variant(helpContextId_);
        case ExtenderProperty::WhatsThisHelpID:
            return Variant(whatsThisHelpId_);
        case ExtenderProperty::DragMode:
            return Variant(dragMode_);
        case ExtenderProperty::DragIcon:
            return VariantFromPicture(dragIcon_);
        case ExtenderProperty::CausesValidation:
            return Variant(causesValidation_);
        case ExtenderProperty::Index:
            return Variant(index_);
    }
    return {};
}

void Extender::Let(ExtenderProperty property, const Variant& value) {
    Require(property);
    // Every conversion and check comes before the write, so a refused value changes nothing.
    switch (property) {
        case ExtenderProperty::Name: {
            std::string name = value.ToText();
            if (!IsControlName(name)) RaiseInvalidValue(property);
            if (NameTaken && NameTaken(name)) {
                RaiseError(kErrInvalidPropertyValue, {},
                           "Invalid property value for Name: " + name + " is already in use");
            }
            control_.SetName(std::move(name));
            break;
        }
        case ExtenderProperty::Left:
            control_.Move(value.ToLong(), control_.Top(), control_.Width(), control_.Height());
            break;
        case ExtenderProperty::Top:
            control_.Move(control_.Left(), value.ToLong(), control_.Width(), control_.Height());
            break;
        case ExtenderProperty::Width: {
            const int32_t width = value.ToLong();
            if (width < 0) RaiseInvalidValue(property);
            control_.Move(control_.Left(), control_.Top(), width, control_.Height());
            break;
        }
        case ExtenderProperty::Height: {
            const int32_t height = value.ToLong();
            if (height < 0) RaiseInvalidValue(property);
            control_.Move(control_.Left(), control_.Top(), control_.Width(), height);
            break;
        }
        case ExtenderProperty::TabIndex: {
            const int16_t index = value.ToInteger();
            if (index < 0) RaiseInvalidValue(property);
            control_.SetTabIndex(index);
            break;
        }
        case ExtenderProperty::TabStop:
            control_.SetTabStop(value.ToBoolean());
            break;
        case ExtenderProperty::Visible:
            control_.SetVisible(value.ToBoolean());
            break;
        case ExtenderProperty::Tag:
            tag_ = value.ToText();
            break;
        case ExtenderProperty::ToolTipText:
            control_.SetToolTipText(value.ToText());
            break;
        case ExtenderProperty::HelpContextID:
            helpContextId_ = value.ToLong();
            break;
        case ExtenderProperty::WhatsThisHelpID:
            whatsThisHelpId_ = value.ToLong();
            break;
        case ExtenderProperty::DragMode: {
            const int16_t mode = value.ToInteger();
            if (mode != 0 && mode != 1) RaiseInvalidValue(property);
            dragMode_ = mode;
            break;
        }
        case ExtenderProperty::DragIcon:
            dragIcon_ = PictureFromVariant(value);
            break;
        case ExtenderProperty::CausesValidation:
            causesValidation_ = value.ToBoolean();
            break;
        case ExtenderProperty::Index:
            index_ = value.ToInteger();
            break;
    }
    if (Changed) Changed(property);
}

}  // namespace tabula
