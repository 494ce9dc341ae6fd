#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/container/Picture.h"
#include "platform/forms/Control.h"
#include "platform/runtime/Variant.h"

namespace tabula {

// The properties a container adds to every control it holds, in the order a form file
// and the extender page list them.
enum class ExtenderProperty : uint8_t {
    Name,
    Left,
    Top,
    Width,
    Height,
    TabIndex,
    TabStop,
    Visible,
    Tag,
    ToolTipText,
    HelpContextID,
    WhatsThisHelpID,
    DragMode,
    DragIcon,
    CausesValidation,
    Index,
};
constexpr int kExtenderPropertyCount = 16;

// The type each extender property holds: String, Long, Integer, Boolean, or a picture
// object.
enum class ExtenderType { Text, Long, Integer, Boolean, Picture };

std::string_view ExtenderPropertyName(ExtenderProperty property);
ExtenderType ExtenderPropertyType(ExtenderProperty property);
// The property of that name, compared without regard to case.
std::optional<ExtenderProperty> FindExtenderProperty(std::string_view name);

// Which extender properties a host offers.
class ExtenderSet {
public:
    constexpr ExtenderSet() = default;
    ExtenderSet(std::initializer_list<ExtenderProperty> properties);
    static ExtenderSet All();

    bool Has(ExtenderProperty property) const { return (bits_ & Bit(property)) != 0; }
    ExtenderSet With(ExtenderProperty property) const;
    ExtenderSet Without(ExtenderProperty property) const;

private:
    static uint32_t Bit(ExtenderProperty property) { return 1u << static_cast<int>(property); }
    uint32_t bits_ = 0;
};

// The container's side of one placed control: the extender properties by name, as the
// property pages and scripts reach them. Name, Left, Top, Width, Height, Visible,
// TabIndex, TabStop and ToolTipText live in the control itself (reads ask it, writes go
// through to it); the others are kept here.
//
// Reading or writing a property the host left out, or one that does not exist, raises
// error 438. Writes convert the value to the property's type (errors 13 and 6 as Variant
// conversions raise them) and raise 380 for values the property refuses: a negative
// Width, Height or TabIndex, a DragMode other than 0 (manual) or 1 (automatic), a Name
// that is not an identifier of 1 to 40 characters or that another control has.
//
// The control must outlive its extender.
class Extender {
public:
    explicit Extender(Control& control, ExtenderSet supported = ExtenderSet::All());

    Control& GetControl() const { return control_; }
    ExtenderSet Supported() const { return supported_; }
    bool Supports(ExtenderProperty property) const { return supported_.Has(property); }
    bool Supports(std::string_view name) const;

    Variant Get(std::string_view name) const;
    void Let(std::string_view name, const Variant& value);
    Variant Get(ExtenderProperty property) const;
    void Let(ExtenderProperty property, const Variant& value);

    // Called after every successful write with the property written.
    std::function<void(ExtenderProperty)> Changed;
    // Whether another control of the container already has a name (compared without
    // regard to case); a Name write raises 380 for such a name.
    std::function<bool(std::string_view)> NameTaken;

private:
    ExtenderProperty Require(std::string_view name) const;
    void Require(ExtenderProperty property) const;

    Control& control_;
    ExtenderSet supported_;
    std::string tag_;
    int32_t helpContextId_ = 0;
    int32_t whatsThisHelpId_ = 0;
    int16_t dragMode_ = 0;
    PicturePtr dragIcon_;
    bool causesValidation_ = true;
    int16_t index_ = 0;
};

}  // namespace tabula
