#pragma once

#include <memory>

#include "platform/gdi/PixelImage.h"
#include "platform/runtime/AutomationObject.h"
#include "platform/runtime/Variant.h"

namespace tabula {

// A picture object: an image passed around by reference, as a control's MouseIcon or an
// extender's DragIcon. A picture never changes once made, so sharing one is safe; "no
// picture" (Nothing) is a null pointer.
class Picture final : public AutomationObject {
public:
    explicit Picture(PixelImage image) : image_(std::move(image)) {}

    const PixelImage& Image() const { return image_; }
    int32_t Width() const { return image_.Width(); }
    int32_t Height() const { return image_.Height(); }

private:
    PixelImage image_;
};

using PicturePtr = std::shared_ptr<Picture>;

// The picture a Variant holds: null for Empty and for Nothing. Any other value, objects
// that are not pictures included, raises error 13 (type mismatch).
PicturePtr PictureFromVariant(const Variant& value);

// A picture as a Variant: an Object, Nothing for no picture.
inline Variant VariantFromPicture(PicturePtr picture) {
    return Variant::FromObject(std::move(picture));
}

}  // namespace tabula
