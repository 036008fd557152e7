// Checks a screenshot for the end-to-end runs:
//   talon_png_probe FILE WIDTH HEIGHT [DIFFERENT_FROM]
// Exits 0 when FILE is a PNG of that size in more than a few colours (the panel's artwork is
// antialiased; an undrawn or blank window has one or two) and differs from DIFFERENT_FROM.
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kMinColours = 16;

// The pixels as RGB rows, prefixed by width and height; empty if unreadable.
std::vector<std::uint32_t> readRgb(const char* path) {
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    std::vector<std::uint8_t> bytes;
    if (png_image_begin_read_from_file(&header, path)) {
        header.format = PNG_FORMAT_RGB;
        bytes.resize(PNG_IMAGE_SIZE(header));
        if (!png_image_finish_read(&header, nullptr, bytes.data(), 0, nullptr)) bytes.clear();
    }
    if (bytes.empty()) {
        std::printf("%s: not a readable PNG: %s\n", path, header.message);
        return {};
    }
    std::vector<std::uint32_t> pixels = {header.width, header.height};
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        pixels.push_back(bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]);
    }
    return pixels;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::printf("usage: talon_png_probe FILE WIDTH HEIGHT [DIFFERENT_FROM]\n");
        return 2;
    }
    const std::vector<std::uint32_t> image = readRgb(argv[1]);
    if (image.empty()) return 1;
    const std::size_t colours = std::set<std::uint32_t>(image.begin() + 2, image.end()).size();
    std::printf("%s: %u x %u, %zu colours\n", argv[1], image[0], image[1], colours);
    if (std::to_string(image[0]) != argv[2] || std::to_string(image[1]) != argv[3]) {
        std::printf("expected %s x %s\n", argv[2], argv[3]);
        return 1;
    }
    if (colours < kMinColours) {
        std::printf("expected at least %zu colours\n", kMinColours);
        return 1;
    }
    if (argc == 5 && readRgb(argv[4]) == image) {
        std::printf("the pixels are the same as those of %s\n", argv[4]);
        return 1;
    }
    return 0;
}
