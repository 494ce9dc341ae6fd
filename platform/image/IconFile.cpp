#include "platform/image/IconFile.h"

#include <string>
#include <vector>

#include "platform/image/PngData.h"

namespace tabula {

namespace {

constexpr size_t kDirectoryBytes = 6;
constexpr size_t kEntryBytes = 16;
constexpr size_t kInfoHeaderBytes = 40;

uint16_t Word(std::span<const uint8_t> data, size_t at) {
    return static_cast<uint16_t>(data[at] | data[at + 1] << 8);
}
uint32_t Dword(std::span<const uint8_t> data, size_t at) {
    return uint32_t{Word(data, at)} | uint32_t{Word(data, at + 2)} << 16;
}

[[noreturn]] void Damaged(size_t entry, const std::string& reason) {
    throw IconError("image " + std::to_string(entry + 1) + " of the icon " + reason);
}

// One image of the file, checked, and where its parts lie in its bytes.
struct IconImage {
    std::span<const uint8_t> bytes;
    bool png = false;
    int32_t width = 0;
    int32_t height = 0;
    int bitDepth = 0;
    // A bitmap's parts: the palette's colours, the rows of the colour mask and of the
    // transparency mask (none in a 32-bit image that leaves it out).
    size_t paletteAt = 0;
    size_t colors = 0;
    size_t pixelsAt = 0;
    size_t pixelStride = 0;
    size_t maskAt = 0;
    size_t maskStride = 0;
    bool hasMask = false;
};

size_t RowBytes(int32_t width, int bitDepth) {
    return (size_t(width) * size_t(bitDepth) + 31) / 32 * 4;
}

IconImage InspectPng(std::span<const uint8_t> bytes, size_t entry) {
    const std::optional<PngHeader> header = ReadPngHeader(bytes);
    if (!header) Damaged(entry, "has a damaged PNG header");
    if (header->width < 1 || header->height < 1 || header->width > kMaxIconSide ||
        header->height > kMaxIconSide) {
        Damaged(entry, "is " + std::to_string(header->width) + " x " +
                           std::to_string(header->height) + " pixels: icons have 1 to " +
                           std::to_string(kMaxIconSide) + " a side");
    }
    IconImage image;
    image.bytes = bytes;
    image.png = true;
    image.width = static_cast<int32_t>(header->width);
    image.height = static_cast<int32_t>(header->height);
    image.bitDepth = header->BitsPerPixel();
    return image;
}

IconImage InspectBitmap(std::span<const uint8_t> bytes, size_t entry) {
    if (bytes.size() < kInfoHeaderBytes) Damaged(entry, "is shorter than a bitmap header");
    const uint32_t headerBytes = Dword(bytes, 0);
    if (headerBytes < kInfoHeaderBytes || headerBytes > bytes.size()) {
        Damaged(entry, "has a bitmap header of " + std::to_string(headerBytes) + " bytes");
    }
    const auto width = static_cast<int32_t>(Dword(bytes, 4));
    // The height counts the colour mask and the transparency mask.
    const auto doubleHeight = static_cast<int32_t>(Dword(bytes, 8));
    const int bitDepth = Word(bytes, 14);
    const uint32_t compression = Dword(bytes, 16);
    const uint32_t colorsUsed = Dword(bytes, 32);
    if (width < 1 || width > kMaxIconSide || doubleHeight < 2 || doubleHeight > 2 * kMaxIconSide ||
        doubleHeight % 2 != 0) {
        Damaged(entry, "is " + std::to_string(width) + " x " + std::to_string(doubleHeight) +
                           " / 2 pixels: icons have 1 to " + std::to_string(kMaxIconSide) +
                           " a side");
    }
    if (bitDepth != 1 && bitDepth != 4 && bitDepth != 8 && bitDepth != 24 && bitDepth != 32) {
        Damaged(entry, "has " + std::to_string(bitDepth) + " bits per pixel");
    }
    if (compression != 0) Damaged(entry, "is compressed");

    IconImage image;
    image.bytes = bytes;
    image.width = width;
    image.height = doubleHeight / 2;
    image.bitDepth = bitDepth;
    // A palette follows the header: every colour the depth can index unless the header
    // says how many are used (deeper images may carry one too, unused here).
    const size_t most = bitDepth <= 8 ? size_t{1} << bitDepth : 256;
    image.colors = colorsUsed != 0 ? colorsUsed : bitDepth <= 8 ? most : 0;
    if (image.colors > most) {
        Damaged(entry, "has a palette of " + std::to_string(colorsUsed) + " colours");
    }
    image.paletteAt = headerBytes;
    image.pixelsAt = image.paletteAt + image.colors * 4;
    image.pixelStride = RowBytes(width, bitDepth);
    image.maskAt = image.pixelsAt + image.pixelStride * size_t(image.height);
    image.maskStride = RowBytes(width, 1);
    const size_t end = image.maskAt + image.maskStride * size_t(image.height);
    image.hasMask = end <= bytes.size();
    // Only a 32-bit image, transparent by its alpha, may do without the mask.
    if (image.maskAt > bytes.size() || (!image.hasMask && bitDepth != 32)) {
        Damaged(entry, "is cut short: its pixels need " + std::to_string(end) + " bytes, it has " +
                           std::to_string(bytes.size()));
    }
    return image;
}

PixelImage DecodeBitmap(const IconImage& image, COLORREF background) {
    const std::span<const uint8_t> bytes = image.bytes;
    std::vector<COLORREF> palette(image.colors);
    for (size_t i = 0; i < image.colors; ++i) {
        const size_t at = image.paletteAt + i * 4;  // blue, green, red, unused
        palette[i] = RGB(bytes[at + 2], bytes[at + 1], bytes[at]);
    }
    // A 32-bit image with nothing in its alpha bytes was made before icons had alpha.
    bool alpha = false;
    if (image.bitDepth == 32) {
        for (int32_t y = 0; y < image.height && !alpha; ++y) {
            const size_t row = image.pixelsAt + size_t(y) * image.pixelStride;
            for (int32_t x = 0; x < image.width && !alpha; ++x)
                alpha = bytes[row + size_t(x) * 4 + 3] != 0;
        }
    }

    PixelImage out(image.width, image.height);
    for (int32_t y = 0; y < image.height; ++y) {
        // Rows are stored bottom-up.
        const size_t stored = size_t(image.height - 1 - y);
        const uint8_t* row = bytes.data() + image.pixelsAt + stored * image.pixelStride;
        const uint8_t* mask =
            image.hasMask ? bytes.data() + image.maskAt + stored * image.maskStride : nullptr;
        for (int32_t x = 0; x < image.width; ++x) {
            const size_t column = size_t(x);
            COLORREF color = 0;
            uint8_t opacity = 255;
            size_t index = 0;
            switch (image.bitDepth) {
                case 1:
                    index = (row[column / 8] >> (7 - column % 8)) & 1;
                    break;
                case 4:
                    index = (row[column / 2] >> (column % 2 ? 0 : 4)) & 0x0F;
                    break;
                case 8:
                    index = row[column];
                    break;
                case 24:
                    color = RGB(row[column * 3 + 2], row[column * 3 + 1], row[column * 3]);
                    break;
                default:
                    color = RGB(row[column * 4 + 2], row[column * 4 + 1], row[column * 4]);
                    if (alpha) opacity = row[column * 4 + 3];
                    break;
            }
            // An index beyond a short palette reads as black.
            if (image.bitDepth <= 8) color = index < palette.size() ? palette[index] : 0;
            if (!alpha && mask && ((mask[column / 8] >> (7 - column % 8)) & 1)) {
                opacity = 0;
            }
            out.Row(y)[x] = BlendOnto(color, opacity, background);
        }
    }
    return out;
}

}  // namespace

bool LooksLikeIcon(std::span<const uint8_t> data) {
    if (data.size() < kDirectoryBytes || Word(data, 0) != 0) return false;
    const uint16_t type = Word(data, 2);
    return type == 1 || type == 2;
}

PixelImage DecodeIcon(std::span<const uint8_t> data, COLORREF background) {
    if (!LooksLikeIcon(data)) throw IconError("the data is not an icon or cursor file");
    const size_t count = Word(data, 4);
    if (count == 0) throw IconError("the icon file holds no images");
    if (kDirectoryBytes + count * kEntryBytes > data.size()) {
        throw IconError("the icon file's directory of " + std::to_string(count) +
                        " images is cut short");
    }

    IconImage best;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = kDirectoryBytes + i * kEntryBytes;
        const uint32_t size = Dword(data, entry + 8);
        const uint32_t offset = Dword(data, entry + 12);
        if (size == 0 || offset > data.size() || size > data.size() - offset) {
            Damaged(i, "lies outside the file (" + std::to_string(size) + " bytes at " +
                           std::to_string(offset) + ")");
        }
        const std::span<const uint8_t> bytes = data.subspan(offset, size);
        const IconImage image =
            ReadPngHeader(bytes) ? InspectPng(bytes, i) : InspectBitmap(bytes, i);
        const int64_t area = int64_t{image.width} * image.height;
        const int64_t bestArea = int64_t{best.width} * best.height;
        if (area > bestArea || (area == bestArea && image.bitDepth > best.bitDepth)) best = image;
    }

    if (!best.png) return DecodeBitmap(best, background);
    try {
        return DecodePng(best.bytes, int64_t{kMaxIconSide} * kMaxIconSide, background);
    } catch (const PngError& error) {
        throw IconError(std::string("the icon's PNG image is damaged: ") + error.what());
    }
}

}  // namespace tabula
