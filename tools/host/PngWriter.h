// The pixels of a screenshot and their PNG file: plain C++ over libpng, so it can be unit-tested.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kRgbBytesPerPixel = 3;
constexpr int kBgrxBytesPerPixel = 4;

// 8-bit RGB, rows from the top, no padding between rows.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// Converts rows of 32-bit pixels stored blue, green, red, unused (the platform's screen order),
// stride bytes apart from the top row down.
RgbImage rgbFromBgrx(const std::uint8_t* topRow, int width, int height, std::size_t stride);

// Writes the image as an 8-bit RGB PNG file; throws HostError, leaving no file behind, if the
// image is empty or the file cannot be written.
void writePngFile(const std::string& path, const RgbImage& image);
