#include "platform/image/PngFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/image/PngData.h"

namespace tabula {

void WritePng(const PixelImage& image, const std::string& path) {
    if (image.Width() == 0 || image.Height() == 0) {
        throw PngError("cannot write an empty image to " + path);
    }
    const std::vector<uint8_t> data = EncodePng(image);
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) throw PngError("cannot create " + temporary + ": " + std::strerror(errno));
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw PngError("cannot write " + path + ": " + reason);
    }
}

PixelImage ReadPng(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) throw PngError("cannot open " + path + ": " + std::strerror(errno));
    // No image Tabula reads comes near this; a larger file is refused before it is read.
    constexpr std::streamoff kMaxBytes = 256 << 20;
    if (file.tellg() > kMaxBytes) throw PngError(path + " is too large for a picture");
    file.seekg(0);
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
    try {
        return DecodePng(data);
    } catch (const PngError& e) {
        throw PngError(path + ": " + e.what());
    }
}

}  // namespace tabula
