#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "platform/container/Picture.h"
#include "platform/fonts/Font.h"
#include "platform/runtime/Variant.h"

namespace tabula {

// What a bag entry holds: a plain value, a font or a picture.
enum class PropertyKind { Value, Font, Picture };

// One stored value of a property bag.
class PropertyValue {
public:
    // Objects other than pictures cannot be stored (error 13); a picture object, or
    // Nothing, is stored as a picture.
    static PropertyValue FromVariant(const Variant& value);
    static PropertyValue FromFont(FontDescriptor font) { return PropertyValue(std::move(font)); }
    static PropertyValue FromPicture(PicturePtr picture) {
        return PropertyValue(std::move(picture));
    }

    PropertyKind Kind() const { return static_cast<PropertyKind>(value_.index()); }
    // Each raises error 13 when the value is of another kind; `key` names it in the text.
    const Variant& AsValue(std::string_view key = {}) const;
    const FontDescriptor& AsFont(std::string_view key = {}) const;
    const PicturePtr& AsPicture(std::string_view key = {}) const;

    // Values by Variant equality, fonts by all six fields, pictures by identity (the same
    // picture object, or both none).
    bool Equals(const PropertyValue& other) const;

private:
    explicit PropertyValue(Variant value) : value_(std::move(value)) {}
    explicit PropertyValue(FontDescriptor font) : value_(std::move(font)) {}
    explicit PropertyValue(PicturePtr picture) : value_(std::move(picture)) {}

    std::variant<Variant, FontDescriptor, PicturePtr> value_;
};

// A control's saved settings: typed values under keys, kept in the order they were first
// written (the order is part of the saved file). Keys compare without regard to case;
// an entry keeps the spelling of its first write.
//
// A write with a default stores nothing when the value equals the default, and removes an
// earlier entry for the key, so a later read gets the default back. A write without a
// default always stores.
class PropertyBag {
public:
    struct Entry {
        std::string key;
        PropertyValue value;
    };

    // The stored value, or `defaultValue` when the key is absent. A picture comes back as
    // an object (Nothing for none); a font is not a plain value and raises error 13.
    Variant ReadProperty(std::string_view key, const Variant& defaultValue = {}) const;
    // Error 13 unless the stored value is a font.
    FontDescriptor ReadFont(std::string_view key, const FontDescriptor& defaultValue) const;
    // Error 13 unless the stored value is a picture.
    PicturePtr ReadPicture(std::string_view key, PicturePtr defaultValue = nullptr) const;

    void WriteProperty(std::string_view key, const Variant& value);
    void WriteProperty(std::string_view key, const Variant& value, const Variant& defaultValue);
    void WriteFont(std::string_view key, const FontDescriptor& value);
    void WriteFont(std::string_view key, const FontDescriptor& value,
                   const FontDescriptor& defaultValue);
    void WritePicture(std::string_view key, PicturePtr value);
    void WritePicture(std::string_view key, PicturePtr value, const PicturePtr& defaultValue);

    // Stores a value as it is, with no default: what a loader uses to rebuild a bag.
    void Store(std::string_view key, PropertyValue value);

    bool Contains(std::string_view key) const;
    // The stored entry, or null.
    const PropertyValue* Find(std::string_view key) const;
    const std::vector<Entry>& Entries() const { return entries_; }
    size_t Count() const { return entries_.size(); }
    void Clear();

private:
    void Remove(std::string_view key);

    std::vector<Entry> entries_;
    // Folded key -> position in entries_.
    std::unordered_map<std::string, size_t> index_;
};

}  // namespace tabula
