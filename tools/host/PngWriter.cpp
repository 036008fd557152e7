#include "tools/host/PngWriter.h"

#include <png.h>

#include "tools/host/HostError.h"

namespace {

enum BgrxChannel { kBlue = 0, kGreen = 1, kRed = 2 };

}  // namespace

RgbImage rgbFromBgrx(const std::uint8_t* topRow, int width, int height, std::size_t stride) {
    RgbImage image;
    if (topRow == nullptr || width <= 0 || height <= 0) return image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * height * kRgbBytesPerPixel);
    std::uint8_t* out = image.pixels.data();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = topRow + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x, in += kBgrxBytesPerPixel) {
            *out++ = in[kRed];
            *out++ = in[kGreen];
            *out++ = in[kBlue];
        }
    }
    return image;
}

void writePngFile(const std::string& path, const RgbImage& image) {
    const std::size_t expected =
        static_cast<std::size_t>(image.width) * image.height * kRgbBytesPerPixel;
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() != expected) {
        throw HostError("no pixels to write to '" + path + "'");
    }
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.width);
    header.height = static_cast<png_uint_32>(image.height);
    header.format = PNG_FORMAT_RGB;
    const png_int_32 rowStride = image.width * kRgbBytesPerPixel;
    if (!png_image_write_to_file(&header, path.c_str(), 0, image.pixels.data(), rowStride,
                                 nullptr)) {
        // libpng has removed a partly written file and freed its state.
        throw HostError("cannot write PNG file '" + path + "': " + header.message);
    }
}
