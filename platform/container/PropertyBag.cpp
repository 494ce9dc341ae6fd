#include "platform/container/PropertyBag.h"

#include "platform/runtime/Error.h"
#include "platform/text/CaseFold.h"

namespace tabula {

namespace {

const char* KindName(PropertyKind kind) {
    switch (kind) {
        case PropertyKind::Value:
            return "a value";
        case PropertyKind::Font:
            return "a font";
        case PropertyKind::Picture:
            return "a picture";
    }
    return "a value";
}

[[noreturn]] void RaiseWrongKind(std::string_view key, PropertyKind stored, PropertyKind wanted) {
    std::string text = "Type mismatch: ";
    text += key.empty() ? std::string("the property") : "property \"" + std::string(key) + "\"";
    text += " holds ";
    text += KindName(stored);
    text += ", not ";
    text += KindName(wanted);
    RaiseError(kErrTypeMismatch, {}, text);
}

}  // namespace

PropertyValue PropertyValue::FromVariant(const Variant& value) {
    if (value.Type() == VariantType::Object) {
        if (!value.ToObject()) return PropertyValue(PicturePtr());
        PicturePtr picture = std::dynamic_pointer_cast<Picture>(value.ToObject());
        if (!picture) {
            RaiseError(kErrTypeMismatch, {},
                       "Type mismatch: only pictures can be stored in a property bag");
        }
        return PropertyValue(std::move(picture));
    }
    return PropertyValue(value);
}

const Variant& PropertyValue::AsValue(std::string_view key) const {
    if (Kind() != PropertyKind::Value) RaiseWrongKind(key, Kind(), PropertyKind::Value);
    return std::get<Variant>(value_);
}

const FontDescriptor& PropertyValue::AsFont(std::string_view key) const {
    if (Kind() != PropertyKind::Font) RaiseWrongKind(key, Kind(), PropertyKind::Font);
    return std::get<FontDescriptor>(value_);
}

const PicturePtr& PropertyValue::AsPicture(std::string_view key) const {
    if (Kind() != PropertyKind::Picture) RaiseWrongKind(key, Kind(), PropertyKind::Picture);
    return std::get<PicturePtr>(value_);
}

bool PropertyValue::Equals(const PropertyValue& other) const {
    if (Kind() != other.Kind()) return false;
    switch (Kind()) {
        case PropertyKind::Value:
            return VariantEquals(std::get<Variant>(value_), std::get<Variant>(other.value_));
        case PropertyKind::Font:
            return std::get<FontDescriptor>(value_) == std::get<FontDescriptor>(other.value_);
        case PropertyKind::Picture:
            return std::get<PicturePtr>(value_) == std::get<PicturePtr>(other.value_);
    }
    return false;
}

Variant PropertyBag::ReadProperty(std::string_view key, const Variant& defaultValue) const {
    const PropertyValue* stored = Find(key);
    if (!stored) return defaultValue;
    if (stored->Kind() == PropertyKind::Picture) return VariantFromPicture(stored->AsPicture());
    return stored->AsValue(key);
}

FontDescriptor PropertyBag::ReadFont(std::string_view key,
                                     const FontDescriptor& defaultValue) const {
    const PropertyValue* stored = Find(key);
    return stored ? stored->AsFont(key) : defaultValue;
}

PicturePtr PropertyBag::ReadPicture(std::string_view key, PicturePtr defaultValue) const {
    const PropertyValue* stored = Find(key);
    return stored ? stored->AsPicture(key) : defaultValue;
}

void PropertyBag::WriteProperty(std::string_view key, const Variant& value) {
    Store(key, PropertyValue::FromVariant(value));
}

void PropertyBag::WriteProperty(std::string_view key, const Variant& value,
                                const Variant& defaultValue) {
    PropertyValue stored = PropertyValue::FromVariant(value);
    if (stored.Equals(PropertyValue::FromVariant(defaultValue))) {
        Remove(key);
    } else {
        Store(key, std::move(stored));
    }
}

void PropertyBag::WriteFont(std::string_view key, const FontDescriptor& value) {
    Store(key, PropertyValue::FromFont(value));
}

void PropertyBag::WriteFont(std::string_view key, const FontDescriptor& value,
                            const FontDescriptor& defaultValue) {
    if (value == defaultValue) {
        Remove(key);
    } else {
        Store(key, PropertyValue::FromFont(value));
    }
}

void PropertyBag::WritePicture(std::string_view key, PicturePtr value) {
    Store(key, PropertyValue::FromPicture(std::move(value)));
}

void PropertyBag::WritePicture(std::string_view key, PicturePtr value,
                               const PicturePtr& defaultValue) {
    if (value == defaultValue) {
        Remove(key);
    } else {
        Store(key, PropertyValue::FromPicture(std::move(value)));
    }
}

void PropertyBag::Store(std::string_view key, PropertyValue value) {
    if (key.empty()) RaiseError(kErrInvalidCall, {}, "A property bag key cannot be empty");
    std::string folded = FoldCase(key);
    const auto found = index_.find(folded);
    if (found != index_.end()) {
        entries_[found->second].value = std::move(value);
        return;
    }
    index_.emplace(std::move(folded), entries_.size());
    entries_.push_back(Entry{std::string(key), std::move(value)});
}

bool PropertyBag::Contains(std::string_view key) const {
    return Find(key) != nullptr;
}

const PropertyValue* PropertyBag::Find(std::string_view key) const {
    const auto found = index_.find(FoldCase(key));
    return found == index_.end() ? nullptr : &entries_[found->second].value;
}

void PropertyBag::Clear() {
    entries_.clear();
    index_.clear();
}

void PropertyBag::Remove(std::string_view key) {
    if (key.empty()) RaiseError(kErrInvalidCall, {}, "A property bag key cannot be empty");
    const auto found = index_.find(FoldCase(key));
    if (found == index_.end()) return;
    const size_t position = found->second;
    index_.erase(found);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    for (auto& [folded, at] : index_) {
        if (at > position) --at;
    }
}

}  // namespace tabula
