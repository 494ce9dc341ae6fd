#include "platform/image/PngData.h"

#include <png.h>

#include <cstring>
#include <string>

namespace tabula {

namespace {

[[noreturn]] void OnPngError(png_structp, png_const_charp message) {
    throw PngError(message);
}
void OnPngWarning(png_structp, png_const_charp) {}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void FlushNothing(png_structp) {}

struct Reader {
    std::span<const uint8_t> data;
    size_t position = 0;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (length > reader->data.size() - reader->position)
        png_error(png, "the PNG data is cut short");
    std::memcpy(out, reader->data.data() + reader->position, length);
    reader->position += length;
}

}  // namespace

std::vector<uint8_t> EncodePng(const PixelImage& image) {
    if (image.Width() == 0 || image.Height() == 0) throw PngError("cannot encode an empty image");
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw PngError("out of memory encoding a PNG");
    }
    std::vector<uint8_t> out;
    try {
        png_set_write_fn(png, &out, AppendBytes, FlushNothing);
        png_set_IHDR(png, info, image.Width(), image.Height(), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(size_t(image.Width()) * 3);
        for (int32_t y = 0; y < image.Height(); ++y) {
            const COLORREF* pixels = image.Row(y);
            for (int32_t x = 0; x < image.Width(); ++x) {
                row[size_t(x) * 3 + 0] = GetRValue(pixels[x]);
                row[size_t(x) * 3 + 1] = GetGValue(pixels[x]);
                row[size_t(x) * 3 + 2] = GetBValue(pixels[x]);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    } catch (...) {
        png_destroy_write_struct(&png, &info);
        throw;
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

int PngHeader::BitsPerPixel() const {
    const int channels = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
    return bitDepth * channels;
}

std::optional<PngHeader> ReadPngHeader(std::span<const uint8_t> data) {
    // The signature, then the IHDR chunk: its length (13), its name, width and height
    // (big-endian), bit depth and colour type.
    if (data.size() < 26 || png_sig_cmp(data.data(), 0, 8) != 0) return std::nullopt;
    if (std::memcmp(data.data() + 12, "IHDR", 4) != 0) return std::nullopt;
    const auto bigEndian = [&](size_t at) {
        return int64_t{data[at]} << 24 | int64_t{data[at + 1]} << 16 | int64_t{data[at + 2]} << 8 |
               int64_t{data[at + 3]};
    };
    return PngHeader{bigEndian(16), bigEndian(20), data[24], data[25]};
}

PixelImage DecodePng(std::span<const uint8_t> data, int64_t maxPixels,
                     std::optional<COLORREF> background) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) {
        throw PngError("the data is not a PNG image");
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw PngError("out of memory decoding a PNG");
    }
    Reader reader{data, 0};
    PixelImage image;
    try {
        png_set_read_fn(png, &reader, ReadBytes);
        png_set_user_limits(png, PixelImage::kMaxSide, PixelImage::kMaxSide);
        png_read_info(png, info);
        const int32_t width = static_cast<int32_t>(png_get_image_width(png, info));
        const int32_t height = static_cast<int32_t>(png_get_image_height(png, info));
        if (int64_t{width} * height > maxPixels) {
            throw PngError("the PNG image is " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels, more than the " +
                           std::to_string(maxPixels) + " allowed");
        }
        // Normalise every colour type and depth to 8-bit RGB, with an alpha byte (opaque
        // where the image has no transparency) when it is to be blended.
        png_set_expand(png);
        png_set_strip_16(png);
        if (background) {
            png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
        } else {
            png_set_strip_alpha(png);
        }
        png_set_gray_to_rgb(png);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        const size_t channels = background ? 4 : 3;
        if (png_get_rowbytes(png, info) != size_t(width) * channels) {
            throw PngError("the PNG image has an unsupported pixel layout");
        }
        std::vector<png_byte> pixels(size_t(width) * size_t(height) * channels);
        std::vector<png_bytep> rows(static_cast<size_t>(height));
        for (int32_t y = 0; y < height; ++y)
            rows[y] = pixels.data() + size_t(y) * size_t(width) * channels;
        png_read_image(png, rows.data());
        image = PixelImage(width, height);
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                const png_byte* p = rows[y] + size_t(x) * channels;
                const COLORREF color = RGB(p[0], p[1], p[2]);
                image.Row(y)[x] = background ? BlendOnto(color, p[3], *background) : color;
            }
        }
    } catch (...) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return image;
}

}  // namespace tabula
