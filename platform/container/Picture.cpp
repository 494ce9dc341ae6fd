#include "platform/container/Picture.h"

#include "platform/runtime/Error.h"

namespace tabula {

PicturePtr PictureFromVariant(const Variant& value) {
    if (value.IsEmpty()) return nullptr;
    if (value.Type() != VariantType::Object) {
        RaiseError(kErrTypeMismatch, {}, "Type mismatch: a picture is required");
    }
    const std::shared_ptr<AutomationObject> object = value.ToObject();
    if (!object) return nullptr;
    PicturePtr picture = std::dynamic_pointer_cast<Picture>(object);
    if (!picture) RaiseError(kErrTypeMismatch, {}, "Type mismatch: the object is not a picture");
    return picture;
}

}  // namespace tabula
