#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/image/PngFile.h"

namespace tabula {
namespace {

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("tabula-test-" + name)).string();
}

TEST(Png, RoundTripsEveryPixel) {
    PixelImage image(7, 5);
    for (int32_t y = 0; y < 5; ++y) {
        for (int32_t x = 0; x < 7; ++x)
            image.SetPixel(x, y, RGB(x * 36, y * 60, (x * y) & 0xFF));
    }
    const std::string path = TempPath("roundtrip.png");
    WritePng(image, path);
    EXPECT_EQ(ReadPng(path), image);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    std::filesystem::remove(path);
}

TEST(Png, FailuresAreReportedAndLeaveNothingBehind) {
    PixelImage image(3, 3);
    EXPECT_THROW(WritePng(image, "/nonexistent-dir/x.png"), PngError);
    EXPECT_THROW(WritePng(PixelImage(0, 5), TempPath("empty.png")), PngError);
    EXPECT_THROW(ReadPng(TempPath("missing.png")), PngError);

    const std::string garbage = TempPath("garbage.png");
    std::ofstream(garbage) << "not a png at all";
    EXPECT_THROW(ReadPng(garbage), PngError);

    // A valid signature followed by damage.
    const std::string truncated = TempPath("truncated.png");
    WritePng(image, truncated);
    std::filesystem::resize_file(truncated, 40);
    EXPECT_THROW(ReadPng(truncated), PngError);
    std::filesystem::remove(garbage);
    std::filesystem::remove(truncated);
}

TEST(Png, AFailedWriteKeepsThePreviousFile) {
    const std::string path = TempPath("keep.png");
    PixelImage first(4, 4, RGB(1, 2, 3));
    WritePng(first, path);
    // Writing an empty image fails before anything is touched.
    EXPECT_THROW(WritePng(PixelImage(), path), PngError);
    EXPECT_EQ(ReadPng(path), first);
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace tabula
