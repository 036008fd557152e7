// Resizes 32-bit pixels (four 8-bit channels, premultiplied when they carry alpha) by area
// averaging: each new pixel is the mean of the old pixels it covers, weighted by how much of each
// it covers. Plain C++, so that the arithmetic can be checked without a display.
#pragma once

#include <cstdint>
#include <vector>

namespace gui {

// Row-major pixels of width x height; rows may run top-down or bottom-up, the result keeps the
// order. Empty when a size is not positive or the source is too short.
std::vector<std::uint32_t> areaAverage(const std::vector<std::uint32_t>& source, std::int32_t width,
                                       std::int32_t height, std::int32_t newWidth,
                                       std::int32_t newHeight);

}  // namespace gui
