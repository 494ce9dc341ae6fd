#include "platform/container/FontObject.h"

#include "platform/runtime/Error.h"

namespace tabula {

void FontObject::SetSize(float points) {
    if (!(points >= 1.0f && points <= 2048.0f)) RaiseError(kErrInvalidPropertyValue);
    font_.size = points;
}

const DispatchTable& FontObject::Members() const {
    if (members_) return *members_;
    auto* self = const_cast<FontObject*>(this);
    members_ = std::make_unique<DispatchTable>();
    const auto flag = [self](bool FontDescriptor::*field) {
        return std::pair{std::function<Variant(InvokeArgs&)>(
                             [self, field](InvokeArgs&) { return Variant(self->font_.*field); }),
                         std::function<void(InvokeArgs&)>([self, field](InvokeArgs& a) {
                             self->font_.*field = a[0].ToBoolean();
                         })};
    };
    const uint16_t property = kInvokeGet | kInvokeLet;
    members_->Add({"Name",
                   0,
                   property,
                   {},
                   0,
                   [self](InvokeArgs&) { return Variant(self->font_.name); },
                   [self](InvokeArgs& a) { self->font_.name = a[0].ToText(); }});
    members_->Add({"Size",
                   2,
                   property,
                   {},
                   0,
                   [self](InvokeArgs&) { return Variant(double(self->font_.size)); },
                   [self](InvokeArgs& a) { self->SetSize(float(a[0].ToDouble())); }});
    const struct {
        const char* name;
        int32_t dispid;
        bool FontDescriptor::*field;
    } flags[] = {{"Bold", 3, &FontDescriptor::bold},
                 {"Italic", 4, &FontDescriptor::italic},
                 {"Underline", 5, &FontDescriptor::underline},
                 {"Strikethrough", 6, &FontDescriptor::strikethrough}};
    for (const auto& f : flags) {
        auto [get, let] = flag(f.field);
        members_->Add({f.name, f.dispid, property, {}, 0, std::move(get), std::move(let)});
    }
    return *members_;
}

FontPtr FontFromVariant(const Variant& value) {
    if (value.IsEmpty()) return nullptr;
    if (value.Type() != VariantType::Object) {
        RaiseError(kErrTypeMismatch, {}, "Type mismatch: a font is required");
    }
    const std::shared_ptr<AutomationObject> object = value.ToObject();
    if (!object) return nullptr;
    FontPtr font = std::dynamic_pointer_cast<FontObject>(object);
    if (!font) RaiseError(kErrTypeMismatch, {}, "Type mismatch: the object is not a font");
    return font;
}

}  // namespace tabula
