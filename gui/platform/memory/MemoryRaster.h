// Pixel-level helpers the memory platform's primitives share: colour conversion, the clip and the
// raster operations.
#pragma once

#include <cstdint>

#include "gui/platform/memory/MemoryHandles.h"
#include "gui/platform/raster/RasterGeometry.h"

namespace gui::memory {

using raster::drawable;
using raster::kInvalidColor;
using raster::kRgbMask;
using raster::kWhitePixel;
using raster::swapRedBlue;

// A monochrome surface keeps white for white and black for every other colour.
inline std::uint32_t stored(const Surface& surface, std::uint32_t pixel) {
    if (!surface.monochrome) return pixel & kRgbMask;
    return (pixel & kRgbMask) == kWhitePixel ? kWhitePixel : 0;
}

// One pixel in the colour (0x00BBGGRR) regardless of the raster operation.
inline void put(Device& device, std::int32_t x, std::int32_t y, std::uint32_t color) {
    if (!drawable(device, x, y)) return;
    device.target->at(x, y) = stored(*device.target, swapRedBlue(color));
}

// One pixel in the colour through the device's raster operation, as pens and brushes draw.
inline void plot(Device& device, std::int32_t x, std::int32_t y, std::uint32_t color) {
    if (!drawable(device, x, y)) return;
    std::uint32_t& pixel = device.target->at(x, y);
    const std::uint32_t ink = swapRedBlue(color);
    switch (device.rasterOp) {
        case platform::RasterOp::merge: pixel = stored(*device.target, pixel | ink); break;
        case platform::RasterOp::notXor: pixel = stored(*device.target, ~(pixel ^ ink)); break;
        default: pixel = stored(*device.target, ink); break;
    }
}

// Every pixel of rect, through the raster operation or not.
inline void fillArea(Device& device, const CRectangle& rect, std::uint32_t color, bool throughOp) {
    for (std::int32_t y = rect.top; y < rect.bottom; ++y)
        for (std::int32_t x = rect.left; x < rect.right; ++x) {
            if (throughOp)
                plot(device, x, y, color);
            else
                put(device, x, y, color);
        }
}

using raster::walkLine;

// The selected pen along a line, its width centred on it; dotted pens skip every other pixel.
void strokeLine(Device& device, const CPosition& from, const CPosition& to);
// The pen's dab at one point.
void dab(Device& device, std::int32_t x, std::int32_t y);

}  // namespace gui::memory
