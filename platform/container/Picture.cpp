#include "platform/container/Picture.h"

#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/image/IconFile.h"
#include "platform/image/PngData.h"
#include "platform/runtime/Error.h"

namespace tabula {

namespace fs = std::filesystem;

namespace {

// No picture comes near this; a larger file is refused before it is read.
constexpr uintmax_t kMaxPictureFileBytes = uintmax_t{64} << 20;

PixelImage DecodePicture(std::span<const uint8_t> data) {
    if (const std::optional<PngHeader> header = ReadPngHeader(data)) {
        if (header->width > kMaxPictureSide || header->height > kMaxPictureSide) {
            throw PngError("the PNG image is " + std::to_string(header->width) + " x " +
                           std::to_string(header->height) + " pixels, larger than " +
                           std::to_string(kMaxPictureSide) + " a side");
        }
        return DecodePng(data, int64_t{kMaxPictureSide} * kMaxPictureSide, kIconBackground);
    }
    if (LooksLikeIcon(data)) return DecodeIcon(data, kIconBackground);
    throw PngError("the file is not a PNG, icon or cursor file");
}

}  // namespace

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

PicturePtr LoadPicture(const fs::path& path) {
    if (path.empty()) return nullptr;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        RaiseError(kErrFileNotFound, {}, "File not found: " + path.string());
    }
    if (error || status.type() != fs::file_type::regular) {
        RaiseError(kErrPathFileAccess, {}, "Cannot read the picture " + path.string());
    }
    const uintmax_t size = fs::file_size(path, error);
    if (error) RaiseError(kErrPathFileAccess, {}, "Cannot read the picture " + path.string());
    if (size > kMaxPictureFileBytes) {
        RaiseError(kErrInvalidPicture, {},
                   path.string() + ": larger than " + std::to_string(kMaxPictureFileBytes) +
                       " bytes, too large for a picture");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) RaiseError(kErrPathFileAccess, {}, "Cannot open the picture " + path.string());
    std::vector<uint8_t> data(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
    data.resize(static_cast<size_t>(in.gcount()));
    if (in.bad()) RaiseError(kErrPathFileAccess, {}, "Cannot read the picture " + path.string());
    try {
        return std::make_shared<Picture>(DecodePicture(data));
    } catch (const PngError& damaged) {
        RaiseError(kErrInvalidPicture, {}, path.string() + ": " + damaged.what());
    } catch (const IconError& damaged) {
        RaiseError(kErrInvalidPicture, {}, path.string() + ": " + damaged.what());
    }
}

}  // namespace tabula
