#pragma once

#include <memory>

#include "platform/fonts/Font.h"
#include "platform/runtime/Dispatch.h"

namespace tabula {

// A font object: the six font properties behind a reference, as a control's Font
// property hands it out. Whoever holds the reference sees changes made through any other
// holder. Scripts reach it through automation: Name (the default member), Size, Bold,
// Italic, Underline, Strikethrough.
class FontObject final : public Dispatchable {
public:
    explicit FontObject(FontDescriptor font = {}) : font_(std::move(font)) {}
    FontObject(const FontObject&) = delete;
    FontObject& operator=(const FontObject&) = delete;

    const FontDescriptor& Descriptor() const { return font_; }
    void SetDescriptor(const FontDescriptor& font) { font_ = font; }

    // A new, independent object with the same properties.
    std::shared_ptr<FontObject> Clone() const { return std::make_shared<FontObject>(font_); }

    // Sizes below 1 point or above 2048 points are refused with error 380.
    void SetSize(float points);

    const DispatchTable& Members() const override;

private:
    FontDescriptor font_;
    mutable std::unique_ptr<DispatchTable> members_;
};

using FontPtr = std::shared_ptr<FontObject>;

// The font object a Variant holds; Empty and Nothing give null. Other values, objects
// that are not fonts included, raise error 13.
FontPtr FontFromVariant(const Variant& value);

}  // namespace tabula
