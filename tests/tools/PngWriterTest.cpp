#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>

#include "tools/host/HostError.h"
#include "tools/host/PngWriter.h"

namespace {

// Two rows of two pixels stored blue, green, red, unused, with padding after each row.
constexpr int kWidth = 2;
constexpr int kHeight = 2;
constexpr std::size_t kStride = kWidth * kBgrxBytesPerPixel + 2;
const std::uint8_t kBgrxRows[kHeight * kStride] = {0x00, 0x00, 0xFF, 0x11, 0x00, 0xFF, 0x00,
                                                   0x22, 0xEE, 0xEE, 0x01, 0x02, 0x03, 0x44,
                                                   0x80, 0x90, 0xA0, 0x55, 0xEE, 0xEE};
const std::vector<std::uint8_t> kRgb = {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00,
                                        0x03, 0x02, 0x01, 0xA0, 0x90, 0x80};

TEST(PngWriter, WritesScreenPixelsAsRgbThatReadsBackExactly) {
    const RgbImage image = rgbFromBgrx(kBgrxRows, kWidth, kHeight, kStride);
    EXPECT_EQ(image.pixels, kRgb);
    const char* path = "png-writer-test.png";
    writePngFile(path, image);
    png_image read{};
    read.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&read, path)) << read.message;
    EXPECT_EQ(read.width, static_cast<png_uint_32>(kWidth));
    EXPECT_EQ(read.height, static_cast<png_uint_32>(kHeight));
    EXPECT_EQ(read.format, static_cast<png_uint_32>(PNG_FORMAT_RGB));  // no alpha was stored
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(read));
    ASSERT_TRUE(png_image_finish_read(&read, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(pixels, kRgb);
    std::remove(path);

    EXPECT_THROW(writePngFile("no-such-folder/a.png", image), HostError);
    EXPECT_THROW(writePngFile(path, RgbImage{}), HostError);
    EXPECT_EQ(std::fopen(path, "rb"), nullptr);  // nothing left behind
}

}  // namespace
