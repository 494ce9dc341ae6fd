#include "platform/image/PngFile.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace tabula {

namespace {

struct FileCloser {
    void operator()(FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

[[noreturn]] void OnPngError(png_structp, png_const_charp message) {
    throw PngError(message);
}
void OnPngWarning(png_structp, png_const_charp) {}

}  // namespace

void WritePng(const PixelImage& image, const std::string& path) {
    if (image.Width() == 0 || image.Height() == 0) {
        throw PngError("cannot write an empty image to " + path);
    }
    const std::string temporary = path + ".tmp";
    FilePtr file(std::fopen(temporary.c_str(), "wb"));
    if (!file) throw PngError("cannot create " + temporary + ": " + std::strerror(errno));

    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw PngError("out of memory writing " + path);
    }
    try {
        png_init_io(png, file.get());
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
        file.reset();
        std::remove(temporary.c_str());
        throw;
    }
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file.release()) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw PngError("cannot write " + path + ": " + reason);
    }
}

PixelImage ReadPng(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) throw PngError("cannot open " + path + ": " + std::strerror(errno));
    png_byte signature[8];
    if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        throw PngError(path + " is not a PNG file");
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw PngError("out of memory reading " + path);
    }
    PixelImage image;
    try {
        png_init_io(png, file.get());
        png_set_sig_bytes(png, 8);
        png_set_user_limits(png, PixelImage::kMaxSide, PixelImage::kMaxSide);
        png_read_info(png, info);
        // Normalise every colour type and depth to 8-bit RGB.
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_strip_alpha(png);
        png_set_gray_to_rgb(png);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        const int32_t width = static_cast<int32_t>(png_get_image_width(png, info));
        const int32_t height = static_cast<int32_t>(png_get_image_height(png, info));
        if (png_get_rowbytes(png, info) != size_t(width) * 3) {
            throw PngError(path + " has an unsupported pixel layout");
        }
        std::vector<png_byte> data(size_t(width) * size_t(height) * 3);
        std::vector<png_bytep> rows(static_cast<size_t>(height));
        for (int32_t y = 0; y < height; ++y)
            rows[y] = data.data() + size_t(y) * size_t(width) * 3;
        png_read_image(png, rows.data());
        image = PixelImage(width, height);
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                const png_byte* p = rows[y] + size_t(x) * 3;
                image.Row(y)[x] = RGB(p[0], p[1], p[2]);
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
