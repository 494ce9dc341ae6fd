#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>
#include <vector>

#include "platform/container/Picture.h"
#include "platform/image/IconFile.h"
#include "platform/image/PngData.h"
#include "tests/support/Raised.h"
#include "tests/support/TestFiles.h"

// Pictures read from files: PNGs, and icon and cursor files built here byte by byte.

namespace tabula {
namespace {

namespace fs = std::filesystem;
using test::RaisedError;
using test::TempPath;
using Bytes = std::vector<uint8_t>;

constexpr COLORREF kFace = kIconBackground;

// 2 x 1, RGBA: opaque red, then blue at alpha 128.
const Bytes kRgbaPng = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D,
                        0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01,
                        0x08, 0x06, 0x00, 0x00, 0x00, 0xF4, 0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00,
                        0x0E, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8, 0xCF, 0xC0, 0x00,
                        0x42, 0x0D, 0x00, 0x0F, 0x7A, 0x03, 0x7E, 0x6A, 0x81, 0x31, 0xE1, 0x00,
                        0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
// 2 x 1, palette of dark green and yellow, yellow fully transparent.
const Bytes kPalettePng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x03, 0x00, 0x00, 0x00, 0xC3,
    0xFC, 0x8F, 0xB8, 0x00, 0x00, 0x00, 0x06, 0x50, 0x4C, 0x54, 0x45, 0x00, 0x80, 0x00, 0xFF,
    0xFF, 0x00, 0x39, 0x3D, 0xC0, 0xC2, 0x00, 0x00, 0x00, 0x02, 0x74, 0x52, 0x4E, 0x53, 0xFF,
    0x00, 0xE5, 0xB7, 0x30, 0x4A, 0x00, 0x00, 0x00, 0x0B, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA,
    0x63, 0x60, 0x60, 0x04, 0x00, 0x00, 0x04, 0x00, 0x02, 0x2C, 0xDE, 0x48, 0xAD, 0x00, 0x00,
    0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

void Put(Bytes& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// `file` with `bytes` bytes at `at` replaced by `value`, low byte first.
Bytes Patched(Bytes file, size_t at, uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i)
        file.at(at + size_t(i)) = static_cast<uint8_t>(value >> (8 * i));
    return file;
}

// A bitmap as an icon holds it. `pixel` gives a palette index at depths up to 8, else
// 0xAARRGGBB; `masked` marks the transparency mask's set bits.
struct Bitmap {
    int32_t width = 0;
    int32_t height = 0;
    int bitDepth = 0;
    std::vector<COLORREF> palette;  // 0x00RRGGBB, written as blue, green, red, 0
    std::function<uint32_t(int32_t, int32_t)> pixel;
    std::function<bool(int32_t, int32_t)> masked = [](int32_t, int32_t) { return false; };
    bool withMask = true;
};

Bytes Encode(const Bitmap& b) {
    Bytes out;
    for (uint32_t field : {40u, uint32_t(b.width), uint32_t(b.height * 2)})
        Put(out, field, 4);
    Put(out, 1, 2);
    Put(out, uint32_t(b.bitDepth), 2);
    for (uint32_t field : {0u, 0u, 0u, 0u, uint32_t(b.palette.size()), 0u})
        Put(out, field, 4);
    for (COLORREF color : b.palette)
        Put(out, color, 4);
    // Rows bottom-up, the bits of each pixel from the high end of its byte, rows padded.
    const auto rows = [&](int depth, auto value) {
        for (int32_t y = b.height - 1; y >= 0; --y) {
            Bytes row((size_t(b.width) * size_t(depth) + 31) / 32 * 4);
            for (int32_t x = 0; x < b.width; ++x) {
                const uint32_t v = value(x, y);
                if (depth >= 24) {
                    std::memcpy(&row[size_t(x) * size_t(depth / 8)], &v, size_t(depth / 8));
                } else {
                    const size_t bit = size_t(x) * size_t(depth);
                    row[bit / 8] |= static_cast<uint8_t>(v << (8 - depth - bit % 8));
                }
            }
            out.insert(out.end(), row.begin(), row.end());
        }
    };
    rows(b.bitDepth, b.pixel);
    if (b.withMask) rows(1, [&](int32_t x, int32_t y) { return uint32_t(b.masked(x, y)); });
    return out;
}

// An icon (type 1) or cursor (type 2) file of the images. The directory's sizes and
// depths are left 0 (the images' own headers say them); a cursor's entries carry a hot spot.
Bytes IconFile(std::vector<Bytes> images, uint16_t type = 1) {
    Bytes out;
    Put(out, 0, 2);
    Put(out, type, 2);
    Put(out, uint32_t(images.size()), 2);
    size_t offset = 6 + 16 * images.size();
    for (const Bytes& image : images) {
        Put(out, 0, 4);
        Put(out, type == 2 ? 0x00050003 : 0, 4);
        Put(out, uint32_t(image.size()), 4);
        Put(out, uint32_t(offset), 4);
        offset += image.size();
    }
    for (const Bytes& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

// Where a one-image file's bitmap header starts, and its fields.
constexpr size_t kImage = 22;
constexpr size_t kWidth = kImage + 4, kHeight = kImage + 8, kDepth = kImage + 14,
                 kCompression = kImage + 16;

PicturePtr Load(const Bytes& file) {
    const fs::path path = TempPath("picture.ico");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    struct Remove {
        fs::path path;
        ~Remove() { fs::remove(path); }
    } remove{path};
    return LoadPicture(path);
}

// Two pixels a row of a 32-bit 2 x 2 image: opaque red, transparent white; half-white,
// opaque blue.
const Bitmap kAlpha32 = {
    2, 2, 32, {}, [](int32_t x, int32_t y) {
        const uint32_t pixels[2][2] = {{0xFFFF0000, 0x00FFFFFF}, {0x80FFFFFF, 0xFF0000FF}};
        return pixels[y][x];
    }};

Bitmap Solid(int32_t side, int bitDepth, uint32_t value, std::vector<COLORREF> palette = {}) {
    return {side, side, bitDepth, std::move(palette), [value](int32_t, int32_t) { return value; }};
}

TEST(LoadPicture, DecodesEveryKindOfImageWithTransparencyOnTheButtonFace) {
    Bitmap noAlpha = kAlpha32;  // alpha bytes all 0: the mask says what is transparent
    noAlpha.pixel = [](int32_t x, int32_t y) { return x == y ? 0x00FF0000u : 0x000000FFu; };
    noAlpha.masked = [](int32_t x, int32_t y) { return x == 1 && y == 0; };
    Bitmap masked24 = {3, 2, 24, {}, [](int32_t x, int32_t y) { return uint32_t(x * 0x40 + y); }};
    masked24.masked = [](int32_t x, int32_t y) { return x == 2 && y == 1; };
    // Three colours used; index 200 lies beyond them.
    Bitmap palette8 = {5, 3, 8, {0xFF0000, 0x00FF00, 0x0000FF}, [](int32_t x, int32_t y) {
                           return x == 4 && y == 2 ? 200u : uint32_t((x + y) % 3);
                       }};
    palette8.masked = [](int32_t x, int32_t y) { return x == 0 && y == 2; };
    std::vector<COLORREF> reds;
    for (uint32_t i = 0; i < 16; ++i)
        reds.push_back(i * 16 << 16);
    const Bitmap palette4 = {3, 3, 4, reds,
                             [](int32_t x, int32_t y) { return uint32_t(x * 5 + y); }};
    const Bitmap mono = {9, 2, 1, {0x000000, 0xFFFFFF}, [](int32_t x, int32_t y) {
                             return x == 8 ? 1u : uint32_t((x + y) % 2);
                         }};
    Bitmap alphaWithoutMask = kAlpha32;
    alphaWithoutMask.withMask = false;
    Bitmap alphaMaskedAll = kAlpha32;  // alpha decides; the mask is not looked at
    alphaMaskedAll.masked = [](int32_t, int32_t) { return true; };

    using Size = std::pair<int32_t, int32_t>;
    using Pixel = std::tuple<int32_t, int32_t, COLORREF>;
    const struct {
        const char* name;
        Bytes file;
        Size size;
        std::vector<Pixel> pixels;
    } cases[] = {
        {"32-bit alpha, mask ignored",
         IconFile({Encode(alphaMaskedAll)}),
         {2, 2},
         {{0, 0, RGB(255, 0, 0)},
          {1, 0, kFace},
          {0, 1, RGB(224, 224, 224)},
          {1, 1, RGB(0, 0, 255)}}},
        {"32-bit alpha, no mask",
         IconFile({Encode(alphaWithoutMask)}),
         {2, 2},
         {{0, 0, RGB(255, 0, 0)}, {1, 0, kFace}, {0, 1, RGB(224, 224, 224)}}},
        {"32-bit without alpha",
         IconFile({Encode(noAlpha)}),
         {2, 2},
         {{0, 0, RGB(255, 0, 0)}, {1, 0, kFace}, {0, 1, RGB(0, 0, 255)}}},
        {"24-bit with mask, rows padded",
         IconFile({Encode(masked24)}),
         {3, 2},
         {{1, 0, RGB(0, 0, 0x40)},
          {2, 0, RGB(0, 0, 0x80)},
          {1, 1, RGB(0, 0, 0x41)},
          {2, 1, kFace}}},
        {"8-bit palette, short",
         IconFile({Encode(palette8)}),
         {5, 3},
         {{1, 0, RGB(0, 255, 0)}, {4, 1, RGB(0, 0, 255)}, {4, 2, 0}, {0, 2, kFace}}},
        {"4-bit palette",
         IconFile({Encode(palette4)}),
         {3, 3},
         {{0, 0, RGB(0, 0, 0)}, {2, 1, RGB(176, 0, 0)}, {1, 2, RGB(112, 0, 0)}}},
        {"1-bit across a byte",
         IconFile({Encode(mono)}),
         {9, 2},
         {{8, 0, 0xFFFFFF}, {8, 1, 0xFFFFFF}, {7, 1, 0}, {7, 0, 0xFFFFFF}}},
        {"embedded PNG",
         IconFile({kRgbaPng}),
         {2, 1},
         {{0, 0, RGB(255, 0, 0)}, {1, 0, RGB(96, 96, 224)}}},
        {"cursor",
         IconFile({Encode(masked24)}, 2),
         {3, 2},
         {{1, 1, RGB(0, 0, 0x41)}, {2, 1, kFace}}},
        // The largest image; of two as large, the deeper.
        {"largest, then deepest",
         IconFile({Encode(Solid(2, 32, 0xFF00FF00)), Encode(Solid(4, 4, 1, {0, 0x00FF00})),
                   Encode(Solid(4, 24, 0x0000FF)), Encode(Solid(3, 32, 0xFFFF0000))}),
         {4, 4},
         {{3, 3, RGB(0, 0, 255)}}},
        {"PNG file, palette with transparency",
         kPalettePng,
         {2, 1},
         {{0, 0, RGB(0, 128, 0)}, {1, 0, kFace}}},
        {"PNG file without alpha",
         EncodePng(test::Gradient(3, 2)),
         {3, 2},
         {{2, 1, test::Gradient(3, 2).Pixel(2, 1)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PicturePtr picture = Load(c.file);
        ASSERT_TRUE(picture);
        EXPECT_EQ(Size(picture->Width(), picture->Height()), c.size);
        for (const auto& [x, y, color] : c.pixels)
            EXPECT_EQ(picture->Image().Pixel(x, y), color) << x << "," << y;
    }
}

TEST(LoadPicture, DamagedAndHostileFilesAreInvalidPictures) {
    const Bytes good = IconFile({Encode(Solid(3, 24, 0x123456))});
    Bytes noMask = Encode(Solid(3, 24, 0x123456));
    noMask.resize(noMask.size() - 12);  // the mask's three rows of 4 bytes
    Bytes cutPixels = Encode(Solid(3, 32, 0xFF123456));
    cutPixels.resize(cutPixels.size() - 12 - 8);  // no mask, and the last pixel row cut
    Bytes damagedPng = kRgbaPng;
    damagedPng[45] ^= 0xFF;  // inside the image data: its checksum fails
    const Bytes directoryCut = {0, 0, 1, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"empty file", {}},
        {"header cut short", {0, 0, 1, 0}},
        {"no images", Patched(good, 4, 0, 2)},
        {"directory cut short", directoryCut},
        {"image offset past the end", Patched(good, 18, uint32_t(good.size()) + 10)},
        {"image size past the end", Patched(good, 14, 0xFFFFFFF0)},
        {"bitmap header cut short", IconFile({Bytes(20, 0)})},
        {"header size past the image", Patched(good, kImage, 4000)},
        {"huge width", Patched(good, kWidth, 100000)},
        {"negative height", Patched(good, kHeight, uint32_t(-6))},
        {"odd height", Patched(good, kHeight, 5)},
        {"bad bit depth", Patched(good, kDepth, 7, 2)},
        {"compressed", Patched(good, kCompression, 1)},
        {"palette beyond the depth", IconFile({Encode(Solid(2, 4, 0, std::vector<COLORREF>(17)))})},
        {"mask missing", IconFile({noMask})},
        {"pixels cut short", IconFile({cutPixels})},
        {"embedded PNG damaged", IconFile({damagedPng})},
        {"PNG file of 4097 pixels", EncodePng(PixelImage(4097, 1))},
        {"PNG header claiming 5000 pixels", Patched(kRgbaPng, 16, 0x88130000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RaisedError([&] { Load(c.file); }), kErrInvalidPicture);
    }
    EXPECT_TRUE(Load(good));  // the damage above was all of the patches' making
}

TEST(LoadPicture, MissingFilesFoldersAndTheEmptyPath) {
    EXPECT_EQ(RaisedError([] { LoadPicture(TempPath("no-such-picture.ico")); }), kErrFileNotFound);
    EXPECT_EQ(RaisedError([] { LoadPicture(fs::temp_directory_path()); }), kErrPathFileAccess);
    EXPECT_EQ(LoadPicture({}), nullptr);
}

}  // namespace
}  // namespace tabula
