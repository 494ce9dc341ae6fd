#pragma once

#include <filesystem>
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

// The largest side of a PNG picture LoadPicture reads (icons and cursors have at most 256).
constexpr int32_t kMaxPictureSide = 4096;

// A picture read from a file: a PNG, or an icon or cursor file's largest image (see
// IconFile.h). The kind is told by the file's first bytes, not by its name. Transparent
// pixels show the button face (0xC0C0C0), the colour a drag icon is drawn on. An empty
// path gives no picture (null), as clearing a picture property does.
//
// Raises error 53 for a file that does not exist, 75 for one that cannot be read, and 481
// (invalid picture) with the reason for anything else that cannot be decoded: damaged
// data, another kind of file, a PNG larger than kMaxPictureSide a side.
PicturePtr LoadPicture(const std::filesystem::path& path);

// A picture as a Variant: an Object, Nothing for no picture.
inline Variant VariantFromPicture(PicturePtr picture) {
    return Variant::FromObject(std::move(picture));
}

}  // namespace tabula
