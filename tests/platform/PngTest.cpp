#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/image/PngData.h"
#include "platform/image/PngFile.h"
#include "tests/support/TestFiles.h"

namespace tabula::test {
namespace {

TEST(Png, RoundTripsEveryPixelInMemoryAndOnDisk) {
    const PixelImage image = Gradient(7, 5);
    const std::vector<uint8_t> png = EncodePng(image);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(DecodePng(png), image);

    const std::string path = TempPath("roundtrip.png").string();
    WritePng(image, path);
    EXPECT_EQ(ReadPng(path), image);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    // A failed write keeps the previous file: an empty image fails before anything is touched.
    EXPECT_THROW(WritePng(PixelImage(), path), PngError);
    EXPECT_EQ(ReadPng(path), image);
    std::filesystem::remove(path);
}

TEST(Png, DamagedOrOversizedDataAndFileFailuresAreReportedAndLeaveNothingBehind) {
    EXPECT_THROW(EncodePng(PixelImage()), PngError);
    const std::vector<uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
    EXPECT_THROW(DecodePng(text), PngError);

    std::vector<uint8_t> png = EncodePng(Gradient(20, 20));
    const std::vector<uint8_t> cut(png.begin(), png.begin() + static_cast<long>(png.size() / 2));
    EXPECT_THROW(DecodePng(cut), PngError);
    png[png.size() / 2] ^= 0xFF;  // a damaged data chunk fails its checksum
    EXPECT_THROW(DecodePng(png), PngError);

    // The size limit is checked from the header, before the pixels are read.
    const std::vector<uint8_t> big = EncodePng(Gradient(30, 30));
    EXPECT_THROW(DecodePng(big, 899), PngError);
    EXPECT_EQ(DecodePng(big, 900).Width(), 30);
    EXPECT_THROW(WritePng(Gradient(3, 3), "/nonexistent-dir/x.png"), PngError);
    EXPECT_THROW(ReadPng(TempPath("missing.png").string()), PngError);

    const std::string garbage = TempPath("garbage.png").string();
    std::ofstream(garbage) << "not a png at all";
    EXPECT_THROW(ReadPng(garbage), PngError);

    // A valid signature followed by damage.
    const std::string truncated = TempPath("truncated.png").string();
    WritePng(Gradient(3, 3), truncated);
    std::filesystem::resize_file(truncated, 40);
    EXPECT_THROW(ReadPng(truncated), PngError);
    std::filesystem::remove(garbage);
    std::filesystem::remove(truncated);
}

}  // namespace
}  // namespace tabula::test
