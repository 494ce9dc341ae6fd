// An icon or cursor file's bytes, decoded as a picture is loaded. Damaged data must be
// refused with IconError, never read past its end; what decodes is an image of 1 to 256
// pixels a side, and decoding it onto another background gives an image of the same size.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/image/IconFile.h"

using namespace tabula;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    PixelImage image;
    try {
        image = DecodeIcon(bytes);
    } catch (const IconError&) {
        return 0;
    }
    if (image.Width() < 1 || image.Height() < 1 || image.Width() > kMaxIconSide ||
        image.Height() > kMaxIconSide) {
        fuzz::Finding("a decoded icon is " + std::to_string(image.Width()) + " x " +
                      std::to_string(image.Height()) + " pixels");
    }
    const PixelImage black = DecodeIcon(bytes, 0);
    if (black.Width() != image.Width() || black.Height() != image.Height())
        fuzz::Finding("the background changes an icon's size");
    return 0;
}
